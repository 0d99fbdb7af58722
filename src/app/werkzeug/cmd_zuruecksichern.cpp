// zuruecksichern: a backup put back into a data directory, as the restore window does, without
// questions; the current files are kept in the installation's safety directory first.

#include "app/werkzeug/werkzeug.h"
#include "store/sicherung.h"
#include "store/sperre.h"

#include <QDir>
#include <QFileInfo>

using namespace velmora;

namespace {

werkzeug::Registrar zuruecksichern(
    "zuruecksichern", "zuruecksichern ZIEL DIR",
    [](const QStringList& args, QTextStream& out, QTextStream& err) -> int {
        if (args.size() != 2) {
            err << "usage: velmora-werkzeug zuruecksichern ZIEL DIR\n";
            return 64;
        }
        const QString sicherung = args[0], daten = QDir(args[1]).absolutePath();
        if (!QFileInfo(daten).isDir()) {
            err << "zuruecksichern: " << daten << " ist kein Verzeichnis\n";
            return 2;
        }
        store::Installationssperre sperre(daten);
        if (!sperre.sperren()) {
            err << "Verzeichnis ist in Benutzung! " << daten << "\n";
            return 2;
        }
        // The installation is the data directory's parent, as at start-up.
        const QString sicherheit = store::sicherheitsVerzeichnis(QDir(daten).absoluteFilePath(QStringLiteral("..")));
        store::Steuerung s;
        s.fehler = [&err](const store::DateiFehler& f) {
            err << "zuruecksichern: " << f.datei << ": " << f.text << "\n";
        };
        using Art = store::RuecksicherungsErgebnis::Art;
        const store::RuecksicherungsErgebnis r =
            store::datenZuruecksichern(sicherung, daten, QDir::cleanPath(sicherheit), s);
        switch (r.art) {
        case Art::Ok:
            out << "Dateien: " << r.dateien << "\n";
            return 0;
        case Art::Ungeprueft:
            if (r.befund.art == store::SicherungsBefund::Art::KeinSicherungsverzeichnis)
                err << "Dies ist kein Tessaro Sicherungsverzeichnis! " << sicherung << "\n";
            else
                err << "zuruecksichern: " << r.befund.datei << ": " << r.befund.text << "\n";
            err << "zuruecksichern: " << daten << " ist unverändert\n";
            return 1;
        case Art::SicherungFehlt:
        case Art::Abgebrochen:
            err << "zuruecksichern: die Sicherheitskopie nach " << sicherheit
                << " ist nicht gelungen; " << daten << " ist unverändert\n";
            return 1;
        case Art::Zurueckgeholt:
            err << "zuruecksichern: die Sicherung konnte nicht vollständig kopiert werden; die bisherigen "
                   "Dateien sind zurückgeholt\n";
            return 1;
        case Art::Unvollstaendig:
            err << "zuruecksichern: die bisherigen Dateien konnten nicht zurückgeholt werden; sie liegen in "
                << sicherheit << "\n";
            return 1;
        }
        return 1;
    });

} // namespace
