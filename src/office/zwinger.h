#pragma once
// The kennel registers without widgets: the public one (zwingreg, zwinginf, delivered with the program)
// and the private one (zwingregprivat, zwinginfprivat, the user's own), of the same structure. The
// search, the marks of a kennel's cats, the sort orders and the copy of a kennel into the address book.

#include "office/adressen.h"
#include "store/database.h"

#include <QList>
#include <QString>

namespace velmora::store {
class Table;
}

namespace velmora::office {

struct Zwingertabellen {
    QString zwinger; // kennels
    QString katzen;  // their cats
};
Zwingertabellen zwingertabellen(bool privat);

// Creates a missing table of the private register with its structure, its primary key and its first
// index (ZwingerRasse, ZwingerName); true when one was created.
bool privateTabelleAnlegen(store::Database& db, const QString& tabelle);

enum KatzenArt { Alle = 0, Deckkater = 1, Zuchtkatze = 2, Jungtiere = 3 };

struct ZwingerKriterien {
    QString zuechter, zwinger, plz, ort, rasse; // beginnings, with case; "%" and "_" as in the book
    int art = Alle;                             // only kennels with at least one cat of that kind
};

struct Zwinger {
    int nummer = 0;
    QString zwinger, rasse, zuechter, strasse, plz, ort, land, zuchtfarbe, verein, telefon, telefax, email,
        homepage, handy;
};

// The kennels of the criteria, each once, ordered by kennel name.
QList<Zwinger> zwingerSuchen(store::Database& db, bool privat, const ZwingerKriterien& k);
Zwinger zwingerLesen(store::Database& db, bool privat, int nummer);

// The six sort criteria and their indexes, in the drop-down's order.
struct Sortierung {
    const char* index;
    const char* felder;
};
const QList<Sortierung>& zwingerSortierungen();
// Selects the sort's index, creating it first (with the table opened exclusively) when it is missing.
void sortierungWaehlen(store::Table& zwinger, int sortierung);

// Per kind of cat: does the kennel have one, and does one of them have a picture?
struct Katzenmarke {
    bool vorhanden = false;
    bool mitBild = false;
};
Katzenmarke katzenMarke(store::Database& db, const QString& katzenTabelle, int zwinger, int art);

// "Meier, Hans" -> Meier / Hans (the text after the first comma without leading blanks). A text without
// comma is taken whole as the surname, since an address needs one.
struct ZuechterName {
    QString name, vorname;
};
ZuechterName zuechterTeilen(const QString& zuechter);

// The address a kennel gives: its breeder's name, the kennel's contact data and the status "Züchter".
Adresse adresseAusZwinger(const Zwinger& z);

} // namespace velmora::office
