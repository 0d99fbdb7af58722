// Heat statistics, expected dates and the litter book's figures.

#include "register/zuchtbuch.h"

#include <gtest/gtest.h>

using namespace velmora::reg;

namespace {

const Zuchttage kTage{165, 14, 65, 60};
const QDate kHeute(2024, 6, 1);

QDateTime t(int j, int m, int d, int h = 0) {
    return QDateTime(QDate(j, m, d), QTime(h, 0));
}

TEST(Rolligkeit, StatistikUndErwarteteTermine) {
    const struct {
        const char* fall;
        QList<QDateTime> rolligkeiten;
        int durchschnitt;
        QDate naechste;
        QDate decktermin;
    } faelle[] = {
        {"keine Rolligkeit: Decktermin heute", {}, 165, {}, kHeute},
        {"eine: Datum plus Einstellung", {t(2024, 1, 10)}, 165, QDate(2024, 6, 23), QDate(2024, 6, 23)},
        {"21 und 22 Tage: Rest verworfen",
         {t(2024, 1, 1), t(2024, 1, 22), t(2024, 2, 13)},
         21,
         QDate(2024, 3, 5),
         QDate(2024, 3, 5)},
        // Intervals between entries as entered, counted as absolute days; the next heat from the last
        // row entered, not from the latest date.
        {"außer der Reihe eingetragen",
         {t(2024, 3, 1), t(2024, 1, 1), t(2024, 2, 1)},
         45,
         QDate(2024, 3, 17),
         QDate(2024, 3, 17)},
        // Fractions of a day are dropped from each interval.
        {"Tagesbruchteile",
         {t(2024, 1, 1, 18), t(2024, 1, 11, 6)},
         9,
         QDate(2024, 1, 20),
         QDate(2024, 1, 20)},
    };
    for (const auto& f : faelle) {
        const RolligkeitsStatistik s = rolligkeitsStatistik(f.rolligkeiten, kTage, kHeute);
        EXPECT_EQ(s.durchschnitt, f.durchschnitt) << f.fall;
        EXPECT_EQ(s.plusMinus, 14) << f.fall;
        EXPECT_EQ(s.naechsteRolligkeit, f.naechste) << f.fall;
        EXPECT_EQ(s.decktermin, f.decktermin) << f.fall;
        EXPECT_EQ(s.wurftermin, f.decktermin.addDays(65)) << f.fall;
        EXPECT_EQ(s.abgabetermin, f.decktermin.addDays(125)) << f.fall;
    }
}

TEST(Rolligkeit, TageZwischenEintraegenLeerBeiErsterZeileUndFehlendemDatum) {
    const QList<QDateTime> r = {t(2024, 1, 1), t(2024, 1, 22), QDateTime(), t(2024, 3, 1), t(2024, 2, 1)};
    const QList<std::optional<int>> erwartet = {std::nullopt, 21, std::nullopt, std::nullopt, 29};
    EXPECT_EQ(tageZwischenRolligkeiten(r), erwartet);
    // Rows without date count in no interval.
    EXPECT_EQ(rolligkeitsStatistik(r, kTage, kHeute).durchschnitt, 25);
}

TEST(Rolligkeit, GeaenderterDeckterminUndKeinDatum) {
    const Termine t1 = termineAusText(QStringLiteral("1.2.2024"), kTage);
    EXPECT_EQ(t1.wurftermin, QDate(2024, 4, 6));
    EXPECT_EQ(t1.abgabetermin, QDate(2024, 6, 5));
    EXPECT_EQ(termineAusText(QStringLiteral("01.02.24"), kTage).wurftermin, QDate(2024, 4, 6));
    for (const char* keinDatum : {"", "31.02.2024", "morgen", "1.2."}) {
        const Termine t = termineAusText(QLatin1String(keinDatum), kTage);
        EXPECT_FALSE(t.wurftermin.isValid()) << keinDatum;
        EXPECT_FALSE(t.abgabetermin.isValid()) << keinDatum;
    }
}

TEST(Wurfbuch, WurfterminUndTraechtigkeitAbZweitemDecktermin) {
    EXPECT_EQ(erwarteterWurf(QDate(2024, 1, 1), kTage), QDate(2024, 3, 6));
    EXPECT_FALSE(erwarteterWurf(QDate(), kTage).isValid());
    EXPECT_EQ(traechtigkeit(QDate(2024, 1, 1), QDate(2024, 1, 3), QDate(2024, 3, 6)), 63);
    EXPECT_EQ(traechtigkeit(QDate(2024, 1, 1), QDate(), QDate(2024, 3, 6)), 65);
    EXPECT_EQ(traechtigkeit(QDate(), QDate(2024, 1, 3), QDate(2024, 3, 6)), std::nullopt);
    EXPECT_EQ(traechtigkeit(QDate(2024, 1, 1), QDate(2024, 1, 3), QDate()), std::nullopt);
}

} // namespace
