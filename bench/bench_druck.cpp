// The cat prints on a 100,000-cat synthetic register, offscreen: each print type's preview of a cat with
// five complete generations, a litter with weighings, results and a mating book (the report built and
// its pages drawn at screen resolution, as the preview draws them), and the printed pedigree written as
// PDF over four and five generations.

#include "benchdaten.h"
#include "printing/druckenkatzen.h"
#include "printing/stammbaumdruck.h"
#include "printing/ui/berichtdruck.h"
#include "store/table.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace velmora;

namespace {

void zeile(store::Database& db, const char* tabelle, const QVariantMap& werte) {
    store::Table t(db, QLatin1String(tabelle));
    t.open();
    t.append();
    for (auto it = werte.begin(); it != werte.end(); ++it)
        t.setValue(it.key(), it.value());
    t.post();
}

struct Umgebung {
    QString dir;
    std::unique_ptr<store::Database> db;
    settings::tsysteminfo info;
    int queen = 0, tom = 0;
    Umgebung() {
        genealogy::BeispielParameter p;
        p.katzen = 100000;
        p.generationen = 30;
        dir = bench::beispielRegister(QStringLiteral("druck-100k"), p);
        db = std::make_unique<store::Database>(dir);
        info.StammbaumSortierungDrucken();
        store::Table t(*db, QStringLiteral("catstamm"));
        t.open(store::Table::OpenMode::ReadOnly);
        // The last cats have the deepest pedigrees.
        for (t.last(); t.hasRecord() && !t.bof() && (!queen || !tom); t.prior()) {
            const QString g = t.asString(QStringLiteral("Geschlecht"));
            if (!queen && g == QLatin1String("2")) queen = t.asInt(QStringLiteral("LaufendeNummer"));
            if (!tom && g == QLatin1String("1")) tom = t.asInt(QStringLiteral("LaufendeNummer"));
        }
        store::Table w(*db, QStringLiteral("wurfbuch"));
        w.open(store::Table::OpenMode::ReadOnly);
        if (!w.isEmpty()) return; // the rows were written by an earlier run
        w.close();
        using M = QVariantMap;
        zeile(*db, "wurfbuch", M{{"Katze", queen}, {"Kater", tom}, {"Decktermin", QDate(2024, 1, 10)},
                                 {"Wurftag", QDate(2024, 3, 14)}, {"Wurfstaerke", "3/2"}});
        for (int i = 0; i < 12; ++i)
            zeile(*db, "jungtier", M{{"Mutterkatze", queen}, {"Wurfdatum", QDate(2024, 3, 14)},
                                     {"Wiegedatum", QDate(2024, 3, 14).addDays(7 * i)}, {"Katze1", "100"},
                                     {"Katze2", "110"}, {"Katze3", "120"}});
        for (int i = 0; i < 40; ++i) {
            zeile(*db, "deckbuch", M{{"Kater", tom}, {"Katze", queen}, {"Decktermin", QDate(2020, 1, 1).addDays(30 * i)}});
            zeile(*db, "kausstel", M{{"Katze", queen}, {"Datum", QDate(2020, 1, 1).addDays(30 * i)},
                                     {"Ausstellungsort", "Kassel"}, {"Bewertung", "V1"}});
            zeile(*db, "cfatica", M{{"Katze", queen}, {"Datum", QDate(2020, 1, 1).addDays(30 * i)}, {"BOC", 1}});
            zeile(*db, "cfa", M{{"Katze", queen}, {"Datum", QDate(2020, 1, 1).addDays(30 * i)}, {"Richter", "Jones"}});
        }
    }
};

Umgebung& umgebung() {
    static Umgebung u;
    return u;
}

void BM_Vorschau(benchmark::State& state) {
    Umgebung& u = umgebung();
    const int art = int(state.range(0));
    printing::Druckquelle quelle(*u.db, u.info, 0);
    quelle.messen = printing::schriftMessung();
    printing::tDruckenKatzen d(quelle);
    printing::Druckauftrag a;
    a.art = art;
    a.katze = (art == printing::kDeckbuch || art == printing::kDeckschein) ? u.tom : u.queen;
    a.liste = {u.queen, u.tom};
    int seiten = 0;
    for (auto _ : state) {
        const auto b = d.bericht(a);
        for (int i = 0; i < b->seitenzahl(); ++i)
            benchmark::DoNotOptimize(printing::seiteAlsBild(*b, i, 96.0));
        seiten = b->seitenzahl();
    }
    state.counters["Seiten"] = seiten;
    state.counters["MaxRSS_MB"] = bench::maxRssMb();
}
BENCHMARK(BM_Vorschau)->ArgName("Art")->Arg(1)->Arg(6)->Arg(7)->Arg(8)->Arg(9)->Arg(11)->Arg(13)->Arg(15)->Arg(16)->Unit(benchmark::kMillisecond);

void BM_StammbaumPdf(benchmark::State& state) {
    Umgebung& u = umgebung();
    printing::Druckquelle quelle(*u.db, u.info, 0);
    quelle.messen = printing::schriftMessung();
    QTemporaryDir tmp;
    int gefuellt = 0;
    for (auto _ : state) {
        const printing::StammbaumDruck s = printing::stammbaumDrucken(quelle, u.queen, int(state.range(0)));
        printing::alsPdfSpeichern(s.bericht, tmp.filePath(QStringLiteral("stammbaum.pdf")));
        gefuellt = s.tafel.gefuellt();
    }
    state.counters["Ahnen"] = gefuellt;
    state.counters["MaxRSS_MB"] = bench::maxRssMb();
}
BENCHMARK(BM_StammbaumPdf)->ArgName("Generationen")->Arg(4)->Arg(5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
