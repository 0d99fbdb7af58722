#pragma once
// The register's page "&Ausstellung": the traditional show results and the show rating printed on the
// pedigree. The TICA and CFA results are not offered on this page.

#include "register/ui/katzenseite.h"

namespace velmora::reg {

class TDetailFormular;
class TDetailGitter;

class TSeiteAusstellung : public TKatzenSeite {
    Q_OBJECT
public:
    explicit TSeiteAusstellung(TCatStamm& katzenregister);

    bool verlassen() override;
    void schliessen() override;
    void uebersetzt() override;

    TDetailGitter* ausstellungen() const { return m_ausstellungen; }
    TDetailFormular* bewertung() const { return m_bewertung; }

protected:
    void laden() override;

private:
    TDetailGitter* m_ausstellungen = nullptr;
    TDetailFormular* m_bewertung = nullptr;
};

} // namespace velmora::reg
