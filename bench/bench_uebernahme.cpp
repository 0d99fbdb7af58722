// Taking over a directory of Paradox tables: 100,000 cats with 1,000,000 vaccinations, written once
// with pxlib's writer into the build folder. Beside it the reading alone (pxlib and the .MB file), the
// part of the run the import cannot avoid.

#include "benchdaten.h"
#include "store/anlegen.h"
#include "store/paradox.h"
#include "store/uebernahme.h"
#include "support/paradoxschreiber.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

extern "C" {
#include <paradox.h>
}

using namespace velmora;

namespace {

constexpr int kKatzen = 100000;
constexpr int kImpfungen = 1000000;

QString quelle() {
    const QString dir = QStringLiteral(VELMORA_BENCH_DATEN "/paradox-100000");
    if (QFileInfo::exists(dir + QStringLiteral("/impfung.db"))) return dir;
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    auto katze = [](int n) {
        const int i = n + 1;
        return QVariantList{
            i,
            i % 2 ? QStringLiteral("1") : QStringLiteral("2"),
            QDate(1980, 1, 1).addDays(i % 15000),
            QStringLiteral("Kätzchen %1 vom Mühlbach").arg(i),
            i > 100 ? QVariant(i / 2 - (i / 2) % 2 + 1) : QVariant(),
            i > 100 ? QVariant(i / 2 - (i / 2) % 2) : QVariant(),
            i % 500 + 1,
            QStringLiteral("Mühlbach"),
            QStringLiteral("DE-%1").arg(i),
            i % 10 == 0 ? QVariant(QStringLiteral("Eine Bemerkung, die in die .MB-Datei geht, Nr. %1").arg(i))
                        : QVariant()};
    };
    test::schreibeParadox(dir + QStringLiteral("/CatStamm.DB"),
                          {{QStringLiteral("LaufendeNummer"), pxfAutoInc},
                           {QStringLiteral("Geschlecht"), pxfAlpha, 1},
                           {QStringLiteral("GebDatum"), pxfDate},
                           {QStringLiteral("Name"), pxfAlpha, 70},
                           {QStringLiteral("Vater"), pxfLong},
                           {QStringLiteral("Mutter"), pxfLong},
                           {QStringLiteral("Züchter"), pxfLong},
                           {QStringLiteral("Zwinger"), pxfAlpha, 40},
                           {QStringLiteral("Zuchtbuchnummer1"), pxfAlpha, 30},
                           {QStringLiteral("Bemerkung"), pxfMemoBLOb, 20}},
                          kKatzen, katze);
    auto impfung = [](int n) {
        const int i = n + 1;
        return QVariantList{i, (i * 7) % kKatzen + 1, QDate(2000, 1, 1).addDays(i % 9000),
                            QStringLiteral("Katzenschnupfen"), QDate(2001, 1, 1).addDays(i % 9000)};
    };
    test::schreibeParadox(dir + QStringLiteral("/impfung.db"),
                          {{QStringLiteral("LaufendeNr"), pxfAutoInc},
                           {QStringLiteral("Katze"), pxfLong},
                           {QStringLiteral("Datum"), pxfDate},
                           {QStringLiteral("Impfung"), pxfAlpha, 40},
                           {QStringLiteral("NeuAm"), pxfDate}},
                          kImpfungen, impfung);
    return dir;
}

void BM_ParadoxLesen(benchmark::State& state) {
    const QString q = quelle();
    for (auto _ : state) {
        qint64 zeilen = 0;
        for (const char* t : {"CatStamm", "impfung"}) {
            store::ParadoxTabelle px;
            const QString base = q + QLatin1Char('/') + QLatin1String(t);
            px.oeffnen(base + QStringLiteral(".DB"), base + QStringLiteral(".mb"));
            if (!px.fehler().isEmpty())
                px.oeffnen(base + QStringLiteral(".db"), base + QStringLiteral(".mb"));
            QList<store::ParadoxWert> w;
            while (px.naechster(w))
                ++zeilen;
        }
        state.counters["Zeilen"] = double(zeilen);
    }
}

void BM_Uebernahme(benchmark::State& state) {
    const QString q = quelle();
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir tmp;
        const QString ziel = tmp.filePath(QStringLiteral("Daten"));
        state.ResumeTiming();
        const store::UebernahmeBericht b = store::uebernehmen(q, ziel, store::standardDatenquelle());
        state.counters["Zeilen"] = double(b.uebernommen());
        state.counters["MaxRSS_MB"] = bench::maxRssMb();
    }
}

} // namespace

BENCHMARK(BM_ParadoxLesen)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_Uebernahme)->Unit(benchmark::kSecond)->Iterations(1);

BENCHMARK_MAIN();
