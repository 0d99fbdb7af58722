#include "printing/listenbericht.h"

#include "language/sprache.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <cmath>

namespace velmora::printing {

namespace {

constexpr double kMmProPunkt = 25.4 / 72.0;
// Positions are sums of many row heights; compare with a little slack so an exact fit still fits.
constexpr double kToleranz = 1e-6;

} // namespace

QList<qsizetype> zeichenGrenzen(const QString& text) {
    QList<qsizetype> grenzen;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype p = finder.toNextBoundary(); p > 0; p = finder.toNextBoundary())
        grenzen.append(p);
    return grenzen;
}

double geschaetzteTextbreite(const QString& text, const Schrift& schrift) {
    const double em = schrift.groesse * kMmProPunkt;
    return text.size() * em * 0.5 * (schrift.fett ? 1.1 : 1.0);
}

QStringList zeilenUmbrechen(const QString& text, double breite, const Schrift& schrift,
                            const Textbreite& messen) {
    const Textbreite mess = messen ? messen : Textbreite(geschaetzteTextbreite);
    auto passt = [&](const QString& s) { return mess(s, schrift) <= breite + kToleranz; };

    QStringList zeilen;
    for (const QString& absatz : text.split(QLatin1Char('\n'))) {
        QString aktuell;
        for (const QString& wort : absatz.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString versuch = aktuell.isEmpty() ? wort : aktuell + QLatin1Char(' ') + wort;
            if (passt(versuch)) {
                aktuell = versuch;
                continue;
            }
            if (!aktuell.isEmpty()) zeilen.append(aktuell);
            aktuell.clear();
            if (passt(wort)) {
                aktuell = wort;
                continue;
            }
            // A word wider than the column: cut it between characters as the reader sees them (never
            // inside a surrogate pair or before a combining mark), at least one per line so this ends.
            QString rest = wort;
            while (!rest.isEmpty()) {
                const QList<qsizetype> grenzen = zeichenGrenzen(rest);
                qsizetype n = grenzen.value(0, rest.size());
                for (qsizetype g : grenzen) {
                    if (!passt(rest.left(g))) break;
                    n = g;
                }
                if (n >= rest.size()) break;
                zeilen.append(rest.left(n));
                rest = rest.mid(n);
            }
            aktuell = rest;
        }
        zeilen.append(aktuell);
    }
    return zeilen;
}

QString Listenbericht::sprachSeitenzahlMuster() {
    const QString muster = language::feldName(4996);
    return muster.contains(QLatin1String("%1")) ? muster : standardSeitenzahlMuster();
}

Listenbericht::Listenbericht() {
    m_kopfSchrift.fett = true;
    m_titelSchrift.groesse = 14.0;
    m_titelSchrift.fett = true;
}

void Listenbericht::setSeitenformat(const QSizeF& papierHochkant, Seitenausrichtung ausrichtung,
                                    const Raender& raender) {
    m_vorlage.setPapier(papierHochkant);
    m_vorlage.setAusrichtung(ausrichtung);
    m_vorlage.setRaender(raender);
}

void Listenbericht::textzeile(const QStringList& texte) {
    QList<Zelle> zellen;
    for (const QString& t : texte)
        zellen.append(Zelle(t));
    zeile(zellen);
}

Bericht Listenbericht::erstellen() const {
    Bericht bericht = m_vorlage;
    bericht.setTitel(m_titel);
    const Textbreite messen = m_messen ? m_messen : Textbreite(geschaetzteTextbreite);
    const QRectF inhalt = bericht.inhalt();
    const double zh = m_zeilenhoehe > 0 ? m_zeilenhoehe : 5.0;
    const double fussHoehe = m_muster.isEmpty() ? 0.0 : zh;
    const double unten = inhalt.bottom() - fussHoehe;
    const double feld = zh * 0.7; // side of a coloured square
    double tabellenBreite = 0;
    for (const Spalte& s : m_spalten)
        tabellenBreite += s.breite;

    double y = 0;
    double rumpfOben = 0;
    auto aktuelleSeite = [&]() -> Seite& { return bericht.seite(bericht.seitenzahl() - 1); };
    auto seiteBeginnen = [&]() {
        Seite& seite = bericht.neueSeite();
        y = inhalt.top();
        if (!m_titel.isEmpty() && (bericht.seitenzahl() == 1 || !m_titelNurErste)) {
            seite.text(QRectF(inhalt.left(), y, inhalt.width(), m_titelHoehe), m_titel, m_titelSchrift,
                       HAusrichtung::Links, VAusrichtung::Mitte);
            y += m_titelHoehe;
        }
        if (!m_spalten.isEmpty()) {
            double x = inhalt.left();
            for (const Spalte& s : m_spalten) {
                seite.text(QRectF(x + m_abstand, y, s.breite - 2 * m_abstand, zh), s.titel, m_kopfSchrift,
                           s.ausrichtung, VAusrichtung::Mitte);
                x += s.breite;
            }
            y += zh;
            seite.linie(QPointF(inhalt.left(), y), QPointF(inhalt.left() + tabellenBreite, y), 0.3);
        }
        rumpfOben = y;
    };

    seiteBeginnen();
    for (const QList<Zelle>& zellen : m_zeilen) {
        // Wrap every cell first: the tallest cell sets the row height.
        QList<QStringList> zeilenJeZelle;
        int anzahl = 1;
        for (int i = 0; i < m_spalten.size(); ++i) {
            const Zelle zelle = i < zellen.size() ? zellen.at(i) : Zelle();
            double breite = m_spalten.at(i).breite - 2 * m_abstand;
            if (zelle.farbe) breite -= feld + m_abstand;
            zeilenJeZelle.append(zeilenUmbrechen(zelle.text, std::max(breite, 0.0), m_schrift, messen));
            anzahl = std::max(anzahl, int(zeilenJeZelle.last().size()));
        }

        int erste = 0;
        while (erste < anzahl) {
            const int passen = int(std::floor((unten - y) / zh + kToleranz));
            const int rest = anzahl - erste;
            if (passen < rest && y > rumpfOben + kToleranz) {
                seiteBeginnen();
                continue;
            }
            // On an empty page: all that fits, but at least one line so a tiny page still ends.
            const int jetzt = std::max(1, std::min(passen, rest));
            Seite& seite = aktuelleSeite();
            double x = inhalt.left();
            for (int i = 0; i < m_spalten.size(); ++i) {
                const Spalte& spalte = m_spalten.at(i);
                const std::optional<Farbwert> farbe = i < zellen.size() ? zellen.at(i).farbe : std::nullopt;
                double textLinks = x + m_abstand;
                if (farbe) {
                    if (erste == 0)
                        seite.rechteck(QRectF(textLinks, y + (zh - feld) / 2, feld, feld), *farbe, 0.1);
                    textLinks += feld + m_abstand;
                }
                const double textBreite = std::max(x + spalte.breite - m_abstand - textLinks, 0.0);
                const QStringList& zeilen = zeilenJeZelle.at(i);
                for (int z = erste; z < erste + jetzt && z < zeilen.size(); ++z) {
                    if (zeilen.at(z).isEmpty()) continue;
                    seite.text(QRectF(textLinks, y + (z - erste) * zh, textBreite, zh), zeilen.at(z),
                               m_schrift, spalte.ausrichtung, VAusrichtung::Mitte);
                }
                x += spalte.breite;
            }
            y += jetzt * zh;
            erste += jetzt;
            if (erste < anzahl) seiteBeginnen();
        }
        if (m_zeilenlinien)
            aktuelleSeite().linie(QPointF(inhalt.left(), y), QPointF(inhalt.left() + tabellenBreite, y), 0.1);
    }

    if (!m_muster.isEmpty()) {
        const QString gesamt = QString::number(bericht.seitenzahl());
        for (int i = 0; i < bericht.seitenzahl(); ++i) {
            QString text = m_muster;
            text.replace(QLatin1String("%1"), QString::number(i + 1));
            text.replace(QLatin1String("%2"), gesamt);
            bericht.seite(i).text(QRectF(inhalt.left(), unten, inhalt.width(), fussHoehe), text, m_schrift,
                                  HAusrichtung::Mitte, VAusrichtung::Mitte);
        }
    }
    return bericht;
}

} // namespace velmora::printing
