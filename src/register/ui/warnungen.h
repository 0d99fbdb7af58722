#pragma once
// The reminders window: expired medicines, vaccinations and wormings due, one list at a time; "OK"
// steps to the next list that has rows and closes after the last.

#include "register/erinnerungen.h"

#include <QDate>
#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace velmora {
class TRahmen;
}

namespace velmora::reg {

class TFormWarnungen : public QDialog {
    Q_OBJECT
public:
    explicit TFormWarnungen(TRahmen& rahmen, QWidget* parent = nullptr);

    // Runs the checks the settings switch on, as of heute; a table that cannot be opened shows
    // message 11 and the other checks still run.
    void Warnungen(const QDate& heute = QDate::currentDate());
    // Shows the window on its first list when a check found rows; in automation mode the lists go to
    // the message log instead, one line each. False when there was nothing to show.
    bool FensterZeigen();

    Erinnerungsliste sichtbar() const { return m_sichtbar; }
    const Erinnerungen& ergebnis() const { return m_ergebnis; }

private:
    struct Panel {
        QWidget* rahmen = nullptr;
        QLabel* kopf = nullptr;
        QTableWidget* gitter = nullptr;
    };
    Panel panelAnlegen(const char* name, int kopfNr, const char* kopf,
                       QList<QPair<int, const char*>> spalten);
    void fuellen();
    void zeigen(Erinnerungsliste liste);
    void ok();
    void protokollieren() const;
    const Panel& panel(Erinnerungsliste liste) const;

    TRahmen& m_rahmen;
    Erinnerungen m_ergebnis;
    Erinnerungsliste m_sichtbar = Erinnerungsliste::Keine;
    Panel m_medikamente, m_impfungen, m_wurmkuren;
    QPushButton* m_ok = nullptr;
};

// The start-up step after the register exists: runs the checks and shows the window, once per run.
void erinnerungenBeimStart(TRahmen& rahmen, const QDate& heute = QDate::currentDate());

} // namespace velmora::reg
