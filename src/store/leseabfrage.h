#pragma once
// A statement written (or edited) by the user, run strictly read-only over named tables of the data
// directory. Before anything runs, the text is prepared and refused when it holds more than one
// statement, when SQLite's own test says the statement would write, or when it would attach or detach
// a database, read or change a pragma or steer a transaction. A syntax error names its position.

#include "store/database.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

struct sqlite3_stmt;

namespace velmora::store {

struct Ablehnung {
    enum Grund { Syntax, MehrereAnweisungen, Schreibend, Anhaengen, Pragma, Transaktion };
    Grund grund = Syntax;
    int position = -1; // character index into the text where SQLite stopped; -1 when it does not say
    QString text;      // SQLite's own words
};

class AbfrageAbgelehnt : public std::exception {
public:
    explicit AbfrageAbgelehnt(Ablehnung a) : ablehnung(std::move(a)), m_was(ablehnung.text.toUtf8()) {}
    const char* what() const noexcept override { return m_was.constData(); }
    Ablehnung ablehnung;

private:
    QByteArray m_was;
};

class LeseAbfrage {
public:
    // The tables are attached under their plain names, so the text refers to them as "catstamm" etc.;
    // the text is used exactly as given. Throws AbfrageAbgelehnt, or DatabaseError for a missing table.
    LeseAbfrage(Database& db, const QStringList& tabellen, const QString& sql,
                const QVariantList& params = {});
    ~LeseAbfrage();
    LeseAbfrage(const LeseAbfrage&) = delete;
    LeseAbfrage& operator=(const LeseAbfrage&) = delete;

    bool next(); // false at the end; a failing step throws DatabaseError
    int columnCount() const;
    QVariant value(int i) const;
    qint64 ganzzahl(int i) const; // 0 for NULL

private:
    sqlite3_stmt* m_st = nullptr;
};

} // namespace velmora::store
