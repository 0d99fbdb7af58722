// indizes: the indexes of the named tables (or of every table the rebuild knows) built again, one line
// per table.

#include "app/werkzeug/werkzeug.h"
#include "store/catalogue.h"
#include "store/indexlauf.h"
#include "store/sicherung.h"
#include "store/sperre.h"

#include <QFileInfo>

using namespace velmora;

namespace {

QString einzeilig(QString t) {
    return t.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
}

werkzeug::Registrar indizes("indizes", "indizes DIR [TABLE...]",
                            [](const QStringList& args, QTextStream& out, QTextStream& err) -> int {
                                if (args.isEmpty()) {
                                    err << "usage: velmora-werkzeug indizes DIR [TABLE...]\n";
                                    return 64;
                                }
                                const QString daten = args[0];
                                if (!QFileInfo(daten).isDir()) {
                                    err << "indizes: " << daten << " ist kein Verzeichnis\n";
                                    return 2;
                                }
                                store::Installationssperre sperre(daten);
                                if (!sperre.sperren()) {
                                    err << "Verzeichnis ist in Benutzung! " << daten << "\n";
                                    return 2;
                                }
                                // A restore cut off is undone first, as at start-up.
                                const auto w = store::unterbrocheneRuecksicherungBeheben(daten);
                                if (w.art == store::Wiederherstellung::Art::Fehlgeschlagen) {
                                    err << "indizes: eine unterbrochene Rücksicherung kann nicht "
                                           "zurückgenommen werden\n";
                                    return 1;
                                }
                                store::Database db(daten);
                                QStringList tabellen;
                                if (args.size() > 1) {
                                    tabellen = args.mid(1);
                                } else {
                                    for (const store::IndexTabelle& t : store::alleIndexTabellen())
                                        if (db.tableExists(t.tabelle)) tabellen << t.tabelle;
                                }
                                bool alle = true;
                                for (const QString& t : std::as_const(tabellen)) {
                                    QStringList meldungen;
                                    store::StartBericht b;
                                    b.fehler = [&](const store::DatabaseError& e, const QString&) {
                                        meldungen << e.message();
                                    };
                                    QString grund;
                                    const bool ok =
                                        store::catalogueTable(t)
                                            ? store::tabellenIndizesNeuAufbauen(db, t, b, &grund)
                                            : (grund = QStringLiteral("%1 ist keine Tabelle des Systems").arg(t),
                                               false);
                                    // A rebuild that succeeded may still name rows it could not take over.
                                    if (ok && meldungen.isEmpty()) {
                                        out << t << ";ok\n";
                                        continue;
                                    }
                                    alle = false;
                                    if (!meldungen.isEmpty()) grund = meldungen.join(QStringLiteral(" "));
                                    out << t << ";FEHLER;" << einzeilig(grund) << "\n";
                                }
                                db.disconnect();
                                return alle ? 0 : 1;
                            });

} // namespace
