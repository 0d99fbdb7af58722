#pragma once
// The five cats shown last, as the Katze menu lists them: "Name {Nummer}" or "{}" for an empty entry.

#include "settings/systeminfo.h"

namespace velmora::app {

// Enters the cat unless its name already occurs inside an entry. The entries move down by one (the
// fifth drops out) unless the first one is empty ("{}"), which is simply overwritten. Returns true when
// the list changed.
bool letzteKatzeEintragen(settings::LetzteKatzen& liste, const QString& name, int nummer);

// Takes out every entry of the cat; the entries after it move up and "{}" fills the end. Returns true
// when the list changed.
bool letzteKatzeEntfernen(settings::LetzteKatzen& liste, int nummer);

// The number between "{" and the final character of an entry; 0 for "{}" or a malformed entry.
int nummerAusEintrag(const QString& eintrag);

} // namespace velmora::app
