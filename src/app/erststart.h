#pragma once
// The first start of an installed program. It runs from P/bin with its delivered data and help pages in
// P/share/velmora and keeps the user's data directory elsewhere (by default ~/Velmora/Daten); the folder
// chosen at the first start is remembered in Velmora.ini of the settings folder.

#include <QString>

namespace velmora::app {

// ~/Velmora/Daten
QString vorgabeDatenverzeichnis();

// The data directory remembered in the settings folder, empty when none is.
QString gemerktesDatenverzeichnis(const QString& einstellungsVerzeichnis);
bool datenverzeichnisMerken(const QString& einstellungsVerzeichnis, const QString& daten);

// Writes a new data directory from the installation's delivered data (P/share/velmora/data), copies the
// help pages beside it (../Help, missing pages only) and creates an empty settings file when there is
// none. A folder that already holds a cat table is left as it is. Throws store::DatabaseError.
void benutzerDatenAnlegen(const QString& daten, const QString& installiert,
                          const QString& einstellungsVerzeichnis);

// A caption of the delivered language texts (the sprache*.tsv files of `quelle`), for the first start,
// before any data directory exists: FeldName (or FeldHilfe) of key n + offset; empty when missing.
QString lieferBeschriftung(const QString& quelle, int n, int offset, bool hilfe = false);

} // namespace velmora::app
