#pragma once
// A small register for the print tests: the user's own cattery, a queen with parents and grandparents
// (one grandsire on both sides), her litter with its stud and weighings, the stud's mating book, show
// results of three kinds, titles and a show rating.

#include "store/database.h"
#include "store/table.h"

#include <QDate>
#include <QVariantMap>

namespace velmora::test {

inline void zeileSchreiben(store::Database& db, const char* tabelle, const QVariantMap& werte) {
    store::Table t(db, QLatin1String(tabelle));
    t.open();
    t.append();
    for (auto it = werte.begin(); it != werte.end(); ++it)
        t.setValue(it.key(), it.value());
    t.post();
    t.close();
}

struct DruckKatzeDef {
    int nr;
    const char* name;
    const char* geschlecht;
    int vater, mutter;
};

// The queen 10 and the stud 20; their ancestors numbered from 11.
inline void druckRegisterSchreiben(store::Database& db) {
    using M = QVariantMap;
    auto s = [](const char* t) { return QString::fromUtf8(t); };
    zeileSchreiben(db, "eigen",
                   M{{s("Name"), s("Berger")}, {s("Vorname"), s("Anna")}, {s("Zwinger"), s("vom Lindenhof")},
                     {s("Strasse"), s("Lindenweg 3")}, {s("Plz"), s("12345")}, {s("Ort"), s("Waldstadt")},
                     {s("Telefon"), s("0123 4567")}, {s("land"), s("Deutschland")}});
    zeileSchreiben(db, "zusatz", M{{s("Verein"), s("Katzenfreunde Waldstadt")}, {s("Mitgliedsnummer"), s("M-77")}});
    zeileSchreiben(db, "adr_dat", M{{s("LaufendeNr"), 1}, {s("Name"), s("Hofmann")}, {s("Vorname"), s("Karl")},
                                    {s("Strasse"), s("Am Bach 1")}, {s("Plz"), s("54321")}, {s("Ort"), s("Bergdorf")},
                                    {s("Zwinger"), s("of Brook")}});
    const DruckKatzeDef katzen[] = {
        {10, "Luna vom Lindenhof", "2", 11, 12}, {11, "Atlas of Brook", "1", 13, 14},
        {12, "Bella vom Lindenhof", "2", 13, 15}, {13, "Cäsar", "1", 16, 0},
        {14, "Dora", "2", 0, 0},                 {15, "Emma", "2", 0, 17},
        {16, "Felix", "1", 0, 0},                {17, "Gina", "2", 0, 0},
        {20, "Zorro of Brook", "1", 0, 0}};
    for (const DruckKatzeDef& k : katzen) {
        M m{{s("LaufendeNummer"), k.nr}, {s("Name"), s(k.name)}, {s("Geschlecht"), s(k.geschlecht)},
            {s("FellFarbe"), QStringLiteral("Farbe %1").arg(k.nr)},
            {s("Zuchtbuchnummer1"), QStringLiteral("ZB-%1").arg(k.nr)}, {s("Rasse"), 1}};
        if (k.vater) m.insert(s("Vater"), k.vater);
        if (k.mutter) m.insert(s("Mutter"), k.mutter);
        if (k.nr == 10) {
            m.insert(s("GebDatum"), QDate(2021, 4, 3));
            m.insert(s("ChipNr"), s("276000000000010"));
            m.insert(s("Status"), 1);
            m.insert(s("Züchter"), 1);
            m.insert(s("Augenfarbe"), s("kupfer"));
            m.insert(s("Blutgruppe"), s("A"));
        }
        if (k.nr == 20) m.insert(s("Besitzer"), 1);
        zeileSchreiben(db, "catstamm", m);
    }
    zeileSchreiben(db, "titelhund", M{{s("Hund"), 10}, {s("Titel"), 1}});
    zeileSchreiben(db, "titelhund", M{{s("Hund"), 11}, {s("Titel"), 2}});
    zeileSchreiben(db, "bewert", M{{s("Katze"), 10}, {s("Bewertung"), s("Vorzüglich 1")}});
    zeileSchreiben(db, "wurfbuch", M{{s("Katze"), 10}, {s("Kater"), 20}, {s("Decktermin"), QDate(2024, 1, 10)},
                                     {s("Wurftag"), QDate(2024, 3, 14)}, {s("Wurfstaerke"), s("3/2")},
                                     {s("Totgeboren"), s("/1")}, {s("Verendet"), s("1")}, {s("Wurfbez"), s("A-Wurf")}});
    zeileSchreiben(db, "jungtier", M{{s("Mutterkatze"), 10}, {s("Wurfdatum"), QDate(2024, 3, 14)},
                                     {s("Wiegedatum"), QDate(2024, 3, 21)}, {s("Katze1"), s("180")}, {s("Katze2"), s("175")}});
    zeileSchreiben(db, "deckbuch", M{{s("Kater"), 20}, {s("Katze"), 10}, {s("Decktermin"), QDate(2024, 1, 10)},
                                     {s("Erfolge"), s("5 Kitten")}});
    zeileSchreiben(db, "kausstel", M{{s("Katze"), 10}, {s("Datum"), QDate(2023, 5, 6)}, {s("Ausstellungsort"), s("Kassel")},
                                     {s("Verein"), s("1. DEKZV")}, {s("Richter"), s("Meier")}, {s("Bewertung"), s("V1 CAC")}});
    zeileSchreiben(db, "cfatica", M{{s("Katze"), 10}, {s("Datum"), QDate(2023, 6, 1)}, {s("Vereinsname"), s("TICA Nord")},
                                    {s("Richter"), s("Smith")}, {s("BOC"), 1}, {s("BOD"), 2}, {s("Finale"), 3}});
    zeileSchreiben(db, "cfa", M{{s("Katze"), 10}, {s("Datum"), QDate(2023, 7, 1)}, {s("Vereinsname"), s("CFA West")},
                                {s("Richter"), s("Jones")}, {s("Ringergebnis"), s("2nd")}});
}

} // namespace velmora::test
