// Cattery split, address blocks, age fields and marker colours of the cat record.

#include "common/datenglobal.h"
#include "register/katzenregeln.h"

#include <gtest/gtest.h>

using namespace velmora::reg;

namespace {
QString teile(const QString& name, bool zusatz = false) {
    const auto z = zwingerAbtrennen(name, zusatz);
    return z ? *z : QStringLiteral("<keiner>");
}
} // namespace

TEST(Zwinger, PartikelMitUndOhneZusatz) {
    EXPECT_EQ(teile(QStringLiteral("Bella vom Sonnenhof")), QStringLiteral("Sonnenhof"));
    EXPECT_EQ(teile(QStringLiteral("Bella vom Sonnenhof"), true), QStringLiteral("vom Sonnenhof"));
    EXPECT_EQ(teile(QStringLiteral("Max of Green Valley")), QStringLiteral("Green Valley"));
    EXPECT_EQ(teile(QStringLiteral("Max of Green Valley"), true), QStringLiteral("of Green Valley"));
    // Longer particles come before their shorter forms.
    EXPECT_EQ(teile(QStringLiteral("Tom von der Heide")), QStringLiteral("Heide"));
    EXPECT_EQ(teile(QStringLiteral("Tom van het Hof")), QStringLiteral("Hof"));
    EXPECT_EQ(teile(QStringLiteral("Tom V.D. Linde")), QStringLiteral("Linde"));
    EXPECT_EQ(teile(QStringLiteral("Tom d' Artois")), QStringLiteral("Artois"));
    // The cattery keeps the case as typed even though the particle matched regardless of case.
    EXPECT_EQ(teile(QStringLiteral("Mia AUS DEM Tal")), QStringLiteral("DEM Tal")); // " AUS " wins over " DEM"
}

TEST(Zwinger, ReihenfolgeNichtStelleEntscheidet) {
    // " OF " comes before " VOM " in the order, although "vom" occurs first in the name.
    EXPECT_EQ(teile(QStringLiteral("Kira vom Haus of Light")), QStringLiteral("Light"));
    // The apostrophe (7) is tried before any later particle: the cattery comes first.
    EXPECT_EQ(teile(QStringLiteral("Sunny's Bella vom Hof")), QStringLiteral("Sunny"));
}

TEST(Zwinger, VorangestellteZwinger) {
    EXPECT_EQ(teile(QStringLiteral("Sonnenhof A Bella")), QStringLiteral("Sonnenhof A"));
    EXPECT_EQ(teile(QStringLiteral("St.Bella")), QStringLiteral("St."));
    EXPECT_EQ(teile(QStringLiteral("Ark`Luna")), QStringLiteral("Ark`"));
    EXPECT_EQ(teile(QStringLiteral("Sonnenhof Bella")), QStringLiteral("Sonnenhof")); // the first word
    EXPECT_EQ(teile(QStringLiteral("Bella")), QStringLiteral("<keiner>"));
    EXPECT_EQ(zwingerMuster().size(), 43);
}

TEST(Zwinger, JederPartikelDerListe) {
    // Every word pattern splits "Luna <particle> Hof" into "Hof", and with the setting keeps the particle.
    for (const QString& muster : zwingerMuster()) {
        if (!muster.startsWith(QLatin1Char(' ')) || muster.size() < 3 || muster == QLatin1String(" A ")) continue;
        const QString partikel = muster.trimmed().toLower();
        const QString name = QStringLiteral("Luna ") + partikel + QStringLiteral(" Hof");
        EXPECT_EQ(teile(name), QStringLiteral("Hof")) << name.toStdString();
        EXPECT_EQ(teile(name, true), partikel + QStringLiteral(" Hof")) << name.toStdString();
    }
}

TEST(Adressblock, ZeilenOhneLeereTeile) {
    Adresse a{QStringLiteral("Meier"), QStringLiteral("Eva"), QStringLiteral("Hauptstr. 1"), QStringLiteral("D"),
              QStringLiteral("12345"), QStringLiteral("Berlin"), QStringLiteral("030 123"), {}};
    EXPECT_EQ(adressBlock(a), (QStringList{QStringLiteral("Meier, Eva"), QStringLiteral("Hauptstr. 1"),
                                           QStringLiteral("D-12345 Berlin"), QStringLiteral("030 123")}));
    Adresse b;
    b.name = QStringLiteral("Smith");
    b.ort = QStringLiteral("London");
    b.land = QStringLiteral("England");
    EXPECT_EQ(adressBlock(b), (QStringList{QStringLiteral("Smith"), QStringLiteral("London"), QStringLiteral("England")}));
    b.anzeige = QStringLiteral("Jo Smith");
    EXPECT_EQ(adressBlock(b).first(), QStringLiteral("Jo Smith"));
}

namespace {
AltersFelder alter(const QDate& geb, const QDate& tod, const QString& status, const QDate& heute) {
    return altersFelder(geb, tod, status, heute, QStringLiteral("Jahre"), [](const QDate& v, const QDate& b) {
        return velmora::common::TDatenGlobal::alterBerechnen(v, b, {}, 0, QStringLiteral("Jahre"),
                                                             QStringLiteral("Monate"), QStringLiteral("Tage"),
                                                             QStringLiteral("Wochen"));
    });
}
} // namespace

TEST(Alter, LebendTotUndUeberFuenfundzwanzig) {
    const QDate heute(2026, 12, 9);
    const auto lebt = alter(QDate(2020, 3, 15), {}, QStringLiteral("1"), heute);
    EXPECT_EQ(lebt.alterAkt, QStringLiteral("6 Jahre 8 Monate"));
    EXPECT_TRUE(lebt.alter.isEmpty());
    EXPECT_FALSE(lebt.tot);

    const auto tot = alter(QDate(2010, 1, 1), QDate(2022, 7, 1), QStringLiteral("1"), heute);
    EXPECT_EQ(tot.alter, QStringLiteral("12 Jahre 6 Monate"));
    EXPECT_TRUE(tot.alterAkt.isEmpty());
    EXPECT_TRUE(tot.tot);

    // Status 4 without a death date: dead, with no age shown.
    const auto status4 = alter(QDate(2015, 1, 1), {}, QStringLiteral("4"), heute);
    EXPECT_TRUE(status4.tot);
    EXPECT_TRUE(status4.alter.isEmpty());
    EXPECT_TRUE(status4.alterAkt.isEmpty());

    // Older than 25 years without a death date counts as dead with no date; exactly 25 still lives.
    EXPECT_TRUE(alter(QDate(1990, 1, 1), {}, QStringLiteral("1"), heute).tot);
    EXPECT_FALSE(alter(QDate(2001, 6, 1), {}, QStringLiteral("1"), heute).tot);

    const auto ohne = alter({}, QDate(2020, 1, 1), QStringLiteral("1"), heute);
    EXPECT_FALSE(ohne.tot);
    EXPECT_TRUE(ohne.alter.isEmpty());
}

TEST(Markierung, MerkmalFarbeTopKatzeUndVorrang) {
    const QList<MerkmalZeile> merkmale{{255, QStringLiteral("HCM-")}, {0, QStringLiteral("PKD-")}};
    auto m = markierung(merkmale, std::nullopt, false);
    EXPECT_EQ(m.farbe, 255);
    EXPECT_EQ(m.text, QStringLiteral("HCM- / PKD-"));
    // The top-cat colour wins unless the features come first and there is a text.
    EXPECT_EQ(markierung(merkmale, 16711680, false).farbe, 16711680);
    EXPECT_EQ(markierung(merkmale, 16711680, true).farbe, 255);
    EXPECT_EQ(markierung({}, 16711680, true).farbe, 16711680);
    // A first feature without colour leaves the normal background.
    EXPECT_EQ(markierung({{0, QStringLiteral("X")}, {255, QStringLiteral("Y")}}, std::nullopt, false).farbe, 0);
    EXPECT_EQ(elternText(QStringLiteral("Kater"), m), QStringLiteral("Kater -- HCM- / PKD-"));
    EXPECT_EQ(elternText(QStringLiteral("Kater"), Markierung{}), QStringLiteral("Kater"));
}
