#pragma once
// Builds list reports (one row per record, fixed columns) as a `Bericht`: breaks pages by itself, repeats
// the title and the column header on every page and writes a page number at the foot of each page.
//
// Layout inside the margins (`Bericht::inhalt()`), top to bottom:
//   title band     titelHoehe, when there is a title (on the first page only if so chosen)
//   header band    zeilenhoehe, column titles in the header font, a line along its bottom edge
//   rows           each row is as high as its tallest cell: lines x zeilenhoehe
//   foot band      zeilenhoehe at the very bottom, the page number, when a pattern is set
// A row that does not fit the rest of a page starts the next one; only a row taller than a whole empty
// page is split between pages.
//
// Measuring text needs fonts, which this widget-free part does not have: the caller passes a width
// function (printing/ui offers one from real font metrics); without it a rough estimate is used.

#include "printing/bericht.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace velmora::printing {

// Width in mm the text takes when set in the font.
using Textbreite = std::function<double(const QString& text, const Schrift& schrift)>;

// Rough width without fonts: half an em per character, a tenth more in bold.
double geschaetzteTextbreite(const QString& text, const Schrift& schrift);

// The ends of the characters as the reader sees them (grapheme clusters), ascending, the last = size.
QList<qsizetype> zeichenGrenzen(const QString& text);

// Splits the text into lines no wider than `breite` mm: at line breaks, then at blanks; a word wider than
// the whole width is cut between characters, never inside one. Always returns at least one (possibly empty) line.
QStringList zeilenUmbrechen(const QString& text, double breite, const Schrift& schrift,
                            const Textbreite& messen);

struct Spalte {
    QString titel;
    double breite = 30.0; // mm
    HAusrichtung ausrichtung = HAusrichtung::Links;
};

struct Zelle {
    Zelle() = default;
    Zelle(const QString& t) : text(t) {} // implicit: most cells are plain texts
    // A small filled square (e.g. a colour or a status mark) before the text.
    static Zelle farbfeld(Farbwert farbe, const QString& text = {}) {
        Zelle z(text);
        z.farbe = farbe;
        return z;
    }

    QString text;
    std::optional<Farbwert> farbe;
};

class Listenbericht {
public:
    static QString standardSeitenzahlMuster() { return QStringLiteral("Seite %1 von %2"); }
    // The page number pattern in the current language (caption 4996), the German one without texts.
    static QString sprachSeitenzahlMuster();

    Listenbericht();

    void setSeitenformat(const QSizeF& papierHochkant, Seitenausrichtung ausrichtung, const Raender& raender);
    void setTitel(const QString& titel) { m_titel = titel; }
    void setTitelNurAufErsterSeite(bool nurErste) { m_titelNurErste = nurErste; }
    void setSpalten(const QList<Spalte>& spalten) { m_spalten = spalten; }
    const QList<Spalte>& spalten() const { return m_spalten; }

    void setSchrift(const Schrift& s) { m_schrift = s; }
    void setKopfSchrift(const Schrift& s) { m_kopfSchrift = s; }
    void setTitelSchrift(const Schrift& s) { m_titelSchrift = s; }
    void setZeilenhoehe(double mm) { m_zeilenhoehe = mm; }
    double zeilenhoehe() const { return m_zeilenhoehe; }
    void setTitelHoehe(double mm) { m_titelHoehe = mm; }
    double titelHoehe() const { return m_titelHoehe; }
    void setZellenabstand(double mm) { m_abstand = mm; }   // inner space left and right in each cell
    void setZeilenlinien(bool an) { m_zeilenlinien = an; } // thin line under every row
    void setTextbreite(Textbreite messen) { m_messen = std::move(messen); }

    // "%1" becomes the page number, "%2" the page count; an empty pattern leaves the foot empty.
    void setSeitenzahlMuster(const QString& muster) { m_muster = muster; }

    // Cells beyond the columns are ignored, missing cells stay empty. `zeile({a, b})` takes texts too.
    void zeile(const QList<Zelle>& zellen) { m_zeilen.append(zellen); }
    void textzeile(const QStringList& texte);
    int zeilenzahl() const { return int(m_zeilen.size()); }

    // Lays out all rows; at least one page even without rows.
    Bericht erstellen() const;

private:
    Bericht m_vorlage;
    QString m_titel;
    bool m_titelNurErste = false;
    QList<Spalte> m_spalten;
    Schrift m_schrift;
    Schrift m_kopfSchrift;
    Schrift m_titelSchrift;
    double m_zeilenhoehe = 5.0;
    double m_titelHoehe = 10.0;
    double m_abstand = 1.0;
    bool m_zeilenlinien = false;
    Textbreite m_messen;
    QString m_muster = sprachSeitenzahlMuster();
    QList<QList<Zelle>> m_zeilen;
};

} // namespace velmora::printing
