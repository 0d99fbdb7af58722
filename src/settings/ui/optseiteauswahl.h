#pragma once
// Options page "Auswahlfenster": whether the main window shows its cat list, which status values it
// lists and its order.

#include "settings/ui/optionenseite.h"

#include <QList>

class QCheckBox;

namespace velmora::settings::ui {

class TOptSeiteAuswahl : public TOptionenSeite {
    Q_OBJECT
public:
    explicit TOptSeiteAuswahl(TRahmen& rahmen);

    QCheckBox* alle() const { return m_alle; }
    QCheckBox* statusBox(int n) const { return m_status.value(n - 1); } // n from 1 to 9

    void uebersetzt() override;

private:
    void anzeigeGewechselt();
    void statusTexteSetzen();

    TWahlgruppe* m_anzeige = nullptr;
    QGroupBox* m_statusGruppe = nullptr;
    TWahlgruppe* m_sortierung = nullptr;
    QCheckBox* m_alle = nullptr;
    QList<QCheckBox*> m_status;
};

} // namespace velmora::settings::ui
