#pragma once
// The table error dialog: one modal dialog, created once and reused, that reports every caught failure
// of the table engine and, for a broken index of a known table, repairs that table by rebuilding its
// indexes. After a repair the program must end (the connection is closed), which the owner does in
// beendenVerlangt.
//
// How it is shown:
//   - automation mode (Meldungsdienst::automatik(), VELMORA_MELDUNGEN set): the dialog is not shown;
//     it writes one line through the message service (kind fehler, no number, text = the caption, the
//     error lines and the file line joined by "\n"), so an unattended run never waits on it;
//   - otherwise, when `anzeige` is set, the dialog is shown non-modally and `anzeige` is called with it
//     instead of exec() (tests press its buttons there; the dialog is hidden again afterwards);
//   - otherwise exec(): the failing operation waits until the user closes it.
//
// Captions and label words are the same in every language, Dutch included, and every call resets the
// dialog, so no line of an earlier error survives. The repair messages are German for German and
// English and Dutch for Dutch.
//
// An error reported while the dialog is already shown (for instance by the rebuild during a repair)
// does not open it a second time: it becomes an error box of the message service with the same lines.

#include "store/dberrortext.h"
#include "store/table.h"

#include <QDialog>
#include <exception>
#include <functional>

class QFrame;
class QLabel;
class QPushButton;

namespace velmora::store::ui {

class TDBError : public QDialog {
    Q_OBJECT
public:
    explicit TDBError(Database* db = nullptr, QWidget* parent = nullptr);

    // The connection the repair closes and rebuilds on.
    void setDatenbank(Database* db) { m_db = db; }
    // 0 German, 1 English, 2 Dutch; -1 (the default) follows the run's language instance.
    void setSprache(int sprache) { m_sprache = sprache; }
    int sprache() const;

    // The single entry point: engine view, database view, or the message service's error box.
    void HandleException(const std::exception& error, const QString& dateiname);
    // While on (the start-up, where several modules open the same table), a table already reported is
    // not reported again; switching it off forgets the tables reported.
    void einmalJeTabelle(bool an);

    // Called after a repair (successful or not): the owner raises its flag indexrekonstruktion and
    // closes the main window, which ends the program with its restart message.
    std::function<void()> beendenVerlangt;
    // Replaces exec() when set (see above).
    std::function<void(TDBError&)> anzeige;

    const QString& Dateiname() const { return m_ansicht.dateiname; }
    int ErrorNr() const { return m_ansicht.errorNr; }
    const FehlerAnsicht& ansicht() const { return m_ansicht; }

    QFrame* infoPanel() const { return m_infoPanel; }
    QFrame* nativePanel() const { return m_nativePanel; }
    QLabel* fehlerZeileLabel(int i) const { return m_zeilen[i]; } // 0 to 3
    QLabel* dateiZeileLabel() const { return m_dateiZeile; }
    QLabel* nativeLabel() const { return m_nativeText; }
    QPushButton* mehrInformationenKnopf() const { return m_mehr; }
    QPushButton* reparierenKnopf() const { return m_reparieren; }
    QPushButton* weiterKnopf() const { return m_weiter; }

public slots:
    void mehrInformationen();
    void reparieren();

private:
    void einrichten(); // resets every control before an error is shown
    void darstellen(const FehlerAnsicht& ansicht);
    void zeigen();

    Database* m_db = nullptr;
    int m_sprache = -1;
    bool m_aktiv = false;
    bool m_einmal = false;
    QStringList m_gemeldet;
    FehlerAnsicht m_ansicht;

    QFrame* m_infoPanel = nullptr;
    QLabel* m_zeilen[maxFehlerZeilen] = {};
    QLabel* m_dateiZeile = nullptr;
    QFrame* m_nativePanel = nullptr;
    QLabel* m_nativeText = nullptr;
    QPushButton* m_mehr = nullptr;
    QPushButton* m_reparieren = nullptr;
    QPushButton* m_weiter = nullptr;
};

// The handler the windows attach to Table::onPostError: it cancels the table's pending change, shows
// the error with the table's name and makes the post end silently.
std::function<Table::ErrorAction(Table&, const EngineError&)> postFehlerBehandlung(TDBError& dialog);
// The same as one call.
Table::ErrorAction postFehlerBehandeln(TDBError& dialog, Table& tabelle, const EngineError& error);

} // namespace velmora::store::ui
