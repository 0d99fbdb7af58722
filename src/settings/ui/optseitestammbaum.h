#pragma once
// Options page "Stammbaum": the items a cat shows in the pedigree window and in printed pedigrees,
// and the pictures of the long pedigree.

#include "settings/ui/optionenseite.h"

namespace velmora::settings::ui {

class TReihenfolgeEditor;

class TOptSeiteStammbaum : public TOptionenSeite {
    Q_OBJECT
public:
    explicit TOptSeiteStammbaum(TRahmen& rahmen);
    TReihenfolgeEditor* editor() const { return m_editor; }
    void uebersetzt() override;

private:
    TReihenfolgeEditor* m_editor = nullptr;
};

} // namespace velmora::settings::ui
