#pragma once
// The register's page "&Ausstellung".

#include "register/ui/katzenseite.h"

namespace velmora::reg {

class TSeiteAusstellung : public TKatzenSeite {
    Q_OBJECT
public:
    explicit TSeiteAusstellung(TCatStamm& katzenregister);

protected:
    void laden() override;
};

} // namespace velmora::reg
