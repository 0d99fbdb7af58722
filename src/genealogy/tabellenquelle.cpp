#include "genealogy/tabellenquelle.h"

#include "store/catalogue.h"
#include "store/errors.h"

namespace velmora::genealogy {

namespace {

qint32 zahl(const QVariant& v) {
    return v.isNull() ? 0 : v.toInt();
}

} // namespace

TabellenKatzenQuelle::TabellenKatzenQuelle(store::Database& db) : m_db(db) {
    m_katzen = std::make_unique<store::Table>(db, QStringLiteral("catstamm"));
    m_katzen->open(store::Table::OpenMode::ReadOnly);
    m_katzen->setIndexName(QString());
    m_feldVater = m_katzen->fieldIndex(QStringLiteral("Vater"));
    m_feldMutter = m_katzen->fieldIndex(QStringLiteral("Mutter"));
    m_feldName = m_katzen->fieldIndex(QStringLiteral("Name"));
    // A register without feature tables still has cats; the features then stay empty.
    if (db.tableExists(QStringLiteral("katzemerkmal"))) {
        m_merkmale = std::make_unique<store::Table>(db, QStringLiteral("katzemerkmal"));
        m_merkmale->open(store::Table::OpenMode::ReadOnly);
        m_merkmale->setIndexName(QStringLiteral("Katze"));
        m_feldKatze = m_merkmale->fieldIndex(QStringLiteral("Katze"));
        m_feldMerkmal = m_merkmale->fieldIndex(QStringLiteral("Merkmal"));
    }
    if (db.tableExists(QStringLiteral("merkmale"))) {
        m_farben = std::make_unique<store::Table>(db, QStringLiteral("merkmale"));
        m_farben->open(store::Table::OpenMode::ReadOnly);
        m_farben->setIndexName(QString());
    }
    m_listener = db.addChangeListener([this](const QString& tabelle, store::ChangeKind, qint64) {
        if (tabelle == QLatin1String("merkmale")) m_farbCache.clear();
        if (tabelle == QLatin1String("topkatze")) m_top.reset();
        if (tabelle == QLatin1String("catstamm") || tabelle == QLatin1String("katzemerkmal"))
            m_katzenCache.clear();
    });
}

TabellenKatzenQuelle::~TabellenKatzenQuelle() {
    m_db.removeChangeListener(m_listener);
}

void TabellenKatzenQuelle::cacheLeeren() {
    m_katzenCache.clear();
    m_farbCache.clear();
    m_top.reset();
}

void TabellenKatzenQuelle::aktualisieren() {
    cacheLeeren();
    // the cursors' record orders do not see other connections' changes either
    m_katzen->refresh();
    if (m_merkmale) m_merkmale->refresh();
    if (m_farben) m_farben->refresh();
}

bool TabellenKatzenQuelle::lesen(qint32 nr, KatzenDaten& daten) {
    if (nr == 0) return false;
    auto it = m_katzenCache.constFind(nr);
    if (it == m_katzenCache.constEnd()) {
        KatzenDaten d;
        std::optional<KatzenDaten> eintrag;
        if (ausTabelle(nr, d)) eintrag = std::move(d);
        it = m_katzenCache.insert(nr, std::move(eintrag));
    }
    if (!*it) return false;
    daten = **it;
    return true;
}

bool TabellenKatzenQuelle::ausTabelle(qint32 nr, KatzenDaten& daten) {
    if (!m_katzen->findKey({nr})) return false;
    daten.Vater = zahl(m_katzen->value(m_feldVater));
    daten.Mutter = zahl(m_katzen->value(m_feldMutter));
    daten.Name = m_katzen->value(m_feldName).toString();
    daten.Merkmale.clear();
    if (m_merkmale) {
        // One indexed look-up, in the order of index "Katze" (equal keys by record). Walking the cursor
        // on from the nearest row asks the engine for the next key with a search that grows with the
        // table, which made reading a pedigree of a few thousand cats take a second.
        store::Query q(
            m_db, QStringLiteral("SELECT Merkmal FROM katzemerkmal WHERE Katze = ? ORDER BY rowid"), {nr});
        while (q.next())
            daten.Merkmale.push_back(zahl(q.value(0)));
    }
    return true;
}

void TabellenKatzenQuelle::vorfahrenVorlesen(qint32 vater, qint32 mutter) {
    // UNION keeps each ancestor once, so a pedigree that collapses is read by its distinct cats and a
    // faulty loop in the parent links ends.
    const QString ahnen = QStringLiteral(
        "WITH RECURSIVE ahnen(nr) AS (VALUES (?), (?) UNION "
        "SELECT CASE s.i WHEN 0 THEN c.Vater ELSE c.Mutter END FROM ahnen AS a "
        "JOIN catstamm AS c ON c.LaufendeNummer = a.nr JOIN (SELECT 0 AS i UNION ALL SELECT 1) AS s "
        "WHERE CASE s.i WHEN 0 THEN c.Vater ELSE c.Mutter END > 0) ");
    const QVariantList start{vater, mutter};
    try {
        QHash<qint32, KatzenDaten> gelesen;
        store::Query k(
            m_db,
            ahnen + QStringLiteral("SELECT c.LaufendeNummer, c.Vater, c.Mutter, c.Name FROM ahnen AS a "
                                   "JOIN catstamm AS c ON c.LaufendeNummer = a.nr"),
            start);
        while (k.next()) {
            const qint32 nr = zahl(k.value(0));
            if (m_katzenCache.contains(nr)) continue;
            KatzenDaten& d = gelesen[nr];
            d.Vater = zahl(k.value(1));
            d.Mutter = zahl(k.value(2));
            d.Name = k.value(3).toString();
        }
        if (gelesen.isEmpty()) return;
        if (m_merkmale) {
            store::Query m(
                m_db,
                ahnen + QStringLiteral("SELECT m.Katze, m.Merkmal FROM ahnen AS a JOIN katzemerkmal AS m "
                                       "ON m.Katze = a.nr ORDER BY m.Katze, m.rowid"),
                start);
            while (m.next()) {
                auto it = gelesen.find(zahl(m.value(0)));
                if (it != gelesen.end()) it->Merkmale.push_back(zahl(m.value(1)));
            }
        }
        for (auto it = gelesen.begin(); it != gelesen.end(); ++it)
            m_katzenCache.insert(it.key(), std::move(it.value()));
    } catch (const store::DatabaseError&) {
        // The cats are then read one by one, and that read reports what is wrong.
    }
}

std::optional<qint32> TabellenKatzenQuelle::merkmalFarbe(qint32 merkmal) {
    auto it = m_farbCache.constFind(merkmal);
    if (it != m_farbCache.constEnd()) return *it;
    std::optional<qint32> farbe;
    if (m_farben && m_farben->findKey({merkmal})) {
        const QVariant v = m_farben->value(QStringLiteral("farbe"));
        if (!v.isNull()) farbe = v.toInt();
    }
    m_farbCache.insert(merkmal, farbe);
    return farbe;
}

QVector<TopKatzeZeile> TabellenKatzenQuelle::topKatzen() {
    if (m_top) return *m_top;
    QVector<TopKatzeZeile> zeilen;
    if (m_db.tableExists(QStringLiteral("topkatze"))) {
        store::Table t(m_db, QStringLiteral("topkatze"));
        t.open(store::Table::OpenMode::ReadOnly);
        for (t.first(); t.hasRecord() && !t.eof(); t.next()) {
            TopKatzeZeile z;
            z.LaufendeNummer = zahl(t.value(QStringLiteral("LaufendeNummer")));
            z.Katze = zahl(t.value(QStringLiteral("Katze")));
            const QVariant f = t.value(QStringLiteral("Farbe"));
            if (!f.isNull()) z.Farbe = f.toInt();
            zeilen.push_back(z);
        }
    }
    m_top = zeilen;
    return zeilen;
}

store::TableDef vorfahrenlisteDefinition() {
    if (const store::TableDef* def = store::catalogueTable(QStringLiteral("vorfahrenliste"))) return *def;
    using store::FieldType;
    store::TableDef def;
    def.name = QStringLiteral("vorfahrenliste");
    def.fields = {{QStringLiteral("Nummer"), FieldType::Int, 0, true},
                  {QStringLiteral("Name"), FieldType::Text, 50, true},
                  {QStringLiteral("Anzahl"), FieldType::Int, 0, true},
                  {QStringLiteral("Farbe"), FieldType::Int, 0, false}};
    store::IndexDef primaer;
    primaer.fields = {QStringLiteral("Nummer")};
    primaer.unique = true;
    store::IndexDef name;
    name.name = QStringLiteral("IndexName");
    name.fields = {QStringLiteral("Name"), QStringLiteral("Nummer")};
    name.unique = true;
    store::IndexDef anzahl;
    anzahl.name = QStringLiteral("IndexAnzahl");
    anzahl.fields = {QStringLiteral("Anzahl"), QStringLiteral("Name"), QStringLiteral("Nummer")};
    anzahl.unique = true;
    anzahl.descending = true;
    def.indexes = {primaer, name, anzahl};
    return def;
}

TabellenVorfahrenZiel::TabellenVorfahrenZiel(store::Database& db) : m_db(db) {}

TabellenVorfahrenZiel::~TabellenVorfahrenZiel() = default;

bool TabellenVorfahrenZiel::neuAnlegen() {
    letzterFehler.clear();
    try {
        m_tabelle.reset();
        if (m_db.tableExists(QStringLiteral("vorfahrenliste")))
            m_db.dropTable(QStringLiteral("vorfahrenliste"));
        m_db.createTable(vorfahrenlisteDefinition());
        m_tabelle = std::make_unique<store::Table>(m_db, QStringLiteral("vorfahrenliste"));
        m_tabelle->open();
        return true;
    } catch (const store::DatabaseError& e) {
        letzterFehler = e.message();
        m_tabelle.reset();
        return false;
    }
}

void TabellenVorfahrenZiel::schreiben(const QVector<VorfahrZeile>& zeilen) {
    if (!m_tabelle || !m_tabelle->isOpen()) return;
    try {
        store::Table& t = *m_tabelle;
        t.setIndexName(QString());
        const int name = t.fieldIndex(QStringLiteral("Name"));
        const int groesse = t.fieldDef(name).size;
        store::Transaction tx(m_db, QStringLiteral("vorfahrenliste"));
        for (const VorfahrZeile& z : zeilen) {
            t.append();
            t.setValue(QStringLiteral("Nummer"), z.Nummer);
            // The cat table allows longer names than this table keeps; the row must not be lost over it.
            t.setValue(name, groesse > 0 ? z.Name.left(groesse) : z.Name);
            t.setValue(QStringLiteral("Anzahl"), z.Anzahl);
            if (z.Farbe) t.setValue(QStringLiteral("Farbe"), *z.Farbe);
            t.post();
        }
        tx.commit();
        t.setIndexName(QStringLiteral("IndexName"));
        t.first();
    } catch (const store::DatabaseError& e) {
        letzterFehler = e.message();
    }
}

} // namespace velmora::genealogy
