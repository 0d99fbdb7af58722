// The descendants windows inside a real main window on the hand-built family: the direct list with its
// index and labels by sex in three languages, following the cat list, the double click that makes a
// kitten the register's cat; the complete tree filled as nodes are opened with the arrow key, the data
// panel, "Keine Nachkommen vorhanden", a loop in the data, and the print over generations.

#include "app/ui/katzenliste.h"
#include "genealogy/familie.h"
#include "genealogy/ui/nachkommen.h"
#include "register/ui/tcatstamm.h"
#include "store/table.h"
#include "support/pdftexte.h"
#include "support/ui/hauptfenster.h"

#include <QFile>
#include <QHeaderView>
#include <QMap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace velmora;
using velmora::genealogy::TFormListeNachkommen;
using velmora::genealogy::TFormNachkommen;
namespace f = velmora::test::familie;

namespace {

struct Fenster : test::Hauptfenster {
    struct Gebietsschema {
        QLocale alt;
        Gebietsschema() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
        ~Gebietsschema() { QLocale::setDefault(alt); }
    } gebietsschema;
    test::Antworten meldungen;
    explicit Fenster(int sprache = 0) : test::Hauptfenster(optionen(sprache)) {}
    static Optionen optionen(int sprache) {
        Optionen o;
        o.sprache = sprache;
        o.vorher = [](store::Database& db) { test::familieSchreiben(db); };
        return o;
    }
    // The register shows the cat (as after the list's double click), then the window comes from the menu.
    template <typename W> W* oeffnenAuf(qint32 katze, const char* name) {
        app::KatzenListe* l = haupt->katzenListe();
        EXPECT_TRUE(l->zeigeKatze(katze));
        test::doppelklicken(l->viewport(), l->visualRect(l->currentIndex()).center());
        EXPECT_TRUE(menue(QStringLiteral("Menu") + QLatin1String(name)));
        return dynamic_cast<W*>(haupt->fenster(QLatin1String(name)));
    }
    void doppelklickInListe(qint32 katze) {
        app::KatzenListe* l = haupt->katzenListe();
        ASSERT_TRUE(l->zeigeKatze(katze));
        test::doppelklicken(l->viewport(), l->visualRect(l->currentIndex()).center());
    }
};

QStringList spalte(QTableWidget* g, int s) {
    QStringList l;
    for (int r = 0; r < g->rowCount(); ++r)
        l << g->item(r, s)->text();
    return l;
}

QStringList kinderTexte(QTreeWidgetItem* i) {
    QStringList l;
    for (int k = 0; k < i->childCount(); ++k)
        l << i->child(k)->text(0);
    return l;
}

// Selects the node by a click and opens it with the arrow key.
void oeffnen(QTreeWidget* t, QTreeWidgetItem* i) {
    t->scrollToItem(i);
    test::klicken(t->viewport(), t->visualItemRect(i).center());
    test::taste(t, Qt::Key_Right);
}

} // namespace

TEST(NachkommenFenster, DirekteListeNachGeschlechtInDreiSprachen) {
    const struct {
        int sprache;
        const char *mutter, *vater, *w, *wk;
    } faelle[] = {{0, "Mutter", "Vater", "w", "w/k"},
                  {1, "mother", "father", "f", "f/k"},
                  {2, "mother", "father", "", ""}};
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.sprache);
        Fenster h(fall.sprache);
        auto* n = h.oeffnenAuf<TFormNachkommen>(f::Zorro, "FormNachkommen");
        ASSERT_NE(n, nullptr);
        auto* g = n->findChild<QTableWidget*>(QStringLiteral("GridNachkommen"));
        EXPECT_EQ(spalte(g, 0), QStringList({"Gina", "Hugo", "Jack", "Ida", "Fiona", "Arno", "Bimbo", "Cleo",
                                             "Dino", "Eva"}));
        EXPECT_EQ(g->horizontalHeaderItem(4)->text(), QLatin1String(fall.mutter));
        const QStringList geschlecht = spalte(g, 2);
        EXPECT_EQ(geschlecht[1], QLatin1String(fall.w));                                 // Hugo "2"
        EXPECT_EQ(geschlecht[4], QLatin1String(fall.wk));                                // Fiona "4"
        EXPECT_EQ(geschlecht[6], fall.sprache == 2 ? QString() : QStringLiteral("m/k")); // Bimbo "3"
        EXPECT_EQ(geschlecht[0], QString());                                             // Gina "5"
        EXPECT_EQ(spalte(g, 4)[7], QStringLiteral("Amira"));

        // the spayed queen Fiona lists by Mutter and names the father
        h.doppelklickInListe(f::Fiona);
        EXPECT_EQ(n->katze(), f::Fiona);
        EXPECT_EQ(spalte(g, 0), QStringList{QStringLiteral("Lara")});
        EXPECT_EQ(g->horizontalHeaderItem(4)->text(), QLatin1String(fall.vater));
        EXPECT_EQ(spalte(g, 4), QStringList{QStringLiteral("Arno")});
    }
}

TEST(NachkommenFenster, DoppelklickMachtDasJungtierZurKatzeDesRegisters) {
    Fenster h;
    auto* n = h.oeffnenAuf<TFormNachkommen>(f::Amira, "FormNachkommen");
    ASSERT_NE(n, nullptr);
    auto* g = n->findChild<QTableWidget*>(QStringLiteral("GridNachkommen"));
    ASSERT_EQ(g->item(5, 0)->text(), QStringLiteral("Kuno"));
    test::doppelklicken(g->viewport(), g->visualItemRect(g->item(5, 0)).center());
    test::ereignisse();
    EXPECT_EQ(h.haupt->fenster(QStringLiteral("FormNachkommen")), nullptr);
    EXPECT_EQ(h.haupt->registerKatze(), f::Kuno); // the register showed it and reported it
    EXPECT_EQ(h.katzenregister()->katzen().asInt(QStringLiteral("LaufendeNummer")), f::Kuno);
    EXPECT_EQ(h.haupt->katzenListe()->aktuelleKatze(), f::Kuno);

    // the print lists every kitten with the other parent under caption 716 (a queen's kittens)
    n = h.oeffnenAuf<TFormNachkommen>(f::Amira, "FormNachkommen");
    ASSERT_NE(n, nullptr);
    QStringList texte;
    n->vorschau = [&](const printing::Bericht& b) {
        for (const printing::Seite& s : b.seiten())
            for (const printing::TextElement& t : s.texte())
                texte << t.text;
    };
    test::klicken(n->findChild<QPushButton*>(QStringLiteral("BitBtnDrucken")));
    EXPECT_TRUE(texte.contains(QStringLiteral("Nachkommen von : Amira")));
    EXPECT_TRUE(texte.contains(QStringLiteral("Vater")));
    EXPECT_EQ(texte.count(QStringLiteral("Zorro")), 5);
    EXPECT_TRUE(texte.contains(QStringLiteral("Nino")));
}

TEST(NachkommenFenster, GesamterBaumWaechstBeimOeffnen) {
    Fenster h;
    auto* n = h.oeffnenAuf<TFormListeNachkommen>(f::Zorro, "FormListeNachkommen");
    ASSERT_NE(n, nullptr);
    auto* t = n->findChild<QTreeWidget*>(QStringLiteral("TreeNachkommen"));
    auto* daten = n->findChild<QPlainTextEdit*>(QStringLiteral("MemoDaten"));
    QTreeWidgetItem* wurzel = t->topLevelItem(0);
    EXPECT_EQ(wurzel->text(0), QStringLiteral("Zorro {1}"));
    ASSERT_EQ(wurzel->childCount(), 10);
    EXPECT_EQ(wurzel->child(0)->text(0), QStringLiteral("Gina {16}"));
    EXPECT_EQ(kinderTexte(wurzel->child(0)), QStringList{QStringLiteral("neu")});
    EXPECT_EQ(wurzel->child(0)->child(0)->data(0, TFormListeNachkommen::kBildRolle).toInt(), 3);
    EXPECT_EQ(wurzel->child(1)->data(0, TFormListeNachkommen::kBildRolle).toInt(), 0); // Hugo "2"
    EXPECT_EQ(wurzel->child(2)->data(0, TFormListeNachkommen::kBildRolle).toInt(), 1); // Jack "1"
    EXPECT_EQ(n->gelesen(), 1); // only the root's kittens

    oeffnen(t, wurzel->child(0)); // Gina: her son Nino, taken by Vater
    EXPECT_EQ(kinderTexte(wurzel->child(0)), QStringList{QStringLiteral("Nino {23}")});
    EXPECT_EQ(kinderTexte(wurzel->child(0)->child(0)), QStringList{QStringLiteral("neu")});
    EXPECT_EQ(n->gelesen(), 2);
    EXPECT_TRUE(daten->toPlainText().contains(QStringLiteral("Mutter: Bella")));
    EXPECT_TRUE(daten->toPlainText().contains(QStringLiteral("Vater: Zorro")));
    test::taste(t, Qt::Key_Left);
    test::taste(t, Qt::Key_Right); // opened again: the same children, nothing read
    EXPECT_EQ(n->gelesen(), 2);
    EXPECT_EQ(wurzel->child(0)->childCount(), 1);

    oeffnen(t, wurzel->child(1)); // Hugo has none
    EXPECT_EQ(kinderTexte(wurzel->child(1)), QStringList{QStringLiteral("Keine Nachkommen vorhanden")});
    test::klicken(t->viewport(), t->visualItemRect(wurzel->child(1)->child(0)).center());
    EXPECT_TRUE(daten->toPlainText().isEmpty()); // a placeholder shows no data

    // each generation of the loop A -> B -> A is read when it is opened, and only then
    h.doppelklickInListe(f::SchleifeA);
    wurzel = t->topLevelItem(0);
    EXPECT_EQ(wurzel->text(0), QStringLiteral("Schleife A {30}"));
    const int vorher = n->gelesen();
    QTreeWidgetItem* i = wurzel->child(0);
    for (int schritt = 0; schritt < 4; ++schritt) {
        oeffnen(t, i);
        ASSERT_EQ(i->childCount(), 1);
        i = i->child(0);
        EXPECT_EQ(i->text(0),
                  schritt % 2 ? QStringLiteral("Schleife B {31}") : QStringLiteral("Schleife A {30}"));
    }
    EXPECT_EQ(n->gelesen(), vorher + 1); // B's and A's kittens, each read once

    h.doppelklickInListe(f::Einsam);
    ASSERT_EQ(t->topLevelItemCount(), 2);
    EXPECT_EQ(t->topLevelItem(0)->childCount(), 0);
    EXPECT_EQ(t->topLevelItem(1)->text(0), QStringLiteral("Keine Nachkommen vorhanden"));
    EXPECT_TRUE(h.meldungen.meldungen.isEmpty());
}

TEST(NachkommenFenster, EnglischeTexteDesBaums) {
    Fenster h(1);
    auto* n = h.oeffnenAuf<TFormListeNachkommen>(f::Gina, "FormListeNachkommen");
    ASSERT_NE(n, nullptr);
    auto* t = n->findChild<QTreeWidget*>(QStringLiteral("TreeNachkommen"));
    const QString daten = n->findChild<QPlainTextEdit*>(QStringLiteral("MemoDaten"))->toPlainText();
    EXPECT_TRUE(daten.contains(QStringLiteral("Dam: Bella"))) << daten.toStdString();
    EXPECT_TRUE(daten.contains(QStringLiteral("Sire: Zorro")));
    oeffnen(t, t->topLevelItem(0)->child(0)); // Nino has none
    EXPECT_EQ(t->topLevelItem(0)->child(0)->child(0)->text(0), QStringLiteral("No descendats available"));
}

TEST(NachkommenFenster, DruckUeberGenerationen) {
    Fenster h;
    auto* n = h.oeffnenAuf<TFormListeNachkommen>(f::Zorro, "FormListeNachkommen");
    ASSERT_NE(n, nullptr);
    auto* tiefe = n->findChild<QSpinBox*>(QStringLiteral("EditTiefe"));
    test::eintragen(tiefe, QStringLiteral("2"));
    EXPECT_EQ(tiefe->value(), 2);
    QList<QStringList> zeilen; // texts per printed line, by their y
    QStringList texte;
    n->vorschau = [&](const printing::Bericht& b) {
        for (const printing::Seite& s : b.seiten()) {
            QMap<int, QStringList> nachY;
            for (const printing::TextElement& t : s.texte()) {
                texte << t.text;
                nachY[int(t.box.top() * 10)] << t.text;
            }
            for (const QStringList& z : nachY)
                zeilen << z;
        }
    };
    test::klicken(n->findChild<QPushButton*>(QStringLiteral("BitBtnGenerationen")));
    // generation, cats, appearances, male, female, not recorded, living, dead
    EXPECT_TRUE(zeilen.contains(QStringList({"1", "10", "10", "4", "4", "2", "9", "1"})));
    EXPECT_TRUE(zeilen.contains(QStringList({"2", "3", "5", "2", "1", "0", "3", "0"})));
    EXPECT_TRUE(zeilen.contains(QStringList({"Gesamt", "13", "15", "6", "5", "2", "12", "1"})));
    EXPECT_EQ(texte.count(QStringLiteral("Lara {21}   w   01.01.23")), 2); // under Fiona and under Arno
    EXPECT_EQ(n->gelesen(), 1); // the print does not fill the window's tree

    test::TempDir d;
    const QString pdf = d.file(QStringLiteral("generationen.pdf"));
    n->pdfDateiWaehlen = [&] { return pdf; };
    test::klicken(n->findChild<QPushButton*>(QStringLiteral("BitBtnPdf")));
    QFile datei(pdf);
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    const QList<QStringList> seiten = test::PdfTexte(datei.readAll()).seiten();
    ASSERT_FALSE(seiten.isEmpty());
    EXPECT_TRUE(seiten.first().join(QLatin1Char(' ')).contains(QStringLiteral("Moritz")));
}
