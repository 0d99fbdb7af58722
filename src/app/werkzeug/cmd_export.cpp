// export: the CSV export of the cat register as the online database window writes it, or with --upload
// the upload files of every table into a folder (nothing is sent).

#include "app/werkzeug/werkzeug.h"
#include "exchange/onlineexport.h"
#include "exchange/uploadeinstellungen.h"
#include "language/sprache.h"
#include "settings/einstellungsort.h"
#include "settings/systeminfo.h"
#include "store/database.h"
#include "store/errors.h"
#include "store/table.h"

#include <QDir>
#include <QFileInfo>

using namespace velmora;

namespace {

constexpr char kAufruf[] =
    "export DIR DATEI [--ohne-merkmale] [--ohne-bemerkungen] [--ohne-adressen] [--utf8] [--upload]";

werkzeug::Registrar
    exportBefehl("export", kAufruf, [](const QStringList& a, QTextStream& out, QTextStream& err) -> int {
        QStringList args = a;
        exchange::ExportOptionen opt;
        opt.merkmale = !werkzeug::takeFlag(args, QStringLiteral("--ohne-merkmale"));
        opt.bemerkungen = !werkzeug::takeFlag(args, QStringLiteral("--ohne-bemerkungen"));
        opt.zuechterBesitzer = !werkzeug::takeFlag(args, QStringLiteral("--ohne-adressen"));
        if (werkzeug::takeFlag(args, QStringLiteral("--utf8"))) opt.kodierung = exchange::Kodierung::Utf8;
        const bool upload = werkzeug::takeFlag(args, QStringLiteral("--upload"));
        if (args.size() != 2 || args.at(0).startsWith(QLatin1String("--")) ||
            args.at(1).startsWith(QLatin1String("--"))) {
            err << "usage: velmora-werkzeug " << kAufruf << "\n";
            return 64;
        }
        // The CSV file has no pictures or breeding book; the upload writes every table.
        opt.bilder = opt.zuchtbuch = upload;
        settings::tsysteminfo info;
        const QString tessaro = settings::einstellungsPfad(settings::einstellungsVerzeichnis());
        if (QFileInfo::exists(tessaro) && !info.load(tessaro)) {
            err << "export: " << tessaro << " kann nicht gelesen werden\n";
            return 2;
        }
        opt.sprache = info.spracheNummer();
        const QString ziel = args.at(1);
        try {
            store::Database db(args.at(0));
            if (!db.tableExists(QStringLiteral("catstamm"))) {
                err << "export: " << args.at(0) << " enthält keine Tierdatenbank (catstamm.db)\n";
                return 2;
            }
            language::TSprache sprache(db, info.spracheNummer());
            sprache.oeffnen();
            store::Table katzen(db, QStringLiteral("catstamm"));
            katzen.open(store::Table::OpenMode::ReadOnly);
            katzen.setIndexName(QString::fromLatin1(exchange::kGridIndex));
            exchange::TOnlineExport exp(db, opt);
            exchange::Zeichenverluste verluste;
            int anzahl = 0;
            const auto fehler = [&] {
                err << sprache.meldung(168, QStringLiteral("Die Datei konnte nicht angelegt werden!"))
                    << '\n';
                return 1;
            };
            if (!upload) {
                const exchange::DateiErgebnis e = exp.katzenDatei(katzen, ziel, exchange::Layout::Csv);
                if (!e.ok) return fehler();
                anzahl = e.zeilen;
                verluste = e.verluste;
            } else {
                if (!QDir().mkpath(ziel)) return fehler();
                const QString kennung = exchange::UploadEinstellungen::lesen(tessaro).kennung;
                exchange::UploadAuswahl alle;
                alle.tierdaten = alle.adressdaten = alle.rassen = alle.farben = alle.merkmale = true;
                for (const exchange::UploadSchritt& s : exchange::uploadSchritte(alle, opt, kennung)) {
                    const exchange::DateiErgebnis e = exchange::uploadDateiSchreiben(exp, katzen, s, ziel);
                    if (!e.ok) return fehler();
                    if (s.nummer == 1) anzahl = e.zeilen;
                    verluste.werte += e.verluste.werte;
                    for (const QString& d : e.verluste.ersteDatensaetze)
                        if (verluste.ersteDatensaetze.size() < exchange::Zeichenverluste::kErste &&
                            !verluste.ersteDatensaetze.contains(d))
                            verluste.ersteDatensaetze << d;
                }
            }
            out << "Katzen: " << anzahl << '\n';
            if (verluste.werte > 0)
                err << "export: " << verluste.werte
                    << " Werte mit Zeichen ohne Entsprechung in der Codepage: "
                    << verluste.ersteDatensaetze.join(QStringLiteral(", ")) << '\n';
            return 0;
        } catch (const store::DatabaseError& e) {
            err << "export: " << e.message() << '\n';
            return 2;
        }
    });

} // namespace
