#include "register/erinnerungen.h"

#include "store/errors.h"

#include "store/table.h"

#include <functional>

namespace velmora::reg {

namespace {

const QString kApotheke = QStringLiteral("apotheke");
const QString kImpfung = QStringLiteral("impfung");
const QString kWurmkur = QStringLiteral("wurmkur");
const QString kKatzen = QStringLiteral("catstamm");

// One statement per check: a table cursor costs tens of microseconds a row, a statement one or two, and
// a start lists thousands of rows on a register with a long history.
bool lesen(store::Database& db, const QString& tabelle, const QString& sql, const QVariantList& werte,
           const std::function<void(store::Query&)>& zeile, Erinnerungen& e) {
    try {
        if (!db.tableExists(tabelle)) {
            // The engine's own error for a missing or unreadable table file.
            store::Table t(db, tabelle);
            t.open(store::Table::OpenMode::ReadOnly);
        }
        store::Query q(db, sql, werte);
        while (q.next())
            zeile(q);
    } catch (const store::DatabaseError& err) {
        e.fehler << Pruefungsfehler{tabelle, err.message()};
        return false;
    }
    return true;
}

// The rows of a due date within today +- kErinnerungsTage, in the order of the table's due-date index
// (date, cat, record), with the cat's name when the cat table can be read.
bool termine(store::Database& db, const QString& tabelle, const QString& feld, const QDate& heute,
             QList<FaelligerTermin>& zeilen, Erinnerungen& e) {
    const QVariantList bereich{heute.addDays(-kErinnerungsTage), heute.addDays(kErinnerungsTage)};
    const QString auswahl =
        QStringLiteral(" FROM %1 AS t%2 WHERE t.%3 BETWEEN ? AND ? ORDER BY t.%3, t.Katze, t.LaufendeNr");
    const auto uebernehmen = [&zeilen](store::Query& q) {
        zeilen << FaelligerTermin{q.value(0).toInt(), q.value(2).toString(), q.value(1).toDate()};
    };
    Erinnerungen probe;
    if (db.tableExists(kKatzen)) {
        const QString sql =
            QStringLiteral("SELECT t.Katze, t.%1, k.Name").arg(feld) +
            auswahl.arg(tabelle, QStringLiteral(" LEFT JOIN catstamm AS k ON k.LaufendeNummer = t.Katze"),
                        feld);
        if (lesen(db, tabelle, sql, bereich, uebernehmen, probe)) return true;
        zeilen.clear();
        // The cat table may be the one that fails: the dates are still reminded of, without names.
    }
    const QString sql =
        QStringLiteral("SELECT t.Katze, t.%1, NULL").arg(feld) + auswahl.arg(tabelle, QString(), feld);
    if (lesen(db, tabelle, sql, bereich, uebernehmen, e)) {
        if (!probe.fehler.isEmpty()) e.fehler << Pruefungsfehler{kKatzen, probe.fehler.first().meldung};
        return true;
    }
    zeilen.clear();
    return false;
}

} // namespace

Erinnerungsliste Erinnerungen::erste() const {
    if (!medikamente.isEmpty()) return Erinnerungsliste::Medikamente;
    return nach(Erinnerungsliste::Medikamente);
}

Erinnerungsliste Erinnerungen::nach(Erinnerungsliste gezeigt) const {
    switch (gezeigt) {
    case Erinnerungsliste::Keine:
        return erste();
    case Erinnerungsliste::Medikamente:
        if (!impfungen.isEmpty()) return Erinnerungsliste::Impfungen;
        [[fallthrough]];
    case Erinnerungsliste::Impfungen:
        if (!wurmkuren.isEmpty()) return Erinnerungsliste::Wurmkuren;
        [[fallthrough]];
    case Erinnerungsliste::Wurmkuren:
        break;
    }
    return Erinnerungsliste::Keine;
}

Erinnerungen erinnerungenPruefen(store::Database& db, const Warnschalter& schalter, const QDate& heute) {
    Erinnerungen e;
    if (schalter.verfallsdatum) {
        // No lower bound: rows without an expiry date sort first and count as expired. A medicine
        // expiring today is listed too, so that it is not given today unwarned.
        e.medikamenteGeprueft = lesen(
            db, kApotheke,
            QStringLiteral(
                "SELECT a.Medikament, a.Verfallsdatum FROM apotheke AS a WHERE a.Verfallsdatum IS NULL "
                "OR a.Verfallsdatum <= ? ORDER BY a.Verfallsdatum, a.LaufendeNummer"),
            {heute},
            [&e](store::Query& q) {
                e.medikamente << AbgelaufenesMedikament{q.value(0).toString(), q.value(1).toDate()};
            },
            e);
        if (!e.medikamenteGeprueft) e.medikamente.clear();
    }
    if (!schalter.impfung && !schalter.wurmkur) return e;

    if (schalter.impfung)
        e.impfungenGeprueft = termine(db, kImpfung, QStringLiteral("NeuAm"), heute, e.impfungen, e);
    if (schalter.wurmkur)
        e.wurmkurenGeprueft = termine(db, kWurmkur, QStringLiteral("Naechste"), heute, e.wurmkuren, e);
    return e;
}

} // namespace velmora::reg
