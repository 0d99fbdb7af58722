// verpaarungen: the matings tree of a cat, partner by partner, litter by litter, kitten by kitten.

#include "app/werkzeug/werkzeug.h"
#include "genealogy/nachkommen.h"
#include "genealogy/verpaarung.h"
#include "store/database.h"
#include "store/errors.h"

using namespace velmora;

namespace {

constexpr char kAufruf[] = "verpaarungen DIR --katze N";

werkzeug::Registrar verpaarungen(
    "verpaarungen", kAufruf, [](const QStringList& a, QTextStream& out, QTextStream& err) -> int {
        QStringList args = a;
        const QString katzeText = werkzeug::takeOption(args, QStringLiteral("--katze"));
        bool ok = false;
        const qint32 katze = katzeText.toInt(&ok);
        if (args.size() != 1 || !ok) {
            err << "usage: velmora-werkzeug " << kAufruf << "\n";
            return 64;
        }
        try {
            store::Database db(args.first());
            if (!db.tableExists(QStringLiteral("catstamm"))) {
                err << "verpaarungen: " << args.first() << " enthält keine Tierdatenbank (catstamm.db)\n";
                return 2;
            }
            genealogy::NachkommenLeser leser(db);
            const auto k = leser.katze(katze);
            if (!k) {
                err << "verpaarungen: Katze " << katze << " nicht gefunden\n";
                return 1;
            }
            const bool kater = genealogy::alsVaterGefuehrt(db, katze, k->geschlecht);
            const auto zeilen = genealogy::verpaarungenLesen(db, katze, kater);
            for (const genealogy::Verpaarungspartner& p : genealogy::verpaarungsbaum(zeilen)) {
                const genealogy::VerpaarungZeile& erste = zeilen[p.erste];
                out << "PARTNER;" << erste.partner << ';' << erste.partnerName << '\n';
                for (const genealogy::Wurf& w : p.wuerfe) {
                    out << "WURF;" << w.datum.toString(Qt::ISODate) << '\n';
                    for (int i = w.erste; i < w.erste + w.anzahl; ++i)
                        out << "JUNGTIER;" << zeilen[i].jungtier << ';' << zeilen[i].name << ';'
                            << zeilen[i].geschlecht << '\n';
                }
            }
            return 0;
        } catch (const store::DatabaseError& e) {
            err << "verpaarungen: " << e.message() << '\n';
            return 2;
        }
    });

} // namespace
