// The statistics on a generated register of 100,000 cats: the register statistics selecting about
// 10,000 cats (feature "PKD negativ", one cat in ten) with the figures of each, in simple and extended
// mode, and the feature statistics over a pedigree of 12 generations, with a cold and a warm reader.

#include "benchdaten.h"
#include "genealogy/beispiel.h"
#include "genealogy/statistikdatei.h"
#include "genealogy/statistikstammbaum.h"
#include "store/anlegen.h"
#include "store/database.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <benchmark/benchmark.h>
#include <memory>

using namespace velmora;
using namespace velmora::genealogy;

namespace {

struct Register {
    QString dir;
    std::unique_ptr<store::Database> db;
    Register() {
        BeispielParameter p;
        p.katzen = 100000;
        p.generationen = 30;
        p.seed = 7;
        dir = bench::beispielRegister(QStringLiteral("statistik-100000"), p);
        db = std::make_unique<store::Database>(dir);
    }
};

Register& reg() {
    static Register r;
    return r;
}

void auswertung(benchmark::State& state, bool erweitert, const QString& bedingung) {
    Register& r = reg();
    int treffer = 0, mitZahlen = 0;
    for (auto _ : state) {
        Registerabbild abbild(*r.db); // cold: the whole register is read every time
        const Auswertung e = auswerten(*r.db, abbild, erweitert, bedingung, Filter{}, 5,
                                       QLocale(QLocale::German), {}, [](int, int) { return true; });
        treffer = int(e.zeilen.size());
        mitZahlen = 0;
        for (const Ergebniszeile& z : e.zeilen)
            mitZahlen += z.mitZahlen;
        benchmark::DoNotOptimize(e.zeilen.data());
    }
    state.counters["treffer"] = treffer;
    state.counters["mitZahlen"] = mitZahlen;
}

void BM_AuswertungEinfach(benchmark::State& state) {
    auswertung(state, false, QStringLiteral(" (Merkmal='PKD negativ')"));
}
BENCHMARK(BM_AuswertungEinfach)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_AuswertungErweitert(benchmark::State& state) {
    auswertung(state, true, QStringLiteral(" (Merkmal='PKD negativ') or (Merkmal='Klon')"));
}
BENCHMARK(BM_AuswertungErweitert)->Unit(benchmark::kMillisecond)->Iterations(3);

// The youngest cat, whose pedigree runs deepest.
void stammbaum(benchmark::State& state, bool warm) {
    Register& r = reg();
    auto abbild = std::make_unique<Registerabbild>(*r.db);
    StammbaumFrage f;
    f.katze = 100000;
    f.generationen = int(state.range(0));
    f.alleMerkmale = true;
    quint64 plaetze = 0;
    int eintraege = 0;
    for (auto _ : state) {
        if (!warm) {
            state.PauseTiming();
            abbild = std::make_unique<Registerabbild>(*r.db);
            state.ResumeTiming();
        }
        const StammbaumStatistik s = stammbaumStatistik(*abbild, f, [] { return true; });
        plaetze = s.anzTiere;
        eintraege = int(s.eintraege.size());
        benchmark::DoNotOptimize(s.text({}));
    }
    state.counters["plaetze"] = double(plaetze);
    state.counters["eintraege"] = eintraege;
}
void BM_StammbaumKalt(benchmark::State& state) {
    stammbaum(state, false);
}
void BM_StammbaumWarm(benchmark::State& state) {
    stammbaum(state, true);
}
BENCHMARK(BM_StammbaumKalt)->Arg(12)->Arg(30)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StammbaumWarm)->Arg(12)->Arg(30)->Arg(100)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
