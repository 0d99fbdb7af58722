#include "app/ui/fensterarten.h"

#include "exchange/ui/onlinedbinterface.h"
#include "genealogy/ui/htmlstammbaum.h"
#include "common/ui/datensicherung.h"
#include "genealogy/ui/inzuchtgrad.h"
#include "genealogy/ui/nachkommen.h"
#include "genealogy/ui/partnersuche.h"
#include "genealogy/ui/population.h"
#include "genealogy/ui/stammbaum.h"
#include "genealogy/ui/statistikdatei.h"
#include "genealogy/ui/statistikstammbaum.h"
#include "genealogy/ui/topkatzen.h"
#include "genealogy/ui/verpaarung.h"
#include "office/ui/adressenverwaltung.h"
#include "office/ui/bueroliste.h"
#include "office/ui/buchfuehrung.h"
#include "register/ui/referenzlisten.h"
#include "register/ui/tcatstamm.h"
#include "settings/ui/optionen.h"
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
    genealogy::populationRegistrieren();
    genealogy::verpaarungRegistrieren();
    genealogy::nachkommenRegistrieren();
    genealogy::htmlStammbaumRegistrieren();
    office::adressenRegistrieren();
    office::bueroListenRegistrieren();
    exchange::onlineDatenbankRegistrieren();
    office::buchfuehrungRegistrieren();
    settings::ui::optionenRegistrieren();
    common::sicherungsfensterRegistrieren();
    store::ui::indexrekonstruktionRegistrieren();
}

} // namespace velmora::app
