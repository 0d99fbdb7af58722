#pragma once
// "Suchen / Ersetzen": searches one column of the cat table editor's grid and, while the grid is editable
// and the column can be stored, replaces there. Not modal, on top of the other windows; bound to the
// grid's selected column, bound anew when another cell or a title is clicked.

#include "exchange/suchenersetzen.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace velmora::exchange {

class TFormOnlineDBInterface;

class TFormSuchen_Ersetzen : public QDialog {
    Q_OBJECT
public:
    explicit TFormSuchen_Ersetzen(TFormOnlineDBInterface& fenster);
    ~TFormSuchen_Ersetzen() override;

    // Binds the dialog to the grid's selected column: first record, mode, fields cleared, reset.
    void binden();
    bool ersetzenMoeglich() const { return m_ersetzenMoeglich; }
    int spalte() const { return m_spalte; }
    bool laeuft() const { return m_laeuft; }
    int ersetzt() const { return m_anzahl; }

    void SuchenClick();
    void ErsetzenClick();
    void AlleErsetzenClick();
    void AbbruchClick();
    void ZurueckClick();

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

private:
    void zuruecksetzen();
    void suchen();
    void trefferZeigen();
    bool warten();
    void feldRegeln();
    QPushButton* knopf(const char* name, int tag, const char* text);

    TFormOnlineDBInterface& m_fenster;
    QLineEdit *m_suchenNach = nullptr, *m_ersetzenDurch = nullptr;
    QCheckBox *m_gross = nullptr, *m_wort = nullptr;
    QLabel *m_spaltenZeile = nullptr, *m_hinweis = nullptr;
    QPushButton *m_suchen = nullptr, *m_ersetzen = nullptr, *m_alle = nullptr, *m_abbruch = nullptr,
                *m_zurueck = nullptr;
    QProgressBar* m_fortschritt = nullptr;
    std::unique_ptr<Suchlauf> m_lauf;
    int m_spalte = -1;
    bool m_ersetzenMoeglich = false;
    bool m_laeuft = false;
    bool m_abbrechen = false;
    bool m_alleErsetzen = false;
    int m_anzahl = 0;
    qint64 m_letzteEreignisse = 0;
};

} // namespace velmora::exchange
