// nachkommen: the descendants of a cat depth first, one line per appearance, down to a generation.

#include "app/werkzeug/werkzeug.h"
#include "genealogy/nachkommen.h"
#include "store/database.h"
#include "store/errors.h"

using namespace velmora;

namespace {

constexpr char kAufruf[] = "nachkommen DIR --katze N [--generationen G]";

werkzeug::Registrar
    nachkommen("nachkommen", kAufruf, [](const QStringList& a, QTextStream& out, QTextStream& err) -> int {
        QStringList args = a;
        const QString katzeText = werkzeug::takeOption(args, QStringLiteral("--katze"));
        const QString genText =
            werkzeug::takeOption(args, QStringLiteral("--generationen"), QStringLiteral("1"));
        bool katzeOk = false, genOk = false;
        const qint32 katze = katzeText.toInt(&katzeOk);
        const int generationen = genText.toInt(&genOk);
        if (args.size() != 1 || !katzeOk || !genOk || generationen < 1) {
            err << "usage: velmora-werkzeug " << kAufruf << "\n";
            return 64;
        }
        try {
            store::Database db(args.first());
            if (!db.tableExists(QStringLiteral("catstamm"))) {
                err << "nachkommen: " << args.first() << " enthält keine Tierdatenbank (catstamm.db)\n";
                return 2;
            }
            genealogy::NachkommenLeser leser(db);
            const auto start = leser.katze(katze);
            if (!start) {
                err << "nachkommen: Katze " << katze << " nicht gefunden\n";
                return 1;
            }
            // written as they come: what is kept grows with the cats, not with the lines
            const genealogy::Nachkommenlauf lauf = genealogy::nachkommenLaufen(
                leser, *start, generationen, [&out](int ebene, const genealogy::Nachkomme& k) {
                    out << ebene << ';' << k.nr << ';' << k.name << '\n';
                    return true;
                });
            out << "Nachkommen: " << lauf.katzen << '\n';
            out << "Auftreten: " << lauf.auftreten << '\n';
            return 0;
        } catch (const store::DatabaseError& e) {
            err << "nachkommen: " << e.message() << '\n';
            return 2;
        }
    });

} // namespace
