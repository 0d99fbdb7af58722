#include "genealogy/baum.h"

#include <gtest/gtest.h>

using namespace velmora::genealogy;

TEST(Baum, AnlegenZaehltUndSetztGenerationen) {
    TBinaerbaum b;
    EXPECT_EQ(b.zaehler, 0);
    ASSERT_TRUE(b.Anlegen(0));
    const int w = b.ZeigerAktuell;
    ASSERT_TRUE(b.Anlegen(1));
    EXPECT_EQ(b.knoten(b.ZeigerAktuell).Generation, 2);
    EXPECT_TRUE(b.knoten(b.ZeigerAktuell).vergleich);
    b.ZeigerAktuell = b.Wechsel(richtung::zurueck, b.ZeigerAktuell);
    EXPECT_EQ(b.ZeigerAktuell, w);
    ASSERT_TRUE(b.Anlegen(2));
    EXPECT_EQ(b.Wechsel(richtung::rechts, w), b.ZeigerAktuell);
    EXPECT_EQ(b.Wechsel(richtung::root, b.ZeigerAktuell), w);
    EXPECT_EQ(b.zaehler, 3);
    EXPECT_EQ(b.Generationen, 2);
    b.destroy();
    EXPECT_EQ(b.zaehler, 0);
    EXPECT_EQ(b.Generationen, 0);
}

TEST(Baum, PfadbaumHaeltNurDieKette) {
    TBinaerbaumTemp t;
    ASSERT_FALSE(t.leer());
    t.Anlegen(1);
    t.Anlegen(2);
    EXPECT_EQ(t.aktuell().Gen, 2);
    t.entf_akt();
    EXPECT_EQ(t.aktuell().Gen, 1);
    EXPECT_EQ(t.aktuell().Mutter, keiner);
    t.destroy();
    EXPECT_TRUE(t.leer());
}

TEST(Listen, CursorBleibtAnDenEnden) {
    tListeInzucht l;
    l.anhaengen();
    l.aktuell().satz = 1;
    l.anhaengen();
    l.aktuell().satz = 2;
    l.next();
    EXPECT_EQ(l.aktuell().satz, 2);
    l.first();
    l.first();
    EXPECT_EQ(l.aktuell().satz, 1);
    l.freigeben();
    EXPECT_TRUE(l.leer());
}

TEST(Listen, SortiertesEinfuegen) {
    tListe g;
    g.aktuell().Gen = 2;
    for (int v : {3, 1, 3, 2})
        g.einfuegen(v);
    const auto e = g.inReihenfolge();
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].Gen, 1);
    EXPECT_EQ(e[0].anz, 1);
    EXPECT_EQ(e[1].Gen, 2);
    EXPECT_EQ(e[1].anz, 2);
    EXPECT_EQ(e[2].Gen, 3);
    EXPECT_EQ(e[2].anz, 2);
    g.geheAnfang();
    g.entf_akt();
    EXPECT_EQ(g.aktuell().Gen, 2);
    g.destroy();
    EXPECT_TRUE(g.leer());
}
