#include "register/ui/seitedokumente.h"

namespace velmora::reg {

TSeiteDokumente::TSeiteDokumente(TCatStamm& katzenregister)
    : TKatzenSeite(katzenregister, "TabSheetDokumente", 9416, "Dokumente") {}

void TSeiteDokumente::laden() {}

} // namespace velmora::reg
