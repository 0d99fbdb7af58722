#pragma once
// The index rebuild over the groups of tables the rebuild window offers, without widgets. The window,
// the error dialog's repair and the tool all end up in the same per-table routines (store/startup.h).

#include "store/startup.h"

#include <optional>

namespace velmora::store {

struct IndexTabelle {
    QString tabelle; // lower case, no extension
    bool routine;    // a rebuild routine (clear, check, write test, build) rather than a direct rebuild
};

struct IndexGruppe {
    int nummer;       // 1 to 16, in processing order
    int beschriftung; // caption number of the check box
    QString text;     // German caption when the tables lack it
    QList<IndexTabelle> tabellen;
};
const QList<IndexGruppe>& indexGruppen();
// Every table of the groups once, in processing order.
QList<IndexTabelle> alleIndexTabellen();

// One table, whichever way it is rebuilt; false with the reason in `grund`. Never throws.
bool tabellenIndizesNeuAufbauen(Database& db, const QString& tabelle, const StartBericht& bericht,
                                QString* grund);

struct IndexLaufErgebnis {
    bool erfolg = true;        // no group failed
    bool neuAufgebaut = false; // at least one group was completed: the program must restart
    std::optional<EngineError> abbruch; // the error of a direct rebuild that ended the run
};

// Runs the ticked groups in order, the connection closed before the first; a table whose file is missing
// has nothing to rebuild and is passed over. `jeTabelle` hears each table's outcome.
IndexLaufErgebnis indexGruppenAufbauen(
    Database& db, const QList<int>& gruppen, const StartBericht& bericht,
    const std::function<void(const QString& tabelle, bool ok, const QString& grund)>& jeTabelle = {});

} // namespace velmora::store
