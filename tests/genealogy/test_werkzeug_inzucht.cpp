// The inzucht command over a register written through the engine: its output lines are what
// scripts and other programs read, so they are compared whole.

#include "register.h"
#include "store/database.h"
#include "store/table.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace velmora;
using velmora::test::RegisterKatze;

namespace {

const QStringList kDeutsch{QStringLiteral("LANG=de_DE.UTF-8"), QStringLiteral("LC_ALL="),
                           QStringLiteral("LC_NUMERIC=")};
const QStringList kEnglisch{QStringLiteral("LANG=en_US.UTF-8"), QStringLiteral("LC_ALL="),
                            QStringLiteral("LC_NUMERIC=")};

// 1 Zorro x 2 Amira give the full siblings 3 Mika and 4 Bella; 5 Pia is their kitten.
// 6 Luna has a sire but no dam; 7 Nero is a son of Zorro by an unrelated queen 8 Kira.
struct Geschwister : ::testing::Test {
    test::DataDir dir;
    void SetUp() override {
        test::schreibeKatzen(dir.path(), {{1, QStringLiteral("Zorro"), 0, 0, {1}},
                                          {2, QStringLiteral("Amira"), 0, 0, {}},
                                          {3, QStringLiteral("Mika"), 1, 2, {}},
                                          {4, QStringLiteral("Bella"), 1, 2, {}},
                                          {5, QStringLiteral("Pia"), 3, 4, {}},
                                          {6, QStringLiteral("Luna"), 1, 0, {}},
                                          {8, QStringLiteral("Kira"), 0, 0, {}},
                                          {7, QStringLiteral("Nero"), 1, 8, {}}});
    }
    int lauf(const QStringList& args, QString* out, const QStringList& env = kDeutsch) {
        QString err;
        const int rc =
            test::runWerkzeug(QStringList{QStringLiteral("inzucht"), dir.path()} + args, out, &err, env);
        EXPECT_TRUE(err.isEmpty()) << err.toStdString();
        return rc;
    }
};

const QString kVollgeschwisterKurz = QStringLiteral("Inzuchtkoeffizient:  0,25000 = 25,00%\n"
                                                    "Inzuchtkoeffizientkurz: 25,00%\n"
                                                    "Ahnenverlustkoeffizient: 33,30%\n"
                                                    "Stammbaumkomplett: Der Stammbaum ist unvollständig.\n"
                                                    "[Ahnenverlust]\n"
                                                    "\n"
                                                    "Mögliche Vorfahrenplätze: 30\n"
                                                    "Besetzte Vorfahrenplätze: 6\n"
                                                    "Verschiedene Vorfahren: 4\n"
                                                    "\n"
                                                    "Mehrfach besetzte Plätze: 2\n"
                                                    "Ahnenverlust in %: 33,30\n"
                                                    "[Inzucht]\n"
                                                    "[Info]\n"
                                                    "[Clon]\n");

} // namespace

TEST_F(Geschwister, KatzeUndElternpaarGebenDieselbeAusgabe) {
    QString katze, paar;
    ASSERT_EQ(lauf({"--katze", "5", "--generationen", "5"}, &katze), 0);
    EXPECT_EQ(katze, kVollgeschwisterKurz);
    ASSERT_EQ(lauf({"--vater", "3", "--mutter", "4", "--generationen", "5"}, &paar), 0);
    EXPECT_EQ(paar, kVollgeschwisterKurz);
}

TEST_F(Geschwister, ZahlenFolgenDemGebietsschemaDerUmgebung) {
    QString out;
    ASSERT_EQ(lauf({"--katze", "5", "--generationen", "5"}, &out, kEnglisch), 0);
    const QStringList z = out.split(QLatin1Char('\n'));
    EXPECT_EQ(z.value(0), "Inzuchtkoeffizient:  0.25000 = 25.00%");
    EXPECT_EQ(z.value(1), "Inzuchtkoeffizientkurz: 25.00%");
    EXPECT_EQ(z.value(2), "Ahnenverlustkoeffizient: 33.30%");
}

TEST_F(Geschwister, VaterMitTochterUndUnverwandteEltern) {
    QString out;
    // Zorro x Luna, his daughter (her own dam unknown does not matter for the pair): 0.25 through Zorro
    ASSERT_EQ(lauf({"--vater", "1", "--mutter", "6", "--generationen", "5"}, &out), 0);
    EXPECT_TRUE(out.startsWith("Inzuchtkoeffizient:  0,25000 = 25,00%\nInzuchtkoeffizientkurz: 25,00%\n"))
        << out.toStdString();
    ASSERT_EQ(lauf({"--vater", "1", "--mutter", "8", "--generationen", "5"}, &out), 0);
    EXPECT_TRUE(out.startsWith("Inzuchtkoeffizient:  0%\nInzuchtkoeffizientkurz:  0%\n"
                               "Ahnenverlustkoeffizient: 0,00%\n"))
        << out.toStdString();
}

TEST_F(Geschwister, FehlendeKatzeOderElternteilGibtMeldung83) {
    const QString m83 =
        QStringLiteral("Vater oder Mutter der Katze ist nicht eingetragen. Keine Berechnung möglich.\n");
    QString out;
    EXPECT_EQ(lauf({"--katze", "99", "--generationen", "5"}, &out), 1);
    EXPECT_EQ(out, m83);
    EXPECT_EQ(lauf({"--katze", "6", "--generationen", "5"}, &out), 1); // dam unknown
    EXPECT_EQ(out, m83);
    EXPECT_EQ(lauf({"--vater", "3", "--mutter", "77", "--generationen", "5"}, &out), 1);
    EXPECT_EQ(out, m83);
    EXPECT_EQ(lauf({"--vater", "0", "--mutter", "4", "--generationen", "5", "--detail"}, &out), 1);
    EXPECT_EQ(out, m83);
}

TEST_F(Geschwister, SpracheKommtAusDenEinstellungen) {
    test::TempDir einst;
    QFile f(einst.file(QStringLiteral("Tessaro.ini")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[System]\r\nSprache=Englisch\r\n");
    f.close();
    QString out;
    EXPECT_EQ(lauf({"--katze", "99", "--generationen", "5", "--einstellungen", einst.path()}, &out), 1);
    EXPECT_EQ(out, "The sire or dam of the cat is not entered. No calculation is possible.\n");
    ASSERT_EQ(lauf({"--katze", "5", "--generationen", "5", "--einstellungen", einst.path()}, &out), 0);
    EXPECT_TRUE(out.contains("\nStammbaumkomplett: The pedigree is incomplete.\n")) << out.toStdString();
    EXPECT_TRUE(out.contains("\nPossible ancestor places: 30\n")) << out.toStdString();
}

TEST_F(Geschwister, DetailListenUndVorfahrenlisteInNamensfolge) {
    QString out;
    ASSERT_EQ(lauf({"--katze", "5", "--generationen", "5", "--detail"}, &out), 0);
    const QString erwartet = QStringLiteral("Inzuchtkoeffizient:  0,25000 = 25,00%\n"
                                            "Inzuchtkoeffizientkurz: 25,00%\n"
                                            "Ahnenverlustkoeffizient: 33,30%\n"
                                            "Stammbaumkomplett: Der Stammbaum ist unvollständig.\n"
                                            "[Ahnenverlust]\n"
                                            "\n"
                                            "Mögliche Vorfahrenplätze: 30\n"
                                            "Besetzte Vorfahrenplätze: 6\n"
                                            "Verschiedene Vorfahren: 4\n"
                                            "\n"
                                            "Mehrfach besetzte Plätze: 2\n"
                                            "Ahnenverlust in %: 33,30\n"
                                            "[Inzucht]\n"
                                            "Zorro : 1 : 1 = 0,12500\n"
                                            "Amira : 1 : 1 = 0,12500\n"
                                            "[Info]\n"
                                            "3 (Generation) Katze Zorro hat keinen eingetragenen Vater.\n"
                                            "3 (Generation) Katze Zorro hat keine eingetragene Mutter.\n"
                                            "3 (Generation) Katze Amira hat keinen eingetragenen Vater.\n"
                                            "3 (Generation) Katze Amira hat keine eingetragene Mutter.\n"
                                            "3 (Generation) Katze Zorro hat keinen eingetragenen Vater.\n"
                                            "3 (Generation) Katze Zorro hat keine eingetragene Mutter.\n"
                                            "3 (Generation) Katze Amira hat keinen eingetragenen Vater.\n"
                                            "3 (Generation) Katze Amira hat keine eingetragene Mutter.\n"
                                            "[Clon]\n"
                                            "6,67 %/Zorro\n"
                                            "[Vorfahrenliste]\n"
                                            "2;Amira;2\n"
                                            "4;Bella;1\n"
                                            "3;Mika;1\n"
                                            "1;Zorro;2\n");
    EXPECT_EQ(out, erwartet);

    // The table stays behind with its indexes and Zorro's feature colour ("Klon").
    store::Database db(dir.path());
    const store::TableDef def = db.readDefinition(QStringLiteral("vorfahrenliste"));
    ASSERT_NE(def.index(QStringLiteral("IndexName")), nullptr);
    EXPECT_TRUE(def.index(QStringLiteral("IndexName"))->unique);
    ASSERT_NE(def.index(QStringLiteral("IndexAnzahl")), nullptr);
    EXPECT_TRUE(def.index(QStringLiteral("IndexAnzahl"))->descending);
    store::Table t(db, QStringLiteral("vorfahrenliste"));
    t.open(store::Table::OpenMode::ReadOnly);
    ASSERT_TRUE(t.findKey({1}));
    EXPECT_EQ(t.asInt(QStringLiteral("Farbe")), 0xFF0000);
    ASSERT_TRUE(t.findKey({3}));
    EXPECT_TRUE(t.isNull(QStringLiteral("Farbe")));
}

TEST_F(Geschwister, JederDetailLaufLegtDieVorfahrenlisteNeuAn) {
    QString out;
    ASSERT_EQ(lauf({"--katze", "5", "--generationen", "5", "--detail"}, &out), 0);
    ASSERT_EQ(lauf({"--katze", "7", "--generationen", "5", "--detail"}, &out), 0);
    const QString liste = out.mid(out.indexOf(QStringLiteral("[Vorfahrenliste]\n")));
    EXPECT_EQ(liste, "[Vorfahrenliste]\n8;Kira;1\n1;Zorro;1\n");
    EXPECT_TRUE(out.contains("[Inzucht]\nKeine gemeinsamen Vorfahren von Vater und Mutter gefunden.\n"));
    EXPECT_TRUE(out.startsWith("Inzuchtkoeffizient:  0%\nInzuchtkoeffizientkurz:  0%\n"));
    // a plain run leaves the table of the last detail run alone
    ASSERT_EQ(lauf({"--katze", "5", "--generationen", "5"}, &out), 0);
    store::Database db(dir.path());
    store::Table t(db, QStringLiteral("vorfahrenliste"));
    t.open(store::Table::OpenMode::ReadOnly);
    EXPECT_EQ(t.recordCount(), 2);
}

TEST(InzuchtWerkzeug, FalscheAufrufeGebenCode64) {
    test::DataDir dir;
    for (const QStringList& a :
         {QStringList{"inzucht", dir.path(), "--katze", "1"},
          QStringList{"inzucht", dir.path(), "--generationen", "5"},
          QStringList{"inzucht", dir.path(), "--vater", "1", "--generationen", "5"},
          QStringList{"inzucht", dir.path(), "--katze", "x", "--generationen", "5"},
          QStringList{"inzucht", dir.path(), "--katze", "1", "--vater", "2", "--mutter", "3",
                      "--generationen", "5"},
          QStringList{"inzucht", dir.path(), "--katze", "1", "--generationen", "300"}}) {
        EXPECT_EQ(test::runWerkzeug(a), 64) << a.join(' ').toStdString();
    }
}

// Before: a calculation that could not finish still printed a coefficient and exited 0.
TEST(InzuchtWerkzeug, NichtBerechenbarGibtKeineZahlUndMeldungAufStderr) {
    test::DataDir dir;
    test::schreibeKatzen(dir.path(), {{1, QStringLiteral("Ouroboros"), 1, 1, {}}}); // faulty: its own parents
    QString out, err;
    EXPECT_EQ(
        test::runWerkzeug({"inzucht", dir.path(), "--vater", "1", "--mutter", "1", "--generationen", "200"},
                          &out, &err, kDeutsch),
        1);
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "Der Stammbaum kann nicht weiter aufgebaut werden.\n");
    // at 30 generations the counts still hold: 2^30 - 2 places, every one filled by the same cat
    ASSERT_EQ(
        test::runWerkzeug({"inzucht", dir.path(), "--vater", "1", "--mutter", "1", "--generationen", "30"},
                          &out, &err, kDeutsch),
        0);
    EXPECT_TRUE(out.contains("\nBesetzte Vorfahrenplätze: 1073741822\nVerschiedene Vorfahren: 1\n"))
        << out.toStdString();
}

TEST(InzuchtWerkzeug, UeberHunderttausendPaareGruppiert) {
    test::DataDir dir;
    QVector<RegisterKatze> katzen; // full siblings mated for 13 generations
    for (int k = 0; k <= 13; ++k)
        for (qint32 nr : {2 * k + 1, 2 * k + 2})
            katzen.push_back(
                {nr, QStringLiteral("L%1").arg(nr), k < 13 ? 2 * k + 3 : 0, k < 13 ? 2 * k + 4 : 0, {}});
    test::schreibeKatzen(dir.path(), katzen);
    QString out, err;
    ASSERT_EQ(test::runWerkzeug({"inzucht", dir.path(), "--vater", "1", "--mutter", "2", "--generationen",
                                 "12", "--detail"},
                                &out, &err, kDeutsch),
              0)
        << err.toStdString();
    EXPECT_TRUE(out.startsWith("Inzuchtkoeffizient:  1,37500 = 137,50%\n")) << out.toStdString();
    EXPECT_TRUE(
        out.contains("[Inzucht]\nÜber 100.000 Paare: je Vorfahr und Generationenpaar eine Zeile mit der "
                     "Paarzahl.\n1 x L3 : 1 : 1 = 0,12500\n"))
        << out.toStdString();
    EXPECT_TRUE(out.contains("\n131072 x L21 : 10 : 10 = 0,00000\n")) << out.toStdString();
}

TEST_F(Geschwister, WrightZeilenNachDenVierKopfzeilen) {
    QString katze, paar, ohne;
    ASSERT_EQ(lauf({"--katze", "5", "--generationen", "3", "--wright"}, &katze), 0);
    ASSERT_EQ(lauf({"--katze", "5", "--generationen", "3"}, &ohne), 0);
    QStringList z = ohne.split(QLatin1Char('\n'));
    z.insert(4, QStringLiteral("Wright-Vorfahren: 4"));
    z.insert(4, QStringLiteral("Wright:  0,25000 = 25,00%"));
    EXPECT_EQ(katze, z.join(QLatin1Char('\n')));
    // the generation limit does not bound it: Pia's own coefficient beside the sire's kinship with her
    ASSERT_EQ(lauf({"--vater", "3", "--mutter", "5", "--generationen", "3", "--wright"}, &paar), 0);
    const QStringList p = paar.split(QLatin1Char('\n'));
    EXPECT_EQ(p.mid(4, 3), (QStringList{"Wright:  0,37500 = 37,50%", "Wright-Vorfahren: 5",
                                        "Verwandtschaft:  0,37500 = 37,50%"}));
    ASSERT_EQ(lauf({"--vater", "1", "--mutter", "8", "--generationen", "5", "--wright"}, &paar), 0);
    EXPECT_TRUE(paar.contains("\nWright:  0%\nWright-Vorfahren: 2\nVerwandtschaft:  0%\n[Ahnenverlust]\n"))
        << paar.toStdString();
}
