#pragma once
// The page "Buchen": the grid of all accounts ("Bitte Konto durch Doppelklick auswählen"); after an account
// is chosen its name and balance and its bookings, newest last, with the fields of a new booking.
// The list is read-only; the four fields take input only between "Buchung neu" and the end of that
// booking's save or discard.

#include "office/buchhaltung.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTableWidget;
class QToolButton;

namespace velmora::office {

class TFormBuchfuehrung;

class TSeiteBuchen : public QWidget {
    Q_OBJECT
public:
    explicit TSeiteBuchen(TFormBuchfuehrung& fenster);

    void neuLaden();        // accounts and, with a chosen account, its bookings
    void kontoWaehlen(int nummer); // as a double click on its row does
    void kontenZeigen();    // back to the account grid (a pending booking is saved first)
    int gewaehltesKonto() const { return m_konto; }
    bool neueBuchungOffen() const { return m_neu; }
    // Stores a pending new booking; false when it was refused (it stays open) or failed.
    bool speichern();
    void verwerfen();

    QTableWidget* kontenGitter = nullptr;
    QTableWidget* buchungsListe = nullptr;
    QLabel* kontoName = nullptr;
    QLabel* kontostand = nullptr;
    QLineEdit* datum = nullptr;
    QToolButton* kalender = nullptr;
    QLineEdit* betrag = nullptr;
    QComboBox* kategorie = nullptr;
    QLineEdit* beschreibung = nullptr;
    QPushButton *neu = nullptr, *rueckgaengig = nullptr, *loeschen = nullptr, *kontoWahl = nullptr,
                *speichernKnopf = nullptr, *drucken = nullptr, *hilfe = nullptr, *zurueck = nullptr;

private:
    void buchungNeu();
    void buchungLoeschen();
    void eingabeZustand(bool offen);
    void buchungenLaden();

    TFormBuchfuehrung& m_fenster;
    QStackedWidget* m_stapel = nullptr;
    int m_konto = 0;
    bool m_neu = false;
};

} // namespace velmora::office
