// Drawing reports: what lands on the page image, the PDF file, printer copies and page ranges.

#include "printing/listenbericht.h"
#include "printing/ui/berichtdruck.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QMap>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QTimer>
#include <gtest/gtest.h>

#include "support/pdftexte.h"

using namespace velmora::printing;
using velmora::test::TempDir;

// Readable failure output for texts.
void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

constexpr double kDpi = 150.0;

QRect pixel(const QRectF& mm) {
    const double f = kDpi / 25.4;
    return QRectF(mm.x() * f, mm.y() * f, mm.width() * f, mm.height() * f).toAlignedRect();
}

QColor farbeBei(const QImage& bild, const QPointF& mm) {
    return bild.pixelColor(int(mm.x() * kDpi / 25.4), int(mm.y() * kDpi / 25.4));
}

// Pixels in the area darker than mid grey.
int dunklePunkte(const QImage& bild, const QRectF& mm) {
    const QRect r = pixel(mm).intersected(bild.rect());
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(bild.pixel(x, y)) < 128) ++n;
    return n;
}

bool ganzWeiss(const QImage& bild, const QRectF& mm) {
    const QRect r = pixel(mm).intersected(bild.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (bild.pixel(x, y) != qRgb(255, 255, 255)) return false;
    return true;
}

QByteArray lesen(const QString& datei) {
    QFile f(datei);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Page objects of a PDF, not the page tree ("/Type /Pages").
int pdfSeiten(const QByteArray& pdf) {
    static const QRegularExpression seite(QStringLiteral("/Type\\s*/Page(?![A-Za-z])"));
    return int(QString::fromLatin1(pdf).count(seite));
}

using velmora::test::PdfTexte;

// Two pages: 51 rows fit the first (see the list report tests), the rest go to the second.
Bericht zweiseitigeListe() {
    Listenbericht l;
    l.setSeitenformat(Bericht::a4(), Seitenausrichtung::Hochformat, Raender{10, 10, 10, 10});
    l.setTitel(QStringLiteral("Deckkater"));
    l.setTitelHoehe(12.0);
    l.setZeilenhoehe(5.0);
    l.setSpalten({{QStringLiteral("Name"), 60.0}, {QStringLiteral("Rasse"), 40.0}});
    l.setTextbreite(schriftMessung());
    for (int i = 0; i < 60; ++i)
        l.textzeile(QStringList{QStringLiteral("Kater %1").arg(i + 1), QStringLiteral("Maine Coon")});
    return l.erstellen();
}

} // namespace

TEST(Berichtdruck, SchriftMessungIstEchtUndSkaliert) {
    Schrift s;
    s.groesse = 10.0;
    const Textbreite messen = schriftMessung();
    const double kurz = messen(QStringLiteral("Kater"), s);
    EXPECT_GT(kurz, 3.0); // five letters at 10 pt are some millimetres wide
    EXPECT_LT(kurz, 20.0);
    EXPECT_GT(messen(QStringLiteral("Kater Kater"), s), 2 * kurz);
    EXPECT_GT(messen(QStringLiteral("WWWW"), s), messen(QStringLiteral("iiii"), s));
    s.groesse = 20.0;
    EXPECT_NEAR(messen(QStringLiteral("Kater"), s), 2 * kurz, 0.3);
    const double abstand = zeilenabstandMm(s);
    EXPECT_GT(abstand, 20.0 * 25.4 / 72.0 * 0.9);
    EXPECT_LT(abstand, 20.0 * 25.4 / 72.0 * 1.6);
}

TEST(Berichtdruck, ListeMitEchtenSchriftmassenBrichtSoUmDassJedeZeilePasst) {
    Listenbericht l;
    l.setSpalten({{QStringLiteral("Bemerkung"), 45.0}, {QStringLiteral("Farbe"), 30.0}});
    const Textbreite messen = schriftMessung();
    l.setTextbreite(messen);
    l.setZeilenhoehe(zeilenabstandMm(Schrift{}));
    for (int i = 0; i < 40; ++i)
        l.zeile(
            {QStringLiteral("Sehr verschmust, frisst gern Huhn und schl\u00e4ft viel; WWWWWWWWWWWWWWWWWWWW"),
             Zelle::farbfeld(0x3060C0, QStringLiteral("schildpatt creme"))});
    const Bericht b = l.erstellen();
    EXPECT_GT(b.seitenzahl(), 1);
    int zeilen = 0;
    for (const Seite& seite : b.seiten())
        for (const TextElement& t : seite.texte()) {
            EXPECT_LE(messen(t.text, t.schrift), t.box.width() + 1e-6) << t.text.toStdString();
            ++zeilen;
        }
    EXPECT_GT(zeilen, 40 * 3); // the long remarks took several lines each
}

TEST(Berichtdruck, SeitenLayoutNimmtPapierUndAusrichtungVomBerichtUndKeineRaender) {
    Bericht b;
    b.setAusrichtung(Seitenausrichtung::Querformat);
    const QPageLayout quer = seitenLayout(b);
    EXPECT_EQ(quer.pageSize().id(), QPageSize::A4);
    EXPECT_EQ(quer.orientation(), QPageLayout::Landscape);
    EXPECT_EQ(quer.mode(), QPageLayout::FullPageMode);
    const QRectF voll = quer.fullRect(QPageLayout::Millimeter);
    EXPECT_NEAR(voll.width(), 297.0, 0.5);
    EXPECT_NEAR(voll.height(), 210.0, 0.5);
    EXPECT_EQ(quer.paintRect(QPageLayout::Millimeter), voll);

    b.setPapier(Bericht::a5());
    b.setAusrichtung(Seitenausrichtung::Hochformat);
    EXPECT_EQ(seitenLayout(b).pageSize().id(), QPageSize::A5);
    EXPECT_EQ(seitenLayout(b).orientation(), QPageLayout::Portrait);
}

TEST(Berichtdruck, ElementeLandenAnIhrerStelleInIhrerFarbe) {
    Bericht b;
    Seite& s = b.neueSeite();
    s.rechteck(QRectF(10, 10, 30, 20), 16711680, 0); // blue, no border
    s.rechteck(QRectF(50, 10, 30, 20), std::nullopt, 1.0);
    s.linie(QPointF(10, 50), QPointF(100, 50), 1.0, 0x00FF00);
    TextElement& rot = s.text(QRectF(10, 60, 80, 10), QStringLiteral("MMMMMMMM"));
    rot.farbe = 255;
    rot.schrift.groesse = 24;
    s.text(QRectF(10, 80, 180, 10), QStringLiteral("rechts"), Schrift{}, HAusrichtung::Rechts,
           VAusrichtung::Mitte);
    // Wrapped inside the box width, or kept on one line.
    const QString woerter = QStringLiteral("Wort ").repeated(12).trimmed(); // four lines of about 4 mm
    s.text(QRectF(120, 10, 30, 30), woerter).umbrechen = true;
    s.text(QRectF(160, 10, 30, 30), woerter);
    // Cut at its box: the right neighbour area stays clean.
    s.text(QRectF(10, 100, 10, 6), QStringLiteral("Ein sehr langer Text ohne Umbruch"));

    const QImage bild = seiteAlsBild(b, 0, kDpi);
    ASSERT_EQ(bild.size(), QSize(qRound(210 / 25.4 * kDpi), qRound(297 / 25.4 * kDpi)));

    EXPECT_EQ(farbeBei(bild, {25, 20}), QColor(0, 0, 255));
    EXPECT_EQ(farbeBei(bild, {5, 20}), QColor(Qt::white));
    // Border only: edge dark, inside white.
    EXPECT_LT(qGray(farbeBei(bild, {50.1, 20}).rgb()), 100);
    EXPECT_EQ(farbeBei(bild, {65, 20}), QColor(Qt::white));
    const QColor gruen = farbeBei(bild, {55, 50});
    EXPECT_GT(gruen.green(), 200);
    EXPECT_LT(gruen.red(), 60);

    int rote = 0;
    const QRect textBox = pixel(QRectF(10, 60, 80, 10));
    for (int y = textBox.top(); y <= textBox.bottom(); ++y)
        for (int x = textBox.left(); x <= textBox.right(); ++x) {
            const QColor c = bild.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 60 && c.blue() < 60) ++rote;
        }
    EXPECT_GT(rote, 100);

    EXPECT_GT(dunklePunkte(bild, QRectF(150, 80, 40, 10)), 0);
    EXPECT_EQ(dunklePunkte(bild, QRectF(10, 80, 120, 10)), 0);
    EXPECT_GT(dunklePunkte(bild, QRectF(10, 100, 10, 6)), 0);
    EXPECT_TRUE(ganzWeiss(bild, QRectF(20.5, 99, 100, 8)));

    EXPECT_GT(dunklePunkte(bild, QRectF(120, 20, 30, 10)), 0);
    EXPECT_GT(dunklePunkte(bild, QRectF(160, 10, 30, 5)), 0);
    EXPECT_TRUE(ganzWeiss(bild, QRectF(160, 16, 30, 24)));

    EXPECT_TRUE(seiteAlsBild(b, 1, kDpi).isNull());
}

TEST(Berichtdruck, BilderMitUndOhneSeitenverhaeltnisFehlendeDateiZeichnetNichts) {
    TempDir dir;
    QImage quer(200, 100, QImage::Format_RGB32);
    quer.fill(QColor(0, 200, 0));
    const QString datei = dir.file(QStringLiteral("quer.png"));
    ASSERT_TRUE(quer.save(datei));

    Bericht b;
    Seite& s = b.neueSeite();
    s.bild(QRectF(10, 10, 40, 40), datei, true);
    s.bild(QRectF(60, 10, 40, 40), datei, false);
    s.bild(QRectF(110, 10, 40, 40), dir.file(QStringLiteral("fehlt.jpg")));
    s.rechteck(QRectF(10, 60, 10, 10), 0);

    const QImage bild = seiteAlsBild(b, 0, kDpi);
    // Kept ratio: 40 x 20 mm centred, so the top quarter of the box is empty.
    EXPECT_EQ(farbeBei(bild, {30, 30}), QColor(0, 200, 0));
    EXPECT_EQ(farbeBei(bild, {30, 15}), QColor(Qt::white));
    EXPECT_EQ(farbeBei(bild, {30, 45}), QColor(Qt::white));
    // Stretched: the whole box.
    EXPECT_EQ(farbeBei(bild, {80, 15}), QColor(0, 200, 0));
    EXPECT_EQ(farbeBei(bild, {80, 45}), QColor(0, 200, 0));
    // Missing file: nothing in its box, and the elements after it still drawn.
    EXPECT_TRUE(ganzWeiss(bild, QRectF(110, 10, 40, 40)));
    EXPECT_EQ(farbeBei(bild, {15, 65}), QColor(Qt::black));
}

TEST(Berichtdruck, ListeAlsPdfMitZweiSeitenUndTexten) {
    const Bericht b = zweiseitigeListe();
    ASSERT_EQ(b.seitenzahl(), 2);

    TempDir dir;
    const QString datei = dir.file(QStringLiteral("liste.pdf"));
    QString fehler;
    ASSERT_TRUE(alsPdfSpeichern(b, datei, &fehler)) << fehler.toStdString();
    const QByteArray pdf = lesen(datei);
    ASSERT_FALSE(pdf.isEmpty());
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdfSeiten(pdf), 2);
    // A4 upright in points.
    EXPECT_TRUE(pdf.contains("/MediaBox [0 0 595")) << "MediaBox";

    // The words themselves: read back from the file, page by page, in drawing order.
    const QList<QStringList> seiten = PdfTexte(pdf).seiten();
    ASSERT_EQ(seiten.size(), 2);
    for (int index = 0; index < 2; ++index) {
        QStringList erwartet;
        for (const TextElement& t : b.seite(index).texte())
            erwartet.append(t.text);
        EXPECT_EQ(seiten.at(index), erwartet) << "Seite " << index + 1;
    }
    EXPECT_TRUE(seiten.at(0).contains(QStringLiteral("Seite 1 von 2")));
    EXPECT_TRUE(seiten.at(1).contains(QStringLiteral("Kater 60")));

    // And where they land: the page image comes from the same drawing code, with ink inside the boxes
    // the layout gave the texts and none beside the columns.
    for (int index = 0; index < 2; ++index) {
        const QImage bild = seiteAlsBild(b, index, kDpi);
        for (const TextElement& t : b.seite(index).texte())
            EXPECT_GT(dunklePunkte(bild, t.box), 0) << t.text.toStdString();
        EXPECT_TRUE(ganzWeiss(bild, QRectF(115, 30, 80, 240)));
    }
}

TEST(Berichtdruck, PdfInNichtVorhandenenOrdnerMeldetFehler) {
    TempDir dir;
    QString fehler;
    EXPECT_FALSE(alsPdfSpeichern(zweiseitigeListe(), dir.file(QStringLiteral("gibtsnicht/x.pdf")), &fehler));
    EXPECT_FALSE(fehler.isEmpty());
}

TEST(Berichtdruck, DruckerKopienUndSeitenbereich) {
    const Bericht b = zweiseitigeListe();
    TempDir dir;
    auto drucken = [&](const QString& name, int kopien, bool sortiert, int von, int bis) {
        QPrinter drucker(QPrinter::HighResolution);
        drucker.setOutputFormat(QPrinter::PdfFormat);
        drucker.setOutputFileName(dir.file(name));
        drucker.setPageLayout(seitenLayout(b));
        drucker.setCopyCount(kopien);
        drucker.setCollateCopies(sortiert);
        if (von > 0) {
            drucker.setPrintRange(QPrinter::PageRange);
            drucker.setFromTo(von, bis);
        }
        EXPECT_TRUE(berichtDrucken(b, drucker));
        return drucker.supportsMultipleCopies();
    };

    drucken(QStringLiteral("bereich.pdf"), 1, true, 2, 2);
    EXPECT_EQ(pdfSeiten(lesen(dir.file(QStringLiteral("bereich.pdf")))), 1);

    if (drucken(QStringLiteral("kopien.pdf"), 3, true, 0, 0))
        GTEST_SKIP() << "this PDF printer makes copies itself";
    EXPECT_EQ(pdfSeiten(lesen(dir.file(QStringLiteral("kopien.pdf")))), 6);

    // Collated: whole sets one after the other; otherwise each page repeated in place. The page
    // numbers at the foot tell which page of the report each printed sheet is.
    auto fussFolge = [&](const QString& name) {
        QStringList folge;
        for (const QStringList& texte : PdfTexte(lesen(dir.file(name))).seiten())
            folge.append(texte.isEmpty() ? QString() : texte.last());
        return folge;
    };
    const QString s1 = QStringLiteral("Seite 1 von 2");
    const QString s2 = QStringLiteral("Seite 2 von 2");
    EXPECT_EQ(fussFolge(QStringLiteral("kopien.pdf")), QStringList({s1, s2, s1, s2, s1, s2}));
    drucken(QStringLiteral("einzeln.pdf"), 2, false, 0, 0);
    EXPECT_EQ(fussFolge(QStringLiteral("einzeln.pdf")), QStringList({s1, s1, s2, s2}));
    drucken(QStringLiteral("bereichkopien.pdf"), 2, true, 2, 5);
    EXPECT_EQ(fussFolge(QStringLiteral("bereichkopien.pdf")), QStringList({s2, s2}));
}

TEST(Berichtdruck, VorschauZeigtAlleSeitenDesBerichts) {
    const Bericht b = zweiseitigeListe();
    int seiten = -1;
    QString titel;
    // The preview runs modal; look at it from inside its event loop, then close it.
    QTimer pruefen;
    QObject::connect(&pruefen, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        pruefen.stop();
        if (auto* vorschau = dialog->findChild<QPrintPreviewWidget*>()) seiten = vorschau->pageCount();
        titel = dialog->windowTitle();
        dialog->reject();
    });
    pruefen.start(10);
    vorschauZeigen(b, nullptr);
    EXPECT_EQ(seiten, 2);
    EXPECT_EQ(titel,
              QStringLiteral("Druckvorschau - Deckkater")); // the preview names itself, then the report
}
