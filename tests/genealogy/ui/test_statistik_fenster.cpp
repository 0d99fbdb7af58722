// The statistics windows inside a real main window: the register statistics built by double clicks
// and buttons, refused and cancelled evaluations, the print and the spread; the pedigree statistics
// following the register's cat; the top cats and their colour reaching the cat list.

#include "app/ui/katzenliste.h"
#include "app/ui/tvelmora.h"
#include "genealogy/register.h"
#include "genealogy/ui/inzuchtgrad.h"
#include "genealogy/ui/statistikdatei.h"
#include "genealogy/ui/statistikstammbaum.h"
#include "genealogy/ui/topkatzen.h"
#include "register/ui/tcatstamm.h"
#include "store/table.h"
#include "support/ui/hauptfenster.h"

#include <QApplication>
#include <QChartView>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>
#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::genealogy;
using velmora::test::RegisterKatze;

namespace {

// 1 Zorro (Klon) x 2 Amira give 3 Mika (Klon, O'Neil) and 4 Bella (O'Neil); 5 Pia (Foundation) is
// their kitten; 6 Luna has no features.
const QVector<RegisterKatze> kRegister = {
    {1, QStringLiteral("Zorro"), 0, 0, {1}},   {2, QStringLiteral("Amira"), 0, 0, {}},
    {3, QStringLiteral("Mika"), 1, 2, {1, 3}}, {4, QStringLiteral("Bella"), 1, 2, {3}},
    {5, QStringLiteral("Pia"), 3, 4, {2}},     {6, QStringLiteral("Luna"), 5, 0, {}}};

struct Fenster : test::Hauptfenster {
    explicit Fenster(bool mitRegister = false) : test::Hauptfenster(optionen(mitRegister)) {}
    static Optionen optionen(bool mitRegister) {
        Optionen o;
        o.mitRegister = mitRegister;
        o.vorher = [](store::Database& db) {
            test::schreibeKatzen(db.directory(), kRegister);
            store::Table m(db, QStringLiteral("merkmale"));
            m.open();
            m.append();
            m.setValue(QStringLiteral("LaufendeNummer"), 3);
            m.setValue(QStringLiteral("Bezeichnung"), QStringLiteral("O'Neil"));
            m.setValue(QStringLiteral("farbe"), 0x00FF00);
            m.post();
        };
        return o;
    }
    test::Antworten meldungen;
    template <typename T> T* kind(QWidget* w, const char* name) {
        T* k = w->findChild<T*>(QLatin1String(name));
        EXPECT_NE(k, nullptr) << name;
        return k;
    }
    void doppelklickAuf(QListWidget* l, const QString& text) {
        const auto items = l->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << text.toStdString();
        l->scrollToItem(items.first());
        test::doppelklicken(l->viewport(), l->visualItemRect(items.first()).center());
    }
};

QStringList namen(const ErgebnisModell& m) {
    QStringList r;
    for (const Ergebniszeile& z : m.zeilen())
        r << z.name;
    return r;
}

TEST(StatistikDatei, EinfacheUndErweiterteAbfrageUeberDieKnoepfe) {
    Fenster h;
    ASSERT_TRUE(h.menue(QStringLiteral("MenuFormStatistikMerkmaleDatei")));
    auto* f = dynamic_cast<TFormStatistikMerkmaleDatei*>(
        h.haupt->fenster(QStringLiteral("FormStatistikMerkmaleDatei")));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Statistik der Merkmale aller Tiere"));
    EXPECT_FALSE(h.haupt->katzenListe()->isVisible()); // the cat list gives way
    auto* liste = h.kind<QListWidget>(f, "ListBoxMerkmale");
    auto* und = h.kind<QPushButton>(f, "BitBtnUnd");
    auto* nicht = h.kind<QPushButton>(f, "BitBtnNicht");
    auto* auswerten = h.kind<QPushButton>(f, "BitBtnAuswerten");
    auto* zurueck = h.kind<QPushButton>(f, "BitBtnZuruecksetzen");
    h.doppelklickAuf(liste, QStringLiteral("Klon"));
    h.doppelklickAuf(liste, QStringLiteral("O'Neil"));
    EXPECT_EQ(h.kind<QPlainTextEdit>(f, "MemoSQL")->toPlainText(),
              QStringLiteral(" (Merkmal='Klon') or  (Merkmal='O''Neil')"));
    EXPECT_FALSE(und->isEnabled()); // simple mode joins with "or" by itself
    test::klicken(auswerten);
    EXPECT_EQ(namen(f->modell()), (QStringList{"Bella", "Mika", "Mika", "Zorro"}));
    EXPECT_FALSE(auswerten->isEnabled());
    EXPECT_FALSE(liste->isEnabled());
    // the print: the choices above the rows, the spread on a page of its own
    QList<printing::Bericht> drucke;
    f->vorschau = [&](const printing::Bericht& b) { drucke << b; };
    test::klicken(h.kind<QPushButton>(f, "BitBtnDruck"));
    ASSERT_EQ(drucke.size(), 1);
    QStringList texte;
    for (const auto& t : drucke[0].seite(0).texte())
        texte << t.text;
    const QString alles = texte.join(QLatin1Char('|'));
    EXPECT_TRUE(alles.contains(QStringLiteral("Gesuchte Merkmale: Klon oder O'Neil"))) << alles.toStdString();
    EXPECT_TRUE(alles.contains(QStringLiteral("männlich, weiblich, männlich/Kastrat und weiblich/Kastrat")));
    EXPECT_EQ(drucke[0].seitenzahl(), 2);
    // the spread counts each cat once: Mika 0 %, Bella 0 %; Zorro has no parents
    EXPECT_EQ(f->letzteVerteilung().katzen, 2);
    EXPECT_EQ(f->letzteVerteilung().ik.value(0), 2);

    test::klicken(zurueck);
    EXPECT_TRUE(auswerten->isEnabled());
    EXPECT_TRUE(f->modell().zeilen().isEmpty());
    test::klicken(h.kind<QRadioButton>(f, "RadioButtonErweitert"));
    EXPECT_TRUE(nicht->isEnabled());
    test::klicken(nicht);
    h.doppelklickAuf(liste, QStringLiteral("Klon"));
    EXPECT_FALSE(liste->isEnabled());
    test::klicken(und);
    h.doppelklickAuf(liste, QStringLiteral("O'Neil"));
    test::klicken(auswerten);
    EXPECT_EQ(namen(f->modell()), (QStringList{"Bella"}));
    EXPECT_TRUE(h.meldungen.meldungen.isEmpty());

    test::klicken(h.kind<QPushButton>(f, "BitBtnZurueck"));
    test::ereignisse();
    EXPECT_EQ(h.haupt->fenster(QStringLiteral("FormStatistikMerkmaleDatei")), nullptr);
    EXPECT_TRUE(h.haupt->katzenListe()->isVisible());
}

TEST(StatistikDatei, AbgelehnterTextKeinGeschlechtUndAbbruch) {
    Fenster h;
    ASSERT_TRUE(h.menue(QStringLiteral("MenuFormStatistikMerkmaleDatei")));
    auto* f = dynamic_cast<TFormStatistikMerkmaleDatei*>(
        h.haupt->fenster(QStringLiteral("FormStatistikMerkmaleDatei")));
    ASSERT_NE(f, nullptr);
    auto* auswerten = h.kind<QPushButton>(f, "BitBtnAuswerten");
    // a second statement typed into the query text
    test::klicken(h.kind<QRadioButton>(f, "RadioButtonErweitert"));
    test::klicken(h.kind<QPushButton>(f, "BitBtnSQLBearbeiten"));
    auto* sql = h.kind<QPlainTextEdit>(f, "MemoSQL");
    test::tippen(sql, QStringLiteral("1); DELETE FROM catstamm; --"));
    test::klicken(auswerten);
    ASSERT_EQ(h.meldungen.nummern(), QList<int>{280});
    EXPECT_EQ(h.meldungen.meldungen[0].art, MeldungsArt::Fehler);
    EXPECT_TRUE(auswerten->isEnabled()); // the text stays for mending
    {
        store::Table t(*h.db, QStringLiteral("catstamm"));
        t.open(store::Table::OpenMode::ReadOnly);
        EXPECT_EQ(t.recordCount(), 6);
    }
    // no sex chosen
    h.meldungen.meldungen.clear();
    for (const char* n :
         {"CheckBoxMaennlich", "CheckBoxWeiblich", "CheckBoxMaennlichKastrat", "CheckBoxWeiblichKastrat"})
        h.kind<QCheckBox>(f, n)->setChecked(false);
    test::klicken(auswerten);
    EXPECT_EQ(h.meldungen.nummern(), QList<int>{191});
    h.kind<QCheckBox>(f, "CheckBoxWeiblich")->setChecked(true);
    // cancelled from its progress panel: asked, confirmed, reported
    h.meldungen.meldungen.clear();
    h.meldungen.antworten = {Antwort::Ja};
    test::klicken(h.kind<QPushButton>(f, "BitBtnAbfrageLoeschen"));
    bool geklickt = false;
    f->beiFortschritt = [&] {
        if (geklickt) return;
        geklickt = true;
        auto* abbruch = f->findChild<QPushButton*>(QStringLiteral("BitBtnAbbruch"));
        ASSERT_TRUE(abbruch->isVisible());
        abbruch->click();
    };
    test::klicken(auswerten);
    EXPECT_EQ(h.meldungen.nummern(), (QList<int>{176, 177}));
    EXPECT_TRUE(f->modell().zeilen().isEmpty());
    EXPECT_TRUE(auswerten->isEnabled());
    EXPECT_FALSE(f->laeuft());
}

TEST(StatistikStammbaum, FolgtDerRegisterkatzeUndZaehlt) {
    Fenster h;
    ASSERT_TRUE(h.haupt->katzenListe()->zeigeKatze(6));
    ASSERT_TRUE(h.menue(QStringLiteral("MenuFormStatistikMerkmaleStammbaum")));
    auto* f = dynamic_cast<TFormStatistikMerkmaleStammbaum*>(
        h.haupt->fenster(QStringLiteral("FormStatistikMerkmaleStammbaum")));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->katze(), 6);
    auto* auswertung = h.kind<QPushButton>(f, "BitBtnAuswertung");
    test::klicken(auswertung);
    EXPECT_EQ(h.meldungen.nummern(), QList<int>{123}); // no feature chosen
    h.meldungen.meldungen.clear();
    h.haupt->registerKatzeGezeigt(5);
    EXPECT_EQ(f->katze(), 5);
    auto* alle = h.kind<QCheckBox>(f, "CheckBoxAlleMerkmale");
    test::klicken(alle);
    ASSERT_TRUE(alle->isChecked());
    EXPECT_FALSE(h.kind<QListWidget>(f, "ListBoxMerkmale")->isEnabled());
    test::eintragen(h.kind<QLineEdit>(f, "EditGenerationen"), QStringLiteral("2"));
    test::klicken(auswertung);
    EXPECT_EQ(f->ergebnisText(), QStringLiteral("Ausgewertet wurden 6 Vorfahrenplätze.\n"
                                                " » Mika, \n"
                                                "     - Klon - O'Neil - \n"
                                                "  Vorkommen (Anzahl x Generation): 1x1 , \n"
                                                " » Zorro, \n"
                                                "     - Klon - \n"
                                                "  Vorkommen (Anzahl x Generation): 2x2 , \n"
                                                " » Bella, \n"
                                                "     - O'Neil - \n"
                                                "  Vorkommen (Anzahl x Generation): 1x1 , "));
    QList<printing::Bericht> drucke;
    f->vorschau = [&](const printing::Bericht& b) { drucke << b; };
    test::klicken(h.kind<QPushButton>(f, "BitBtnDruck"));
    ASSERT_EQ(drucke.size(), 1);
    QString alles;
    for (const auto& t : drucke[0].seite(0).texte())
        alles += t.text + QLatin1Char('|');
    EXPECT_TRUE(alles.contains(QStringLiteral("Ausgewertet über 2 Generationen"))) << alles.toStdString();
    EXPECT_TRUE(alles.contains(QStringLiteral("Gesucht nach allen Merkmalen")));
    // a generation field without a number
    test::eintragen(h.kind<QLineEdit>(f, "EditGenerationen"), QString());
    test::klicken(auswertung);
    EXPECT_EQ(h.meldungen.nummern(), QList<int>{286});
}

TEST(TopKatzen, NurDieGewaehlteZeileUndDieFarbeErreichtDieKatzenliste) {
    Fenster h;
    ASSERT_TRUE(h.menue(QStringLiteral("MenuFormTopKatzen")));
    auto* f = dynamic_cast<TFormTopKatzen*>(h.haupt->fenster(QStringLiteral("FormTopKatzen")));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Top Katzen"));
    auto* liste = dynamic_cast<app::KatzenListe*>(h.haupt->katzenListe());
    ASSERT_NE(liste, nullptr);
    EXPECT_EQ(liste->zeilenFarbe(6), 0);
    f->katzenwahl = [] { return 6; };
    f->farbwahl = [](int) { return std::optional<int>(0x0000C0); };
    test::klicken(h.kind<QPushButton>(f, "BitBtnKatzeLaden3"));
    EXPECT_EQ(h.kind<QLabel>(f, "LabelName3")->text(), QStringLiteral("Luna"));
    auto* rueck = h.kind<QPushButton>(f, "BitBtnRueckgaengig");
    EXPECT_TRUE(rueck->isEnabled());
    test::klicken(rueck);
    EXPECT_TRUE(h.kind<QLabel>(f, "LabelName3")->text().isEmpty());
    test::klicken(h.kind<QPushButton>(f, "BitBtnKatzeLaden3"));
    test::klicken(h.kind<QPushButton>(f, "BitBtnFarbeLaden3"));
    test::klicken(h.kind<QPushButton>(f, "BitBtnZurueck"));
    test::ereignisse();
    store::Table t(*h.db, QStringLiteral("topkatze"));
    t.open(store::Table::OpenMode::ReadOnly);
    int r = 0;
    for (t.first(); t.hasRecord() && !t.eof(); t.next(), ++r) {
        EXPECT_EQ(t.asInt(QStringLiteral("Katze")), r == 2 ? 6 : 0) << r;
        EXPECT_EQ(t.asInt(QStringLiteral("Farbe")), r == 2 ? 0x0000C0 : 0xFFFFFF) << r;
    }
    EXPECT_EQ(r, 5);
    EXPECT_EQ(liste->zeilenFarbe(6), 0x0000C0);
    // a feature colour wins over the top-cat colour when the settings say so (the default)
    EXPECT_TRUE(h.meldungen.meldungen.isEmpty());
}

TEST(TopKatzen, RegisterFaerbtDenElternteilNeu) {
    Fenster h(true);
    reg::TCatStamm* r = h.katzenregister();
    ASSERT_NE(r, nullptr);
    ASSERT_TRUE(r->zeigeKatze(4)); // Bella, whose dam Amira carries no feature
    auto* mutter = r->findChild<QLabel*>(QStringLiteral("DBMutter"));
    ASSERT_NE(mutter, nullptr);
    EXPECT_FALSE(mutter->styleSheet().contains(QStringLiteral("#c00000")));
    ASSERT_TRUE(h.menue(QStringLiteral("MenuFormTopKatzen")));
    auto* f = dynamic_cast<TFormTopKatzen*>(h.haupt->fenster(QStringLiteral("FormTopKatzen")));
    ASSERT_NE(f, nullptr);
    f->katzenwahl = [] { return 2; };
    f->farbwahl = [](int) { return std::optional<int>(0x0000C0); };
    test::klicken(h.kind<QPushButton>(f, "BitBtnKatzeLaden1"));
    test::klicken(h.kind<QPushButton>(f, "BitBtnFarbeLaden1"));
    EXPECT_TRUE(f->posten());
    EXPECT_TRUE(mutter->styleSheet().contains(QStringLiteral("#c00000")))
        << mutter->styleSheet().toStdString();
}

TEST(TopKatzen, VorfahrenDerInzuchtberechnungNeuGefaerbt) {
    Fenster h;
    ASSERT_TRUE(h.haupt->katzenListe()->zeigeKatze(5));
    ASSERT_TRUE(h.menue(QStringLiteral("MenuFormInzuchtgrad")));
    auto* inzucht = dynamic_cast<TFormInzuchtgrad*>(h.haupt->fenster(QStringLiteral("FormInzuchtgrad")));
    ASSERT_NE(inzucht, nullptr);
    test::klicken(h.kind<QPushButton>(inzucht, "BitBtnBerechnung"));
    QDeadlineTimer frist(10000);
    while (inzucht->laeuft() && !frist.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    test::ereignisse();
    auto* gitter = h.kind<QTableWidget>(inzucht, "GridVorfahren");
    ASSERT_EQ(gitter->rowCount(), 4);
    ASSERT_EQ(gitter->item(0, 0)->text(), QStringLiteral("Amira"));
    EXPECT_EQ(gitter->item(0, 0)->data(Qt::BackgroundRole), QVariant());
    ASSERT_TRUE(h.menue(QStringLiteral("MenuFormTopKatzen")));
    auto* f = dynamic_cast<TFormTopKatzen*>(h.haupt->fenster(QStringLiteral("FormTopKatzen")));
    ASSERT_NE(f, nullptr);
    f->katzenwahl = [] { return 2; };
    f->farbwahl = [](int) { return std::optional<int>(0x0000C0); };
    test::klicken(h.kind<QPushButton>(f, "BitBtnKatzeLaden1"));
    test::klicken(h.kind<QPushButton>(f, "BitBtnFarbeLaden1"));
    EXPECT_TRUE(f->posten());
    EXPECT_EQ(gitter->item(0, 0)->background().color(), QColor(0xC0, 0, 0));
    EXPECT_EQ(gitter->item(3, 0)->background().color(), QColor(0, 0, 255)); // Zorro keeps his feature's
}

} // namespace
