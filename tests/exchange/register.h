#pragma once
// A small hand-built register for the export tests: every kind of cat field, the lookups the cat line
// reads, pictures on disk and both breeding books.

#include "store/catalogue.h"
#include "store/database.h"
#include "store/table.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QVariantMap>

namespace velmora::test {

inline int anhaengen(store::Database& db, const char* tabelle, const QVariantMap& werte) {
    store::Table t(db, QString::fromLatin1(tabelle));
    t.open();
    t.append();
    for (auto it = werte.begin(); it != werte.end(); ++it)
        t.setValue(it.key(), it.value());
    t.post();
    return t.value(0).toInt();
}

inline void bildDatei(const QString& pfad, qint64 groesse) {
    QFile f(pfad);
    f.open(QIODevice::WriteOnly);
    f.write(QByteArray(groesse, 'x'));
}

// The tables the export reads, empty, as the catalogue describes them.
inline void leereTabellen(store::Database& db) {
    for (const char* n :
         {"catstamm", "rasse", "farbe", "adr_dat", "eigen", "titelbez", "titelhund", "merkmale",
          "katzemerkmal", "bewert", "bilder", "wurfbuch", "deckbuch", "bilderupload"})
        if (!db.tableExists(QString::fromLatin1(n)))
            db.createTable(*store::catalogueTable(QString::fromLatin1(n)));
}

struct ExportRegister {
    int perser = 0, zuechter = 0, besitzer = 0, vater = 0, mutter = 0, kind = 0, leer = 0, eigen = 0;
    QString bild1, bild2, bildPng;

    ExportRegister(store::Database& db, const QString& bilderOrdner) {
        leereTabellen(db);
        perser = anhaengen(db, "rasse", {{"RName", "Perser"}, {"RKurzname", "PER"}, {"RNameEng", "Persian"}});
        zuechter = anhaengen(db, "adr_dat", {{"Name", "Meier"}, {"Vorname", "Hans"}});
        besitzer = anhaengen(db, "adr_dat", {{"Name", "Schulz"}});
        anhaengen(db, "eigen", {{"Name", "Eigen"}, {"Vorname", "Ella"}});
        vater = anhaengen(db, "catstamm", {{"Name", "Vater;Kater"}, {"Geschlecht", "1"}});
        mutter = anhaengen(db, "catstamm", {{"Name", "Mutter \"Mia\""}, {"Geschlecht", "2"}});
        kind = anhaengen(db, "catstamm",
                         {{"Name", "Kind;Eins"},
                          {"Zwinger", "vom \"Hof\""},
                          {"Geschlecht", "4"},
                          {"GebDatum", QDate(2021, 3, 4)},
                          {"Rufname", "Kiki"},
                          {"Rasse", perser},
                          {"FellFarbe", "blau"},
                          {"Augenfarbe", "kupfer"},
                          {"Zuchtbuchnummer1", "ZB 1"},
                          {"Vater", vater},
                          {"Mutter", mutter},
                          {"Züchter", zuechter},
                          {"Besitzer", besitzer},
                          {"Status", 2},
                          {"ChipNr", "276"},
                          {"Blutgruppe", "A"},
                          {"Toddatum", QDate(1899, 12, 30)},
                          {"Wurfzahl", "3"},
                          {"GenoTyp", 7},
                          {"Gencode", "a;a"},
                          {"Agouti", true},
                          {"Verduennung", false},
                          {"IDCode", "ID9"},
                          {"Tests", "PKD neg"},
                          {"Bemerkung", QStringLiteral("Zeile eins\r\nZeile zwei\nmit \u00FF Ende")},
                          {"Feld2", 2}});
        leer = anhaengen(db, "catstamm", {{"Name", "Leer"}, {"Geschlecht", "9"}, {"Status", 1}});
        const int ch = anhaengen(db, "titelbez", {{"Titel", "Champion"}, {"Kuerzel", "CH"}});
        const int ic = anhaengen(db, "titelbez", {{"Titel", "Int. Champion"}, {"Kuerzel", "IC"}});
        anhaengen(db, "titelhund", {{"Hund", kind}, {"Titel", ic}});
        anhaengen(db, "titelhund", {{"Hund", kind}, {"Titel", ch}});
        const int m1 =
            anhaengen(db, "merkmale", {{"Bezeichnung", "HCM frei"}, {"farbe", 255}, {"Kuerzel", "HCM"}});
        const int m2 =
            anhaengen(db, "merkmale", {{"Bezeichnung", "Stammbaum"}, {"farbe", 0}, {"Kuerzel", "Stb"}});
        const int m3 = anhaengen(db, "merkmale",
                                 {{"Bezeichnung", "Blutgruppe; B"}, {"farbe", 16711680}, {"Kuerzel", "BG"}});
        anhaengen(db, "katzemerkmal", {{"Katze", kind}, {"Merkmal", m3}});
        anhaengen(db, "katzemerkmal", {{"Katze", kind}, {"Merkmal", m2}});
        anhaengen(db, "katzemerkmal", {{"Katze", kind}, {"Merkmal", m1}});
        anhaengen(db, "katzemerkmal", {{"Katze", 0}, {"Merkmal", m1}});
        anhaengen(db, "bewert", {{"Katze", kind}, {"Bewertung", QStringLiteral("   sehr\r\ngut;\u00FF")}});
        bild1 = bilderOrdner + QStringLiteral("/erstes.JPG");
        bild2 = bilderOrdner + QStringLiteral("/zweites.jpg");
        bildPng = bilderOrdner + QStringLiteral("/drittes.png");
        bildDatei(bild1, 100);
        bildDatei(bild2, 500000);
        bildDatei(bildPng, 10);
        anhaengen(db, "bilder", {{"KatzeNr", kind}, {"Bildpfad", bild1}, {"BildMemo2", "zweite\nNotiz"}});
        anhaengen(db, "bilder", {{"KatzeNr", kind}, {"Bildpfad", bild2}, {"BildMemo1", "erste"}});
        anhaengen(db, "bilder", {{"KatzeNr", 0}, {"Bildpfad", bildPng}});
        anhaengen(db, "wurfbuch",
                  {{"Katze", mutter},
                   {"Decktermin", QDate(2020, 12, 30)},
                   {"Wurftag", QDate(2021, 3, 4)},
                   {"Kater", vater},
                   {"Bemerkung", "gut;\nverlaufen"},
                   {"Wurfstaerke", "4"},
                   {"Kennzeichen", true}});
        anhaengen(
            db, "deckbuch",
            {{"Kater", vater}, {"Katze", mutter}, {"Decktermin", QDate(2022, 1, 2)}, {"Erfolge", "ja"}});
    }
};

} // namespace velmora::test
