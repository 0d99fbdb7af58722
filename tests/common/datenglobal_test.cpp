// The shared data module: age texts, titles, the text lines of a cat in pedigrees, HTML pedigrees and
// mating lists, the picture choice and the coat-type completion of the breed list.

#include "common/datenglobal.h"
#include "language/sprache.h"
#include "store/catalogue.h"
#include "store/table.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

using namespace velmora;
using velmora::common::TDatenGlobal;
using velmora::test::DataDir;
using velmora::test::TempDir;

// Readable QString values in failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

using Werte = std::initializer_list<std::pair<const char*, QVariant>>;

// Appends one record and returns its record number.
int einfuegen(store::Database& db, const char* tabelle, Werte werte) {
    store::Table t(db, QString::fromUtf8(tabelle));
    t.open();
    t.append();
    for (const auto& [feld, wert] : werte)
        t.setValue(QString::fromUtf8(feld), wert);
    t.post();
    const qint64 id = t.recordId();
    t.close();
    return int(id);
}

void leeren(store::Database& db, const char* tabelle) {
    store::Table t(db, QString::fromUtf8(tabelle));
    t.open();
    while (!t.isEmpty()) {
        t.first();
        t.remove();
    }
    t.close();
}

QString alter(const QDate& von, const QDate& bis, int art, const QDate& tod = {}) {
    return TDatenGlobal::alterBerechnen(von, bis, tod, art, QStringLiteral("Jahre"), QStringLiteral("Monate"),
                                        QStringLiteral("Tage"), QStringLiteral("Wochen"));
}

QDate d(int tag, int monat, int jahr) {
    return QDate(jahr, monat, tag);
}

// A delivered data directory with a small, known register: one breed, colours, addresses, features,
// titles and cats.
class Katzendaten : public ::testing::Test {
protected:
    DataDir dir;
    store::Database db{dir.path()};
    settings::tsysteminfo einst;
    std::unique_ptr<TDatenGlobal> g;
    QStringList fehler;

    int rasse = 0, fellart = 0, meier = 0, verein = 0, amira = 0;

    void SetUp() override {
        rasse = einfuegen(db, "rasse",
                          {{"RName", QStringLiteral("Testrasse")}, {"RKurzname", QStringLiteral("TST")}});
        einfuegen(db, "farbe",
                  {{"Farbname", QStringLiteral("Testblau")}, {"Farbnummer", QStringLiteral("a")}});
        // the same name twice: once for another breed, once for breed note "XY"
        einfuegen(db, "farbe",
                  {{"Farbname", QStringLiteral("Testrot")},
                   {"Rasseinfo", QStringLiteral("ZZ")},
                   {"Farbnummer", QStringLiteral("w")}});
        einfuegen(db, "farbe",
                  {{"Farbname", QStringLiteral("Testrot")},
                   {"Rasseinfo", QStringLiteral("XY")},
                   {"Farbnummer", QStringLiteral("d")}});
        einfuegen(
            db, "augen",
            {{"Augenfarbe", QStringLiteral("testgrün")}, {"AugenfarbeEng", QStringLiteral("testgreen")}});
        fellart = einfuegen(db, "fellart", {{"Bezeichnung", QStringLiteral("Testfell")}});
        meier = einfuegen(db, "adr_dat",
                          {{"Name", QStringLiteral("Meier")}, {"Vorname", QStringLiteral("Anna")}});
        verein = einfuegen(db, "adr_dat", {{"Name", QStringLiteral("Zuchtverein")}});
        leeren(db, "eigen");
        einfuegen(db, "eigen", {{"Name", QStringLiteral("Schmidt")}, {"Vorname", QStringLiteral("Eva")}});

        amira = katze({{"Name", QStringLiteral("Amira vom Test")},
                       {"Geschlecht", QStringLiteral("2")},
                       {"GebDatum", d(3, 5, 2020)},
                       {"Toddatum", d(2, 1, 2024)},
                       {"FellFarbe", QStringLiteral("Testblau")},
                       {"Augenfarbe", QStringLiteral("testgrün")},
                       {"Züchter", meier},
                       {"Besitzer", verein},
                       {"Status", 2},
                       {"Rasse", rasse},
                       {"Fellart", fellart},
                       {"TitelUSA1", QStringLiteral("3")}});
        titel(amira, QStringLiteral("CH"));
        const int hcm = merkmal("HCM-frei", "HCM"), stb = merkmal("Stammbaum geprüft", "Stb"),
                  bl = merkmal("Blutgruppe bekannt", "BL");
        for (int m : {hcm, stb, bl})
            einfuegen(db, "katzemerkmal", {{"Katze", amira}, {"Merkmal", m}});
        einfuegen(db, "verkauft",
                  {{"Katze", amira}, {"Gekauftam", d(1, 6, 2020)}, {"Verkauftam", d(15, 8, 2021)}});

        g = std::make_unique<TDatenGlobal>(db, einst,
                                           [this](const store::DatabaseError& e, const QString& datei) {
                                               fehler << datei + QStringLiteral(": ") + e.message();
                                           });
        g->kurzDatumsFormat = QStringLiteral("dd.MM.yyyy");
    }

    int katze(Werte werte) { return einfuegen(db, "catstamm", werte); }
    int merkmal(const char* bezeichnung, const char* kuerzel) {
        return einfuegen(db, "merkmale",
                         {{"Bezeichnung", QString::fromUtf8(bezeichnung)},
                          {"Kuerzel", QString::fromUtf8(kuerzel)},
                          {"farbe", 255}});
    }
    // A title record for the cat; an abbreviation not in the title list gets a new entry.
    void titel(int tier, const QString& kuerzel) {
        store::Table t(db, QStringLiteral("titelbez"));
        t.open();
        int nummer = 0;
        for (t.first(); t.hasRecord() && !t.eof(); t.next())
            if (t.asString(QStringLiteral("Kuerzel")) == kuerzel)
                nummer = t.asInt(QStringLiteral("LaufendeNummer"));
        t.close();
        if (!nummer)
            nummer = einfuegen(
                db, "titelbez",
                {{"Titel", QStringLiteral("Titel ohne Kürzel")}, {"Kuerzel", kuerzel}, {"Sortierung", 999}});
        einfuegen(db, "titelhund", {{"Hund", tier}, {"Titel", nummer}});
    }

    QStringList zeilen(int typ, int nr, int generation = 1, bool changeSprache = false,
                       const QString& zusatz = QString()) {
        bool titelVorh = false;
        int titelNr = 0;
        g->Katzendaten(typ, nr, zusatz, titelVorh, generation, changeSprache, titelNr);
        return g->daten;
    }
    QString nameZeile(int nr) const { return QStringLiteral("Amira vom Test {%1}").arg(nr); }
};

} // namespace

// ------------------------------------------------------------------------------------------ age

TEST(Alter, MonthsWeeksAndDaysCarryAsTheRuleSays) {
    // the day overflow moves the start month on before the months are counted
    EXPECT_EQ(alter(d(31, 1, 2020), d(1, 3, 2020), 0), QStringLiteral("1 Monate 0 Wochen"));
    // 30 days, 11 months, then 4 weeks and 2 days: only the weeks are shown
    EXPECT_EQ(alter(d(10, 5, 2019), d(9, 5, 2020), 0), QStringLiteral("11 Monate 4 Wochen"));
    EXPECT_EQ(alter(d(15, 3, 2018), d(15, 3, 2021), 0), QStringLiteral("3 Jahre 0 Monate"));
    EXPECT_EQ(alter(d(1, 1, 2020), d(15, 2, 2020), 0), QStringLiteral("1 Monate 2 Wochen"));
    EXPECT_EQ(alter(d(1, 1, 2020), d(15, 3, 2021), 0), QStringLiteral("1 Jahre 2 Monate"));
    // December rolls over into January of the next year
    EXPECT_EQ(alter(d(20, 12, 2019), d(5, 1, 2020), 0), QStringLiteral("2 Wochen 2 Tage"));
}

TEST(Alter, FebruaryIsCountedByTheStartYear) {
    EXPECT_EQ(alter(d(15, 2, 2020), d(10, 3, 2020), 0), QStringLiteral("3 Wochen 3 Tage")); // 29 days
    EXPECT_EQ(alter(d(15, 2, 2021), d(10, 3, 2021), 0), QStringLiteral("3 Wochen 2 Tage")); // 28 days
}

TEST(Alter, KittenWeightsCountWeeksAndDaysUpTo150Days) {
    EXPECT_EQ(alter(d(1, 1, 2020), d(15, 2, 2020), 4), QStringLiteral("6 Wochen 3 Tage"));
    EXPECT_EQ(alter(d(1, 1, 2020), d(30, 5, 2020), 4), QStringLiteral("21 Wochen 3 Tage")); // 150 days
    // beyond 150 days months and days, and the days are not folded into weeks
    EXPECT_EQ(alter(d(1, 1, 2020), d(20, 7, 2020), 4), QStringLiteral("6 Monate 19 Tage"));
    // below a week the ordinary rule
    EXPECT_EQ(alter(d(1, 1, 2020), d(5, 1, 2020), 4), QStringLiteral("0 Wochen 4 Tage"));
}

TEST(Alter, DeathDateEndsTheAgeOnlyWhenEarlier) {
    EXPECT_EQ(alter(d(1, 1, 2020), d(15, 3, 2021), 0, d(15, 2, 2020)), QStringLiteral("1 Monate 2 Wochen"));
    EXPECT_EQ(alter(d(1, 1, 2020), d(15, 3, 2021), 0, d(1, 1, 2022)), QStringLiteral("1 Jahre 2 Monate"));
}

TEST(Alter, MissingOrReversedDates) {
    EXPECT_EQ(alter(QDate(), d(1, 1, 2020), 0), QString());
    EXPECT_EQ(alter(d(1, 1, 2020), QDate(), 0), QString());
    EXPECT_EQ(alter(d(1, 1, 2020), QDate(), 0, d(1, 6, 2020)), QString());
    EXPECT_EQ(alter(d(2, 1, 2021), d(1, 1, 2020), 0), QStringLiteral("0 Wochen 0 Tage"));
}

TEST_F(Katzendaten, AgeUsesTheCaptionsOfTheLanguageTables) {
    language::TSprache sprache(db, 0);
    ASSERT_TRUE(sprache.oeffnen());
    g->sprache = &sprache;
    EXPECT_EQ(g->alterBerechnen(d(15, 3, 2018), d(15, 3, 2021), {}, 0), QStringLiteral("3 Jahre 0 Monate"));
    EXPECT_EQ(g->alterBerechnen(d(1, 1, 2020), d(15, 2, 2020), {}, 4), QStringLiteral("6 Wochen 3 Tage"));
    sprache.setSprache(1);
    EXPECT_EQ(g->alterBerechnen(d(15, 3, 2018), d(15, 3, 2021), {}, 0), QStringLiteral("3 years 0 months"));
}

// ------------------------------------------------------------------------------------------ titles

TEST_F(Katzendaten, TitlesSkipEmptyAbbreviationsAndKeepTheOrderOfEntryNotOfTitleNumbers) {
    const int kater = katze({{"Name", QStringLiteral("Kater")}, {"Geschlecht", QStringLiteral("1")}});
    titel(kater, QStringLiteral("CH"));
    titel(kater, QString());
    titel(kater, QStringLiteral("GIC"));
    EXPECT_EQ(g->GetTitel(kater), QStringLiteral("CH/GIC"));
    // The order is the order of entry, not of the title numbers.
    const int nachNummer = katze({{"Name", QStringLiteral("Spaet")}, {"Geschlecht", QStringLiteral("1")}});
    titel(nachNummer, QStringLiteral("ZZA")); // the lower title number
    titel(nachNummer, QStringLiteral("ZZB"));
    const int kaetzin = katze({{"Name", QStringLiteral("Kaetzin")}, {"Geschlecht", QStringLiteral("2")}});
    titel(kaetzin, QStringLiteral("ZZB"));
    titel(kaetzin, QString());
    titel(kaetzin, QStringLiteral("ZZA"));
    EXPECT_EQ(g->GetTitel(kaetzin), QStringLiteral("ZZB/ZZA"));

    const int ohne = katze({{"Name", QStringLiteral("Ohne")}, {"Geschlecht", QStringLiteral("1")}});
    EXPECT_EQ(g->GetTitel(ohne, QStringLiteral("vorher")), QString());
    EXPECT_EQ(g->GetTitel(99999, QStringLiteral("vorher")), QStringLiteral("vorher"));
}

// ------------------------------------------------------------------------------------------ pedigree lines

TEST_F(Katzendaten, PedigreeLinesFollowTheChosenOrder) {
    einst.stammbaumAnzeigeArray = settings::stammbaumReihenfolge(QStringLiteral(
        "Titel,Geburtsdatum,Farbe,Züchter,Augenfarbe,Rasse,Rassecode,Merkmale,Fellart,Gestorben"));
    bool titelVorh = false;
    int titelNr = 0;
    g->Katzendaten(1, amira, QString(), titelVorh, 1, false, titelNr);
    EXPECT_TRUE(titelVorh);
    EXPECT_EQ(titelNr, 3);
    EXPECT_TRUE(g->rasseOK);
    const QStringList erwartet{QStringLiteral("CH ") + nameZeile(amira),
                               QStringLiteral("geb.: 03.05.2020"),
                               QStringLiteral("Testblau"),
                               QStringLiteral("Züchter:Anna Meier"),
                               QStringLiteral("Augen:testgrün"),
                               QStringLiteral("Testrasse"),
                               QStringLiteral("TST"),
                               QStringLiteral("HCM / BL"),
                               QStringLiteral("Haarart: Testfell"),
                               QStringLiteral("gest.: 02.01.2024")};
    EXPECT_EQ(g->daten, erwartet);
    EXPECT_EQ(zeilen(3, amira), erwartet);

    // typ 2 puts the prefix in front of the first eight lines only
    const QStringList mitZusatz = zeilen(2, amira, 1, false, QStringLiteral("> "));
    ASSERT_EQ(mitZusatz.size(), erwartet.size());
    for (int i = 0; i < erwartet.size(); ++i)
        EXPECT_EQ(mitZusatz[i], (i < 8 ? QStringLiteral("> ") : QString()) + erwartet[i]) << i;

    einst.Sprache = settings::Sprache::Englisch;
    const QStringList englisch = zeilen(1, amira);
    EXPECT_EQ(englisch.value(1), QStringLiteral("Born:03.05.2020"));
    EXPECT_EQ(englisch.value(3), QStringLiteral("Breeder:Anna Meier"));
    EXPECT_EQ(englisch.value(4), QStringLiteral("Eye-Colour:testgrün"));
    EXPECT_EQ(englisch.value(8), QStringLiteral("Type of coat: Testfell"));
    EXPECT_EQ(englisch.value(9), QStringLiteral("died: 02.01.2024"));
}

TEST_F(Katzendaten, TitlesOnlyWhenChosenAndMissingItemsAddNothing) {
    einst.stammbaumAnzeigeArray =
        settings::stammbaumReihenfolge(QStringLiteral("Farbe,Blutgruppe,Tests,Chipnummer"));
    const int leer = katze({{"Name", QStringLiteral("Leer")},
                            {"Geschlecht", QStringLiteral("1")},
                            {"Tests", QStringLiteral("PKD negativ")}});
    titel(leer, QStringLiteral("CH"));
    bool titelVorh = true;
    int titelNr = 7;
    g->Katzendaten(1, leer, QString(), titelVorh, 1, false, titelNr);
    EXPECT_FALSE(titelVorh);
    EXPECT_EQ(titelNr, 0);
    EXPECT_FALSE(g->rasseOK);
    EXPECT_EQ(g->daten, (QStringList{QStringLiteral("Leer {%1}").arg(leer), QStringLiteral("PKD negativ")}));

    // an unknown cat leaves the lines empty and the out values as they were
    titelVorh = true;
    titelNr = 7;
    g->Katzendaten(1, 99999, QString(), titelVorh, 1, false, titelNr);
    EXPECT_TRUE(g->daten.isEmpty());
    EXPECT_TRUE(titelVorh);
    EXPECT_EQ(titelNr, 7);
}

TEST_F(Katzendaten, FeatureLineDropsOnlyThePedigreeMarkerNotEmptyAbbreviations) {
    einst.stammbaumAnzeigeArray = settings::stammbaumReihenfolge(QStringLiteral("Merkmale,Tests"));
    einst.StammbaumDruckenArray = einst.stammbaumAnzeigeArray;
    const int nurStb = katze({{"Name", QStringLiteral("Nur Stb")},
                              {"Geschlecht", QStringLiteral("1")},
                              {"Tests", QStringLiteral("FeLV negativ")}});
    einfuegen(db, "katzemerkmal", {{"Katze", nurStb}, {"Merkmal", merkmal("Markiert", "Stb")}});
    const int ohne = katze({{"Name", QStringLiteral("Ohne")},
                            {"Geschlecht", QStringLiteral("1")},
                            {"Tests", QStringLiteral("FeLV negativ")}});
    EXPECT_EQ(zeilen(1, nurStb).mid(1), (QStringList{QString(), QStringLiteral("FeLV negativ")}));
    EXPECT_EQ(zeilen(5, nurStb, 2).mid(1),
              (QStringList{QStringLiteral("<BR>"), QStringLiteral("FeLV negativ<BR>")}));
    // without any feature record there is no line at all
    EXPECT_EQ(zeilen(1, ohne).mid(1), QStringList{QStringLiteral("FeLV negativ")});
    // only the marker is left out: a feature without abbreviation keeps its place
    const int leer = katze({{"Name", QStringLiteral("Leer")}, {"Geschlecht", QStringLiteral("1")}});
    for (int m : {merkmal("Eins", "E1"), merkmal("Ohne Kürzel", ""), merkmal("Zwei", "E2")})
        einfuegen(db, "katzemerkmal", {{"Katze", leer}, {"Merkmal", m}});
    EXPECT_EQ(zeilen(1, leer).mid(1), QStringList{QStringLiteral("E1 /  / E2")});
}

TEST_F(Katzendaten, OwnCatsShowTheUsersName) {
    einst.stammbaumAnzeigeArray = settings::stammbaumReihenfolge(QStringLiteral("Besitzer"));
    const int eigene = katze({{"Name", QStringLiteral("Eigene")},
                              {"Geschlecht", QStringLiteral("2")},
                              {"Status", 1},
                              {"Besitzer", meier}});
    const int fremde = katze({{"Name", QStringLiteral("Fremde")},
                              {"Geschlecht", QStringLiteral("2")},
                              {"Status", 2},
                              {"Besitzer", meier}});
    const int ohne =
        katze({{"Name", QStringLiteral("Ohne")}, {"Geschlecht", QStringLiteral("2")}, {"Status", 2}});
    EXPECT_EQ(zeilen(1, eigene).value(1), QStringLiteral("Besitzer:Schmidt, Eva"));
    EXPECT_EQ(zeilen(1, fremde).value(1), QStringLiteral("Besitzer:Anna Meier"));
    EXPECT_EQ(zeilen(1, amira).value(1), QStringLiteral("Besitzer:Zuchtverein")); // no first name
    EXPECT_EQ(zeilen(1, ohne).size(), 1);
}

TEST_F(Katzendaten, RfCodeMatchesNameAndBreedNote) {
    einst.stammbaumAnzeigeArray = settings::stammbaumReihenfolge(QStringLiteral("RF-Code,Farbcode"));
    auto mitFarbe = [&](const QString& farbe, int mitRasse) {
        return katze({{"Name", farbe},
                      {"Geschlecht", QStringLiteral("1")},
                      {"FellFarbe", farbe},
                      {"Rasse", mitRasse}});
    };
    // the breed note picks the colour row with that note, not the first of the name
    EXPECT_EQ(zeilen(1, mitFarbe(QStringLiteral("(XY) Testrot"), rasse)).mid(1),
              QStringList{QStringLiteral("TST d")});
    // without a note the first row of the name; the colour code line follows
    EXPECT_EQ(zeilen(1, mitFarbe(QStringLiteral("Testrot"), rasse)).mid(1),
              (QStringList{QStringLiteral("TST w"), QStringLiteral("Farb-Code:w")}));
    EXPECT_EQ(zeilen(1, mitFarbe(QStringLiteral("Testblau"), rasse)).mid(1),
              (QStringList{QStringLiteral("TST a"), QStringLiteral("Farb-Code:a")}));
    // an unknown note finds nothing
    EXPECT_EQ(zeilen(1, mitFarbe(QStringLiteral("(QQ) Testrot"), rasse)).size(), 1);
    // no breed, no RF code (the colour code does not need the breed)
    EXPECT_EQ(zeilen(1, mitFarbe(QStringLiteral("Testblau"), 0)).mid(1),
              QStringList{QStringLiteral("Farb-Code:a")});
    EXPECT_EQ(zeilen(1, mitFarbe(QStringLiteral("(XY) Testrot"), 98765)).size(), 1);
    EXPECT_FALSE(g->rasseOK);
}

TEST_F(Katzendaten, PictureChoice) {
    TempDir bilder;
    const QString p1 = bilder.file(QStringLiteral("eins.jpg")), p2 = bilder.file(QStringLiteral("zwei.jpg")),
                  p3 = bilder.file(QStringLiteral("drei.jpg"));
    auto neuesBild = [&](int tier, const QString& pfad) {
        einfuegen(db, "bilder", {{"KatzeNr", tier}, {"Bildpfad", pfad}});
    };
    QFile f(p1);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();

    // the third picture is chosen even though only the first file exists
    const int gewaehlt =
        katze({{"Name", QStringLiteral("Gewählt")}, {"Geschlecht", QStringLiteral("1")}, {"Feld2", 3}});
    for (const QString& p : {p1, p2, p3})
        neuesBild(gewaehlt, p);
    zeilen(1, gewaehlt);
    EXPECT_EQ(g->bild, p3);

    // without a choice the first existing file
    const int frei = katze({{"Name", QStringLiteral("Frei")}, {"Geschlecht", QStringLiteral("1")}});
    for (const QString& p : {p2, p1, p3})
        neuesBild(frei, p);
    zeilen(1, frei);
    EXPECT_EQ(g->bild, p1);

    // no existing file, no picture; another cat's pictures do not count
    const int keins =
        katze({{"Name", QStringLiteral("Keins")}, {"Geschlecht", QStringLiteral("1")}, {"Feld2", 5}});
    neuesBild(keins, p2);
    zeilen(1, keins);
    EXPECT_EQ(g->bild, QString());
}

// ------------------------------------------------------------------------------------------ HTML pedigree

TEST_F(Katzendaten, HtmlLinesOfTheCatItself) {
    einst.StammbaumDruckenArray =
        settings::stammbaumReihenfolge(QStringLiteral("Titel,Farbe,Geburtsdatum,Züchter,Rasse,Augenfarbe"));
    einst.TitelRot = false;
    g->htmlNamensFarbe = 0xFF8000; // blue 255, green 128, red 0
    EXPECT_EQ(zeilen(5, amira, 1),
              (QStringList{QStringLiteral("<font color=\"#0080FF\"> <strong>CH Amira vom Test</strong></P>"),
                           QStringLiteral("Testblau</P>"), QStringLiteral("geb.: 03.05.2020<BR>"),
                           QStringLiteral("Züchter: Anna Meier<BR>"), QStringLiteral("Rasse: Testrasse<BR>"),
                           QStringLiteral("Augen: testgrün<BR>")}));
    // the English eye colour when the page language changes; no breed from generation 3 on
    EXPECT_EQ(
        zeilen(5, amira, 3, true),
        (QStringList{QStringLiteral("<font color=\"#0080FF\"> <strong>CH Amira vom Test</strong><BR>"),
                     QStringLiteral("Testblau<BR>"), QStringLiteral("geb.: 03.05.2020<BR>"),
                     QStringLiteral("Züchter: Anna Meier<BR>"), QStringLiteral("Augen: testgreen<BR>")}));

    einst.TitelRot = true;
    EXPECT_EQ(zeilen(5, amira, 2).value(0),
              QStringLiteral("<font color=\"#FF0000\"> <strong>CH Amira vom Test</strong><BR>"));
    const int ohneTitel = katze({{"Name", QStringLiteral("Ohne")}, {"Geschlecht", QStringLiteral("1")}});
    EXPECT_EQ(zeilen(5, ohneTitel, 2).value(0),
              QStringLiteral("<font color=\"#0080FF\"><strong>Ohne</strong><BR>"));
}

TEST_F(Katzendaten, HtmlOuterGenerationsGetFewerLines) {
    einst.StammbaumDruckenArray =
        settings::stammbaumReihenfolge(QStringLiteral("Titel,Farbe,Geburtsdatum,Züchter,Augenfarbe"));
    auto datenZeilen = [&](int nr, int generation) { return zeilen(5, nr, generation).mid(1); };
    g->htmlGenerationen = 5;
    EXPECT_EQ(datenZeilen(amira, 4),
              (QStringList{QStringLiteral("Testblau<BR>"), QStringLiteral("geb.: 03.05.2020<BR>")}));
    EXPECT_EQ(datenZeilen(amira, 3).size(), 4);
    EXPECT_EQ(zeilen(5, amira, 5).size(), 1);
    // an item without a value does not use up a line
    const int ohneFarbe = katze({{"Name", QStringLiteral("Ohne Farbe")},
                                 {"Geschlecht", QStringLiteral("1")},
                                 {"GebDatum", d(1, 2, 2019)},
                                 {"Züchter", meier},
                                 {"Augenfarbe", QStringLiteral("blau")}});
    EXPECT_EQ(datenZeilen(ohneFarbe, 4), (QStringList{QStringLiteral("geb.: 01.02.2019<BR>"),
                                                      QStringLiteral("Züchter: Anna Meier<BR>")}));
    g->htmlGenerationen = 4;
    EXPECT_EQ(datenZeilen(amira, 4), QStringList{QStringLiteral("Testblau<BR>")});
    g->htmlGenerationen = 6;
    EXPECT_EQ(datenZeilen(amira, 4).size(), 3);
    g->htmlGenerationen = 8;
    EXPECT_TRUE(datenZeilen(amira, 4).isEmpty());
}

TEST_F(Katzendaten, HtmlColourCarriesTheBreedCodeFromGenerationThree) {
    // "Rassecode" also selects the breed name it contains
    einst.StammbaumDruckenArray =
        settings::stammbaumReihenfolge(QStringLiteral("Farbe,Rassecode,Showerfolge"));
    einst.stammbaumAnzeigeArray = einst.StammbaumDruckenArray;
    einfuegen(db, "bewert", {{"Katze", amira}, {"Bewertung", QStringLiteral("BIS\r\nNom")}});
    einfuegen(db, "bewert", {{"Katze", amira}, {"Bewertung", QStringLiteral("später")}});
    EXPECT_EQ(zeilen(5, amira, 3).mid(1),
              (QStringList{QStringLiteral("Testblau / TST<BR>"), QStringLiteral("BIS  Nom<BR>")}));
    EXPECT_EQ(zeilen(5, amira, 2).mid(1),
              (QStringList{QStringLiteral("Testblau<BR>"), QStringLiteral("Rasse: Testrasse<BR>"),
                           QStringLiteral("BIS  Nom<BR>")}));
    // the pedigree window keeps the evaluation as it is
    EXPECT_EQ(zeilen(1, amira).mid(1), (QStringList{QStringLiteral("Testblau"), QStringLiteral("Testrasse"),
                                                    QStringLiteral("TST"), QStringLiteral("BIS\r\nNom")}));
}

// ------------------------------------------------------------------------------------------ mating lines

TEST_F(Katzendaten, MatingLinesUseTheirOwnOrderAndItems) {
    einst.verpaarungAnzeigeArray = settings::verpaarungReihenfolge(QStringLiteral(
        "Titel,Farbe,Augenfarbe,Geburtsdatum,Züchter,Gekauft,Verkauft,Merkmale,Fellart,Gestorben"));
    bool titelVorh = false;
    g->KatzendatenVerp(amira, QString(), titelVorh);
    EXPECT_TRUE(titelVorh);
    EXPECT_EQ(g->daten,
              (QStringList{QStringLiteral("CH Amira vom Test"), QStringLiteral(",  Testblau"),
                           QStringLiteral(",  A.:testgrün"), QStringLiteral(",  geb.: 03.05.2020"),
                           QStringLiteral(",  Z.: Anna Meier"), QStringLiteral(",  01.06.2020"),
                           QStringLiteral(",  15.08.2021"), QStringLiteral(",  HCM / BL"),
                           QStringLiteral(",  Haarart: Testfell"), QStringLiteral(",  gest.: 02.01.2024")}));
    einst.Sprache = settings::Sprache::Englisch;
    einst.verpaarungAnzeigeArray =
        settings::verpaarungReihenfolge(QStringLiteral("Besitzer,Züchter,Augenfarbe"));
    g->KatzendatenVerp(amira, QString(), titelVorh);
    EXPECT_FALSE(titelVorh);
    EXPECT_EQ(g->daten,
              (QStringList{QStringLiteral("Amira vom Test"), QStringLiteral(",  O.: Zuchtverein"),
                           QStringLiteral(",  B.: Anna Meier"), QStringLiteral(",  Eye:testgrün")}));
    g->KatzendatenVerp(99999, QString(), titelVorh);
    EXPECT_TRUE(g->daten.isEmpty());
}

// ------------------------------------------------------------------------------------------ opening

TEST_F(Katzendaten, ReopeningKeepsEverythingWorking) {
    EXPECT_TRUE(fehler.isEmpty()) << fehler.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(g->dbRasse.openMode(), store::Table::OpenMode::ReadOnly);
    g->Dateienoeffnen();
    // a restore disconnects the data directory under the open cursors
    db.disconnect();
    g->Dateienoeffnen();
    EXPECT_TRUE(fehler.isEmpty()) << fehler.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(g->GetTitel(amira), QStringLiteral("CH"));
    einst.stammbaumAnzeigeArray = settings::stammbaumReihenfolge(QStringLiteral("Merkmale"));
    EXPECT_EQ(zeilen(1, amira).value(1), QStringLiteral("HCM / BL"));
    ASSERT_TRUE(g->dbAdrDat.findKey({meier}));
    EXPECT_EQ(g->dbAdrDat.asString(QStringLiteral("Anzeige")), QStringLiteral("Anna Meier"));
}

TEST(Dateienoeffnen, MissingTablesAreReportedAndTheRestWorks) {
    TempDir dir;
    store::Database db(dir.path());
    db.createTable(*store::catalogueTable(QStringLiteral("catstamm")));
    const int nr =
        einfuegen(db, "catstamm", {{"Name", QStringLiteral("Mia")}, {"Geschlecht", QStringLiteral("2")}});
    settings::tsysteminfo einst;
    einst.stammbaumAnzeigeArray =
        settings::stammbaumReihenfolge(QStringLiteral("Titel,Farbe,Rasse,Merkmale"));
    QStringList dateien;
    TDatenGlobal g(db, einst, [&](const store::DatabaseError&, const QString& datei) { dateien << datei; });
    EXPECT_TRUE(dateien.contains(QStringLiteral("farbe.db")));
    EXPECT_TRUE(dateien.contains(QStringLiteral("titelhund.db")));
    EXPECT_FALSE(dateien.contains(QStringLiteral("catstamm.db")));
    // the evaluation table is created when missing
    EXPECT_FALSE(dateien.contains(QStringLiteral("bewert.db")));
    EXPECT_TRUE(db.tableExists(QStringLiteral("bewert")));
    EXPECT_EQ(dateien.count(QStringLiteral("farbe.db")), 1);

    bool titelVorh = true;
    int titelNr = 0;
    g.Katzendaten(1, nr, QString(), titelVorh, 1, false, titelNr);
    EXPECT_FALSE(titelVorh);
    EXPECT_EQ(g.daten, QStringList{QStringLiteral("Mia {%1}").arg(nr)});
}

TEST(Dateienoeffnen, ADamagedTableIsReportedOnceHoweverManyCursorsItHas) {
    DataDir dir;
    for (const char* n : {"catstamm.db", "farbe.db"}) {
        QFile f(dir.file(QString::fromLatin1(n)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray(8192, 'x')); // not a table any more
    }
    store::Database db(dir.path());
    settings::tsysteminfo einst;
    QStringList dateien;
    TDatenGlobal g(db, einst, [&](const store::DatabaseError&, const QString& datei) { dateien << datei; });
    EXPECT_EQ(dateien.count(QStringLiteral("catstamm.db")), 1)
        << dateien.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(dateien.count(QStringLiteral("farbe.db")), 1) << dateien.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(g.dbRasse.isOpen());
    g.Dateienoeffnen(); // after a restore each is reported again, once
    EXPECT_EQ(dateien.count(QStringLiteral("catstamm.db")), 2);
}

// ------------------------------------------------------------------------------------------ coat types

namespace {

// A breed table from before the coat fields existed.
void alteRasseAnlegen(store::Database& db, std::initializer_list<const char*> namen) {
    store::TableDef alt = *store::catalogueTable(QStringLiteral("rasse"));
    alt.fields.erase(std::remove_if(alt.fields.begin(), alt.fields.end(),
                                    [](const store::FieldDef& f) {
                                        return f.name == QLatin1String("Haarart") ||
                                               f.name == QLatin1String("Haarlos") ||
                                               f.name == QLatin1String("Faltohr");
                                    }),
                     alt.fields.end());
    db.createTable(alt);
    for (const char* n : namen)
        einfuegen(db, "rasse", {{"RName", QString::fromUtf8(n)}});
}

QMap<QString, QString> fellfelder(store::Database& db) {
    QMap<QString, QString> m;
    store::Table t(db, QStringLiteral("rasse"));
    t.open(store::Table::OpenMode::ReadOnly);
    for (t.first(); t.hasRecord() && !t.eof(); t.next())
        m.insert(t.asString(QStringLiteral("RName")),
                 t.asString(QStringLiteral("Haarart")) + QLatin1Char('|') +
                     t.asString(QStringLiteral("Haarlos")) + QLatin1Char('|') +
                     t.asString(QStringLiteral("Faltohr")));
    return m;
}

} // namespace

TEST(HaarartErgaenzen, UpgradeFillsCoatTypesFromTheBreedNames) {
    TempDir dir;
    store::Database db(dir.path());
    alteRasseAnlegen(db,
                     {"Britisch Kurzhaar", "Maine Coon", "Perser Langhaar", "Exotic Short-Hair", "Sphynx"});
    settings::tsysteminfo einst;
    TDatenGlobal g(db, einst);
    const auto m = fellfelder(db);
    EXPECT_EQ(m.value(QStringLiteral("Britisch Kurzhaar")), QStringLiteral("2||"));
    EXPECT_EQ(m.value(QStringLiteral("Maine Coon")), QStringLiteral("||"));
    EXPECT_EQ(m.value(QStringLiteral("Perser Langhaar")), QStringLiteral("1||"));
    EXPECT_EQ(m.value(QStringLiteral("Exotic Short-Hair")), QStringLiteral("2||"));
    EXPECT_EQ(m.value(QStringLiteral("Sphynx")), QStringLiteral("||"));
    EXPECT_EQ(g.dbRasse.openMode(), store::Table::OpenMode::ReadOnly);
}

TEST(HaarartErgaenzen, SupplementTableWinsOverTheName) {
    TempDir dir;
    store::Database db(dir.path());
    alteRasseAnlegen(db, {"Britisch Kurzhaar", "Maine Coon", "Scottish Fold Langhaar", "Sphynx"});
    db.createTable(*store::catalogueTable(QStringLiteral("rasseergaenzen")));
    einfuegen(db, "rasseergaenzen",
              {{"RName", QStringLiteral("Maine Coon")}, {"Haarart", QStringLiteral("1")}});
    einfuegen(db, "rasseergaenzen",
              {{"RName", QStringLiteral("Scottish Fold Langhaar")},
               {"Haarart", QStringLiteral("1")},
               {"Faltohr", QStringLiteral("1")}});
    einfuegen(db, "rasseergaenzen",
              {{"RName", QStringLiteral("Sphynx")},
               {"Haarart", QStringLiteral("2")},
               {"Haarlos", QStringLiteral("1")}});
    settings::tsysteminfo einst;
    TDatenGlobal g(db, einst);
    const auto m = fellfelder(db);
    EXPECT_EQ(m.value(QStringLiteral("Britisch Kurzhaar")), QStringLiteral("2||"));
    EXPECT_EQ(m.value(QStringLiteral("Maine Coon")), QStringLiteral("1||"));
    EXPECT_EQ(m.value(QStringLiteral("Scottish Fold Langhaar")), QStringLiteral("1||1"));
    EXPECT_EQ(m.value(QStringLiteral("Sphynx")), QStringLiteral("2|1|"));
    EXPECT_FALSE(g.dbTMP.isOpen());
}

TEST(HaarartErgaenzen, RunsFromTheCurrentBreedOnAndOnlyOnce) {
    TempDir dir;
    store::Database db(dir.path());
    db.createTable(*store::catalogueTable(QStringLiteral("rasse")));
    for (const char* n : {"Britisch Kurzhaar", "Perser Langhaar", "Exotic Shorthair"})
        einfuegen(db, "rasse", {{"RName", QString::fromUtf8(n)}});
    settings::tsysteminfo einst;
    TDatenGlobal g(db, einst);
    // the table already has the coat fields: opening completes nothing
    EXPECT_EQ(fellfelder(db).value(QStringLiteral("Britisch Kurzhaar")), QStringLiteral("||"));
    g.dbRasse.first();
    g.dbRasse.next();
    g.HaarartErgaenzen();
    const auto m = fellfelder(db);
    EXPECT_EQ(m.value(QStringLiteral("Britisch Kurzhaar")), QStringLiteral("||"));
    EXPECT_EQ(m.value(QStringLiteral("Perser Langhaar")), QStringLiteral("1||"));
    EXPECT_EQ(m.value(QStringLiteral("Exotic Shorthair")), QStringLiteral("2||"));
    EXPECT_EQ(g.dbRasse.openMode(), store::Table::OpenMode::ReadOnly);
}

TEST(Anzeige, FirstNameBeforeName) {
    EXPECT_EQ(TDatenGlobal::anzeigeName(QStringLiteral("Meier"), QStringLiteral("Anna")),
              QStringLiteral("Anna Meier"));
    EXPECT_EQ(TDatenGlobal::anzeigeName(QStringLiteral("Meier"), QString()), QStringLiteral("Meier"));
}
