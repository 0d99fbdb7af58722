// The bookkeeping window inside the main window, driven by clicking and typing: the first account made
// on the accounts page, a category with its direction, bookings with the sign rule, a transfer and its
// deletion, the profit-and-loss page with its period dialog, totals, chart and print (read back from the
// PDF), the CSV export, leaving a page with a booking that cannot be stored, and the currency conversion
// with its messages.

#include "office/buchhaltung.h"
#include "office/buchungsdruck.h"
#include "office/ui/buchfuehrung.h"
#include "office/ui/seiteauswertungen.h"
#include "office/ui/seitebuchen.h"
#include "office/ui/seitekonten.h"
#include "office/ui/statistikdlg.h"
#include "office/ui/waehrungsumrechnungdlg.h"
#include "printing/ui/berichtdruck.h"
#include "support/pdftexte.h"
#include "support/ui/hauptfenster.h"

#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace velmora;
using office::TFormBuchfuehrung;
using store::Money;

namespace {

struct Buecher : test::Hauptfenster {
    Buecher() : test::Hauptfenster(optionen()) {}
    static Optionen optionen() {
        Optionen o;
        o.mitRegister = false;
        return o;
    }
    TFormBuchfuehrung* oeffnen() {
        EXPECT_TRUE(menue(QStringLiteral("MenuFormBuchfuehrung")));
        auto* f = dynamic_cast<TFormBuchfuehrung*>(haupt->fenster(QStringLiteral("FormBuchfuehrung")));
        if (f) f->drucken = [this](const printing::Bericht& b) { gedruckt.push_back(b); };
        test::ereignisse();
        return f;
    }
    std::vector<printing::Bericht> gedruckt;
};

void reiter(QTabWidget* t, int i) {
    test::klicken(t->tabBar(), t->tabBar()->tabRect(i).center());
    test::ereignisse();
}

// The row of the grid whose first cell shows the text.
int zeileMit(QTableWidget* g, const QString& text) {
    for (int r = 0; r < g->rowCount(); ++r)
        if (g->item(r, 0) && g->item(r, 0)->text() == text) return r;
    return -1;
}

void doppelklickAufZeile(QTableWidget* g, int zeile) {
    const QRect r = g->visualItemRect(g->item(zeile, 0));
    test::doppelklicken(g->viewport(), r.center());
    test::ereignisse();
}

// Moves a closed drop-down to the entry with the text by its arrow keys, as a user does.
void waehlen(QComboBox* c, const QString& text) {
    test::klicken(c);
    test::ereignisse();
    if (c->view() && c->view()->isVisible()) c->hidePopup();
    const int ziel = c->findText(text);
    ASSERT_GE(ziel, 0) << text.toStdString();
    while (c->currentIndex() < ziel)
        test::taste(c, Qt::Key_Down);
    while (c->currentIndex() > ziel)
        test::taste(c, Qt::Key_Up);
}

void kontoAnlegen(office::TSeiteKonten* k, QPushButton* art, const QString& name, const QString& saldo) {
    test::klicken(k->neuesKontoKnopf);
    ASSERT_TRUE(k->kontoart->isVisible());
    test::klicken(art);
    test::eintragen(k->kontoname, name);
    test::eintragen(k->eroeffnungssaldo, saldo);
    test::klicken(k->kontoSpeichern);
    test::ereignisse();
}

void buchen(office::TSeiteBuchen* s, const QString& datum, const QString& betrag, const QString& kategorie) {
    test::klicken(s->neu);
    test::eintragen(s->datum, datum);
    test::eintragen(s->betrag, betrag);
    waehlen(s->kategorie, kategorie);
    test::klicken(s->speichernKnopf);
    test::ereignisse();
}

TEST(Buchfuehrung, AccountsCategoriesBookingsAndATransferThroughTheWindow) {
    Buecher b;
    test::Antworten antworten;
    auto* knopf = b.haupt->findChild<QAction*>(QStringLiteral("SpeedButtonBuchfuehrung"));
    ASSERT_NE(knopf, nullptr);
    EXPECT_TRUE(knopf->isVisible());
    TFormBuchfuehrung* f = b.oeffnen();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Buchführung"));
    // No account yet: the accounts page with the choice of the kind.
    EXPECT_EQ(f->seiten()->currentIndex(), 2);
    office::TSeiteKonten* k = f->seiteKonten();
    EXPECT_TRUE(k->kontoart->isVisible());
    kontoAnlegen(k, k->artBank, QStringLiteral("Giro"), QStringLiteral("200"));
    kontoAnlegen(k, k->artKasse, QStringLiteral("Kasse"), QStringLiteral("10,50"));
    EXPECT_FALSE(k->bankname->isVisible()); // the cash editor has no bank fields
    office::Buchhaltung& buch = f->buchhaltung();
    ASSERT_EQ(buch.konten().size(), 2);
    const int giro = buch.nachName(QStringLiteral("Giro"))->nummer,
              kasse = buch.nachName(QStringLiteral("Kasse"))->nummer;
    EXPECT_EQ(buch.konto(kasse)->kontostand, Money::fromUnits(105000));

    reiter(k->reiter, 1);
    for (const auto& [name, art] : {std::pair{QStringLiteral("Futter"), office::kAusgabe},
                                    std::pair{QStringLiteral("Kitten"), office::kEinnahme}}) {
        test::klicken(k->kategorieNeu);
        test::eintragen(k->kategorieName, name);
        waehlen(k->einAus, art);
        test::klicken(k->kategorieSpeichern);
        test::ereignisse();
    }
    ASSERT_EQ(buch.kategorien().size(), 2);
    EXPECT_EQ(buch.nachName(QStringLiteral("Futter"))->einAus, office::kAusgabe);

    reiter(f->seiten(), 0);
    office::TSeiteBuchen* s = f->seiteBuchen();
    EXPECT_FALSE(s->neu->isEnabled()); // the account grid first
    doppelklickAufZeile(s->kontenGitter, zeileMit(s->kontenGitter, QStringLiteral("Giro")));
    ASSERT_EQ(s->gewaehltesKonto(), giro);
    EXPECT_FALSE(s->betrag->isEnabled()); // read-only until "Buchung neu"
    buchen(s, QStringLiteral("01.02.2024"), QStringLiteral("50"), QStringLiteral("Futter"));
    buchen(s, QStringLiteral("02.02.2024"), QStringLiteral("-50"), QStringLiteral("Futter")); // a refund
    buchen(s, QStringLiteral("03.02.2024"), QStringLiteral("80"), QStringLiteral("Kitten"));
    buchen(s, QStringLiteral("04.02.2024"), QStringLiteral("100"), QStringLiteral("Kasse"));
    EXPECT_EQ(buch.konto(giro)->kontostand, Money::fromWhole(380));
    EXPECT_EQ(buch.konto(kasse)->kontostand, Money::fromUnits(105000) - Money::fromWhole(100));
    ASSERT_EQ(s->buchungsListe->model()->rowCount(), 4);
    EXPECT_EQ(s->buchungsListe->model()->index(0, 3).data().toString(),
              office::waehrungsText(Money::fromWhole(-50)));
    EXPECT_EQ(s->buchungsListe->currentIndex().row(), 3); // the newest booking

    // Deleting the transfer on this side takes the other side too, after message 28.
    antworten.antworten = {Antwort::Ja};
    test::klicken(s->loeschen);
    test::ereignisse();
    EXPECT_TRUE(antworten.nummern().contains(28));
    EXPECT_EQ(buch.buchungen(kasse).size(), 0);
    EXPECT_EQ(buch.konto(kasse)->kontostand, Money::fromUnits(105000));
    EXPECT_EQ(buch.konto(giro)->kontostand, Money::fromWhole(280));

    // A booking without a category is refused and stays open; leaving the page keeps the page.
    test::klicken(s->neu);
    test::eintragen(s->betrag, QStringLiteral("5"));
    reiter(f->seiten(), 2);
    EXPECT_EQ(f->seiten()->currentIndex(), 0);
    EXPECT_TRUE(antworten.nummern().contains(3100));
    EXPECT_TRUE(s->neueBuchungOffen());
    test::klicken(s->rueckgaengig);
    EXPECT_FALSE(s->neueBuchungOffen());
    EXPECT_EQ(buch.buchungen(giro).size(), 3);
}

// The single view: the navigator steps through the account's bookings, which are shown only; a new one
// is entered there with its balance.
TEST(Buchfuehrung, TheSingleViewStepsThroughBookingsAndStoresANewOne) {
    Buecher b;
    test::Antworten antworten;
    TFormBuchfuehrung* f = b.oeffnen();
    ASSERT_NE(f, nullptr);
    office::Buchhaltung& buch = f->buchhaltung();
    office::Konto k;
    k.name = QStringLiteral("Giro");
    k.eroeffnungssaldo = Money::fromWhole(100);
    const int giro = buch.anlegen(k);
    k.name = QStringLiteral("Kasse");
    k.eroeffnungssaldo = Money();
    const int kasse = buch.anlegen(k);
    for (const auto& [name, art] :
         {std::pair{"Futter", office::kAusgabe}, std::pair{"Kitten", office::kEinnahme}}) {
        office::Konto c;
        c.art = office::kontoart::Kategorie;
        c.name = QString::fromUtf8(name);
        c.einAus = art;
        buch.anlegen(c);
    }
    const QList<int> nr{buch.buchen(giro, QDate(2024, 3, 1), QStringLiteral("Kitten"), Money::fromWhole(50)),
                        buch.buchen(giro, QDate(2024, 3, 2), QStringLiteral("Futter"), Money::fromWhole(-20),
                                    QStringLiteral("Sack")),
                        buch.buchen(giro, QDate(2024, 3, 3), QStringLiteral("Kasse"), Money::fromWhole(-30))};
    f->geaendert();
    reiter(f->seiten(), 0);
    office::TSeiteBuchen* s = f->seiteBuchen();
    doppelklickAufZeile(s->kontenGitter, zeileMit(s->kontenGitter, QStringLiteral("Giro")));
    ASSERT_EQ(s->gewaehltesKonto(), giro);
    EXPECT_EQ(s->ansicht->currentIndex(), 1); // the grid first
    test::klicken(s->ansicht, s->ansicht->tabRect(0).center());
    ASSERT_TRUE(s->betrag->isVisible());
    EXPECT_TRUE(s->nummer->isReadOnly());
    EXPECT_EQ(s->nummer->text(), QString::number(nr[2])); // the newest
    EXPECT_FALSE(s->naechste->isEnabled());

    // Each step: the button, the booking shown, its amount as typed (an expense without its minus).
    const struct {
        QToolButton* knopf;
        int index;
        Money betrag;
    } schritte[] = {{s->erste, 0, Money::fromWhole(50)},
                    {s->naechste, 1, Money::fromWhole(20)},
                    {s->letzte, 2, Money::fromWhole(-30)},
                    {s->vorige, 1, Money::fromWhole(20)}};
    for (const auto& x : schritte) {
        test::klicken(x.knopf);
        EXPECT_EQ(s->nummer->text(), QString::number(nr[x.index]));
        EXPECT_EQ(Money::parse(s->betrag->text()), x.betrag);
        EXPECT_EQ(s->buchungsListe->currentIndex().row(), x.index);
        EXPECT_EQ(s->kategorie->currentText(), buch.buchung(nr[x.index])->kategorie);
    }
    EXPECT_FALSE(s->speichernKnopf->isEnabled());

    // A stored booking is shown only; a new one is entered in the same fields.
    EXPECT_FALSE(s->betrag->isEnabled());
    EXPECT_FALSE(s->kalender->isEnabled());
    test::klicken(s->neu);
    ASSERT_TRUE(s->betrag->isEnabled());
    test::eintragen(s->datum, QStringLiteral("04.03.2024"));
    test::eintragen(s->betrag, QStringLiteral("25"));
    s->kategorie->setCurrentText(QStringLiteral("Futter"));
    test::klicken(s->speichernKnopf);
    EXPECT_EQ(buch.konto(giro)->kontostand, Money::fromWhole(75)); // 100 + 50 - 20 - 30 - 25
    EXPECT_EQ(s->kontostand->text(), office::waehrungsText(Money::fromWhole(75)));
    EXPECT_EQ(buch.konto(kasse)->kontostand, Money::fromWhole(30));
    EXPECT_FALSE(s->betrag->isEnabled());

    // An empty amount is refused and the new booking stays open; "R&ückgängig" drops it.
    test::klicken(s->neu);
    test::eintragen(s->betrag, QString());
    test::klicken(s->speichernKnopf);
    EXPECT_TRUE(antworten.nummern().contains(3100));
    EXPECT_TRUE(s->speichernKnopf->isEnabled());
    test::klicken(s->rueckgaengig);
    EXPECT_FALSE(s->speichernKnopf->isEnabled());
    EXPECT_EQ(buch.buchungen(giro).size(), 4);
    for (int konto : {giro, kasse})
        EXPECT_EQ(buch.konto(konto)->kontostand, buch.sollKontostand(konto));
}

TEST(Buchfuehrung, ProfitAndLossPageWithItsPeriodChartPrintAndExport) {
    Buecher b;
    test::Antworten antworten;
    TFormBuchfuehrung* f = b.oeffnen();
    ASSERT_NE(f, nullptr);
    office::Buchhaltung& buch = f->buchhaltung();
    office::Konto g;
    g.name = QStringLiteral("Giro");
    g.eroeffnungssaldo = Money::fromWhole(1000);
    g.zum = QDate(2024, 1, 1);
    const int giro = buch.anlegen(g);
    for (const auto& [name, art] :
         {std::pair{"Futter", office::kAusgabe}, std::pair{"Kitten", office::kEinnahme}}) {
        office::Konto c;
        c.art = office::kontoart::Kategorie;
        c.name = QString::fromUtf8(name);
        c.einAus = art;
        c.mwst = buch.mwstSatzAnlegen(19);
        buch.anlegen(c);
    }
    buch.buchen(giro, QDate(2024, 1, 15), QStringLiteral("Kitten"), Money::fromUnits(50));
    buch.buchen(giro, QDate(2024, 1, 16), QStringLiteral("Kitten"), Money::fromUnits(50));
    buch.buchen(giro, QDate(2024, 3, 1), QStringLiteral("Futter"), Money::fromWhole(-119));
    buch.buchen(giro, QDate(2024, 5, 1), QStringLiteral("Futter"),
                Money::fromWhole(-1)); // outside the period
    f->geaendert();

    office::TSeiteAuswertungen* a = f->seiteAuswertungen();
    reiter(f->seiten(), 1);
    // Choosing the profit-and-loss tab asks for the period: first a month 13 (refused, the dialog stays),
    // then January to March 2024.
    test::beimNaechstenDialog([](QWidget* d) {
        auto* dlg = qobject_cast<office::TStatistikDlg*>(d);
        ASSERT_NE(dlg, nullptr);
        test::eintragen(dlg->vonMonat, QStringLiteral("1"));
        test::eintragen(dlg->bisMonat, QStringLiteral("13"));
        test::eintragen(dlg->jahr, QStringLiteral("2024"));
        test::klicken(dlg->findChild<QPushButton*>(QStringLiteral("ButtonOK")));
        EXPECT_TRUE(dlg->isVisible());
        test::eintragen(dlg->bisMonat, QStringLiteral("3"));
        test::klicken(dlg->findChild<QPushButton*>(QStringLiteral("ButtonOK")));
    });
    reiter(a->reiter, 2);
    EXPECT_TRUE(antworten.nummern().contains(3101));
    EXPECT_EQ(a->guvZeitraum().bis, QDate(2024, 3, 31));
    EXPECT_EQ(a->einnahmen->rowCount(), 2);
    EXPECT_EQ(a->ausgaben->rowCount(), 1);
    EXPECT_EQ(a->einnahmenGesamt->text(), office::waehrungsText(Money::fromUnits(100))); // 0.01
    EXPECT_EQ(a->ausgabenGesamt->text(), office::waehrungsText(Money::fromWhole(119)));
    EXPECT_EQ(a->saldo->text(), office::waehrungsText(Money::fromUnits(100) - Money::fromWhole(119)));
    // The chart: one pair of bars per month of the period.
    auto* reihe = qobject_cast<QBarSeries*>(a->diagramm->chart()->series().value(0));
    ASSERT_NE(reihe, nullptr);
    ASSERT_EQ(reihe->barSets().size(), 2);
    EXPECT_EQ(reihe->barSets()[0]->count(), 3);
    EXPECT_DOUBLE_EQ(reihe->barSets()[1]->at(2), 119.0);
    // The VAT summary per rate and direction.
    EXPECT_EQ(a->mwst->rowCount(), 2);

    test::klicken(a->drucken);
    ASSERT_EQ(b.gedruckt.size(), 1u);
    const QString pdf = b.daten.file(QStringLiteral("guv.pdf"));
    ASSERT_TRUE(printing::alsPdfSpeichern(b.gedruckt[0], pdf));
    QFile datei(pdf);
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    const QStringList texte = test::PdfTexte(datei.readAll()).seiten().value(0);
    const QString alles = texte.join(QLatin1Char('|'));
    EXPECT_TRUE(alles.contains(QStringLiteral("Gewinn- und Verlustrechnung"))) << alles.toStdString();
    EXPECT_TRUE(alles.contains(QStringLiteral("Einnahmen gesamt")));
    EXPECT_TRUE(alles.contains(office::waehrungsText(Money::fromWhole(119))));
    EXPECT_EQ(b.gedruckt[0].seitenzahl(), 2); // the statement, then the chart

    const QString csv = b.daten.file(QStringLiteral("export.csv"));
    f->dateiWaehlen = [csv](const QString&) { return csv; };
    test::klicken(a->exportKnopf);
    QFile c(csv);
    ASSERT_TRUE(c.open(QIODevice::ReadOnly));
    const QByteArray inhalt = c.readAll();
    EXPECT_TRUE(inhalt.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(inhalt.count("\r\n"), 4); // header and the three bookings of the period

    // One account only: the panel with its balances.
    test::ankreuzen(a->alleKonten);
    test::klicken(a->guvKonten->viewport(), a->guvKonten->visualItemRect(a->guvKonten->item(0)).center());
    test::ereignisse();
    EXPECT_TRUE(a->kontoPanel->text().contains(office::waehrungsText(Money::fromWhole(1000))));

    // The print speaks the running language.
    b.haupt->spracheWechseln(1);
    test::ankreuzen(a->alleKonten);
    test::klicken(a->drucken);
    ASSERT_EQ(b.gedruckt.size(), 2u);
    EXPECT_EQ(b.gedruckt[1].titel(), QStringLiteral("Profit and loss statement"));
}

TEST(Buchfuehrung, TheCurrencyConversionAsksChecksAndWritesItsSettings) {
    Buecher b;
    test::Antworten antworten;
    office::Buchhaltung buch(*b.db);
    office::Konto g;
    g.name = QStringLiteral("Giro");
    g.eroeffnungssaldo = Money::fromWhole(2);
    const int giro = buch.anlegen(g);
    EXPECT_EQ(office::letzteUmrechnungText(b.einstellungen),
              QStringLiteral("Es wurde bisher keine Währungsumrechnung durchgeführt"));

    for (const char* faktor : {"", "0", "0,0", "1.5"})
        EXPECT_FALSE(office::waehrungsumrechnungStarten(b.haupt.get(), *b.db, b.einstellungen,
                                                        QString::fromUtf8(faktor)));
    EXPECT_EQ(antworten.nummern(), QList<int>({88, 88, 88, 88}));

    auto datum = [](const QString& text, const char* knopf) {
        test::beimNaechstenDialog([text, knopf](QWidget* d) {
            test::eintragen(d->findChild<QLineEdit*>(QStringLiteral("EditUmrechnungBis")), text);
            test::klicken(d->findChild<QPushButton*>(QLatin1String(knopf)));
        });
    };
    datum(QStringLiteral("31.02.2001"), "ButtonJa");
    EXPECT_FALSE(
        office::waehrungsumrechnungStarten(b.haupt.get(), *b.db, b.einstellungen, QStringLiteral("2")));
    EXPECT_EQ(antworten.nummern().last(), 114);
    datum(QStringLiteral("31.12.2001"), "ButtonNein");
    EXPECT_FALSE(
        office::waehrungsumrechnungStarten(b.haupt.get(), *b.db, b.einstellungen, QStringLiteral("2")));
    EXPECT_EQ(buch.konto(giro)->eroeffnungssaldo, Money::fromWhole(2));

    datum(QStringLiteral("31.12.2001"), "ButtonJa");
    EXPECT_TRUE(office::waehrungsumrechnungStarten(b.haupt.get(), *b.db, b.einstellungen,
                                                   QStringLiteral("1,95583"), QDate(2002, 1, 1)));
    EXPECT_EQ(antworten.nummern().last(), 89);
    EXPECT_EQ(buch.konto(giro)->eroeffnungssaldo, Money::fromUnits(10226)); // 2 / 1.95583 = 1.02258...
    EXPECT_DOUBLE_EQ(b.einstellungen.faktoram, 1.95583);
    EXPECT_EQ(b.einstellungen.Umrechnungam, QDate(2002, 1, 1));
    QFile ini(b.einstellungen.pfad());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(ini.readAll());
    // The factor in the locale's number format, as the settings file keeps real numbers.
    const QString faktor = QLocale().toString(1.95583, 'g', 15);
    EXPECT_TRUE(text.contains(QStringLiteral("WaehrungsumrechnungFaktor=") + faktor)) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Umrechnung bis=")));
    EXPECT_TRUE(office::letzteUmrechnungText(b.einstellungen).contains(faktor));
}

} // namespace
