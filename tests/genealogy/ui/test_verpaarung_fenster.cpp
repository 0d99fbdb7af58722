// The matings window inside a real main window on the hand-built family: opened from the menu on the
// list's cat, its tree with the four pictures, the pages chosen by clicking nodes, following the cat
// list's double click, "Katze laden", a cat without matings, the print and the PDF.

#include "app/ui/katzenliste.h"
#include "genealogy/familie.h"
#include "genealogy/ui/verpaarung.h"
#include "genealogy/ui/verpaarungseite.h"
#include "settings/ui/optionen.h"
#include "settings/ui/optseiteverpaarung.h"
#include "settings/ui/reihenfolgeeditor.h"
#include "support/pdftexte.h"
#include "support/ui/hauptfenster.h"

#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTreeWidget>
#include <algorithm>
#include <gtest/gtest.h>

using namespace velmora;
using velmora::genealogy::TFormVerpaarung;
namespace f = velmora::test::familie;

namespace {

struct Fenster : test::Hauptfenster {
    struct Gebietsschema {
        QLocale alt;
        Gebietsschema() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
        ~Gebietsschema() { QLocale::setDefault(alt); }
    } gebietsschema;
    test::Antworten meldungen;
    TFormVerpaarung* v = nullptr;

    Fenster() : test::Hauptfenster(optionen()) {}
    static Optionen optionen() {
        Optionen o;
        o.vorher = [](store::Database& db) { test::familieSchreiben(db); };
        return o;
    }
    TFormVerpaarung* oeffnenAuf(qint32 katze) {
        EXPECT_TRUE(haupt->katzenListe()->zeigeKatze(katze));
        EXPECT_TRUE(menue(QStringLiteral("MenuFormVerpaarung")));
        v = dynamic_cast<TFormVerpaarung*>(haupt->fenster(QStringLiteral("FormVerpaarung")));
        return v;
    }
    QTreeWidget* baum() const { return v->findChild<QTreeWidget*>(QStringLiteral("TreeView")); }
    QString wert(const char* feld) const {
        return v->findChild<QPlainTextEdit*>(QLatin1String(feld))->toPlainText();
    }
    QString seite() const {
        return v->findChild<QStackedWidget*>(QStringLiteral("Seiten"))->currentWidget()->objectName();
    }
    std::optional<int> farbe() const {
        return dynamic_cast<genealogy::TVerpaarungSeite*>(
                   v->findChild<QStackedWidget*>(QStringLiteral("Seiten"))->currentWidget())
            ->farbe();
    }
    // Opens the way to the node with the arrow key as the user does, then clicks it.
    void waehle(QTreeWidgetItem* i) {
        QList<QTreeWidgetItem*> weg;
        for (QTreeWidgetItem* p = i->parent(); p; p = p->parent())
            weg.prepend(p);
        for (QTreeWidgetItem* p : weg)
            if (!p->isExpanded()) {
                test::klicken(baum()->viewport(), baum()->visualItemRect(p).center());
                test::taste(baum(), Qt::Key_Right);
            }
        baum()->scrollToItem(i);
        test::klicken(baum()->viewport(), baum()->visualItemRect(i).center());
    }
    static int bild(QTreeWidgetItem* i) { return i->data(0, TFormVerpaarung::kBildRolle).toInt(); }
};

} // namespace

TEST(VerpaarungFenster, BaumUndSeitenEinesKaters) {
    Fenster h;
    ASSERT_NE(h.oeffnenAuf(f::Zorro), nullptr);
    QTreeWidgetItem* wurzel = h.baum()->topLevelItem(0);
    ASSERT_NE(wurzel, nullptr);
    EXPECT_TRUE(wurzel->text(0).startsWith(QStringLiteral("Zorro")));
    EXPECT_EQ(Fenster::bild(wurzel), 1);
    ASSERT_EQ(wurzel->childCount(), 3);
    QTreeWidgetItem* amira = wurzel->child(0);
    EXPECT_TRUE(amira->text(0).startsWith(QStringLiteral("Amira")));
    EXPECT_EQ(Fenster::bild(amira), 0);
    ASSERT_EQ(amira->childCount(), 2);
    EXPECT_EQ(amira->child(0)->text(0), QStringLiteral("01.06.21"));
    EXPECT_EQ(Fenster::bild(amira->child(0)), 3);
    EXPECT_EQ(wurzel->child(2)->child(0)->text(0), QString()); // the undated litter
    QTreeWidgetItem* eva = amira->child(0)->child(1);
    EXPECT_TRUE(eva->text(0).startsWith(QStringLiteral("Eva")));
    EXPECT_EQ(Fenster::bild(eva), 0);                       // no sex code: female picture
    EXPECT_EQ(Fenster::bild(amira->child(1)->child(1)), 1); // Bimbo "3"

    // the cat's page
    EXPECT_EQ(h.seite(), QStringLiteral("SeiteTier"));
    EXPECT_EQ(h.farbe(), 0xF0CAA6);
    const struct {
        const char* feld;
        const char* wert;
    } tier[] = {{"FeldWuerfe", "  4"},
                {"FeldJungtiere", "  8"},
                {"FeldDurchschnitt", "  2,0"},
                {"FeldGroesster", "  3"},
                {"FeldKleinster", "  1"},
                {"FeldWeiblich", "  5"},
                {"FeldMaennlich", "  3"},
                {"FeldPartner", "  2  Würfe mit  Amira\n  1  Wurf   mit  Bella\n  1  Wurf   mit  Bella"}};
    for (const auto& t : tier)
        EXPECT_EQ(h.wert(t.feld), QString::fromUtf8(t.wert)) << t.feld;

    h.waehle(amira);
    EXPECT_EQ(h.seite(), QStringLiteral("SeitePartner"));
    EXPECT_EQ(h.v->art(), TFormVerpaarung::TArt::Partner);
    EXPECT_EQ(h.farbe(), 0xF0FBFF);
    EXPECT_EQ(h.wert("FeldPName"), QStringLiteral("Amira"));
    EXPECT_EQ(h.wert("FeldPWuerfe"), QStringLiteral("  2"));
    EXPECT_EQ(h.wert("FeldPJungtiere"), QStringLiteral("  5"));
    EXPECT_EQ(h.wert("FeldPDurchschnitt"), QStringLiteral("  2,5"));
    EXPECT_EQ(h.wert("FeldPGroesster"), QStringLiteral("  3"));
    EXPECT_EQ(h.wert("FeldPKleinster"), QStringLiteral("  2"));
    EXPECT_EQ(h.wert("FeldPMaennlich"), QStringLiteral("  3"));
    EXPECT_EQ(h.wert("FeldPWeiblich"), QStringLiteral("  2"));

    h.waehle(amira->child(0));
    EXPECT_EQ(h.seite(), QStringLiteral("SeiteWurf"));
    EXPECT_EQ(h.wert("FeldWDatum"), QStringLiteral("01.06.21"));
    EXPECT_EQ(h.wert("FeldWJungtiere"), QStringLiteral("  2"));
    EXPECT_EQ(h.wert("FeldWWeiblich"), QStringLiteral("  1"));
    EXPECT_EQ(h.wert("FeldWMaennlich"), QStringLiteral("  1"));

    h.waehle(amira->child(0)->child(0)); // Dino, dead
    EXPECT_EQ(h.seite(), QStringLiteral("SeiteJungtier"));
    EXPECT_EQ(h.wert("FeldJName"), QStringLiteral("Dino"));
    EXPECT_EQ(h.wert("FeldJTod"), QStringLiteral("01.01.22"));
    EXPECT_EQ(h.farbe(), 0xF0CAA6);
    h.waehle(eva);
    EXPECT_EQ(h.farbe(), std::nullopt); // no sex code: no colour

    QTreeWidgetItem* bella = wurzel->child(2);
    h.waehle(bella);
    EXPECT_EQ(h.wert("FeldPWuerfe"), QStringLiteral("  1")); // the undated kittens are one litter
    EXPECT_EQ(h.wert("FeldPJungtiere"), QStringLiteral("  2"));
    EXPECT_TRUE(h.meldungen.meldungen.isEmpty());
}

TEST(VerpaarungFenster, FolgtDerListeLaedtKatzenUndZeigtLeereSeite) {
    Fenster h;
    ASSERT_NE(h.oeffnenAuf(f::Zorro), nullptr);
    app::KatzenListe* l = h.haupt->katzenListe();
    ASSERT_TRUE(l->zeigeKatze(f::Einsam));
    test::doppelklicken(l->viewport(), l->visualRect(l->currentIndex()).center());
    EXPECT_EQ(h.v->tiernummer(), f::Einsam);
    QTreeWidgetItem* wurzel = h.baum()->topLevelItem(0);
    ASSERT_EQ(wurzel->childCount(), 1);
    EXPECT_EQ(wurzel->child(0)->text(0), QStringLiteral("Keine Verpaarungen vorhanden!"));
    EXPECT_EQ(Fenster::bild(wurzel->child(0)), 2);
    EXPECT_EQ(h.wert("FeldWuerfe"), QStringLiteral("  0"));
    EXPECT_EQ(h.wert("FeldDurchschnitt"), QStringLiteral("  0"));
    h.waehle(wurzel->child(0));
    EXPECT_EQ(h.seite(), QStringLiteral("SeiteLeer"));

    // "Katze laden": the search gives the queen Amira; her partners by name, the tom's picture
    h.v->katzeSuchen = [] { return int(f::Amira); };
    test::klicken(h.v->findChild<QPushButton*>(QStringLiteral("BitBtnKatzeLaden")));
    EXPECT_FALSE(h.v->maennlich());
    wurzel = h.baum()->topLevelItem(0);
    ASSERT_EQ(wurzel->childCount(), 3);
    EXPECT_TRUE(wurzel->child(0)->text(0).startsWith(QStringLiteral("Gina")));
    EXPECT_TRUE(wurzel->child(2)->text(0).startsWith(QStringLiteral("Zorro")));
    EXPECT_EQ(Fenster::bild(wurzel->child(2)), 1);
    EXPECT_EQ(Fenster::bild(wurzel), 0);
    h.waehle(wurzel->child(0)); // Gina, sex "5": no colour
    EXPECT_EQ(h.farbe(), std::nullopt);
    h.v->katzeSuchen = [] { return 0; }; // cancelled: nothing changes
    test::klicken(h.v->findChild<QPushButton*>(QStringLiteral("BitBtnKatzeLaden")));
    EXPECT_EQ(h.v->tiernummer(), f::Amira);
}

TEST(VerpaarungFenster, DruckUndPdf) {
    Fenster h;
    ASSERT_NE(h.oeffnenAuf(f::Zorro), nullptr);
    QStringList texte;
    h.v->vorschau = [&](const printing::Bericht& b) {
        for (const printing::Seite& s : b.seiten())
            for (const printing::TextElement& t : s.texte())
                texte << t.text;
    };
    test::klicken(h.v->findChild<QPushButton*>(QStringLiteral("BitBtnDruck")));
    for (const char* z :
         {"1/0   Dino", "0/1   Eva", "0/1   Fiona", "01.06.21", "  2  Würfe mit  Amira", "  8"})
        EXPECT_TRUE(std::any_of(texte.begin(), texte.end(), [z](const QString& t) {
            return t.startsWith(QString::fromUtf8(z));
        })) << z;
    // a litter's page prints its partner and its kittens, not the other partners
    h.waehle(h.baum()->topLevelItem(0)->child(0)->child(1));
    texte.clear();
    test::klicken(h.v->findChild<QPushButton*>(QStringLiteral("BitBtnDruck")));
    const QString alles = texte.join(QLatin1Char('|'));
    EXPECT_TRUE(alles.contains(QStringLiteral("1/0   Arno")));
    EXPECT_FALSE(alles.contains(QStringLiteral("Dino")));
    EXPECT_FALSE(alles.contains(QStringLiteral("Hugo")));

    test::TempDir d;
    const QString pdf = d.file(QStringLiteral("verpaarung.pdf"));
    h.v->pdfDateiWaehlen = [&] { return pdf; };
    test::klicken(h.v->findChild<QPushButton*>(QStringLiteral("BitBtnPdf")));
    QFile datei(pdf);
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    const QList<QStringList> seiten = test::PdfTexte(datei.readAll()).seiten();
    ASSERT_FALSE(seiten.isEmpty());
    EXPECT_TRUE(seiten.first().join(QLatin1Char(' ')).contains(QStringLiteral("Arno")));
}

TEST(VerpaarungFenster, SystemparameterZeigtNurDieVerpaarungsseiteUndDerBaumFolgtDerNeuenAnzeige) {
    Fenster h;
    ASSERT_NE(h.oeffnenAuf(f::Zorro), nullptr);
    ASSERT_EQ(h.baum()->topLevelItem(0)->text(0), QStringLiteral("Zorro"));
    test::klicken(h.v->findChild<QPushButton*>(QStringLiteral("BitBtnSystemparameter")));
    auto* o = dynamic_cast<settings::ui::TFOptionen*>(
        h.haupt->fenster(QLatin1String(settings::ui::kOptionenVerpaarung)));
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(o->seiten()->count(), 1);
    // The birth date added to the display order: the lines carry it after the name.
    settings::ui::TReihenfolgeEditor* e = o->seite<settings::ui::TOptSeiteVerpaarung>()->editor();
    test::klicken(e->hinzufuegenKnopf());
    const auto geb = e->verfuegbar()->findItems(QStringLiteral("Geb"), Qt::MatchStartsWith);
    ASSERT_FALSE(geb.isEmpty());
    test::klicken(e->verfuegbar()->viewport(), e->verfuegbar()->visualItemRect(geb.first()).center());
    test::klicken(e->okKnopf());
    test::klicken(o->speichernKnopf());
    test::ereignisse();
    EXPECT_EQ(h.haupt->fenster(QLatin1String(settings::ui::kOptionenVerpaarung)), nullptr);
    EXPECT_TRUE(h.baum()->topLevelItem(0)->text(0).startsWith(QStringLiteral("Zorro")));
    EXPECT_NE(h.baum()->topLevelItem(0)->text(0), QStringLiteral("Zorro"));
    EXPECT_TRUE(h.baum()->topLevelItem(0)->child(0)->text(0).startsWith(QStringLiteral("Amira")));
}
