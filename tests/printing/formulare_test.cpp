// The registration forms' prefilling: the litter registration from the queen, her litter, its stud and
// the kittens; the show entries from the cat, its parents and the user's data; what is missing named.

#include "printing/formulare.h"
#include "support/testsupport.h"
#include "katzenregister.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::printing;

namespace {

struct Formulare : ::testing::Test {
    void SetUp() override {
        db = std::make_unique<store::Database>(dir.path());
        test::druckRegisterSchreiben(*db);
        // Kittens of the litter of 14 March 2024 (a neutered male counts as male) and one of another day.
        const struct {
            int nr;
            const char* name;
            const char* geschlecht;
            QDate geb;
        } kitten[] = {{30, "Anton", "1", {2024, 3, 14}}, {31, "Berta", "2", {2024, 3, 14}},
                      {32, "Carlo", "3", {2024, 3, 14}}, {33, "Dana", "2", {2023, 1, 1}}};
        for (const auto& k : kitten)
            test::zeileSchreiben(*db, "catstamm",
                                 {{QStringLiteral("LaufendeNummer"), k.nr}, {QStringLiteral("Name"), QString::fromUtf8(k.name)},
                                  {QStringLiteral("Geschlecht"), QString::fromUtf8(k.geschlecht)},
                                  {QStringLiteral("Mutter"), 10}, {QStringLiteral("GebDatum"), k.geb},
                                  {QStringLiteral("FellFarbe"), QStringLiteral("n 24")}, {QStringLiteral("Rasse"), 1}});
        quelle = std::make_unique<Druckquelle>(*db, info, 0);
        quelle->heute = QDate(2026, 12, 10);
    }
    Druckauftrag auftrag(int katze) {
        Druckauftrag a;
        a.katze = katze;
        return a;
    }
    test::DataDir dir;
    std::unique_ptr<store::Database> db;
    settings::tsysteminfo info;
    std::unique_ptr<Druckquelle> quelle;
};

TEST_F(Formulare, LitterRegistrationTakesQueenStudLitterKittensAndOwnData) {
    const Formular f = wurfmeldungVorbelegen(*quelle, auftrag(10));
    EXPECT_EQ(f.titel, QStringLiteral("Wurfmeldung und Antrag auf Ahnentafel"));
    EXPECT_TRUE(f.fehlend.isEmpty()) << f.fehlend.join(QLatin1Char(',')).toStdString();
    const std::pair<const char*, const char*> erwartet[] = {
        {"MutterName", "CH Luna vom Lindenhof"}, {"MutterRasse", "Abessinier"},     {"MutterZuchtbuch", "ZB-10"},
        {"MutterChip", "276000000000010"},      {"MutterGebDatum", "03.04.2021"},  {"MutterZwingernummer", ""},
        {"VaterName", "Zorro of Brook"},        {"VaterZuchtbuch", "ZB-20"},       {"VaterBesitzer", "Hofmann, Karl"},
        {"VaterStrasse", "Am Bach 1"},          {"VaterOrt", "54321 Bergdorf"},    {"VaterMitgliedsnummer", ""},
        {"Deckdatum", "10.01.2024"},            {"Geburtsdatum", "14.03.2024"},    {"Jungtiere", "2/1"},
        {"Mitgliedsnummer", "M-77"},            {"Zwingername", "vom Lindenhof"}};
    for (const auto& [feld, wert] : erwartet)
        EXPECT_EQ(f.wert(QLatin1String(feld)), QString::fromUtf8(wert)) << feld;
    ASSERT_EQ(f.tabelle.size(), 3);
    EXPECT_EQ(f.tabelle[0], (QStringList{"Anton", "männlich", "Abessinier", "", "n 24"}));
    // In sex-code order 1, 2, 3; the neutered male shows as male.
    EXPECT_EQ(f.tabelle[1][0], QStringLiteral("Berta"));
    EXPECT_EQ(f.tabelle[2].mid(0, 2), (QStringList{"Carlo", "männlich"}));
}

TEST_F(Formulare, FatherTitleFromTheOlderTitleCodes) {
    const struct {
        const char *geschlecht, *ger1, *usa1, *ger2, *usa2, *text;
    } faelle[] = {{"1", "2", "1", "", "", "Int.Ch./CH"}, {"1", "6", "", "3", "3", "World Ch."},
                  {"3", "2", "1", "1", "", "Ch."},       {"1", "7", "0", "", "", ""},
                  {"1", "", "6", "", "", "SGC"}};
    for (const auto& f : faelle) {
        DruckKatze k;
        k.geschlecht = QLatin1String(f.geschlecht);
        k.titelGer1 = QLatin1String(f.ger1), k.titelUsa1 = QLatin1String(f.usa1);
        k.titelGer2 = QLatin1String(f.ger2), k.titelUsa2 = QLatin1String(f.usa2);
        EXPECT_EQ(vaterTitel(k), QLatin1String(f.text)) << f.ger1 << f.usa1;
    }
}

TEST_F(Formulare, ShowEntriesPrefillExhibitorCatAndParents) {
    const Formular f = meldeformularVorbelegen(*quelle, auftrag(10));
    const std::pair<const char*, const char*> erwartet[] = {
        {"Aussteller", "Berger, Anna"},  {"PlzOrt", "12345 Waldstadt"}, {"Land", "Deutschland"},
        {"MitgliedBei", "Katzenfreunde Waldstadt"}, {"NameKatze", "CH Luna vom Lindenhof"},
        {"Geschlecht", "weiblich"},      {"Vater", "IC Atlas of Brook"}, {"VaterFarbe", "Farbe 11"},
        {"Mutter", "Bella vom Lindenhof"}, {"Zuechter", "Hofmann, Karl"}, {"Datum", "10.12.2026"},
        {"Ausstellungsort", ""},         {"Klasse1", ""}};
    for (const auto& [feld, wert] : erwartet)
        EXPECT_EQ(f.wert(QLatin1String(feld)), QString::fromUtf8(wert)) << feld;
    int klassen = 0;
    for (const Formularabschnitt& a : f.abschnitte)
        for (const Formularfeld& feld : a.felder)
            klassen += feld.name.startsWith(QLatin1String("Klasse"));
    EXPECT_EQ(klassen, 27);

    // CFA: the plain name, the date month/day/year, the colour class from the colour list.
    {
        store::Table t(*db, QStringLiteral("catstamm"));
        t.open();
        ASSERT_TRUE(t.findKey({10}));
        t.edit();
        t.setValue(QStringLiteral("GebDatum"), QDate(2014, 3, 5));
        t.post();
    }
    test::zeileSchreiben(*db, "farbe", {{QStringLiteral("Farbname"), QStringLiteral("Farbe 10")},
                                        {QStringLiteral("Farbnummer"), QStringLiteral("0921")}});
    Druckquelle q(*db, info, 0);
    const Formular c = meldeformularCfaVorbelegen(q, auftrag(10));
    EXPECT_EQ(c.wert(QStringLiteral("NameKatze")), QStringLiteral("Luna vom Lindenhof"));
    EXPECT_EQ(c.wert(QStringLiteral("GebDatum")), QStringLiteral("03/05/2014"));
    EXPECT_EQ(c.wert(QStringLiteral("Farbklasse")), QStringLiteral("0921"));
    EXPECT_EQ(c.wert(QStringLiteral("CfaReg")), QStringLiteral("ZB-10"));
}

TEST_F(Formulare, MissingLitterAndOwnDataAreNamed) {
    const Formular ohneWurf = wurfmeldungVorbelegen(*quelle, auftrag(12));
    EXPECT_EQ(ohneWurf.fehlend, QStringList{QStringLiteral("kein Wurf gewählt")});
    EXPECT_EQ(fehlendText(*quelle, ohneWurf), QStringLiteral("Es fehlen: kein Wurf gewählt"));
    {
        store::Table t(*db, QStringLiteral("eigen"));
        t.open();
        t.first();
        t.remove();
    }
    Druckquelle q(*db, info, 0);
    const Formular f = meldeformularVorbelegen(q, auftrag(10));
    EXPECT_EQ(f.fehlend, QStringList{QStringLiteral("keine eigenen Daten (Benutzerdaten)")});
    // The printed form says so too.
    QStringList texte;
    for (const TextElement& t : formularBericht(q, f, QStringLiteral("FIFe")).seite(0).texte())
        texte << t.text;
    EXPECT_TRUE(texte.contains(QStringLiteral("Es fehlen: keine eigenen Daten (Benutzerdaten)")));
    EXPECT_TRUE(texte.contains(QStringLiteral("FIFe")));
}

} // namespace
