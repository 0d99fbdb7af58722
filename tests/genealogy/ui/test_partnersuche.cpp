// The partner finder inside the main window: the ranking with its ties, the filters, the kitten's
// figures and the partner's mean kinship in the shown rows, and the inbreeding window opened on the
// chosen pair.

#include "genealogy/register.h"
#include "genealogy/ui/genetiklauf.h"
#include "genealogy/ui/inzuchtgrad.h"
#include "genealogy/ui/partnersuche.h"
#include "store/table.h"
#include "support/ui/hauptfenster.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>

using namespace velmora;
using genealogy::TFormPartnersuche;

namespace {

// Odd numbers are toms. 3 Mika and 4 Bella are full siblings by 1 Zorro x 2 Amira; 6 Luna is Zorro's
// daughter by an unknown dam; 8 Kira and 10 Fremd are unrelated queens, Kira the breeder's own.
const QVector<test::RegisterKatze> kRegister = {
    {1, QStringLiteral("Zorro"), 0, 0, {}}, {2, QStringLiteral("Amira"), 0, 0, {}},
    {3, QStringLiteral("Mika"), 1, 2, {}},  {4, QStringLiteral("Bella"), 1, 2, {}},
    {6, QStringLiteral("Luna"), 1, 0, {}},  {8, QStringLiteral("Kira"), 0, 0, {}},
    {10, QStringLiteral("Fremd"), 0, 0, {}}};

struct Suche : test::Hauptfenster {
    Suche() : test::Hauptfenster(optionen()) {}
    static Optionen optionen() {
        Optionen o;
        o.mitRegister = false;
        o.vorher = [](store::Database& db) {
            test::schreibeKatzen(db.directory(), kRegister);
            // Every cat is alive and young, so all seven form the reference; Kira is an own cat.
            store::Table t(db, QStringLiteral("catstamm"));
            t.open();
            for (t.first(); !t.eof() && t.hasRecord(); t.next()) {
                t.setValue(QStringLiteral("GebDatum"), QDate::currentDate().addYears(-1));
                t.setValue(QStringLiteral("Status"), t.asInt(QStringLiteral("LaufendeNummer")) == 8 ? 1 : 2);
                t.post();
            }
        };
        return o;
    }
    QStringList spalte(TFormPartnersuche* f, int s) const {
        QStringList l;
        for (int r = 0; r < f->gitter()->rowCount(); ++r)
            l << f->gitter()->item(r, s)->text();
        return l;
    }
    // "&Suchen" clicked; the ranking runs on a worker, so the test waits for its end.
    static void suchen(TFormPartnersuche* f) {
        test::klicken(f->suchenKnopf());
        QDeadlineTimer frist(20000);
        while (f->laeuft() && !frist.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QThread::msleep(1);
        }
        test::ereignisse();
    }
    test::Antworten meldungen;
    struct Gebietsschema {
        QLocale alt;
        Gebietsschema() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
        ~Gebietsschema() { QLocale::setDefault(alt); }
    } gebietsschema;
};

} // namespace

TEST(Partnersuche, RanksByTheKittensCoefficientWithFiltersFiguresAndMeanKinship) {
    Suche h;
    h.haupt->registerKatzeGezeigt(3); // the register shows Mika
    auto* f = dynamic_cast<TFormPartnersuche*>(h.ueberMenue(QStringLiteral("FormPartnersuche")));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->katzenZeile()->text(), QStringLiteral("Mika {3}"));
    h.suchen(f);
    // Queens only; unrelated ones tie at 0 and go by name; half sister 1/8, mother and full sister 1/4.
    EXPECT_EQ(h.spalte(f, 1), (QStringList{"Fremd", "Kira", "Luna", "Amira", "Bella"}));
    EXPECT_EQ(h.spalte(f, 2), (QStringList{"0,000000", "0,000000", "0,125000", "0,250000", "0,250000"}));
    // The kitten's coefficient over the generations agrees; its own pedigree collapse is there too.
    EXPECT_TRUE(f->gitter()->item(2, 3)->text().startsWith(QStringLiteral("12,5")))
        << f->gitter()->item(2, 3)->text().toStdString();
    EXPECT_FALSE(f->gitter()->item(2, 4)->text().isEmpty());
    // Mean kinship over the seven cats: an unrelated, non-inbred queen has only f(i,i) = 1/2.
    EXPECT_EQ(f->gitter()->item(0, 5)->text(), QStringLiteral("0,071429"));

    test::ankreuzen(f->nurEigene());
    h.suchen(f);
    EXPECT_EQ(h.spalte(f, 1), QStringList{"Kira"});

    // Following the register: for a queen the toms are ranked.
    h.haupt->registerKatzeGezeigt(6);
    test::ankreuzen(f->nurEigene());
    h.suchen(f);
    EXPECT_EQ(h.spalte(f, 1), (QStringList{"Mika", "Zorro"})); // half brother 1/8, father 1/4
}

TEST(Partnersuche, InzuchtgradOpensTheInbreedingWindowOnTheChosenPair) {
    Suche h;
    h.haupt->registerKatzeGezeigt(3);
    auto* f = dynamic_cast<TFormPartnersuche*>(h.ueberMenue(QStringLiteral("FormPartnersuche")));
    ASSERT_NE(f, nullptr);
    h.suchen(f);
    ASSERT_EQ(f->gitter()->rowCount(), 5);
    const QRect zelle = f->gitter()->visualItemRect(f->gitter()->item(2, 1));
    test::klicken(f->gitter()->viewport(), zelle.center());
    test::klicken(f->inzuchtgradKnopf());
    auto* i = dynamic_cast<genealogy::TFormInzuchtgrad*>(h.haupt->fenster(QStringLiteral("FormInzuchtgrad")));
    ASSERT_NE(i, nullptr);
    QDeadlineTimer frist(10000);
    while (i->laeuft() && !frist.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    test::ereignisse();
    EXPECT_EQ(i->art(), 1);
    EXPECT_EQ(i->SatznummerVater, 3);
    EXPECT_EQ(i->SatznummerMutter, 6);
    EXPECT_TRUE(i->hatErgebnis());
}

TEST(Partnersuche, AbbruchWhileTheRankingRunsShowsNothing) {
    Suche h;
    h.haupt->registerKatzeGezeigt(3);
    auto* f = dynamic_cast<TFormPartnersuche*>(h.ueberMenue(QStringLiteral("FormPartnersuche")));
    ASSERT_NE(f, nullptr);
    // the worker is held before its work until "Abbruch" has been clicked
    std::atomic<bool> los(false);
    genealogy::TGenetikLauf::vorDerArbeit = [&los] {
        while (!los)
            QThread::msleep(1);
    };
    test::klicken(f->suchenKnopf());
    ASSERT_TRUE(f->laeuft());
    EXPECT_TRUE(f->lauf()->abbruchKnopf()->isVisible());
    test::klicken(f->lauf()->abbruchKnopf());
    los = true;
    genealogy::TGenetikLauf::vorDerArbeit = nullptr;
    QDeadlineTimer frist(20000);
    while (f->laeuft() && !frist.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    test::ereignisse();
    EXPECT_FALSE(f->laeuft());
    EXPECT_EQ(f->gitter()->rowCount(), 0);
    EXPECT_FALSE(f->lauf()->isVisible());
    // the next search runs to its end
    h.suchen(f);
    EXPECT_EQ(f->gitter()->rowCount(), 5);
}
