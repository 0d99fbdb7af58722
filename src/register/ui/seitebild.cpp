#include "register/ui/seitebild.h"

namespace velmora::reg {

TSeiteBild::TSeiteBild(TCatStamm& katzenregister)
    : TKatzenSeite(katzenregister, "TabSheetBild", 9411, "B&ild") {}

void TSeiteBild::laden() {}

} // namespace velmora::reg
