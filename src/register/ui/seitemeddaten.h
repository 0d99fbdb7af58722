#pragma once
// The register's page "&Med.Daten": vaccinations and wormings as grids, vet visits, the health sheet
// and, for a female, her pregnancies.

#include "register/ui/katzenseite.h"

class QTabWidget;

namespace velmora::reg {

class TDetailFormular;
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
    TDetailFormular* arztbesuche() const { return m_arzt; }
    TDetailFormular* krankenblatt() const { return m_krankenblatt; }
    TDetailFormular* schwangerschaften() const { return m_schwanger; }
    QTabWidget* reiter() const { return m_reiter; }
    // The pregnancy tab is offered for a female only.
    bool schwangerschaftAngeboten() const;

protected:
    void laden() override;

private:
    QList<TDetailGitter*> gitterListe() const;
    QList<TDetailFormular*> formulare() const;

    QTabWidget* m_reiter = nullptr;
    TDetailGitter* m_impfungen = nullptr;
    TDetailGitter* m_wurmkuren = nullptr;
    TDetailFormular* m_arzt = nullptr;
    TDetailFormular* m_krankenblatt = nullptr;
    TDetailFormular* m_schwanger = nullptr;
    int m_schwangerTab = -1;
};

} // namespace velmora::reg
