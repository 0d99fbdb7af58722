// The engine against the same work done with raw sqlite3 calls on a 100,000-cat table.

#include "store/catalogue.h"
#include "store/table.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

using namespace velmora::store;

namespace {

constexpr int kCats = 100000;

QString catName(int i) { return QStringLiteral("Katze %1 vom Zwinger").arg((i * 7919) % kCats, 6, 10, QLatin1Char('0')); }

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
        sqlite3_prepare_v2(h, "INSERT INTO catstamm (Name, Geschlecht, GebDatum) VALUES (?,?,?)", -1, &st, nullptr);
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

void BM_Open_Raw(benchmark::State& s) {
    Fixture& f = fixture();
    for (auto _ : s) {
        sqlite3* h = rawOpen(f.db->filePath(QStringLiteral("catstamm")));
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(h, "SELECT * FROM catstamm ORDER BY rowid LIMIT 1", -1, &st, nullptr);
        sqlite3_step(st);
        benchmark::DoNotOptimize(sqlite3_column_int(st, 0));
        sqlite3_finalize(st);
        sqlite3_close(h);
    }
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
        benchmark::DoNotOptimize(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 11))));
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
        for (t.first(); !t.eof(); t.next()) n += t.value(11).toString().size(); // Name
        benchmark::DoNotOptimize(n);
    }
    s.SetItemsProcessed(s.iterations() * kCats);
}

void BM_WalkNameidx_Raw(benchmark::State& s) {
    Fixture& f = fixture();
    sqlite3* h = rawOpen(f.db->filePath(QStringLiteral("catstamm")));
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(h,
                       "SELECT * FROM catstamm ORDER BY Name COLLATE VELMORA_NOCASE, GebDatum, LaufendeNummer, rowid",
                       -1, &st, nullptr);
    for (auto _ : s) {
        qint64 n = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            // the same work per record: every column read into a value
            for (int c = 0; c < sqlite3_column_count(st); ++c)
                if (sqlite3_column_type(st, c) == SQLITE_TEXT)
                    benchmark::DoNotOptimize(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c))));
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
    sqlite3_prepare_v2(d, "SELECT rowid FROM katzemerkmal WHERE Katze = ? ORDER BY Katze, rowid", -1, &sd, nullptr);
    int i = 1;
    for (auto _ : s) {
        sqlite3_bind_int(sm, 1, i);
        sqlite3_step(sm);
        sqlite3_bind_int(sd, 1, sqlite3_column_int(sm, 0));
        int n = 0;
        while (sqlite3_step(sd) == SQLITE_ROW) ++n;
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
BENCHMARK_MAIN();
