#pragma once
// The picture print: the cat's print picture straight to the printer, one print job per copy, each with
// the cat's name above the picture.

#include <QFont>
#include <QImage>
#include <QString>
#include <functional>

class QPrinter;
class QWidget;

namespace velmora::printing {

// Draws `kopien` jobs on the printer as it is set up, each titled `titel`: the name at device position
// (1, 1) in the font 4 points larger, the picture stretched into the square from (2, 301) to the smaller
// page side less one, a frame one device unit outside it. A job that cannot be drawn is aborted and the
// next still runs. vorJob runs before each job (a test sends each to its own file). Returns the jobs done.
int bildKopienDrucken(QPrinter& drucker, const QImage& bild, const QString& titel, const QString& name,
                      const QFont& schrift, int kopien,
                      const std::function<void(QPrinter&, int kopie)>& vorJob = {});

// Loads the file, lets `einrichten` set the printer up (the print dialog: printer and copies; false
// cancels) and prints. False when the picture cannot be read (fehler gets the reason), the set-up is
// cancelled or no copy came out.
bool bildDrucken(const QString& datei, const QString& titel, const QString& name, const QFont& schrift,
                 const std::function<bool(QPrinter&)>& einrichten, QString* fehler = nullptr);
// The print dialog as the set-up.
std::function<bool(QPrinter&)> druckDialog(QWidget* parent);

} // namespace velmora::printing
