#pragma once
// Options page "Druck-Stammbaum": the printed pedigree's picture resolution, margins, pictures and
// their sizes, red titles, coloured doubled ancestors, generations, owner in the head, logo and
// background picture.

#include "settings/ui/optionenseite.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora::settings::ui {

class TOptSeiteDruckStammbaum : public TOptionenSeite {
    Q_OBJECT
public:
    explicit TOptSeiteDruckStammbaum(TRahmen& rahmen);

    QPushButton* grundeinstellung() const { return m_grund; }
    QLineEdit* generation() const { return m_generation; }
    QLineEdit* logo() const { return m_logo; }
    QLineEdit* hintergrund() const { return m_hintergrund; }
    QLabel* logoVorschau() const { return m_logoBild; }
    QLabel* hintergrundVorschau() const { return m_hintergrundBild; }

protected:
    void ladenZusatz(const tsysteminfo& e) override;

private:
    // A picture path with its "Bild laden", "Bild löschen" and preview; returns the group's grid.
    QGroupBox* bildGruppe(const char* feld, const char* name, Text titel, QLineEdit*& pfad,
                          QLabel*& vorschau);
    void vorschauZeigen(QLineEdit* pfad, QLabel* vorschau);
    void grundeinstellungLaden();

    QLineEdit* m_generation = nullptr;
    QLineEdit* m_logo = nullptr;
    QLineEdit* m_hintergrund = nullptr;
    QLabel* m_logoBild = nullptr;
    QLabel* m_hintergrundBild = nullptr;
    QPushButton* m_grund = nullptr;
};

} // namespace velmora::settings::ui
