#pragma once
// The register's page "&Wurfdaten/Gewichte": the litter siblings and half-siblings, the cat's weights
// and sizes and the size of the litter it was born in.

#include "register/ui/katzenseite.h"

namespace velmora::reg {

class TDetailFormular;
class TDetailGitter;
class TGeschwisterRaster;

// The rows of a cat's own extra data ("Geb.-gew." to "Weitere Fehler"), on this page for the cat and on
// the litter book's kittens page for the selected kitten.
void zusatzdatenZeilen(TDetailFormular& f);

class TSeiteWurfdaten : public TKatzenSeite {
    Q_OBJECT
public:
    explicit TSeiteWurfdaten(TCatStamm& katzenregister);

    bool verlassen() override;
    void schliessen() override;
    void uebersetzt() override;

    TDetailGitter* gewichte() const { return m_gewichte; }
    TGeschwisterRaster* geschwister() const { return m_geschwister; }
    TDetailFormular* zusatzdaten() const { return m_zusatz; }
    TDetailFormular* wurffehler() const { return m_fehler; }

protected:
    void laden() override;

private:
    TDetailGitter* m_gewichte = nullptr;
    TGeschwisterRaster* m_geschwister = nullptr;
    TDetailFormular* m_zusatz = nullptr;
    TDetailFormular* m_fehler = nullptr;
};

} // namespace velmora::reg
