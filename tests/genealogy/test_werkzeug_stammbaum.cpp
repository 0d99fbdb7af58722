// The stammbaum command: its lines are compared with an independent reading of the register that follows
// each ancestor's path from the cat (sire = 0, dam = 1, the first step the highest bit).

#include "register.h"
#include "store/database.h"
#include "store/table.h"
#include "support/testsupport.h"

#include <QHash>
#include <QMap>
#include <gtest/gtest.h>

using namespace velmora;
using velmora::test::RegisterKatze;

namespace {

struct Eintrag {
    qint32 vater = 0, mutter = 0;
    QString name;
};

QHash<qint32, Eintrag> lesen(const QString& dir) {
    store::Database db(dir);
    store::Table t(db, QStringLiteral("catstamm"));
    t.open(store::Table::OpenMode::ReadOnly);
    QHash<qint32, Eintrag> r;
    for (t.first(); t.hasRecord() && !t.eof(); t.next())
        r.insert(t.asInt(QStringLiteral("LaufendeNummer")),
                 {t.asInt(QStringLiteral("Vater")), t.asInt(QStringLiteral("Mutter")),
                  t.asString(QStringLiteral("Name"))});
    return r;
}

// (g, k) -> number, by walking every path.
void pfade(const QHash<qint32, Eintrag>& reg, qint32 nr, int g, int k, int bis,
           QMap<QPair<int, int>, qint32>& besetzt) {
    if (g > bis || !reg.contains(nr)) return;
    besetzt[{g, k}] = nr;
    const Eintrag& e = reg[nr];
    pfade(reg, e.vater, g + 1, 2 * k - 1, bis, besetzt);
    pfade(reg, e.mutter, g + 1, 2 * k, bis, besetzt);
}

QString erwartet(const QString& dir, qint32 katze, int generationen) {
    const auto reg = lesen(dir);
    QMap<QPair<int, int>, qint32> besetzt;
    pfade(reg, reg[katze].vater, 1, 1, generationen, besetzt);
    pfade(reg, reg[katze].mutter, 1, 2, generationen, besetzt);
    QString out;
    for (auto it = besetzt.cbegin(); it != besetzt.cend(); ++it) {
        int anzahl = 0;
        for (qint32 n : besetzt)
            anzahl += n == it.value();
        out += QStringLiteral("%1;%2;%3;%4;%5\n")
                   .arg(it.key().first)
                   .arg(it.key().second)
                   .arg(it.value())
                   .arg(reg[it.value()].name)
                   .arg(anzahl);
    }
    return out;
}

int lauf(const QString& dir, const QStringList& args, QString* out, QString* err = nullptr) {
    QString e;
    return test::runWerkzeug(QStringList{QStringLiteral("stammbaum"), dir} + args, out, err ? err : &e);
}

} // namespace

// Doubled ancestors (5 Pia by the full siblings 3 and 4), a missing dam (6), a sire naming a deleted
// record (9), and two cats that are each other's sire (10, 11) under 12.
TEST(WerkzeugStammbaum, KleinesRegisterWieDieUnabhaengigeLesung) {
    test::DataDir dir;
    test::schreibeKatzen(dir.path(), {{1, QStringLiteral("Zorro"), 0, 0, {}},
                                      {2, QStringLiteral("Amira"), 0, 0, {}},
                                      {3, QStringLiteral("Mika"), 1, 2, {}},
                                      {4, QStringLiteral("Bella"), 1, 2, {}},
                                      {5, QStringLiteral("Pia"), 3, 4, {}},
                                      {6, QStringLiteral("Luna"), 5, 0, {}},
                                      {7, QStringLiteral("Nero"), 99, 6, {}},
                                      {10, QStringLiteral("Ying"), 11, 2, {}},
                                      {11, QStringLiteral("Yang"), 10, 0, {}},
                                      {12, QStringLiteral("Kreis"), 10, 7, {}}});
    QString out;
    ASSERT_EQ(lauf(dir.path(), {"--katze", "5", "--generationen", "2"}, &out), 0);
    EXPECT_EQ(out, QStringLiteral("1;1;3;Mika;1\n1;2;4;Bella;1\n2;1;1;Zorro;2\n2;2;2;Amira;2\n"
                                  "2;3;1;Zorro;2\n2;4;2;Amira;2\n"));
    const struct {
        int katze, generationen;
    } faelle[] = {{5, 1}, {5, 8}, {7, 8}, {7, 3}, {12, 8}, {12, 1}, {1, 8}};
    for (const auto& f : faelle) {
        const QStringList args{"--katze", QString::number(f.katze), "--generationen",
                               QString::number(f.generationen)};
        ASSERT_EQ(lauf(dir.path(), args, &out), 0);
        EXPECT_EQ(out, erwartet(dir.path(), f.katze, f.generationen)) << f.katze << "/" << f.generationen;
    }
    // The loop fills eight generations and ends: 2 + 4 + ... + 256 besetzt at most.
    ASSERT_EQ(lauf(dir.path(), {"--katze", "12"}, &out), 0);
    EXPECT_EQ(out, erwartet(dir.path(), 12, 8));
    EXPECT_LE(out.count(QLatin1Char('\n')), 510);
    EXPECT_TRUE(out.startsWith(QStringLiteral("1;1;10;Ying;"))) << out.toStdString();
}

TEST(WerkzeugStammbaum, GrossesRegisterAchtGenerationen) {
    test::TempDir tmp;
    const QString dir = tmp.file(QStringLiteral("r"));
    ASSERT_EQ(test::runWerkzeug({"beispiel", dir, "--katzen", "3000", "--generationen", "10", "--seed", "3"}),
              0);
    int meiste = 0;
    for (int katze : {2999, 2500, 1700}) {
        QString out;
        ASSERT_EQ(lauf(dir, {"--katze", QString::number(katze)}, &out), 0);
        EXPECT_EQ(out, erwartet(dir, katze, 8)) << katze;
        meiste = std::max(meiste, static_cast<int>(out.count(QLatin1Char('\n'))));
    }
    EXPECT_GT(meiste, 100); // deep pedigrees were compared, not only short ones
}

TEST(WerkzeugStammbaum, FehlendeKatzeUndFalscheAufrufe) {
    test::DataDir dir;
    test::schreibeKatzen(dir.path(), {{1, QStringLiteral("Zorro"), 0, 0, {}}});
    QString out, err;
    EXPECT_EQ(lauf(dir.path(), {"--katze", "2"}, &out, &err), 1);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_FALSE(err.isEmpty());
    // A cat without parents has no line.
    EXPECT_EQ(lauf(dir.path(), {"--katze", "1"}, &out), 0);
    EXPECT_TRUE(out.isEmpty());
    for (const QStringList& falsch : {QStringList{"--katze", "1", "--generationen", "9"},
                                      QStringList{"--katze", "1", "--generationen", "0"}, QStringList{}})
        EXPECT_EQ(lauf(dir.path(), falsch, &out), 64) << falsch.join(' ').toStdString();
}
