#pragma once
// One transaction over several tables (a booking with its balances): every table is begun in the order
// given (a table that cannot be begun rolls back those already begun and throws) with its file locked
// exclusively, and committed in that order; destroyed without commit() it rolls every table back. A
// failed commit rolls back the tables not yet committed and throws. Each table is its own file, so a
// crash between two commits can leave the later tables unchanged: callers whose tables depend on each
// other order them so that the later ones can be recomputed from the earlier ones.

#include "store/database.h"

#include <QStringList>
#include <vector>

namespace velmora::store {

class MultiTableTransaction {
public:
    MultiTableTransaction(Database& db, const QStringList& tableNames);
    ~MultiTableTransaction();
    MultiTableTransaction(const MultiTableTransaction&) = delete;
    MultiTableTransaction& operator=(const MultiTableTransaction&) = delete;
    void commit();

private:
    void rollback();
    std::vector<std::shared_ptr<TableFile>> m_files;
    bool m_done = false;
};

// A stretch of reading only (a window filling its tree or lists): each named table whose file is open
// reads from one snapshot, so that SQLite takes its file lock and looks for a journal once instead of
// for every statement. Tables not open yet are left alone. Nothing is to be written meanwhile: a write
// would only be committed when the snapshot ends.
class ReadSnapshot {
public:
    ReadSnapshot(Database& db, const QStringList& tableNames);
    ~ReadSnapshot();
    ReadSnapshot(const ReadSnapshot&) = delete;
    ReadSnapshot& operator=(const ReadSnapshot&) = delete;

private:
    std::vector<std::shared_ptr<TableFile>> m_files;
};

} // namespace velmora::store
