#include "store/catalogue.h"
#include "store/startup.h"
#include "store/table.h"
#include "store/transaktion.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace velmora::store;
using velmora::test::TempDir;

namespace {

TableDef katzenDef() {
    TableDef d;
    d.name = QStringLiteral("Katzen");
    d.fields = {{QStringLiteral("Nr"), FieldType::Auto, 0, false},
                {QStringLiteral("Name"), FieldType::Text, 10, true},
                {QStringLiteral("Mutter"), FieldType::Int, 0, false},
                {QStringLiteral("GebDatum"), FieldType::Date, 0, false},
                {QStringLiteral("Status"), FieldType::Int, 0, false}};
    d.indexes = {{QString(), {QStringLiteral("Nr")}},
                 {QStringLiteral("NameIdx"), {QStringLiteral("Name")}},
                 {QStringLiteral("MutterIdx"), {QStringLiteral("Mutter"), QStringLiteral("GebDatum")}}};
    return d;
}

void add(Table& t, const QString& name, int mutter = 0, int status = 1, QDate geb = {}) {
    t.append();
    t.setValue(QStringLiteral("Name"), name);
    if (mutter) t.setValue(QStringLiteral("Mutter"), mutter);
    t.setValue(QStringLiteral("Status"), status);
    if (geb.isValid()) t.setValue(QStringLiteral("GebDatum"), geb);
    t.post();
}

QStringList walk(Table& t) {
    QStringList names;
    for (t.first(); !t.eof(); t.next())
        names << t.asString(QStringLiteral("Name"));
    return names;
}

class Engine : public ::testing::Test {
protected:
    TempDir dir;
    Database db{dir.path()};
    void SetUp() override { db.createTable(katzenDef()); }
};

} // namespace

TEST_F(Engine, TableNamesAreResolvedWithoutRegardToCase) {
    EXPECT_TRUE(db.tableExists(QStringLiteral("KATZEN.DB")));
    EXPECT_TRUE(QFile::exists(dir.file(QStringLiteral("katzen.db"))));
    Table a(db, QStringLiteral("Katzen.db"));
    a.open();
    add(a, QStringLiteral("Bella"));
    Table b(db, QStringLiteral("katzen"));
    b.open();
    EXPECT_EQ(b.recordCount(), 1);
}

TEST_F(Engine, AutoNumbersAreAssignedAtPostAndNeverReused) {
    Table t(db, QStringLiteral("katzen"));
    t.open();
    add(t, QStringLiteral("A"));
    add(t, QStringLiteral("B"));
    EXPECT_EQ(t.asInt(QStringLiteral("Nr")), 2);
    t.remove(); // the highest number is gone for ever
    add(t, QStringLiteral("C"));
    EXPECT_EQ(t.asInt(QStringLiteral("Nr")), 3);
    t.close();
    t.open();
    add(t, QStringLiteral("D"));
    EXPECT_EQ(t.asInt(QStringLiteral("Nr")), 4);
}

TEST_F(Engine, PostRefusesEmptyRequiredFieldsAndOverlongTexts) {
    Table t(db, QStringLiteral("katzen"));
    t.open();
    t.append();
    try {
        t.post();
        FAIL() << "empty required field accepted";
    } catch (const EngineError& e) {
        EXPECT_EQ(e.code(), code::RequiredField);
        EXPECT_TRUE(e.message().contains(QStringLiteral("Name")));
    }
    t.setValue(QStringLiteral("Name"), QStringLiteral("Elevenchars"));
    try {
        t.post();
        FAIL() << "overlong text accepted";
    } catch (const EngineError& e) {
        EXPECT_EQ(e.code(), code::ValueTooLong);
        EXPECT_TRUE(e.message().contains(QStringLiteral("Name")));
    }
    t.cancel();
    EXPECT_EQ(t.recordCount(), 0);
}

TEST_F(Engine, PostErrorHandlerCanAbortSilently) {
    Table t(db, QStringLiteral("katzen"));
    t.open();
    int calls = 0;
    t.onPostError = [&](Table&, const EngineError& e) {
        ++calls;
        EXPECT_EQ(e.code(), code::RequiredField);
        return Table::ErrorAction::Abort;
    };
    t.append();
    EXPECT_NO_THROW(t.post());
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(t.state(), Table::State::Browse);
    EXPECT_EQ(t.recordCount(), 0);
}

TEST_F(Engine, NavigationFollowsClassicBofEofRules) {
    Table t(db, QStringLiteral("katzen"));
    t.open();
    EXPECT_TRUE(t.bof() && t.eof());
    for (const char* n : {"C", "A", "B"})
        add(t, QString::fromLatin1(n));
    t.setIndexName(QStringLiteral("NameIdx"));
    EXPECT_EQ(walk(t), (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
    t.last();
    EXPECT_TRUE(t.eof());
    t.prior();
    EXPECT_EQ(t.asString(QStringLiteral("Name")), QStringLiteral("B"));
    t.first();
    t.prior();
    EXPECT_TRUE(t.bof());
    EXPECT_EQ(t.asString(QStringLiteral("Name")), QStringLiteral("A"));
}

TEST_F(Engine, AfterScrollSeesTheNewPosition) {
    Table t(db, QStringLiteral("katzen"));
    t.open();
    for (const char* n : {"A", "B", "C"})
        add(t, QString::fromLatin1(n));
    t.setIndexName(QStringLiteral("NameIdx"));
    QStringList gesehen;
    t.afterScroll = [&](Table& c) {
        if (c.hasRecord())
            gesehen << c.asString(QStringLiteral("Name")) + (c.bof() ? QStringLiteral("<") : QString()) +
                           (c.eof() ? QStringLiteral(">") : QString());
    };
    t.first();
    t.next();
    t.last();
    t.prior();
    // Navigation buttons enable themselves from these flags inside the hook.
    EXPECT_EQ(gesehen, (QStringList{QStringLiteral("A<"), QStringLiteral("B"), QStringLiteral("C>"),
                                    QStringLiteral("B")}));
}

TEST_F(Engine, NameOrderIgnoresCaseAndKeepsUmlautsBesideTheirLetters) {
    Table t(db, QStringLiteral("katzen"));
    t.open();
    for (const char* n : {"Zora", "bella", "Anton", "Äsop", "Bodo", "Ozzy", "Öhrchen", "Paul"})
        add(t, QString::fromUtf8(n));
    t.setIndexName(QStringLiteral("NameIdx"));
    EXPECT_EQ(walk(t).join(QLatin1Char(',')),
              QString::fromUtf8("Anton,Äsop,bella,Bodo,Öhrchen,Ozzy,Paul,Zora"));
    t.findNearest({QStringLiteral("BEL")});
    EXPECT_EQ(t.asString(QStringLiteral("Name")), QStringLiteral("bella"));
    t.findNearest({QStringLiteral("o")});
    EXPECT_EQ(t.asString(QStringLiteral("Name")), QString::fromUtf8("Öhrchen"));
    EXPECT_LT(compareNoCase(QStringLiteral("Strasse"), QString::fromUtf8("Straße")), 0);
    EXPECT_GT(compareNoCase(QString::fromUtf8("Straßf"), QStringLiteral("Strasse")), 0);
    EXPECT_LT(compareCase(QStringLiteral("Zora"), QStringLiteral("anton")), 0); // case-sensitive: upper first
}

TEST_F(Engine, ExactSearchStaysPutWhenNothingIsFound) {
    Table t(db, QStringLiteral("katzen"));
    t.open();
    add(t, QStringLiteral("Max"));
    add(t, QStringLiteral("Mimi"));
    t.setIndexName(QStringLiteral("NameIdx"));
    ASSERT_TRUE(t.findKey({QStringLiteral("mimi")}));
    EXPECT_FALSE(t.findKey({QStringLiteral("Maximilian")}));
    EXPECT_EQ(t.asString(QStringLiteral("Name")), QStringLiteral("Mimi"));
    t.findNearest({QStringLiteral("Zz")}); // beyond the end: the last record, at eof
    EXPECT_TRUE(t.eof());
}

TEST_F(Engine, IndexByFieldListRangesAndMissingIndex) {
    Table t(db, QStringLiteral("katzen"));
    t.open();
    add(t, QStringLiteral("Mama"));
    add(t, QStringLiteral("K2"), 1, 1, QDate(2020, 5, 1));
    add(t, QStringLiteral("K1"), 1, 1, QDate(2019, 5, 1));
    add(t, QStringLiteral("Fremd"), 9);
    t.setIndexFields(QStringLiteral("mutter"));
    EXPECT_EQ(t.indexName(), QStringLiteral("MutterIdx"));
    t.setRange({1}, {1});
    EXPECT_EQ(walk(t), (QStringList{QStringLiteral("K1"), QStringLiteral("K2")}));
    t.cancelRange();
    EXPECT_EQ(t.recordCount(), 4);
    try {
        t.setIndexName(QStringLiteral("Gibtsnicht"));
        FAIL();
    } catch (const EngineError& e) {
        EXPECT_EQ(e.code(), code::IndexMissing);
    }
    EXPECT_EQ(t.indexName(), QStringLiteral("MutterIdx"));
}

TEST_F(Engine, StatusFilterIsParsedNeverPasted) {
    Table t(db, QStringLiteral("katzen"));
    t.open();
    add(t, QStringLiteral("Eins"), 0, 1);
    add(t, QStringLiteral("Zwei"), 0, 2);
    add(t, QStringLiteral("Drei"), 0, 3);
    t.setFilter(QStringLiteral("Status=1 OR Status=3"));
    EXPECT_EQ(t.recordCount(), 2);
    EXPECT_THROW(t.setFilter(QStringLiteral("Status=1; DROP TABLE katzen")), EngineError);
    EXPECT_EQ(t.recordCount(), 2); // the old filter stays
    t.setFilter(QString());
    EXPECT_EQ(t.recordCount(), 3);
}

// Another cursor's update keeps an order only when the order neither sorts nor selects by the
// updated columns; any other change lists it again.
TEST_F(Engine, OrdersFollowUpdatesOfTheColumnsTheyLookAt) {
    Table schreiber(db, QStringLiteral("katzen"));
    schreiber.open();
    for (const char* n : {"Anton", "Bruno", "Carla", "Dora"})
        add(schreiber, QString::fromLatin1(n), 0, 1);
    Table namen(db, QStringLiteral("katzen"));
    namen.open();
    namen.setIndexName(QStringLiteral("NameIdx"));
    Table gefiltert(db, QStringLiteral("katzen"));
    gefiltert.open();
    gefiltert.setFilter(QStringLiteral("Status=1"));
    namen.first();
    gefiltert.first();
    const quint64 vorher = namen.orderStamp();

    // A column neither order looks at: both keep their order and read the new value.
    schreiber.first();
    schreiber.edit();
    schreiber.setValue(QStringLiteral("Mutter"), 7);
    schreiber.post();
    EXPECT_EQ(namen.orderStamp(), vorher);
    namen.first();
    EXPECT_EQ(namen.asInt(QStringLiteral("Mutter")), 7);
    EXPECT_EQ(walk(gefiltert).size(), 4);

    // The sort column moves the record in the name order.
    schreiber.edit();
    schreiber.setValue(QStringLiteral("Name"), QStringLiteral("Zora"));
    schreiber.post();
    EXPECT_EQ(walk(namen), (QStringList{"Bruno", "Carla", "Dora", "Zora"}));
    // The filter column takes a record out of the filtered order.
    schreiber.edit();
    schreiber.setValue(QStringLiteral("Status"), 2);
    schreiber.post();
    EXPECT_EQ(walk(gefiltert), (QStringList{"Bruno", "Carla", "Dora"}));

    // More unrelated updates than the engine remembers, then one that matters: still re-sorted.
    namen.first();
    for (int i = 0; i < 100; ++i) {
        schreiber.edit();
        schreiber.setValue(QStringLiteral("Mutter"), i);
        schreiber.post();
    }
    schreiber.edit();
    schreiber.setValue(QStringLiteral("Name"), QStringLiteral("Aaron"));
    schreiber.post();
    EXPECT_EQ(walk(namen), (QStringList{"Aaron", "Bruno", "Carla", "Dora"}));
    // An insert and a delete are never skipped.
    add(schreiber, QStringLiteral("Berta"));
    EXPECT_EQ(walk(namen), (QStringList{"Aaron", "Berta", "Bruno", "Carla", "Dora"}));
    schreiber.remove();
    EXPECT_EQ(walk(namen), (QStringList{"Aaron", "Bruno", "Carla", "Dora"}));
}

// A changed sort key moves the one record within the orders of other cursors. Checked against a
// freshly listed cursor after every step, over random renames (empty keys and equal keys included),
// on an ascending text index, a two-field index with empty values and a descending index.
TEST_F(Engine, MovedRecordsStandWhereAFreshListingPutsThem) {
    {
        Table t(db, QStringLiteral("katzen"));
        t.open(Table::OpenMode::Exclusive);
        IndexDef ab;
        ab.name = QStringLiteral("NameAb");
        ab.fields = {QStringLiteral("Name")};
        ab.descending = true;
        t.addIndex(ab);
    }
    Table schreiber(db, QStringLiteral("katzen"));
    schreiber.open();
    const QStringList namen = {"anna", "Bert", "bert", "Ärger", "Zora", "Öse", "emil", "Emil", "Sam", "sam"};
    for (int i = 0; i < 40; ++i)
        add(schreiber, namen[i % namen.size()] + QString::number(i % 7), i % 5, 1,
            i % 3 ? QDate(2020, 1, 1 + i % 9) : QDate());
    auto reihe = [](Table& t) {
        QList<qint64> ids;
        for (t.first(); !t.eof(); t.next())
            ids << t.recordId();
        return ids;
    };
    const QStringList indizes = {QStringLiteral("NameIdx"), QStringLiteral("MutterIdx"),
                                 QStringLiteral("NameAb")};
    std::vector<std::unique_ptr<Table>> leser;
    for (const QString& ix : indizes) {
        leser.push_back(std::make_unique<Table>(db, QStringLiteral("katzen")));
        leser.back()->open();
        leser.back()->setIndexName(ix);
        reihe(*leser.back());
    }
    quint32 zufall = 12345;
    auto wuerfel = [&](int n) {
        zufall = zufall * 1103515245u + 12345u;
        return int((zufall >> 16) % quint32(n));
    };
    for (int schritt = 0; schritt < 150; ++schritt) {
        ASSERT_TRUE(schreiber.findKey({1 + wuerfel(40)}));
        schreiber.edit();
        switch (wuerfel(3)) {
        case 0:
            schreiber.setValue(QStringLiteral("Name"),
                               QString(namen[wuerfel(namen.size())] + QString::number(wuerfel(4))));
            break;
        case 1:
            if (wuerfel(2))
                schreiber.setValue(QStringLiteral("Mutter"), wuerfel(4));
            else
                schreiber.clearValue(QStringLiteral("Mutter"));
            break;
        default:
            if (wuerfel(2))
                schreiber.setValue(QStringLiteral("GebDatum"), QDate(2020, 1, 1 + wuerfel(5)));
            else
                schreiber.clearValue(QStringLiteral("GebDatum"));
        }
        schreiber.post();
        // Another connection lists afresh: cursors of one connection share their orders.
        Database frischeDb(dir.path());
        for (size_t i = 0; i < leser.size(); ++i) {
            Table frisch(frischeDb, QStringLiteral("katzen"));
            frisch.open(Table::OpenMode::ReadOnly);
            frisch.setIndexName(indizes[int(i)]);
            ASSERT_EQ(reihe(*leser[i]), reihe(frisch))
                << "step " << schritt << " index " << indizes[int(i)].toStdString();
        }
    }
}

namespace {
QList<qint64> ids(Table& t) {
    QList<qint64> r;
    for (t.first(); !t.eof(); t.next())
        r << t.recordId();
    return r;
}
// How a cursor selects: index, filter, range.
struct Auswahl {
    const char* index;
    const char* filter;
    QVariantList von, bis;
    void anwenden(Table& t) const {
        t.setIndexName(QString::fromLatin1(index));
        if (*filter) t.setFilter(QString::fromLatin1(filter));
        if (!von.isEmpty()) t.setRange(von, bis);
    }
};
const Auswahl kAuswahlen[] = {{"NameIdx", "", {}, {}},
                              {"MutterIdx", "", {}, {}},
                              {"NameIdx", "Status=1 OR Status=3", {}, {}},
                              {"MutterIdx", "", {2}, {3}},
                              {"NameIdx", "", {QStringLiteral("c")}, {QStringLiteral("m")}}};
} // namespace

// Two cursors that select alike share one order: what one writes (an insert, a delete, a changed sort
// key, a changed filter column) the other sees in its order, which stays what a fresh listing by
// another connection gives. More than 64 records, so the order is listed in full, not on the way.
TEST_F(Engine, CursorsShareOneOrderKeptByTheChangeLog) {
    Table schreiber(db, QStringLiteral("katzen"));
    schreiber.open();
    for (int i = 0; i < 120; ++i)
        add(schreiber, QString(QChar(u'a' + i % 17)) + QString::number(i % 5), i % 6, i % 4,
            i % 3 ? QDate(2020, 1, 1 + i % 9) : QDate());
    for (const Auswahl& a : kAuswahlen) {
        SCOPED_TRACE(std::string(a.index) + " " + a.filter);
        Table eins(db, QStringLiteral("katzen")), zwei(db, QStringLiteral("katzen"));
        eins.open();
        zwei.open();
        a.anwenden(eins);
        a.anwenden(zwei);
        ids(eins);
        EXPECT_EQ(eins.orderStamp(), zwei.orderStamp()); // listed once, for both
        quint32 zufall = 99;
        auto wuerfel = [&](int n) {
            zufall = zufall * 1103515245u + 12345u;
            return int((zufall >> 16) % quint32(n));
        };
        for (int schritt = 0; schritt < 30; ++schritt) {
            // zwei writes while standing on a record, eins only looks
            ASSERT_TRUE(zwei.gotoPosition(wuerfel(std::max(1, zwei.recordCount()))) || zwei.isEmpty());
            switch (wuerfel(4)) {
            case 0:
                add(zwei, QString(QChar(u'a' + wuerfel(17))), wuerfel(6), wuerfel(4));
                break;
            case 1:
                if (zwei.hasRecord()) zwei.remove();
                break;
            case 2:
                zwei.setValue(QStringLiteral("Name"), QString(QChar(u'a' + wuerfel(17))));
                zwei.setValue(QStringLiteral("Mutter"), wuerfel(6));
                zwei.post();
                break;
            default:
                zwei.setValue(QStringLiteral("Status"), wuerfel(4));
                zwei.post();
            }
            const qint64 steht = zwei.recordId();
            Database andere(dir.path());
            Table frisch(andere, QStringLiteral("katzen"));
            frisch.open(Table::OpenMode::ReadOnly);
            a.anwenden(frisch);
            const QList<qint64> erwartet = ids(frisch);
            if (zwei.hasRecord() && erwartet.contains(steht)) {
                EXPECT_EQ(zwei.position(), erwartet.indexOf(steht)) << "step " << schritt;
            }
            ASSERT_EQ(ids(eins), erwartet) << "step " << schritt;
            EXPECT_EQ(eins.orderStamp(), zwei.orderStamp());
        }
    }
}

// A short walk from a found record reads its neighbours by key before any order is listed; it must
// give what the listed order gives, also across equal keys, empty keys, a descending index, a filter
// and a range, and go on right where it turns into a walk along the listed order.
TEST_F(Engine, WalkFromAFoundRecordFollowsTheListedOrder) {
    {
        Table t(db, QStringLiteral("katzen"));
        t.open(Table::OpenMode::Exclusive);
        IndexDef ab;
        ab.name = QStringLiteral("NameAb");
        ab.fields = {QStringLiteral("Name")};
        ab.descending = true;
        t.addIndex(ab);
        for (int i = 0; i < 150; ++i)
            add(t, QString(QChar(u'a' + i % 7)), i % 5 ? i % 4 : 0, i % 4,
                i % 3 ? QDate(2020, 1, 1 + i % 3) : QDate());
    }
    std::vector<Auswahl> auswahlen(std::begin(kAuswahlen), std::end(kAuswahlen));
    auswahlen.push_back({"NameAb", "", {}, {}});
    auswahlen.push_back({"NameAb", "Status=2", {}, {}});
    for (const Auswahl& a : auswahlen) {
        SCOPED_TRACE(std::string(a.index) + " " + a.filter);
        Table gelistet(db, QStringLiteral("katzen"));
        gelistet.open(Table::OpenMode::ReadOnly);
        a.anwenden(gelistet);
        const QList<qint64> reihe = ids(gelistet);
        ASSERT_GT(reihe.size(), 20);
        for (int start : {0, 7, int(reihe.size()) / 2, int(reihe.size()) - 3}) {
            Database andere(dir.path()); // no order listed on this connection
            Table t(andere, QStringLiteral("katzen"));
            t.open(Table::OpenMode::ReadOnly);
            a.anwenden(t);
            gelistet.gotoPosition(start);
            QVariantList key;
            for (const QString& f : t.indexFields())
                key << gelistet.value(f);
            t.findNearest(key);
            // findNearest stands on the first record of equal keys
            int p = int(reihe.indexOf(t.recordId()));
            ASSERT_GE(p, 0);
            for (int schritt = 0; schritt < 30; ++schritt) {
                t.next();
                if (p + 1 >= reihe.size()) {
                    EXPECT_TRUE(t.eof());
                    EXPECT_EQ(t.recordId(), reihe.last());
                    break;
                }
                ++p;
                ASSERT_FALSE(t.eof());
                ASSERT_EQ(t.recordId(), reihe[p]) << "start " << start << " step " << schritt;
            }
            EXPECT_EQ(t.position(), p);
        }
    }
}

TEST_F(Engine, RefreshSeesWhatAnotherConnectionWrote) {
    Table t(db, QStringLiteral("katzen"));
    t.open();
    add(t, QStringLiteral("Anna"));
    t.setIndexName(QStringLiteral("NameIdx"));
    EXPECT_EQ(walk(t), QStringList{QStringLiteral("Anna")});
    {
        Database andere(dir.path());
        Table fremd(andere, QStringLiteral("katzen"));
        fremd.open();
        add(fremd, QStringLiteral("Berta"));
        ASSERT_TRUE(fremd.findKey({1}));
        fremd.edit();
        fremd.setValue(QStringLiteral("Name"), QStringLiteral("Zora"));
        fremd.post();
    }
    t.refresh();
    EXPECT_EQ(walk(t), (QStringList{QStringLiteral("Berta"), QStringLiteral("Zora")}));
}

TEST_F(Engine, AReadSnapshotLeavesNoTransactionBehind) {
    Table t(db, QStringLiteral("katzen"));
    t.open();
    add(t, QStringLiteral("Anna"));
    {
        // a table never opened and one that does not exist are passed over
        const ReadSnapshot s(db, {QStringLiteral("katzen"), QStringLiteral("fehlt")});
        EXPECT_EQ(walk(t), QStringList{QStringLiteral("Anna")});
    }
    // Afterwards a write is committed at once: another connection sees it and may write itself.
    add(t, QStringLiteral("Berta"));
    Database andere(dir.path());
    Table fremd(andere, QStringLiteral("katzen"));
    fremd.open();
    EXPECT_EQ(walk(fremd), (QStringList{QStringLiteral("Anna"), QStringLiteral("Berta")}));
    add(fremd, QStringLiteral("Cora"));
    t.refresh();
    EXPECT_EQ(walk(t).size(), 3);
}

TEST_F(Engine, AStatementFindsATableMadeJustBeforeIt) {
    for (int i = 0; i < 20; ++i) {
        Query(db, QStringLiteral("SELECT COUNT(*) FROM katzen")).next();
        TableDef d = katzenDef();
        d.name = QStringLiteral("neu%1").arg(i);
        db.createTable(d);
        Query q(db, QStringLiteral("SELECT COUNT(*) FROM neu%1").arg(i));
        ASSERT_TRUE(q.next()) << i;
        EXPECT_EQ(q.value(0).toInt(), 0);
    }
}

TEST_F(Engine, DetailCursorFollowsItsMaster) {
    Table master(db, QStringLiteral("katzen"));
    master.open();
    add(master, QStringLiteral("Mama"));
    add(master, QStringLiteral("Kitty"), 1);
    add(master, QStringLiteral("Kater"), 1);
    Table detail(db, QStringLiteral("katzen"));
    detail.open();
    detail.setMaster(&master, QStringLiteral("Nr"), QStringLiteral("Mutter"));
    master.first();
    EXPECT_EQ(detail.recordCount(), 2);
    master.next();
    EXPECT_EQ(detail.recordCount(), 0);
    EXPECT_TRUE(detail.eof());
}

TEST_F(Engine, ExclusiveAccessAndIndexMaintenance) {
    Table shared(db, QStringLiteral("katzen"));
    shared.open();
    Table excl(db, QStringLiteral("katzen"));
    try {
        excl.open(Table::OpenMode::Exclusive);
        FAIL() << "exclusive open while another cursor holds the table";
    } catch (const EngineError& e) {
        EXPECT_EQ(e.code(), code::TableLocked);
    }
    shared.close();
    excl.open(Table::OpenMode::Exclusive);
    excl.addIndex({QStringLiteral("StatusIdx"), {QStringLiteral("Status"), QStringLiteral("Name")}});
    EXPECT_EQ(excl.indexDefs().size(), 4);
    excl.deleteIndex(QString()); // the primary key takes every secondary index with it
    EXPECT_TRUE(excl.indexDefs().isEmpty());
    excl.close();
    EXPECT_TRUE(db.readDefinition(QStringLiteral("katzen")).indexes.isEmpty());
}

TEST_F(Engine, UniqueIndexReportsKeyViolation) {
    TableDef d;
    d.name = QStringLiteral("texte");
    d.fields = {{QStringLiteral("Nummer"), FieldType::Int, 0, false},
                {QStringLiteral("Text"), FieldType::Text, 20, false}};
    d.indexes = {{QString(), {QStringLiteral("Nummer")}}};
    db.createTable(d);
    Table t(db, QStringLiteral("texte"));
    t.open();
    t.append();
    t.setValue(QStringLiteral("Nummer"), 5);
    t.post();
    t.append();
    t.setValue(QStringLiteral("Nummer"), 5);
    try {
        t.post();
        FAIL();
    } catch (const EngineError& e) {
        EXPECT_EQ(e.code(), code::KeyViolation);
        EXPECT_EQ(e.table(), QStringLiteral("texte"));
    }
}

TEST_F(Engine, AlterTableAddsColumnsAndKeepsRecords) {
    {
        Table t(db, QStringLiteral("katzen"));
        t.open();
        add(t, QStringLiteral("Alt"), 0, 1, QDate(2001, 2, 3));
    }
    db.execute(QStringLiteral(
        R"(ALTER TABLE "Katzen.db" ADD zzlDatum DATE, ADD Groesse CHAR(10), ADD Memo BLOB(240,1), ADD Ok BOOLEAN)"));
    const TableDef def = db.readDefinition(QStringLiteral("katzen"));
    ASSERT_TRUE(def.field(QStringLiteral("Groesse")));
    EXPECT_EQ(def.field(QStringLiteral("Groesse"))->size, 10);
    EXPECT_EQ(def.field(QStringLiteral("Memo"))->type, FieldType::Memo);
    Table t(db, QStringLiteral("katzen"));
    t.open();
    EXPECT_EQ(t.asString(QStringLiteral("Name")), QStringLiteral("Alt"));
    EXPECT_EQ(t.asDate(QStringLiteral("GebDatum")), QDate(2001, 2, 3));
    EXPECT_TRUE(t.isNull(QStringLiteral("zzlDatum")));
    EXPECT_EQ(t.asDayNumber(QStringLiteral("zzlDatum")), 0);
}

TEST_F(Engine, LocalSqlJoinsTablesWithBoundValues) {
    Table t(db, QStringLiteral("katzen"));
    t.open();
    add(t, QStringLiteral("Mama"));
    add(t, QStringLiteral("O'Malley"), 1);
    add(t, QStringLiteral("Kitty"), 1);
    Query q(db,
            QStringLiteral(
                "SELECT k.Name, m.Name FROM katzen k, \"Katzen.db\" m WHERE k.Mutter = m.Nr AND k.Name = ? "
                "ORDER BY k.Name"),
            {QStringLiteral("O'Malley")});
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("O'Malley"));
    EXPECT_EQ(q.value(1).toString(), QStringLiteral("Mama"));
    EXPECT_FALSE(q.next());
    Query g(db, QStringLiteral("SELECT Mutter, COUNT(*) FROM katzen GROUP BY Mutter ORDER BY Mutter"));
    const auto rows = g.all();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1][1].toInt(), 2);
}

// SQLite attaches only ten files to a connection: a run that queries more tables than that one after the
// other must not fail on the eleventh, and a table still read by an open query keeps its place.
TEST_F(Engine, LocalSqlOverMoreTablesThanCanBeAttachedAtOnce) {
    Table t(db, QStringLiteral("katzen"));
    t.open();
    add(t, QStringLiteral("Mama"));
    Query offen(db, QStringLiteral("SELECT Name FROM katzen"));
    for (int i = 0; i < 14; ++i) {
        TableDef d = katzenDef();
        d.name = QStringLiteral("t%1").arg(i);
        db.createTable(d);
        Table n(db, d.name);
        n.open();
        add(n, QStringLiteral("K%1").arg(i));
        n.close();
        Query q(db, QStringLiteral("SELECT k.Name, t.Name FROM katzen AS k, %1 AS t").arg(d.name));
        ASSERT_TRUE(q.next()) << i;
        EXPECT_EQ(q.value(1).toString(), QStringLiteral("K%1").arg(i));
    }
    ASSERT_TRUE(offen.next());
    EXPECT_EQ(offen.value(0).toString(), QStringLiteral("Mama"));
}

TEST_F(Engine, DamagedTableFileNamesTheTableAndSparesTheOthers) {
    QFile f(dir.file(QStringLiteral("kaputt.db")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    Table bad(db, QStringLiteral("kaputt"));
    try {
        bad.open();
        FAIL();
    } catch (const EngineError& e) {
        EXPECT_EQ(e.table(), QStringLiteral("kaputt"));
        EXPECT_EQ(e.code(), code::TableDamaged);
    }
    Table good(db, QStringLiteral("katzen"));
    EXPECT_NO_THROW(good.open());
    Table missing(db, QStringLiteral("fehlt"));
    try {
        missing.open();
        FAIL();
    } catch (const EngineError& e) {
        EXPECT_EQ(e.code(), code::NoSuchTable);
    }
}

TEST_F(Engine, CloseStoresPendingEditsAndCancelRestores) {
    {
        Table t(db, QStringLiteral("katzen"));
        t.open();
        add(t, QStringLiteral("Vorher"));
        t.setValue(QStringLiteral("Name"), QStringLiteral("Nachher"));
        t.cancel();
        EXPECT_EQ(t.asString(QStringLiteral("Name")), QStringLiteral("Vorher"));
        t.setValue(QStringLiteral("Name"), QStringLiteral("Nachher"));
        t.close();
    }
    Table t(db, QStringLiteral("katzen"));
    t.open();
    EXPECT_EQ(t.asString(QStringLiteral("Name")), QStringLiteral("Nachher"));
}

TEST_F(Engine, CalculatedAndLookupFields) {
    Table mothers(db, QStringLiteral("katzen"));
    mothers.open();
    add(mothers, QStringLiteral("Mama"));
    add(mothers, QStringLiteral("Kitty"), 1);
    Table t(db, QStringLiteral("katzen"));
    t.addLookupField(QStringLiteral("MutterName"), FieldType::Text, QStringLiteral("Mutter"), &mothers,
                     QStringLiteral("Nr"), QStringLiteral("Name"));
    t.addCalculatedField({QStringLiteral("Laenge"), FieldType::Int, 0, false});
    t.onCalcFields = [](Table& r) {
        r.setValue(QStringLiteral("Laenge"), int(r.asString(QStringLiteral("Name")).size()));
    };
    t.open();
    t.last();
    EXPECT_EQ(t.asString(QStringLiteral("MutterName")), QStringLiteral("Mama"));
    EXPECT_EQ(t.asInt(QStringLiteral("Laenge")), 5);
    t.first();
    EXPECT_TRUE(t.isNull(QStringLiteral("MutterName")));
}

TEST_F(Engine, LookupInIndexTakesTheFirstOfThatIndexNotTheFirstStored) {
    Table t(db, QStringLiteral("katzen"));
    t.open();
    add(t, QStringLiteral("Spaet"), 7, 1, QDate(2021, 5, 1));
    add(t, QStringLiteral("Frueh"), 7, 1, QDate(2019, 5, 1));
    t.first();
    const qint64 vorher = t.recordId();
    EXPECT_EQ(t.lookupValue(QStringLiteral("Mutter"), {7}, QStringLiteral("Name")).toString(),
              QStringLiteral("Spaet"));
    EXPECT_EQ(t.lookupInIndex(QStringLiteral("MutterIdx"), {7}, QStringLiteral("Name")).toString(),
              QStringLiteral("Frueh"));
    EXPECT_EQ(
        t.lookupInIndex(QStringLiteral("NameIdx"), {QStringLiteral("frueh")}, QStringLiteral("Nr")).toInt(),
        2); // a case-blind index compares without case
    EXPECT_FALSE(t.lookupInIndex(QStringLiteral("MutterIdx"), {8}, QStringLiteral("Name")).isValid());
    EXPECT_EQ(t.recordId(), vorher); // the cursor does not move
    EXPECT_THROW(t.lookupInIndex(QStringLiteral("Fehlt"), {7}, QStringLiteral("Name")), EngineError);

    // A case-sensitive index: exact by default; ignoring case it keeps its own order (upper case first).
    TableDef d;
    d.name = QStringLiteral("Adressen");
    d.caseSensitive = true;
    d.fields = {{QStringLiteral("Nr"), FieldType::Auto, 0, false},
                {QStringLiteral("Zwinger"), FieldType::Text, 20, false},
                {QStringLiteral("Name"), FieldType::Text, 20, false}};
    d.indexes = {{QString(), {QStringLiteral("Nr")}},
                 {QStringLiteral("ZwingerIdx"),
                  {QStringLiteral("Zwinger"), QStringLiteral("Name")},
                  false,
                  false,
                  true}};
    db.createTable(d);
    Table a(db, QStringLiteral("adressen"));
    a.open();
    for (const char* z : {"kattenhof", "Kattenhof"}) {
        a.append();
        a.setValue(QStringLiteral("Zwinger"), QString::fromUtf8(z));
        a.setValue(QStringLiteral("Name"), QStringLiteral("Meier"));
        a.post();
    }
    EXPECT_FALSE(
        a.lookupInIndex(QStringLiteral("ZwingerIdx"), {QStringLiteral("KATTENHOF")}, QStringLiteral("Nr"))
            .isValid());
    EXPECT_EQ(
        a.lookupInIndex(QStringLiteral("ZwingerIdx"), {QStringLiteral("kattenhof")}, QStringLiteral("Nr"))
            .toInt(),
        1);
    EXPECT_EQ(a.lookupInIndex(QStringLiteral("ZwingerIdx"), {QStringLiteral("KATTENHOF")},
                              QStringLiteral("Nr"), true)
                  .toInt(),
              2);
}

// ---------------------------------------------------------------- start-up and rebuild

TEST(StartUp, PresenceMessageCarriesThePathTwice) {
    const QString m = praesenzMeldung(QStringLiteral("/opt/velmora/velmora"));
    EXPECT_EQ(m.count(QStringLiteral("/opt/velmora/velmora")), 2);
    EXPECT_TRUE(m.startsWith(QStringLiteral("Die Programmversion, welche Sie aus dem Verzeichnis /opt")));
    EXPECT_TRUE(m.contains(QStringLiteral("Programmverzeichnis!\r\rThe programm version")));
}

TEST(StartUp, MinimalDirectoryGetsItsTablesCreatedAndSeeded) {
    TempDir dir;
    Database db(dir.path());
    for (const char* n : {"catstamm", "sprache", "sprmel"})
        db.createTable(*catalogueTable(QString::fromLatin1(n)));
    QStringList lines;
    StartBericht b;
    b.tabelle = [&](const QString& t, Ergebnis e, const QString&) {
        lines << t + QLatin1Char('=') + QString::number(int(e));
    };
    EXPECT_FALSE(startSequenz(db, b)); // farbe, rasse … are missing and reported
    EXPECT_TRUE(lines.contains(QStringLiteral("topkatze=1")));
    EXPECT_TRUE(lines.contains(QStringLiteral("merkmale=1")));
    EXPECT_TRUE(lines.contains(QStringLiteral("bewert=1")));
    EXPECT_TRUE(lines.contains(QStringLiteral("zusatz=1")));
    EXPECT_TRUE(lines.contains(QStringLiteral("farbe=3")));
    Table top(db, QStringLiteral("topkatze"));
    top.open();
    EXPECT_EQ(top.recordCount(), 5);
    EXPECT_EQ(top.asInt(QStringLiteral("Farbe")), 16777215);
    Table m(db, QStringLiteral("merkmale"));
    m.open();
    ASSERT_EQ(m.recordCount(), 2);
    EXPECT_EQ(m.asString(QStringLiteral("Bezeichnung")), QStringLiteral("Klon"));
    EXPECT_EQ(m.asInt(QStringLiteral("farbe")), 16711680);
    m.next();
    EXPECT_EQ(m.asString(QStringLiteral("Kuerzel")), QStringLiteral("Fd"));
    EXPECT_EQ(m.asInt(QStringLiteral("farbe")), 255);
}

TEST(StartUp, FeatureListWithRecordsIsNeverSeededAgain) {
    TempDir dir;
    Database db(dir.path());
    db.createTable(*catalogueTable(QStringLiteral("merkmale")));
    {
        Table m(db, QStringLiteral("merkmale"));
        m.open();
        m.append();
        m.setValue(QStringLiteral("Bezeichnung"), QStringLiteral("Taub"));
        m.setValue(QStringLiteral("farbe"), 1);
        m.post();
    }
    EXPECT_FALSE(saeMerkmale(db));
    Table m(db, QStringLiteral("merkmale"));
    m.open();
    EXPECT_EQ(m.recordCount(), 1);
}

TEST(StartUp, IndexUnderAnotherNameCountsAsPresent) {
    TempDir dir;
    Database db(dir.path());
    TableDef def = *catalogueTable(QStringLiteral("catstamm"));
    def.indexes.removeIf([](const IndexDef& i) { return i.name == QLatin1String("GebDatum"); });
    def.indexes << IndexDef{QStringLiteral("MeinGeb"), {QStringLiteral("gebdatum"), QStringLiteral("NAME")}};
    db.createTable(def);
    EXPECT_FALSE(indexSicherstellen(db, QStringLiteral("catstamm"), QStringLiteral("GebDatum"),
                                    QStringLiteral("GebDatum;Name")));
    int geb = 0;
    for (const IndexDef& ix : db.readDefinition(QStringLiteral("catstamm")).indexes)
        if (ix.sameFields({QStringLiteral("GebDatum"), QStringLiteral("Name")})) ++geb;
    EXPECT_EQ(geb, 1);
}

TEST(StartUp, OldCatTableIsUpgradedWithItsValuesKept) {
    TempDir dir;
    Database db(dir.path());
    TableDef old = *catalogueTable(QStringLiteral("catstamm"));
    for (const char* f : {"zzlDatum", "Groesse", "Gewicht"})
        old.fields.removeIf([&](const FieldDef& d) { return d.name == QLatin1String(f); });
    db.createTable(old);
    {
        Table t(db, QStringLiteral("catstamm"));
        t.open();
        t.append();
        t.setValue(QStringLiteral("Name"), QStringLiteral("Oma"));
        t.setValue(QStringLiteral("Geschlecht"), QStringLiteral("2"));
        t.setValue(QStringLiteral("GebDatum"), QDate(1999, 9, 9));
        t.post();
    }
    EXPECT_TRUE(tabelleAktualisieren(db, QStringLiteral("catstamm")));
    EXPECT_FALSE(tabelleAktualisieren(db, QStringLiteral("catstamm")));
    Table t(db, QStringLiteral("catstamm"));
    t.open();
    EXPECT_EQ(t.asString(QStringLiteral("Name")), QStringLiteral("Oma"));
    EXPECT_EQ(t.asDate(QStringLiteral("GebDatum")), QDate(1999, 9, 9));
    EXPECT_GE(t.fieldIndex(QStringLiteral("Gewicht")), 0);
}

TEST(Rebuild, ClearStepKeepsTableMemoAndJournalFiles) {
    TempDir dir;
    for (const char* n : {"catstamm.db", "catstamm.mb", "catstamm.px", "catstamm.X02", "catstamm.val",
                          "catstamm.db-journal", "catstamm.db-wal", "catstammalt.db"}) {
        QFile f(dir.file(QString::fromLatin1(n)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_TRUE(dateienBereinigen(dir.path(), QStringLiteral("Catstamm")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("catstamm.db"), QStringLiteral("catstamm.db-journal"),
                           QStringLiteral("catstamm.db-wal"), QStringLiteral("catstamm.mb"),
                           QStringLiteral("catstammalt.db")}));
}

TEST(Rebuild, RoutineRebuildsTheRebuildSetAndConsumesOneNumber) {
    TempDir dir;
    Database db(dir.path());
    db.createTable(*catalogueTable(QStringLiteral("catstamm")));
    {
        Table t(db, QStringLiteral("catstamm"));
        t.open();
        t.append();
        t.setValue(QStringLiteral("Name"), QStringLiteral("Erste"));
        t.setValue(QStringLiteral("Geschlecht"), QStringLiteral("1"));
        t.post();
    }
    ASSERT_TRUE(CatstammIndex(db, {}));
    const TableDef def = db.readDefinition(QStringLiteral("catstamm"));
    EXPECT_TRUE(def.index(QStringLiteral("Nameidx")));
    EXPECT_FALSE(def.index(QStringLiteral("GebDatum"))); // start-up adds it again
    EXPECT_FALSE(def.index(QStringLiteral("Farbe")));
    Table t(db, QStringLiteral("catstamm"));
    t.open();
    EXPECT_EQ(t.recordCount(), 1);
    t.append();
    t.setValue(QStringLiteral("Name"), QStringLiteral("Zweite"));
    t.setValue(QStringLiteral("Geschlecht"), QStringLiteral("2"));
    t.post();
    EXPECT_EQ(t.asInt(QStringLiteral("LaufendeNummer")), 3);
    // a table held open elsewhere is not touched
    EXPECT_FALSE(CatstammIndex(db, {}));
}
