// Rebuilding a table whose damage the engine cannot drop: every readable row goes into a fresh file
// built from the catalogue, which then replaces the old one; the old file stays beside it.

#include "store/catalogue.h"
#include "store/startup.h"
#include "store/tablefile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <filesystem>
#include <limits>
#include <utility>
#include <vector>

namespace velmora::store {

namespace {

class Anweisung {
public:
    Anweisung(sqlite3* h, const QString& sql) {
        const QByteArray u = sql.toUtf8();
        m_rc = sqlite3_prepare_v2(h, u.constData(), int(u.size()), &m_st, nullptr);
    }
    ~Anweisung() { sqlite3_finalize(m_st); }
    Anweisung(const Anweisung&) = delete;
    Anweisung& operator=(const Anweisung&) = delete;
    bool ok() const { return m_rc == SQLITE_OK; }
    sqlite3_stmt* operator*() const { return m_st; }

private:
    sqlite3_stmt* m_st = nullptr;
    int m_rc = SQLITE_OK;
};

bool ausfuehren(sqlite3* h, const QString& sql) {
    return sqlite3_exec(h, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

// True when a walk of the old rows can start after `nach`: the way down to that place is readable.
bool lesbarAb(sqlite3_stmt* suche, qint64 nach) {
    sqlite3_reset(suche);
    sqlite3_bind_int64(suche, 1, nach);
    const int rc = sqlite3_step(suche);
    return rc == SQLITE_ROW || rc == SQLITE_DONE;
}

struct Luecke {
    qint64 von;
    qint64 bis;
};

} // namespace

bool tabelleUmkopieren(Database& db, const QString& tabelle, const StartBericht& bericht) {
    const QString n = Database::normalName(tabelle);
    const TableDef* katalog = catalogueTable(n);
    if (!katalog || db.openCursorCount(n) > 0) return false;
    const QString altPfad = db.filePath(n);
    if (!QFileInfo::exists(altPfad)) return false;
    db.file(n)->closeHandle();

    // The fresh file carries the catalogue's fields and the indexes a rebuild builds.
    TableDef def = *katalog;
    def.indexes.removeIf([](const IndexDef& ix) { return !ix.rebuilt; });
    QTemporaryDir arbeit(QDir(db.directory()).filePath(QStringLiteral(".reparatur-XXXXXX")));
    if (!arbeit.isValid()) return false;
    {
        Database neu(arbeit.path());
        neu.createTable(def);
    }
    const QString neuPfad = QDir(arbeit.path()).filePath(n + QStringLiteral(".db"));

    sqlite3* h = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(neuPfad).constData(), &h, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
        sqlite3_close_v2(h);
        return false;
    }
    registerCollations(h);
    QList<Luecke> luecken;
    bool fertig = false;
    {
        Anweisung anhaengen(h, QStringLiteral("ATTACH DATABASE ? AS alt"));
        const QByteArray p = QFile::encodeName(altPfad);
        sqlite3_bind_text(*anhaengen, 1, p.constData(), -1, SQLITE_TRANSIENT);
        if (sqlite3_step(*anhaengen) != SQLITE_DONE) {
            sqlite3_close_v2(h);
            return false;
        }
    }
    // Rows travel as stored: a file of an older format makes a copy of that format, upgraded when opened.
    if (const int format = fileFormat(h, "alt"); format < kFileFormat) setFileFormat(h, "main", format);
    // The columns both layouts share; the record number travels as the row's own number.
    QStringList spalten;
    {
        Anweisung info(h, QStringLiteral("PRAGMA alt.table_info(%1)").arg(quoteIdent(n)));
        QStringList alt;
        while (info.ok() && sqlite3_step(*info) == SQLITE_ROW)
            alt << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(*info, 1))).toLower();
        bool zaehler = true; // the first counter is the row's own number and travels as such
        for (const FieldDef& f : def.fields) {
            if (f.type == FieldType::Auto && std::exchange(zaehler, false)) continue;
            if (alt.contains(f.name.toLower())) spalten << quoteIdent(f.name);
        }
    }
    if (spalten.isEmpty()) spalten << QStringLiteral("rowid"); // nothing but the number is shared
    const QString liste = spalten.join(QStringLiteral(", "));
    bool schreibfehler = false;
    {
        Anweisung lesen(
            h, QStringLiteral("SELECT rowid, %1 FROM alt.%2 NOT INDEXED WHERE rowid > ?1 ORDER BY rowid")
                   .arg(liste, quoteIdent(n)));
        Anweisung suche(
            h, QStringLiteral("SELECT rowid FROM alt.%1 NOT INDEXED WHERE rowid > ?1 ORDER BY rowid LIMIT 1")
                   .arg(quoteIdent(n)));
        QString platz = QStringLiteral("?1");
        for (int i = 0; i < spalten.size(); ++i)
            platz += QStringLiteral(", ?%1").arg(i + 2);
        Anweisung schreiben(
            h,
            QStringLiteral("INSERT INTO main.%1 (rowid, %2) VALUES (%3)").arg(quoteIdent(n), liste, platz));
        // Rows are read outside any write: an error while reading the old file may end the connection's
        // transaction, which must not take rows already copied with it.
        std::vector<std::vector<sqlite3_value*>> puffer;
        auto freigeben = [&puffer] {
            for (auto& z : puffer)
                for (sqlite3_value* v : z)
                    sqlite3_value_free(v);
            puffer.clear();
        };
        auto wegschreiben = [&]() -> bool {
            if (puffer.empty()) return true;
            bool ok = ausfuehren(h, QStringLiteral("BEGIN"));
            for (const auto& z : puffer) {
                if (!ok) break;
                sqlite3_reset(*schreiben);
                for (int i = 0; i < int(z.size()); ++i)
                    sqlite3_bind_value(*schreiben, i + 1, z[i]);
                ok = sqlite3_step(*schreiben) == SQLITE_DONE;
            }
            sqlite3_reset(*schreiben);
            ok = ok && ausfuehren(h, QStringLiteral("COMMIT"));
            if (!ok) ausfuehren(h, QStringLiteral("ROLLBACK"));
            freigeben();
            return ok;
        };
        if (lesen.ok() && suche.ok() && schreiben.ok()) {
            qint64 letzte = std::numeric_limits<qint64>::min();
            const int anzahl = int(spalten.size()) + 1;
            constexpr size_t kBlock = 2000;
            while (true) {
                sqlite3_reset(*lesen);
                sqlite3_bind_int64(*lesen, 1, letzte);
                int rc;
                while ((rc = sqlite3_step(*lesen)) == SQLITE_ROW) {
                    std::vector<sqlite3_value*> z(static_cast<size_t>(anzahl));
                    for (int i = 0; i < anzahl; ++i)
                        z[size_t(i)] = sqlite3_value_dup(sqlite3_column_value(*lesen, i));
                    puffer.push_back(std::move(z));
                    letzte = sqlite3_column_int64(*lesen, 0);
                    if (puffer.size() >= kBlock) break;
                }
                sqlite3_reset(*lesen);
                if (!wegschreiben()) {
                    schreibfehler = true; // the fresh file cannot take a row: nothing is replaced
                    break;
                }
                if (rc == SQLITE_ROW) continue; // the block is full: read on
                if (rc == SQLITE_DONE) {
                    fertig = true;
                    break;
                }
                // A damaged stretch: the first place after it from which the walk reads again, found by
                // doubling the step and then halving the distance back.
                const qint64 start = letzte == std::numeric_limits<qint64>::min() ? 0 : letzte;
                qint64 schlecht = start, gut = -1;
                for (qint64 schritt = 1; schritt < (qint64(1) << 62); schritt *= 2)
                    if (lesbarAb(*suche, start + schritt)) {
                        gut = start + schritt;
                        break;
                    } else {
                        schlecht = start + schritt;
                    }
                if (gut < 0) {
                    luecken << Luecke{start + 1, std::numeric_limits<qint64>::max()};
                    fertig = true;
                    break;
                }
                while (gut - schlecht > 1) {
                    const qint64 mitte = schlecht + (gut - schlecht) / 2;
                    (lesbarAb(*suche, mitte) ? gut : schlecht) = mitte;
                }
                luecken << Luecke{start + 1, gut};
                letzte = gut;
            }
        }
        freigeben();
    }
    // The next record number continues after every number the old table ever gave, plus the one the
    // write test of a rebuild uses.
    if (fertig) {
        Anweisung folge(h, QStringLiteral("SELECT seq FROM alt.sqlite_sequence WHERE name = ?1"));
        qint64 seq = 0;
        if (folge.ok()) {
            const QByteArray nu = n.toUtf8();
            sqlite3_bind_text(*folge, 1, nu.constData(), -1, SQLITE_TRANSIENT);
            if (sqlite3_step(*folge) == SQLITE_ROW) seq = sqlite3_column_int64(*folge, 0);
        }
        Anweisung hoechste(h, QStringLiteral("SELECT max(rowid) FROM main.%1").arg(quoteIdent(n)));
        if (hoechste.ok() && sqlite3_step(*hoechste) == SQLITE_ROW)
            seq = std::max(seq, sqlite3_column_int64(*hoechste, 0));
        bool hatZaehler = false;
        for (const FieldDef& f : def.fields)
            if (f.type == FieldType::Auto) hatZaehler = true;
        if (hatZaehler) {
            ausfuehren(h, QStringLiteral("DELETE FROM main.sqlite_sequence WHERE name = '%1'").arg(n));
            ausfuehren(h, QStringLiteral("INSERT INTO main.sqlite_sequence (name, seq) VALUES ('%1', %2)")
                              .arg(n)
                              .arg(seq + 1));
        }
    }
    // How many rows each gap held, counted along any index of the old table that still reads.
    QStringList verloren;
    for (const Luecke& l : std::as_const(luecken)) {
        qint64 zahl = -1;
        Anweisung indizes(
            h, QStringLiteral("SELECT name FROM alt.sqlite_master WHERE type = 'index' AND tbl_name = ?1"));
        const QByteArray nu = n.toUtf8();
        if (indizes.ok()) sqlite3_bind_text(*indizes, 1, nu.constData(), -1, SQLITE_TRANSIENT);
        while (zahl < 0 && indizes.ok() && sqlite3_step(*indizes) == SQLITE_ROW) {
            const QString ix =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(*indizes, 0)));
            Anweisung zaehlen(
                h, QStringLiteral("SELECT count(*) FROM alt.%1 INDEXED BY %2 WHERE rowid BETWEEN ?1 AND ?2")
                       .arg(quoteIdent(n), quoteIdent(ix)));
            if (!zaehlen.ok()) continue;
            sqlite3_bind_int64(*zaehlen, 1, l.von);
            sqlite3_bind_int64(*zaehlen, 2, l.bis);
            if (sqlite3_step(*zaehlen) == SQLITE_ROW) zahl = sqlite3_column_int64(*zaehlen, 0);
        }
        const QString bis =
            l.bis == std::numeric_limits<qint64>::max() ? QStringLiteral("Ende") : QString::number(l.bis);
        verloren
            << (zahl >= 0
                    ? QStringLiteral("%1 Datensätze mit den Nummern %2 bis %3").arg(zahl).arg(l.von).arg(bis)
                    : QStringLiteral("die Datensätze mit den Nummern %1 bis %2").arg(l.von).arg(bis));
    }
    const bool geschrieben = fertig && !schreibfehler;
    ausfuehren(h, QStringLiteral("DETACH DATABASE alt"));
    sqlite3_close_v2(h);
    if (!geschrieben) return false;

    // The old file stays beside the new one under a name no rebuild clears away.
    const QString behalten = altPfad + QStringLiteral("-beschaedigt-") +
                             QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QFile::remove(behalten);
    if (!QFile::copy(altPfad, behalten)) return false;
    // A journal left by the old file would be played into the new one.
    const QString journal = altPfad + QStringLiteral("-journal");
    if (QFileInfo::exists(journal) && !QFile::rename(journal, behalten + QStringLiteral("-journal")))
        return false;
    std::error_code fehler;
    std::filesystem::rename(std::filesystem::path(QFile::encodeName(neuPfad).toStdString()),
                            std::filesystem::path(QFile::encodeName(altPfad).toStdString()), fehler);
    if (fehler) return false;

    if (!verloren.isEmpty() && bericht.fehler)
        bericht.fehler(
            EngineError(code::TableDamaged,
                        QStringLiteral(
                            "%1: nicht lesbar und nicht übernommen: %2; die alte Datei liegt als %3 daneben")
                            .arg(n, verloren.join(QStringLiteral("; ")), QFileInfo(behalten).fileName()),
                        n),
            n + QStringLiteral(".db"));
    return true;
}

} // namespace velmora::store
