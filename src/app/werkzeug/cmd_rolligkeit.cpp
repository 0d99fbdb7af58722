// rolligkeit: the heat statistics of one cat and its heats with the days between them.

#include "app/werkzeug/werkzeug.h"
#include "register/zuchtbuch.h"
#include "settings/einstellungsort.h"
#include "settings/systeminfo.h"
#include "store/database.h"
#include "store/errors.h"
#include "store/table.h"

using namespace velmora;

namespace {

constexpr char kAufruf[] = "rolligkeit DIR --katze N [--heute YYYY-MM-DD] [--einstellungen DIR]";

QString iso(const QDate& d) {
    return d.isValid() ? d.toString(Qt::ISODate) : QString();
}

werkzeug::Registrar
    rolligkeit("rolligkeit", kAufruf, [](const QStringList& a, QTextStream& out, QTextStream& err) -> int {
        QStringList args = a;
        const QString katzeText = werkzeug::takeOption(args, QStringLiteral("--katze"));
        const QString heuteText = werkzeug::takeOption(args, QStringLiteral("--heute"));
        const QString einstellungen = werkzeug::takeOption(args, QStringLiteral("--einstellungen"));
        bool ok = false;
        const int katze = katzeText.toInt(&ok);
        const QDate heute =
            heuteText.isEmpty() ? QDate::currentDate() : QDate::fromString(heuteText, Qt::ISODate);
        if (!ok || args.size() != 1 || !heute.isValid()) {
            err << "usage: velmora-werkzeug " << kAufruf << "\n";
            return 64;
        }
        // Without a settings folder the defaults of an empty file hold.
        settings::tsysteminfo info;
        if (!einstellungen.isEmpty() &&
            !info.load(settings::einstellungsPfad(settings::einstellungsVerzeichnis(einstellungen)))) {
            err << "rolligkeit: " << settings::einstellungsPfad(einstellungen)
                << " kann nicht gelesen werden\n";
            return 2;
        }
        const reg::Zuchttage tage{info.TageNaechsteRolligkeit, info.TageNRplusMinus, info.TageTraechtigkeit,
                                  info.TagebisAbgabetermin};
        try {
            store::Database db(args.first());
            if (!db.tableExists(QStringLiteral("catstamm"))) {
                err << "rolligkeit: " << args.first() << " enthält keine Tierdatenbank (catstamm.db)\n";
                return 2;
            }
            store::Table katzen(db, QStringLiteral("catstamm"));
            katzen.open(store::Table::OpenMode::ReadOnly);
            if (!katzen.findKey({katze})) {
                err << "rolligkeit: Katze " << katze << " gibt es nicht\n";
                return 1;
            }
            QList<QDateTime> rolligkeiten;
            if (db.tableExists(QStringLiteral("laeufigkeit"))) {
                store::Table r(db, QStringLiteral("laeufigkeit"));
                r.open(store::Table::OpenMode::ReadOnly);
                r.setIndexName(QStringLiteral("Katze")); // entry order
                r.setRange({katze}, {katze});
                for (r.first(); !r.eof() && r.hasRecord(); r.next())
                    rolligkeiten << r.value(QStringLiteral("Datum")).toDateTime();
            }
            const reg::RolligkeitsStatistik s = reg::rolligkeitsStatistik(rolligkeiten, tage, heute);
            out << "Durchschnitt: " << s.durchschnitt << "\n";
            out << "PlusMinus: " << s.plusMinus << "\n";
            out << "Naechste Rolligkeit: " << iso(s.naechsteRolligkeit) << "\n";
            out << "Decktermin: " << iso(s.decktermin) << "\n";
            out << "Wurftermin: " << iso(s.wurftermin) << "\n";
            out << "Abgabetermin: " << iso(s.abgabetermin) << "\n";
            const QList<std::optional<int>> zwischen = reg::tageZwischenRolligkeiten(rolligkeiten);
            for (int i = 0; i < rolligkeiten.size(); ++i)
                out << "Rolligkeit: " << iso(rolligkeiten[i].date()) << ';'
                    << (zwischen[i] ? QString::number(*zwischen[i]) : QString()) << "\n";
        } catch (const store::DatabaseError& e) {
            err << "rolligkeit: " << e.message() << "\n";
            return 2;
        }
        return 0;
    });

} // namespace
