#include "register/erinnerungen.h"

#include "store/errors.h"
#include "store/table.h"

#include <functional>
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

// The rows of a due-date index whose date lies within today +- kErinnerungsTage, in index order.
bool termine(store::Database& db, const QString& tabelle, const QString& index, const QString& feld,
             const QDate& heute, std::function<QString(int)> name, QList<FaelligerTermin>& zeilen,
             Erinnerungen& e) {
    auto t = oeffnen(db, tabelle, e);
    if (!t) return false;
    try {
        t->setIndexName(index);
        t->setRange({heute.addDays(-kErinnerungsTage)}, {heute.addDays(kErinnerungsTage)});
        for (t->first(); !t->eof() && t->hasRecord(); t->next()) {
            const int katze = t->asInt(QStringLiteral("Katze"));
            zeilen << FaelligerTermin{katze, name(katze), t->asDate(feld)};
        }
    } catch (const store::DatabaseError& err) {
        e.fehler << Pruefungsfehler{tabelle, err.message()};
        zeilen.clear();
        return false;
    }
    return true;
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

    // Names by primary key, one look-up per listed row; without the cat table the names stay empty.
    std::unique_ptr<store::Table> katzen;
    if (db.tableExists(kKatzen)) katzen = oeffnen(db, kKatzen, e);
    auto name = [&katzen](int katze) -> QString {
        if (!katzen || !katzen->findKey({katze})) return {};
        return katzen->asString(QStringLiteral("Name"));
    };
    if (schalter.impfung)
        e.impfungenGeprueft = termine(db, kImpfung, QStringLiteral("NeuAmKatzeIdx"), QStringLiteral("NeuAm"),
                                      heute, name, e.impfungen, e);
    if (schalter.wurmkur)
        e.wurmkurenGeprueft = termine(db, kWurmkur, QStringLiteral("NaechsteKatzeIdx"),
                                      QStringLiteral("Naechste"), heute, name, e.wurmkuren, e);
    return e;
}

} // namespace velmora::reg
