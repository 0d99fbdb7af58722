#pragma once
// Options page "Inzucht": whether the inbreeding window computes at once, the page it starts on, the
// generations it and the register compute over, and the ancestor lists.

#include "settings/ui/optionenseite.h"

class QComboBox;
class QLineEdit;

namespace velmora::settings::ui {

class TOptSeiteInzucht : public TOptionenSeite {
    Q_OBJECT
public:
    explicit TOptSeiteInzucht(TRahmen& rahmen);
    QComboBox* startregister() const { return m_start; }
    QLineEdit* generationen() const { return m_generationen; }
    QLineEdit* stammdatenGenerationen() const { return m_stdGenerationen; }

private:
    QComboBox* m_start = nullptr;
    QLineEdit* m_generationen = nullptr;
    QLineEdit* m_stdGenerationen = nullptr;
};

} // namespace velmora::settings::ui
