#include "exchange/uploadeinstellungen.h"

#include "settings/inidatei.h"

#include <QFile>

namespace velmora::exchange {

namespace {
const QString sektion() {
    return QString::fromLatin1(kUploadSektion);
}
} // namespace

UploadEinstellungen UploadEinstellungen::lesen(const QString& einstellungsDatei) {
    settings::IniDatei ini(einstellungsDatei);
    UploadEinstellungen e;
    if (!ini.lesen()) return e;
    const QString s = sektion();
    e.kennung = ini.leseText(s, QStringLiteral("Kennung")).left(15);
    e.uploadAdresse = ini.leseText(s, QStringLiteral("UploadAdresse"), e.uploadAdresse);
    e.beispielAdresse = ini.leseText(s, QStringLiteral("Beispielseite"), e.beispielAdresse);
    e.ftpHost = ini.leseText(s, QStringLiteral("FtpHost"), e.ftpHost);
    e.ftpBenutzer = ini.leseText(s, QStringLiteral("FtpBenutzer"), e.ftpBenutzer);
    e.ftpPasswort = ini.leseText(s, QStringLiteral("FtpPasswort"));
    e.ftpPassiv = ini.leseBool(s, QStringLiteral("FtpPassiv"), e.ftpPassiv);
    e.ftpPfad = ini.leseText(s, QStringLiteral("FtpPfad"));
    e.ftpOhneTls = ini.leseBool(s, QStringLiteral("FtpOhneTls"), e.ftpOhneTls);
    e.ftpZertifikatPruefen = ini.leseBool(s, QStringLiteral("FtpZertifikatPruefen"), e.ftpZertifikatPruefen);
    return e;
}

bool UploadEinstellungen::schreiben(const QString& einstellungsDatei) const {
    const QString s = sektion();
    const QList<settings::IniEintrag> eintraege = {
        {s, QStringLiteral("Kennung"), kennung},
        {s, QStringLiteral("UploadAdresse"), uploadAdresse},
        {s, QStringLiteral("Beispielseite"), beispielAdresse},
        {s, QStringLiteral("FtpHost"), ftpHost},
        {s, QStringLiteral("FtpBenutzer"), ftpBenutzer},
        {s, QStringLiteral("FtpPasswort"), ftpPasswort},
        {s, QStringLiteral("FtpPassiv"), settings::boolText(ftpPassiv)},
        {s, QStringLiteral("FtpPfad"), ftpPfad},
        {s, QStringLiteral("FtpOhneTls"), settings::boolText(ftpOhneTls)},
        {s, QStringLiteral("FtpZertifikatPruefen"), settings::boolText(ftpZertifikatPruefen)},
    };
    // Restricted before the password goes in (the beside-and-rename write keeps the permissions of the
    // file it replaces), and checked again after it.
    if (!QFile::exists(einstellungsDatei)) {
        QFile neu(einstellungsDatei);
        if (!neu.open(QIODevice::WriteOnly)) return false;
    }
    if (!nurFuerBesitzer(einstellungsDatei)) return false;
    return settings::IniDatei::schreibe(einstellungsDatei, eintraege) && nurFuerBesitzer(einstellungsDatei);
}

bool nurFuerBesitzer(const QString& pfad) {
    return QFile::setPermissions(pfad, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

} // namespace velmora::exchange
