// The address book inside the main window, driven by typing and clicking: letter tabs, a new address
// with the duplicate question, the refusal of an address without a name, the search dialog, the group
// mail and the address groups window.

#include "common/ui/feldeditoren.h"
#include "office/ui/adressenverwaltung.h"
#include "office/ui/statusadressen.h"
#include "office/ui/suchenadrdlg.h"
#include "store/table.h"
#include "support/ui/hauptfenster.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTimer>
#include <gtest/gtest.h>

using namespace velmora;
using office::Tadressenverwaltung;
using office::TSuchenAdrDlg;

namespace {

struct Adr {
    const char* name;
    const char* vorname;
    const char* email;
};
const Adr kBuch[] = {{"Meier", "Hans", "hans@meier.example"},
                     {"Dorn", "Ida", ""},
                     {"Zander", "Udo", "udo&co@zander.example"},
                     {"meier", "klein", ""}};

struct Buch : test::Hauptfenster {
    Buch() : test::Hauptfenster(optionen()) {}
    static Optionen optionen() {
        Optionen o;
        o.mitRegister = false;
        o.vorher = [](store::Database& db) {
            store::Table t(db, QStringLiteral("adr_dat"));
            t.open();
            for (const Adr& a : kBuch) {
                t.append();
                t.setValue(QStringLiteral("Name"), QString::fromUtf8(a.name));
                t.setValue(QStringLiteral("Vorname"), QString::fromUtf8(a.vorname));
                if (*a.email) t.setValue(QStringLiteral("email"), QString::fromUtf8(a.email));
                t.post();
            }
        };
        return o;
    }
    Tadressenverwaltung* oeffnen() {
        EXPECT_TRUE(menue(QStringLiteral("MenuAdressenverwaltung")));
        auto* f = dynamic_cast<Tadressenverwaltung*>(haupt->fenster(QStringLiteral("Adressenverwaltung")));
        if (f) {
            f->oeffnen_ = [this](const QString& url) { geoeffnet << url; };
            f->druckVorschau = [this](const QList<office::Adresse>& l, bool) { gedruckt = l; };
        }
        test::ereignisse();
        return f;
    }
    void reiter(Tadressenverwaltung* f, int i) {
        test::klicken(f->reiter(), f->reiter()->tabRect(i).center());
    }
    QString aktuellerName(Tadressenverwaltung* f) {
        return f->adressen().asString(QStringLiteral("Name")) + QLatin1Char('|') +
               f->adressen().asString(QStringLiteral("Vorname"));
    }
    // Runs the steps inside the modal search dialog once it is shown.
    void imDialog(std::function<void(TSuchenAdrDlg&)> schritte) {
        QTimer::singleShot(0, haupt.get(), [schritte] {
            auto* d = qobject_cast<TSuchenAdrDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            schritte(*d);
        });
    }
    test::Antworten meldungen;
    QStringList geoeffnet;
    QList<office::Adresse> gedruckt;
};

TEST(Adressenverwaltung, LetterTabsShowTheirRangeAndTheGridFollows) {
    Buch b;
    Tadressenverwaltung* f = b.oeffnen();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->gitter()->model()->rowCount(), 4); // "A-Z"
    b.reiter(f, 1);                                 // "DEF"
    EXPECT_EQ(f->gitter()->model()->rowCount(), 1);
    EXPECT_EQ(b.aktuellerName(f), QStringLiteral("Dorn|Ida"));
    EXPECT_EQ(QApplication::focusWidget(), f->nameFeld());
    b.reiter(f, 7); // "V-Z"
    EXPECT_EQ(b.aktuellerName(f), QStringLiteral("Zander|Udo"));
    b.reiter(f, 4); // "MNO": the lower-case meier is under no letter tab
    EXPECT_EQ(f->gitter()->model()->rowCount(), 1);
    EXPECT_TRUE(f->findChildren<QWidget*>().size() > 0);
    for (QWidget* w : f->findChildren<QWidget*>())
        if ((qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w)) && w->isVisibleTo(f))
            EXPECT_FALSE(w->accessibleName().isEmpty())
                << w->objectName().toStdString() << " " << w->metaObject()->className();
}

TEST(Adressenverwaltung, NewAddressWithTheSameNameAsksAndCancelGoesToTheExistingOne) {
    Buch b;
    Tadressenverwaltung* f = b.oeffnen();
    ASSERT_NE(f, nullptr);
    b.reiter(f, Tadressenverwaltung::Neu);
    EXPECT_TRUE(f->knopf("BitBtnSpeichern")->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), f->nameFeld());
    test::tippen(f->nameFeld(), QStringLiteral("meier"));
    test::taste(f->nameFeld(), Qt::Key_Tab);
    test::tippen(f->vornameFeld(), QStringLiteral("Hans"));
    test::taste(f->vornameFeld(), Qt::Key_Tab); // other case: no question
    EXPECT_TRUE(b.meldungen.meldungen.isEmpty());
    f->nameFeld()->setFocus();
    f->nameFeld()->selectAll();
    test::tippen(f->nameFeld(), QStringLiteral("Meier"));
    b.meldungen.antworten = {Antwort::Nein}; // "Abbrechen"
    test::taste(f->nameFeld(), Qt::Key_Tab);
    ASSERT_EQ(b.meldungen.meldungen.size(), 1);
    EXPECT_EQ(b.meldungen.meldungen[0].text, QStringLiteral("Eintrag mit gleichem Namen gefunden !"));
    EXPECT_EQ(b.meldungen.meldungen[0].knopfTexte, (QStringList{"Neuaufnehmen", "Abbrechen"}));
    EXPECT_EQ(b.aktuellerName(f), QStringLiteral("Meier|Hans"));
    EXPECT_EQ(f->reiter()->currentIndex(), int(Tadressenverwaltung::AZ));
    EXPECT_FALSE(f->knopf("BitBtnSpeichern")->isEnabled());
    EXPECT_EQ(f->adressen().recordCount(), 4);

    // "Neuaufnehmen" goes on; the save stores the second Meier, Hans.
    test::klicken(f->knopf("BitBtnHinzufuegen"));
    test::tippen(f->nameFeld(), QStringLiteral("Meier"));
    test::taste(f->nameFeld(), Qt::Key_Tab);
    test::tippen(f->vornameFeld(), QStringLiteral("Hans"));
    b.meldungen.antworten = {Antwort::Ja};
    test::taste(f->vornameFeld(), Qt::Key_Tab);
    test::klicken(f->knopf("BitBtnSpeichern"));
    test::ereignisse();
    EXPECT_EQ(f->adressen().recordCount(), 5);
    EXPECT_EQ(f->reiter()->currentIndex(), int(Tadressenverwaltung::AZ));
    EXPECT_EQ(f->adressen().asInt(QStringLiteral("LaufendeNr")), 5); // the new address stays shown
    EXPECT_EQ(f->adressen().asString(QStringLiteral("Status")), f->statusListe().value(0));
}

TEST(Adressenverwaltung, AnAddressWithoutNameIsRefusedAndYesDropsIt) {
    Buch b;
    Tadressenverwaltung* f = b.oeffnen();
    ASSERT_NE(f, nullptr);
    b.reiter(f, Tadressenverwaltung::Neu);
    auto* ort = f->findChild<QLineEdit*>(QStringLiteral("DBOrt"));
    ort->setFocus();
    test::tippen(ort, QStringLiteral("Berlin"));
    b.meldungen.antworten = {Antwort::Nein};
    test::klicken(f->knopf("BitBtnSpeichern"));
    test::ereignisse();
    ASSERT_EQ(b.meldungen.meldungen.size(), 1);
    EXPECT_EQ(b.meldungen.meldungen[0].text, QStringLiteral("Name fehlt! Eingabe abbrechen"));
    EXPECT_EQ(b.meldungen.meldungen[0].art, MeldungsArt::Fehler);
    EXPECT_EQ(f->adressen().state(), store::Table::State::Insert); // No keeps the entry
    b.meldungen.antworten = {Antwort::Ja};
    test::klicken(f->knopf("BitBtnSpeichern"));
    test::ereignisse();
    EXPECT_EQ(f->adressen().state(), store::Table::State::Browse);
    EXPECT_EQ(f->adressen().recordCount(), 4);
    EXPECT_EQ(f->reiter()->currentIndex(), int(Tadressenverwaltung::AZ));
}

TEST(Adressenverwaltung, SearchTabMovesToTheChosenRowOfManyHits) {
    Buch b;
    Tadressenverwaltung* f = b.oeffnen();
    ASSERT_NE(f, nullptr);
    b.imDialog([](TSuchenAdrDlg& d) {
        test::klicken(d.feld("EditName"));
        test::tippen(d.feld("EditName"), QStringLiteral("mei"));
        test::klicken(d.suchenKnopf());
        test::ereignisse();
        ASSERT_TRUE(d.gitter()->isVisible());
        EXPECT_EQ(d.anzahl()->text(), QStringLiteral("2"));
        const QModelIndex zweite = d.gitter()->model()->index(1, 0);
        test::doppelklicken(d.gitter()->viewport(), d.gitter()->visualRect(zweite).center());
        EXPECT_FALSE(d.gitter()->isVisible());
        EXPECT_EQ(d.feld("EditVorname")->text(), QStringLiteral("klein"));
        test::klicken(d.okKnopf());
    });
    b.reiter(f, Tadressenverwaltung::Suche);
    test::ereignisse();
    EXPECT_EQ(b.aktuellerName(f), QStringLiteral("meier|klein"));
    EXPECT_EQ(f->reiter()->currentIndex(), int(Tadressenverwaltung::AZ));
}

TEST(Adressenverwaltung, GroupMailNamesTheAddressesWithoutMailAndEncodesTheOthers) {
    Buch b;
    Tadressenverwaltung* f = b.oeffnen();
    ASSERT_NE(f, nullptr);
    b.imDialog([](TSuchenAdrDlg& d) {
        EXPECT_TRUE(d.alleKnopf()->isVisible());
        test::klicken(d.feld("EditName"));
        test::tippen(d.feld("EditName"), QStringLiteral("%"));
        test::klicken(d.suchenKnopf());
        test::klicken(d.alleKnopf());
        test::klicken(d.okKnopf());
    });
    test::klicken(f->knopf("BitBtnEMailGruppe"));
    test::ereignisse();
    QStringList texte;
    for (const Meldung& m : b.meldungen.meldungen)
        texte << m.text;
    EXPECT_EQ(texte, (QStringList{"Keine eMail hinterlegt bei: Dorn, Ida",
                                  "Keine eMail hinterlegt bei: meier, klein"}));
    ASSERT_EQ(b.geoeffnet.size(), 1);
    EXPECT_TRUE(b.geoeffnet[0].startsWith(QStringLiteral(
        "MAILTO:hans@meier.example;udo%26co@zander.example?subject=%20&body=%0AMit%20freundlichen")))
        << b.geoeffnet[0].toStdString();
    EXPECT_FALSE(f->suche().alleKnopf()->isVisibleTo(&f->suche())); // single selection again
}

TEST(Adressenverwaltung, ListPrintTakesEveryHitOfTheSearch) {
    Buch b;
    Tadressenverwaltung* f = b.oeffnen();
    ASSERT_NE(f, nullptr);
    b.imDialog([](TSuchenAdrDlg& d) {
        test::klicken(d.suchenKnopf());
        test::klicken(d.okKnopf());
    });
    test::klicken(f->knopf("BitBtnListe"));
    test::ereignisse();
    ASSERT_EQ(b.gedruckt.size(), 4);
    EXPECT_EQ(b.gedruckt[0].anzeige(), QStringLiteral("Dorn, Ida"));
}

TEST(StatusAdressen, TheEleventhGroupIsRefused) {
    Buch b;
    ASSERT_TRUE(b.menue(QStringLiteral("MenuFormStatusAdressen")));
    auto* f =
        dynamic_cast<office::TFormStatusAdressen*>(b.haupt->fenster(QStringLiteral("FormStatusAdressen")));
    ASSERT_NE(f, nullptr);
    const int vorher = f->tabelle().recordCount();
    for (int i = vorher; i < 10; ++i) {
        test::klicken(f->hinzufuegenKnopf());
        test::tippen(f->gitter(), QStringLiteral("Gruppe %1").arg(i));
        test::taste(f->gitter(), Qt::Key_Return);
    }
    test::klicken(f->hinzufuegenKnopf());
    EXPECT_EQ(b.meldungen.nummern(), QList<int>{134});
    EXPECT_EQ(f->tabelle().recordCount(), 10);
}

} // namespace
