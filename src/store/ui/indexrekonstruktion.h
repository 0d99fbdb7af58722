#pragma once
// The index rebuild window (FormIndexrekonstruktion): one check box per group of tables, "&Start" runs
// the ticked groups through store/indexlauf.h with the connection closed, and afterwards the program ends
// for a restart, so no window works on the rebuilt tables before a new start.

#include "common/ui/kindfenster.h"

#include <QList>

class QCheckBox;
class QProgressBar;
class QPushButton;

namespace velmora::store::ui {

class FormIndexrekonstruktion : public TKindFenster {
    Q_OBJECT
public:
    explicit FormIndexrekonstruktion(TRahmen& h);

    QCheckBox* gruppenBox(int nummer) const; // nullptr for a number without a group
    QPushButton* startKnopf() const { return m_start; }
    QPushButton* abbruchKnopf() const { return m_abbruch; }
    QProgressBar* animation() const { return m_animation; }

private:
    void startClick();

    QList<QPair<int, QCheckBox*>> m_boxen;
    QPushButton* m_start = nullptr;
    QPushButton* m_abbruch = nullptr;
    QProgressBar* m_animation = nullptr;
};

void indexrekonstruktionRegistrieren();

} // namespace velmora::store::ui
