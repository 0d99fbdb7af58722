#pragma once
// Options page "Statistiken": how many generations the feature statistics search.

#include "settings/ui/optionenseite.h"

namespace velmora::settings::ui {

class TOptSeiteStatistiken : public TOptionenSeite {
    Q_OBJECT
public:
    explicit TOptSeiteStatistiken(TRahmen& rahmen);
};

} // namespace velmora::settings::ui
