// The litter data page: the cat's extra data and its litter's faults, one row per cat, typed and chosen.

#include "common/ui/feldeditoren.h"
#include "common/ui/navigator.h"
#include "register/ui/detailformular.h"
#include "register/ui/seitewurfdaten.h"
#include "register/ui/tcatstamm.h"
#include "register/zusatzdaten.h"
#include "store/table.h"
#include "support/ui/hauptfenster.h"

#include <QComboBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

int zeilen(store::Database& db, const char* tabelle, const char* feld) {
    store::Table t(db, QLatin1String(tabelle));
    t.open(store::Table::OpenMode::ReadOnly);
    int n = 0;
    for (t.first(); !t.eof() && t.hasRecord(); t.next())
        n += t.asInt(QLatin1String(feld)) > 0;
    return n;
}

TEST(Wurfdaten, ZusatzdatenEineZeileJeKatzeErstWennGetipptMitIhrenCodes) {
    int mimi = 0, tom = 0;
    test::Hauptfenster::Optionen o;
    o.vorher = [&](store::Database& db) {
        mimi = test::katzeAnlegen(db, QStringLiteral("Mimi"));
        tom = test::katzeAnlegen(db, QStringLiteral("Tom"), QStringLiteral("1"));
    };
    test::Hauptfenster fenster(o);
    test::Antworten a;
    reg::TCatStamm* r = fenster.katzenregister();
    auto* seite = r->seite<reg::TSeiteWurfdaten>();
    QTabBar* leiste = r->seiten()->tabBar();
    test::klicken(leiste, leiste->tabRect(r->seiten()->indexOf(seite)).center());
    // Looking at the cats writes nothing.
    test::klicken(r->navigator()->knopf(Navigator::Naechster));
    test::klicken(r->navigator()->knopf(Navigator::Vorheriger));
    EXPECT_EQ(zeilen(*fenster.db, "stammzusatz", "Tier"), 0);
    EXPECT_EQ(zeilen(*fenster.db, "stammzusatz1", "Hund"), 0);

    reg::TDetailFormular* z = seite->zusatzdaten();
    auto* gewicht = z->findChild<DbZahl*>(QStringLiteral("ZusatzdatenGebgewicht"));
    test::klicken(gewicht);
    test::tippen(gewicht, QStringLiteral("95,5"));
    auto* kiefer = z->findChild<QComboBox*>(QStringLiteral("ZusatzdatenKieferfehler"));
    kiefer->setFocus();
    for (int i = 0; i < 4; ++i)
        test::taste(kiefer, Qt::Key_Down);
    EXPECT_EQ(kiefer->currentText(), QStringLiteral("Kreuzbiss"));
    EXPECT_TRUE(z->rueckgaengigKnopf()->isEnabled());
    auto* hf = seite->wurffehler()->findChild<DbZahl*>(QStringLiteral("WurffehlerHF"));
    test::klicken(hf);
    test::tippen(hf, QStringLiteral("1"));
    test::klicken(r->navigator()->knopf(Navigator::Naechster));
    ASSERT_EQ(r->katzen().asInt(QStringLiteral("LaufendeNummer")), tom);

    store::Table t(*fenster.db, QStringLiteral("stammzusatz"));
    t.open(store::Table::OpenMode::ReadOnly);
    t.first();
    ASSERT_TRUE(t.hasRecord());
    EXPECT_EQ(t.asInt(QStringLiteral("Tier")), mimi);
    EXPECT_DOUBLE_EQ(t.asFloat(QStringLiteral("Gebgewicht")), 95.5);
    EXPECT_EQ(reg::kieferCode(t.asString(QStringLiteral("Kieferfehler"))), QStringLiteral("4"));
    EXPECT_EQ(zeilen(*fenster.db, "stammzusatz", "Tier"), 1);
    EXPECT_EQ(zeilen(*fenster.db, "stammzusatz1", "Hund"), 1);
    // Back at the cat, its row is shown and edited, not doubled.
    test::klicken(r->navigator()->knopf(Navigator::Vorheriger));
    EXPECT_EQ(QString(gewicht->text()).replace(QLatin1Char(','), QLatin1Char('.')), QStringLiteral("95.5"));
    test::klicken(gewicht);
    gewicht->selectAll();
    test::tippen(gewicht, QStringLiteral("97"));
    test::klicken(r->navigator()->knopf(Navigator::Naechster));
    EXPECT_EQ(zeilen(*fenster.db, "stammzusatz", "Tier"), 1);
    EXPECT_EQ(a.nummern(), QList<int>{});
}

} // namespace
