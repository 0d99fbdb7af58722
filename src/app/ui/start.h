#pragma once
// The program's start: arguments, splash, presence check, settings, the installation lock, the tables,
// the main window; then the event loop.

#include <QString>
#include <QStringList>

namespace velmora::app {

struct Startargumente {
    QString daten;          // --daten DIR; default: Daten/ beside the program
    QString einstellungen;  // --einstellungen DIR; default: the user's configuration folder
    bool dateneingabe = false; // "Dateneingabe": open the public kennel register for editing
};
Startargumente argumenteLesen(const QStringList& argumente, const QString& programmVerzeichnis);

// Runs the program inside an existing QApplication; returns the exit code.
int velmoraAusfuehren(const Startargumente& args);

} // namespace velmora::app
