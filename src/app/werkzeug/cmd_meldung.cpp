// velmora-werkzeug meldung DIR N [--sprache deutsch|englisch|hollaendisch]
// Prints message N as the lookup gives it; an empty line when it is missing.

#include "app/werkzeug/werkzeug.h"
#include "language/sprache.h"
#include "store/database.h"

using namespace velmora;

static werkzeug::Registrar
    reg("meldung", "meldung DIR N [--sprache deutsch|englisch|hollaendisch]",
        [](const QStringList& argsIn, QTextStream& out, QTextStream& err) -> int {
            QStringList args = argsIn;
            const QString sprachname =
                werkzeug::takeOption(args, QStringLiteral("--sprache"), QStringLiteral("deutsch")).toLower();
            bool ok = false;
            const int n = args.size() == 2 ? args.at(1).toInt(&ok) : 0;
            const int offset = language::spracheOffset(sprachname);
            if (!ok || (offset == 0 && sprachname != QLatin1String("deutsch"))) {
                err << "usage: velmora-werkzeug meldung DIR N [--sprache deutsch|englisch|hollaendisch]\n";
                return 64;
            }
            try {
                store::Database db(args.first());
                language::TSprache sprache(db, offset / 10000);
                sprache.oeffnen();
                out << sprache.meldung(n) << "\n";
                return 0;
            } catch (const store::DatabaseError& e) {
                err << "meldung: " << e.message() << "\n";
                return 2;
            }
        });
