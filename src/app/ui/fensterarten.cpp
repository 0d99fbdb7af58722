#include "app/ui/fensterarten.h"

#include "common/ui/datensicherung.h"
#include "genealogy/ui/inzuchtgrad.h"
#include "genealogy/ui/partnersuche.h"
#include "genealogy/ui/stammbaum.h"
#include "genealogy/ui/statistikdatei.h"
#include "genealogy/ui/statistikstammbaum.h"
#include "genealogy/ui/topkatzen.h"
#include "office/ui/adressenverwaltung.h"
#include "office/ui/bueroliste.h"
#include "register/ui/referenzlisten.h"
#include "register/ui/tcatstamm.h"
#include "store/ui/indexrekonstruktion.h"

namespace velmora::app {

void fensterartenRegistrieren() {
    reg::registerFensterRegistrieren();
    reg::referenzlistenRegistrieren();
    genealogy::stammbaumRegistrieren();
    genealogy::statistikDateiRegistrieren();
    genealogy::statistikStammbaumRegistrieren();
    genealogy::topKatzenRegistrieren();
    genealogy::inzuchtgradRegistrieren();
    genealogy::partnersucheRegistrieren();
    office::adressenRegistrieren();
    office::bueroListenRegistrieren();
    common::sicherungsfensterRegistrieren();
    store::ui::indexrekonstruktionRegistrieren();
}

} // namespace velmora::app
