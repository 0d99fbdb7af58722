// The pedigree window over eight generations on a 100,000-cat synthetic register, offscreen: opening it
// on a cat with eight complete generations (without pictures, and with a 1000x800 JPEG for each of the
// 31 ancestors of the first five generations, once with the pictures decoded before and once cold),
// and stepping into an ancestor's pedigree and back.

#include "app/ui/tvelmora.h"
#include "common/datenglobal.h"
#include "common/ui/kindfenster.h"
#include "genealogy/baum.h"
#include "genealogy/beispiel.h"
#include "genealogy/ui/stammbaum.h"
#include "language/sprache.h"
#include "register/ui/tcatstamm.h"
#include "store/anlegen.h"
#include "store/table.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace velmora;
using genealogy::TFormStammbaum;

namespace {

struct Umgebung {
    QTemporaryDir dir;
    QString daten = dir.filePath(QStringLiteral("Daten"));
    std::unique_ptr<store::Database> db;
    settings::tsysteminfo einstellungen;
    std::unique_ptr<language::TSprache> sprache;
    std::unique_ptr<app::TVelmora> haupt;
    std::unique_ptr<common::TDatenGlobal> dg;
    int katze = 0; // eight complete generations

    Umgebung() {
        genealogy::BeispielParameter p;
        p.katzen = 100000;
        // Twelve generations leave no cat with eight complete ones (matings span two generations).
        p.generationen = 30;
        genealogy::legeBeispielAn(daten, store::standardDatenquelle(), p);
        const QString ini = dir.filePath(QStringLiteral("Tessaro.ini"));
        QFile f(ini);
        f.open(QIODevice::WriteOnly);
        f.write("[System]\r\nSpeichern=1\r\n");
        f.close();
        einstellungen.load(ini);
        db = std::make_unique<store::Database>(daten);
        katzeSuchen();
        bilderAnlegen();
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
        genealogy::stammbaumRegistrieren();
        haupt = std::make_unique<app::TVelmora>(k);
        dg = std::make_unique<common::TDatenGlobal>(*db, einstellungen);
        haupt->setDatenGlobal(dg.get());
        haupt->resize(1280, 860);
        haupt->show();
        haupt->FensterZeigen(QStringLiteral("FormCatStamm"));
        haupt->katzenListe()->zeigeKatze(katze);
    }

    genealogy::Ahnentafel tafel(store::Table& t, int nr) {
        t.findKey({nr});
        return genealogy::ahnentafelFuellen(t.asInt(QStringLiteral("Vater")),
                                            t.asInt(QStringLiteral("Mutter")), 8,
                                            [&t](int, int, qint32 n, qint32& v, qint32& m) {
                                                if (!t.findKey({n})) return false;
                                                v = t.asInt(QStringLiteral("Vater"));
                                                m = t.asInt(QStringLiteral("Mutter"));
                                                return true;
                                            });
    }

    void katzeSuchen() {
        store::Table t(*db, QStringLiteral("catstamm"));
        t.open(store::Table::OpenMode::ReadOnly);
        for (int nr = 100000; nr > 0 && !katze; --nr)
            if (tafel(t, nr).gefuellt() == 510) katze = nr;
        if (!katze) throw std::runtime_error("no cat with eight complete generations");
    }

    // One photo-sized JPEG per ancestor of the first five generations.
    void bilderAnlegen() {
        store::Table t(*db, QStringLiteral("catstamm"));
        t.open(store::Table::OpenMode::ReadOnly);
        const genealogy::Ahnentafel a = tafel(t, katze);
        store::Table bilder(*db, QStringLiteral("bilder"));
        bilder.open();
        for (int g = 1; g <= 5; ++g)
            for (int k = 1; k <= genealogy::Ahnentafel::slotZahl(g); ++k) {
                QImage bild(1000, 800, QImage::Format_RGB32);
                QPainter p(&bild);
                QLinearGradient verlauf(0, 0, 1000, 800);
                verlauf.setColorAt(0, QColor::fromHsv((g * 40 + k * 11) % 360, 160, 220));
                verlauf.setColorAt(1, Qt::darkGray);
                p.fillRect(bild.rect(), verlauf);
                p.drawEllipse(200 + k, 150 + g, 600, 500);
                p.end();
                const QString datei = dir.filePath(QStringLiteral("bild%1_%2.jpg").arg(g).arg(k));
                bild.save(datei, "JPEG", 85);
                bilder.append();
                bilder.setValue(QStringLiteral("KatzeNr"), a.slot(g, k));
                bilder.setValue(QStringLiteral("Bildpfad"), datei);
                bilder.post();
            }
    }

    TFormStammbaum* oeffnen() {
        auto* f = static_cast<TFormStammbaum*>(haupt->FensterZeigen(QStringLiteral("FormStammbaum")));
        QApplication::processEvents(); // shown and painted
        return f;
    }
    void schliessen() {
        for (QMdiSubWindow* s : haupt->mdi()->subWindowList())
            if (s->widget() && s->widget()->objectName() == QLatin1String("FormStammbaum")) s->close();
        QApplication::processEvents();
    }
};

Umgebung& umgebung() {
    static Umgebung u;
    return u;
}

// Arg 0: without pictures; 1: with pictures decoded before; 2: with pictures, cold.
void BM_StammbaumOeffnen(benchmark::State& state) {
    Umgebung& u = umgebung();
    u.einstellungen.StammbaumlangBild = state.range(0) > 0;
    for (auto _ : state) {
        if (state.range(0) == 2) {
            state.PauseTiming();
            TFormStammbaum::bilderVergessen();
            state.ResumeTiming();
        }
        TFormStammbaum* f = u.oeffnen();
        benchmark::DoNotOptimize(f);
        state.PauseTiming();
        if (!f || f->tafel().gefuellt() != 510) state.SkipWithError("pedigree not complete");
        u.schliessen();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StammbaumOeffnen)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// "Stammbaum laden" on the sire and "Rücksprung", with pictures; arg 0 the step in, arg 1 the step back.
void BM_StammbaumSchritt(benchmark::State& state) {
    Umgebung& u = umgebung();
    u.einstellungen.StammbaumlangBild = true;
    TFormStammbaum* f = u.oeffnen();
    for (auto _ : state) {
        if (state.range(0) == 0) {
            f->MemoNr = f->slot(1, 1)->text();
            f->katzeladen = true;
            f->StammbaumLadenClick();
            QApplication::processEvents();
            state.PauseTiming();
            f->RuecksprungClick();
            QApplication::processEvents();
            state.ResumeTiming();
        } else {
            state.PauseTiming();
            f->MemoNr = f->slot(1, 1)->text();
            f->katzeladen = true;
            f->StammbaumLadenClick();
            QApplication::processEvents();
            state.ResumeTiming();
            f->RuecksprungClick();
            QApplication::processEvents();
        }
    }
    if (f->proband() != u.katze) state.SkipWithError("did not return");
    u.schliessen();
}
BENCHMARK(BM_StammbaumSchritt)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

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
