#pragma once
// The register's page "Dokumente".

#include "register/ui/katzenseite.h"

namespace velmora::reg {

class TSeiteDokumente : public TKatzenSeite {
    Q_OBJECT
public:
    explicit TSeiteDokumente(TCatStamm& katzenregister);

protected:
    void laden() override;
};

} // namespace velmora::reg
