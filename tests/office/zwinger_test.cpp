// The kennel registers on the delivered public register: search with kinds of cats, the marks of a
// kennel's cats, a lost sort index, the private tables made on demand and the copy into the address book.

#include "office/adressen.h"
#include "office/vcard.h"
#include "office/zwinger.h"
#include "store/table.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::office;

namespace {

QStringList namen(const QList<Zwinger>& l) {
    QStringList n;
    for (const Zwinger& z : l)
        n << z.zwinger;
    return n;
}

TEST(Zwingerregister, SearchByPrefixesAndKindListsEachKennelOnce) {
    test::DataDir dir;
    store::Database db(dir.path());
    struct Fall {
        ZwingerKriterien k;
        QStringList erwartet;
    };
    auto k = [](const char* zwinger, int art = Alle, const char* zuechter = "") {
        ZwingerKriterien c;
        c.zwinger = QString::fromUtf8(zwinger);
        c.zuechter = QString::fromUtf8(zuechter);
        c.art = art;
        return c;
    };
    const Fall faelle[] = {
        {k("vom"), {"vom Lindenhain"}},
        {k("vom", Zuchtkatze), {"vom Lindenhain"}}, // two queens, listed once
        {k("", Jungtiere), {"Fjellkatten", "vom Lindenhain"}},
        {k("VOM"), {}}, // with case
        {k("%Harbour"), {"of Misty Harbour"}},
        {k("Rot", Deckkater), {}},
        {k("", Alle, "Kowalski"), {"Zum Ährenfeld"}},
        {k("x\"; DROP TABLE zwingreg; --"), {}},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(namen(zwingerSuchen(db, false, f.k)), f.erwartet) << f.k.zwinger.toStdString() << f.k.art;
    EXPECT_EQ(zwingerSuchen(db, false, {}).size(), 10);
    EXPECT_TRUE(zwingerSuchen(db, true, {}).isEmpty()); // the private register is another table
}

TEST(Zwingerregister, CatMarksPerKind) {
    test::DataDir dir;
    store::Database db(dir.path());
    struct Fall {
        int zwinger, art;
        bool vorhanden, mitBild;
    };
    const Fall faelle[] = {{1, Deckkater, true, true},
                           {1, Zuchtkatze, true, false},
                           {1, Jungtiere, true, true},
                           {3, Zuchtkatze, false, false},
                           {9, Deckkater, false, false}};
    for (const Fall& f : faelle) {
        const Katzenmarke m = katzenMarke(db, QStringLiteral("zwinginf"), f.zwinger, f.art);
        EXPECT_EQ(m.vorhanden, f.vorhanden) << f.zwinger << "/" << f.art;
        EXPECT_EQ(m.mitBild, f.mitBild) << f.zwinger << "/" << f.art;
    }
}

TEST(Zwingerregister, ALostSortIndexIsMadeAgainAndUsed) {
    test::DataDir dir;
    store::Database db(dir.path());
    {
        store::Table t(db, QStringLiteral("zwingreg"));
        t.open(store::Table::OpenMode::Exclusive);
        t.deleteIndex(QStringLiteral("VereinZwinger"));
    }
    store::Table t(db, QStringLiteral("zwingreg"));
    t.open(store::Table::OpenMode::ReadOnly);
    sortierungWaehlen(t, 3);
    EXPECT_EQ(t.indexName(), QStringLiteral("VereinZwinger"));
    EXPECT_EQ(t.openMode(), store::Table::OpenMode::ReadOnly);
    QStringList vereine;
    for (t.first(); !t.eof(); t.next())
        vereine << t.asString(QStringLiteral("Verein"));
    QStringList sortiert = vereine;
    std::sort(sortiert.begin(), sortiert.end(),
              [](const QString& a, const QString& b) { return store::compareNoCase(a, b) < 0; });
    EXPECT_EQ(vereine, sortiert);
}

TEST(Zwingerregister, PrivateTablesAreMadeWithTheirFirstIndexes) {
    test::TempDir dir;
    store::Database db(dir.path());
    for (const QString& t : {QStringLiteral("zwingregprivat"), QStringLiteral("zwinginfprivat")}) {
        EXPECT_TRUE(privateTabelleAnlegen(db, t));
        EXPECT_FALSE(privateTabelleAnlegen(db, t));
        EXPECT_EQ(db.readDefinition(t).indexes.size(), 2) << t.toStdString();
    }
}

TEST(Zwingerregister, BreederSplitAndCopyIntoTheAddressBook) {
    struct Fall {
        const char* zuechter;
        const char* name;
        const char* vorname;
    };
    const Fall faelle[] = {{"Meier, Hans", "Meier", "Hans"},
                           {"Meier,Hans", "Meier", "Hans"},
                           {"Meier,   Hans, Jr.", "Meier", "Hans, Jr."},
                           {"Wagner", "Wagner", ""},
                           {"", "", ""}};
    for (const Fall& f : faelle) {
        const ZuechterName n = zuechterTeilen(QString::fromUtf8(f.zuechter));
        EXPECT_EQ(n.name, QString::fromUtf8(f.name)) << f.zuechter;
        EXPECT_EQ(n.vorname, QString::fromUtf8(f.vorname)) << f.zuechter;
    }
    test::DataDir dir;
    store::Database db(dir.path());
    store::Table adr(db, QStringLiteral("adr_dat"));
    adr.open();
    const Zwinger z = zwingerLesen(db, false, 1);
    const int nr = adresseAnlegen(adr, db, adresseAusZwinger(z));
    const Adresse a = adresseLesen(db, nr);
    EXPECT_EQ(a.anzeige(), QStringLiteral("Albrecht, Greta"));
    EXPECT_EQ(a.status, QStringLiteral("Züchter"));
    EXPECT_EQ(a.zwinger, QStringLiteral("vom Lindenhain"));
    EXPECT_EQ(a.rasse, 44);
    EXPECT_EQ(a.email, QStringLiteral("greta@lindenhain.example"));
    EXPECT_EQ(gleichnamigeAdresse(adr, QStringLiteral("Albrecht"), QStringLiteral("Greta")), nr);
}

} // namespace
