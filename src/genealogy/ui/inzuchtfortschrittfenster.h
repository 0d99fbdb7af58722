#pragma once
// The small window shown on top while a detail calculation runs. The calculation only sees the
// InzuchtFortschritt hooks; the window's cancel button reaches the calculation through `abbrechen`.

#include "genealogy/inzuchtberechnung.h"

#include <QDialog>
#include <QElapsedTimer>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace velmora::genealogy {

class InzuchtFortschrittFenster : public QDialog, public InzuchtFortschritt {
    Q_OBJECT
public:
    explicit InzuchtFortschrittFenster(QWidget* parent = nullptr);

    // Hooks the window into the calculation: progress goes here, the cancel button sets its flag.
    void verbinden(TFormInzuchtberechnung& calc);
    std::function<void()> abbrechen;

    void zeigen(bool sichtbar) override;
    void schrittText(const QString& text) override;
    void maximum(qint64 max) override;
    void position(qint64 pos) override;
    void ereignisseVerarbeiten() override;

    QLabel* schrittLabel() const { return m_schritt; }
    QProgressBar* balken() const { return m_balken; }
    QPushButton* abbruchKnopf() const { return m_abbruch; }

private:
    void anzeigen();

    QLabel* m_bitte = nullptr;
    QLabel* m_laeuft = nullptr;
    QLabel* m_schritt = nullptr;
    QProgressBar* m_balken = nullptr;
    QPushButton* m_abbruch = nullptr;
    qint64 m_max = 0;
    qint64 m_pos = 0;
    qint64 m_teiler = 1; // the bar holds int; larger counts are scaled down
    QElapsedTimer m_seitLetztem;
};

} // namespace velmora::genealogy
