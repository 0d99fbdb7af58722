#include "office/waehrungsumrechnung.h"

#include "store/startup.h"
#include "store/table.h"
#include "store/transaktion.h"

#include <QLocale>

namespace velmora::office {

using store::Money;
using store::Table;

double Umrechnungsfaktor::alsZahl() const {
    double d = double(zaehler);
    for (int i = 0; i < stellen; ++i)
        d /= 10.0;
    return d;
}

QString Umrechnungsfaktor::text() const {
    QString z = QString::number(zaehler);
    if (stellen == 0) return z;
    if (z.size() <= stellen) z = QString(stellen - z.size() + 1, QLatin1Char('0')) + z;
    return z.left(z.size() - stellen) + QLatin1Char(',') + z.right(stellen);
}

std::optional<Umrechnungsfaktor> faktorLesen(const QString& text) {
    const QString t = text.trimmed();
    const qsizetype komma = t.indexOf(QLatin1Char(','));
    if (t.isEmpty() || t.count(QLatin1Char(',')) > 1 || t == QStringLiteral(",")) return std::nullopt;
    for (QChar c : t)
        if (c != QLatin1Char(',') && (c < QLatin1Char('0') || c > QLatin1Char('9'))) return std::nullopt;
    QString ganz = komma < 0 ? t : t.left(komma), bruch = komma < 0 ? QString() : t.mid(komma + 1);
    while (bruch.endsWith(QLatin1Char('0')))
        bruch.chop(1);
    QString ziffern = ganz + bruch;
    while (ziffern.startsWith(QLatin1Char('0')))
        ziffern.remove(0, 1);
    if (ziffern.isEmpty() || ziffern.size() > 18) return std::nullopt; // zero, or beyond 64 bits
    return Umrechnungsfaktor{ziffern.toLongLong(), int(bruch.size())};
}

Money umrechnen(Money betrag, const Umrechnungsfaktor& f) {
    __int128 n = betrag.units();
    for (int i = 0; i < f.stellen; ++i)
        n *= 10;
    return Money::fromUnits(store::roundedDivision(n, f.zaehler));
}

namespace {
bool nichtNach(const QVariant& datum, const QDate& bis) {
    const QDate d = datum.toDate();
    return !d.isValid() || d <= bis; // an undated price is older than any day
}
Money geld(const QVariant& v) {
    return Money::fromVariant(v).value_or(Money());
}
} // namespace

UmrechnungsErgebnis waehrungUmrechnen(store::Database& db, const Umrechnungsfaktor& f, const QDate& bis,
                                      const UmrechnungsFortschritt& fortschritt) {
    UmrechnungsErgebnis e;
    store::indexSicherstellen(db, QStringLiteral("buchung"), QStringLiteral("Kontoname"), QStringLiteral("Kontoname"));
    QStringList tabellen{QStringLiteral("buchung"), QStringLiteral("konten")};
    const bool verkauft = db.tableExists(QStringLiteral("verkauft"));
    if (verkauft) tabellen << QStringLiteral("verkauft");
    store::MultiTableTransaction tx(db, tabellen);
    Table konten(db, QStringLiteral("konten"));
    Table buchung(db, QStringLiteral("buchung"));
    konten.open();
    buchung.open();
    buchung.setIndexFields(QStringLiteral("Kontoname"));
    const int gesamt = buchung.recordCount();
    int gelaufen = 0;
    konten.setIndexName(QString());
    for (konten.first(); !konten.eof(); konten.next()) {
        if (konten.asInt(QStringLiteral("Kontoart")) == 0) continue;
        const int nr = konten.asInt(QStringLiteral("LaufendeNummer"));
        Money stand = umrechnen(geld(konten.value(QStringLiteral("Eroeffnungssaldo"))), f);
        buchung.setRange({nr}, {nr});
        for (buchung.first(); !buchung.eof(); buchung.next()) {
            Money betrag = geld(buchung.value(QStringLiteral("Betrag")));
            if (nichtNach(buchung.value(QStringLiteral("Buchungsdatum")), bis)) {
                betrag = umrechnen(betrag, f);
                buchung.edit();
                buchung.setValue(QStringLiteral("Betrag"), QVariant::fromValue(betrag));
                buchung.post();
                ++e.buchungen;
            }
            stand += betrag;
            if (fortschritt) fortschritt(++gelaufen, gesamt);
        }
        konten.edit();
        konten.setValue(QStringLiteral("Eroeffnungssaldo"),
                        konten.isNull(QStringLiteral("Eroeffnungssaldo"))
                            ? QVariant()
                            : QVariant::fromValue(umrechnen(geld(konten.value(QStringLiteral("Eroeffnungssaldo"))), f)));
        konten.setValue(QStringLiteral("Kontostand"), QVariant::fromValue(stand));
        konten.post();
        ++e.konten;
    }
    buchung.close();
    konten.close();
    if (verkauft) {
        Table v(db, QStringLiteral("verkauft"));
        v.open();
        for (v.first(); !v.eof(); v.next()) {
            for (const auto& [preis, datum] : {std::pair{QStringLiteral("Preisgekauft"), QStringLiteral("Gekauftam")},
                                               std::pair{QStringLiteral("Preisverkauft"), QStringLiteral("Verkauftam")}}) {
                if (v.isNull(preis) || !nichtNach(v.value(datum), bis)) continue;
                v.edit();
                v.setValue(preis, QVariant::fromValue(umrechnen(geld(v.value(preis)), f)));
                ++e.verkaufspreise;
            }
            v.post();
        }
        v.close();
    }
    tx.commit();
    return e;
}

} // namespace velmora::office
