// inzucht: one inbreeding calculation over a data directory, every result as text.

#include "app/werkzeug/werkzeug.h"
#include "genealogy/inzuchtberechnung.h"
#include "genealogy/tabellenquelle.h"
#include "language/sprache.h"
#include "settings/einstellungsort.h"
#include "settings/systeminfo.h"
#include "store/database.h"
#include "store/errors.h"
#include "store/table.h"

#include <QLocale>

using namespace velmora;

namespace {

constexpr char kAufruf[] = "inzucht DIR (--katze N | --vater N --mutter N) --generationen G [--detail] "
                           "[--wright] [--einstellungen DIR]";

bool zahl(const QString& t, qint64 min, qint64 max, qint64* wert) {
    bool ok = false;
    *wert = t.toLongLong(&ok);
    return ok && *wert >= min && *wert <= max;
}

void liste(QTextStream& out, const char* kopf, const QStringList& zeilen) {
    out << '[' << kopf << "]\n";
    for (const QString& z : zeilen)
        out << z << '\n';
}

werkzeug::Registrar
    inzucht("inzucht", kAufruf, [](const QStringList& a, QTextStream& out, QTextStream& err) -> int {
        QStringList args = a;
        const QString katzeText = werkzeug::takeOption(args, QStringLiteral("--katze"));
        const QString vaterText = werkzeug::takeOption(args, QStringLiteral("--vater"));
        const QString mutterText = werkzeug::takeOption(args, QStringLiteral("--mutter"));
        const QString genText = werkzeug::takeOption(args, QStringLiteral("--generationen"));
        const QString einstellungen = werkzeug::takeOption(args, QStringLiteral("--einstellungen"));
        const bool detail = werkzeug::takeFlag(args, QStringLiteral("--detail"));
        const bool wright = werkzeug::takeFlag(args, QStringLiteral("--wright"));
        qint64 katze = 0, vater = 0, mutter = 0, generationen = 0;
        const bool katzenModus = !katzeText.isEmpty();
        bool ok = args.size() == 1 && zahl(genText, 1, 255, &generationen);
        if (katzenModus)
            ok = ok && vaterText.isEmpty() && mutterText.isEmpty() &&
                 zahl(katzeText, INT32_MIN, INT32_MAX, &katze);
        else
            ok = ok && zahl(vaterText, INT32_MIN, INT32_MAX, &vater) &&
                 zahl(mutterText, INT32_MIN, INT32_MAX, &mutter);
        if (!ok) {
            err << "usage: velmora-werkzeug " << kAufruf << "\n";
            return 64;
        }

        // Without a settings folder the defaults of an empty file hold (German texts).
        settings::tsysteminfo info;
        if (!einstellungen.isEmpty() &&
            !info.load(settings::einstellungsPfad(settings::einstellungsVerzeichnis(einstellungen)))) {
            err << "inzucht: " << settings::einstellungsPfad(einstellungen) << " kann nicht gelesen werden\n";
            return 2;
        }
        try {
            store::Database db(args.first());
            if (!db.tableExists(QStringLiteral("catstamm"))) {
                err << "inzucht: " << args.first() << " enthält keine Tierdatenbank (catstamm.db)\n";
                return 2;
            }
            language::TSprache sprache(db, info.spracheNummer());
            sprache.oeffnen();
            genealogy::TabellenKatzenQuelle quelle(db);
            genealogy::TabellenVorfahrenZiel ziel(db);
            genealogy::TFormInzuchtberechnung calc(quelle, [&sprache](int n) { return sprache.meldung(n); });
            calc.locale = QLocale::system();
            calc.mitVorfahren = info.InzuchtmitVorfahren;
            calc.MerkmalVorTop = info.MerkmalvorTop;
            calc.vorfahrenZiel = &ziel;
            calc.mitWright = wright;
            calc.zeigeMeldung = [&err](const QString& text, int art) {
                if (art == 2) err << text << '\n'; // errors during a run that still gives results
            };
            if (katzenModus) {
                genealogy::KatzenDaten d;
                // an unknown cat has no parents, which the calculation reports itself
                if (quelle.lesen(static_cast<qint32>(katze), d)) {
                    vater = d.Vater;
                    mutter = d.Mutter;
                }
            }
            if (!calc.Berechne(static_cast<qint32>(katze), static_cast<qint32>(vater),
                               static_cast<qint32>(mutter), static_cast<quint8>(generationen), detail)) {
                // an error has gone to stderr already; no figure when the calculation could not finish
                if (!calc.letzteMeldungFehler) out << calc.letzteMeldung << '\n';
                return 1;
            }
            out << "Inzuchtkoeffizient: " << calc.Inzuchtkoeffizient << '\n';
            out << "Inzuchtkoeffizientkurz: " << calc.Inzuchtkoeffizientkurz << '\n';
            out << "Ahnenverlustkoeffizient: " << calc.Ahnenverlustkoeffizient << '\n';
            out << "Stammbaumkomplett: " << calc.Stammbaumkomplett << '\n';
            if (wright) {
                out << "Wright: " << calc.WrightKoeffizient << '\n';
                out << "Wright-Vorfahren: " << calc.WrightVorfahren << '\n';
                // the kitten's coefficient is the kinship of its parents
                if (!katzenModus) out << "Verwandtschaft: " << calc.WrightKoeffizient << '\n';
            }
            liste(out, "Ahnenverlust", calc.Ahnenverlust);
            liste(out, "Inzucht", calc.Inzucht);
            liste(out, "Info", calc.Info);
            liste(out, "Clon", calc.Clon);
            if (detail) {
                out << "[Vorfahrenliste]\n";
                if (store::Table* t = ziel.tabelle()) {
                    t->setIndexName(QStringLiteral("IndexName"));
                    for (t->first(); t->hasRecord() && !t->eof(); t->next())
                        out << t->asInt(QStringLiteral("Nummer")) << ';'
                            << t->asString(QStringLiteral("Name")) << ';'
                            << t->value(QStringLiteral("Anzahl")).toLongLong() << '\n';
                }
            }
            return 0;
        } catch (const store::DatabaseError& e) {
            err << "inzucht: " << e.message() << '\n';
            return 2;
        }
    });

} // namespace
