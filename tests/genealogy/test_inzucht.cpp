#include "genealogy/inzuchtberechnung.h"
#include "oracle.h"

#include <QHash>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <tuple>

using namespace velmora::genealogy;

namespace {

struct Speicher : KatzenQuelle {
    QHash<qint32, KatzenDaten> katzen;
    bool lesen(qint32 nr, KatzenDaten& d) override {
        auto it = katzen.constFind(nr);
        if (nr == 0 || it == katzen.constEnd()) return false;
        d = *it;
        return true;
    }
    std::optional<qint32> merkmalFarbe(qint32 m) override { return m == 1 ? 0xFF0000 : 0x0000FF; }
    QVector<TopKatzeZeile> topKatzen() override { return top; }
    QVector<TopKatzeZeile> top;
    void add(qint32 nr, qint32 v, qint32 m, QString name = {}, QVector<qint32> mk = {}) {
        katzen.insert(nr, {v, m, name.isEmpty() ? QStringLiteral("K%1").arg(nr) : name, mk});
    }
};

QString text(int nr) {
    return QStringLiteral("M%1").arg(nr);
}

struct Lauf {
    Speicher q;
    TFormInzuchtberechnung calc{q, text};
    Lauf() { calc.locale = QLocale(QLocale::German); }
};

} // namespace

TEST(Festformat, RundetUndSchreibtImGebietsschema) {
    const QLocale de(QLocale::German), en(QLocale::English);
    EXPECT_EQ(festFormat(0.25, 4, 5, de), "0,25000");
    EXPECT_EQ(festFormat(25, 4, 2, de), "25,00");
    EXPECT_EQ(festFormat(0.125, 2, 3, en), "0.130"); // half away from zero at 2 digits
    EXPECT_EQ(festFormat(0.0078125, 3, 5, en), "0.00781");
    EXPECT_EQ(festFormat(0, 3, 2, de), "0,00");
    EXPECT_EQ(festFormat(99.999, 4, 2, en), "100.00");
    EXPECT_EQ(festFormat(123456, 4, 2, en), "1.235E5");
}

TEST(Inzucht, VollgeschwisterHalbgeschwisterVaterTochterUnverwandt) {
    Lauf l; // 1,2 grandparents; 3 and 4 full siblings; 5 a half sibling of 3 by 1 and 9
    l.q.add(1, 0, 0);
    l.q.add(2, 0, 0);
    l.q.add(9, 0, 0);
    l.q.add(3, 1, 2);
    l.q.add(4, 1, 2);
    l.q.add(5, 1, 9);
    l.q.add(6, 1, 0); // daughter of 1 (dam unknown)
    ASSERT_TRUE(l.calc.Berechne(0, 3, 4, 5, false));
    EXPECT_EQ(l.calc.Inzuchtkoeffizient, " 0,25000 = 25,00%");
    EXPECT_EQ(l.calc.Inzuchtkoeffizientkurz, "25,00%");
    ASSERT_TRUE(l.calc.Berechne(0, 3, 5, 5, false));
    EXPECT_EQ(l.calc.Inzuchtkoeffizient, " 0,12500 = 12,50%");
    ASSERT_TRUE(l.calc.Berechne(0, 1, 6, 5, false));
    EXPECT_EQ(l.calc.AnzahlPaare, 1u);
    EXPECT_EQ(l.calc.summe, 0.25);
    ASSERT_TRUE(l.calc.Berechne(0, 1, 9, 5, true));
    EXPECT_EQ(l.calc.Inzuchtkoeffizientkurz, " 0%");
    EXPECT_EQ(l.calc.Inzucht, QStringList{"M48"});
    EXPECT_EQ(l.calc.Clon, QStringList{"0 %"});
}

TEST(Inzucht, UnbekannteMutterGibtMeldung83UndLaesstErgebnisse) {
    Lauf l;
    l.q.add(1, 0, 0);
    l.q.add(2, 0, 0);
    ASSERT_TRUE(l.calc.Berechne(0, 1, 2, 5, false));
    const QString vorher = l.calc.Ahnenverlustkoeffizient;
    EXPECT_FALSE(l.calc.Berechne(0, 1, 77, 5, false));
    EXPECT_EQ(l.calc.letzteMeldung, "M83");
    EXPECT_EQ(l.calc.Ahnenverlustkoeffizient, vorher);
}

TEST(Inzucht, DreiMalImStammbaumUndG3) {
    Lauf l; // 1 is sire of 2, 3 and grand-sire via 3
    l.q.add(1, 0, 0);
    l.q.add(8, 0, 0);
    l.q.add(2, 1, 8);
    l.q.add(3, 1, 8);
    l.q.add(4, 1, 3);
    ASSERT_TRUE(l.calc.Berechne(0, 2, 4, 3, false));
    EXPECT_EQ(l.calc.AnzahlMoeglicherVorf, 6u);
    EXPECT_EQ(l.calc.Ahnenverlust.value(1), "M44 6");
    // nodes: 2,1,8,4,1,3 -> 1 three times? (2:1,8) (4:1,3) -> 1 twice at G=3
    EXPECT_EQ(l.calc.zaehlerdoppelt, 1);
    ASSERT_TRUE(l.calc.Berechne(0, 2, 4, 4, false));
    EXPECT_EQ(l.calc.zaehlerdoppelt, 3 + 1 - 1); // 1 three times (+2), 8 twice (+1)
    EXPECT_EQ(l.calc.Ahnenverlust.value(3), QStringLiteral("M45 %1").arg(l.calc.zaehler - 1 - 3));
}

TEST(Inzucht, FoundationVaterUndFehlenderGrosselternteil) {
    Lauf l;
    l.q.add(1, 0, 0);
    l.q.add(2, 0, 0);
    l.q.add(10, 1, 2, "Fundus", {2});
    l.q.add(20, 1, 0, "Mia");
    ASSERT_TRUE(l.calc.Berechne(0, 10, 20, 3, true));
    EXPECT_EQ(l.calc.AnzahlVorhandenerVorf,
              3u); // sire counted, his parents not; dam and her sire (G = 3 stops there)
    EXPECT_EQ(l.calc.Stammbaumkomplett, "M43");
    ASSERT_EQ(l.calc.Info.size(), 2);
    EXPECT_EQ(l.calc.Info[0], "2 M39Fundus M107");
    EXPECT_EQ(l.calc.Info[1], "2 M39Mia M41");
}

TEST(Inzucht, KlonNamenWerdenGetrenntGezaehlt) {
    Lauf l;
    l.q.add(1, 0, 0, "Max", {1});
    l.q.add(2, 0, 0, "Maximilian", {1});
    ASSERT_TRUE(l.calc.Berechne(0, 1, 2, 3, true));
    ASSERT_EQ(l.calc.Clon.size(), 2);
    EXPECT_EQ(l.calc.Clon[0], "16,67 %/Max");
    EXPECT_EQ(l.calc.Clon[1], "16,67 %/Maximilian");
}

TEST(Inzucht, AbbruchInDerPaarsucheGibtFalse) {
    Lauf l;
    l.q.add(1, 0, 0);
    l.q.add(2, 0, 0);
    l.q.add(3, 1, 2);
    l.q.add(4, 1, 2);
    struct F : InzuchtFortschritt {
        TFormInzuchtberechnung* c;
        QString schritt;
        void zeigen(bool) override {}
        void schrittText(const QString& t) override { schritt = t; }
        void maximum(qint64) override {}
        void position(qint64) override {}
        void ereignisseVerarbeiten() override {
            if (schritt == "M132") c->abbrechen();
        }
    } f;
    f.c = &l.calc;
    l.calc.fortschritt = &f;
    bool flag = false, warGesetzt = false;
    l.calc.setzeInzuchtBerechne = [&](bool b) {
        flag = b;
        warGesetzt |= b;
    };
    EXPECT_FALSE(l.calc.Berechne(0, 3, 4, 5, true));
    EXPECT_TRUE(warGesetzt);
    EXPECT_FALSE(flag);
}

namespace {

oracle::Lesen direkt(const Speicher& q) {
    return [&q](qint32 nr, oracle::Katze& k) {
        auto it = q.katzen.constFind(nr);
        if (nr == 0 || it == q.katzen.constEnd()) return false;
        k = {it->Vater, it->Mutter, it->Merkmale.contains(2)};
        return true;
    };
}

QString zeile(const Speicher& q, qint32 nr, int l, int r, double wert) {
    return q.katzen.value(nr).Name + QStringLiteral(" : %1 : %2 = ").arg(l).arg(r) +
           festFormat(wert, 3, 5, QLocale(QLocale::German));
}

// The counted figures against the node-by-node reading of the same pedigree.
void vergleiche(const Speicher& q, const TFormInzuchtberechnung& c, const oracle::Ergebnis& o, bool detail) {
    const QLocale de(QLocale::German);
    EXPECT_EQ(c.zaehler, o.knoten);
    EXPECT_EQ(c.AnzahlVorhandenerVorf, quint64(o.knoten - 1));
    EXPECT_EQ(c.zaehlerdoppelt, o.doppelt);
    EXPECT_EQ(c.komplett, o.komplett);
    EXPECT_EQ(c.AnzahlPaare, o.paare.size());
    EXPECT_EQ(c.summe, o.summe);
    EXPECT_EQ(c.Inzuchtkoeffizientkurz, o.paare.empty()
                                            ? QStringLiteral(" 0%")
                                            : festFormat(o.summe * 100, 4, 2, de) + QLatin1Char('%'));
    const double p = 100.0 / double(o.knoten - 1) * double(o.doppelt);
    EXPECT_EQ(c.Ahnenverlust.value(3), QStringLiteral("M45 %1").arg(o.anzahl.size()));
    EXPECT_EQ(c.Ahnenverlustkoeffizient, festFormat(p, 3, 2, de) + QLatin1Char('%'));
    if (!detail) return;

    std::map<qint32, qint64> anzahl;
    for (const VorfahrZeile& z : c.Vorfahrenliste)
        anzahl[z.Nummer] = z.Anzahl;
    EXPECT_EQ(anzahl, o.anzahl);
    for (int r = 0; r < 5; ++r)
        if (c.AnzahlTopKatzen[0][r]) {
            EXPECT_EQ(c.AnzahlTopKatzen[1][r], o.anzahl.count(qint32(c.AnzahlTopKatzen[0][r]))
                                                   ? o.anzahl.at(qint32(c.AnzahlTopKatzen[0][r]))
                                                   : 0);
        }
    QStringList info;
    for (const oracle::Hinweis& h : o.hinweise)
        info << QStringLiteral("%1 M39%2 M%3")
                    .arg(h.generation)
                    .arg(q.katzen.value(h.satz).Name)
                    .arg(h.art == 0   ? 107
                         : h.art == 1 ? 40
                                      : 41);
    EXPECT_EQ(c.Info, info);
    QStringList klonNamen;
    QVector<qint64> klonAnzahl;
    for (qint32 nr : o.reihe) {
        const KatzenDaten d = q.katzen.value(nr);
        if (!d.Merkmale.contains(1)) continue;
        const qsizetype z = klonNamen.indexOf(d.Name);
        if (z < 0) {
            klonNamen << d.Name;
            klonAnzahl << o.anzahl.at(nr);
        } else {
            klonAnzahl[z] += o.anzahl.at(nr);
        }
    }
    QStringList klon;
    for (qsizetype z = 0; z < klonNamen.size(); ++z)
        klon << festFormat(double(klonAnzahl[z]) * 100 / double(c.AnzahlMoeglicherVorf), 4, 2, de) + " %/" +
                    klonNamen[z];
    EXPECT_EQ(c.Clon, klon.isEmpty() ? QStringList{"0 %"} : klon);

    QStringList inzucht;
    if (o.paare.empty()) {
        inzucht << "M48";
    } else if (o.paare.size() <= kEinzelnePaare) {
        const auto& e = c.ketteInzucht.elemente();
        EXPECT_EQ(e.size(), o.paare.size());
        for (size_t i = 0; i < std::min(e.size(), o.paare.size()); ++i) {
            EXPECT_EQ(e[i].satz, o.paare[i].satz) << i;
            EXPECT_EQ(e[i].GenerationLinks, o.paare[i].links) << i;
            EXPECT_EQ(e[i].GenerationRechts, o.paare[i].rechts) << i;
            EXPECT_EQ(e[i].berechnung, o.paare[i].wert) << i;
        }
        for (const oracle::Paar& pr : o.paare)
            inzucht << zeile(q, pr.satz, pr.links, pr.rechts, pr.wert);
    } else {
        // grouped: ancestors in the order of their first node, then by generations
        std::map<std::tuple<qint32, int, int>, qint64> gruppe;
        for (const oracle::Paar& pr : o.paare)
            ++gruppe[{pr.satz, pr.links, pr.rechts}];
        inzucht << "M231";
        for (qint32 nr : o.reihe)
            for (auto it = gruppe.lower_bound({nr, 0, 0}); it != gruppe.end() && std::get<0>(it->first) == nr;
                 ++it)
                inzucht << QString::number(it->second) + " x " +
                               zeile(q, nr, std::get<1>(it->first), std::get<2>(it->first),
                                     std::ldexp(1.0, -(std::get<1>(it->first) + std::get<2>(it->first) + 1)));
    }
    EXPECT_EQ(c.Inzucht, inzucht);
}

// P_k = 2k + 1 and Q_k = 2k + 2 are full siblings of P_k+1 x Q_k+1, from generation 0 to `tiefe`.
void leiter(Speicher& q, int tiefe) {
    for (int k = 0; k <= tiefe; ++k)
        for (qint32 nr : {2 * k + 1, 2 * k + 2})
            q.add(nr, k < tiefe ? 2 * k + 3 : 0, k < tiefe ? 2 * k + 4 : 0);
}

} // namespace

// Hundreds of random registers with repeats, missing and unfound parents, cats listed as both parents,
// cats that are their own ancestors, cut-off pedigrees and clones, at up to 30 generations.
TEST(Inzucht, ZaehlungGleichtDemKnotenweisenLesen) {
    std::mt19937 rng(4711);
    int verglichen = 0, tief = 0, gruppiert = 0;
    for (int runde = 0; runde < 400; ++runde) {
        Speicher q;
        const int n = 6 + int(rng() % 50);
        for (int i = 1; i <= n; ++i) {
            auto elter = [&]() -> qint32 {
                const int r = int(rng() % 100);
                if (r < 12) return 0;
                if (r < 16) return 900 + qint32(rng() % 5); // names no cat
                if (r < 20) return 1 + qint32(rng() % n);   // faulty: may be the cat itself or a descendant
                return i > 1 ? 1 + qint32(rng() % (i - 1)) : 0;
            };
            const qint32 v = elter();
            const qint32 m = rng() % 12 == 0 ? v : elter();
            QVector<qint32> mk;
            if (rng() % 25 == 0) mk << 2;
            if (rng() % 6 == 0) mk << 1;
            q.add(i, v, m, rng() % 8 == 0 ? QStringLiteral("Doppelt%1").arg(rng() % 3) : QString(), mk);
        }
        q.top = {{1, qint32(1 + rng() % n), 0x00FF00}, {2, qint32(1 + rng() % n), {}}};
        qint32 tier = 0, v = n - qint32(rng() % 3), m = n - qint32(rng() % 4);
        if (rng() % 3 == 0) {
            tier = 1 + qint32(rng() % n); // a registered cat, maybe its own ancestor
            const KatzenDaten d = q.katzen.value(tier);
            if (q.katzen.contains(d.Vater) && q.katzen.contains(d.Mutter)) {
                v = d.Vater;
                m = d.Mutter;
            }
        }
        int g = 3 + int(rng() % 28);
        TFormInzuchtberechnung einfach(q, text), detail(q, text);
        einfach.locale = detail.locale = QLocale(QLocale::German);
        if (!einfach.Berechne(tier, v, m, quint8(g), false)) continue;
        while (g > 3 && einfach.zaehler > 1500)
            ASSERT_TRUE(einfach.Berechne(tier, v, m, quint8(--g), false));
        const oracle::Ergebnis o = oracle::rechnen(direkt(q), tier, v, m, g, 1600);
        ASSERT_TRUE(o.gerechnet);
        SCOPED_TRACE(testing::Message() << "round " << runde << " G " << g);
        vergleiche(q, einfach, o, false);
        ASSERT_TRUE(detail.Berechne(tier, v, m, quint8(g), true));
        vergleiche(q, detail, o, true);
        ++verglichen;
        tief += g >= 12;
        gruppiert += o.paare.size() > kEinzelnePaare;
    }
    EXPECT_GT(verglichen, 300);
    EXPECT_GT(tief, 50);
}

TEST(Inzucht, GeschwisterleiterUeberUndUnterDerGrenzeDerEinzelpaare) {
    Speicher q;
    leiter(q, 14);
    for (int g : {11, 12}) { // 87,382 pairs are listed one by one, 349,526 grouped
        TFormInzuchtberechnung c(q, text);
        c.locale = QLocale(QLocale::German);
        ASSERT_TRUE(c.Berechne(0, 1, 2, quint8(g), true));
        const oracle::Ergebnis o = oracle::rechnen(direkt(q), 0, 1, 2, g, 1 << 13);
        ASSERT_TRUE(o.gerechnet);
        EXPECT_EQ(o.paare.size() > kEinzelnePaare, g == 12);
        vergleiche(q, c, o, true);
    }
}

// 2^30 places, products of counts far above 2^31: the counts follow the closed forms.
TEST(Inzucht, DreissigGenerationenMitGrossenZahlen) {
    Speicher q;
    leiter(q, 40);
    TFormInzuchtberechnung c(q, text);
    c.locale = QLocale(QLocale::German);
    ASSERT_TRUE(c.Berechne(0, 1, 2, 30, false));
    EXPECT_EQ(c.AnzahlVorhandenerVorf, (1ull << 30) - 2);
    EXPECT_EQ(c.zaehlerdoppelt, (1ll << 30) - 2 - 2 * 29);
    EXPECT_TRUE(c.komplett);
    // P_1 and Q_1 once each; then per generation L >= 2 two cats with 2^(2L-3) pairs each
    EXPECT_EQ(c.AnzahlPaare, 2 + ((1ull << 56) - 4) / 3);
    EXPECT_EQ(c.summe, 0.25 + 27 / 8.0);
    EXPECT_EQ(c.Inzuchtkoeffizient, " 3,62500 = 362,50%");
    ASSERT_TRUE(c.Berechne(0, 1, 2, 30, true));
    EXPECT_EQ(c.Inzucht.value(0), "M231");
    EXPECT_EQ(c.Inzucht.size(), 1 + 2 * 28);
    EXPECT_EQ(c.Inzucht.value(1), "1 x K3 : 1 : 1 = 0,12500");
    EXPECT_TRUE(c.Inzucht.contains(QStringLiteral("%1 x K58 : 28 : 28 = 0,00000").arg(1ull << 53)));
    EXPECT_EQ(c.Vorfahrenliste.size(), 58);
}

TEST(Inzucht, KatzeAlsIhrEigenerVaterUndMutter) {
    Speicher q;
    q.add(1, 1, 1);
    TFormInzuchtberechnung c(q, text);
    c.locale = QLocale(QLocale::German);
    for (int g : {3, 9}) {
        for (qint32 tier : {0, 1}) {
            ASSERT_TRUE(c.Berechne(tier, 1, 1, quint8(g), true));
            const oracle::Ergebnis o = oracle::rechnen(direkt(q), tier, 1, 1, g, 1 << 10);
            vergleiche(q, c, o, true);
        }
    }
    ASSERT_TRUE(c.Berechne(0, 1, 1, 30, false));
    EXPECT_EQ(c.AnzahlPaare, (1ull << 30) - 4); // every pair but those reached through the cat itself
    EXPECT_EQ(c.Inzuchtkoeffizient, " 28,00000 = 2800,00%");
    ASSERT_TRUE(c.Berechne(1, 1, 1, 30, false));
    EXPECT_EQ(c.Inzuchtkoeffizient, " 0%"); // as the child of itself every pair is excluded
}

// A cat whose parents are one cat doubles its places with each generation without adding pairs.
TEST(Inzucht, VerdoppelnderStammGruppiertAuchWenigePaare) {
    Speicher q;
    for (qint32 k = 0; k <= 40; ++k)
        q.add(100 + k, 101 + k, 101 + k);
    q.add(98, 0, 0);
    q.add(99, 101, 98);
    TFormInzuchtberechnung c(q, text);
    c.locale = QLocale(QLocale::German);
    ASSERT_TRUE(c.Berechne(0, 100, 99, 10, true));
    vergleiche(q, c, oracle::rechnen(direkt(q), 0, 100, 99, 10, 1 << 11), true);
    ASSERT_TRUE(c.Berechne(0, 100, 99, 30, true));
    EXPECT_EQ(c.AnzahlPaare, 2u);
    EXPECT_EQ(c.Inzucht, (QStringList{"M232", "2 x K101 : 1 : 1 = 0,12500"}));
    EXPECT_EQ(c.Inzuchtkoeffizientkurz, "25,00%");
}

// Before: the pedigree was built node by node until memory ran out, and an allocation failure
// elsewhere escaped as an abort.
TEST(Inzucht, NichtBerechenbarGibtFalseUndKeineZahl) {
    struct Knapp : Speicher {
        int rest = 1 << 30;
        bool lesen(qint32 nr, KatzenDaten& d) override {
            if (--rest < 0) throw std::bad_alloc();
            return Speicher::lesen(nr, d);
        }
    } q;
    leiter(q, 10);
    q.add(50, 50, 50);
    q.add(51, 0, 0);
    TFormInzuchtberechnung c(q, text);
    bool flag = true;
    c.setzeInzuchtBerechne = [&](bool b) { flag = b; };
    ASSERT_TRUE(c.Berechne(0, 1, 2, 8, true));
    EXPECT_FALSE(c.Berechne(0, 50, 51, 255, false)); // more places than any count holds
    EXPECT_EQ(c.letzteMeldung, "M127");
    EXPECT_TRUE(c.letzteMeldungFehler);
    EXPECT_TRUE(c.Inzuchtkoeffizient.isEmpty());
    EXPECT_TRUE(c.Ahnenverlust.isEmpty());
    q.rest = 5;
    bool ergebnis = true;
    EXPECT_NO_THROW(ergebnis = c.Berechne(0, 1, 2, 8, true));
    EXPECT_FALSE(ergebnis);
    EXPECT_EQ(c.letzteMeldung, "M126\nM127");
    EXPECT_TRUE(c.Inzuchtkoeffizient.isEmpty());
    EXPECT_TRUE(c.Vorfahrenliste.isEmpty());
    EXPECT_FALSE(flag);
}

TEST(Inzucht, UeberHunderttausendHinweiseGruppiert) {
    Speicher q;
    leiter(q, 16); // the top pair, generation 18, has no parents: 2^16 places each, two lines a place
    TFormInzuchtberechnung c(q, text);
    ASSERT_TRUE(c.Berechne(0, 1, 2, 20, true));
    EXPECT_EQ(c.Info, (QStringList{"M233", "65536 x 18 M39K33 M40", "65536 x 18 M39K33 M41",
                                   "65536 x 18 M39K34 M40", "65536 x 18 M39K34 M41"}));
    ASSERT_TRUE(c.Berechne(0, 1, 2, 18, true)); // one generation less: no place lacks parents
    EXPECT_TRUE(c.Info.isEmpty());
}
