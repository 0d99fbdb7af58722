// Search and replace over one column: the match rule, replace all over many cats in the column the
// cursor is sorted by, only that column changed, a refused value stopping the run, abort, and number and
// date columns.

#include "exchange/register.h"
#include "exchange/suchenersetzen.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::exchange;

TEST(SuchenErsetzen, MatchRule) {
    const struct {
        const char *wert, *suchen, *ersetzen;
        bool ignorieren, ganz;
        qsizetype pos;
    } faelle[] = {
        {"Kater", "Kat", "Katze", false, false, 0},
        {"Katze", "Kat", "Katze", false, false, -1}, // already holds the replacement
        {"katze", "KAT", "x", true, false, 0},
        {"katze", "KAT", "x", false, false, -1},
        {"KATZE", "Kat", "katze", true, false, -1}, // the replacement compared by the same case rule
        {"Rot Weiß", "Rot", "Schwarz", false, true, 0},
        {"Weiß Rot", "Rot", "Schwarz", false, true, 5},
        {"Rotbraun", "Rot", "Schwarz", false, true, -1},
        {"Rotbraun Rot", "Rot", "Schwarz", false, true, -1},  // only the first occurrence is tried
        {"aa", "a", "", false, false, 0},                     // an empty replacement never blocks
        {"Katerchen", "Katerchen", "Kater", false, false, 0}, // nor one within the search text
        {"", "a", "b", false, false, -1},
    };
    for (const auto& f : faelle) {
        const SuchText s{QString::fromUtf8(f.suchen), QString::fromUtf8(f.ersetzen), f.ignorieren, f.ganz};
        EXPECT_EQ(treffer(QString::fromUtf8(f.wert), s), f.pos) << f.wert << " / " << f.suchen;
    }
    EXPECT_EQ(ersetzt(QStringLiteral("Kater"), 0, {QStringLiteral("Kat"), QStringLiteral("Katze")}),
              QStringLiteral("Katzeer"));
}

class Ersetzen : public ::testing::Test {
protected:
    void SetUp() override {
        test::leereTabellen(db);
        store::Table t(db, QStringLiteral("catstamm"));
        t.open();
        store::Transaction tx(db, QStringLiteral("catstamm"));
        for (int i = 0; i < 1200; ++i) {
            t.append();
            t.setValue(
                QStringLiteral("Name"),
                QStringLiteral("%1 Kat %2").arg(i % 3 ? "Rot" : "Blau").arg(i, 4, 10, QLatin1Char('0')));
            t.setValue(QStringLiteral("Rufname"), QStringLiteral("Rot"));
            t.setValue(QStringLiteral("Geschlecht"), QStringLiteral("1"));
            t.setValue(QStringLiteral("GebDatum"), QDate(2020, 1 + i % 12, 1));
            t.setValue(QStringLiteral("Status"), i % 2 ? 2 : 1);
            t.post();
        }
        tx.commit();
        katzen.open();
        katzen.setIndexName(QStringLiteral("Nameidx"));
    }
    int feld(const char* n) { return katzen.fieldIndex(QString::fromLatin1(n)); }
    int zaehlen(const QString& sql) {
        store::Query q(db, sql);
        return q.next() ? q.value(0).toInt() : -1;
    }
    test::TempDir dir;
    store::Database db{dir.path()};
    store::Table katzen{db, QStringLiteral("catstamm")};
};

// The name is the column the cursor is sorted by: every replaced record moves, none is missed or
// replaced twice, and the other column holding the same text stays as it was.
TEST_F(Ersetzen, ReplaceAllInTheSortedColumnOnlyThatColumn) {
    Suchlauf lauf(katzen, feld("Name"), {QStringLiteral("Rot"), QStringLiteral("Zinnober"), false, true});
    int meldungen = 0;
    const Suchlauf::Alle a = lauf.alleErsetzen([&](int, int) { return ++meldungen, false; }, 100);
    EXPECT_EQ(a.ersetzt, 800);
    EXPECT_EQ(meldungen, 800);
    EXPECT_FALSE(a.fehler || a.abgebrochen);
    EXPECT_EQ(zaehlen(QStringLiteral("SELECT COUNT(*) FROM catstamm WHERE Name LIKE 'Zinnober Kat %'")), 800);
    EXPECT_EQ(zaehlen(QStringLiteral("SELECT COUNT(*) FROM catstamm WHERE Name LIKE '%Rot%'")), 0);
    EXPECT_EQ(zaehlen(QStringLiteral("SELECT COUNT(*) FROM catstamm WHERE Rufname = 'Rot'")), 1200);
}

TEST_F(Ersetzen, SearchStopsOnEachMatchAndReplaceKeepsThePlace) {
    Suchlauf lauf(katzen, feld("Name"), {QStringLiteral("blau"), QStringLiteral("Weiss"), true, false});
    ASSERT_EQ(lauf.weiter(), Suchlauf::Schritt::Treffer);
    EXPECT_EQ(katzen.asString(QStringLiteral("Name")), QStringLiteral("Blau Kat 0000"));
    lauf.ersetzen(); // moves to the end of the name order
    ASSERT_EQ(lauf.weiter(), Suchlauf::Schritt::Treffer);
    EXPECT_EQ(katzen.asString(QStringLiteral("Name")), QStringLiteral("Blau Kat 0003"));
    int gefunden = 2;
    while (lauf.weiter() == Suchlauf::Schritt::Treffer)
        ++gefunden;
    EXPECT_EQ(gefunden, 400); // the replaced one is not found again
    int schritte = 0;
    Suchlauf abbruch(katzen, feld("Name"), {QStringLiteral("nirgends"), QString()});
    EXPECT_EQ(abbruch.weiter([&] { return ++schritte == 10; }), Suchlauf::Schritt::Abgebrochen);
}

TEST_F(Ersetzen, RefusedValueStopsAtThatCatAndKeepsTheEarlierOnes) {
    // Rufname holds 15 characters: the cats whose birthday makes the text too long refuse it.
    store::Table t(db, QStringLiteral("catstamm"));
    t.open();
    t.setIndexName(QStringLiteral("Nameidx"));
    t.first();
    t.next();
    t.next();
    t.edit();
    t.setValue(QStringLiteral("Rufname"), QStringLiteral("Rot Rot Rot Rot"));
    t.post();
    const QString dritte = t.asString(QStringLiteral("Name"));
    katzen.refresh();
    Suchlauf lauf(katzen, feld("Rufname"), {QStringLiteral("Rot"), QStringLiteral("Purpur")});
    const Suchlauf::Alle a = lauf.alleErsetzen({}, 1);
    ASSERT_TRUE(a.fehler);
    EXPECT_EQ(a.fehler->code(), store::code::ValueTooLong);
    EXPECT_EQ(a.ersetzt, 2);
    EXPECT_TRUE(a.katze.startsWith(dritte + QStringLiteral(" ("))) << a.katze.toStdString();
    EXPECT_EQ(zaehlen(QStringLiteral("SELECT COUNT(*) FROM catstamm WHERE Rufname = 'Purpur'")), 2);
    EXPECT_EQ(zaehlen(QStringLiteral("SELECT COUNT(*) FROM catstamm WHERE Rufname = 'Rot Rot Rot Rot'")), 1);
}

TEST_F(Ersetzen, AbortKeepsWhatWasReplaced) {
    Suchlauf lauf(katzen, feld("Rufname"), {QStringLiteral("Rot"), QStringLiteral("Gelb")});
    const Suchlauf::Alle a = lauf.alleErsetzen([](int n, int) { return n == 250; }, 100);
    EXPECT_TRUE(a.abgebrochen);
    EXPECT_EQ(a.ersetzt, 250);
    EXPECT_EQ(zaehlen(QStringLiteral("SELECT COUNT(*) FROM catstamm WHERE Rufname = 'Gelb'")), 250);
}

TEST_F(Ersetzen, NumberAndDateColumns) {
    Suchlauf status(katzen, feld("Status"), {QStringLiteral("2"), QStringLiteral("4")});
    EXPECT_EQ(status.alleErsetzen().ersetzt, 600);
    EXPECT_EQ(zaehlen(QStringLiteral("SELECT COUNT(*) FROM catstamm WHERE Status = 4")), 600);
    Suchlauf datum(katzen, feld("GebDatum"), {QStringLiteral(".2020"), QStringLiteral(".2019")});
    EXPECT_EQ(datum.alleErsetzen().ersetzt, 1200);
    EXPECT_EQ(zaehlen(QStringLiteral("SELECT COUNT(*) FROM catstamm WHERE GebDatum < '2020-01-01'")), 1200);
    Suchlauf falsch(katzen, feld("GebDatum"), {QStringLiteral("01.01."), QStringLiteral("99.99.")});
    const Suchlauf::Alle a = falsch.alleErsetzen();
    EXPECT_TRUE(a.fehler);
    EXPECT_EQ(a.ersetzt, 0);
}
