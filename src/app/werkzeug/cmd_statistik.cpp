// statistik: the register statistics' evaluation over a data directory, one line per result row.

#include "app/werkzeug/werkzeug.h"
#include "genealogy/statistikdatei.h"
#include "language/sprache.h"
#include "store/database.h"
#include "store/errors.h"

#include <QLocale>

using namespace velmora;

namespace {

constexpr char kAufruf[] =
    "statistik DIR [--merkmal NAME]... [--oder] [--farbe TEXT] [--geschlecht 1,2,3,4] [--alter-ab N] "
    "[--alter-bis N] [--monate] [--generationen G] [--sql TEXT]";

bool ziffern(const QString& t) {
    if (t.isEmpty()) return true;
    for (QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

werkzeug::Registrar
    statistik("statistik", kAufruf, [](const QStringList& a, QTextStream& out, QTextStream& err) -> int {
        QStringList args = a;
        QStringList merkmale;
        for (QString m; !(m = werkzeug::takeOption(args, QStringLiteral("--merkmal"))).isNull();)
            merkmale << m;
        werkzeug::takeFlag(args, QStringLiteral("--oder")); // the simple mode joins with "or" anyway
        const int sqlIndex = args.indexOf(QStringLiteral("--sql"));
        const bool mitSql = sqlIndex >= 0 && sqlIndex + 1 < args.size();
        const QString sql = werkzeug::takeOption(args, QStringLiteral("--sql"));
        const QString farbe = werkzeug::takeOption(args, QStringLiteral("--farbe"));
        const QString geschlecht = werkzeug::takeOption(args, QStringLiteral("--geschlecht"));
        genealogy::Filter filter;
        filter.alterAb = werkzeug::takeOption(args, QStringLiteral("--alter-ab"));
        filter.alterBis = werkzeug::takeOption(args, QStringLiteral("--alter-bis"));
        filter.monate = werkzeug::takeFlag(args, QStringLiteral("--monate"));
        const QString genText = werkzeug::takeOption(args, QStringLiteral("--generationen"));
        bool ok = args.size() == 1 && ziffern(filter.alterAb) && ziffern(filter.alterBis) &&
                  !(mitSql && !merkmale.isEmpty());
        int generationen = 0;
        if (!genText.isEmpty()) {
            generationen = genText.toInt(&ok);
            ok = ok && args.size() == 1 && generationen >= 1 && generationen <= 255;
        }
        if (!geschlecht.isEmpty()) {
            for (bool& g : filter.geschlecht)
                g = false;
            for (const QString& g : geschlecht.split(QLatin1Char(','))) {
                const int n = g.trimmed().toInt();
                if (n < 1 || n > 4)
                    ok = false;
                else
                    filter.geschlecht[n - 1] = true;
            }
        }
        if (!ok) {
            err << "usage: velmora-werkzeug " << kAufruf << "\n";
            return 64;
        }
        if (!farbe.isEmpty()) filter.farbe = farbe;
        // the settings' default for the figures of the register statistics
        if (!generationen) generationen = 5;
        try {
            store::Database db(args.first());
            if (!db.tableExists(QStringLiteral("catstamm"))) {
                err << "statistik: " << args.first() << " enthält keine Tierdatenbank (catstamm.db)\n";
                return 2;
            }
            language::TSprache sprache(db, 0);
            sprache.oeffnen();
            auto meldung = [&sprache](int n) { return sprache.meldung(n); };
            genealogy::Registerabbild abbild(db);
            QString bedingung = sql;
            if (!mitSql) {
                genealogy::Bedingungsbau bau;
                for (const QString& m : merkmale)
                    bau.merkmal(m);
                bedingung = bau.text();
            }
            const genealogy::Auswertung e = genealogy::auswerten(db, abbild, mitSql, bedingung, filter,
                                                                 generationen, QLocale::system(), meldung);
            if (e.ausgang == genealogy::Auswertung::abgelehnt) {
                err << genealogy::ablehnungsText(e.ablehnung, meldung) << '\n';
                return 2;
            }
            if (e.ausgang == genealogy::Auswertung::fehler) {
                err << meldung(120) << '\n' << e.fehlertext << '\n';
                return 2;
            }
            for (const genealogy::Ergebniszeile& z : e.zeilen)
                out << z.nr << ';' << z.name << ';' << z.geschlecht << ';'
                    << (z.geburt.isValid() ? z.geburt.toString(QStringLiteral("dd.MM.yyyy")) : QString())
                    << ';' << z.ik << ';' << z.avk << '\n';
            out << "Treffer: " << e.zeilen.size() << '\n';
            return 0;
        } catch (const store::DatabaseError& e) {
            err << "statistik: " << e.message() << '\n';
            return 2;
        }
    });

} // namespace
