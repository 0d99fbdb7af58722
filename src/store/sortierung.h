#pragma once
// The two text orders of the keys, as SQLite collation callbacks. The engine registers them on every
// connection it opens; the loadable extension (erweiterung/) registers the very same functions in any
// SQLite tool, so an outside tool reads and writes the text indexes in the engine's order.
//
//   VELMORA_NOCASE  letters compared without regard to case; umlauts and other accented letters sort
//                   beside their base letter (ä with a, ß as ss), the accent deciding only between
//                   otherwise equal texts. The default for every text key.
//   VELMORA_CASE    the same, but upper case sorts before lower case and case differences count.
//
// Both take UTF-8 text; the signature is that of sqlite3_create_collation's comparison.

namespace velmora::store {

inline constexpr const char* kSortierungOhneFall = "VELMORA_NOCASE";
inline constexpr const char* kSortierungMitFall = "VELMORA_CASE";

int sortierungOhneFall(void*, int na, const void* a, int nb, const void* b);
int sortierungMitFall(void*, int na, const void* a, int nb, const void* b);

} // namespace velmora::store
