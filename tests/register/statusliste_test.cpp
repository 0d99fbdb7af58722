// The positional save rule of the status list, on a real status table.

#include "register/statusliste.h"
#include "store/database.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::reg;

namespace {

struct Statustabelle {
    test::DataDir daten;
    store::Database db{daten.path()};
    store::Table t{db, QStringLiteral("status")};

    // Keeps only the first `anzahl` delivered rows.
    explicit Statustabelle(int anzahl) {
        t.open();
        while (t.recordCount() > anzahl) {
            t.last();
            t.remove();
        }
        t.first();
    }
    QList<std::pair<int, QString>> zeilen() {
        QList<std::pair<int, QString>> z;
        for (t.first(); !t.eof(); t.next())
            z.append({t.asInt(QStringLiteral("Nummer")), t.asString(QStringLiteral("Status"))});
        return z;
    }
};

StatusFelder felder(const QStringList& texte) {
    StatusFelder f;
    for (int i = 0; i < texte.size(); ++i)
        f[i] = {true, texte[i]};
    return f;
}

} // namespace

TEST(Statusliste, LesenZeigtDieErstenNeunZeilen) {
    Statustabelle s(4);
    const StatusFelder f = statusFelderLesen(s.t);
    EXPECT_EQ(f[0].text, QStringLiteral("eigene Katze"));
    EXPECT_EQ(f[3].text, QStringLiteral("verstorben"));
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(f[i].sichtbar, i < 4) << i;
}

TEST(Statusliste, LeereEndfelderWerdenAusgeblendetBisZumErstenGefuellten) {
    StatusFelder f = felder({QStringLiteral("a"), QString(), QStringLiteral("c"), QString(), QString()});
    leereEndfelderAusblenden(f);
    EXPECT_TRUE(f[0].sichtbar);
    EXPECT_TRUE(f[1].sichtbar); // empty, but a filled field follows
    EXPECT_TRUE(f[2].sichtbar);
    EXPECT_FALSE(f[3].sichtbar);
    EXPECT_FALSE(f[4].sichtbar);
    StatusFelder leer = felder({QString(), QString()});
    leereEndfelderAusblenden(leer);
    EXPECT_FALSE(leer[0].sichtbar);
    EXPECT_FALSE(leer[1].sichtbar);
}

TEST(Statusliste, ViertesFeldGeleertLoeschtDieVierteZeileUndNeuerNameBekommtNeueNummer) {
    Statustabelle s(4);
    const auto vorher = s.zeilen();
    ASSERT_EQ(vorher.size(), 4);
    StatusFelder f = statusFelderLesen(s.t);
    f[3].text.clear();
    statusSpeichern(s.t, f);
    EXPECT_EQ(s.zeilen(), vorher.mid(0, 3));
    EXPECT_FALSE(f[3].sichtbar);

    f[3] = {true, QStringLiteral("wieder da")};
    statusSpeichern(s.t, f);
    const auto nachher = s.zeilen();
    ASSERT_EQ(nachher.size(), 4);
    EXPECT_EQ(nachher.mid(0, 3), vorher.mid(0, 3));
    EXPECT_GT(nachher[3].first, vorher[3].first); // numbers are never reused
    EXPECT_EQ(nachher[3].second, QStringLiteral("wieder da"));
}

TEST(Statusliste, LeeresFeldZwischenGefuelltenBehaeltZeileOhneNamen) {
    Statustabelle s(4);
    const auto vorher = s.zeilen();
    StatusFelder f = statusFelderLesen(s.t);
    f[1].text.clear();
    f[2].text = QStringLiteral("abgegeben");
    statusSpeichern(s.t, f);
    const auto nachher = s.zeilen();
    ASSERT_EQ(nachher.size(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(nachher[i].first, vorher[i].first) << i; // renaming keeps the numbers
    EXPECT_EQ(nachher[1].second, QString());
    EXPECT_EQ(nachher[2].second, QStringLiteral("abgegeben"));
    EXPECT_EQ(nachher[3].second, vorher[3].second);
}

TEST(Statusliste, AusgeblendeteFelderLoeschenIhreZeilenOhneDieFolgendenZuVerschieben) {
    Statustabelle s(8);
    const auto vorher = s.zeilen();
    StatusFelder f = statusFelderLesen(s.t);
    for (int i = 5; i < 8; ++i)
        f[i].sichtbar = false;
    f[4].text = QStringLiteral("fuenf");
    statusSpeichern(s.t, f);
    auto erwartet = vorher.mid(0, 5);
    erwartet[4].second = QStringLiteral("fuenf");
    EXPECT_EQ(s.zeilen(), erwartet);
}

TEST(Statusliste, LeereTabelleBekommtZeilenInFeldreihenfolge) {
    Statustabelle s(0);
    StatusFelder f = felder({QStringLiteral("eins"), QString(), QStringLiteral("drei")});
    statusSpeichern(s.t, f);
    const auto z = s.zeilen();
    ASSERT_EQ(z.size(), 3);
    EXPECT_EQ(z[0].second, QStringLiteral("eins"));
    EXPECT_EQ(z[1].second, QString());
    EXPECT_EQ(z[2].second, QStringLiteral("drei"));
    EXPECT_LT(z[0].first, z[1].first);
    EXPECT_LT(z[1].first, z[2].first);
}
