#include "store/startup.h"

#include "store/catalogue.h"
#include "store/table.h"

#include <QDir>
#include <QFile>
#include <QMap>

namespace velmora::store {

QString praesenzMeldung(const QString& programmPfad) {
    return QStringLiteral("Die Programmversion, welche Sie aus dem Verzeichnis ") + programmPfad +
           QStringLiteral(" starten, ist nicht lauffähig, da keine Tierdatenbank vorhanden ist.") +
           QStringLiteral(" Erscheint diese Meldung nach einer Updateinstallation, so wurde das Update in ein "
                          "falsches Verzeichnis eingespielt.") +
           QStringLiteral(" Bitte Updateinstallation wiederholen, in korrektes Programmverzeichnis!") +
           QStringLiteral("\r\r") + QStringLiteral("The programm version, which you start from the directory ") +
           programmPfad +
           QStringLiteral(" , is not executable, because the animal database does not exists. ") +
           QStringLiteral(" If this message appears after the installation of a program update, the update was "
                          "installed in a false directory.") +
           QStringLiteral(" Please, repeat the update installation in the correct directory!");
}

bool praesenzPruefen(const QString& datenverzeichnis) {
    return QFile::exists(QDir(datenverzeichnis).filePath(QStringLiteral("catstamm.db")));
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
    {"rasse", "Haarart", R"(ALTER TABLE "rasse.db" ADD Haarart CHAR(1), ADD Haarlos CHAR(1), ADD Faltohr CHAR(1))"},
    {"wurfbuch", "Wurfstaerke",
     R"(ALTER TABLE "wurfbuch.db" ADD Wurfstaerke CHAR(5), ADD Totgeboren CHAR(5), ADD Verendet CHAR(5), ADD Ammenaufzucht CHAR(5), ADD Endabnahme CHAR(5), ADD Verfassung BLOB(240,1), ADD Besichtam  DATE,  ADD Besichtvon CHAR(40), ADD Abnahmeam DATE, ADD Abnahmevon CHAR(40),  ADD Decktermin2 DATE, ADD Wurfbez CHAR(10), ADD Kennzeichen BOOLEAN,  ADD Verblieben CHAR(5), ADD Eingeschlaefert CHAR(5))"},
    {"deckbuch", "Wurftag", R"(ALTER TABLE "deckbuch.db" ADD Wurftag DATE)"},
};

void addCatalogueIndexes(Table& t, const QString& tabelle, bool onlyRebuilt) {
    const TableDef* def = catalogueTable(tabelle);
    if (!def) return;
    for (const IndexDef& ix : def->indexes)
        if (!onlyRebuilt || ix.rebuilt) t.addIndex(ix);
}

} // namespace

bool tabelleAktualisieren(Database& db, const QString& tabelle) {
    const QString n = Database::normalName(tabelle);
    for (const Upgrade& u : kUpgrades) {
        if (n != QLatin1String(u.table)) continue;
        const TableDef def = db.readDefinition(n);
        if (def.field(QString::fromLatin1(u.trigger))) return false;
        if (n == QLatin1String("wurfbuch")) {
            // The old litter book carries other keys: they are replaced before the columns are added.
            Table t(db, n);
            t.open(Table::OpenMode::Exclusive);
            if (t.definition().primaryKey() || !t.indexDefs().isEmpty()) t.deleteIndex(QString());
            for (const QString& name : {QString(), QStringLiteral("KatzeIdx"), QStringLiteral("KatzeKaterWurftag"),
                                        QStringLiteral("KaterKatzeWurftag")})
                t.addIndex(*catalogueTable(n)->index(name));
            t.close();
        }
        db.execute(QString::fromUtf8(u.sql));
        if (n == QLatin1String("merkmale")) indexSicherstellen(db, n, QStringLiteral("Bezeichnung"), QStringLiteral("Bezeichnung"));
        return true;
    }
    return false;
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

bool startSequenz(Database& db, const StartBericht& bericht) {
    QStringList order;
    QMap<QString, Ergebnis> results;
    QMap<QString, QString> messages;
    bool allOk = true;
    auto note = [&](const QString& t, Ergebnis e, const QString& msg = {}) {
        if (!results.contains(t)) order << t;
        Ergebnis& r = results[t];
        if (e == Ergebnis::Fehler || r == Ergebnis::Fehler) {
            if (r != Ergebnis::Fehler) messages[t] = msg;
            r = Ergebnis::Fehler;
        } else if (e == Ergebnis::Angelegt || r == Ergebnis::Angelegt) r = Ergebnis::Angelegt;
        else if (e == Ergebnis::Aktualisiert || r == Ergebnis::Aktualisiert) r = Ergebnis::Aktualisiert;
        else r = Ergebnis::Ok;
    };
    // One step: optional creation, ensure-index steps, upgrade, then a test opening.
    auto step = [&](const QString& t, bool create, QList<QPair<QString, QString>> ensure = {}) {
        Ergebnis e = Ergebnis::Ok;
        try {
            if (create && tabelleAnlegenWennFehlt(db, t)) e = Ergebnis::Angelegt;
            for (const auto& [name, fields] : ensure)
                if (indexSicherstellen(db, t, name, fields) && e == Ergebnis::Ok) e = Ergebnis::Aktualisiert;
            if (tabelleAktualisieren(db, t) && e == Ergebnis::Ok) e = Ergebnis::Aktualisiert;
            Table probe(db, t);
            probe.open(Table::OpenMode::ReadOnly);
            if (t == QLatin1String("merkmale")) {
                probe.close();
                if (saeMerkmale(db) && e == Ergebnis::Ok) e = Ergebnis::Aktualisiert;
            }
            note(t, e);
        } catch (const DatabaseError& err) {
            allOk = false;
            if (bericht.fehler) bericht.fehler(err, t + QStringLiteral(".db"));
            note(t, Ergebnis::Fehler, err.message());
        }
    };
    // main window
    step(QStringLiteral("sprmel"), false);
    step(QStringLiteral("sprache"), false);
    step(QStringLiteral("topkatze"), true);
    step(QStringLiteral("merkmale"), true);
    step(QStringLiteral("katzemerkmal"), true);
    step(QStringLiteral("catstamm"), false,
         {{QStringLiteral("GebDatum"), QStringLiteral("GebDatum;Name")},
          {QStringLiteral("Farbe"), QStringLiteral("FellFarbe;Name")}});
    step(QStringLiteral("zusatz"), true);
    // shared data module
    step(QStringLiteral("farbe"), false,
         {{QStringLiteral("FarbnummerLaufendeNummer"), QStringLiteral("Farbnummer;LaufendeNummer")}});
    step(QStringLiteral("rasse"), false, {{QStringLiteral("RKurznameRCode"), QStringLiteral("RKurzname;Rcode")}});
    for (const char* t : {"augen", "bilder"}) step(QString::fromLatin1(t), false);
    step(QStringLiteral("bewert"), true);
    for (const char* t : {"verkauft", "adr_dat", "fellart", "titelbez", "titelhund"}) step(QString::fromLatin1(t), false);
    // register
    step(QStringLiteral("catstamm"), false,
         {{QStringLiteral("IDXMutterGebDatum"), QStringLiteral("Mutter;GebDatum;Geschlecht")}});
    step(QStringLiteral("wurfbuch"), false);
    step(QStringLiteral("deckbuch"), false);
    if (bericht.tabelle)
        for (const QString& t : order) bericht.tabelle(t, results[t], messages.value(t));
    return allOk;
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

bool indexNeuAufbauen(Database& db, const QString& tabelle, const StartBericht& bericht) {
    const QString n = Database::normalName(tabelle);
    if (db.openCursorCount(n) > 0) return false;
    if (!dateienBereinigen(db.directory(), n)) return false;
    Table t(db, n);
    try {
        t.open(Table::OpenMode::Exclusive);
        t.append();
        // required fields get a placeholder so the test record can be stored at all
        for (int i = 0; i < t.fieldCount(); ++i) {
            const FieldDef& f = t.fieldDef(i);
            if (!f.required || f.type == FieldType::Auto) continue;
            t.setValue(i, f.type == FieldType::Text || f.type == FieldType::Memo ? QVariant(QStringLiteral("x")) : QVariant(0));
        }
        if (const IndexDef* pk = t.definition().primaryKey())
            for (const QString& f : pk->fields)
                if (t.fieldDef(t.fieldIndex(f)).type != FieldType::Auto && t.isNull(f)) t.setValue(f, -1);
        t.post();
        t.remove();
    } catch (const DatabaseError&) {
        if (t.isOpen()) t.cancel();
        t.close();
        return false;
    }
    try {
        if (!t.indexDefs().isEmpty()) t.deleteIndex(QString());
        const TableDef* def = catalogueTable(n);
        if (def)
            for (const IndexDef& ix : def->indexes) {
                if (!ix.rebuilt) continue;
                try {
                    t.addIndex(ix);
                } catch (const DatabaseError& e) {
                    if (bericht.fehler) bericht.fehler(e, n + QStringLiteral(".db"));
                }
            }
    } catch (const DatabaseError& e) {
        if (bericht.fehler) bericht.fehler(e, n + QStringLiteral(".db"));
    }
    t.close();
    return true;
}

void direktNeuAufbauen(Database& db, const QString& tabelle) {
    Table t(db, tabelle);
    t.open(Table::OpenMode::Exclusive);
    if (!t.indexDefs().isEmpty()) t.deleteIndex(QString());
    addCatalogueIndexes(t, Database::normalName(tabelle), true);
    t.close();
}

bool CatstammIndex(Database& db, const StartBericht& b) { return indexNeuAufbauen(db, QStringLiteral("catstamm"), b); }
bool BilderIndex(Database& db, const StartBericht& b) { return indexNeuAufbauen(db, QStringLiteral("bilder"), b); }
bool ImpfungIndex(Database& db, const StartBericht& b) { return indexNeuAufbauen(db, QStringLiteral("impfung"), b); }
bool WurmkurIndex(Database& db, const StartBericht& b) { return indexNeuAufbauen(db, QStringLiteral("wurmkur"), b); }
bool WurfbuchIndex(Database& db, const StartBericht& b) { return indexNeuAufbauen(db, QStringLiteral("wurfbuch"), b); }
bool AdressenIndex(Database& db, const StartBericht& b) { return indexNeuAufbauen(db, QStringLiteral("adr_dat"), b); }
bool SpracheIndex(Database& db, const StartBericht& b) { return indexNeuAufbauen(db, QStringLiteral("sprache"), b); }
bool MeldungIndex(Database& db, const StartBericht& b) { return indexNeuAufbauen(db, QStringLiteral("sprmel"), b); }
bool MerkmaleIndex(Database& db, const StartBericht& b) { return indexNeuAufbauen(db, QStringLiteral("merkmale"), b); }
bool KatzemerkmalIndex(Database& db, const StartBericht& b) {
    return indexNeuAufbauen(db, QStringLiteral("katzemerkmal"), b);
}

} // namespace velmora::store
