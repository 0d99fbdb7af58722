// The address book on 50,000 addresses: switching letter tabs in the window (range, first address, the
// grid re-read and its first rows), the name search of the search dialog (and the bare query beside it),
// and the vCard export of every address.

#include "app/ui/tvelmora.h"
#include "common/datenglobal.h"
#include "common/ui/tabellenmodell.h"
#include "language/sprache.h"
#include "office/adressen.h"
#include "office/ui/adressenverwaltung.h"
#include "office/ui/suchenadrdlg.h"
#include "office/vcard.h"
#include "store/anlegen.h"
#include "store/table.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace velmora;

namespace {

constexpr int kAdressen = 50000;

QString wort(QRandomGenerator& z, int laenge, bool gross) {
    static const QString silben[] = {"ber", "mei", "schu", "ler", "ko",  "wag", "ner", "mül", "hof", "zan",
                                     "der", "ba",  "cker", "vo",  "gel", "ä",   "ri",  "tz",  "el",  "ott"};
    QString w;
    while (w.size() < laenge)
        w += silben[z.bounded(20)];
    if (gross) w[0] = w[0].toUpper();
    return w;
}

struct Umgebung {
    QTemporaryDir dir;
    QString daten = dir.filePath(QStringLiteral("Daten"));
    std::unique_ptr<store::Database> db;
    settings::tsysteminfo einstellungen;
    std::unique_ptr<language::TSprache> sprache;
    std::unique_ptr<app::TVelmora> haupt;
    std::unique_ptr<common::TDatenGlobal> dg;
    office::Tadressenverwaltung* buch = nullptr;
    std::unique_ptr<office::TSuchenAdrDlg> suche;

    Umgebung() {
        store::legeDatenverzeichnisAn(daten, store::standardDatenquelle());
        db = std::make_unique<store::Database>(daten);
        {
            QRandomGenerator z(7);
            const QStringList status = {"Interessenten", "Privat", "Züchter", "Käufer"};
            store::Table t(*db, QStringLiteral("adr_dat"));
            t.open();
            store::Transaction tx(*db, QStringLiteral("adr_dat"));
            for (int i = 0; i < kAdressen; ++i) {
                t.append();
                // Initials spread over A to Z like real surnames, a few outside.
                QString name = wort(z, 4 + z.bounded(6), true);
                name[0] = QChar(char16_t(i % 50 == 0 ? '0' + i % 10 : 'A' + z.bounded(26)));
                t.setValue(QStringLiteral("Name"), name);
                t.setValue(QStringLiteral("Vorname"), wort(z, 3 + z.bounded(5), true));
                t.setValue(QStringLiteral("Strasse"),
                           QString(wort(z, 8, true) + QStringLiteral("str. ") + QString::number(i % 200)));
                t.setValue(QStringLiteral("Plz"), QString::number(10000 + z.bounded(89999)));
                t.setValue(QStringLiteral("Ort"), wort(z, 6, true));
                t.setValue(QStringLiteral("Telefon"), QStringLiteral("0%1").arg(z.bounded(1000000000)));
                t.setValue(QStringLiteral("email"), QStringLiteral("a%1@example.org").arg(i));
                t.setValue(QStringLiteral("Status"), status[i % 4]);
                t.setValue(QStringLiteral("Geburtstag"), QDate(1940, 1, 1).addDays(z.bounded(25000)));
                if (i % 7 == 0)
                    t.setValue(QStringLiteral("Bemerkung"),
                               QStringLiteral("Zeile eins\nZeile zwei; mit Zeichen"));
                t.post();
            }
            tx.commit();
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
        office::adressenRegistrieren();
        haupt = std::make_unique<app::TVelmora>(k);
        dg = std::make_unique<common::TDatenGlobal>(*db, einstellungen);
        haupt->setDatenGlobal(dg.get());
        haupt->resize(1280, 860);
        haupt->show();
        buch = static_cast<office::Tadressenverwaltung*>(
            haupt->FensterZeigen(QStringLiteral("Adressenverwaltung")));
        QApplication::processEvents();
    }
    ~Umgebung() {
        suche.reset();
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

// A click on a letter tab: the range, the first address in the form, the grid re-read with the rows a
// page shows, painted.
void BM_Buchstabenreiter(benchmark::State& state) {
    Umgebung& u = umgebung();
    int k = 0;
    for (auto _ : state) {
        u.buch->reiter()->setCurrentIndex(k);
        k = (k + 3) % 8;
        QTableView* g = u.buch->gitter();
        for (int r = 0; r < 30 && r < g->model()->rowCount(); ++r)
            benchmark::DoNotOptimize(g->model()->index(r, 0).data());
        benchmark::DoNotOptimize(u.buch->adressen().asString(QStringLiteral("Name")));
    }
    state.counters["Zeilen"] = double(u.buch->gitter()->model()->rowCount());
}
BENCHMARK(BM_Buchstabenreiter)->Unit(benchmark::kMillisecond);

// The same range on a bare cursor, for comparison.
void BM_BuchstabenbereichRoh(benchmark::State& state) {
    Umgebung& u = umgebung();
    store::Table t(*u.db, QStringLiteral("adr_dat"));
    t.open(store::Table::OpenMode::ReadOnly);
    t.setIndexName(QStringLiteral("AdrName"));
    int k = 0;
    for (auto _ : state) {
        const office::NamensBereich b = office::buchstabenBereich(k);
        k = (k + 3) % 8;
        t.setRange({b.von}, {b.bis});
        t.first();
        benchmark::DoNotOptimize(t.recordCount());
    }
}
BENCHMARK(BM_BuchstabenbereichRoh)->Unit(benchmark::kMillisecond);

// "Suchen" in the dialog with a name beginning: arg 0 four letters (tens of hits), arg 1 two letters
// (thousands), arg 2 a "%" inside.
void BM_NamenSuche(benchmark::State& state) {
    Umgebung& u = umgebung();
    if (!u.suche) u.suche = std::make_unique<office::TSuchenAdrDlg>(*u.db);
    const QString muster = state.range(0) == 0   ? QStringLiteral("Mber")
                           : state.range(0) == 1 ? QStringLiteral("me")
                                                 : QStringLiteral("%müll");
    for (auto _ : state) {
        u.suche->feld("EditName")->setText(muster);
        u.suche->suchen();
        if (u.suche->gitter()->isVisible()) u.suche->suchen(); // hides the grid again
    }
    state.counters["Treffer"] = double(u.suche->treffer().size());
}
BENCHMARK(BM_NamenSuche)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_VcardExportAlle(benchmark::State& state) {
    Umgebung& u = umgebung();
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray v = office::vcardsSchreiben(office::adressenSuchen(*u.db, {}));
        bytes = v.size();
    }
    state.counters["Bytes"] = double(bytes);
}
BENCHMARK(BM_VcardExportAlle)->Unit(benchmark::kMillisecond);

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
