#pragma once
// The register's page "Stamm&baum".

#include "register/ui/katzenseite.h"

namespace velmora::reg {

class TSeiteStammbaum : public TKatzenSeite {
    Q_OBJECT
public:
    explicit TSeiteStammbaum(TCatStamm& katzenregister);

protected:
    void laden() override;
};

} // namespace velmora::reg
