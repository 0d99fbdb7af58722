// buchen: one booking as the bookkeeping window makes it, so a bank statement can be taken over by a
// script. The amount is signed as it changes the account and stored so.

#include "app/werkzeug/werkzeug.h"
#include "office/buchhaltung.h"

#include <QDir>

using namespace velmora;

namespace {

constexpr char kAufruf[] = "buchen DIR --konto NAME --betrag BETRAG --datum YYYY-MM-DD [--kategorie NAME] "
                           "[--text TEXT] [--gegenkonto NAME]";

werkzeug::Registrar buchen("buchen", kAufruf, [](const QStringList& a, QTextStream& out, QTextStream& err) -> int {
    QStringList args = a;
    const QString kontoName = werkzeug::takeOption(args, QStringLiteral("--konto"));
    const QString betragText = werkzeug::takeOption(args, QStringLiteral("--betrag"));
    const QString datumText = werkzeug::takeOption(args, QStringLiteral("--datum"));
    const QString kategorie = werkzeug::takeOption(args, QStringLiteral("--kategorie")).trimmed();
    const QString text = werkzeug::takeOption(args, QStringLiteral("--text"));
    const QString gegenkonto = werkzeug::takeOption(args, QStringLiteral("--gegenkonto")).trimmed();
    if (args.size() != 1 || kontoName.isEmpty() || betragText.isEmpty() || datumText.isEmpty()) {
        err << "usage: velmora-werkzeug " << kAufruf << "\n";
        return 64;
    }
    auto fehler = [&err](const QString& m) {
        err << "buchen: " << m << " – nichts gebucht\n";
        return 2;
    };
    if (!QDir(args[0]).exists()) return fehler(QStringLiteral("das Datenverzeichnis %1 gibt es nicht").arg(args[0]));
    const auto betrag = office::betragMitPunkt(betragText);
    if (!betrag) return fehler(QStringLiteral("kein Betrag: %1 (Dezimalpunkt, höchstens vier Stellen)").arg(betragText));
    const QDate datum = office::isoDatum(datumText);
    if (!datum.isValid()) return fehler(QStringLiteral("kein Datum: %1 (YYYY-MM-DD)").arg(datumText));
    if (kategorie.isEmpty() == gegenkonto.isEmpty())
        return fehler(QStringLiteral("entweder --kategorie oder --gegenkonto angeben"));
    if (kategorie.size() > 30) return fehler(QStringLiteral("ein Kategoriename hat höchstens 30 Zeichen"));
    try {
        store::Database db(args[0]);
        office::Buchhaltung b(db);
        const auto konto = b.nachName(kontoName);
        if (!konto || !konto->istKonto()) return fehler(QStringLiteral("das Konto %1 gibt es nicht").arg(kontoName));
        QString ziel = kategorie;
        if (!gegenkonto.isEmpty()) {
            const auto g = b.nachName(gegenkonto);
            if (!g || !g->istKonto()) return fehler(QStringLiteral("das Gegenkonto %1 gibt es nicht").arg(gegenkonto));
            if (g->nummer == konto->nummer) return fehler(QStringLiteral("Konto und Gegenkonto sind dasselbe"));
            ziel = g->name;
        } else if (const auto k = b.nachName(kategorie)) {
            if (k->istKonto() && k->nummer == konto->nummer)
                return fehler(QStringLiteral("Konto und Gegenkonto sind dasselbe"));
        } else { // a new category is income or expense by the sign
            office::Konto neu;
            neu.art = office::kontoart::Kategorie;
            neu.name = kategorie;
            neu.einAus = *betrag < store::Money() ? office::kAusgabe : office::kEinnahme;
            b.anlegen(neu);
        }
        out << "Buchung: " << b.buchen(konto->nummer, datum, ziel, *betrag, text) << '\n';
        return 0;
    } catch (const office::BuchungsFehler& e) {
        return fehler(e.message());
    } catch (const store::DatabaseError& e) {
        return fehler(e.message());
    }
});

} // namespace
