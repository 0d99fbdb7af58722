#pragma once
// Internal: one open table file, shared by every cursor of that table in this process.

#include "store/database.h"

#include <sqlite3.h>

#include <QHash>
#include <QVector>

#include <deque>

namespace velmora::store {

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
    // The latest updates that changed only some stored columns, by the change counter they set: a
    // cursor whose order looks at none of those columns keeps its order instead of listing it again,
    // and one that only sorts by them moves the one record instead.
    struct ColumnUpdate {
        quint64 counter;
        qint64 id;
        QVector<int> columns;
    };
    std::deque<ColumnUpdate> recentUpdates;
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
