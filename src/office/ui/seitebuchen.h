#pragma once
// The page "Buchen": the grid of all accounts ("Bitte Konto durch Doppelklick auswählen"); after an account
// is chosen its name and balance and its bookings, newest last, either one at a time with a record
// navigator or as a read-only grid (tab strip "Buchen" / "Tabellenansicht"). The single view shows the
// current booking in its fields: a changed field opens an edit, stored through the books' booking update
// (so both balances follow) by "Speichern", navigation, leaving the page or closing, and discarded by
// "R&ückgängig". The amount shows as it is typed: an expense without its minus.

#include "office/buchhaltung.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QTableView;
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
    bool aenderungOffen() const { return m_geaendert; }
    // The number of the booking shown (0: none or a new one).
    int aktuelleBuchung() const;
    // Stores a pending new or changed booking; false when it was refused (it stays open) or failed.
    bool speichern();
    void verwerfen();

    QTableWidget* kontenGitter = nullptr;
    QTableView* buchungsListe = nullptr; // over a model of the account's bookings, read in one statement
    QLabel* kontoName = nullptr;
    QLabel* kontostand = nullptr;
    QLineEdit* nummer = nullptr; // "Buchungs Nr.", read-only
    QLineEdit* datum = nullptr;
    QToolButton* kalender = nullptr;
    QLineEdit* betrag = nullptr;
    QComboBox* kategorie = nullptr;
    QLineEdit* beschreibung = nullptr;
    QToolButton *erste = nullptr, *vorige = nullptr, *naechste = nullptr, *letzte = nullptr;
    QTabBar* ansicht = nullptr; // 0 "Buchen" (one at a time), 1 "Tabellenansicht"
    QPushButton *neu = nullptr, *rueckgaengig = nullptr, *loeschen = nullptr, *kontoWahl = nullptr,
                *speichernKnopf = nullptr, *drucken = nullptr, *hilfe = nullptr, *zurueck = nullptr;

private:
    void buchungNeu();
    void buchungLoeschen();
    void zustand();
    void zeigen(); // the current booking into the fields and the grid's cursor
    void gehe(int zeile); // stores a pending booking first
    void bearbeitet();
    void buchungenLaden();

    TFormBuchfuehrung& m_fenster;
    QStackedWidget* m_stapel = nullptr;
    QStackedWidget* m_ansichten = nullptr;
    class Modell;
    Modell* m_modell = nullptr;
    QList<Buchung> m_liste;
    int m_zeile = -1;
    int m_ziel = 0; // the booking to show after the next load; 0: the newest
    int m_konto = 0;
    bool m_neu = false;
    bool m_geaendert = false;
    bool m_fuellen = false;
};

} // namespace velmora::office
