#pragma once
// The register's page "&Med.Daten": vaccinations and wormings as grids, vet visits, the health sheet
// and, for a female, her pregnancies.

#include "register/ui/katzenseite.h"

class QTabWidget;

namespace velmora::reg {

class TDetailGitter;

class TSeiteMedDaten : public TKatzenSeite {
    Q_OBJECT
public:
    explicit TSeiteMedDaten(TCatStamm& katzenregister);

    bool verlassen() override;
    void schliessen() override;
    void uebersetzt() override;

    TDetailGitter* impfungen() const { return m_impfungen; }
    TDetailGitter* wurmkuren() const { return m_wurmkuren; }
    QTabWidget* reiter() const { return m_reiter; }

protected:
    void laden() override;

private:
    QList<TDetailGitter*> gitterListe() const;

    QTabWidget* m_reiter = nullptr;
    TDetailGitter* m_impfungen = nullptr;
    TDetailGitter* m_wurmkuren = nullptr;
};

} // namespace velmora::reg
