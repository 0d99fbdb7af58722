#include "store/uebernahme.h"

#include "store/anlegen.h"
#include "store/catalogue.h"
#include "store/codepage.h"
#include "store/database.h"
#include "store/paradox.h"
#include "store/startup.h"
#include "store/tablefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>

#include <cmath>
#include <limits>

namespace velmora::store {

namespace {

// The language tables hold the program's own captions and messages, numbered as this program numbers
// them: an earlier program's texts would put its captions on this program's windows.
bool programmTexte(const QString& tabelle) {
    return tabelle == QLatin1String("sprache") || tabelle == QLatin1String("sprmel");
}

// Money as the engine keeps it: whole ten-thousandths of the currency unit, so an amount read as a
// binary fraction (19.99 is not exact as a double) arrives as the amount the user entered.
QVariant geldWert(qint64 zehntausendstel) {
    return double(zehntausendstel) / 10000.0;
}

bool geldAusDouble(double d, qint64* z) {
    const double s = d * 10000.0;
    if (!std::isfinite(s) || std::fabs(s) > 9.0e17) return false;
    *z = std::llround(s);
    return true;
}

// "-123.4567" exactly; more than four decimals are rounded half away from zero.
bool geldAusText(const QString& t, qint64* z) {
    static const QRegularExpression re(QStringLiteral("^\\s*([-+]?)(\\d*)(?:[.,](\\d*))?\\s*$"));
    const auto m = re.match(t);
    if (!m.hasMatch() || (m.captured(2).isEmpty() && m.captured(3).isEmpty())) return false;
    const QString ganz = m.captured(2).isEmpty() ? QStringLiteral("0") : m.captured(2);
    QString bruch = m.captured(3);
    if (ganz.size() > 14) return false;
    const bool aufrunden = bruch.size() > 4 && bruch[4] >= QLatin1Char('5');
    bruch = bruch.left(4).leftJustified(4, QLatin1Char('0'));
    qint64 v = ganz.toLongLong() * 10000 + bruch.toLongLong() + (aufrunden ? 1 : 0);
    if (m.captured(1) == QLatin1String("-")) v = -v;
    *z = v;
    return true;
}

QDate datumAusText(const QString& t) {
    const QString s = t.trimmed();
    for (const char* f : {"dd.MM.yyyy", "d.M.yyyy", "yyyy-MM-dd", "dd.MM.yy"}) {
        QDate d = QDate::fromString(s, QLatin1String(f));
        if (d.isValid()) {
            if (QLatin1String(f) == QLatin1String("dd.MM.yy") && d.year() < 1950) d = d.addYears(100);
            return d;
        }
    }
    return {};
}

QString kurz(const QString& t) {
    return t.size() > 30 ? t.left(30) + QStringLiteral("…") : t;
}

// The source value as the catalogue field stores it. False with the reason when it cannot be.
bool umwandeln(const QVariant& v, const FieldDef& f, QVariant* out, QString* grund) {
    *out = QVariant();
    if (!v.isValid() || v.isNull()) return true;
    const int typ = v.typeId();
    const bool zahl = typ == QMetaType::LongLong || typ == QMetaType::Double;
    auto nein = [&](const QString& warum) {
        *grund = warum;
        return false;
    };
    switch (f.type) {
    case FieldType::Auto:
    case FieldType::Int:
    case FieldType::Short: {
        qint64 n = 0;
        bool ok = true;
        if (typ == QMetaType::LongLong)
            n = v.toLongLong();
        else if (typ == QMetaType::Double) {
            const double d = v.toDouble();
            ok = d == std::floor(d) && std::fabs(d) < 4.0e9;
            n = qint64(d);
        } else if (typ == QMetaType::Bool)
            n = v.toBool() ? 1 : 0;
        else if (typ == QMetaType::QString)
            n = v.toString().trimmed().toLongLong(&ok);
        else
            ok = false;
        const qint64 lo = f.type == FieldType::Short ? -32768 : std::numeric_limits<qint32>::min();
        const qint64 hi = f.type == FieldType::Short ? 32767 : std::numeric_limits<qint32>::max();
        if (!ok)
            return nein(QStringLiteral("%1 ist keine ganze Zahl (\"%2\")").arg(f.name, kurz(v.toString())));
        if (n < lo || n > hi)
            return nein(QStringLiteral("%1: %2 liegt außerhalb des Bereichs").arg(f.name).arg(n));
        *out = f.type == FieldType::Short ? QVariant(int(n)) : QVariant(qint32(n));
        return true;
    }
    case FieldType::Text:
    case FieldType::Memo: {
        QString s;
        if (typ == QMetaType::QString)
            s = v.toString();
        else if (typ == QMetaType::QByteArray)
            s = fromCp1252(v.toByteArray());
        else if (typ == QMetaType::QDate)
            s = v.toDate().toString(QStringLiteral("dd.MM.yyyy"));
        else if (typ == QMetaType::Bool)
            s = v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
        else
            s = v.toString();
        if (f.type == FieldType::Text && f.size > 0 && s.size() > f.size)
            return nein(QStringLiteral("Text in %1 länger als %2 Zeichen (%3)")
                            .arg(f.name)
                            .arg(f.size)
                            .arg(s.size()));
        if (!s.isEmpty()) *out = s;
        return true;
    }
    case FieldType::Date: {
        QDate d;
        if (typ == QMetaType::QDate)
            d = v.toDate();
        else if (typ == QMetaType::QDateTime)
            d = v.toDateTime().date();
        else if (typ == QMetaType::QString)
            d = datumAusText(v.toString());
        if (!d.isValid())
            return nein(QStringLiteral("%1 ist kein Datum (\"%2\")").arg(f.name, kurz(v.toString())));
        *out = d;
        return true;
    }
    case FieldType::DateTime: {
        QDateTime d;
        if (typ == QMetaType::QDateTime)
            d = v.toDateTime();
        else if (typ == QMetaType::QDate)
            d = v.toDate().startOfDay();
        else if (typ == QMetaType::QString)
            d = QDateTime::fromString(v.toString().trimmed(), Qt::ISODate);
        if (!d.isValid())
            return nein(QStringLiteral("%1 ist kein Zeitpunkt (\"%2\")").arg(f.name, kurz(v.toString())));
        *out = d;
        return true;
    }
    case FieldType::Bool: {
        if (typ == QMetaType::Bool || zahl) {
            *out = typ == QMetaType::Bool ? v.toBool() : v.toDouble() != 0;
            return true;
        }
        const QString s = v.toString().trimmed().toLower();
        if (s == QLatin1String("1") || s == QLatin1String("j") || s == QLatin1String("ja") ||
            s == QLatin1String("true"))
            *out = true;
        else if (s == QLatin1String("0") || s == QLatin1String("n") || s == QLatin1String("nein") ||
                 s == QLatin1String("false"))
            *out = false;
        else
            return nein(QStringLiteral("%1 ist kein Wahrheitswert (\"%2\")").arg(f.name, kurz(v.toString())));
        return true;
    }
    case FieldType::Float: {
        bool ok = zahl;
        double d = v.toDouble();
        if (typ == QMetaType::QString)
            d = QString(v.toString()).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
        if (!ok || !std::isfinite(d))
            return nein(QStringLiteral("%1 ist keine Zahl (\"%2\")").arg(f.name, kurz(v.toString())));
        *out = d;
        return true;
    }
    case FieldType::Money: {
        qint64 z = 0;
        bool ok = false;
        if (typ == QMetaType::LongLong) {
            z = v.toLongLong() * 10000;
            ok = std::llabs(v.toLongLong()) < 900000000000000LL;
        } else if (typ == QMetaType::Double)
            ok = geldAusDouble(v.toDouble(), &z);
        else if (typ == QMetaType::QString)
            ok = geldAusText(v.toString(), &z);
        if (!ok) return nein(QStringLiteral("%1 ist kein Betrag (\"%2\")").arg(f.name, kurz(v.toString())));
        *out = geldWert(z);
        return true;
    }
    case FieldType::Picture:
        if (typ != QMetaType::QByteArray) return nein(QStringLiteral("%1 ist kein Bild").arg(f.name));
        if (!v.toByteArray().isEmpty()) *out = v;
        return true;
    }
    return true;
}

// A prepared insert of every stored field of one table file.
class Einfueger {
public:
    Einfueger(Database& db, const QString& tabelle) : m_file(db.file(tabelle)) {
        m_file->ensureOpen();
        QStringList cols, marks;
        for (const FieldDef& f : m_file->def.fields) {
            cols << quoteIdent(f.name);
            marks << QStringLiteral("?");
        }
        m_st = m_file->prepare(
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(quoteIdent(m_file->name), cols.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
    }
    ~Einfueger() { sqlite3_finalize(m_st); }
    const QList<FieldDef>& felder() const { return m_file->def.fields; }
    // Empty on success, else the engine's reason.
    QString einfuegen(const QVector<QVariant>& werte) {
        const auto& f = m_file->def.fields;
        for (int i = 0; i < f.size(); ++i)
            bindValue(m_st, i + 1, werte[i], f[i].type);
        const int rc = sqlite3_step(m_st);
        sqlite3_reset(m_st);
        sqlite3_clear_bindings(m_st);
        if (rc == SQLITE_DONE) {
            m_file->changed(ChangeKind::Insert, sqlite3_last_insert_rowid(m_file->handle));
            return {};
        }
        if ((rc & 0xFF) == SQLITE_CONSTRAINT) return QStringLiteral("Nummer oder Schlüssel doppelt");
        return QString::fromUtf8(sqlite3_errmsg(m_file->handle));
    }
    // The next number the engine gives continues after `nr` at least.
    void zaehlerWenigstens(qint64 nr) {
        if (nr <= 0) return;
        m_file->exec(QStringLiteral("UPDATE sqlite_sequence SET seq = max(seq, %1) WHERE name = '%2'")
                         .arg(nr)
                         .arg(m_file->name));
    }

private:
    std::shared_ptr<TableFile> m_file;
    sqlite3_stmt* m_st = nullptr;
};

struct Quelldatei {
    QString db, mb;
};

} // namespace

int UebernahmeBericht::gelesen() const {
    int n = 0;
    for (const auto& t : tabellen)
        n += t.gelesen;
    return n;
}
int UebernahmeBericht::uebernommen() const {
    int n = 0;
    for (const auto& t : tabellen)
        n += t.uebernommen;
    return n;
}
int UebernahmeBericht::abgewiesen() const {
    int n = 0;
    for (const auto& t : tabellen)
        n += t.abgewiesenAnzahl();
    return n;
}
bool UebernahmeBericht::vollstaendig() const {
    if (!unlesbar.isEmpty()) return false;
    for (const auto& t : tabellen)
        if (t.abgewiesenAnzahl() > 0 || !t.beschaedigt.isEmpty()) return false;
    return true;
}

QString UebernahmeBericht::text() const {
    QString s;
    s += QStringLiteral("Datenübernahme aus %1 nach %2\n\n")
             .arg(QDir::toNativeSeparators(quelle), QDir::toNativeSeparators(ziel));
    for (const auto& t : tabellen) {
        s += QStringLiteral("%1 (%2): %3 gelesen, %4 übernommen, %5 abgewiesen\n")
                 .arg(t.tabelle, t.datei)
                 .arg(t.gelesen)
                 .arg(t.uebernommen)
                 .arg(t.abgewiesenAnzahl());
        for (const QString& a : t.abgewiesen)
            s += QStringLiteral("  abgewiesen: %1\n").arg(a);
        if (!t.unbekannteFelder.isEmpty())
            s += QStringLiteral("  unbekannte Felder, nicht übernommen: %1\n")
                     .arg(t.unbekannteFelder.join(QStringLiteral(", ")));
        if (!t.beschaedigt.isEmpty()) s += QStringLiteral("  beschädigt: %1\n").arg(t.beschaedigt);
    }
    auto liste = [&s](const QString& kopf, const QStringList& l) {
        if (l.isEmpty()) return;
        s += QLatin1Char('\n') + kopf + QLatin1Char('\n');
        for (const QString& e : l)
            s += QStringLiteral("  %1\n").arg(e);
    };
    liste(QStringLiteral("Keine lesbaren Paradox-Tabellen:"), unlesbar);
    liste(QStringLiteral("Tabellen des Katalogs, die die Quelle nicht hat (neu angelegt):"), fehlend);
    liste(QStringLiteral("Tabellen der Quelle, die das Programm nicht kennt (nicht übernommen):"), fremd);
    liste(QStringLiteral("Sprachtabellen der Quelle (die des Programms gelten):"), programmTexte);
    liste(QStringLiteral("Beim Start auf dem neuen Verzeichnis:"), startFehler);
    liste(QStringLiteral("Einstellungen:"), einstellungen);
    s += QStringLiteral("\nZusammen: %1 Sätze gelesen, %2 übernommen, %3 abgewiesen%4\n")
             .arg(gelesen())
             .arg(uebernommen())
             .arg(abgewiesen())
             .arg(vollstaendig() ? QString() : QStringLiteral(" – nicht alles übernommen"));
    return s;
}

bool berichtSchreiben(const UebernahmeBericht& bericht) {
    QSaveFile f(QDir(bericht.ziel).filePath(QLatin1String(kUebernahmeBericht)));
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(bericht.text().toUtf8());
    return f.commit();
}

UebernahmeTabelle tabelleUebernehmen(Database& db, const TableDef& def, ParadoxTabelle& px,
                                     const UebernahmeFortschritt& fortschritt) {
    UebernahmeTabelle t;
    t.tabelle = def.name;
    Einfueger ein(db, def.name);
    const QList<FieldDef>& ziel = ein.felder();
    // Source field -> catalogue field position, by name without regard to case.
    QVector<int> zuordnung;
    for (const ParadoxFeld& f : px.felder()) {
        int pos = -1;
        for (int i = 0; i < ziel.size(); ++i)
            if (ziel[i].name.compare(f.name, Qt::CaseInsensitive) == 0) pos = i;
        zuordnung << pos;
        if (pos < 0) t.unbekannteFelder << f.name;
    }
    int nummerFeld = -1;
    for (int i = 0; i < ziel.size(); ++i)
        if (ziel[i].type == FieldType::Auto) nummerFeld = i;

    Transaction tx(db, def.name);
    QList<QPair<int, QVector<QVariant>>> ohneNummer; // posted last, so a new number meets no old one
    qint64 hoechste = 0;
    QList<ParadoxWert> werte;
    QVector<QVariant> zeile(ziel.size());
    int satz = 0;
    auto ablehnen = [&](int nr, const QVector<QVariant>& z, const QString& grund) {
        const QString nummer = nummerFeld >= 0 && z[nummerFeld].isValid()
                                   ? QStringLiteral(" (Nummer %1)").arg(z[nummerFeld].toLongLong())
                                   : QString();
        t.abgewiesen << QStringLiteral("Satz %1%2: %3").arg(nr).arg(nummer, grund);
    };
    while (px.naechster(werte)) {
        ++satz;
        ++t.gelesen;
        std::fill(zeile.begin(), zeile.end(), QVariant());
        QStringList gruende;
        for (int i = 0; i < werte.size(); ++i) {
            const int pos = zuordnung[i];
            if (pos < 0) continue;
            if (!werte[i].fehler.isEmpty()) {
                gruende << werte[i].fehler;
                continue;
            }
            QString grund;
            if (!umwandeln(werte[i].wert, ziel[pos], &zeile[pos], &grund)) gruende << grund;
        }
        for (int i = 0; i < ziel.size(); ++i)
            if (ziel[i].required && ziel[i].type != FieldType::Auto && !zeile[i].isValid() &&
                !gruende.join(QString()).contains(ziel[i].name))
                gruende << QStringLiteral("Pflichtfeld %1 ist leer").arg(ziel[i].name);
        if (!gruende.isEmpty()) {
            ablehnen(satz, zeile, gruende.join(QStringLiteral("; ")));
        } else if (nummerFeld >= 0 && (!zeile[nummerFeld].isValid() || zeile[nummerFeld].toLongLong() <= 0)) {
            zeile[nummerFeld] = QVariant();
            ohneNummer.append({satz, zeile});
        } else {
            const QString fehler = ein.einfuegen(zeile);
            if (fehler.isEmpty()) {
                ++t.uebernommen;
                if (nummerFeld >= 0) hoechste = std::max<qint64>(hoechste, zeile[nummerFeld].toLongLong());
            } else {
                ablehnen(satz, zeile, fehler);
            }
        }
        if (fortschritt.zeilen && satz % 1000 == 0) fortschritt.zeilen(satz);
        if (fortschritt.abbrechen && satz % 1000 == 0 && fortschritt.abbrechen())
            throw UebernahmeAbbruch{QStringLiteral("abgebrochen")};
    }
    // The earlier program never gave a number twice, even after a deletion; neither does this one.
    if (nummerFeld >= 0) ein.zaehlerWenigstens(std::max<qint64>(hoechste, px.autoInc()));
    for (const auto& [nr, z] : ohneNummer) {
        const QString fehler = ein.einfuegen(z);
        if (fehler.isEmpty())
            ++t.uebernommen;
        else
            ablehnen(nr, z, fehler);
    }
    tx.commit();
    if (fortschritt.zeilen) fortschritt.zeilen(satz);
    t.beschaedigt = px.beschaedigt();
    return t;
}

UebernahmeBericht uebernehmen(const QString& quelle, const QString& ziel, const QString& datenquelle,
                              const UebernahmeFortschritt& fortschritt) {
    UebernahmeBericht bericht;
    bericht.quelle = quelle;
    bericht.ziel = ziel;
    const QDir qdir(quelle);
    if (!qdir.exists()) throw UebernahmeAbbruch{QStringLiteral("%1 ist kein Verzeichnis").arg(quelle)};
    if (QFileInfo::exists(ziel)) throw UebernahmeAbbruch{QStringLiteral("%1 gibt es schon").arg(ziel)};

    // Table files of the source by table name in lower case; the memo file beside each in any case.
    QHash<QString, Quelldatei> dateien;
    QHash<QString, QString> memos;
    const QFileInfoList eintraege = qdir.entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo& fi : eintraege) {
        const QString ext = fi.suffix().toLower();
        if (ext == QLatin1String("db")) dateien[fi.completeBaseName().toLower()].db = fi.filePath();
        if (ext == QLatin1String("mb")) memos[fi.completeBaseName().toLower()] = fi.filePath();
    }
    for (auto it = dateien.begin(); it != dateien.end(); ++it)
        it->mb = memos.value(it.key());
    for (auto it = dateien.cbegin(); it != dateien.cend(); ++it)
        if (!catalogueTable(it.key())) bericht.fremd << QFileInfo(it->db).fileName();
    bericht.fremd.sort(Qt::CaseInsensitive);

    if (!QDir().mkpath(ziel))
        throw UebernahmeAbbruch{QStringLiteral("%1 kann nicht angelegt werden").arg(ziel)};
    auto aufraeumen = [&ziel] { QDir(ziel).removeRecursively(); };
    try {
        QSet<QString> uebernommen;
        {
            Database db(ziel);
            for (const TableDef& def : catalogue()) {
                const QString name = def.name.toLower();
                if (!dateien.contains(name)) {
                    bericht.fehlend << def.name;
                    continue;
                }
                const Quelldatei& q = dateien[name];
                if (programmTexte(name)) {
                    bericht.programmTexte << QFileInfo(q.db).fileName();
                    continue;
                }
                ParadoxTabelle px;
                if (!px.oeffnen(q.db, q.mb)) {
                    bericht.unlesbar << QStringLiteral("%1: %2").arg(QFileInfo(q.db).fileName(), px.fehler());
                    continue;
                }
                if (fortschritt.tabelle) fortschritt.tabelle(def.name, px.anzahlKopf());
                db.createTable(def);
                UebernahmeTabelle t = tabelleUebernehmen(db, def, px, fortschritt);
                t.datei = QFileInfo(q.db).fileName();
                if (!px.codepageBekannt())
                    t.beschaedigt =
                        QStringLiteral("Codepage %1 unbekannt, Texte als 1252 gelesen").arg(px.codepage());
                bericht.tabellen << t;
                uebernommen << name;
            }
            // What the source lacks comes as a new installation has it.
            for (const TableDef& def : catalogue())
                if (!uebernommen.contains(def.name.toLower())) db.createTable(def);
            ladeDatendateien(db, datenquelle,
                             [&uebernommen](const QString& t) { return !uebernommen.contains(t.toLower()); });
            if (!uebernommen.contains(QStringLiteral("topkatze"))) fuelleTopkatzen(db);
            if (!uebernommen.contains(QStringLiteral("merkmale"))) saeMerkmale(db);
        }
        {
            Database db(ziel);
            StartBericht sb;
            sb.fehler = [&bericht](const DatabaseError& e, const QString& datei) {
                bericht.startFehler << QStringLiteral("%1: %2").arg(datei, e.message());
            };
            sb.tabelle = [&bericht](const QString& t, Ergebnis e, const QString& m) {
                if (e == Ergebnis::Fehler) bericht.startFehler << QStringLiteral("%1: %2").arg(t, m);
            };
            sb.meldung = [&bericht](int nr) { bericht.startFehler << QStringLiteral("Meldung %1").arg(nr); };
            startSequenz(db, sb);
        }
    } catch (const UebernahmeAbbruch&) {
        aufraeumen();
        throw;
    } catch (const DatabaseError& e) {
        aufraeumen();
        throw UebernahmeAbbruch{e.message()};
    }
    bericht.startFehler.removeDuplicates();
    return bericht;
}

} // namespace velmora::store
