// erinnerungen: the start-up reminders as lines, for a daily job that mails the breeder.

#include "app/werkzeug/werkzeug.h"
#include "register/erinnerungen.h"
#include "settings/einstellungsort.h"
#include "settings/systeminfo.h"
#include "store/database.h"
#include "store/errors.h"

using namespace velmora;

namespace {

constexpr char kAufruf[] = "erinnerungen DIR [--heute YYYY-MM-DD] [--einstellungen DIR] [--nur-faellige]";

QString iso(const QDate& d) {
    return d.isValid() ? d.toString(Qt::ISODate) : QString();
}

void termine(QTextStream& out, const char* kopf, const QList<reg::FaelligerTermin>& zeilen,
             bool nurFaellige) {
    if (nurFaellige && zeilen.isEmpty()) return;
    out << '[' << kopf << "]\n";
    for (const auto& z : zeilen)
        out << z.katze << ';' << z.name << ';' << iso(z.datum) << "\n";
}

werkzeug::Registrar erinnerungen(
    "erinnerungen", kAufruf, [](const QStringList& a, QTextStream& out, QTextStream& err) -> int {
        QStringList args = a;
        const QString heuteText = werkzeug::takeOption(args, QStringLiteral("--heute"));
        const QString einstellungen = werkzeug::takeOption(args, QStringLiteral("--einstellungen"));
        const bool nurFaellige = werkzeug::takeFlag(args, QStringLiteral("--nur-faellige"));
        const QDate heute =
            heuteText.isEmpty() ? QDate::currentDate() : QDate::fromString(heuteText, Qt::ISODate);
        if (args.size() != 1 || args.first().startsWith(QLatin1String("--")) || !heute.isValid()) {
            err << "usage: velmora-werkzeug " << kAufruf << "\n";
            return 64;
        }
        // Without a settings folder every check is on, as with an empty settings file.
        settings::tsysteminfo info;
        if (!einstellungen.isEmpty() &&
            !info.load(settings::einstellungsPfad(settings::einstellungsVerzeichnis(einstellungen)))) {
            err << "erinnerungen: " << settings::einstellungsPfad(einstellungen)
                << " kann nicht gelesen werden\n";
            return 2;
        }
        const reg::Warnschalter schalter{info.WarnungVerfallsdatum, info.WarnungImpfung, info.WarnungWurmkur};
        try {
            store::Database db(args.first());
            if (!db.tableExists(QStringLiteral("catstamm"))) {
                err << "erinnerungen: " << args.first() << " enthält keine Tierdatenbank (catstamm.db)\n";
                return 2;
            }
            const reg::Erinnerungen e = reg::erinnerungenPruefen(db, schalter, heute);
            if (e.medikamenteGeprueft && !(nurFaellige && e.medikamente.isEmpty())) {
                out << "[Medikamente]\n";
                for (const auto& m : e.medikamente)
                    out << m.medikament << ';' << iso(m.verfallsdatum) << "\n";
            }
            if (e.impfungenGeprueft) termine(out, "Impfungen", e.impfungen, nurFaellige);
            if (e.wurmkurenGeprueft) termine(out, "Wurmkuren", e.wurmkuren, nurFaellige);
            // The other checks have run; a table that could not be read still fails the run.
            for (const auto& f : e.fehler)
                err << "erinnerungen: " << f.tabelle << ": " << f.meldung << "\n";
            return e.fehler.isEmpty() ? 0 : 2;
        } catch (const store::DatabaseError& ex) {
            err << "erinnerungen: " << ex.message() << "\n";
            return 2;
        }
    });

} // namespace
