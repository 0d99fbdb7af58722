// Stored colours (0x00BBGGRR) to QColor and back.

#include "printing/ui/farbe.h"

#include <gtest/gtest.h>

using namespace velmora::printing;

TEST(Farbe, RotImNiedrigstenByteBlauImDritten) {
    EXPECT_EQ(farbeAusWert(255), QColor(255, 0, 0));
    EXPECT_EQ(farbeAusWert(16711680), QColor(0, 0, 255));
    EXPECT_EQ(farbeAusWert(0x00FF00), QColor(0, 255, 0));
    EXPECT_EQ(farbeAusWert(0x123456), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(wertAusFarbe(QColor(255, 0, 0)), 255);
    EXPECT_EQ(wertAusFarbe(QColor(0, 0, 255)), 16711680);
    EXPECT_EQ(wertAusFarbe(QColor(0x56, 0x34, 0x12)), 0x123456);
}

TEST(Farbe, HinUndZurueckUndNebenwerte) {
    for (int wert : {0, 1, 0x80, 0xFF00, 0x7F7F7F, 0xFFFFFF, 0xA0B0C0})
        EXPECT_EQ(wertAusFarbe(farbeAusWert(wert)), wert) << wert;
    // The top byte carries flags of special values, not colour; the colour is opaque.
    EXPECT_EQ(farbeAusWert(int(0x80000000u | 0x0000FFu)), QColor(255, 0, 0));
    EXPECT_EQ(farbeAusWert(0x0000FF).alpha(), 255);
    // Transparency and other colour models come back as plain RGB.
    EXPECT_EQ(wertAusFarbe(QColor(255, 0, 0, 10)), 255);
    EXPECT_EQ(wertAusFarbe(QColor::fromHsv(240, 255, 255)), 16711680);
}
