// The matings of a cat on the hand-built family: the rows the statement gives, the tree of partners,
// litters and kittens, and the breeding figures of the cat, a partner and a litter.

#include "genealogy/familie.h"
#include "genealogy/verpaarung.h"
#include "support/testsupport.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::genealogy;
namespace f = velmora::test::familie;

namespace {

struct Familie {
    test::DataDir dir;
    store::Database db{dir.path()};
    Familie() { test::familieSchreiben(db); }
};

// "partner:litter date:kitten,kitten|..." for a compact comparison of the whole tree
QString baumText(const QVector<VerpaarungZeile>& z, const QVector<Verpaarungspartner>& baum) {
    QStringList partner;
    for (const Verpaarungspartner& p : baum) {
        QString t = QString::number(z[p.erste].partner);
        for (const Wurf& w : p.wuerfe) {
            t += QLatin1Char(':') + w.datum.toString(Qt::ISODate) + QLatin1Char(':');
            QStringList namen;
            for (int i = w.erste; i < w.erste + w.anzahl; ++i)
                namen << z[i].name;
            t += namen.join(QLatin1Char(','));
        }
        partner << t;
    }
    return partner.join(QLatin1Char('|'));
}

} // namespace

// Partners by name, the two Bellas apart by number; litters newest first, the undated one as one
// litter; kittens of an unknown (Ida) or missing (Jack) mother left out.
TEST(Verpaarung, BaumEinesKatersUndEinerKatze) {
    Familie fam;
    const struct {
        qint32 katze;
        bool kater;
        const char* baum;
    } faelle[] = {
        {f::Zorro, true, "2:2021-06-01:Dino,Eva:2020-05-01:Arno,Bimbo,Cleo|3:2019-01-01:Fiona|4::Gina,Hugo"},
        {f::Amira, false,
         "16:2023-03-03:Nino|5:2022-03-03:Kuno|1:2021-06-01:Dino,Eva:2020-05-01:Arno,Bimbo,Cleo"},
        {f::Arno, true, "10:2023-02-02:Moritz|15:2023-01-01:Lara"},
        {f::Einsam, true, ""},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.katze);
        const auto zeilen = verpaarungenLesen(fam.db, fall.katze, fall.kater);
        EXPECT_EQ(baumText(zeilen, verpaarungsbaum(zeilen)), QLatin1String(fall.baum));
    }
    // the row carries the partner's and the kitten's data
    const auto zeilen = verpaarungenLesen(fam.db, f::Zorro, true);
    ASSERT_EQ(zeilen.size(), 8); // Ida and Jack left out
    EXPECT_EQ(zeilen[0].partnerName, QStringLiteral("Amira"));
    EXPECT_EQ(zeilen[0].partnerGeschlecht, QStringLiteral("2"));
    EXPECT_EQ(zeilen[0].jungtier, f::Dino);
    EXPECT_EQ(zeilen[0].tod, QDate(2022, 1, 1));
    EXPECT_TRUE(zeilen[1].geschlecht.isEmpty());
}

TEST(Verpaarung, ZuchtzahlenVonKatzePartnerUndWurf) {
    Familie fam;
    const QLocale de(QLocale::German, QLocale::Germany);
    const auto zeilen = verpaarungenLesen(fam.db, f::Zorro, true);
    const auto baum = verpaarungsbaum(zeilen);
    ASSERT_EQ(baum.size(), 3);
    const struct {
        const char* was;
        Zuchtzahlen z;
        int wuerfe, jungtiere, maennlich, weiblich, groesster, kleinster;
        const char* schnitt;
    } faelle[] = {
        // male: Arno "1", Bimbo "3", Dino "1"; female: Cleo "2", Eva empty, Fiona "4", Gina "5", Hugo "2"
        {"Katze", zuchtzahlen(zeilen, baum), 4, 8, 3, 5, 3, 1, "2,0"},
        {"Amira", zuchtzahlen(zeilen, baum[0].wuerfe), 2, 5, 3, 2, 3, 2, "2,5"},
        {"Bella ohne Datum", zuchtzahlen(zeilen, baum[2].wuerfe), 1, 2, 0, 2, 2, 2, "2,0"},
        {"Wurf 2021", zuchtzahlen(zeilen, {baum[0].wuerfe[0]}), 1, 2, 1, 1, 2, 2, "2,0"},
        {"keine Würfe", zuchtzahlen(zeilen, QVector<Wurf>{}), 0, 0, 0, 0, 0, 0, "0"},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.was);
        EXPECT_EQ(fall.z.wuerfe, fall.wuerfe);
        EXPECT_EQ(fall.z.jungtiere, fall.jungtiere);
        EXPECT_EQ(fall.z.maennlich, fall.maennlich);
        EXPECT_EQ(fall.z.weiblich, fall.weiblich);
        EXPECT_EQ(fall.z.groesster, fall.groesster);
        EXPECT_EQ(fall.z.kleinster, fall.kleinster);
        EXPECT_EQ(fall.z.durchschnitt(de), QLatin1String(fall.schnitt));
    }
    EXPECT_EQ(zuchtzahlen(zeilen, baum).durchschnitt(QLocale::c()), QStringLiteral("2.0"));
}

TEST(Verpaarung, GeschlechtscodesUndSeite) {
    Familie fam;
    const struct {
        const char* code;
        std::optional<bool> kater;
        bool maennlich;
    } codes[] = {{"1", true, true},         {"2", false, false},       {"3", true, true},
                 {"4", false, false},       {"", std::nullopt, false}, {"5", std::nullopt, false},
                 {"m", std::nullopt, false}};
    for (const auto& c : codes) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(istKater(QLatin1String(c.code)), c.kater);
        EXPECT_EQ(maennlichGezaehlt(QLatin1String(c.code)), c.maennlich);
    }
    // Without one of the four codes the register decides: Gina is Nino's father, Eva nobody's.
    EXPECT_TRUE(alsVaterGefuehrt(fam.db, f::Gina, QStringLiteral("5")));
    EXPECT_FALSE(alsVaterGefuehrt(fam.db, f::Eva, QString()));
    EXPECT_TRUE(alsVaterGefuehrt(fam.db, f::Einsam, QStringLiteral("1")));
    EXPECT_FALSE(alsVaterGefuehrt(fam.db, f::Gina, QStringLiteral("4"))); // a code given wins
}

TEST(Verpaarung, PartnerzeileJeSprache) {
    EXPECT_EQ(partnerZeile(1, QStringLiteral("Amira"), 0), QStringLiteral("  1  Wurf   mit  Amira"));
    EXPECT_EQ(partnerZeile(2, QStringLiteral("Amira"), 2), QStringLiteral("  2  Würfe mit  Amira"));
    EXPECT_EQ(partnerZeile(1, QStringLiteral("Amira"), 1), QStringLiteral("  1  Litter with  Amira"));
    EXPECT_EQ(partnerZeile(3, QStringLiteral("Amira"), 1), QStringLiteral("  3  Litters with  Amira"));
}
