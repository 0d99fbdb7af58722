// partnersuche: the partners of one cat ranked by the planned kitten's inbreeding coefficient.

#include "app/werkzeug/werkzeug.h"
#include "genealogy/genetik.h"
#include "store/database.h"
#include "store/errors.h"

#include <algorithm>
#include <cmath>

using namespace velmora;

namespace {

constexpr char kAufruf[] = "partnersuche DIR --katze N [--anzahl K] [--status S]... [--rasse CODE]";

// Equal figures reached along different sums differ in the last bits; they must tie.
qint64 gerundet(double v) {
    return std::llround(v * 1e12);
}

werkzeug::Registrar partnersuche(
    "partnersuche", kAufruf, [](const QStringList& a, QTextStream& out, QTextStream& err) -> int {
        QStringList args = a;
        bool ok = true;
        auto zahl = [&ok](const QString& t, qint64 min) {
            bool gut = false;
            const qint64 v = t.toLongLong(&gut);
            if (!gut || v < min || v > INT32_MAX) ok = false;
            return qint32(v);
        };
        const QString katzeText = werkzeug::takeOption(args, QStringLiteral("--katze"));
        const qint32 nr = zahl(katzeText, INT32_MIN);
        const qint32 anzahl =
            zahl(werkzeug::takeOption(args, QStringLiteral("--anzahl"), QStringLiteral("20")), 0);
        QVector<qint32> status;
        for (QString s; !(s = werkzeug::takeOption(args, QStringLiteral("--status"))).isNull();)
            status << zahl(s, INT32_MIN);
        const QString rasseText = werkzeug::takeOption(args, QStringLiteral("--rasse"));
        const qint32 rasse = rasseText.isNull() ? 0 : zahl(rasseText, INT32_MIN);
        if (!ok || args.size() != 1) {
            err << "usage: velmora-werkzeug " << kAufruf << "\n";
            return 64;
        }
        try {
            store::Database db(args.first());
            if (!db.tableExists(QStringLiteral("catstamm"))) {
                err << "partnersuche: " << args.first() << " enthält keine Tierdatenbank (catstamm.db)\n";
                return 2;
            }
            const genealogy::Genetik g(genealogy::genetikKatzenLesen(db), true);
            for (qint32 n : g.eigeneVorfahren())
                err << "partnersuche: Katze " << n
                    << " ist ihr eigener Vorfahr; die Verbindung gilt als unbekannt\n";
            const int pos = g.position(nr);
            if (pos < 0) {
                err << "partnersuche: Katze " << nr << " gibt es nicht\n";
                return 1;
            }
            const int geschlecht = g.katze(pos).geschlecht;
            if (geschlecht < 1 || geschlecht > 4) {
                err << "partnersuche: Katze " << nr << " hat kein Geschlecht\n";
                return 1;
            }
            const bool kater = geschlecht == 1 || geschlecht == 3;
            const std::vector<double> f = g.verwandtschaft(pos);
            std::vector<int> partner;
            for (int j = 0; j < g.anzahl(); ++j) {
                const genealogy::GenetikKatze& k = g.katze(j);
                const bool passt = kater ? (k.geschlecht == 2 || k.geschlecht == 4)
                                         : (k.geschlecht == 1 || k.geschlecht == 3);
                if (!passt || k.tod.isValid()) continue;
                if (!status.isEmpty() && !status.contains(k.status)) continue;
                if (!rasseText.isNull() && k.rasse != rasse) continue;
                partner.push_back(j);
            }
            auto vorher = [&](int x, int y) {
                const qint64 a = gerundet(f[size_t(x)]), b = gerundet(f[size_t(y)]);
                if (a != b) return a < b;
                const int c = QString::compare(g.katze(x).name, g.katze(y).name);
                return c != 0 ? c < 0 : g.katze(x).nr < g.katze(y).nr;
            };
            const size_t k = std::min(partner.size(), size_t(anzahl));
            std::partial_sort(partner.begin(), partner.begin() + std::ptrdiff_t(k), partner.end(), vorher);
            for (size_t i = 0; i < k; ++i) {
                const genealogy::GenetikKatze& p = g.katze(partner[i]);
                out << p.nr << ';' << p.name << ';' << QString::number(f[size_t(partner[i])], 'f', 6) << '\n';
            }
            return 0;
        } catch (const store::DatabaseError& e) {
            err << "partnersuche: " << e.message() << '\n';
            return 2;
        }
    });

} // namespace
