#pragma once
// Table, field and index descriptions shared by the engine and the catalogue.

#include <QList>
#include <QString>
#include <QStringList>

namespace velmora::store {

// Storage in SQLite (one file per table, the table inside named in lower case):
//   Auto            INTEGER, the rowid alias (INTEGER PRIMARY KEY AUTOINCREMENT): numbers are never reused
//   Int, Short      INTEGER (Short is range-checked to 16 bits)
//   Text n          TEXT in UTF-8, length checked in characters at post
//   Date            TEXT "YYYY-MM-DD" (sorts and compares correctly in SQL, readable with any tool)
//   DateTime        TEXT "YYYY-MM-DDTHH:MM:SS.zzz"
//   Bool            INTEGER 0/1
//   Float           REAL
//   Money           INTEGER, a count of 1/10000 of the currency unit (declared MONEY), so sums are exact
//   Memo            TEXT
//   Picture         BLOB
// An empty field is stored as NULL (an empty text too), so "empty" has one meaning everywhere.
enum class FieldType { Auto, Int, Short, Text, Date, DateTime, Bool, Float, Money, Memo, Picture };

QString fieldTypeName(FieldType t);                  // "Auto", "Int", ... "Text"
bool fieldTypeFromName(const QString& s, FieldType* t); // inverse of fieldTypeName, case ignored

struct FieldDef {
    QString name;
    FieldType type = FieldType::Int;
    int size = 0; // characters for Text, 0 otherwise
    bool required = false;
};

struct IndexDef {
    QString name;       // empty: the primary key
    QStringList fields; // in key order
    bool unique = false; // the primary key is always unique
    bool descending = false;
    bool caseSensitive = false; // text keys: case-sensitive collation instead of the case-blind one
    // False for indexes that start-up adds by the ensure-index step but the index rebuild does not build.
    bool rebuilt = true;

    bool isPrimary() const { return name.isEmpty(); }
    // Field lists equal without regard to case.
    bool sameFields(const QStringList& other) const;
};

struct TableDef {
    QString name; // as the system spells it; the file is name.toLower() + ".db"
    QList<FieldDef> fields;
    QList<IndexDef> indexes; // the primary key (empty name) first when there is one
    bool caseSensitive = false; // default collation of the table's text keys

    const FieldDef* field(const QString& name) const; // case ignored
    const IndexDef* index(const QString& name) const; // case ignored; "" = primary key
    const IndexDef* primaryKey() const { return index(QString()); }
};

// "A;B;C" -> {"A","B","C"}
QStringList splitFields(const QString& list);

} // namespace velmora::store
