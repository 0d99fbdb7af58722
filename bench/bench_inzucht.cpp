// The inbreeding calculation over generated registers read through the table engine, beside the
// node-by-node reference pair search where that finishes in reasonable time.

#include "../tests/genealogy/oracle.h"
#include "genealogy/beispiel.h"
#include "genealogy/inzuchtberechnung.h"
#include "genealogy/tabellenquelle.h"
#include "store/anlegen.h"
#include "store/database.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using namespace velmora;
using namespace velmora::genealogy;

namespace {

struct Register {
    QTemporaryDir tmp;
    QString dir;
    std::unique_ptr<store::Database> db;
    std::unique_ptr<TabellenKatzenQuelle> quelle;
    Register(int katzen, int generationen, quint64 seed) {
        dir = tmp.filePath(QStringLiteral("r"));
        BeispielParameter p;
        p.katzen = katzen;
        p.generationen = generationen;
        p.seed = seed;
        legeBeispielAn(dir, store::standardDatenquelle(), p);
        db = std::make_unique<store::Database>(dir);
        quelle = std::make_unique<TabellenKatzenQuelle>(*db);
    }
    KatzenDaten katze(qint32 nr) {
        KatzenDaten d;
        quelle->lesen(nr, d);
        return d;
    }
};

// 10,000 cats over 12 generations: the register statistics case.
Register& breit() {
    static Register r(10000, 12, 1);
    return r;
}

// 60 generations of 200: the youngest cats have pedigrees complete far beyond 16 generations.
Register& tief() {
    static Register r(12000, 60, 2);
    return r;
}

// The youngest cat whose pedigree is complete to G generations.
qint32 komplett(Register& r, int generationen) {
    TFormInzuchtberechnung calc(*r.quelle);
    for (qint32 nr = 12000; nr > 0; --nr) {
        const KatzenDaten d = r.katze(nr);
        if (calc.Berechne(nr, d.Vater, d.Mutter, static_cast<quint8>(generationen), false) && calc.komplett)
            return nr;
    }
    return 0;
}

// cacheBehalten: the calculation keeps its cats between runs (register statistics); kalt: the reader
// forgets too, so every cat comes from the engine.
void einfach(benchmark::State& state, bool referenz, bool cacheBehalten, bool kalt = false) {
    Register& r = breit();
    TFormInzuchtberechnung calc(*r.quelle);
    if (referenz) calc.paarsuche = oracle::paarsuche;
    calc.cacheBehalten = cacheBehalten;
    std::vector<std::pair<qint32, qint32>> eltern(10001);
    for (qint32 nr = 1; nr <= 10000; ++nr) {
        const KatzenDaten d = r.katze(nr);
        eltern[static_cast<size_t>(nr)] = {d.Vater, d.Mutter};
    }
    qint32 nr = 0;
    qint64 gerechnet = 0;
    for (auto _ : state) {
        nr = nr % 10000 + 1;
        const auto [v, m] = eltern[static_cast<size_t>(nr)];
        if (kalt) r.quelle->cacheLeeren();
        if (calc.Berechne(nr, v, m, 5, false)) ++gerechnet;
        benchmark::DoNotOptimize(calc.Inzuchtkoeffizient);
    }
    state.counters["berechnet"] = benchmark::Counter(double(gerechnet), benchmark::Counter::kAvgIterations);
}

void detail(benchmark::State& state, int generationen, bool referenz, bool tabelle = true) {
    Register& r = tief();
    static QHash<int, qint32> katzeFuer;
    if (!katzeFuer.contains(generationen)) katzeFuer.insert(generationen, komplett(r, generationen));
    const qint32 nr = katzeFuer.value(generationen);
    if (nr == 0) {
        state.SkipWithError("no complete pedigree");
        return;
    }
    const KatzenDaten d = r.katze(nr);
    TabellenVorfahrenZiel ziel(*r.db);
    TFormInzuchtberechnung calc(*r.quelle);
    if (tabelle) calc.vorfahrenZiel = &ziel;
    if (referenz) calc.paarsuche = oracle::paarsuche;
    for (auto _ : state) {
        if (!calc.Berechne(nr, d.Vater, d.Mutter, static_cast<quint8>(generationen), true))
            state.SkipWithError("calculation failed");
    }
    state.counters["knoten"] = double(calc.Binaerbaum.zaehler);
    state.counters["vorfahren"] = double(calc.Vorfahrenliste.size());
    state.counters["paare"] = double(calc.ketteInzucht.elemente().size());
    state.SetLabel(calc.Inzuchtkoeffizientkurz.toStdString() + " / " +
                   calc.Ahnenverlustkoeffizient.toStdString());
}

void BM_Einfach_G5(benchmark::State& s) {
    einfach(s, false, true);
}
void BM_Einfach_G5_OhneCache(benchmark::State& s) {
    einfach(s, false, false);
}
void BM_Einfach_G5_Kalt(benchmark::State& s) {
    einfach(s, false, false, true);
}
void BM_Einfach_G5_Referenz(benchmark::State& s) {
    einfach(s, true, true);
}
void BM_Detail_G12(benchmark::State& s) {
    detail(s, 12, false);
}
void BM_Detail_G12_Referenz(benchmark::State& s) {
    detail(s, 12, true);
}
// without writing Vorfahrenliste: the calculation alone, no table file re-created and synced
void BM_Detail_G12_OhneTabelle(benchmark::State& s) {
    detail(s, 12, false, false);
}
void BM_Detail_G16(benchmark::State& s) {
    detail(s, 16, false);
}

} // namespace

BENCHMARK(BM_Einfach_G5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Einfach_G5_OhneCache)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Einfach_G5_Kalt)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Einfach_G5_Referenz)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Detail_G12)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Detail_G12_Referenz)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Detail_G12_OhneTabelle)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Detail_G16)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
