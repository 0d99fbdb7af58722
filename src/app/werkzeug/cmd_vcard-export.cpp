// vcard-export: the addresses of the book (or of one group) as one vCard 4.0 file.

#include "app/werkzeug/werkzeug.h"
#include "office/adressen.h"
#include "office/vcard.h"
#include "store/database.h"
#include "store/errors.h"

#include <QSaveFile>

using namespace velmora;

namespace {

constexpr char kAufruf[] = "vcard-export DIR DATEI [--gruppe STATUS]";

werkzeug::Registrar
    vcardExport("vcard-export", kAufruf, [](const QStringList& a, QTextStream& out, QTextStream& err) -> int {
        QStringList args = a;
        office::AdrKriterien k;
        k.status = werkzeug::takeOption(args, QStringLiteral("--gruppe"));
        if (args.size() != 2 || args.first().startsWith(QLatin1String("--"))) {
            err << "usage: velmora-werkzeug " << kAufruf << "\n";
            return 64;
        }
        try {
            store::Database db(args.first());
            if (!db.tableExists(QStringLiteral("adr_dat"))) {
                err << "vcard-export: " << args.first() << " enthält keine Adressendatei (adr_dat.db)\n";
                return 2;
            }
            const QList<office::Adresse> liste = office::adressenSuchen(db, k);
            QSaveFile f(args.at(1));
            if (!f.open(QIODevice::WriteOnly) || f.write(office::vcardsSchreiben(liste)) < 0 || !f.commit()) {
                err << "vcard-export: " << args.at(1) << ": " << f.errorString() << '\n';
                return 1;
            }
            out << "exportiert: " << liste.size() << '\n';
            return 0;
        } catch (const store::DatabaseError& e) {
            err << "vcard-export: " << e.message() << '\n';
            return 2;
        }
    });

} // namespace
