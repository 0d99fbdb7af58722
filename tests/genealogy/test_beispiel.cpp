// The generated register: same seed, same register; every link and date as a real register has them.

#include "genealogy/inzuchtberechnung.h"
#include "genealogy/tabellenquelle.h"
#include "store/database.h"
#include "support/testsupport.h"

#include <QDate>
#include <QDir>
#include <QHash>
#include <QSet>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

QStringList zeilen(const QString& dir, const QString& sql) {
    store::Database db(dir);
    store::Query q(db, sql);
    QStringList r;
    while (q.next()) {
        QStringList zellen;
        for (int i = 0; i < q.columnCount(); ++i)
            zellen << q.value(i).toString();
        r << zellen.join(QLatin1Char('|'));
    }
    return r;
}

QString erzeuge(const test::TempDir& tmp, const QString& name, int katzen, int generationen, int seed) {
    const QString dir = tmp.file(name);
    QString out, err;
    const int rc = test::runWerkzeug({"beispiel", dir, "--katzen", QString::number(katzen), "--generationen",
                                      QString::number(generationen), "--seed", QString::number(seed)},
                                     &out, &err);
    EXPECT_EQ(rc, 0) << err.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("Katzen: %1\n").arg(katzen))) << out.toStdString();
    return dir;
}

const QString kKatzen = QStringLiteral("SELECT * FROM catstamm ORDER BY LaufendeNummer");
const QString kMerkmale = QStringLiteral("SELECT Katze, Merkmal FROM katzemerkmal ORDER BY LaufendeNummer");

} // namespace

TEST(Beispiel, GleicherSeedGleichesRegisterAndererSeedAnderes) {
    test::TempDir tmp;
    const QString a = erzeuge(tmp, "a", 400, 8, 5);
    const QString b = erzeuge(tmp, "b", 400, 8, 5);
    const QString c = erzeuge(tmp, "c", 400, 8, 6);
    const QStringList ka = zeilen(a, kKatzen);
    EXPECT_EQ(ka.size(), 400);
    EXPECT_EQ(ka, zeilen(b, kKatzen));
    EXPECT_EQ(zeilen(a, kMerkmale), zeilen(b, kMerkmale));
    EXPECT_NE(ka, zeilen(c, kKatzen));
    // an existing register is never overwritten
    QString err;
    EXPECT_EQ(test::runWerkzeug({"beispiel", a, "--katzen", "10"}, nullptr, &err), 1);
    EXPECT_EQ(zeilen(a, kKatzen), ka);
    EXPECT_EQ(test::runWerkzeug({"beispiel", tmp.file("d")}), 64); // --katzen is required
}

TEST(Beispiel, ElternGibtEsSindAelterUndVomRichtigenGeschlecht) {
    test::TempDir tmp;
    const int n = 1500;
    const QString dir = erzeuge(tmp, "r", n, 12, 11);
    struct K {
        QString geschlecht;
        QDate geboren;
        qint32 vater, mutter;
        QString farbe;
        qint32 rasse;
        QString name;
    };
    QHash<qint32, K> katzen;
    {
        // "Rasse" is also a table name, so the columns are read from SELECT * by name
        store::Database db(dir);
        store::Query q(db, "SELECT * FROM catstamm");
        while (q.next())
            katzen.insert(q.value("LaufendeNummer").toInt(),
                          {q.value("Geschlecht").toString(),
                           QDate::fromString(q.value("GebDatum").toString(), Qt::ISODate),
                           q.value("Vater").toInt(), q.value("Mutter").toInt(),
                           q.value("FellFarbe").toString(), q.value("Rasse").toInt(),
                           q.value("Name").toString()});
    }
    ASSERT_EQ(katzen.size(), n);
    const QStringList farbListe = zeilen(dir, "SELECT Farbname FROM farbe");
    const QSet<QString> farben(farbListe.begin(), farbListe.end());
    const QStringList rasseListe = zeilen(dir, "SELECT RCode FROM rasse");
    const QSet<QString> rassen(rasseListe.begin(), rasseListe.end());
    int gruender = 0;
    QSet<qint32> vaeter;
    for (auto it = katzen.cbegin(); it != katzen.cend(); ++it) {
        const K& k = *it;
        EXPECT_TRUE(k.geschlecht == "1" || k.geschlecht == "2");
        EXPECT_TRUE(k.geboren.isValid());
        EXPECT_FALSE(k.name.isEmpty());
        EXPECT_TRUE(farben.contains(k.farbe)) << k.farbe.toStdString();
        EXPECT_TRUE(rassen.contains(QString::number(k.rasse)));
        EXPECT_EQ(k.vater == 0, k.mutter == 0) << it.key();
        if (k.vater == 0) {
            ++gruender;
            continue;
        }
        vaeter.insert(k.vater);
        ASSERT_TRUE(katzen.contains(k.vater) && katzen.contains(k.mutter)) << it.key();
        const K& v = katzen[k.vater];
        const K& m = katzen[k.mutter];
        EXPECT_EQ(v.geschlecht, "1");
        EXPECT_EQ(m.geschlecht, "2");
        EXPECT_EQ(k.rasse, v.rasse); // closed population per breed
        // two to three years after the younger parent
        const qint64 abstand = std::max(v.geboren, m.geboren).daysTo(k.geboren);
        EXPECT_GE(abstand, 730) << it.key();
        EXPECT_LE(abstand, 1095) << it.key();
    }
    EXPECT_GT(gruender, 0);
    EXPECT_LT(gruender, n / 5);
    // popular sires: far fewer sires than toms
    EXPECT_LT(vaeter.size(), (n - gruender) / 8);

    const QStringList merkmale = zeilen(dir, "SELECT Katze, Merkmal FROM katzemerkmal");
    EXPECT_GT(merkmale.size(), 0);
    const QStringList merkmalListe = zeilen(dir, "SELECT LaufendeNummer FROM merkmale");
    const QSet<QString> bekannt(merkmalListe.begin(), merkmalListe.end());
    for (const QString& z : merkmale) {
        const QStringList f = z.split(QLatin1Char('|'));
        EXPECT_TRUE(katzen.contains(f[0].toInt()));
        EXPECT_TRUE(bekannt.contains(f[1]));
        if (f[1] == "2") EXPECT_EQ(katzen[f[0].toInt()].vater, 0) << "Foundation only on founders";
    }

    // Pedigrees of the youngest cats collapse and show inbreeding.
    store::Database db(dir);
    genealogy::TabellenKatzenQuelle quelle(db);
    genealogy::TFormInzuchtberechnung calc(quelle);
    int mitVerlust = 0, mitInzucht = 0;
    for (qint32 nr = n; nr > n - 30; --nr) {
        ASSERT_TRUE(calc.Berechne(nr, katzen[nr].vater, katzen[nr].mutter, 10, false));
        if (calc.zaehlerdoppelt > 0) ++mitVerlust;
        if (calc.AnzahlPaare > 0) ++mitInzucht;
    }
    EXPECT_GE(mitVerlust, 25);
    EXPECT_GE(mitInzucht, 10);
}

// Detail rows: one litter-book row per litter (kittens of one mother, father and birth day) with its
// mating-book row, the rest spread over living dates of existing cats; about as many as asked.
TEST(Beispiel, DetailzeilenPassenZuDenWuerfenUndKatzen) {
    test::TempDir tmp;
    const QString dir = tmp.file(QStringLiteral("d"));
    QString out, err;
    ASSERT_EQ(test::runWerkzeug({"beispiel", dir, "--katzen", "600", "--details", "6000"}, &out, &err), 0)
        << err.toStdString();
    const QStringList katzen = zeilen(dir, QStringLiteral("SELECT LaufendeNummer, Vater, Mutter, GebDatum, "
                                                          "Geschlecht FROM catstamm"));
    QSet<QString> wuerfe;
    QHash<QString, int> groesse;
    QHash<int, QDate> geboren;
    QSet<int> katzenNr;
    for (const QString& z : katzen) {
        const QStringList f = z.split(u'|');
        katzenNr << f[0].toInt();
        geboren[f[0].toInt()] = QDate::fromString(f[3], Qt::ISODate);
        if (f[2].toInt() > 0) {
            const QString w = f[2] + u'|' + f[1] + u'|' + f[3];
            wuerfe << w;
            ++groesse[w];
        }
    }
    const QStringList wb = zeilen(dir, QStringLiteral("SELECT Katze, Kater, Wurftag, Wurfstaerke, Decktermin "
                                                      "FROM wurfbuch"));
    ASSERT_EQ(wb.size(), wuerfe.size());
    for (const QString& z : wb) {
        const QStringList f = z.split(u'|');
        const QString w = f[0] + u'|' + f[1] + u'|' + f[2];
        ASSERT_TRUE(wuerfe.contains(w)) << w.toStdString();
        EXPECT_EQ(f[3].toInt(), groesse[w]);
        const qint64 tragzeit = QDate::fromString(f[4], Qt::ISODate).daysTo(QDate::fromString(f[2], Qt::ISODate));
        EXPECT_TRUE(tragzeit >= 63 && tragzeit <= 67) << tragzeit;
    }
    EXPECT_EQ(zeilen(dir, QStringLiteral("SELECT * FROM deckbuch")).size(), wb.size()); // every litter has a sire

    int gesamt = 2 * int(wb.size());
    for (const char* t : {"impfung", "wurmkur", "gewicht", "laeufigkeit"}) {
        const QStringList r = zeilen(dir, QStringLiteral("SELECT Katze, Datum FROM %1").arg(QLatin1String(t)));
        EXPECT_FALSE(r.isEmpty()) << t;
        gesamt += int(r.size());
        for (const QString& z : r) {
            const int k = z.section(u'|', 0, 0).toInt();
            ASSERT_TRUE(katzenNr.contains(k)) << t;
            EXPECT_GT(QDate::fromString(z.section(u'|', 1, 1).left(10), Qt::ISODate), geboren[k]) << t;
        }
    }
    EXPECT_TRUE(out.contains(QStringLiteral("Details: %1\n").arg(gesamt))) << out.toStdString();
    EXPECT_NEAR(gesamt, 6000, 300);
    QSet<int> katzinnen;
    for (const QString& z : katzen)
        if (z.section(u'|', 4, 4) == QLatin1String("2")) katzinnen << z.section(u'|', 0, 0).toInt();
    for (const QString& z : zeilen(dir, QStringLiteral("SELECT Katze FROM laeufigkeit")))
        ASSERT_TRUE(katzinnen.contains(z.toInt())) << "heat of a tom: " << z.toStdString();
}
