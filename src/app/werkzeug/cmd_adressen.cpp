// adressen: the addresses the search dialog finds for the criteria, in the book's default order.

#include "app/werkzeug/werkzeug.h"
#include "office/adressen.h"
#include "store/database.h"
#include "store/errors.h"

using namespace velmora;

namespace {

constexpr char kAufruf[] = "adressen DIR [--name TEXT] [--ort TEXT] [--gruppe STATUS]";

werkzeug::Registrar
    adressen("adressen", kAufruf, [](const QStringList& a, QTextStream& out, QTextStream& err) -> int {
        QStringList args = a;
        office::AdrKriterien k;
        k.name = werkzeug::takeOption(args, QStringLiteral("--name"));
        k.ort = werkzeug::takeOption(args, QStringLiteral("--ort"));
        k.status = werkzeug::takeOption(args, QStringLiteral("--gruppe"));
        if (args.size() != 1 || args.first().startsWith(QLatin1String("--"))) {
            err << "usage: velmora-werkzeug " << kAufruf << "\n";
            return 64;
        }
        try {
            store::Database db(args.first());
            if (!db.tableExists(QStringLiteral("adr_dat"))) {
                err << "adressen: " << args.first() << " enthält keine Adressendatei (adr_dat.db)\n";
                return 2;
            }
            for (const office::Adresse& ad : office::adressenSuchen(db, k))
                out << ad.laufendeNr << ';' << ad.name << ';' << ad.vorname << ';' << ad.zwinger << ';'
                    << ad.plz << ';' << ad.ort << ';' << ad.status << '\n';
            return 0;
        } catch (const store::DatabaseError& e) {
            err << "adressen: " << e.message() << '\n';
            return 2;
        }
    });

} // namespace
