// A breeder's day from end to end: a mating in the tom's mating book, the litter in the queen's litter
// book with its stud chosen through the search, three kittens weighed three times; the register is
// closed and opened again on the same data, and everything is found again.

#include "common/ui/navigator.h"
#include "register/ui/detailgitter.h"
#include "register/ui/seitezuchtbuch.h"
#include "register/ui/suchendlg.h"
#include "register/ui/tcatstamm.h"
#include "store/table.h"
#include "support/ui/eingabe.h"
#include "support/ui/hauptfenster.h"

#include <QChart>
#include <QLineEdit>
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

// Chooses the cat of that name in the search dialog the button opens.
void waehlen(QPushButton* knopf, const QString& name) {
    test::beimNaechstenDialog([name](QWidget* d) {
        auto* dlg = qobject_cast<reg::TSuchenDlg*>(d);
        ASSERT_NE(dlg, nullptr);
        test::klicken(dlg->nameFeld());
        test::tippen(name);
        test::klicken(dlg->suchenKnopf());
        test::klicken(dlg->okKnopf());
    });
    test::klicken(knopf);
}

reg::TSeiteZuchtbuch* zuchtbuchZeigen(reg::TCatStamm* r) {
    auto* zb = r->seite<reg::TSeiteZuchtbuch>();
    reiterKlicken(r->seiten(), zb);
    return zb;
}

TEST(Zuchtablauf, DeckungWurfUndDreiJungtiereGewogenNachDemNeustartWiedergefunden) {
    int mimi = 0, tom = 0;
    test::Hauptfenster::Optionen o;
    o.vorher = [&](store::Database& db) {
        mimi = test::katzeAnlegen(db, QStringLiteral("Mimi vom Bach"));
        tom = test::katzeAnlegen(db, QStringLiteral("Tom vom Berg"), QStringLiteral("1"));
    };
    test::Hauptfenster fenster(o);
    test::Antworten a;
    reg::TCatStamm* r = fenster.katzenregister();
    ASSERT_EQ(r->katzen().asInt(QStringLiteral("LaufendeNummer")), mimi);

    // The mating, in the tom's book.
    test::klicken(r->navigator()->knopf(Navigator::Naechster));
    reg::TSeiteZuchtbuch* zb = zuchtbuchZeigen(r);
    reg::TDetailGitter* deck = zb->deckbuch();
    test::klicken(deck->hinzufuegenKnopf());
    zelleTippen(deck, 0, QStringLiteral("10.1.2024"));
    waehlen(zb->findChild<QPushButton*>(QStringLiteral("BitBtnKatzeSuche")), QStringLiteral("Mimi"));
    EXPECT_EQ(zelle(deck, 0, 1), QStringLiteral("Mimi vom Bach"));
    EXPECT_EQ(zelle(deck, 0, 3), QStringLiteral("15.03.2024"));

    // The litter, in the queen's book: moving to her stores the mating.
    test::klicken(r->navigator()->knopf(Navigator::Vorheriger));
    ASSERT_TRUE(zb->wurfbuchGezeigt());
    reg::TDetailGitter* w = zb->wuerfe();
    test::klicken(w->hinzufuegenKnopf());
    zelleTippen(w, 1, QStringLiteral("10.1.2024"));
    zelleTippen(w, 5, QStringLiteral("14.3.2024"));
    zelleTippen(w, 8, QStringLiteral("A-Wurf"));
    waehlen(zb->findChild<QPushButton*>(QStringLiteral("BitBtnKaterSuche")), QStringLiteral("Tom"));
    EXPECT_EQ(zelle(w, 0, 7), QStringLiteral("Tom vom Berg"));

    // Three kittens weighed on three days.
    reiterKlicken(zb->wurfReiter(), zb->findChild<QWidget*>(QStringLiteral("TabSheetJungtierGewichte")));
    reg::TDetailGitter* j = zb->jungtierGewichte();
    const struct {
        const char* datum;
        const char* gewichte[3];
    } wiegungen[] = {{"14.3.2024", {"98", "104", "91"}},
                     {"21.3.2024", {"170", "182", "160"}},
                     {"28.3.2024", {"245", "260", "231"}}};
    for (const auto& wg : wiegungen) {
        test::klicken(j->hinzufuegenKnopf());
        zelleTippen(j, 0, QLatin1String(wg.datum));
        for (int k = 0; k < 3; ++k)
            zelleTippen(j, 2 + k, QLatin1String(wg.gewichte[k]));
    }
    EXPECT_EQ(a.nummern(), QList<int>{});

    // The register closes (storing the last weighing) and opens again on the same data.
    r->close();
    test::ereignisse();
    ASSERT_EQ(fenster.katzenregister(), nullptr);
    r = qobject_cast<reg::TCatStamm*>(fenster.ueberMenue(QStringLiteral("FormCatStamm")));
    ASSERT_NE(r, nullptr);
    ASSERT_EQ(r->katzen().asInt(QStringLiteral("LaufendeNummer")), mimi);
    zb = zuchtbuchZeigen(r);
    w = zb->wuerfe();
    ASSERT_EQ(w->zeilen(), 1);
    EXPECT_EQ(zelle(w, 0, 5), QStringLiteral("14.03.2024"));
    EXPECT_EQ(zelle(w, 0, 6), QStringLiteral("64"));
    EXPECT_EQ(zelle(w, 0, 7), QStringLiteral("Tom vom Berg"));
    EXPECT_EQ(zelle(w, 0, 8), QStringLiteral("A-Wurf"));
    j = zb->jungtierGewichte();
    ASSERT_EQ(j->zeilen(), 3);
    for (int z = 0; z < 3; ++z)
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(zelle(j, z, 2 + k), QLatin1String(wiegungen[z].gewichte[k])) << z << " " << k;
    EXPECT_EQ(zb->gewichtsDiagramm()->series().size(), 3);
    test::klicken(r->navigator()->knopf(Navigator::Naechster));
    ASSERT_EQ(r->katzen().asInt(QStringLiteral("LaufendeNummer")), tom);
    deck = zb->deckbuch();
    ASSERT_EQ(deck->zeilen(), 1);
    EXPECT_EQ(zelle(deck, 0, 0), QStringLiteral("10.01.2024"));
    EXPECT_EQ(zelle(deck, 0, 1), QStringLiteral("Mimi vom Bach"));
    EXPECT_EQ(a.nummern(), QList<int>{});
}

} // namespace
