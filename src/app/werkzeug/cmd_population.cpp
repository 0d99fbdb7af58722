// population: the genetics of a reference population of the register.

#include "app/werkzeug/werkzeug.h"
#include "genealogy/genetik.h"
#include "genealogy/populationslauf.h"
#include "store/database.h"
#include "store/errors.h"

#include <algorithm>
#include <cmath>

using namespace velmora;

namespace {

constexpr char kAufruf[] =
    "population DIR [--geboren-von YYYY] [--geboren-bis YYYY] [--status S]... [--alle]";

QString wert(double v) {
    return genealogy::genetikWert(v);
}

werkzeug::Registrar
    population("population", kAufruf, [](const QStringList& a, QTextStream& out, QTextStream& err) -> int {
        QStringList args = a;
        bool ok = true;
        auto zahl = [&ok](const QString& t, qint64 min, qint64 max) {
            bool gut = false;
            const qint64 v = t.toLongLong(&gut);
            if (!gut || v < min || v > max) ok = false;
            return qint32(v);
        };
        genealogy::Referenzfilter filter;
        const QString von = werkzeug::takeOption(args, QStringLiteral("--geboren-von"));
        const QString bis = werkzeug::takeOption(args, QStringLiteral("--geboren-bis"));
        if (!von.isNull()) filter.geborenVon = zahl(von, 1, 9999);
        if (!bis.isNull()) filter.geborenBis = zahl(bis, 1, 9999);
        for (QString s; !(s = werkzeug::takeOption(args, QStringLiteral("--status"))).isNull();)
            filter.status << zahl(s, INT32_MIN, INT32_MAX);
        filter.alle = werkzeug::takeFlag(args, QStringLiteral("--alle"));
        if (!ok || args.size() != 1) {
            err << "usage: velmora-werkzeug " << kAufruf << "\n";
            return 64;
        }
        try {
            store::Database db(args.first());
            if (!db.tableExists(QStringLiteral("catstamm"))) {
                err << "population: " << args.first() << " enthält keine Tierdatenbank (catstamm.db)\n";
                return 2;
            }
            const genealogy::Genetik g(genealogy::genetikKatzenLesen(db));
            for (qint32 n : g.eigeneVorfahren())
                err << "population: Katze " << n
                    << " ist ihr eigener Vorfahr; die Verbindung gilt als unbekannt\n";
            const QDate heute = QDate::currentDate();
            std::vector<int> referenz;
            for (int i = 0; i < g.anzahl(); ++i)
                if (filter.passt(g.katze(i), heute)) referenz.push_back(i);
            const genealogy::Population p = genealogy::populationRechnen(g, referenz);
            out << "Referenz: " << p.referenz.size() << '\n';
            out << "Genetische Vielfalt: " << wert(p.vielfalt) << '\n';
            out << "Gruendergenomaequivalente: " << wert(p.gruenderaequivalente) << '\n';
            out << "Gruender: " << p.gruender.size() << '\n';
            out << "Effektive Gruender: " << wert(p.effektiveGruender) << '\n';
            out << "Ne: " << wert(p.ne) << '\n';
            out << "ECG: " << wert(p.ecgMittel) << '\n';
            out << "[Mittlere Verwandtschaft]\n";
            const std::vector<int> reihe = genealogy::nachMittlererVerwandtschaft(g, p);
            for (int i : reihe)
                out << g.katze(i).nr << ';' << g.katze(i).name << ';' << wert(p.mk[size_t(i)]) << ';'
                    << wert(g.inzucht()[size_t(i)]) << ';' << wert(p.ecg[size_t(i)]) << '\n';
            return 0;
        } catch (const store::DatabaseError& e) {
            err << "population: " << e.message() << '\n';
            return 2;
        }
    });

} // namespace
