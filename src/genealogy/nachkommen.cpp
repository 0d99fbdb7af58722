#include "genealogy/nachkommen.h"

#include "genealogy/verpaarung.h"
#include "store/database.h"
#include "store/wiederholteabfrage.h"

#include <algorithm>

namespace velmora::genealogy {

namespace {

constexpr char kSpalten[] = "c.LaufendeNummer, c.Name, c.Geschlecht, c.GebDatum, c.Toddatum, c.Status, "
                            "c.Vater, c.Mutter";

template <typename Q> Nachkomme ausAbfrage(const Q& q) {
    Nachkomme k;
    k.nr = q.value(0).toInt();
    k.name = q.value(1).toString();
    k.geschlecht = q.value(2).toString();
    k.gebDatum = q.value(3).toDate();
    k.tod = q.value(4).toDate();
    k.status = q.value(5).toInt();
    k.vater = q.value(6).toInt();
    k.mutter = q.value(7).toInt();
    return k;
}

std::unique_ptr<store::WiederholteAbfrage> abfrage(store::Database& db, const QString& sql) {
    return std::make_unique<store::WiederholteAbfrage>(db, sql);
}

QString adresse(const QVariant& name, const QVariant& vorname) {
    const QString n = name.toString(), v = vorname.toString();
    return v.isEmpty() ? n : n + QStringLiteral(", ") + v;
}

} // namespace

NachkommenLeser::NachkommenLeser(store::Database& db) : m_db(db) {
    const QString spalten = QLatin1String(kSpalten);
    m_katze = abfrage(db, QStringLiteral("SELECT ") + spalten +
                              QStringLiteral(" FROM catstamm c WHERE c.LaufendeNummer = ?"));
    // The order of IdxVater and IdxMutter; the record number decides between cats alike in both.
    m_vater = abfrage(db, QStringLiteral("SELECT ") + spalten +
                              QStringLiteral(" FROM catstamm c WHERE c.Vater = ? "
                                             "ORDER BY c.GebDatum, c.Name, c.LaufendeNummer"));
    m_mutter = abfrage(db, QStringLiteral("SELECT ") + spalten +
                               QStringLiteral(" FROM catstamm c WHERE c.Mutter = ? "
                                              "ORDER BY c.GebDatum, c.Name, c.LaufendeNummer"));
    m_istVater = abfrage(db, QStringLiteral("SELECT 1 FROM catstamm c WHERE c.Vater = ? LIMIT 1"));
}

NachkommenLeser::~NachkommenLeser() = default;

std::optional<Nachkomme> NachkommenLeser::katze(qint32 nr) {
    m_katze->ausfuehren({nr});
    if (!m_katze->next()) return std::nullopt;
    Nachkomme k = ausAbfrage(*m_katze);
    m_katze->beenden(); // no read lock held between calls
    return k;
}

const QVector<Nachkomme>& NachkommenLeser::kinder(const Nachkomme& eltern) {
    auto it = m_kinder.find(eltern.nr);
    if (it != m_kinder.end()) return it->second;
    bool vater = false;
    if (const auto k = istKater(eltern.geschlecht)) {
        vater = *k;
    } else {
        m_istVater->ausfuehren({eltern.nr});
        vater = m_istVater->next();
        m_istVater->beenden();
    }
    store::WiederholteAbfrage& q = vater ? *m_vater : *m_mutter;
    q.ausfuehren({eltern.nr});
    QVector<Nachkomme> kinder;
    while (q.next())
        kinder << ausAbfrage(q);
    ++m_gelesen;
    return m_kinder.emplace(eltern.nr, std::move(kinder)).first->second;
}

// ------------------------------------------------------------------ the direct list

DirekteNachkommen direkteNachkommen(store::Database& db, qint32 katze) {
    DirekteNachkommen d;
    QString geschlecht;
    {
        store::Query q(db, QStringLiteral("SELECT c.Geschlecht FROM catstamm c WHERE c.LaufendeNummer = ?"),
                       {katze});
        if (!q.next()) return d;
        geschlecht = q.value(0).toString();
    }
    d.kater = alsVaterGefuehrt(db, katze, geschlecht);
    const bool rasse = db.tableExists(QStringLiteral("rasse"));
    const bool adressen = db.tableExists(QStringLiteral("adr_dat"));
    const bool merkmale =
        db.tableExists(QStringLiteral("katzemerkmal")) && db.tableExists(QStringLiteral("merkmale"));
    if (!rasse) d.fehlendeTabellen << QStringLiteral("Rasse.db");
    if (!adressen) d.fehlendeTabellen << QStringLiteral("Adr_dat.DB");
    if (!merkmale) {
        if (!db.tableExists(QStringLiteral("merkmale"))) d.fehlendeTabellen << QStringLiteral("Merkmale.db");
        if (!db.tableExists(QStringLiteral("katzemerkmal")))
            d.fehlendeTabellen << QStringLiteral("KatzeMerkmal.db");
    }

    const QString eigen = d.kater ? QStringLiteral("Vater") : QStringLiteral("Mutter");
    const QString anderer = d.kater ? QStringLiteral("Mutter") : QStringLiteral("Vater");
    QString sql =
        QStringLiteral("SELECT c.LaufendeNummer, c.Name, c.GebDatum, c.Geschlecht, c.FellFarbe, ") +
        (rasse ? QStringLiteral("r.RName, ") : QStringLiteral("NULL, ")) + QStringLiteral("o.Name, ") +
        (adressen ? QStringLiteral("z.Name, z.Vorname, e.Name, e.Vorname, ")
                  : QStringLiteral("NULL, NULL, NULL, NULL, ")) +
        (merkmale
             ? QStringLiteral("(SELECT group_concat(x.kurz, '/') FROM (SELECT NULLIF(mm.Kuerzel, '') AS kurz "
                              "FROM katzemerkmal km JOIN merkmale mm ON mm.LaufendeNummer = km.Merkmal "
                              "WHERE km.Katze = c.LaufendeNummer ORDER BY km.LaufendeNummer) x) ")
             : QStringLiteral("NULL ")) +
        QStringLiteral("FROM catstamm c LEFT JOIN catstamm o ON o.LaufendeNummer = c.") + anderer +
        QLatin1Char(' ');
    if (rasse) sql += QStringLiteral("LEFT JOIN rasse r ON r.RCode = c.Rasse ");
    if (adressen)
        sql += QStringLiteral("LEFT JOIN adr_dat z ON z.LaufendeNr = c.\"Züchter\" "
                              "LEFT JOIN adr_dat e ON e.LaufendeNr = c.Besitzer ");
    sql += QStringLiteral("WHERE c.") + eigen +
           QStringLiteral(" = ? ORDER BY c.GebDatum, c.Name, c.LaufendeNummer");
    store::Query q(db, sql, {katze});
    while (q.next()) {
        NachkommenZeile z;
        z.nr = q.value(0).toInt();
        z.name = q.value(1).toString();
        z.gebDatum = q.value(2).toDate();
        z.geschlecht = q.value(3).toString();
        const QString farbe = q.value(4).toString(), rassename = q.value(5).toString();
        z.rasseFarbe = rassename.isEmpty() ? farbe
                       : farbe.isEmpty()   ? rassename
                                           : rassename + QStringLiteral(" / ") + farbe;
        z.andererElternteil = q.value(6).toString();
        if (!q.value(7).isNull()) z.zuechter = adresse(q.value(7), q.value(8));
        if (!q.value(9).isNull()) z.besitzer = adresse(q.value(9), q.value(10));
        z.merkmale = q.value(11).toString();
        d.zeilen << z;
    }
    return d;
}

QString geschlechtsText(const QString& code, int sprache) {
    if (sprache == 2) return {};
    const bool englisch = sprache == 1;
    if (code == QLatin1String("1")) return QStringLiteral("m");
    if (code == QLatin1String("2")) return englisch ? QStringLiteral("f") : QStringLiteral("w");
    if (code == QLatin1String("3")) return QStringLiteral("m/k");
    if (code == QLatin1String("4")) return englisch ? QStringLiteral("f/k") : QStringLiteral("w/k");
    return {};
}

QString elternBeschriftung(bool kater, int sprache) {
    if (sprache == 0) return kater ? QStringLiteral("Mutter") : QStringLiteral("Vater");
    return kater ? QStringLiteral("mother") : QStringLiteral("father");
}

// ------------------------------------------------------------------ the tree

Nachkommenbaum::Nachkommenbaum(NachkommenLeser& leser, qint32 wurzel) : m_leser(leser) {
    const auto k = leser.katze(wurzel);
    if (!k) return;
    m_knoten.push_back({*k, -1, {}, false});
    oeffnen(0);
}

int Nachkommenbaum::oeffnen(int knoten) {
    if (knoten < 0 || knoten >= groesse() || m_knoten[size_t(knoten)].gefuellt) return 0;
    m_knoten[size_t(knoten)].gefuellt = true;
    // a copy: the node vector grows below
    const QVector<Nachkomme> kinder = m_leser.kinder(m_knoten[size_t(knoten)].katze);
    for (const Nachkomme& k : kinder) {
        m_knoten[size_t(knoten)].kinder << groesse();
        m_knoten.push_back({k, knoten, {}, false});
    }
    return int(kinder.size());
}

QString knotenText(const Nachkomme& k) {
    return k.name + QStringLiteral(" {") + QString::number(k.nr) + QLatin1Char('}');
}

std::optional<qint32> knotenNummer(const QString& text) {
    const qsizetype auf = text.indexOf(QLatin1Char('{'));
    if (auf < 0 || !text.endsWith(QLatin1Char('}'))) return std::nullopt;
    bool ok = false;
    const qint32 nr = text.mid(auf + 1, text.size() - auf - 2).toInt(&ok);
    if (!ok) return std::nullopt;
    return nr;
}

// ------------------------------------------------------------------ the walk

Nachkommenlauf nachkommenLaufen(NachkommenLeser& leser, const Nachkomme& start, int generationen,
                                const std::function<bool(int ebene, const Nachkomme& katze)>& besuch) {
    Nachkommenlauf lauf;
    if (generationen < 1) return lauf;
    QSet<qint32> alle;
    QVector<QSet<qint32>> jeEbene;
    // The way from the start down to the current cat: its cats and, per step, the next kitten to visit.
    struct Schritt {
        const QVector<Nachkomme>* kinder;
        int naechstes;
    };
    std::vector<Schritt> weg;
    QSet<qint32> aufDemWeg{start.nr};
    std::vector<qint32> wegNummern{start.nr};
    weg.push_back({&leser.kinder(start), 0});
    while (!weg.empty()) {
        Schritt& s = weg.back();
        if (s.naechstes >= s.kinder->size()) {
            weg.pop_back();
            aufDemWeg.remove(wegNummern.back());
            wegNummern.pop_back();
            continue;
        }
        const Nachkomme k = (*s.kinder)[s.naechstes++];
        const int ebene = int(weg.size());
        if (jeEbene.size() < ebene) {
            jeEbene.resize(ebene);
            lauf.generationen.resize(ebene);
            lauf.generationen[ebene - 1].ebene = ebene;
        }
        const auto zaehlen = [&k](Generationszahlen& g) {
            ++g.katzen;
            const auto kater = istKater(k.geschlecht);
            ++(!kater ? g.ohneAngabe : *kater ? g.maennlich : g.weiblich);
            ++(k.tot() ? g.tot : g.lebend);
        };
        Generationszahlen& g = lauf.generationen[ebene - 1];
        ++g.auftreten;
        ++lauf.auftreten;
        ++lauf.gesamt.auftreten;
        if (!jeEbene[ebene - 1].contains(k.nr)) {
            jeEbene[ebene - 1].insert(k.nr);
            zaehlen(g);
        }
        if (!alle.contains(k.nr)) {
            alle.insert(k.nr);
            ++lauf.katzen;
            zaehlen(lauf.gesamt);
        }
        if (besuch && !besuch(ebene, k)) {
            lauf.abgebrochen = true;
            break;
        }
        if (ebene < generationen && !aufDemWeg.contains(k.nr)) {
            const QVector<Nachkomme>* kinder = &leser.kinder(k);
            aufDemWeg.insert(k.nr);
            wegNummern.push_back(k.nr);
            weg.push_back({kinder, 0});
        }
    }
    return lauf;
}

} // namespace velmora::genealogy
