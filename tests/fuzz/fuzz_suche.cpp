// The cat search on any typed criteria: the look-ups, the statement and the search run over an empty
// data directory.

#include "register/suchabfrage.h"
#include "store/catalogue.h"
#include "store/database.h"

#include <QLocale>
#include <QStringList>
#include <QTemporaryDir>

using namespace velmora;

namespace {
store::Database& datenbank() {
    static QTemporaryDir dir;
    static store::Database db(dir.path());
    static bool angelegt = [] {
        for (const store::TableDef& def : store::catalogue())
            db.createTable(def);
        reg::suchFunktionenAnmelden(db);
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
    // Ten criteria separated by tab characters, as if typed into the ten fields.
    const QStringList teile =
        QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)).split(QLatin1Char('\t'));
    reg::SuchKriterien k;
    QString* felder[] = {&k.name,     &k.zwinger,  &k.rufname,         &k.rasse,  &k.farbe,
                         &k.zuechter, &k.besitzer, &k.zuchtbuchnummer, &k.status, &k.gebDatum};
    for (int i = 0; i < 10 && i < teile.size(); ++i)
        *felder[i] = teile[i];
    reg::SuchAufruf aufruf;
    aufruf.formular = teile.size() % 4;
    store::Database& db = datenbank();
    const reg::SuchAbfrage a = reg::suchAbfrageBauen(db, k, aufruf, QLocale(QLocale::German));
    if (a.fehler == reg::SuchAbfrage::Fehler::Keiner) reg::suchen(db, a);
    return 0;
}
