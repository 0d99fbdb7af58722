// beispiel: a data directory with a generated breeding population, for trying out and measuring.

#include "app/werkzeug/werkzeug.h"
#include "genealogy/beispiel.h"
#include "store/anlegen.h"
#include "store/errors.h"
#include "store/startup.h"

#include <QDir>
#include <QFile>

using namespace velmora;

namespace {

int zahlOption(QStringList& args, const char* name, int vorgabe, bool* ok) {
    const QString t = werkzeug::takeOption(args, QString::fromLatin1(name), QString::number(vorgabe));
    bool gut = false;
    const int v = t.toInt(&gut);
    if (!gut || v < 0) *ok = false;
    return v;
}

werkzeug::Registrar beispiel(
    "beispiel", "beispiel DIR --katzen N [--generationen G] [--seed S] [--rassen R] [--details D] [--quelle DATA]",
    [](const QStringList& a, QTextStream& out, QTextStream& err) -> int {
        QStringList args = a;
        bool ok = args.contains(QStringLiteral("--katzen"));
        genealogy::BeispielParameter p;
        p.katzen = zahlOption(args, "--katzen", 0, &ok);
        p.generationen = zahlOption(args, "--generationen", 12, &ok);
        p.rassen = zahlOption(args, "--rassen", 0, &ok);
        const bool mitDetails = args.contains(QStringLiteral("--details"));
        p.details = zahlOption(args, "--details", 0, &ok);
        const QString seed = werkzeug::takeOption(args, QStringLiteral("--seed"), QStringLiteral("1"));
        bool seedOk = false;
        p.seed = seed.toULongLong(&seedOk);
        const QString quelle =
            werkzeug::takeOption(args, QStringLiteral("--quelle"), store::standardDatenquelle());
        if (!ok || !seedOk || p.generationen < 1 || args.size() != 1) {
            err << "usage: velmora-werkzeug beispiel DIR --katzen N [--generationen G] [--seed S]\n";
            return 64;
        }
        if (velmora::store::praesenzPruefen(args[0])) {
            err << "Das Verzeichnis " << args[0] << " enthält bereits eine Tierdatenbank (catstamm.db).\n";
            return 1;
        }
        try {
            const genealogy::BeispielBericht b = genealogy::legeBeispielAn(args[0], quelle, p);
            out << QDir(args[0]).absolutePath() << "\n";
            out << "Katzen: " << b.katzen << "\nRassen: " << b.rassen << "\nZwinger: " << b.zwinger
                << "\nMerkmale: " << b.merkmalZeilen << "\n";
            if (mitDetails) out << "Details: " << b.detailZeilen << "\n";
        } catch (const store::DatabaseError& e) {
            err << e.message() << "\n";
            return 2;
        }
        return 0;
    });

} // namespace
