// The vCard reader on any bytes; every card it returns is written again and read back to the same card.

#include "office/vcard.h"

using namespace velmora::office;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const VcardGelesen g = vcardsLesen(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    for (const Adresse& a : g.karten) {
        const VcardGelesen zurueck = vcardsLesen(vcardSchreiben(a));
        if (zurueck.karten.size() != 1) __builtin_trap();
    }
    return 0;
}
