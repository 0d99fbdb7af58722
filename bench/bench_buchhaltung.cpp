// The books with 100,000 bookings over 10 accounts (five years, 40 categories): opening the bookkeeping
// window (the books with their balance check, the three pages filled), the profit-and-loss statement over
// one year for all accounts, and one booking saved with its balance (a plain one and a transfer), each
// beside the bare core call.

#include "app/ui/tvelmora.h"
#include "common/datenglobal.h"
#include "language/sprache.h"
#include "office/buchhaltung.h"
#include "office/ui/buchfuehrung.h"
#include "office/ui/seiteauswertungen.h"
#include "office/ui/seitebuchen.h"
#include "store/anlegen.h"
#include "store/table.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace velmora;
using store::Money;

namespace {

constexpr int kBuchungen = 100000;
constexpr int kKonten = 10;

struct Umgebung {
    QTemporaryDir dir;
    QString daten = dir.filePath(QStringLiteral("Daten"));
    std::unique_ptr<store::Database> db;
    settings::tsysteminfo einstellungen;
    std::unique_ptr<language::TSprache> sprache;
    std::unique_ptr<app::TVelmora> haupt;
    std::unique_ptr<common::TDatenGlobal> dg;
    QList<int> konten;

    Umgebung() {
        store::legeDatenverzeichnisAn(daten, store::standardDatenquelle());
        db = std::make_unique<store::Database>(daten);
        {
            office::Buchhaltung b(*db);
            for (int i = 0; i < kKonten; ++i) {
                office::Konto k;
                k.art = i % 3 == 2 ? office::kontoart::Kasse : office::kontoart::Bank;
                k.name = QStringLiteral("Konto %1").arg(i);
                k.eroeffnungssaldo = Money::fromWhole(1000 * i);
                k.zum = QDate(2020, 1, 1);
                konten << b.anlegen(k);
            }
            for (int i = 0; i < 40; ++i) {
                office::Konto k;
                k.art = office::kontoart::Kategorie;
                k.name = QStringLiteral("Kategorie %1").arg(i);
                k.einAus = i % 2 ? office::kEinnahme : office::kAusgabe;
                b.anlegen(k);
            }
            // The bookings go in through the cursor in one transaction; the balances are set after.
            QRandomGenerator z(11);
            QHash<int, qint64> summen;
            store::Transaction tx(*db, QStringLiteral("buchung"));
            store::Table t(*db, QStringLiteral("buchung"));
            t.open();
            for (int i = 0; i < kBuchungen; ++i) {
                const int k = konten[z.bounded(kKonten)];
                const int kat = z.bounded(40);
                const qint64 betrag = (kat % 2 ? 1 : -1) * qint64(z.bounded(1, 5000000));
                t.append();
                t.setValue(QStringLiteral("Kontoname"), k);
                t.setValue(QStringLiteral("Buchungsdatum"), QDate(2020, 1, 1).addDays(z.bounded(5 * 365)));
                t.setValue(QStringLiteral("Kategorie"), QStringLiteral("Kategorie %1").arg(kat));
                t.setValue(QStringLiteral("Betrag"), QVariant::fromValue(Money::fromUnits(betrag)));
                t.setValue(QStringLiteral("Gegenbuchung"), 0);
                t.post();
                summen[k] += betrag;
            }
            t.close();
            tx.commit();
            b.kontostaendeAbgleichen();
        }
        const QString ini = dir.filePath(QStringLiteral("Tessaro.ini"));
        QFile f(ini);
        f.open(QIODevice::WriteOnly);
        f.write("[System]\r\nSpeichern=1\r\n");
        f.close();
        einstellungen.load(ini);
        sprache = std::make_unique<language::TSprache>(*db, 0);
        sprache->oeffnen();
        language::setAktuelleSprache(sprache.get());
        app::Kontext k;
        k.datenVerzeichnis = daten;
        k.installationsVerzeichnis = dir.path();
        k.db = db.get();
        k.einstellungen = &einstellungen;
        k.sprache = sprache.get();
        office::buchfuehrungRegistrieren();
        haupt = std::make_unique<app::TVelmora>(k);
        dg = std::make_unique<common::TDatenGlobal>(*db, einstellungen);
        haupt->setDatenGlobal(dg.get());
        haupt->resize(1280, 860);
        haupt->show();
        QApplication::processEvents();
    }
    ~Umgebung() {
        haupt.reset();
        dg.reset();
        language::setAktuelleSprache(nullptr);
        sprache.reset();
        db.reset();
    }
};

std::unique_ptr<Umgebung> g_umgebung;
Umgebung& umgebung() {
    if (!g_umgebung) g_umgebung = std::make_unique<Umgebung>();
    return *g_umgebung;
}

const office::Zeitraum kJahr{QDate(2022, 1, 1), QDate(2022, 12, 31)};

// The menu's command: the window made, its books opened (balance check included), the pages filled.
void BM_FensterOeffnen(benchmark::State& state) {
    Umgebung& u = umgebung();
    for (auto _ : state) {
        auto* w = u.haupt->FensterZeigen(QStringLiteral("FormBuchfuehrung"));
        benchmark::DoNotOptimize(w);
        QApplication::processEvents();
        state.PauseTiming();
        w->close();
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FensterOeffnen)->Unit(benchmark::kMillisecond);

void BM_BuecherOeffnenRoh(benchmark::State& state) {
    Umgebung& u = umgebung();
    for (auto _ : state) {
        office::Buchhaltung b(*u.db);
        benchmark::DoNotOptimize(b.konten());
    }
}
BENCHMARK(BM_BuecherOeffnenRoh)->Unit(benchmark::kMillisecond);

// Profit and loss over one year (about 20,000 bookings) for all accounts, as the core computes it.
void BM_GewinnUndVerlustJahr(benchmark::State& state) {
    Umgebung& u = umgebung();
    office::Buchhaltung b(*u.db);
    int zeilen = 0;
    for (auto _ : state) {
        const auto g = b.gewinnUndVerlust(kJahr);
        zeilen = int(g.einnahmen.size() + g.ausgaben.size());
        benchmark::DoNotOptimize(g.saldo());
    }
    state.counters["Zeilen"] = zeilen;
}
BENCHMARK(BM_GewinnUndVerlustJahr)->Unit(benchmark::kMillisecond);

// The same on the page: the statement, its two lists, the VAT summary and the chart.
void BM_GewinnUndVerlustSeite(benchmark::State& state) {
    Umgebung& u = umgebung();
    auto* w = static_cast<office::TFormBuchfuehrung*>(u.haupt->FensterZeigen(QStringLiteral("FormBuchfuehrung")));
    office::TSeiteAuswertungen* s = w->seiteAuswertungen();
    for (auto _ : state) {
        s->guvBerechnenFuer(kJahr);
        QApplication::processEvents();
    }
    w->close();
    QApplication::processEvents();
}
BENCHMARK(BM_GewinnUndVerlustSeite)->Unit(benchmark::kMillisecond);

// One booking with its balance, and one transfer with both sides, each committed.
void BM_BuchungSpeichern(benchmark::State& state) {
    Umgebung& u = umgebung();
    office::Buchhaltung b(*u.db);
    const bool umbuchung = state.range(0) == 1;
    for (auto _ : state)
        b.buchen(u.konten[0], QDate(2024, 6, 1), umbuchung ? QStringLiteral("Konto 1") : QStringLiteral("Kategorie 3"),
                 Money::fromUnits(12345));
}
BENCHMARK(BM_BuchungSpeichern)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One booking's amount changed with its balance, committed.
void BM_BuchungAendern(benchmark::State& state) {
    Umgebung& u = umgebung();
    office::Buchhaltung b(*u.db);
    const int nr = b.buchen(u.konten[2], QDate(2024, 6, 1), QStringLiteral("Kategorie 3"), Money::fromUnits(1));
    qint64 i = 0;
    for (auto _ : state)
        b.buchungAendern(nr, QDate(2024, 6, 1), QStringLiteral("Kategorie 3"), Money::fromUnits(++i), QString());
}
BENCHMARK(BM_BuchungAendern)->Unit(benchmark::kMillisecond);

// Choosing an account of about 10,000 bookings: the list read and the grid filled.
void BM_KontoWaehlen(benchmark::State& state) {
    Umgebung& u = umgebung();
    auto* w = static_cast<office::TFormBuchfuehrung*>(u.haupt->FensterZeigen(QStringLiteral("FormBuchfuehrung")));
    office::TSeiteBuchen* s = w->seiteBuchen();
    for (auto _ : state) {
        s->kontoWaehlen(u.konten[3]);
        QApplication::processEvents();
        state.PauseTiming();
        s->kontenZeigen();
        state.ResumeTiming();
    }
    w->close();
    QApplication::processEvents();
}
BENCHMARK(BM_KontoWaehlen)->Unit(benchmark::kMillisecond);

// The same booking through the page: typed values, saved, every page refreshed.
void BM_BuchungImFenster(benchmark::State& state) {
    Umgebung& u = umgebung();
    auto* w = static_cast<office::TFormBuchfuehrung*>(u.haupt->FensterZeigen(QStringLiteral("FormBuchfuehrung")));
    office::TSeiteBuchen* s = w->seiteBuchen();
    s->kontoWaehlen(u.konten[1]);
    for (auto _ : state) {
        s->neu->click();
        s->betrag->setText(QStringLiteral("12,34"));
        s->kategorie->setCurrentIndex(s->kategorie->findText(QStringLiteral("Kategorie 3")));
        s->speichernKnopf->click();
    }
    state.counters["Zeilen"] = s->buchungsListe->model()->rowCount();
    w->close();
    QApplication::processEvents();
}
BENCHMARK(BM_BuchungImFenster)->Unit(benchmark::kMillisecond);

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
