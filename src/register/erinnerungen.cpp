#include "register/erinnerungen.h"

#include "store/errors.h"
#include "store/table.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <memory>

namespace velmora::reg {

namespace {

const QString kApotheke = QStringLiteral("apotheke");
const QString kImpfung = QStringLiteral("impfung");
const QString kWurmkur = QStringLiteral("wurmkur");
const QString kKatzen = QStringLiteral("catstamm");

// Opens the table read-only; a failure is noted and gives no cursor.
std::unique_ptr<store::Table> oeffnen(store::Database& db, const QString& name, Erinnerungen& e) {
    try {
        auto t = std::make_unique<store::Table>(db, name);
        t->open(store::Table::OpenMode::ReadOnly);
        return t;
    } catch (const store::DatabaseError& err) {
        e.fehler << Pruefungsfehler{name, err.message()};
        return nullptr;
    }
}

// The rows of a due-date index whose date lies within today +- kErinnerungsTage, in index order; the
// names are filled in afterwards.
bool termine(store::Database& db, const QString& tabelle, const QString& index, const QString& feld,
             const QDate& heute, QList<FaelligerTermin>& zeilen, Erinnerungen& e) {
    auto t = oeffnen(db, tabelle, e);
    if (!t) return false;
    try {
        t->setIndexName(index);
        t->setRange({heute.addDays(-kErinnerungsTage)}, {heute.addDays(kErinnerungsTage)});
        const int fKatze = t->fieldIndex(QStringLiteral("Katze"));
        const int fDatum = t->fieldIndex(feld);
        for (t->first(); !t->eof() && t->hasRecord(); t->next())
            zeilen << FaelligerTermin{t->value(fKatze).toInt(), QString(), t->value(fDatum).toDate()};
    } catch (const store::DatabaseError& err) {
        e.fehler << Pruefungsfehler{tabelle, err.message()};
        zeilen.clear();
        return false;
    }
    return true;
}

// The cats' names by primary key: one statement for every listed cat (one look-up each costs more
// than the range walks), else one look-up per cat. Without the cat table the names stay empty.
void namenEintragen(store::Database& db, Erinnerungen& e) {
    QSet<int> nummern;
    for (const auto* liste : {&e.impfungen, &e.wurmkuren})
        for (const FaelligerTermin& z : *liste)
            nummern.insert(z.katze);
    if (nummern.isEmpty() || !db.tableExists(kKatzen)) return;
    QHash<int, QString> namen;
    try {
        QStringList liste;
        for (int n : std::as_const(nummern))
            liste << QString::number(n);
        store::Query q(db,
                       QStringLiteral("SELECT k.LaufendeNummer, k.Name FROM catstamm AS k WHERE k.LaufendeNummer "
                                      "IN (SELECT value FROM json_each(?))"),
                       {QString(QLatin1Char('[') + liste.join(QLatin1Char(',')) + QLatin1Char(']'))});
        while (q.next())
            namen.insert(q.value(0).toInt(), q.value(1).toString());
    } catch (const store::DatabaseError&) {
        namen.clear();
        if (auto katzen = oeffnen(db, kKatzen, e))
            try {
                for (int n : std::as_const(nummern))
                    if (katzen->findKey({n})) namen.insert(n, katzen->asString(QStringLiteral("Name")));
            } catch (const store::DatabaseError& err) {
                e.fehler << Pruefungsfehler{kKatzen, err.message()};
            }
    }
    for (auto* liste : {&e.impfungen, &e.wurmkuren})
        for (FaelligerTermin& z : *liste)
            z.name = namen.value(z.katze);
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
        if (auto t = oeffnen(db, kApotheke, e)) {
            try {
                t->setIndexName(QStringLiteral("VerfallsdatumIdx"));
                t->setRange({QVariant()}, {heute});
                for (t->first(); !t->eof() && t->hasRecord(); t->next())
                    e.medikamente << AbgelaufenesMedikament{t->asString(QStringLiteral("Medikament")),
                                                            t->asDate(QStringLiteral("Verfallsdatum"))};
                e.medikamenteGeprueft = true;
            } catch (const store::DatabaseError& err) {
                e.fehler << Pruefungsfehler{kApotheke, err.message()};
                e.medikamente.clear();
            }
        }
    }
    if (!schalter.impfung && !schalter.wurmkur) return e;

    if (schalter.impfung)
        e.impfungenGeprueft = termine(db, kImpfung, QStringLiteral("NeuAmKatzeIdx"), QStringLiteral("NeuAm"),
                                      heute, e.impfungen, e);
    if (schalter.wurmkur)
        e.wurmkurenGeprueft = termine(db, kWurmkur, QStringLiteral("NaechsteKatzeIdx"),
                                      QStringLiteral("Naechste"), heute, e.wurmkuren, e);
    namenEintragen(db, e);
    return e;
}

} // namespace velmora::reg
