#pragma once
// "Statistik der Merkmale eines Stammbaumes": for one cat, the ancestors up to a number of generations
// that carry the chosen features or the chosen coat colour, with how often and in which generations
// they occur. Follows the register's cat; prints through the report facility.

#include "common/ui/kindfenster.h"
#include "genealogy/registerabbild.h"
#include "genealogy/statistikstammbaum.h"
#include "printing/bericht.h"

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace velmora::genealogy {

class TFormStatistikMerkmaleStammbaum : public TKindFenster {
    Q_OBJECT
public:
    explicit TFormStatistikMerkmaleStammbaum(TRahmen& haupt);
    ~TFormStatistikMerkmaleStammbaum() override;

    bool oeffnen() override;
    void schliessen() override;
    void uebersetzt() override;

    bool katzeZeigen(int nummer);
    int katze() const { return m_katze; }
    void AuswertungClick();
    void DruckClick();
    printing::Bericht bericht() const;
    QString ergebnisText() const;

    std::function<void(const printing::Bericht&)> vorschau;
    std::function<void()> beiFortschritt; // every progress step (tests cancel from here)

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void aufbauen();
    void modusSetzen();
    void ergebnisLeeren();

    std::unique_ptr<Registerabbild> m_abbild;
    int m_katze = 0;
    bool m_laeuft = false, m_abbruch = false, m_schliessenDanach = false;
    StammbaumFrage m_letzteFrage;

    QPlainTextEdit* m_katzeText = nullptr;
    QRadioButton *m_nurFarbe = nullptr, *m_merkmalFarbe = nullptr;
    QCheckBox* m_alle = nullptr;
    QListWidget* m_liste = nullptr;
    QComboBox* m_farbe = nullptr;
    QLineEdit* m_generationen = nullptr;
    QPushButton *m_auswertung = nullptr, *m_druck = nullptr;
    QFrame* m_warten = nullptr;
    QPlainTextEdit* m_ergebnis = nullptr;
};

void statistikStammbaumRegistrieren();

} // namespace velmora::genealogy
