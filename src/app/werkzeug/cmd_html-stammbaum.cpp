// html-stammbaum: writes the HTML pedigree page of a cat with the settings of HTMLTessaro.ini.

#include "app/werkzeug/werkzeug.h"
#include "genealogy/htmlstammbaum.h"
#include "language/sprache.h"
#include "settings/einstellungsort.h"
#include "settings/systeminfo.h"
#include "store/database.h"
#include "store/errors.h"
#include "store/table.h"

#include <QFileInfo>

using namespace velmora;

namespace {

constexpr char kAufruf[] = "html-stammbaum DIR --katze N DATEI [--generationen G] [--einstellungen DIR]";

werkzeug::Registrar htmlStammbaum(
    "html-stammbaum", kAufruf, [](const QStringList& a, QTextStream& out, QTextStream& err) -> int {
        QStringList args = a;
        const QString katzeText = werkzeug::takeOption(args, QStringLiteral("--katze"));
        const QString genText = werkzeug::takeOption(args, QStringLiteral("--generationen"));
        const QString ordner =
            settings::einstellungsVerzeichnis(werkzeug::takeOption(args, QStringLiteral("--einstellungen")));
        bool katzeOk = false, genOk = true;
        const qint32 katze = katzeText.toInt(&katzeOk);
        const int generationen = genText.isEmpty() ? 0 : genText.toInt(&genOk);
        if (args.size() != 2 || !katzeOk || !genOk ||
            (!genText.isEmpty() && (generationen < 3 || generationen > 12))) {
            err << "usage: velmora-werkzeug " << kAufruf << "\n";
            return 64;
        }
        settings::tsysteminfo info;
        const QString tessaro = settings::einstellungsPfad(ordner);
        if (QFileInfo::exists(tessaro) && !info.load(tessaro)) {
            err << "html-stammbaum: " << tessaro << " kann nicht gelesen werden\n";
            return 2;
        }
        genealogy::THTMLINI ini =
            genealogy::THTMLINI::Load_INI(genealogy::htmlEinstellungsPfad(ordner), info.Sprache);
        if (generationen) ini.AnzGenerationen = generationen;
        const QString datei = args.at(1);
        try {
            store::Database db(args.first());
            if (!db.tableExists(QStringLiteral("catstamm"))) {
                err << "html-stammbaum: " << args.first() << " enthält keine Tierdatenbank (catstamm.db)\n";
                return 2;
            }
            {
                store::Table katzen(db, QStringLiteral("catstamm"));
                katzen.open(store::Table::OpenMode::ReadOnly);
                if (!katzen.findKey({katze})) {
                    err << "html-stammbaum: Katze " << katze << " nicht gefunden\n";
                    return 1;
                }
            }
            const genealogy::HtmlSeitenErgebnis e =
                genealogy::htmlStammbaumSchreiben(db, info, ini, katze, datei);
            if (e.fehler) {
                language::TSprache sprache(db, info.spracheNummer());
                sprache.oeffnen();
                err << sprache.meldung(74, QStringLiteral("Die HTML-Datei konnte nicht geschrieben werden!"))
                    << '\n';
                return 1;
            }
            out << "Datei: " << datei << '\n' << "Generationen: " << e.generationen << '\n';
            return 0;
        } catch (const store::DatabaseError& e) {
            err << "html-stammbaum: " << e.message() << '\n';
            return 2;
        }
    });

} // namespace
