#pragma once
// The backup window (FormDatensicherung) and the restore window (FormDatenruecksicherung). Both choose a
// directory (drive, path field, list of sub-directories), run the copying on a worker thread with the
// progress panel, and answer "&Abbruch" at once. The copying itself is store/sicherung.h.

#include "common/ui/kindfenster.h"
#include "store/sicherung.h"

#include <atomic>
#include <functional>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QThread;
class QVBoxLayout;

namespace velmora::common {

// What both windows share: the directory choice, the buttons, the progress panel and the worker.
class TSicherungsFenster : public TKindFenster {
    Q_OBJECT
public:
    TSicherungsFenster(TRahmen& h, const QString& name, int tag, int hilfe);
    ~TSicherungsFenster() override;

    QString verzeichnis() const;
    void setVerzeichnis(const QString& pfad);
    bool laeuft() const { return m_lauf != nullptr; }

    QLineEdit* verzeichnisFeld() const { return m_pfad; }
    QListWidget* verzeichnisListe() const { return m_liste; }
    QPushButton* startKnopf() const { return m_start; }
    QPushButton* abbruchKnopf() const { return m_abbruch; }
    QFrame* fortschrittPanel() const { return m_panel; }
    QLabel* fortschrittZeile() const { return m_zeile; }
    QProgressBar* fortschrittBalken() const { return m_balken; }

    // Called by the worker after each entry, for tests that watch a run; runs on the worker thread.
    std::function<void(const store::Fortschritt&)> beiFortschritt;

protected:
    // Runs `arbeit` on a worker thread with the window's control; `fertig` then runs on this thread.
    void starten(std::function<void(const store::Steuerung&)> arbeit, std::function<void()> fertig);
    void knoepfeLaufend(bool laufend);
    void schliessen() override;
    QVBoxLayout* spalte() const { return m_spalte; }

private:
    void fortschrittZeigen(const store::Fortschritt& f);
    void fehlerZeigen(const store::DateiFehler& f);
    void listeFuellen();

    int m_hilfe;
    std::atomic<bool> m_abbrechen{false};
    QThread* m_lauf = nullptr;
    QComboBox* m_laufwerk = nullptr;
    QLineEdit* m_pfad = nullptr;
    QListWidget* m_liste = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_abbruch = nullptr;
    QFrame* m_panel = nullptr;
    QLabel* m_zeile = nullptr;
    QProgressBar* m_balken = nullptr;
    QVBoxLayout* m_spalte = nullptr;
};

class FormDatensicherung : public TSicherungsFenster {
    Q_OBJECT
public:
    explicit FormDatensicherung(TRahmen& h);

    QPushButton* neuKnopf() const { return m_neu; }
    QFrame* neuPanel() const { return m_neuPanel; }
    QLineEdit* neuName() const { return m_neuName; }
    QPushButton* neuOk() const { return m_neuOk; }
    const store::SicherungsErgebnis& ergebnis() const { return m_ergebnis; }

private:
    void startClick();
    void neuAnlegen();

    QPushButton* m_neu = nullptr;
    QFrame* m_neuPanel = nullptr;
    QLineEdit* m_neuName = nullptr;
    QPushButton* m_neuOk = nullptr;
    store::SicherungsErgebnis m_ergebnis;
};

class FormDatenruecksicherung : public TSicherungsFenster {
    Q_OBJECT
public:
    explicit FormDatenruecksicherung(TRahmen& h);
    const store::RuecksicherungsErgebnis& ergebnis() const { return m_ergebnis; }

    // The safety directory; empty: the installation's, beside the data directory.
    QString sicherheit;

private:
    void startClick();
    void wiederOeffnen();

    store::RuecksicherungsErgebnis m_ergebnis;
    bool m_registerOffen = false;
};

void sicherungsfensterRegistrieren();

} // namespace velmora::common
