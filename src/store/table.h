#pragma once
// A navigational cursor on one table: current index, current record, ranges, filter, master-detail,
// editing with hooks, calculated and lookup fields.
//
// Navigation follows the classic keyed-table semantics: first() sets bof(), next() past the last record
// sets eof() and stays on the last record; an empty table is both bof() and eof(). The order is that of
// the current index, ties broken by the record's internal id, so every walk is total and repeatable.

#include "store/database.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

namespace velmora::store {

class Table {
public:
    enum class OpenMode { Shared, Exclusive, ReadOnly };
    enum class State { Inactive, Browse, Edit, Insert, CalcFields };
    // What a post-error handler decides.
    enum class ErrorAction { Fail, Abort }; // Fail: rethrow; Abort: the post ends silently

    Table(Database& db, QString tableName);
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    Database& database() const { return m_db; }
    const QString& tableName() const { return m_tableName; } // as given
    QString normalName() const;                              // lower case, no extension
    void setTableName(const QString& name);                  // only while closed

    // --- opening
    bool exists() const;
    void open(OpenMode mode = OpenMode::Shared);
    void close(); // posts a pending edit first
    bool isOpen() const;
    OpenMode openMode() const { return m_mode; }
    void create(const TableDef& def);   // creates the file (table must be closed)
    const TableDef& definition() const; // fields and indexes as stored (open table)

    // --- index
    void setIndexName(const QString& name);        // "" = primary key (or record order when none)
    void setIndexFields(const QString& fieldList); // "A;B": the index whose fields begin with the list
    const QString& indexName() const { return m_indexName; }
    QStringList indexFields() const;
    QList<IndexDef> indexDefs() const;
    void addIndex(const IndexDef& def);    // needs exclusive access
    void deleteIndex(const QString& name); // needs exclusive access; "" drops every index

    // --- navigation
    int recordCount() const; // respects range, filter and master
    bool isEmpty() const;
    void first();
    void last();
    void next();
    void prior();
    int moveBy(int distance); // returns how far it moved
    // Position of the current record in the current order (0-based), -1 without one. Grids use it
    // with gotoPosition to show row r without walking there.
    int position() const;
    bool gotoPosition(int pos); // false (and stays put) when pos lies outside the order
    // Changes whenever the order may have changed (any write to the table, a new range or filter).
    quint64 orderStamp() const;
    bool bof() const { return m_bof; }
    bool eof() const { return m_eof; }
    bool hasRecord() const { return m_hasRecord; }
    void refresh(); // re-reads the current record (or the nearest one after it) and the order
    void flush();   // commits anything pending; after a post the record is already durable

    qint64 recordId() const { return m_recordId; } // internal id (rowid) of the current record
    bool gotoRecordId(qint64 id);                  // stays put when the record is not in view
    using Bookmark = qint64;
    Bookmark bookmark() const { return m_recordId; }
    bool gotoBookmark(Bookmark b) { return gotoRecordId(b); }

    // --- search on the current index
    bool findKey(const QVariantList& values);     // exact; stays put on failure
    void findNearest(const QVariantList& values); // first key >= values (a prefix of the key fields)
    void setRange(const QVariantList& low, const QVariantList& high);
    void cancelRange();
    // "Status=1 OR Status=3"; an empty text removes the filter
    void setFilter(const QString& expression);
    const QString& filter() const { return m_filterText; }

    // The detail shows only records whose detailFields equal masterFields of the master's current record;
    // it follows every move of the master. The index is chosen by the detail fields.
    void setMaster(Table* master, const QString& masterFields, const QString& detailFields);
    void clearMaster();

    // --- fields of the current record (case-blind names)
    int fieldCount() const;
    int fieldIndex(const QString& name) const; // -1 when missing
    const FieldDef& fieldDef(int i) const;
    QVariant value(int i) const;
    QVariant value(const QString& name) const;
    bool isNull(const QString& name) const;
    QString asString(const QString& name) const;
    int asInt(const QString& name) const;
    double asFloat(const QString& name) const;
    bool asBool(const QString& name) const;
    QDate asDate(const QString& name) const;       // invalid when empty
    qint64 asDayNumber(const QString& name) const; // days since 1899-12-30; 0 when empty
    QVariant operator[](const QString& name) const { return value(name); }
    void setValue(int i, const QVariant& v);
    void setValue(const QString& name, const QVariant& v);
    void clearValue(const QString& name) { setValue(name, QVariant()); }

    // --- editing
    State state() const { return m_state; }
    bool isModified() const { return m_modified; }
    void append();
    void insert() { append(); } // records are kept in index order, so insert and append are the same
    void edit();
    void post();
    void cancel();
    void remove(); // the record after the deleted one becomes current (else the one before)

    std::function<void(Table&)> beforePost;
    std::function<void(Table&)> afterPost;
    std::function<void(Table&)> afterScroll; // after every move to another record
    std::function<ErrorAction(Table&, const EngineError&)> onPostError;
    std::function<void(Table&)> onCalcFields; // set the calculated fields with setValue

    // --- derived fields (added while closed or open; they follow the stored fields)
    void addCalculatedField(const FieldDef& def);
    // name shows lookup.resultField of the record where lookupKeyFields equal this table's keyFields.
    void addLookupField(const QString& name, FieldType type, const QString& keyFields, Table* lookup,
                        const QString& lookupKeyFields, const QString& resultField);
    // A value of another record of this table without moving: the first record (on the named index
    // order) where keyFields equal values.
    QVariant lookupValue(const QString& keyFields, const QVariantList& values, const QString& resultField);
    // The same through an index: the first record in the order of the named index ("" the primary key)
    // whose leading key fields equal values, compared as that index compares them, or without regard to
    // case when ignoreCase (a case-sensitive index keeps its order). Invalid when there is none; a
    // missing index is an IndexMissing error.
    QVariant lookupInIndex(const QString& indexName, const QVariantList& values, const QString& resultField,
                           bool ignoreCase = false);

private:
    void requireOpen() const;
    void requireRecord() const;
    void requireWritable() const;
    void resolveIndex();
    void ensureOrder() const;
    SharedOrder& order() const;       // the shared order this cursor's state selects (not necessarily listed)
    std::vector<qint64>& ids() const; // of the order; after ensureOrder
    void invalidate() {
        m_order.reset();
        m_seenGeneration = 0;
    }
    void load(qint64 id);
    void noRecord();
    QString orderBy() const;
    QByteArray orderKey() const;
    // shape (optional) collects every decision that shapes the SQL text, so a prepared statement can be
    // reused by shape without building the text; withText=false skips the text.
    QString conditions(QVariantList& params, QByteArray* shape = nullptr, bool withText = true) const;
    // "key (and rowid) at or after values" in index order; "0" when nothing can match.
    QString keyAtLeast(const QVariantList& values, int m, const qint64* rowid, QVariantList& params,
                       QByteArray* shape, bool withText) const;
    void* shapedStatement(const QByteArray& shape, const std::function<QString()>& sql) const;
    // True when the order is listed and current; sync re-takes this cursor's position in it.
    bool orderCurrent(bool sync = true) const;
    void syncPosition() const;
    bool orderSelectsBy(int column) const; // a change of the column can take records in or out
    bool orderHasConditions() const;
    // Brings a listed order up to date by the file's change log; false: list it again.
    bool applyLoggedChanges(SharedOrder& o) const;
    bool inOrder(qint64 id) const; // the record exists and meets range, filter and master
    bool nextByKey();              // the record after the current one found by key; false at the end
    void readRow(void* stmt, int firstColumn);
    void arrived(qint64 id); // the values are read: the rest of a move
    void arriveFromQuery(void* stmt);
    bool arriveFromFirstRow(void* stmt, const QVariantList& params);
    void placeAt(qint64 id); // position of a record reached by a query (resolved when the order is known)
    int positionBySearch() const;
    QString keyColumn(int keyPos) const;
    void* statement(const QString& sql) const;
    void bindAll(void* stmt, const QVariantList& params, int from = 1) const;
    void computeDerived();
    void masterMoved();
    void scrolled();
    int positionOf(qint64 id) const;
    void validate() const;
    void finalizeStatements();
    void postPending(); // a pending edit is stored before any move
    void moveTo(int pos, bool atBof, bool atEof);
    void loadAt(int pos, bool backwards); // the record at pos of the order, read ahead in blocks
    void readAhead(int from, int count);

    Database& m_db;
    QString m_tableName;
    std::shared_ptr<TableFile> m_file;
    OpenMode m_mode = OpenMode::Shared;
    bool m_open = false;

    QString m_indexName;
    QVector<int> m_keyColumns; // field positions of the current index
    const IndexDef* m_index = nullptr;
    int m_storedCount = 0;

    QVector<QVariant> m_values; // stored fields, then derived fields
    QVector<bool> m_changed;
    qint64 m_recordId = 0;
    bool m_hasRecord = false;
    bool m_bof = true;
    bool m_eof = true;
    State m_state = State::Inactive;
    bool m_modified = false;
    QVector<QVariant> m_savedValues; // restored by cancel
    qint64 m_savedId = 0;
    bool m_savedHasRecord = false;

    // The current order: record ids in index order within range, filter and master, shared with every
    // cursor of the file that selects and sorts the same; looked up when first needed.
    mutable std::shared_ptr<SharedOrder> m_order;
    mutable quint64 m_seenGeneration = 0; // the order's generation m_pos was taken from
    mutable int m_pos = -1;
    // Steps taken by next() since the last search without listing the order: a short walk from a
    // found record reads its neighbours by key, a long one lists the order and reads ahead.
    int m_keySteps = 0;

    QVariantList m_rangeLow, m_rangeHigh;
    bool m_hasRange = false;
    QString m_filterText;
    QList<QPair<int, QVariant>> m_filterTerms;
    Table* m_master = nullptr;
    QVector<int> m_masterColumns;
    QString m_detailFields;
    QList<Table*> m_details;

    struct Derived {
        FieldDef def;
        bool lookup = false;
        QString keyFields;
        Table* table = nullptr;
        QString lookupKeyFields;
        QString resultField;
    };
    QList<Derived> m_derived;
    QList<FieldDef> m_allFields;
    mutable QHash<QString, void*> m_stmtCache;
    mutable QHash<QByteArray, void*> m_shapeCache;
    mutable void* m_loadStmt = nullptr;
    // False while the position of a record reached by a query is not yet looked up in the order.
    mutable bool m_posExact = true;
    // Records read ahead along the order (a walk costs one read per block instead of one per record),
    // valid while the order and the table's change counter stay as they were when read.
    QVector<QVariant> m_ahead; // m_aheadCount rows of m_storedCount values
    QVector<bool> m_aheadFound;
    int m_aheadStart = 0;
    int m_aheadCount = 0;
    quint64 m_aheadGeneration = ~0ull;
    quint64 m_aheadChange = ~0ull;
    void* m_aheadStmt = nullptr;
    quint64 m_loadedChange = ~0ull; // the change counter when the current record was read
};

} // namespace velmora::store
