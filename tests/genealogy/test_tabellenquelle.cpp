// The engine-backed reader and ancestor table, and the calculation over them against the reference.

#include "genealogy/beispiel.h"
#include "genealogy/inzuchtberechnung.h"
#include "genealogy/tabellenquelle.h"
#include "oracle.h"
#include "register.h"
#include "store/anlegen.h"
#include "store/database.h"
#include "store/table.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::genealogy;

TEST(TabellenQuelle, LiestKatzenMerkmaleInIndexfolgeFarbenUndTopKatzen) {
    test::DataDir dir;
    test::schreibeKatzen(dir.path(),
                         {{1, "Zorro", 0, 0, {}}, {2, "Amira", 0, 0, {}}, {3, "Mika", 1, 2, {2}}});
    {
        store::Database db(dir.path());
        store::Table m(db, "katzemerkmal");
        m.open();
        for (int mk : {1, 2}) { // a second feature row of 1 written later, and one for Zorro
            m.append();
            m.setValue("Katze", mk == 1 ? 3 : 1);
            m.setValue("Merkmal", mk);
            m.post();
        }
        store::Table top(db, "topkatze");
        top.open();
        top.first();
        top.edit();
        top.setValue("Katze", 2);
        top.setValue("Farbe", 0x123456);
        top.post();
    }
    store::Database db(dir.path());
    TabellenKatzenQuelle q(db);
    KatzenDaten d;
    ASSERT_TRUE(q.lesen(3, d));
    EXPECT_EQ(d.Name, "Mika");
    EXPECT_EQ(d.Vater, 1);
    EXPECT_EQ(d.Mutter, 2);
    EXPECT_EQ(d.Merkmale, (QVector<qint32>{2, 1})); // index "Katze", ties in record order
    ASSERT_TRUE(q.lesen(1, d));
    EXPECT_EQ(d.Vater, 0); // empty reference
    EXPECT_EQ(d.Merkmale, (QVector<qint32>{2}));
    ASSERT_TRUE(q.lesen(2, d));
    EXPECT_TRUE(d.Merkmale.isEmpty());
    EXPECT_FALSE(q.lesen(0, d));
    EXPECT_FALSE(q.lesen(4, d));
    EXPECT_EQ(q.merkmalFarbe(1), 16711680);
    EXPECT_EQ(q.merkmalFarbe(2), 255);
    EXPECT_EQ(q.merkmalFarbe(99), std::nullopt);
    const QVector<TopKatzeZeile> top = q.topKatzen();
    ASSERT_EQ(top.size(), 5);
    EXPECT_EQ(top[0].Katze, 2);
    EXPECT_EQ(top[0].Farbe, 0x123456);
    EXPECT_EQ(top[1].Katze, 0);
    EXPECT_EQ(top[1].LaufendeNummer, 2);

    // the whole ancestry read at once gives what the single reads give
    TabellenKatzenQuelle vorab(db);
    vorab.vorfahrenVorlesen(3, 4);
    for (qint32 nr : {1, 2, 3}) {
        KatzenDaten a, b;
        ASSERT_TRUE(vorab.lesen(nr, a)) << nr;
        ASSERT_TRUE(q.lesen(nr, b));
        EXPECT_EQ(std::tie(a.Name, a.Vater, a.Mutter, a.Merkmale),
                  std::tie(b.Name, b.Vater, b.Mutter, b.Merkmale));
    }
    EXPECT_FALSE(vorab.lesen(4, d));

    // a change of the top cats is seen by the next read
    {
        store::Table t(db, "topkatze");
        t.open();
        t.last();
        t.edit();
        t.setValue("Katze", 3);
        t.post();
    }
    EXPECT_EQ(q.topKatzen()[4].Katze, 3);

    // what was read is kept, but a change of a cat or of its features is seen by the next read
    {
        store::Table t(db, "catstamm");
        t.open();
        ASSERT_TRUE(t.findKey({2}));
        t.edit();
        t.setValue("Name", "Amira II");
        t.setValue("Vater", 1);
        t.post();
    }
    ASSERT_TRUE(q.lesen(2, d));
    EXPECT_EQ(d.Name, "Amira II");
    EXPECT_EQ(d.Vater, 1);
    {
        store::Table m(db, "katzemerkmal");
        m.open();
        m.append();
        m.setValue("Katze", 2);
        m.setValue("Merkmal", 1);
        m.post();
    }
    ASSERT_TRUE(q.lesen(2, d));
    EXPECT_EQ(d.Merkmale, (QVector<qint32>{1}));
    test::schreibeKatzen(dir.path(), {{4, "Nero", 1, 2, {}}}); // another connection
    q.aktualisieren();
    ASSERT_TRUE(q.lesen(4, d));
    EXPECT_EQ(d.Name, "Nero");
}

TEST(TabellenVorfahrenZiel, LegtNeuAnSchreibtUndKuerztLangeNamen) {
    test::DataDir dir;
    store::Database db(dir.path());
    TabellenVorfahrenZiel ziel(db);
    ASSERT_TRUE(ziel.neuAnlegen());
    const QString lang(60, QLatin1Char('x'));
    ziel.schreiben({{5, "Bella", 2, std::nullopt}, {7, lang, 1, 0xFF}, {3, "Amira", 4, 7}});
    ASSERT_NE(ziel.tabelle(), nullptr);
    EXPECT_TRUE(ziel.letzterFehler.isEmpty()) << ziel.letzterFehler.toStdString();
    store::Table& t = *ziel.tabelle();
    EXPECT_EQ(t.indexName(), "IndexName");
    QStringList folge;
    for (t.first(); t.hasRecord() && !t.eof(); t.next())
        folge << t.asString("Name").left(5) + QLatin1Char('/') + QString::number(t.asInt("Anzahl"));
    EXPECT_EQ(folge, (QStringList{"Amira/4", "Bella/2", "xxxxx/1"}));
    t.setIndexName(QString());
    ASSERT_TRUE(t.findKey({7}));
    EXPECT_EQ(t.asString("Name").size(), 50);
    // the next run starts empty again
    ASSERT_TRUE(ziel.neuAnlegen());
    EXPECT_EQ(ziel.tabelle()->recordCount(), 0);
}

TEST(TabellenQuelle, BerechnungUeberDieTabellenGleichtDerReferenz) {
    test::TempDir tmp;
    const QString dir = tmp.file("r");
    BeispielParameter p;
    p.katzen = 600;
    p.generationen = 14;
    p.seed = 21;
    legeBeispielAn(dir, test::sourceDataDir(), p);
    store::Database db(dir);
    // the reference reads every cat straight from the tables
    QHash<qint32, oracle::Katze> katzen;
    QHash<qint32, QString> namen;
    {
        store::Table t(db, "catstamm");
        t.open(store::Table::OpenMode::ReadOnly);
        for (t.first(); t.hasRecord() && !t.eof(); t.next()) {
            katzen.insert(t.asInt("LaufendeNummer"), {t.asInt("Vater"), t.asInt("Mutter"), false});
            namen.insert(t.asInt("LaufendeNummer"), t.asString("Name"));
        }
        store::Table m(db, "katzemerkmal");
        m.open(store::Table::OpenMode::ReadOnly);
        for (m.first(); m.hasRecord() && !m.eof(); m.next())
            if (m.asInt("Merkmal") == 2 && katzen.contains(m.asInt("Katze")))
                katzen[m.asInt("Katze")].foundation = true;
    }
    const oracle::Lesen lesen = [&](qint32 nr, oracle::Katze& k) {
        if (nr == 0 || !katzen.contains(nr)) return false;
        k = katzen.value(nr);
        return true;
    };
    TabellenKatzenQuelle q(db);
    TFormInzuchtberechnung calc(q);
    calc.locale = QLocale(QLocale::German);
    int verglichen = 0;
    for (qint32 nr = p.katzen; nr > p.katzen - 40; --nr) {
        const oracle::Katze k = katzen.value(nr);
        const oracle::Ergebnis o = oracle::rechnen(lesen, nr, k.vater, k.mutter, 9, 1 << 10);
        ASSERT_EQ(calc.Berechne(nr, k.vater, k.mutter, 9, true), o.gerechnet) << nr;
        if (!o.gerechnet) continue;
        ++verglichen;
        EXPECT_EQ(calc.summe, o.summe) << nr;
        EXPECT_EQ(calc.zaehler, o.knoten) << nr;
        EXPECT_EQ(calc.zaehlerdoppelt, o.doppelt) << nr;
        EXPECT_EQ(calc.komplett, o.komplett) << nr;
        EXPECT_EQ(calc.Info.size(), qsizetype(o.hinweise.size())) << nr;
        QStringList inzucht;
        for (const oracle::Paar& pr : o.paare)
            inzucht << namen.value(pr.satz) + QStringLiteral(" : %1 : %2 = ").arg(pr.links).arg(pr.rechts) +
                           festFormat(pr.wert, 3, 5, calc.locale);
        if (inzucht.isEmpty()) inzucht << "48";
        EXPECT_EQ(calc.Inzucht, inzucht) << nr;
    }
    EXPECT_EQ(verglichen, 40);
}
