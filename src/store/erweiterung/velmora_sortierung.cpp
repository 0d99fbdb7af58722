// Loadable SQLite extension with the engine's two text orders, so that any SQLite tool can read,
// query, order and even write the tables and their text indexes:
//   sqlite3 Daten/catstamm.db
//   sqlite> .load /usr/lib/velmora_sortierung
// The comparison itself is the engine's own (store/sortierung.cpp), compiled into this module.

#include "store/sortierung.h"

#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

namespace {

int registrieren(sqlite3* db, char** fehler) {
    using namespace velmora::store;
    int rc = sqlite3_create_collation(db, kSortierungOhneFall, SQLITE_UTF8, nullptr, sortierungOhneFall);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_collation(db, kSortierungMitFall, SQLITE_UTF8, nullptr, sortierungMitFall);
    if (rc != SQLITE_OK && fehler) *fehler = sqlite3_mprintf("%s", sqlite3_errmsg(db));
    return rc;
}

} // namespace

extern "C" {

// The entry point SQLite derives from the file name "velmora_sortierung".
#ifdef _WIN32
__declspec(dllexport)
#endif
    int sqlite3_velmorasortierung_init(sqlite3* db, char** fehler, const sqlite3_api_routines* api) {
    SQLITE_EXTENSION_INIT2(api);
    return registrieren(db, fehler);
}

// The generic entry point, for a renamed copy of the file.
#ifdef _WIN32
__declspec(dllexport)
#endif
    int sqlite3_extension_init(sqlite3* db, char** fehler, const sqlite3_api_routines* api) {
    SQLITE_EXTENSION_INIT2(api);
    return registrieren(db, fehler);
}

} // extern "C"
