// importieren: a data directory of Paradox tables from an earlier program into a new data directory.

#include "app/werkzeug/werkzeug.h"
#include "settings/einstellungsort.h"
#include "settings/uebernahme.h"
#include "store/anlegen.h"
#include "store/uebernahme.h"

#include <QDir>
#include <QFileInfo>

using namespace velmora;

namespace {

constexpr char kAufruf[] = "importieren QUELLE ZIEL [--einstellungen-von DATEI]";

werkzeug::Registrar
    importieren("importieren", kAufruf, [](const QStringList& a, QTextStream& out, QTextStream& err) -> int {
        QStringList args = a;
        const QString einstellungen = werkzeug::takeOption(args, QStringLiteral("--einstellungen-von"));
        if (args.size() != 2 || args.filter(QStringLiteral("--")).size() > 0) {
            err << "usage: velmora-werkzeug " << kAufruf << "\n";
            return 64;
        }
        const QString quelle = args[0];
        const QString ziel = args[1];
        if (!QFileInfo(quelle).isDir()) {
            err << "importieren: " << quelle << " ist kein Verzeichnis\n";
            return 2;
        }
        if (QFileInfo::exists(ziel)) {
            err << "importieren: " << ziel << " gibt es schon; die Übernahme legt ein neues Verzeichnis an\n";
            return 2;
        }
        if (!einstellungen.isEmpty() && !QFileInfo(einstellungen).isFile()) {
            err << "importieren: " << einstellungen << " kann nicht gelesen werden\n";
            return 2;
        }
        store::UebernahmeBericht bericht;
        try {
            bericht = store::uebernehmen(quelle, ziel, store::standardDatenquelle());
        } catch (const store::UebernahmeAbbruch& e) {
            err << "importieren: " << e.meldung << "\n";
            return 2;
        }
        bool einstellungenOk = true;
        if (!einstellungen.isEmpty()) {
            QStringList schluessel;
            const QString dir = settings::einstellungsVerzeichnis();
            einstellungenOk = settings::einstellungenUebernehmen(einstellungen, dir, &schluessel);
            if (einstellungenOk)
                bericht.einstellungen << QStringLiteral("%1 Schlüssel aus %2 nach %3 übernommen")
                                             .arg(schluessel.size())
                                             .arg(QDir::toNativeSeparators(einstellungen),
                                                  QDir::toNativeSeparators(settings::einstellungsPfad(dir)));
            else
                bericht.einstellungen << QStringLiteral("%1 konnte nicht übernommen werden")
                                             .arg(QDir::toNativeSeparators(einstellungen));
        }
        out << bericht.text();
        if (!store::berichtSchreiben(bericht)) {
            err << "importieren: " << QDir(ziel).filePath(QLatin1String(store::kUebernahmeBericht))
                << " kann nicht geschrieben werden\n";
            return 2;
        }
        return bericht.vollstaendig() && einstellungenOk ? 0 : 1;
    });

} // namespace
