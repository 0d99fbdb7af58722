#pragma once
// Where the online upload sends its files and pictures, and the account code that names them there: the
// section [OnlineDatenbank] of the settings file. The FTP password lives there too, so the file is kept
// readable by its owner only whenever it is written through here.

#include <QString>

namespace velmora::exchange {

inline constexpr char kUploadSektion[] = "OnlineDatenbank";

struct UploadEinstellungen {
    QString kennung; // Kennung: account code, ≤ 15
    QString uploadAdresse = QStringLiteral("https://online.velmora.example/upload.php");  // UploadAdresse
    QString beispielAdresse = QStringLiteral("https://online.velmora.example/beispiel/"); // Beispielseite
    QString ftpHost = QStringLiteral("bilder.velmora.example"); // FtpHost (host or host:port)
    QString ftpBenutzer = QStringLiteral("velmora");            // FtpBenutzer
    QString ftpPasswort;                                        // FtpPasswort
    bool ftpPassiv = true;                                      // FtpPassiv
    QString ftpPfad;                                            // FtpPfad: folder above idA/bilder
    bool ftpOhneTls = true;           // FtpOhneTls: plain FTP allowed when the server offers no TLS
    bool ftpZertifikatPruefen = true; // FtpZertifikatPruefen: 0 accepts any TLS certificate

    // Reads the section of the settings file (missing keys keep the defaults above).
    static UploadEinstellungen lesen(const QString& einstellungsDatei);
    // Writes every key at once and restricts the file to its owner; false when it cannot be written.
    bool schreiben(const QString& einstellungsDatei) const;
};

// Restricts a file to read and write by its owner (where the file system has such permissions).
bool nurFuerBesitzer(const QString& pfad);

} // namespace velmora::exchange
