#include "store/dberrortext.h"

#include <QHash>

namespace velmora::store {

namespace {

const QString& engineTitel() {
    static const QString t = QStringLiteral("EDBEngine-Fehler entdeckt");
    return t;
}
const QString& datenbankTitel() {
    static const QString t = QStringLiteral("EDatabase-Fehler entdeckt");
    return t;
}

using Routine = bool (*)(Database&, const StartBericht&);

// titelhund and zuchtwert are repairable by name but have no routine: their repair always fails.
const QHash<QString, Routine>& routinen() {
    static const QHash<QString, Routine> r = {
        {QStringLiteral("bilder"), &BilderIndex},     {QStringLiteral("impfung"), &ImpfungIndex},
        {QStringLiteral("wurmkur"), &WurmkurIndex},   {QStringLiteral("catstamm"), &CatstammIndex},
        {QStringLiteral("wurfbuch"), &WurfbuchIndex}, {QStringLiteral("sprache"), &SpracheIndex},
        {QStringLiteral("sprmel"), &MeldungIndex},    {QStringLiteral("adr_dat"), &AdressenIndex},
        {QStringLiteral("merkmale"), &MerkmaleIndex}, {QStringLiteral("katzemerkmal"), &KatzemerkmalIndex},
    };
    return r;
}

} // namespace

QString fehlerDateiname(const QString& dateiname) {
    QString name = dateiname;
    const qsizetype slash = qMax(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\')));
    if (slash >= 0) name = name.mid(slash + 1);
    const qsizetype punkt = name.indexOf(QLatin1Char('.'));
    if (punkt >= 0) name.truncate(punkt);
    return name.toLower();
}

bool reparierbareTabelle(const QString& dateiname) {
    static const QStringList tabellen = {
        QStringLiteral("impfung"),      QStringLiteral("wurmkur"),   QStringLiteral("bilder"),
        QStringLiteral("titelhund"),    QStringLiteral("adr_dat"),   QStringLiteral("catstamm"),
        QStringLiteral("wurfbuch"),     QStringLiteral("zuchtwert"), QStringLiteral("merkmale"),
        QStringLiteral("katzemerkmal"), QStringLiteral("sprache"),   QStringLiteral("sprmel")};
    return tabellen.contains(dateiname);
}

bool reparierbarerCode(int code) {
    return code == code::KeyViolation || code == code::IndexMissing || code == code::IndexDamaged;
}

bool reparaturAnbieten(int errorNr, const QString& dateiname) {
    return reparierbarerCode(errorNr) && reparierbareTabelle(dateiname);
}

QString fehlerZeile(int k, const ErrorEntry& eintrag, const FehlerWorte& worte) {
    return worte.eintrag + QStringLiteral(": ") + QString::number(k) + QLatin1Char(',') +
           (k == 0 ? QStringLiteral(" ") : QStringLiteral("  ")) + worte.fehlernummer + QStringLiteral(": ") +
           QString::number(eintrag.code) + QStringLiteral(",  ") + eintrag.message;
}

QString nativeTeil(int k, const ErrorEntry& eintrag) {
    if (eintrag.nativeCode == 0) return {};
    return QStringLiteral("  ") + QString::number(eintrag.nativeCode) + QLatin1Char(',') +
           (k < 2 ? QStringLiteral(" ") : QStringLiteral("  ")) + eintrag.message;
}

QString dateiZeile(const QString& dateiname, const FehlerWorte& worte) {
    if (dateiname.isEmpty()) return {};
    return worte.datei + QStringLiteral(": ") + dateiname;
}

int panelHoehe(int zeilen) {
    static constexpr int hoehen[] = {40, 57, 73, 90};
    return hoehen[qBound(1, zeilen, maxFehlerZeilen) - 1];
}

QString FehlerAnsicht::alsText() const {
    QStringList teile{titel};
    teile << zeilen;
    if (!dateiZeile.isEmpty()) teile << dateiZeile;
    return teile.join(QLatin1Char('\n'));
}

FehlerAnsicht engineAnsicht(const EngineError& error, const QString& dateiname, const FehlerWorte& worte) {
    if (error.entries().isEmpty()) return datenbankAnsicht(error, dateiname, worte);
    FehlerAnsicht a;
    a.engine = true;
    a.titel = engineTitel();
    a.dateiname = fehlerDateiname(dateiname);
    a.dateiZeile = store::dateiZeile(a.dateiname, worte);
    a.errorNr = error.entries().first().code;
    a.reparatur = reparaturAnbieten(a.errorNr, a.dateiname);
    a.nativeText = QStringLiteral("Fehlerursache: Code(s) ");
    const int n = int(qMin<qsizetype>(error.entries().size(), maxFehlerZeilen));
    for (int k = 0; k < n; ++k) {
        const ErrorEntry& e = error.entries().at(k);
        a.zeilen << fehlerZeile(k, e, worte);
        if (e.nativeCode != 0) {
            a.nativeText += nativeTeil(k, e);
            a.nativeCodes = true;
        }
    }
    return a;
}

FehlerAnsicht datenbankAnsicht(const DatabaseError& error, const QString& dateiname,
                               const FehlerWorte& worte) {
    FehlerAnsicht a;
    a.titel = datenbankTitel();
    a.dateiname = fehlerDateiname(dateiname);
    a.dateiZeile = store::dateiZeile(a.dateiname, worte);
    // The line ends with one full stop: a message that is already a sentence keeps its own.
    const QString m = error.message();
    const bool satzEnde =
        m.endsWith(QLatin1Char('.')) || m.endsWith(QLatin1Char('!')) || m.endsWith(QLatin1Char('?'));
    a.zeilen << (satzEnde ? m : m + QLatin1Char('.'));
    if (error.message().contains(QLatin1String("Kein Index")) ||
        error.message().contains(QLatin1String("key valuation"))) {
        a.errorNr = code::KeyViolation;
        a.reparatur = reparierbareTabelle(a.dateiname);
    }
    return a;
}

FehlerAnsicht fehlerAnsicht(const DatabaseError& error, const QString& dateiname, const FehlerWorte& worte) {
    if (const auto* e = dynamic_cast<const EngineError*>(&error)) return engineAnsicht(*e, dateiname, worte);
    return datenbankAnsicht(error, dateiname, worte);
}

bool tabelleReparieren(Database& db, const QString& dateiname, int errorNr, const StartBericht& bericht) {
    if (!reparierbarerCode(errorNr)) return false;
    const Routine r = routinen().value(fehlerDateiname(dateiname));
    return r && r(db, bericht);
}

QString reparaturMeldung(bool erfolg, int sprache) {
    if (sprache == 2)
        return erfolg ? QStringLiteral("Reparatie geslaagd!") : QStringLiteral("Reparatie niet mogelijk!");
    return erfolg ? QStringLiteral("Reparatur erfolgreich!") : QStringLiteral("Reparatur nicht möglich!");
}

} // namespace velmora::store
