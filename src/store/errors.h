#pragma once
// Errors of the table engine.
//
// A DatabaseError carries a message only; an EngineError (a DatabaseError too) carries entries of
// (code, native code, message). The codes follow the classic keyed-table engine so that the error
// dialog and the repair rules work on them; SQLite's result code travels as the native code.
//
//   9729  KeyViolation      a unique index (or the primary key) already holds the key
//   9731  ValueTooLong      a Text field longer than its size, a Short out of range
//   9732  RequiredField     a required field is empty at post
//   9997  IndexMissing      an index named by the caller does not exist / cannot be used
//  10024  NoSuchTable       the table file does not exist
//  10241  TableLocked       the table is held exclusively, or exclusive access was refused
//  10261  ReadOnly          a write through a cursor opened read-only
//  11010  NotOpen           an operation on a closed cursor or with no current record
//  11011  InvalidState      edit/post/cancel called in the wrong state
//  12033  TableDamaged      the file is not a readable table (SQLITE_NOTADB, SQLITE_CORRUPT outside an index)
//  12034  IndexDamaged      an index of the table is damaged or does not match its definition
//  13059  SqlError          local SQL that cannot be prepared or run
//  13060  NoSuchField       a field name that the table does not have

#include <QList>
#include <QString>
#include <exception>

namespace velmora::store {

namespace code {
constexpr int KeyViolation = 9729;
constexpr int ValueTooLong = 9731;
constexpr int RequiredField = 9732;
constexpr int IndexMissing = 9997;
constexpr int NoSuchTable = 10024;
constexpr int TableLocked = 10241;
constexpr int ReadOnly = 10261;
constexpr int NotOpen = 11010;
constexpr int InvalidState = 11011;
constexpr int TableDamaged = 12033;
constexpr int IndexDamaged = 12034;
constexpr int SqlError = 13059;
constexpr int NoSuchField = 13060;
} // namespace code

class DatabaseError : public std::exception {
public:
    explicit DatabaseError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

protected:
    QString m_message;
    QByteArray m_utf8;
};

struct ErrorEntry {
    int code = 0;
    int nativeCode = 0;
    QString message;
};

class EngineError : public DatabaseError {
public:
    EngineError(int code, QString message, QString table = {}, int nativeCode = 0)
        : DatabaseError(message), m_table(std::move(table)) {
        m_entries.append({code, nativeCode, m_message});
    }
    EngineError(QList<ErrorEntry> entries, QString table)
        : DatabaseError(entries.isEmpty() ? QString() : entries.first().message), m_entries(std::move(entries)),
          m_table(std::move(table)) {}

    const QList<ErrorEntry>& entries() const { return m_entries; }
    int code() const { return m_entries.isEmpty() ? 0 : m_entries.first().code; }
    const QString& table() const { return m_table; }
    void addEntry(ErrorEntry e) { m_entries.append(std::move(e)); }

private:
    QList<ErrorEntry> m_entries;
    QString m_table;
};

// A silent end of an operation: a check before a post refused it (after asking the user). The post is
// not written and whatever caused it (a move, closing) stops; callers show no message for it.
class Abbruch : public std::exception {
public:
    const char* what() const noexcept override { return "abgebrochen"; }
};

} // namespace velmora::store
