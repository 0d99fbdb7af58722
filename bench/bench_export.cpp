// The CSV export of a generated register of 100,000 cats with features, breeders and owners, and
// "Alle ersetzen" over the sorted name column of all 100,000 cats (one transaction per batch), each
// beside the raw walk of the same cursor.

#include "benchdaten.h"
#include "exchange/onlineexport.h"
#include "exchange/suchenersetzen.h"
#include "store/database.h"
#include "store/table.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using namespace velmora;

namespace {

// The register of the other benchmarks plus 2,000 addresses as breeders and owners (added once).
QString exportRegister() {
    genealogy::BeispielParameter p;
    p.katzen = 100000;
    p.generationen = 30;
    p.seed = 7;
    const QString dir = bench::beispielRegister(QStringLiteral("export-100000"), p);
    store::Database db(dir);
    store::Table adr(db, QStringLiteral("adr_dat"));
    adr.open();
    if (adr.recordCount() < 2000) {
        store::Transaction tx(db, QStringLiteral("adr_dat"));
        for (int i = adr.recordCount(); i < 2000; ++i) {
            adr.append();
            adr.setValue(QStringLiteral("Name"), QStringLiteral("Züchter%1").arg(i));
            adr.setValue(QStringLiteral("Vorname"), QStringLiteral("Hanne"));
            adr.post();
        }
        tx.commit();
        store::Table k(db, QStringLiteral("catstamm"));
        k.open();
        store::Transaction tk(db, QStringLiteral("catstamm"));
        for (k.first(); !k.eof(); k.next()) {
            const int nr = k.asInt(QStringLiteral("LaufendeNummer"));
            k.edit();
            k.setValue(QStringLiteral("Züchter"), 1 + nr % 2000);
            k.setValue(QStringLiteral("Besitzer"), 1 + (nr * 7) % 2000);
            k.setValue(QStringLiteral("Bemerkung"), QStringLiteral("Zeile eins\nZeile \"zwei\"; Ende"));
            k.post();
        }
        tk.commit();
    }
    return dir;
}

void BM_CsvExport100000(benchmark::State& state) {
    static const QString dir = exportRegister();
    store::Database db(dir);
    QTemporaryDir aus;
    qint64 bytes = 0;
    int zeilen = 0;
    for (auto _ : state) {
        store::Table katzen(db, QStringLiteral("catstamm"));
        katzen.open(store::Table::OpenMode::ReadOnly);
        katzen.setIndexName(QString::fromLatin1(exchange::kGridIndex));
        exchange::ExportOptionen opt;
        opt.bilder = opt.zuchtbuch = false;
        exchange::TOnlineExport exp(db, opt); // the lookups are part of every export
        const exchange::DateiErgebnis e =
            exp.katzenDatei(katzen, aus.filePath(QStringLiteral("k.csv")), exchange::Layout::Csv);
        if (!e.ok) state.SkipWithError("not written");
        zeilen = e.zeilen;
        bytes = QFileInfo(aus.filePath(QStringLiteral("k.csv"))).size();
    }
    state.counters["cats"] = zeilen;
    state.counters["bytes"] = double(bytes);
    state.counters["peak_MB"] = bench::maxRssMb();
}
BENCHMARK(BM_CsvExport100000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same cursor walked in name order reading every field the cat line reads, nothing written.
void BM_NamensfolgeLesen100000(benchmark::State& state) {
    static const QString dir = exportRegister();
    store::Database db(dir);
    for (auto _ : state) {
        store::Table katzen(db, QStringLiteral("catstamm"));
        katzen.open(store::Table::OpenMode::ReadOnly);
        katzen.setIndexName(QString::fromLatin1(exchange::kGridIndex));
        qint64 n = 0;
        for (katzen.first(); katzen.hasRecord() && !katzen.eof(); katzen.next())
            for (int f = 0; f < katzen.fieldCount(); ++f)
                n += katzen.value(f).isNull() ? 0 : 1;
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_NamensfolgeLesen100000)->Unit(benchmark::kMillisecond)->Iterations(3);

void kopieren(const QString& von, const QString& nach) {
    QDir().mkpath(nach);
    for (const QString& f : QDir(von).entryList(QDir::Files))
        QFile::copy(von + QLatin1Char('/') + f, nach + QLatin1Char('/') + f);
}

// Every name holds a blank: 100,000 replacements in the column the cursor is sorted by.
void BM_AlleErsetzen100000(benchmark::State& state) {
    static const QString dir = exportRegister();
    int ersetzt = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir kopie;
        kopieren(dir, kopie.path());
        auto db = std::make_unique<store::Database>(kopie.path());
        store::Table katzen(*db, QStringLiteral("catstamm"));
        katzen.open();
        katzen.setIndexName(QString::fromLatin1(exchange::kGridIndex));
        state.ResumeTiming();
        exchange::Suchlauf lauf(katzen, katzen.fieldIndex(QStringLiteral("Name")),
                                {QStringLiteral(" "), QStringLiteral("  ")});
        ersetzt = lauf.alleErsetzen().ersetzt;
        state.PauseTiming();
        katzen.close();
        db.reset();
        state.ResumeTiming();
    }
    state.counters["replaced"] = ersetzt;
    state.counters["peak_MB"] = bench::maxRssMb();
}
BENCHMARK(BM_AlleErsetzen100000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
