#pragma once
// The page model every print is built from: a report (`Bericht`) is a list of pages (`Seite`), each a list
// of elements placed in millimetres. The model knows nothing about fonts or painters, so layouts can be
// built and checked without a GUI; the widget part (printing/ui) draws it.
//
// Coordinates: millimetres from the top-left corner of the paper as it lies in the chosen orientation
// (x to the right, y downwards). The margins do not move elements; they describe the area layout helpers
// such as the list builder fill (`Bericht::inhalt()`).
//
// Colours are ints in the form 0x00BBGGRR (red in the lowest byte), as stored in the settings and tables.

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <optional>
#include <variant>
#include <vector>

namespace velmora::printing {

// 0x00BBGGRR
using Farbwert = int;
inline constexpr Farbwert kSchwarz = 0x000000;
inline constexpr Farbwert kWeiss = 0xFFFFFF;

enum class Seitenausrichtung { Hochformat, Querformat };
enum class HAusrichtung { Links, Mitte, Rechts };
enum class VAusrichtung { Oben, Mitte, Unten };

struct Schrift {
    QString familie = QStringLiteral("Arial");
    double groesse = 10.0; // points
    bool fett = false;
    bool kursiv = false;
};

struct TextElement {
    QRectF box; // mm; the text is clipped to it
    QString text;
    Schrift schrift;
    HAusrichtung hAusrichtung = HAusrichtung::Links;
    VAusrichtung vAusrichtung = VAusrichtung::Oben;
    Farbwert farbe = kSchwarz;
    bool umbrechen = false; // wrap at word boundaries inside the box width
};

struct LinienElement {
    QPointF von; // mm
    QPointF bis;
    double staerke = 0.2; // mm
    Farbwert farbe = kSchwarz;
};

struct RechteckElement {
    QRectF box;           // mm
    double staerke = 0.2; // mm; 0 draws no border
    Farbwert rahmenfarbe = kSchwarz;
    std::optional<Farbwert> fuellfarbe; // none: not filled
};

struct BildElement {
    QRectF box; // mm
    QString datei;
    bool seitenverhaeltnisBehalten = true; // fit into the box, centred, without distortion
};

using Element = std::variant<TextElement, LinienElement, RechteckElement, BildElement>;

class Seite {
public:
    // The helpers return the stored element so callers can adjust details after placing it; the reference
    // holds until the next element is added.
    TextElement& text(const QRectF& box, const QString& text, const Schrift& schrift = {},
                      HAusrichtung h = HAusrichtung::Links, VAusrichtung v = VAusrichtung::Oben);
    LinienElement& linie(const QPointF& von, const QPointF& bis, double staerke = 0.2,
                         Farbwert farbe = kSchwarz);
    RechteckElement& rechteck(const QRectF& box, std::optional<Farbwert> fuellfarbe = std::nullopt,
                              double staerke = 0.2);
    BildElement& bild(const QRectF& box, const QString& datei, bool seitenverhaeltnisBehalten = true);
    void hinzufuegen(const Element& element) { m_elemente.push_back(element); }

    const std::vector<Element>& elemente() const { return m_elemente; }
    // All text elements in drawing order; handy for checks and searches.
    QList<TextElement> texte() const;

private:
    template <typename T> T& anhaengen(T element);
    std::vector<Element> m_elemente;
};

struct Raender {
    double links = 15.0; // mm
    double oben = 15.0;
    double rechts = 15.0;
    double unten = 15.0;
};

class Bericht {
public:
    // Paper size in mm, given upright (width <= height); the orientation turns it.
    static QSizeF a4() { return {210.0, 297.0}; }
    static QSizeF a5() { return {148.0, 210.0}; }
    static QSizeF a3() { return {297.0, 420.0}; }
    static QSizeF letter() { return {215.9, 279.4}; }

    Bericht() = default;

    void setTitel(const QString& titel) { m_titel = titel; } // document / print job name
    const QString& titel() const { return m_titel; }

    void setPapier(const QSizeF& hochkant) { m_papier = hochkant; }
    QSizeF papier() const { return m_papier; } // upright
    void setAusrichtung(Seitenausrichtung a) { m_ausrichtung = a; }
    Seitenausrichtung ausrichtung() const { return m_ausrichtung; }
    void setRaender(const Raender& r) { m_raender = r; }
    const Raender& raender() const { return m_raender; }

    // The paper as it lies in the orientation.
    double breite() const;
    double hoehe() const;
    // The area inside the margins, in page coordinates.
    QRectF inhalt() const;

    // The reference holds until the next page is added.
    Seite& neueSeite();
    int seitenzahl() const { return int(m_seiten.size()); }
    Seite& seite(int index) { return m_seiten[index]; }
    const Seite& seite(int index) const { return m_seiten.at(index); }
    const std::vector<Seite>& seiten() const { return m_seiten; }

private:
    QString m_titel;
    QSizeF m_papier = a4();
    Seitenausrichtung m_ausrichtung = Seitenausrichtung::Hochformat;
    Raender m_raender;
    std::vector<Seite> m_seiten;
};

} // namespace velmora::printing
