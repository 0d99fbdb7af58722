// buchungen: the bookings of a period as lines, the balances and the figures of the profit-and-loss
// statement, every amount with a decimal point and two places.

#include "app/werkzeug/werkzeug.h"
#include "office/buchhaltung.h"

#include <QDir>

using namespace velmora;

namespace {

constexpr char kAufruf[] = "buchungen DIR [--konto NAME] [--von YYYY-MM-DD] [--bis YYYY-MM-DD]";

QString zeile(QString s) {
    s.replace(QLatin1String("\r\n"), QLatin1String(" "));
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return s;
}

werkzeug::Registrar buchungen("buchungen", kAufruf, [](const QStringList& a, QTextStream& out, QTextStream& err) -> int {
    QStringList args = a;
    const QString kontoName = werkzeug::takeOption(args, QStringLiteral("--konto"));
    const QString vonText = werkzeug::takeOption(args, QStringLiteral("--von"));
    const QString bisText = werkzeug::takeOption(args, QStringLiteral("--bis"));
    if (args.size() != 1) {
        err << "usage: velmora-werkzeug " << kAufruf << "\n";
        return 64;
    }
    auto fehler = [&err](const QString& m) {
        err << "buchungen: " << m << '\n';
        return 2;
    };
    if (!QDir(args[0]).exists()) return fehler(QStringLiteral("das Datenverzeichnis %1 gibt es nicht").arg(args[0]));
    office::Zeitraum z{QDate(1, 1, 1), QDate(9999, 12, 31)};
    if (!vonText.isEmpty() && !(z.von = office::isoDatum(vonText)).isValid())
        return fehler(QStringLiteral("kein Datum: %1 (YYYY-MM-DD)").arg(vonText));
    if (!bisText.isEmpty() && !(z.bis = office::isoDatum(bisText)).isValid())
        return fehler(QStringLiteral("kein Datum: %1 (YYYY-MM-DD)").arg(bisText));
    if (z.bis < z.von) return fehler(QStringLiteral("--bis liegt vor --von"));
    try {
        store::Database db(args[0]);
        office::Buchhaltung b(db);
        QList<office::Konto> konten = b.konten();
        int nur = 0;
        if (!kontoName.isEmpty()) {
            const auto k = b.nachName(kontoName);
            if (!k || !k->istKonto()) return fehler(QStringLiteral("das Konto %1 gibt es nicht").arg(kontoName));
            nur = k->nummer;
            konten = {*k};
        }
        QHash<int, QString> namen;
        for (const office::Konto& k : b.konten())
            namen.insert(k.nummer, k.name);
        for (const office::Buchung& x : b.buchungen(nur)) {
            if (!z.enthaelt(x.datum) || !namen.contains(x.konto)) continue;
            out << x.datum.toString(QStringLiteral("yyyy-MM-dd")) << ';' << zeile(namen.value(x.konto)) << ';'
                << zeile(x.kategorie) << ';' << x.betrag.toString(2) << ';' << zeile(x.beschreibung) << '\n';
        }
        for (const office::Konto& k : konten)
            out << "Saldo: " << zeile(k.name) << ';' << b.kontostandAm(k.nummer, z.bis).toString(2) << '\n';
        const office::GewinnUndVerlust g = b.gewinnUndVerlust(z, nur);
        out << "Einnahmen: " << g.einnahmenGesamt.toString(2) << '\n';
        out << "Ausgaben: " << g.ausgabenGesamt.toString(2) << '\n';
        out << "Ergebnis: " << g.saldo().toString(2) << '\n';
        return 0;
    } catch (const store::DatabaseError& e) {
        return fehler(e.message());
    }
});

} // namespace
