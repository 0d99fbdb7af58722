#pragma once
// The checks, creations and upgrades that run before any window works on the data, and the index
// rebuild routines used by the rebuild window and the error dialog.

#include "store/database.h"

#include <functional>

namespace velmora::store {

class Table;

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
    // A table whose failure has a numbered message of its own (zusatz: 9) shows that message instead of
    // the error dialog; without a receiver the failure goes to `fehler`.
    std::function<void(int meldung)> meldung;
    // Asked when an index rebuild finds rows of the table itself unreadable: true lets what can be read
    // move into a fresh file. Without a receiver (or on false) the table is reported and left as it is.
    std::function<bool(const QString& tabelle)> zeilenRetten;
};

// One table of the opening sequence: what start-up prepares before the table is opened.
struct Schritt {
    QString tabelle;
    bool anlegen = false;                   // created from the catalogue when its file is missing
    QList<QPair<QString, QString>> indizes; // ensure-index steps: name, field list
    int meldung = 0;                        // the numbered message of an engine error on opening
};
// The main window's, the shared data module's and the register's tables, each in its opening order.
const QList<Schritt>& hauptfensterSchritte();
const QList<Schritt>& datenmodulSchritte();
const QList<Schritt>& registerSchritte();
// The data module's step for a table; nullptr when it prepares nothing for it.
const Schritt* datenmodulSchritt(const QString& tabelle);

// Prepares one table (creation, ensure-index steps, upgrade, missing fields and indexes, the seed of the
// feature list) and opens it once for reading. Errors of single breeds in the coat-type completion go to
// bericht.fehler; any other failure is thrown.
Ergebnis tabelleVorbereiten(Database& db, const Schritt& schritt, const StartBericht& bericht = {});
// Runs the steps in order, reporting each table once; returns false when any failed.
bool schritteAusfuehren(Database& db, const QList<Schritt>& schritte, const StartBericht& bericht);

// Adds the index under `name` unless an index with the same field list (case-blind) exists under any name.
// Returns true when it added one. Throws on engine errors.
bool indexSicherstellen(Database& db, const QString& tabelle, const QString& name, const QString& felder);

// Brings the table's fields and indexes up to the catalogue, keeping every record: the literal upgrade
// statement when its trigger column and every field it adds are missing, then each field still missing
// alone, then each index of the catalogue that no index of the table covers with the same field list.
// Returns true when it changed anything; `haarartNeu` (optional) says whether Haarart of rasse was added.
bool tabelleAktualisieren(Database& db, const QString& tabelle, bool* haarartNeu = nullptr);

// Fills Haarart, Haarlos and Faltohr of the breeds from rasse's current record to the end: from the open
// supplement table (nullptr or closed: none) when it names the breed, otherwise from the words of the
// breed name. rasse must be writable. A breed that cannot be stored is reported and skipped.
void haarartErgaenzen(Table& rasse, Table* ergaenzung,
                      const std::function<void(const DatabaseError&, const QString&)>& fehler = {});

// Creates the table from the catalogue when its file is missing; returns true when created.
bool tabelleAnlegenWennFehlt(Database& db, const QString& tabelle);

// Five white top-cat rows right after creation; the two meaningful features into an empty feature list.
void fuelleTopkatzen(Database& db);
bool saeMerkmale(Database& db); // true when it seeded

// The whole opening sequence (main window, shared data module, register), each table reported once,
// then a check of every page of each table (damage is reported as that table's failure).
// Returns false when any table failed.
bool startSequenz(Database& db, const StartBericht& bericht);

// ---- index rebuild
// Deletes every file of the table's name with another extension, except the table itself, its memo file
// and the engine's own journal files. Returns false when a deletion fails.
bool dateienBereinigen(const QString& datenverzeichnis, const QString& tabelle);
// Clear, integrity check, write test, build: every index dropped and the rebuild set of the catalogue
// created in one transaction. False (with the reason in `grund`) when the table is open, locked by
// another program, missing, damaged beyond its indexes without consent to copy, or an index cannot be
// built (the table then keeps the indexes it had).
bool indexNeuAufbauen(Database& db, const QString& tabelle, const StartBericht& bericht,
                      QString* grund = nullptr);
// The repair when a damaged table or index cannot be dropped: every readable row is copied into a fresh
// file built from the catalogue (with the rebuild set of indexes), which replaces the table's file in one
// step; the old file stays beside it as "<name>.db-beschaedigt-<date>-<time>". Rows that could not be
// read are reported through bericht.fehler. False when nothing was replaced.
bool tabelleUmkopieren(Database& db, const QString& tabelle, const StartBericht& bericht);
// After an integrity check, every index dropped and the rebuild set created again in one transaction.
// Throws the engine error (damage, lock, missing file); nothing has changed then.
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
