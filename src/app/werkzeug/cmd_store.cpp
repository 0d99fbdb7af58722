// anlegen, pruefen, schema: the data directory as the engine sees it.

#include "app/werkzeug/werkzeug.h"
#include "store/anlegen.h"
#include "store/sperre.h"
#include "store/startup.h"
#include "store/table.h"

#include <QCoreApplication>
#include <QDir>

using namespace velmora::store;
using velmora::werkzeug::Registrar;

namespace {

Registrar anlegen("anlegen", "anlegen DIR [--quelle DATA]",
                  [](const QStringList& a, QTextStream& out, QTextStream& err) {
                      QStringList args = a;
                      const QString quelle = velmora::werkzeug::takeOption(args, QStringLiteral("--quelle"),
                                                                           standardDatenquelle());
                      if (args.size() != 1) {
                          err << "usage: velmora-werkzeug anlegen DIR\n";
                          return 64;
                      }
                      if (praesenzPruefen(args[0])) {
                          err << "Das Verzeichnis " << args[0]
                              << " enthält bereits eine Tierdatenbank (catstamm.db).\n";
                          return 1;
                      }
                      try {
                          legeDatenverzeichnisAn(args[0], quelle);
                      } catch (const DatabaseError& e) {
                          err << e.message() << "\n";
                          return 2;
                      }
                      out << QDir(args[0]).absolutePath() << "\n";
                      return 0;
                  });

Registrar pruefen("pruefen", "pruefen DIR", [](const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 1) {
        err << "usage: velmora-werkzeug pruefen DIR\n";
        return 64;
    }
    if (!praesenzPruefen(args[0])) {
        out << praesenzMeldung(QCoreApplication::applicationFilePath()) << "\n";
        return 1;
    }
    // A running program holds the installation: upgrading its tables under it is refused.
    Installationssperre sperre(args[0]);
    if (!sperre.sperren()) {
        err << "Verzeichnis ist in Benutzung! " << args[0] << "\n";
        return 2;
    }
    Database db(args[0]);
    StartBericht b;
    b.tabelle = [&](const QString& t, Ergebnis e, const QString& msg) {
        switch (e) {
        case Ergebnis::Ok:
            out << t << ": ok\n";
            break;
        case Ergebnis::Angelegt:
            out << t << ": angelegt\n";
            break;
        case Ergebnis::Aktualisiert:
            out << t << ": aktualisiert\n";
            break;
        case Ergebnis::Fehler:
            out << t << ": fehler: " << QString(msg).replace(QLatin1Char('\n'), QLatin1Char(' ')) << "\n";
            break;
        }
    };
    return startSequenz(db, b) ? 0 : 2;
});

Registrar schema("schema", "schema DIR TABLE",
                 [](const QStringList& args, QTextStream& out, QTextStream& err) {
                     if (args.size() != 2) {
                         err << "usage: velmora-werkzeug schema DIR TABLE\n";
                         return 64;
                     }
                     try {
                         Database db(args[0]);
                         const TableDef def = db.readDefinition(args[1]);
                         for (const FieldDef& f : def.fields)
                             out << f.name << " " << fieldTypeName(f.type) << " " << f.size << " "
                                 << (f.required ? "required" : "-") << "\n";
                         for (const IndexDef& ix : def.indexes)
                             out << "index " << ix.name << ": " << ix.fields.join(QLatin1Char(';')) << "\n";
                     } catch (const DatabaseError& e) {
                         err << e.message() << "\n";
                         return 2;
                     }
                     return 0;
                 });

} // namespace
