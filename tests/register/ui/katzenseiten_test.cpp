// The register's pages: rows read only when a page is in front, and the editing rules every detail grid
// shares, once over several detail tables, typed and clicked as the user does.

#include "common/ui/navigator.h"
#include "register/ui/detailgitter.h"
#include "register/ui/katzenseite.h"
#include "register/ui/tcatstamm.h"
#include "store/table.h"
#include "support/ui/hauptfenster.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

struct Fall {
    const char* seite;  // object name of the page
    const char* gitter; // object name of the grid
    const char* tabelle;
    const char* datum; // the date column
    int datumSpalte;
    const char* text; // a text column (nullptr: none)
    int textSpalte;
    int textLaenge;
    bool datumsOrdnung; // rows in date order (else in entry order)
};

const Fall kFaelle[] = {
    {"TabSheetMedDaten", "Impfungen", "impfung", "Datum", 0, "Impfung", 1, 40, true},
    {"TabSheetMedDaten", "Wurmkuren", "wurmkur", "Datum", 0, "Medikament", 1, 40, true},
    {"TabSheetWurfdaten", "Gewichte", "gewicht", "Datum", 0, nullptr, 0, 0, true},
    {"TabSheetZuchtbuch", "Rolligkeiten", "laeufigkeit", "Datum", 0, nullptr, 0, 0, false},
    {"TabSheetZuchtbuch", "Wuerfe", "wurfbuch", "BeginnRollig", 0, "Wurfbez", 8, 10, false},
};

std::string name(const Fall& f) {
    return f.tabelle;
}
void PrintTo(const Fall& f, std::ostream* os) {
    *os << f.tabelle;
}

void seiteZeigen(reg::TCatStamm* r, const QString& objekt) {
    QTabWidget* seiten = r->seiten();
    QWidget* seite = r->findChild<QWidget*>(objekt);
    ASSERT_NE(seite, nullptr);
    const int i = seiten->indexOf(seite);
    QTabBar* leiste = seiten->tabBar();
    test::klicken(leiste, leiste->tabRect(i).center());
}

void zelleTippen(QTableView* g, int zeile, int spalte, const QString& text) {
    const QModelIndex i = g->model()->index(zeile, spalte);
    test::klicken(g->viewport(), g->visualRect(i).center());
    test::tippen(g, text);
    test::taste(g, Qt::Key_Return);
}

int zeilenIn(store::Database& db, const char* tabelle, int katze) {
    store::Table t(db, QLatin1String(tabelle));
    t.open(store::Table::OpenMode::ReadOnly);
    int n = 0;
    for (t.first(); !t.eof() && t.hasRecord(); t.next())
        if (t.asInt(QStringLiteral("Katze")) == katze) ++n;
    return n;
}

struct Register {
    explicit Register(const Fall& f, bool speichernOhneFrage = true)
        : fenster([&] {
              test::Hauptfenster::Optionen o;
              if (!speichernOhneFrage) o.ini = QStringLiteral("[System]\r\nSpeichern=0\r\n");
              o.vorher = [this](store::Database& db) {
                  mimi = test::katzeAnlegen(db, QStringLiteral("Mimi"));
                  tom = test::katzeAnlegen(db, QStringLiteral("Tom"), QStringLiteral("1"));
              };
              return o;
          }()),
          fall(f) {
        r = fenster.katzenregister();
        seiteZeigen(r, QLatin1String(f.seite));
        gitter = r->findChild<reg::TDetailGitter*>(QLatin1String(f.gitter));
        reg::TKatzenSeite::nachVorn(gitter); // the grid's tab within the page, if it has one
    }
    // Adds a row with a date (and a text) by clicking and typing.
    void zeileTippen(const QString& datum, const QString& text = QStringLiteral("Tricat")) {
        test::klicken(gitter->hinzufuegenKnopf());
        zelleTippen(gitter->gitter(), gitter->aktuelleZeile(), fall.datumSpalte, datum);
        if (fall.text) zelleTippen(gitter->gitter(), gitter->aktuelleZeile(), fall.textSpalte, text);
    }
    void andereSeite() { seiteZeigen(r, QStringLiteral("TabSheetDokumente")); }
    int zeilen() { return zeilenIn(*fenster.db, fall.tabelle, mimi); }

    int mimi = 0, tom = 0;
    test::Hauptfenster fenster;
    Fall fall;
    reg::TCatStamm* r = nullptr;
    reg::TDetailGitter* gitter = nullptr;
};

class DetailGitterRegeln : public ::testing::TestWithParam<Fall> {};

TEST_P(DetailGitterRegeln, HinzufuegenTippenUndSeitenwechselSpeichertDieZeileDerKatze) {
    Register reg(GetParam());
    ASSERT_NE(reg.gitter, nullptr);
    test::Antworten a;
    EXPECT_FALSE(reg.gitter->rueckgaengigKnopf()->isEnabled());
    reg.zeileTippen(QStringLiteral("3.4.2024"));
    EXPECT_TRUE(reg.gitter->rueckgaengigKnopf()->isEnabled());
    EXPECT_EQ(reg.zeilen(), 0); // pending until the row is left
    reg.andereSeite();
    EXPECT_EQ(reg.zeilen(), 1);
    EXPECT_EQ(a.nummern(), QList<int>{});
    store::Table t(*reg.fenster.db, QLatin1String(GetParam().tabelle));
    t.open(store::Table::OpenMode::ReadOnly);
    t.last();
    EXPECT_EQ(t.asDate(QLatin1String(GetParam().datum)), QDate(2024, 4, 3));
    if (GetParam().text) EXPECT_EQ(t.asString(QLatin1String(GetParam().text)), QStringLiteral("Tricat"));
    EXPECT_FALSE(reg.gitter->rueckgaengigKnopf()->isEnabled());
}

TEST_P(DetailGitterRegeln, RueckgaengigVerwirftUndLoeschenFragt28) {
    Register reg(GetParam());
    test::Antworten a;
    reg.zeileTippen(QStringLiteral("01.02.2023"));
    test::klicken(reg.gitter->rueckgaengigKnopf());
    EXPECT_FALSE(reg.gitter->rueckgaengigKnopf()->isEnabled());
    EXPECT_EQ(reg.gitter->zeilen(), 0);
    reg.andereSeite();
    EXPECT_EQ(reg.zeilen(), 0);

    seiteZeigen(reg.r, QLatin1String(GetParam().seite));
    reg.zeileTippen(QStringLiteral("01.02.2023"));
    reg.zeileTippen(QStringLiteral("05.02.2023")); // adding stores the row before
    reg.andereSeite();
    ASSERT_EQ(reg.zeilen(), 2);
    seiteZeigen(reg.r, QLatin1String(GetParam().seite));
    a.antworten = {Antwort::Nein, Antwort::Ja};
    test::klicken(reg.gitter->loeschenKnopf());
    EXPECT_EQ(reg.zeilen(), 2);
    test::klicken(reg.gitter->loeschenKnopf());
    EXPECT_EQ(reg.zeilen(), 1);
    EXPECT_EQ(a.nummern(), (QList<int>{28, 28}));
}

TEST_P(DetailGitterRegeln, OhneSpeichernEinstellungFragt29UndNeinVerwirft) {
    Register reg(GetParam(), false);
    test::Antworten a;
    a.antworten = {Antwort::Nein};
    reg.zeileTippen(QStringLiteral("01.02.2023"));
    reg.andereSeite();
    EXPECT_EQ(reg.zeilen(), 0);
    seiteZeigen(reg.r, QLatin1String(GetParam().seite));
    EXPECT_EQ(reg.gitter->zeilen(), 0);
    a.antworten = {Antwort::Ja};
    reg.zeileTippen(QStringLiteral("01.02.2023"));
    reg.andereSeite();
    EXPECT_EQ(reg.zeilen(), 1);
    EXPECT_EQ(a.nummern(), (QList<int>{29, 29}));
}

TEST_P(DetailGitterRegeln, EinNichtdatumWirdMitMeldungAbgelehntUndNichtGespeichert) {
    Register reg(GetParam());
    test::Antworten a;
    test::klicken(reg.gitter->hinzufuegenKnopf());
    zelleTippen(reg.gitter->gitter(), reg.gitter->aktuelleZeile(), GetParam().datumSpalte,
                QStringLiteral("31.02.2024"));
    ASSERT_EQ(a.nummern(), QList<int>{2612});
    EXPECT_TRUE(a.meldungen.first().text.contains(QStringLiteral("31.02.2024")));
    EXPECT_TRUE(a.meldungen.first().text.contains(QStringLiteral("Datum")));
    EXPECT_TRUE(reg.gitter->modell()
                    ->index(reg.gitter->aktuelleZeile(), GetParam().datumSpalte)
                    .data()
                    .toString()
                    .isEmpty());
}

TEST_P(DetailGitterRegeln, ZuLangerTextBleibtImGitterUndHaeltKatzeUndSeite) {
    const Fall f = GetParam();
    if (!f.text) GTEST_SKIP() << "no text column";
    Register reg(f);
    test::Antworten a;
    reg.zeileTippen(QStringLiteral("01.02.2023"), QString(f.textLaenge + 1, QLatin1Char('x')));
    reg.andereSeite();
    ASSERT_EQ(a.nummern(), QList<int>{2610});
    EXPECT_TRUE(a.meldungen.first().text.contains(QLatin1String(f.text)));
    EXPECT_EQ(reg.r->seiten()->currentWidget()->objectName(), QLatin1String(f.seite));
    // Moving to the next cat is refused too; the row stays as typed.
    test::klicken(reg.r->navigator()->knopf(Navigator::Naechster));
    EXPECT_EQ(reg.r->katzen().asInt(QStringLiteral("LaufendeNummer")), reg.mimi);
    EXPECT_EQ(reg.gitter->wert(reg.gitter->aktuelleZeile(), QLatin1String(f.text)).toString().size(),
              f.textLaenge + 1);
    // Shortened, it is stored with the next move.
    zelleTippen(reg.gitter->gitter(), reg.gitter->aktuelleZeile(), f.textSpalte, QStringLiteral("kurz"));
    test::klicken(reg.r->navigator()->knopf(Navigator::Naechster));
    EXPECT_EQ(reg.r->katzen().asInt(QStringLiteral("LaufendeNummer")), reg.tom);
    EXPECT_EQ(reg.zeilen(), 1);
}

TEST_P(DetailGitterRegeln, ZeilenNurVornGelesenUndNachDemWechselAufDerLetzten) {
    Register reg(GetParam());
    test::Antworten a;
    reg.zeileTippen(QStringLiteral("01.02.2023"));
    reg.zeileTippen(QStringLiteral("01.03.2023"));
    reg.zeileTippen(QStringLiteral("01.01.2023"));
    // A move with another page in front does not read the page; coming back to the cat does.
    reg.r->seiten()->setCurrentIndex(0);
    auto* seite = reg.r->findChild<reg::TKatzenSeite*>(QLatin1String(GetParam().seite));
    test::klicken(reg.r->navigator()->knopf(Navigator::Naechster));
    EXPECT_EQ(reg.zeilen(), 3);
    EXPECT_FALSE(seite->geladen());
    test::klicken(reg.r->navigator()->knopf(Navigator::Vorheriger));
    seiteZeigen(reg.r, QLatin1String(GetParam().seite));
    EXPECT_TRUE(seite->geladen());
    ASSERT_EQ(reg.gitter->zeilen(), 3);
    EXPECT_EQ(reg.gitter->aktuelleZeile(), 2); // on the last row
    EXPECT_EQ(reg.gitter->wert(2, QLatin1String(GetParam().datum)).toDate(),
              GetParam().datumsOrdnung ? QDate(2023, 3, 1) : QDate(2023, 1, 1));
    EXPECT_EQ(a.nummern(), QList<int>{});
}

TEST_P(DetailGitterRegeln, OffeneZeileWirdBeimSchliessenGespeichert) {
    Register reg(GetParam());
    test::Antworten a;
    reg.zeileTippen(QStringLiteral("01.02.2023"));
    reg.r->close();
    test::ereignisse();
    EXPECT_EQ(reg.zeilen(), 1);
}

TEST_P(DetailGitterRegeln, OffeneZeileWirdVorEinemLesendenFensterGespeichert) {
    Register reg(GetParam());
    test::Antworten a;
    reg.zeileTippen(QStringLiteral("3.4.2024"));
    ASSERT_TRUE(reg.fenster.menue(QStringLiteral("MenuFormStammbaum")));
    EXPECT_EQ(reg.zeilen(), 1);
}

INSTANTIATE_TEST_SUITE_P(Detailtabellen, DetailGitterRegeln, ::testing::ValuesIn(kFaelle),
                         [](const auto& info) { return name(info.param); });

TEST(Katzenseiten, SeitenInDerReihenfolgeDesRegistersMitZugaenglichenNamen) {
    test::Hauptfenster fenster;
    reg::TCatStamm* r = fenster.katzenregister();
    QStringList titel;
    for (int i = 0; i < r->seiten()->count(); ++i)
        titel << r->seiten()->tabText(i);
    EXPECT_EQ(titel, (QStringList{"&Stammdaten", "Stamm&baum", "B&ild", "&Zusatzinfo", "&Wurfdaten/Gewichte",
                                  "&Med.Daten", "Z&uchtbuch", "&Ausstellung", "Dokumente"}));
    auto* med = r->findChild<reg::TKatzenSeite*>(QStringLiteral("TabSheetMedDaten"));
    for (QPushButton* b : med->findChildren<QPushButton*>())
        EXPECT_FALSE(b->accessibleName().isEmpty()) << b->objectName().toStdString();
    for (QTableView* g : med->findChildren<QTableView*>())
        EXPECT_FALSE(g->accessibleName().isEmpty()) << g->objectName().toStdString();
}

} // namespace
