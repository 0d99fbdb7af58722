#include "store/wiederholteabfrage.h"

#include "store/errors.h"
#include "store/tablefile.h"

#include <sqlite3.h>

namespace velmora::store {

WiederholteAbfrage::WiederholteAbfrage(Database& db, const QString& sql) {
    sqlite3* q = db.queryConnection();
    const QByteArray u = db.resolveQuery(sql).toUtf8();
    const int rc = sqlite3_prepare_v2(q, u.constData(), int(u.size()), &m_st, nullptr);
    if (rc != SQLITE_OK) throw EngineError(code::SqlError, QString::fromUtf8(sqlite3_errmsg(q)), {}, rc);
    for (int i = 0; i < sqlite3_column_count(m_st); ++i) {
        const char* dt = sqlite3_column_decltype(m_st, i);
        const QString t = QString::fromUtf8(dt ? dt : "").toUpper();
        m_typen << (t == QLatin1String("DATE") ? FieldType::Date : FieldType::Picture);
    }
}

WiederholteAbfrage::~WiederholteAbfrage() {
    sqlite3_finalize(m_st);
}

void WiederholteAbfrage::ausfuehren(const QVariantList& params) {
    sqlite3_reset(m_st);
    sqlite3_clear_bindings(m_st);
    bindParams(m_st, params);
}

bool WiederholteAbfrage::next() {
    const int rc = sqlite3_step(m_st);
    if (rc == SQLITE_ROW) return true;
    sqlite3_reset(m_st);
    if (rc == SQLITE_DONE) return false;
    throw EngineError(engineCode(rc), QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(m_st))), {}, rc);
}

void WiederholteAbfrage::beenden() {
    sqlite3_reset(m_st);
}

QVariant WiederholteAbfrage::value(int i) const {
    if (i < 0 || i >= m_typen.size()) return {};
    if (m_typen[i] == FieldType::Date) return columnValue(m_st, i, FieldType::Date);
    switch (sqlite3_column_type(m_st, i)) {
    case SQLITE_INTEGER:
        return qint64(sqlite3_column_int64(m_st, i));
    case SQLITE_FLOAT:
        return sqlite3_column_double(m_st, i);
    case SQLITE_TEXT:
        return columnValue(m_st, i, FieldType::Text);
    default:
        return {};
    }
}

} // namespace velmora::store
