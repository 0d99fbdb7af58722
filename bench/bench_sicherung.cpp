// Backup and index rebuild of a 100,000-cat register with 1,000,000 weighing rows (made once into the
// build folder), each beside its baseline in the same run: the backup against `cp -r` of the same
// directory, the rebuild of every index against SQLite's own REINDEX of the same files.

#include "benchdaten.h"
#include "store/indexlauf.h"
#include "store/sicherung.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <sqlite3.h>

using namespace velmora;

namespace {

constexpr int kKatzen = 100000;
constexpr int kGewichte = 1000000;

// The register with its weighings; the weighings are written once, with a mark when complete.
QString registerDir() {
    static const QString dir = [] {
        genealogy::BeispielParameter p;
        p.katzen = kKatzen;
        const QString d = bench::beispielRegister(QStringLiteral("sicherung"), p);
        const QString mark = d + QStringLiteral("/../sicherung.gewichte");
        if (QFile::exists(mark)) return d;
        std::fprintf(stderr, "writing %d weighings into %s (once)\n", kGewichte, qPrintable(d));
        sqlite3* h = nullptr;
        sqlite3_open_v2(QFile::encodeName(d + QStringLiteral("/gewicht.db")).constData(), &h,
                        SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_exec(h, "BEGIN; DELETE FROM gewicht", nullptr, nullptr, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(h, "INSERT INTO gewicht (Katze, Datum, Gewicht, \"Grösse\") VALUES (?, ?, ?, ?)", -1,
                           &st, nullptr);
        for (int i = 0; i < kGewichte; ++i) {
            const QByteArray datum = QDate(2000, 1, 1).addDays(i % 9000).toString(Qt::ISODate).toUtf8();
            sqlite3_bind_int(st, 1, 1 + i % kKatzen);
            sqlite3_bind_text(st, 2, datum.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_double(st, 3, 100.0 + i % 5000);
            sqlite3_bind_double(st, 4, 10.0 + i % 40);
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close_v2(h);
        QFile f(mark);
        f.open(QIODevice::WriteOnly);
        return d;
    }();
    return dir;
}

qint64 groesse(const QString& dir) {
    qint64 n = 0;
    for (const QFileInfo& f : QDir(dir).entryInfoList(QDir::Files))
        n += f.size();
    return n;
}

void BM_Sichern_Velmora(benchmark::State& s) {
    const QString d = registerDir();
    for (auto _ : s) {
        s.PauseTiming();
        QTemporaryDir ziel(QStringLiteral(VELMORA_BENCH_DATEN) + QStringLiteral("/ziel-XXXXXX"));
        s.ResumeTiming();
        const store::SicherungsErgebnis r = store::datenSichern(d, ziel.path());
        if (!r.ok()) s.SkipWithError("backup failed");
        benchmark::DoNotOptimize(r.dateien);
    }
    s.counters["MB"] = double(groesse(d)) / 1e6;
}

void BM_Sichern_CpR(benchmark::State& s) {
    const QString d = registerDir();
    for (auto _ : s) {
        s.PauseTiming();
        QTemporaryDir ziel(QStringLiteral(VELMORA_BENCH_DATEN) + QStringLiteral("/ziel-XXXXXX"));
        const QByteArray befehl = "cp -r '" + QFile::encodeName(d) + "' '" + QFile::encodeName(ziel.path()) + "/k'";
        s.ResumeTiming();
        if (std::system(befehl.constData()) != 0) s.SkipWithError("cp failed");
    }
}

// A scratch copy, so the rebuild's write tests do not change the kept register.
struct Kopie {
    QTemporaryDir dir{QStringLiteral(VELMORA_BENCH_DATEN) + QStringLiteral("/indizes-XXXXXX")};
    Kopie() { store::datenSichern(registerDir(), dir.path()); }
};

void BM_Indizes_Velmora(benchmark::State& s) {
    Kopie k;
    store::Database db(k.dir.path());
    for (auto _ : s) {
        for (const store::IndexTabelle& t : store::alleIndexTabellen()) {
            if (!db.tableExists(t.tabelle)) continue;
            QString grund;
            if (!store::tabellenIndizesNeuAufbauen(db, t.tabelle, {}, &grund))
                s.SkipWithError(qPrintable(t.tabelle + QStringLiteral(": ") + grund));
        }
        db.disconnect();
    }
}

void BM_Indizes_Reindex(benchmark::State& s) {
    Kopie k;
    for (auto _ : s) {
        for (const store::IndexTabelle& t : store::alleIndexTabellen()) {
            const QString datei = store::Database::tableFilePath(k.dir.path(), t.tabelle);
            if (!QFileInfo::exists(datei)) continue;
            sqlite3* h = nullptr;
            sqlite3_open_v2(QFile::encodeName(datei).constData(), &h, SQLITE_OPEN_READWRITE, nullptr);
            store::registerCollations(h);
            if (sqlite3_exec(h, "REINDEX", nullptr, nullptr, nullptr) != SQLITE_OK)
                s.SkipWithError(sqlite3_errmsg(h));
            sqlite3_close_v2(h);
        }
    }
}

} // namespace

BENCHMARK(BM_Sichern_Velmora)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Sichern_CpR)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Indizes_Velmora)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Indizes_Reindex)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();
