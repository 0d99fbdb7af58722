#include "store/anlegen.h"

#include "store/money.h"

#include "store/catalogue.h"
#include "store/database.h"
#include "store/startup.h"
#include "store/table.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

namespace velmora::store {

namespace {

QString unescape(const QString& cell) {
    if (!cell.contains(QLatin1Char('\\'))) return cell;
    QString out;
    out.reserve(cell.size());
    for (int i = 0; i < cell.size(); ++i) {
        if (cell[i] == QLatin1Char('\\') && i + 1 < cell.size()) {
            const QChar n = cell[++i];
            if (n == QLatin1Char('t'))
                out += QLatin1Char('\t');
            else if (n == QLatin1Char('n'))
                out += QLatin1Char('\n');
            else
                out += n;
        } else {
            out += cell[i];
        }
    }
    return out;
}

QVariant convert(const QString& text, FieldType type, bool* ok) {
    *ok = true;
    if (text.isEmpty()) return {};
    switch (type) {
    case FieldType::Auto:
    case FieldType::Int:
    case FieldType::Short:
        return text.toInt(ok);
    case FieldType::Bool:
        return text != QLatin1String("0");
    case FieldType::Float:
        return text.toDouble(ok);
    case FieldType::Money: {
        const auto m = Money::parse(text);
        *ok = m.has_value();
        return m ? QVariant::fromValue(*m) : QVariant();
    }
    case FieldType::Date: {
        const QDate d = QDate::fromString(text, Qt::ISODate);
        *ok = d.isValid();
        return d;
    }
    case FieldType::DateTime: {
        const QDateTime d = QDateTime::fromString(text, Qt::ISODate);
        *ok = d.isValid();
        return d;
    }
    case FieldType::Picture:
        return QByteArray::fromBase64(text.toLatin1());
    default:
        return text;
    }
}

void loadFile(Database& db, const QString& path, const QString& table) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw DatabaseError(QStringLiteral("%1 kann nicht gelesen werden").arg(path));
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    Table t(db, table);
    t.open(Table::OpenMode::Exclusive);
    Transaction tx(db, table);
    QVector<int> columns;
    bool header = true;
    for (int ln = 0; ln < lines.size(); ++ln) {
        QString line = lines[ln];
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        if (line.startsWith(QLatin1Char('#')) || line.isEmpty()) continue;
        const QStringList cells = line.split(QLatin1Char('\t'));
        const QString where = QStringLiteral("%1:%2").arg(QFileInfo(path).fileName()).arg(ln + 1);
        if (header) {
            for (const QString& name : cells) {
                const int i = t.fieldIndex(name.trimmed());
                if (i < 0)
                    throw DatabaseError(
                        QStringLiteral("%1: Feld %2 gibt es in %3 nicht").arg(where, name, table));
                columns << i;
            }
            header = false;
            continue;
        }
        if (cells.size() > columns.size())
            throw DatabaseError(QStringLiteral("%1: %2 Spalten, der Kopf nennt %3")
                                    .arg(where)
                                    .arg(cells.size())
                                    .arg(columns.size()));
        t.append();
        for (int c = 0; c < cells.size(); ++c) {
            bool ok = true;
            const QVariant v = convert(unescape(cells[c]), t.fieldDef(columns[c]).type, &ok);
            if (!ok) {
                // The half-filled row must not be posted when the table closes on the way out.
                t.cancel();
                throw DatabaseError(QStringLiteral("%1: ungültiger Wert \"%2\"").arg(where, cells[c]));
            }
            t.setValue(columns[c], v);
        }
        try {
            t.post();
        } catch (const EngineError& e) {
            t.cancel();
            throw DatabaseError(QStringLiteral("%1: %2").arg(where, e.message()));
        }
    }
    tx.commit();
    t.close();
}

} // namespace

void ladeDatendateien(Database& db, const QString& quelle, const std::function<bool(const QString&)>& auswahl) {
    const QDir dir(quelle);
    QStringList files = dir.entryList({QStringLiteral("*.tsv")}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        const QString table = file.section(QLatin1Char('.'), 0, 0).toLower();
        if (!catalogueTable(table))
            throw DatabaseError(QStringLiteral("%1: keine Tabelle %2").arg(file, table));
        if (auswahl && !auswahl(table)) continue;
        loadFile(db, dir.filePath(file), table);
    }
}

void legeDatenverzeichnisAn(const QString& dir, const QString& quelle) {
    if (QFileInfo::exists(Database::tableFilePath(dir, QStringLiteral("catstamm"))))
        throw DatabaseError(QStringLiteral("%1 enthält bereits eine Tierdatenbank (catstamm.db)").arg(dir));
    if (!QDir().mkpath(dir)) throw DatabaseError(QStringLiteral("%1 kann nicht angelegt werden").arg(dir));
    Database db(dir);
    for (const TableDef& def : catalogue())
        if (!db.tableExists(def.name)) db.createTable(def);
    ladeDatendateien(db, quelle);
    // The records start-up would write on a first run belong to a delivered directory too.
    fuelleTopkatzen(db);
    saeMerkmale(db);
}

QString installierterOrdner(const QString& programmVerzeichnis) {
    const QString ordner = QDir::cleanPath(programmVerzeichnis + QStringLiteral("/../share/velmora"));
    return QFileInfo(ordner + QStringLiteral("/data/sprache.tsv")).isFile() ? ordner : QString();
}

QString standardDatenquelle() {
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/data");
    if (QDir(beside).exists()) return beside;
    // An installed tool never falls back to the folder it was built from.
    const QString installiert = installierterOrdner(QCoreApplication::applicationDirPath());
    if (!installiert.isEmpty()) return installiert + QStringLiteral("/data");
#ifdef VELMORA_DEFAULT_DATA
    return QStringLiteral(VELMORA_DEFAULT_DATA);
#else
    return beside;
#endif
}

} // namespace velmora::store
