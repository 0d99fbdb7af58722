#include "register/ui/seitezuchtbuch.h"

namespace velmora::reg {

TSeiteZuchtbuch::TSeiteZuchtbuch(TCatStamm& katzenregister)
    : TKatzenSeite(katzenregister, "TabSheetZuchtbuch", 9414, "Z&uchtbuch") {}

void TSeiteZuchtbuch::laden() {}

} // namespace velmora::reg
