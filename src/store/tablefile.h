#pragma once
// Internal: one open table file, shared by every cursor of that table in this process.

#include "store/database.h"

#include <sqlite3.h>

#include <QHash>
#include <QVector>

#include <deque>
#include <memory>
#include <vector>

namespace velmora::store {

// One order of a table file: the record ids in index order within a range, filter or master, shared by
// every cursor that asks for the same, with the position of each record found on demand.
struct SharedOrder {
    std::vector<qint64> ids;
    quint64 builtAt = ~0ull;         // the file's change counter the ids are current for; ~0: not listed
    quint64 generation = 0;          // unique in the process, new whenever the ids change
    void listed();                   // after the ids were replaced or edited from the start
    void editedFrom(size_t index);   // the ids from index on moved
    int positionOf(qint64 id) const; // -1 when not in the order
    static quint64 nextGeneration();

private:
    void rebuildPositions() const;
    // Positions by record id: a plain array while the ids are dense (rowids mostly are), else a hash.
    mutable std::vector<int> m_dense;
    mutable QHash<qint64, int> m_sparse;
    mutable bool m_useSparse = false;
    mutable size_t m_validBelow = 0; // positions of ids[0, m_validBelow) are known
};

class TableFile {
public:
    TableFile(Database& db, QString name, QString path);
    ~TableFile();

    Database& db;
    const QString name; // lower case, no extension
    const QString path;
    sqlite3* handle = nullptr;
    TableDef def;
    QHash<QString, int> fieldPos; // lower-case name -> position
    quint64 changeCounter = 0;
    // The latest changes by the change counter they set (inserts, deletes, updates with the stored
    // columns they changed): an order looking at none of an update's columns stays as it is, and the
    // few records a change touches are placed anew instead of listing the whole order again. A change
    // not logged here (a schema change, another connection's write) leaves a gap in the counters.
    struct LoggedChange {
        quint64 counter;
        ChangeKind kind;
        qint64 id;
        QVector<int> columns; // updates only; empty = every column
    };
    std::deque<LoggedChange> recentChanges;
    // Every order of this file that a cursor holds, by what selects and sorts it.
    std::shared_ptr<SharedOrder> order(const QByteArray& key);
    QHash<QByteArray, std::weak_ptr<SharedOrder>> orders;
    int cursors = 0;
    bool exclusive = false;
    int transactionDepth = 0;

    void ensureOpen(); // opens the connection and reads the definition
    void closeHandle();
    void reloadDefinition();
    void exec(const QString& sql);
    sqlite3_stmt* prepare(const QString& sql); // caller finalizes
    [[noreturn]] void fail(int rc, const QString& what);
    void changed(ChangeKind kind, qint64 id, QVector<int> columns = {});
    // Counts a change committed by another connection (another Database on the same file) since the
    // last look as an untracked change, so every cursor lists its order again.
    void noteOutsideChanges();
    qint64 dataVersion = -1;
};

// The file format in SQLite's user_version: 0 kept money as REAL, 1 keeps it as INTEGER 1/10000 units.
constexpr int kFileFormat = 1;
int fileFormat(sqlite3* handle, const char* schema); // of "main" or an attached schema
void setFileFormat(sqlite3* handle, const char* schema, int format);
void upgradeFormat(TableFile& f); // in one transaction; throws when money cannot be converted

// Declarations shared by the engine's source files.
QString quoteIdent(const QString& s);
QString sqlType(const FieldDef& f);
QString collationFor(const TableDef& def, const IndexDef* index);
void bindValue(sqlite3_stmt* st, int pos, const QVariant& v, FieldType type);
// Binds values by their own type (local SQL and generated conditions).
void bindParams(sqlite3_stmt* st, const QVariantList& params, int from = 1);
QVariant columnValue(sqlite3_stmt* st, int col, FieldType type);
void createIndexSql(TableFile& f, const IndexDef& ix);
void writeMeta(TableFile& f);
int engineCode(int sqliteRc);
// 12033 or 12034 for a file SQLite found damaged (SQLITE_CORRUPT), by what can still be read.
int damageCode(sqlite3* handle, const QString& table);

} // namespace velmora::store
