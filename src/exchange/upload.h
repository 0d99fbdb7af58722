#pragma once
// Sending the upload: one HTTP multipart POST per file, and the picture transfer worker that stores the
// cats' main pictures on the FTP server and records each in BilderUpload.db. Both run off the
// user-interface thread; the caller polls and may ask them to stop. The FTP password is handed to
// libcurl only, never into a message or a log. Widget-free.

#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace velmora::exchange {

enum class Sendung { Ok, Fehler, Abgebrochen };

// One POST of the file as the form part "bild" with its MIME type, on a thread of its own; warten runs
// on the calling thread every few milliseconds while it is under way and returns true to abort, which
// ends the transfer within that time (also while the server is silent). Ok when the request completed
// without a transport or protocol error (an HTTP error status counts as one); the answer is not read.
Sendung httpSenden(const QString& adresse, const QString& datei, const std::function<bool()>& warten = {},
                   QString* fehler = nullptr);

enum class TFtpAction { ftpCONNECTING, ftpCHANGEDIR, ftpUPLOADING, ftpREADY, ftpBREAK };

struct TFtpConfig {
    QString Hostname; // host or host:port
    QString Username;
    QString Password;
    bool Passive = true;
    QString TargetPath;            // folder on the server, "" for the login folder
    bool OhneTls = true;           // plain FTP when the server offers no TLS (explicit FTPS is always tried)
    bool ZertifikatPruefen = true; // the server's TLS certificate must be valid for the host
};

class TFtpUpload {
public:
    // datenVerzeichnis: where BilderUpload.db lives (the worker opens its own connection to it).
    TFtpUpload(TFtpConfig config, QString datenVerzeichnis);
    ~TFtpUpload(); // asks a running job to stop and waits for it

    void hinzufuegen(const QString& pfad);
    int anzahl() const;
    // Runs one job on the worker thread: connect, TYPE I, change to the folder, store every listed file
    // that still exists, recording each; the list is cleared at the end of a complete job.
    void starten();
    bool fertig() const { return !m_laeuft.load(); }
    void anhalten() { m_stop = true; }
    void warten();
    TFtpAction zustand() const { return m_zustand.load(); }
    int gesendet() const { return m_gesendet.load(); }
    const QString& fehlerText() const { return m_fehler; } // after the job: libcurl's reason

private:
    void lauf();

    TFtpConfig m_config;
    QString m_daten;
    mutable std::mutex m_liste; // held by the worker for the whole job
    QStringList m_dateien;
    std::thread m_thread;
    std::atomic<bool> m_laeuft{false};
    std::atomic<bool> m_stop{false};
    std::atomic<TFtpAction> m_zustand{TFtpAction::ftpREADY};
    std::atomic<int> m_gesendet{0};
    QString m_fehler;
};

// The folder the pictures go to: the configured path, then "id" + account + "/bilder".
QString ftpZielordner(const QString& basis, const QString& kennung);

} // namespace velmora::exchange
