// The register statistics' condition on any text: the statement is built and checked by the read-only
// query; whatever is accepted runs a few steps over empty tables and never writes.

#include "genealogy/statistikdatei.h"
#include "store/catalogue.h"
#include "store/database.h"
#include "store/errors.h"
#include "store/leseabfrage.h"

#include <QTemporaryDir>

using namespace velmora;

namespace {
store::Database& datenbank() {
    static QTemporaryDir dir;
    static store::Database db(dir.path());
    static bool angelegt = [] {
        for (const store::TableDef& def : store::catalogue())
            db.createTable(def);
        return true;
    }();
    (void)angelegt;
    return db;
}
} // namespace

// The tables are created before the first input, outside its time limit.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    datenbank();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const bool erweitert = data[0] & 1;
    const QString bedingung = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    genealogy::Filter filter;
    filter.heute = QDate(2026, 1, 1);
    const genealogy::Abfrage a = genealogy::abfrageBauen(
        erweitert, bedingung, filter, [](const QString& n) { return qint32(n.size() % 3); });
    store::Database& db = datenbank();
    try {
        store::LeseAbfrage q(db, a.tabellen, a.sql, a.params);
        for (int i = 0; i < 50 && q.next(); ++i) {
        }
    } catch (const store::AbfrageAbgelehnt& e) {
        if (e.ablehnung.position >= 0) (void)a.textPosition(e.ablehnung.position);
    } catch (const store::DatabaseError&) {
    }
    return 0;
}
