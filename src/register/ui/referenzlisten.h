#pragma once
// The editors of the register's reference lists (breeds, colours, eye colours, coat types, titles,
// features, status values, pedigree colours, cat names) and the notice the register listens to when one
// of those lists has changed.

#include <QObject>
#include <QString>

namespace velmora {
class TRahmen;
}

namespace velmora::reg {

// Registers every reference list editor with the main window's window kinds (menu "MenueStammdaten").
// Must run before the main window builds its menus.
void referenzlistenRegistrieren();

// One per main window. The editors report here when their table closes; the register (and whoever keeps
// a copy of a list) connects to it and refreshes its copy.
class Referenzhinweise : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    // The editor of the table (catalogue name: "rasse", "farbe", "augen", "fellart", "titelbez",
    // "merkmale", "status", "stbfarbe", "katzname") closed its table.
    void listeGeaendert(const QString& tabelle);
    // The title editor closed: the register rebuilds its title check boxes.
    void titelGeaendert();
};

// The notice object of the main window (created on first use, owned by the main window).
Referenzhinweise& referenzhinweise(TRahmen& hauptfenster);

} // namespace velmora::reg
