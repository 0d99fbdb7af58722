#include "genealogy/verpaarung.h"

#include "genealogy/inzuchtberechnung.h"
#include "store/database.h"

#include <algorithm>

namespace velmora::genealogy {

std::optional<bool> istKater(const QString& geschlecht) {
    if (geschlecht == QLatin1String("1") || geschlecht == QLatin1String("3")) return true;
    if (geschlecht == QLatin1String("2") || geschlecht == QLatin1String("4")) return false;
    return std::nullopt;
}

bool alsVaterGefuehrt(store::Database& db, qint32 katze, const QString& geschlecht) {
    if (const auto k = istKater(geschlecht)) return *k;
    store::Query q(db, QStringLiteral("SELECT 1 FROM catstamm c WHERE c.Vater = ? LIMIT 1"), {katze});
    return q.next();
}

QString verpaarungAbfrage(bool kater) {
    // a: the kitten, b: the partner. Every column is qualified: the engine reads bare words that name a
    // table of the data directory (Status, Rasse) as that table.
    const QString link = kater ? QStringLiteral("Mutter") : QStringLiteral("Vater");
    const QString eigen = kater ? QStringLiteral("Vater") : QStringLiteral("Mutter");
    return QStringLiteral(
               "SELECT b.Name, a.%1, a.GebDatum, a.Name, a.Geschlecht, a.LaufendeNummer, b.LaufendeNummer, "
               "a.FellFarbe, a.Rasse, a.Besitzer, a.\"Züchter\", b.Geschlecht, b.FellFarbe, b.Rasse, "
               "b.Besitzer, b.\"Züchter\", b.Toddatum, b.Status, a.Status, a.Toddatum, a.TitelGer1, "
               "a.TitelGer2, a.TitelUSA1, a.TitelUSA2, a.TitelUSA3, a.TitelUSA4, b.TitelGer1, b.TitelGer2, "
               "b.TitelUSA1, b.TitelUSA2, b.TitelUSA3, b.TitelUSA4 "
               "FROM catstamm a, catstamm b "
               "WHERE (a.%2 = ?) AND (a.%1 = b.LaufendeNummer) "
               "ORDER BY b.Name, b.LaufendeNummer, a.GebDatum DESC, a.Name, a.LaufendeNummer")
        .arg(link, eigen);
}

QVector<VerpaarungZeile> verpaarungenLesen(store::Database& db, qint32 katze, bool kater) {
    QVector<VerpaarungZeile> zeilen;
    store::Query q(db, verpaarungAbfrage(kater), {katze});
    const auto text = [&q](int i) { return q.value(i).toString(); };
    const auto zahl = [&q](int i) { return q.value(i).toInt(); };
    const auto datum = [&q](int i) { return q.value(i).toDate(); };
    while (q.next()) {
        VerpaarungZeile z;
        z.partnerName = text(0);
        z.gebDatum = datum(2);
        z.name = text(3);
        z.geschlecht = text(4);
        z.jungtier = zahl(5);
        z.partner = zahl(6);
        z.fellFarbe = text(7);
        z.rasse = zahl(8);
        z.besitzer = zahl(9);
        z.zuechter = zahl(10);
        z.partnerGeschlecht = text(11);
        z.partnerFellFarbe = text(12);
        z.partnerRasse = zahl(13);
        z.partnerBesitzer = zahl(14);
        z.partnerZuechter = zahl(15);
        z.partnerTod = datum(16);
        z.partnerStatus = zahl(17);
        z.status = zahl(18);
        z.tod = datum(19);
        for (int i = 0; i < 6; ++i) {
            z.titel[size_t(i)] = text(20 + i);
            z.partnerTitel[size_t(i)] = text(26 + i);
        }
        zeilen << z;
    }
    return zeilen;
}

QVector<Verpaarungspartner> verpaarungsbaum(const QVector<VerpaarungZeile>& zeilen) {
    QVector<Verpaarungspartner> partner;
    for (int i = 0; i < zeilen.size(); ++i) {
        const VerpaarungZeile& z = zeilen[i];
        const bool neuerPartner = partner.isEmpty() || zeilen[partner.last().erste].partner != z.partner;
        if (neuerPartner) partner.append({i, 0, {}});
        Verpaarungspartner& p = partner.last();
        // The first kitten of a partner always starts a litter, also without a birth date.
        if (neuerPartner || p.wuerfe.last().datum != z.gebDatum) p.wuerfe.append({i, 0, z.gebDatum});
        ++p.wuerfe.last().anzahl;
        ++p.anzahl;
    }
    return partner;
}

Zuchtzahlen zuchtzahlen(const QVector<VerpaarungZeile>& zeilen, const QVector<Wurf>& wuerfe) {
    Zuchtzahlen z;
    for (const Wurf& w : wuerfe) {
        ++z.wuerfe;
        z.jungtiere += w.anzahl;
        z.groesster = std::max(z.groesster, w.anzahl);
        z.kleinster = z.kleinster == 0 ? w.anzahl : std::min(z.kleinster, w.anzahl);
        for (int i = w.erste; i < w.erste + w.anzahl; ++i)
            ++(maennlichGezaehlt(zeilen[i].geschlecht) ? z.maennlich : z.weiblich);
    }
    return z;
}

Zuchtzahlen zuchtzahlen(const QVector<VerpaarungZeile>& zeilen, const QVector<Verpaarungspartner>& partner) {
    QVector<Wurf> alle;
    for (const Verpaarungspartner& p : partner)
        alle += p.wuerfe;
    return zuchtzahlen(zeilen, alle);
}

QString Zuchtzahlen::durchschnitt(const QLocale& locale) const {
    if (wuerfe == 0) return QStringLiteral("0");
    return festFormat(double(jungtiere) / double(wuerfe), 7, 1, locale);
}

Katzenangaben katzenangaben(store::Database& db, qint32 katze) {
    Katzenangaben a;
    const bool rasse = db.tableExists(QStringLiteral("rasse"));
    const bool adressen = db.tableExists(QStringLiteral("adr_dat"));
    const bool verkauft = db.tableExists(QStringLiteral("verkauft"));
    QString sql =
        QStringLiteral("SELECT c.Bemerkung, ") +
        (rasse ? QStringLiteral("r.RName, ") : QStringLiteral("NULL, ")) +
        (adressen ? QStringLiteral("e.Name, e.Vorname, z.Name, z.Vorname, ")
                  : QStringLiteral("NULL, NULL, NULL, NULL, ")) +
        (verkauft ? QStringLiteral("(SELECT v.Gekauftam FROM verkauft v WHERE v.Katze = c.LaufendeNummer "
                                   "ORDER BY v.LaufendeNummer LIMIT 1), "
                                   "(SELECT v.Verkauftam FROM verkauft v WHERE v.Katze = c.LaufendeNummer "
                                   "ORDER BY v.LaufendeNummer LIMIT 1) ")
                  : QStringLiteral("NULL, NULL ")) +
        QStringLiteral("FROM catstamm c ");
    if (rasse) sql += QStringLiteral("LEFT JOIN rasse r ON r.RCode = c.Rasse ");
    if (adressen)
        sql += QStringLiteral("LEFT JOIN adr_dat e ON e.LaufendeNr = c.Besitzer "
                              "LEFT JOIN adr_dat z ON z.LaufendeNr = c.\"Züchter\" ");
    sql += QStringLiteral("WHERE c.LaufendeNummer = ?");
    store::Query q(db, sql, {katze});
    if (!q.next()) return a;
    const auto anzeige = [&q](int name, int vorname) {
        const QString n = q.value(name).toString(), v = q.value(vorname).toString();
        return v.isEmpty() ? n : v + QLatin1Char(' ') + n;
    };
    a.gefunden = true;
    a.bemerkung = q.value(0).toString();
    a.rasse = q.value(1).toString();
    a.besitzer = anzeige(2, 3);
    a.zuechter = anzeige(4, 5);
    const auto datum = [&q](int i) {
        const QVariant v = q.value(i);
        return v.typeId() == QMetaType::QDate ? v.toDate()
                                              : QDate::fromString(v.toString().left(10), Qt::ISODate);
    };
    a.gekauft = datum(6);
    a.verkauft = datum(7);
    return a;
}

QString partnerZeile(int wuerfe, const QString& name, int sprache) {
    const bool englisch = sprache == 1;
    const QString eins = englisch ? QStringLiteral("  Litter with  ") : QStringLiteral("  Wurf   mit  ");
    const QString mehr = englisch ? QStringLiteral("  Litters with  ") : QStringLiteral("  Würfe mit  ");
    return QStringLiteral("  ") + QString::number(wuerfe) + (wuerfe == 1 ? eins : mehr) + name;
}

} // namespace velmora::genealogy
