#pragma once
// Colours are stored as ints in the form 0x00BBGGRR (red in the lowest byte); these two turn them into
// QColor and back. Every module that paints a stored colour goes through them.

#include <QColor>

namespace velmora::printing {

// Only the low 24 bits count; the top byte (flags of special colour values) is ignored. Always opaque.
QColor farbeAusWert(int wert);
// The alpha channel is dropped.
int wertAusFarbe(const QColor& farbe);
// Black or white, whichever reads on the colour as a background (by its perceived brightness).
QColor schriftFarbeAuf(const QColor& hintergrund);

} // namespace velmora::printing
