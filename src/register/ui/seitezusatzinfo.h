#pragma once
// The register's page "&Zusatzinfo": the cat's second and third registration, its death date with the
// age reached, and the remark.

#include "register/ui/katzenseite.h"

class QLabel;

namespace velmora::reg {

class TSeiteZusatzinfo : public TKatzenSeite {
    Q_OBJECT
public:
    explicit TSeiteZusatzinfo(TCatStamm& katzenregister);

    // The age reached by a dead cat, as the register computes it.
    void setAlterTod(const QString& alter);
    QString alterTod() const;

protected:
    void laden() override {}

private:
    QLabel* m_alterTod = nullptr;
};

} // namespace velmora::reg
