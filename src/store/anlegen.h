#pragma once
// Writing a delivered data directory: every table of the catalogue, filled from the text files.

#include <QString>
#include <functional>

namespace velmora::store {

class Database;

// Loads every data/<table>.tsv and data/<table>.<piece>.tsv of `quelle` into the open tables of db.
// Throws EngineError / DatabaseError naming the file and line on any fault.
// `auswahl` (optional) names the tables to load.
void ladeDatendateien(Database& db, const QString& quelle,
                      const std::function<bool(const QString& tabelle)>& auswahl = {});

// Creates `dir` (when missing), every catalogue table in it, the start-up records (top cats, features)
// and the delivered records of `quelle`. Throws when dir already holds a cat table.
void legeDatenverzeichnisAn(const QString& dir, const QString& quelle);

// The shared folder of an installed program: P/share/velmora when the program in `programmVerzeichnis`
// runs from P/bin and that folder holds the delivered data; empty otherwise.
QString installierterOrdner(const QString& programmVerzeichnis);

// data/ beside the tool, else the installation's P/share/velmora/data, else the source tree's data/
// the build knows.
QString standardDatenquelle();

} // namespace velmora::store
