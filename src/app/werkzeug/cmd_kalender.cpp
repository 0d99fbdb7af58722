// kalender: the show dates and the due vaccinations and wormings of a period as a calendar file.

#include "app/werkzeug/werkzeug.h"
#include "register/kalendertermine.h"
#include "store/database.h"
#include "store/errors.h"

using namespace velmora;

namespace {

constexpr char kAufruf[] = "kalender DIR DATEI [--von YYYY-MM-DD] [--bis YYYY-MM-DD]";

werkzeug::Registrar kalender(
    "kalender", kAufruf, [](const QStringList& a, QTextStream& out, QTextStream& err) -> int {
        QStringList args = a;
        const QString vonText = werkzeug::takeOption(args, QStringLiteral("--von"));
        const QString bisText = werkzeug::takeOption(args, QStringLiteral("--bis"));
        const QDate heute = QDate::currentDate();
        const QDate von = vonText.isEmpty() ? heute : QDate::fromString(vonText, Qt::ISODate);
        const QDate bis = bisText.isEmpty() ? von.addYears(1) : QDate::fromString(bisText, Qt::ISODate);
        if (args.size() != 2 || args[0].startsWith(QLatin1String("--")) || args[1].startsWith(QLatin1String("--")) ||
            !von.isValid() || !bis.isValid() || bis < von) {
            err << "usage: velmora-werkzeug " << kAufruf << "\n";
            return 64;
        }
        try {
            store::Database db(args[0]);
            if (!db.tableExists(QStringLiteral("catstamm"))) {
                err << "kalender: " << args[0] << " enthält keine Tierdatenbank (catstamm.db)\n";
                return 2;
            }
            QString fehler;
            int anzahl = 0;
            if (!reg::kalenderSchreiben(db, args[1], von, bis, {}, false, &fehler, &anzahl)) {
                err << "kalender: " << args[1] << ": " << fehler << "\n";
                return 2;
            }
            out << "exportiert: " << anzahl << "\n";
            return 0;
        } catch (const store::DatabaseError& ex) {
            err << "kalender: " << ex.message() << "\n";
            return 2;
        }
    });

} // namespace
