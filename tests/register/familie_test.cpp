#include "register/familie.h"

#include "store/database.h"
#include "store/table.h"
#include "support/testsupport.h"

#include <QMap>
#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::reg;

namespace {

struct Eltern {
    qint32 vater = 0, mutter = 0;
};

// A register as a map: cat -> parents; a number that is no key is a deleted cat.
StbPlaetze plaetze(const QMap<qint32, Eltern>& reg, qint32 katze) {
    return stammbaumPlaetze(katze, reg[katze].vater, reg[katze].mutter,
                            [&](int, int, qint32 nr, qint32& v, qint32& m) {
                                if (!reg.contains(nr)) return false;
                                v = reg[nr].vater;
                                m = reg[nr].mutter;
                                return true;
                            });
}

QString beschreiben(const StbPlatz& p) {
    if (p.nummer) return QString::number(p.nummer);
    if (p.platzhalter()) return p.fehlt + QString::number(p.kind);
    return QStringLiteral("-");
}

} // namespace

TEST(RegisterStammbaum, SlotNumbersFollowTheParentsRule) {
    EXPECT_EQ(stbSlot(1, 1), 1);
    EXPECT_EQ(stbSlot(1, 2), 2);
    EXPECT_EQ(stbSlot(2, 1), 3);
    EXPECT_EQ(stbSlot(5, 32), 62);
    for (int g = 1; g < kStbGenerationen; ++g)
        for (int k = 1; k <= (1 << g); ++k) {
            EXPECT_EQ(stbSlot(g + 1, 2 * k - 1), 2 * stbSlot(g, k) + 1);
            EXPECT_EQ(stbSlot(g + 1, 2 * k), 2 * stbSlot(g, k) + 2);
            EXPECT_EQ(stbGeneration(stbSlot(g, k)), g);
        }
    EXPECT_EQ(stbGeneration(62), 5);
}

TEST(RegisterStammbaum, PlaceholdersNameTheMissingParentAndNothingAboveThem) {
    // 10 has father 20 and mother 99 (deleted); 20 has only a mother 30.
    const QMap<qint32, Eltern> reg{{10, {20, 99}}, {20, {0, 30}}, {30, {}}};
    const StbPlaetze p = plaetze(reg, 10);
    EXPECT_EQ(beschreiben(p[0]), QStringLiteral("20"));
    EXPECT_EQ(beschreiben(p[1]), QStringLiteral("M10")); // a deleted mother is a missing one
    EXPECT_EQ(beschreiben(p[2]), QStringLiteral("V20"));
    EXPECT_EQ(beschreiben(p[3]), QStringLiteral("30"));
    EXPECT_EQ(beschreiben(p[stbSlot(3, 3) - 1]), QStringLiteral("V30"));
    EXPECT_EQ(beschreiben(p[stbSlot(3, 4) - 1]), QStringLiteral("M30"));
    int belegt = 0;
    for (const StbPlatz& s : p)
        belegt += s.nummer || s.platzhalter();
    EXPECT_EQ(belegt, 6); // slots 1-4 and the two placeholders above 30; the rest stays empty

    // Without parents: placeholders in slots 1 and 2 only.
    const StbPlaetze leer = plaetze({{7, {}}}, 7);
    EXPECT_EQ(beschreiben(leer[0]), QStringLiteral("V7"));
    EXPECT_EQ(beschreiben(leer[1]), QStringLiteral("M7"));
    for (int i = 2; i < kStbSlots; ++i)
        EXPECT_EQ(beschreiben(leer[size_t(i)]), QStringLiteral("-")) << i + 1;
}

TEST(RegisterStammbaum, SlotTextsArePlaceholdersAncestorsOrNothing) {
    struct Fall {
        const char* text;
        SlotVerweis::Art art;
        char buchstabe;
        qint32 nummer;
    } faelle[] = {
        {"NEUAUFNAHME{V12}", SlotVerweis::Art::platzhalter, 'V', 12},
        {"NEW RECORD{M7}", SlotVerweis::Art::platzhalter, 'M', 7},
        {" CH Anton {17}\nBKH\ngeb.: 01.01.2020", SlotVerweis::Art::ahne, 0, 17},
        {"Zeile ohne\nzweite {5} Zeile {6}", SlotVerweis::Art::ahne, 0, 5},
        {"NEUAUFNAHME", SlotVerweis::Art::nichts, 0, 0},
        {"Anton {", SlotVerweis::Art::nichts, 0, 0},
        {"", SlotVerweis::Art::nichts, 0, 0},
    };
    for (const Fall& f : faelle) {
        const SlotVerweis v = slotVerweis(QString::fromUtf8(f.text));
        EXPECT_EQ(v.art, f.art) << f.text;
        EXPECT_EQ(v.nummer, f.nummer) << f.text;
        if (f.buchstabe) {
            EXPECT_EQ(v.buchstabe, QLatin1Char(f.buchstabe)) << f.text;
        }
    }
    EXPECT_EQ(platzhalterText(QStringLiteral("NEUAUFNAHME"), QLatin1Char('M'), 42),
              QStringLiteral("NEUAUFNAHME{M42}"));
}

TEST(RegisterStammbaum, DoubledAncestorsTakeTheListsColoursInSlotOrder) {
    // Slot numbers hold ancestors; 0 is empty.
    std::vector<qint32> n(kStbSlots, 0);
    auto setze = [&](int slot, qint32 nr) { n[size_t(slot - 1)] = nr; };
    // Father and mother full siblings: grandparents 5 and 6 in slots 3/5 and 4/6.
    setze(1, 1), setze(2, 2), setze(3, 5), setze(4, 6), setze(5, 5), setze(6, 6);
    // An ancestor three times: slots 7, 9 and 20.
    setze(7, 8), setze(9, 8), setze(20, 8);
    struct Fall {
        QList<int> liste;
        int f3, f4, f7;
        bool erschoepft;
    } faelle[] = {
        {{100, 200, 300}, 100, 200, 300, false},
        {{100, 200}, 100, 200, 200, true}, // past the end the last colour again
        {{}, 0, 0, 0, true},               // no list: black
    };
    for (const Fall& f : faelle) {
        const AhnenFarben a = doppelteAhnen(n, f.liste);
        EXPECT_FALSE(a.farbe[0].has_value());
        EXPECT_EQ(a.farbe[2], f.f3);
        EXPECT_EQ(a.farbe[4], f.f3);
        EXPECT_EQ(a.farbe[3], f.f4);
        EXPECT_EQ(a.farbe[5], f.f4);
        EXPECT_EQ(a.farbe[6], f.f7);
        EXPECT_EQ(a.farbe[8], f.f7);
        EXPECT_EQ(a.farbe[19], f.f7); // one colour for all three slots
        EXPECT_EQ(a.erschoepft, f.erschoepft);
    }
    EXPECT_FALSE(doppelteAhnen(std::vector<qint32>(kStbSlots, 0), {}).erschoepft);
}

TEST(RegisterFamilie, SiblingsHalfSiblingsAndKittens) {
    test::DataDir dir;
    store::Database db(dir.path());
    store::Table t(db, QStringLiteral("catstamm"));
    t.open();
    auto katze = [&](const char* name, qint32 vater, qint32 mutter, QDate geb) {
        t.append();
        t.setValue(QStringLiteral("Name"), QString::fromUtf8(name));
        t.setValue(QStringLiteral("Geschlecht"), QStringLiteral("2"));
        if (vater) t.setValue(QStringLiteral("Vater"), vater);
        if (mutter) t.setValue(QStringLiteral("Mutter"), mutter);
        if (geb.isValid()) t.setValue(QStringLiteral("GebDatum"), geb);
        t.post();
        return t.asInt(QStringLiteral("LaufendeNummer"));
    };
    const QDate wurf(2024, 5, 1);
    const int v1 = katze("V1", 0, 0, {}), v2 = katze("V2", 0, 0, {}), m = katze("M", 0, 0, {});
    const int a = katze("A", v1, m, wurf), b = katze("B", v1, m, wurf);
    const int c = katze("C", v2, m, wurf);             // same day, other father: no litter sibling
    const int d = katze("D", v1, m, wurf.addYears(1)); // full sibling of another litter
    const int e = katze("E", v1, 0, wurf);             // paternal half-sibling
    const int ohneDatum = katze("F", v1, m, {});

    struct Fall {
        GeschwisterArt art;
        int selbst, vater, mutter;
        QDate geb;
        QList<qint32> erwartet;
    } faelle[] = {
        {GeschwisterArt::wurf, a, v1, m, wurf, {b}},
        {GeschwisterArt::wurf, 0, v1, m, wurf, {a, b}}, // a new cat being entered
        {GeschwisterArt::wurf, ohneDatum, v1, m, {}, {}},
        {GeschwisterArt::wurf, e, v1, 0, wurf, {}},
        {GeschwisterArt::vaeterlich, a, v1, m, wurf, {ohneDatum, b, e, d}},
        {GeschwisterArt::muetterlich, a, v1, m, wurf, {ohneDatum, b, c, d}},
        {GeschwisterArt::muetterlich, e, v1, 0, wurf, {}},
    };
    for (const Fall& f : faelle) {
        QList<qint32> ist = geschwister(t, f.art, f.selbst, f.vater, f.mutter, f.geb);
        QList<qint32> soll = f.erwartet;
        std::sort(ist.begin(), ist.end());
        std::sort(soll.begin(), soll.end());
        EXPECT_EQ(ist, soll) << int(f.art) << " " << f.selbst;
    }
    QList<qint32> kitten = jungtiere(t, m, wurf);
    std::sort(kitten.begin(), kitten.end());
    EXPECT_EQ(kitten, (QList<qint32>{a, b, c}));
    EXPECT_TRUE(jungtiere(t, m, {}).isEmpty());
}

TEST(RegisterFamilie, GridTexts) {
    struct Fall {
        const char* code;
        const char *de, *en;
    } faelle[] = {{"1", "m", "m"}, {"2", "w", "f"}, {"3", "m/k", "m/k"}, {"4", "w/k", "f/k"}, {"", "", ""}};
    for (const Fall& f : faelle) {
        EXPECT_EQ(geschlechtKurz(QLatin1String(f.code), 0), QLatin1String(f.de));
        EXPECT_EQ(geschlechtKurz(QLatin1String(f.code), 1), QLatin1String(f.en));
    }
    EXPECT_EQ(besitzerAnzeige(QStringLiteral("1"), QStringLiteral("Eva"), QStringLiteral("Eigen"),
                              QStringLiteral("Otto"), QStringLiteral("Fremd")),
              QStringLiteral("Eva Eigen"));
    EXPECT_EQ(besitzerAnzeige(QStringLiteral("2"), {}, {}, QStringLiteral("Otto"), QStringLiteral("Fremd")),
              QStringLiteral("Otto Fremd"));
    EXPECT_EQ(besitzerAnzeige(QStringLiteral("2"), {}, {}, {}, QStringLiteral("Fremd")),
              QStringLiteral("Fremd"));

    // A column of 20 characters: the abbreviations stop at the first that does not fit, the remark
    // comes only whole.
    const auto passt = [](const QString& t) { return t.size() < 20; };
    struct Druck {
        QStringList kuerzel;
        const char* bemerkung;
        const char* erwartet;
    } druck[] = {
        {{}, "", "blau"},
        {{QStringLiteral("HCM"), QStringLiteral("PKD")}, "", "blau, HCM, PKD"},
        {{QStringLiteral("HCM"), QStringLiteral("PKDNEGATIV"), QStringLiteral("X")}, "", "blau, HCM"},
        {{QStringLiteral("HCM")}, "ok\nja", "blau, HCM, ok ja "},
        {{QStringLiteral("HCM")}, "eine viel zu lange Bemerkung", "blau, HCM"},
    };
    for (const Druck& d : druck)
        EXPECT_EQ(anzeigeFuerDruck(QStringLiteral("blau"), d.kuerzel, QString::fromUtf8(d.bemerkung), passt),
                  QString::fromUtf8(d.erwartet));
}

TEST(RegisterFamilie, ParentPanelLines) {
    ElternDaten d;
    d.titel = QStringLiteral("CH");
    d.name = QStringLiteral("Anton");
    d.rasseGefunden = true;
    d.rasseName = QStringLiteral("Britisch Kurzhaar");
    d.rasseKurz = QStringLiteral("BRI");
    d.fellFarbe = QStringLiteral("blau");
    d.farbNummer = QStringLiteral("a");
    d.gebDatum = QDate(2020, 3, 4);
    d.augenfarbe = QStringLiteral("kupfer");
    d.zuchtbuch2 = QStringLiteral("ZB-2");
    d.zuechter = QStringLiteral("Huber, Eva");
    d.blutgruppe = QStringLiteral("A");
    d.chipNr = QStringLiteral("123");
    const auto datum = [](const QDate& x) { return x.toString(QStringLiteral("dd.MM.yyyy")); };
    EXPECT_EQ(elternInfoZeilen(d, false, datum),
              (QStringList{QStringLiteral("CH Anton"), QStringLiteral("Britisch Kurzhaar     BRI"),
                           QStringLiteral("blau     a"), QStringLiteral("BRI a"),
                           QStringLiteral("GEB.: 04.03.2020      Augen: kupfer"), QStringLiteral("ZB-2"),
                           QStringLiteral("Züchter: Huber, Eva"), QStringLiteral("Blutgruppe: A"), QString(),
                           QStringLiteral("Chip-Nr.: 123")}));
    ElternDaten e;
    e.name = QStringLiteral("Berta");
    e.fellFarbe = QStringLiteral("rot");
    e.besitzer = QStringLiteral("Maier, Max");
    EXPECT_EQ(
        elternInfoZeilen(e, true, datum),
        (QStringList{QStringLiteral("Berta"), QStringLiteral("rot"), QStringLiteral("Owner: Maier, Max"),
                     QStringLiteral("Blood group: "), QString(), QStringLiteral("Chip-No.: ")}));
}

TEST(RegisterFamilie, PicturesShownDeletedAndChosenForPrinting) {
    const QStringList pfade{QStringLiteral("weg.jpg"), QStringLiteral("a.jpg"), QStringLiteral("b.jpg")};
    const auto gibtEs = [](const QString& p) { return p != QLatin1String("weg.jpg"); };
    EXPECT_EQ(gezeigtesBild(pfade, 0, gibtEs), 1);  // the first one whose file exists
    EXPECT_EQ(gezeigtesBild(pfade, 3, gibtEs), 2);  // the chosen one
    EXPECT_EQ(gezeigtesBild(pfade, 1, gibtEs), -1); // the chosen one is missing: none
    EXPECT_EQ(gezeigtesBild(pfade, 4, gibtEs), -1);
    EXPECT_EQ(gezeigtesBild({}, 0, gibtEs), -1);

    struct Loeschen {
        int feld2, geloescht, danach;
    } loeschen[] = {{3, 2, 2}, {3, 3, 0}, {3, 4, 3}, {0, 1, 0}, {1, 1, 0}};
    for (const Loeschen& l : loeschen)
        EXPECT_EQ(feld2NachLoeschen(l.feld2, l.geloescht), l.danach) << l.feld2 << " " << l.geloescht;

    struct Wahl {
        const char* text;
        bool zahl;
        int feld2;
        bool ausserhalb;
    } wahl[] = {{"2", true, 2, false},  {"0", true, 0, true},  {"5", true, 0, true},
                {"x", false, 0, false}, {"", false, 0, false}, {"-1", false, 0, false}};
    for (const Wahl& w : wahl) {
        const auto r = druckwahlPruefen(QLatin1String(w.text), 4);
        ASSERT_EQ(r.has_value(), w.zahl) << w.text;
        if (!r) continue;
        EXPECT_EQ(r->feld2, w.feld2) << w.text;
        EXPECT_EQ(r->ausserhalb, w.ausserhalb) << w.text;
    }
}
