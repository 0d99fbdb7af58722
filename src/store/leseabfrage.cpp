#include "store/leseabfrage.h"

#include "store/tablefile.h"

#include <sqlite3.h>

namespace velmora::store {

namespace {

struct Verbote {
    bool anhaengen = false, pragma = false, transaktion = false;
};

int pruefer(void* daten, int aktion, const char* a1, const char*, const char*, const char*) {
    auto* v = static_cast<Verbote*>(daten);
    switch (aktion) {
    case SQLITE_READ:
        // the pragmas as table-valued functions (pragma_table_info(...)) are pragmas too
        if (a1 && qstrnicmp(a1, "pragma_", 7) == 0) {
            v->pragma = true;
            return SQLITE_DENY;
        }
        return SQLITE_OK;
    case SQLITE_ATTACH:
    case SQLITE_DETACH:
        v->anhaengen = true;
        return SQLITE_DENY;
    case SQLITE_PRAGMA:
        v->pragma = true;
        return SQLITE_DENY;
    case SQLITE_TRANSACTION:
    case SQLITE_SAVEPOINT:
        v->transaktion = true;
        return SQLITE_DENY;
    default:
        return SQLITE_OK;
    }
}

// Character index of a byte offset into the UTF-8 form of text.
int zeichenPosition(const QByteArray& utf8, int byte) {
    if (byte < 0) return -1;
    return int(QString::fromUtf8(utf8.left(byte)).size());
}

[[noreturn]] void ablehnen(Ablehnung::Grund g, int position, const QString& text) {
    Ablehnung a;
    a.grund = g;
    a.position = position;
    a.text = text;
    throw AbfrageAbgelehnt(a);
}

} // namespace

LeseAbfrage::LeseAbfrage(Database& db, const QStringList& tabellen, const QString& sql,
                         const QVariantList& params) {
    for (const QString& t : tabellen)
        if (!db.tableExists(t))
            throw EngineError(code::NoSuchTable, QStringLiteral("Tabelle %1 fehlt").arg(t), t);
    // The engine attaches a table file the first time a statement names it; these are all we need.
    db.resolveQuery(tabellen.join(QLatin1Char(' ')));
    sqlite3* q = db.queryConnection();
    const QByteArray u = sql.toUtf8();
    Verbote verbote;
    sqlite3_set_authorizer(q, pruefer, &verbote);
    const char* rest = nullptr;
    const int rc = sqlite3_prepare_v2(q, u.constData(), int(u.size()), &m_st, &rest);
    const int offset = rc == SQLITE_OK ? -1 : sqlite3_error_offset(q);
    const QString meldung = QString::fromUtf8(sqlite3_errmsg(q));
    // What follows the first statement must be blanks or comments: preparing it yields no statement.
    bool weitere = false;
    int weiterePos = -1;
    if (rc == SQLITE_OK && rest && *rest) {
        sqlite3_stmt* zweite = nullptr;
        const char* r2 = nullptr;
        const int rc2 = sqlite3_prepare_v2(q, rest, -1, &zweite, &r2);
        weitere = rc2 != SQLITE_OK || zweite != nullptr;
        weiterePos = zeichenPosition(u, int(rest - u.constData()));
        sqlite3_finalize(zweite);
    }
    sqlite3_set_authorizer(q, nullptr, nullptr);
    if (verbote.anhaengen || verbote.pragma || verbote.transaktion) {
        sqlite3_finalize(m_st);
        m_st = nullptr;
        ablehnen(verbote.anhaengen ? Ablehnung::Anhaengen
                 : verbote.pragma  ? Ablehnung::Pragma
                                   : Ablehnung::Transaktion,
                 -1, meldung);
    }
    if (rc != SQLITE_OK) ablehnen(Ablehnung::Syntax, zeichenPosition(u, offset), meldung);
    if (weitere) {
        sqlite3_finalize(m_st);
        m_st = nullptr;
        ablehnen(Ablehnung::MehrereAnweisungen, weiterePos, QString());
    }
    if (!m_st) ablehnen(Ablehnung::Syntax, 0, QStringLiteral("empty statement"));
    if (!sqlite3_stmt_readonly(m_st)) {
        sqlite3_finalize(m_st);
        m_st = nullptr;
        ablehnen(Ablehnung::Schreibend, -1, QString());
    }
    bindParams(m_st, params);
}

LeseAbfrage::~LeseAbfrage() {
    sqlite3_finalize(m_st);
}

bool LeseAbfrage::next() {
    const int rc = sqlite3_step(m_st);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    throw EngineError(code::SqlError, QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(m_st))), {}, rc);
}

int LeseAbfrage::columnCount() const {
    return sqlite3_column_count(m_st);
}

QVariant LeseAbfrage::value(int i) const {
    switch (sqlite3_column_type(m_st, i)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(m_st, i)));
    case SQLITE_FLOAT:
        return sqlite3_column_double(m_st, i);
    case SQLITE_TEXT:
        return columnValue(m_st, i, FieldType::Text);
    case SQLITE_BLOB:
        return columnValue(m_st, i, FieldType::Picture);
    default:
        return {};
    }
}

qint64 LeseAbfrage::ganzzahl(int i) const {
    return sqlite3_column_int64(m_st, i);
}

} // namespace velmora::store
