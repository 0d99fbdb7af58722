#include "register/ui/seiteausstellung.h"

namespace velmora::reg {

TSeiteAusstellung::TSeiteAusstellung(TCatStamm& katzenregister)
    : TKatzenSeite(katzenregister, "TabSheetAusstellung", 9415, "&Ausstellung") {}

void TSeiteAusstellung::laden() {}

} // namespace velmora::reg
