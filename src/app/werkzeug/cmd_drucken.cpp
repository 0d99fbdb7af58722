// drucken: one print of a cat, or its printed pedigree, written as PDF, as the program would preview it.

#include "app/werkzeug/werkzeug.h"
#include "printing/druckenkatzen.h"
#include "printing/stammbaumdruck.h"
#include "printing/ui/berichtdruck.h"
#include "settings/systeminfo.h"
#include "store/database.h"

using namespace velmora;

namespace {

constexpr char kAufruf[] = "drucken DIR --katze N (--art TYPE | --stammbaum deutsch|english) DATEI.pdf "
                           "[--sprache deutsch|englisch|hollaendisch]";

werkzeug::Registrar drucken(
    "drucken", kAufruf,
    [](const QStringList& a, QTextStream&, QTextStream& err) -> int {
        QStringList args = a;
        const QString katzeText = werkzeug::takeOption(args, QStringLiteral("--katze"));
        const QString artText = werkzeug::takeOption(args, QStringLiteral("--art"));
        const QString stammbaum = werkzeug::takeOption(args, QStringLiteral("--stammbaum"));
        const QString sprachText = werkzeug::takeOption(args, QStringLiteral("--sprache"), QStringLiteral("deutsch"));
        bool katzeOk = false, artOk = false;
        const int katze = katzeText.toInt(&katzeOk);
        const int art = artText.toInt(&artOk);
        const QStringList sprachen{QStringLiteral("deutsch"), QStringLiteral("englisch"), QStringLiteral("hollaendisch")};
        const bool stammbaumModus = !stammbaum.isEmpty();
        bool ok = args.size() == 2 && katzeOk && args.at(1).endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
        if (stammbaumModus)
            ok = ok && artText.isEmpty() &&
                 (stammbaum == QLatin1String("deutsch") || stammbaum == QLatin1String("english"));
        else
            ok = ok && artOk && sprachen.contains(sprachText);
        if (!ok) {
            err << "usage: velmora-werkzeug " << kAufruf << "\n";
            return 64;
        }
        if (!stammbaumModus && !printing::tDruckenKatzen::hatLayout(art)) {
            err << "drucken: die Art " << art << " ergibt keinen Bericht (Bild und Formulare nur im Programm)\n";
            return 64;
        }
        try {
            store::Database db(args.first());
            if (!db.tableExists(QStringLiteral("catstamm"))) {
                err << "drucken: " << args.first() << " enthält keine Tierdatenbank (catstamm.db)\n";
                return 2;
            }
            settings::tsysteminfo info;
            info.StammbaumSortierungDrucken();
            const int sprache = stammbaumModus ? (stammbaum == QLatin1String("english") ? 1 : 0)
                                               : int(sprachen.indexOf(sprachText));
            printing::Druckquelle quelle(db, info, sprache);
            quelle.messen = printing::schriftMessung();
            printing::DruckKatze k;
            if (!quelle.katze(katze, k)) {
                err << "drucken: keine Katze mit der Nummer " << katze << "\n";
                return 2;
            }
            printing::Bericht bericht;
            if (stammbaumModus) {
                bericht = printing::stammbaumDrucken(quelle, katze, info.StammbaumGeneration).bericht;
            } else {
                printing::tDruckenKatzen dispatcher(quelle);
                if (const int nummer = dispatcher.pruefen(art, katze)) {
                    err << quelle.meldung(nummer, printing::tDruckenKatzen::meldungstext(nummer)) << "\n";
                    return 1;
                }
                printing::Druckauftrag auftrag;
                auftrag.art = art;
                auftrag.katze = katze;
                // Without the search dialog the cat list holds the cat asked for.
                if (art == printing::kKatzenliste) auftrag.liste = {katze};
                QString fehler;
                const auto b = dispatcher.bericht(auftrag, &fehler);
                if (!b) {
                    err << "drucken: " << fehler << "\n";
                    return 2;
                }
                bericht = *b;
            }
            QString fehler;
            if (!printing::alsPdfSpeichern(bericht, args.at(1), &fehler)) {
                err << "drucken: " << fehler << "\n";
                return 2;
            }
        } catch (const std::exception& e) {
            err << "drucken: " << e.what() << "\n";
            return 2;
        }
        return 0;
    },
    true);

} // namespace
