#include "printing/blatt.h"

#include "language/sprache.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace velmora::printing {

namespace {
constexpr double kToleranz = 1e-6;
const QString kAuslassung = QStringLiteral("…");
} // namespace

QString zeichenAnfang(const QString& text, qsizetype n) {
    qsizetype ende = 0;
    for (qsizetype g : zeichenGrenzen(text)) {
        if (g > n) break;
        ende = g;
    }
    return text.left(ende);
}

QString kuerzen(const QString& text, double breite, const Schrift& schrift, const Textbreite& messen) {
    const Textbreite mess = messen ? messen : Textbreite(geschaetzteTextbreite);
    if (mess(text, schrift) <= breite + kToleranz) return text;
    QString best;
    for (qsizetype g : zeichenGrenzen(text)) {
        const QString versuch = text.left(g).trimmed() + kAuslassung;
        if (mess(versuch, schrift) > breite + kToleranz) break;
        best = versuch;
    }
    return best.isEmpty() ? QString() : best;
}

Blatt::Blatt(const Blattvorgaben& vorgaben)
    : m_v(vorgaben), m_messen(vorgaben.messen ? vorgaben.messen : Textbreite(geschaetzteTextbreite)) {
    Raender r;
    r.links = m_v.links;
    r.oben = m_v.oben;
    r.rechts = m_v.rechts;
    r.unten = m_v.unten;
    m_bericht.setPapier(Bericht::a4());
    m_bericht.setAusrichtung(m_v.ausrichtung);
    m_bericht.setRaender(r);
    const QRectF b = m_bericht.inhalt();
    m_inhalt = QRectF(b.left(), b.top() + kKopfHoehe, b.width(), b.height() - kKopfHoehe - kFussHoehe);
    m_schrift.groesse = 10.0;
    neueSeite();
}

void Blatt::neueSeite() {
    m_bericht.neueSeite();
    m_y = m_inhalt.top();
}

QRectF Blatt::platz(double hoehe) {
    if (m_y + hoehe > m_inhalt.bottom() + kToleranz && m_y > m_inhalt.top() + kToleranz) neueSeite();
    const QRectF r(m_inhalt.left(), m_y, m_inhalt.width(), hoehe);
    m_y += hoehe;
    return r;
}

void Blatt::abstand(double mm) {
    m_y = std::min(m_y + mm, m_inhalt.bottom());
}

void Blatt::titel(const QString& text, double groesse) {
    Schrift s = m_schrift;
    s.groesse = groesse;
    s.fett = true;
    const double zh = zeilenhoehe(s);
    for (const QString& z : zeilenUmbrechen(text, m_inhalt.width(), s, m_messen))
        seite().text(platz(zh), z, s, HAusrichtung::Links, VAusrichtung::Mitte);
    abstand(2.0);
}

void Blatt::zwischentitel(const QString& text) {
    Schrift s = m_schrift;
    s.fett = true;
    s.groesse = m_schrift.groesse + 1;
    abstand(2.0);
    const QRectF r = platz(zeilenhoehe(s) + 1.0);
    seite().text(QRectF(r.left(), r.top(), r.width(), r.height() - 1.0),
                 kuerzen(text, r.width(), s, m_messen), s, HAusrichtung::Links, VAusrichtung::Mitte);
    seite().linie(QPointF(r.left(), r.bottom() - 0.5), QPointF(r.right(), r.bottom() - 0.5), 0.2);
}

void Blatt::feld(const QString& beschriftung, const QString& wert, double labelBreite) {
    Schrift fett = m_schrift;
    fett.fett = true;
    const double zh = zeilenhoehe(m_schrift);
    const double wertBreite = m_inhalt.width() - labelBreite - 2.0;
    const QStringList label = zeilenUmbrechen(beschriftung, labelBreite - 1.0, fett, m_messen);
    const QStringList zeilen = zeilenUmbrechen(wert, wertBreite, m_schrift, m_messen);
    const int n = int(std::max(label.size(), zeilen.size()));
    // A field stays on one page unless it is longer than a page.
    if (m_y + n * zh > m_inhalt.bottom() + kToleranz && n * zh <= m_inhalt.height()) neueSeite();
    for (int i = 0; i < n; ++i) {
        const QRectF r = platz(zh);
        if (i < label.size() && !label.at(i).isEmpty())
            seite().text(QRectF(r.left(), r.top(), labelBreite - 1.0, zh), label.at(i), fett,
                         HAusrichtung::Links, VAusrichtung::Mitte);
        if (i < zeilen.size() && !zeilen.at(i).isEmpty())
            seite().text(QRectF(r.left() + labelBreite + 2.0, r.top(), wertBreite, zh), zeilen.at(i), m_schrift,
                         HAusrichtung::Links, VAusrichtung::Mitte);
    }
}

void Blatt::absatz(const QString& text, const Schrift& schrift) {
    const double zh = zeilenhoehe(schrift);
    for (const QString& z : zeilenUmbrechen(text, m_inhalt.width(), schrift, m_messen)) {
        const QRectF r = platz(zh);
        if (!z.isEmpty()) seite().text(r, z, schrift, HAusrichtung::Links, VAusrichtung::Mitte);
    }
}

void Blatt::tabelle(const QList<Spalte>& spalten, const QList<QStringList>& zeilen, const Schrift& schrift) {
    Schrift kopf = schrift;
    kopf.fett = true;
    const double zh = zeilenhoehe(schrift);
    const double abstandZelle = 0.8;
    double gesamt = 0;
    for (const Spalte& s : spalten)
        gesamt += s.breite;
    // Each column at least as wide as its widest word, so words wrap whole instead of being cut; the
    // rest of the page width is shared in proportion to the widths asked for.
    QList<double> minimum;
    for (int i = 0; i < spalten.size(); ++i) {
        double m = 0;
        auto woerter = [&](const QString& t, const Schrift& f) {
            for (const QString& w : t.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
                m = std::max(m, m_messen(w, f));
        };
        woerter(spalten[i].titel, kopf);
        for (const QStringList& z : zeilen)
            woerter(z.value(i), schrift);
        minimum << m + 2 * abstandZelle + 0.2;
    }
    const double verfuegbar = m_inhalt.width();
    QList<double> breiten;
    double summe = 0, summeMin = 0;
    for (int i = 0; i < spalten.size(); ++i) {
        breiten << std::max(spalten[i].breite, minimum[i]);
        summe += breiten.last();
        summeMin += minimum[i];
    }
    if (summe > verfuegbar) {
        if (summeMin >= verfuegbar) {
            // Not even the words fit: everything narrows alike (long words then break between characters).
            for (int i = 0; i < breiten.size(); ++i)
                breiten[i] = minimum[i] * verfuegbar / summeMin;
        } else {
            // Take the excess from the room each column has above its minimum.
            const double ueber = summe - summeMin, zuviel = summe - verfuegbar;
            for (int i = 0; i < breiten.size(); ++i)
                breiten[i] -= (breiten[i] - minimum[i]) * zuviel / ueber;
        }
    }
    gesamt = 0;
    for (double b : breiten)
        gesamt += b;
    const double faktor = 1.0;

    auto zellenZeilen = [&](const QStringList& texte, const Schrift& f) {
        QList<QStringList> result;
        int n = 1;
        for (int i = 0; i < spalten.size(); ++i) {
            result << zeilenUmbrechen(texte.value(i), std::max(breiten[i] - 2 * abstandZelle, 1.0), f, m_messen);
            n = std::max(n, int(result.last().size()));
        }
        return std::make_pair(result, n);
    };
    const auto [kopfZeilen, kopfN] = zellenZeilen([&] {
        QStringList t;
        for (const Spalte& s : spalten)
            t << s.titel;
        return t;
    }(), kopf);

    auto zeileZeichnen = [&](const QList<QStringList>& zellen, int von, int anzahl, const Schrift& f) {
        const QRectF r = platz(anzahl * zh);
        double x = r.left();
        for (int i = 0; i < spalten.size(); ++i) {
            for (int z = von; z < von + anzahl && z < zellen[i].size(); ++z)
                if (!zellen[i][z].isEmpty())
                    seite().text(QRectF(x + abstandZelle, r.top() + (z - von) * zh, breiten[i] - 2 * abstandZelle, zh),
                                 zellen[i][z], f, spalten[i].ausrichtung, VAusrichtung::Mitte);
            x += breiten[i];
        }
        return r;
    };
    auto kopfZeichnen = [&] {
        const QRectF r = zeileZeichnen(kopfZeilen, 0, kopfN, kopf);
        seite().linie(QPointF(r.left(), r.bottom()), QPointF(r.left() + gesamt * faktor, r.bottom()), 0.3);
    };

    if (m_y + (kopfN + 1) * zh > m_inhalt.bottom() + kToleranz) neueSeite();
    kopfZeichnen();
    double rumpfOben = m_y;
    auto weiterAufNeuerSeite = [&] {
        neueSeite();
        kopfZeichnen();
        rumpfOben = m_y;
    };
    for (const QStringList& zeile : zeilen) {
        const auto [zellen, n] = zellenZeilen(zeile, schrift);
        int erste = 0;
        while (erste < n) {
            const int passen = int(std::floor((m_inhalt.bottom() - m_y) / zh + kToleranz));
            // A row that does not fit goes to the next page whole; only a row longer than a page splits.
            if (passen < n - erste && m_y > rumpfOben + kToleranz) {
                weiterAufNeuerSeite();
                continue;
            }
            const int jetzt = std::max(1, std::min(passen, n - erste));
            zeileZeichnen(zellen, erste, jetzt, schrift);
            erste += jetzt;
            if (erste < n) weiterAufNeuerSeite();
        }
        seite().linie(QPointF(m_inhalt.left(), m_y), QPointF(m_inhalt.left() + gesamt * faktor, m_y), 0.1);
    }
}

void Blatt::briefkopf(Seite& s) const {
    const QRectF b = m_bericht.inhalt();
    Schrift gross;
    gross.groesse = 15.0;
    gross.fett = true;
    Schrift klein;
    klein.groesse = 8.0;
    const double halb = b.width() * 0.55;
    const QString kopf = m_v.kopf.zwinger.isEmpty() ? m_v.kopf.name : m_v.kopf.zwinger;
    s.text(QRectF(b.left(), b.top(), halb, 8.0), kuerzen(kopf, halb, gross, m_messen), gross,
           HAusrichtung::Links, VAusrichtung::Mitte);
    if (!m_v.kopf.zwinger.isEmpty() && !m_v.kopf.name.isEmpty())
        s.text(QRectF(b.left(), b.top() + 8.0, halb, 5.0), kuerzen(m_v.kopf.name, halb, klein, m_messen), klein,
               HAusrichtung::Links, VAusrichtung::Mitte);
    const double rechtsBreite = b.width() - halb - 2.0;
    double y = b.top();
    for (const QString& z : m_v.kopf.adresse.mid(0, 4)) {
        s.text(QRectF(b.right() - rechtsBreite, y, rechtsBreite, 4.0), kuerzen(z, rechtsBreite, klein, m_messen),
               klein, HAusrichtung::Rechts, VAusrichtung::Mitte);
        y += 4.0;
    }
    const double linie = b.top() + kKopfHoehe - 4.0;
    s.linie(QPointF(b.left(), linie), QPointF(b.right(), linie), 0.4);
}

Bericht Blatt::fertig(const QString& titel) {
    Bericht b = m_bericht;
    b.setTitel(titel);
    const QRectF innen = b.inhalt();
    Schrift klein;
    klein.groesse = 7.5;
    const QString gesamt = QString::number(b.seitenzahl());
    const QString datum = m_v.datum.isValid()
                              ? QString(m_v.datumMuster)
                                    .replace(QLatin1String("%1"), language::datumsLocale().toString(
                                                                      m_v.datum, QStringLiteral("dd.MM.yyyy")))
                              : QString();
    const double drittel = innen.width() / 3.0;
    for (int i = 0; i < b.seitenzahl(); ++i) {
        Seite& s = b.seite(i);
        // The letterhead goes first, so a reader of the page meets it before the content.
        Seite kopfSeite;
        briefkopf(kopfSeite);
        std::vector<Element> alle = kopfSeite.elemente();
        alle.insert(alle.end(), s.elemente().begin(), s.elemente().end());
        s = Seite();
        for (const Element& e : alle)
            s.hinzufuegen(e);
        const double y = innen.bottom() - kFussHoehe + 4.0;
        s.linie(QPointF(innen.left(), y - 1.0), QPointF(innen.right(), y - 1.0), 0.2);
        QString seiteText = m_v.seitenMuster;
        seiteText.replace(QLatin1String("%1"), QString::number(i + 1)).replace(QLatin1String("%2"), gesamt);
        s.text(QRectF(innen.left(), y, drittel, 5.0), datum, klein, HAusrichtung::Links, VAusrichtung::Mitte);
        s.text(QRectF(innen.left() + drittel, y, drittel, 5.0), seiteText, klein, HAusrichtung::Mitte,
               VAusrichtung::Mitte);
        s.text(QRectF(innen.left() + 2 * drittel, y, drittel, 5.0), kuerzen(m_v.fusszeile, drittel, klein, m_messen),
               klein, HAusrichtung::Rechts, VAusrichtung::Mitte);
    }
    return b;
}

} // namespace velmora::printing
