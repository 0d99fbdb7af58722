// The reminder checks of the start-up on a register of 100,000 cats with 500,000 vaccination and
// 500,000 worming rows (due dates spread over eleven years) and 2,000 medicines, generated once into
// bench-daten: warm (the program's open database) and cold (a fresh connection, as at start-up).

#include "benchdaten.h"
#include "register/erinnerungen.h"
#include "store/database.h"
#include "store/table.h"

#include <QRandomGenerator>
#include <benchmark/benchmark.h>
#include <memory>

using namespace velmora;

namespace {

const QDate kHeute(2026, 6, 1);

void fuellen(store::Database& db, const QString& tabelle, const QString& datumFeld, int zeilen, quint64 seed) {
    store::Table t(db, tabelle);
    t.open();
    if (t.recordCount() >= zeilen) return;
    QRandomGenerator z(seed);
    const QDate anfang(2016, 1, 1);
    store::Transaction tx(db, tabelle);
    for (int i = 0; i < zeilen; ++i) {
        const QDate gegeben = anfang.addDays(z.bounded(4000));
        t.append();
        t.setValue(QStringLiteral("Katze"), 1 + int(z.bounded(100000)));
        t.setValue(QStringLiteral("Datum"), gegeben);
        t.setValue(datumFeld, gegeben.addDays(tabelle == QLatin1String("impfung") ? 365 : 90));
        t.post();
    }
    tx.commit();
}

struct Register {
    QString dir;
    std::unique_ptr<store::Database> db;
    Register() {
        genealogy::BeispielParameter p;
        p.katzen = 100000;
        p.generationen = 30;
        p.seed = 7;
        dir = bench::beispielRegister(QStringLiteral("erinnerungen-100000"), p);
        db = std::make_unique<store::Database>(dir);
        fuellen(*db, QStringLiteral("impfung"), QStringLiteral("NeuAm"), 500000, 11);
        fuellen(*db, QStringLiteral("wurmkur"), QStringLiteral("Naechste"), 500000, 12);
        store::Table a(*db, QStringLiteral("apotheke"));
        a.open();
        if (a.recordCount() < 2000) {
            QRandomGenerator z(13);
            store::Transaction tx(*db, QStringLiteral("apotheke"));
            for (int i = 0; i < 2000; ++i) {
                a.append();
                a.setValue(QStringLiteral("Medikament"), QStringLiteral("Mittel %1").arg(i));
                a.setValue(QStringLiteral("Verfallsdatum"), QDate(2020, 1, 1).addDays(z.bounded(4000)));
                a.post();
            }
            tx.commit();
        }
    }
};

void zaehlen(benchmark::State& state, const reg::Erinnerungen& e) {
    state.counters["medikamente"] = double(e.medikamente.size());
    state.counters["impfungen"] = double(e.impfungen.size());
    state.counters["wurmkuren"] = double(e.wurmkuren.size());
    if (!e.fehler.isEmpty()) state.SkipWithError("a table could not be read");
}

void BM_ErinnerungenWarm(benchmark::State& state) {
    static Register r;
    reg::Erinnerungen e;
    for (auto _ : state)
        benchmark::DoNotOptimize(e = reg::erinnerungenPruefen(*r.db, {}, kHeute));
    zaehlen(state, e);
    state.counters["maxrss_MB"] = bench::maxRssMb();
}
BENCHMARK(BM_ErinnerungenWarm)->Unit(benchmark::kMillisecond)->Iterations(20);

// One check at a time, to see where the time goes: 0 medicines, 1 vaccinations, 2 wormings.
void BM_ErinnerungEinzeln(benchmark::State& state) {
    static Register r;
    const int welche = int(state.range(0));
    const reg::Warnschalter schalter{welche == 0, welche == 1, welche == 2};
    reg::Erinnerungen e;
    for (auto _ : state)
        benchmark::DoNotOptimize(e = reg::erinnerungenPruefen(*r.db, schalter, kHeute));
    zaehlen(state, e);
}
BENCHMARK(BM_ErinnerungEinzeln)->Unit(benchmark::kMillisecond)->Iterations(20)->Arg(0)->Arg(1)->Arg(2);

void BM_ErinnerungenKalt(benchmark::State& state) {
    static Register r;
    reg::Erinnerungen e;
    for (auto _ : state) {
        store::Database db(r.dir);
        benchmark::DoNotOptimize(e = reg::erinnerungenPruefen(db, {}, kHeute));
    }
    zaehlen(state, e);
}
BENCHMARK(BM_ErinnerungenKalt)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

BENCHMARK_MAIN();
