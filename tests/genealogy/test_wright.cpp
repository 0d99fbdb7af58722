#include "genealogy/inzuchtberechnung.h"
#include "genealogy/wright.h"

#include <QHash>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <set>

using namespace velmora::genealogy;

namespace {

struct Stamm {
    QHash<qint32, KatzenDaten> katzen;
    void add(qint32 nr, qint32 v, qint32 m, QVector<qint32> merkmale = {}) {
        katzen.insert(nr, {v, m, QStringLiteral("K%1").arg(nr), merkmale});
    }
    Wright::Lesen leser() const {
        return [this](qint32 nr) -> const KatzenDaten* {
            auto it = katzen.constFind(nr);
            return nr == 0 || it == katzen.constEnd() ? nullptr : &*it;
        };
    }
    double wright(qint32 v, qint32 m, qint64* vorfahren = nullptr) const {
        Wright w;
        EXPECT_TRUE(w.rechnen(v, m, leser()));
        if (vorfahren) *vorfahren = w.vorfahren;
        return w.koeffizient;
    }
};

// P_k = 2k + 1 and Q_k = 2k + 2 are full siblings out of P_k+1 x Q_k+1; the top pair are founders.
void leiter(Stamm& s, int tiefe) {
    for (int k = 0; k <= tiefe; ++k)
        for (qint32 nr : {2 * k + 1, 2 * k + 2})
            s.add(nr, k < tiefe ? 2 * k + 3 : 0, k < tiefe ? 2 * k + 4 : 0);
}

// The textbook definition: every pair of paths from the sire and from the dam up to a common ancestor A
// that meet nowhere else adds (1/2)^(n1+n2+1) (1 + F_A), F_A by the same rule.
struct Pfadzaehlung {
    const Stamm& s;
    std::pair<qint32, qint32> eltern(qint32 nr) const {
        auto it = s.katzen.constFind(nr);
        if (nr == 0 || it == s.katzen.constEnd() || it->Merkmale.contains(2)) return {0, 0};
        auto da = [&](qint32 p) { return s.katzen.contains(p) ? p : 0; };
        return {da(it->Vater), da(it->Mutter)};
    }
    void pfade(qint32 von, std::vector<qint32>& weg, std::vector<std::vector<qint32>>& alle) const {
        weg.push_back(von);
        alle.push_back(weg);
        const auto [v, m] = eltern(von);
        for (qint32 p : {v, m})
            if (p) pfade(p, weg, alle);
        weg.pop_back();
    }
    double kind(qint32 v, qint32 m) const {
        if (!v || !m) return 0;
        std::vector<std::vector<qint32>> ps, pd;
        std::vector<qint32> weg;
        pfade(v, weg, ps);
        pfade(m, weg, pd);
        double f = 0;
        for (const auto& a : ps)
            for (const auto& b : pd) {
                if (a.back() != b.back()) continue;
                const std::set<qint32> sa(a.begin(), a.end());
                int gemeinsam = 0;
                for (qint32 x : b)
                    gemeinsam += int(sa.count(x));
                if (gemeinsam != 1) continue;
                const auto [av, am] = eltern(a.back());
                f += std::ldexp(1.0, -int(a.size() + b.size() - 1)) * (1 + kind(av, am));
            }
        return f;
    }
};

} // namespace

TEST(Wright, LehrbuchStammbaeume) {
    Stamm s;
    s.add(1, 0, 0);
    s.add(2, 0, 0);
    s.add(9, 0, 0);
    s.add(3, 1, 2);
    s.add(4, 1, 2);
    s.add(5, 1, 9);
    s.add(6, 1, 0);  // daughter of 1
    s.add(10, 3, 4); // F = 0.25: the common ancestor below
    s.add(11, 0, 0);
    s.add(12, 0, 0);
    s.add(13, 10, 11);
    s.add(14, 10, 12);
    qint64 vorfahren = 0;
    EXPECT_EQ(s.wright(3, 4, &vorfahren), 0.25); // full siblings
    EXPECT_EQ(vorfahren, 4);
    EXPECT_EQ(s.wright(3, 5), 0.125);                      // half siblings
    EXPECT_EQ(s.wright(1, 6), 0.25);                       // sire and daughter
    EXPECT_EQ(s.wright(1, 9), 0.0);                        // unrelated
    EXPECT_EQ(s.wright(13, 14, &vorfahren), 0.125 * 1.25); // half siblings by an inbred sire
    EXPECT_EQ(vorfahren, 9);
    for (auto [tiefe, f] : {std::pair{1, 0.25}, {2, 0.375}, {3, 0.5}, {4, 0.59375}}) {
        Stamm l;
        leiter(l, tiefe);
        EXPECT_EQ(l.wright(1, 2, &vorfahren), f) << tiefe;
        EXPECT_EQ(vorfahren, 2 * (tiefe + 1));
    }
}

TEST(Wright, GleichtDerPfadzaehlungAufZufallsstammbaeumen) {
    std::mt19937 rng(20261210);
    int verwandt = 0;
    for (int runde = 0; runde < 300; ++runde) {
        Stamm s;
        const int n = 4 + int(rng() % 12);
        for (int i = 1; i <= n; ++i) {
            auto elter = [&]() -> qint32 {
                const int r = int(rng() % 100);
                if (r < 10 || i == 1) return 0;
                if (r < 14) return 900; // names no cat
                return 1 + qint32(rng() % (i - 1));
            };
            const qint32 v = elter();
            s.add(i, v, rng() % 15 == 0 ? v : elter(),
                  rng() % 20 == 0 ? QVector<qint32>{2} : QVector<qint32>{});
        }
        const qint32 v = 1 + qint32(rng() % n), m = 1 + qint32(rng() % n);
        const double erwartet = Pfadzaehlung{s}.kind(v, m);
        Wright w;
        ASSERT_TRUE(w.rechnen(v, m, s.leser()));
        EXPECT_NEAR(w.koeffizient, erwartet, 1e-12) << "round " << runde;
        for (auto it = s.katzen.constBegin(); it != s.katzen.constEnd(); ++it) {
            const double f = w.inzuchtVon(it.key());
            if (f < 0) continue;
            const auto [av, am] = Pfadzaehlung{s}.eltern(it.key());
            EXPECT_NEAR(f, Pfadzaehlung{s}.kind(av, am), 1e-12) << "round " << runde << " cat " << it.key();
        }
        verwandt += erwartet > 0;
    }
    EXPECT_GT(verwandt, 100);
}

TEST(Wright, UnbekannteElternFoundationUndSchleifen) {
    Stamm s;
    s.add(1, 0, 0);
    s.add(2, 0, 0);
    s.add(3, 1, 2, {2}); // Foundation: 1 and 2 are not its ancestors here
    s.add(4, 1, 2);
    s.add(7, 7, 8); // faulty: its own sire
    s.add(8, 7, 0);
    Wright w;
    EXPECT_FALSE(w.rechnen(3, 99, s.leser()));
    EXPECT_FALSE(w.rechnen(0, 3, s.leser()));
    qint64 vorfahren = 0;
    EXPECT_EQ(s.wright(3, 4, &vorfahren), 0.0);
    EXPECT_EQ(vorfahren, 4);
    EXPECT_EQ(s.wright(4, 4), 0.5); // one cat as both parents: (1 + F) / 2
    ASSERT_TRUE(w.rechnen(7, 8, s.leser()));
    EXPECT_EQ(w.vorfahren, 2);
    EXPECT_GE(w.koeffizient, 0.0);
    EXPECT_LT(w.koeffizient, 1.0);
}

TEST(Wright, AbbruchGibtFalse) {
    Stamm s;
    leiter(s, 3000); // enough steps to be asked
    Wright w;
    int gefragt = 0;
    EXPECT_FALSE(w.rechnen(1, 2, s.leser(), [&] { return ++gefragt < 2; }));
    EXPECT_EQ(w.koeffizient, 0.0);
    EXPECT_EQ(w.vorfahren, 0);
}

// Beside the figure over G generations; the same pedigree, the inbred common ancestor counted only here.
TEST(Wright, NebenDemKoeffizientenDerBerechnung) {
    struct Quelle : KatzenQuelle {
        Stamm s;
        bool lesen(qint32 nr, KatzenDaten& d) override {
            if (!s.katzen.contains(nr) || nr == 0) return false;
            d = s.katzen.value(nr);
            return true;
        }
        std::optional<qint32> merkmalFarbe(qint32) override { return {}; }
        QVector<TopKatzeZeile> topKatzen() override { return {}; }
    } q;
    leiter(q.s, 3);
    TFormInzuchtberechnung c(q, [](int n) { return QString::number(n); });
    c.locale = QLocale(QLocale::German);
    ASSERT_TRUE(c.Berechne(0, 1, 2, 3, false));
    EXPECT_TRUE(c.WrightKoeffizient.isEmpty());
    c.mitWright = true;
    ASSERT_TRUE(c.Berechne(0, 1, 2, 3, true));
    EXPECT_EQ(c.Inzuchtkoeffizient, " 0,25000 = 25,00%");
    EXPECT_EQ(c.WrightKoeffizient, " 0,50000 = 50,00%");
    EXPECT_EQ(c.WrightVorfahren, 8);
    EXPECT_EQ(wrightText(0, c.locale), " 0%");
    EXPECT_EQ(wrightText(0.59375, QLocale(QLocale::English)), " 0.59380 = 59.38%");
}
