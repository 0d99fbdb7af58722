#include "store/sicherung.h"

#include "store/database.h"
#include "store/sperre.h"
#include "store/tablefile.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

namespace velmora::store {

namespace {

const QString kMarke = QStringLiteral("velmora-ruecksicherung");

struct Verbindung {
    sqlite3* h = nullptr;
    ~Verbindung() { sqlite3_close_v2(h); }
    bool oeffnen(const QString& pfad, int flags) {
        const int rc = sqlite3_open_v2(QFile::encodeName(pfad).constData(), &h, flags, nullptr);
        if (rc != SQLITE_OK) return false;
        registerCollations(h);
        sqlite3_busy_timeout(h, 10000);
        return true;
    }
    QString fehler() const { return QString::fromUtf8(h ? sqlite3_errmsg(h) : "out of memory"); }
    bool exec(const char* sql) { return sqlite3_exec(h, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }
};

// Rows of every table in the file; false when a count fails.
bool zeilen(sqlite3* h, QMap<QString, qint64>* ergebnis) {
    QStringList tabellen;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(h, "SELECT name FROM sqlite_master WHERE type = 'table'", -1, &st, nullptr) !=
        SQLITE_OK)
        return false;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        tabellen << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE) return false;
    for (const QString& t : std::as_const(tabellen)) {
        const QByteArray sql = (QStringLiteral("SELECT count(*) FROM ") + quoteIdent(t)).toUtf8();
        if (sqlite3_prepare_v2(h, sql.constData(), -1, &st, nullptr) != SQLITE_OK) return false;
        const bool ok = sqlite3_step(st) == SQLITE_ROW;
        if (ok) (*ergebnis)[t] = sqlite3_column_int64(st, 0);
        sqlite3_finalize(st);
        if (!ok) return false;
    }
    return true;
}

// Copies one file without overwriting; empty when done, else what went wrong.
QString kopieren(const QString& von, const QString& nach) {
    const QFileInfo q(von);
    if (q.isDir()) return QStringLiteral("%1 ist ein Verzeichnis").arg(q.fileName());
    if (QFileInfo::exists(nach) || QFileInfo(nach).isSymLink())
        return QStringLiteral("%1 existiert bereits im Ziel").arg(q.fileName());
    QFile datei(von);
    if (!datei.copy(nach)) return datei.errorString();
    if (QFileInfo(nach).size() != q.size()) {
        QFile::remove(nach);
        return QStringLiteral("%1 wurde unvollständig kopiert").arg(q.fileName());
    }
    return {};
}

// A table file as one consistent snapshot: the rows are counted and the pages copied inside one read
// transaction, so a writer on another connection can neither split the copy nor the count. The copy is
// written under a working name and takes the table's name only after its check.
QString schnappschuss(const QString& von, const QString& nach) {
    if (QFileInfo::exists(nach)) return QStringLiteral("%1 existiert bereits im Ziel").arg(QFileInfo(von).fileName());
    const QString teil = QFileInfo(nach).dir().filePath(QStringLiteral(".") + QFileInfo(nach).fileName() +
                                                        QStringLiteral(".teil"));
    QFile::remove(teil);
    QMap<QString, qint64> quellZeilen;
    {
        Verbindung q;
        if (!q.oeffnen(von, SQLITE_OPEN_READWRITE)) return q.fehler();
        if (!q.exec("BEGIN")) return q.fehler();
        if (!zeilen(q.h, &quellZeilen)) {
            const QString f = q.fehler();
            q.exec("ROLLBACK");
            return f;
        }
        Verbindung z;
        if (!z.oeffnen(teil, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) return z.fehler();
        sqlite3_backup* b = sqlite3_backup_init(z.h, "main", q.h, "main");
        if (!b) return z.fehler();
        const int rc = sqlite3_backup_step(b, -1);
        sqlite3_backup_finish(b);
        q.exec("COMMIT");
        if (rc != SQLITE_DONE) {
            const QString f = QString::fromUtf8(sqlite3_errstr(rc));
            sqlite3_close_v2(z.h);
            z.h = nullptr;
            QFile::remove(teil);
            return f;
        }
    }
    QString befund = tabellenDateiPruefen(teil);
    if (befund.isEmpty()) {
        Verbindung z;
        QMap<QString, qint64> kopieZeilen;
        if (!z.oeffnen(teil, SQLITE_OPEN_READONLY) || !zeilen(z.h, &kopieZeilen))
            befund = z.fehler();
        else if (kopieZeilen != quellZeilen)
            befund = QStringLiteral("die Kopie hat nicht dieselben Datensätze wie das Original");
    }
    if (befund.isEmpty() && !QFile::rename(teil, nach))
        befund = QStringLiteral("%1 kann nicht angelegt werden").arg(QFileInfo(nach).fileName());
    if (!befund.isEmpty()) QFile::remove(teil);
    return befund;
}

void melden(const Steuerung& s, Fortschritt::Aktion a, int nummer, int gesamt, const QString& datei) {
    if (s.fortschritt) s.fortschritt(Fortschritt{a, nummer, gesamt, datei});
}

void fehlerMelden(const Steuerung& s, QList<DateiFehler>& liste, DateiFehler f) {
    if (s.fehler) s.fehler(f);
    liste << std::move(f);
}

QStringList dateien(const QString& verzeichnis) {
    QStringList r;
    const QDir d(verzeichnis);
    for (const QString& e : eintraege(verzeichnis, true))
        if (!QFileInfo(d.filePath(e)).isDir()) r << e;
    return r;
}

// Deletes the restore's files of `daten` and copies the safety copy's in; false with `fehler` filled when
// any step failed.
bool zurueckholen(const QString& daten, const QString& sicherheit, const Steuerung& s,
                  QList<DateiFehler>& fehler) {
    const QDir d(daten), sd(sicherheit);
    const QStringList weg = dateien(daten);
    bool ok = true;
    int i = 0;
    for (const QString& e : weg) {
        melden(s, Fortschritt::Aktion::Loesche, ++i, int(weg.size()), e);
        if (!QFile::remove(d.filePath(e))) {
            fehlerMelden(s, fehler, {DateiFehler::Art::Loeschen, e, QStringLiteral("nicht löschbar")});
            ok = false;
        }
    }
    const QStringList zurueck = dateien(sicherheit);
    i = 0;
    for (const QString& e : zurueck) {
        melden(s, Fortschritt::Aktion::Kopiere, ++i, int(zurueck.size()), e);
        const QString f = kopieren(sd.filePath(e), d.filePath(e));
        if (!f.isEmpty()) {
            fehlerMelden(s, fehler, {DateiFehler::Art::Kopieren, e, f});
            ok = false;
        }
    }
    return ok;
}

QString markeLesen(const QString& daten) {
    QFile f(ruecksicherungsMarke(daten));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readLine()).trimmed();
}

} // namespace

namespace {
// A name with a "." in it, except the program's lock file and a snapshot's working file.
bool grundEintrag(const QString& name) {
    if (name == QLatin1String(".") || name == QLatin1String("..") || !name.contains(QLatin1Char('.')))
        return false;
    const QString l = name.toLower();
    if (l.startsWith(QFileInfo(Installationssperre::dateiName(QStringLiteral("."))).fileName())) return false;
    return !(l.startsWith(QLatin1Char('.')) && l.endsWith(QLatin1String(".teil")));
}
} // namespace

bool sicherungsEintrag(const QString& name) {
    if (!grundEintrag(name)) return false;
    const QString l = name.toLower();
    for (const char* j : {"-journal", "-wal", "-shm"})
        if (l.endsWith(QLatin1String(j))) return false;
    return true;
}

// A journal left in the data directory belongs to its table file: it goes into the safety copy with it
// and is deleted with it, so it is never played into a restored file.
bool ruecksicherungsEintrag(const QString& name) {
    return grundEintrag(name) && !name.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive);
}

QStringList eintraege(const QString& verzeichnis, bool ruecksicherung) {
    QStringList r;
    const QStringList alle =
        QDir(verzeichnis).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                    QDir::Unsorted);
    for (const QString& e : alle)
        if (ruecksicherung ? ruecksicherungsEintrag(e) : sicherungsEintrag(e)) r << e;
    return r;
}

QString sicherheitsVerzeichnis(const QString& installationsVerzeichnis) {
    return QDir(installationsVerzeichnis).filePath(QStringLiteral("Datensik"));
}

bool istTabellenDatei(const QString& pfad) {
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly)) return false;
    return f.read(16) == QByteArray("SQLite format 3", 16);
}

QString tabellenDateiPruefen(const QString& pfad) {
    Verbindung v;
    if (!v.oeffnen(pfad, SQLITE_OPEN_READONLY)) return v.fehler();
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(v.h, "PRAGMA integrity_check", -1, &st, nullptr) != SQLITE_OK) return v.fehler();
    QStringList zeilen;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW && zeilen.size() < 10)
        zeilen << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    if (rc != SQLITE_DONE && rc != SQLITE_ROW) zeilen << v.fehler();
    sqlite3_finalize(st);
    if (zeilen == QStringList{QStringLiteral("ok")}) return {};
    return zeilen.join(QLatin1Char(' ')).simplified();
}

SicherungsErgebnis datenSichern(const QString& quelle, const QString& ziel, const Steuerung& s) {
    SicherungsErgebnis r;
    const QDir q(quelle), z(ziel);
    const QStringList liste = eintraege(quelle, false);
    int nummer = 0;
    for (const QString& e : liste) {
        if (s.abgebrochen()) {
            r.abgebrochen = true;
            break;
        }
        melden(s, Fortschritt::Aktion::Kopiere, ++nummer, int(liste.size()), e);
        const QString von = q.filePath(e), nach = z.filePath(e);
        const bool tabelle = e.endsWith(QLatin1String(".db"), Qt::CaseInsensitive) &&
                             QFileInfo(von).isFile() && istTabellenDatei(von);
        const QString f = tabelle ? schnappschuss(von, nach) : kopieren(von, nach);
        if (!f.isEmpty()) {
            fehlerMelden(s, r.fehler,
                         {tabelle && !QFileInfo::exists(nach) && !f.contains(QLatin1String("existiert"))
                              ? DateiFehler::Art::Pruefung
                              : DateiFehler::Art::Kopieren,
                          e, f});
            continue;
        }
        ++r.dateien;
        if (tabelle) ++r.tabellen;
    }
    return r;
}

SicherungsBefund sicherungPruefen(const QString& sicherung) {
    SicherungsBefund b;
    const QString katzen = Database::tableFilePath(sicherung, QStringLiteral("catstamm"));
    if (!QFileInfo(katzen).isFile()) {
        b.art = SicherungsBefund::Art::KeinSicherungsverzeichnis;
        b.datei = QFileInfo(katzen).fileName();
        b.text = QStringLiteral("keine Tierdatenbank");
        return b;
    }
    const QDir d(sicherung);
    for (const QString& e : dateien(sicherung)) {
        if (!e.endsWith(QLatin1String(".db"), Qt::CaseInsensitive)) continue;
        const QString pfad = d.filePath(e);
        // The cat table must be a table; other ".db" files may come from elsewhere and travel as they are.
        const bool katze = QFileInfo(pfad).fileName() == QFileInfo(katzen).fileName();
        QString befund;
        if (istTabellenDatei(pfad))
            befund = tabellenDateiPruefen(pfad);
        else if (katze)
            befund = QStringLiteral("keine Tabellendatei");
        if (!befund.isEmpty()) {
            b.art = SicherungsBefund::Art::Beschaedigt;
            b.datei = e;
            b.text = befund;
            return b;
        }
    }
    return b;
}

bool sicherungAelter(const QString& sicherung, const QString& daten) {
    const QFileInfo b(Database::tableFilePath(sicherung, QStringLiteral("catstamm")));
    const QFileInfo d(Database::tableFilePath(daten, QStringLiteral("catstamm")));
    return b.isFile() && d.isFile() && b.lastModified() < d.lastModified();
}

QString ruecksicherungsMarke(const QString& daten) { return QDir(daten).filePath(kMarke); }

RuecksicherungsErgebnis datenZuruecksichern(const QString& sicherung, const QString& daten,
                                            const QString& sicherheit, const Steuerung& s) {
    using Art = RuecksicherungsErgebnis::Art;
    RuecksicherungsErgebnis r;
    r.befund = sicherungPruefen(sicherung);
    if (r.befund.art != SicherungsBefund::Art::Ok) {
        r.art = Art::Ungeprueft;
        return r;
    }
    // A restore cut off earlier is undone first: its safety copy is the only complete register.
    if (QFileInfo::exists(ruecksicherungsMarke(daten))) {
        const Wiederherstellung w = unterbrocheneRuecksicherungBeheben(daten);
        if (w.art == Wiederherstellung::Art::Fehlgeschlagen) {
            r.art = Art::Unvollstaendig;
            r.fehler = w.fehler;
            return r;
        }
    }
    const QDir d(daten), b(sicherung), sd(sicherheit);
    const QStringList aktuell = dateien(daten), neu = dateien(sicherung);

    // The safety copy: any failure stops the restore before anything of the data directory is deleted.
    if (!QDir().mkpath(sicherheit)) {
        r.art = Art::SicherungFehlt;
        fehlerMelden(s, r.fehler,
                     {DateiFehler::Art::Kopieren, sicherheit, QStringLiteral("nicht anlegbar")});
        return r;
    }
    const QStringList alt = dateien(sicherheit);
    int i = 0;
    for (const QString& e : alt) {
        melden(s, Fortschritt::Aktion::Loesche, ++i, int(alt.size()), e);
        if (!QFile::remove(sd.filePath(e))) {
            r.art = Art::SicherungFehlt;
            fehlerMelden(s, r.fehler, {DateiFehler::Art::Loeschen, e, QStringLiteral("nicht löschbar")});
            return r;
        }
    }
    i = 0;
    for (const QString& e : aktuell) {
        if (s.abgebrochen()) {
            r.art = Art::Abgebrochen;
            return r;
        }
        melden(s, Fortschritt::Aktion::Kopiere, ++i, int(aktuell.size()), e);
        const QString f = kopieren(d.filePath(e), sd.filePath(e));
        if (!f.isEmpty()) {
            r.art = Art::SicherungFehlt;
            fehlerMelden(s, r.fehler, {DateiFehler::Art::Kopieren, e, f});
            return r;
        }
    }
    {
        QFile marke(ruecksicherungsMarke(daten));
        if (!marke.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            marke.write(QDir(sicherheit).absolutePath().toUtf8() + '\n') < 0 || !marke.flush()) {
            marke.close();
            marke.remove();
            r.art = Art::SicherungFehlt;
            fehlerMelden(s, r.fehler, {DateiFehler::Art::Kopieren, kMarke, marke.errorString()});
            return r;
        }
    }

    // From here on a failure or a cancel puts the safety copy back.
    auto zurueck = [&]() {
        QList<DateiFehler> f;
        if (zurueckholen(daten, sicherheit, s, f)) {
            QFile::remove(ruecksicherungsMarke(daten));
            r.art = Art::Zurueckgeholt;
        } else {
            r.art = Art::Unvollstaendig;
        }
        r.fehler << f;
        return r;
    };
    i = 0;
    for (const QString& e : aktuell) {
        if (s.abgebrochen()) return zurueck();
        melden(s, Fortschritt::Aktion::Loesche, ++i, int(aktuell.size()), e);
        if (!QFile::remove(d.filePath(e))) {
            fehlerMelden(s, r.fehler, {DateiFehler::Art::Loeschen, e, QStringLiteral("nicht löschbar")});
            return zurueck();
        }
    }
    i = 0;
    for (const QString& e : neu) {
        if (s.abgebrochen()) return zurueck();
        melden(s, Fortschritt::Aktion::Kopiere, ++i, int(neu.size()), e);
        const QString f = kopieren(b.filePath(e), d.filePath(e));
        if (!f.isEmpty()) {
            fehlerMelden(s, r.fehler, {DateiFehler::Art::Kopieren, e, f});
            return zurueck();
        }
        ++r.dateien;
    }
    QFile::remove(ruecksicherungsMarke(daten));
    return r;
}

Wiederherstellung unterbrocheneRuecksicherungBeheben(const QString& daten) {
    Wiederherstellung w;
    if (!QFileInfo::exists(ruecksicherungsMarke(daten))) return w;
    w.sicherheit = markeLesen(daten);
    if (w.sicherheit.isEmpty() || !QFileInfo(w.sicherheit).isDir()) {
        w.art = Wiederherstellung::Art::Fehlgeschlagen;
        w.fehler << DateiFehler{DateiFehler::Art::Kopieren, w.sicherheit,
                                QStringLiteral("das Sicherheitsverzeichnis fehlt")};
        return w;
    }
    if (zurueckholen(daten, w.sicherheit, {}, w.fehler) && QFile::remove(ruecksicherungsMarke(daten)))
        w.art = Wiederherstellung::Art::Zurueckgeholt;
    else
        w.art = Wiederherstellung::Art::Fehlgeschlagen;
    return w;
}

} // namespace velmora::store
