// The descendants of a cat on the hand-built family: the kittens' order and side, the direct list's
// texts, the tree read only as far as it is opened, and the walk over generations with a loop in the data.

#include "genealogy/familie.h"
#include "genealogy/nachkommen.h"
#include "support/testsupport.h"

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

QList<qint32> nummern(const QVector<Nachkomme>& k) {
    QList<qint32> l;
    for (const Nachkomme& n : k)
        l << n.nr;
    return l;
}

} // namespace

// Birth date first (none before any), then name; a spayed queen by Mutter, Gina ("5") by Vater.
TEST(Nachkommen, KinderInIndexreihenfolge) {
    Familie fam;
    NachkommenLeser leser(fam.db);
    const struct {
        qint32 katze;
        QList<qint32> kinder;
    } faelle[] = {
        {f::Zorro,
         {f::Gina, f::Hugo, f::Jack, f::Ida, f::Fiona, f::Arno, f::Bimbo, f::Cleo, f::Dino, f::Eva}},
        {f::Amira, {f::Arno, f::Bimbo, f::Cleo, f::Dino, f::Eva, f::Kuno, f::Nino}},
        {f::Fiona, {f::Lara}},
        {f::Gina, {f::Nino}},
        {f::Eva, {}},
        {f::SchleifeA, {f::SchleifeB}},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.katze);
        const auto k = leser.katze(fall.katze);
        ASSERT_TRUE(k);
        EXPECT_EQ(nummern(leser.kinder(*k)), fall.kinder);
    }
    EXPECT_FALSE(leser.katze(999));
    // a list is read once
    const int gelesen = leser.gelesen();
    leser.kinder(*leser.katze(f::Zorro));
    EXPECT_EQ(leser.gelesen(), gelesen);
}

TEST(Nachkommen, DirekteListeMitIhrenTexten) {
    Familie fam;
    using F = QList<QPair<QString, QVariant>>;
    const auto satz = [&](const char* tabelle, const F& felder, std::optional<qint32> katze = {}) {
        store::Table t(fam.db, QLatin1String(tabelle));
        t.open();
        if (katze) {
            ASSERT_TRUE(t.findKey({*katze}));
            t.edit();
        } else {
            t.append();
        }
        for (const auto& [feld, wert] : felder)
            t.setValue(feld, wert);
        t.post();
    };
    const auto q = [](const char* s) { return QString::fromUtf8(s); };
    satz("rasse", {{q("RCode"), 900}, {q("RName"), q("Perser")}});
    satz("catstamm", {{q("Rasse"), 900}, {q("FellFarbe"), q("blau")}, {q("Züchter"), 7}, {q("Besitzer"), 8}},
         f::Cleo);
    satz("catstamm", {{q("FellFarbe"), q("rot")}}, f::Arno);
    satz("adr_dat", {{q("LaufendeNr"), 7}, {q("Name"), q("Huber")}, {q("Vorname"), q("Anna")}});
    satz("adr_dat", {{q("LaufendeNr"), 8}, {q("Name"), q("Katzenhof")}});
    satz("merkmale", {{q("LaufendeNummer"), 51},
                      {q("Bezeichnung"), q("Klon")},
                      {q("farbe"), 0},
                      {q("Kuerzel"), q("Klon")}});
    satz("merkmale", {{q("LaufendeNummer"), 52},
                      {q("Bezeichnung"), q("Fundkatze")},
                      {q("farbe"), 0},
                      {q("Kuerzel"), q("Fd")}});
    // entered Fd first, then Klon: the rows' order, not the features' numbers
    satz("katzemerkmal", {{q("Katze"), f::Cleo}, {q("Merkmal"), 52}});
    satz("katzemerkmal", {{q("Katze"), f::Cleo}, {q("Merkmal"), 51}});

    const DirekteNachkommen kater = direkteNachkommen(fam.db, f::Zorro);
    EXPECT_TRUE(kater.kater);
    EXPECT_TRUE(kater.fehlendeTabellen.isEmpty());
    ASSERT_EQ(kater.zeilen.size(), 10);
    const NachkommenZeile* cleo = nullptr;
    for (const NachkommenZeile& z : kater.zeilen)
        if (z.nr == f::Cleo) cleo = &z;
    ASSERT_NE(cleo, nullptr);
    EXPECT_EQ(cleo->rasseFarbe, QStringLiteral("Perser / blau"));
    EXPECT_EQ(cleo->andererElternteil, QStringLiteral("Amira"));
    EXPECT_EQ(cleo->zuechter, QStringLiteral("Huber, Anna"));
    EXPECT_EQ(cleo->besitzer, QStringLiteral("Katzenhof"));
    EXPECT_EQ(cleo->merkmale, QStringLiteral("Fd/Klon"));
    EXPECT_EQ(kater.zeilen[5].nr, f::Arno);
    EXPECT_EQ(kater.zeilen[5].rasseFarbe, QStringLiteral("rot")); // no breed: the colour alone
    EXPECT_EQ(kater.zeilen[2].andererElternteil, QString());      // Jack's mother is not in the register

    const DirekteNachkommen katze = direkteNachkommen(fam.db, f::Fiona); // "4": by Mutter, shows the father
    EXPECT_FALSE(katze.kater);
    ASSERT_EQ(katze.zeilen.size(), 1);
    EXPECT_EQ(katze.zeilen[0].andererElternteil, QStringLiteral("Arno"));
    EXPECT_TRUE(direkteNachkommen(fam.db, 999).zeilen.isEmpty());

    // a lookup table missing from the data directory leaves its columns empty and is named
    fam.db.dropTable(QStringLiteral("adr_dat"));
    const DirekteNachkommen ohne = direkteNachkommen(fam.db, f::Zorro);
    EXPECT_EQ(ohne.fehlendeTabellen, QStringList{QStringLiteral("Adr_dat.DB")});
    EXPECT_EQ(ohne.zeilen.size(), 10);
}

TEST(Nachkommen, GeschlechtstextJeSprache) {
    const struct {
        const char* code;
        const char *de, *en;
    } faelle[] = {{"1", "m", "m"},     {"2", "w", "f"}, {"3", "m/k", "m/k"},
                  {"4", "w/k", "f/k"}, {"5", "", ""},   {"", "", ""}};
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.code);
        EXPECT_EQ(geschlechtsText(QLatin1String(fall.code), 0), QLatin1String(fall.de));
        EXPECT_EQ(geschlechtsText(QLatin1String(fall.code), 1), QLatin1String(fall.en));
        EXPECT_EQ(geschlechtsText(QLatin1String(fall.code), 2), QString());
    }
    const struct {
        bool kater;
        int sprache;
        const char* text;
    } eltern[] = {{true, 0, "Mutter"},  {false, 0, "Vater"}, {true, 1, "mother"},
                  {false, 1, "father"}, {true, 2, "mother"}, {false, 2, "father"}};
    for (const auto& e : eltern)
        EXPECT_EQ(elternBeschriftung(e.kater, e.sprache), QLatin1String(e.text)) << e.sprache;
}

// The tree reads a cat's kittens only when its node is opened, once; the loop A -> B -> A grows one
// generation per opening and no further.
TEST(Nachkommen, BaumWaechstNurBeimOeffnen) {
    Familie fam;
    NachkommenLeser leser(fam.db);
    Nachkommenbaum baum(leser, f::Zorro);
    ASSERT_EQ(baum.groesse(), 11);
    EXPECT_EQ(leser.gelesen(), 1);
    EXPECT_EQ(baum.knoten(1).katze.nr, f::Gina);
    EXPECT_FALSE(baum.knoten(1).gefuellt);
    EXPECT_EQ(baum.oeffnen(1), 1); // Gina: Nino
    EXPECT_EQ(baum.oeffnen(1), 0); // opened again: nothing new
    EXPECT_EQ(baum.knoten(baum.knoten(1).kinder[0]).katze.nr, f::Nino);
    EXPECT_EQ(leser.gelesen(), 2);
    EXPECT_EQ(baum.oeffnen(2), 0); // Hugo has no kittens
    EXPECT_TRUE(baum.knoten(2).gefuellt);

    Nachkommenbaum schleife(leser, f::SchleifeA);
    int knoten = 0;
    for (int schritt = 0; schritt < 6; ++schritt) {
        ASSERT_EQ(schleife.knoten(knoten).kinder.size(), 1);
        knoten = schleife.knoten(knoten).kinder[0];
        schleife.oeffnen(knoten);
    }
    EXPECT_EQ(schleife.groesse(), 8);
    EXPECT_TRUE(Nachkommenbaum(leser, 999).leer());

    const struct {
        const char* text;
        std::optional<qint32> nr;
    } texte[] = {{"Zorro {1}", 1},
                 {"A {b} {22}", std::nullopt},
                 {"neu", std::nullopt},
                 {"X {7", std::nullopt},
                 {"Keine Nachkommen vorhanden", std::nullopt}};
    for (const auto& t : texte)
        EXPECT_EQ(knotenNummer(QString::fromUtf8(t.text)), t.nr) << t.text;
    EXPECT_EQ(knotenText(*leser.katze(f::Zorro)), QStringLiteral("Zorro {1}"));
}

TEST(Nachkommen, LaufUeberGenerationen) {
    Familie fam;
    NachkommenLeser leser(fam.db);
    const auto lauf = [&](qint32 start, int g, QStringList* zeilen) {
        return nachkommenLaufen(leser, *leser.katze(start), g, [zeilen](int ebene, const Nachkomme& k) {
            *zeilen << QStringLiteral("%1;%2").arg(ebene).arg(k.nr);
            return true;
        });
    };
    QStringList zeilen;
    const Nachkommenlauf zwei = lauf(f::Zorro, 2, &zeilen);
    EXPECT_EQ(zeilen.join(QLatin1Char(' ')),
              QStringLiteral("1;16 2;23 1;17 1;19 1;18 1;15 2;21 1;11 2;21 2;22 1;12 1;10 2;22 1;13 1;14"));
    EXPECT_EQ(zwei.katzen, 13);
    EXPECT_EQ(zwei.auftreten, 15);
    ASSERT_EQ(zwei.generationen.size(), 2);
    const Generationszahlen& g1 = zwei.generationen[0];
    EXPECT_EQ(g1.katzen, 10);
    EXPECT_EQ(g1.maennlich, 4);  // Jack, Arno, Bimbo, Dino
    EXPECT_EQ(g1.weiblich, 4);   // Hugo, Ida, Fiona, Cleo
    EXPECT_EQ(g1.ohneAngabe, 2); // Gina "5", Eva empty
    EXPECT_EQ(g1.tot, 1);        // Dino
    EXPECT_EQ(g1.lebend, 9);
    const Generationszahlen& g2 = zwei.generationen[1];
    EXPECT_EQ(g2.katzen, 3);
    EXPECT_EQ(g2.auftreten, 5);
    EXPECT_EQ(zwei.gesamt.katzen, 13);
    EXPECT_EQ(zwei.gesamt.maennlich, 6); // with Nino and Moritz
    EXPECT_EQ(zwei.gesamt.auftreten, 15);

    zeilen.clear();
    EXPECT_EQ(lauf(f::Zorro, 1, &zeilen).auftreten, 10);
    EXPECT_EQ(zeilen.size(), 10);

    // A is its own grandchild: shown, not gone into again, whatever the depth
    zeilen.clear();
    const Nachkommenlauf schleife = lauf(f::SchleifeA, 1000, &zeilen);
    EXPECT_EQ(zeilen, (QStringList{QStringLiteral("1;31"), QStringLiteral("2;30")}));
    EXPECT_EQ(schleife.katzen, 2);

    zeilen.clear();
    EXPECT_EQ(lauf(f::Einsam, 10, &zeilen).auftreten, 0);
    EXPECT_TRUE(zeilen.isEmpty());

    int besucht = 0;
    const Nachkommenlauf halt = nachkommenLaufen(leser, *leser.katze(f::Zorro), 5,
                                                 [&](int, const Nachkomme&) { return ++besucht < 3; });
    EXPECT_TRUE(halt.abgebrochen);
    EXPECT_EQ(besucht, 3);
}
