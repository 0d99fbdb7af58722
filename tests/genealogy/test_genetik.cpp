// The register genetics against the relationship matrix built directly by the tabular method on
// registers small enough for it, plus textbook matings and faulty data.

#include "genealogy/genetik.h"
#include "register.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <random>

using namespace velmora::genealogy;

namespace {

// A register with numbers shuffled against the generations, so the order has to be found.
struct Zufallsregister {
    std::vector<GenetikKatze> katzen;   // in generation order: parents first
    std::vector<int> vater, mutter;     // indexes into katzen, -1 unknown
    std::vector<std::vector<double>> A; // the matrix, tabular method
    Zufallsregister(int n, unsigned seed) {
        std::mt19937 rng(seed);
        std::vector<qint32> nummern(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i)
            nummern[size_t(i)] = 1000 + 7 * i;
        std::shuffle(nummern.begin(), nummern.end(), rng);
        for (int i = 0; i < n; ++i) {
            // the last 40 cats are parents of the next: close matings, lines of inbreeding
            auto elter = [&](int wahrscheinlich) -> int {
                if (i < 10 || int(rng() % 100) >= wahrscheinlich) return -1;
                const int von = std::max(0, i - 40);
                return von + int(rng() % unsigned(i - von));
            };
            int v = elter(85), m = elter(80);
            if (v == m) m = -1;
            GenetikKatze k;
            k.nr = nummern[size_t(i)];
            k.name = QStringLiteral("K%1").arg(i);
            k.vater = v >= 0 ? nummern[size_t(v)] : (rng() % 10 == 0 ? 999999 : 0); // some name no cat
            k.mutter = m >= 0 ? nummern[size_t(m)] : 0;
            katzen.push_back(k);
            vater.push_back(v);
            mutter.push_back(m);
        }
        A.assign(size_t(n), std::vector<double>(size_t(n), 0.0));
        for (int i = 0; i < n; ++i) {
            const int s = vater[size_t(i)], d = mutter[size_t(i)];
            for (int j = 0; j < i; ++j) {
                const double a =
                    0.5 * ((s >= 0 ? A[size_t(j)][size_t(s)] : 0) + (d >= 0 ? A[size_t(j)][size_t(d)] : 0));
                A[size_t(i)][size_t(j)] = A[size_t(j)][size_t(i)] = a;
            }
            A[size_t(i)][size_t(i)] = 1 + (s >= 0 && d >= 0 ? 0.5 * A[size_t(s)][size_t(d)] : 0);
        }
    }
    // every appearance of a known ancestor, walked path by path
    double ecg(int i, int g = 1) const {
        double e = 0;
        for (int p : {vater[size_t(i)], mutter[size_t(i)]})
            if (p >= 0) e += std::pow(0.5, g) + ecg(p, g + 1);
        return e;
    }
};

TEST(Genetik, EveryFigureMatchesTheMatrix) {
    for (unsigned seed : {1u, 2u, 3u}) {
        const Zufallsregister z(300, seed);
        const int n = int(z.katzen.size());
        const Genetik g(z.katzen);
        ASSERT_EQ(g.anzahl(), n);
        EXPECT_TRUE(g.eigeneVorfahren().isEmpty());
        EXPECT_GT(*std::max_element(g.inzucht().begin(), g.inzucht().end()), 0.2) << "loops of inbreeding";
        std::vector<int> pos(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) {
            pos[size_t(i)] = g.position(z.katzen[size_t(i)].nr);
            ASSERT_GE(pos[size_t(i)], 0);
        }
        for (int i = 0; i < n; ++i) {
            const int gv = g.vater(pos[size_t(i)]);
            if (gv >= 0) {
                EXPECT_LT(gv, pos[size_t(i)]) << "parents come first";
            }
            EXPECT_NEAR(g.inzucht()[size_t(pos[size_t(i)])], z.A[size_t(i)][size_t(i)] - 1, 1e-12);
        }
        const Genetik nurEltern(z.katzen, true); // the partner search's reading
        for (int i : {0, 17, n / 2, n - 1}) {
            const std::vector<double> f = g.verwandtschaft(pos[size_t(i)]);
            EXPECT_EQ(nurEltern.verwandtschaft(pos[size_t(i)]), f);
            for (int j = 0; j < n; ++j)
                ASSERT_NEAR(f[size_t(pos[size_t(j)])], z.A[size_t(i)][size_t(j)] / 2, 1e-12) << i << ' ' << j;
        }

        // reference: every third cat of the younger half
        std::vector<int> R, Rpos;
        for (int i = n / 2; i < n; i += 3) {
            R.push_back(i);
            Rpos.push_back(pos[size_t(i)]);
        }
        const Population p = populationRechnen(g, Rpos);
        const double r = double(R.size());
        double mkSumme = 0, ecgSumme = 0, dfSumme = 0;
        int dfAnzahl = 0;
        for (int i = 0; i < n; ++i) {
            double mk = 0;
            for (int j : R)
                mk += z.A[size_t(i)][size_t(j)] / 2 / r;
            EXPECT_NEAR(p.mk[size_t(pos[size_t(i)])], mk, 1e-12);
            EXPECT_NEAR(p.ecg[size_t(pos[size_t(i)])], z.ecg(i), 1e-12);
        }
        for (int i : R) {
            mkSumme += p.mk[size_t(pos[size_t(i)])];
            const double e = z.ecg(i);
            ecgSumme += e;
            if (e >= 1) {
                dfSumme += 1 - std::pow(2 - z.A[size_t(i)][size_t(i)], 1 / e);
                ++dfAnzahl;
            }
        }
        EXPECT_NEAR(p.vielfalt, 1 - mkSumme / r, 1e-12);
        EXPECT_NEAR(p.gruenderaequivalente, 1 / (2 * mkSumme / r), 1e-9);
        EXPECT_NEAR(p.ecgMittel, ecgSumme / r, 1e-12);
        ASSERT_GT(dfAnzahl, 0);
        EXPECT_NEAR(p.ne, 1 / (2 * dfSumme / dfAnzahl), 1e-6);

        // founders: each unknown parent slot, its contribution followed down by the tabular rule
        double quadrate = 0;
        size_t beitragende = 0;
        for (int c = 0; c < n; ++c)
            for (int seite : {0, 1}) {
                if ((seite ? z.mutter : z.vater)[size_t(c)] >= 0) continue;
                std::vector<double> t(size_t(n), 0.0);
                t[size_t(c)] = 0.5;
                for (int j = c + 1; j < n; ++j)
                    t[size_t(j)] = 0.5 * ((z.vater[size_t(j)] >= 0 ? t[size_t(z.vater[size_t(j)])] : 0) +
                                          (z.mutter[size_t(j)] >= 0 ? t[size_t(z.mutter[size_t(j)])] : 0));
                double pk = 0;
                for (int j : R)
                    pk += t[size_t(j)] / r;
                if (pk <= 0) continue;
                ++beitragende;
                quadrate += pk * pk;
                const auto it = std::find_if(p.gruender.begin(), p.gruender.end(), [&](const Gruender& gr) {
                    return gr.kind == z.katzen[size_t(c)].nr && gr.vater == (seite == 0);
                });
                ASSERT_NE(it, p.gruender.end());
                EXPECT_NEAR(it->beitrag, pk, 1e-12);
            }
        EXPECT_EQ(p.gruender.size(), beitragende);
        EXPECT_NEAR(p.effektiveGruender, 1 / quadrate, 1e-9);
    }
}

GenetikKatze katze(qint32 nr, qint32 v, qint32 m) {
    GenetikKatze k;
    k.nr = nr;
    k.vater = v;
    k.mutter = m;
    return k;
}

TEST(Genetik, TextbookMatingsAndFounders) {
    // 1 x 2 give the full siblings 3 and 4; 5 is a son of 1 by 6; 7 is a kitten of 3 x 4
    const Genetik g({katze(7, 3, 4), katze(1, 0, 0), katze(2, 0, 0), katze(3, 1, 2), katze(4, 1, 2),
                     katze(5, 1, 6), katze(6, 0, 0)});
    auto f = [&](qint32 a, qint32 b) { return g.verwandtschaft(g.position(a))[size_t(g.position(b))]; };
    struct Fall {
        qint32 a, b;
        double wert;
    } faelle[] = {{3, 4, 0.25}, {3, 5, 0.125}, {1, 2, 0}, {1, 1, 0.5}, {7, 7, 0.625}, {7, 3, 0.375}};
    for (const Fall& fall : faelle)
        EXPECT_DOUBLE_EQ(f(fall.a, fall.b), fall.wert) << fall.a << ' ' << fall.b;
    EXPECT_DOUBLE_EQ(g.inzucht()[size_t(g.position(7))], 0.25);

    // reference {7}: the founders are the unknown parents of 1 and 2, a quarter each
    const Population p = populationRechnen(g, {g.position(7)});
    ASSERT_EQ(p.gruender.size(), 4u);
    for (const Gruender& gr : p.gruender) {
        EXPECT_TRUE(gr.kind == 1 || gr.kind == 2);
        EXPECT_DOUBLE_EQ(gr.beitrag, 0.25);
    }
    EXPECT_DOUBLE_EQ(p.effektiveGruender, 4);
    EXPECT_DOUBLE_EQ(p.ecgMittel, 2);
    EXPECT_DOUBLE_EQ(p.vielfalt, 1 - 0.625);
    // ΔF = 1 - 0.75^(1/2)
    EXPECT_NEAR(p.ne, 1 / (2 * (1 - std::sqrt(0.75))), 1e-12);
}

TEST(Genetik, EmptyReferenceGivesNoFigures) {
    const Genetik g({katze(1, 0, 0), katze(2, 1, 0)});
    const Population p = populationRechnen(g, {});
    EXPECT_TRUE(p.gruender.empty());
    for (double x : {p.vielfalt, p.gruenderaequivalente, p.effektiveGruender, p.ne, p.ecgMittel})
        EXPECT_TRUE(std::isnan(x));
    // unrelated founders only: no increase in inbreeding, no Ne
    EXPECT_TRUE(std::isnan(populationRechnen(g, {0, 1}).ne));
}

TEST(Genetik, OwnAncestorIsReportedAndItsLinkUnknown) {
    // 3 is by 1 x 2, but 1 gives 3 as its sire; 5 is its own dam
    const Genetik g({katze(1, 3, 0), katze(2, 0, 0), katze(3, 1, 2), katze(4, 3, 2), katze(5, 0, 5)});
    EXPECT_EQ(g.eigeneVorfahren(), (QVector<qint32>{3, 5}));
    for (int k = 0; k < g.anzahl(); ++k) {
        EXPECT_LT(g.vater(k), k);
        EXPECT_LT(g.mutter(k), k);
    }
    // the loop is cut between 3 and its sire 1, so 4's parents 3 and 2 are parent and kitten
    EXPECT_DOUBLE_EQ(g.inzucht()[size_t(g.position(4))], 0.25);
    EXPECT_EQ(g.mutter(g.position(5)), -1);
}

// The hook of the worker thread: progress reported per step, nothing changed by it, and a cancel in
// any step leaves a result marked cancelled that holds nothing.
TEST(Genetik, ProgressLeavesTheFiguresAloneAndCancelStopsEachStep) {
    // enough cats for several looks at the flag in every step; shallow pedigrees keep it quick
    std::vector<GenetikKatze> katzen;
    std::mt19937 rng(4);
    for (qint32 i = 1; i <= 10000; ++i) {
        auto elter = [&]() -> qint32 {
            return i <= 20 ? 0 : 1 + qint32(rng() % unsigned(std::min(i - 1, 300)));
        };
        const qint32 v = elter(), m = elter();
        katzen.push_back(katze(i, v, m == v ? 0 : m));
    }
    const Genetik ohne(katzen);
    std::vector<int> referenz;
    for (int i = 0; i < ohne.anzahl(); i += 3)
        referenz.push_back(i);
    const Population pOhne = populationRechnen(ohne, referenz);

    std::map<GenetikSchritt, std::pair<qint64, qint64>> letzte; // last done and total per step
    bool rueckwaerts = false;
    std::atomic<bool> abbruch(false);
    GenetikFortschritt f(&abbruch, [&](GenetikSchritt s, qint64 erledigt, qint64 gesamt) {
        auto& [e, g] = letzte[s];
        rueckwaerts |= erledigt < e;
        e = erledigt;
        g = gesamt;
    });
    const Genetik mit(katzen, false, &f);
    const Population pMit = populationRechnen(mit, referenz, &f);
    EXPECT_FALSE(f.abgebrochen() || mit.abgebrochen() || pMit.abgebrochen);
    EXPECT_FALSE(rueckwaerts);
    for (GenetikSchritt s : {GenetikSchritt::Ordnen, GenetikSchritt::Inzucht, GenetikSchritt::Population}) {
        EXPECT_EQ(letzte[s].first, letzte[s].second) << int(s) << ": the step ends at its total";
        EXPECT_GT(letzte[s].second, 0);
    }
    EXPECT_EQ(mit.inzucht(), ohne.inzucht());
    EXPECT_EQ(pMit.mk, pOhne.mk);
    EXPECT_EQ(pMit.gruender.size(), pOhne.gruender.size());
    for (auto [a, b] : {std::pair{pMit.vielfalt, pOhne.vielfalt},
                        {pMit.ne, pOhne.ne},
                        {pMit.effektiveGruender, pOhne.effektiveGruender},
                        {pMit.ecgMittel, pOhne.ecgMittel}})
        EXPECT_EQ(a, b);

    // Cancelled in the middle of a step (the flag set from the report, as the window's button does).
    for (GenetikSchritt bei : {GenetikSchritt::Ordnen, GenetikSchritt::Inzucht, GenetikSchritt::Population}) {
        std::atomic<bool> flag(false);
        GenetikFortschritt c(&flag, [&](GenetikSchritt s, qint64 erledigt, qint64) {
            if (s == bei && erledigt > 0) flag = true;
        });
        const Genetik g(katzen, false, &c);
        const Population p = populationRechnen(g, referenz, &c);
        EXPECT_TRUE(c.abgebrochen()) << int(bei);
        EXPECT_TRUE(p.abgebrochen && p.mk.empty() && p.gruender.empty() && p.referenz.empty()) << int(bei);
        EXPECT_EQ(g.abgebrochen(), bei != GenetikSchritt::Population) << int(bei);
        if (g.abgebrochen()) {
            EXPECT_TRUE(g.anzahl() == 0 && g.inzucht().empty());
        }
    }
}

TEST(Genetik, ReadingIsCancelledBeforeAnyCat) {
    velmora::test::DataDir dir;
    velmora::test::schreibeKatzen(
        dir.path(), {{1, QStringLiteral("Zorro"), 0, 0, {}}, {3, QStringLiteral("Mika"), 1, 0, {}}});
    velmora::store::Database db(dir.path());
    std::atomic<bool> flag(false);
    qint64 gesamt = 0;
    GenetikFortschritt f(&flag, [&](GenetikSchritt, qint64, qint64 g) { gesamt = g; });
    EXPECT_EQ(genetikKatzenLesen(db, &f).size(), 2u);
    EXPECT_EQ(gesamt, 2);
    flag = true;
    EXPECT_TRUE(genetikKatzenLesen(db, &f).empty());
    EXPECT_TRUE(f.abgebrochen());
}

} // namespace
