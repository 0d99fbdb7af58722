// The print dispatcher's checks and messages, litter counts, the printed pedigree's slots and colours
// against an independent walk, and long names that must fit their boxes without being cut inside a
// character or drawn over their neighbours.

#include "printing/druckenkatzen.h"
#include "printing/stammbaumdruck.h"
#include "support/testsupport.h"
#include "katzenregister.h"

#include <QTextBoundaryFinder>
#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::printing;

namespace {

class Katzendruck : public ::testing::Test {
protected:
    void SetUp() override {
        db = std::make_unique<store::Database>(dir.path());
        test::druckRegisterSchreiben(*db);
        info.StammbaumSortierungDrucken();
        // The pedigree on the print margins alone; its own margins are checked with the main window.
        info.StammbaumLinkerRand = info.StammbaumRechterRand = info.StammbaumObererRand = info.StammbaumUntererRand = 0;
        quelle = std::make_unique<Druckquelle>(*db, info, 0);
        quelle->heute = QDate(2026, 12, 10);
    }
    test::DataDir dir;
    std::unique_ptr<store::Database> db;
    settings::tsysteminfo info;
    std::unique_ptr<Druckquelle> quelle;
};

TEST_F(Katzendruck, EachPrintTypeChecksItsCatAndNamesWhatIsMissing) {
    // queen 10 has a litter, results of all three kinds; queen 12 has nothing; tom 20 has a mating book,
    // tom 11 none.
    const struct {
        int art, katze, meldung;
    } faelle[] = {{kKatzendaten, 20, 0},    {kWurfmeldung, 20, 195},  {kWurfmeldung, 10, 0},
                  {kGewichtstabelle, 20, 195}, {kGewichtstabelle, 10, 0}, {kGewichtstabelle, 12, 165},
                  {kWurfdaten, 11, 195},    {kWurfdaten, 12, 165},    {kWurfdaten, 10, 0},
                  {kTradRichten, 10, 0},    {kTradRichten, 12, 73},   {kTicaRichten, 10, 0},
                  {kTicaRichten, 12, 73},   {kCfaRichten, 10, 0},     {kCfaRichten, 12, 73},
                  {kDeckbuch, 10, 219},     {kDeckbuch, 20, 0},       {kDeckbuch, 11, 220},
                  {kDeckschein, 12, 219},   {kDeckschein, 11, 220},   {kDeckschein, 20, 0},
                  {kAusstellung, 20, 0},    {kAusstellungCfa, 10, 0}};
    tDruckenKatzen d(*quelle);
    for (const auto& f : faelle) {
        EXPECT_EQ(d.pruefen(f.art, f.katze), f.meldung) << "type " << f.art << " cat " << f.katze;
        int gemeldet = 0;
        QString text;
        bool gezeigt = false;
        tDruckenKatzen::Ausgabe aus;
        aus.melden = [&](int n, const QString& t) { gemeldet = n, text = t; };
        aus.zeigen = [&](const Bericht&) { gezeigt = true; };
        aus.formular = [&](int) { gezeigt = true; };
        Druckauftrag a;
        a.art = f.art;
        a.katze = f.katze;
        EXPECT_EQ(d.druck(a, aus), f.meldung == 0) << f.art;
        EXPECT_EQ(gemeldet, f.meldung) << f.art;
        EXPECT_EQ(gezeigt, f.meldung == 0) << f.art;
        if (f.meldung) {
            EXPECT_EQ(text, quelle->meldung(f.meldung, "")) << f.art;
        }
    }
    EXPECT_EQ(quelle->meldung(195, ""), QStringLiteral("Dieser Ausdruck ist nur für weibliche Tiere möglich."));
}

TEST_F(Katzendruck, TypesWithoutAPrintDoNothingAndTheListNeedsTheSearchsOk) {
    tDruckenKatzen d(*quelle);
    int ausgaben = 0;
    tDruckenKatzen::Ausgabe aus;
    aus.zeigen = [&](const Bericht&) { ++ausgaben; };
    aus.melden = [&](int, const QString&) { ++ausgaben; };
    aus.suchen = [](QString&) { return std::optional<QList<int>>(); };
    for (int art : {0, 5, 12, 14, 17, 99, int(kKatzenliste)}) {
        Druckauftrag a;
        a.art = art;
        a.katze = 10;
        EXPECT_FALSE(d.druck(a, aus)) << art;
    }
    EXPECT_EQ(ausgaben, 0);
    // With OK the list takes the rows, and its title its status suffix once, however often it prints.
    QStringList titel;
    aus.suchen = [](QString& zusatz) {
        zusatz = QStringLiteral("  mit Status: Eigene");
        return std::optional<QList<int>>(QList<int>{10, 20});
    };
    aus.zeigen = [&](const Bericht& b) { titel << b.titel(); };
    for (int i = 0; i < 2; ++i) {
        Druckauftrag a;
        a.art = kKatzenliste;
        a.katze = 10;
        EXPECT_TRUE(d.druck(a, aus));
    }
    EXPECT_EQ(titel, QStringList(2, QStringLiteral("Katzendaten - Liste  mit Status: Eigene")));
}

TEST(Wurfzahlen, MaleCountBeforeTheSlashFemaleAfterIt) {
    const struct {
        const char *feld, *m, *w;
    } faelle[] = {{"3/2", "3", "2"}, {"/4", "0", "4"}, {"5", "5", "0"}, {"", "0", "0"}, {"2/", "2", "0"}};
    for (const auto& f : faelle) {
        const auto [m, w] = wurfzahlen(QString::fromUtf8(f.feld));
        EXPECT_EQ(m, QLatin1String(f.m)) << f.feld;
        EXPECT_EQ(w, QLatin1String(f.w)) << f.feld;
    }
}

// The slots by the rule itself: generation 1 the parents, the sire of slot k at 2k-1, its dam at 2k.
void unabhaengig(store::Database& db, int nr, int g, int k, int G, std::map<std::pair<int, int>, int>& plaetze) {
    if (g > G || !nr) return;
    store::Table t(db, QStringLiteral("catstamm"));
    t.open(store::Table::OpenMode::ReadOnly);
    if (!t.findKey({nr})) return;
    plaetze[{g, k}] = nr;
    const int v = t.asInt(QStringLiteral("Vater")), m = t.asInt(QStringLiteral("Mutter"));
    unabhaengig(db, v, g + 1, 2 * k - 1, G, plaetze);
    unabhaengig(db, m, g + 1, 2 * k, G, plaetze);
}

TEST_F(Katzendruck, PedigreeSlotsFollowTheRuleAndDoubledAncestorsShareAColour) {
    for (int G : {4, 5}) {
        const StammbaumDruck d = stammbaumDrucken(*quelle, 10, G);
        std::map<std::pair<int, int>, int> erwartet;
        unabhaengig(*db, 11, 1, 1, G, erwartet);
        unabhaengig(*db, 12, 1, 2, G, erwartet);
        for (int g = 1; g <= G; ++g)
            for (int k = 1; k <= (1 << g); ++k) {
                const auto it = erwartet.find({g, k});
                EXPECT_EQ(d.tafel.slot(g, k), it == erwartet.end() ? 0 : it->second) << g << "/" << k;
            }
        // The names come out in slot order: generation by generation, sire side first.
        QStringList namen;
        for (const TextElement& t : d.bericht.seite(0).texte())
            namen << t.text;
        const QString alle = namen.join(QLatin1Char('|'));
        qsizetype pos = alle.indexOf(QLatin1String("Eltern"));
        for (const char* n : {"IC Atlas of Brook", "Bella vom Lindenhof", "Cäsar", "Dora", "Cäsar", "Emma", "Felix",
                              "Felix", "Gina"}) {
            const qsizetype p = alle.indexOf(QString::fromUtf8(n), pos + 1);
            ASSERT_GT(p, pos) << n << " in " << alle.toStdString();
            pos = p;
        }
        // Cäsar (both grandsires) and his sire Felix are doubled: the first two colours of the list.
        ASSERT_EQ(d.farben.size(), 2);
        QList<int> liste;
        store::Table f(*db, QStringLiteral("stbfarbe"));
        f.open(store::Table::OpenMode::ReadOnly);
        for (f.first(); f.hasRecord() && !f.eof(); f.next())
            liste << f.asInt(QStringLiteral("farbe"));
        EXPECT_EQ(d.farben.value(13), liste.value(0));
        EXPECT_EQ(d.farben.value(16), liste.value(1));
        int gefuellt = 0;
        for (const Element& e : d.bericht.seite(0).elemente())
            if (const auto* r = std::get_if<RechteckElement>(&e); r && r->fuellfarbe) ++gefuellt;
        EXPECT_EQ(gefuellt, 4) << "two slots each for Cäsar and Felix";
    }
}

bool zeichenGanz(const QString& t) {
    if (t.isEmpty()) return true;
    if (t.front().isLowSurrogate() || t.back().isHighSurrogate()) return false;
    // Not starting with a combining mark: it would belong to the character before the cut.
    return !(t.front().category() == QChar::Mark_NonSpacing);
}

// Every text inside its box (by the measure the layouts used) and no two texts over each other.
void pruefeSeiten(const Bericht& b) {
    for (const Seite& s : b.seiten()) {
        const QList<TextElement> t = s.texte();
        for (int i = 0; i < t.size(); ++i) {
            EXPECT_LE(geschaetzteTextbreite(t[i].text, t[i].schrift), t[i].box.width() + 1e-6) << t[i].text.toStdString();
            EXPECT_TRUE(zeichenGanz(t[i].text)) << t[i].text.toStdString();
            for (int j = i + 1; j < t.size(); ++j) {
                const QRectF r = t[i].box.intersected(t[j].box);
                EXPECT_FALSE(r.width() > 0.01 && r.height() > 0.01)
                    << t[i].text.toStdString() << " / " << t[j].text.toStdString();
            }
        }
    }
}

TEST_F(Katzendruck, SeventyCharacterNameAndLongTitlesAreWrappedOrShortenedNeverCut) {
    // 70 characters, a long word with a combining accent and a character outside the basic plane.
    const QString name = QStringLiteral("Maximiliane-Aurelia-Konstanze\u0301-Feodora \U0001F431 von Lindenhof-Brook");
    QString lang = name;
    while (lang.size() < 70)
        lang += QLatin1Char('x');
    ASSERT_EQ(lang.size(), 70);
    {
        store::Table t(*db, QStringLiteral("catstamm"));
        t.open();
        ASSERT_TRUE(t.findKey({11}));
        t.edit();
        t.setValue(QStringLiteral("Name"), lang);
        t.post();
        ASSERT_TRUE(t.findKey({10}));
        t.edit();
        t.setValue(QStringLiteral("Name"), lang);
        t.post();
    }
    for (int titel = 1; titel <= 4; ++titel)
        test::zeileSchreiben(*db, "titelhund", {{QStringLiteral("Hund"), 11}, {QStringLiteral("Titel"), titel}});
    Druckquelle q(*db, info, 0);
    pruefeSeiten(stammbaumDrucken(q, 10, 5).bericht);
    pruefeSeiten(stammbaumDrucken(q, 10, 4).bericht);
    tDruckenKatzen d(q);
    for (int art : {int(kKatzendaten), int(kWurfdaten), int(kKatzenliste)}) {
        Druckauftrag a;
        a.art = art;
        a.katze = 10;
        a.liste = {10, 11};
        const auto b = d.bericht(a);
        ASSERT_TRUE(b);
        pruefeSeiten(*b);
        // Nothing of the name is lost on the data sheet: its pieces put together give it back.
        if (art == kKatzendaten) {
            QString zusammen;
            for (const TextElement& t : b->seite(0).texte())
                zusammen += t.text;
            EXPECT_TRUE(zusammen.remove(QLatin1Char(' ')).contains(QString(lang).remove(QLatin1Char(' '))));
        }
    }
}

TEST(Kuerzen, EndsWithAnEllipsisOnACharacterBoundary) {
    Schrift s;
    const QString t = QStringLiteral("Abc\U0001F431\u0065\u0301xyz");
    for (double breite = 1.0; breite < 30.0; breite += 0.5) {
        const QString k = kuerzen(t, breite, s, {});
        EXPECT_LE(geschaetzteTextbreite(k, s), breite + 1e-6);
        if (k.isEmpty() || k == t) continue;
        ASSERT_TRUE(k.endsWith(QStringLiteral("…")));
        const QString vorne = k.chopped(1);
        EXPECT_TRUE(t.startsWith(vorne));
        EXPECT_FALSE(vorne.back().isHighSurrogate());
        EXPECT_NE(t.mid(vorne.size(), 1), QStringLiteral("\u0301")) << "accent left behind";
    }
}

} // namespace
