#pragma once
// Options page "Adressen": the name search when a new address is entered.

#include "settings/ui/optionenseite.h"

namespace velmora::settings::ui {

class TOptSeiteAdressen : public TOptionenSeite {
    Q_OBJECT
public:
    explicit TOptSeiteAdressen(TRahmen& rahmen);
};

} // namespace velmora::settings::ui
