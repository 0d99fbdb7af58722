// The cat register on a 100,000-cat synthetic register with about 1,000,000 detail rows: moving to the
// next cat with everything the window shows for it (pending post, load, parents with their markers,
// titles, age, addresses, picture, the short inbreeding figures), switching to each record page,
// saving a detail row, and the cat search by name.

#include "app/ui/tvelmora.h"
#include "common/datenglobal.h"
#include "common/meldungsdienst.h"
#include "common/ui/navigator.h"
#include "genealogy/beispiel.h"
#include "language/sprache.h"
#include "register/ui/detailgitter.h"
#include "register/ui/suchendlg.h"
#include "register/ui/tcatstamm.h"
#include "store/anlegen.h"

#include <QApplication>
#include <QDate>
#include <QTabWidget>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace velmora;

namespace {

struct Umgebung {
    QTemporaryDir dir;
    QString daten = dir.filePath(QStringLiteral("Daten"));
    std::unique_ptr<store::Database> db;
    settings::tsysteminfo einstellungen;
    std::unique_ptr<language::TSprache> sprache;
    std::unique_ptr<app::TVelmora> haupt;
    std::unique_ptr<common::TDatenGlobal> dg;
    reg::TCatStamm* r = nullptr;
    Navigator* nav = nullptr;
    std::unique_ptr<reg::TSuchenDlg> suche;

    Umgebung() {
        genealogy::BeispielParameter p;
        p.katzen = 100000;
        p.details = 1000000; // litters, health, weights and heats spread over the cats
        genealogy::legeBeispielAn(daten, store::standardDatenquelle(), p);
        const QString ini = dir.filePath(QStringLiteral("Tessaro.ini"));
        QFile f(ini);
        f.open(QIODevice::WriteOnly);
        f.write("[System]\r\nSpeichern=1\r\n");
        f.close();
        einstellungen.load(ini);
        db = std::make_unique<store::Database>(daten);
        sprache = std::make_unique<language::TSprache>(*db, 0);
        sprache->oeffnen();
        language::setAktuelleSprache(sprache.get());
        app::Kontext k;
        k.datenVerzeichnis = daten;
        k.installationsVerzeichnis = dir.path();
        k.db = db.get();
        k.einstellungen = &einstellungen;
        k.sprache = sprache.get();
        reg::registerFensterRegistrieren();
        haupt = std::make_unique<app::TVelmora>(k);
        dg = std::make_unique<common::TDatenGlobal>(*db, einstellungen);
        haupt->setDatenGlobal(dg.get());
        haupt->show();
        r = static_cast<reg::TCatStamm*>(haupt->FensterZeigen(QStringLiteral("FormCatStamm")));
        nav = r->findChild<Navigator*>();
    }
    // The windows go first, then the shared data they use, then the language and the connection.
    ~Umgebung() {
        suche.reset();
        haupt.reset();
        dg.reset();
        language::setAktuelleSprache(nullptr);
        sprache.reset();
        db.reset();
    }
};

// Built on first use and torn down in main while the QApplication still exists: its windows must not
// outlive it.
std::unique_ptr<Umgebung> g_umgebung;

Umgebung& umgebung() {
    if (!g_umgebung) g_umgebung = std::make_unique<Umgebung>();
    return *g_umgebung;
}

void BM_NaechsteKatze(benchmark::State& state) {
    Umgebung& u = umgebung();
    u.nav->erster();
    for (auto _ : state) {
        u.nav->naechster();
        if (u.r->katzen().eof()) u.nav->erster();
        benchmark::DoNotOptimize(u.r->ikText());
    }
}
BENCHMARK(BM_NaechsteKatze)->Unit(benchmark::kMillisecond);

void BM_NaechsteKatzeNachAenderung(benchmark::State& state) {
    Umgebung& u = umgebung();
    u.nav->erster();
    int i = 0;
    for (auto _ : state) {
        // An edit posted by the move, as when the user changed a field and goes on.
        u.r->katzen().edit();
        u.r->katzen().setValue(QStringLiteral("Gewicht"), QString::number(++i % 9 + 1));
        u.nav->naechster();
        if (u.r->katzen().eof()) u.nav->erster();
    }
}
BENCHMARK(BM_NaechsteKatzeNachAenderung)->Unit(benchmark::kMillisecond);

// A changed name moves the cat in every name order: the cat list is listed again and repositioned.
void BM_NaechsteKatzeNachNamensAenderung(benchmark::State& state) {
    Umgebung& u = umgebung();
    u.nav->erster();
    for (auto _ : state) {
        const QString name = u.r->katzen().asString(QStringLiteral("Name"));
        u.r->katzen().edit();
        u.r->katzen().setValue(
            QStringLiteral("Name"),
            QString(name.endsWith(QLatin1Char('.')) ? name.chopped(1) : name + QLatin1Char('.')));
        u.r->nameGeaendert = true;
        u.nav->naechster();
        if (u.r->katzen().eof()) u.nav->erster();
    }
}
BENCHMARK(BM_NaechsteKatzeNachNamensAenderung)->Unit(benchmark::kMillisecond);

// The search dialog's name search as the user runs it: criteria emptied, a name typed, "Suchen" (query,
// hits with their display columns, grid or criteria filled). Arg 0: the beginning of one cat's name
// (a handful of hits); arg 1: its first three letters (hundreds to thousands of hits); arg 2: a "%"
// inside, which no index can bound.
void BM_NamenSuche(benchmark::State& state) {
    Umgebung& u = umgebung();
    const QString name = u.r->katzen()
                             .lookupValue(QStringLiteral("LaufendeNummer"), {50000}, QStringLiteral("Name"))
                             .toString();
    const QString muster = state.range(0) == 0   ? name.left(name.size() - 2)
                           : state.range(0) == 1 ? name.left(3)
                                                 : QStringLiteral("%") + name.mid(2, 6);
    if (!u.suche) u.suche = std::make_unique<reg::TSuchenDlg>(*u.db);
    reg::TSuchenDlg& dlg = *u.suche;
    qint64 treffer = 0;
    for (auto _ : state) {
        dlg.oeffnen({});
        dlg.nameFeld()->setText(muster);
        dlg.suchen();
        treffer = dlg.treffer().size();
        benchmark::DoNotOptimize(dlg.gewaehlteNummer());
    }
    state.counters["Treffer"] = double(treffer);
}
BENCHMARK(BM_NamenSuche)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// Switching from the base page to page k (1 = the first after the base data) for a cat that has rows
// there; the way back is not timed.
void BM_SeiteWechseln(benchmark::State& state) {
    Umgebung& u = umgebung();
    QTabWidget* seiten = u.r->seiten();
    const int k = int(state.range(0));
    if (k >= seiten->count()) {
        state.SkipWithError("no such page");
        return;
    }
    // a queen with litters, so the litter book and its sub-pages have rows
    u.nav->erster();
    for (int i = 0; i < 4000; ++i) u.nav->naechster();
    int katze = 0;
    for (auto _ : state) {
        seiten->setCurrentIndex(k);
        QApplication::processEvents();
        state.PauseTiming();
        seiten->setCurrentIndex(0);
        u.nav->naechster();
        if (u.r->katzen().eof()) u.nav->erster();
        QApplication::processEvents();
        state.ResumeTiming();
        ++katze;
    }
    state.SetLabel(seiten->tabText(k).remove(QLatin1Char('&')).toStdString());
}
BENCHMARK(BM_SeiteWechseln)->DenseRange(1, 9)->Unit(benchmark::kMillisecond);

// A vaccination typed into the medical page's grid and stored, as "Speichern" does.
void BM_ZeileSpeichern(benchmark::State& state) {
    Umgebung& u = umgebung();
    QTabWidget* seiten = u.r->seiten();
    int med = -1;
    for (int i = 0; i < seiten->count(); ++i)
        if (seiten->tabText(i).remove(QLatin1Char('&')) == QLatin1String("Med.Daten")) med = i;
    if (med < 0) {
        state.SkipWithError("no medical page");
        return;
    }
    u.nav->erster();
    seiten->setCurrentIndex(med);
    QApplication::processEvents();
    reg::TDetailGitter* impfungen = nullptr;
    for (reg::TDetailGitter* g : seiten->widget(med)->findChildren<reg::TDetailGitter*>())
        if (g->tabelle() && g->tabelle()->normalName() == QLatin1String("impfung")) impfungen = g;
    if (!impfungen) {
        state.SkipWithError("no vaccination grid");
        return;
    }
    int tag = 0;
    for (auto _ : state) {
        impfungen->hinzufuegen();
        impfungen->feldSetzen(QStringLiteral("Datum"), QDate(2020, 1, 1).addDays(++tag % 2000));
        impfungen->feldSetzen(QStringLiteral("Impfung"), QStringLiteral("RCP"));
        if (!impfungen->speichern()) {
            state.SkipWithError("row not stored");
            return;
        }
    }
}
BENCHMARK(BM_ZeileSpeichern)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_umgebung.reset();
    return 0;
}
