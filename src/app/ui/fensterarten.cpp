#include "app/ui/fensterarten.h"

#include "register/ui/referenzlisten.h"
#include "register/ui/tcatstamm.h"

namespace velmora::app {

void fensterartenRegistrieren() {
    reg::registerFensterRegistrieren();
    reg::referenzlistenRegistrieren();
}

} // namespace velmora::app
