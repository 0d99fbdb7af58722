#include "app/erststart.h"

#include "settings/einstellungsort.h"
#include "store/anlegen.h"
#include "store/errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace velmora::app {

namespace {
QString merkDatei(const QString& einstellungsVerzeichnis) {
    return QDir(einstellungsVerzeichnis).filePath(QStringLiteral("Velmora.ini"));
}
const QString kSchluessel = QStringLiteral("Installation/Daten");
} // namespace

QString vorgabeDatenverzeichnis() {
    return QDir::home().filePath(QStringLiteral("Velmora/Daten"));
}

QString gemerktesDatenverzeichnis(const QString& einstellungsVerzeichnis) {
    if (!QFileInfo::exists(merkDatei(einstellungsVerzeichnis))) return {};
    return QSettings(merkDatei(einstellungsVerzeichnis), QSettings::IniFormat).value(kSchluessel).toString();
}

bool datenverzeichnisMerken(const QString& einstellungsVerzeichnis, const QString& daten) {
    if (!QDir().mkpath(einstellungsVerzeichnis)) return false;
    QSettings s(merkDatei(einstellungsVerzeichnis), QSettings::IniFormat);
    s.setValue(kSchluessel, QDir(daten).absolutePath());
    s.sync();
    return s.status() == QSettings::NoError;
}

void benutzerDatenAnlegen(const QString& daten, const QString& installiert,
                          const QString& einstellungsVerzeichnis) {
    if (!QFileInfo::exists(QDir(daten).filePath(QStringLiteral("catstamm.db"))))
        store::legeDatenverzeichnisAn(daten, QDir(installiert).filePath(QStringLiteral("data")));
    // The help pages sit beside the data directory, in the folder the program takes as its installation.
    const QDir hilfeQuelle(QDir(installiert).filePath(QStringLiteral("Help")));
    const QString hilfe = QDir(daten).absoluteFilePath(QStringLiteral("../Help"));
    QDir().mkpath(hilfe);
    for (const QString& seite : hilfeQuelle.entryList({QStringLiteral("*.html")}, QDir::Files)) {
        const QString ziel = QDir(hilfe).filePath(seite);
        if (!QFileInfo::exists(ziel)) QFile::copy(hilfeQuelle.filePath(seite), ziel);
    }
    // A new user starts with the program's defaults.
    if (!settings::legeLeereEinstellungenAn(einstellungsVerzeichnis))
        throw store::DatabaseError(QStringLiteral("%1 kann nicht angelegt werden")
                                       .arg(settings::einstellungsPfad(einstellungsVerzeichnis)));
}

QString lieferBeschriftung(const QString& quelle, int n, int offset, bool hilfe) {
    const QString schluessel = QString::number(n + offset);
    const QDir dir(quelle);
    for (const QString& datei : dir.entryList(
             {QStringLiteral("sprache.tsv"), QStringLiteral("sprache.*.tsv")}, QDir::Files, QDir::Name)) {
        QFile f(dir.filePath(datei));
        if (!f.open(QIODevice::ReadOnly)) continue;
        const QStringList zeilen = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
        if (zeilen.isEmpty()) continue;
        const QStringList kopf = zeilen.first().trimmed().split(QLatin1Char('\t'));
        const int spNummer = kopf.indexOf(QStringLiteral("Nummer"));
        const int spText = kopf.indexOf(hilfe ? QStringLiteral("FeldHilfe") : QStringLiteral("FeldName"));
        if (spNummer < 0 || spText < 0) continue;
        for (QString zeile : zeilen) {
            if (zeile.endsWith(QLatin1Char('\r'))) zeile.chop(1);
            const QStringList zellen = zeile.split(QLatin1Char('\t'));
            if (zellen.value(spNummer) == schluessel) return zellen.value(spText);
        }
    }
    return {};
}

} // namespace velmora::app
