#include "printing/ui/farbe.h"

namespace velmora::printing {

QColor farbeAusWert(int wert) {
    const unsigned int w = static_cast<unsigned int>(wert);
    return QColor(int(w & 0xFF), int((w >> 8) & 0xFF), int((w >> 16) & 0xFF));
}

int wertAusFarbe(const QColor& farbe) {
    const QColor rgb = farbe.toRgb();
    return rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16);
}

QColor schriftFarbeAuf(const QColor& hintergrund) {
    const QColor c = hintergrund.toRgb();
    // Green looks brightest, blue darkest; pure blue and red take white, yellow and green black.
    const int helligkeit = (299 * c.red() + 587 * c.green() + 114 * c.blue()) / 1000;
    return helligkeit < 140 ? QColor(Qt::white) : QColor(Qt::black);
}

} // namespace velmora::printing
