#pragma once
// The register's page "Z&uchtbuch".

#include "register/ui/katzenseite.h"

namespace velmora::reg {

class TSeiteZuchtbuch : public TKatzenSeite {
    Q_OBJECT
public:
    explicit TSeiteZuchtbuch(TCatStamm& katzenregister);

protected:
    void laden() override;
};

} // namespace velmora::reg
