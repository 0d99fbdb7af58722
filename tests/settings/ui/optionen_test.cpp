// The options window and the user-data window inside the main window, typed and clicked: every setting
// changed through its control, saved, applied and found in the file; refused values; the reduced forms
// from the litter page and for the matings window; the order editor; the user's own data.

#include "register/ui/seitezuchtbuch.h"
#include "register/ui/tcatstamm.h"
#include "settings/felderwartung.h"
#include "settings/optionen.h"
#include "settings/ui/anwenderdaten.h"
#include "settings/ui/optionen.h"
#include "settings/ui/optionenseite.h"
#include "settings/ui/optseiteallgemeines.h"
#include "settings/ui/optseiteauswahl.h"
#include "settings/ui/optseitedruckstammbaum.h"
#include "settings/ui/optseitestammbaum.h"
#include "settings/ui/optseiteverpaarung.h"
#include "settings/ui/reihenfolgeeditor.h"
#include "store/table.h"
#include "support/ui/hauptfenster.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <gtest/gtest.h>

using namespace velmora;
using settings::OptionenUmfang;
using settings::tsysteminfo;
using settings::ui::TFOptionen;
using settings::ui::TReihenfolgeEditor;
using settings::ui::TWahlgruppe;

namespace {

QByteArray dateiInhalt(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The settings as a new start reads them from the file.
tsysteminfo neuGelesen(const QString& pfad) {
    tsysteminfo s;
    s.load(pfad, QRect(0, 0, 1280, 1024));
    return s;
}

void radioKlicken(QRadioButton* r) {
    QStyleOptionButton opt;
    opt.initFrom(r);
    opt.text = r->text();
    test::klicken(r, r->style()->subElementRect(QStyle::SE_RadioButtonClickRect, &opt, r).center());
}

// The tab of the page that holds the control, clicked.
void seiteZeigen(TFOptionen* f, QWidget* w) {
    for (QWidget* p = w; p; p = p->parentWidget())
        if (const int i = f->seiten()->indexOf(p); i >= 0) {
            test::klicken(f->seiten()->tabBar(), f->seiten()->tabBar()->tabRect(i).center());
            return;
        }
}

// The entry chosen with the arrow keys in the focused list.
void eintragWaehlen(QComboBox* c, int i) {
    c->setFocus();
    for (int n = 0; n < 100 && c->currentIndex() != i; ++n)
        test::taste(c, c->currentIndex() < i ? Qt::Key_Down : Qt::Key_Up);
    EXPECT_EQ(c->currentIndex(), i);
}

void listeKlicken(QListWidget* l, const QString& text) {
    const auto items = l->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << text.toStdString();
    test::klicken(l->viewport(), l->visualItemRect(items.first()).center());
}

// Appends the item through "Hinzufügen", selecting it and "OK".
void hinzufuegen(TReihenfolgeEditor* e, const QString& text) {
    test::klicken(e->hinzufuegenKnopf());
    ASSERT_TRUE(e->auswahl()->isVisible());
    listeKlicken(e->verfuegbar(), text);
    test::klicken(e->okKnopf());
    EXPECT_FALSE(e->auswahl()->isVisible());
}

QStringList texte(const QListWidget* l) {
    QStringList t;
    for (int i = 0; i < l->count(); ++i)
        t << l->item(i)->text();
    return t;
}

struct Optionen : test::Hauptfenster {
    explicit Optionen(const QString& ini = QStringLiteral("[System]\r\nSpeichern=1\r\n"))
        : test::Hauptfenster([&] {
              Hauptfenster::Optionen o;
              o.ini = ini;
              o.vorher = [](store::Database& db) {
                  test::katzeAnlegen(db, QStringLiteral("Mimi"));
                  test::katzeAnlegen(db, QStringLiteral("Tom"), QStringLiteral("1"));
              };
              return o;
          }()) {}
    QString ini() const { return einstellungsDir.file(QStringLiteral("Tessaro.ini")); }
    TFOptionen* oeffnen() {
        EXPECT_TRUE(menue(QStringLiteral("MenuFOptionen")));
        return dynamic_cast<TFOptionen*>(haupt->fenster(QStringLiteral("FOptionen")));
    }
    template <typename T> T* feld(TFOptionen* f, const char* name) {
        auto* w = qobject_cast<T*>(f->steuerelement(QLatin1String(name)));
        EXPECT_NE(w, nullptr) << name;
        if (w) seiteZeigen(f, w);
        return w;
    }
    test::Antworten meldungen;
};

// A picture file in the test's folder.
QString bild(const test::TempDir& dir, const char* name) {
    QImage i(8, 6, QImage::Format_RGB32);
    i.fill(Qt::red);
    const QString pfad = dir.file(QLatin1String(name));
    EXPECT_TRUE(i.save(pfad, "PNG"));
    return pfad;
}

} // namespace

TEST(Optionen, EverySettingChangedThroughItsControlIsAppliedAndWritten) {
    Optionen h;
    test::TempDir bilder;
    const QString logo = bild(bilder, "logo.png");
    const QString papier = bild(bilder, "papier.png");
    TFOptionen* f = h.oeffnen();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->seiten()->count(), 12);

    // Each field: how the user changes it and the value the settings then hold ("" computed below).
    auto ja = [&](const char* feld, int knopf) { radioKlicken(h.feld<TWahlgruppe>(f, feld)->knopf(knopf)); };
    auto zahl = [&](const char* feld, const char* text) {
        test::eintragen(h.feld<QLineEdit>(f, feld), QLatin1String(text));
    };
    auto kreuz = [&](const char* feld) { test::ankreuzen(h.feld<QCheckBox>(f, feld)); };
    auto liste = [&](const char* feld) {
        auto* c = h.feld<QComboBox>(f, feld);
        eintragWaehlen(c, 1);
        return c;
    };
    QString rasse, farbe, haarart;
    const struct {
        const char* feld;
        std::function<void()> tun;
        std::function<QString()> erwartet;
    } aenderungen[] = {
        {"Status",
         [&] {
             QGroupBox* g = h.feld<QGroupBox>(f, "Status");
             auto* s = f->seite<settings::ui::TOptSeiteAuswahl>();
             test::ankreuzen(s->alle());
             test::ankreuzen(s->statusBox(1));
             test::ankreuzen(s->statusBox(3));
             EXPECT_TRUE(g->isEnabled());
         },
         [] { return QStringLiteral("13"); }},
        {"index", [&] { ja("index", 1); }, [] { return QStringLiteral("RufnaIdx"); }},
        {"indexStammdaten", [&] { ja("indexStammdaten", 3); }, [] { return QStringLiteral("RasseName"); }},
        {"RasseStandardeinstellung",
         [&] { rasse = liste("RasseStandardeinstellung")->itemData(1).toString(); }, [&] { return rasse; }},
        {"FarbeStandardeinstellung", [&] { farbe = liste("FarbeStandardeinstellung")->itemText(1); },
         [&] { return farbe; }},
        {"HaarartStandardeinstellung",
         [&] { haarart = liste("HaarartStandardeinstellung")->itemData(1).toString(); },
         [&] { return haarart; }},
        {"ZusatzBeiZwinger", [&] { ja("ZusatzBeiZwinger", 0); }, [] { return QStringLiteral("1"); }},
        {"SuchebeiNeuaufnahme", [&] { ja("SuchebeiNeuaufnahme", 1); }, [] { return QStringLiteral("0"); }},
        {"SuchebeiNeuaufnahmeAdresse", [&] { ja("SuchebeiNeuaufnahmeAdresse", 1); },
         [] { return QStringLiteral("0"); }},
        {"BildAnpassen", [&] { ja("BildAnpassen", 1); }, [] { return QStringLiteral("0"); }},
        {"stammbaumAnzeige",
         [&] {
             hinzufuegen(h.feld<TReihenfolgeEditor>(f, "stammbaumAnzeige"), QStringLiteral("Augenfarbe"));
         },
         [] { return QStringLiteral("TitelFarbeAugenfarbe"); }},
        {"stammbaumDrucken",
         [&] {
             auto* e = h.feld<TReihenfolgeEditor>(f, "stammbaumDrucken");
             test::klicken(e->reiter(), e->reiter()->tabRect(1).center());
             listeKlicken(e->gewaehlt(), QStringLiteral("Titel"));
             test::klicken(e->entfernenKnopf());
         },
         [] { return QStringLiteral("Farbe"); }},
        {"stammbaumBesitzer", [&] { ja("stammbaumBesitzer", 1); }, [] { return QStringLiteral("0"); }},
        {"TageNaechsteRolligkeit", [&] { zahl("TageNaechsteRolligkeit", "170"); },
         [] { return QStringLiteral("170"); }},
        {"TageNRplusMinus", [&] { zahl("TageNRplusMinus", "20"); }, [] { return QStringLiteral("20"); }},
        {"TageTraechtigkeit", [&] { zahl("TageTraechtigkeit", "63"); }, [] { return QStringLiteral("63"); }},
        {"TagebisAbgabetermin", [&] { zahl("TagebisAbgabetermin", "84"); },
         [] { return QStringLiteral("84"); }},
        {"verpaarungAnzeige",
         [&] { hinzufuegen(h.feld<TReihenfolgeEditor>(f, "verpaarungAnzeige"), QStringLiteral("Fellart")); },
         [] { return QStringLiteral("TitelFarbeFellart"); }},
        {"Inzuchtgenerationen", [&] { zahl("Inzuchtgenerationen", "8"); },
         [] { return QStringLiteral("8"); }},
        {"InzuchtStdgenerationen", [&] { zahl("InzuchtStdgenerationen", "7"); },
         [] { return QStringLiteral("7"); }},
        {"InzuchtBerechnungAuto", [&] { ja("InzuchtBerechnungAuto", 1); },
         [] { return QStringLiteral("0"); }},
        {"InzuchtFenster", [&] { liste("InzuchtFenster"); }, [] { return QStringLiteral("1"); }},
        {"InzuchtmitVorfahren", [&] { ja("InzuchtmitVorfahren", 1); }, [] { return QStringLiteral("0"); }},
        {"StammbaumGeneration", [&] { zahl("StammbaumGeneration", "6"); },
         [] { return QStringLiteral("6"); }},
        {"StammbaumlangBild", [&] { ja("StammbaumlangBild", 1); }, [] { return QStringLiteral("0"); }},
        {"StammbaumBild", [&] { ja("StammbaumBild", 1); }, [] { return QStringLiteral("0"); }},
        {"StammbaumGenBild", [&] { ja("StammbaumGenBild", 1); }, [] { return QStringLiteral("0"); }},
        {"Stammbaumlogo",
         [&] {
             auto* s = f->seite<settings::ui::TOptSeiteDruckStammbaum>();
             s->dateiWaehlen = [&](const QString&) { return logo; };
             seiteZeigen(f, s);
             test::klicken(s->findChild<QPushButton*>(QStringLiteral("BitBtnBildLadenLogo")));
             EXPECT_TRUE(s->logoVorschau()->isVisible());
         },
         [&] { return logo; }},
        {"StammbaumLogoBildhorizontal", [&] { zahl("StammbaumLogoBildhorizontal", "251"); },
         [] { return QStringLiteral("251"); }},
        {"StammbaumLogoBildvertikal", [&] { zahl("StammbaumLogoBildvertikal", "252"); },
         [] { return QStringLiteral("252"); }},
        {"StammbaumHintergrundbild",
         [&] {
             auto* s = f->seite<settings::ui::TOptSeiteDruckStammbaum>();
             s->dateiWaehlen = [&](const QString&) { return papier; };
             test::klicken(s->findChild<QPushButton*>(QStringLiteral("BitBtnBildLadenHintergrund")));
         },
         [&] { return papier; }},
        {"StammbaumLinkerRand", [&] { zahl("StammbaumLinkerRand", "11"); },
         [] { return QStringLiteral("11"); }},
        {"StammbaumRechterRand", [&] { zahl("StammbaumRechterRand", "126"); },
         [] { return QStringLiteral("126"); }},
        {"StammbaumObererRand", [&] { zahl("StammbaumObererRand", "1"); },
         [] { return QStringLiteral("1"); }},
        {"StammbaumUntererRand", [&] { zahl("StammbaumUntererRand", "41"); },
         [] { return QStringLiteral("41"); }},
        {"StammbaumBildhorizontal", [&] { zahl("StammbaumBildhorizontal", "253"); },
         [] { return QStringLiteral("253"); }},
        {"StammbaumBildvertikal", [&] { zahl("StammbaumBildvertikal", "254"); },
         [] { return QStringLiteral("254"); }},
        {"StammbaumGenBildhorizontal", [&] { zahl("StammbaumGenBildhorizontal", "201"); },
         [] { return QStringLiteral("201"); }},
        {"StammbaumGenBildvertikal", [&] { zahl("StammbaumGenBildvertikal", "202"); },
         [] { return QStringLiteral("202"); }},
        {"TitelRot", [&] { kreuz("TitelRot"); }, [] { return QStringLiteral("0"); }},
        {"StbDoppelteFarbig", [&] { kreuz("StbDoppelteFarbig"); }, [] { return QStringLiteral("0"); }},
        {"BildAufloesung", [&] { zahl("BildAufloesung", "20"); }, [] { return QStringLiteral("20"); }},
        {"Druckoben", [&] { zahl("Druckoben", "7.5"); }, [] { return QStringLiteral("7.5"); }},
        {"Drucklinks", [&] { zahl("Drucklinks", "12.25"); }, [] { return QStringLiteral("12.25"); }},
        {"speichern", [&] { ja("speichern", 1); }, [] { return QStringLiteral("0"); }},
        {"hilfe", [&] { ja("hilfe", 1); }, [] { return QStringLiteral("0"); }},
        {"Fenstergroesse", [&] { ja("Fenstergroesse", 1); }, [] { return QStringLiteral("0"); }},
        {"Aufloesung", [&] { eintragWaehlen(h.feld<QComboBox>(f, "Aufloesung"), 2); },
         [] { return QStringLiteral("640x480"); }},
        {"Textverarbeitung",
         [&] {
             auto* s = f->seite<settings::ui::TOptSeiteAllgemeines>();
             s->dateiWaehlen = [](const QString&) { return QStringLiteral("/usr/bin/abiword"); };
             seiteZeigen(f, s);
             test::klicken(s->suchen());
         },
         [] { return QStringLiteral("/usr/bin/abiword"); }},
        {"WarnungVerfallsdatum", [&] { kreuz("WarnungVerfallsdatum"); }, [] { return QStringLiteral("0"); }},
        {"WarnungTermine", [&] { kreuz("WarnungTermine"); }, [] { return QStringLiteral("0"); }},
        {"WarnungImpfung", [&] { kreuz("WarnungImpfung"); }, [] { return QStringLiteral("0"); }},
        {"WarnungWurmkur", [&] { kreuz("WarnungWurmkur"); }, [] { return QStringLiteral("0"); }},
        {"MerkmalvorTop", [&] { ja("MerkmalvorTop", 1); }, [] { return QStringLiteral("0"); }},
        {"StatistikGenerationen", [&] { zahl("StatistikGenerationen", "30"); },
         [] { return QStringLiteral("30"); }},
        // Last: it switches off the list's controls above.
        {"Anzeigen", [&] { ja("Anzeigen", 1); }, [] { return QStringLiteral("0"); }},
    };

    // Every field the window takes over has its control and its row here.
    QStringList getestet;
    for (const auto& a : aenderungen)
        getestet << QLatin1String(a.feld);
    for (const QString& feld : settings::optionenUebernahmefelder(OptionenUmfang::Alle)) {
        EXPECT_NE(f->steuerelement(feld), nullptr) << feld.toStdString();
        EXPECT_TRUE(getestet.contains(feld)) << feld.toStdString();
    }

    const tsysteminfo vorher = h.einstellungen;
    for (const auto& a : aenderungen) {
        SCOPED_TRACE(a.feld);
        a.tun();
    }
    EXPECT_TRUE(h.meldungen.meldungen.isEmpty());
    test::klicken(f->speichernKnopf());
    EXPECT_TRUE(h.meldungen.meldungen.isEmpty());
    EXPECT_EQ(h.haupt->fenster(QStringLiteral("FOptionen")), nullptr);

    const tsysteminfo datei = neuGelesen(h.ini());
    for (const auto& a : aenderungen) {
        SCOPED_TRACE(a.feld);
        const QString name = QLatin1String(a.feld);
        const QString erwartet = a.erwartet();
        EXPECT_NE(settings::feldText(vorher, name), erwartet);
        EXPECT_EQ(settings::feldText(h.einstellungen, name), erwartet);
        EXPECT_EQ(settings::feldText(datei, name), erwartet);
    }
    // Applied to the running program: the derived orders, the list, the quick help, the register's order.
    EXPECT_EQ(h.einstellungen.stammbaumAnzeigeArray[2], 3);
    EXPECT_EQ(h.einstellungen.StammbaumDruckenArray[0], 2);
    EXPECT_EQ(h.einstellungen.verpaarungAnzeigeArray[2], 23);
    EXPECT_FALSE(h.haupt->katzenListe()->isVisible());
    EXPECT_FALSE(h.haupt->schnellhilfe());
    EXPECT_EQ(h.katzenregister()->katzen().indexName().toLower(), QStringLiteral("rassename"));
    // Written along with them, as they were: the printer font and the title choice.
    for (const char* k : {"Schriftart=Arial", "Schriftgroese=18", "Titel=1"})
        EXPECT_TRUE(dateiInhalt(h.ini()).contains(k)) << k;
}

TEST(Optionen, ARefusedValueIsNamedAndNothingIsTakenOverOrWritten) {
    const struct {
        const char* feld;
        const char* text;
        const char* name; // in the message
    } faelle[] = {{"TageTraechtigkeit", "abc", "Berechnung Geburtstermin - Decktermin"},
                  {"TageNRplusMinus", "300", "+/-"},
                  {"Druckoben", "-1", "Oberer Rand"},
                  {"StammbaumBildhorizontal", "0", "Breite"},
                  {"StatistikGenerationen", "viele", "Anzahl Generationen"},
                  {"Inzuchtgenerationen", "300", "in der Inzucht"}};
    Optionen h;
    const QByteArray datei = dateiInhalt(h.ini());
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.feld);
        TFOptionen* f = h.oeffnen();
        ASSERT_NE(f, nullptr);
        // A valid change beside it is not taken over either.
        test::eintragen(h.feld<QLineEdit>(f, "TagebisAbgabetermin"), QStringLiteral("90"));
        auto* e = h.feld<QLineEdit>(f, fall.feld);
        const QString vorher = settings::feldText(h.einstellungen, QLatin1String(fall.feld));
        test::eintragen(e, QLatin1String(fall.text));
        h.meldungen.meldungen.clear();
        test::klicken(f->speichernKnopf());
        ASSERT_EQ(h.meldungen.nummern(), QList<int>{3600});
        const QString text = h.meldungen.meldungen[0].text;
        EXPECT_TRUE(text.contains(QLatin1String(fall.name))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("\"") + QLatin1String(fall.text) + QStringLiteral("\"")))
            << text.toStdString();
        // The window stays on the field's page with the field in focus.
        ASSERT_EQ(h.haupt->fenster(QStringLiteral("FOptionen")), f);
        EXPECT_TRUE(f->seiten()->currentWidget()->isAncestorOf(e));
        EXPECT_EQ(QApplication::focusWidget(), e);
        EXPECT_EQ(settings::feldText(h.einstellungen, QLatin1String(fall.feld)), vorher);
        EXPECT_EQ(h.einstellungen.TagebisAbgabetermin, 60);
        EXPECT_EQ(dateiInhalt(h.ini()), datei);
        test::klicken(f->zurueckKnopf());
    }
}

TEST(Optionen, ZurueckDropsTheEdits) {
    Optionen h;
    const QByteArray datei = dateiInhalt(h.ini());
    TFOptionen* f = h.oeffnen();
    ASSERT_NE(f, nullptr);
    test::eintragen(h.feld<QLineEdit>(f, "TageTraechtigkeit"), QStringLiteral("70"));
    radioKlicken(h.feld<TWahlgruppe>(f, "Anzeigen")->knopf(1));
    test::klicken(f->zurueckKnopf());
    EXPECT_EQ(h.haupt->fenster(QStringLiteral("FOptionen")), nullptr);
    EXPECT_EQ(h.einstellungen.TageTraechtigkeit, 65);
    EXPECT_TRUE(h.einstellungen.Anzeigen);
    EXPECT_EQ(dateiInhalt(h.ini()), datei);
}

TEST(Optionen, StartConvertsTheBooksAndShowsTheLastConversion) {
    Optionen h;
    test::Antworten antworten;
    TFOptionen* f = h.oeffnen();
    ASSERT_NE(f, nullptr);
    auto* a = f->seite<settings::ui::TOptSeiteAllgemeines>();
    seiteZeigen(f, a->faktor());
    EXPECT_EQ(a->letzteUmrechnung()->text(),
              QStringLiteral("Es wurde bisher keine Währungsumrechnung durchgeführt"));
    test::eintragen(a->faktor(), QString());
    test::klicken(a->startKnopf());
    EXPECT_EQ(antworten.nummern(), QList<int>{88});
    test::eintragen(a->faktor(), QStringLiteral("2"));
    test::beimNaechstenDialog([](QWidget* d) {
        test::eintragen(d->findChild<QLineEdit*>(QStringLiteral("EditUmrechnungBis")),
                        QStringLiteral("31.12.2001"));
        test::klicken(d->findChild<QPushButton*>(QStringLiteral("ButtonJa")));
    });
    test::klicken(a->startKnopf());
    EXPECT_EQ(antworten.nummern().last(), 89);
    EXPECT_DOUBLE_EQ(h.einstellungen.faktoram, 2.0);
    EXPECT_TRUE(a->letzteUmrechnung()->text().endsWith(QStringLiteral("mit dem Faktor 2")))
        << a->letzteUmrechnung()->text().toStdString();
    EXPECT_DOUBLE_EQ(neuGelesen(h.ini()).faktoram, 2.0);
}

TEST(Optionen, FieldChecksWhenLeavingTheGenerationFields) {
    Optionen h;
    TFOptionen* f = h.oeffnen();
    ASSERT_NE(f, nullptr);
    // Print generations: outside 3 to 6 is named and the setting comes back ("55" too: it is a number).
    auto* druck = h.feld<QLineEdit>(f, "StammbaumGeneration");
    for (const char* t : {"12", "55", "2"}) {
        SCOPED_TRACE(t);
        h.meldungen.meldungen.clear();
        test::eintragen(druck, QLatin1String(t));
        ASSERT_EQ(h.meldungen.nummern(), QList<int>{3606});
        EXPECT_TRUE(
            h.meldungen.meldungen[0].text.startsWith(QStringLiteral("Generation muß zwischen 3 - 6 liegen")));
        EXPECT_EQ(druck->text(), QStringLiteral("4"));
    }
    h.meldungen.meldungen.clear();
    test::eintragen(druck, QStringLiteral("5"));
    EXPECT_TRUE(h.meldungen.meldungen.isEmpty());
    EXPECT_EQ(druck->text(), QStringLiteral("5"));
    // Inbreeding generations: raised to three, the register's kept to ten.
    const struct {
        const char* feld;
        const char* text;
        const char* wird;
    } faelle[] = {{"Inzuchtgenerationen", "2", "3"},      {"Inzuchtgenerationen", "x", "3"},
                  {"Inzuchtgenerationen", "12", "12"},    {"InzuchtStdgenerationen", "1", "3"},
                  {"InzuchtStdgenerationen", "12", "10"}, {"InzuchtStdgenerationen", "", "3"}};
    for (const auto& fall : faelle) {
        SCOPED_TRACE(std::string(fall.feld) + "=" + fall.text);
        auto* e = h.feld<QLineEdit>(f, fall.feld);
        test::eintragen(e, QLatin1String(fall.text));
        EXPECT_EQ(e->text(), QLatin1String(fall.wird));
    }
}

TEST(Optionen, StatusAllClearsTheBoxesAndNoStatusAtAllIsRefused) {
    Optionen h(QStringLiteral("[Auswahlfenster]\r\nStatus=24\r\n"));
    TFOptionen* f = h.oeffnen();
    ASSERT_NE(f, nullptr);
    auto* s = f->seite<settings::ui::TOptSeiteAuswahl>();
    seiteZeigen(f, s);
    EXPECT_TRUE(s->statusBox(2)->isChecked());
    EXPECT_TRUE(s->statusBox(4)->isChecked());
    EXPECT_EQ(s->statusBox(1)->text(), QStringLiteral("eigene Katze"));
    test::ankreuzen(s->alle());
    for (int n = 1; n <= 9; ++n) {
        EXPECT_FALSE(s->statusBox(n)->isChecked()) << n;
        EXPECT_FALSE(s->statusBox(n)->isEnabled()) << n;
    }
    test::ankreuzen(s->alle());
    test::klicken(f->speichernKnopf());
    EXPECT_EQ(h.meldungen.nummern(), QList<int>{3600});
    EXPECT_EQ(h.einstellungen.Status, QStringLiteral("24"));
    test::ankreuzen(s->alle());
    h.meldungen.meldungen.clear();
    test::klicken(f->speichernKnopf());
    EXPECT_TRUE(h.meldungen.meldungen.isEmpty());
    EXPECT_EQ(h.einstellungen.Status, QStringLiteral("alle"));
    EXPECT_EQ(neuGelesen(h.ini()).Status, QStringLiteral("alle"));
}

TEST(Optionen, OrderEditorTabsRassecodeAloneAndAnEmptyOrder) {
    Optionen h(QStringLiteral("[Stammbaum]\r\nAnzeige=FarbeTitel\r\nDruck=Titel,Augenfarbe\r\n"));
    TFOptionen* f = h.oeffnen();
    ASSERT_NE(f, nullptr);
    auto* e = h.feld<TReihenfolgeEditor>(f, "stammbaumAnzeige");
    EXPECT_EQ(texte(e->gewaehlt()), (QStringList{"Farbe", "Titel"}));
    EXPECT_FALSE(texte(e->verfuegbar()).contains(QStringLiteral("Farbe")));
    // Everything removed: "Rassecode" alone, which brings the breed along.
    e->gewaehlt()->selectAll();
    test::klicken(e->entfernenKnopf());
    EXPECT_EQ(e->gewaehlt()->count(), 0);
    hinzufuegen(e, QStringLiteral("Rassecode"));
    // The other tab keeps its own order, and this one is kept while it is away.
    test::klicken(e->reiter(), e->reiter()->tabRect(1).center());
    EXPECT_EQ(texte(e->gewaehlt()), (QStringList{"Titel", "Augenfarbe"}));
    e->gewaehlt()->selectAll();
    test::klicken(e->entfernenKnopf());
    test::klicken(e->reiter(), e->reiter()->tabRect(0).center());
    EXPECT_EQ(texte(e->gewaehlt()), QStringList{"Rassecode"});
    test::klicken(f->speichernKnopf());
    EXPECT_EQ(h.einstellungen.stammbaumAnzeige, QStringLiteral("Rassecode"));
    EXPECT_EQ(h.einstellungen.stammbaumAnzeigeArray[0], 11);
    EXPECT_EQ(h.einstellungen.stammbaumAnzeigeArray[1], 12);
    EXPECT_EQ(h.einstellungen.stammbaumDrucken, QString());
    EXPECT_EQ(h.einstellungen.StammbaumDruckenArray[0], 0);
    EXPECT_TRUE(dateiInhalt(h.ini()).contains("Druck=\r\n"));

    // In English the items carry their names.
    h.haupt->spracheWechseln(1);
    f = h.oeffnen();
    ASSERT_NE(f, nullptr);
    auto* v = f->seite<settings::ui::TOptSeiteVerpaarung>()->editor();
    seiteZeigen(f, v);
    EXPECT_EQ(texte(v->gewaehlt()), (QStringList{"Titel", "Color"}));
    EXPECT_FALSE(texte(v->verfuegbar()).contains(QStringLiteral("Breed-/Colorcode")));
    EXPECT_TRUE(texte(v->verfuegbar()).contains(QStringLiteral("Gekauft")));
    hinzufuegen(v, QStringLiteral("Type of coat"));
    test::klicken(f->speichernKnopf());
    EXPECT_EQ(h.einstellungen.verpaarungAnzeige, QStringLiteral("TitelFarbeFellart"));
}

TEST(Optionen, ReducedFormFromTheLitterPageTakesTheDaysOnly) {
    Optionen h(QStringLiteral("[Auswahlfenster]\r\nStatus=13\r\n[Stammbaum]\r\nAnzeige=FarbeTitel\r\n"));
    reg::TCatStamm* r = h.katzenregister();
    ASSERT_NE(r, nullptr);
    auto* zb = r->seite<reg::TSeiteZuchtbuch>();
    test::klicken(r->seiten()->tabBar(), r->seiten()->tabBar()->tabRect(r->seiten()->indexOf(zb)).center());
    ASSERT_TRUE(zb->wurfbuchGezeigt());
    auto* heat = zb->findChild<QWidget*>(QStringLiteral("TabSheetLaeufigkeit"));
    test::klicken(zb->reiter()->tabBar(),
                  zb->reiter()->tabBar()->tabRect(zb->reiter()->indexOf(heat)).center());
    const QDate deck = QDate::fromString(zb->deckterminFeld()->text(), QStringLiteral("dd.MM.yyyy"));
    ASSERT_TRUE(deck.isValid());
    EXPECT_EQ(zb->statistikText("Wurftermin"), deck.addDays(65).toString(QStringLiteral("dd.MM.yyyy")));

    test::klicken(zb->findChild<QPushButton*>(QStringLiteral("BitBtnSystemparameter")));
    auto* f = dynamic_cast<TFOptionen*>(h.haupt->fenster(QLatin1String(settings::ui::kOptionenWurfbuch)));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->seiten()->count(), 1);
    EXPECT_EQ(f->steuerelement(QStringLiteral("Status")), nullptr);
    test::eintragen(h.feld<QLineEdit>(f, "TageTraechtigkeit"), QStringLiteral("60"));
    test::eintragen(h.feld<QLineEdit>(f, "TageNRplusMinus"), QStringLiteral("10"));
    test::klicken(f->speichernKnopf());
    test::ereignisse();
    EXPECT_EQ(h.einstellungen.TageTraechtigkeit, 60);
    const QString text = QString::fromLatin1(dateiInhalt(h.ini()));
    for (const char* k : {"BerechnungGebtermin=60", "BerechnungPlusMinus=10", "BerechnungRolligkeit=165",
                          "BerechnungAbgabetermin=60", "[Inzucht]", "Generationen=5", "[Verpaarung]",
                          "Status=13", "Anzeige=FarbeTitel"})
        EXPECT_TRUE(text.contains(QLatin1String(k))) << k;
    // Keys of other pages are not written by this form.
    for (const char* k : {"[Drucken]", "[Warnung]", "Sortierung", "Aufloesung"})
        EXPECT_FALSE(text.contains(QLatin1String(k))) << k;
    // The litter page counts with the new days.
    EXPECT_EQ(zb->statistikText("Wurftermin"), deck.addDays(60).toString(QStringLiteral("dd.MM.yyyy")));
}

TEST(Optionen, ReducedFormForTheMatingsWindowTakesTheMatingOrderOnly) {
    Optionen h(
        QStringLiteral("[Stammbaum]\r\nAnzeige=FarbeTitel\r\n[Wurfbuch]\r\nBerechnungPlusMinus=9\r\n"));
    TKindFenster* k = settings::ui::systemparameterZeigen(*h.haupt, OptionenUmfang::Verpaarung);
    auto* f = dynamic_cast<TFOptionen*>(k);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->seiten()->count(), 1);
    EXPECT_EQ(f->gebundeneFelder(), QStringList{QStringLiteral("verpaarungAnzeige")});
    // Asked for again, the open one comes forward.
    EXPECT_EQ(settings::ui::systemparameterZeigen(*h.haupt, OptionenUmfang::Verpaarung), k);
    hinzufuegen(h.feld<TReihenfolgeEditor>(f, "verpaarungAnzeige"), QStringLiteral("Gekauft"));
    test::klicken(f->speichernKnopf());
    EXPECT_EQ(h.einstellungen.verpaarungAnzeige, QStringLiteral("TitelFarbeGekauft"));
    EXPECT_EQ(h.einstellungen.verpaarungAnzeigeArray[2], 19);
    const QString text = QString::fromLatin1(dateiInhalt(h.ini()));
    for (const char* k2 :
         {"Anzeige=TitelFarbeGekauft", "BerechnungPlusMinus=9", "[Inzucht]", "Anzeige=FarbeTitel"})
        EXPECT_TRUE(text.contains(QLatin1String(k2))) << k2;
    EXPECT_FALSE(text.contains(QLatin1String("BerechnungGebtermin")));
}

TEST(Optionen, RefusedWhileAParentIsEnteredFromThePedigree) {
    Optionen h;
    h.haupt->NeuausStb = true;
    EXPECT_TRUE(h.menue(QStringLiteral("MenuFOptionen")));
    EXPECT_TRUE(h.menue(QStringLiteral("MenuAnwenderdaten")));
    EXPECT_EQ(h.haupt->fenster(QStringLiteral("FOptionen")), nullptr);
    EXPECT_EQ(h.haupt->fenster(QStringLiteral("Anwenderdaten")), nullptr);
    EXPECT_EQ(h.meldungen.nummern(), (QList<int>{223, 223}));
    h.haupt->NeuausStb = false;
}

TEST(Anwenderdaten, OwnAddressClubAndDefaultsOfNewCats) {
    Optionen h;
    EXPECT_TRUE(h.menue(QStringLiteral("MenuAnwenderdaten")));
    auto* a = dynamic_cast<settings::ui::TAnwenderdaten*>(h.haupt->fenster(QStringLiteral("Anwenderdaten")));
    ASSERT_NE(a, nullptr);
    // Something of the address without its name is refused.
    test::eintragen(a->feld(QStringLiteral("eigen"), QStringLiteral("Vorname")), QStringLiteral("Anna"));
    test::klicken(a->okKnopf());
    EXPECT_EQ(h.meldungen.nummern(), QList<int>{3607});
    EXPECT_EQ(QApplication::focusWidget(), a->feld(QStringLiteral("eigen"), QStringLiteral("Name")));
    ASSERT_NE(h.haupt->fenster(QStringLiteral("Anwenderdaten")), nullptr);
    {
        store::Table eigen(*h.db, QStringLiteral("eigen"));
        eigen.open(store::Table::OpenMode::ReadOnly);
        EXPECT_EQ(eigen.recordCount(), 0);
    }
    test::eintragen(a->feld(QStringLiteral("eigen"), QStringLiteral("Name")), QStringLiteral("Berger"));
    test::eintragen(a->feld(QStringLiteral("eigen"), QStringLiteral("Ort")), QString::fromUtf8("Görlitz"));
    test::eintragen(a->feld(QStringLiteral("zusatz"), QStringLiteral("Verein")), QStringLiteral("Felis"));
    eintragWaehlen(a->rasse(), 2);
    eintragWaehlen(a->farbe(), 3);
    const int rasse = a->rasse()->currentData().toInt();
    const QString farbe = a->farbe()->currentText();
    ASSERT_NE(rasse, 0);
    h.meldungen.meldungen.clear();
    test::klicken(a->okKnopf());
    EXPECT_TRUE(h.meldungen.meldungen.isEmpty());
    EXPECT_EQ(h.haupt->fenster(QStringLiteral("Anwenderdaten")), nullptr);

    store::Table eigen(*h.db, QStringLiteral("eigen"));
    eigen.open(store::Table::OpenMode::ReadOnly);
    ASSERT_EQ(eigen.recordCount(), 1);
    eigen.first();
    EXPECT_EQ(eigen.asString(QStringLiteral("Name")), QStringLiteral("Berger"));
    EXPECT_EQ(eigen.asString(QStringLiteral("Ort")), QString::fromUtf8("Görlitz"));
    store::Table zusatz(*h.db, QStringLiteral("zusatz"));
    zusatz.open(store::Table::OpenMode::ReadOnly);
    zusatz.first();
    EXPECT_EQ(zusatz.asString(QStringLiteral("Verein")), QStringLiteral("Felis"));
    EXPECT_TRUE(h.haupt->windowTitle().contains(QStringLiteral("Anna Berger")));
    const tsysteminfo datei = neuGelesen(h.ini());
    EXPECT_EQ(datei.RasseStandardeinstellung, rasse);
    EXPECT_EQ(datei.FarbeStandardeinstellung, farbe);

    // A new cat gets the breed and colour.
    ASSERT_TRUE(h.menue(QStringLiteral("MenuNeuaufnahme")));
    store::Table& k = h.katzenregister()->katzen();
    EXPECT_EQ(k.state(), store::Table::State::Insert);
    EXPECT_EQ(k.asInt(QStringLiteral("Rasse")), rasse);
    EXPECT_EQ(k.asString(QStringLiteral("FellFarbe")), farbe);

    // Opened again it shows what was stored; the Delete key empties the colour.
    EXPECT_TRUE(h.menue(QStringLiteral("MenuAnwenderdaten")));
    a = dynamic_cast<settings::ui::TAnwenderdaten*>(h.haupt->fenster(QStringLiteral("Anwenderdaten")));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->feld(QStringLiteral("zusatz"), QStringLiteral("Verein"))->text(), QStringLiteral("Felis"));
    EXPECT_EQ(a->farbe()->currentText(), farbe);
    a->farbe()->setFocus();
    test::taste(a->farbe(), Qt::Key_Delete);
    test::klicken(a->okKnopf());
    EXPECT_EQ(h.einstellungen.FarbeStandardeinstellung, QString());
    EXPECT_EQ(neuGelesen(h.ini()).FarbeStandardeinstellung, QString());
}

TEST(Optionen, DefaultButtonsFillTheirPages) {
    Optionen h(
        QStringLiteral("[Druck]\r\nObereRand=3\r\nLinkerRand=4\r\n[Stammbaum]\r\nlinkerRand=1\r\n"
                       "GenBildVertikal=9\r\nBesitzer=0\r\n[Drucken]\r\nTitelRot=0\r\nBildauflösung=5\r\n"));
    TFOptionen* f = h.oeffnen();
    ASSERT_NE(f, nullptr);
    auto* oben = h.feld<QLineEdit>(f, "Druckoben");
    EXPECT_EQ(oben->text(), QStringLiteral("3"));
    test::klicken(f->findChild<QPushButton*>(QStringLiteral("BitBtnGrundeinstellungDruck")));
    EXPECT_EQ(oben->text(), QStringLiteral("7"));
    EXPECT_EQ(h.feld<QLineEdit>(f, "Drucklinks")->text(), QStringLiteral("10"));

    auto* s = f->seite<settings::ui::TOptSeiteDruckStammbaum>();
    seiteZeigen(f, s);
    test::klicken(s->grundeinstellung());
    const struct {
        const char* feld;
        const char* wert;
    } werte[] = {{"StammbaumLinkerRand", "10"},
                 {"StammbaumRechterRand", "125"},
                 {"StammbaumObererRand", "0"},
                 {"StammbaumUntererRand", "40"},
                 {"StammbaumGenBildvertikal", "200"},
                 {"StammbaumLogoBildhorizontal", "250"},
                 {"BildAufloesung", "18"}};
    for (const auto& w : werte)
        EXPECT_EQ(qobject_cast<QLineEdit*>(f->steuerelement(QLatin1String(w.feld)))->text(),
                  QLatin1String(w.wert))
            << w.feld;
    EXPECT_TRUE(qobject_cast<QCheckBox*>(f->steuerelement(QStringLiteral("TitelRot")))->isChecked());
    EXPECT_EQ(qobject_cast<TWahlgruppe*>(f->steuerelement(QStringLiteral("stammbaumBesitzer")))->gewaehlt(),
              0);
    test::klicken(f->speichernKnopf());
    const tsysteminfo datei = neuGelesen(h.ini());
    EXPECT_EQ(datei.StammbaumGenBildvertikal, 200);
    EXPECT_DOUBLE_EQ(datei.Druckoben, 7);
    EXPECT_TRUE(datei.TitelRot);
    EXPECT_TRUE(datei.stammbaumBesitzer);
}
