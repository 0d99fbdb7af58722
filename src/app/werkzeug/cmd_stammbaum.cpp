// stammbaum: the ancestors of a cat in the pedigree's slots, one line per filled slot.

#include "app/werkzeug/werkzeug.h"
#include "genealogy/baum.h"
#include "store/database.h"
#include "store/errors.h"
#include "store/table.h"

#include <QHash>

using namespace velmora;

namespace {

constexpr char kAufruf[] = "stammbaum DIR --katze N [--generationen G]";

werkzeug::Registrar
    stammbaum("stammbaum", kAufruf, [](const QStringList& a, QTextStream& out, QTextStream& err) -> int {
        QStringList args = a;
        const QString katzeText = werkzeug::takeOption(args, QStringLiteral("--katze"));
        const QString genText =
            werkzeug::takeOption(args, QStringLiteral("--generationen"), QStringLiteral("8"));
        bool katzeOk = false, genOk = false;
        const qint32 katze = katzeText.toInt(&katzeOk);
        const int generationen = genText.toInt(&genOk);
        if (args.size() != 1 || !katzeOk || !genOk || generationen < 1 ||
            generationen > genealogy::Ahnentafel::kMaxGenerationen) {
            err << "usage: velmora-werkzeug " << kAufruf << "\n";
            return 64;
        }
        try {
            store::Database db(args.first());
            if (!db.tableExists(QStringLiteral("catstamm"))) {
                err << "stammbaum: " << args.first() << " enthält keine Tierdatenbank (catstamm.db)\n";
                return 2;
            }
            store::Table katzen(db, QStringLiteral("catstamm"));
            katzen.open(store::Table::OpenMode::ReadOnly);
            if (!katzen.findKey({katze})) {
                err << "stammbaum: Katze " << katze << " nicht gefunden\n";
                return 1;
            }
            const qint32 vater = katzen.asInt(QStringLiteral("Vater"));
            const qint32 mutter = katzen.asInt(QStringLiteral("Mutter"));
            QHash<qint32, QString> namen;
            const genealogy::Ahnentafel tafel = genealogy::ahnentafelFuellen(
                vater, mutter, generationen, [&](int, int, qint32 nr, qint32& v, qint32& m) {
                    if (!katzen.findKey({nr})) return false;
                    v = katzen.asInt(QStringLiteral("Vater"));
                    m = katzen.asInt(QStringLiteral("Mutter"));
                    namen.insert(nr, katzen.asString(QStringLiteral("Name")));
                    return true;
                });
            for (int g = 1; g <= tafel.generationen(); ++g)
                for (int k = 1; k <= genealogy::Ahnentafel::slotZahl(g); ++k)
                    if (const qint32 nr = tafel.slot(g, k))
                        out << g << ';' << k << ';' << nr << ';' << namen.value(nr) << ';' << tafel.anzahl(nr)
                            << '\n';
            return 0;
        } catch (const store::DatabaseError& e) {
            err << "stammbaum: " << e.message() << '\n';
            return 2;
        }
    });

} // namespace
