// The inbreeding calculation over generated registers read through the table engine, beside the
// node-by-node reading (its own tree and pair search) where that finishes in reasonable time.

#include "../tests/genealogy/oracle.h"
#include "benchdaten.h"
#include "genealogy/beispiel.h"
#include "genealogy/inzuchtberechnung.h"
#include "genealogy/tabellenquelle.h"
#include "store/anlegen.h"
#include "store/database.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#if defined(__unix__) || defined(__APPLE__)
#include <sys/resource.h>
#endif

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

oracle::Lesen leser(Register& r) {
    return [&r](qint32 nr, oracle::Katze& k) {
        KatzenDaten d;
        if (!r.quelle->lesen(nr, d)) return false;
        k = {d.Vater, d.Mutter, d.Merkmale.contains(2)};
        return true;
    };
}

// cacheBehalten: the calculation keeps its cats between runs (register statistics); kalt: the reader
// forgets too, so every cat comes from the engine.
void einfach(benchmark::State& state, bool referenz, bool cacheBehalten, bool kalt = false) {
    Register& r = breit();
    TFormInzuchtberechnung calc(*r.quelle);
    calc.cacheBehalten = cacheBehalten;
    std::vector<std::pair<qint32, qint32>> eltern(10001);
    for (qint32 nr = 1; nr <= 10000; ++nr) {
        const KatzenDaten d = r.katze(nr);
        eltern[static_cast<size_t>(nr)] = {d.Vater, d.Mutter};
    }
    const oracle::Lesen lesen = leser(r);
    qint32 nr = 0;
    qint64 gerechnet = 0;
    for (auto _ : state) {
        nr = nr % 10000 + 1;
        const auto [v, m] = eltern[static_cast<size_t>(nr)];
        if (kalt) r.quelle->cacheLeeren();
        if (referenz) {
            const oracle::Ergebnis o = oracle::rechnen(lesen, nr, v, m, 5, 1 << 20);
            if (o.gerechnet) ++gerechnet;
            benchmark::DoNotOptimize(o.summe);
        } else {
            if (calc.Berechne(nr, v, m, 5, false)) ++gerechnet;
            benchmark::DoNotOptimize(calc.Inzuchtkoeffizient);
        }
    }
    state.counters["berechnet"] = benchmark::Counter(double(gerechnet), benchmark::Counter::kAvgIterations);
}

// Plain mode on cat 12000 of the 60-generation register; the node passes beside it up to G = 14
// (beyond that they take hours: the pair search grows with 4^G).
void tiefEinfach(benchmark::State& state, int generationen, bool referenz) {
    Register& r = tief();
    const qint32 nr = 12000;
    const KatzenDaten d = r.katze(nr);
    TFormInzuchtberechnung calc(*r.quelle);
    calc.cacheBehalten = true;
    const oracle::Lesen lesen = leser(r);
    QString koeffizient;
    double knoten = 0, paare = 0;
    for (auto _ : state) {
        if (referenz) {
            const oracle::Ergebnis o =
                oracle::rechnen(lesen, nr, d.Vater, d.Mutter, generationen, qint64(1) << 40);
            koeffizient = festFormat(o.summe * 100, 4, 2, calc.locale) + QLatin1Char('%');
            knoten = double(o.knoten);
            paare = double(o.paare.size());
        } else {
            if (!calc.Berechne(nr, d.Vater, d.Mutter, static_cast<quint8>(generationen), false))
                state.SkipWithError("calculation failed");
            koeffizient = calc.Inzuchtkoeffizientkurz;
            knoten = double(calc.zaehler);
            paare = double(calc.AnzahlPaare);
        }
    }
    state.counters["knoten"] = knoten;
    state.counters["paare"] = paare;
    state.counters["maxrss_MB"] = bench::maxRssMb();
    state.SetLabel(koeffizient.toStdString());
}

void detail(benchmark::State& state, int generationen, bool referenz, bool tabelle = true, qint32 nr = 0) {
    Register& r = tief();
    static QHash<int, qint32> katzeFuer;
    if (nr == 0) {
        if (!katzeFuer.contains(generationen)) katzeFuer.insert(generationen, komplett(r, generationen));
        nr = katzeFuer.value(generationen);
    }
    if (nr == 0) {
        state.SkipWithError("no complete pedigree");
        return;
    }
    const KatzenDaten d = r.katze(nr);
    TabellenVorfahrenZiel ziel(*r.db);
    TFormInzuchtberechnung calc(*r.quelle);
    if (tabelle) calc.vorfahrenZiel = &ziel;
    const oracle::Lesen lesen = leser(r);
    double knoten = 0, paare = 0, zeilen = 0;
    for (auto _ : state) {
        if (referenz) {
            const oracle::Ergebnis o =
                oracle::rechnen(lesen, nr, d.Vater, d.Mutter, generationen, qint64(1) << 40);
            knoten = double(o.knoten);
            paare = double(o.paare.size());
            continue;
        }
        if (!calc.Berechne(nr, d.Vater, d.Mutter, static_cast<quint8>(generationen), true))
            state.SkipWithError("calculation failed");
        knoten = double(calc.zaehler);
        paare = double(calc.AnzahlPaare);
        zeilen = double(calc.Inzucht.size());
    }
    state.counters["knoten"] = knoten;
    state.counters["vorfahren"] = double(calc.Vorfahrenliste.size());
    state.counters["paare"] = paare;
    state.counters["zeilen"] = zeilen;
    state.counters["maxrss_MB"] = bench::maxRssMb();
    if (!referenz)
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
void BM_Tief_Einfach_G12(benchmark::State& s) {
    tiefEinfach(s, 12, false);
}
void BM_Tief_Einfach_G12_Referenz(benchmark::State& s) {
    tiefEinfach(s, 12, true);
}
void BM_Tief_Einfach_G14(benchmark::State& s) {
    tiefEinfach(s, 14, false);
}
void BM_Tief_Einfach_G14_Referenz(benchmark::State& s) {
    tiefEinfach(s, 14, true);
}
void BM_Tief_Einfach_G30(benchmark::State& s) {
    tiefEinfach(s, 30, false);
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
void BM_Detail_G18_Katze12000(benchmark::State& s) {
    detail(s, 18, false, true, 12000);
}
void BM_Detail_G30_Katze12000(benchmark::State& s) {
    detail(s, 30, false, true, 12000);
}

} // namespace

BENCHMARK(BM_Einfach_G5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Einfach_G5_OhneCache)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Einfach_G5_Kalt)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Einfach_G5_Referenz)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Tief_Einfach_G12)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Tief_Einfach_G12_Referenz)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Tief_Einfach_G14)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Tief_Einfach_G14_Referenz)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Tief_Einfach_G30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Detail_G12)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Detail_G12_Referenz)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Detail_G12_OhneTabelle)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Detail_G16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Detail_G18_Katze12000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Detail_G30_Katze12000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
