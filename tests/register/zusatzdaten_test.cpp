// The codes of a kitten's extra data, the breeding value's total and the litter's growth curves.

#include "register/zusatzdaten.h"
#include "store/database.h"
#include "store/table.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::reg;

namespace {

TEST(Zusatzdaten, CodesDerFehler) {
    const struct {
        QString (*code)(const QString&);
        const char* wert;
        const char* erwartet;
    } faelle[] = {
        {kieferCode, "Vorbiss", "1"},
        {kieferCode, "Rückbiss", "2"},
        {kieferCode, "Zangengebiss", "3"},
        {kieferCode, "Kreuzbiss", "4"},
        {kieferCode, "vorbiss", ""},
        {kieferCode, "", ""},
        {bruchCode, "Nabelbruch Verdacht", "N1"},
        {bruchCode, "Nabelbruch schwer", "N4"},
        {bruchCode, "Leistenbruch leicht", "L2"},
        {bruchCode, "Leistenbruch mittel", "L3"},
        {bruchCode, "Leistenbruch", ""},
        {hodenCode, "nur ein Hoden im Skrotum", "1"},
        {hodenCode, "kein Hoden im Skrotum", "2"},
        {hodenCode, "beide", ""},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(f.code(QString::fromUtf8(f.wert)), QLatin1String(f.erwartet)) << f.wert;
}

TEST(Zusatzdaten, ZuchtwertSummeLeereZaehlenNull) {
    test::DataDir daten;
    store::Database db(daten.path());
    store::Table t(db, QStringLiteral("zuchtwert"));
    zuchtwertSummeAnlegen(t);
    t.open();
    t.append();
    t.setValue(QStringLiteral("Hund"), 1);
    t.setValue(QStringLiteral("WesenPunkte"), 5);
    t.setValue(QStringLiteral("ExterieurPunkte"), 7);
    t.post();
    t.first();
    EXPECT_EQ(t.asInt(QStringLiteral("Summe")), 12);
}

TEST(Zusatzdaten, GewichtskurvenNachAlterInTagen) {
    const QDate wurf(2024, 3, 6);
    const QList<Wiegung> w = {
        {QDate(2024, 3, 13), {QStringLiteral("180"), QStringLiteral("175,5"), QString()}},
        {QDate(2024, 3, 6), {QStringLiteral("95"), QStringLiteral("x"), QStringLiteral("90")}},
        {QDate(), {QStringLiteral("1")}},            // no date
        {QDate(2024, 3, 1), {QStringLiteral("50")}}, // before the birth day
    };
    const auto k = gewichtsKurven(wurf, w, 3);
    ASSERT_EQ(k.size(), 3);
    EXPECT_EQ(k[0], (QList<QPointF>{{0, 95}, {7, 180}}));
    EXPECT_EQ(k[1], (QList<QPointF>{{7, 175.5}}));
    EXPECT_EQ(k[2], (QList<QPointF>{{0, 90}}));
    EXPECT_TRUE(gewichtsKurven(QDate(), w, 3)[0].isEmpty());
}

} // namespace
