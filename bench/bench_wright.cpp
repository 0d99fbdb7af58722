// Wright's coefficient, the inbreeding window's detail run and its stored calculations on 100,000 cats
// over 30 generations: the generated register with one closed population per breed (six) and with a
// single closed population of all 100,000. Run one benchmark per process (--benchmark_filter) for the
// peak memory of that benchmark alone: maxrss_MB is the process's peak.

#include "benchdaten.h"
#include "genealogy/beispiel.h"
#include "genealogy/inzuchtberechnung.h"
#include "genealogy/inzuchtspeicher.h"
#include "genealogy/tabellenquelle.h"
#include "genealogy/wright.h"
#include "store/anlegen.h"
#include "store/database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <memory>
#if defined(__unix__) || defined(__APPLE__)
#include <sys/resource.h>
#endif

using namespace velmora;
using namespace velmora::genealogy;

namespace {

struct Register {
    QString dir;
    std::unique_ptr<store::Database> db;
    explicit Register(int rassen) {
        BeispielParameter p;
        p.katzen = 100000;
        p.generationen = 30;
        p.seed = 11;
        p.rassen = rassen;
        dir = bench::beispielRegister(QStringLiteral("wright-100000-%1").arg(rassen), p);
        db = std::make_unique<store::Database>(dir);
    }
    KatzenDaten katze(qint32 nr) {
        TabellenKatzenQuelle q(*db);
        KatzenDaten d;
        q.lesen(nr, d);
        return d;
    }
};

Register& reg(int rassen) {
    static std::map<int, std::unique_ptr<Register>> r;
    auto& e = r[rassen];
    if (!e) {
        e = std::make_unique<Register>(rassen);
        // The register is kept between runs: the calculations earlier runs stored are dropped, so that
        // every run stores and loads against the same tables.
        for (const char* t : {"inzuchtgrad", "inzuchtgradvorf", "inzuchtspeicherclone",
                              "inzuchtgradspeicherungtopkatzen"})
            if (e->db->tableExists(QLatin1String(t))) e->db->dropTable(QLatin1String(t));
    }
    return *e;
}

// rassen 0: one population per 20,000 cats (six); 1: one of 100,000. kalt: every cat comes from the
// engine in every iteration.
void wright(benchmark::State& state, int rassen, bool kalt) {
    Register& r = reg(rassen);
    const KatzenDaten d = r.katze(100000);
    std::unique_ptr<TabellenKatzenQuelle> quelle = std::make_unique<TabellenKatzenQuelle>(*r.db);
    QHash<qint32, std::optional<KatzenDaten>> cache;
    Wright w;
    auto lesen = [&](qint32 nr) -> const KatzenDaten* {
        auto it = cache.find(nr);
        if (it == cache.end()) {
            KatzenDaten k;
            std::optional<KatzenDaten> e;
            if (quelle->lesen(nr, k)) e = std::move(k);
            it = cache.insert(nr, std::move(e));
        }
        return it->has_value() ? &**it : nullptr;
    };
    if (!kalt) w.rechnen(d.Vater, d.Mutter, lesen); // warm: the ancestors are read before the clock runs
    for (auto _ : state) {
        if (kalt) {
            state.PauseTiming();
            quelle = std::make_unique<TabellenKatzenQuelle>(*r.db);
            cache.clear();
            state.ResumeTiming();
            // as the calculation does before its Wright step
            quelle->vorfahrenVorlesen(d.Vater, d.Mutter);
        }
        const bool ok = w.rechnen(d.Vater, d.Mutter, lesen);
        if (!ok) state.SkipWithError("not computed");
    }
    state.counters["vorfahren"] = double(w.vorfahren);
    state.counters["maxrss_MB"] = bench::maxRssMb();
    state.SetLabel(wrightText(w.koeffizient, QLocale::c()).toStdString());
}

// The window's run: detail mode with Wright, the ancestor table written, as the worker and the window do.
void detail(benchmark::State& state, int generationen) {
    Register& r = reg(0);
    const KatzenDaten d = r.katze(100000);
    TabellenKatzenQuelle quelle(*r.db);
    TabellenVorfahrenZiel ziel(*r.db);
    TFormInzuchtberechnung calc(quelle);
    calc.mitWright = true;
    for (auto _ : state) {
        if (!calc.Berechne(100000, d.Vater, d.Mutter, static_cast<quint8>(generationen), true))
            state.SkipWithError("not computed");
        if (ziel.neuAnlegen()) ziel.schreiben(calc.Vorfahrenliste);
    }
    state.counters["vorfahren"] = double(calc.Vorfahrenliste.size());
    state.counters["paare"] = double(calc.AnzahlPaare);
    state.counters["maxrss_MB"] = bench::maxRssMb();
    state.SetLabel(QString(calc.Inzuchtkoeffizientkurz + QStringLiteral(" / Wright") + calc.WrightKoeffizient)
                       .toStdString());
}

// A stored calculation as the window stores it: the texts, five top cats, the clone grid, the ancestors.
InzuchtStand stand(Register& r, int generationen) {
    const KatzenDaten d = r.katze(100000);
    TabellenKatzenQuelle quelle(*r.db);
    TFormInzuchtberechnung calc(quelle);
    calc.mitWright = true;
    calc.Berechne(100000, d.Vater, d.Mutter, static_cast<quint8>(generationen), true);
    InzuchtStand s;
    s.Name = QStringLiteral("Bench");
    s.Nummer = 100000;
    s.VaterNr = d.Vater;
    s.MutterNr = d.Mutter;
    s.Generation = generationen;
    s.Inzucht = calc.Inzucht;
    s.Prozent = calc.Inzuchtkoeffizient;
    s.Ahnenverlust = calc.Ahnenverlust;
    s.Stammbaumkomplett = calc.Stammbaumkomplett;
    s.Info = calc.Info;
    s.Wright = calc.WrightKoeffizient;
    for (int i = 1; i <= 5; ++i)
        s.top.push_back({i, QStringLiteral("Top %1").arg(i), calc.TopKatzeAnzahl(i)});
    for (const QString& z : calc.Clon)
        s.klon.push_back({z.section(QLatin1Char('/'), 0, 0), z.section(QLatin1Char('/'), 1)});
    s.vorfahren = calc.Vorfahrenliste;
    return s;
}

// ueberschreiben: the same calculation again, its detail rows replaced; else a new one each time.
void speichern(benchmark::State& state, bool ueberschreiben) {
    Register& r = reg(0);
    const InzuchtStand s = stand(r, 12);
    InzuchtSpeicher speicher(*r.db);
    speicher.tabellenAnlegen();
    std::optional<qint32> alt;
    for (auto _ : state) {
        const qint32 nr = speicher.speichern(s, alt);
        if (ueberschreiben) alt = nr;
    }
    state.counters["vorfahren"] = double(s.vorfahren.size());
    state.counters["inzuchtzeilen"] = double(s.Inzucht.size());
}

void laden(benchmark::State& state) {
    Register& r = reg(0);
    InzuchtSpeicher speicher(*r.db);
    const qint32 nr = speicher.speichern(stand(r, 12), speicher.finden(QStringLiteral("Bench"), 12));
    InzuchtStand s;
    for (auto _ : state)
        if (!speicher.laden(nr, s)) state.SkipWithError("not loaded");
    state.counters["vorfahren"] = double(s.vorfahren.size());
}

void BM_Wright_LetzteGeneration(benchmark::State& s) {
    wright(s, 0, false);
}
void BM_Wright_LetzteGeneration_Kalt(benchmark::State& s) {
    wright(s, 0, true);
}
void BM_Wright_EinePopulation(benchmark::State& s) {
    wright(s, 1, false);
}
void BM_Wright_EinePopulation_Kalt(benchmark::State& s) {
    wright(s, 1, true);
}
// As the window's worker does it: a connection of its own, the cats read through it, Wright's figure;
// allein: no other connection open, as in the command-line tool.
void eigeneVerbindung(benchmark::State& state, bool allein) {
    Register& r = reg(0);
    const KatzenDaten d = r.katze(100000);
    if (allein) r.db.reset();
    Wright w;
    for (auto _ : state) {
        store::Database db(r.dir);
        TabellenKatzenQuelle quelle(db);
        TFormInzuchtberechnung calc(quelle);
        calc.mitWright = true;
        if (!calc.Berechne(100000, d.Vater, d.Mutter, 5, false)) state.SkipWithError("not computed");
        benchmark::DoNotOptimize(calc.WrightKoeffizient);
    }
    state.counters["maxrss_MB"] = bench::maxRssMb();
}
void BM_Wright_EigeneVerbindung(benchmark::State& s) {
    eigeneVerbindung(s, false);
}
void BM_Wright_EigeneVerbindung_Allein(benchmark::State& s) {
    eigeneVerbindung(s, true);
}
void BM_Fenster_Detail_G12(benchmark::State& s) {
    detail(s, 12);
}
void BM_Speichern_G12(benchmark::State& s) {
    speichern(s, false);
}
void BM_Speichern_G12_Ueberschreiben(benchmark::State& s) {
    speichern(s, true);
}
void BM_Laden_G12(benchmark::State& s) {
    laden(s);
}

} // namespace

BENCHMARK(BM_Wright_LetzteGeneration)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Wright_LetzteGeneration_Kalt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Wright_EinePopulation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Wright_EinePopulation_Kalt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Wright_EigeneVerbindung)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Wright_EigeneVerbindung_Allein)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fenster_Detail_G12)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Speichern_G12)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_Speichern_G12_Ueberschreiben)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Laden_G12)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // as the programs run: the engine finds its parts beside them
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
