// partnersuche: the partners of one cat ranked by the planned kitten's inbreeding coefficient.

#include "app/werkzeug/werkzeug.h"
#include "genealogy/genetik.h"
#include "genealogy/partnersuche.h"
#include "store/database.h"
#include "store/errors.h"


using namespace velmora;

namespace {

constexpr char kAufruf[] = "partnersuche DIR --katze N [--anzahl K] [--status S]... [--rasse CODE]";

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
            genealogy::Partnerfilter filter;
            filter.status = status;
            if (!rasseText.isNull()) filter.rasse = rasse;
            for (const genealogy::Partner& p : genealogy::partnerSuchen(g, pos, filter, size_t(anzahl)))
                out << g.katze(p.pos).nr << ';' << g.katze(p.pos).name << ';'
                    << QString::number(p.verwandtschaft, 'f', 6) << '\n';
            return 0;
        } catch (const store::DatabaseError& e) {
            err << "partnersuche: " << e.message() << '\n';
            return 2;
        }
    });

} // namespace
