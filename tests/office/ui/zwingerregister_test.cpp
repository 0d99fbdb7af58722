// The kennel registers inside the main window: the read-only public register with its cat buttons and
// marks, the maintenance mode, the private register made on demand with a kennel and a cat typed in,
// and the copy of a kennel's breeder into the address book.

#include "office/ui/zwingerregister.h"
#include "store/table.h"
#include "support/ui/hauptfenster.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <gtest/gtest.h>

using namespace velmora;
using office::TFormZwingerregister;

namespace {

struct Register : test::Hauptfenster {
    explicit Register(std::function<void(store::Database&)> vorher = {})
        : test::Hauptfenster(optionen(vorher)) {}
    static Optionen optionen(std::function<void(store::Database&)> vorher) {
        Optionen o;
        o.mitRegister = false;
        o.vorher = vorher;
        return o;
    }
    TFormZwingerregister* oeffnen(const char* name) {
        auto* f = dynamic_cast<TFormZwingerregister*>(haupt->FensterZeigen(QString::fromLatin1(name)));
        test::ereignisse();
        return f;
    }
    QString zwingerName(TFormZwingerregister* f) { return f->zwinger().asString(QStringLiteral("Zwinger")); }
    test::Antworten meldungen;
};

TEST(Zwingerregister, PublicRegisterIsReadOnlyAndItsCatButtonsFollowTheKennel) {
    Register r;
    TFormZwingerregister* f = r.oeffnen("FormZwingerregister");
    ASSERT_NE(f, nullptr);
    EXPECT_FALSE(f->bearbeitbar());
    EXPECT_EQ(r.zwingerName(f), QStringLiteral("de la Vallée Bleue")); // one stud tom with a picture
    auto* deck = f->findChild<QPushButton*>(QStringLiteral("BitBtnDeckkater"));
    auto* zucht = f->findChild<QPushButton*>(QStringLiteral("BitBtnZuchtkatze"));
    EXPECT_TRUE(deck->isEnabled());
    EXPECT_FALSE(zucht->isEnabled());
    EXPECT_TRUE(f->marke(1)->isVisibleTo(f));
    EXPECT_FALSE(f->marke(2)->isVisibleTo(f));
    EXPECT_FALSE(f->knopf("BitBtnHinzufuegen")->isVisibleTo(f));
    auto* zwinger = f->findChild<QLineEdit*>(QStringLiteral("DBZwinger"));
    test::klicken(zwinger);
    test::tippen(zwinger, QStringLiteral("xyz"));
    EXPECT_EQ(f->zwinger().state(), store::Table::State::Browse);
    EXPECT_EQ(r.zwingerName(f), QStringLiteral("de la Vallée Bleue"));
    test::klicken(deck);
    EXPECT_TRUE(f->katzenPanel()->isVisible());
    EXPECT_EQ(f->katzenGitter()->model()->rowCount(), 1);
    EXPECT_FALSE(f->sortierung()->isEnabled());
    test::klicken(f->findChild<QPushButton*>(QStringLiteral("BitBtnKatzenZurueck")));
    EXPECT_TRUE(f->sortierung()->isEnabled());
    EXPECT_EQ(f->sortierung()->count(), 6);
}

TEST(Zwingerregister, SearchAndCopyTheBreederIntoTheAddressBookAsksTheSecondTime) {
    Register r;
    TFormZwingerregister* f = r.oeffnen("FormZwingerregister");
    ASSERT_NE(f, nullptr);
    QTimer::singleShot(0, r.haupt.get(), [] {
        auto* d = qobject_cast<office::TZwinSuchDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        test::klicken(d->feld("EditZwinger"));
        test::tippen(d->feld("EditZwinger"), QStringLiteral("vom"));
        test::klicken(d->suchenKnopf());
        test::klicken(d->okKnopf());
    });
    test::klicken(f->knopf("BitBtnSuche"));
    test::ereignisse();
    EXPECT_EQ(r.zwingerName(f), QStringLiteral("vom Lindenhain"));
    auto* kopie = f->findChild<QPushButton*>(QStringLiteral("BitBtnInAdressen"));
    test::klicken(kopie);
    r.meldungen.antworten = {Antwort::Nein};
    test::klicken(kopie);
    EXPECT_EQ(r.meldungen.nummern(), (QList<int>{172, 173}));
    store::Query q(*r.db, QStringLiteral("SELECT a.Name, a.Vorname, a.Status FROM adr_dat AS a"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString() + q.value(1).toString() + q.value(2).toString(),
              QStringLiteral("AlbrechtGretaZüchter"));
    EXPECT_FALSE(q.next());
}

TEST(Zwingerregister, PrivateRegisterIsMadeAndTakesAKennelWithACat) {
    Register r([](store::Database& db) {
        db.dropTable(QStringLiteral("zwingregprivat"));
        db.dropTable(QStringLiteral("zwinginfprivat"));
    });
    ASSERT_TRUE(r.menue(QStringLiteral("MenuFormZwingerregisterPrivat")));
    auto* f =
        dynamic_cast<TFormZwingerregister*>(r.haupt->fenster(QStringLiteral("FormZwingerregisterPrivat")));
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(r.db->tableExists(QStringLiteral("zwinginfprivat")));
    test::klicken(f->knopf("BitBtnHinzufuegen"));
    test::tippen(f->findChild<QLineEdit*>(QStringLiteral("DBZwinger")), QStringLiteral("Eigener Zwinger"));
    test::klicken(f->findChild<QPushButton*>(QStringLiteral("BitBtnDeckkater"))); // stores the kennel first
    ASSERT_TRUE(f->katzenPanel()->isVisible());
    EXPECT_EQ(f->zwinger().recordCount(), 1);
    test::klicken(f->knopf("BitBtnKatzeNeu"));
    test::tippen(f->katzenPanel(), QStringLiteral("Anton")); // the name field has the focus
    test::klicken(f->findChild<QPushButton*>(QStringLiteral("BitBtnKatzenZurueck")));
    store::Query q(*r.db, QStringLiteral("SELECT i.Name, i.KatzeArt, i.Zwinger FROM zwinginfprivat AS i"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("Anton"));
    EXPECT_EQ(q.value(1).toInt(), 1);
    EXPECT_EQ(q.value(2).toInt(), f->zwinger().asInt(QStringLiteral("LaufendeNummer")));
}

TEST(Zwingerregister, MaintenanceModeMakesThePublicRegisterEditable) {
    Register r;
    TFormZwingerregister w(*r.haupt, false, true);
    ASSERT_TRUE(w.oeffnen());
    w.show();
    test::ereignisse();
    EXPECT_TRUE(w.knopf("BitBtnHinzufuegen")->isVisibleTo(&w));
    auto* zwinger = w.findChild<QLineEdit*>(QStringLiteral("DBZwinger"));
    test::klicken(zwinger);
    zwinger->selectAll();
    test::tippen(zwinger, QStringLiteral("de la Vallée Verte"));
    EXPECT_EQ(w.zwinger().state(), store::Table::State::Edit);
    w.schliessen();
    store::Query q(*r.db, QStringLiteral("SELECT z.Zwinger FROM zwingreg AS z WHERE z.LaufendeNummer = 3"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("de la Vallée Verte"));
}

} // namespace
