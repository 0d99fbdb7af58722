// The windows as the user handles them: the wheel, closing and reopening every window kind.

#include "app/ui/katzenliste.h"
#include "common/ui/feldeditoren.h"
#include "common/ui/kindfenster.h"
#include "common/ui/listenfenster.h"
#include "language/sprache.h"
#include "register/ui/tcatstamm.h"
#include "store/errors.h"
#include "store/table.h"
#include "support/ui/hauptfenster.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::test;

namespace {
Hauptfenster::Optionen mitKatzen(QStringList namen) {
    Hauptfenster::Optionen o;
    o.vorher = [namen](store::Database& db) {
        for (const QString& n : namen)
            katzeAnlegen(db, n, QStringLiteral("1"));
    };
    return o;
}

int rahmenAnzahl(app::TVelmora& h, const QString& name) {
    int n = 0;
    for (QMdiSubWindow* s : h.mdi()->subWindowList())
        if (s->widget() && s->widget()->objectName() == name) ++n;
    return n;
}
} // namespace

TEST(Mausrad, AendertKeineAuswahlDieDerBenutzerNichtAngeklicktHat) {
    Hauptfenster h(mitKatzen({QStringLiteral("Anton")}));
    reg::TCatStamm* r = h.katzenregister();
    ASSERT_NE(r, nullptr);
    auto* name = r->findChild<QLineEdit*>(QStringLiteral("DBName"));
    auto* sex = r->findChild<QComboBox*>(QStringLiteral("DBGeschlecht"));
    auto* rasse = r->findChild<QComboBox*>(QStringLiteral("DBRasse"));
    auto* titel = r->findChild<QGroupBox*>(QStringLiteral("GroupBoxTitel"));
    ASSERT_TRUE(name && sex && rasse && titel);

    // Focus in the name field, the mouse over the sex box: two turns leave the sex and the focus.
    klicken(name);
    ASSERT_EQ(QApplication::focusWidget(), name);
    mausrad(sex, 2);
    EXPECT_EQ(sex->currentText(), QStringLiteral("m"));
    EXPECT_EQ(QApplication::focusWidget(), name);
    EXPECT_FALSE(r->bindung().geaendert());

    // Focus in the breed box, the mouse over the title area: nothing changes.
    rasse->setFocus(Qt::TabFocusReason);
    const int vorher = rasse->currentIndex();
    mausrad(titel, 2);
    mausrad(sex, -1);
    EXPECT_EQ(rasse->currentIndex(), vorher);
    EXPECT_EQ(sex->currentText(), QStringLiteral("m"));
    EXPECT_FALSE(r->bindung().geaendert());

    // The box the user clicked into turns under the mouse.
    mausrad(rasse, 1);
    EXPECT_EQ(rasse->currentIndex(), vorher + 1);
    EXPECT_TRUE(r->bindung().geaendert());
}

TEST(Mausrad, SchrittDurchDieZeilenDesGittersMitFokus) {
    Hauptfenster h;
    auto* f = dynamic_cast<TListenFenster*>(h.ueberMenue(QStringLiteral("FormFarben")));
    ASSERT_NE(f, nullptr);
    QTableView* g = f->gitter();
    ereignisse();
    klicken(g->viewport(), g->visualRect(g->model()->index(0, 0)).center());
    ereignisse();
    ASSERT_EQ(g->currentIndex().row(), 0);
    mausrad(g->viewport(), 2);
    ereignisse();
    EXPECT_EQ(g->currentIndex().row(), 2);
    EXPECT_EQ(f->modell()->aktuelleZeile(), 2);
    mausrad(g->viewport(), -1);
    ereignisse();
    EXPECT_EQ(g->currentIndex().row(), 1);
}

TEST(Kindfenster, ZurueckSchliesstDenRahmenUndErneutOeffnenGibtEineKopie) {
    Hauptfenster h;
    for (const Fensterart& art : fensterarten()) {
        SCOPED_TRACE(art.name.toStdString());
        // A kind without menu entry (a reduced form) is opened by the window it belongs to.
        auto oeffnen = [&] {
            return art.menue.isEmpty() ? h.haupt->FensterZeigen(art.name) : h.ueberMenue(art.name);
        };
        TKindFenster* f = h.haupt->fenster(art.name);
        if (!f) f = oeffnen();
        ASSERT_NE(f, nullptr);
        ASSERT_EQ(rahmenAnzahl(*h.haupt, art.name), 1);
        if (auto* zurueck = f->findChild<QPushButton*>(QStringLiteral("BitBtnZurueck")))
            klicken(zurueck);
        else
            f->parentWidget()->close(); // the register has no "Zurück": its frame's close button
        ereignisse();
        EXPECT_EQ(rahmenAnzahl(*h.haupt, art.name), 0);
        EXPECT_EQ(h.haupt->fenster(art.name), nullptr);
        EXPECT_FALSE(h.haupt->register_().offen(art.name));
        EXPECT_TRUE(h.haupt->katzenListe()->isVisible());

        ASSERT_NE(oeffnen(), nullptr);
        EXPECT_EQ(rahmenAnzahl(*h.haupt, art.name), 1);
        if (art.name != QLatin1String("FormCatStamm")) {
            h.haupt->fenster(art.name)->parentWidget()->close();
            ereignisse();
            EXPECT_EQ(rahmenAnzahl(*h.haupt, art.name), 0);
        }
    }
}

// ---- list windows

namespace {
QModelIndex zelle(TListenFenster& f, int zeile, const QString& feld) {
    const auto& spalten = f.modell()->spalten();
    for (int c = 0; c < spalten.size(); ++c)
        if (spalten[c].feld == feld) return f.modell()->index(zeile, c);
    ADD_FAILURE() << "no column " << feld.toStdString();
    return {};
}

// Shows the grid page of a window with pages, and clicks the cell.
void zelleAnklicken(TListenFenster& f, const QModelIndex& i) {
    for (QWidget* w = f.gitter(); w && w != &f; w = w->parentWidget())
        if (auto* seiten = qobject_cast<QTabWidget*>(w)) {
            for (int s = 0; s < seiten->count(); ++s)
                if (seiten->widget(s)->isAncestorOf(f.gitter())) seiten->setCurrentIndex(s);
        }
    ereignisse();
    f.gitter()->scrollTo(i);
    klicken(f.gitter()->viewport(), f.gitter()->visualRect(i).center());
}
} // namespace

TEST(Listenfenster, ZuLangerZellentextBleibtInDerZeileZumKuerzen) {
    Hauptfenster h;
    auto* f = dynamic_cast<TListenFenster*>(h.ueberMenue(QStringLiteral("FormFellart")));
    ASSERT_NE(f, nullptr);
    ASSERT_GE(f->modell()->rowCount(), 2);
    const QString lang = QStringLiteral("Halblanghaar mit sehr dichter Unterwolle"); // 40 > 20
    const QModelIndex i = zelle(*f, 0, QStringLiteral("Bezeichnung"));
    zelleAnklicken(*f, i);
    taste(f->gitter(), Qt::Key_F2);
    taste(f->gitter(), Qt::Key_A, Qt::ControlModifier);
    tippen(f->gitter(), lang);
    taste(f->gitter(), Qt::Key_Return);
    // Moving on to the next row stores: refused for its length, with the engine's message.
    zelleAnklicken(*f, zelle(*f, 1, QStringLiteral("Bezeichnung")));
    ereignisse();
    EXPECT_EQ(h.fehlerNummern, QList<int>{store::code::ValueTooLong});
    EXPECT_EQ(f->tabelle().state(), store::Table::State::Edit);
    EXPECT_EQ(f->tabelle().asString(QStringLiteral("Bezeichnung")), lang);
    EXPECT_EQ(f->gitter()->currentIndex().row(), 0);
    EXPECT_EQ(f->modell()->data(i).toString(), lang);
    EXPECT_TRUE(f->rueckgaengigKnopf()->isEnabled());

    // Shortened, it is stored.
    zelleAnklicken(*f, i);
    taste(f->gitter(), Qt::Key_F2);
    taste(f->gitter(), Qt::Key_A, Qt::ControlModifier);
    tippen(f->gitter(), QStringLiteral("Halblanghaar dicht"));
    taste(f->gitter(), Qt::Key_Return);
    zelleAnklicken(*f, zelle(*f, 1, QStringLiteral("Bezeichnung")));
    ereignisse();
    EXPECT_EQ(h.fehlerNummern.size(), 1);
    EXPECT_EQ(f->tabelle().state(), store::Table::State::Browse);
    store::Table t(*h.db, QStringLiteral("fellart"));
    t.open(store::Table::OpenMode::ReadOnly);
    EXPECT_TRUE(t.lookupValue(QStringLiteral("Bezeichnung"), {QStringLiteral("Halblanghaar dicht")},
                              QStringLiteral("LaufendeNummer"))
                    .isValid());
}

TEST(Listenfenster, KeineZahlImZahlenfeldWirdMitDemFeldnamenAbgelehnt) {
    Hauptfenster h;
    Antworten a;
    auto* f = dynamic_cast<TListenFenster*>(h.ueberMenue(QStringLiteral("FormTitel")));
    ASSERT_NE(f, nullptr);
    const int zeilen = f->modell()->rowCount();
    klicken(f->hinzufuegenKnopf());
    tippen(f, QStringLiteral("Weltsieger"));
    auto* sortierung = f->findChild<QLineEdit*>(QStringLiteral("DBEditSortierung"));
    ASSERT_NE(sortierung, nullptr);
    klicken(sortierung);
    tippen(sortierung, QStringLiteral("abc"));
    taste(sortierung, Qt::Key_Return);
    ASSERT_EQ(a.nummern(), QList<int>{252});
    EXPECT_EQ(a.meldungen[0].text, language::meldung(252) + QStringLiteral(" Sortierung"));
    EXPECT_EQ(sortierung->text(), QStringLiteral("abc"));
    EXPECT_EQ(QApplication::focusWidget(), sortierung);
    EXPECT_EQ(f->tabelle().state(), store::Table::State::Insert);
    EXPECT_TRUE(f->rueckgaengigKnopf()->isEnabled());

    // A number is taken.
    taste(sortierung, Qt::Key_A, Qt::ControlModifier);
    tippen(sortierung, QStringLiteral("7"));
    taste(sortierung, Qt::Key_Return);
    EXPECT_EQ(a.nummern(), QList<int>{252});
    EXPECT_EQ(f->tabelle().state(), store::Table::State::Browse);
    EXPECT_EQ(f->modell()->rowCount(), zeilen + 1);
    EXPECT_EQ(f->tabelle().asInt(QStringLiteral("Sortierung")), 7);
}

TEST(Listenfenster, GitterZeigtDieGespeichertenZeilenWaehrendEinerNeuenZeile) {
    Hauptfenster::Optionen o;
    o.vorher = [](store::Database& db) {
        store::Table t(db, QStringLiteral("katzname"));
        t.open();
        t.append();
        t.setValue(QStringLiteral("Name"), QStringLiteral("Felix"));
        t.post();
    };
    Hauptfenster h(o);
    for (const char* name : {"FormRassen", "FormTitel", "FormMerkmale", "FormKatzennamen"}) {
        SCOPED_TRACE(name);
        auto* f = dynamic_cast<TListenFenster*>(h.ueberMenue(QLatin1String(name)));
        ASSERT_NE(f, nullptr);
        const int zeilen = f->modell()->rowCount();
        ASSERT_GT(zeilen, 0);
        const QString erste = f->modell()->data(f->modell()->index(0, 0)).toString();
        const QString letzte = f->modell()->data(f->modell()->index(zeilen - 1, 0)).toString();
        klicken(f->hinzufuegenKnopf());
        EXPECT_EQ(f->tabelle().state(), store::Table::State::Insert);
        f->modell()->neuLaden(); // whatever the grid re-reads meanwhile
        EXPECT_EQ(f->modell()->rowCount(), zeilen);
        EXPECT_EQ(f->modell()->data(f->modell()->index(0, 0)).toString(), erste);
        EXPECT_EQ(f->modell()->data(f->modell()->index(zeilen - 1, 0)).toString(), letzte);
        klicken(f->rueckgaengigKnopf());
        h.haupt->fenster(QLatin1String(name))->parentWidget()->close();
        ereignisse();
    }
}

// ---- tool bar and help

TEST(Werkzeugleiste, NeuDuplizierenUndSuchenWieImKatzenMenue) {
    Hauptfenster h(mitKatzen({QStringLiteral("Anton")}));
    Antworten a;
    auto* leiste = h.haupt->findChild<QToolBar*>(QStringLiteral("ToolBar"));
    ASSERT_NE(leiste, nullptr);
    auto knopf = [&](const char* name) -> QWidget* {
        QAction* act = h.haupt->findChild<QAction*>(QLatin1String(name));
        EXPECT_NE(act, nullptr) << name;
        return act ? leiste->widgetForAction(act) : nullptr;
    };
    const struct {
        const char* name;
        const char* deutsch;
        const char* englisch;
    } knoepfe[] = {{"SpeedButtonNeu", "Neue Katze anlegen", "New cat"},
                   {"SpeedButtonKopie", "Tier duplizieren", "Duplicate cat"},
                   {"SpeedButtonSuchen", "Katze suchen", "Find cat"}};
    for (const auto& k : knoepfe) {
        QWidget* w = knopf(k.name);
        ASSERT_NE(w, nullptr) << k.name;
        EXPECT_TRUE(w->isVisible()) << k.name;
        EXPECT_EQ(h.haupt->findChild<QAction*>(QLatin1String(k.name))->text(), QString::fromUtf8(k.deutsch));
    }
    h.haupt->spracheWechseln(1);
    for (const auto& k : knoepfe)
        EXPECT_EQ(h.haupt->findChild<QAction*>(QLatin1String(k.name))->text(), QString::fromUtf8(k.englisch));
    h.haupt->spracheWechseln(0);

    reg::TCatStamm* r = h.katzenregister();
    klicken(knopf("SpeedButtonNeu"));
    EXPECT_TRUE(r->neuerSatz);
    EXPECT_EQ(r->windowTitle(), language::meldung(14));
    klicken(r->findChild<QPushButton*>(QStringLiteral("BitBtnRueckgaengig")));

    klicken(knopf("SpeedButtonKopie"));
    EXPECT_TRUE(r->neuerSatz);
    EXPECT_EQ(r->katzen().asString(QStringLiteral("Name")), QStringLiteral("Anton Kopie"));
    klicken(r->findChild<QPushButton*>(QStringLiteral("BitBtnRueckgaengig")));

    QString gezeigt;
    QTimer::singleShot(0, [&] {
        if (QWidget* d = QApplication::activeModalWidget()) {
            gezeigt = d->objectName();
            d->close();
        }
    });
    klicken(knopf("SpeedButtonSuchen"));
    EXPECT_EQ(gezeigt, QStringLiteral("SuchenDlg"));
}

TEST(Hilfe, OhneBrowserSagtDieMeldungWoDieSeiteLiegt) {
    Hauptfenster h;
    QDir(h.daten.path()).mkpath(QStringLiteral("Help"));
    QFile seite(h.daten.file(QStringLiteral("Help/1001.html")));
    ASSERT_TRUE(seite.open(QIODevice::WriteOnly));
    seite.close();
    QList<QUrl> geoeffnet;
    bool browser = false;
    h.haupt->oeffnenMitDesktop = [&](const QUrl& u) {
        geoeffnet << u;
        return browser;
    };
    Antworten a;
    h.haupt->findChild<QAction*>(QStringLiteral("MenuInhalt"))->trigger();
    ASSERT_EQ(a.nummern(), QList<int>{251});
    EXPECT_EQ(a.meldungen[0].text,
              language::meldung(251) + QLatin1Char('\r') + QDir::toNativeSeparators(seite.fileName()));
    browser = true;
    h.haupt->findChild<QAction*>(QStringLiteral("MenuInhalt"))->trigger();
    EXPECT_EQ(a.meldungen.size(), 1);
    EXPECT_EQ(geoeffnet.size(), 2);
}

TEST(Textverarbeitung, OhneEigenesProgrammOeffnetDerDesktopDieDokumente) {
    QStandardPaths::setTestModeEnabled(true);
    Hauptfenster h;
    EXPECT_TRUE(h.einstellungen.Textverarbeitung.isEmpty()); // the default of a new settings file
    QList<QUrl> geoeffnet;
    h.haupt->oeffnenMitDesktop = [&](const QUrl& u) {
        geoeffnet << u;
        return true;
    };
    Antworten a;
    for (const QString& alt : {QString(), QStringLiteral("Write.exe")}) {
        h.einstellungen.Textverarbeitung = alt;
        h.haupt->findChild<QAction*>(QStringLiteral("MenuTextverarbeitung"))->trigger();
    }
    ASSERT_EQ(geoeffnet.size(), 2);
    EXPECT_EQ(geoeffnet[0],
              QUrl::fromLocalFile(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)));
    EXPECT_TRUE(a.meldungen.isEmpty());
    QStandardPaths::setTestModeEnabled(false);
}

// ---- the register shows what its record holds

namespace {
void setzen(store::Database& db, int nummer, const char* feld, const QVariant& wert) {
    store::Table t(db, QStringLiteral("catstamm"));
    t.open();
    ASSERT_TRUE(t.findKey({nummer}));
    t.edit();
    t.setValue(QLatin1String(feld), wert);
    t.post();
}

void befehl(Hauptfenster& h, const char* name) {
    QAction* a = h.haupt->findChild<QAction*>(QLatin1String(name));
    ASSERT_NE(a, nullptr) << name;
    a->trigger();
    ereignisse();
}

void datumTippen(reg::TCatStamm* r, const char* feld, const QString& text) {
    auto* d = r->findChild<DbDatum*>(QLatin1String(feld));
    ASSERT_NE(d, nullptr) << feld;
    klicken(d->eingabe());
    taste(d->eingabe(), Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        taste(d->eingabe(), Qt::Key_Delete);
    else
        tippen(d->eingabe(), text);
    taste(d->eingabe(), Qt::Key_Tab);
}
} // namespace

TEST(Register, AlterFolgtDenDatenUndDerSprache) {
    Hauptfenster::Optionen o;
    o.vorher = [](store::Database& db) {
        setzen(db, katzeAnlegen(db, QStringLiteral("Anton"), QStringLiteral("1")), "GebDatum",
               QDate::currentDate().addYears(-6).addDays(-10));
    };
    Hauptfenster h(o);
    reg::TCatStamm* r = h.katzenregister();
    auto* alter = r->findChild<QLabel*>(QStringLiteral("LabelAlter"));
    auto* kreuz = r->findChild<QLabel*>(QStringLiteral("LabelKreuz"));
    ASSERT_TRUE(alter && kreuz);
    const QString deutsch = alter->text();
    EXPECT_TRUE(deutsch.startsWith(QStringLiteral("6 "))) << deutsch.toStdString();

    // After a language switch the age is in the new language.
    h.haupt->spracheWechseln(1);
    EXPECT_NE(alter->text(), deutsch);
    EXPECT_TRUE(alter->text().contains(language::feldName(1485))) << alter->text().toStdString();
    h.haupt->spracheWechseln(0);
    EXPECT_EQ(alter->text(), deutsch);

    // A new cat has no age; a typed date gives it one, an old one the cross, a younger one none.
    befehl(h, "MenuNeuaufnahme");
    EXPECT_TRUE(alter->text().isEmpty());
    datumTippen(r, "DBGebDatum", QDate::currentDate().addYears(-30).toString(QStringLiteral("dd.MM.yyyy")));
    EXPECT_FALSE(kreuz->isHidden());
    datumTippen(r, "DBGebDatum",
                QDate::currentDate().addYears(-2).addDays(-3).toString(QStringLiteral("dd.MM.yyyy")));
    EXPECT_TRUE(kreuz->isHidden());
    EXPECT_TRUE(alter->text().startsWith(QStringLiteral("2 "))) << alter->text().toStdString();
    // A death date shows the age reached.
    datumTippen(r, "DBToddatum", QDate::currentDate().addYears(-1).toString(QStringLiteral("dd.MM.yyyy")));
    EXPECT_FALSE(kreuz->isHidden());
    EXPECT_FALSE(r->findChild<QLabel*>(QStringLiteral("LabelAlterTod"))->text().isEmpty());
}

TEST(Register, DuplizierenZeigtNurWasDerNeueSatzHat) {
    Hauptfenster::Optionen o;
    o.vorher = [](store::Database& db) {
        const int anton = katzeAnlegen(db, QStringLiteral("Anton"), QStringLiteral("1"));
        setzen(db, anton, "GebDatum", QDate(2020, 5, 1));
        setzen(db, anton, "Bemerkung",
               QStringLiteral("Ein ruhiger Kater mit sehr langer Bemerkung über seine Zucht und Herkunft"));
        store::Table m(db, QStringLiteral("merkmale"));
        m.open();
        m.append();
        m.setValue(QStringLiteral("Bezeichnung"), QStringLiteral("Kardiomyopathie"));
        m.setValue(QStringLiteral("Kuerzel"), QStringLiteral("HCM"));
        m.setValue(QStringLiteral("farbe"), 255);
        m.post();
        store::Table km(db, QStringLiteral("katzemerkmal"));
        km.open();
        km.append();
        km.setValue(QStringLiteral("Katze"), anton);
        km.setValue(QStringLiteral("Merkmal"), m.asInt(QStringLiteral("LaufendeNummer")));
        km.post();
        store::Table th(db, QStringLiteral("titelhund"));
        th.open();
        th.append();
        th.setValue(QStringLiteral("Hund"), anton);
        th.setValue(QStringLiteral("Titel"), 1);
        th.post();
    };
    Hauptfenster h(o);
    reg::TCatStamm* r = h.katzenregister();
    auto angehakt = [&] {
        int n = 0;
        for (QCheckBox* c : r->findChildren<QCheckBox*>(QRegularExpression(QStringLiteral("^Titel\\d+$"))))
            n += c->isChecked();
        return n;
    };
    auto* merkmale = r->findChild<QLabel*>(QStringLiteral("LabelMerkmaleWert"));
    auto* bemerkung = r->findChild<QLabel*>(QStringLiteral("LabelBemerkung"));
    auto* name = r->findChild<QLineEdit*>(QStringLiteral("DBName"));
    ASSERT_EQ(angehakt(), 1);
    ASSERT_EQ(merkmale->text(), QStringLiteral("HCM"));
    ASSERT_FALSE(bemerkung->isHidden());
    ASSERT_FALSE(name->styleSheet().isEmpty());
    const QString alter = r->findChild<QLabel*>(QStringLiteral("LabelAlter"))->text();

    befehl(h, "MenuDuplizieren");
    EXPECT_EQ(name->text(), QStringLiteral("Anton Kopie"));
    EXPECT_EQ(angehakt(), 0);
    EXPECT_TRUE(merkmale->text().isEmpty());
    EXPECT_TRUE(bemerkung->isHidden());
    EXPECT_TRUE(name->styleSheet().isEmpty());
    EXPECT_EQ(r->findChild<QLabel*>(QStringLiteral("LabelAlter"))->text(), alter); // the birth date is copied

    // What the screen showed is what was stored.
    klicken(r->findChild<QPushButton*>(QStringLiteral("BitBtnSpeichern")));
    EXPECT_EQ(angehakt(), 0);
    EXPECT_TRUE(merkmale->text().isEmpty());
    EXPECT_TRUE(bemerkung->isHidden());
}

TEST(Register, KatzenlisteUndRegisterZeigenBeimStartDieselbeKatze) {
    Hauptfenster::Optionen o;
    // The list in status order, the register by name: each would start on another cat.
    o.ini = QStringLiteral("[System]\r\nSpeichern=1\r\n[Auswahlfenster]\r\nSortierung=StatusName\r\n"
                           "[Stammdaten]\r\nSortierung=Nameidx\r\n");
    o.vorher = [](store::Database& db) {
        katzeAnlegen(db, QStringLiteral("Zora"), QStringLiteral("2"), QStringLiteral("1"));
        katzeAnlegen(db, QStringLiteral("Anton"), QStringLiteral("1"), QStringLiteral("2"));
    };
    Hauptfenster h(o);
    ASSERT_EQ(h.katzenregister()->katzen().asString(QStringLiteral("Name")), QStringLiteral("Anton"));
    EXPECT_EQ(h.haupt->katzenListe()->tabelle().asString(QStringLiteral("Name")), QStringLiteral("Anton"));
    EXPECT_EQ(h.haupt->katzenListe()->currentIndex().row(), 1);
}

TEST(Register, GeloeschteKatzeVerlaesstDieLetztenKatzen) {
    Hauptfenster h(mitKatzen({QStringLiteral("Anton"), QStringLiteral("Bella"), QStringLiteral("Carla")}));
    reg::TCatStamm* r = h.katzenregister();
    auto letzte = [&] {
        QStringList t;
        for (QAction* a : h.haupt->menue(QStringLiteral("MenueKatze"))->actions())
            if (a->objectName().startsWith(QStringLiteral("LastCat"))) t << a->text();
        return t;
    };
    r->zeigeKatze(2);
    r->zeigeKatze(3);
    ASSERT_EQ(letzte(), (QStringList{QStringLiteral("Carla {3}"), QStringLiteral("Bella {2}")}));
    r->zeigeKatze(2);
    Antworten a;
    a.antworten = {Antwort::Ja};
    befehl(h, "MenuLoeschen");
    EXPECT_EQ(letzte(), QStringList{QStringLiteral("Carla {3}")});
    settings::tsysteminfo neu;
    neu.load(h.einstellungsDir.file(QStringLiteral("Tessaro.ini")));
    EXPECT_EQ(neu.LastCats[0], QStringLiteral("Carla {3}"));
    EXPECT_EQ(neu.LastCats[1], QStringLiteral("{}"));

    // An entry whose cat went another way (another program, an older settings file) says so.
    store::Table t(*h.db, QStringLiteral("catstamm"));
    t.open();
    ASSERT_TRUE(t.findKey({3}));
    t.remove();
    t.close();
    const qint64 vorher = r->katzen().recordId();
    h.haupt->findChild<QAction*>(QStringLiteral("LastCat1"))->trigger();
    ASSERT_EQ(a.nummern(), (QList<int>{15, 253}));
    EXPECT_TRUE(a.meldungen[1].text.endsWith(QStringLiteral("Carla {3}")));
    EXPECT_TRUE(letzte().isEmpty());
    EXPECT_EQ(r->katzen().recordId(), vorher);
}

// ---- sizes, columns, titles and colours

TEST(Fenstergroesse, RegisterZeigtDieStammdatenGanzUndDasGeburtsdatumLesbar) {
    for (const char* fenster : {"0", "1"}) {
        SCOPED_TRACE(fenster);
        Hauptfenster::Optionen o;
        o.ini = QStringLiteral("[System]\r\nSpeichern=1\r\nFenster=%1\r\n").arg(QLatin1String(fenster));
        o.groesse = {1280, 1000};
        o.vorher = [](store::Database& db) {
            setzen(db, katzeAnlegen(db, QStringLiteral("Anton"), QStringLiteral("1")), "GebDatum",
                   QDate(2015, 9, 1));
        };
        Hauptfenster h(o);
        reg::TCatStamm* r = h.katzenregister();
        ereignisse();
        auto* seite = r->findChild<QScrollArea*>(QStringLiteral("TabSheetStammdaten"));
        ASSERT_NE(seite, nullptr);
        EXPECT_FALSE(seite->verticalScrollBar()->isVisible());
        EXPECT_FALSE(seite->horizontalScrollBar()->isVisible());
        QLineEdit* geb = r->findChild<DbDatum*>(QStringLiteral("DBGebDatum"))->eingabe();
        EXPECT_EQ(geb->text(), QStringLiteral("01.09.2015"));
        EXPECT_GT(geb->width(), geb->fontMetrics().horizontalAdvance(geb->text()));
    }
}

TEST(Fenstergroesse, FenstertitelWirdNichtAbgeschnitten) {
    for (const char* fenster : {"0", "1"}) {
        SCOPED_TRACE(fenster);
        Hauptfenster::Optionen o;
        o.ini = QStringLiteral("[System]\r\nSpeichern=1\r\nFenster=%1\r\n").arg(QLatin1String(fenster));
        Hauptfenster h(o);
        for (const char* name : {"FormStbFarbe", "FormAugenfarbe", "FormStatus"}) {
            TKindFenster* f = h.ueberMenue(QLatin1String(name));
            ASSERT_NE(f, nullptr) << name;
            QWidget* rahmen = f->parentWidget();
            EXPECT_GT(rahmen->width(), rahmen->fontMetrics().horizontalAdvance(rahmen->windowTitle()))
                << name << " " << rahmen->windowTitle().toStdString();
        }
    }
}

TEST(Fenstergroesse, NachEinemExklusivenFensterWerdenDieAnderenWiederEingepasst) {
    Hauptfenster::Optionen o;
    o.ini = QStringLiteral("[System]\r\nSpeichern=1\r\nFenster=1\r\n");
    o.groesse = {1280, 1000};
    Hauptfenster h(o);
    TKindFenster* status = h.ueberMenue(QStringLiteral("FormStatus"));
    ASSERT_NE(status, nullptr);
    QWidget* rahmen = status->parentWidget();
    ereignisse();
    const QSize eingepasst = rahmen->size();
    rahmen->resize(210, 160);
    TKindFenster* vereine = h.ueberMenue(QStringLiteral("FormVereine"));
    ASSERT_NE(vereine, nullptr);
    vereine->parentWidget()->close();
    ereignisse();
    EXPECT_EQ(rahmen->size(), eingepasst);
}

TEST(Katzenliste, DerNameBekommtDenPlatzUndDieSchriftLiestSichAufDerFarbe) {
    Hauptfenster::Optionen o;
    o.vorher = [](store::Database& db) {
        const int blau = katzeAnlegen(db, QStringLiteral("Anton mit einem recht langen Namen vom Hof"));
        const int gelb = katzeAnlegen(db, QStringLiteral("Bella"));
        store::Table m(db, QStringLiteral("merkmale"));
        m.open();
        store::Table km(db, QStringLiteral("katzemerkmal"));
        km.open();
        for (auto [katze, farbe] : {std::pair{blau, 0xFF0000}, std::pair{gelb, 0x00FFFF}}) {
            m.append();
            m.setValue(QStringLiteral("Bezeichnung"), QStringLiteral("Merkmal %1").arg(katze));
            m.setValue(QStringLiteral("farbe"), farbe);
            m.post();
            km.append();
            km.setValue(QStringLiteral("Katze"), katze);
            km.setValue(QStringLiteral("Merkmal"), m.asInt(QStringLiteral("LaufendeNummer")));
            km.post();
        }
    };
    Hauptfenster h(o);
    app::KatzenListe* l = h.haupt->katzenListe();
    QHeaderView* kopf = l->horizontalHeader();
    EXPECT_GT(kopf->sectionSize(0), 2 * kopf->sectionSize(1));
    EXPECT_LE(kopf->sectionSize(1), kopf->fontMetrics().horizontalAdvance(QStringLiteral("Status")) + 40);
    EXPECT_EQ(kopf->sectionSize(0) + kopf->sectionSize(1), l->viewport()->width());

    auto schrift = [&](int zeile) {
        return l->model()->index(zeile, 0).data(Qt::ForegroundRole).value<QColor>();
    };
    EXPECT_EQ(schrift(0), QColor(Qt::white)); // on blue
    EXPECT_EQ(schrift(1), QColor(Qt::black)); // on yellow
    // The register's name field on the cat's colour too.
    EXPECT_TRUE(h.katzenregister()->nameFeld()->styleSheet().contains(QStringLiteral("color: #ffffff")))
        << h.katzenregister()->nameFeld()->styleSheet().toStdString();
}
