#include "register/ui/seitestammbaum.h"

namespace velmora::reg {

TSeiteStammbaum::TSeiteStammbaum(TCatStamm& katzenregister)
    : TKatzenSeite(katzenregister, "TabSheetStammbaum", 9410, "Stamm&baum") {}

void TSeiteStammbaum::laden() {}

} // namespace velmora::reg
