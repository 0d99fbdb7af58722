#include "printing/bericht.h"

namespace velmora::printing {

template <typename T> T& Seite::anhaengen(T element) {
    m_elemente.push_back(std::move(element));
    return std::get<T>(m_elemente.back());
}

TextElement& Seite::text(const QRectF& box, const QString& text, const Schrift& schrift, HAusrichtung h,
                         VAusrichtung v) {
    TextElement e;
    e.box = box;
    e.text = text;
    e.schrift = schrift;
    e.hAusrichtung = h;
    e.vAusrichtung = v;
    return anhaengen(std::move(e));
}

LinienElement& Seite::linie(const QPointF& von, const QPointF& bis, double staerke, Farbwert farbe) {
    return anhaengen(LinienElement{von, bis, staerke, farbe});
}

RechteckElement& Seite::rechteck(const QRectF& box, std::optional<Farbwert> fuellfarbe, double staerke) {
    RechteckElement e;
    e.box = box;
    e.staerke = staerke;
    e.fuellfarbe = fuellfarbe;
    return anhaengen(std::move(e));
}

BildElement& Seite::bild(const QRectF& box, const QString& datei, bool seitenverhaeltnisBehalten) {
    return anhaengen(BildElement{box, datei, seitenverhaeltnisBehalten});
}

QList<TextElement> Seite::texte() const {
    QList<TextElement> result;
    for (const auto& e : m_elemente)
        if (const auto* t = std::get_if<TextElement>(&e)) result.append(*t);
    return result;
}

double Bericht::breite() const {
    return m_ausrichtung == Seitenausrichtung::Hochformat ? m_papier.width() : m_papier.height();
}

double Bericht::hoehe() const {
    return m_ausrichtung == Seitenausrichtung::Hochformat ? m_papier.height() : m_papier.width();
}

QRectF Bericht::inhalt() const {
    return QRectF(m_raender.links, m_raender.oben, breite() - m_raender.links - m_raender.rechts,
                  hoehe() - m_raender.oben - m_raender.unten);
}

Seite& Bericht::neueSeite() {
    m_seiten.emplace_back();
    return m_seiten.back();
}

} // namespace velmora::printing
