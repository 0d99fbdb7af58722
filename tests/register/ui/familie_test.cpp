// The register's family views as the user meets them: the five-generation pedigree page with its
// colours, placeholders and opened ancestors, a missing parent entered from it, the sibling grids with
// the litter-size transfer, and the parent panels of the base page.

#include "common/datenglobal.h"
#include "common/ui/feldeditoren.h"
#include "printing/ui/farbe.h"
#include "register/ui/detailformular.h"
#include "register/ui/elternpanel.h"
#include "register/ui/familienraster.h"
#include "register/ui/seitestammbaum.h"
#include "register/ui/seitewurfdaten.h"
#include "register/ui/seitezuchtbuch.h"
#include "register/ui/suchendlg.h"
#include "register/ui/tcatstamm.h"
#include "store/table.h"
#include "support/ui/hauptfenster.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

int katze(store::Database& db, const char* name, const char* sex, int vater = 0, int mutter = 0,
          QDate geb = {}) {
    const int n = test::katzeAnlegen(db, QString::fromUtf8(name), QLatin1String(sex));
    store::Table t(db, QStringLiteral("catstamm"));
    t.open();
    EXPECT_TRUE(t.findKey({n}));
    t.edit();
    if (vater) t.setValue(QStringLiteral("Vater"), vater);
    if (mutter) t.setValue(QStringLiteral("Mutter"), mutter);
    if (geb.isValid()) t.setValue(QStringLiteral("GebDatum"), geb);
    t.post();
    return n;
}

QVariant feld(store::Database& db, int nummer, const char* f) {
    store::Table t(db, QStringLiteral("catstamm"));
    t.open(store::Table::OpenMode::ReadOnly);
    return t.lookupValue(QStringLiteral("LaufendeNummer"), {nummer}, QLatin1String(f));
}

int katzenAnzahl(store::Database& db) {
    store::Table t(db, QStringLiteral("catstamm"));
    t.open(store::Table::OpenMode::ReadOnly);
    return t.recordCount();
}

void farbenSetzen(store::Database& db, const QList<int>& farben) {
    store::Table t(db, QStringLiteral("stbfarbe"));
    t.open();
    for (t.first(); t.hasRecord() && !t.eof();)
        t.remove();
    for (int f : farben) {
        t.append();
        t.setValue(QStringLiteral("farbe"), f);
        t.post();
    }
}

void seiteZeigen(reg::TCatStamm* r, const char* objekt) {
    QTabWidget* seiten = r->seiten();
    QWidget* seite = r->findChild<QWidget*>(QLatin1String(objekt));
    ASSERT_NE(seite, nullptr) << objekt;
    QTabBar* leiste = seiten->tabBar();
    test::klicken(leiste, leiste->tabRect(seiten->indexOf(seite)).center());
    ASSERT_EQ(seiten->currentWidget(), seite) << objekt;
}

// A right click with the context-menu request the window system sends after it, then the menu entry.
void popupWahl(reg::TSeiteStammbaum* s, QWidget* wo, const char* aktion) {
    const QPoint p = wo->rect().center();
    QMouseEvent druck(QEvent::MouseButtonPress, QPointF(p), wo->mapToGlobal(QPointF(p)), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(wo, &druck);
    QContextMenuEvent e(QContextMenuEvent::Mouse, p, wo->mapToGlobal(p));
    QApplication::sendEvent(wo, &e);
    QMenu* m = s->popup();
    ASSERT_TRUE(m->isVisible());
    QAction* a = m->findChild<QAction*>(QLatin1String(aktion));
    ASSERT_NE(a, nullptr);
    if (!a->isEnabled()) {
        m->hide();
        return;
    }
    test::klicken(m, m->actionGeometry(a).center());
}

QString hintergrund(int wert) {
    return QStringLiteral("background-color: ") + printing::farbeAusWert(wert).name();
}

// Grandparents G1 and G2; father F and mother M are their children (full siblings); K is F x M.
struct Familie {
    int g1 = 0, g2 = 0, f = 0, m = 0, k = 0;
    void anlegen(store::Database& db) {
        g1 = katze(db, "Gustav", "1");
        g2 = katze(db, "Greta", "2");
        f = katze(db, "Fritz", "1", g1, g2);
        m = katze(db, "Mia", "2", g1, g2);
        k = katze(db, "Kira", "2", f, m);
    }
};

} // namespace

TEST(RegisterStammbaumSeite, DoubledAncestorsInThePedigreeColoursAndTooFewColoursOncePerCat) {
    const int rot = 0x0000FF, gruen = 0x00FF00;
    const struct {
        QList<int> liste;
        int farbeG1, farbeG2;
        bool meldung;
    } faelle[] = {{{rot, gruen}, rot, gruen, false}, {{rot}, rot, rot, true}, {{}, 0, 0, true}};
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.liste.size());
        Familie fam;
        test::Hauptfenster::Optionen o;
        o.vorher = [&](store::Database& db) {
            fam.anlegen(db);
            farbenSetzen(db, fall.liste);
        };
        test::Hauptfenster h(o);
        test::Antworten a;
        reg::TCatStamm* r = h.katzenregister();
        ASSERT_TRUE(r->zeigeKatze(fam.k));
        seiteZeigen(r, "TabSheetStammbaum");
        auto* s = r->seite<reg::TSeiteStammbaum>();
        EXPECT_TRUE(s->kasten(1)->text().contains(QStringLiteral("Fritz {%1}").arg(fam.f)));
        EXPECT_TRUE(s->kasten(2)->text().contains(QStringLiteral("Mia {%1}").arg(fam.m)));
        // The common grandparents in two slots each, father's side and mother's side alike.
        for (int slot : {3, 5})
            EXPECT_TRUE(s->kasten(slot)->styleSheet().contains(hintergrund(fall.farbeG1))) << slot;
        for (int slot : {4, 6})
            EXPECT_TRUE(s->kasten(slot)->styleSheet().contains(hintergrund(fall.farbeG2))) << slot;
        EXPECT_FALSE(s->kasten(1)->styleSheet().contains(QStringLiteral("background")));
        // Missing parents of the grandparents are placeholders; nothing above them.
        EXPECT_EQ(s->kasten(7)->text(), QStringLiteral("NEUAUFNAHME{V%1}").arg(fam.g1));
        EXPECT_EQ(s->kasten(8)->text(), QStringLiteral("NEUAUFNAHME{M%1}").arg(fam.g1));
        EXPECT_TRUE(s->kasten(15)->text().isEmpty());
        EXPECT_EQ(s->kasten(7)->toolTip(), QStringLiteral("Tier neu aufnehmen/suchen"));
        EXPECT_EQ(s->kasten(3)->toolTip(), QStringLiteral("alle Tierdaten laden"));
        EXPECT_EQ(a.nummern().count(170), fall.meldung ? 1 : 0);
        // Drawn again for the same cat: not told again; after a move to another cat it is.
        seiteZeigen(r, "TabSheetStammdaten");
        seiteZeigen(r, "TabSheetStammbaum");
        EXPECT_EQ(a.nummern().count(170), fall.meldung ? 1 : 0);
        ASSERT_TRUE(r->zeigeKatze(fam.g1));
        ASSERT_TRUE(r->zeigeKatze(fam.k));
        EXPECT_EQ(a.nummern().count(170), fall.meldung ? 2 : 0);
    }
}

TEST(RegisterStammbaumSeite, MissingParentEnteredFromThePageSavedAndUndone) {
    int vater = 0, ohneMutter = 0, ohneVater = 0;
    test::Hauptfenster::Optionen o;
    o.vorher = [&](store::Database& db) {
        vater = katze(db, "Viktor", "1");
        ohneMutter = katze(db, "Lotte", "2", vater);
        ohneVater = katze(db, "Paula", "2");
    };
    test::Hauptfenster h(o);
    test::Antworten a;
    reg::TCatStamm* r = h.katzenregister();
    auto* s = r->seite<reg::TSeiteStammbaum>();

    // Save: the new mother is stored and linked; the register is back on the pedigree of Lotte.
    ASSERT_TRUE(r->zeigeKatze(ohneMutter));
    seiteZeigen(r, "TabSheetStammbaum");
    ASSERT_EQ(s->kasten(2)->text(), QStringLiteral("NEUAUFNAHME{M%1}").arg(ohneMutter));
    test::klicken(s->kasten(2));
    EXPECT_EQ(r->seiten()->currentIndex(), 0);
    EXPECT_EQ(r->windowTitle(), QStringLiteral(" Mutter neu aufnehmen / suchen "));
    test::eintragen(r->nameFeld(), QStringLiteral("Mona vom Berg"));
    test::klicken(r->speichernKnopf());
    const int mona = feld(*h.db, ohneMutter, "Mutter").toInt();
    ASSERT_GT(mona, 0);
    EXPECT_EQ(feld(*h.db, mona, "Name").toString(), QStringLiteral("Mona vom Berg"));
    EXPECT_EQ(feld(*h.db, mona, "Geschlecht").toString(), QStringLiteral("2"));
    EXPECT_EQ(r->katzen().asInt(QStringLiteral("LaufendeNummer")), ohneMutter);
    EXPECT_EQ(r->seiten()->currentWidget(), s);
    EXPECT_TRUE(s->kasten(2)->text().contains(QStringLiteral("Mona vom Berg {%1}").arg(mona)));
    EXPECT_EQ(s->kasten(5)->text(), QStringLiteral("NEUAUFNAHME{V%1}").arg(mona));
    EXPECT_TRUE(s->kasten(1)->hasFocus());
    EXPECT_FALSE(h.dg->NeuausStb);

    // Undo: nothing stored, back on the pedigree with the placeholder still there.
    ASSERT_TRUE(r->zeigeKatze(ohneVater));
    seiteZeigen(r, "TabSheetStammbaum");
    const int vorher = katzenAnzahl(*h.db);
    test::klicken(s->kasten(1));
    EXPECT_EQ(r->katzen().asString(QStringLiteral("Geschlecht")), QStringLiteral("1"));
    test::eintragen(r->nameFeld(), QStringLiteral("Xaver"));
    test::klicken(r->rueckgaengigKnopf());
    EXPECT_EQ(katzenAnzahl(*h.db), vorher);
    EXPECT_EQ(r->katzen().asInt(QStringLiteral("LaufendeNummer")), ohneVater);
    EXPECT_EQ(r->seiten()->currentWidget(), s);
    EXPECT_EQ(s->kasten(1)->text(), QStringLiteral("NEUAUFNAHME{V%1}").arg(ohneVater));
    EXPECT_FALSE(h.dg->NeuausStb);
    EXPECT_EQ(a.nummern(), QList<int>{});
}

TEST(RegisterStammbaumSeite, AncestorOpenedFromThePopupAndJumpBackAndTheInformationPanel) {
    Familie fam;
    test::Hauptfenster::Optionen o;
    o.vorher = [&](store::Database& db) { fam.anlegen(db); };
    test::Hauptfenster h(o);
    reg::TCatStamm* r = h.katzenregister();
    ASSERT_TRUE(r->zeigeKatze(fam.k));
    seiteZeigen(r, "TabSheetStammbaum");
    auto* s = r->seite<reg::TSeiteStammbaum>();

    // A click on an ancestor shows its lines in a panel; a click on the panel hides it.
    test::klicken(s->kasten(2));
    ASSERT_TRUE(s->infoPanel()->isVisible());
    EXPECT_EQ(s->infoText()->text(), s->kasten(2)->text());
    test::klicken(s->infoPanel());
    EXPECT_FALSE(s->infoPanel()->isVisible());

    // "Stammbaum laden" on a placeholder does nothing; on an ancestor it opens it, in the list too.
    popupWahl(s, s->kasten(7), "StammbaumLaden");
    EXPECT_EQ(r->katzen().asInt(QStringLiteral("LaufendeNummer")), fam.k);
    EXPECT_EQ(s->ruecksprungKatze(), 0);
    popupWahl(s, s->kasten(1), "StammbaumLaden");
    EXPECT_EQ(r->katzen().asInt(QStringLiteral("LaufendeNummer")), fam.f);
    EXPECT_EQ(h.haupt->katzenListe()->aktuelleKatze(), fam.f);
    EXPECT_TRUE(s->kasten(1)->text().contains(QStringLiteral("Gustav {%1}").arg(fam.g1)));
    EXPECT_EQ(s->ruecksprungKatze(), fam.k);

    popupWahl(s, s->kasten(1), "Ruecksprung");
    EXPECT_EQ(r->katzen().asInt(QStringLiteral("LaufendeNummer")), fam.k);
    EXPECT_TRUE(s->kasten(1)->text().contains(QStringLiteral("Fritz {%1}").arg(fam.f)));
    EXPECT_EQ(s->ruecksprungKatze(), 0);
    s->popupZeigen(s->kasten(1), QPoint());
    EXPECT_FALSE(s->ruecksprungAktion()->isEnabled());
    s->popup()->hide();

    // The search's cat is drawn at once while the page is in front.
    test::beimNaechstenDialog([](QWidget* d) {
        auto* dlg = qobject_cast<reg::TSuchenDlg*>(d);
        ASSERT_NE(dlg, nullptr);
        test::klicken(dlg->nameFeld());
        test::tippen(QStringLiteral("Mia"));
        test::klicken(dlg->suchenKnopf());
        test::klicken(dlg->okKnopf());
    });
    h.haupt->findChild<QAction*>(QStringLiteral("MenuSuchen"))->trigger();
    EXPECT_EQ(r->katzen().asInt(QStringLiteral("LaufendeNummer")), fam.m);
    EXPECT_TRUE(s->kasten(2)->text().contains(QStringLiteral("Greta {%1}").arg(fam.g2)));
}

TEST(RegisterFamilienRaster, SiblingsHalfSiblingsAndTheLitterSizeTransfer) {
    const QDate wurf(2024, 4, 1);
    int v = 0, m = 0, a = 0, b = 0, c = 0, halb = 0;
    test::Hauptfenster::Optionen o;
    o.ini = QStringLiteral("[System]\r\nSpeichern=0\r\n");
    o.vorher = [&](store::Database& db) {
        v = katze(db, "Vater", "1");
        m = katze(db, "Mutter", "2");
        a = katze(db, "Anni", "2", v, m, wurf);
        b = katze(db, "Bodo", "1", v, m, wurf);
        c = katze(db, "Cleo", "2", v, m, wurf);
        halb = katze(db, "Halb", "1", v, 0, wurf.addYears(1));
    };
    test::Hauptfenster h(o);
    test::Antworten antworten;
    reg::TCatStamm* r = h.katzenregister();
    ASSERT_TRUE(r->zeigeKatze(a));
    seiteZeigen(r, "TabSheetWurfdaten");
    auto* g = r->findChild<reg::TGeschwisterRaster*>();
    ASSERT_NE(g, nullptr);
    auto namen = [g] {
        QStringList n;
        for (int z = 0; z < g->modell()->rowCount(); ++z)
            n << g->zelle(z, 0);
        n.sort();
        return n;
    };
    EXPECT_EQ(namen(), (QStringList{QStringLiteral("Bodo"), QStringLiteral("Cleo")}));
    EXPECT_EQ(g->modell()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Wurfgeschwister"));
    EXPECT_TRUE(g->gitter()->isColumnHidden(3));
    EXPECT_TRUE(g->uebernahmeKnopf()->isEnabled());

    test::klicken(g->knopf(reg::GeschwisterArt::vaeterlich));
    EXPECT_EQ(namen(), (QStringList{QStringLiteral("Bodo"), QStringLiteral("Cleo"), QStringLiteral("Halb")}));
    EXPECT_FALSE(g->gitter()->isColumnHidden(3));
    EXPECT_FALSE(g->gitter()->isColumnHidden(8)); // the mothers
    EXPECT_FALSE(g->uebernahmeKnopf()->isEnabled());
    EXPECT_TRUE(g->knopf(reg::GeschwisterArt::vaeterlich)->font().bold());
    test::klicken(g->knopf(reg::GeschwisterArt::muetterlich));
    EXPECT_EQ(namen(), (QStringList{QStringLiteral("Bodo"), QStringLiteral("Cleo")}));
    EXPECT_FALSE(g->gitter()->isColumnHidden(7)); // the fathers

    // The litter size typed for Anni goes to her litter siblings after one question, Halb keeps his.
    test::klicken(g->knopf(reg::GeschwisterArt::wurf));
    test::eintragen(r->findChild<QWidget*>(QStringLiteral("DBWurfzahl")), QStringLiteral("3"));
    antworten.antworten = {Antwort::Ja};
    test::klicken(g->uebernahmeKnopf());
    EXPECT_EQ(antworten.nummern(), QList<int>{29});
    for (int n : {a, b, c})
        EXPECT_EQ(feld(*h.db, n, "Wurfzahl").toString(), QStringLiteral("3")) << n;
    EXPECT_TRUE(feld(*h.db, halb, "Wurfzahl").toString().isEmpty());

    // No to the question: nothing is copied.
    test::eintragen(r->findChild<QWidget*>(QStringLiteral("DBWurfzahl")), QStringLiteral("4"));
    antworten.antworten = {Antwort::Nein};
    test::klicken(g->uebernahmeKnopf());
    EXPECT_EQ(feld(*h.db, b, "Wurfzahl").toString(), QStringLiteral("3"));

    // A cat without birth date has no litter siblings.
    test::klicken(r->rueckgaengigKnopf());
    ASSERT_TRUE(r->zeigeKatze(v));
    EXPECT_EQ(g->modell()->rowCount(), 0);
}

TEST(RegisterFamilienRaster, ParentPanelOnTheBasePage) {
    Familie fam;
    test::Hauptfenster::Optionen o;
    o.vorher = [&](store::Database& db) { fam.anlegen(db); };
    test::Hauptfenster h(o);
    reg::TCatStamm* r = h.katzenregister();
    ASSERT_TRUE(r->zeigeKatze(fam.k));
    test::klicken(r->elternFeld(false));
    reg::TElternPanel* p = r->elternPanel();
    ASSERT_TRUE(p->isVisible());
    EXPECT_TRUE(p->text().startsWith(QStringLiteral("Mia\n")));
    EXPECT_TRUE(p->text().contains(QStringLiteral("Blutgruppe: ")));
    test::klicken(p);
    EXPECT_FALSE(p->isVisible());
    test::klicken(r->elternFeld(true));
    EXPECT_TRUE(p->text().startsWith(QStringLiteral("Fritz\n")));
    // A cat without a mother: no panel.
    ASSERT_TRUE(r->zeigeKatze(fam.g1));
    test::klicken(r->elternFeld(false));
    EXPECT_FALSE(p->isVisible());
}

TEST(RegisterFamilienRaster, KittensOfTheSelectedLitterWithOwnerAndPrintText) {
    const QDate wurftag(2024, 6, 1);
    int mutter = 0, kater = 0, fremd = 0;
    test::Hauptfenster::Optionen o;
    o.vorher = [&](store::Database& db) {
        mutter = katze(db, "Mutti", "2");
        kater = katze(db, "Kuno", "1", 0, mutter, wurftag);
        fremd = katze(db, "Frieda", "2", 0, mutter, wurftag);
        katze(db, "Anderer Wurf", "2", 0, mutter, wurftag.addYears(1));
        store::Table w(db, QStringLiteral("wurfbuch"));
        w.open();
        w.append();
        w.setValue(QStringLiteral("Katze"), mutter);
        w.setValue(QStringLiteral("Decktermin"), wurftag.addDays(-65));
        w.setValue(QStringLiteral("Wurftag"), wurftag);
        w.post();
        store::Table e(db, QStringLiteral("eigen"));
        e.open();
        e.first();
        if (e.hasRecord())
            e.edit();
        else
            e.append();
        e.setValue(QStringLiteral("Name"), QStringLiteral("Eigen"));
        e.setValue(QStringLiteral("Vorname"), QStringLiteral("Eva"));
        e.post();
        store::Table a(db, QStringLiteral("adr_dat"));
        a.open();
        a.append();
        a.setValue(QStringLiteral("Name"), QStringLiteral("Käufer"));
        a.setValue(QStringLiteral("Vorname"), QStringLiteral("Karl"));
        a.post();
        store::Table k(db, QStringLiteral("catstamm"));
        k.open();
        ASSERT_TRUE(k.findKey({fremd}));
        k.edit();
        k.setValue(QStringLiteral("Status"), QStringLiteral("2"));
        k.setValue(QStringLiteral("Besitzer"), a.asInt(QStringLiteral("LaufendeNr")));
        k.setValue(QStringLiteral("FellFarbe"), QStringLiteral("blau"));
        k.setValue(QStringLiteral("Bemerkung"), QStringLiteral("scheu"));
        k.post();
    };
    test::Hauptfenster h(o);
    reg::TCatStamm* r = h.katzenregister();
    ASSERT_TRUE(r->zeigeKatze(mutter));
    seiteZeigen(r, "TabSheetZuchtbuch");
    auto* zb = r->seite<reg::TSeiteZuchtbuch>();
    ASSERT_TRUE(zb->jungtiereAngeboten());
    QTabWidget* reiter = zb->wurfReiter();
    test::klicken(reiter->tabBar(),
                  reiter->tabBar()->tabRect(reiter->indexOf(zb->jungtiereSeite())).center());
    reg::TJungtierRaster* j = zb->jungtierRaster();
    ASSERT_EQ(j->modell()->rowCount(), 2);
    QMap<QString, QStringList> zeilen;
    for (int z = 0; z < 2; ++z) {
        QStringList zellen;
        for (int s = 0; s < j->modell()->columnCount(); ++s)
            zellen << j->zelle(z, s);
        zeilen.insert(zellen.first(), zellen);
    }
    EXPECT_EQ(zeilen.value(QStringLiteral("Kuno")).value(1), QStringLiteral("m"));
    EXPECT_EQ(zeilen.value(QStringLiteral("Kuno")).value(2),
              QStringLiteral("Eva Eigen")); // status 1: the user's
    EXPECT_EQ(zeilen.value(QStringLiteral("Frieda")).value(1), QStringLiteral("w"));
    EXPECT_EQ(zeilen.value(QStringLiteral("Frieda")).value(2), QStringLiteral("Karl Käufer"));
    EXPECT_EQ(zeilen.value(QStringLiteral("Frieda")).value(3), QStringLiteral("blau, scheu "));
    // The picture beside the grid: none for these kittens.
    EXPECT_EQ(j->bild()->text(), QStringLiteral("kein Bild"));

    // The selected kitten's extra data: typed for Frieda, stored when Kuno is chosen.
    const auto zeileVon = [&](const char* name) {
        for (int z = 0; z < 2; ++z)
            if (j->zelle(z, 0) == QLatin1String(name)) return z;
        return -1;
    };
    const auto waehlen = [&](const char* name) {
        QTableView* g = j->gitter();
        test::klicken(g->viewport(), g->visualRect(j->modell()->index(zeileVon(name), 0)).center());
    };
    auto* gewicht =
        zb->jungtierZusatz()->findChild<QLineEdit*>(QStringLiteral("JungtierZusatzdatenGebgewicht"));
    ASSERT_NE(gewicht, nullptr);
    waehlen("Frieda");
    ASSERT_TRUE(gewicht->isEnabled());
    test::eintragen(gewicht, QStringLiteral("95"));
    waehlen("Kuno");
    EXPECT_TRUE(gewicht->text().isEmpty());
    {
        store::Table t(*h.db, QStringLiteral("stammzusatz"));
        t.open(store::Table::OpenMode::ReadOnly);
        t.setIndexName(QStringLiteral("TierIdx"));
        ASSERT_TRUE(t.findKey({fremd}));
        EXPECT_EQ(t.value(QStringLiteral("Gebgewicht")).toInt(), 95);
    }
    waehlen("Frieda");
    EXPECT_EQ(gewicht->text(), QStringLiteral("95"));
}
