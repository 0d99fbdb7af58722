// One Paradox table file (and its .MB file) on any bytes: opening, walking every record, every value.
// The input is the .DB bytes, then optionally the marker "MBFILE" and the .MB bytes.

#include "store/paradox.h"

using namespace velmora::store;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray alles(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype trenner = alles.indexOf("MBFILE");
    const QByteArray db = trenner < 0 ? alles : alles.left(trenner);
    const QByteArray mb = trenner < 0 ? QByteArray() : alles.mid(trenner + 6);
    ParadoxTabelle t;
    if (!t.oeffnenDaten(db, mb)) return 0;
    QList<ParadoxWert> werte;
    int n = 0;
    while (t.naechster(werte) && ++n < 100000) {
        if (werte.size() != t.felder().size()) __builtin_trap();
        for (const ParadoxWert& w : werte)
            (void)w.wert.toString();
    }
    return 0;
}
