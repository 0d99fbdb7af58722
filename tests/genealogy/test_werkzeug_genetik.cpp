// The partnersuche and population commands: their lines are what scripts read, so they are compared
// whole, on a register whose figures are textbook values.

#include "genealogy/populationslauf.h"
#include "register.h"
#include "store/database.h"
#include "store/table.h"
#include "support/testsupport.h"

#include <QDate>
#include <atomic>
#include <gtest/gtest.h>
#include <numeric>

using namespace velmora;

namespace {

// 1 Zorro x 2 Amira give the full siblings 3 Mika and 4 Bella; 5 Pia is their kitten (status 5).
// 6 Luna has the sire Zorro only; 7 Nero is a son of Zorro by 8 Kira; 9 Mia, Mika's half sister, is dead.
struct WerkzeugGenetik : ::testing::Test {
    test::DataDir dir;
    void SetUp() override {
        test::schreibeKatzen(dir.path(), {{1, QStringLiteral("Zorro"), 0, 0, {}},
                                          {2, QStringLiteral("Amira"), 0, 0, {}},
                                          {3, QStringLiteral("Mika"), 1, 2, {}},
                                          {4, QStringLiteral("Bella"), 1, 2, {}},
                                          {5, QStringLiteral("Pia"), 3, 4, {}},
                                          {6, QStringLiteral("Luna"), 1, 0, {}},
                                          {8, QStringLiteral("Kira"), 0, 0, {}},
                                          {7, QStringLiteral("Nero"), 1, 8, {}},
                                          {10, QStringLiteral("Mia"), 1, 0, {}}});
        store::Database db(dir.path());
        store::Table t(db, QStringLiteral("catstamm"));
        t.open();
        ASSERT_TRUE(t.findKey({5}));
        t.edit();
        t.setValue(QStringLiteral("Status"), 5);
        t.post();
        ASSERT_TRUE(t.findKey({10}));
        t.edit();
        t.setValue(QStringLiteral("Toddatum"), QDate(2020, 1, 1));
        t.post();
    }
    QString lauf(const QStringList& args, int rc = 0) {
        QString out, err;
        EXPECT_EQ(test::runWerkzeug(QStringList{args.first(), dir.path()} + args.mid(1), &out, &err), rc);
        EXPECT_EQ(err.isEmpty(), rc == 0) << err.toStdString();
        return out;
    }
};

TEST_F(WerkzeugGenetik, PartnersLowestKinshipFirstTiesByName) {
    struct Fall {
        QStringList args;
        QString ausgabe;
    } faelle[] = {
        {{QStringLiteral("--katze"), QStringLiteral("3")},
         QStringLiteral("8;Kira;0.000000\n6;Luna;0.125000\n2;Amira;0.250000\n4;Bella;0.250000\n")},
        {{QStringLiteral("--katze"), QStringLiteral("3"), QStringLiteral("--anzahl"), QStringLiteral("1")},
         QStringLiteral("8;Kira;0.000000\n")},
        {{QStringLiteral("--katze"), QStringLiteral("4")},
         QStringLiteral("7;Nero;0.125000\n3;Mika;0.250000\n1;Zorro;0.250000\n5;Pia;0.375000\n")},
        {{QStringLiteral("--katze"), QStringLiteral("4"), QStringLiteral("--status"), QStringLiteral("5")},
         QStringLiteral("5;Pia;0.375000\n")},
        {{QStringLiteral("--katze"), QStringLiteral("4"), QStringLiteral("--rasse"), QStringLiteral("3")},
         {}},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(lauf(QStringList{QStringLiteral("partnersuche")} + f.args).toStdString(),
                  f.ausgabe.toStdString())
            << f.args.join(' ').toStdString();
    lauf({QStringLiteral("partnersuche"), QStringLiteral("--katze"), QStringLiteral("99")}, 1);
}

TEST_F(WerkzeugGenetik, PopulationOfAFullSibKittenAndAnEmptyReference) {
    // R = {Pia}: f(Pia,Pia) = 0.625, four founders (the parents of Zorro and Amira) of a quarter each,
    // ECG 2, so ΔF = 1 - 0.75^(1/2)
    EXPECT_EQ(
        lauf({QStringLiteral("population"), QStringLiteral("--alle"), QStringLiteral("--status"),
              QStringLiteral("5")}),
        QStringLiteral("Referenz: 1\nGenetische Vielfalt: 0.375000\nGruendergenomaequivalente: 0.800000\n"
                       "Gruender: 4\nEffektive Gruender: 4.000000\nNe: 3.732051\nECG: 2.000000\n"
                       "[Mittlere Verwandtschaft]\n5;Pia;0.625000;0.250000;2.000000\n"));
    EXPECT_EQ(
        lauf({QStringLiteral("population"), QStringLiteral("--geboren-von"), QStringLiteral("2100")}),
        QStringLiteral("Referenz: 0\nGenetische Vielfalt: –\nGruendergenomaequivalente: –\nGruender: 0\n"
                       "Effektive Gruender: –\nNe: –\nECG: –\n[Mittlere Verwandtschaft]\n"));
    // the dead are left out unless --alle
    const QString alle = lauf({QStringLiteral("population"), QStringLiteral("--alle")});
    EXPECT_TRUE(alle.startsWith(QStringLiteral("Referenz: 9\n"))) << alle.toStdString();
    EXPECT_TRUE(alle.contains(QStringLiteral("\n10;Mia;")));
}

TEST_F(WerkzeugGenetik, OwnAncestorIsReportedOnStderr) {
    {
        store::Database db(dir.path());
        store::Table t(db, QStringLiteral("catstamm"));
        t.open();
        ASSERT_TRUE(t.findKey({1}));
        t.edit();
        t.setValue(QStringLiteral("Vater"), 5);
        t.post();
    }
    QString out, err;
    EXPECT_EQ(
        test::runWerkzeug({QStringLiteral("population"), dir.path(), QStringLiteral("--alle")}, &out, &err),
        0);
    EXPECT_TRUE(err.contains(QStringLiteral("Katze "))) << err.toStdString();
    EXPECT_TRUE(out.startsWith(QStringLiteral("Referenz: 9\n")));
}

// The population window's run gives the tool's lines: the same order of R and the same figures; its MK
// classes hold every cat of R, the lowest and the highest at the ends.
TEST_F(WerkzeugGenetik, WindowRunMatchesTheToolLines) {
    const QStringList zeilen =
        lauf({QStringLiteral("population"), QStringLiteral("--alle")}).split(QLatin1Char('\n'));
    store::Database db(dir.path());
    genealogy::Referenzfilter f;
    f.alle = true;
    const genealogy::Populationslauf l = genealogy::populationLaufen(db, f, QDate::currentDate(), nullptr, 4);
    ASSERT_FALSE(l.abgebrochen);
    EXPECT_EQ(zeilen.value(1),
              QStringLiteral("Genetische Vielfalt: ") + genealogy::genetikWert(l.population.vielfalt));
    EXPECT_EQ(zeilen.value(5), QStringLiteral("Ne: ") + genealogy::genetikWert(l.population.ne));
    const qsizetype kopf = zeilen.indexOf(QStringLiteral("[Mittlere Verwandtschaft]"));
    ASSERT_EQ(l.reihe.size(), 9u);
    for (size_t i = 0; i < l.reihe.size(); ++i)
        EXPECT_TRUE(zeilen.value(kopf + 1 + qsizetype(i))
                        .startsWith(QString::number(l.genetik->katze(l.reihe[i]).nr) + u';'));
    ASSERT_EQ(l.mkKlassen.size(), 4u);
    EXPECT_EQ(std::accumulate(l.mkKlassen.begin(), l.mkKlassen.end(), 0), 9);
    EXPECT_GT(l.mkKlassen.front(), 0);
    EXPECT_GT(l.mkKlassen.back(), 0);

    std::atomic<bool> abbruch(true);
    genealogy::GenetikFortschritt c(&abbruch);
    EXPECT_TRUE(genealogy::populationLaufen(db, f, QDate::currentDate(), &c).abgebrochen);
}

} // namespace
