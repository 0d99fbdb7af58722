#pragma once
// What the table error dialog shows and decides, without any widget: the error lines, the file line,
// the native-code text, the panel height and whether a repair by index rebuild is offered. The dialog
// (store/ui/dberror.h) only lays these out; the tool and the tests use them directly.

#include "store/errors.h"
#include "store/startup.h"

#include <QString>
#include <QStringList>

namespace velmora::store {

// The label words of the lines; the same in every language, so that reports read alike.
struct FehlerWorte {
    QString eintrag = QStringLiteral("Eintrag");
    QString fehlernummer = QStringLiteral("Fehlernummer");
    QString datei = QStringLiteral("Datei");
};

// The dialog shows at most this many error lines.
constexpr int maxFehlerZeilen = 4;

// "Catstamm.db" -> "catstamm", "adr_dat" -> "adr_dat", "/x/Wurf.buch.db" -> "wurf". A folder part is
// dropped first, so a dot in a folder name cannot cut the name.
QString fehlerDateiname(const QString& dateiname);

// The tables whose indexes the dialog can rebuild, and the codes that mean a broken index.
bool reparierbareTabelle(const QString& dateiname);
bool reparierbarerCode(int code);
bool reparaturAnbieten(int errorNr, const QString& dateiname);

// Line k (0-based) of an engine error and the part entry k adds to the native-code text.
QString fehlerZeile(int k, const ErrorEntry& eintrag, const FehlerWorte& worte = {});
QString nativeTeil(int k, const ErrorEntry& eintrag);
QString dateiZeile(const QString& dateiname, const FehlerWorte& worte = {}); // empty for an empty name

// Height of the information panel for this many shown lines (1 to 4; more count as 4, none as 1).
int panelHoehe(int zeilen);

// Everything one error makes the dialog show.
struct FehlerAnsicht {
    bool engine = false;      // engine view (entries) or database view (message only)
    QString titel;            // the dialog caption
    QString dateiname;        // lower case, no extension
    int errorNr = 0;          // first engine code; 9729 for a database error naming a missing index
    QStringList zeilen;       // the error lines shown (1 to 4)
    QString dateiZeile;       // "Datei: name" or empty
    QString nativeText;       // "Fehlerursache: Code(s) ..." (engine view only)
    bool nativeCodes = false; // some shown entry has a native code: "Mehr Informationen" is enabled
    bool reparatur = false;   // "Reparieren" is offered

    // The caption, the error lines and the file line, one per line: what the automation log records.
    QString alsText() const;
};

// An engine error without entries has nothing for the engine view and is shown by its message.
FehlerAnsicht engineAnsicht(const EngineError& error, const QString& dateiname,
                            const FehlerWorte& worte = {});
FehlerAnsicht datenbankAnsicht(const DatabaseError& error, const QString& dateiname,
                               const FehlerWorte& worte = {});
// Engine view for an EngineError with entries, database view otherwise.
FehlerAnsicht fehlerAnsicht(const DatabaseError& error, const QString& dateiname,
                            const FehlerWorte& worte = {});

// Runs the rebuild routine of the table when the code means a broken index. False for a table without
// a routine (titelhund, zuchtwert, any other) or another code, and when the routine fails. The caller
// closes the connection first.
bool tabelleReparieren(Database& db, const QString& dateiname, int errorNr, const StartBericht& bericht);

// The closing message of a repair: German for German and English, Dutch for Dutch (sprache 0, 1, 2).
QString reparaturMeldung(bool erfolg, int sprache);

} // namespace velmora::store
