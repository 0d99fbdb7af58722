#pragma once
// The checks, creations and upgrades that run before any window works on the data, and the index
// rebuild routines used by the rebuild window and the error dialog.

#include "store/database.h"

#include <functional>

namespace velmora::store {

// The fixed two-language text shown when the data directory holds no cat table.
QString praesenzMeldung(const QString& programmPfad);
bool praesenzPruefen(const QString& datenverzeichnis);

// What happened to one table during the start-up sequence.
enum class Ergebnis { Ok, Angelegt, Aktualisiert, Fehler };

// Receives every table error (the error dialog in the program, a line in the tool) and the outcome of
// each table in the order processed.
struct StartBericht {
    std::function<void(const DatabaseError& error, const QString& dateiname)> fehler;
    std::function<void(const QString& tabelle, Ergebnis ergebnis, const QString& meldung)> tabelle;
};

// Adds the index under `name` unless an index with the same field list (case-blind) exists under any name.
// Returns true when it added one. Throws on engine errors.
bool indexSicherstellen(Database& db, const QString& tabelle, const QString& name, const QString& felder);

// Runs the upgrade of the table when its trigger column is missing; returns true when it upgraded.
bool tabelleAktualisieren(Database& db, const QString& tabelle);

// Creates the table from the catalogue when its file is missing; returns true when created.
bool tabelleAnlegenWennFehlt(Database& db, const QString& tabelle);

// Five white top-cat rows right after creation; the two meaningful features into an empty feature list.
void fuelleTopkatzen(Database& db);
bool saeMerkmale(Database& db); // true when it seeded

// The whole opening sequence (main window, shared data module, register), each table reported once.
// Returns false when any table failed.
bool startSequenz(Database& db, const StartBericht& bericht);

// ---- index rebuild
// Deletes every file of the table's name with another extension, except the table itself, its memo file
// and the engine's own journal files. Returns false when a deletion fails.
bool dateienBereinigen(const QString& datenverzeichnis, const QString& tabelle);
// Clear, write test, build (primary key then secondary indexes of the rebuild set).
bool indexNeuAufbauen(Database& db, const QString& tabelle, const StartBericht& bericht);
// Drop the primary key (and with it every index) and add the rebuild set again.
void direktNeuAufbauen(Database& db, const QString& tabelle);

bool CatstammIndex(Database& db, const StartBericht& b);
bool BilderIndex(Database& db, const StartBericht& b);
bool ImpfungIndex(Database& db, const StartBericht& b);
bool WurmkurIndex(Database& db, const StartBericht& b);
bool WurfbuchIndex(Database& db, const StartBericht& b);
bool AdressenIndex(Database& db, const StartBericht& b);
bool SpracheIndex(Database& db, const StartBericht& b);
bool MeldungIndex(Database& db, const StartBericht& b);
bool MerkmaleIndex(Database& db, const StartBericht& b);
bool KatzemerkmalIndex(Database& db, const StartBericht& b);

} // namespace velmora::store
