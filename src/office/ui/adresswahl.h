#pragma once
// What the cat register's breeder and owner boxes need from the address book: the address search as a
// picker, and opening the book on an address (or for a new one) through the frame's hand-over.

#include "office/adressen.h"

#include <optional>

class QWidget;

namespace velmora {
class TRahmen;
}

namespace velmora::office {

// The address search, modal, its name field focused: nothing when cancelled or OK without a search; an
// address with number 0 after a search without hit.
std::optional<Adresse> adresseWaehlen(store::Database& db, QWidget* parent);

// Opens the address book (or brings it forward) on the address; a number of 0 or less starts a new
// address there; zeigen false opens it as the menu does.
void adressbuchOeffnen(TRahmen& rahmen, int nummer, bool zeigen);

} // namespace velmora::office
