// The HTML pedigree window inside a real main window: the file name from the cat, the header built
// from the layout editor and its options, a field dragged into a column, the picture beside the header
// taking column 2 away, writing (76), a missing folder (77), "Anzeigen" opening the page even when
// writing failed, the settings file written on closing, and following the register's cat.

#include "app/ui/katzenliste.h"
#include "app/ui/tvelmora.h"
#include "genealogy/register.h"
#include "genealogy/ui/htmlkopfeditor.h"
#include "genealogy/ui/htmlstammbaum.h"
#include "settings/inidatei.h"
#include "support/testsupport.h"
#include "support/ui/hauptfenster.h"

#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QUrl>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::genealogy;

namespace {

const QVector<test::RegisterKatze> kRegister = {{1, QStringLiteral("Zorro"), 0, 0, {}},
                                                {2, QStringLiteral("Amira"), 0, 0, {}},
                                                {3, QStringLiteral("Mika: \"Tom\"/<CH>"), 1, 2, {}},
                                                {4, QStringLiteral("Bella"), 3, 2, {}}};

struct Html : test::Hauptfenster {
    Html() : test::Hauptfenster(optionen()) {}
    static Optionen optionen() {
        Optionen o;
        o.mitRegister = false;
        o.vorher = [](store::Database& db) { test::schreibeKatzen(db.directory(), kRegister); };
        return o;
    }
    TFormHTMLStammbaum* oeffnenAuf(int katze) {
        EXPECT_TRUE(haupt->katzenListe()->zeigeKatze(katze));
        EXPECT_TRUE(menue(QStringLiteral("MenuFormHTMLStammbaum")));
        f = dynamic_cast<TFormHTMLStammbaum*>(haupt->fenster(QStringLiteral("FormHTMLStammbaum")));
        if (f) f->anzeigenMitDesktop = [this](const QUrl& u) {
            angezeigt << u.toLocalFile();
            return true;
        };
        return f;
    }
    template <typename T> T* w(const char* name) const {
        T* k = f->findChild<T*>(QLatin1String(name));
        EXPECT_NE(k, nullptr) << name;
        return k;
    }
    QStringList spalte(const char* memo) const {
        const QString t = w<QPlainTextEdit>(memo)->toPlainText();
        return t.isEmpty() ? QStringList() : t.split(QLatin1Char('\n'));
    }
    test::Antworten meldungen;
    TFormHTMLStammbaum* f = nullptr;
    QStringList angezeigt;
};

// A click on a radio button's circle (its middle may lie far beside it when the layout widens it).
void waehlen(QRadioButton* r) {
    test::klicken(r, QPoint(8, r->height() / 2));
}

} // namespace

TEST(HtmlStammbaumFenster, DateinameKopfSchreibenUndEinstellungenBeimSchliessen) {
    Html h;
    ASSERT_NE(h.oeffnenAuf(3), nullptr);
    EXPECT_EQ(h.f->windowTitle(), QStringLiteral("HTML-Stammbaum erstellen"));
    // no stored folder: the installation's BMP folder, the name without the characters a file name
    // cannot hold
    const QString bmp = QDir(QFileInfo(h.db->directory()).absolutePath()).filePath(QStringLiteral("BMP"));
    EXPECT_EQ(QDir::fromNativeSeparators(h.w<QLineEdit>("EditPfad")->text()),
              bmp + QStringLiteral("/Mika TomCH.htm"));
    EXPECT_EQ(h.w<QLineEdit>("MemoName")->text(), QStringLiteral("Mika: \"Tom\"/<CH>"));
    EXPECT_TRUE(h.spalte("MemoSpalte1").contains(QStringLiteral("Geschlecht: männlich")))
        << h.spalte("MemoSpalte1").join(u'|').toStdString();

    // the BMP folder does not exist yet
    test::klicken(h.w<QPushButton>("Button1"));
    EXPECT_EQ(h.meldungen.nummern(), QList<int>{77});

    const QString ziel = h.einstellungsDir.path() + QStringLiteral("/seite/mika.htm");
    QDir().mkpath(QFileInfo(ziel).absolutePath());
    test::eintragen(h.w<QLineEdit>("EditPfad"), ziel);
    test::eintragen(h.w<QLineEdit>("EditBreite"), QStringLiteral("800"));
    test::eintragen(h.w<QLineEdit>("EditTransparenz"), QStringLiteral("250")); // leaving it gives 100
    EXPECT_EQ(h.w<QLineEdit>("EditTransparenz")->text(), QStringLiteral("100"));
    auto* gen = h.w<QSpinBox>("SpinEdit1");
    test::klicken(gen);
    test::mausrad(gen, -1); // up one generation from the default 4
    EXPECT_EQ(gen->value(), 5);
    // the name preview is edited by hand; the page takes it as it stands
    test::eintragen(h.w<QLineEdit>("MemoName"), QStringLiteral("Mika & Co"));
    test::klicken(h.w<QPushButton>("Button1"));
    EXPECT_EQ(h.meldungen.nummern(), (QList<int>{77, 76}));
    QFile seite(ziel);
    ASSERT_TRUE(seite.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(seite.readAll());
    EXPECT_TRUE(html.contains(QStringLiteral("Mika &amp; Co"))) << html.left(2000).toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("Zorro")));
    EXPECT_EQ(html.count(QStringLiteral("unbekannt")), 60); // 62 cells of 5 generations, 2 known parents

    h.f->close();
    test::ereignisse();
    settings::IniDatei ini(h.einstellungsDir.path() + QStringLiteral("/HTMLTessaro.ini"));
    ASSERT_TRUE(ini.lesen());
    EXPECT_EQ(ini.leseZahl(QStringLiteral("HTML"), QStringLiteral("Seitenbreite"), 0), 800);
    EXPECT_EQ(ini.leseZahl(QStringLiteral("HTML"), QStringLiteral("AnzahlGenerationen"), 0), 5);
    EXPECT_EQ(ini.leseText(QStringLiteral("HTML"), QStringLiteral("StbTransparenz"), {}), QStringLiteral("100"));
    EXPECT_EQ(QDir::fromNativeSeparators(ini.leseText(QStringLiteral("HTML"), QStringLiteral("HTMLPfad"), {})),
              QFileInfo(ziel).absolutePath() + QLatin1Char('/'));
    // opened again, the window starts from the stored folder
    ASSERT_NE(h.oeffnenAuf(4), nullptr);
    EXPECT_EQ(QDir::fromNativeSeparators(h.w<QLineEdit>("EditPfad")->text()),
              QFileInfo(ziel).absolutePath() + QStringLiteral("/Bella.htm"));
    EXPECT_EQ(h.w<QSpinBox>("SpinEdit1")->value(), 5);
}

TEST(HtmlStammbaumFenster, KopfeditorZiehenOptionenUndBildNebenDemKopf) {
    Html h;
    ASSERT_NE(h.oeffnenAuf(3), nullptr);
    THTMLKopfEditor* e = h.f->kopfEditor();
    ASSERT_NE(e, nullptr);
    // Tests (10) is in column 2 by default; drag it to the top of column 1
    QFrame* tests = e->panel(10);
    ASSERT_EQ(e->felder()[9].spalte, 2);
    const QPoint griff(5, 5);
    const QPoint ziel = tests->mapFrom(e, QPoint(e->spaltenX(1) + 5, THTMLKopfEditor::kOben - 8));
    test::ziehen(tests, griff, ziel + griff);
    EXPECT_EQ(e->felder()[9].spalte, 1);
    EXPECT_EQ(e->FelderSortierung(1, 1), 10);
    EXPECT_EQ(h.spalte("MemoSpalte1").value(0), QStringLiteral("Tests: "));
    // its options: without the label, and left out when empty
    test::klicken(e->findChild<QPushButton*>(QStringLiteral("Optionen_10")));
    EXPECT_EQ(h.w<QStackedWidget>("PanelEinstellungen")->currentIndex(), 1);
    EXPECT_TRUE(h.w<QLabel>("LabelOptionenFuer")->text().endsWith(QStringLiteral("Tests")));
    waehlen(h.w<QRadioButton>("RadioFeldWeglassen"));
    EXPECT_NE(h.spalte("MemoSpalte1").value(0), QStringLiteral("Tests: "));
    EXPECT_EQ(e->felder()[9].weglassen, 0);
    test::klicken(h.w<QPushButton>("BitBtnOptionenZurueck"));
    EXPECT_EQ(h.w<QStackedWidget>("PanelEinstellungen")->currentIndex(), 0);

    // a picture beside the header: column 2 goes, its fields become available ones
    waehlen(h.w<QRadioButton>("RadioBildLinks"));
    EXPECT_FALSE(e->spalte2Sichtbar());
    for (const THTMLKopfFeld& f : e->felder())
        EXPECT_NE(f.spalte, 2);
    EXPECT_TRUE(h.spalte("MemoSpalte2").isEmpty());
    waehlen(h.w<QRadioButton>("RadioOhneBild"));
    EXPECT_TRUE(e->spalte2Sichtbar());
    EXPECT_FALSE(h.w<QLineEdit>("EditBild")->isEnabled());
}

TEST(HtmlStammbaumFenster, AnzeigenAuchNachFehlerUndFolgtDemRegister) {
    Html h;
    ASSERT_NE(h.oeffnenAuf(3), nullptr);
    // the installation's BMP folder is missing: 77, and the page is shown all the same
    test::klicken(h.w<QPushButton>("BitBtn1"));
    EXPECT_EQ(h.meldungen.nummern(), QList<int>{77});
    EXPECT_EQ(h.angezeigt.size(), 1);
    test::eintragen(h.w<QLineEdit>("EditPfad"), h.einstellungsDir.path() + QStringLiteral("/seite.htm"));
    test::eintragen(h.w<QLineEdit>("EditBreite"), QString()); // no page width: 74
    test::klicken(h.w<QPushButton>("BitBtn1"));
    EXPECT_EQ(h.meldungen.nummern(), (QList<int>{77, 74}));
    EXPECT_EQ(h.angezeigt.size(), 2);

    h.haupt->registerKatzeGezeigt(4);
    test::ereignisse();
    EXPECT_EQ(h.f->katze(), 4);
    EXPECT_EQ(h.w<QLineEdit>("MemoName")->text(), QStringLiteral("Bella"));
    EXPECT_TRUE(h.w<QLineEdit>("EditPfad")->text().endsWith(QStringLiteral("Bella.htm")));
}

// A real browser draws the page: headless, to a picture that is not one colour.
TEST(HtmlStammbaumFenster, BrowserZeichnetDieSeite) {
    const QString browser = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (browser.isEmpty()) GTEST_SKIP() << "no chromium installed, the page is not drawn";
    test::DataDir dir;
    test::TempDir aus, einst;
    test::schreibeKatzen(dir.path(), kRegister);
    const QString datei = aus.file(QStringLiteral("seite.htm"));
    ASSERT_EQ(test::runWerkzeug({QStringLiteral("html-stammbaum"), dir.path(), QStringLiteral("--katze"),
                                 QStringLiteral("4"), datei, QStringLiteral("--einstellungen"), einst.path()}),
              0);
    const QString bild = aus.file(QStringLiteral("seite.png"));
    QProcess p;
    p.start(browser, {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
                      QStringLiteral("--screenshot=") + bild, QStringLiteral("--window-size=1024,768"),
                      QUrl::fromLocalFile(datei).toString()});
    ASSERT_TRUE(p.waitForFinished(60000));
    QImage png(bild);
    ASSERT_FALSE(png.isNull());
    QSet<QRgb> farben;
    for (int y = 0; y < png.height() && farben.size() < 3; y += 7)
        for (int x = 0; x < png.width(); x += 7)
            farben.insert(png.pixel(x, y));
    EXPECT_GE(farben.size(), 3);
}
