#include "printing/ui/berichtdruck.h"

#include "language/sprache.h"

#include "printing/ui/farbe.h"

#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <cmath>
#include <memory>
#include <vector>

namespace velmora::printing {

namespace {

constexpr double kMmProZoll = 25.4;
// Measuring at print resolution keeps screen hinting out of the widths.
constexpr double kMessDpi = 1200.0;

Qt::Alignment ausrichtung(HAusrichtung h, VAusrichtung v) {
    Qt::Alignment a;
    switch (h) {
    case HAusrichtung::Links:
        a |= Qt::AlignLeft;
        break;
    case HAusrichtung::Mitte:
        a |= Qt::AlignHCenter;
        break;
    case HAusrichtung::Rechts:
        a |= Qt::AlignRight;
        break;
    }
    switch (v) {
    case VAusrichtung::Oben:
        a |= Qt::AlignTop;
        break;
    case VAusrichtung::Mitte:
        a |= Qt::AlignVCenter;
        break;
    case VAusrichtung::Unten:
        a |= Qt::AlignBottom;
        break;
    }
    return a;
}

std::shared_ptr<QImage> messGeraet() {
    auto bild = std::make_shared<QImage>(1, 1, QImage::Format_RGB32);
    const int proMeter = int(std::lround(kMessDpi / 0.0254));
    bild->setDotsPerMeterX(proMeter);
    bild->setDotsPerMeterY(proMeter);
    return bild;
}

// Draws single elements; millimetres become device pixels of the painter's device.
class Zeichner {
public:
    explicit Zeichner(QPainter& painter)
        : m_painter(painter), m_sx(painter.device()->logicalDpiX() / kMmProZoll),
          m_sy(painter.device()->logicalDpiY() / kMmProZoll) {}

    void operator()(const TextElement& e) const {
        if (e.text.isEmpty()) return;
        const QRectF box = rechteck(e.box);
        m_painter.save();
        m_painter.setClipRect(box);
        m_painter.setFont(schriftAlsFont(e.schrift));
        m_painter.setPen(farbeAusWert(e.farbe));
        const int flags =
            int(ausrichtung(e.hAusrichtung, e.vAusrichtung)) | (e.umbrechen ? int(Qt::TextWordWrap) : 0);
        m_painter.drawText(box, flags, e.text);
        m_painter.restore();
    }

    void operator()(const LinienElement& e) const {
        if (e.staerke <= 0) return;
        m_painter.setPen(stift(e.farbe, e.staerke));
        m_painter.drawLine(punkt(e.von), punkt(e.bis));
    }

    void operator()(const RechteckElement& e) const {
        const QRectF box = rechteck(e.box);
        if (e.fuellfarbe) m_painter.fillRect(box, farbeAusWert(*e.fuellfarbe));
        if (e.staerke > 0) {
            m_painter.setPen(stift(e.rahmenfarbe, e.staerke));
            m_painter.setBrush(Qt::NoBrush);
            m_painter.drawRect(box);
        }
    }

    void operator()(const BildElement& e) const {
        // A missing or unreadable file leaves the box empty; the rest of the page still prints.
        const QImage bild(e.datei);
        if (bild.isNull()) return;
        QRectF ziel = rechteck(e.box);
        if (e.seitenverhaeltnisBehalten) {
            const QSizeF groesse = QSizeF(bild.size()).scaled(ziel.size(), Qt::KeepAspectRatio);
            ziel = QRectF(ziel.center() - QPointF(groesse.width(), groesse.height()) / 2, groesse);
        }
        m_painter.drawImage(ziel, bild);
    }

private:
    QRectF rechteck(const QRectF& mm) const {
        return QRectF(mm.x() * m_sx, mm.y() * m_sy, mm.width() * m_sx, mm.height() * m_sy);
    }
    QPointF punkt(const QPointF& mm) const { return QPointF(mm.x() * m_sx, mm.y() * m_sy); }
    QPen stift(Farbwert farbe, double staerke) const {
        QPen pen(farbeAusWert(farbe), staerke * m_sx);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        return pen;
    }

    QPainter& m_painter;
    double m_sx;
    double m_sy;
};

// Draws the listed pages (0-based) with a page break between them.
bool seitenZeichnen(const Bericht& bericht, QPagedPaintDevice& geraet, const std::vector<int>& seiten) {
    QPainter painter;
    if (!painter.begin(&geraet)) return false;
    bool erste = true;
    for (int index : seiten) {
        if (!erste) geraet.newPage();
        erste = false;
        seiteZeichnen(painter, bericht.seite(index));
    }
    return painter.end();
}

std::vector<int> bereich(const Bericht& bericht, int von, int bis) {
    const int n = bericht.seitenzahl();
    const int erste = std::max(1, von);
    const int letzte = bis <= 0 ? n : std::min(bis, n);
    std::vector<int> seiten;
    for (int i = erste; i <= letzte; ++i)
        seiten.push_back(i - 1);
    return seiten;
}

void druckerEinrichten(const Bericht& bericht, QPrinter& drucker) {
    drucker.setPageLayout(seitenLayout(bericht));
    drucker.setFullPage(true);
    drucker.setDocName(bericht.titel());
}

} // namespace

QFont schriftAlsFont(const Schrift& schrift) {
    QFont font;
    if (!schrift.familie.isEmpty()) font.setFamily(schrift.familie);
    font.setPointSizeF(schrift.groesse > 0 ? schrift.groesse : 10.0);
    font.setBold(schrift.fett);
    font.setItalic(schrift.kursiv);
    return font;
}

Textbreite schriftMessung() {
    auto geraet = messGeraet();
    return [geraet](const QString& text, const Schrift& schrift) {
        const QFontMetricsF fm(schriftAlsFont(schrift), geraet.get());
        return fm.horizontalAdvance(text) / kMessDpi * kMmProZoll;
    };
}

double zeilenabstandMm(const Schrift& schrift) {
    const auto geraet = messGeraet();
    const QFontMetricsF fm(schriftAlsFont(schrift), geraet.get());
    return fm.lineSpacing() / kMessDpi * kMmProZoll;
}

QPageLayout seitenLayout(const Bericht& bericht) {
    QPageLayout layout(QPageSize(bericht.papier(), QPageSize::Millimeter),
                       bericht.ausrichtung() == Seitenausrichtung::Querformat ? QPageLayout::Landscape
                                                                              : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    layout.setMode(QPageLayout::FullPageMode);
    return layout;
}

void seiteZeichnen(QPainter& painter, const Seite& seite) {
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    const Zeichner zeichner(painter);
    for (const Element& element : seite.elemente())
        std::visit(zeichner, element);
    painter.restore();
}

bool berichtZeichnen(const Bericht& bericht, QPagedPaintDevice& geraet, int von, int bis) {
    return seitenZeichnen(bericht, geraet, bereich(bericht, von, bis));
}

bool berichtDrucken(const Bericht& bericht, QPrinter& drucker) {
    drucker.setFullPage(true);
    std::vector<int> auswahl;
    if (drucker.printRange() == QPrinter::PageRange)
        auswahl = bereich(bericht, drucker.fromPage(), drucker.toPage());
    else
        auswahl = bereich(bericht, 1, 0);
    // Drivers that make copies themselves get each page once.
    const int kopien = drucker.supportsMultipleCopies() ? 1 : std::max(1, drucker.copyCount());
    std::vector<int> seiten;
    if (drucker.collateCopies()) {
        for (int k = 0; k < kopien; ++k)
            seiten.insert(seiten.end(), auswahl.begin(), auswahl.end());
    } else {
        for (int index : auswahl)
            seiten.insert(seiten.end(), size_t(kopien), index);
    }
    return seitenZeichnen(bericht, drucker, seiten);
}

bool alsPdfSpeichern(const Bericht& bericht, const QString& datei, QString* fehler) {
    QPdfWriter pdf(datei);
    pdf.setPageLayout(seitenLayout(bericht));
    pdf.setTitle(bericht.titel());
    pdf.setCreator(QStringLiteral("Velmora"));
    if (!berichtZeichnen(bericht, pdf)) {
        if (fehler) *fehler = QStringLiteral("Die Datei %1 kann nicht geschrieben werden.").arg(datei);
        return false;
    }
    return true;
}

bool druckenMitDialog(const Bericht& bericht, QWidget* parent) {
    QPrinter drucker(QPrinter::HighResolution);
    druckerEinrichten(bericht, drucker);
    QPrintDialog dialog(&drucker, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintToFile |
                      QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(1, std::max(1, bericht.seitenzahl()));
    if (dialog.exec() != QDialog::Accepted) return false;
    return berichtDrucken(bericht, drucker);
}

QString vorschauTitel(const Bericht& bericht) {
    QString titel = language::feldName(4997);
    if (titel.isEmpty()) titel = QStringLiteral("Druckvorschau");
    return bericht.titel().isEmpty() ? titel : titel + QStringLiteral(" - ") + bericht.titel();
}

void vorschauZeigen(const Bericht& bericht, QWidget* parent) {
    QPrinter drucker(QPrinter::HighResolution);
    druckerEinrichten(bericht, drucker);
    QPrintPreviewDialog dialog(&drucker, parent);
    dialog.setWindowTitle(vorschauTitel(bericht));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&bericht](QPrinter* p) { berichtDrucken(bericht, *p); });
    dialog.exec();
}

QImage seiteAlsBild(const Bericht& bericht, int index, double dpi) {
    if (index < 0 || index >= bericht.seitenzahl() || dpi <= 0) return {};
    const int breite = int(std::lround(bericht.breite() / kMmProZoll * dpi));
    const int hoehe = int(std::lround(bericht.hoehe() / kMmProZoll * dpi));
    QImage bild(breite, hoehe, QImage::Format_RGB32);
    const int proMeter = int(std::lround(dpi / 0.0254));
    bild.setDotsPerMeterX(proMeter);
    bild.setDotsPerMeterY(proMeter);
    bild.fill(Qt::white);
    QPainter painter(&bild);
    seiteZeichnen(painter, bericht.seite(index));
    painter.end();
    return bild;
}

} // namespace velmora::printing
