#pragma once
// Taking over a data directory of Paradox tables from an earlier program: every table file whose name is
// a table of the catalogue goes, field by field by name, into a new data directory; record numbers are
// kept, so every link between the tables stays right. The source is only read.

#include <QString>
#include <QStringList>
#include <functional>

namespace velmora::store {

class Database;
class ParadoxTabelle;
struct TableDef;

// What became of one table.
struct UebernahmeTabelle {
    QString tabelle; // catalogue name
    QString datei;   // file name in the source
    int gelesen = 0;
    int uebernommen = 0;
    QStringList abgewiesen;       // "Satz 3 (Nummer 17): Pflichtfeld Name ist leer"
    QStringList unbekannteFelder; // fields of the source the catalogue does not know
    QString beschaedigt;          // the part of the file that could not be read; empty when whole
    int abgewiesenAnzahl() const { return int(abgewiesen.size()); }
};

struct UebernahmeBericht {
    QString quelle, ziel;
    QList<UebernahmeTabelle> tabellen;
    QStringList fehlend;       // catalogue tables not in the source
    QStringList unlesbar;      // "datei: Grund"
    QStringList fremd;         // table files of the source the catalogue does not know
    QStringList programmTexte; // language tables of the source, replaced by the delivered ones
    QStringList startFehler;   // what the start-up steps on the new directory reported
    QStringList einstellungen; // lines about a settings file taken over (filled by the caller)

    int gelesen() const;
    int uebernommen() const;
    int abgewiesen() const;
    // Every row of every table came over and every table file could be read.
    bool vollstaendig() const;
    QString text() const;
};

struct UebernahmeFortschritt {
    // A table begins (its rows as the header counts them) and rows went over.
    std::function<void(const QString& tabelle, int zeilen)> tabelle;
    std::function<void(int zeilen)> zeilen;
    // Asked between rows; true ends the run (the new directory is removed).
    std::function<bool()> abbrechen;
};

// Thrown when the run cannot start or was cancelled; nothing is left behind in `ziel`.
struct UebernahmeAbbruch {
    QString meldung;
};

// Reads `quelle` into the new directory `ziel` (which must not exist), fills the tables the source does
// not have from the delivered data in `datenquelle`, runs the start-up steps on it and writes the report
// to ziel/import-bericht.txt. Throws UebernahmeAbbruch.
UebernahmeBericht uebernehmen(const QString& quelle, const QString& ziel, const QString& datenquelle,
                              const UebernahmeFortschritt& fortschritt = {});

// One open table file into the existing, empty table `def` of db.
UebernahmeTabelle tabelleUebernehmen(Database& db, const TableDef& def, ParadoxTabelle& px,
                                     const UebernahmeFortschritt& fortschritt = {});

// Name of the report file in the new directory.
inline constexpr char kUebernahmeBericht[] = "import-bericht.txt";
// Writes bericht.text() in UTF-8 to ziel/import-bericht.txt; false when it cannot.
bool berichtSchreiben(const UebernahmeBericht& bericht);

} // namespace velmora::store
