#include "settings/uebernahme.h"

#include "settings/einstellungsort.h"
#include "settings/inidatei.h"
#include "settings/systeminfo.h"

#include <QFileInfo>

namespace velmora::settings {

bool einstellungenUebernehmen(const QString& datei, const QString& verzeichnis, QStringList* uebernommen) {
    if (!QFileInfo(datei).isFile()) return false;
    IniDatei alt(datei);
    if (!alt.lesen()) return false;
    QList<IniEintrag> eintraege;
    auto nimm = [&](const QString& sektion, const QString& schluessel) {
        if (!alt.enthaelt(sektion, schluessel)) return;
        eintraege.append({sektion, schluessel, alt.leseText(sektion, schluessel)});
    };
    for (const FeldBeschreibung& f : felder()) {
        if (!f.gespeichert()) continue;
        const QString sektion = QString::fromUtf8(f.sektion);
        const QString schluessel = QString::fromUtf8(f.schluessel);
        if (f.typ() == FeldTyp::Texte5) {
            for (int i = 1; i <= 5; ++i)
                nimm(sektion, schluessel + QString::number(i));
        } else {
            nimm(sektion, schluessel);
        }
    }
    // Written by the currency conversion and never read, but it belongs to the file.
    nimm(QStringLiteral("System"), QStringLiteral("Umrechnung bis"));
    if (!legeLeereEinstellungenAn(verzeichnis)) return false;
    if (!IniDatei::schreibe(einstellungsPfad(verzeichnis), eintraege)) return false;
    if (uebernommen) {
        uebernommen->clear();
        for (const IniEintrag& e : eintraege)
            *uebernommen << e.sektion + QLatin1Char('/') + e.schluessel;
    }
    return true;
}

} // namespace velmora::settings
