#include "store/database.h"

#include "store/money.h"
#include "store/sortierung.h"
#include "store/tablefile.h"
#include "store/transaktion.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <mutex>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>

namespace velmora::store {

// ---------------------------------------------------------------- collations

int compareNoCase(const QString& a, const QString& b) {
    const QByteArray ua = a.toUtf8(), ub = b.toUtf8();
    return sortierungOhneFall(nullptr, int(ua.size()), ua.constData(), int(ub.size()), ub.constData());
}
int compareCase(const QString& a, const QString& b) {
    const QByteArray ua = a.toUtf8(), ub = b.toUtf8();
    return sortierungMitFall(nullptr, int(ua.size()), ua.constData(), int(ub.size()), ub.constData());
}

void registerCollations(sqlite3* db) {
    sqlite3_create_collation(db, kSortierungOhneFall, SQLITE_UTF8, nullptr, sortierungOhneFall);
    sqlite3_create_collation(db, kSortierungMitFall, SQLITE_UTF8, nullptr, sortierungMitFall);
}

// ---------------------------------------------------------------- helpers

QString quoteIdent(const QString& s) {
    QString q = s;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QString sqlType(const FieldDef& f) {
    switch (f.type) {
    case FieldType::Auto:
        return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case FieldType::Int:
        return QStringLiteral("INTEGER");
    case FieldType::Short:
        return QStringLiteral("SMALLINT");
    case FieldType::Text:
        return QStringLiteral("VARCHAR(%1)").arg(f.size);
    case FieldType::Date:
        return QStringLiteral("DATE");
    case FieldType::DateTime:
        return QStringLiteral("TIMESTAMP");
    case FieldType::Bool:
        return QStringLiteral("BOOLEAN");
    case FieldType::Float:
        return QStringLiteral("FLOAT");
    case FieldType::Money:
        return QStringLiteral("MONEY"); // integer values only: NUMERIC affinity keeps them as INTEGER
    case FieldType::Memo:
        return QStringLiteral("CLOB");
    case FieldType::Picture:
        return QStringLiteral("BLOB");
    }
    return QStringLiteral("BLOB");
}

QString collationFor(const TableDef& def, const IndexDef* index) {
    const bool cs = def.caseSensitive || (index && index->caseSensitive);
    return cs ? QStringLiteral("VELMORA_CASE") : QStringLiteral("VELMORA_NOCASE");
}

int engineCode(int rc) {
    switch (rc & 0xFF) {
    case SQLITE_CONSTRAINT:
        return code::KeyViolation;
    case SQLITE_NOTADB:
        return code::TableDamaged;
    case SQLITE_CORRUPT:
        return code::IndexDamaged;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return code::TableLocked;
    case SQLITE_READONLY:
        return code::ReadOnly;
    case SQLITE_CANTOPEN:
        return code::NoSuchTable;
    default:
        return code::SqlError;
    }
}

void bindValue(sqlite3_stmt* st, int pos, const QVariant& v, FieldType type) {
    if (!v.isValid() || v.isNull()) {
        sqlite3_bind_null(st, pos);
        return;
    }
    switch (type) {
    case FieldType::Auto:
    case FieldType::Int:
    case FieldType::Short:
        sqlite3_bind_int64(st, pos, v.toLongLong());
        return;
    case FieldType::Bool:
        sqlite3_bind_int(st, pos, v.toBool() ? 1 : 0);
        return;
    case FieldType::Float:
        sqlite3_bind_double(st, pos, v.toDouble());
        return;
    case FieldType::Money: {
        const auto m = Money::fromVariant(v);
        if (m)
            sqlite3_bind_int64(st, pos, m->units());
        else
            sqlite3_bind_null(st, pos);
        return;
    }
    case FieldType::Date: {
        const QDate d = v.typeId() == QMetaType::QDateTime ? v.toDateTime().date() : v.toDate();
        if (!d.isValid()) {
            sqlite3_bind_null(st, pos);
            return;
        }
        const QByteArray s = d.toString(Qt::ISODate).toUtf8();
        sqlite3_bind_text(st, pos, s.constData(), int(s.size()), SQLITE_TRANSIENT);
        return;
    }
    case FieldType::DateTime: {
        const QDateTime d = v.toDateTime();
        if (!d.isValid()) {
            sqlite3_bind_null(st, pos);
            return;
        }
        const QByteArray s = d.toString(Qt::ISODateWithMs).toUtf8();
        sqlite3_bind_text(st, pos, s.constData(), int(s.size()), SQLITE_TRANSIENT);
        return;
    }
    case FieldType::Picture: {
        const QByteArray b = v.toByteArray();
        sqlite3_bind_blob(st, pos, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        return;
    }
    case FieldType::Text:
    case FieldType::Memo: {
        const QByteArray s = v.toString().toUtf8();
        if (s.isEmpty())
            sqlite3_bind_null(st, pos);
        else
            sqlite3_bind_text(st, pos, s.constData(), int(s.size()), SQLITE_TRANSIENT);
        return;
    }
    }
}

QVariant columnValue(sqlite3_stmt* st, int col, FieldType type) {
    const int t = sqlite3_column_type(st, col);
    if (t == SQLITE_NULL) return {};
    switch (type) {
    case FieldType::Auto:
    case FieldType::Int:
    case FieldType::Short:
        return sqlite3_column_int(st, col);
    case FieldType::Bool:
        return sqlite3_column_int(st, col) != 0;
    case FieldType::Float:
        return sqlite3_column_double(st, col);
    case FieldType::Money:
        return QVariant::fromValue(Money::fromUnits(sqlite3_column_int64(st, col)));
    case FieldType::Date: {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, col));
        const int n = sqlite3_column_bytes(st, col);
        // Stored dates are always "YYYY-MM-DD"; anything else takes the general parser.
        auto digit = [p](int i) { return p[i] >= '0' && p[i] <= '9'; };
        if (n == 10 && p[4] == '-' && p[7] == '-' && digit(0) && digit(1) && digit(2) && digit(3) &&
            digit(5) && digit(6) && digit(8) && digit(9)) {
            auto num = [p](int i, int len) {
                int v = 0;
                for (int k = 0; k < len; ++k)
                    v = v * 10 + (p[i + k] - '0');
                return v;
            };
            return QDate(num(0, 4), num(5, 2), num(8, 2));
        }
        return QDate::fromString(QString::fromUtf8(p, n), Qt::ISODate);
    }
    case FieldType::DateTime:
        return QDateTime::fromString(
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, col)),
                              sqlite3_column_bytes(st, col)),
            Qt::ISODateWithMs);
    case FieldType::Picture:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(st, col)),
                          sqlite3_column_bytes(st, col));
    case FieldType::Text:
    case FieldType::Memo:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, col)),
                                 sqlite3_column_bytes(st, col));
    }
    return {};
}

void bindParams(sqlite3_stmt* st, const QVariantList& params, int from) {
    for (int i = 0; i < params.size(); ++i) {
        const QVariant& v = params[i];
        FieldType t = FieldType::Text;
        if (v.metaType() == QMetaType::fromType<Money>()) {
            bindValue(st, from + i, v, FieldType::Money);
            continue;
        }
        switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
            t = FieldType::Int;
            break;
        case QMetaType::Bool:
            t = FieldType::Bool;
            break;
        case QMetaType::Double:
            t = FieldType::Float;
            break;
        case QMetaType::QDate:
            t = FieldType::Date;
            break;
        case QMetaType::QDateTime:
            t = FieldType::DateTime;
            break;
        case QMetaType::QByteArray:
            t = FieldType::Picture;
            break;
        default:
            break;
        }
        bindValue(st, from + i, v, t);
    }
}

// ---------------------------------------------------------------- TableFile

TableFile::TableFile(Database& d, QString n, QString p) : db(d), name(std::move(n)), path(std::move(p)) {}
TableFile::~TableFile() {
    closeHandle();
}

void TableFile::closeHandle() {
    if (handle) sqlite3_close_v2(handle);
    handle = nullptr;
    transactionDepth = 0;
}

int damageCode(sqlite3* handle, const QString& table) {
    // A damaged page lies either among the table's rows (or its description) or only in an index. Reading
    // every row without any index tells the two apart: when that works, only an index can be at fault.
    if (!handle) return code::TableDamaged;
    for (const QString& t : {table, QStringLiteral("velmora_felder"), QStringLiteral("velmora_indizes"),
                             QStringLiteral("velmora_tabelle")}) {
        sqlite3_stmt* st = nullptr;
        const QByteArray sql =
            (QStringLiteral("SELECT * FROM ") + quoteIdent(t) + QStringLiteral(" NOT INDEXED")).toUtf8();
        if (sqlite3_prepare_v2(handle, sql.constData(), -1, &st, nullptr) != SQLITE_OK) {
            sqlite3_finalize(st);
            return code::TableDamaged;
        }
        const int n = sqlite3_column_count(st);
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW)
            for (int i = 0; i < n; ++i)
                sqlite3_column_bytes(st, i); // reads the whole value, overflow pages too
        sqlite3_finalize(st);
        if (rc != SQLITE_DONE) return code::TableDamaged;
    }
    return code::IndexDamaged;
}

namespace {
int classified(int rc, sqlite3* handle, const QString& table) {
    return (rc & 0xFF) == SQLITE_CORRUPT ? damageCode(handle, table) : engineCode(rc);
}
} // namespace

void TableFile::fail(int rc, const QString& what) {
    const QString msg =
        handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : QString::fromUtf8(sqlite3_errstr(rc));
    throw EngineError(classified(rc, handle, name), what + QStringLiteral(": ") + msg, name, rc);
}

void TableFile::exec(const QString& sql) {
    char* err = nullptr;
    const int rc = sqlite3_exec(handle, sql.toUtf8().constData(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        const QString msg = QString::fromUtf8(err ? err : sqlite3_errstr(rc));
        sqlite3_free(err);
        throw EngineError(classified(rc, handle, name), QStringLiteral("%1: %2").arg(name, msg), name, rc);
    }
}

int fileFormat(sqlite3* h, const char* schema) {
    sqlite3_stmt* st = nullptr;
    int v = 0;
    if (sqlite3_prepare_v2(h, QByteArray("PRAGMA ").append(schema).append(".user_version").constData(), -1,
                           &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
        v = sqlite3_column_int(st, 0);
    sqlite3_finalize(st);
    return v;
}

void setFileFormat(sqlite3* h, const char* schema, int format) {
    sqlite3_exec(h,
                 QByteArray("PRAGMA ")
                     .append(schema)
                     .append(".user_version=")
                     .append(QByteArray::number(format))
                     .constData(),
                 nullptr, nullptr, nullptr);
}

// Brings a file of an older format up to this one in one transaction. Money columns of format 0 held
// REAL currency values (or INTEGER where a value was whole, by the column's affinity); each becomes its
// count of 1/10000, ties to even. A file that cannot be written stays as it is when it has no money.
void upgradeFormat(TableFile& f) {
    if (fileFormat(f.handle, "main") >= kFileFormat) return;
    QStringList money;
    for (const FieldDef& fd : f.def.fields)
        if (fd.type == FieldType::Money) money << fd.name;
    try {
        f.exec(QStringLiteral("BEGIN IMMEDIATE"));
    } catch (const EngineError&) {
        if (money.isEmpty()) return;
        throw;
    }
    try {
        for (const QString& c : money) {
            sqlite3_stmt* read = f.prepare(QStringLiteral("SELECT rowid, %1 FROM %2 WHERE %1 IS NOT NULL")
                                               .arg(quoteIdent(c), quoteIdent(f.name)));
            QList<QPair<qint64, std::optional<Money>>> rows;
            while (sqlite3_step(read) == SQLITE_ROW) {
                std::optional<Money> m;
                switch (sqlite3_column_type(read, 1)) {
                case SQLITE_INTEGER:
                    m = Money::fromWhole(sqlite3_column_int64(read, 1));
                    break;
                case SQLITE_FLOAT:
                    m = Money::fromDouble(sqlite3_column_double(read, 1));
                    break;
                case SQLITE_TEXT:
                    m = Money::parse(
                        QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(read, 1))));
                    break;
                default:
                    break;
                }
                rows.append({sqlite3_column_int64(read, 0), m});
            }
            sqlite3_finalize(read);
            sqlite3_stmt* write = f.prepare(QStringLiteral("UPDATE %2 SET %1 = ? WHERE rowid = ?")
                                                .arg(quoteIdent(c), quoteIdent(f.name)));
            for (const auto& r : rows) {
                if (r.second) // a text that is no amount stays as it was
                    sqlite3_bind_int64(write, 1, r.second->units());
                else
                    continue;
                sqlite3_bind_int64(write, 2, r.first);
                const int rc = sqlite3_step(write);
                sqlite3_reset(write);
                if (rc != SQLITE_DONE) {
                    sqlite3_finalize(write);
                    f.fail(rc, f.name);
                }
            }
            sqlite3_finalize(write);
        }
        f.exec(QStringLiteral("PRAGMA user_version=%1").arg(kFileFormat));
        f.exec(QStringLiteral("COMMIT"));
    } catch (const EngineError&) {
        sqlite3_exec(f.handle, "ROLLBACK", nullptr, nullptr, nullptr);
        if (money.isEmpty()) return;
        throw;
    }
}

namespace {
// Empty when the file's pages and indexes are sound, else what the check found.
QString checkTableFile(TableFile& f) {
    f.ensureOpen();
    sqlite3_stmt* st = nullptr;
    // Another connection holding the file is no damage: it is reported as the lock it is.
    auto gesperrt = [&f](int rc) {
        if ((rc & 0xFF) != SQLITE_BUSY && (rc & 0xFF) != SQLITE_LOCKED) return;
        throw EngineError(code::TableLocked,
                          QStringLiteral("%1 ist von einem anderen Programm gesperrt").arg(f.name), f.name,
                          rc);
    };
    int rc = sqlite3_prepare_v2(f.handle, "PRAGMA quick_check", -1, &st, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = QString::fromUtf8(sqlite3_errmsg(f.handle));
        sqlite3_finalize(st);
        gesperrt(rc);
        return msg;
    }
    QStringList lines;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        lines << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    if (rc != SQLITE_DONE) lines << QString::fromUtf8(sqlite3_errmsg(f.handle));
    sqlite3_finalize(st);
    gesperrt(rc);
    if (lines == QStringList{QStringLiteral("ok")}) return {};
    return lines.join(QLatin1Char(' ')).simplified();
}
} // namespace

sqlite3_stmt* TableFile::prepare(const QString& sql) {
    sqlite3_stmt* st = nullptr;
    const QByteArray u = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(handle, u.constData(), int(u.size()), &st, nullptr);
    if (rc != SQLITE_OK) fail(rc, name);
    return st;
}

void TableFile::ensureOpen() {
    if (handle) return;
    if (!QFileInfo::exists(path))
        throw EngineError(code::NoSuchTable, QStringLiteral("Tabelle existiert nicht: %1").arg(name), name);
    // Every connection of the engine is used by one thread at a time (the one that owns the Database),
    // so SQLite's per-call locking is left out.
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &handle,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        closeHandle();
        throw EngineError(engineCode(rc), QStringLiteral("%1 kann nicht geöffnet werden").arg(name), name,
                          rc);
    }
    registerCollations(handle);
    sqlite3_busy_timeout(handle, 2000);
    try {
        exec(QStringLiteral("PRAGMA synchronous=FULL"));
        // Walks along a secondary index visit the table's pages in no particular order; a larger page
        // cache (grown only as pages are read) keeps them from being read again and again.
        exec(QStringLiteral("PRAGMA cache_size=-16384"));
        reloadDefinition();
        upgradeFormat(*this);
        noteOutsideChanges(); // the version to compare later looks with
    } catch (const EngineError& e) {
        closeHandle();
        if (e.code() == code::TableLocked)
            throw EngineError(code::TableLocked,
                              QStringLiteral("%1 ist von einem anderen Programm gesperrt").arg(name), name,
                              e.entries().first().nativeCode);
        throw EngineError(e.code() == code::SqlError ? code::TableDamaged : e.code(),
                          QStringLiteral("Tabelle %1 ist beschädigt: %2").arg(name, e.message()), name,
                          e.entries().first().nativeCode);
    }
}

void TableFile::reloadDefinition() {
    def = TableDef{};
    def.name = name;
    fieldPos.clear();
    sqlite3_stmt* st =
        prepare(QStringLiteral("SELECT name, type, size, required FROM velmora_felder ORDER BY pos"));
    while (sqlite3_step(st) == SQLITE_ROW) {
        FieldDef f;
        f.name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        fieldTypeFromName(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1))),
                          &f.type);
        f.size = sqlite3_column_int(st, 2);
        f.required = sqlite3_column_int(st, 3) != 0;
        fieldPos.insert(f.name.toLower(), int(def.fields.size()));
        def.fields.append(f);
    }
    sqlite3_finalize(st);
    st = prepare(QStringLiteral("SELECT name, fields, isunique, descending, casesensitive, rebuilt FROM "
                                "velmora_indizes ORDER BY pos"));
    while (sqlite3_step(st) == SQLITE_ROW) {
        IndexDef ix;
        ix.name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        ix.fields = splitFields(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1))));
        ix.unique = sqlite3_column_int(st, 2) != 0;
        ix.descending = sqlite3_column_int(st, 3) != 0;
        ix.caseSensitive = sqlite3_column_int(st, 4) != 0;
        ix.rebuilt = sqlite3_column_int(st, 5) != 0;
        def.indexes.append(ix);
    }
    sqlite3_finalize(st);
    st = prepare(QStringLiteral("SELECT casesensitive FROM velmora_tabelle"));
    if (sqlite3_step(st) == SQLITE_ROW) def.caseSensitive = sqlite3_column_int(st, 0) != 0;
    sqlite3_finalize(st);
    if (def.fields.isEmpty())
        throw EngineError(code::TableDamaged, QStringLiteral("Tabelle %1 hat keine Felder").arg(name), name);
}

void TableFile::changed(ChangeKind kind, qint64 id, QVector<int> columns) {
    ++changeCounter;
    if (kind != ChangeKind::Schema) {
        constexpr size_t kKept = 64;
        recentChanges.push_back({changeCounter, kind, id, std::move(columns)});
        if (recentChanges.size() > kKept) recentChanges.pop_front();
    }
    if (transactionDepth == 0) db.notify(name, kind, id);
}

std::shared_ptr<SharedOrder> TableFile::order(const QByteArray& key) {
    auto it = orders.find(key);
    if (it != orders.end()) {
        if (auto o = it->lock()) return o;
    }
    // Orders nobody holds any more are dropped now and then (a detail cursor makes one per master).
    if (orders.size() > 32) {
        for (auto i = orders.begin(); i != orders.end();)
            i = i->expired() ? orders.erase(i) : std::next(i);
    }
    auto o = std::make_shared<SharedOrder>();
    o->generation = SharedOrder::nextGeneration();
    orders.insert(key, o);
    return o;
}

quint64 SharedOrder::nextGeneration() {
    static std::atomic<quint64> counter{0};
    return ++counter;
}

void SharedOrder::listed() {
    generation = nextGeneration();
    m_validBelow = 0;
}

void SharedOrder::editedFrom(size_t index) {
    generation = nextGeneration();
    m_validBelow = std::min(m_validBelow, index);
}

void SharedOrder::rebuildPositions() const {
    const size_t n = ids.size();
    if (m_validBelow == 0) {
        qint64 lo = 0, hi = -1;
        for (qint64 id : ids) {
            lo = std::min(lo, id);
            hi = std::max(hi, id);
        }
        m_useSparse = lo < 0 || hi > qint64(4 * n + 4096);
        m_dense.clear();
        m_sparse.clear();
        if (m_useSparse)
            m_sparse.reserve(qsizetype(n));
        else
            m_dense.assign(size_t(hi + 1), -1);
    }
    for (size_t i = m_validBelow; i < n; ++i) {
        const qint64 id = ids[i];
        if (m_useSparse) {
            m_sparse.insert(id, int(i));
            continue;
        }
        if (id >= qint64(m_dense.size())) {
            if (id > qint64(4 * n + 4096)) { // no longer dense: hash every id
                m_validBelow = 0;
                m_dense.clear();
                m_dense.shrink_to_fit();
                m_useSparse = true;
                m_sparse.reserve(qsizetype(n));
                for (size_t j = 0; j < n; ++j)
                    m_sparse.insert(ids[j], int(j));
                break;
            }
            m_dense.resize(size_t(id + 1) + n / 8, -1);
        }
        m_dense[size_t(id)] = int(i);
    }
    m_validBelow = n;
}

int SharedOrder::positionOf(qint64 id) const {
    if (m_validBelow != ids.size()) rebuildPositions();
    int p = -1;
    if (m_useSparse)
        p = m_sparse.value(id, -1);
    else if (id >= 0 && id < qint64(m_dense.size()))
        p = m_dense[size_t(id)];
    // Entries of ids that left the order are not cleared; they point where another id stands now.
    return p >= 0 && size_t(p) < ids.size() && ids[size_t(p)] == id ? p : -1;
}

void TableFile::noteOutsideChanges() {
    if (!handle) return;
    sqlite3_stmt* st = prepare(QStringLiteral("PRAGMA data_version"));
    qint64 version = dataVersion;
    if (sqlite3_step(st) == SQLITE_ROW) version = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    if (dataVersion >= 0 && version != dataVersion) ++changeCounter;
    dataVersion = version;
}

void writeMeta(TableFile& f) {
    f.exec(QStringLiteral(
        "DELETE FROM velmora_felder; DELETE FROM velmora_indizes; DELETE FROM velmora_tabelle"));
    sqlite3_stmt* st = f.prepare(QStringLiteral("INSERT INTO velmora_felder VALUES (?,?,?,?,?)"));
    for (int i = 0; i < f.def.fields.size(); ++i) {
        const FieldDef& fd = f.def.fields[i];
        sqlite3_bind_int(st, 1, i);
        const QByteArray n = fd.name.toUtf8(), t = fieldTypeName(fd.type).toUtf8();
        sqlite3_bind_text(st, 2, n.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 3, t.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(st, 4, fd.size);
        sqlite3_bind_int(st, 5, fd.required ? 1 : 0);
        sqlite3_step(st);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    st = f.prepare(QStringLiteral("INSERT INTO velmora_indizes VALUES (?,?,?,?,?,?,?)"));
    for (int i = 0; i < f.def.indexes.size(); ++i) {
        const IndexDef& ix = f.def.indexes[i];
        sqlite3_bind_int(st, 1, i);
        const QByteArray n = ix.name.toUtf8(), fl = ix.fields.join(QLatin1Char(';')).toUtf8();
        sqlite3_bind_text(st, 2, n.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 3, fl.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(st, 4, (ix.unique || ix.isPrimary()) ? 1 : 0);
        sqlite3_bind_int(st, 5, ix.descending ? 1 : 0);
        sqlite3_bind_int(st, 6, ix.caseSensitive ? 1 : 0);
        sqlite3_bind_int(st, 7, ix.rebuilt ? 1 : 0);
        sqlite3_step(st);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    f.exec(QStringLiteral("INSERT INTO velmora_tabelle VALUES (%1)").arg(f.def.caseSensitive ? 1 : 0));
}

// The SQLite index behind a definition; a primary key on the Auto field alone is the rowid itself.
void createIndexSql(TableFile& f, const IndexDef& ix) {
    if (ix.isPrimary() && ix.fields.size() == 1) {
        const FieldDef* fd = f.def.field(ix.fields.first());
        if (fd && fd->type == FieldType::Auto) return;
    }
    QStringList cols;
    for (const QString& name : ix.fields) {
        const FieldDef* fd = f.def.field(name);
        if (!fd)
            throw EngineError(code::NoSuchField, QStringLiteral("Feld %1 fehlt in %2").arg(name, f.name),
                              f.name);
        QString c = quoteIdent(fd->name);
        if (fd->type == FieldType::Text || fd->type == FieldType::Memo)
            c += QStringLiteral(" COLLATE ") + collationFor(f.def, &ix);
        if (ix.descending) c += QStringLiteral(" DESC");
        cols << c;
    }
    const QString sqlName = ix.isPrimary() ? QStringLiteral("velmora_pk") : QStringLiteral("ix_") + ix.name;
    f.exec(QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
               .arg((ix.unique || ix.isPrimary()) ? QStringLiteral("UNIQUE ") : QString(),
                    quoteIdent(sqlName), quoteIdent(f.name), cols.join(QStringLiteral(", "))));
}

// ---------------------------------------------------------------- Database

struct Database::Private {
    QMap<QString, std::shared_ptr<TableFile>> files;
    QMap<int, ChangeListener> listeners;
    int nextListener = 1;
    sqlite3* query = nullptr;
    QStringList attached;
};

Database::Database(QString directory) : m_directory(QDir(directory).absolutePath()), d(new Private) {
    registerMoneyType();
}

Database::~Database() {
    disconnect();
    if (d->query) sqlite3_close_v2(d->query);
}

QString Database::normalName(const QString& tableName) {
    QString n = QFileInfo(tableName).fileName().toLower();
    if (n.endsWith(QLatin1String(".db"))) n.chop(3);
    return n;
}

QString Database::tableFilePath(const QString& directory, const QString& tableName) {
    const QString n = normalName(tableName);
    const QString lower = QDir(directory).filePath(n + QStringLiteral(".db"));
    // The usual spelling costs one look; any other spelling needs the listing.
    if (QFileInfo::exists(lower) || n.isEmpty()) return lower;
    for (const QString& e : QDir(directory).entryList(QDir::Files | QDir::Hidden))
        if (e.compare(n + QStringLiteral(".db"), Qt::CaseInsensitive) == 0)
            return QDir(directory).filePath(e);
    return lower;
}

QHash<QString, QString> Database::tableFiles(const QString& directory) {
    QHash<QString, QString> files;
    const QDir dir(directory);
    for (const QString& e : dir.entryList(QDir::Files | QDir::Hidden)) {
        const QString l = e.toLower();
        if (!l.endsWith(QLatin1String(".db")) || l.size() <= 3) continue;
        const QString n = l.left(l.size() - 3);
        // With two spellings of one table the lower-case one is the one the system writes.
        if (!files.contains(n) || e == l) files.insert(n, dir.filePath(e));
    }
    return files;
}

QString Database::filePath(const QString& tableName) const {
    return tableFilePath(m_directory, tableName);
}

bool Database::tableExists(const QString& tableName) const {
    return QFileInfo::exists(filePath(tableName));
}

std::shared_ptr<TableFile> Database::file(const QString& tableName) {
    const QString n = normalName(tableName);
    auto it = d->files.find(n);
    if (it == d->files.end()) it = d->files.insert(n, std::make_shared<TableFile>(*this, n, filePath(n)));
    return it.value();
}

void Database::createTable(const TableDef& def) {
    const QString n = normalName(def.name);
    if (tableExists(n))
        throw EngineError(code::TableLocked, QStringLiteral("Tabelle %1 existiert bereits").arg(n), n);
    QDir().mkpath(m_directory);
    auto f = file(n);
    f->closeHandle();
    const QString tmp = f->path + QStringLiteral(".neu");
    QFile::remove(tmp);
    sqlite3* h = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(tmp).constData(), &h, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        sqlite3_close_v2(h);
        throw EngineError(code::NoSuchTable, QStringLiteral("%1 kann nicht angelegt werden").arg(f->path), n);
    }
    registerCollations(h);
    f->handle = h;
    try {
        f->def = def;
        f->def.name = n;
        QStringList cols;
        bool haveAuto = false;
        for (const FieldDef& fd : def.fields) {
            FieldDef col = fd;
            if (fd.type == FieldType::Auto) {
                if (haveAuto) col.type = FieldType::Int; // a second counter is kept as a plain number
                haveAuto = true;
            }
            QString c = quoteIdent(fd.name) + QLatin1Char(' ') + sqlType(col);
            if (fd.type == FieldType::Text || fd.type == FieldType::Memo)
                c += QStringLiteral(" COLLATE ") + collationFor(def, nullptr);
            cols << c;
        }
        f->exec(QStringLiteral("BEGIN"));
        f->exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(quoteIdent(n), cols.join(QStringLiteral(", "))));
        f->exec(
            QStringLiteral("CREATE TABLE velmora_felder (pos INTEGER, name TEXT, type TEXT, size INTEGER, "
                           "required INTEGER)"));
        f->exec(QStringLiteral(
            "CREATE TABLE velmora_indizes (pos INTEGER, name TEXT, fields TEXT, isunique INTEGER, "
            "descending INTEGER, casesensitive INTEGER, rebuilt INTEGER)"));
        f->exec(QStringLiteral("CREATE TABLE velmora_tabelle (casesensitive INTEGER)"));
        writeMeta(*f);
        for (const IndexDef& ix : def.indexes)
            createIndexSql(*f, ix);
        f->exec(QStringLiteral("PRAGMA user_version=%1").arg(kFileFormat));
        f->exec(QStringLiteral("COMMIT"));
    } catch (...) {
        f->closeHandle();
        QFile::remove(tmp);
        throw;
    }
    f->closeHandle();
    // Written under another name first, so a half-created table never looks like a table.
    if (!QFile::rename(tmp, f->path))
        throw EngineError(code::NoSuchTable, QStringLiteral("%1 kann nicht angelegt werden").arg(f->path), n);
}

void Database::dropTable(const QString& tableName) {
    const QString n = normalName(tableName);
    auto f = file(n);
    if (f->cursors > 0)
        throw EngineError(code::TableLocked, QStringLiteral("Tabelle %1 ist geöffnet").arg(n), n);
    f->closeHandle();
    const QDir dir(m_directory);
    for (const QString& e : dir.entryList(QDir::Files)) {
        const QString l = e.toLower();
        if (l == n + QStringLiteral(".db") || l.startsWith(n + QLatin1Char('.')))
            if (!QFile::remove(dir.filePath(e)))
                throw EngineError(code::TableLocked, QStringLiteral("%1 kann nicht gelöscht werden").arg(e),
                                  n);
    }
}

std::optional<EngineError> Database::checkTable(const QString& tableName) {
    auto f = file(tableName);
    const QString problem = checkTableFile(*f);
    if (problem.isEmpty()) return std::nullopt;
    const int c = damageCode(f->handle, f->name);
    return EngineError(c, QStringLiteral("%1 ist beschädigt: %2").arg(f->name, problem), f->name,
                       SQLITE_CORRUPT);
}

TableDef Database::readDefinition(const QString& tableName) {
    auto f = file(tableName);
    f->ensureOpen();
    return f->def;
}

void Database::disconnect() {
    if (d->query) {
        sqlite3_close_v2(d->query);
        d->query = nullptr;
        d->attached.clear();
    }
    for (auto& f : d->files) {
        f->closeHandle();
        f->cursors = 0;
        f->exclusive = false;
        ++f->changeCounter;
    }
    d->files.clear(); // cursors still holding a file see it as closed
}

int Database::openCursorCount(const QString& tableName) const {
    auto it = d->files.find(normalName(tableName));
    return it == d->files.end() ? 0 : it.value()->cursors;
}

int Database::addChangeListener(ChangeListener l) {
    const int id = d->nextListener++;
    d->listeners.insert(id, std::move(l));
    return id;
}
void Database::removeChangeListener(int id) {
    d->listeners.remove(id);
}

void Database::notify(const QString& table, ChangeKind kind, qint64 id) {
    const auto ls = d->listeners;
    for (const auto& l : ls)
        l(table, kind, id);
}

sqlite3* Database::queryConnection() {
    if (!d->query) {
        sqlite3_open_v2(":memory:", &d->query, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        registerCollations(d->query);
        sqlite3_busy_timeout(d->query, 2000);
    }
    return d->query;
}

namespace {

// The directory's table files, listed again only when the directory changed (a file created, removed or
// renamed changes its modification time). Every statement looks its table names up here; listing the
// directory each time cost a look at every file of it, statement by statement.
QHash<QString, QString> tabellenDateien(const QString& directory) {
    struct Stand {
        std::filesystem::file_time_type zeit;
        QHash<QString, QString> dateien;
    };
    static std::mutex sperre;
    static QHash<QString, Stand> staende;
    std::error_code fehler;
    const auto zeit =
        std::filesystem::last_write_time(std::filesystem::path(directory.toStdU16String()), fehler);
    if (fehler) return Database::tableFiles(directory);
    {
        std::lock_guard<std::mutex> g(sperre);
        auto it = staende.constFind(directory);
        if (it != staende.constEnd() && it->zeit == zeit) return it->dateien;
    }
    QHash<QString, QString> dateien = Database::tableFiles(directory);
    // A change within the listing itself would carry a later time: the next look lists again.
    std::lock_guard<std::mutex> g(sperre);
    staende.insert(directory, Stand{zeit, dateien});
    return dateien;
}

// Replaces every table reference of the data directory by its plain name and attaches its file.
QString resolveTables(Database& db, const QString& sql, QStringList& attached) {
    static const QRegularExpression token(
        QStringLiteral(R"RX("([^"]+)"|'(?:[^']|'')*'|\b([A-Za-z_][\w.]*)\b)RX"));
    QString out;
    int last = 0;
    auto it = token.globalMatch(sql);
    sqlite3* q = db.queryConnection();
    // One listing for the whole statement: most words are not table names.
    const QHash<QString, QString> present = tabellenDateien(db.directory());
    struct Verweis {
        qsizetype start, ende;
        QString name;
    };
    QList<Verweis> verweise;
    QStringList benoetigt;
    while (it.hasNext()) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QLatin1Char('\''))) continue; // string literal
        const QString word = m.captured(1).isEmpty() ? m.captured(2) : m.captured(1);
        if (word.contains(QLatin1Char('.')) && !word.toLower().endsWith(QLatin1String(".db"))) continue;
        const QString n = Database::normalName(word);
        if (n.isEmpty() || !present.contains(n)) continue;
        verweise.append({m.capturedStart(0), m.capturedEnd(0), n});
        if (!benoetigt.contains(n)) benoetigt << n;
    }
    for (const Verweis& v : verweise) {
        const QString& n = v.name;
        if (!attached.contains(n)) {
            // The file is read as this format only: an older one is brought up to it first.
            db.file(n)->ensureOpen();
            // SQLite holds only a few attached files: the longest unused one this statement does not
            // need makes room (one still read by an open query cannot be detached and stays).
            for (qsizetype i = 0;
                 attached.size() >= sqlite3_limit(q, SQLITE_LIMIT_ATTACHED, -1) && i < attached.size();) {
                const QString alt = attached.at(i);
                if (!benoetigt.contains(alt) &&
                    sqlite3_exec(q, QByteArray("DETACH DATABASE " + quoteIdent(alt).toUtf8()).constData(),
                                 nullptr, nullptr, nullptr) == SQLITE_OK) {
                    attached.removeAt(i);
                    break;
                }
                ++i;
            }
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(q, "ATTACH DATABASE ? AS ?", -1, &st, nullptr);
            const QByteArray p = QFile::encodeName(present.value(n)), a = n.toUtf8();
            sqlite3_bind_text(st, 1, p.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 2, a.constData(), -1, SQLITE_TRANSIENT);
            const int rc = sqlite3_step(st);
            sqlite3_finalize(st);
            if (rc != SQLITE_DONE)
                throw EngineError(code::SqlError, QString::fromUtf8(sqlite3_errmsg(q)), n, rc);
            attached << n;
        }
        out += sql.mid(last, v.start - last) + quoteIdent(n) + QLatin1Char('.') + quoteIdent(n);
        last = v.ende;
    }
    out += sql.mid(last);
    // The tables of this statement are now the most recently used.
    for (const QString& n : benoetigt)
        attached.move(attached.indexOf(n), attached.size() - 1);
    return out;
}

FieldType typeFromSql(const QString& t, int* size) {
    const QString u = t.trimmed().toUpper();
    static const QRegularExpression sized(QStringLiteral(R"(^(\w+)\s*\(\s*(\d+)\s*(?:,\s*(\d+)\s*)?\)$)"));
    const auto m = sized.match(u);
    const QString base = m.hasMatch() ? m.captured(1) : u;
    *size = 0;
    if (base == QLatin1String("CHAR") || base == QLatin1String("VARCHAR")) {
        *size = m.hasMatch() ? m.captured(2).toInt() : 1;
        return FieldType::Text;
    }
    if (base == QLatin1String("DATE")) return FieldType::Date;
    if (base == QLatin1String("TIMESTAMP")) return FieldType::DateTime;
    if (base == QLatin1String("BOOLEAN")) return FieldType::Bool;
    // BLOB(n,1) is a memo, BLOB(n,2) binary data and BLOB(n,5) a picture.
    if (base == QLatin1String("BLOB")) {
        const int subtype = m.hasMatch() ? m.captured(3).toInt() : 1;
        *size = 0;
        return subtype == 2 || subtype == 5 ? FieldType::Picture : FieldType::Memo;
    }
    if (base == QLatin1String("INTEGER")) return FieldType::Int;
    if (base == QLatin1String("SMALLINT")) return FieldType::Short;
    if (base == QLatin1String("FLOAT")) return FieldType::Float;
    if (base == QLatin1String("MONEY")) return FieldType::Money;
    throw EngineError(code::SqlError, QStringLiteral("Unbekannter Feldtyp: %1").arg(t));
}

} // namespace

QString Database::resolveQuery(const QString& sql) {
    return resolveTables(*this, sql, d->attached);
}

void Database::execute(const QString& sql, const QVariantList& params) {
    static const QRegularExpression alter(QStringLiteral(R"RX(^\s*ALTER\s+TABLE\s+("[^"]+"|\S+)\s+(.*)$)RX"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    const auto m = alter.match(sql);
    if (m.hasMatch()) {
        QString tname = m.captured(1);
        if (tname.startsWith(QLatin1Char('"'))) tname = tname.mid(1, tname.size() - 2);
        auto f = file(tname);
        if (f->exclusive)
            throw EngineError(code::TableLocked,
                              QStringLiteral("Tabelle %1 ist exklusiv geöffnet").arg(f->name), f->name);
        f->ensureOpen();
        static const QRegularExpression add(QStringLiteral(R"RX(^\s*ADD\s+("[^"]+"|\w+)\s+(.+?)\s*$)RX"),
                                            QRegularExpression::CaseInsensitiveOption);
        QList<FieldDef> added;
        // Clauses are separated by commas outside parentheses ("BLOB(240,1)" has one inside).
        QStringList clauses;
        int depth = 0, start = 0;
        const QString rest = m.captured(2);
        for (int i = 0; i <= rest.size(); ++i) {
            if (i == rest.size() || (rest[i] == QLatin1Char(',') && depth == 0)) {
                clauses << rest.mid(start, i - start);
                start = i + 1;
            } else if (rest[i] == QLatin1Char('('))
                ++depth;
            else if (rest[i] == QLatin1Char(')'))
                --depth;
        }
        for (const QString& c : clauses) {
            const auto am = add.match(c);
            if (!am.hasMatch())
                throw EngineError(code::SqlError, QStringLiteral("Ungültige Anweisung: %1").arg(c), f->name);
            FieldDef fd;
            fd.name = am.captured(1).remove(QLatin1Char('"'));
            fd.type = typeFromSql(am.captured(2), &fd.size);
            if (f->def.field(fd.name))
                throw EngineError(code::SqlError, QStringLiteral("Feld %1 existiert bereits").arg(fd.name),
                                  f->name);
            added << fd;
        }
        f->exec(QStringLiteral("BEGIN"));
        try {
            for (const FieldDef& fd : added) {
                QString c = quoteIdent(fd.name) + QLatin1Char(' ') + sqlType(fd);
                if (fd.type == FieldType::Text || fd.type == FieldType::Memo)
                    c += QStringLiteral(" COLLATE ") + collationFor(f->def, nullptr);
                f->exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2").arg(quoteIdent(f->name), c));
                f->def.fields << fd;
            }
            writeMeta(*f);
            f->exec(QStringLiteral("COMMIT"));
        } catch (...) {
            f->exec(QStringLiteral("ROLLBACK"));
            f->reloadDefinition();
            throw;
        }
        f->reloadDefinition();
        f->changed(ChangeKind::Schema, 0);
        return;
    }
    // Anything else runs on the query connection with its tables attached.
    sqlite3* q = queryConnection();
    const QString resolved = resolveTables(*this, sql, d->attached);
    sqlite3_stmt* st = nullptr;
    const QByteArray u = resolved.toUtf8();
    int rc = sqlite3_prepare_v2(q, u.constData(), int(u.size()), &st, nullptr);
    if (rc != SQLITE_OK) throw EngineError(code::SqlError, QString::fromUtf8(sqlite3_errmsg(q)), {}, rc);
    bindParams(st, params);
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE) throw EngineError(engineCode(rc), QString::fromUtf8(sqlite3_errmsg(q)), {}, rc);
    for (const QString& n : d->attached)
        ++file(n)->changeCounter;
}

// ---------------------------------------------------------------- Transaction

Transaction::Transaction(Database& db, const QString& tableName) : m_file(db.file(tableName)) {
    m_file->ensureOpen();
    if (m_file->transactionDepth++ == 0) m_file->exec(QStringLiteral("BEGIN IMMEDIATE"));
}

Transaction::~Transaction() {
    if (!m_done && m_file->handle) {
        if (--m_file->transactionDepth == 0) {
            sqlite3_exec(m_file->handle, "ROLLBACK", nullptr, nullptr, nullptr);
            ++m_file->changeCounter;
        }
    }
}

void Transaction::commit() {
    if (m_done) return;
    m_done = true;
    if (--m_file->transactionDepth == 0) {
        m_file->exec(QStringLiteral("COMMIT"));
        m_file->db.notify(m_file->name, ChangeKind::Update, 0);
    }
}

// ---------------------------------------------------------------- MultiTableTransaction

MultiTableTransaction::MultiTableTransaction(Database& db, const QStringList& tableNames) {
    for (const QString& n : tableNames) {
        auto f = db.file(n);
        if (std::find(m_files.begin(), m_files.end(), f) != m_files.end()) continue;
        try {
            f->ensureOpen();
            // The files are locked exclusively, so no reader elsewhere can make one of the commits wait
            // and fail after another has been committed.
            if (f->transactionDepth == 0) f->exec(QStringLiteral("BEGIN EXCLUSIVE"));
        } catch (...) {
            rollback(); // the tables already begun
            throw;
        }
        ++f->transactionDepth;
        m_files.push_back(std::move(f));
    }
}

ReadSnapshot::ReadSnapshot(Database& db, const QStringList& tableNames) {
    for (const QString& n : tableNames) {
        auto f = db.file(n);
        if (!f->handle || std::find(m_files.begin(), m_files.end(), f) != m_files.end()) continue;
        if (f->transactionDepth == 0 &&
            sqlite3_exec(f->handle, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK)
            continue; // read as before, statement by statement
        ++f->transactionDepth;
        m_files.push_back(std::move(f));
    }
}

ReadSnapshot::~ReadSnapshot() {
    for (auto it = m_files.rbegin(); it != m_files.rend(); ++it) {
        TableFile& f = **it;
        if (f.handle && --f.transactionDepth == 0)
            sqlite3_exec(f.handle, "COMMIT", nullptr, nullptr, nullptr);
    }
}

MultiTableTransaction::~MultiTableTransaction() {
    rollback();
}

void MultiTableTransaction::rollback() {
    if (m_done) return;
    m_done = true;
    for (auto it = m_files.rbegin(); it != m_files.rend(); ++it) {
        TableFile& f = **it;
        if (f.handle && --f.transactionDepth == 0) {
            sqlite3_exec(f.handle, "ROLLBACK", nullptr, nullptr, nullptr);
            ++f.changeCounter;
        }
    }
}

void MultiTableTransaction::commit() {
    if (m_done) return;
    std::vector<std::shared_ptr<TableFile>> committed;
    for (size_t i = 0; i < m_files.size(); ++i) {
        TableFile& f = *m_files[i];
        if (f.transactionDepth > 1) { // an outer transaction of this table commits it
            --f.transactionDepth;
            continue;
        }
        try {
            f.exec(QStringLiteral("COMMIT"));
        } catch (...) {
            // This table and the ones after it roll back; the ones before stay committed.
            m_files.erase(m_files.begin(), m_files.begin() + qsizetype(i));
            for (auto& c : committed)
                c->db.notify(c->name, ChangeKind::Update, 0);
            throw;
        }
        f.transactionDepth = 0;
        committed.push_back(m_files[i]);
    }
    m_done = true;
    for (auto& c : committed)
        c->db.notify(c->name, ChangeKind::Update, 0);
}

// ---------------------------------------------------------------- Query

struct Query::Private {
    sqlite3_stmt* st = nullptr;
    QStringList names;
    QList<FieldType> types;
};

Query::Query(Database& db, const QString& sql, const QVariantList& params) : d(new Private) {
    sqlite3* q = db.queryConnection();
    const QString resolved = db.resolveQuery(sql);
    const QByteArray u = resolved.toUtf8();
    const int rc = sqlite3_prepare_v2(q, u.constData(), int(u.size()), &d->st, nullptr);
    if (rc != SQLITE_OK) throw EngineError(code::SqlError, QString::fromUtf8(sqlite3_errmsg(q)), {}, rc);
    const int n = sqlite3_column_count(d->st);
    for (int i = 0; i < n; ++i) {
        d->names << QString::fromUtf8(sqlite3_column_name(d->st, i));
        const char* dt = sqlite3_column_decltype(d->st, i);
        const QString t = QString::fromUtf8(dt ? dt : "").toUpper();
        FieldType ft = FieldType::Picture; // generic: by storage class
        if (t == QLatin1String("DATE"))
            ft = FieldType::Date;
        else if (t == QLatin1String("TIMESTAMP"))
            ft = FieldType::DateTime;
        else if (t == QLatin1String("BOOLEAN"))
            ft = FieldType::Bool;
        else if (t == QLatin1String("MONEY"))
            ft = FieldType::Money;
        d->types << ft;
    }
    bindParams(d->st, params);
}

Query::~Query() {
    sqlite3_finalize(d->st);
}

bool Query::next() {
    const int rc = sqlite3_step(d->st);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    throw EngineError(engineCode(rc), QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(d->st))), {}, rc);
}

int Query::columnCount() const {
    return int(d->names.size());
}
QString Query::columnName(int i) const {
    return d->names.value(i);
}

QVariant Query::value(int i) const {
    if (i < 0 || i >= d->names.size()) return {};
    const FieldType t = d->types[i];
    if (t != FieldType::Picture) return columnValue(d->st, i, t);
    switch (sqlite3_column_type(d->st, i)) {
    case SQLITE_INTEGER: {
        const qint64 v = sqlite3_column_int64(d->st, i);
        return (v >= INT_MIN && v <= INT_MAX) ? QVariant(int(v)) : QVariant(v);
    }
    case SQLITE_FLOAT:
        return sqlite3_column_double(d->st, i);
    case SQLITE_TEXT:
        return columnValue(d->st, i, FieldType::Text);
    case SQLITE_BLOB:
        return columnValue(d->st, i, FieldType::Picture);
    default:
        return {};
    }
}

QVariant Query::value(const QString& column) const {
    for (int i = 0; i < d->names.size(); ++i)
        if (d->names[i].compare(column, Qt::CaseInsensitive) == 0) return value(i);
    return {};
}

QList<QVariantList> Query::all() {
    QList<QVariantList> rows;
    while (next()) {
        QVariantList r;
        for (int i = 0; i < columnCount(); ++i)
            r << value(i);
        rows << r;
    }
    return rows;
}

} // namespace velmora::store
