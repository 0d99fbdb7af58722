// The HTML pedigree page over 12 generations (8,190 ancestor cells) for the youngest cat of a generated
// register of 100,000 cats, written to a temporary folder: settings, header, ancestors and the file.

#include "benchdaten.h"
#include "genealogy/beispiel.h"
#include "genealogy/htmlstammbaum.h"
#include "store/anlegen.h"
#include "store/database.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
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

void BM_HtmlStammbaum12(benchmark::State& state) {
    static Register r;
    QTemporaryDir aus;
    THTMLINI ini;
    ini.AnzGenerationen = 12;
    const settings::tsysteminfo einst;
    qint64 bytes = 0;
    for (auto _ : state) {
        const HtmlSeitenErgebnis e =
            htmlStammbaumSchreiben(*r.db, einst, ini, 100000, aus.filePath(QStringLiteral("s.htm")));
        if (e.fehler) state.SkipWithError("page not written");
        bytes = QFileInfo(aus.filePath(QStringLiteral("s.htm"))).size();
    }
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_HtmlStammbaum12)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
