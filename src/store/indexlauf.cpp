#include "store/indexlauf.h"

#include "store/catalogue.h"

namespace velmora::store {

namespace {

IndexTabelle r(const char* t) { return {QString::fromLatin1(t), true}; }
IndexTabelle d(const char* t) { return {QString::fromLatin1(t), false}; }

} // namespace

const QList<IndexGruppe>& indexGruppen() {
    static const QList<IndexGruppe> gruppen = {
        {1, 58, QStringLiteral("Katzen"),
         {r("catstamm"), d("arztbes"), d("kausstel"), r("bilder"), d("deckbuch"), d("jungtier"), d("krblatt"),
          d("schwang"), r("wurfbuch"), d("stammzusatz"), d("laeufigkeit"), r("wurmkur"), r("katzemerkmal"),
          r("impfung"), d("bewert"), d("gewicht"), d("verkauft"), d("dokumente")}},
        {2, 127, QStringLiteral("Adressenverwaltung"), {r("adr_dat")}},
        {3, 125, QStringLiteral("Augenfarbe"), {d("augen")}},
        {4, 124, QStringLiteral("Farbe"), {d("farbe")}},
        {5, 123, QStringLiteral("Rasse"), {d("rasse")}},
        {6, 128, QStringLiteral("Apotheke"), {d("apotheke")}},
        {7, 108, QStringLiteral("Katzennamen"), {d("katzname")}},
        {8, 110, QStringLiteral("Ausstellungen"), {d("ausstelt")}},
        {9, 109, QStringLiteral("Vereine"), {d("vereine")}},
        {10, 115, QStringLiteral("Buchführung"), {d("buchung"), d("mehrwert"), d("kontoart"), d("konten")}},
        {11, 106, QStringLiteral("Zwingerregister"),
         {d("zwingreg"), d("zwinginf"), d("zwingregprivat"), d("zwinginfprivat")}},
        {12, 625, QStringLiteral("Sprache"), {r("sprache"), r("sprmel")}},
        {13, 878, QStringLiteral("Top Katzen"), {d("topkatze")}},
        {14, 874, QStringLiteral("Merkmale"), {r("merkmale")}},
        {16, 1147, QStringLiteral("Status Katzen"), {d("status")}},
    };
    return gruppen;
}

QList<IndexTabelle> alleIndexTabellen() {
    QList<IndexTabelle> alle;
    for (const IndexGruppe& g : indexGruppen())
        alle << g.tabellen;
    return alle;
}

bool tabellenIndizesNeuAufbauen(Database& db, const QString& tabelle, const StartBericht& bericht,
                                QString* grund) {
    const QString n = Database::normalName(tabelle);
    bool routine = false;
    for (const IndexTabelle& t : alleIndexTabellen())
        if (t.tabelle == n) routine = t.routine;
    if (routine) return indexNeuAufbauen(db, n, bericht, grund);
    try {
        if (!db.tableExists(n))
            throw EngineError(code::NoSuchTable, QStringLiteral("Tabelle existiert nicht: %1").arg(n), n);
        direktNeuAufbauen(db, n);
        return true;
    } catch (const DatabaseError& e) {
        if (grund) *grund = e.message();
        return false;
    }
}

IndexLaufErgebnis indexGruppenAufbauen(
    Database& db, const QList<int>& gruppen, const StartBericht& bericht,
    const std::function<void(const QString& tabelle, bool ok, const QString& grund)>& jeTabelle) {
    IndexLaufErgebnis e;
    for (const IndexGruppe& g : indexGruppen()) {
        if (!gruppen.contains(g.nummer)) continue;
        db.disconnect();
        bool kette = true; // the rebuild routines of a group run while each before them succeeded
        for (const IndexTabelle& t : g.tabellen) {
            if (!db.tableExists(t.tabelle)) continue;
            if (t.routine) {
                if (!kette) continue;
                QString grund;
                const bool ok = indexNeuAufbauen(db, t.tabelle, bericht, &grund);
                if (jeTabelle) jeTabelle(t.tabelle, ok, grund);
                if (!ok) {
                    kette = false;
                    e.erfolg = false;
                }
                continue;
            }
            try {
                direktNeuAufbauen(db, t.tabelle);
                if (jeTabelle) jeTabelle(t.tabelle, true, {});
            } catch (const EngineError& fehler) {
                if (jeTabelle) jeTabelle(t.tabelle, false, fehler.message());
                e.erfolg = false;
                e.abbruch = fehler;
                return e;
            }
        }
        e.neuAufgebaut = true;
    }
    return e;
}

} // namespace velmora::store
