#pragma once
// Options page "Wurfbuch": the days the litter book counts with (pregnancy, next heat with its
// tolerance, handing over the kittens).

#include "settings/ui/optionenseite.h"

namespace velmora::settings::ui {

class TOptSeiteWurfbuch : public TOptionenSeite {
    Q_OBJECT
public:
    explicit TOptSeiteWurfbuch(TRahmen& rahmen);
};

} // namespace velmora::settings::ui
