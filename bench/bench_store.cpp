// The engine against the same work done with raw sqlite3 calls on a 100,000-cat table, and the steps of
// start-up on a 1,000,000-cat register (generated once into the build folder).

#include "genealogy/beispiel.h"
#include "store/anlegen.h"
#include "store/catalogue.h"
#include "store/table.h"
#include "store/tablefile.h"

#include <QDir>
#include <QFile>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <sqlite3.h>

using namespace velmora::store;

namespace {

constexpr int kCats = 100000;

QString catName(int i) {
    return QStringLiteral("Katze %1 vom Zwinger").arg((i * 7919) % kCats, 6, 10, QLatin1Char('0'));
}

struct Fixture {
    QTemporaryDir dir;
    std::unique_ptr<Database> db;
    Fixture() {
        db = std::make_unique<Database>(dir.path());
        db->createTable(*catalogueTable(QStringLiteral("catstamm")));
        db->createTable(*catalogueTable(QStringLiteral("katzemerkmal")));
        Table t(*db, QStringLiteral("catstamm"));
        t.open();
        Transaction tx(*db, QStringLiteral("catstamm"));
        for (int i = 1; i <= kCats; ++i) {
            t.append();
            t.setValue(QStringLiteral("Name"), catName(i));
            t.setValue(QStringLiteral("Geschlecht"), i % 2 ? QStringLiteral("1") : QStringLiteral("2"));
            t.setValue(QStringLiteral("GebDatum"), QDate(2000, 1, 1).addDays(i % 7000));
            t.setValue(QStringLiteral("Mutter"), i > 10 ? i / 2 : 0);
            t.post();
        }
        tx.commit();
        Table m(*db, QStringLiteral("katzemerkmal"));
        m.open();
        Transaction tm(*db, QStringLiteral("katzemerkmal"));
        for (int i = 1; i <= kCats; i += 10) {
            m.append();
            m.setValue(QStringLiteral("Katze"), i);
            m.setValue(QStringLiteral("Merkmal"), 1);
            m.post();
        }
        tm.commit();
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

sqlite3* rawOpen(const QString& path) {
    sqlite3* h = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &h, SQLITE_OPEN_READWRITE, nullptr);
    registerCollations(h);
    return h;
}

// Every stored column of the row read into a value as the engine reads it (by the field's type).
void readRow(sqlite3_stmt* st, int first, const QList<FieldDef>& fields) {
    for (int i = 0; i < fields.size(); ++i)
        benchmark::DoNotOptimize(columnValue(st, first + i, fields[i].type));
}

const QList<FieldDef>& catFields() {
    static const QList<FieldDef> f = catalogueTable(QStringLiteral("catstamm"))->fields;
    return f;
}

constexpr char kNameOrder[] = "Name COLLATE VELMORA_NOCASE, GebDatum, LaufendeNummer, rowid";

void BM_BulkInsert_Engine(benchmark::State& s) {
    for (auto _ : s) {
        QTemporaryDir dir;
        Database db(dir.path());
        db.createTable(*catalogueTable(QStringLiteral("catstamm")));
        Table t(db, QStringLiteral("catstamm"));
        t.open();
        Transaction tx(db, QStringLiteral("catstamm"));
        for (int i = 1; i <= 20000; ++i) {
            t.append();
            t.setValue(QStringLiteral("Name"), catName(i));
            t.setValue(QStringLiteral("Geschlecht"), QStringLiteral("1"));
            t.setValue(QStringLiteral("GebDatum"), QDate(2000, 1, 1).addDays(i % 7000));
            t.post();
        }
        tx.commit();
    }
    s.SetItemsProcessed(s.iterations() * 20000);
}

void BM_BulkInsert_Raw(benchmark::State& s) {
    for (auto _ : s) {
        QTemporaryDir dir;
        {
            Database db(dir.path());
            db.createTable(*catalogueTable(QStringLiteral("catstamm")));
        }
        sqlite3* h = rawOpen(dir.filePath(QStringLiteral("catstamm.db")));
        sqlite3_exec(h, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(h, "INSERT INTO catstamm (Name, Geschlecht, GebDatum) VALUES (?,?,?)", -1, &st,
                           nullptr);
        for (int i = 1; i <= 20000; ++i) {
            const QByteArray n = catName(i).toUtf8();
            const QByteArray d = QDate(2000, 1, 1).addDays(i % 7000).toString(Qt::ISODate).toUtf8();
            sqlite3_bind_text(st, 1, n.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 2, "1", -1, SQLITE_STATIC);
            sqlite3_bind_text(st, 3, d.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(h);
    }
    s.SetItemsProcessed(s.iterations() * 20000);
}

void BM_Open_Engine(benchmark::State& s) {
    Fixture& f = fixture();
    for (auto _ : s) {
        Table t(*f.db, QStringLiteral("catstamm"));
        t.open();
        benchmark::DoNotOptimize(t.asInt(QStringLiteral("LaufendeNummer")));
    }
}

// The engine keeps the file's connection open between cursors; each new cursor prepares its statement
// and reads the first record into values.
void BM_Open_Raw(benchmark::State& s) {
    Fixture& f = fixture();
    sqlite3* h = rawOpen(f.db->filePath(QStringLiteral("catstamm")));
    for (auto _ : s) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(h, "SELECT rowid, * FROM catstamm ORDER BY LaufendeNummer, rowid LIMIT 65", -1,
                           &st, nullptr);
        sqlite3_step(st);
        readRow(st, 1, catFields());
        sqlite3_finalize(st);
    }
    sqlite3_close(h);
}

void BM_KeyLookup_Engine(benchmark::State& s) {
    Fixture& f = fixture();
    Table t(*f.db, QStringLiteral("catstamm"));
    t.open();
    int i = 1;
    for (auto _ : s) {
        t.findKey({i});
        benchmark::DoNotOptimize(t.asString(QStringLiteral("Name")));
        i = i % kCats + 7;
    }
}

void BM_KeyLookup_Raw(benchmark::State& s) {
    Fixture& f = fixture();
    sqlite3* h = rawOpen(f.db->filePath(QStringLiteral("catstamm")));
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(h, "SELECT * FROM catstamm WHERE LaufendeNummer = ?", -1, &st, nullptr);
    int i = 1;
    for (auto _ : s) {
        sqlite3_bind_int(st, 1, i);
        sqlite3_step(st);
        // column 11 is Name, the field the engine side reads
        benchmark::DoNotOptimize(
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 11))));
        sqlite3_reset(st);
        i = i % kCats + 7;
    }
    sqlite3_finalize(st);
    sqlite3_close(h);
}

void BM_WalkNameidx_Engine(benchmark::State& s) {
    Fixture& f = fixture();
    Table t(*f.db, QStringLiteral("catstamm"));
    t.open();
    t.setIndexName(QStringLiteral("Nameidx"));
    for (auto _ : s) {
        qint64 n = 0;
        for (t.first(); !t.eof(); t.next())
            n += t.value(11).toString().size(); // Name
        benchmark::DoNotOptimize(n);
    }
    s.SetItemsProcessed(s.iterations() * kCats);
}

void BM_WalkNameidx_Raw(benchmark::State& s) {
    Fixture& f = fixture();
    sqlite3* h = rawOpen(f.db->filePath(QStringLiteral("catstamm")));
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(
        h, "SELECT * FROM catstamm ORDER BY Name COLLATE VELMORA_NOCASE, GebDatum, LaufendeNummer, rowid", -1,
        &st, nullptr);
    for (auto _ : s) {
        qint64 n = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            // the same work per record: every column read into a value as the engine reads it
            readRow(st, 0, catFields());
            n += sqlite3_column_bytes(st, 11);
        }
        sqlite3_reset(st);
        benchmark::DoNotOptimize(n);
    }
    sqlite3_finalize(st);
    sqlite3_close(h);
    s.SetItemsProcessed(s.iterations() * kCats);
}

void BM_Nearest_Engine(benchmark::State& s) {
    Fixture& f = fixture();
    Table t(*f.db, QStringLiteral("catstamm"));
    t.open();
    t.setIndexName(QStringLiteral("Nameidx"));
    int i = 0;
    for (auto _ : s) {
        t.findNearest({QStringLiteral("katze %1").arg(i % 1000, 3, 10, QLatin1Char('0'))});
        benchmark::DoNotOptimize(t.recordId());
        ++i;
    }
}

void BM_Nearest_Raw(benchmark::State& s) {
    Fixture& f = fixture();
    sqlite3* h = rawOpen(f.db->filePath(QStringLiteral("catstamm")));
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(h,
                       "SELECT * FROM catstamm WHERE Name COLLATE VELMORA_NOCASE >= ? ORDER BY Name COLLATE "
                       "VELMORA_NOCASE, GebDatum, LaufendeNummer, rowid LIMIT 1",
                       -1, &st, nullptr);
    int i = 0;
    for (auto _ : s) {
        const QByteArray k = QStringLiteral("katze %1").arg(i % 1000, 3, 10, QLatin1Char('0')).toUtf8();
        sqlite3_bind_text(st, 1, k.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_step(st);
        benchmark::DoNotOptimize(sqlite3_column_int64(st, 0));
        sqlite3_reset(st);
        ++i;
    }
    sqlite3_finalize(st);
    sqlite3_close(h);
}

void BM_MasterDetail_Engine(benchmark::State& s) {
    Fixture& f = fixture();
    Table master(*f.db, QStringLiteral("catstamm"));
    master.open();
    Table detail(*f.db, QStringLiteral("katzemerkmal"));
    detail.open();
    detail.setMaster(&master, QStringLiteral("LaufendeNummer"), QStringLiteral("Katze"));
    int i = 1;
    for (auto _ : s) {
        master.findKey({i});
        benchmark::DoNotOptimize(detail.recordCount());
        i = i % kCats + 13;
    }
}

void BM_MasterDetail_Raw(benchmark::State& s) {
    Fixture& f = fixture();
    sqlite3* h = rawOpen(f.db->filePath(QStringLiteral("catstamm")));
    sqlite3* d = rawOpen(f.db->filePath(QStringLiteral("katzemerkmal")));
    sqlite3_stmt *sm = nullptr, *sd = nullptr;
    sqlite3_prepare_v2(h, "SELECT * FROM catstamm WHERE LaufendeNummer = ?", -1, &sm, nullptr);
    sqlite3_prepare_v2(d, "SELECT rowid FROM katzemerkmal WHERE Katze = ? ORDER BY Katze, rowid", -1, &sd,
                       nullptr);
    int i = 1;
    for (auto _ : s) {
        sqlite3_bind_int(sm, 1, i);
        sqlite3_step(sm);
        sqlite3_bind_int(sd, 1, sqlite3_column_int(sm, 0));
        int n = 0;
        while (sqlite3_step(sd) == SQLITE_ROW)
            ++n;
        sqlite3_reset(sd);
        sqlite3_reset(sm);
        benchmark::DoNotOptimize(n);
        i = i % kCats + 13;
    }
    sqlite3_finalize(sm);
    sqlite3_finalize(sd);
    sqlite3_close(h);
    sqlite3_close(d);
}

} // namespace

BENCHMARK(BM_BulkInsert_Engine)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_BulkInsert_Raw)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Open_Engine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Open_Raw)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeyLookup_Engine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeyLookup_Raw)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WalkNameidx_Engine)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_WalkNameidx_Raw)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Nearest_Engine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Nearest_Raw)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MasterDetail_Engine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MasterDetail_Raw)->Unit(benchmark::kMicrosecond);
// ---------------------------------------------------------------- 1,000,000 cats

namespace {

constexpr int kMillion = 1000000;

// The register is generated once (several minutes) and kept in the build folder; a folder without
// its completion mark is generated again. Empty when there is not enough disk.
QString millionDir() {
    static const QString dir = [] {
        const QString base = QStringLiteral(VELMORA_BENCH_DATEN);
        const QString daten = base + QStringLiteral("/million");
        const QString mark = base + QStringLiteral("/million.fertig");
        if (QFile::exists(mark)) return daten;
        QDir().mkpath(base);
        constexpr qint64 kNeeded = 1500ll * 1024 * 1024;
        if (QStorageInfo(base).bytesAvailable() < kNeeded) return QString();
        QDir(daten).removeRecursively();
        std::fprintf(stderr, "generating the 1,000,000-cat register in %s (once)\n", qPrintable(daten));
        velmora::genealogy::BeispielParameter p;
        p.katzen = kMillion;
        velmora::genealogy::legeBeispielAn(daten, standardDatenquelle(), p);
        QFile f(mark);
        f.open(QIODevice::WriteOnly);
        return daten;
    }();
    return dir;
}

bool haveMillion(benchmark::State& s) {
    if (!millionDir().isEmpty()) return true;
    s.SkipWithError("not enough disk for the 1,000,000-cat register (1.5 GB)");
    return false;
}

struct Million {
    Database db{millionDir()};
};

Million& million() {
    static Million m;
    return m;
}

} // namespace

// A cursor as a window opens it: open, name index, the first record. Nothing is listed.
void BM_Million_OpenFirst_Engine(benchmark::State& s) {
    if (!haveMillion(s)) return;
    Million& m = million();
    for (auto _ : s) {
        Table t(m.db, QStringLiteral("catstamm"));
        t.open(Table::OpenMode::ReadOnly);
        t.setIndexName(QStringLiteral("Nameidx"));
        t.first();
        benchmark::DoNotOptimize(t.value(11));
    }
}

void BM_Million_OpenFirst_Raw(benchmark::State& s) {
    if (!haveMillion(s)) return;
    sqlite3* h = rawOpen(million().db.filePath(QStringLiteral("catstamm")));
    const QByteArray first =
        QByteArray("SELECT rowid, * FROM catstamm ORDER BY LaufendeNummer, rowid LIMIT 65");
    const QByteArray named = QByteArray("SELECT rowid, * FROM catstamm ORDER BY ") + kNameOrder + " LIMIT 65";
    for (auto _ : s) {
        // the engine reads the primary key's first record at open, then the name order's
        for (const QByteArray& sql : {first, named}) {
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(h, sql.constData(), -1, &st, nullptr);
            sqlite3_step(st);
            readRow(st, 1, catFields());
            sqlite3_finalize(st);
        }
    }
    sqlite3_close(h);
}

// The first positioned lookup on a connection lists the name order with its position lookup.
void BM_Million_ListOrder_Engine(benchmark::State& s) {
    if (!haveMillion(s)) return;
    for (auto _ : s) {
        Database db(millionDir());
        Table t(db, QStringLiteral("catstamm"));
        t.open(Table::OpenMode::ReadOnly);
        t.setIndexName(QStringLiteral("Nameidx"));
        t.gotoPosition(kMillion / 2);
        benchmark::DoNotOptimize(t.position());
    }
}

void BM_Million_ListOrder_Raw(benchmark::State& s) {
    if (!haveMillion(s)) return;
    for (auto _ : s) {
        sqlite3* h = rawOpen(million().db.filePath(QStringLiteral("catstamm")));
        sqlite3_stmt* st = nullptr;
        const QByteArray sql = QByteArray("SELECT rowid FROM catstamm ORDER BY ") + kNameOrder;
        sqlite3_prepare_v2(h, sql.constData(), -1, &st, nullptr);
        std::vector<qint64> ids;
        while (sqlite3_step(st) == SQLITE_ROW)
            ids.push_back(sqlite3_column_int64(st, 0));
        sqlite3_finalize(st);
        std::vector<int> pos(ids.size() + 1, -1);
        for (size_t i = 0; i < ids.size(); ++i)
            if (ids[i] >= 0 && size_t(ids[i]) < pos.size()) pos[size_t(ids[i])] = int(i);
        sqlite3_stmt* r = nullptr;
        sqlite3_prepare_v2(h, "SELECT rowid, * FROM catstamm WHERE rowid = ?", -1, &r, nullptr);
        sqlite3_bind_int64(r, 1, ids[ids.size() / 2]);
        sqlite3_step(r);
        readRow(r, 1, catFields());
        sqlite3_finalize(r);
        benchmark::DoNotOptimize(pos[size_t(ids[ids.size() / 2])]);
        sqlite3_close(h);
    }
}

// Another cursor on the same order (the register beside the cat list): positions come from the order
// the first one listed.
void BM_Million_SecondCursorPosition(benchmark::State& s) {
    if (!haveMillion(s)) return;
    Million& m = million();
    Table liste(m.db, QStringLiteral("catstamm"));
    liste.open(Table::OpenMode::ReadOnly);
    liste.setIndexName(QStringLiteral("Nameidx"));
    liste.gotoPosition(10);
    int i = 0;
    for (auto _ : s) {
        Table t(m.db, QStringLiteral("catstamm"));
        t.open(Table::OpenMode::ReadOnly);
        t.setIndexName(QStringLiteral("Nameidx"));
        t.findKey({QStringLiteral("A")}); // usually not found: stays on the first record
        t.gotoPosition((i += 7919) % kMillion);
        benchmark::DoNotOptimize(t.position());
    }
}

// Positioned lookups on a listed order, as a grid scrolled to random rows asks for them.
void BM_Million_GotoPosition_Engine(benchmark::State& s) {
    if (!haveMillion(s)) return;
    Table t(million().db, QStringLiteral("catstamm"));
    t.open(Table::OpenMode::ReadOnly);
    t.setIndexName(QStringLiteral("Nameidx"));
    t.gotoPosition(0);
    int i = 0;
    for (auto _ : s) {
        t.gotoPosition((i += 104729) % kMillion);
        benchmark::DoNotOptimize(t.value(11));
    }
}

// A key search then its place in the order (the register's cat shown in the list).
void BM_Million_FindKeyPosition_Engine(benchmark::State& s) {
    if (!haveMillion(s)) return;
    Table namen(million().db, QStringLiteral("catstamm"));
    namen.open(Table::OpenMode::ReadOnly);
    namen.setIndexName(QStringLiteral("Nameidx"));
    namen.gotoPosition(0);
    int i = 1;
    for (auto _ : s) {
        namen.gotoRecordId(i);
        benchmark::DoNotOptimize(namen.position());
        i = (i + 7919) % kMillion + 1;
    }
}

// The whole name order walked, every record read.
void BM_Million_WalkName_Engine(benchmark::State& s) {
    if (!haveMillion(s)) return;
    Table t(million().db, QStringLiteral("catstamm"));
    t.open(Table::OpenMode::ReadOnly);
    t.setIndexName(QStringLiteral("Nameidx"));
    for (auto _ : s) {
        qint64 n = 0;
        for (t.first(); !t.eof(); t.next())
            n += t.value(11).toString().size();
        benchmark::DoNotOptimize(n);
    }
    s.SetItemsProcessed(s.iterations() * kMillion);
}

void BM_Million_WalkName_Raw(benchmark::State& s) {
    if (!haveMillion(s)) return;
    sqlite3* h = rawOpen(million().db.filePath(QStringLiteral("catstamm")));
    sqlite3_stmt* st = nullptr;
    const QByteArray sql = QByteArray("SELECT * FROM catstamm ORDER BY ") + kNameOrder;
    sqlite3_prepare_v2(h, sql.constData(), -1, &st, nullptr);
    for (auto _ : s) {
        qint64 n = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            readRow(st, 0, catFields());
            n += sqlite3_column_bytes(st, 11);
        }
        sqlite3_reset(st);
        benchmark::DoNotOptimize(n);
    }
    sqlite3_finalize(st);
    sqlite3_close(h);
    s.SetItemsProcessed(s.iterations() * kMillion);
}

BENCHMARK(BM_Million_OpenFirst_Engine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Million_OpenFirst_Raw)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Million_ListOrder_Engine)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Million_ListOrder_Raw)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Million_SecondCursorPosition)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Million_GotoPosition_Engine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Million_FindKeyPosition_Engine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Million_WalkName_Engine)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Million_WalkName_Raw)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
