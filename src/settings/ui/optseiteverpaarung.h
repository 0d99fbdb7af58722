#pragma once
// Options page "Verpaarung": the items a cat shows in the matings window, in their order.

#include "settings/ui/optionenseite.h"

namespace velmora::settings::ui {

class TReihenfolgeEditor;

class TOptSeiteVerpaarung : public TOptionenSeite {
    Q_OBJECT
public:
    explicit TOptSeiteVerpaarung(TRahmen& rahmen);
    TReihenfolgeEditor* editor() const { return m_editor; }
    void uebersetzt() override;

private:
    TReihenfolgeEditor* m_editor = nullptr;
};

} // namespace velmora::settings::ui
