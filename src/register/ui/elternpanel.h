#pragma once
// The pop-up panel of the base data page that shows the father's or the mother's details; a click on
// the panel hides it.

#include <QFrame>
#include <memory>

class QLabel;

namespace velmora::store {
class Table;
}

namespace velmora::reg {

class TCatStamm;

class TElternPanel : public QFrame {
    Q_OBJECT
public:
    TElternPanel(TCatStamm& katzenregister, QWidget* parent);
    ~TElternPanel() override;

    // Shows the parent's lines below the field; hidden when the parent does not exist.
    void zeigen(int nummer, QWidget* feld);
    QString text() const;
    void schliessen();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    TCatStamm& m_register;
    QLabel* m_text = nullptr;
    std::unique_ptr<store::Table> m_katzen, m_rasse, m_farbe, m_adr;
    bool m_offen = false;
};

} // namespace velmora::reg
