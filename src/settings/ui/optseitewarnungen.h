#pragma once
// Options page "Warnungen": which reminders the program checks at start-up.

#include "settings/ui/optionenseite.h"

namespace velmora::settings::ui {

class TOptSeiteWarnungen : public TOptionenSeite {
    Q_OBJECT
public:
    explicit TOptSeiteWarnungen(TRahmen& rahmen);
};

} // namespace velmora::settings::ui
