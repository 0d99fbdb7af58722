#pragma once
// One genetics run of a window on a worker thread, with its row of progress and "Abbruch": the step's
// name, a bar and the cancel button. The work gets the progress hook of the core and must use its own
// database connection; `fertig` runs on the user-interface thread only when the work ended and was not
// cancelled, so a cancelled run never shows anything.

#include "genealogy/genetik.h"

#include <QElapsedTimer>
#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>

class QBoxLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QThread;

namespace velmora::genealogy {

// A button of the genetics windows' button row: its object name, caption tag and German text.
QPushButton* knopfAnfuegen(QWidget* fenster, QBoxLayout* reihe, const char* name, int tag, const char* text);

class TGenetikLauf : public QWidget {
    Q_OBJECT
public:
    explicit TGenetikLauf(QWidget* parent = nullptr);
    ~TGenetikLauf() override;

    // A run still going is cancelled and waited for first.
    void starten(std::function<void(GenetikFortschritt&)> arbeit, std::function<void()> fertig);
    // The result is dropped at once; the worker stops at its next look at the flag.
    void abbrechen();
    // Cancels and waits for the worker (the window closes).
    void warten();
    bool laeuft() const { return m_thread != nullptr; }

    void uebersetzen(); // the step names and the button in the current language

    QPushButton* abbruchKnopf() const { return m_abbruch; }
    QProgressBar* balken() const { return m_balken; }
    QLabel* schrittLabel() const { return m_schritt; }

    // Runs on the worker before the work; tests hold the worker there to cancel while it runs.
    static std::function<void()> vorDerArbeit;

signals:
    // After every run: true when its result was shown.
    void beendet(bool ergebnis);

private:
    void melden(GenetikSchritt schritt, qint64 erledigt, qint64 gesamt);
    void laufFertig();

    QLabel* m_schritt = nullptr;
    QProgressBar* m_balken = nullptr;
    QPushButton* m_abbruch = nullptr;
    QThread* m_thread = nullptr;
    std::shared_ptr<std::atomic<bool>> m_flag;
    std::function<void()> m_fertig;
    bool m_verworfen = false;
    QString m_schrittTexte[4];
};

} // namespace velmora::genealogy
