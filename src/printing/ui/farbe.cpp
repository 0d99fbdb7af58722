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

} // namespace velmora::printing
