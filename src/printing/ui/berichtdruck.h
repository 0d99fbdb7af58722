#pragma once
// Draws a `Bericht` with QPainter: into a PDF file, onto a printer chosen in the print dialog, into the
// print preview, or into an image. All outputs share `seiteZeichnen`, so the preview shows exactly what
// is printed.

#include "printing/bericht.h"
#include "printing/listenbericht.h"

#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QString>

class QPainter;
class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace velmora::printing {

// The QFont for a model font (point size, so it scales with the device resolution).
QFont schriftAlsFont(const Schrift& schrift);
// Text width from real font metrics, for `Listenbericht::setTextbreite`.
Textbreite schriftMessung();
// Line spacing of the font in mm: the smallest sensible row height for it.
double zeilenabstandMm(const Schrift& schrift);

// Paper size and orientation of the report, margins 0 in full-page mode: elements are placed from the
// paper corner, so the device must not move the origin.
QPageLayout seitenLayout(const Bericht& bericht);

// Draws one page; the painter's origin must be the paper's top-left corner, its unit device pixels.
void seiteZeichnen(QPainter& painter, const Seite& seite);

// Draws the pages `von`..`bis` (1-based; 0 for "to the end") onto a device that is already set up and
// not yet painted on, with a page break between pages. Returns false when painting cannot start.
bool berichtZeichnen(const Bericht& bericht, QPagedPaintDevice& geraet, int von = 1, int bis = 0);

// Prints to a printer set up by the caller (layout, copies, page range); switches it to full-page mode.
// Makes the copies (collated or not) itself where the driver does not.
bool berichtDrucken(const Bericht& bericht, QPrinter& drucker);

// Writes the report as a PDF file. On failure returns false and, if asked, a reason.
bool alsPdfSpeichern(const Bericht& bericht, const QString& datei, QString* fehler = nullptr);

// Shows the print dialog (printer, copies, page range) and prints. False when cancelled or failed.
bool druckenMitDialog(const Bericht& bericht, QWidget* parent);

// Shows the report in the print preview; printing from there uses the same drawing.
// The preview window's title: "Druckvorschau" in the current language, then the report's title.
QString vorschauTitel(const Bericht& bericht);
void vorschauZeigen(const Bericht& bericht, QWidget* parent);

// One page as an image at the resolution (dots per inch), white background.
QImage seiteAlsBild(const Bericht& bericht, int index, double dpi = 96.0);

} // namespace velmora::printing
