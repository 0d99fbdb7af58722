#pragma once
// The connection to one data directory: every table is one SQLite file in it.

#include "store/errors.h"
#include "store/schema.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>

struct sqlite3;

namespace velmora::store {

class Table;
class TableFile;
struct SharedOrder;

// Registers the two text orders of the keys (store/sortierung.h) on a connection.
void registerCollations(sqlite3* db);
int compareNoCase(const QString& a, const QString& b);
int compareCase(const QString& a, const QString& b);

enum class ChangeKind { Insert, Update, Delete, Schema };

class Database {
public:
    explicit Database(QString directory);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& directory() const { return m_directory; }
    // "CatStamm.DB", "catstamm", "Catstamm.db" -> "catstamm"
    static QString normalName(const QString& tableName);
    // The table's file: the one in the directory whose name equals name + ".db" without regard to case
    // (a directory copied from another system may hold "CatStamm.DB"), else name + ".db" in lower case.
    QString filePath(const QString& tableName) const;
    bool tableExists(const QString& tableName) const;
    // The same lookup without a connection.
    static QString tableFilePath(const QString& directory, const QString& tableName);
    // Every file of the directory named like a table ("x.db" in any case), by table name in lower case.
    static QHash<QString, QString> tableFiles(const QString& directory);

    // Creates the table file from the definition; an existing file is an engine error.
    void createTable(const TableDef& def);
    // Deletes the table file and every file beside it with the same base name.
    void dropTable(const QString& tableName);
    // The table's fields and indexes as stored in its file.
    TableDef readDefinition(const QString& tableName);
    // Checks every page and index of the table's file: nothing when sound, else an error with the code
    // 12033 (rows or description damaged) or 12034 (only an index damaged). Throws when it cannot open.
    std::optional<EngineError> checkTable(const QString& tableName);

    // Closes every table at once; cursors become closed.
    void disconnect();
    int openCursorCount(const QString& tableName) const;

    // Local SQL. Table names are those of the data directory ("catstamm", "Rasse.db", "\"Merkmale.db\"");
    // values only through bound parameters. ALTER TABLE "x.db" ADD name TYPE[, ADD ...] with the types
    // CHAR(n), DATE, BOOLEAN, BLOB(n,1), INTEGER, SMALLINT, FLOAT, MONEY, TIMESTAMP keeps every record.
    void execute(const QString& sql, const QVariantList& params = {});

    // Called after every committed change of a table (table name in lower case).
    using ChangeListener = std::function<void(const QString& table, ChangeKind kind, qint64 recordId)>;
    int addChangeListener(ChangeListener listener);
    void removeChangeListener(int id);

    // Internal: the shared file handle of a table (opened on first use).
    std::shared_ptr<TableFile> file(const QString& tableName);
    void notify(const QString& table, ChangeKind kind, qint64 recordId);
    sqlite3* queryConnection(); // for Query: tables are attached to it by name
    QString resolveQuery(const QString& sql);

private:
    struct Private;
    QString m_directory;
    std::unique_ptr<Private> d;
};

// Groups the posts of one table into one transaction (bulk loads, a window's "save").
// Rolls back when destroyed without commit().
class Transaction {
public:
    Transaction(Database& db, const QString& tableName);
    ~Transaction();
    void commit();

private:
    std::shared_ptr<TableFile> m_file;
    bool m_done = false;
};

// A read-only local-SQL result walked forward.
class Query {
public:
    Query(Database& db, const QString& sql, const QVariantList& params = {});
    ~Query();
    Query(const Query&) = delete;
    bool next(); // false at the end
    int columnCount() const;
    QString columnName(int i) const;
    QVariant value(int i) const;
    QVariant value(const QString& column) const;
    // Convenience: all rows at once.
    QList<QVariantList> all();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velmora::store
