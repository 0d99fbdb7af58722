#include "settings/einstellungsort.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace velmora::settings {

QString einstellungsVerzeichnis(const QString& override) {
    if (!override.isEmpty()) return override;
    // An empty XDG_CONFIG_HOME counts as unset, as the base-directory rules say.
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) return QDir(xdg).filePath(QStringLiteral("Velmora"));
    return QDir(QDir::homePath()).filePath(QStringLiteral(".config/Velmora"));
}

QString einstellungsVerzeichnisAus(QStringList& argumente) {
    QString dir;
    const int i = argumente.indexOf(QStringLiteral("--einstellungen"));
    if (i >= 0 && i + 1 < argumente.size()) {
        dir = argumente.at(i + 1);
        argumente.remove(i, 2);
    }
    return einstellungsVerzeichnis(dir);
}

QString einstellungsPfad(const QString& verzeichnis) {
    return QDir(verzeichnis).filePath(QString::fromLatin1(kEinstellungsdatei));
}

QString updatePfad(const QString& verzeichnis) {
    return QDir(verzeichnis).filePath(QString::fromLatin1(kUpdatedatei));
}

bool legeLeereEinstellungenAn(const QString& dir) {
    const QString pfad = einstellungsPfad(dir);
    if (QFileInfo(pfad).isFile()) return true;
    if (QFileInfo::exists(pfad)) return false; // a folder of that name is not a settings file
    if (!QDir().mkpath(dir)) return false;
    QFile f(pfad);
    // NewOnly: a file created meanwhile by someone else is not truncated.
    if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return QFileInfo(pfad).isFile();
    return true;
}

} // namespace velmora::settings
