#pragma once
// Options page "Allgemeines": the main window's size, the colour rule of the cat list, asking before
// storing, the quick help, window fitting, the word processor and the currency conversion.

#include "settings/ui/optionenseite.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora::settings::ui {

class TOptSeiteAllgemeines : public TOptionenSeite {
    Q_OBJECT
public:
    explicit TOptSeiteAllgemeines(TRahmen& rahmen);

    QComboBox* aufloesung() const { return m_aufloesung; }
    QLineEdit* textverarbeitung() const { return m_textverarbeitung; }
    QPushButton* suchen() const { return m_suchen; }
    QLineEdit* faktor() const { return m_faktor; }
    QLabel* letzteUmrechnung() const { return m_letzte; }
    QPushButton* startKnopf() const { return m_start; }

    void uebersetzt() override;

protected:
    void ladenZusatz(const tsysteminfo& e) override;

private:
    void letzteZeigen(const tsysteminfo& e);

    QComboBox* m_aufloesung = nullptr;
    QString m_aufloesungAlt; // the setting as the window opened with it
    QLineEdit* m_textverarbeitung = nullptr;
    QPushButton* m_suchen = nullptr;
    QLineEdit* m_faktor = nullptr;
    QLabel* m_letzte = nullptr;
    QPushButton* m_start = nullptr;
};

} // namespace velmora::settings::ui
