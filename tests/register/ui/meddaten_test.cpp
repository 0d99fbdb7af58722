// The medical page's forms: vet visits, the health sheet and a female's pregnancies, typed as the user does.

#include "common/ui/feldeditoren.h"
#include "common/ui/navigator.h"
#include "register/ui/detailformular.h"
#include "register/ui/seitemeddaten.h"
#include "register/ui/tcatstamm.h"
#include "store/table.h"
#include "support/ui/hauptfenster.h"

#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

struct Register {
    explicit Register(const QString& ini = QStringLiteral("[System]\r\nSpeichern=1\r\n"))
        : fenster([&] {
              test::Hauptfenster::Optionen o;
              o.ini = ini;
              o.vorher = [this](store::Database& db) {
                  mimi = test::katzeAnlegen(db, QStringLiteral("Mimi"));
                  tom = test::katzeAnlegen(db, QStringLiteral("Tom"), QStringLiteral("1"));
              };
              return o;
          }()) {
        r = fenster.katzenregister();
        med = r->seite<reg::TSeiteMedDaten>();
        klickeReiter(r->seiten(), r->seiten()->indexOf(med));
    }
    static void klickeReiter(QTabWidget* t, int i) {
        test::klicken(t->tabBar(), t->tabBar()->tabRect(i).center());
    }
    void unterseite(const char* name) {
        klickeReiter(med->reiter(), med->reiter()->indexOf(med->findChild<QWidget*>(QLatin1String(name))));
    }
    void naechsteKatze() { test::klicken(r->navigator()->knopf(Navigator::Naechster)); }
    int zeilen(const char* tabelle, int katze) {
        store::Table t(*fenster.db, QLatin1String(tabelle));
        t.open(store::Table::OpenMode::ReadOnly);
        int n = 0;
        for (t.first(); !t.eof() && t.hasRecord(); t.next())
            if (t.asInt(QStringLiteral("Katze")) == katze) ++n;
        return n;
    }

    int mimi = 0, tom = 0;
    test::Hauptfenster fenster;
    reg::TCatStamm* r = nullptr;
    reg::TSeiteMedDaten* med = nullptr;
};

TEST(MedDaten, ArztbesuchGetipptWirdBeimWechselDerKatzeGespeichertUnd29NeinVerwirft) {
    for (bool fragen : {false, true}) {
        Register reg(fragen ? QStringLiteral("[System]\r\nSpeichern=0\r\n")
                            : QStringLiteral("[System]\r\nSpeichern=1\r\n"));
        test::Antworten a;
        reg.unterseite("TabSheetArztbesuch");
        reg::TDetailFormular* f = reg.med->arztbesuche();
        test::klicken(f->hinzufuegenKnopf());
        test::tippen(f, QStringLiteral("12.3.2024"));
        test::taste(f, Qt::Key_Tab);
        test::tippen(f, QStringLiteral("Dr. Roth"));
        EXPECT_TRUE(f->rueckgaengigKnopf()->isEnabled());
        reg.naechsteKatze();
        EXPECT_EQ(reg.r->katzen().asInt(QStringLiteral("LaufendeNummer")), reg.tom);
        EXPECT_EQ(reg.zeilen("arztbes", reg.mimi), fragen ? 0 : 1) << fragen;
        EXPECT_EQ(a.nummern(), fragen ? QList<int>{29} : QList<int>{});
    }
}

TEST(MedDaten, SchwangerschaftNurFuerEineKatzeUndEinNichtdatumHaeltDieSeite) {
    Register reg;
    test::Antworten a;
    EXPECT_TRUE(reg.med->schwangerschaftAngeboten());
    reg.unterseite("TabSheetSchwangerschaft");
    reg::TDetailFormular* f = reg.med->schwangerschaften();
    test::klicken(f->hinzufuegenKnopf());
    test::tippen(f, QStringLiteral("45.1.2024"));
    reg.naechsteKatze();
    ASSERT_EQ(a.nummern(), QList<int>{2612});
    EXPECT_TRUE(a.meldungen.first().text.contains(QStringLiteral("Schwanger seit")));
    EXPECT_EQ(reg.r->katzen().asInt(QStringLiteral("LaufendeNummer")), reg.mimi);
    EXPECT_EQ(reg.r->seiten()->currentWidget(), reg.med);
    // Mended, the row is stored and the tom has no pregnancy tab.
    auto* datum = f->findChild<DbDatum*>(QStringLiteral("SchwangerschaftDatum"));
    datum->eingabe()->clear();
    datum->setFocus();
    test::tippen(f, QStringLiteral("15.1.2024"));
    reg.naechsteKatze();
    EXPECT_EQ(reg.r->katzen().asInt(QStringLiteral("LaufendeNummer")), reg.tom);
    EXPECT_EQ(reg.zeilen("schwang", reg.mimi), 1);
    EXPECT_FALSE(reg.med->schwangerschaftAngeboten());
}

TEST(MedDaten, KrankenblattBietetNeueSeiteMitVierEintraegen) {
    Register reg;
    test::Antworten a;
    reg.unterseite("TabSheetKrankenblatt");
    reg::TDetailFormular* f = reg.med->krankenblatt();
    EXPECT_EQ(f->hinzufuegenKnopf()->text(), QStringLiteral("&Neue Seite"));
    test::klicken(f->hinzufuegenKnopf());
    test::tippen(f, QStringLiteral("1.6.2024"));
    test::taste(f, Qt::Key_Tab);
    test::tippen(f, QStringLiteral("Schnupfen"));
    a.antworten = {Antwort::Ja};
    test::klicken(f->loeschenKnopf()); // a page not stored yet is only dropped
    EXPECT_EQ(reg.zeilen("krblatt", reg.mimi), 0);
    test::klicken(f->hinzufuegenKnopf());
    test::tippen(f, QStringLiteral("1.6.2024"));
    reg.naechsteKatze();
    EXPECT_EQ(reg.zeilen("krblatt", reg.mimi), 1);
    EXPECT_EQ(a.nummern(), QList<int>{28});
}

} // namespace
