#include "register/suchabfrage.h"

#include "store/errors.h"
#include "store/table.h"
#include "support/testsupport.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::reg;

namespace {

QString s(const char* t) {
    return QString::fromUtf8(t);
}

// Text a user may type that would break or change a statement if it were pasted into it.
const char* const kFeindlich[] = {
    "O'Malley",
    "\"Tiger\"",
    "' OR '1'='1",
    "x\") OR 1=1 --",
    "a'; DROP TABLE catstamm; --",
    "\\' OR 1=1",
    "Bel%' OR Name LIKE '%",
    "?",
    "catstamm",
    "\"CatStamm.db\"",
};

// ---------------------------------------------------------------- patterns and dates

TEST(SuchMuster, TextBecomesAnUpperCaseBeginningWithOnlyPercentAsWildcard) {
    EXPECT_EQ(likeMuster(s("bel")), s("BEL%"));
    EXPECT_EQ(likeMuster(s("%bel")), s("%BEL%"));
    EXPECT_EQ(likeMuster(s("ärger")), s("ÄRGER%"));
    // "_" and "\" are ordinary characters of a name.
    EXPECT_EQ(likeMuster(s("a_b")), s("A\\_B%"));
    EXPECT_EQ(likeMuster(s("a\\b")), s("A\\\\B%"));
    // Look-ups in the reference lists take "%" literally.
    EXPECT_EQ(likeMuster(s("50%"), false), s("50\\%%"));
    EXPECT_EQ(likeMuster(s("o'm\"x")), s("O'M\"X%"));
}

TEST(SuchDatum, ShortFormatWithFourDigitYearsReadsBack) {
    const QLocale de(QLocale::German, QLocale::Germany);
    const QDate d(2021, 3, 5);
    EXPECT_EQ(datumText(d, de), s("05.03.2021"));
    EXPECT_EQ(datumAusText(datumText(d, de), de), d);
    EXPECT_EQ(datumAusText(s(" 5.3.2021 "), de), d);
    EXPECT_EQ(datumAusText(s("2021-03-05"), de), d);
    EXPECT_EQ(datumAusText(s("05.03.21"), de), d); // a birth date two-digit year lies in the past
    EXPECT_EQ(datumAusText(s("05.03.87"), de), QDate(1987, 3, 5));
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(datumAusText(datumText(d, en), en), d);

    for (const char* falsch : {"31.02.2021", "heute", "05.13.2021", "1' OR '1'='1", "2021-02-30"})
        EXPECT_FALSE(datumAusText(s(falsch), de).isValid()) << falsch;
    EXPECT_TRUE(datumText(QDate(), de).isEmpty());
}

// ---------------------------------------------------------------- building the query

TEST(SuchAbfrageBau, TypedTextIsNeverPartOfTheStatement) {
    const SuchNachschlag n{{1}, {2}, {3}, {4}};
    for (const char* t : kFeindlich) {
        SuchKriterien k;
        k.name = k.zwinger = k.rufname = k.farbe = k.zuchtbuchnummer = s(t);
        k.rasse = k.zuechter = k.besitzer = k.status = s(t);
        SuchAufruf aufruf;
        aufruf.formular = 3;
        aufruf.geschlecht = SuchGeschlecht::Maennlich;
        aufruf.eigenerName = s(t);
        const SuchAbfrage a = suchAbfrageBauen(k, n, aufruf);
        ASSERT_EQ(a.fehler, SuchAbfrage::Fehler::Keiner) << t;
        const QString where = a.bedingung;
        // Apart from the fixed sex and escape literals, no quote reaches the statement.
        QString ohneFeste = where;
        ohneFeste.remove(s("ESCAPE '\\'"));
        ohneFeste.remove(s("'1'")).remove(s("'3'"));
        EXPECT_FALSE(ohneFeste.contains(QLatin1Char('\''))) << t << " -> " << where.toStdString();
        EXPECT_FALSE(where.contains(s("Tiger"), Qt::CaseInsensitive)) << t;
        EXPECT_FALSE(where.contains(s("DROP"))) << t;
        EXPECT_FALSE(where.contains(s("1=1"))) << t;
        // Five text patterns (each with its two bounds unless it holds a wildcard), four looked-up
        // numbers, the excluded name; one "?" each.
        const int erwartet = QByteArray(t).contains('%') ? 10 : 20;
        ASSERT_EQ(a.parameter.size(), erwartet) << t;
        EXPECT_EQ(a.parameter.count(QVariant(likeMuster(s(t)))), 5) << t;
        EXPECT_EQ(a.parameter.last().toString(), s(t));
        EXPECT_EQ(where.count(QLatin1Char('?')), erwartet) << t;
    }
}

TEST(SuchAbfrageBau, ConditionsFollowTheCriteriaOrderJoinedByAnd) {
    SuchKriterien k;
    k.gebDatum = s("2020-05-03");
    k.status = s("ver");
    k.name = s("bel");
    k.rasse = s("a");
    const SuchAbfrage a = suchAbfrageBauen(k, SuchNachschlag{{1, 3}, {}, {}, {3, 4}}, SuchAufruf{});
    ASSERT_EQ(a.fehler, SuchAbfrage::Fehler::Keiner);
    const QString& w = a.bedingung;
    ASSERT_TRUE(w.startsWith(s(" WHERE ")));
    const QStringList folge = {s("(k.Name) LIKE ?"), s(" AND k.Rasse IN (?,?)"), s(" AND k.Status IN (?,?)"),
                               s(" AND k.GebDatum = ?")};
    int bei = 0;
    for (const QString& teil : folge) {
        const int p = int(w.indexOf(teil));
        EXPECT_GT(p, bei - 1) << teil.toStdString() << " in " << w.toStdString();
        bei = p;
    }
    EXPECT_TRUE(w.endsWith(folge.last()));
    const QString oben = s("bel") + QString::fromUcs4(U"\U0010FFFF", 1);
    EXPECT_EQ(a.parameter, (QVariantList{s("BEL%"), s("bel"), oben, 1, 3, 3, 4, QDate(2020, 5, 3)}));
    // With a wildcard the field is not bounded.
    k.name = s("%bel");
    EXPECT_EQ(suchAbfrageBauen(k, SuchNachschlag{{1, 3}, {}, {}, {3, 4}}, SuchAufruf{}).parameter.size(), 6);
    EXPECT_TRUE(a.mitStatus);
    EXPECT_TRUE(a.sql().endsWith(s(" ORDER BY k.Zwinger, k.Name")));

    // Blank criteria count as empty: no WHERE at all.
    SuchKriterien leer;
    leer.name = s("   ");
    EXPECT_TRUE(leer.leer());
    const SuchAbfrage b = suchAbfrageBauen(leer, {}, SuchAufruf{});
    EXPECT_TRUE(b.bedingung.isEmpty());
    EXPECT_TRUE(b.parameter.isEmpty());
    EXPECT_FALSE(b.mitStatus);
}

TEST(SuchAbfrageBau, LookUpsWithoutMatches) {
    SuchKriterien k;
    k.name = s("bel");
    k.rasse = s("zzz");
    // A breed or status that matches nothing keeps the query but lets it find nothing.
    SuchAbfrage a = suchAbfrageBauen(k, {}, SuchAufruf{});
    ASSERT_EQ(a.fehler, SuchAbfrage::Fehler::Keiner);
    EXPECT_TRUE(a.bedingung.endsWith(s(" AND 0 = 1"))) << a.bedingung.toStdString();
    k.rasse.clear();
    k.status = s("zzz");
    a = suchAbfrageBauen(k, {}, SuchAufruf{});
    EXPECT_TRUE(a.bedingung.endsWith(s(" AND 0 = 1")));
    // A breeder or owner without an address stops the search.
    k.status.clear();
    k.zuechter = s("zzz");
    EXPECT_EQ(suchAbfrageBauen(k, {}, SuchAufruf{}).fehler, SuchAbfrage::Fehler::KeinZuechter);
    k.zuechter.clear();
    k.besitzer = s("zzz");
    EXPECT_EQ(suchAbfrageBauen(k, {}, SuchAufruf{}).fehler, SuchAbfrage::Fehler::KeinBesitzer);
    k.besitzer.clear();
    k.gebDatum = s("31.02.2020");
    EXPECT_EQ(suchAbfrageBauen(k, {}, SuchAufruf{}, QLocale(QLocale::German)).fehler,
              SuchAbfrage::Fehler::UngueltigesDatum);
}

TEST(SuchAbfrageBau, SexRestrictionPerCaller) {
    const QString maennlich = s("(k.Geschlecht = '1' OR k.Geschlecht = '3')");
    const QString weiblich = s("(k.Geschlecht = '2' OR k.Geschlecht = '4')");
    auto bedingung = [](const SuchAufruf& aufruf) { return suchAbfrageBauen({}, {}, aufruf).bedingung; };

    SuchAufruf a;
    EXPECT_TRUE(bedingung(a).isEmpty());
    // Main window while a parent is entered from the pedigree: the slot's sex.
    a.neuausStb = true;
    a.vmZeiger = QLatin1Char('M');
    EXPECT_EQ(bedingung(a), s(" WHERE ") + weiblich);
    a.vmZeiger = QLatin1Char('V');
    EXPECT_EQ(bedingung(a), s(" WHERE ") + maennlich);
    a.vmZeiger = QLatin1Char(' ');
    EXPECT_TRUE(bedingung(a).isEmpty());

    // Modes 1 to 3 restrict only when opened from their buttons.
    for (int mode : {1, 2, 3}) {
        SuchAufruf b;
        b.formular = mode;
        b.eigenerName = s("Tom");
        EXPECT_TRUE(bedingung(b).isEmpty()) << mode;
        b.geschlecht = SuchGeschlecht::Maennlich;
        const QString mit = bedingung(b);
        EXPECT_TRUE(mit.startsWith(s(" WHERE ") + maennlich)) << mode;
        EXPECT_EQ(mit.contains(s("k.Name <> ?")), mode == 3) << mode;
        b.geschlecht = SuchGeschlecht::Weiblich;
        EXPECT_TRUE(bedingung(b).startsWith(s(" WHERE ") + weiblich)) << mode;
    }
    // A criterion comes first, the restriction follows with AND.
    SuchKriterien k;
    k.name = s("x");
    SuchAufruf c;
    c.formular = 3;
    c.geschlecht = SuchGeschlecht::Weiblich;
    c.eigenerName = s("Mia");
    const SuchAbfrage q = suchAbfrageBauen(k, {}, c);
    EXPECT_TRUE(q.bedingung.endsWith(s(" AND ") + weiblich + s(" AND k.Name <> ?")));
    EXPECT_EQ(q.parameter.last().toString(), s("Mia"));
    // A cat without a name yet excludes nothing (an empty value would exclude every cat).
    c.eigenerName.clear();
    EXPECT_FALSE(suchAbfrageBauen(k, {}, c).bedingung.contains(s("<>")));
}

TEST(SuchAbfrageBau, SortOrders) {
    EXPECT_EQ(ordnungsKlausel(SuchSortierung::Standard), s("ORDER BY k.Zwinger, k.Name"));
    EXPECT_EQ(ordnungsKlausel(SuchSortierung::Name), s("ORDER BY k.Name"));
    EXPECT_EQ(ordnungsKlausel(SuchSortierung::Zwinger), s("ORDER BY k.Zwinger, k.Name"));
    EXPECT_EQ(ordnungsKlausel(SuchSortierung::Rufname), s("ORDER BY k.Rufname"));
    EXPECT_EQ(ordnungsKlausel(SuchSortierung::Geschlecht), s("ORDER BY k.Geschlecht, k.Zwinger, k.Name"));
    EXPECT_EQ(ordnungsKlausel(SuchSortierung::Farbe), s("ORDER BY k.FellFarbe, k.Zwinger, k.Name"));
    EXPECT_EQ(ordnungsKlausel(SuchSortierung::GebDatum), s("ORDER BY k.GebDatum, k.Zwinger, k.Name"));
    EXPECT_EQ(ordnungsKlausel(SuchSortierung::Rasse), s("ORDER BY k.Rasse, k.Zwinger, k.Name"));
}

// ---------------------------------------------------------------- against a data directory

struct Katze {
    const char* name;
    const char* geschlecht = "1";
    const char* zwinger = "";
    int rasse = 0;
    int status = 2;
    int zuechter = 0;
    int besitzer = 0;
    QDate geb = {};
    int vater = 0;
    int mutter = 0;
    const char* rufname = "";
    const char* farbe = "";
    const char* zuchtbuch = "";
};

class SuchRegister : public ::testing::Test {
protected:
    void SetUp() override {
        db = std::make_unique<store::Database>(dir.path());
        store::Table adr(*db, s("adr_dat"));
        adr.open();
        mueller = adresse(adr, "Müller", "Hans");
        meier = adresse(adr, "Meier", "");
        adresse(adr, "Schmidt", "Eva");
        store::Table eigen(*db, s("eigen"));
        eigen.open();
        eigen.append();
        eigen.setValue(s("Name"), s("Eigen"));
        eigen.setValue(s("Vorname"), s("Ida"));
        eigen.post();
        store::Table rasse(*db, s("rasse"));
        rasse.open();
        rasse.append();
        rasse.setValue(s("RName"), s("Aaa Testrasse"));
        rasse.post();
        testrasse = rasse.asInt(s("RCode"));
    }

    int adresse(store::Table& t, const char* name, const char* vorname) {
        t.append();
        t.setValue(s("Name"), s(name));
        t.setValue(s("Vorname"), s(vorname));
        t.post();
        return t.asInt(s("LaufendeNr"));
    }

    int katze(const Katze& k) {
        store::Table t(*db, s("catstamm"));
        t.open();
        t.append();
        t.setValue(s("Name"), s(k.name));
        t.setValue(s("Geschlecht"), s(k.geschlecht));
        t.setValue(s("Zwinger"), s(k.zwinger));
        t.setValue(s("Rufname"), s(k.rufname));
        t.setValue(s("FellFarbe"), s(k.farbe));
        t.setValue(s("Zuchtbuchnummer1"), s(k.zuchtbuch));
        if (k.rasse) t.setValue(s("Rasse"), k.rasse);
        t.setValue(s("Status"), k.status);
        if (k.zuechter) t.setValue(s("Züchter"), k.zuechter);
        if (k.besitzer) t.setValue(s("Besitzer"), k.besitzer);
        if (k.geb.isValid()) t.setValue(s("GebDatum"), k.geb);
        if (k.vater) t.setValue(s("Vater"), k.vater);
        if (k.mutter) t.setValue(s("Mutter"), k.mutter);
        t.post();
        return t.asInt(s("LaufendeNummer"));
    }

    QList<SuchTreffer> finde(const SuchKriterien& k, const SuchAufruf& aufruf = {},
                             SuchSortierung sortierung = SuchSortierung::Standard) {
        SuchAbfrage a = suchAbfrageBauen(*db, k, aufruf, QLocale(QLocale::German, QLocale::Germany));
        a.sortierung = sortierung;
        EXPECT_EQ(a.fehler, SuchAbfrage::Fehler::Keiner);
        return suchen(*db, a);
    }
    QStringList namen(const SuchKriterien& k, const SuchAufruf& aufruf = {},
                      SuchSortierung sortierung = SuchSortierung::Standard) {
        QStringList n;
        for (const SuchTreffer& t : finde(k, aufruf, sortierung))
            n << t.name;
        return n;
    }
    static SuchKriterien nachName(const char* text) {
        SuchKriterien k;
        k.name = s(text);
        return k;
    }

    test::DataDir dir;
    std::unique_ptr<store::Database> db;
    int mueller = 0, meier = 0, testrasse = 0;
};

TEST_F(SuchRegister, NameIsABeginningIgnoringCaseWithPercentAsWildcard) {
    for (const char* n : {"Bella", "Belinda", "Isabel", "bELLAMY", "Ärger vom Hof", "A_B", "AXB"})
        katze({n});
    const QStringList bel = namen(nachName("bel"));
    EXPECT_EQ(QSet<QString>(bel.begin(), bel.end()), (QSet<QString>{s("Bella"), s("Belinda"), s("bELLAMY")}));
    EXPECT_EQ(bel.size(), 3);
    EXPECT_EQ(namen(nachName("%bel")).size(), 4);
    EXPECT_EQ(namen(nachName("%bel")).count(s("Isabel")), 1);
    EXPECT_EQ(namen(nachName("b%nd")), QStringList{s("Belinda")});
    // Umlauts compare without case too.
    EXPECT_EQ(namen(nachName("ärg")), QStringList{s("Ärger vom Hof")});
    EXPECT_EQ(namen(nachName("ÄRGER V")), QStringList{s("Ärger vom Hof")});
    // The index bound agrees with the comparison for ß and umlauts.
    katze({"Weiß vom Berg"});
    katze({"Weissbier"});
    EXPECT_EQ(namen(nachName("weiss")).size(), 2);
    EXPECT_EQ(namen(nachName("WEIß")).size(), 2);
    EXPECT_EQ(namen(nachName("weiß v")), QStringList{s("Weiß vom Berg")});
    EXPECT_EQ(namen(nachName("isa")), QStringList{s("Isabel")});
    // "_" is no wildcard.
    EXPECT_EQ(namen(nachName("a_")), QStringList{s("A_B")});
}

TEST_F(SuchRegister, QuotesAndSqlInCriteriaAreSearchedFor) {
    katze({"O'Malley \"Tiger\""});
    katze({"Bella"});
    katze({"x\") OR 1=1 --"});
    EXPECT_EQ(namen(nachName("o'mal")), QStringList{s("O'Malley \"Tiger\"")});
    EXPECT_EQ(namen(nachName("%\"tiger\"")), QStringList{s("O'Malley \"Tiger\"")});
    EXPECT_EQ(namen(nachName("%'")), QStringList{s("O'Malley \"Tiger\"")});
    EXPECT_EQ(namen(nachName("x\") OR 1=1 --")), QStringList{s("x\") OR 1=1 --")});
    for (const char* t : kFeindlich) {
        if (QByteArray(t).startsWith("O'Malley") || QByteArray(t).startsWith("x\")")) continue;
        SuchKriterien k;
        k.name = k.zwinger = k.rufname = k.farbe = k.zuchtbuchnummer = s(t);
        EXPECT_TRUE(finde(k).isEmpty()) << t;
        for (QString* feld : {&k.zwinger, &k.rufname, &k.farbe, &k.zuchtbuchnummer})
            feld->clear();
        EXPECT_TRUE(finde(k).isEmpty()) << t;
        // Look-up criteria with the same text find no breed, status or address.
        SuchKriterien l;
        l.rasse = l.status = s(t);
        EXPECT_TRUE(finde(l).isEmpty()) << t;
        SuchKriterien m;
        m.zuechter = s(t);
        EXPECT_EQ(suchAbfrageBauen(*db, m, {}).fehler, SuchAbfrage::Fehler::KeinZuechter) << t;
    }
    // The table is still there and whole.
    EXPECT_EQ(namen(SuchKriterien{}).size(), 3);
}

TEST_F(SuchRegister, EveryTextCriterionSearchesItsField) {
    const int a = katze({"Alpha", "1", "vom Sonnenhof", 0, 2, 0, 0, {}, 0, 0, "Ali", "schwarz", "DE 123"});
    katze({"Beta", "2", "vom Mondhof", 0, 2, 0, 0, {}, 0, 0, "Bea", "rot", "NL 555"});
    auto nur = [&](SuchKriterien k) {
        const QList<SuchTreffer> t = finde(k);
        return t.size() == 1 && t.first().nummer == a;
    };
    SuchKriterien k;
    k.zwinger = s("VOM SONN");
    EXPECT_TRUE(nur(k));
    k = {};
    k.rufname = s("al");
    EXPECT_TRUE(nur(k));
    k = {};
    k.farbe = s("Schw");
    EXPECT_TRUE(nur(k));
    k = {};
    k.zuchtbuchnummer = s("de 1");
    EXPECT_TRUE(nur(k));
    k = {};
    k.zuchtbuchnummer = s("123"); // a beginning, not a part
    EXPECT_TRUE(finde(k).isEmpty());
}

TEST_F(SuchRegister, BreedBreederOwnerAndStatusAreLookedUpByName) {
    const int aby = katze({"Aby", "1", "", 1, 3, mueller, meier});
    const int mau = katze({"Mau", "2", "", 2, 4, meier, mueller});
    katze({"Perser", "2", "", 44, 1});
    auto nummern = [&](const SuchKriterien& k) {
        QList<int> n;
        for (const SuchTreffer& t : finde(k))
            n << t.nummer;
        return n;
    };
    SuchKriterien k;
    k.rasse = s("abe");
    EXPECT_EQ(nummern(k), QList<int>{aby});
    k.rasse = s("ÄGYP");
    EXPECT_EQ(nummern(k), QList<int>{mau});
    k.rasse = s("a"); // Abessinier, Aaa Testrasse, American ...; Ägyptische begins with another letter
    EXPECT_EQ(nummern(k), QList<int>{aby});
    k.rasse = s("zzz");
    EXPECT_TRUE(nummern(k).isEmpty());
    k.name = s("aby"); // a name that matches, with a breed that matches nothing
    EXPECT_TRUE(nummern(k).isEmpty());

    k = {};
    k.zuechter = s("mül");
    EXPECT_EQ(nummern(k), QList<int>{aby});
    k.zuechter = s("m"); // Müller and Meier
    EXPECT_EQ(nummern(k).size(), 2);
    k = {};
    k.besitzer = s("MEI");
    EXPECT_EQ(nummern(k), QList<int>{aby});
    k.besitzer = s("Schm"); // an address without cats
    EXPECT_TRUE(nummern(k).isEmpty());

    k = {};
    k.status = s("ver"); // verkauft (3) and verstorben (4)
    EXPECT_EQ(nummern(k).size(), 2);
    k.status = s("VERST");
    EXPECT_EQ(nummern(k), QList<int>{mau});
}

TEST_F(SuchRegister, DisplayColumns) {
    const int vater = katze({"Vater Kater", "1"});
    const int mutter = katze({"Mutter Katze", "2"});
    katze({"Kind", "4", "Zw", 1, 3, mueller, meier, QDate(2020, 5, 3), vater, mutter, "Kiki"});
    katze({"Eigene", "3", "", 0, 1, meier, mueller});
    QList<SuchTreffer> t = finde(nachName("kind"));
    ASSERT_EQ(t.size(), 1);
    EXPECT_EQ(t[0].anzeige(), s("Kind / Kiki"));
    EXPECT_EQ(t[0].geschlAnzeige(), s("w/k"));
    EXPECT_EQ(t[0].rasseName, s("Abessinier"));
    EXPECT_EQ(t[0].vaterName, s("Vater Kater"));
    EXPECT_EQ(t[0].mutterName, s("Mutter Katze"));
    EXPECT_EQ(t[0].zuechterAnzeige, s("Müller, Hans"));
    EXPECT_EQ(t[0].besitzerAnzeige, s("Meier")); // no first name
    EXPECT_EQ(t[0].statusName, s("verkauft"));
    EXPECT_EQ(t[0].gebDatum, QDate(2020, 5, 3));
    // Status 1: the owner is the user, whatever the owner field says.
    t = finde(nachName("eigene"));
    ASSERT_EQ(t.size(), 1);
    EXPECT_EQ(t[0].besitzerAnzeige, s("Eigen, Ida"));
    EXPECT_EQ(t[0].geschlAnzeige(), s("m/k"));
    EXPECT_TRUE(t[0].vaterName.isEmpty());
}

TEST_F(SuchRegister, DateOfBirthIsComparedAsADate) {
    katze({"Mai", "2", "", 0, 2, 0, 0, QDate(2020, 5, 3)});
    katze({"Juni", "2", "", 0, 2, 0, 0, QDate(2020, 6, 3)});
    SuchKriterien k;
    k.gebDatum = s("03.05.2020");
    EXPECT_EQ(namen(k), QStringList{s("Mai")});
    k.gebDatum = s("3.5.20");
    EXPECT_EQ(namen(k), QStringList{s("Mai")});
    k.gebDatum = s("03.05.2020' OR '1'='1");
    EXPECT_EQ(suchAbfrageBauen(*db, k, {}, QLocale(QLocale::German)).fehler,
              SuchAbfrage::Fehler::UngueltigesDatum);
}

TEST_F(SuchRegister, ParentSearchNeverListsACatOfTheSameName) {
    katze({"Tom", "1"});
    katze({"TOM", "3"});
    katze({"Tomas", "1"});
    katze({"Tomma", "2"});
    katze({"Timo", "3"});
    SuchAufruf vater;
    vater.formular = 3;
    vater.geschlecht = SuchGeschlecht::Maennlich;
    vater.eigenerName = s("Tom");
    EXPECT_EQ(namen(nachName("t"), vater), (QStringList{s("Timo"), s("Tomas")}));
    SuchAufruf mutter = vater;
    mutter.geschlecht = SuchGeschlecht::Weiblich;
    EXPECT_EQ(namen(nachName("t"), mutter), QStringList{s("Tomma")});
    // The same search from the main window lists all of them.
    EXPECT_EQ(namen(nachName("t")).size(), 5);
}

TEST_F(SuchRegister, ReSortingReplacesTheOrder) {
    katze({"Cora", "2", "B-Zwinger", 1, 2, 0, 0, QDate(2019, 1, 1), 0, 0, "Zz", "rot"});
    katze({"Anna", "1", "C-Zwinger", testrasse, 2, 0, 0, QDate(2021, 1, 1), 0, 0, "Aa", "blau"});
    katze({"Bert", "3", "A-Zwinger", 2, 2, 0, 0, QDate(2020, 1, 1), 0, 0, "Mm", "creme"});
    const SuchKriterien alle;
    EXPECT_EQ(namen(alle), (QStringList{s("Bert"), s("Cora"), s("Anna")})); // cattery, name
    EXPECT_EQ(namen(alle, {}, SuchSortierung::Name), (QStringList{s("Anna"), s("Bert"), s("Cora")}));
    EXPECT_EQ(namen(alle, {}, SuchSortierung::Rufname), (QStringList{s("Anna"), s("Bert"), s("Cora")}));
    EXPECT_EQ(namen(alle, {}, SuchSortierung::Geschlecht), (QStringList{s("Anna"), s("Cora"), s("Bert")}));
    EXPECT_EQ(namen(alle, {}, SuchSortierung::Farbe), (QStringList{s("Anna"), s("Bert"), s("Cora")}));
    EXPECT_EQ(namen(alle, {}, SuchSortierung::GebDatum), (QStringList{s("Cora"), s("Bert"), s("Anna")}));
    // By breed code: "Aaa Testrasse" comes first by name but has the highest code.
    EXPECT_EQ(namen(alle, {}, SuchSortierung::Rasse), (QStringList{s("Cora"), s("Bert"), s("Anna")}));
}

TEST_F(SuchRegister, QueryErrorsAreThrownNotSwallowed) {
    katze({"Bella"});
    SuchAbfrage a = suchAbfrageBauen(*db, nachName("b"), {});
    a.bedingung += s(" AND k.GibtEsNicht = 1");
    EXPECT_THROW(suchen(*db, a), store::EngineError);
}

} // namespace
