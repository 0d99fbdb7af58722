#include "genealogy/registerabbild.h"

#include "store/leseabfrage.h"

namespace velmora::genealogy {

namespace {
qint32 zahl(const QVariant& v) {
    return v.isNull() ? 0 : v.toInt();
}
QDate datum(const QVariant& v) {
    if (v.isNull()) return {};
    if (v.typeId() == QMetaType::QDate) return v.toDate();
    return QDate::fromString(v.toString().left(10), Qt::ISODate);
}
} // namespace

Registerabbild::Registerabbild(store::Database& db) : m_db(db) {
    m_listener = db.addChangeListener([this](const QString& tabelle, store::ChangeKind, qint64) {
        if (tabelle == QLatin1String("catstamm") || tabelle == QLatin1String("katzemerkmal")) {
            m_katzenCache.clear();
            m_alles = false;
        }
        if (tabelle == QLatin1String("merkmale")) m_merkmale.reset();
        if (tabelle == QLatin1String("topkatze")) m_top.reset();
    });
}

Registerabbild::~Registerabbild() {
    m_db.removeChangeListener(m_listener);
}

void Registerabbild::vergessen() {
    m_katzenCache.clear();
    m_merkmale.reset();
    m_top.reset();
    m_alles = false;
    // other connections' changes are seen only by re-reading the order
    if (m_katzen) m_katzen->refresh();
    if (m_katzeMerkmal) m_katzeMerkmal->refresh();
}

void Registerabbild::tabellenOeffnen() {
    if (m_katzen) return;
    m_katzen = std::make_unique<store::Table>(m_db, QStringLiteral("catstamm"));
    m_katzen->open(store::Table::OpenMode::ReadOnly);
    m_katzen->setIndexName(QString());
    if (m_db.tableExists(QStringLiteral("katzemerkmal"))) {
        m_katzeMerkmal = std::make_unique<store::Table>(m_db, QStringLiteral("katzemerkmal"));
        m_katzeMerkmal->open(store::Table::OpenMode::ReadOnly);
        m_katzeMerkmal->setIndexName(QStringLiteral("Katze"));
    }
}

bool Registerabbild::einzeln(qint32 nr, AbbildKatze& k) {
    tabellenOeffnen();
    if (!m_katzen->findKey({nr})) return false;
    k.nr = nr;
    k.vater = zahl(m_katzen->value(QStringLiteral("Vater")));
    k.mutter = zahl(m_katzen->value(QStringLiteral("Mutter")));
    k.name = m_katzen->asString(QStringLiteral("Name"));
    k.fellfarbe = m_katzen->asString(QStringLiteral("FellFarbe"));
    k.geschlecht = m_katzen->asString(QStringLiteral("Geschlecht"));
    k.geburt = m_katzen->asDate(QStringLiteral("GebDatum"));
    k.tod = m_katzen->asDate(QStringLiteral("Toddatum"));
    if (m_katzeMerkmal) {
        m_katzeMerkmal->findNearest({nr});
        while (m_katzeMerkmal->hasRecord() && !m_katzeMerkmal->eof() &&
               zahl(m_katzeMerkmal->value(QStringLiteral("Katze"))) == nr) {
            k.merkmale.push_back(zahl(m_katzeMerkmal->value(QStringLiteral("Merkmal"))));
            m_katzeMerkmal->next();
        }
    }
    return true;
}

const AbbildKatze* Registerabbild::katze(qint32 nr) {
    if (!nr) return nullptr;
    auto it = m_katzenCache.find(nr);
    if (it == m_katzenCache.end()) {
        if (m_alles) return nullptr;
        AbbildKatze k;
        std::optional<AbbildKatze> e;
        if (einzeln(nr, k)) e = std::move(k);
        it = m_katzenCache.insert(nr, std::move(e));
    }
    return *it ? &**it : nullptr;
}

void Registerabbild::allesLaden() {
    if (m_alles) return;
    QHash<qint32, std::optional<AbbildKatze>> alle;
    {
        store::LeseAbfrage q(
            m_db, {QStringLiteral("catstamm")},
            QStringLiteral("SELECT LaufendeNummer, Vater, Mutter, Name, FellFarbe, Geschlecht, "
                           "GebDatum, Toddatum FROM catstamm"));
        while (q.next()) {
            AbbildKatze k;
            k.nr = zahl(q.value(0));
            k.vater = zahl(q.value(1));
            k.mutter = zahl(q.value(2));
            k.name = q.value(3).toString();
            k.fellfarbe = q.value(4).toString();
            k.geschlecht = q.value(5).toString();
            k.geburt = datum(q.value(6));
            k.tod = datum(q.value(7));
            alle.insert(k.nr, std::move(k));
        }
    }
    if (m_db.tableExists(QStringLiteral("katzemerkmal"))) {
        store::LeseAbfrage q(
            m_db, {QStringLiteral("katzemerkmal")},
            QStringLiteral("SELECT Katze, Merkmal FROM katzemerkmal ORDER BY Katze, LaufendeNummer"));
        while (q.next()) {
            auto it = alle.find(zahl(q.value(0)));
            if (it != alle.end() && *it) (*it)->merkmale.push_back(zahl(q.value(1)));
        }
    }
    m_katzenCache = std::move(alle);
    m_alles = true;
}

const QHash<qint32, AbbildMerkmal>& Registerabbild::merkmalListe() {
    if (!m_merkmale) {
        QHash<qint32, AbbildMerkmal> l;
        if (m_db.tableExists(QStringLiteral("merkmale"))) {
            store::LeseAbfrage q(m_db, {QStringLiteral("merkmale")},
                                 QStringLiteral("SELECT LaufendeNummer, Bezeichnung, farbe FROM merkmale"));
            while (q.next())
                l.insert(zahl(q.value(0)), {q.value(1).toString(), zahl(q.value(2))});
        }
        m_merkmale = std::move(l);
    }
    return *m_merkmale;
}

QString Registerabbild::merkmalName(qint32 merkmal) {
    return merkmalListe().value(merkmal).bezeichnung;
}

qint32 Registerabbild::merkmalNummer(const QString& name) {
    qint32 ohneFall = 0;
    for (auto it = merkmalListe().cbegin(); it != merkmalListe().cend(); ++it) {
        if (it->bezeichnung == name) return it.key();
        if (!ohneFall && store::compareNoCase(it->bezeichnung, name) == 0) ohneFall = it.key();
    }
    return ohneFall;
}

bool Registerabbild::lesen(qint32 nr, KatzenDaten& daten) {
    const AbbildKatze* k = katze(nr);
    if (!k) return false;
    daten.Vater = k->vater;
    daten.Mutter = k->mutter;
    daten.Name = k->name;
    daten.Merkmale = k->merkmale;
    return true;
}

std::optional<qint32> Registerabbild::merkmalFarbe(qint32 merkmal) {
    auto it = merkmalListe().constFind(merkmal);
    if (it == merkmalListe().constEnd()) return std::nullopt;
    return it->farbe;
}

std::optional<qint32> Registerabbild::markierungsFarbe(qint32 nr, bool merkmalVorTop) {
    std::optional<qint32> top, merkmal;
    for (const TopKatzeZeile& z : topKatzen())
        if (nr && z.Katze == nr && z.Farbe) {
            top = z.Farbe;
            break;
        }
    if (const AbbildKatze* k = katze(nr); k && !k->merkmale.isEmpty())
        merkmal = merkmalFarbe(k->merkmale.first());
    if (merkmalVorTop) return merkmal ? merkmal : top;
    return top ? top : merkmal;
}

QVector<TopKatzeZeile> Registerabbild::topKatzen() {
    if (m_top) return *m_top;
    QVector<TopKatzeZeile> zeilen;
    if (m_db.tableExists(QStringLiteral("topkatze"))) {
        store::LeseAbfrage q(
            m_db, {QStringLiteral("topkatze")},
            QStringLiteral("SELECT LaufendeNummer, Katze, Farbe FROM topkatze ORDER BY LaufendeNummer"));
        while (q.next()) {
            TopKatzeZeile z;
            z.LaufendeNummer = zahl(q.value(0));
            z.Katze = zahl(q.value(1));
            if (!q.value(2).isNull()) z.Farbe = q.value(2).toInt();
            zeilen.push_back(z);
        }
    }
    m_top = zeilen;
    return zeilen;
}

} // namespace velmora::genealogy
