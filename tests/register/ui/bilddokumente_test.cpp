// The register's picture, document, extra-data and show pages as the user meets them: files that are
// missing or unreadable are named when the user asks to see them and nothing else changes; loading,
// deleting and the picture chosen for printing; a document opened with the desktop's program.

#include "common/ui/feldeditoren.h"
#include "register/ui/detailformular.h"
#include "register/ui/detailgitter.h"
#include "register/ui/seitebild.h"
#include "register/ui/seitedokumente.h"
#include "register/ui/seitezusatzinfo.h"
#include "register/ui/tcatstamm.h"
#include "store/table.h"
#include "support/ui/hauptfenster.h"

#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

void seiteZeigen(reg::TCatStamm* r, const char* objekt) {
    QTabWidget* seiten = r->seiten();
    QWidget* seite = r->findChild<QWidget*>(QLatin1String(objekt));
    ASSERT_NE(seite, nullptr) << objekt;
    test::klicken(seiten->tabBar(), seiten->tabBar()->tabRect(seiten->indexOf(seite)).center());
    ASSERT_EQ(seiten->currentWidget(), seite);
}

void bildKlicken(reg::TSeiteBild* s, int position) {
    QListWidget* l = s->leiste();
    test::klicken(l->viewport(), l->visualItemRect(l->item(position - 1)).center());
}

// The next file dialog takes this file.
void dateiWaehlen(const QString& pfad) {
    test::beimNaechstenDialog([pfad](QWidget* d) {
        auto* dlg = qobject_cast<QFileDialog*>(d);
        if (!dlg) {
            ADD_FAILURE() << "no file dialog";
            if (auto* andere = qobject_cast<QDialog*>(d)) andere->reject(); // never leave a test waiting
            return;
        }
        // The file chosen in the dialog and confirmed. The dialog's own accept() waits for its
        // directory model, which may never load under a loaded offscreen run.
        dlg->selectFile(pfad);
        static_cast<QDialog*>(dlg)->done(QDialog::Accepted);
    });
}

QVariant katzenFeld(store::Database& db, int nummer, const char* feld) {
    store::Table t(db, QStringLiteral("catstamm"));
    t.open(store::Table::OpenMode::ReadOnly);
    return t.lookupValue(QStringLiteral("LaufendeNummer"), {nummer}, QLatin1String(feld));
}

int zeilen(store::Database& db, const char* tabelle, const char* feld, int katze) {
    store::Table t(db, QLatin1String(tabelle));
    t.open(store::Table::OpenMode::ReadOnly);
    int n = 0;
    for (t.first(); t.hasRecord() && !t.eof(); t.next())
        n += t.asInt(QLatin1String(feld)) == katze;
    return n;
}

} // namespace

TEST(RegisterBilder, MissingAndBrokenPicturesAreNamedWhenAskedDeleteKeepsThePrintingChoice) {
    test::TempDir dateien;
    const QString gut = dateien.file(QStringLiteral("gut.jpg"));
    const QString weg = dateien.file(QStringLiteral("weg.jpg"));
    const QString kaputt = dateien.file(QStringLiteral("kaputt.jpg"));
    const QString neu = dateien.file(QStringLiteral("neu.bmp"));
    QImage bild(40, 30, QImage::Format_RGB32);
    bild.fill(Qt::red);
    ASSERT_TRUE(bild.save(gut, "JPG"));
    ASSERT_TRUE(bild.save(neu, "BMP"));
    QFile f(kaputt);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("kein Bild");
    f.close();
    int mimi = 0;
    test::Hauptfenster::Optionen o;
    o.vorher = [&](store::Database& db) {
        mimi = test::katzeAnlegen(db, QStringLiteral("Mimi"));
        store::Table b(db, QStringLiteral("bilder"));
        b.open();
        for (const QString& p : {gut, weg, kaputt, gut}) {
            b.append();
            b.setValue(QStringLiteral("KatzeNr"), mimi);
            b.setValue(QStringLiteral("Bildpfad"), p);
            b.post();
        }
        store::Table k(db, QStringLiteral("catstamm"));
        k.open();
        ASSERT_TRUE(k.findKey({mimi}));
        k.edit();
        k.setValue(QStringLiteral("Feld2"), 3);
        k.post();
    };
    test::Hauptfenster h(o);
    test::Antworten a;
    reg::TCatStamm* r = h.katzenregister();
    ASSERT_TRUE(r->zeigeKatze(mimi));
    seiteZeigen(r, "TabSheetBild");
    auto* s = r->seite<reg::TSeiteBild>();
    ASSERT_EQ(s->anzahl(), 4);
    EXPECT_EQ(s->positionText()->text(), QStringLiteral("Bild 1 von 4"));
    EXPECT_FALSE(s->grossBild()->pixmap().isNull());
    EXPECT_EQ(s->leiste()->item(2)->text(), QStringLiteral("3 *")); // chosen for printing
    EXPECT_EQ(a.nummern(), QList<int>{});                           // nothing said until the user asks

    // Asked to see them: a missing and an unreadable file are named; the rows stay.
    const struct {
        int position;
        int meldung;
        const QString& pfad;
    } faelle[] = {{2, 24, weg}, {3, 2902, kaputt}};
    for (const auto& fall : faelle) {
        a.meldungen.clear();
        bildKlicken(s, fall.position);
        ASSERT_EQ(a.nummern(), QList<int>{fall.meldung});
        EXPECT_TRUE(a.meldungen.first().text.endsWith(fall.pfad));
        EXPECT_EQ(s->gewaehlt(), fall.position);
        EXPECT_EQ(s->positionText()->text(), QStringLiteral("Bild %1 von 4").arg(fall.position));
    }
    EXPECT_EQ(zeilen(*h.db, "bilder", "KatzeNr", mimi), 4);
    a.meldungen.clear();

    // Deleting picture 2 while 3 is chosen: 3 becomes 2, and Feld2 follows it.
    bildKlicken(s, 2);
    a.meldungen.clear();
    a.antworten = {Antwort::Ja};
    test::klicken(s->loeschenKnopf());
    EXPECT_EQ(a.nummern(), QList<int>{27});
    EXPECT_EQ(zeilen(*h.db, "bilder", "KatzeNr", mimi), 3);
    EXPECT_EQ(katzenFeld(*h.db, mimi, "Feld2").toInt(), 2);
    EXPECT_EQ(s->leiste()->item(1)->text(), QStringLiteral("2 *"));

    // A typed choice outside the pictures: 227 and no choice.
    a.meldungen.clear();
    test::eintragen(s->druckFeld(), QStringLiteral("7"));
    EXPECT_EQ(a.nummern(), QList<int>{227});
    EXPECT_EQ(katzenFeld(*h.db, mimi, "Feld2").toInt(), 0);
    test::eintragen(s->druckFeld(), QStringLiteral("1"));
    EXPECT_EQ(katzenFeld(*h.db, mimi, "Feld2").toInt(), 1);

    // Loading: a file that exists is added and shown; one that does not gives 24 with its name.
    a.meldungen.clear();
    dateiWaehlen(neu);
    test::klicken(s->ladenKnopf());
    EXPECT_EQ(s->anzahl(), 4);
    EXPECT_EQ(s->positionText()->text(), QStringLiteral("Bild 4 von 4"));
    EXPECT_FALSE(s->grossBild()->pixmap().isNull());
    dateiWaehlen(dateien.file(QStringLiteral("gibtsnicht.jpg")));
    test::klicken(s->ladenKnopf());
    EXPECT_EQ(a.nummern(), QList<int>{24});
    EXPECT_EQ(zeilen(*h.db, "bilder", "KatzeNr", mimi), 4);
}

TEST(RegisterDokumente, LoadedDocumentOpensWithTheDesktopMissingOrUnopenableFilesAreNamed) {
    test::TempDir dateien;
    const QString pfad = dateien.file(QStringLiteral("impfpass.pdf"));
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("%PDF-1.4");
    f.close();
    QList<QUrl> geoeffnet;
    bool gelingt = true;
    const auto alt = reg::TSeiteDokumente::oeffner();
    reg::TSeiteDokumente::oeffner() = [&](const QUrl& u) {
        geoeffnet << u;
        return gelingt;
    };
    int mimi = 0;
    test::Hauptfenster::Optionen o;
    o.vorher = [&](store::Database& db) { mimi = test::katzeAnlegen(db, QStringLiteral("Mimi")); };
    {
        test::Hauptfenster h(o);
        test::Antworten a;
        reg::TCatStamm* r = h.katzenregister();
        ASSERT_TRUE(r->zeigeKatze(mimi));
        seiteZeigen(r, "TabSheetDokumente");
        auto* s = r->seite<reg::TSeiteDokumente>();
        // A cat without documents gets its first row.
        dateiWaehlen(pfad);
        test::klicken(s->ladenKnopf());
        ASSERT_EQ(zeilen(*h.db, "dokumente", "KatzeNr", mimi), 1);
        EXPECT_EQ(s->dokumente()->wert(0, QStringLiteral("DokPfad")).toString(), pfad);
        test::klicken(s->ansehenKnopf());
        EXPECT_EQ(geoeffnet, QList<QUrl>{QUrl::fromLocalFile(pfad)});

        // No program for it: named. The file gone: named, nothing opened, the row stays.
        gelingt = false;
        test::klicken(s->ansehenKnopf());
        EXPECT_EQ(a.nummern(), QList<int>{2901});
        QFile::remove(pfad);
        geoeffnet.clear();
        a.meldungen.clear();
        test::klicken(s->ansehenKnopf());
        EXPECT_EQ(a.nummern(), QList<int>{2900});
        EXPECT_TRUE(a.meldungen.first().text.endsWith(pfad));
        EXPECT_TRUE(geoeffnet.isEmpty());
        EXPECT_EQ(zeilen(*h.db, "dokumente", "KatzeNr", mimi), 1);
    }
    reg::TSeiteDokumente::oeffner() = alt;
}

TEST(RegisterZusatzinfo, FeatureChosenAndOwnNotesStoredARowWithoutFeatureDropped) {
    int mimi = 0, merkmal = 0;
    test::Hauptfenster::Optionen o;
    o.vorher = [&](store::Database& db) {
        mimi = test::katzeAnlegen(db, QStringLiteral("Mimi"));
        store::Table m(db, QStringLiteral("merkmale"));
        m.open();
        m.append();
        m.setValue(QStringLiteral("Bezeichnung"), QStringLiteral("Knickschwanz"));
        m.setValue(QStringLiteral("Kuerzel"), QStringLiteral("KS"));
        m.setValue(QStringLiteral("farbe"), 0x0000FF);
        m.post();
        merkmal = m.asInt(QStringLiteral("LaufendeNummer"));
    };
    test::Hauptfenster h(o);
    test::Antworten a;
    reg::TCatStamm* r = h.katzenregister();
    ASSERT_TRUE(r->zeigeKatze(mimi));
    seiteZeigen(r, "TabSheetZusatzinfo");
    auto* s = r->seite<reg::TSeiteZusatzinfo>();
    // A row without a feature is dropped; a chosen feature is stored with its colour and abbreviation.
    test::klicken(s->merkmale()->hinzufuegenKnopf());
    seiteZeigen(r, "TabSheetStammdaten");
    EXPECT_EQ(zeilen(*h.db, "katzemerkmal", "Katze", mimi), 0);
    seiteZeigen(r, "TabSheetZusatzinfo");
    test::klicken(s->merkmale()->hinzufuegenKnopf());
    QComboBox* wahl = s->merkmalWahl();
    ASSERT_GT(wahl->findData(merkmal), 0);
    wahl->setFocus();
    for (int i = 0; i < 50 && wahl->currentData() != QVariant(merkmal); ++i) // down the list to it
        test::taste(wahl, Qt::Key_Down);
    EXPECT_EQ(s->merkmale()->modell()->index(0, 2).data().toString(), QStringLiteral("KS"));
    EXPECT_EQ(s->merkmale()->modell()->index(0, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::red));
    test::klicken(s->eigeneInfo()->hinzufuegenKnopf());
    test::tippen(QStringLiteral("ruhig"));
    seiteZeigen(r, "TabSheetStammdaten");
    EXPECT_EQ(zeilen(*h.db, "katzemerkmal", "Katze", mimi), 1);
    EXPECT_EQ(zeilen(*h.db, "eigeneinfo", "Katze", mimi), 1);
    EXPECT_EQ(a.nummern(), QList<int>{});
}
