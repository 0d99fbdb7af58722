// The Drucken menu's entries on the register's cat: the pending edit is printed, an unsuited cat gets
// its message, the new-cat-from-pedigree mode refuses, and the pedigree commands print in their language
// with the pedigree's margins, logo and background. The forms' help, captions and the exclusive-window
// rule; the picture page's chosen picture on the printer; the litters read again after "&Drucken".

#include "app/ui/druckbefehle.h"
#include "printing/katzenregister.h"
#include "printing/ui/berichtdruck.h"
#include "printing/ui/formularfenster.h"
#include "register/ui/detailgitter.h"
#include "register/ui/seitebild.h"
#include "register/ui/seitezuchtbuch.h"
#include "register/ui/tcatstamm.h"
#include "support/pdftexte.h"
#include "support/ui/hauptfenster.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

QString alleTexte(const printing::Bericht& b) {
    QStringList t;
    for (const printing::Seite& s : b.seiten())
        for (const printing::TextElement& e : s.texte())
            t << e.text;
    return t.join(QLatin1Char('|'));
}

struct Druckfenster : test::Hauptfenster {
    explicit Druckfenster(const QString& ini = {}, std::function<void(store::Database&)> dazu = {})
        : test::Hauptfenster(optionen(ini, std::move(dazu))) {
        haupt->druckbefehle()->vorschau = [this](const printing::Bericht& b) { vorschauen << b; };
        haupt->druckbefehle()->druckDialog = [this](const printing::Bericht& b) { gedruckt << b; };
        app::KatzenListe* liste = haupt->katzenListe();
        EXPECT_TRUE(liste->zeigeKatze(10));
        test::doppelklicken(liste->viewport(), liste->visualRect(liste->currentIndex()).center());
        EXPECT_EQ(haupt->registerKatze(), 10);
    }
    static Optionen optionen(const QString& ini, std::function<void(store::Database&)> dazu) {
        Optionen o;
        o.ini += ini;
        o.vorher = [dazu](store::Database& db) {
            test::druckRegisterSchreiben(db);
            if (dazu) dazu(db);
        };
        return o;
    }
    test::Antworten meldungen;
    QList<printing::Bericht> vorschauen, gedruckt;
};

TEST(Druckbefehle, MenuEntriesPrintTheRegistersCatWithItsPendingEdit) {
    Druckfenster h;
    auto* name = h.katzenregister()->findChild<QLineEdit*>(QStringLiteral("DBName"));
    ASSERT_TRUE(name);
    test::eintragen(name, QStringLiteral("Luna die Zweite"));
    ASSERT_TRUE(h.menue(QStringLiteral("MenuKatzendaten")));
    ASSERT_EQ(h.vorschauen.size(), 1);
    EXPECT_TRUE(alleTexte(h.vorschauen[0]).contains(QStringLiteral("CH Luna die Zweite"))) << alleTexte(h.vorschauen[0]).toStdString();
    EXPECT_EQ(h.haupt->Druckentag, 1);

    // A queen has no mating book: message 219 and no preview.
    ASSERT_TRUE(h.menue(QStringLiteral("MenuDeckbuch")));
    EXPECT_EQ(h.meldungen.nummern(), QList<int>{219});
    EXPECT_EQ(h.vorschauen.size(), 1);

    ASSERT_TRUE(h.menue(QStringLiteral("MenuWurfdaten")));
    ASSERT_EQ(h.vorschauen.size(), 2);
    EXPECT_TRUE(alleTexte(h.vorschauen[1]).contains(QStringLiteral("Zorro of Brook")));
}

TEST(Druckbefehle, TheLitterRegistrationOpensPrefilledFromTheRegistersCatAndLitter) {
    Druckfenster h;
    QString mutter, kater;
    h.haupt->druckbefehle()->formularGeoeffnet = [&](printing::TFormularFenster& f) {
        mutter = f.formular().wert(QStringLiteral("MutterName"));
        kater = f.formular().wert(QStringLiteral("VaterName"));
        QTimer::singleShot(0, &f, &QDialog::reject);
    };
    ASSERT_TRUE(h.menue(QStringLiteral("MenuWurfmeldung")));
    EXPECT_EQ(mutter, QStringLiteral("CH Luna vom Lindenhof"));
    EXPECT_EQ(kater, QStringLiteral("Zorro of Brook"));
    EXPECT_TRUE(h.meldungen.nummern().isEmpty());
}

TEST(Druckbefehle, PedigreeCommandsPrintLandscapeInTheirLanguage) {
    Druckfenster h;
    ASSERT_TRUE(h.menue(QStringLiteral("MenuStammbaumEnglisch")));
    ASSERT_TRUE(h.menue(QStringLiteral("MenuStammbaumDeutsch")));
    ASSERT_EQ(h.gedruckt.size(), 2);
    EXPECT_EQ(h.gedruckt[0].ausrichtung(), printing::Seitenausrichtung::Querformat);
    EXPECT_TRUE(alleTexte(h.gedruckt[0]).contains(QStringLiteral("Pedigree")));
    EXPECT_TRUE(alleTexte(h.gedruckt[1]).contains(QStringLiteral("Stammbaum")));
    EXPECT_TRUE(alleTexte(h.gedruckt[1]).contains(QStringLiteral("Cäsar")));
}

TEST(Druckbefehle, RefusedWhileAParentIsEnteredFromThePedigree) {
    Druckfenster h;
    h.haupt->NeuausStb = true;
    for (const char* entry : {"MenuKatzendaten", "MenuStammbaumDeutsch", "MenuDrucken"})
        ASSERT_TRUE(h.menue(QLatin1String(entry))) << entry;
    EXPECT_EQ(h.meldungen.nummern(), (QList<int>{223, 223}));
    EXPECT_TRUE(h.vorschauen.isEmpty());
    EXPECT_TRUE(h.gedruckt.isEmpty());
}

} // namespace

namespace {

QLabel* beschriftungVon(QWidget* form, QWidget* feld) {
    for (QLabel* l : form->findChildren<QLabel*>())
        if (l->buddy() == feld) return l;
    return nullptr;
}

} // namespace

TEST(Druckbefehle, EachFormOpensItsHelpTopicAndACaptionClickPutsTheCursorIntoItsField) {
    Druckfenster h;
    const struct {
        const char* eintrag;
        const char* felder[2];
        const char* hilfe;
    } faelle[] = {{"MenuWurfmeldung", {"Geburtsdatum", "Deckdatum"}, "Help/160.html"},
                  {"MenuAusstellungsanmeldung", {"Ausstellungsort", "GebDatum"}, "Help/170.html"},
                  {"MenuAusstellungsanmeldungCFA", {"Verein", "Farbe"}, "Help/170.html"}};
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.eintrag);
        QStringList getroffen, texte;
        h.haupt->druckbefehle()->formularGeoeffnet = [&](printing::TFormularFenster& f) {
            QTimer::singleShot(0, &f, [&] {
                test::aktivieren(&f);
                for (const char* name : fall.felder) {
                    auto* feld = qobject_cast<QLineEdit*>(f.feld(QLatin1String(name)));
                    QLabel* l = beschriftungVon(&f, feld);
                    if (!feld || !l) continue;
                    test::klicken(l);
                    if (QApplication::focusWidget() == feld) getroffen << QLatin1String(name);
                    test::tippen(QStringLiteral("7"));
                    texte << feld->text();
                }
                h.meldungen.meldungen.clear();
                test::klicken(f.findChild<QPushButton*>(QStringLiteral("BitBtnHilfe")));
                f.reject();
            });
        };
        ASSERT_TRUE(h.menue(QLatin1String(fall.eintrag)));
        EXPECT_EQ(getroffen, (QStringList{QLatin1String(fall.felder[0]), QLatin1String(fall.felder[1])}));
        ASSERT_EQ(texte.size(), 2);
        for (const QString& t : texte)
            EXPECT_TRUE(t.endsWith(QLatin1Char('7'))) << t.toStdString();
        // The fixture installs no help pages: the message names the topic's page.
        ASSERT_EQ(h.meldungen.nummern(), QList<int>{179});
        EXPECT_TRUE(h.meldungen.meldungen[0].text.endsWith(QLatin1String(fall.hilfe)))
            << h.meldungen.meldungen[0].text.toStdString();
        EXPECT_EQ(h.haupt->druckbefehle()->formular(), nullptr); // gone when closed
    }
}

TEST(Druckbefehle, AnExclusiveWindowRefusesTheFormsAndComesForwardWhenTheFormIsActivated) {
    Druckfenster h;
    int geoeffnet = 0;
    h.haupt->druckbefehle()->formularGeoeffnet = [&](printing::TFormularFenster& f) {
        ++geoeffnet;
        QTimer::singleShot(0, &f, &QDialog::reject);
    };
    ASSERT_NE(h.ueberMenue(QStringLiteral("FormVereine")), nullptr);
    for (const char* eintrag : {"MenuWurfmeldung", "MenuAusstellungsanmeldung", "MenuAusstellungsanmeldungCFA"})
        ASSERT_TRUE(h.menue(QLatin1String(eintrag)));
    EXPECT_EQ(geoeffnet, 0);
    EXPECT_EQ(h.meldungen.nummern(), (QList<int>{3, 3, 3}));
    h.haupt->fenster(QStringLiteral("FormVereine"))->parentWidget()->close();
    test::ereignisse();

    // Opened while nothing blocks; an exclusive window opened behind it comes forward with its message
    // when the form is activated, once, however often the form is activated again.
    h.meldungen.meldungen.clear();
    QList<int> nachAktivierung;
    QWidget* vorn = nullptr;
    h.haupt->druckbefehle()->formularGeoeffnet = [&](printing::TFormularFenster& f) {
        ++geoeffnet;
        QTimer::singleShot(0, &f, [&] {
            test::aktivieren(&f);
            test::ereignisse();
            EXPECT_TRUE(h.meldungen.nummern().isEmpty());
            h.haupt->FensterZeigen(QStringLiteral("FormVereine"));
            h.haupt->mdi()->setActiveSubWindow(
                qobject_cast<QMdiSubWindow*>(h.katzenregister()->parentWidget()));
            for (int i = 0; i < 2; ++i) {
                QApplication::setActiveWindow(nullptr);
                test::ereignisse();
                test::aktivieren(&f);
                test::ereignisse();
            }
            nachAktivierung = h.meldungen.nummern();
            if (h.haupt->mdi()->activeSubWindow()) vorn = h.haupt->mdi()->activeSubWindow()->widget();
            f.reject();
        });
    };
    ASSERT_TRUE(h.menue(QStringLiteral("MenuWurfmeldung")));
    EXPECT_EQ(geoeffnet, 1);
    EXPECT_EQ(nachAktivierung, QList<int>{3});
    EXPECT_EQ(vorn, h.haupt->fenster(QStringLiteral("FormVereine")));
}

namespace {

void seiteZeigen(reg::TCatStamm* r, const char* objekt) {
    QTabWidget* seiten = r->seiten();
    QWidget* seite = r->findChild<QWidget*>(QLatin1String(objekt));
    ASSERT_NE(seite, nullptr) << objekt;
    test::klicken(seiten->tabBar(), seiten->tabBar()->tabRect(seiten->indexOf(seite)).center());
    ASSERT_EQ(seiten->currentWidget(), seite);
}

} // namespace

TEST(Druckbefehle, PrintingTheMedicalPageReadsTheLittersAgain) {
    Druckfenster h;
    reg::TCatStamm* r = h.katzenregister();
    auto* zucht = r->seite<reg::TSeiteZuchtbuch>();
    ASSERT_NE(zucht, nullptr);
    seiteZeigen(r, "TabSheetZuchtbuch");
    const int wuerfe = zucht->wuerfe()->zeilen();
    const int wiegungen = zucht->jungtierGewichte()->zeilen();
    ASSERT_EQ(wuerfe, 1);
    // Another connection to the data adds a litter and a weighing of the shown one.
    {
        store::Database andere(h.daten.path());
        test::zeileSchreiben(andere, "wurfbuch",
                             {{QStringLiteral("Katze"), 10}, {QStringLiteral("Kater"), 20},
                              {QStringLiteral("Wurftag"), QDate(2023, 2, 1)}});
        test::zeileSchreiben(andere, "jungtier",
                             {{QStringLiteral("Mutterkatze"), 10}, {QStringLiteral("Wurfdatum"), QDate(2024, 3, 14)},
                              {QStringLiteral("Wiegedatum"), QDate(2024, 3, 28)}, {QStringLiteral("Katze1"), QStringLiteral("250")}});
    }
    seiteZeigen(r, "TabSheetMedDaten");
    ASSERT_TRUE(h.menue(QStringLiteral("MenuDrucken")));
    ASSERT_EQ(h.vorschauen.size(), 1); // the weight table
    EXPECT_EQ(zucht->wuerfe()->zeilen(), wuerfe + 1);
    EXPECT_EQ(zucht->jungtierGewichte()->zeilen(), wiegungen + 1);
}

namespace {

QString bildDatei(const test::TempDir& dir, const char* name, QSize groesse) {
    QImage bild(groesse, QImage::Format_RGB32);
    bild.fill(Qt::darkCyan);
    const QString pfad = dir.file(QLatin1String(name));
    EXPECT_TRUE(bild.save(pfad));
    return pfad;
}

QList<QSize> pdfBilder(const QString& datei) {
    QFile f(datei);
    return f.open(QIODevice::ReadOnly) ? test::PdfTexte(f.readAll()).bilder() : QList<QSize>{};
}

} // namespace

TEST(Druckbefehle, ThePrintedPedigreeTakesItsMarginsLogoAndBackgroundFromTheSettings) {
    test::TempDir dateien;
    const QString logo = bildDatei(dateien, "logo.png", {30, 15});
    const QString grund = bildDatei(dateien, "grund.png", {70, 50});
    const struct {
        QString ini;
        double links, oben, rechts, unten; // mm
        bool bilder;
    } faelle[] = {
        // The defaults: 10, 125, 0, 40 tenths of a millimetre beyond the print margins (10 and 7 mm).
        {QString(), 11.0, 7.0, 22.5, 12.0, false},
        {QStringLiteral("[Druck]\r\nLinkerRand=20\r\nObereRand=5\r\n[Stammbaum]\r\nlinkerRand=0\r\nrechterRand=50\r\n"
                        "obererRand=30\r\nuntererRand=0\r\nLogo=%1\r\nLogoBildHorizontal=300\r\nLogoBildVertikal=150\r\n"
                        "Hintergrundbild=%2\r\n")
             .arg(logo, grund),
         20.0, 8.0, 15.0, 8.0, true}};
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.ini.toStdString());
        Druckfenster h(fall.ini);
        ASSERT_TRUE(h.menue(QStringLiteral("MenuStammbaumDeutsch")));
        ASSERT_EQ(h.gedruckt.size(), 1);
        const printing::Bericht& b = h.gedruckt[0];
        EXPECT_DOUBLE_EQ(b.raender().links, fall.links);
        EXPECT_DOUBLE_EQ(b.raender().oben, fall.oben);
        EXPECT_DOUBLE_EQ(b.raender().rechts, fall.rechts);
        EXPECT_DOUBLE_EQ(b.raender().unten, fall.unten);
        QList<printing::BildElement> bilder;
        for (const printing::Element& e : b.seite(0).elemente())
            if (const auto* bild = std::get_if<printing::BildElement>(&e)) bilder << *bild;
        if (!fall.bilder) {
            EXPECT_TRUE(bilder.isEmpty());
            continue;
        }
        // The background under everything, stretched over the area inside the margins.
        ASSERT_TRUE(std::holds_alternative<printing::BildElement>(b.seite(0).elemente().front()));
        ASSERT_EQ(bilder.size(), 2);
        EXPECT_EQ(bilder[0].datei, grund);
        EXPECT_EQ(bilder[0].box, b.inhalt());
        EXPECT_FALSE(bilder[0].seitenverhaeltnisBehalten);
        // The logo at its size printed at 300 dpi, inside the margins, beside the heading, not under a text.
        EXPECT_EQ(bilder[1].datei, logo);
        EXPECT_NEAR(bilder[1].box.width(), 25.4, 0.01);
        EXPECT_NEAR(bilder[1].box.height(), 12.7, 0.01);
        EXPECT_TRUE(b.inhalt().contains(bilder[1].box));
        for (const printing::TextElement& t : b.seite(0).texte())
            EXPECT_FALSE(t.box.intersects(bilder[1].box)) << t.text.toStdString();
        const QString pdf = dateien.file(QStringLiteral("stammbaum.pdf"));
        ASSERT_TRUE(printing::alsPdfSpeichern(b, pdf));
        EXPECT_EQ(pdfBilder(pdf), (QList<QSize>{{70, 50}, {30, 15}}));
    }
}

TEST(Druckbefehle, ThePicturePagePrintsThePictureChosenForPrinting) {
    test::TempDir dateien;
    const QString klein = bildDatei(dateien, "klein.png", {40, 30});
    const QString gross = bildDatei(dateien, "gross.png", {64, 48});
    Druckfenster h({}, [&](store::Database& db) {
        for (const QString& p : {klein, gross, dateien.file(QStringLiteral("fehlt.png"))})
            test::zeileSchreiben(db, "bilder", {{QStringLiteral("KatzeNr"), 10}, {QStringLiteral("Bildpfad"), p}});
    });
    const QString pdf = dateien.file(QStringLiteral("bild.pdf"));
    int eingerichtet = 0;
    h.haupt->druckbefehle()->druckerEinrichten = [&](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
        ++eingerichtet;
        return true;
    };
    reg::TCatStamm* r = h.katzenregister();
    seiteZeigen(r, "TabSheetBild");
    auto* seite = r->seite<reg::TSeiteBild>();
    ASSERT_EQ(seite->anzahl(), 3);
    // The choice typed on the page; a chosen picture whose file is missing gives the first that exists.
    const struct {
        const char* wahl;
        QSize gedruckt;
    } faelle[] = {{"2", {64, 48}}, {"3", {40, 30}}, {"1", {40, 30}}};
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.wahl);
        QFile::remove(pdf);
        test::eintragen(seite->druckFeld(), QLatin1String(fall.wahl));
        ASSERT_TRUE(h.menue(QStringLiteral("MenuDrucken")));
        EXPECT_EQ(pdfBilder(pdf), QList<QSize>{fall.gedruckt});
        QFile f(pdf);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QList<QStringList> seiten = test::PdfTexte(f.readAll()).seiten();
        ASSERT_EQ(seiten.size(), 1);
        EXPECT_TRUE(seiten[0].join(QString()).contains(QStringLiteral("Luna vom Lindenhof")))
            << seiten[0].join(QLatin1Char('|')).toStdString();
    }
    EXPECT_EQ(eingerichtet, 3);
    EXPECT_TRUE(h.vorschauen.isEmpty()); // straight to the printer
    EXPECT_TRUE(h.meldungen.nummern().isEmpty());
}
