#include "store/table.h"

#include "store/money.h"
#include "store/tablefile.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace velmora::store {

namespace {
sqlite3_stmt* S(void* p) {
    return static_cast<sqlite3_stmt*>(p);
}
bool isTextType(FieldType t) {
    return t == FieldType::Text || t == FieldType::Memo;
}
bool emptyValue(const QVariant& v) {
    if (!v.isValid() || v.isNull()) return true;
    if (v.typeId() == QMetaType::QString) return v.toString().isEmpty();
    if (v.typeId() == QMetaType::QDate) return !v.toDate().isValid();
    return false;
}
} // namespace

Table::Table(Database& db, QString tableName) : m_db(db), m_tableName(std::move(tableName)) {}

Table::~Table() {
    try {
        close();
    } catch (...) {
        // A failed post on destruction cannot be reported any more; the edit is lost, but the cursor
        // must still be given back, or the table stays open (and exclusive) for the connection's life.
        cancel();
        try {
            close();
        } catch (...) {
        }
    }
    if (m_master) m_master->m_details.removeAll(this);
    for (Table* d : m_details)
        d->m_master = nullptr;
}

QString Table::normalName() const {
    return Database::normalName(m_tableName);
}

void Table::setTableName(const QString& name) {
    if (isOpen()) throw EngineError(code::InvalidState, QStringLiteral("Tabelle ist geöffnet"), normalName());
    m_tableName = name;
}

bool Table::exists() const {
    return m_db.tableExists(m_tableName);
}

bool Table::isOpen() const {
    return m_open && m_file && m_file->handle;
}

void Table::requireOpen() const {
    if (!isOpen())
        throw EngineError(code::NotOpen, QStringLiteral("Tabelle %1 ist nicht geöffnet").arg(normalName()),
                          normalName());
}

void Table::requireRecord() const {
    requireOpen();
    if (!m_hasRecord)
        throw EngineError(code::NotOpen, QStringLiteral("Kein aktueller Datensatz in %1").arg(normalName()),
                          normalName());
}

void Table::requireWritable() const {
    requireOpen();
    if (m_mode == OpenMode::ReadOnly)
        throw EngineError(code::ReadOnly,
                          QStringLiteral("Tabelle %1 ist schreibgeschützt geöffnet").arg(normalName()),
                          normalName());
}

void Table::open(OpenMode mode) {
    if (isOpen()) return;
    auto f = m_db.file(m_tableName);
    f->ensureOpen();
    if (f->exclusive)
        throw EngineError(code::TableLocked, QStringLiteral("Tabelle %1 ist exklusiv geöffnet").arg(f->name),
                          f->name);
    if (mode == OpenMode::Exclusive && f->cursors > 0)
        throw EngineError(code::TableLocked, QStringLiteral("Tabelle %1 wird benutzt").arg(f->name), f->name);
    m_file = f;
    m_mode = mode;
    ++f->cursors;
    f->exclusive = mode == OpenMode::Exclusive;
    m_open = true;
    m_state = State::Browse;
    m_storedCount = int(f->def.fields.size());
    m_allFields = f->def.fields;
    for (const Derived& d : m_derived)
        m_allFields << d.def;
    m_values = QVector<QVariant>(m_allFields.size());
    m_changed = QVector<bool>(m_allFields.size(), false);
    try {
        resolveIndex();
    } catch (...) {
        m_indexName.clear();
        resolveIndex();
    }
    invalidate();
    first();
}

void Table::postPending() {
    if (m_state == State::Edit || m_state == State::Insert) post();
}

void Table::finalizeStatements() {
    for (void* st : std::as_const(m_stmtCache))
        sqlite3_finalize(S(st));
    m_stmtCache.clear();
    for (void* st : std::as_const(m_shapeCache))
        sqlite3_finalize(S(st));
    m_shapeCache.clear();
    sqlite3_finalize(S(m_loadStmt));
    m_loadStmt = nullptr;
    sqlite3_finalize(S(m_aheadStmt));
    m_aheadStmt = nullptr;
    m_aheadCount = 0;
}

void Table::close() {
    if (!m_open) return;
    if (isOpen() && (m_state == State::Edit || m_state == State::Insert)) post();
    finalizeStatements();
    if (m_file && m_file->handle) {
        --m_file->cursors;
        if (m_mode == OpenMode::Exclusive) m_file->exclusive = false;
    }
    m_file.reset();
    m_open = false;
    m_state = State::Inactive;
    m_hasRecord = false;
    m_bof = m_eof = true;
    invalidate();
}

void Table::create(const TableDef& def) {
    if (isOpen()) throw EngineError(code::InvalidState, QStringLiteral("Tabelle ist geöffnet"), normalName());
    TableDef d = def;
    d.name = normalName();
    m_db.createTable(d);
}

const TableDef& Table::definition() const {
    requireOpen();
    return m_file->def;
}

// ---------------------------------------------------------------- index

void Table::resolveIndex() {
    if (!isOpen()) return;
    const TableDef& def = m_file->def;
    m_index = def.index(m_indexName);
    if (!m_index && !m_indexName.isEmpty())
        throw EngineError(code::IndexMissing,
                          QStringLiteral("Index %1 existiert nicht in %2").arg(m_indexName, def.name),
                          def.name);
    m_keyColumns.clear();
    if (m_index)
        for (const QString& f : m_index->fields)
            m_keyColumns << m_file->fieldPos.value(f.toLower(), -1);
    if (m_keyColumns.contains(-1))
        throw EngineError(
            code::IndexDamaged,
            QStringLiteral("Index %1 von %2 nennt ein fehlendes Feld").arg(m_indexName, def.name), def.name);
    finalizeStatements();
    invalidate();
}

void Table::setIndexName(const QString& name) {
    postPending();
    const QString old = m_indexName;
    m_indexName = name;
    try {
        resolveIndex();
    } catch (...) {
        m_indexName = old;
        resolveIndex();
        throw;
    }
    // The record stays current; its place in the new order is looked up when a position is asked for.
    if (isOpen() && m_hasRecord) m_posExact = false;
}

void Table::setIndexFields(const QString& fieldList) {
    requireOpen();
    const QStringList wanted = splitFields(fieldList);
    for (const IndexDef& ix : m_file->def.indexes) {
        if (ix.fields.size() < wanted.size()) continue;
        bool ok = true;
        for (int i = 0; i < wanted.size() && ok; ++i)
            ok = ix.fields[i].compare(wanted[i], Qt::CaseInsensitive) == 0;
        if (ok) {
            setIndexName(ix.name);
            return;
        }
    }
    throw EngineError(code::IndexMissing,
                      QStringLiteral("Kein Index auf %1 in %2").arg(fieldList, normalName()), normalName());
}

QStringList Table::indexFields() const {
    return m_index ? m_index->fields : QStringList();
}

QList<IndexDef> Table::indexDefs() const {
    if (isOpen()) return m_file->def.indexes;
    return m_db.readDefinition(m_tableName).indexes;
}

void Table::addIndex(const IndexDef& def) {
    requireOpen();
    if (m_mode != OpenMode::Exclusive)
        throw EngineError(code::TableLocked,
                          QStringLiteral("Index anlegen braucht exklusiven Zugriff auf %1").arg(normalName()),
                          normalName());
    TableFile& f = *m_file;
    if (f.def.index(def.name))
        throw EngineError(code::KeyViolation,
                          QStringLiteral("Index %1 existiert bereits in %2").arg(def.name, f.name), f.name);
    f.exec(QStringLiteral("BEGIN"));
    try {
        f.def.indexes << def;
        if (def.isPrimary()) f.def.indexes.move(f.def.indexes.size() - 1, 0);
        createIndexSql(f, def);
        writeMeta(f);
        f.exec(QStringLiteral("COMMIT"));
    } catch (const EngineError&) {
        sqlite3_exec(f.handle, "ROLLBACK", nullptr, nullptr, nullptr);
        f.reloadDefinition();
        resolveIndex();
        throw;
    }
    f.changed(ChangeKind::Schema, 0);
    resolveIndex();
}

void Table::deleteIndex(const QString& name) {
    requireOpen();
    if (m_mode != OpenMode::Exclusive)
        throw EngineError(code::TableLocked,
                          QStringLiteral("Index löschen braucht exklusiven Zugriff auf %1").arg(normalName()),
                          normalName());
    TableFile& f = *m_file;
    if (!f.def.index(name))
        throw EngineError(code::IndexMissing,
                          QStringLiteral("Index %1 existiert nicht in %2").arg(name, f.name), f.name);
    finalizeStatements();
    f.exec(QStringLiteral("BEGIN"));
    try {
        // Dropping the primary key takes the secondary indexes with it.
        QList<IndexDef> keep;
        for (const IndexDef& ix : f.def.indexes) {
            const bool drop = name.isEmpty() || ix.name.compare(name, Qt::CaseInsensitive) == 0;
            if (!drop) {
                keep << ix;
                continue;
            }
            const QString sqlName =
                ix.isPrimary() ? QStringLiteral("velmora_pk") : QStringLiteral("ix_") + ix.name;
            f.exec(QStringLiteral("DROP INDEX IF EXISTS %1").arg(quoteIdent(sqlName)));
        }
        f.def.indexes = keep;
        writeMeta(f);
        f.exec(QStringLiteral("COMMIT"));
    } catch (const EngineError&) {
        sqlite3_exec(f.handle, "ROLLBACK", nullptr, nullptr, nullptr);
        f.reloadDefinition();
        throw;
    }
    f.changed(ChangeKind::Schema, 0);
    if (!f.def.index(m_indexName)) m_indexName.clear();
    resolveIndex();
}

// ---------------------------------------------------------------- order and conditions

void* Table::statement(const QString& sql) const {
    auto it = m_stmtCache.find(sql);
    if (it != m_stmtCache.end()) {
        sqlite3_reset(S(it.value()));
        sqlite3_clear_bindings(S(it.value()));
        return it.value();
    }
    sqlite3_stmt* st = m_file->prepare(sql);
    m_stmtCache.insert(sql, st);
    return st;
}

void Table::bindAll(void* st, const QVariantList& params, int from) const {
    bindParams(S(st), params, from);
}

QString Table::keyColumn(int keyPos) const {
    const FieldDef& f = m_file->def.fields[m_keyColumns[keyPos]];
    QString c = quoteIdent(f.name);
    if (isTextType(f.type)) c += QStringLiteral(" COLLATE ") + collationFor(m_file->def, m_index);
    return c;
}

QString Table::orderBy() const {
    QStringList parts;
    const QString dir = (m_index && m_index->descending) ? QStringLiteral(" DESC") : QString();
    for (int i = 0; i < m_keyColumns.size(); ++i)
        parts << keyColumn(i) + dir;
    parts << QStringLiteral("rowid") + dir;
    return parts.join(QStringLiteral(", "));
}

namespace {
// A value converted to what the column stores, so comparisons in SQL match.
QVariant asStored(const QVariant& v, FieldType t) {
    if (emptyValue(v)) return {};
    switch (t) {
    case FieldType::Date:
        return v.toDate().toString(Qt::ISODate);
    case FieldType::DateTime:
        return v.toDateTime().toString(Qt::ISODateWithMs);
    case FieldType::Auto:
    case FieldType::Int:
    case FieldType::Short:
        return v.toLongLong();
    case FieldType::Bool:
        return v.toBool() ? 1 : 0;
    case FieldType::Float:
        return v.toDouble();
    case FieldType::Money: {
        const auto m = Money::fromVariant(v);
        return m ? QVariant(m->units()) : QVariant();
    }
    default:
        return v.toString();
    }
}
} // namespace

QString Table::conditions(QVariantList& params, QByteArray* shape, bool withText) const {
    QStringList c;
    auto note = [&](char ch) {
        if (shape) shape->append(ch);
    };
    auto eq = [&](int col, const QVariant& v) -> QString {
        const FieldDef& f = m_file->def.fields[col];
        const QVariant sv = asStored(v, f.type);
        note(sv.isValid() ? 'e' : 'n');
        if (sv.isValid()) params << sv;
        if (!withText) return {};
        QString name = quoteIdent(f.name);
        if (isTextType(f.type)) name += QStringLiteral(" COLLATE ") + collationFor(m_file->def, m_index);
        return name + (sv.isValid() ? QStringLiteral(" = ?") : QStringLiteral(" IS NULL"));
    };
    if (m_hasRange) {
        note('R');
        for (int i = 0; i < m_rangeLow.size() && i < m_keyColumns.size(); ++i) {
            const int col = m_keyColumns[i];
            const FieldType t = m_file->def.fields[col].type;
            const QVariant lo = asStored(m_rangeLow[i], t), hi = asStored(m_rangeHigh.value(i), t);
            if (lo == hi || (!lo.isValid() && !hi.isValid())) {
                c << eq(col, m_rangeLow[i]);
                continue;
            }
            const QString name = withText ? keyColumn(i) : QString();
            note('r');
            if (lo.isValid()) {
                note('l');
                if (withText) c << name + QStringLiteral(" >= ?");
                params << lo;
            }
            if (hi.isValid()) {
                note('h');
                if (withText) c << QStringLiteral("(%1 <= ? OR %1 IS NULL)").arg(name);
                params << hi;
            }
            break; // later fields of a true range do not narrow it further
        }
    }
    if (m_master) {
        note('M');
        for (int i = 0; i < m_keyColumns.size() && i < m_masterColumns.size(); ++i) {
            const QVariant mv = m_master->m_hasRecord ? m_master->value(m_masterColumns[i]) : QVariant();
            if (!m_master->m_hasRecord || emptyValue(mv)) {
                note('0');
                c << QStringLiteral("0"); // a master without a key shows no details
                break;
            }
            c << eq(m_keyColumns[i], mv);
        }
    }
    if (!m_filterTerms.isEmpty()) {
        note('F');
        QStringList ors;
        for (const auto& term : m_filterTerms)
            ors << eq(term.first, term.second);
        c << QLatin1Char('(') + ors.join(QStringLiteral(" OR ")) + QLatin1Char(')');
    }
    if (!withText) return {};
    return c.isEmpty() ? QString() : QStringLiteral(" WHERE ") + c.join(QStringLiteral(" AND "));
}

// key >= values in index order: (k1 > v1) OR (k1 = v1 AND k2 > v2) ... OR (all equal up to km >= vm).
// With a rowid it takes part as the last key column, so the condition singles out one place in the order.
QString Table::keyAtLeast(const QVariantList& values, int m, const qint64* rowid, QVariantList& params,
                          QByteArray* shape, bool withText) const {
    const bool desc = m_index && m_index->descending;
    const int n = m + (rowid ? 1 : 0);
    auto stored = [&](int i) -> QVariant {
        if (i == m) return QVariant(*rowid);
        return asStored(values[i], m_file->def.fields[m_keyColumns[i]].type);
    };
    auto column = [&](int i) -> QString { return i == m ? QStringLiteral("rowid") : keyColumn(i); };
    QVector<QVariant> sv(n);
    QVector<QString> names(withText ? n : 0);
    for (int i = 0; i < n; ++i) {
        sv[i] = stored(i);
        if (shape) shape->append(sv[i].isValid() ? 'v' : 'n');
        if (withText) names[i] = column(i);
    }
    if (shape) shape->append(rowid ? '#' : '.');
    QStringList ors;
    for (int i = 0; i < n; ++i) {
        QStringList ands;
        QVariantList p;
        bool possible = true;
        for (int j = 0; j < i; ++j) {
            if (!sv[j].isValid()) {
                if (withText) ands << names[j] + QStringLiteral(" IS NULL");
            } else {
                if (withText) ands << names[j] + QStringLiteral(" = ?");
                p << sv[j];
            }
        }
        const bool inclusive = i == n - 1;
        if (!sv[i].isValid()) {
            // NULL sorts first ascending, last descending
            if (inclusive) {
                if (desc && withText) ands << names[i] + QStringLiteral(" IS NULL");
            } else if (!desc) {
                if (withText) ands << names[i] + QStringLiteral(" IS NOT NULL");
            } else
                possible = false;
        } else {
            if (withText) {
                const QString op = desc ? (inclusive ? QStringLiteral(" <= ?") : QStringLiteral(" < ?"))
                                        : (inclusive ? QStringLiteral(" >= ?") : QStringLiteral(" > ?"));
                QString t = names[i] + op;
                if (desc) t = QStringLiteral("(%1 OR %2 IS NULL)").arg(t, names[i]);
                ands << t;
            }
            p << sv[i];
        }
        if (!possible) continue;
        if (withText)
            ors << (ands.isEmpty()
                        ? QStringLiteral("1")
                        : QLatin1Char('(') + ands.join(QStringLiteral(" AND ")) + QLatin1Char(')'));
        else
            ors << QString();
        params << p;
    }
    if (ors.isEmpty()) return QStringLiteral("0");
    return withText ? QLatin1Char('(') + ors.join(QStringLiteral(" OR ")) + QLatin1Char(')') : QString();
}

// Statements whose text follows from the cursor's state are found by that state's shape, so a move
// neither builds SQL text nor hashes it.
void* Table::shapedStatement(const QByteArray& shape, const std::function<QString()>& sql) const {
    auto it = m_shapeCache.constFind(shape);
    if (it != m_shapeCache.constEnd()) {
        sqlite3_reset(S(it.value()));
        return it.value();
    }
    sqlite3_stmt* st = m_file->prepare(sql());
    m_shapeCache.insert(shape, st);
    return st;
}

QByteArray Table::orderKey() const {
    // What selects and sorts the order: the index, the shape of the conditions, the filter's text and
    // every bound value (range bounds, the master's key).
    QVariantList params;
    QByteArray key = m_indexName.toLower().toUtf8();
    key.append('\0');
    conditions(params, &key, false);
    key.append('\0');
    key.append(m_filterText.toUtf8());
    for (const QVariant& v : std::as_const(params)) {
        key.append('\0');
        key.append(char('a' + v.typeId() % 26));
        key.append(v.toString().toUtf8());
    }
    return key;
}

SharedOrder& Table::order() const {
    if (!m_order) {
        m_order = m_file->order(orderKey());
        m_seenGeneration = 0;
    }
    return *m_order;
}

std::vector<qint64>& Table::ids() const {
    return m_order->ids;
}

bool Table::orderCurrent(bool sync) const {
    SharedOrder& o = order();
    if (o.builtAt != m_file->changeCounter && !applyLoggedChanges(o)) return false;
    if (sync) syncPosition();
    return true;
}

// Another cursor may have listed or edited the shared order since this one looked.
void Table::syncPosition() const {
    const SharedOrder& o = *m_order;
    if (m_seenGeneration == o.generation) return;
    m_seenGeneration = o.generation;
    const int n = int(o.ids.size());
    if (m_hasRecord && m_posExact && m_pos >= 0 && m_pos < n && o.ids[size_t(m_pos)] == m_recordId) return;
    const int p = m_hasRecord ? o.positionOf(m_recordId) : -1;
    if (p >= 0)
        m_pos = p;
    else {
        // The record has left the order: its neighbour takes its place.
        if (m_hasRecord && !m_posExact) m_pos = positionBySearch();
        m_pos = std::min<int>(std::max(m_pos, 0), n - 1);
    }
    m_posExact = true;
}

bool Table::orderSelectsBy(int column) const {
    for (const auto& term : m_filterTerms)
        if (term.first == column) return true;
    // A range or a master selects by the key columns, so a changed key may take a record in or out.
    return (m_hasRange || m_master) && m_keyColumns.contains(column);
}

bool Table::orderHasConditions() const {
    return m_hasRange || m_master || !m_filterTerms.isEmpty();
}

bool Table::inOrder(qint64 id) const {
    QVariantList params;
    const QString where = conditions(params);
    sqlite3_stmt* st =
        S(statement(QStringLiteral("SELECT 1 FROM %1%2%3rowid = ?")
                        .arg(quoteIdent(m_file->name), where,
                             where.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND "))));
    params << id;
    bindAll(st, params);
    const int rc = sqlite3_step(st);
    sqlite3_reset(st);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) m_file->fail(rc, m_file->name);
    return rc == SQLITE_ROW;
}

// Still current when every change since it was listed is an update of columns it neither sorts nor
// selects by: editing a cat's remark must not re-list a million cats in every open cursor. The few
// records that an insert, a delete or a changed key touches are taken out and placed anew.
bool Table::applyLoggedChanges(SharedOrder& o) const {
    const quint64 now = m_file->changeCounter;
    if (o.builtAt == ~0ull || o.builtAt > now) return false;
    const auto& log = m_file->recentChanges;
    if (log.empty() || log.front().counter > o.builtAt + 1 || log.back().counter != now) return false;
    auto it = std::lower_bound(log.begin(), log.end(), o.builtAt + 1,
                               [](const TableFile::LoggedChange& c, quint64 n) { return c.counter < n; });
    std::vector<qint64> touched; // taken out, then placed again when still in the order
    for (quint64 expected = o.builtAt + 1; it != log.end(); ++it, ++expected) {
        if (it->counter != expected) return false; // a change in between that is not logged
        bool affects = it->kind != ChangeKind::Update || it->columns.isEmpty();
        for (int col : it->columns)
            affects = affects || orderSelectsBy(col) || m_keyColumns.contains(col);
        if (affects) touched.push_back(it->id);
    }
    std::sort(touched.begin(), touched.end());
    touched.erase(std::unique(touched.begin(), touched.end()), touched.end());
    if (!touched.empty()) {
        auto& v = o.ids;
        size_t firstEdit = v.size();
        bool edited = false;
        for (qint64 id : touched) {
            const int p = o.positionOf(id);
            if (p < 0) continue;
            firstEdit = std::min(firstEdit, size_t(p));
        }
        if (firstEdit < v.size()) {
            edited = true;
            v.erase(std::remove_if(
                        v.begin() + qptrdiff(firstEdit), v.end(),
                        [&](qint64 id) { return std::binary_search(touched.begin(), touched.end(), id); }),
                    v.end());
        }
        // The remaining ids are still in order, so each record is placed by a binary search, asking
        // SQLite to order two records: the comparison is exactly the one that listed the order
        // (collations, empty keys, direction).
        sqlite3_stmt* st =
            S(statement(QStringLiteral("SELECT rowid FROM %1 WHERE rowid IN (?, ?) ORDER BY %2 LIMIT 1")
                            .arg(quoteIdent(m_file->name), orderBy())));
        auto sortsBefore = [&](qint64 a, qint64 b) {
            sqlite3_bind_int64(st, 1, a);
            sqlite3_bind_int64(st, 2, b);
            const int rc = sqlite3_step(st);
            const qint64 first = rc == SQLITE_ROW ? sqlite3_column_int64(st, 0) : 0;
            sqlite3_reset(st);
            if (rc != SQLITE_ROW) m_file->fail(rc, m_file->name);
            return first == a;
        };
        try {
            for (qint64 id : touched) {
                if (!inOrder(id)) continue;
                size_t lo = 0, hi = v.size();
                while (lo < hi) {
                    const size_t mid = (lo + hi) / 2;
                    if (sortsBefore(v[mid], id))
                        lo = mid + 1;
                    else
                        hi = mid;
                }
                v.insert(v.begin() + qptrdiff(lo), id);
                firstEdit = std::min(firstEdit, lo);
                edited = true;
            }
        } catch (...) {
            o.builtAt = ~0ull; // the list lacks records now: listed again on the next use
            o.listed();
            throw;
        }
        if (edited) o.editedFrom(firstEdit);
    }
    o.builtAt = now;
    return true;
}

void Table::ensureOrder() const {
    if (orderCurrent()) return;
    SharedOrder& o = *m_order;
    QVariantList params;
    QByteArray shape("O");
    conditions(params, &shape, false);
    sqlite3_stmt* st = S(shapedStatement(shape, [this] {
        QVariantList unused;
        return QStringLiteral("SELECT rowid FROM %1%2 ORDER BY %3")
            .arg(quoteIdent(m_file->name), conditions(unused), orderBy());
    }));
    bindAll(st, params);
    o.ids.clear();
    o.builtAt = ~0ull;
    o.listed();
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        o.ids.push_back(sqlite3_column_int64(st, 0));
    sqlite3_reset(st);
    if (rc != SQLITE_DONE) m_file->fail(rc, m_file->name);
    o.builtAt = m_file->changeCounter;
    syncPosition();
}

// Where the current record would stand in the order: the records that sort before it.
int Table::positionBySearch() const {
    QVariantList keys;
    for (int c : m_keyColumns)
        keys << m_values.value(c);
    QVariantList params;
    QString where = conditions(params);
    const QString at = keyAtLeast(keys, int(keys.size()), &m_recordId, params, nullptr, true);
    // A comparison with an empty key is unknown, which counts as "not at or after", as in a search.
    where +=
        (where.isEmpty() ? QStringLiteral(" WHERE NOT coalesce(") : QStringLiteral(" AND NOT coalesce(")) +
        at + QStringLiteral(", 0)");
    sqlite3_stmt* st =
        S(statement(QStringLiteral("SELECT count(*) FROM %1%2").arg(quoteIdent(m_file->name), where)));
    bindAll(st, params);
    int before = 0;
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW) before = sqlite3_column_int(st, 0);
    sqlite3_reset(st);
    if (rc != SQLITE_ROW) m_file->fail(rc, m_file->name);
    return before;
}

int Table::positionOf(qint64 id) const {
    return m_order->positionOf(id);
}

// ---------------------------------------------------------------- reading

void Table::load(qint64 id) {
    if (!m_loadStmt)
        m_loadStmt =
            m_file->prepare(QStringLiteral("SELECT * FROM %1 WHERE rowid = ?").arg(quoteIdent(m_file->name)));
    sqlite3_stmt* st = S(m_loadStmt);
    sqlite3_bind_int64(st, 1, id);
    const int rc = sqlite3_step(st);
    if (rc != SQLITE_ROW) {
        sqlite3_reset(st);
        if (rc == SQLITE_DONE) {
            noRecord();
            return;
        }
        m_file->fail(rc, m_file->name);
    }
    readRow(st, 0);
    sqlite3_reset(st);
    arrived(id);
}

void Table::readRow(void* stmt, int firstColumn) {
    const auto& fields = m_file->def.fields;
    for (int i = 0; i < m_storedCount; ++i)
        m_values[i] = columnValue(S(stmt), firstColumn + i, fields[i].type);
}

void Table::arrived(qint64 id) {
    m_loadedChange = m_file->changeCounter;
    m_recordId = id;
    m_hasRecord = true;
    std::fill(m_changed.begin(), m_changed.end(), false);
    m_modified = false;
    computeDerived();
    scrolled();
}

// A search found the record (rowid, then every stored field): it becomes current.
void Table::arriveFromQuery(void* stmt) {
    sqlite3_stmt* st = S(stmt);
    const qint64 id = sqlite3_column_int64(st, 0);
    readRow(st, 1);
    sqlite3_reset(st);
    placeAt(id);
    m_bof = m_eof = false;
    arrived(id);
}

void Table::placeAt(qint64 id) {
    // The order is looked up only when it is at hand; otherwise the position waits for it.
    m_keySteps = 0;
    if (orderCurrent(false)) {
        const int p = positionOf(id);
        m_posExact = p >= 0;
        if (p >= 0) m_pos = p;
    } else
        m_posExact = false;
}

void Table::noRecord() {
    m_hasRecord = false;
    m_recordId = 0;
    for (QVariant& v : m_values)
        v = QVariant();
    m_bof = m_eof = true;
    m_pos = -1;
    m_posExact = true;
    scrolled();
}

void Table::scrolled() {
    if (afterScroll) afterScroll(*this);
    for (Table* d : std::as_const(m_details))
        d->masterMoved();
}

void Table::computeDerived() {
    if (m_derived.isEmpty()) return;
    for (int i = 0; i < m_derived.size(); ++i) {
        const Derived& d = m_derived[i];
        QVariant v;
        if (d.lookup && d.table && d.table->isOpen()) {
            QVariantList keys;
            for (const QString& k : splitFields(d.keyFields))
                keys << value(k);
            bool any = false;
            for (const QVariant& k : keys)
                any = any || !emptyValue(k);
            if (any) v = d.table->lookupValue(d.lookupKeyFields, keys, d.resultField);
        }
        m_values[m_storedCount + i] = v;
    }
    if (onCalcFields) {
        const State s = m_state;
        m_state = State::CalcFields;
        onCalcFields(*this);
        m_state = s;
    }
}

void Table::masterMoved() {
    if (!isOpen()) return;
    postPending();
    invalidate();
    first();
}

// ---------------------------------------------------------------- navigation

int Table::recordCount() const {
    requireOpen();
    if (orderCurrent()) return int(ids().size());
    // Counting does not need the order listed.
    QVariantList params;
    QByteArray shape("C");
    conditions(params, &shape, false);
    sqlite3_stmt* st = S(shapedStatement(shape, [this] {
        QVariantList unused;
        return QStringLiteral("SELECT count(*) FROM %1%2").arg(quoteIdent(m_file->name), conditions(unused));
    }));
    bindAll(st, params);
    const int rc = sqlite3_step(st);
    const int n = rc == SQLITE_ROW ? sqlite3_column_int(st, 0) : 0;
    sqlite3_reset(st);
    if (rc != SQLITE_ROW) m_file->fail(rc, m_file->name);
    return n;
}

bool Table::isEmpty() const {
    return recordCount() == 0;
}

void Table::moveTo(int pos, bool atBof, bool atEof) {
    const int from = m_pos;
    m_pos = pos;
    m_posExact = true;
    // Set before reading, so the after-scroll hook sees where the cursor now stands.
    m_bof = atBof;
    m_eof = atEof;
    if (pos == from - 1 && pos > 0) // walking backwards: read the block that ends here
        loadAt(pos, true);
    else
        loadAt(pos, false);
}

namespace {
constexpr int kAhead = 64;
}

void Table::loadAt(int pos, bool backwards) {
    const qint64 id = ids()[size_t(pos)];
    if (m_hasRecord && m_recordId == id && m_state == State::Browse && !m_modified &&
        m_loadedChange == m_file->changeCounter) {
        arrived(id); // already read, and the table has not changed since (a search that ends on last())
        return;
    }
    const bool valid =
        m_aheadGeneration == m_order->generation && m_aheadChange == m_file->changeCounter && orderCurrent();
    if (!valid || pos < m_aheadStart || pos >= m_aheadStart + m_aheadCount) {
        const int n = int(ids().size());
        const int from = backwards ? std::max(0, pos - kAhead + 1) : pos;
        readAhead(from, std::min(kAhead, n - from));
    }
    const int row = pos - m_aheadStart;
    if (row < 0 || row >= m_aheadCount || !m_aheadFound[row]) {
        load(ids()[size_t(pos)]); // not there any more: load says so
        return;
    }
    // Each block row is used once, so its values are handed over rather than copied.
    QVariant* v = m_ahead.data() + qsizetype(row) * m_storedCount;
    for (int i = 0; i < m_storedCount; ++i)
        m_values[i].swap(v[i]);
    m_aheadFound[row] = false;
    arrived(ids()[size_t(pos)]);
}

void Table::readAhead(int from, int count) {
    if (!m_aheadStmt) {
        QStringList marks;
        for (int i = 0; i < kAhead; ++i)
            marks << QStringLiteral("?");
        m_aheadStmt = m_file->prepare(QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid IN (%2)")
                                          .arg(quoteIdent(m_file->name), marks.join(QLatin1Char(','))));
    }
    sqlite3_stmt* st = S(m_aheadStmt);
    sqlite3_reset(st);
    for (int i = 0; i < kAhead; ++i) {
        if (i < count)
            sqlite3_bind_int64(st, i + 1, ids()[size_t(from + i)]);
        else
            sqlite3_bind_null(st, i + 1);
    }
    m_ahead.resize(qsizetype(count) * m_storedCount);
    m_aheadFound.fill(false, count);
    m_aheadStart = from;
    m_aheadCount = 0;
    const auto& fields = m_file->def.fields;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        const qint64 id = sqlite3_column_int64(st, 0);
        int row = -1;
        for (int i = 0; i < count; ++i)
            if (ids()[size_t(from + i)] == id) {
                row = i;
                break;
            }
        if (row < 0) continue;
        QVariant* v = m_ahead.data() + qsizetype(row) * m_storedCount;
        for (int i = 0; i < m_storedCount; ++i)
            v[i] = columnValue(st, i + 1, fields[i].type);
        m_aheadFound[row] = true;
    }
    sqlite3_reset(st);
    if (rc != SQLITE_DONE) m_file->fail(rc, m_file->name);
    m_aheadCount = count;
    m_aheadGeneration = m_order->generation;
    m_aheadChange = m_file->changeCounter;
}

void Table::first() {
    requireOpen();
    postPending();
    if (orderCurrent()) {
        if (ids().empty())
            noRecord();
        else
            moveTo(0, true, false);
        return;
    }
    // Without a current order the first record is read directly: opening a table or following a
    // master does not have to list every record. A short order (the details of one master) is
    // listed on the way, so counting it afterwards costs nothing.
    constexpr int kShortOrder = 64;
    QVariantList params;
    QByteArray shape("F");
    conditions(params, &shape, false);
    sqlite3_stmt* st = S(shapedStatement(shape, [this] {
        QVariantList unused;
        return QStringLiteral("SELECT rowid, * FROM %1%2 ORDER BY %3 LIMIT %4")
            .arg(quoteIdent(m_file->name), conditions(unused), orderBy())
            .arg(kShortOrder + 1);
    }));
    bindAll(st, params);
    int rc = sqlite3_step(st);
    if (rc != SQLITE_ROW) {
        sqlite3_reset(st);
        if (rc != SQLITE_DONE) m_file->fail(rc, m_file->name);
        SharedOrder& o = order();
        o.ids.clear();
        o.listed();
        o.builtAt = m_file->changeCounter;
        m_seenGeneration = o.generation;
        noRecord();
        return;
    }
    const qint64 id = sqlite3_column_int64(st, 0);
    readRow(st, 1);
    std::vector<qint64> ids{id};
    while (int(ids.size()) <= kShortOrder && (rc = sqlite3_step(st)) == SQLITE_ROW)
        ids.push_back(sqlite3_column_int64(st, 0));
    sqlite3_reset(st);
    if (int(ids.size()) <= kShortOrder && rc == SQLITE_DONE) {
        SharedOrder& o = order();
        o.ids = std::move(ids);
        o.listed();
        o.builtAt = m_file->changeCounter;
        m_seenGeneration = o.generation;
    }
    m_pos = 0;
    m_posExact = true;
    m_keySteps = 0;
    // Set before reading, so the after-scroll hook sees where the cursor now stands.
    m_bof = true;
    m_eof = false;
    arrived(id);
}

void Table::last() {
    requireOpen();
    postPending();
    ensureOrder();
    if (ids().empty())
        noRecord();
    else
        moveTo(int(ids().size()) - 1, false, true);
}

void Table::next() {
    requireOpen();
    postPending();
    constexpr int kKeySteps = 16;
    if (m_hasRecord && m_keySteps < kKeySteps && !orderCurrent()) {
        const int steps = m_keySteps;
        if (nextByKey())
            m_keySteps = steps + 1;
        else
            m_eof = true;
        return;
    }
    ensureOrder();
    if (m_pos + 1 < int(ids().size()) && m_hasRecord) {
        moveTo(m_pos + 1, false, false);
    } else {
        m_eof = true;
        if (ids().empty()) noRecord();
    }
}

bool Table::nextByKey() {
    QVariantList keys;
    for (int c : std::as_const(m_keyColumns))
        keys << m_values.value(c);
    // The next place after (key, rowid): the rowid one further in the index's direction.
    const qint64 after = m_recordId + ((m_index && m_index->descending) ? -1 : 1);
    const int m = int(keys.size());
    QVariantList params;
    QByteArray shape("S");
    conditions(params, &shape, false);
    keyAtLeast(keys, m, &after, params, &shape, false);
    sqlite3_stmt* st = S(shapedStatement(shape, [&] {
        QVariantList unused;
        QString where = conditions(unused);
        where += (where.isEmpty() ? QStringLiteral(" WHERE coalesce(") : QStringLiteral(" AND coalesce(")) +
                 keyAtLeast(keys, m, &after, unused, nullptr, true) + QStringLiteral(", 0)");
        return QStringLiteral("SELECT rowid, * FROM %1%2 ORDER BY %3 LIMIT 1")
            .arg(quoteIdent(m_file->name), where, orderBy());
    }));
    return arriveFromFirstRow(st, params);
}

// Binds, steps once and moves to the row found; a failing step is reported, no row is false.
bool Table::arriveFromFirstRow(void* stmt, const QVariantList& params) {
    auto* st = static_cast<sqlite3_stmt*>(stmt);
    bindAll(st, params);
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW) {
        arriveFromQuery(st);
        return true;
    }
    sqlite3_reset(st);
    if (rc != SQLITE_DONE) m_file->fail(rc, m_file->name);
    return false;
}

void Table::prior() {
    requireOpen();
    postPending();
    ensureOrder();
    if (m_pos > 0 && m_hasRecord) {
        moveTo(m_pos - 1, false, false);
    } else {
        m_bof = true;
        if (ids().empty()) noRecord();
    }
}

int Table::moveBy(int distance) {
    int moved = 0;
    while (distance > 0 && !m_eof) {
        next();
        if (!m_eof) ++moved;
        --distance;
    }
    while (distance < 0 && !m_bof) {
        prior();
        if (!m_bof) --moved;
        ++distance;
    }
    return moved;
}

int Table::position() const {
    if (!m_open || !m_hasRecord) return -1;
    ensureOrder();
    if (m_posExact && m_pos >= 0 && m_pos < int(ids().size()) && ids()[size_t(m_pos)] == m_recordId)
        return m_pos;
    return positionOf(m_recordId);
}

bool Table::gotoPosition(int pos) {
    requireOpen();
    postPending();
    ensureOrder();
    if (pos < 0 || pos >= int(ids().size())) return false;
    moveTo(pos, false, false);
    return true;
}

quint64 Table::orderStamp() const {
    if (!m_open) return 0;
    ensureOrder();
    return m_order->generation;
}

void Table::refresh() {
    requireOpen();
    if (m_hasRecord && order().builtAt == ~0ull) {
        // Nothing listed the order yet: the record is read again where it stands.
        m_file->noteOutsideChanges();
        if (inOrder(m_recordId)) {
            m_posExact = false;
            load(m_recordId);
            return;
        }
    }
    if (m_hasRecord && !m_posExact) ensureOrder();
    // Changes made through this engine are tracked; what another connection wrote is not, and
    // re-lists the order.
    m_file->noteOutsideChanges();
    ensureOrder();
    if (m_hasRecord && positionOf(m_recordId) >= 0)
        load(m_recordId);
    else if (!ids().empty())
        load(ids()[m_pos]);
    else
        noRecord();
}

void Table::flush() {
    requireOpen();
    postPending();
    // Every post outside a transaction is committed with a full sync, so nothing else waits.
}

bool Table::gotoRecordId(qint64 id) {
    requireOpen();
    postPending();
    ensureOrder();
    const int p = positionOf(id);
    if (p < 0) return false;
    m_pos = p;
    m_posExact = true;
    load(id);
    m_bof = m_eof = false;
    return true;
}

// ---------------------------------------------------------------- search

bool Table::findKey(const QVariantList& values) {
    requireOpen();
    postPending();
    if (values.size() > m_keyColumns.size() || m_keyColumns.isEmpty()) {
        if (m_keyColumns.isEmpty() && values.size() == 1) {
            // record order: the key is the record id
            return gotoRecordId(values.first().toLongLong());
        }
        throw EngineError(code::IndexMissing,
                          QStringLiteral("Zu viele Schlüsselwerte für %1").arg(normalName()), normalName());
    }
    QVariantList params;
    QByteArray shape("K");
    conditions(params, &shape, false);
    shape.append('|');
    for (int i = 0; i < values.size(); ++i) {
        const QVariant sv = asStored(values[i], m_file->def.fields[m_keyColumns[i]].type);
        shape.append(sv.isValid() ? 'v' : 'n');
        if (sv.isValid()) params << sv;
    }
    sqlite3_stmt* st = S(shapedStatement(shape, [&] {
        QVariantList unused;
        QString where = conditions(unused);
        QStringList c;
        for (int i = 0; i < values.size(); ++i) {
            const bool null = !asStored(values[i], m_file->def.fields[m_keyColumns[i]].type).isValid();
            c << keyColumn(i) + (null ? QStringLiteral(" IS NULL") : QStringLiteral(" = ?"));
        }
        where += (where.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ")) +
                 c.join(QStringLiteral(" AND "));
        return QStringLiteral("SELECT rowid, * FROM %1%2 ORDER BY %3 LIMIT 1")
            .arg(quoteIdent(m_file->name), where, orderBy());
    }));
    return arriveFromFirstRow(st, params);
}

void Table::findNearest(const QVariantList& values) {
    requireOpen();
    postPending();
    const int m = std::min<int>(values.size(), m_keyColumns.size());
    if (m == 0) {
        first();
        return;
    }
    QVariantList params;
    QByteArray shape("N");
    conditions(params, &shape, false);
    keyAtLeast(values, m, nullptr, params, &shape, false);
    sqlite3_stmt* st = S(shapedStatement(shape, [&] {
        QVariantList unused;
        QString where = conditions(unused);
        where += (where.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ")) +
                 keyAtLeast(values, m, nullptr, unused, nullptr, true);
        return QStringLiteral("SELECT rowid, * FROM %1%2 ORDER BY %3 LIMIT 1")
            .arg(quoteIdent(m_file->name), where, orderBy());
    }));
    if (arriveFromFirstRow(st, params)) return;
    last(); // nothing greater: the last record, as the keyed engines do
    m_eof = true;
}

void Table::setRange(const QVariantList& low, const QVariantList& high) {
    postPending();
    m_rangeLow = low;
    m_rangeHigh = high;
    m_hasRange = true;
    invalidate();
    if (isOpen()) first();
}

void Table::cancelRange() {
    m_hasRange = false;
    m_rangeLow.clear();
    m_rangeHigh.clear();
    invalidate();
    if (isOpen()) first();
}

void Table::setFilter(const QString& expression) {
    requireOpen();
    QList<QPair<int, QVariant>> terms;
    const QString e = expression.trimmed();
    if (!e.isEmpty()) {
        static const QRegularExpression sep(QStringLiteral(R"(\s+OR\s+)"),
                                            QRegularExpression::CaseInsensitiveOption);
        static const QRegularExpression term(QStringLiteral(R"(^\s*(\w+)\s*=\s*(?:'([^']*)'|(-?\d+))\s*$)"));
        for (const QString& part : e.split(sep)) {
            const auto m = term.match(part);
            const int col = m.hasMatch() ? m_file->fieldPos.value(m.captured(1).toLower(), -1) : -1;
            if (col < 0)
                throw EngineError(code::SqlError, QStringLiteral("Ungültiger Filter: %1").arg(expression),
                                  normalName());
            terms << qMakePair(col, m.captured(2).isNull() ? QVariant(m.captured(3).toLongLong())
                                                           : QVariant(m.captured(2)));
        }
    }
    postPending();
    m_filterText = e;
    m_filterTerms = terms;
    // The filter's columns are not part of a statement's shape.
    for (void* st : std::as_const(m_shapeCache))
        sqlite3_finalize(S(st));
    m_shapeCache.clear();
    invalidate();
    first();
}

void Table::setMaster(Table* master, const QString& masterFields, const QString& detailFields) {
    requireOpen();
    clearMaster();
    setIndexFields(detailFields);
    m_masterColumns.clear();
    for (const QString& f : splitFields(masterFields)) {
        const int i = master->fieldIndex(f);
        if (i < 0)
            throw EngineError(code::NoSuchField, QStringLiteral("Feld %1 fehlt").arg(f),
                              master->normalName());
        m_masterColumns << i;
    }
    m_master = master;
    m_detailFields = detailFields;
    master->m_details << this;
    invalidate();
    first();
}

void Table::clearMaster() {
    if (!m_master) return;
    m_master->m_details.removeAll(this);
    m_master = nullptr;
    invalidate();
    if (isOpen()) first();
}

// ---------------------------------------------------------------- fields

int Table::fieldCount() const {
    return int(m_allFields.size());
}

int Table::fieldIndex(const QString& name) const {
    if (m_file && m_open) {
        const int i = m_file->fieldPos.value(name.toLower(), -1);
        if (i >= 0) return i;
    }
    for (int i = m_storedCount; i < m_allFields.size(); ++i)
        if (m_allFields[i].name.compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

const FieldDef& Table::fieldDef(int i) const {
    return m_allFields.at(i);
}

QVariant Table::value(int i) const {
    if (i < 0 || i >= m_values.size()) return {};
    return m_values[i];
}

QVariant Table::value(const QString& name) const {
    const int i = fieldIndex(name);
    if (i < 0)
        throw EngineError(code::NoSuchField, QStringLiteral("Feld %1 fehlt in %2").arg(name, normalName()),
                          normalName());
    return m_values[i];
}

bool Table::isNull(const QString& name) const {
    return emptyValue(value(name));
}
QString Table::asString(const QString& name) const {
    const QVariant v = value(name);
    if (v.typeId() == QMetaType::QDate) return v.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    return v.toString();
}
int Table::asInt(const QString& name) const {
    return value(name).toInt();
}
double Table::asFloat(const QString& name) const {
    return value(name).toDouble();
}
bool Table::asBool(const QString& name) const {
    return value(name).toBool();
}
QDate Table::asDate(const QString& name) const {
    return value(name).toDate();
}
qint64 Table::asDayNumber(const QString& name) const {
    const QDate d = asDate(name);
    return d.isValid() ? QDate(1899, 12, 30).daysTo(d) : 0;
}

void Table::setValue(int i, const QVariant& v) {
    requireOpen();
    if (i < 0 || i >= m_values.size())
        throw EngineError(code::NoSuchField,
                          QStringLiteral("Feldnummer %1 fehlt in %2").arg(i).arg(normalName()), normalName());
    if (i >= m_storedCount) { // derived fields are set freely (by the calculation handler)
        m_values[i] = v;
        return;
    }
    if (m_state == State::CalcFields)
        throw EngineError(code::InvalidState, QStringLiteral("Nur berechnete Felder sind änderbar"),
                          normalName());
    QVariant stored = emptyValue(v) ? QVariant() : v;
    if (stored.isValid() && m_allFields[i].type == FieldType::Money) {
        const auto m = Money::fromVariant(stored);
        if (!m)
            throw EngineError(code::ValueTooLong,
                              QStringLiteral("Feld %1: kein Geldbetrag: %2").arg(m_allFields[i].name, v.toString()),
                              normalName());
        stored = QVariant::fromValue(*m);
    }
    if (m_state == State::Browse) edit();
    m_values[i] = stored;
    m_changed[i] = true;
    m_modified = true;
}

void Table::setValue(const QString& name, const QVariant& v) {
    const int i = fieldIndex(name);
    if (i < 0)
        throw EngineError(code::NoSuchField, QStringLiteral("Feld %1 fehlt in %2").arg(name, normalName()),
                          normalName());
    setValue(i, v);
}

// ---------------------------------------------------------------- editing

void Table::append() {
    requireWritable();
    postPending();
    if (m_hasRecord && !m_posExact) ensureOrder(); // a failed or cancelled insert returns here
    m_savedValues = m_values;
    m_savedId = m_recordId;
    m_savedHasRecord = m_hasRecord;
    for (QVariant& v : m_values)
        v = QVariant();
    std::fill(m_changed.begin(), m_changed.end(), false);
    m_state = State::Insert;
    m_modified = false;
    m_recordId = 0;
    computeDerived();
}

void Table::edit() {
    requireWritable();
    if (m_state == State::Edit || m_state == State::Insert) return;
    requireRecord();
    if (!m_posExact) ensureOrder(); // a record edited out of the order leaves its place to the next
    m_savedValues = m_values;
    m_savedId = m_recordId;
    m_savedHasRecord = m_hasRecord;
    m_state = State::Edit;
    m_modified = false;
}

void Table::validate() const {
    const auto& fields = m_file->def.fields;
    for (int i = 0; i < m_storedCount; ++i) {
        const FieldDef& f = fields[i];
        const QVariant& v = m_values[i];
        if (f.required && emptyValue(v) && !(f.type == FieldType::Auto && m_state == State::Insert))
            throw EngineError(code::RequiredField,
                              QStringLiteral("Feld %1 muss einen Wert haben").arg(f.name), m_file->name);
        if (emptyValue(v)) continue;
        if (f.type == FieldType::Text && f.size > 0 && v.toString().size() > f.size)
            throw EngineError(code::ValueTooLong,
                              QStringLiteral("Feld %1: höchstens %2 Zeichen erlaubt (%3 eingegeben)")
                                  .arg(f.name)
                                  .arg(f.size)
                                  .arg(v.toString().size()),
                              m_file->name);
        if (f.type == FieldType::Short && (v.toLongLong() < -32768 || v.toLongLong() > 32767))
            throw EngineError(code::ValueTooLong,
                              QStringLiteral("Feld %1: Wert außerhalb des Bereichs").arg(f.name),
                              m_file->name);
    }
}

void Table::post() {
    requireWritable();
    if (m_state != State::Edit && m_state != State::Insert) return;
    try {
        if (beforePost) beforePost(*this);
        if (m_state != State::Edit && m_state != State::Insert) return; // the hook cancelled
        validate();
        TableFile& f = *m_file;
        const auto& fields = f.def.fields;
        if (m_state == State::Insert) {
            QStringList cols, marks;
            QVariantList vals;
            QList<FieldType> types;
            for (int i = 0; i < m_storedCount; ++i) {
                if (emptyValue(m_values[i])) continue;
                cols << quoteIdent(fields[i].name);
                marks << QStringLiteral("?");
                vals << m_values[i];
                types << fields[i].type;
            }
            const QString sql =
                cols.isEmpty()
                    ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoteIdent(f.name))
                    : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(quoteIdent(f.name), cols.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
            sqlite3_stmt* st = S(statement(sql));
            for (int i = 0; i < vals.size(); ++i)
                bindValue(st, i + 1, vals[i], types[i]);
            const int rc = sqlite3_step(st);
            sqlite3_reset(st);
            if (rc != SQLITE_DONE)
                f.fail(rc, QStringLiteral("Schlüsselverletzung oder Schreibfehler in %1").arg(f.name));
            m_recordId = sqlite3_last_insert_rowid(f.handle);
            for (int i = 0; i < m_storedCount; ++i)
                if (fields[i].type == FieldType::Auto && emptyValue(m_values[i]))
                    m_values[i] = int(m_recordId);
            f.changed(ChangeKind::Insert, m_recordId);
        } else if (m_modified) {
            QStringList sets;
            QVariantList vals;
            QList<FieldType> types;
            QVector<int> columns;
            for (int i = 0; i < m_storedCount; ++i) {
                if (!m_changed[i]) continue;
                columns << i;
                sets << quoteIdent(fields[i].name) + QStringLiteral(" = ?");
                vals << m_values[i];
                types << fields[i].type;
            }
            sqlite3_stmt* st = S(statement(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                                               .arg(quoteIdent(f.name), sets.join(QLatin1Char(',')))));
            for (int i = 0; i < vals.size(); ++i)
                bindValue(st, i + 1, vals[i], types[i]);
            sqlite3_bind_int64(st, int(vals.size()) + 1, m_recordId);
            const int rc = sqlite3_step(st);
            sqlite3_reset(st);
            if (rc != SQLITE_DONE)
                f.fail(rc, QStringLiteral("Schlüsselverletzung oder Schreibfehler in %1").arg(f.name));
            f.changed(ChangeKind::Update, m_recordId, std::move(columns));
        }
    } catch (const EngineError& e) {
        if (onPostError && onPostError(*this, e) == ErrorAction::Abort) {
            cancel();
            return;
        }
        throw;
    }
    m_state = State::Browse;
    m_modified = false;
    m_hasRecord = true;
    std::fill(m_changed.begin(), m_changed.end(), false);
    // The order is rebuilt lazily on the next move, so a run of posts costs no re-sorting.
    m_bof = m_eof = false;
    load(m_recordId);
    if (afterPost) afterPost(*this);
}

void Table::cancel() {
    if (m_state != State::Edit && m_state != State::Insert) return;
    m_values = m_savedValues;
    m_recordId = m_savedId;
    m_hasRecord = m_savedHasRecord;
    m_state = State::Browse;
    m_modified = false;
    std::fill(m_changed.begin(), m_changed.end(), false);
}

void Table::remove() {
    requireWritable();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_state == State::Edit) cancel();
    requireRecord();
    if (!m_posExact) ensureOrder(); // the record after it is found by its place
    TableFile& f = *m_file;
    sqlite3_stmt* st = S(statement(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoteIdent(f.name))));
    sqlite3_bind_int64(st, 1, m_recordId);
    const int rc = sqlite3_step(st);
    sqlite3_reset(st);
    if (rc != SQLITE_DONE) f.fail(rc, f.name);
    const qint64 gone = m_recordId;
    const int oldPos = m_pos;
    m_hasRecord = false;
    f.changed(ChangeKind::Delete, gone);
    ensureOrder();
    if (ids().empty()) {
        noRecord();
        return;
    }
    m_pos = std::min(oldPos, int(ids().size()) - 1);
    load(ids()[m_pos]);
    m_bof = m_pos == 0;
    m_eof = false;
}

// ---------------------------------------------------------------- derived fields

void Table::addCalculatedField(const FieldDef& def) {
    Derived d;
    d.def = def;
    m_derived << d;
    m_allFields << def;
    m_values << QVariant();
    m_changed << false;
}

void Table::addLookupField(const QString& name, FieldType type, const QString& keyFields, Table* lookup,
                           const QString& lookupKeyFields, const QString& resultField) {
    Derived d;
    d.def = FieldDef{name, type, 0, false};
    d.lookup = true;
    d.keyFields = keyFields;
    d.table = lookup;
    d.lookupKeyFields = lookupKeyFields;
    d.resultField = resultField;
    m_derived << d;
    m_allFields << d.def;
    m_values << QVariant();
    m_changed << false;
}

QVariant Table::lookupValue(const QString& keyFields, const QVariantList& values,
                            const QString& resultField) {
    requireOpen();
    const QStringList keys = splitFields(keyFields);
    const int rc0 = m_file->fieldPos.value(resultField.toLower(), -1);
    if (rc0 < 0)
        throw EngineError(code::NoSuchField,
                          QStringLiteral("Feld %1 fehlt in %2").arg(resultField, normalName()), normalName());
    QStringList c;
    QVariantList params;
    for (int i = 0; i < keys.size(); ++i) {
        const int col = m_file->fieldPos.value(keys[i].toLower(), -1);
        if (col < 0)
            throw EngineError(code::NoSuchField,
                              QStringLiteral("Feld %1 fehlt in %2").arg(keys[i], normalName()), normalName());
        const FieldDef& f = m_file->def.fields[col];
        QString name = quoteIdent(f.name);
        if (isTextType(f.type)) name += QStringLiteral(" COLLATE ") + collationFor(m_file->def, nullptr);
        const QVariant sv = asStored(values.value(i), f.type);
        if (!sv.isValid())
            c << name + QStringLiteral(" IS NULL");
        else {
            c << name + QStringLiteral(" = ?");
            params << sv;
        }
    }
    sqlite3_stmt* st = S(statement(QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY rowid LIMIT 1")
                                       .arg(quoteIdent(m_file->def.fields[rc0].name),
                                            quoteIdent(m_file->name), c.join(QStringLiteral(" AND ")))));
    bindAll(st, params);
    QVariant v;
    if (sqlite3_step(st) == SQLITE_ROW) v = columnValue(st, 0, m_file->def.fields[rc0].type);
    sqlite3_reset(st);
    return v;
}

QVariant Table::lookupInIndex(const QString& indexName, const QVariantList& values,
                              const QString& resultField, bool ignoreCase) {
    requireOpen();
    const TableDef& def = m_file->def;
    const IndexDef* ix = def.index(indexName);
    if (!ix)
        throw EngineError(code::IndexMissing,
                          QStringLiteral("Index %1 existiert nicht in %2").arg(indexName, def.name),
                          def.name);
    const int rc0 = m_file->fieldPos.value(resultField.toLower(), -1);
    if (rc0 < 0 || values.size() > ix->fields.size())
        throw EngineError(code::NoSuchField,
                          QStringLiteral("Feld %1 fehlt in %2").arg(resultField, normalName()), normalName());
    const QString dir = ix->descending ? QStringLiteral(" DESC") : QString();
    QStringList c, order;
    QVariantList params;
    for (int i = 0; i < ix->fields.size(); ++i) {
        const int col = m_file->fieldPos.value(ix->fields[i].toLower(), -1);
        if (col < 0)
            throw EngineError(
                code::IndexDamaged,
                QStringLiteral("Index %1 von %2 nennt ein fehlendes Feld").arg(indexName, def.name),
                def.name);
        const FieldDef& f = def.fields[col];
        const QString name = quoteIdent(f.name);
        const bool text = isTextType(f.type);
        order << (text ? name + QStringLiteral(" COLLATE ") + collationFor(def, ix) : name) + dir;
        if (i >= values.size()) continue;
        const QString vergleich =
            text ? name + QStringLiteral(" COLLATE ") +
                       (ignoreCase ? QStringLiteral("VELMORA_NOCASE") : collationFor(def, ix))
                 : name;
        const QVariant sv = asStored(values[i], f.type);
        if (!sv.isValid()) {
            c << name + QStringLiteral(" IS NULL");
        } else {
            c << vergleich + QStringLiteral(" = ?");
            params << sv;
        }
    }
    order << QStringLiteral("rowid") + dir;
    sqlite3_stmt* st = S(statement(
        QStringLiteral("SELECT %1 FROM %2%3 ORDER BY %4 LIMIT 1")
            .arg(quoteIdent(def.fields[rc0].name), quoteIdent(m_file->name),
                 c.isEmpty() ? QString() : QStringLiteral(" WHERE ") + c.join(QStringLiteral(" AND ")),
                 order.join(QStringLiteral(", ")))));
    bindAll(st, params);
    QVariant v;
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW) v = columnValue(st, 0, def.fields[rc0].type);
    sqlite3_reset(st);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) m_file->fail(rc, m_file->name);
    return v;
}

} // namespace velmora::store
