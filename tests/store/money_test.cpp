// Exact money: parsing, rounding (ties to even), the round trip through a table and the upgrade of files
// that kept money as REAL.
#include "store/catalogue.h"
#include "store/money.h"
#include "store/table.h"
#include "support/testsupport.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace velmora::store;
using velmora::test::TempDir;

namespace {

TEST(Money, TextsAreReadExactlyAndRoundedTiesToEven) {
    struct Fall {
        const char* text;
        std::optional<qint64> units;
    };
    const Fall faelle[] = {
        {"12,50", 125000},  {"12.5", 125000},     {"  7 ", 70000},  {"+3.1", 31000},   {"-0.0001", -1},
        {"0.00005", 0},     {"0.00015", 2},       {"-0.00015", -2}, {"1.23456", 12346}, {"1.000050", 10000},
        {"1.0000501", 10001}, {".5", 5000},       {"5.", 50000},    {"", std::nullopt}, {"-", std::nullopt},
        {"1,2,3", std::nullopt}, {"12a", std::nullopt}, {"1 000", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const Fall& f : faelle) {
        const auto m = Money::parse(QString::fromUtf8(f.text));
        ASSERT_EQ(m.has_value(), f.units.has_value()) << f.text;
        if (m) {
            EXPECT_EQ(m->units(), *f.units) << f.text;
        }
    }
}

TEST(Money, DoublesAreTheDecimalTheyShowAndTextsRoundToTheirPlaces) {
    EXPECT_EQ(Money::fromDouble(0.1 + 0.2)->units(), 3000);
    EXPECT_EQ(Money::fromDouble(1.00005)->units(), 10000); // a tie, to even
    EXPECT_EQ(Money::fromDouble(2.00015)->units(), 20002);
    EXPECT_EQ(Money::fromDouble(-19.99)->units(), -199900);
    EXPECT_FALSE(Money::fromDouble(std::nan("")));
    struct Fall {
        qint64 units;
        int places;
        const char* text;
    };
    const Fall faelle[] = {{125000, 2, "12.50"}, {50, 2, "0.00"},     {150, 2, "0.02"},   {-150, 2, "-0.02"},
                           {-1, 2, "0.00"},      {250, 2, "0.02"},    {251, 2, "0.03"},   {5000, 0, "0"},
                           {15000, 0, "2"},      {-123456, 4, "-12.3456"}, {7, 3, "0.001"}};
    for (const Fall& f : faelle)
        EXPECT_EQ(Money::fromUnits(f.units).toString(f.places), QString::fromUtf8(f.text)) << f.units;
    EXPECT_EQ(Money::fromUnits(125000).shortest(QLatin1Char(',')), QStringLiteral("12,5"));
    EXPECT_EQ(Money::fromUnits(30000).shortest(), QStringLiteral("3"));
    // What windows written before the type existed read from the variant.
    const QVariant v = QVariant::fromValue(Money::fromUnits(125000));
    EXPECT_DOUBLE_EQ(v.toDouble(), 12.5);
    EXPECT_EQ(v.toString(), QStringLiteral("12.5"));
}

TEST(Money, RoundedDivisionTiesToEvenForEverySign) {
    struct Fall {
        qint64 n, d, q;
    };
    const Fall faelle[] = {{5, 2, 2}, {7, 2, 4}, {-5, 2, -2}, {-7, 2, -4}, {5, -2, -2},
                           {1, 3, 0}, {2, 3, 1}, {-2, 3, -1}, {10, 5, 2},  {0, 7, 0}};
    for (const Fall& f : faelle)
        EXPECT_EQ(roundedDivision(f.n, f.d), f.q) << f.n << "/" << f.d;
}

TableDef geldDef() {
    TableDef d;
    d.name = QStringLiteral("geld");
    d.fields = {{QStringLiteral("Nr"), FieldType::Auto, 0, false}, {QStringLiteral("Betrag"), FieldType::Money, 0, false}};
    d.indexes = {{QString(), {QStringLiteral("Nr")}}, {QStringLiteral("BetragIdx"), {QStringLiteral("Betrag")}}};
    return d;
}

TEST(Money, AmountsTravelThroughATableExactlyAndSumWithoutDrift) {
    TempDir dir;
    Database db(dir.path());
    db.createTable(geldDef());
    Table t(db, QStringLiteral("geld"));
    t.open();
    const QList<QVariant> eingaben = {QVariant::fromValue(Money::fromUnits(std::numeric_limits<qint64>::max())),
                                      QVariant::fromValue(Money::fromUnits(-1)), QStringLiteral("12,345"),
                                      QVariant(0.1), QVariant(3)};
    const QList<qint64> erwartet = {std::numeric_limits<qint64>::max(), -1, 123450, 1000, 30000};
    for (const QVariant& e : eingaben) {
        t.append();
        t.setValue(QStringLiteral("Betrag"), e);
        t.post();
    }
    t.append();
    EXPECT_THROW(t.setValue(QStringLiteral("Betrag"), QStringLiteral("zwölf")), EngineError);
    t.cancel();
    QList<qint64> gelesen;
    t.setIndexName(QString());
    for (t.first(); !t.eof(); t.next())
        gelesen << t.value(QStringLiteral("Betrag")).value<Money>().units();
    EXPECT_EQ(gelesen, erwartet);
    // The index compares the stored counts: a range on an amount finds it.
    t.setIndexName(QStringLiteral("BetragIdx"));
    EXPECT_TRUE(t.findKey({QVariant::fromValue(Money::fromUnits(123450))}));
    EXPECT_TRUE(t.findKey({QStringLiteral("0,1")}));

    // A thousand tenths are exactly one hundred.
    {
        Transaction tx(db, QStringLiteral("geld"));
        for (int i = 0; i < 1000; ++i) {
            t.append();
            t.setValue(QStringLiteral("Betrag"), 0.1);
            t.post();
        }
        tx.commit();
    }
    {
        Query q(db, QStringLiteral("SELECT SUM(Betrag) FROM geld WHERE Betrag = ?"),
                {QVariant::fromValue(Money::fromUnits(1000))});
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toLongLong(), 1001 * 1000);
    }
    Query q(db, QStringLiteral("SELECT Betrag FROM geld WHERE Nr = 2"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).value<Money>(), Money::fromUnits(-1)); // a money column reads as Money
}

// A file as the engine wrote it before money was exact: format 0, amounts as REAL.
void alteDatei(Database& db, const TableDef& def, const QString& feld, const QList<QVariant>& werte) {
    db.createTable(def);
    sqlite3* h = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(db.filePath(def.name)).constData(), &h), SQLITE_OK);
    registerCollations(h); // the text keys' orders, for the indexes the rows go into
    sqlite3_exec(h, "PRAGMA user_version=0", nullptr, nullptr, nullptr);
    sqlite3_stmt* st = nullptr;
    const QByteArray sql = QStringLiteral("INSERT INTO \"%1\" (\"%2\") VALUES (?)").arg(def.name, feld).toUtf8();
    ASSERT_EQ(sqlite3_prepare_v2(h, sql.constData(), -1, &st, nullptr), SQLITE_OK) << sqlite3_errmsg(h);
    for (const QVariant& w : werte) {
        if (!w.isValid())
            sqlite3_bind_null(st, 1);
        else if (w.typeId() == QMetaType::QString)
            sqlite3_bind_text(st, 1, w.toString().toUtf8().constData(), -1, SQLITE_TRANSIENT);
        else
            sqlite3_bind_double(st, 1, w.toDouble());
        EXPECT_EQ(sqlite3_step(st), SQLITE_DONE);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    sqlite3_close(h);
}

int format(const QString& pfad) {
    sqlite3* h = nullptr;
    sqlite3_open(QFile::encodeName(pfad).constData(), &h);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(h, "PRAGMA user_version", -1, &st, nullptr);
    const int v = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int(st, 0) : -1;
    sqlite3_finalize(st);
    sqlite3_close(h);
    return v;
}

const QList<QVariant> kAlt = {12.5, 0.1, 0.00005, 0.00015, -19.99, 7.0, QVariant(), QStringLiteral("3,25"),
                              QStringLiteral("kein Betrag")};
const QList<QVariant> kNeu = {QVariant::fromValue(Money::fromUnits(125000)), QVariant::fromValue(Money::fromUnits(1000)),
                              QVariant::fromValue(Money::fromUnits(0)),      QVariant::fromValue(Money::fromUnits(2)),
                              QVariant::fromValue(Money::fromUnits(-199900)), QVariant::fromValue(Money::fromUnits(70000)),
                              QVariant(),                                     QVariant::fromValue(Money::fromUnits(32500))};

TEST(MoneyUpgrade, EveryCatalogueMoneyFieldIsScaledOnceWhenItsFileIsFirstOpened) {
    int gepruefte = 0;
    for (const TableDef& def : catalogue()) {
        for (const FieldDef& f : def.fields) {
            if (f.type != FieldType::Money) continue;
            ++gepruefte;
            TempDir dir;
            {
                Database db(dir.path());
                alteDatei(db, def, f.name, kAlt);
            }
            for (int runde = 0; runde < 2; ++runde) { // the second opening must not scale again
                Database db(dir.path());
                Table t(db, def.name);
                t.open();
                QList<QVariant> gelesen;
                for (t.first(); !t.eof() && gelesen.size() < kNeu.size(); t.next())
                    gelesen << t.value(f.name);
                EXPECT_EQ(gelesen, kNeu) << def.name.toStdString() << "." << f.name.toStdString();
                EXPECT_EQ(format(db.filePath(def.name)), 1);
            }
        }
    }
    EXPECT_EQ(gepruefte, 5); // Preisgekauft, Preisverkauft, Betrag, Kontostand, Eroeffnungssaldo
}

TEST(MoneyUpgrade, LocalSqlOnAnOldFileSeesTheUpgradedAmounts) {
    TempDir dir;
    {
        Database db(dir.path());
        alteDatei(db, geldDef(), QStringLiteral("Betrag"), {12.5, 0.00015});
    }
    Database db(dir.path());
    Query q(db, QStringLiteral("SELECT SUM(Betrag) FROM geld"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toLongLong(), 125002);
}

TEST(MoneyUpgrade, NewFilesAreOfTheCurrentFormatAndLeftAlone) {
    TempDir dir;
    Database db(dir.path());
    db.createTable(geldDef());
    EXPECT_EQ(format(db.filePath(QStringLiteral("geld"))), 1);
    Table t(db, QStringLiteral("geld"));
    t.open();
    t.append();
    t.setValue(QStringLiteral("Betrag"), 7);
    t.post();
    t.close();
    db.disconnect();
    Database again(dir.path());
    Table u(again, QStringLiteral("geld"));
    u.open();
    u.first();
    EXPECT_EQ(u.value(QStringLiteral("Betrag")).value<Money>(), Money::fromWhole(7));
}

} // namespace
