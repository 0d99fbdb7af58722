#pragma once
// A local-SQL statement resolved and prepared once and run again with new parameters: for walks that ask
// the same question for many cats, where resolving the table names and preparing the text each time
// would cost more than the answer. Values only through bound parameters, as with Query.

#include "store/database.h"

#include <QList>
#include <QString>
#include <QVariant>

struct sqlite3_stmt;

namespace velmora::store {

class WiederholteAbfrage {
public:
    WiederholteAbfrage(Database& db, const QString& sql);
    ~WiederholteAbfrage();
    WiederholteAbfrage(const WiederholteAbfrage&) = delete;
    WiederholteAbfrage& operator=(const WiederholteAbfrage&) = delete;

    // Starts the statement from its first row with these parameters.
    void ausfuehren(const QVariantList& params);
    bool next();                 // false at the end; the statement then holds no lock until the next run
    QVariant value(int i) const; // a DATE column as QDate
    // Ends the run early, so the statement holds no read lock between runs.
    void beenden();

private:
    sqlite3_stmt* m_st = nullptr;
    QList<FieldType> m_typen;
};

} // namespace velmora::store
