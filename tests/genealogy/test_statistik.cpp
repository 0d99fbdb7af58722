// The statistics over a pedigree and over the register: the condition builder's buttons, the filter's
// age range, the evaluation against a hand-built register (features with quotes, sexes, colours, the
// figures), query texts that are refused before they run, and the statistik command.

#include "genealogy/statistikdatei.h"
#include "genealogy/statistikstammbaum.h"
#include "register.h"
#include "store/catalogue.h"
#include "store/leseabfrage.h"
#include "support/testsupport.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::genealogy;
using velmora::test::RegisterKatze;

namespace {

// ---------------------------------------------------------------- condition builder

enum Schritt { Dk, Und, Oder, Nicht, Auf, Zu, Erw, Einf, Loe };

struct BauFall {
    const char* name;
    std::vector<Schritt> schritte;
    const char* text;
    const char* stand; // l u o n ( ) L: list, and, or, not, (, ), delete; "-" for off
};

QString standText(const Bedienstand& s) {
    QString t;
    t += s.liste ? 'l' : '-';
    t += s.und ? 'u' : '-';
    t += s.oder ? 'o' : '-';
    t += s.nicht ? 'n' : '-';
    t += s.auf ? '(' : '-';
    t += s.zu ? ')' : '-';
    t += s.abfrageLoeschen ? 'L' : '-';
    return t;
}

TEST(Bedingungsbau, KnoepfeUndTexte) {
    const BauFall faelle[] = {
        {"leer", {}, "", "l------"},
        {"einfach ein Merkmal", {Dk}, " (Merkmal='Klon')", "l-----L"},
        {"einfach zwei Merkmale mit oder", {Dk, Dk}, " (Merkmal='Klon') or  (Merkmal='Klon')", "l-----L"},
        {"einfach: Knoepfe ohne Wirkung", {Dk, Und, Nicht}, " (Merkmal='Klon')", "l-----L"},
        {"erweitert leer", {Erw}, "", "l--n(--"},
        {"erweitert nach einfachem Text", {Dk, Erw}, " (Merkmal='Klon')", "-uo---L"},
        {"erweitert Merkmal sperrt die Liste", {Erw, Dk}, " (Merkmal='Klon')", "-uo---L"},
        {"erweitert und nicht",
         {Erw, Dk, Und, Nicht, Dk},
         " (Merkmal='Klon') and not (Merkmal='Klon')",
         "-uo---L"},
        {"nicht zweimal geht nicht", {Erw, Nicht, Nicht}, " not", "l---(-L"},
        {"Klammer auf und zu",
         {Erw, Auf, Dk, Oder, Dk, Zu},
         " ( (Merkmal='Klon') or (Merkmal='Klon') )",
         "-uo---L"},
        {"zu nur bei offener Klammer", {Erw, Auf, Dk}, " ( (Merkmal='Klon')", "-uo--)L"},
        {"zu ohne offene Klammer wirkungslos", {Erw, Dk, Zu}, " (Merkmal='Klon')", "-uo---L"},
        {"Abfrage loeschen erweitert", {Erw, Dk, Loe}, "", "l--n(--"},
        {"einfach loescht", {Erw, Dk, Einf}, "", "l------"},
    };
    for (const BauFall& f : faelle) {
        Bedingungsbau b;
        for (Schritt s : f.schritte) {
            switch (s) {
            case Dk:
                b.merkmal(QStringLiteral("Klon"));
                break;
            case Und:
                b.op(Operator::Und);
                break;
            case Oder:
                b.op(Operator::Oder);
                break;
            case Nicht:
                b.op(Operator::Nicht);
                break;
            case Auf:
                b.op(Operator::Auf);
                break;
            case Zu:
                b.op(Operator::Zu);
                break;
            case Erw:
                b.erweitert();
                break;
            case Einf:
                b.einfach();
                break;
            case Loe:
                b.abfrageLoeschen();
                break;
            }
        }
        EXPECT_EQ(b.text(), QString::fromUtf8(f.text)) << f.name;
        EXPECT_EQ(standText(b.stand()), QString::fromUtf8(f.stand)) << f.name;
    }
}

TEST(Bedingungsbau, NamenMitHochkommaWerdenAlsLiteralGeschrieben) {
    EXPECT_EQ(Bedingungsbau::bedingung(QStringLiteral("O'Neil")), QStringLiteral("(Merkmal='O''Neil')"));
}

TEST(Filter, AltersbereichVertauschtUndMonate) {
    Filter f;
    f.heute = QDate(2026, 6, 1);
    struct {
        const char *ab, *bis;
        bool monate;
        QDate bisDatum;
        std::optional<QDate> abDatum;
    } faelle[] = {
        {"1", "2", false, QDate(2025, 6, 1), QDate(2024, 6, 1)},
        {"2", "1", false, QDate(2025, 6, 1), QDate(2024, 6, 1)}, // swapped ends
        {"3", "", false, QDate(2023, 6, 1), std::nullopt},
        {"", "2", false, QDate(2026, 6, 1), QDate(2024, 6, 1)},
        {"6", "18", true, QDate(2025, 12, 1), QDate(2024, 12, 1)},
    };
    for (const auto& c : faelle) {
        f.alterAb = QLatin1String(c.ab);
        f.alterBis = QLatin1String(c.bis);
        f.monate = c.monate;
        const Altersbereich b = altersbereich(f);
        EXPECT_TRUE(b.aktiv);
        EXPECT_EQ(b.geborenBis, c.bisDatum) << c.ab << "-" << c.bis;
        EXPECT_EQ(b.geborenAb, c.abDatum) << c.ab << "-" << c.bis;
    }
    f.alterAb.clear();
    f.alterBis.clear();
    EXPECT_FALSE(altersbereich(f).aktiv);
}

// ---------------------------------------------------------------- a hand-built register

// Features 1 Klon, 2 Foundation, 3 O'Neil, 4 Weiß "hell". 1 Zorro x 2 Amira (by 9, another Zorro)
// give the full siblings 3 Mika and 4 Bella; 5 Pia is their kitten; 6 Luna has no dam.
struct Register : ::testing::Test {
    test::DataDir dir;
    std::unique_ptr<store::Database> db;
    std::unique_ptr<Registerabbild> abbild;

    void SetUp() override {
        test::schreibeKatzen(dir.path(), {{9, QStringLiteral("Zorro"), 0, 0, {1}},
                                          {1, QStringLiteral("Zorro"), 0, 0, {1}},
                                          {2, QStringLiteral("Amira"), 9, 0, {}},
                                          {3, QStringLiteral("Mika"), 1, 2, {1, 3}},
                                          {4, QStringLiteral("Bella"), 1, 2, {3}},
                                          {5, QStringLiteral("Pia"), 3, 4, {1, 2}},
                                          {6, QStringLiteral("Luna"), 5, 0, {4}}});
        db = std::make_unique<store::Database>(dir.path());
        if (!db->tableExists(QStringLiteral("merkmale")))
            db->createTable(*store::catalogueTable(QStringLiteral("merkmale")));
        store::Table m(*db, QStringLiteral("merkmale"));
        m.open();
        while (m.first(), m.hasRecord())
            m.remove(); // the seeded ones are replaced by the test's own
        const char* namen[] = {"Klon", "Foundation", "O'Neil", "Weiß \"hell\""};
        for (int i = 0; i < 4; ++i) {
            m.append();
            m.setValue(QStringLiteral("LaufendeNummer"), i + 1);
            m.setValue(QStringLiteral("Bezeichnung"), QString::fromUtf8(namen[i]));
            m.setValue(QStringLiteral("farbe"), 0x10 * (i + 1));
            m.post();
        }
        struct {
            int nr;
            const char *geschlecht, *farbe, *geburt;
        } daten[] = {{9, "1", "schwarz", nullptr},
                     {1, "1", "schwarz", nullptr},
                     {2, "2", "blau", "2018-03-01"},
                     {3, "3", "schwarz", "2020-05-01"},
                     {4, "2", "blau", "2023-01-15"},
                     {5, "4", "creme", "2025-06-01"},
                     {6, "2", "(Perser) creme", "2026-01-10"}};
        store::Table t(*db, QStringLiteral("catstamm"));
        t.open();
        for (const auto& d : daten) {
            ASSERT_TRUE(t.findKey({d.nr}));
            t.edit();
            t.setValue(QStringLiteral("Geschlecht"), QLatin1String(d.geschlecht));
            t.setValue(QStringLiteral("FellFarbe"), QString::fromUtf8(d.farbe));
            if (d.geburt)
                t.setValue(QStringLiteral("GebDatum"),
                           QDate::fromString(QLatin1String(d.geburt), Qt::ISODate));
            t.post();
        }
        abbild = std::make_unique<Registerabbild>(*db);
    }

    Auswertung lauf(bool erweitert, const QString& bedingung, const Filter& f = {}) {
        return auswerten(*db, *abbild, erweitert, bedingung, f, 5, QLocale(QLocale::German), {});
    }
    static QStringList zeilen(const Auswertung& e) {
        QStringList r;
        for (const Ergebniszeile& z : e.zeilen)
            r << QString::number(z.nr) + QLatin1Char(':') + z.merkmal;
        return r;
    }
};

TEST_F(Register, EinfacheAbfrageListetJeMerkmalEineZeileInSeinerFarbe) {
    Bedingungsbau b;
    b.merkmal(QStringLiteral("Klon"));
    b.merkmal(QStringLiteral("O'Neil"));
    const Auswertung e = lauf(false, b.text());
    ASSERT_EQ(e.ausgang, Auswertung::ok);
    EXPECT_EQ(zeilen(e), (QStringList{"4:O'Neil", "3:Klon", "3:O'Neil", "5:Klon", "1:Klon", "9:Klon"}));
    EXPECT_EQ(e.zeilen[0].farbe, 0x30);
    EXPECT_EQ(e.zeilen[1].farbe, 0x10);
    EXPECT_EQ(e.zeilen[1].vater, QStringLiteral("Zorro"));
    EXPECT_EQ(e.zeilen[1].mutter, QStringLiteral("Amira"));
}

TEST_F(Register, MerkmalMitAnfuehrungszeichenUndUnbekanntesMerkmal) {
    Bedingungsbau b;
    b.merkmal(QString::fromUtf8("Weiß \"hell\""));
    EXPECT_EQ(zeilen(lauf(false, b.text())), QStringList{QString::fromUtf8("6:Weiß \"hell\"")});
    EXPECT_EQ(lauf(false, QStringLiteral("(Merkmal='Gibt''s nicht')")).ausgang, Auswertung::keineTreffer);
}

TEST_F(Register, ErweiterteAbfrageMitNichtNimmtKatzenOhneMerkmale) {
    Bedingungsbau b;
    b.erweitert();
    b.merkmal(QStringLiteral("Klon"));
    b.op(Operator::Und);
    b.op(Operator::Nicht);
    b.merkmal(QStringLiteral("O'Neil"));
    EXPECT_EQ(zeilen(lauf(true, b.text())),
              (QStringList{"5:- Klon -- Foundation -", "1:- Klon -", "9:- Klon -"}));
    b.abfrageLoeschen();
    b.op(Operator::Nicht);
    b.merkmal(QStringLiteral("Klon"));
    EXPECT_EQ(zeilen(lauf(true, b.text())),
              (QStringList{"2:", "4:- O'Neil -", QString::fromUtf8("6:- Weiß \"hell\" -")}));
}

TEST_F(Register, GeschlechterFarbeUndAlter) {
    Filter f;
    f.geschlecht[0] = f.geschlecht[2] = false; // females only
    EXPECT_EQ(zeilen(lauf(false, {}, f)), (QStringList{"2:", "4:", "6:", "5:"}));
    Filter farbe;
    farbe.farbe = QStringLiteral("BLAU");
    EXPECT_EQ(zeilen(lauf(false, {}, farbe)), (QStringList{"2:", "4:"}));
    Filter perser;
    perser.farbe = QStringLiteral("(Perser) creme");
    EXPECT_EQ(zeilen(lauf(true, {}, perser)), (QStringList{"6:- Weiß \"hell\" -"}));
    Filter alter;
    alter.heute = QDate(2026, 6, 1);
    alter.alterAb = QStringLiteral("3");
    alter.alterBis = QStringLiteral("1");
    EXPECT_EQ(zeilen(lauf(false, {}, alter)), (QStringList{"5:"}));
    alter.monate = true;
    alter.alterAb = QStringLiteral("0");
    alter.alterBis = QStringLiteral("6");
    EXPECT_EQ(zeilen(lauf(false, {}, alter)), (QStringList{"6:"}));
}

TEST_F(Register, ZahlenNurBeiBeidenEltern) {
    const Auswertung e = lauf(false, {});
    ASSERT_EQ(e.ausgang, Auswertung::ok);
    for (const Ergebniszeile& z : e.zeilen) {
        if (z.nr == 5) {
            EXPECT_EQ(z.ik, QStringLiteral("25,00%"));
            EXPECT_DOUBLE_EQ(z.ikWert, 25.0);
            EXPECT_TRUE(z.mitZahlen);
        } else if (z.nr == 3 || z.nr == 4) {
            EXPECT_EQ(z.ik, QStringLiteral(" 0%"));
        } else {
            EXPECT_FALSE(z.mitZahlen) << z.nr;
            EXPECT_TRUE(z.ik.isEmpty());
            EXPECT_TRUE(z.avk.isEmpty());
        }
    }
}

TEST_F(Register, AbgelehnteAbfragetexte) {
    struct {
        const char* text;
        store::Ablehnung::Grund grund;
    } faelle[] = {
        {"(Merkmal='Klon')); DELETE FROM catstamm; --", store::Ablehnung::MehrereAnweisungen},
        {"Name IN (SELECT name FROM pragma_table_info('catstamm'))", store::Ablehnung::Pragma},
    };
    for (const auto& f : faelle) {
        const Auswertung e = lauf(true, QLatin1String(f.text));
        EXPECT_EQ(e.ausgang, Auswertung::abgelehnt) << f.text;
        EXPECT_EQ(e.ablehnung.grund, f.grund) << f.text;
    }
    // the whole statement checked by the engine's read-only test
    const struct {
        const char* sql;
        store::Ablehnung::Grund grund;
    } anweisungen[] = {
        {"DELETE FROM catstamm", store::Ablehnung::Schreibend},
        {"UPDATE catstamm SET Name = 'x'", store::Ablehnung::Schreibend},
        {"ATTACH DATABASE 'x.db' AS x", store::Ablehnung::Anhaengen},
        {"PRAGMA user_version = 3", store::Ablehnung::Pragma},
        {"BEGIN", store::Ablehnung::Transaktion},
        {"SELECT 1; SELECT 2", store::Ablehnung::MehrereAnweisungen},
    };
    for (const auto& a : anweisungen) {
        try {
            store::LeseAbfrage q(*db, {QStringLiteral("catstamm")}, QLatin1String(a.sql));
            ADD_FAILURE() << a.sql;
        } catch (const store::AbfrageAbgelehnt& x) {
            EXPECT_EQ(x.ablehnung.grund, a.grund) << a.sql;
        }
    }
    store::LeseAbfrage gut(*db, {QStringLiteral("catstamm")},
                           QStringLiteral("SELECT count(*) FROM catstamm; -- so"));
    ASSERT_TRUE(gut.next());
    EXPECT_EQ(gut.ganzzahl(0), 7);
    store::Table t(*db, QStringLiteral("catstamm"));
    t.open(store::Table::OpenMode::ReadOnly);
    EXPECT_EQ(t.recordCount(), 7); // nothing was deleted
}

TEST_F(Register, SyntaxfehlerNenntDieStelleImText) {
    const QString text = QStringLiteral("(Merkmal='O''Neil') and and (Merkmal='Klon')");
    const Auswertung e = lauf(true, text);
    ASSERT_EQ(e.ausgang, Auswertung::abgelehnt);
    EXPECT_EQ(e.ablehnung.grund, store::Ablehnung::Syntax);
    EXPECT_EQ(e.ablehnung.position, text.indexOf(QStringLiteral("and (")));
    const QString meldung = ablehnungsText(e.ablehnung, [](int n) { return QStringLiteral("M%1").arg(n); });
    EXPECT_TRUE(meldung.startsWith(QStringLiteral("M285 %1: ").arg(e.ablehnung.position + 1)))
        << meldung.toStdString();
    const Auswertung offen = lauf(true, QStringLiteral("((Merkmal='Klon')"));
    ASSERT_EQ(offen.ausgang, Auswertung::abgelehnt);
    EXPECT_EQ(offen.ablehnung.position, 17); // the text ended too early
}

TEST_F(Register, MarkierungsfarbeAusMerkmalUndTopKatze) {
    {
        store::Table t(*db, QStringLiteral("topkatze"));
        t.open();
        t.first();
        t.edit();
        t.setValue(QStringLiteral("Katze"), 3); // Mika, first feature Klon (0x10)
        t.setValue(QStringLiteral("Farbe"), 0xABCDEF);
        t.post();
        t.next();
        t.edit();
        t.setValue(QStringLiteral("Katze"), 2); // Amira, no feature
        t.setValue(QStringLiteral("Farbe"), 0x123456);
        t.post();
    }
    const struct {
        qint32 nr;
        bool vorTop;
        std::optional<qint32> farbe;
    } faelle[] = {{3, true, 0x10},      {3, false, 0xABCDEF}, {2, true, 0x123456},
                  {2, false, 0x123456}, {4, false, 0x30},     {7, true, std::nullopt}};
    for (const auto& f : faelle)
        EXPECT_EQ(abbild->markierungsFarbe(f.nr, f.vorTop), f.farbe) << f.nr << " " << f.vorTop;
}

// ---------------------------------------------------------------- pedigree statistics

TEST_F(Register, StammbaumstatistikZaehltWiederholteAhnen) {
    StammbaumFrage f;
    f.katze = 5;
    f.alleMerkmale = true;
    const auto m = [](int n) { return QStringLiteral("M%1").arg(n); };
    StammbaumStatistik s = stammbaumStatistik(*abbild, f);
    ASSERT_EQ(s.ausgang, StammbaumStatistik::ok);
    // Mika, Zorro 1, Amira, Zorro 9, Bella; Amira's dam is unknown: 2 + 4 + 2 places
    EXPECT_EQ(s.text(m),
              (QStringList{"M129 8 M130", " » Mika, schwarz", "     - Klon - O'Neil - ", "  M1281x1 , ",
                           " » Zorro, schwarz", "     - Klon - ", "  M1282x2 , 2x3 , ", " » Bella, blau",
                           "     - O'Neil - ", "  M1281x1 , "}));
    f.alleMerkmale = false;
    f.merkmale = QStringList{QStringLiteral("O'Neil")};
    f.generationen = 1;
    s = stammbaumStatistik(*abbild, f);
    EXPECT_EQ(s.anzTiere, 2u);
    ASSERT_EQ(s.eintraege.size(), 2);
    EXPECT_EQ(s.eintraege[0].merkmalTeil, QStringLiteral(" - O'Neil - "));
    // colour only, one colour: every place of that colour, with or without features
    StammbaumFrage farbe;
    farbe.katze = 5;
    farbe.nurFarbe = true;
    farbe.farbe = QStringLiteral("blau");
    s = stammbaumStatistik(*abbild, farbe);
    EXPECT_EQ(s.text(m), (QStringList{"M129 8 M130", " » Amira, blau", "  M1282x2 , ", " » Bella, blau",
                                      "     - O'Neil - ", "  M1281x1 , "}));
    StammbaumFrage ohne;
    ohne.katze = 5;
    EXPECT_EQ(stammbaumStatistik(*abbild, ohne).ausgang, StammbaumStatistik::keinMerkmal);
    farbe.farbe = QStringLiteral("rot");
    EXPECT_EQ(stammbaumStatistik(*abbild, farbe).text(m), (QStringList{"M129 8 M130", "M125"}));
}

TEST(Ahnenplaetze, ZusammenbrechenderStammbaumKostetNurVerschiedeneAhnen) {
    // every cat's parents are the two cats before it: 2^60 places, 120 distinct (cat, generation)
    const auto lesen = [](qint32 nr, qint32& v, qint32& m) {
        if (nr < 1 || nr > 100) return false;
        v = nr > 2 ? nr - 1 : 0;
        m = nr > 2 ? nr - 2 : 0;
        return true;
    };
    std::vector<Ahnenplatz> p;
    ASSERT_EQ(ahnenplaetze(100, 99, 60, lesen, {}, p), Ahnenlauf::fertig);
    EXPECT_LE(p.size(), 60u * 100u);
    // places per generation g: 2^g as long as nobody runs out of parents
    quint64 g10 = 0;
    for (const Ahnenplatz& a : p)
        if (a.generation == 10) g10 += a.anzahl;
    EXPECT_EQ(g10, 1024u);
}

// ---------------------------------------------------------------- the command

TEST_F(Register, WerkzeugStatistik) {
    QString out, err;
    ASSERT_EQ(
        test::runWerkzeug({QStringLiteral("statistik"), dir.path(), QStringLiteral("--merkmal"),
                           QStringLiteral("Foundation"), QStringLiteral("--merkmal"),
                           QStringLiteral("O'Neil"), QStringLiteral("--geschlecht"), QStringLiteral("2,4")},
                          &out, &err, {QStringLiteral("LC_ALL=de_DE.UTF-8")}),
        0)
        << err.toStdString();
    const QStringList z = out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(z.size(), 3) << out.toStdString();
    EXPECT_TRUE(z[0].startsWith(QStringLiteral("4;Bella;2;15.01.2023;"))) << z[0].toStdString();
    EXPECT_TRUE(z[1].startsWith(QStringLiteral("5;Pia;4;01.06.2025;25"))) << z[1].toStdString();
    EXPECT_EQ(z[2], QStringLiteral("Treffer: 2"));
    ASSERT_EQ(test::runWerkzeug({QStringLiteral("statistik"), dir.path(), QStringLiteral("--sql"),
                                 QStringLiteral("1); DELETE FROM catstamm; --")},
                                &out, &err),
              2);
    EXPECT_TRUE(err.contains(QStringLiteral("mehr als eine Anweisung"))) << err.toStdString();
    ASSERT_EQ(test::runWerkzeug({QStringLiteral("statistik"), dir.path(), QStringLiteral("--sql"),
                                 QStringLiteral("not (Merkmal='Klon')"), QStringLiteral("--farbe"),
                                 QStringLiteral("blau")},
                                &out, &err),
              0);
    EXPECT_EQ(out.count(QLatin1Char('\n')), 3);
    EXPECT_TRUE(out.endsWith(QStringLiteral("Treffer: 2\n")));
}

} // namespace
