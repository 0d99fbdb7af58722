#pragma once
// Options page "Druck": the top and left margin of every print layout.

#include "settings/ui/optionenseite.h"

class QLineEdit;
class QPushButton;

namespace velmora::settings::ui {

class TOptSeiteDruck : public TOptionenSeite {
    Q_OBJECT
public:
    explicit TOptSeiteDruck(TRahmen& rahmen);
    QPushButton* grundeinstellung() const { return m_grund; }

private:
    QLineEdit* m_oben = nullptr;
    QLineEdit* m_links = nullptr;
    QPushButton* m_grund = nullptr;
};

} // namespace velmora::settings::ui
