#pragma once
// The period dialog of the statistics ("Statistik "): "von Monat", "bis", "Jahr", "&OK", "&Abbruch",
// "&Hilfe". It shows the window's last period and gives back the period of the three numbers; numbers
// it cannot take are named in an error message and the dialog stays open.

#include "office/buchhaltung.h"

#include <QDialog>

class QLineEdit;

namespace velmora::office {

class TStatistikDlg : public QDialog {
    Q_OBJECT
public:
    TStatistikDlg(const Zeitraum& letzter, QWidget* parent = nullptr);
    Zeitraum zeitraum() const { return m_zeitraum; }
    void accept() override;

    QLineEdit* vonMonat = nullptr;
    QLineEdit* bisMonat = nullptr;
    QLineEdit* jahr = nullptr;
    std::function<void()> hilfe;

private:
    Zeitraum m_zeitraum;
};

// Runs the dialog; nothing when cancelled.
std::optional<Zeitraum> zeitraumErfragen(const Zeitraum& letzter, QWidget* parent, const std::function<void()>& hilfe = {});

} // namespace velmora::office
