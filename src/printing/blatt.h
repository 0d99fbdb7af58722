#pragma once
// A document page builder on the report model for the cat prints: every page gets the cattery's
// letterhead at the top and a foot with the print date, "Seite n von m" and the credit line; between
// them the print flows labelled fields, paragraphs and tables, starting a new page when the next piece
// does not fit. Texts are wrapped at words (a word wider than its column is cut between characters,
// never inside a character) or shortened with "…"; nothing is drawn over anything else.

#include "printing/bericht.h"
#include "printing/listenbericht.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace velmora::printing {

// The user's own data as the letterhead shows it.
struct Briefkopf {
    QString zwinger;
    QString name; // "Vorname Name"
    QStringList adresse; // street, "Plz Ort", country, telephone: the lines that are set
};

struct Blattvorgaben {
    double links = 10.0; // mm, the setting Drucklinks
    double oben = 7.0;   // mm, the setting Druckoben
    double rechts = 10.0; // mm
    double unten = 8.0;   // mm
    Seitenausrichtung ausrichtung = Seitenausrichtung::Hochformat;
    Briefkopf kopf;
    QDate datum;                                          // printed in the foot
    QString datumMuster = QStringLiteral("Gedruckt am %1"); // "%1" is the date
    QString seitenMuster = Listenbericht::standardSeitenzahlMuster();
    QString fusszeile; // credit line
    Textbreite messen; // without it a rough estimate
};

// The first `n` characters as the reader sees them, never half of one (surrogate pairs, combining marks).
QString zeichenAnfang(const QString& text, qsizetype n);
// Shortened with "…" so it fits the width; unchanged when it fits.
QString kuerzen(const QString& text, double breite, const Schrift& schrift, const Textbreite& messen);

class Blatt {
public:
    explicit Blatt(const Blattvorgaben& vorgaben);

    static constexpr double kKopfHoehe = 22.0;
    static constexpr double kFussHoehe = 10.0;

    // Area between letterhead and foot on every page.
    QRectF inhalt() const { return m_inhalt; }
    double y() const { return m_y; }
    Seite& seite() { return m_bericht.seite(m_bericht.seitenzahl() - 1); }
    const Textbreite& messen() const { return m_messen; }

    void titel(const QString& text, double groesse = 14.0);
    void zwischentitel(const QString& text);
    // A caption in a column of `labelBreite` mm and its value wrapped beside it.
    void feld(const QString& beschriftung, const QString& wert, double labelBreite = 45.0);
    void absatz(const QString& text, const Schrift& schrift = {});
    // The header repeats on every page the table continues on.
    void tabelle(const QList<Spalte>& spalten, const QList<QStringList>& zeilen, const Schrift& schrift = {});
    void abstand(double mm);
    // Room of this height at the current position (a new page first when it does not fit); moves on.
    QRectF platz(double hoehe);
    void neueSeite();

    Schrift grundschrift() const { return m_schrift; }
    void setGrundschrift(const Schrift& s) { m_schrift = s; }
    static double zeilenhoehe(const Schrift& s) { return s.groesse * 25.4 / 72.0 * 1.35; }

    // Letterhead and foot on every page; the title names the print job.
    Bericht fertig(const QString& titel);

private:
    void briefkopf(Seite& s) const;
    Blattvorgaben m_v;
    Textbreite m_messen;
    Bericht m_bericht;
    QRectF m_inhalt;
    double m_y = 0;
    Schrift m_schrift;
};

} // namespace velmora::printing
