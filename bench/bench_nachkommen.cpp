// Matings and descendants on the 100,000-cat synthetic register of bench_statistik, offscreen: the
// matings window opened on the register's most prolific stud (and loading him again in the open window),
// beside the bare statement of its rows; the descendants of a founder over 10 generations as the
// nachkommen command writes them, beside a recursive SQLite statement that counts the same appearances.

#include "app/ui/tvelmora.h"
#include "benchdaten.h"
#include "common/datenglobal.h"
#include "genealogy/nachkommen.h"
#include "genealogy/ui/verpaarung.h"
#include "genealogy/verpaarung.h"
#include "language/sprache.h"
#include "register/ui/tcatstamm.h"
#include "store/table.h"

#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTextStream>
#include <benchmark/benchmark.h>

using namespace velmora;

namespace {

struct Umgebung {
    QString daten;
    QTemporaryDir einstellungsDir;
    std::unique_ptr<store::Database> db;
    settings::tsysteminfo einstellungen;
    std::unique_ptr<language::TSprache> sprache;
    std::unique_ptr<app::TVelmora> haupt;
    std::unique_ptr<common::TDatenGlobal> dg;
    qint32 kater = 0;    // the most kittens by Vater
    int jungtiere = 0;   // his kittens
    qint32 gruender = 0; // the founder tom with the most kittens

    Umgebung() {
        genealogy::BeispielParameter p;
        p.katzen = 100000;
        p.generationen = 30;
        p.seed = 7;
        daten = bench::beispielRegister(QStringLiteral("statistik-100000"), p);
        const QString ini = einstellungsDir.filePath(QStringLiteral("Tessaro.ini"));
        QFile f(ini);
        f.open(QIODevice::WriteOnly);
        f.write("[System]\r\nSpeichern=1\r\n");
        f.close();
        einstellungen.load(ini);
        db = std::make_unique<store::Database>(daten);
        {
            store::Query q(*db, QStringLiteral("SELECT c.Vater, COUNT(*) FROM catstamm c WHERE c.Vater > 0 "
                                               "GROUP BY c.Vater ORDER BY 2 DESC LIMIT 1"));
            if (q.next()) {
                kater = q.value(0).toInt();
                jungtiere = q.value(1).toInt();
            }
        }
        {
            store::Query q(
                *db, QStringLiteral("SELECT g.LaufendeNummer FROM catstamm g JOIN catstamm c ON "
                                    "c.Vater = g.LaufendeNummer WHERE g.Vater IS NULL AND g.Mutter "
                                    "IS NULL GROUP BY g.LaufendeNummer ORDER BY COUNT(*) DESC LIMIT 1"));
            if (q.next()) gruender = q.value(0).toInt();
        }
        sprache = std::make_unique<language::TSprache>(*db, 0);
        sprache->oeffnen();
        language::setAktuelleSprache(sprache.get());
        app::Kontext k;
        k.datenVerzeichnis = daten;
        k.installationsVerzeichnis = einstellungsDir.path();
        k.einstellungsVerzeichnis = einstellungsDir.path();
        k.db = db.get();
        k.einstellungen = &einstellungen;
        k.sprache = sprache.get();
        reg::registerFensterRegistrieren();
        genealogy::verpaarungRegistrieren();
        haupt = std::make_unique<app::TVelmora>(k);
        dg = std::make_unique<common::TDatenGlobal>(*db, einstellungen);
        haupt->setDatenGlobal(dg.get());
        haupt->resize(1280, 860);
        haupt->show();
        haupt->katzenListe()->zeigeKatze(kater);
        QApplication::processEvents();
    }
    genealogy::TFormVerpaarung* oeffnen() {
        auto* f =
            static_cast<genealogy::TFormVerpaarung*>(haupt->FensterZeigen(QStringLiteral("FormVerpaarung")));
        QApplication::processEvents(); // shown and painted
        return f;
    }
    void schliessen() {
        for (QMdiSubWindow* s : haupt->mdi()->subWindowList())
            if (s->widget() && s->widget()->objectName() == QLatin1String("FormVerpaarung")) s->close();
        QApplication::processEvents();
    }
};

Umgebung& umgebung() {
    static Umgebung u;
    return u;
}

void BM_VerpaarungFensterOeffnen(benchmark::State& state) {
    Umgebung& u = umgebung();
    for (auto _ : state) {
        genealogy::TFormVerpaarung* f = u.oeffnen();
        state.PauseTiming();
        if (!f || f->tiernummer() != u.kater) state.SkipWithError("stud not loaded");
        u.schliessen();
        state.ResumeTiming();
    }
    state.counters["jungtiere"] = u.jungtiere;
    state.counters["maxrss_MB"] = bench::maxRssMb();
}
BENCHMARK(BM_VerpaarungFensterOeffnen)->Unit(benchmark::kMillisecond);

// The stud loaded again in the open window ("Katze laden" or the list's double click).
void BM_VerpaarungKatzeLaden(benchmark::State& state) {
    Umgebung& u = umgebung();
    genealogy::TFormVerpaarung* f = u.oeffnen();
    for (auto _ : state) {
        f->KatzeLaden(u.kater);
        QApplication::processEvents();
    }
    u.schliessen();
}
BENCHMARK(BM_VerpaarungKatzeLaden)->Unit(benchmark::kMillisecond);

// Baseline: the bare statement of the rows, read and thrown away.
void BM_VerpaarungAbfrage(benchmark::State& state) {
    Umgebung& u = umgebung();
    for (auto _ : state) {
        const auto zeilen = genealogy::verpaarungenLesen(*u.db, u.kater, true);
        benchmark::DoNotOptimize(zeilen.size());
    }
}
BENCHMARK(BM_VerpaarungAbfrage)->Unit(benchmark::kMillisecond);

// The nachkommen command's work over 10 generations, lines written into a buffer that is emptied as it
// fills (as a pipe would take them).
void BM_Nachkommen10(benchmark::State& state) {
    Umgebung& u = umgebung();
    qint64 auftreten = 0, katzen = 0;
    for (auto _ : state) {
        genealogy::NachkommenLeser leser(*u.db);
        QString puffer;
        QTextStream out(&puffer);
        const auto start = leser.katze(u.gruender);
        const genealogy::Nachkommenlauf lauf =
            genealogy::nachkommenLaufen(leser, *start, 10, [&](int ebene, const genealogy::Nachkomme& k) {
                out << ebene << ';' << k.nr << ';' << k.name << '\n';
                if (puffer.size() > 1 << 16) {
                    out.flush();
                    puffer.clear();
                }
                return true;
            });
        auftreten = lauf.auftreten;
        katzen = lauf.katzen;
    }
    state.counters["auftreten"] = double(auftreten);
    state.counters["nachkommen"] = double(katzen);
    state.counters["maxrss_MB"] = bench::maxRssMb();
}
BENCHMARK(BM_Nachkommen10)->Unit(benchmark::kMillisecond);

// Baseline: the same appearances counted by one recursive statement (toms by Vater, the others by Mutter).
void BM_NachkommenRekursivSql(benchmark::State& state) {
    Umgebung& u = umgebung();
    qint64 n = 0;
    for (auto _ : state) {
        store::Query q(
            *u.db,
            QStringLiteral(
                "WITH RECURSIVE d(nr, g, ebene) AS (SELECT c.LaufendeNummer, c.Geschlecht, 0 FROM "
                "catstamm c WHERE c.LaufendeNummer = ? UNION ALL SELECT k.LaufendeNummer, "
                "k.Geschlecht, d.ebene + 1 FROM d JOIN catstamm k ON k.Vater = d.nr WHERE d.g IN "
                "('1','3') AND d.ebene < 10 UNION ALL SELECT k.LaufendeNummer, k.Geschlecht, d.ebene "
                "+ 1 FROM d JOIN catstamm k ON k.Mutter = d.nr WHERE d.g NOT IN ('1','3') AND "
                "d.ebene < 10) SELECT COUNT(*) - 1 FROM d"),
            {u.gruender});
        q.next();
        n = q.value(0).toLongLong();
    }
    state.counters["auftreten"] = double(n);
}
BENCHMARK(BM_NachkommenRekursivSql)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    umgebung().haupt.reset();
    language::setAktuelleSprache(nullptr);
    return 0;
}
