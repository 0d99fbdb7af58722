// The breeding book page: heats with their statistics, the litter book with its figures and the kitten
// weighings, the mating book of a male; typed and clicked as the user does.

#include "common/ui/navigator.h"
#include "register/ui/detailgitter.h"
#include "register/ui/seitezuchtbuch.h"
#include "register/ui/tcatstamm.h"
#include "store/table.h"
#include "support/ui/hauptfenster.h"

#include <QChart>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

void reiterKlicken(QTabWidget* t, QWidget* seite) {
    test::klicken(t->tabBar(), t->tabBar()->tabRect(t->indexOf(seite)).center());
}

void zelleTippen(reg::TDetailGitter* g, int spalte, const QString& text) {
    const QModelIndex i = g->modell()->index(g->aktuelleZeile(), spalte);
    test::klicken(g->gitter()->viewport(), g->gitter()->visualRect(i).center());
    test::tippen(g->gitter(), text);
    test::taste(g->gitter(), Qt::Key_Return);
}

QString zelle(reg::TDetailGitter* g, int zeile, int spalte) {
    return g->modell()->index(zeile, spalte).data().toString();
}

struct Register {
    Register()
        : fenster([this] {
              test::Hauptfenster::Optionen o;
              o.vorher = [this](store::Database& db) {
                  mimi = test::katzeAnlegen(db, QStringLiteral("Mimi"));
                  tom = test::katzeAnlegen(db, QStringLiteral("Tom"), QStringLiteral("1"));
              };
              return o;
          }()) {
        r = fenster.katzenregister();
        zb = r->seite<reg::TSeiteZuchtbuch>();
        reiterKlicken(r->seiten(), zb);
    }
    void seiteVerlassenUndZurueck() {
        reiterKlicken(r->seiten(), r->findChild<QWidget*>(QStringLiteral("TabSheetDokumente")));
        reiterKlicken(r->seiten(), zb);
    }
    int mimi = 0, tom = 0;
    test::Hauptfenster fenster;
    reg::TCatStamm* r = nullptr;
    reg::TSeiteZuchtbuch* zb = nullptr;
};

TEST(Zuchtbuch, RolligkeitenAusserDerReiheMitTagenStatistikUndGeaendertemDecktermin) {
    Register reg;
    test::Antworten a;
    ASSERT_TRUE(reg.zb->wurfbuchGezeigt());
    reiterKlicken(reg.zb->reiter(), reg.zb->findChild<QWidget*>(QStringLiteral("TabSheetLaeufigkeit")));
    reg::TDetailGitter* g = reg.zb->rolligkeiten();
    // Without a heat the mating date is today.
    EXPECT_EQ(reg.zb->deckterminFeld()->text(), QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    for (const char* d : {"1.3.2024", "1.1.2024", "1.2.2024"}) {
        test::klicken(g->hinzufuegenKnopf());
        zelleTippen(g, 0, QLatin1String(d));
    }
    test::klicken(g->hinzufuegenKnopf()); // a heat without date is dropped without a word
    reg.seiteVerlassenUndZurueck();
    ASSERT_EQ(g->zeilen(), 3);
    EXPECT_EQ((QStringList{zelle(g, 0, 1), zelle(g, 1, 1), zelle(g, 2, 1)}),
              (QStringList{QString(), QStringLiteral("60"), QStringLiteral("31")}));
    EXPECT_EQ(reg.zb->statistikText("Durchschnitt"), QStringLiteral("45"));
    EXPECT_EQ(reg.zb->statistikText("+/-"), QStringLiteral("14"));
    EXPECT_EQ(reg.zb->statistikText("Nächste Rolligkeit"), QStringLiteral("17.03.2024"));
    EXPECT_EQ(reg.zb->deckterminFeld()->text(), QStringLiteral("17.03.2024"));
    EXPECT_EQ(reg.zb->statistikText("Wurftermin"), QStringLiteral("21.05.2024"));
    EXPECT_EQ(reg.zb->statistikText("Abgabetermin"), QStringLiteral("20.07.2024"));

    // The mating date typed: the expected dates are empty while it is typed and follow it when it is left.
    QLineEdit* deck = reg.zb->deckterminFeld();
    test::klicken(deck);
    deck->selectAll();
    test::tippen(deck, QStringLiteral("1.4.2024"));
    EXPECT_TRUE(reg.zb->statistikText("Wurftermin").isEmpty());
    test::taste(deck, Qt::Key_Tab);
    EXPECT_EQ(reg.zb->statistikText("Wurftermin"), QStringLiteral("05.06.2024"));
    EXPECT_EQ(reg.zb->statistikText("Abgabetermin"), QStringLiteral("04.08.2024"));
    test::klicken(deck);
    deck->selectAll();
    test::tippen(deck, QStringLiteral("bald"));
    test::taste(deck, Qt::Key_Tab);
    EXPECT_TRUE(reg.zb->statistikText("Wurftermin").isEmpty());
    EXPECT_TRUE(reg.zb->statistikText("Abgabetermin").isEmpty());
    EXPECT_EQ(a.nummern(), QList<int>{});
}

TEST(Zuchtbuch, WurfMitTerminenUndJungtiergewichteErstMitWurftag30) {
    Register reg;
    test::Antworten a;
    reg::TDetailGitter* w = reg.zb->wuerfe();
    EXPECT_FALSE(reg.zb->jungtiereAngeboten()); // no litter yet
    test::klicken(w->hinzufuegenKnopf());
    zelleTippen(w, 1, QStringLiteral("1.1.2024"));
    zelleTippen(w, 2, QStringLiteral("3.1.2024"));
    EXPECT_EQ(zelle(w, 0, 3), QStringLiteral("06.03.2024"));
    EXPECT_EQ(zelle(w, 0, 4), QStringLiteral("08.03.2024"));
    EXPECT_TRUE(zelle(w, 0, 6).isEmpty()); // no gestation without a birth day
    reg.seiteVerlassenUndZurueck();
    EXPECT_TRUE(reg.zb->jungtiereAngeboten());

    reiterKlicken(reg.zb->wurfReiter(),
                  reg.zb->findChild<QWidget*>(QStringLiteral("TabSheetJungtierGewichte")));
    reg::TDetailGitter* j = reg.zb->jungtierGewichte();
    test::klicken(j->hinzufuegenKnopf());
    EXPECT_EQ(a.nummern(), QList<int>{30});
    EXPECT_EQ(j->zeilen(), 0);

    zelleTippen(w, 5, QStringLiteral("6.3.2024"));
    EXPECT_EQ(zelle(w, 0, 6), QStringLiteral("63")); // counted from the second mating
    test::klicken(j->hinzufuegenKnopf()); // stores the litter first, then weighs from its birth day
    ASSERT_EQ(j->zeilen(), 1);
    zelleTippen(j, 0, QStringLiteral("13.3.2024"));
    zelleTippen(j, 2, QStringLiteral("180"));
    EXPECT_FALSE(zelle(j, 0, 1).isEmpty()); // the age
    reg.seiteVerlassenUndZurueck();
    store::Table t(*reg.fenster.db, QStringLiteral("jungtier"));
    t.open(store::Table::OpenMode::ReadOnly);
    t.first();
    ASSERT_TRUE(t.hasRecord());
    EXPECT_EQ(t.asInt(QStringLiteral("Mutterkatze")), reg.mimi);
    EXPECT_EQ(t.asDate(QStringLiteral("Wurfdatum")), QDate(2024, 3, 6));
    EXPECT_EQ(t.asString(QStringLiteral("Katze1")), QStringLiteral("180"));
    EXPECT_EQ(a.nummern(), QList<int>{30});

    // A corrected birth day takes the litter's weighings with it.
    zelleTippen(w, 5, QStringLiteral("7.3.2024"));
    reg.seiteVerlassenUndZurueck();
    reiterKlicken(reg.zb->wurfReiter(),
                  reg.zb->findChild<QWidget*>(QStringLiteral("TabSheetJungtierGewichte")));
    j = reg.zb->jungtierGewichte();
    ASSERT_EQ(j->zeilen(), 1);
    EXPECT_EQ(zelle(j, 0, 2), QStringLiteral("180"));
    t.refresh();
    t.first();
    EXPECT_EQ(t.asDate(QStringLiteral("Wurfdatum")), QDate(2024, 3, 7));
}

TEST(Zuchtbuch, KaterZeigtDasDeckbuchMitErwartetemWurf) {
    Register reg;
    test::Antworten a;
    test::klicken(reg.r->navigator()->knopf(Navigator::Naechster));
    ASSERT_EQ(reg.r->katzen().asInt(QStringLiteral("LaufendeNummer")), reg.tom);
    EXPECT_FALSE(reg.zb->wurfbuchGezeigt());
    reg::TDetailGitter* d = reg.zb->deckbuch();
    test::klicken(d->hinzufuegenKnopf());
    zelleTippen(d, 0, QStringLiteral("1.1.2024"));
    EXPECT_EQ(zelle(d, 0, 3), QStringLiteral("06.03.2024"));
    reg.seiteVerlassenUndZurueck();
    store::Table t(*reg.fenster.db, QStringLiteral("deckbuch"));
    t.open(store::Table::OpenMode::ReadOnly);
    t.first();
    ASSERT_TRUE(t.hasRecord());
    EXPECT_EQ(t.asInt(QStringLiteral("Kater")), reg.tom);
}

} // namespace

namespace {

TEST(Zuchtbuch, GewichtskurveFolgtDenWiegungenJeJungtier) {
    Register reg;
    test::Antworten a;
    reg::TDetailGitter* w = reg.zb->wuerfe();
    test::klicken(w->hinzufuegenKnopf());
    zelleTippen(w, 5, QStringLiteral("1.5.2024"));
    reiterKlicken(reg.zb->wurfReiter(),
                  reg.zb->findChild<QWidget*>(QStringLiteral("TabSheetJungtierGewichte")));
    reg::TDetailGitter* j = reg.zb->jungtierGewichte();
    const struct {
        const char* datum;
        const char* gewichte[3];
    } wiegungen[] = {{"1.5.2024", {"95", "101", "88"}}, {"8.5.2024", {"160", "171,5", "140"}}};
    for (const auto& wg : wiegungen) {
        test::klicken(j->hinzufuegenKnopf());
        zelleTippen(j, 0, QLatin1String(wg.datum));
        for (int k = 0; k < 3; ++k)
            zelleTippen(j, 2 + k, QLatin1String(wg.gewichte[k]));
    }
    QChart* c = reg.zb->gewichtsDiagramm();
    ASSERT_EQ(c->series().size(), 3); // the second weighing is still being typed: the chart shows it already
    auto* zweite = qobject_cast<QLineSeries*>(c->series().at(1));
    ASSERT_NE(zweite, nullptr);
    EXPECT_EQ(zweite->name(), QStringLiteral("Katze 2"));
    EXPECT_EQ(zweite->points(), (QList<QPointF>{{0, 101}, {7, 171.5}}));
    // A changed weight moves its point.
    zelleTippen(j, 3, QStringLiteral("175"));
    EXPECT_EQ(qobject_cast<QLineSeries*>(c->series().at(1))->points().last(), QPointF(7, 175));
    EXPECT_EQ(a.nummern(), QList<int>{});
}

} // namespace
