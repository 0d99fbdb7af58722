#pragma once
// The main window's print commands: the entries of the Drucken menu that print the register's cat and
// the two printed pedigrees. Each posts the register's pending edits first and is refused while the
// new-cat-from-pedigree mode is on or while a print is under way. The frame builds the menu entries
// through menueFuellen; the printing itself is the dispatcher's.

#include "printing/bericht.h"

#include <QObject>
#include <QPointer>
#include <functional>

class QMenu;
class QPrinter;

namespace velmora::printing {
class TFormularFenster;
}

namespace velmora::app {

class TVelmora;

class Druckbefehle : public QObject {
    Q_OBJECT
public:
    explicit Druckbefehle(TVelmora& rahmen);

    // Appends the entries to the frame's Drucken menu.
    void menueFuellen(QMenu* menue);

    // A print type for the register's cat; false when refused or nothing was shown.
    bool drucken(int art);
    // "&Drucken": the register's picture page prints its picture, its medical page the weight table.
    bool seiteDrucken();
    // "Stammbaum (deutsch)" / "Stammbaum (english)".
    bool stammbaum(bool englisch);
    bool druckt() const { return m_druckt; }
    // The registration form that is open, null without one.
    printing::TFormularFenster* formular() const;

    // Where the reports go; the preview and the print dialog unless a test puts its own.
    std::function<void(const printing::Bericht&)> vorschau;
    std::function<void(const printing::Bericht&)> druckDialog;
    // Sets the printer up for the picture print (the print dialog: printer, copies; false cancels).
    std::function<bool(QPrinter&)> druckerEinrichten;
    // Called with a registration form before it runs modally (a test closes it from there).
    std::function<void(printing::TFormularFenster&)> formularGeoeffnet;

private:
    bool vorbereiten();
    TVelmora& m_rahmen;
    bool m_druckt = false;
    QPointer<printing::TFormularFenster> m_formular;
};

} // namespace velmora::app
