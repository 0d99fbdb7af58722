#include "settings/ui/optseiteadressen.h"

#include <QVBoxLayout>

namespace velmora::settings::ui {

TOptSeiteAdressen::TOptSeiteAdressen(TRahmen& r)
    : TOptionenSeite(r, "TabSheetAdressen", {7617, "&Adressen"}) {
    auto* l = new QVBoxLayout(this);
    l->addWidget(
        jaNein("SuchebeiNeuaufnahmeAdresse", "RadioGroupSucheAdresse", {7629, "Suche bei Neuaufnahme"}));
    l->addStretch(1);
}

} // namespace velmora::settings::ui
