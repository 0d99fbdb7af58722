#pragma once
// The address groups (caption "Status Adressen"): one editable column over StatusAdressen in its
// physical order, which is the order of the groups everywhere. At most ten groups: an eleventh is
// refused with message 134. Renaming or deleting a group changes no address.

#include "common/ui/listenfenster.h"

namespace velmora::office {

class TFormStatusAdressen : public TListenFenster {
    Q_OBJECT
public:
    explicit TFormStatusAdressen(TRahmen& h);
    bool oeffnen() override;
    void statusHinzufuegen();

protected:
    QList<TabellenModell::Spalte> spalten() override;
    void aufbauen(QVBoxLayout* inhalt) override;
};

} // namespace velmora::office
