// The page model: paper geometry in both orientations and the elements a page keeps.

#include "printing/bericht.h"

#include <gtest/gtest.h>

using namespace velmora::printing;

TEST(Bericht, PapierUndAusrichtungBestimmenSeiteUndInhalt) {
    Bericht b;
    EXPECT_DOUBLE_EQ(b.breite(), 210.0);
    EXPECT_DOUBLE_EQ(b.hoehe(), 297.0);
    b.setRaender(Raender{20.0, 10.0, 5.0, 15.0});
    EXPECT_EQ(b.inhalt(), QRectF(20.0, 10.0, 185.0, 272.0));

    b.setAusrichtung(Seitenausrichtung::Querformat);
    EXPECT_DOUBLE_EQ(b.breite(), 297.0);
    EXPECT_DOUBLE_EQ(b.hoehe(), 210.0);
    EXPECT_EQ(b.inhalt(), QRectF(20.0, 10.0, 272.0, 185.0));
    // The upright paper stays as given; only the way it lies changes.
    EXPECT_EQ(b.papier(), Bericht::a4());

    b.setPapier(Bericht::a5());
    EXPECT_DOUBLE_EQ(b.breite(), 210.0);
    EXPECT_DOUBLE_EQ(b.hoehe(), 148.0);
}

TEST(Bericht, SeitenBehaltenElementeInReihenfolgeUndLage) {
    Bericht b;
    EXPECT_EQ(b.seitenzahl(), 0);
    Seite& s = b.neueSeite();
    TextElement& t = s.text(QRectF(10, 20, 50, 6), QStringLiteral("Rufname"), Schrift{}, HAusrichtung::Rechts,
                            VAusrichtung::Unten);
    t.farbe = 0x0000FF;
    t.umbrechen = true;
    s.linie(QPointF(10, 30), QPointF(200, 30), 0.5, 0x00FF00);
    s.rechteck(QRectF(5, 5, 20, 10), 0xFF0000);
    s.bild(QRectF(100, 100, 40, 30), QStringLiteral("/nirgends/foto.jpg"), false);
    b.neueSeite().text(QRectF(1, 2, 3, 4), QStringLiteral("zwei"));

    ASSERT_EQ(b.seitenzahl(), 2);
    const auto& e = b.seite(0).elemente();
    ASSERT_EQ(e.size(), 4u);

    const auto* text = std::get_if<TextElement>(&e[0]);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->box, QRectF(10, 20, 50, 6));
    EXPECT_EQ(text->text, QStringLiteral("Rufname"));
    EXPECT_EQ(text->hAusrichtung, HAusrichtung::Rechts);
    EXPECT_EQ(text->vAusrichtung, VAusrichtung::Unten);
    EXPECT_EQ(text->farbe, 0x0000FF);
    EXPECT_TRUE(text->umbrechen);

    const auto* linie = std::get_if<LinienElement>(&e[1]);
    ASSERT_NE(linie, nullptr);
    EXPECT_EQ(linie->von, QPointF(10, 30));
    EXPECT_EQ(linie->bis, QPointF(200, 30));
    EXPECT_DOUBLE_EQ(linie->staerke, 0.5);
    EXPECT_EQ(linie->farbe, 0x00FF00);

    const auto* rechteck = std::get_if<RechteckElement>(&e[2]);
    ASSERT_NE(rechteck, nullptr);
    EXPECT_EQ(rechteck->box, QRectF(5, 5, 20, 10));
    ASSERT_TRUE(rechteck->fuellfarbe.has_value());
    EXPECT_EQ(*rechteck->fuellfarbe, 0xFF0000);

    const auto* bild = std::get_if<BildElement>(&e[3]);
    ASSERT_NE(bild, nullptr);
    EXPECT_EQ(bild->datei, QStringLiteral("/nirgends/foto.jpg"));
    EXPECT_FALSE(bild->seitenverhaeltnisBehalten);

    ASSERT_EQ(b.seite(0).texte().size(), 1);
    EXPECT_EQ(b.seite(1).texte().at(0).text, QStringLiteral("zwei"));
}
