// The cat register's breeder and owner boxes and the address book: the search button links an address
// and shows its block, the "Adressen" buttons open the book on the linked address or for a new one.

#include "office/ui/adressenverwaltung.h"
#include "office/ui/suchenadrdlg.h"
#include "register/ui/tcatstamm.h"
#include "store/table.h"
#include "support/ui/hauptfenster.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

struct Mit : test::Hauptfenster {
    Mit() : test::Hauptfenster(optionen()) {}
    static Optionen optionen() {
        Optionen o;
        o.vorher = [](store::Database& db) {
            store::Table t(db, QStringLiteral("adr_dat"));
            t.open();
            t.append();
            t.setValue(QStringLiteral("Name"), QStringLiteral("Meier"));
            t.setValue(QStringLiteral("Vorname"), QStringLiteral("Hans"));
            t.setValue(QStringLiteral("Strasse"), QStringLiteral("Am Bach 3"));
            t.setValue(QStringLiteral("Plz"), QStringLiteral("12345"));
            t.setValue(QStringLiteral("Ort"), QStringLiteral("Talheim"));
            t.post();
            test::katzeAnlegen(db, QStringLiteral("Mira"), QStringLiteral("2"), QStringLiteral("2"));
        };
        return o;
    }
    QPushButton* knopf(const char* name) {
        return katzenregister()->findChild<QPushButton*>(QLatin1String(name));
    }
    test::Antworten meldungen;
};

TEST(RegisterAdressen, SearchButtonLinksTheBreederAndShowsItsBlock) {
    Mit m;
    reg::TCatStamm* r = m.katzenregister();
    ASSERT_NE(r, nullptr);
    ASSERT_TRUE(r->zeigeKatze(1));
    QTimer::singleShot(0, m.haupt.get(), [] {
        auto* d = qobject_cast<office::TSuchenAdrDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        test::klicken(d->feld("EditName"));
        test::tippen(d->feld("EditName"), QStringLiteral("mei"));
        test::klicken(d->suchenKnopf());
        test::klicken(d->okKnopf());
    });
    test::klicken(m.knopf("BitBtnZuechterSuche"));
    test::ereignisse();
    EXPECT_EQ(r->katzen().asInt(QStringLiteral("Züchter")), 1);
    auto* box = r->findChild<QLabel*>(QStringLiteral("MemoZuechter"));
    EXPECT_EQ(box->text(), QStringLiteral("Meier, Hans\nAm Bach 3\n12345 Talheim"));
    EXPECT_TRUE(r->speichernKnopf()->isEnabled());
    test::klicken(r->speichernKnopf());
    store::Query q(*m.db,
                   QStringLiteral("SELECT k.\"Züchter\" FROM catstamm AS k WHERE k.LaufendeNummer = 1"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 1);

    // "Adressen" beside the breeder: the book on that address.
    test::klicken(m.knopf("BitBtnZuechterAdressen"));
    test::ereignisse();
    auto* buch =
        dynamic_cast<office::Tadressenverwaltung*>(m.haupt->fenster(QStringLiteral("Adressenverwaltung")));
    ASSERT_NE(buch, nullptr);
    EXPECT_EQ(buch->adressen().asInt(QStringLiteral("LaufendeNr")), 1);
    EXPECT_EQ(buch->adressen().state(), store::Table::State::Browse);
    EXPECT_FALSE(m.haupt->StatusAdressen);
}

TEST(RegisterAdressen, AdressenBesideAnEmptyOwnerStartsANewAddress) {
    Mit m;
    reg::TCatStamm* r = m.katzenregister();
    ASSERT_NE(r, nullptr);
    ASSERT_TRUE(r->zeigeKatze(1));
    test::klicken(m.knopf("BitBtnBesitzerAdressen"));
    test::ereignisse();
    auto* buch =
        dynamic_cast<office::Tadressenverwaltung*>(m.haupt->fenster(QStringLiteral("Adressenverwaltung")));
    ASSERT_NE(buch, nullptr);
    EXPECT_EQ(buch->adressen().state(), store::Table::State::Insert);
    EXPECT_EQ(buch->reiter()->currentIndex(), int(office::Tadressenverwaltung::Neu));
}

} // namespace
