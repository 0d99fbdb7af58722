// konto: creates a money account in the books of a data directory.

#include "app/werkzeug/werkzeug.h"
#include "office/buchhaltung.h"

#include <QDir>

using namespace velmora;

namespace {

constexpr char kAufruf[] = "konto DIR NAME --art bank|kasse [--eroeffnung BETRAG]";

werkzeug::Registrar konto("konto", kAufruf, [](const QStringList& a, QTextStream& out, QTextStream& err) -> int {
    QStringList args = a;
    const QString art = werkzeug::takeOption(args, QStringLiteral("--art"));
    const QString eroeffnung = werkzeug::takeOption(args, QStringLiteral("--eroeffnung"), QStringLiteral("0"));
    if (args.size() != 2 || (art != QLatin1String("bank") && art != QLatin1String("kasse"))) {
        err << "usage: velmora-werkzeug " << kAufruf << "\n";
        return 64;
    }
    if (!QDir(args[0]).exists()) {
        err << "konto: das Datenverzeichnis " << args[0] << " gibt es nicht\n";
        return 2;
    }
    const auto betrag = office::betragMitPunkt(eroeffnung);
    if (!betrag) {
        err << "konto: kein Betrag: " << eroeffnung << " (Dezimalpunkt, höchstens vier Stellen)\n";
        return 2;
    }
    try {
        store::Database db(args[0]);
        office::Buchhaltung b(db);
        office::Konto k;
        k.art = art == QLatin1String("bank") ? office::kontoart::Bank : office::kontoart::Kasse;
        k.name = args[1].trimmed();
        k.eroeffnungssaldo = *betrag;
        k.zum = QDate::currentDate();
        if (k.name.isEmpty() || k.name.size() > 30) {
            err << "konto: ein Kontoname hat 1 bis 30 Zeichen\n";
            return 2;
        }
        if (b.nachName(k.name)) {
            err << "konto: den Namen " << k.name << " gibt es schon\n";
            return 2;
        }
        out << "Konto: " << k.name << ";" << b.anlegen(k) << '\n';
        return 0;
    } catch (const store::DatabaseError& e) {
        err << "konto: " << e.message() << '\n';
        return 2;
    }
});

} // namespace
