#include "store/startup.h"

#include "store/catalogue.h"
#include "store/table.h"
#include "store/tablefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>

#include <algorithm>

namespace velmora::store {

QString praesenzMeldung(const QString& programmPfad) {
    return QStringLiteral("Die Programmversion, welche Sie aus dem Verzeichnis ") + programmPfad +
           QStringLiteral(" starten, ist nicht lauffähig, da keine Tierdatenbank vorhanden ist.") +
           QStringLiteral(
               " Erscheint diese Meldung nach einer Updateinstallation, so wurde das Update in ein "
               "falsches Verzeichnis eingespielt.") +
           QStringLiteral(" Bitte Updateinstallation wiederholen, in korrektes Programmverzeichnis!") +
           QStringLiteral("\r\r") +
           QStringLiteral("The programm version, which you start from the directory ") + programmPfad +
           QStringLiteral(" , is not executable, because the animal database does not exists. ") +
           QStringLiteral(
               " If this message appears after the installation of a program update, the update was "
               "installed in a false directory.") +
           QStringLiteral(" Please, repeat the update installation in the correct directory!");
}

bool praesenzPruefen(const QString& datenverzeichnis) {
    return QFileInfo::exists(Database::tableFilePath(datenverzeichnis, QStringLiteral("catstamm")));
}

bool indexSicherstellen(Database& db, const QString& tabelle, const QString& name, const QString& felder) {
    const QStringList wanted = splitFields(felder);
    for (const IndexDef& ix : db.readDefinition(tabelle).indexes)
        if (ix.sameFields(wanted)) return false;
    Table t(db, tabelle);
    t.open(Table::OpenMode::Exclusive);
    IndexDef def;
    def.name = name;
    def.fields = wanted;
    if (const TableDef* c = catalogueTable(tabelle))
        if (const IndexDef* known = c->index(name)) def = *known;
    t.addIndex(def);
    t.close();
    return true;
}

namespace {

struct Upgrade {
    const char* table;
    const char* trigger;
    const char* sql;
};
const Upgrade kUpgrades[] = {
    {"catstamm", "zzlDatum",
     R"(ALTER TABLE "catstamm.db" ADD zzlDatum DATE, ADD Groesse CHAR(10), ADD Gewicht CHAR(10))"},
    {"merkmale", "Kuerzel", R"(ALTER TABLE "Merkmale.db" ADD Kuerzel CHAR(10))"},
    {"katzemerkmal", "Kennzeichen", R"(ALTER TABLE "KatzeMerkmal.db" ADD Kennzeichen BOOLEAN)"},
    {"rasse", "Haarart",
     R"(ALTER TABLE "rasse.db" ADD Haarart CHAR(1), ADD Haarlos CHAR(1), ADD Faltohr CHAR(1))"},
    {"wurfbuch", "Wurfstaerke",
     R"(ALTER TABLE "wurfbuch.db" ADD Wurfstaerke CHAR(5), ADD Totgeboren CHAR(5), ADD Verendet CHAR(5), ADD Ammenaufzucht CHAR(5), ADD Endabnahme CHAR(5), ADD Verfassung BLOB(240,1), ADD Besichtam  DATE,  ADD Besichtvon CHAR(40), ADD Abnahmeam DATE, ADD Abnahmevon CHAR(40),  ADD Decktermin2 DATE, ADD Wurfbez CHAR(10), ADD Kennzeichen BOOLEAN,  ADD Verblieben CHAR(5), ADD Eingeschlaefert CHAR(5))"},
    {"deckbuch", "Wurftag", R"(ALTER TABLE "deckbuch.db" ADD Wurftag DATE)"},
};

// The fields an upgrade statement adds.
QStringList addedFields(const char* sql) {
    static const QRegularExpression add(QStringLiteral(R"(\bADD\s+(\w+))"),
                                        QRegularExpression::CaseInsensitiveOption);
    QStringList out;
    for (auto it = add.globalMatch(QString::fromUtf8(sql)); it.hasNext();)
        out << it.next().captured(1);
    return out;
}

// The local-SQL type that adds a field of the catalogue as it is defined there.
QString sqlTypeName(const FieldDef& f) {
    switch (f.type) {
    case FieldType::Text:
        return QStringLiteral("CHAR(%1)").arg(f.size);
    case FieldType::Date:
        return QStringLiteral("DATE");
    case FieldType::DateTime:
        return QStringLiteral("TIMESTAMP");
    case FieldType::Bool:
        return QStringLiteral("BOOLEAN");
    case FieldType::Memo:
        return QStringLiteral("BLOB(240,1)");
    case FieldType::Picture:
        return QStringLiteral("BLOB(240,5)");
    case FieldType::Short:
        return QStringLiteral("SMALLINT");
    case FieldType::Float:
        return QStringLiteral("FLOAT");
    case FieldType::Money:
        return QStringLiteral("MONEY");
    case FieldType::Int:
    case FieldType::Auto:
        break;
    }
    return QStringLiteral("INTEGER");
}

// A primary key on the record number alone is the record order itself and never missing.
bool isRecordOrder(const TableDef& def, const IndexDef& ix) {
    if (!ix.isPrimary() || ix.fields.size() != 1) return false;
    const FieldDef* f = def.field(ix.fields.first());
    return f && f->type == FieldType::Auto;
}

} // namespace

bool tabelleAktualisieren(Database& db, const QString& tabelle, bool* haarartNeu) {
    const QString n = Database::normalName(tabelle);
    const TableDef* soll = catalogueTable(n);
    TableDef ist = db.readDefinition(n);
    bool changed = false;
    auto noteAdded = [&](const QString& field) {
        if (haarartNeu && n == QLatin1String("rasse") &&
            field.compare(QLatin1String("Haarart"), Qt::CaseInsensitive) == 0)
            *haarartNeu = true;
    };
    for (const Upgrade& u : kUpgrades) {
        if (n != QLatin1String(u.table) || ist.field(QString::fromLatin1(u.trigger))) continue;
        // The statement fits only the layout it was written for: every field it adds is missing.
        const QStringList adds = addedFields(u.sql);
        if (std::any_of(adds.begin(), adds.end(), [&](const QString& f) { return ist.field(f); })) continue;
        if (n == QLatin1String("wurfbuch")) {
            // The old litter book carries other keys: they are replaced before the columns are added.
            Table t(db, n);
            t.open(Table::OpenMode::Exclusive);
            if (t.definition().primaryKey() || !t.indexDefs().isEmpty()) t.deleteIndex(QString());
            for (const QString& name :
                 {QString(), QStringLiteral("KatzeIdx"), QStringLiteral("KatzeKaterWurftag"),
                  QStringLiteral("KaterKatzeWurftag")})
                t.addIndex(*catalogueTable(n)->index(name));
            t.close();
        }
        db.execute(QString::fromUtf8(u.sql));
        for (const QString& f : adds)
            noteAdded(f);
        if (n == QLatin1String("merkmale"))
            indexSicherstellen(db, n, QStringLiteral("Bezeichnung"), QStringLiteral("Bezeichnung"));
        changed = true;
        ist = db.readDefinition(n);
    }
    if (!soll) return changed;
    // Whatever layout the table comes from: each field it still lacks is added alone.
    for (const FieldDef& f : soll->fields) {
        if (ist.field(f.name)) continue;
        if (f.type == FieldType::Auto)
            throw EngineError(
                code::NoSuchField,
                QStringLiteral("Feld %1 fehlt in %2 und kann nicht ergänzt werden").arg(f.name, n), n);
        db.execute(QStringLiteral("ALTER TABLE \"%1.db\" ADD \"%2\" %3").arg(n, f.name, sqlTypeName(f)));
        noteAdded(f.name);
        changed = true;
    }
    ist = db.readDefinition(n);
    // Each index the catalogue gives that no index of the table covers with the same fields.
    QList<IndexDef> missing;
    for (const IndexDef& ix : soll->indexes) {
        if (isRecordOrder(ist, ix)) continue;
        const bool covered = std::any_of(ist.indexes.begin(), ist.indexes.end(),
                                         [&](const IndexDef& have) { return have.sameFields(ix.fields); });
        if (!covered) missing << ix;
    }
    if (!missing.isEmpty()) {
        Table t(db, n);
        t.open(Table::OpenMode::Exclusive);
        for (const IndexDef& ix : missing) {
            // An index of that name over other fields is an older layout's: it gives way.
            if (!ix.isPrimary() && t.definition().index(ix.name)) t.deleteIndex(ix.name);
            if (ix.isPrimary() && t.definition().primaryKey()) continue; // another key stays
            t.addIndex(ix);
        }
        t.close();
        changed = true;
    }
    return changed;
}

bool tabelleAnlegenWennFehlt(Database& db, const QString& tabelle) {
    if (db.tableExists(tabelle)) return false;
    const TableDef* def = catalogueTable(tabelle);
    if (!def) throw DatabaseError(QStringLiteral("Unbekannte Tabelle %1").arg(tabelle));
    db.createTable(*def);
    if (Database::normalName(tabelle) == QLatin1String("topkatze")) fuelleTopkatzen(db);
    return true;
}

void fuelleTopkatzen(Database& db) {
    Table t(db, QStringLiteral("topkatze"));
    t.open();
    if (!t.isEmpty()) return;
    for (int i = 0; i < 5; ++i) {
        t.append();
        t.setValue(QStringLiteral("Farbe"), 16777215);
        t.post();
    }
    t.close();
}

bool saeMerkmale(Database& db) {
    Table t(db, QStringLiteral("merkmale"));
    t.open();
    if (!t.isEmpty()) return false;
    t.append();
    t.setValue(QStringLiteral("Kuerzel"), QStringLiteral("Klon"));
    t.setValue(QStringLiteral("Bezeichnung"), QStringLiteral("Klon"));
    t.setValue(QStringLiteral("farbe"), 16711680);
    t.post();
    t.append();
    t.setValue(QStringLiteral("Kuerzel"), QStringLiteral("Fd"));
    t.setValue(QStringLiteral("Bezeichnung"), QStringLiteral("Foundation"));
    t.setValue(QStringLiteral("farbe"), 255);
    t.post();
    t.close();
    return true;
}

void haarartErgaenzen(Table& rasse, Table* ergaenzung,
                      const std::function<void(const DatabaseError&, const QString&)>& fehler) {
    const bool ergaenzungOffen = ergaenzung && ergaenzung->isOpen();
    const QString haarart = QStringLiteral("Haarart");
    while (rasse.hasRecord() && !rasse.eof()) {
        const QString rname = rasse.asString(QStringLiteral("RName"));
        try {
            if (ergaenzungOffen && !rname.isEmpty() && ergaenzung->findKey({rname})) {
                rasse.edit();
                for (const char* feld : {"Haarart", "Haarlos", "Faltohr"})
                    rasse.setValue(QString::fromUtf8(feld), ergaenzung->value(QString::fromUtf8(feld)));
                rasse.post();
            } else {
                const QString n = rname.toLower();
                QString wert;
                if (n.contains(QLatin1String("langhaar")) || n.contains(QLatin1String("longhair")) ||
                    n.contains(QLatin1String("long-hair")))
                    wert = QStringLiteral("1");
                else if (n.contains(QLatin1String("kurzhaar")) || n.contains(QLatin1String("shorthair")) ||
                         n.contains(QLatin1String("short-hair")))
                    wert = QStringLiteral("2");
                if (!wert.isEmpty()) {
                    rasse.edit();
                    rasse.setValue(haarart, wert);
                    rasse.post();
                }
            }
        } catch (const DatabaseError& e) {
            // one breed that cannot be stored does not stop the others
            if (rasse.state() != Table::State::Browse) rasse.cancel();
            if (fehler) fehler(e, rasse.normalName() + QStringLiteral(".db"));
        }
        rasse.next();
    }
}

// ---------------------------------------------------------------- opening sequence

namespace {
using Indizes = QList<QPair<QString, QString>>;
Schritt S(const char* tabelle, bool anlegen = false, Indizes indizes = {}, int meldung = 0) {
    return Schritt{QString::fromLatin1(tabelle), anlegen, std::move(indizes), meldung};
}
QPair<QString, QString> I(const char* name, const char* felder) {
    return {QString::fromLatin1(name), QString::fromLatin1(felder)};
}
} // namespace

const QList<Schritt>& hauptfensterSchritte() {
    static const QList<Schritt> s = {
        S("sprmel"),
        S("sprache"),
        S("topkatze", true),
        S("merkmale", true),
        S("katzemerkmal", true),
        S("catstamm", false, {I("GebDatum", "GebDatum;Name"), I("Farbe", "FellFarbe;Name")}),
        // created when missing; an engine error shows message 9
        S("zusatz", true, {}, 9),
    };
    return s;
}

const QList<Schritt>& datenmodulSchritte() {
    static const QList<Schritt> s = {
        S("catstamm"),
        S("farbe", false, {I("FarbnummerLaufendeNummer", "Farbnummer;LaufendeNummer")}),
        S("rasse", false, {I("RKurznameRCode", "RKurzname;Rcode")}),
        S("augen"),
        S("bilder"),
        S("bewert", true),
        S("verkauft"),
        S("katzemerkmal"),
        S("merkmale"),
        S("adr_dat"),
        S("fellart"),
        S("titelbez"),
        S("titelhund"),
    };
    return s;
}

const QList<Schritt>& registerSchritte() {
    static const QList<Schritt> s = {
        S("catstamm", false, {I("IDXMutterGebDatum", "Mutter;GebDatum;Geschlecht")}),
        S("laeufigkeit", true),
        S("gewicht", true),
        S("wurfbuch"),
        S("deckbuch"),
    };
    return s;
}

const Schritt* datenmodulSchritt(const QString& tabelle) {
    const QString n = Database::normalName(tabelle);
    for (const Schritt& s : datenmodulSchritte())
        if (s.tabelle == n) return &s;
    return nullptr;
}

Ergebnis tabelleVorbereiten(Database& db, const Schritt& schritt, const StartBericht& bericht) {
    const QString& t = schritt.tabelle;
    Ergebnis e = Ergebnis::Ok;
    auto geaendert = [&e] {
        if (e == Ergebnis::Ok) e = Ergebnis::Aktualisiert;
    };
    if (schritt.anlegen && tabelleAnlegenWennFehlt(db, t)) e = Ergebnis::Angelegt;
    for (const auto& [name, fields] : schritt.indizes)
        if (indexSicherstellen(db, t, name, fields)) geaendert();
    bool haarartNeu = false;
    if (tabelleAktualisieren(db, t, &haarartNeu)) geaendert();
    if (haarartNeu) {
        // The coat fields are new and empty: they are completed once, from the first breed on.
        Table rasse(db, t);
        rasse.open(Table::OpenMode::Shared);
        rasse.setIndexName(QString());
        rasse.first();
        Table ergaenzung(db, QStringLiteral("rasseergaenzen"));
        if (db.tableExists(ergaenzung.tableName())) {
            try {
                ergaenzung.open(Table::OpenMode::ReadOnly);
                ergaenzung.setIndexName(QStringLiteral("RasseName"));
            } catch (const DatabaseError& err) {
                ergaenzung.close();
                if (bericht.fehler) bericht.fehler(err, QStringLiteral("rasseergaenzen.db"));
            }
        }
        haarartErgaenzen(rasse, &ergaenzung, bericht.fehler);
    }
    {
        Table probe(db, t);
        probe.open(Table::OpenMode::ReadOnly);
    }
    if (t == QLatin1String("merkmale") && saeMerkmale(db)) geaendert();
    return e;
}

namespace {

// One run of opening steps: every table reported once, in the order first met; a table that failed is
// not tried again in the same run.
class Lauf {
public:
    Lauf(Database& db, const StartBericht& bericht) : m_db(db), m_bericht(bericht) {}

    void schritt(const Schritt& s) {
        const QString& t = s.tabelle;
        if (m_ergebnis.value(t, Ergebnis::Ok) == Ergebnis::Fehler) return;
        try {
            notieren(t, tabelleVorbereiten(m_db, s, m_bericht));
        } catch (const DatabaseError& err) {
            fehler(s, err);
        }
    }

    void fehler(const Schritt& s, const DatabaseError& err) {
        m_ok = false;
        const auto* engine = dynamic_cast<const EngineError*>(&err);
        if (s.meldung && engine && m_bericht.meldung)
            m_bericht.meldung(s.meldung);
        else if (m_bericht.fehler)
            m_bericht.fehler(err, s.tabelle + QStringLiteral(".db"));
        if (!m_ergebnis.contains(s.tabelle)) m_reihenfolge << s.tabelle;
        if (m_ergebnis.value(s.tabelle, Ergebnis::Ok) != Ergebnis::Fehler)
            m_meldung[s.tabelle] = err.message();
        m_ergebnis[s.tabelle] = Ergebnis::Fehler;
    }

    void notieren(const QString& t, Ergebnis e) {
        if (!m_ergebnis.contains(t)) {
            m_reihenfolge << t;
            m_ergebnis[t] = e;
            return;
        }
        Ergebnis& r = m_ergebnis[t];
        if (r == Ergebnis::Fehler) return;
        if (e == Ergebnis::Angelegt || r == Ergebnis::Angelegt)
            r = Ergebnis::Angelegt;
        else if (e == Ergebnis::Aktualisiert || r == Ergebnis::Aktualisiert)
            r = Ergebnis::Aktualisiert;
    }

    // Every page of each table that opened: damage a plain opening does not meet (a broken index page)
    // becomes that table's failure.
    void pruefen() {
        for (const QString& t : std::as_const(m_reihenfolge)) {
            if (m_ergebnis.value(t) == Ergebnis::Fehler) continue;
            try {
                if (const auto schaden = m_db.checkTable(t)) fehler(Schritt{t, false, {}, 0}, *schaden);
            } catch (const DatabaseError& err) {
                fehler(Schritt{t, false, {}, 0}, err);
            }
        }
    }

    bool abschliessen() {
        if (m_bericht.tabelle)
            for (const QString& t : std::as_const(m_reihenfolge))
                m_bericht.tabelle(t, m_ergebnis[t], m_meldung.value(t));
        return m_ok;
    }

private:
    Database& m_db;
    const StartBericht& m_bericht;
    QStringList m_reihenfolge;
    QMap<QString, Ergebnis> m_ergebnis;
    QMap<QString, QString> m_meldung;
    bool m_ok = true;
};

} // namespace

bool schritteAusfuehren(Database& db, const QList<Schritt>& schritte, const StartBericht& bericht) {
    Lauf lauf(db, bericht);
    for (const Schritt& s : schritte)
        lauf.schritt(s);
    return lauf.abschliessen();
}

bool startSequenz(Database& db, const StartBericht& bericht) {
    Lauf lauf(db, bericht);
    for (const auto* liste : {&hauptfensterSchritte(), &datenmodulSchritte(), &registerSchritte()})
        for (const Schritt& s : *liste)
            lauf.schritt(s);
    lauf.pruefen();
    return lauf.abschliessen();
}

// ---------------------------------------------------------------- rebuild

bool dateienBereinigen(const QString& datenverzeichnis, const QString& tabelle) {
    const QString n = Database::normalName(tabelle);
    const QDir dir(datenverzeichnis);
    bool ok = true;
    for (const QString& e : dir.entryList(QDir::Files)) {
        const QString l = e.toLower();
        if (!l.startsWith(n + QLatin1Char('.'))) continue;
        if (l == n + QStringLiteral(".db") || l == n + QStringLiteral(".mb")) continue;
        // The engine's journal files hold committed work that is not yet in the table file.
        if (l.startsWith(n + QStringLiteral(".db-"))) continue;
        if (!QFile::remove(dir.filePath(e))) ok = false;
    }
    return ok;
}

namespace {

// The rebuild set of the catalogue for the table; false when the catalogue does not know it.
bool neueIndizes(const QString& tabelle, QList<IndexDef>* indizes) {
    const TableDef* def = catalogueTable(tabelle);
    if (!def) return false;
    for (const IndexDef& ix : def->indexes)
        if (ix.rebuilt) *indizes << ix;
    return true;
}

// Every index of the table dropped (also one the description no longer lists, or one already gone from
// the file) and `indizes` created, in one transaction: on any error nothing has changed. No cursor may
// be open on the table.
void indizesErsetzen(Database& db, const QString& n, const QList<IndexDef>& indizes) {
    const auto f = db.file(n);
    f->ensureOpen();
    f->exec(QStringLiteral("BEGIN IMMEDIATE"));
    try {
        QStringList vorhanden;
        sqlite3_stmt* st = f->prepare(QStringLiteral(
            "SELECT name FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL AND tbl_name = ?1"));
        const QByteArray name = f->name.toUtf8();
        sqlite3_bind_text(st, 1, name.constData(), -1, SQLITE_TRANSIENT);
        while (sqlite3_step(st) == SQLITE_ROW)
            vorhanden << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        const int rc = sqlite3_finalize(st);
        if (rc != SQLITE_OK) f->fail(rc, f->name);
        for (const QString& ix : std::as_const(vorhanden))
            f->exec(QStringLiteral("DROP INDEX %1").arg(quoteIdent(ix)));
        f->def.indexes.clear();
        for (const IndexDef& ix : indizes) {
            createIndexSql(*f, ix);
            f->def.indexes << ix;
            if (ix.isPrimary()) f->def.indexes.move(f->def.indexes.size() - 1, 0);
        }
        writeMeta(*f);
        f->exec(QStringLiteral("COMMIT"));
    } catch (const EngineError&) {
        sqlite3_exec(f->handle, "ROLLBACK", nullptr, nullptr, nullptr);
        f->reloadDefinition();
        throw;
    }
    f->changed(ChangeKind::Schema, 0);
}

bool beschaedigt(const EngineError& e) {
    return e.code() == code::IndexDamaged || e.code() == code::TableDamaged;
}

// What the integrity check finds before anything is written; an error the check cannot get past is
// returned as the finding too.
std::optional<EngineError> befund(Database& db, const QString& n) {
    try {
        return db.checkTable(n);
    } catch (const EngineError& e) {
        return e;
    }
}

} // namespace

bool indexNeuAufbauen(Database& db, const QString& tabelle, const StartBericht& bericht, QString* grund) {
    const QString n = Database::normalName(tabelle);
    auto scheitern = [grund](const QString& text) {
        if (grund) *grund = text;
        return false;
    };
    QList<IndexDef> indizes;
    if (!neueIndizes(n, &indizes)) return scheitern(QStringLiteral("%1 ist keine Tabelle des Systems").arg(n));
    if (db.openCursorCount(n) > 0) return scheitern(QStringLiteral("%1 ist noch geöffnet").arg(n));
    if (!db.tableExists(n)) return scheitern(QStringLiteral("Tabelle existiert nicht: %1").arg(n));
    if (!dateienBereinigen(db.directory(), n))
        return scheitern(QStringLiteral("Indexdateien von %1 können nicht gelöscht werden").arg(n));

    // Rows that cannot be read are never dropped unasked: only with the user's consent does what can be
    // read move into a fresh file (the old one stays beside it).
    if (const auto schaden = befund(db, n); schaden && schaden->code() != code::IndexDamaged) {
        db.file(n)->closeHandle();
        if (schaden->code() == code::TableDamaged && bericht.zeilenRetten && bericht.zeilenRetten(n))
            return tabelleUmkopieren(db, n, bericht);
        const QString text = schaden->code() == code::TableDamaged
                                 ? QStringLiteral("%1: Datensätze beschädigt, nichts geändert (%2)")
                                       .arg(n, schaden->message())
                                 : schaden->message();
        if (bericht.fehler && schaden->code() != code::TableLocked)
            bericht.fehler(EngineError(schaden->code(), text, n), n + QStringLiteral(".db"));
        return scheitern(text);
    }

    Table t(db, n);
    try {
        t.open(Table::OpenMode::Exclusive);
        t.append();
        // required fields get a placeholder so the test record can be stored at all
        for (int i = 0; i < t.fieldCount(); ++i) {
            const FieldDef& f = t.fieldDef(i);
            if (!f.required || f.type == FieldType::Auto) continue;
            t.setValue(i, f.type == FieldType::Text || f.type == FieldType::Memo
                              ? QVariant(QStringLiteral("x"))
                              : QVariant(0));
        }
        if (const IndexDef* pk = t.definition().primaryKey())
            for (const QString& f : pk->fields)
                if (t.fieldDef(t.fieldIndex(f)).type != FieldType::Auto && t.isNull(f)) t.setValue(f, -1);
        t.post();
        t.remove();
    } catch (const DatabaseError& e) {
        if (t.isOpen() && t.state() != Table::State::Browse) t.cancel();
        t.close();
        // Only an index is damaged (the check read every row): the rows move into a fresh file whole.
        const auto* engine = dynamic_cast<const EngineError*>(&e);
        if (engine && beschaedigt(*engine)) return tabelleUmkopieren(db, n, bericht);
        return scheitern(e.message());
    }
    t.close();
    try {
        indizesErsetzen(db, n, indizes);
    } catch (const EngineError& e) {
        if (beschaedigt(e)) return tabelleUmkopieren(db, n, bericht);
        // Nothing has changed: the table keeps the indexes it had.
        if (bericht.fehler) bericht.fehler(e, n + QStringLiteral(".db"));
        return scheitern(e.message());
    }
    return true;
}

void direktNeuAufbauen(Database& db, const QString& tabelle) {
    const QString n = Database::normalName(tabelle);
    QList<IndexDef> indizes;
    if (!neueIndizes(n, &indizes))
        throw EngineError(code::NoSuchTable, QStringLiteral("%1 ist keine Tabelle des Systems").arg(n), n);
    if (const auto schaden = befund(db, n)) {
        db.file(n)->closeHandle();
        throw *schaden;
    }
    if (db.openCursorCount(n) > 0)
        throw EngineError(code::TableLocked, QStringLiteral("%1 ist noch geöffnet").arg(n), n);
    indizesErsetzen(db, n, indizes);
}

bool CatstammIndex(Database& db, const StartBericht& b) {
    return indexNeuAufbauen(db, QStringLiteral("catstamm"), b);
}
bool BilderIndex(Database& db, const StartBericht& b) {
    return indexNeuAufbauen(db, QStringLiteral("bilder"), b);
}
bool ImpfungIndex(Database& db, const StartBericht& b) {
    return indexNeuAufbauen(db, QStringLiteral("impfung"), b);
}
bool WurmkurIndex(Database& db, const StartBericht& b) {
    return indexNeuAufbauen(db, QStringLiteral("wurmkur"), b);
}
bool WurfbuchIndex(Database& db, const StartBericht& b) {
    return indexNeuAufbauen(db, QStringLiteral("wurfbuch"), b);
}
bool AdressenIndex(Database& db, const StartBericht& b) {
    return indexNeuAufbauen(db, QStringLiteral("adr_dat"), b);
}
bool SpracheIndex(Database& db, const StartBericht& b) {
    return indexNeuAufbauen(db, QStringLiteral("sprache"), b);
}
bool MeldungIndex(Database& db, const StartBericht& b) {
    return indexNeuAufbauen(db, QStringLiteral("sprmel"), b);
}
bool MerkmaleIndex(Database& db, const StartBericht& b) {
    return indexNeuAufbauen(db, QStringLiteral("merkmale"), b);
}
bool KatzemerkmalIndex(Database& db, const StartBericht& b) {
    return indexNeuAufbauen(db, QStringLiteral("katzemerkmal"), b);
}

} // namespace velmora::store
