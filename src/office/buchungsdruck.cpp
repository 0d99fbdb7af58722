#include "office/buchungsdruck.h"

#include "language/sprache.h"
#include "printing/listenbericht.h"

#include <algorithm>

namespace velmora::office {

using printing::HAusrichtung;
using printing::Listenbericht;
using printing::Spalte;

QString waehrungsText(Money betrag, const QLocale& locale) {
    return locale.toCurrencyString(betrag.rounded(2).toDouble(), QString(), 2);
}

QString zeitraumText(const Zeitraum& z) {
    return z.von.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(" - ") +
           z.bis.toString(QStringLiteral("dd.MM.yyyy"));
}

namespace {

// texte: feldname 8521 8523-8528 8540 8550 8552 8553 8555-8558 8568 8569 8582-8588

// A caption of the running language without its accelerator, the German text when the tables are not
// loaded.
QString t(int tag, const char* vorgabe) {
    QString s = language::feldName(tag);
    if (s.isEmpty()) s = QString::fromUtf8(vorgabe);
    return s.remove(QLatin1Char('&')).trimmed();
}

QString datum(const QDate& d) {
    return d.toString(QStringLiteral("dd.MM.yyyy"));
}

Listenbericht liste(const QString& titel, const QList<Spalte>& spalten, double links, double oben) {
    Listenbericht l;
    printing::Raender r;
    r.links = links;
    r.oben = oben;
    r.rechts = 10.0;
    r.unten = 10.0;
    l.setSeitenformat(printing::Bericht::a4(), printing::Seitenausrichtung::Hochformat, r);
    l.setTitel(titel);
    l.setSpalten(spalten);
    return l;
}

// The chart on a page of its own: one pair of bars per month, scaled to the largest amount.
void diagramm(printing::Bericht& b, const QList<Monatssumme>& monate, const QLocale& locale) {
    if (monate.isEmpty()) return;
    printing::Seite& s = b.neueSeite();
    const QRectF innen = b.inhalt();
    printing::Schrift titel;
    titel.groesse = 14;
    titel.fett = true;
    s.text(QRectF(innen.left(), innen.top(), innen.width(), 10), t(8558, "Einnahmen und Ausgaben je Monat"),
           titel);
    Money groesste = Money::fromUnits(1);
    for (const Monatssumme& m : monate)
        groesste = std::max({groesste, m.einnahmen, m.ausgaben});
    const QRectF flaeche(innen.left() + 25, innen.top() + 20, innen.width() - 25, 100);
    s.linie(flaeche.bottomLeft(), flaeche.bottomRight());
    s.linie(flaeche.bottomLeft(), flaeche.topLeft());
    printing::Schrift klein;
    klein.groesse = 7;
    s.text(QRectF(innen.left(), flaeche.top() - 2, 24, 5), waehrungsText(groesste, locale), klein,
           HAusrichtung::Rechts);
    const double breite = flaeche.width() / monate.size();
    for (int i = 0; i < monate.size(); ++i) {
        const Monatssumme& m = monate[i];
        const double x = flaeche.left() + i * breite;
        auto balken = [&](Money wert, double versatz, printing::Farbwert farbe) {
            const double h = flaeche.height() * (std::max(wert, Money()).toDouble() / groesste.toDouble());
            if (h > 0) s.rechteck(QRectF(x + versatz, flaeche.bottom() - h, breite * 0.4, h), farbe, 0.1);
        };
        balken(m.einnahmen, breite * 0.1, 0x008000);
        balken(m.ausgaben, breite * 0.5, 0x0000C0);
        s.text(QRectF(x, flaeche.bottom() + 1, breite, 5),
               QStringLiteral("%1/%2")
                   .arg(m.monat, 2, 10, QLatin1Char('0'))
                   .arg(m.jahr % 100, 2, 10, QLatin1Char('0')),
               klein, HAusrichtung::Mitte);
    }
    const double y = flaeche.bottom() + 10;
    s.rechteck(QRectF(flaeche.left(), y, 4, 4), 0x008000, 0.1);
    s.text(QRectF(flaeche.left() + 6, y, 40, 5), t(8568, "Einnahmen"), klein);
    s.rechteck(QRectF(flaeche.left() + 50, y, 4, 4), 0x0000C0, 0.1);
    s.text(QRectF(flaeche.left() + 56, y, 40, 5), t(8569, "Ausgaben"), klein);
}

} // namespace

printing::Bericht kontoBuchungenBericht(const Konto& konto, const QList<Buchung>& buchungen, double links,
                                        double oben, const QLocale& locale) {
    Listenbericht l = liste(t(8582, "Buchungen") + QLatin1Char(' ') + konto.name,
                            {{t(8583, "Nr."), 15, HAusrichtung::Rechts},
                             {t(8525, "Datum"), 22},
                             {t(8526, "Kategorie"), 45},
                             {t(8527, "Betrag"), 30, HAusrichtung::Rechts},
                             {t(8528, "Beschreibung"), 70}},
                            links, oben);
    l.textzeile({QString(), QString(), t(8550, "Eröffnungssaldo"),
                 waehrungsText(konto.eroeffnungssaldo, locale), datum(konto.zum)});
    for (const Buchung& b : buchungen)
        l.textzeile({QString::number(b.nummer), datum(b.datum), b.kategorie, waehrungsText(b.betrag, locale),
                     b.beschreibung});
    l.textzeile(
        {QString(), QString(), t(8523, "Kontostand"), waehrungsText(konto.kontostand, locale), QString()});
    printing::Bericht b = l.erstellen();
    b.setTitel(t(8582, "Buchungen") + QLatin1Char(' ') + konto.name);
    return b;
}

printing::Bericht kategorieStatistikBericht(const QString& kategorie, const Zeitraum& z,
                                            const KategorieStatistik& s, double links, double oben,
                                            const QLocale& locale) {
    Listenbericht l = liste(t(8553, "Statistik nach Kategorie") +
                                QStringLiteral(": %1, %2").arg(kategorie, zeitraumText(z)),
                            {{t(8524, "Buchungs Nr."), 25, HAusrichtung::Rechts},
                             {t(8525, "Datum"), 25},
                             {t(8521, "Konto"), 60},
                             {t(8527, "Betrag"), 35, HAusrichtung::Rechts}},
                            links, oben);
    for (const KategorieZeile& r : s.zeilen)
        l.textzeile({QString::number(r.nummer), datum(r.datum), r.konto, waehrungsText(r.betrag, locale)});
    l.textzeile({QString(), QString(), t(8552, "Gesamt"), waehrungsText(s.gesamt, locale)});
    printing::Bericht b = l.erstellen();
    b.setTitel(t(8540, "Statistik") + QLatin1Char(' ') + kategorie);
    return b;
}

printing::Bericht gewinnVerlustBericht(const GewinnUndVerlust& g, const Zeitraum& z,
                                       const QList<Konto>& konten, double links, double oben,
                                       const QLocale& locale) {
    Listenbericht l = liste(t(8584, "Gewinn- und Verlustrechnung") + QLatin1Char(' ') + zeitraumText(z),
                            {{t(8525, "Datum"), 25},
                             {t(8585, "Kategorie / Konto"), 65},
                             {t(8521, "Konto"), 45},
                             {t(8527, "Betrag"), 40, HAusrichtung::Rechts}},
                            links, oben);
    l.textzeile({QString(), t(8586, "Eröffnungssalden")});
    for (const Konto& k : konten)
        l.textzeile({datum(k.zum), k.name, QString(), waehrungsText(k.eroeffnungssaldo, locale)});
    l.textzeile({});
    l.textzeile({QString(), t(8568, "Einnahmen")});
    for (const GuvZeile& r : g.einnahmen)
        l.textzeile({datum(r.datum), r.kategorie, r.konto, waehrungsText(r.betrag, locale)});
    l.textzeile(
        {QString(), t(8555, "Einnahmen gesamt"), QString(), waehrungsText(g.einnahmenGesamt, locale)});
    l.textzeile({});
    l.textzeile({QString(), t(8569, "Ausgaben")});
    for (const GuvZeile& r : g.ausgaben)
        l.textzeile({datum(r.datum), r.kategorie, r.konto, waehrungsText(-r.betrag, locale)});
    l.textzeile({QString(), t(8556, "Ausgaben gesamt"), QString(), waehrungsText(g.ausgabenGesamt, locale)});
    l.textzeile({});
    l.textzeile({QString(), t(8587, "Kontostände")});
    Money summe;
    for (const Konto& k : konten) {
        l.textzeile({QString(), k.name, QString(), waehrungsText(k.kontostand, locale)});
        summe += k.kontostand;
    }
    l.textzeile({QString(), t(8588, "Summe der Kontostände"), QString(), waehrungsText(summe, locale)});
    l.textzeile(
        {QString(), t(8557, "Saldo Einnahmen/Ausgaben"), QString(), waehrungsText(g.saldo(), locale)});
    printing::Bericht b = l.erstellen();
    diagramm(b, g.monate, locale);
    b.setTitel(t(8584, "Gewinn- und Verlustrechnung"));
    return b;
}

} // namespace velmora::office
