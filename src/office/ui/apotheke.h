#pragma once
// The cat pharmacy (caption "Apotheke"): medicines by group, name or expiry date, the expiry date with
// its calendar button. An ordinary child window: when it becomes active while an exclusive window is
// open, that window is brought to the front.

#include "office/ui/bueroliste.h"

namespace velmora::office {

class TFormApotheke : public TBueroListe {
    Q_OBJECT
public:
    explicit TFormApotheke(TRahmen& h);

protected:
    QList<TabellenModell::Spalte> spalten() override;
    void formAufbauen(QFormLayout* form) override;
    QWidget* erstesFeld() override;
    void showEvent(QShowEvent* e) override;

private:
    bool m_angemeldet = false;
};

} // namespace velmora::office
