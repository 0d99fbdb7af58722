#include "app/ui/fensterarten.h"

#include "genealogy/ui/stammbaum.h"
#include "register/ui/referenzlisten.h"
#include "register/ui/tcatstamm.h"

namespace velmora::app {

void fensterartenRegistrieren() {
    reg::registerFensterRegistrieren();
    reg::referenzlistenRegistrieren();
    genealogy::stammbaumRegistrieren();
}

} // namespace velmora::app
