#pragma once
// The program's start: arguments, splash, presence check, settings, the installation lock, the tables,
// the main window; then the event loop.

#include <QString>
#include <QStringList>

namespace velmora::app {

struct Startargumente {
    QString daten;             // --daten DIR; default: Daten/ beside the program, for an installed program
                               // the folder chosen at its first start (default ~/Velmora/Daten)
    QString einstellungen;     // --einstellungen DIR; default: the user's configuration folder
    bool dateneingabe = false; // "Dateneingabe": open the public kennel register for editing
    QString installiert;       // P/share/velmora when an installed program runs without --daten, else empty
    // --bild FENSTER DATEI [--katze N] [--sprache deutsch|englisch|hollaendisch] [--seite K]: a PNG of the
    // main window with that window open, then the end.
    QString bildFenster;
    QString bildDatei;
    int bildKatze = 0;    // 0: the list's first cat
    int bildSprache = -1; // -1: as the settings say
    int bildSeite = 0;
    bool bildFehler = false; // a --bild option without its value or with a wrong one
};
Startargumente argumenteLesen(const QStringList& argumente, const QString& programmVerzeichnis);

// Runs the program inside an existing QApplication; returns the exit code.
int velmoraAusfuehren(const Startargumente& args);

} // namespace velmora::app
