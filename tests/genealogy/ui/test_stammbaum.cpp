// The pedigree window inside a real main window: the slots against an independent walk, the colours of
// doubled ancestors, the step into an ancestor and back, pictures that are missing or broken, following
// the register's cat, and the refusal while a parent is entered from the register's pedigree.

#include "app/ui/tvelmora.h"
#include "common/ui/feldeditoren.h"
#include "genealogy/register.h"
#include "genealogy/ui/stammbaum.h"
#include "register/ui/tcatstamm.h"
#include "store/table.h"
#include "support/testsupport.h"
#include "support/ui/hauptfenster.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QMenu>
#include <QMouseEvent>
#include <QTextEdit>
#include <gtest/gtest.h>

using namespace velmora;
using velmora::genealogy::TFormStammbaum;
using velmora::test::RegisterKatze;

namespace {

// 1 Zorro x 2 Amira: the full siblings 3 Mika and 4 Bella; 5 Pia is their kitten. 6 Luna by Pia has no
// dam; 7 Nero names a deleted sire (99). 10 and 11 are each other's sire; 12 Kreis descends from them.
const QVector<RegisterKatze> kRegister = {
    {1, QStringLiteral("Zorro"), 0, 0, {}},  {2, QStringLiteral("Amira"), 0, 0, {}},
    {3, QStringLiteral("Mika"), 1, 2, {}},   {4, QStringLiteral("Bella"), 1, 2, {}},
    {5, QStringLiteral("Pia"), 3, 4, {}},    {6, QStringLiteral("Luna"), 5, 0, {}},
    {7, QStringLiteral("Nero"), 99, 6, {}},  {10, QStringLiteral("Ying"), 11, 2, {}},
    {11, QStringLiteral("Yang"), 10, 0, {}}, {12, QStringLiteral("Kreis"), 10, 7, {}}};

struct Stammbaum : test::Hauptfenster {
    explicit Stammbaum(bool mitRegister = false, const std::function<void(store::Database&)>& mehr = {})
        : test::Hauptfenster(optionen(mitRegister, mehr)) {}
    static Optionen optionen(bool mitRegister, const std::function<void(store::Database&)>& mehr) {
        Optionen o;
        o.mitRegister = mitRegister;
        o.vorher = [mehr](store::Database& db) {
            test::schreibeKatzen(db.directory(), kRegister);
            if (mehr) mehr(db);
        };
        return o;
    }
    // Every message box of the test, answered No.
    test::Antworten meldungen;
    // Opens the window from its menu entry on the list's cat.
    TFormStammbaum* oeffnenAuf(int katze) {
        EXPECT_TRUE(haupt->katzenListe()->zeigeKatze(katze));
        EXPECT_TRUE(menue(QStringLiteral("MenuFormStammbaum")));
        return dynamic_cast<TFormStammbaum*>(haupt->fenster(QStringLiteral("FormStammbaum")));
    }
};

// (g, k) -> number along every path of parents, stopping at unknown or missing records.
void pfade(const QMap<qint32, RegisterKatze>& reg, qint32 nr, int g, int k,
           QMap<QPair<int, int>, qint32>& r) {
    if (g > 8 || !reg.contains(nr)) return;
    r[{g, k}] = nr;
    pfade(reg, reg[nr].vater, g + 1, 2 * k - 1, r);
    pfade(reg, reg[nr].mutter, g + 1, 2 * k, r);
}

QMap<QPair<int, int>, qint32> erwartet(qint32 katze) {
    QMap<qint32, RegisterKatze> reg;
    for (const RegisterKatze& k : kRegister)
        reg.insert(k.nr, k);
    QMap<QPair<int, int>, qint32> r;
    pfade(reg, reg[katze].vater, 1, 1, r);
    pfade(reg, reg[katze].mutter, 1, 2, r);
    return r;
}

QMap<QPair<int, int>, qint32> angezeigt(const TFormStammbaum& f) {
    QMap<QPair<int, int>, qint32> r;
    for (int g = 1; g <= 8; ++g)
        for (int k = 1; k <= (1 << g); ++k)
            if (const int n = TFormStammbaum::nummerAusText(f.slot(g, k)->text())) r[{g, k}] = n;
    return r;
}

// The mouse button pressed and let go at p of w, without more (a pop-up menu is not to be activated).
void knopf(QWidget* w, QPoint p, Qt::MouseButton b) {
    const QPointF g = w->mapToGlobal(QPointF(p));
    QMouseEvent druck(QEvent::MouseButtonPress, QPointF(p), g, b, b, Qt::NoModifier);
    QApplication::sendEvent(w, &druck);
    QMouseEvent los(QEvent::MouseButtonRelease, QPointF(p), g, b, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &los);
}

// A right click, with the context-menu request the window system sends after it.
void rechtsklick(QWidget* w, QPoint p) {
    knopf(w, p, Qt::RightButton);
    QContextMenuEvent e(QContextMenuEvent::Mouse, p, w->mapToGlobal(p));
    QApplication::sendEvent(w, &e);
}

// A right click on the slot, then the pop-up menu's entry, as the user chooses it.
void popupWahl(TFormStammbaum& f, QWidget* wo, const char* aktion) {
    rechtsklick(wo, wo->rect().center());
    QMenu* m = f.popup();
    ASSERT_TRUE(m->isVisible());
    QAction* a = m->findChild<QAction*>(QLatin1String(aktion));
    ASSERT_NE(a, nullptr);
    if (!a->isEnabled()) {
        m->hide();
        return;
    }
    knopf(m, m->actionGeometry(a).center(), Qt::LeftButton);
}

} // namespace

TEST(Stammbaum, SlotsWieDieUnabhaengigeLesung) {
    Stammbaum h;
    auto* f = h.oeffnenAuf(5);
    ASSERT_NE(f, nullptr);
    EXPECT_FALSE(h.haupt->katzenListe()->isVisible()); // an exclusive window
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Stammbaum über 8 Generationen"));
    for (int katze : {5, 6, 7, 12, 1}) {
        ASSERT_TRUE(f->katzeZeigen(katze));
        EXPECT_EQ(angezeigt(*f), erwartet(katze)) << katze;
    }
    // The display text: blank, titles, blank, name, the number in braces; unknown slots stay empty.
    f->katzeZeigen(7);
    EXPECT_EQ(f->slot(1, 1)->text(), QString());
    EXPECT_EQ(f->slot(1, 2)->text(), QStringLiteral("  Luna{6}"));
    EXPECT_EQ(f->slot(2, 3)->text(), QStringLiteral("  Pia{5}"));
    EXPECT_EQ(f->slot(2, 4)->text(), QString());
    EXPECT_TRUE(h.meldungen.meldungen.isEmpty());
}

TEST(Stammbaum, DoppelteVorfahrenInDenFarbenDerListe) {
    Stammbaum h;
    QList<int> farben;
    {
        store::Table t(*h.db, QStringLiteral("stbfarbe"));
        t.open(store::Table::OpenMode::ReadOnly);
        for (t.first(); t.hasRecord() && !t.eof(); t.next())
            farben << t.asInt(QStringLiteral("farbe"));
    }
    ASSERT_GE(farben.size(), 2);
    auto rgb = [](int w) {
        return QStringLiteral("rgb(%1,%2,%3)").arg(w & 0xff).arg((w >> 8) & 0xff).arg((w >> 16) & 0xff);
    };
    auto* f = h.oeffnenAuf(6);
    ASSERT_NE(f, nullptr);
    // Luna by Pia by the full siblings Mika and Bella: Zorro and Amira twice each, in slot order.
    const struct {
        int g, k;
        int farbe; // index into the list, -1 for none
    } faelle[] = {{1, 1, -1}, {2, 1, -1}, {2, 2, -1}, {3, 1, 0}, {3, 2, 1}, {3, 3, 0}, {3, 4, 1}};
    for (const auto& c : faelle) {
        const QString stil = f->slot(c.g, c.k)->styleSheet();
        if (c.farbe < 0)
            EXPECT_TRUE(stil.isEmpty()) << c.g << "_" << c.k;
        else
            EXPECT_TRUE(stil.contains(rgb(farben[c.farbe])))
                << c.g << "_" << c.k << " " << stil.toStdString();
    }
    // Loading another cat clears the old marks.
    f->katzeZeigen(3);
    EXPECT_TRUE(f->slot(1, 1)->styleSheet().isEmpty());
}

TEST(Stammbaum, OhneFarbenSchwarzOhneMeldung) {
    Stammbaum h(false, [](store::Database& db) {
        store::Table t(db, QStringLiteral("stbfarbe"));
        t.open();
        while (t.first(), t.hasRecord())
            t.remove();
    });
    auto* f = h.oeffnenAuf(5);
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->slot(2, 1)->styleSheet().contains(QStringLiteral("rgb(0,0,0)")));
    EXPECT_TRUE(f->slot(2, 3)->styleSheet().contains(QStringLiteral("rgb(0,0,0)")));
    EXPECT_TRUE(h.meldungen.meldungen.isEmpty());
}

TEST(Stammbaum, StammbaumLadenUndRuecksprung) {
    Stammbaum h;
    auto* f = h.oeffnenAuf(6);
    ASSERT_NE(f, nullptr);
    // Into the sire Pia, then into her dam Bella; one step back returns to Pia, not to Luna.
    popupWahl(*f, f->slot(1, 1), "StammbaumLaden");
    EXPECT_EQ(f->proband(), 5);
    EXPECT_EQ(f->SaveBookmark(), 6);
    popupWahl(*f, f->slot(1, 2), "StammbaumLaden");
    EXPECT_EQ(f->proband(), 4);
    EXPECT_EQ(TFormStammbaum::nummerAusText(f->slot(1, 1)->text()), 1);
    popupWahl(*f, f->slot(1, 1), "Ruecksprung");
    EXPECT_EQ(f->proband(), 5);
    EXPECT_EQ(f->SaveBookmark(), 0);
    // Rücksprung is disabled now; on the background "Stammbaum laden" is disabled.
    popupWahl(*f, f->slot(1, 1), "Ruecksprung");
    EXPECT_EQ(f->proband(), 5);
    QWidget* flaeche = f->findChild<QWidget*>(QStringLiteral("PanelStammbaum"));
    rechtsklick(flaeche, {2, 300});
    EXPECT_FALSE(f->katzeladen);
    // An empty slot saves the proband and changes nothing; the step back returns to the same cat.
    f->katzeZeigen(7);
    popupWahl(*f, f->slot(1, 1), "StammbaumLaden");
    EXPECT_EQ(f->proband(), 7);
    EXPECT_EQ(f->SaveBookmark(), 7);
    popupWahl(*f, f->slot(1, 2), "Ruecksprung");
    EXPECT_EQ(f->proband(), 7);
}

TEST(Stammbaum, InformationsfensterEinesVorfahren) {
    Stammbaum h;
    auto* f = h.oeffnenAuf(5);
    ASSERT_NE(f, nullptr);
    test::klicken(f->slot(1, 2));
    ASSERT_TRUE(f->infoPanel()->isVisible());
    EXPECT_TRUE(f->infoText()->toPlainText().contains(QStringLiteral("Bella")));
    test::klicken(f->infoText()->viewport());
    EXPECT_FALSE(f->infoPanel()->isVisible());
    // An empty slot shows an empty panel.
    f->katzeZeigen(1);
    test::klicken(f->slot(1, 1));
    EXPECT_TRUE(f->infoPanel()->isVisible());
    EXPECT_TRUE(f->infoText()->toPlainText().isEmpty());
}

TEST(Stammbaum, FehlendeUndKaputteBilderBleibenLeerOhneMeldung) {
    test::TempDir bilder;
    const QString gut = bilder.file(QStringLiteral("gut.png"));
    const QString kaputt = bilder.file(QStringLiteral("kaputt.jpg"));
    QImage(1000, 800, QImage::Format_RGB32).save(gut);
    {
        QFile k(kaputt);
        ASSERT_TRUE(k.open(QIODevice::WriteOnly));
        k.write("kein Bild");
    }
    Stammbaum h(false, [&](store::Database& db) {
        store::Table t(db, QStringLiteral("bilder"));
        t.open();
        const struct {
            int katze;
            QString pfad;
        } zeilen[] = {{3, gut}, {4, bilder.file(QStringLiteral("fehlt.png"))}, {1, kaputt}, {2, gut}};
        for (const auto& z : zeilen) {
            t.append();
            t.setValue(QStringLiteral("KatzeNr"), z.katze);
            t.setValue(QStringLiteral("Bildpfad"), z.pfad);
            t.post();
        }
    });
    TFormStammbaum::bilderVergessen();
    auto* f = h.oeffnenAuf(5);
    ASSERT_NE(f, nullptr);
    auto panel = [f](int g, int k) {
        return f->findChild<QWidget*>(QStringLiteral("Panel%1_%2").arg(g).arg(k));
    };
    auto bild = [f](int g, int k) {
        return f->findChild<QLabel*>(QStringLiteral("Bild%1_%2").arg(g).arg(k));
    };
    EXPECT_FALSE(panel(1, 1)->isHidden()); // Mika: a picture, shown within its frame
    EXPECT_FALSE(bild(1, 1)->pixmap().isNull());
    EXPECT_LE(bild(1, 1)->pixmap().width(), panel(1, 1)->width());
    EXPECT_TRUE(panel(1, 2)->isHidden());  // Bella: the file is gone
    EXPECT_TRUE(panel(2, 1)->isHidden());  // Zorro: not an image
    EXPECT_FALSE(panel(2, 2)->isHidden()); // Amira
    EXPECT_TRUE(panel(2, 3)->isHidden());
    EXPECT_TRUE(h.meldungen.meldungen.isEmpty());
    // Without the setting no picture is shown.
    h.einstellungen.StammbaumlangBild = false;
    f->katzeZeigen(5);
    EXPECT_TRUE(panel(1, 1)->isHidden());
}

TEST(Stammbaum, FolgtDerKatzeDesRegisters) {
    Stammbaum h(true);
    auto* f = h.oeffnenAuf(5);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->proband(), 5);
    // A recent cat chosen from the menu moves the register; the pedigree follows.
    h.einstellungen.LastCats[0] = QStringLiteral("Kreis {12}");
    h.haupt->AktualisiereLastCatsMenues();
    ASSERT_TRUE(h.menue(QStringLiteral("LastCat1")));
    EXPECT_EQ(f->proband(), 12);
    EXPECT_EQ(angezeigt(*f), erwartet(12));
    // The cats that are each other's sire fill eight generations and no more.
    EXPECT_EQ(TFormStammbaum::nummerAusText(f->slot(8, 1)->text()), 11);
}

TEST(Stammbaum, GesperrtWaehrendEinElternteilAusDemStammbaumEntsteht) {
    Stammbaum h;
    h.haupt->NeuausStb = true;
    EXPECT_TRUE(h.haupt->katzenListe()->zeigeKatze(5));
    EXPECT_FALSE(h.menue(QStringLiteral("MenuFormStammbaum")) &&
                 h.haupt->fenster(QStringLiteral("FormStammbaum")) != nullptr);
    EXPECT_EQ(h.meldungen.nummern(), QList<int>{223});
    h.haupt->NeuausStb = false;
    EXPECT_NE(h.oeffnenAuf(5), nullptr);
}

TEST(Stammbaum, SpeichertVorDemOeffnenWasImRegisterAussteht) {
    Stammbaum h(true);
    ASSERT_TRUE(h.katzenregister()->zeigeKatze(5));
    auto* name = h.katzenregister()->nameFeld();
    test::eintragen(name, QStringLiteral("Pia vom Hof"));
    ASSERT_TRUE(h.katzenregister()->bindung().geaendert());
    ASSERT_TRUE(h.menue(QStringLiteral("MenuFormStammbaum")));
    EXPECT_FALSE(h.katzenregister()->bindung().geaendert());
    store::Table t(*h.db, QStringLiteral("catstamm"));
    t.open(store::Table::OpenMode::ReadOnly);
    EXPECT_EQ(t.lookupValue(QStringLiteral("LaufendeNummer"), {5}, QStringLiteral("Name")).toString(),
              QStringLiteral("Pia vom Hof"));
}

TEST(Stammbaum, BeimSchliessenOhneEingepassteFensterWerdenDieAnderenNeuAngeordnet) {
    Stammbaum h(true);
    h.einstellungen.Fenstergroesse = false;
    QWidget* register_ = h.katzenregister()->parentWidget();
    register_->showNormal();
    register_->move(300, 200);
    auto* f = h.oeffnenAuf(5);
    ASSERT_NE(f, nullptr);
    ASSERT_TRUE(f->parentWidget()->close());
    test::ereignisse();
    EXPECT_EQ(h.haupt->fenster(QStringLiteral("FormStammbaum")), nullptr);
    // Cascaded: the only other window back to its normal size in the top left corner.
    EXPECT_FALSE(register_->isMaximized());
    EXPECT_EQ(register_->pos(), QPoint(0, 0));
}
