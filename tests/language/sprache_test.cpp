// Message and caption lookup over small language tables, the meldung tool and the text check.

#include "language/sprache.h"
#include "language/textpruefung.h"
#include "store/catalogue.h"
#include "store/table.h"
#include "support/testsupport.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::language;
using velmora::test::DataDir;
using velmora::test::runWerkzeug;
using velmora::test::TempDir;

namespace {

struct Beschriftung {
    int nummer;
    const char* name;
    const char* hilfe;
};

void meldungenAnlegen(store::Database& db, std::initializer_list<std::pair<int, const char*>> zeilen) {
    db.createTable(*store::catalogueTable(QStringLiteral("sprmel")));
    store::Table t(db, QStringLiteral("sprmel"));
    t.open();
    for (const auto& [n, text] : zeilen) {
        t.append();
        t.setValue(QStringLiteral("Nummer"), n);
        t.setValue(QStringLiteral("Meldung"), QString::fromUtf8(text));
        t.post();
    }
    t.close();
}

void beschriftungenAnlegen(store::Database& db, std::initializer_list<Beschriftung> zeilen) {
    db.createTable(*store::catalogueTable(QStringLiteral("sprache")));
    store::Table t(db, QStringLiteral("sprache"));
    t.open();
    for (const auto& z : zeilen) {
        t.append();
        t.setValue(QStringLiteral("Nummer"), z.nummer);
        t.setValue(QStringLiteral("FeldName"), QString::fromUtf8(z.name));
        t.setValue(QStringLiteral("FeldHilfe"), QString::fromUtf8(z.hilfe));
        t.post();
    }
    t.close();
}

QString quellOrdner() {
    return QDir(velmora::test::sourceDataDir()).absoluteFilePath(QStringLiteral("../src"));
}

} // namespace

TEST(Sprachschluessel, OffsetsOfNumbersAndNames) {
    EXPECT_EQ(spracheOffset(0), 0);
    EXPECT_EQ(spracheOffset(1), 10000);
    EXPECT_EQ(spracheOffset(2), 20000);
    EXPECT_EQ(spracheOffset(7), 0);
    EXPECT_EQ(spracheOffset(QStringLiteral("Englisch")), 10000);
    EXPECT_EQ(spracheOffset(QStringLiteral("HOLLAENDISCH")), 20000);
    EXPECT_EQ(spracheOffset(QStringLiteral("deutsch")), 0);
    EXPECT_EQ(spracheOffset(QStringLiteral("english")), 0); // only the German language names count
}

TEST(Ampersand, OnlyTheFirstIsRemoved) {
    QString a = QStringLiteral("&Name");
    AmpersandEntfernen(a);
    EXPECT_EQ(a, QStringLiteral("Name"));
    QString b = QStringLiteral("A&b&c");
    AmpersandEntfernen(b);
    EXPECT_EQ(b, QStringLiteral("Ab&c"));
    QString c = QStringLiteral("ohne");
    AmpersandEntfernen(c);
    EXPECT_EQ(c, QStringLiteral("ohne"));
    QString d = QStringLiteral("Ende&");
    AmpersandEntfernen(d);
    EXPECT_EQ(d, QStringLiteral("Ende"));
}

TEST(Meldungen, EachLanguageReadsExactlyItsOwnKey) {
    TempDir dir;
    store::Database db(dir.path());
    meldungenAnlegen(
        db, {{5, "deutsch fünf"}, {10005, "english five"}, {20005, "nederlands vijf"}, {6, "nur deutsch"}});
    beschriftungenAnlegen(db, {});
    TSprache s(db, 0);
    ASSERT_TRUE(s.oeffnen());
    EXPECT_EQ(s.meldung(5), QStringLiteral("deutsch fünf"));
    s.setSprache(1);
    EXPECT_EQ(s.meldung(5), QStringLiteral("english five"));
    s.setSprache(2);
    EXPECT_EQ(s.meldung(5), QStringLiteral("nederlands vijf"));
    // No falling back to German: a missing Dutch text leaves the caller's text.
    QString t = QStringLiteral("Vorgabe");
    s.MeldungLaden(6, t);
    EXPECT_EQ(t, QStringLiteral("Vorgabe"));
    s.setSprache(0);
    s.MeldungLaden(6, t);
    EXPECT_EQ(t, QStringLiteral("nur deutsch"));
}

TEST(Meldungen, MissingNumberOrClosedTableKeepsTheFallback) {
    TempDir dir;
    store::Database db(dir.path());
    beschriftungenAnlegen(db, {{58, "Katzen", ""}}); // no sprmel table at all
    TSprache s(db, 0);
    EXPECT_FALSE(s.oeffnen());
    EXPECT_FALSE(s.meldungenOffen());
    EXPECT_TRUE(s.beschriftungenOffen());
    EXPECT_EQ(s.meldung(16, QStringLiteral("Programm beenden!")), QStringLiteral("Programm beenden!"));
    EXPECT_EQ(s.feldName(58), QStringLiteral("Katzen"));

    TempDir dir2;
    store::Database db2(dir2.path());
    meldungenAnlegen(db2, {{1, "eins"}});
    beschriftungenAnlegen(db2, {});
    TSprache s2(db2, 0);
    ASSERT_TRUE(s2.oeffnen());
    EXPECT_EQ(s2.meldung(16, QStringLiteral("Exit program!")), QStringLiteral("Exit program!"));
    EXPECT_EQ(s2.meldung(16), QString());
    EXPECT_EQ(s2.meldung(1, QStringLiteral("x")), QStringLiteral("eins"));
}

TEST(Meldungen, FreeFunctionsWithoutInstanceLeaveTheText) {
    setAktuelleSprache(nullptr);
    QString t = QStringLiteral("bleibt");
    MeldungLaden(1, t);
    FeldNameLaden(1, t);
    FeldNameSprache(1, QStringLiteral("englisch"), t);
    EXPECT_EQ(t, QStringLiteral("bleibt"));

    TempDir dir;
    store::Database db(dir.path());
    meldungenAnlegen(db, {{10001, "one"}});
    beschriftungenAnlegen(db, {{10002, "&Two", "hint"}});
    TSprache s(db, 1);
    ASSERT_TRUE(s.oeffnen());
    setAktuelleSprache(&s);
    EXPECT_EQ(meldung(1), QStringLiteral("one"));
    EXPECT_EQ(feldName(2), QStringLiteral("&Two"));
    EXPECT_EQ(feldName(3), QString());
    setAktuelleSprache(nullptr);
}

TEST(Beschriftungen, FoundMissingAndClosed) {
    TempDir dir;
    store::Database db(dir.path());
    meldungenAnlegen(db, {});
    beschriftungenAnlegen(
        db, {{58, "Katzen", "Tabellen"}, {10058, "Cats", "Tables"}, {20058, "Katten", "Tabellen"}});
    TSprache s(db, 1);
    ASSERT_TRUE(s.oeffnen());
    QString t = QStringLiteral("vorher");
    s.FeldNameLaden(58, t);
    EXPECT_EQ(t, QStringLiteral("Cats"));
    EXPECT_EQ(s.feldHilfeAktuell(), QStringLiteral("Tables")); // the cursor stays on the record found
    t = QStringLiteral("vorher");
    s.FeldNameLaden(59, t);
    EXPECT_EQ(t, QString()); // missing caption: empty, not unchanged

    s.FeldNameSprache(58, QStringLiteral("Hollaendisch"), t);
    EXPECT_EQ(t, QStringLiteral("Katten"));
    s.FeldNameSprache(58, QStringLiteral("deutsch"), t);
    EXPECT_EQ(t, QStringLiteral("Katzen"));
    s.FeldNameSprache(58, QStringLiteral("klingonisch"), t);
    EXPECT_EQ(t, QStringLiteral("Katzen"));

    s.schliessen();
    t = QStringLiteral("vorher");
    s.FeldNameLaden(58, t);
    EXPECT_EQ(t, QStringLiteral("vorher"));
    EXPECT_FALSE(s.beschriftungSuchen(10058));
}

TEST(Beschriftungen, FollowingRecordsInKeyOrderAndEndOfTable) {
    TempDir dir;
    store::Database db(dir.path());
    meldungenAnlegen(db, {});
    beschriftungenAnlegen(db, {{700, "Gruppe", "Hilfe"},
                               {701, "eins", ""},
                               {20700, "Groep", "Hulp"},
                               {20704, "vier", ""},
                               {20750, "vijftig", ""},
                               {20800, "laatste", "eind"}});
    TSprache s(db, 2);
    ASSERT_TRUE(s.oeffnen());
    ASSERT_TRUE(s.beschriftungSuchen(700 + s.offset()));
    EXPECT_EQ(s.feldNameAktuell(), QStringLiteral("Groep"));
    EXPECT_EQ(s.feldHilfeAktuell(), QStringLiteral("Hulp"));
    s.naechsteBeschriftung(); // gaps in the numbers do not matter
    EXPECT_EQ(s.feldNameAktuell(), QStringLiteral("vier"));
    s.naechsteBeschriftung();
    EXPECT_EQ(s.feldNameAktuell(), QStringLiteral("vijftig"));
    s.naechsteBeschriftung();
    EXPECT_EQ(s.feldNameAktuell(), QStringLiteral("laatste"));
    s.naechsteBeschriftung(); // past the end: the last record stays current
    EXPECT_EQ(s.feldNameAktuell(), QStringLiteral("laatste"));
    s.naechsteBeschriftung();
    EXPECT_EQ(s.feldHilfeAktuell(), QStringLiteral("eind"));
    // A failed search leaves the cursor where it was.
    EXPECT_FALSE(s.beschriftungSuchen(20701));
    EXPECT_EQ(s.feldNameAktuell(), QStringLiteral("laatste"));
}

TEST(MeldungWerkzeug, PrintsTheDeliveredTextsInEachLanguage) {
    DataDir dir;
    QString out, err;
    ASSERT_EQ(runWerkzeug({QStringLiteral("meldung"), dir.path(), QStringLiteral("16")}, &out, &err), 0)
        << err.toStdString();
    EXPECT_EQ(out.trimmed(), QStringLiteral("Programm beenden!"));
    ASSERT_EQ(runWerkzeug({QStringLiteral("meldung"), dir.path(), QStringLiteral("16"),
                           QStringLiteral("--sprache"), QStringLiteral("englisch")},
                          &out, &err),
              0);
    EXPECT_EQ(out.trimmed(), QStringLiteral("Exit program!"));
    ASSERT_EQ(runWerkzeug({QStringLiteral("meldung"), dir.path(), QStringLiteral("225"),
                           QStringLiteral("--sprache"), QStringLiteral("hollaendisch")},
                          &out, &err),
              0);
    EXPECT_FALSE(out.trimmed().isEmpty());
    QString deutsch;
    runWerkzeug({QStringLiteral("meldung"), dir.path(), QStringLiteral("225")}, &deutsch, &err);
    EXPECT_NE(out, deutsch);
    // A number without text gives an empty line.
    ASSERT_EQ(runWerkzeug({QStringLiteral("meldung"), dir.path(), QStringLiteral("9999")}, &out, &err), 0);
    EXPECT_EQ(out, QStringLiteral("\n"));
    EXPECT_EQ(runWerkzeug({QStringLiteral("meldung"), dir.path(), QStringLiteral("16"),
                           QStringLiteral("--sprache"), QStringLiteral("english")},
                          &out, &err),
              64);
    EXPECT_EQ(runWerkzeug({QStringLiteral("meldung"), dir.path(), QStringLiteral("sechzehn")}, &out, &err),
              64);
}

TEST(Textpruefung, ScannerFindsEveryWrittenForm) {
    TextNummern n;
    textNummernAusText(
        QStringLiteral("MeldungLaden( 12 , t); x = meldung(13); meldung(14, QStringLiteral(\"a\"));\n"
                       "FeldNameLaden(20, t); feldName(21); FeldNameSprache(22, s, t);\n"
                       "setTag(knopf, 23); setTag(ui->menu(), 24); w->setProperty(\"tag\", 25);\n"
                       "// texte: meldung 30 31-33\n// texte: feldname 40-42, 45\n"
                       "MeldungLaden(basis + 1, t); setTag(x, 0);"),
        n);
    EXPECT_EQ(n.meldungen, (QSet<int>{12, 13, 14, 30, 31, 32, 33}));
    EXPECT_EQ(n.beschriftungen, (QSet<int>{20, 21, 22, 23, 24, 25, 40, 41, 42, 45}));
}

TEST(Textpruefung, ReportsEachMissingLanguage) {
    TempDir dir;
    store::Database db(dir.path());
    meldungenAnlegen(db, {{1, "a"}, {10001, "b"}, {20001, "c"}, {2, "a"}, {20002, "c"}});
    TextNummern n;
    n.meldungen = {1, 2};
    n.beschriftungen = {7};
    const auto f = fehlendeTexte(n, db); // no sprache table: every caption language missing
    ASSERT_EQ(f.size(), 2);
    EXPECT_TRUE(f[0].meldung);
    EXPECT_EQ(f[0].nummer, 2);
    EXPECT_EQ(f[0].sprachen, QStringList{QStringLiteral("englisch")});
    EXPECT_FALSE(f[1].meldung);
    EXPECT_EQ(f[1].nummer, 7);
    EXPECT_EQ(f[1].sprachen.size(), 3);
}

TEST(Textpruefung, EveryNumberUsedInTheSourcesHasAllThreeLanguages) {
    const TextNummern n = textNummernSuchen(quellOrdner());
    ASSERT_FALSE(n.meldungen.isEmpty() && n.beschriftungen.isEmpty()); // the scan really read the sources
    store::Database db(velmora::test::deliveredDataDir());
    QStringList fehlend;
    for (const auto& f : fehlendeTexte(n, db))
        fehlend << QStringLiteral("%1 %2: %3")
                       .arg(f.meldung ? QStringLiteral("message") : QStringLiteral("caption"))
                       .arg(f.nummer)
                       .arg(f.sprachen.join(QLatin1Char(',')));
    EXPECT_TRUE(fehlend.isEmpty()) << fehlend.join(QLatin1Char('\n')).toStdString();

    QString out, err;
    EXPECT_EQ(runWerkzeug({QStringLiteral("texte-pruefen"), velmora::test::deliveredDataDir(),
                           QStringLiteral("--quelle"), quellOrdner()},
                          &out, &err),
              0)
        << out.toStdString();
}

TEST(Textpruefung, EveryDeliveredGermanTextHasEnglishAndDutch) {
    store::Database db(velmora::test::deliveredDataDir());
    for (const char* name : {"sprmel", "sprache"}) {
        store::Table t(db, QString::fromLatin1(name));
        t.open(store::Table::OpenMode::ReadOnly);
        t.setIndexName(QString());
        QSet<int> keys;
        for (t.first(); !t.eof(); t.next())
            keys.insert(t.asInt(QStringLiteral("Nummer")));
        EXPECT_GT(keys.size(), 100) << name;
        for (int k : keys)
            if (k < 10000) {
                EXPECT_TRUE(keys.contains(k + 10000)) << name << " " << k << " has no English text";
                EXPECT_TRUE(keys.contains(k + 20000)) << name << " " << k << " has no Dutch text";
            }
    }
    // Texts quoted in the frame's own rules.
    TSprache s(db, 0);
    ASSERT_TRUE(s.oeffnen());
    EXPECT_EQ(s.meldung(16), QStringLiteral("Programm beenden!"));
    EXPECT_EQ(s.feldName(626), QStringLiteral("Anzahl Katzen :"));
    EXPECT_EQ(s.feldName(106), QStringLiteral("&Zwingerregister"));
    EXPECT_EQ(s.feldName(1485), QStringLiteral("Jahre"));
    s.setSprache(1);
    EXPECT_EQ(s.meldung(16), QStringLiteral("Exit program!"));
}
