// The window rule of the large exclusive windows and the recent-cats list.

#include "app/fensterregister.h"
#include "app/letztekatzen.h"

#include <gtest/gtest.h>

using namespace velmora::app;

TEST(Fensterregister, ExklusiveFensterSperrenAndereBefehle) {
    Fensterregister r;
    EXPECT_EQ(r.pruefen(QStringLiteral("FormRassen"), false).code, 0);

    r.geoeffnet(QStringLiteral("Adressenverwaltung"));
    auto p = r.pruefen(QStringLiteral("FormRassen"), false);
    EXPECT_EQ(p.code, 138);
    EXPECT_TRUE(p.meldungZeigen);
    EXPECT_EQ(p.blockierer, QStringLiteral("adressenverwaltung"));

    // The window itself never blocks its own command.
    EXPECT_EQ(r.pruefen(QStringLiteral("Adressenverwaltung"), false).code, 0);

    // With two open, the later one in table order wins, whatever the opening order.
    r.geoeffnet(QStringLiteral("FormBuchfuehrung"));
    EXPECT_EQ(r.pruefen(QStringLiteral("FormRassen"), false).code, 2);
    Fensterregister umgekehrt;
    umgekehrt.geoeffnet(QStringLiteral("FormBuchfuehrung"));
    umgekehrt.geoeffnet(QStringLiteral("Adressenverwaltung"));
    EXPECT_EQ(umgekehrt.pruefen(QStringLiteral("FormRassen"), false).code, 2);
    // Asked by the bookkeeping window itself, only the address book remains.
    EXPECT_EQ(r.pruefen(QStringLiteral("FormBuchfuehrung"), false).code, 138);

    r.geschlossen(QStringLiteral("Adressenverwaltung"));
    r.geschlossen(QStringLiteral("FormBuchfuehrung"));
    EXPECT_EQ(r.pruefen(QStringLiteral("FormRassen"), false).code, 0);
    EXPECT_FALSE(r.exklusivOffen());
}

TEST(Fensterregister, ArgumenteUndProgrammende) {
    Fensterregister r;
    EXPECT_EQ(r.pruefen(QStringLiteral("x"), true).code, 10);
    r.geoeffnet(QStringLiteral("FormStammbaum"));
    const auto still = r.pruefen(QStringLiteral("ohneMeldung"), false);
    EXPECT_EQ(still.code, 118);
    EXPECT_FALSE(still.meldungZeigen);
    const auto vorne = r.pruefen(QStringLiteral("bringtofront"), false);
    EXPECT_TRUE(vorne.nachVorne);
    EXPECT_TRUE(vorne.meldungZeigen);
    // Names compare exactly, with case.
    EXPECT_EQ(r.pruefen(QStringLiteral("formstammbaum"), false).code, 118);
    // A non-exclusive window open blocks nothing.
    Fensterregister n;
    n.geoeffnet(QStringLiteral("FormRassen"));
    EXPECT_EQ(n.pruefen(QStringLiteral("FormFarben"), false).code, 0);
}

TEST(LetzteKatzen, EintragenVerschiebenUndUeberschreiben) {
    velmora::settings::LetzteKatzen l{QStringLiteral("{}"), QStringLiteral("{}"), QStringLiteral("{}"),
                                      QStringLiteral("{}"), QStringLiteral("{}")};
    // An empty first entry is overwritten without moving the others.
    EXPECT_TRUE(letzteKatzeEintragen(l, QStringLiteral("Bella of X"), 12));
    EXPECT_EQ(l[0], QStringLiteral("Bella of X {12}"));
    EXPECT_EQ(l[1], QStringLiteral("{}"));
    // A name found inside an entry does not enter again.
    EXPECT_FALSE(letzteKatzeEintragen(l, QStringLiteral("Bella"), 40));
    EXPECT_EQ(l[0], QStringLiteral("Bella of X {12}"));

    for (int i = 1; i <= 5; ++i)
        EXPECT_TRUE(letzteKatzeEintragen(l, QStringLiteral("Kater%1").arg(i), i));
    EXPECT_EQ(l[0], QStringLiteral("Kater5 {5}"));
    EXPECT_EQ(l[4], QStringLiteral("Kater1 {1}")); // Bella dropped out as the sixth
    for (const QString& e : l)
        EXPECT_FALSE(e.contains(QStringLiteral("Bella")));
}

TEST(LetzteKatzen, NummerAusEintrag) {
    EXPECT_EQ(nummerAusEintrag(QStringLiteral("Bella {12}")), 12);
    EXPECT_EQ(nummerAusEintrag(QStringLiteral("Tom {Jerry} {7}")), 7);
    EXPECT_EQ(nummerAusEintrag(QStringLiteral("{}")), 0);
    EXPECT_EQ(nummerAusEintrag(QStringLiteral("kaputt")), 0);
}
