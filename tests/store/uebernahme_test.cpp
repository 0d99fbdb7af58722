// Taking over a directory of Paradox tables: files written here with pxlib's writer, imported by the
// tool as a breeder would run it, and checked table by table.

#include "store/database.h"
#include "store/paradox.h"
#include "store/table.h"
#include "store/uebernahme.h"
#include "support/paradoxschreiber.h"
#include "support/testsupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

extern "C" {
#include <paradox.h>
}

using namespace velmora;
using velmora::test::PxFeld;
using velmora::test::runWerkzeug;
using velmora::test::schreibeParadox;

namespace {

QString S(const char* s) {
    return QString::fromUtf8(s);
}

const QString kZwinger = S("Ä123456789Ö123456789Ü123456789ß12345678"); // 40 characters, the field's size
const QString kMemo = S("Über die Mutter: sehr ruhig, frisst gerne Hühnchen – seit 1998 im Züchterbuch.");

// Cats 1..4: 3 is the child of 1 and 2, 4 the child of 1 and 3 (inbred); 5 has no name, 6 a name too
// long; 7 has only what is required.
QList<QVariantList> katzen() {
    const QVariant leer;
    return {
        {1, S("1"), QDate(1995, 4, 1), S("Anton vom Mühlbach"), leer, leer, 10, 11, kMemo, kZwinger, true,
         S("Fisch")},
        {2, S("2"), QDate(1996, 5, 2), S("Bärbel"), leer, leer, 10, 10, leer, S("Mühlbach"), false, leer},
        {3, S("2"), QDate(1999, 12, 31), S("Cäcilie"), 1, 2, 10, 11, S("kurz"), S("Mühlbach"), leer, leer},
        {4, S("1"), QDate(2002, 2, 28), S("Dörte"), 1, 3, 10, 11, leer, S("Mühlbach"), leer, leer},
        {5, S("1"), QDate(2003, 1, 1), leer, 1, 2, leer, leer, leer, leer, leer, leer},
        {6, S("1"), leer, QString(71, QLatin1Char('x')), leer, leer, leer, leer, leer, leer, leer, leer},
        {9, S("2"), leer, S("Ida"), leer, leer, leer, leer, leer, leer, leer, leer},
    };
}

QList<PxFeld> katzenFelder() {
    return {{S("LaufendeNummer"), pxfAutoInc},
            {S("Geschlecht"), pxfAlpha, 1},
            {S("GebDatum"), pxfDate},
            {S("Name"), pxfAlpha, 80},
            {S("Vater"), pxfLong},
            {S("Mutter"), pxfLong},
            {S("Züchter"), pxfLong},
            {S("Besitzer"), pxfLong},
            {S("Bemerkung"), pxfMemoBLOb, 20},
            {S("Zwinger"), pxfAlpha, 40},
            {S("AndereRegistrierung"), pxfLogical},
            {S("Lieblingsfutter"), pxfAlpha, 20}};
}

QByteArray bild() {
    QByteArray b("\x89PNG\r\n\x1a\n", 8);
    for (int i = 0; i < 3000; ++i)
        b.append(char(i * 7));
    return b;
}

// Every file of the directory with its SHA-1.
QMap<QString, QByteArray> abdruck(const QString& dir) {
    QMap<QString, QByteArray> m;
    for (const QString& f : QDir(dir).entryList(QDir::Files)) {
        QFile file(QDir(dir).filePath(f));
        file.open(QIODevice::ReadOnly);
        m[f] = QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1);
    }
    return m;
}

class Uebernahme : public ::testing::Test {
protected:
    void SetUp() override {
        const QString q = quelle();
        QDir().mkpath(q);
        ASSERT_TRUE(schreibeParadox(q + S("/CatStamm.DB"), katzenFelder(), katzen()));
        ASSERT_TRUE(schreibeParadox(q + S("/ADR_DAT.DB"),
                                    {{S("LaufendeNr"), pxfAutoInc}, {S("Name"), pxfAlpha, 40}},
                                    {{10, S("Züchterin Weiß")}, {11, S("Besitzer Groß")}}));
        ASSERT_TRUE(schreibeParadox(
            q + S("/wurfbuch.db"),
            {{S("LaufendeNummer"), pxfAutoInc},
             {S("Katze"), pxfLong},
             {S("Kater"), pxfLong},
             {S("Wurftag"), pxfDate},
             {S("Bemerkung"), pxfMemoBLOb, 11}},
            {{1, 2, 1, QDate(1999, 12, 31), S("drei Kätzchen")}, {2, 3, 1, QDate(2002, 2, 28), QVariant()}}));
        ASSERT_TRUE(schreibeParadox(q + S("/verkauft.db"),
                                    {{S("LaufendeNummer"), pxfAutoInc},
                                     {S("Katze"), pxfLong},
                                     {S("Preisgekauft"), pxfCurrency},
                                     {S("Preisverkauft"), pxfCurrency}},
                                    {{1, 4, 19.99, 1234.5678}, {2, 3, 0.1, -0.3}}));
        ASSERT_TRUE(schreibeParadox(q + S("/zwinginfprivat.db"),
                                    {{S("LaufendeNummer"), pxfAutoInc},
                                     {S("Name"), pxfAlpha, 50},
                                     {S("Memo1"), pxfMemoBLOb, 10},
                                     {S("Bild"), pxfGraphic, 10}},
                                    {{7, S("Mit Bild"), kMemo, bild()}}));
        // A table that breaks off after its first block, and a file that is no table at all.
        QList<QVariantList> augen;
        for (int i = 1; i <= 300; ++i)
            augen << QVariantList{i, S("Farbe %1").arg(i)};
        ASSERT_TRUE(schreibeParadox(
            q + S("/augen.db"), {{S("LaufendeNummer"), pxfAutoInc}, {S("Augenfarbe"), pxfAlpha, 40}}, augen));
        QFile augenDatei(q + S("/augen.db"));
        ASSERT_TRUE(augenDatei.resize(0x800 + 0x800 * 2 + 100));
        QFile farbe(q + S("/farbe.db"));
        ASSERT_TRUE(farbe.open(QIODevice::WriteOnly));
        farbe.write(QByteArray(3000, 'x'));
        farbe.close();
        ASSERT_TRUE(schreibeParadox(q + S("/altlast.db"), {{S("Nr"), pxfLong}}, {{1}}));
        vorher = abdruck(q);
    }
    QString quelle() const { return dir.file(S("alt")); }
    QString ziel() const { return dir.file(S("neu/Daten")); }

    velmora::test::TempDir dir;
    QMap<QString, QByteArray> vorher;
};

TEST_F(Uebernahme, ToolTakesOverEveryTableFieldByFieldAndReportsWhatItRefused) {
    QString out, err;
    ASSERT_EQ(runWerkzeug({S("importieren"), quelle(), ziel()}, &out, &err), 1)
        << err.toStdString() << out.toStdString();
    EXPECT_EQ(abdruck(quelle()), vorher) << "the source was changed";

    QFile berichtDatei(ziel() + S("/import-bericht.txt"));
    ASSERT_TRUE(berichtDatei.open(QIODevice::ReadOnly));
    const QString bericht = QString::fromUtf8(berichtDatei.readAll());
    EXPECT_EQ(bericht, out);
    for (const char* zeile : {"catstamm (CatStamm.DB): 7 gelesen, 5 übernommen, 2 abgewiesen",
                              "abgewiesen: Satz 5 (Nummer 5): Pflichtfeld Name ist leer",
                              "abgewiesen: Satz 6 (Nummer 6): Text in Name länger als 70 Zeichen (71)",
                              "unbekannte Felder, nicht übernommen: Lieblingsfutter",
                              "adr_dat (ADR_DAT.DB): 2 gelesen, 2 übernommen",
                              "wurfbuch (wurfbuch.db): 2 gelesen, 2 übernommen, 0 abgewiesen",
                              "augen (augen.db): ", "beschädigt: ab Satz", "farbe.db: keine Paradox-Tabelle",
                              "altlast.db", "bewert", "Zusammen: "})
        EXPECT_TRUE(bericht.contains(S(zeile))) << zeile << "\n" << bericht.toStdString();

    store::Database db(ziel());
    store::Table k(db, S("catstamm"));
    k.open();
    EXPECT_EQ(k.recordCount(), 5);
    ASSERT_TRUE(k.findKey({1}));
    EXPECT_EQ(k.asString(S("Name")), S("Anton vom Mühlbach"));
    EXPECT_EQ(k.asString(S("Zwinger")), kZwinger);
    EXPECT_EQ(k.asString(S("Bemerkung")), kMemo);
    EXPECT_EQ(k.asDate(S("GebDatum")), QDate(1995, 4, 1));
    EXPECT_EQ(k.asInt(S("Züchter")), 10);
    EXPECT_EQ(k.asInt(S("Besitzer")), 11);
    EXPECT_TRUE(k.asBool(S("AndereRegistrierung")));
    ASSERT_TRUE(k.findKey({2}));
    EXPECT_FALSE(k.isNull(S("AndereRegistrierung")));
    EXPECT_FALSE(k.asBool(S("AndereRegistrierung")));
    EXPECT_TRUE(k.isNull(S("Bemerkung")));
    ASSERT_TRUE(k.findKey({4}));
    EXPECT_EQ(k.asInt(S("Vater")), 1);
    EXPECT_EQ(k.asInt(S("Mutter")), 3);
    EXPECT_EQ(k.asDate(S("GebDatum")), QDate(2002, 2, 28));
    ASSERT_TRUE(k.findKey({9}));
    EXPECT_TRUE(k.isNull(S("Zwinger")));
    EXPECT_TRUE(k.isNull(S("GebDatum")));
    // The counter continues after the highest number taken over.
    k.append();
    k.setValue(S("Name"), S("Neu"));
    k.setValue(S("Geschlecht"), S("1"));
    k.post();
    EXPECT_EQ(k.asInt(S("LaufendeNummer")), 10);

    store::Table w(db, S("wurfbuch"));
    w.open();
    ASSERT_TRUE(w.findKey({1}));
    EXPECT_EQ(w.asInt(S("Katze")), 2);
    EXPECT_EQ(w.asString(S("Bemerkung")), S("drei Kätzchen"));

    store::Table v(db, S("verkauft"));
    v.open();
    ASSERT_TRUE(v.findKey({1}));
    EXPECT_EQ(qRound64(v.asFloat(S("Preisgekauft")) * 10000), 199900);
    EXPECT_EQ(qRound64(v.asFloat(S("Preisverkauft")) * 10000), 12345678);
    ASSERT_TRUE(v.findKey({2}));
    EXPECT_EQ(qRound64(v.asFloat(S("Preisverkauft")) * 10000), -3000);

    store::Table z(db, S("zwinginfprivat"));
    z.open();
    ASSERT_TRUE(z.findKey({7}));
    EXPECT_EQ(z.value(S("Bild")).toByteArray(), bild());
    EXPECT_EQ(z.asString(S("Memo1")), kMemo);

    // What the source lacked comes as a new installation has it; the unreadable table too.
    store::Table topkatze(db, S("topkatze"));
    topkatze.open();
    EXPECT_EQ(topkatze.recordCount(), 5);
    store::Table rasse(db, S("rasse"));
    rasse.open();
    EXPECT_GT(rasse.recordCount(), 10);
    store::Table a(db, S("augen"));
    a.open();
    EXPECT_GT(a.recordCount(), 0);
    EXPECT_LT(a.recordCount(), 300);
}

TEST_F(Uebernahme, InbreedingOverTheImportedRegisterEqualsTheDirectlyBuiltOne) {
    ASSERT_EQ(runWerkzeug({S("importieren"), quelle(), ziel()}), 1);
    velmora::test::DataDir direkt;
    {
        store::Database db(direkt.path());
        store::Table t(db, S("catstamm"));
        t.open();
        for (const QVariantList& r : katzen()) {
            if (r[3].toString().isEmpty() || r[3].toString().size() > 70) continue;
            t.append();
            t.setValue(S("LaufendeNummer"), r[0]);
            t.setValue(S("Geschlecht"), r[1]);
            t.setValue(S("Name"), r[3]);
            t.setValue(S("Vater"), r[4]);
            t.setValue(S("Mutter"), r[5]);
            t.post();
        }
    }
    QString importiert, gebaut, err;
    ASSERT_EQ(runWerkzeug({S("inzucht"), ziel(), S("--katze"), S("4"), S("--generationen"), S("5")},
                          &importiert, &err),
              0)
        << err.toStdString();
    ASSERT_EQ(runWerkzeug({S("inzucht"), direkt.path(), S("--katze"), S("4"), S("--generationen"), S("5")},
                          &gebaut),
              0);
    EXPECT_EQ(importiert, gebaut);
    EXPECT_TRUE(importiert.contains(S("25"))) << importiert.toStdString(); // 1 x (1 x 2): F = 0.25
}

TEST_F(Uebernahme, RefusesAnExistingTargetAndTakesOverTheKnownSettings) {
    QDir().mkpath(ziel());
    QString err;
    EXPECT_EQ(runWerkzeug({S("importieren"), quelle(), ziel()}, nullptr, &err), 2);
    EXPECT_TRUE(err.contains(S("gibt es schon"))) << err.toStdString();
    EXPECT_EQ(runWerkzeug({S("importieren"), dir.file(S("fehlt")), dir.file(S("x"))}), 2);
    EXPECT_EQ(runWerkzeug({S("importieren"), quelle()}), 64);

    QFile alt(dir.file(S("TESSARO.INI")));
    ASSERT_TRUE(alt.open(QIODevice::WriteOnly));
    alt.write("[System]\r\nSprache=Englisch\r\nFremd=1\r\n[Stammdaten]\r\nFarbe=Schwarz-wei\xdf\r\n"
              "[LASTCATS]\r\nCat2=Anton {1}\r\n[Alt]\r\nPfad=C:\\x\r\n");
    alt.close();
    const QString konfig = dir.file(S("konfig"));
    const QString neu = dir.file(S("neu2"));
    QString out;
    ASSERT_EQ(runWerkzeug({S("importieren"), quelle(), neu, S("--einstellungen-von"), alt.fileName()}, &out,
                          &err, {S("XDG_CONFIG_HOME=") + konfig}),
              1)
        << err.toStdString();
    EXPECT_TRUE(out.contains(S("3 Schlüssel aus"))) << out.toStdString();
    QString einstellungen;
    ASSERT_EQ(runWerkzeug({S("einstellungen"), S("--einstellungen"), konfig + S("/Velmora")}, &einstellungen),
              0);
    EXPECT_TRUE(einstellungen.contains(S("Sprache=1"))) << einstellungen.toStdString();
    EXPECT_TRUE(einstellungen.contains(S("FarbeStandardeinstellung=Schwarz-weiß")));
    QFile ini(konfig + S("/Velmora/Tessaro.ini"));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray inhalt = ini.readAll();
    EXPECT_FALSE(inhalt.contains("Fremd"));
    EXPECT_FALSE(inhalt.contains("[Alt]"));
}

// The reader alone, on the damaged files the import must survive.
TEST(ParadoxTabelle, NamesWhatIsWrongWithAFileInsteadOfReadingPastIt) {
    velmora::test::TempDir dir;
    const QString pfad = dir.file(S("t.db"));
    ASSERT_TRUE(schreibeParadox(pfad, {{S("Nr"), pxfLong}, {S("Text"), pxfMemoBLOb, 10}},
                                {{1, S("ein Text, der in die MB-Datei muss")}}));
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray gut = f.readAll();
    QFile mbDatei(dir.file(S("t.mb")));
    ASSERT_TRUE(mbDatei.open(QIODevice::ReadOnly));
    const QByteArray mb = mbDatei.readAll();

    struct Fall {
        const char* name;
        QByteArray db;
        QByteArray mb;
        const char* fehler; // on opening; nullptr: opens
        const char* wert;   // the memo's reading error; nullptr: reads
    };
    QByteArray felder = gut;
    felder[0x21] = char(200);
    QByteArray satz = gut;
    satz[0] = char(3);
    // Found by fuzzing: no blocks but a first block made pxlib free its block list twice.
    QByteArray doppelteFreigabe = gut;
    doppelteFreigabe[0x0C] = doppelteFreigabe[0x0D] = char(0);
    doppelteFreigabe[0x0E] = char(0);
    doppelteFreigabe[0x0F] = char(0x80);
    QByteArray kopf = gut;
    kopf[0x02] = char(0xFF);
    kopf[0x03] = char(0x7F);
    // Found by fuzzing: pxlib walked a chain of blocks that came back on itself for minutes.
    const int block = quint8(gut[0x02]) | quint8(gut[0x03]) << 8;
    QByteArray schleife = gut;
    schleife[block] = char(1);
    schleife[block + 1] = char(0);
    QByteArray ueberfuellt = gut;
    ueberfuellt[block + 4] = char(0);
    ueberfuellt[block + 5] = char(0x7F);
    QFile gefunden(S(VELMORA_SOURCE_DIR "/tests/fuzz/korpus/fuzz_paradox/haengt-beim-oeffnen.bin"));
    ASSERT_TRUE(gefunden.open(QIODevice::ReadOnly));
    const QList<Fall> faelle = {
        {"whole", gut, mb, nullptr, nullptr},
        {"empty", QByteArray(), mb, "zu kurz", nullptr},
        {"field count", felder, mb, "keine Paradox-Tabelle", nullptr},
        {"record size", satz, mb, "Satzlänge", nullptr},
        {"header beyond the file", kopf, mb, "Kopf beschädigt", nullptr},
        {"double free on a block list without blocks", doppelteFreigabe, mb, "Blockliste beschädigt",
         nullptr},
        {"hang on a block chain that loops", schleife, mb, "Blockkette beschädigt", nullptr},
        {"a block holding more than fits", ueberfuellt, mb, "überfüllt", nullptr},
        {"hang on the file the fuzzer found", gefunden.readAll(), QByteArray(), "keine Paradox-Tabelle",
         nullptr},
        {"memo file missing", gut, QByteArray(), nullptr, "die .MB-Datei fehlt"},
        {"memo file cut", gut, mb.left(4100), nullptr, "außerhalb der .MB-Datei"},
    };
    for (const Fall& c : faelle) {
        store::ParadoxTabelle t;
        const bool offen = t.oeffnenDaten(c.db, c.mb);
        EXPECT_EQ(offen, c.fehler == nullptr) << c.name;
        if (!offen) {
            EXPECT_TRUE(t.fehler().contains(S(c.fehler))) << c.name << ": " << t.fehler().toStdString();
            continue;
        }
        QList<store::ParadoxWert> w;
        ASSERT_TRUE(t.naechster(w)) << c.name;
        EXPECT_EQ(w[0].wert.toLongLong(), 1) << c.name;
        if (c.wert)
            EXPECT_TRUE(w[1].fehler.contains(S(c.wert))) << c.name << ": " << w[1].fehler.toStdString();
        else
            EXPECT_EQ(w[1].wert.toString(), S("ein Text, der in die MB-Datei muss")) << c.name;
        EXPECT_FALSE(t.naechster(w));
    }
}

} // namespace
