#pragma once
// The register's page "B&ild".

#include "register/ui/katzenseite.h"

namespace velmora::reg {

class TSeiteBild : public TKatzenSeite {
    Q_OBJECT
public:
    explicit TSeiteBild(TCatStamm& katzenregister);

protected:
    void laden() override;
};

} // namespace velmora::reg
