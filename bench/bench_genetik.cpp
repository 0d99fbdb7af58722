// The register genetics on generated registers of 100,000 and 1,000,000 cats over 30 generations (one
// closed population per 20,000 cats): reading the cats, the pedigree order with every cat's inbreeding,
// one cat's kinship with all cats, and the population figures over a reference of the youngest 100,000
// cats. Run one size per process (--benchmark_filter='/100000$') for the peak memory of that size alone.

#include "benchdaten.h"
#include "genealogy/beispiel.h"
#include "genealogy/genetik.h"
#include "genealogy/partnersuche.h"
#include "store/anlegen.h"
#include "store/database.h"

#include <QDir>
#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>
#if defined(__unix__) || defined(__APPLE__)
#include <sys/resource.h>
#endif

using namespace velmora;
using namespace velmora::genealogy;

namespace {

struct Register {
    std::unique_ptr<store::Database> db;
    std::unique_ptr<Genetik> genetik;
    explicit Register(int katzen) {
        BeispielParameter p;
        p.katzen = katzen;
        p.generationen = 30;
        p.seed = 7;
        const QString dir = bench::beispielRegister(QStringLiteral("genetik-%1").arg(katzen), p);
        db = std::make_unique<store::Database>(dir);
    }
    const Genetik& g() {
        if (!genetik) genetik = std::make_unique<Genetik>(genetikKatzenLesen(*db));
        return *genetik;
    }
};

Register& reg(int katzen) {
    static std::map<int, std::unique_ptr<Register>> r;
    auto& e = r[katzen];
    if (!e) e = std::make_unique<Register>(katzen);
    return *e;
}

void BM_Lesen(benchmark::State& state) {
    Register& r = reg(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(genetikKatzenLesen(*r.db).size());
    state.counters["maxrss_MB"] = bench::maxRssMb();
}

// the order, every cat's coefficient (Meuwissen and Luo)
void BM_OrdnungUndInzucht(benchmark::State& state) {
    Register& r = reg(int(state.range(0)));
    const std::vector<GenetikKatze> katzen = genetikKatzenLesen(*r.db);
    for (auto _ : state) {
        Genetik g(katzen);
        benchmark::DoNotOptimize(g.inzucht().back());
    }
    state.counters["maxrss_MB"] = bench::maxRssMb();
}

void BM_VerwandtschaftMitAllen(benchmark::State& state) {
    const Genetik& g = reg(int(state.range(0))).g();
    const int pos = g.position(qint32(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(g.verwandtschaft(pos).back());
    state.counters["maxrss_MB"] = bench::maxRssMb();
}

void BM_Population(benchmark::State& state) {
    const Genetik& g = reg(int(state.range(0))).g();
    std::vector<int> referenz;
    for (int i = 0; i < g.anzahl(); ++i)
        if (g.katze(i).nr > state.range(0) - 100000) referenz.push_back(i);
    double ne = 0;
    for (auto _ : state)
        ne = populationRechnen(g, referenz).ne;
    state.counters["referenz"] = double(referenz.size());
    state.counters["Ne"] = ne;
    state.counters["maxrss_MB"] = bench::maxRssMb();
}

// The partner finder's ranking of one cat once the order is built: its kinship with all, the candidates
// of the other sex, the best 20.
void BM_Partnersuche(benchmark::State& state) {
    const Genetik& g = reg(int(state.range(0))).g();
    const int pos = g.position(qint32(state.range(0)));
    size_t anzahl = 0;
    for (auto _ : state)
        anzahl = partnerSuchen(g, pos, {}, 20).size();
    state.counters["partner"] = double(anzahl);
    state.counters["maxrss_MB"] = bench::maxRssMb();
}

// The window's whole run on its own connection: reading, the order with the parents' coefficients,
// the ranking and the shown partners' mean kinship.
void BM_PartnerRangliste(benchmark::State& state) {
    Register& r = reg(int(state.range(0)));
    const QDate heute(2026, 1, 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            partnerRangliste(*r.db, qint32(state.range(0)), {}, 20, heute).zeilen.size());
    state.counters["maxrss_MB"] = bench::maxRssMb();
}

} // namespace

BENCHMARK(BM_Lesen)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OrdnungUndInzucht)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_VerwandtschaftMitAllen)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Population)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Partnersuche)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PartnerRangliste)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
