// The tool's data-directory commands, as the product owner drives them.

#include "store/catalogue.h"
#include "store/table.h"
#include "support/testsupport.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace velmora::store;
using velmora::test::runWerkzeug;
using velmora::test::TempDir;

TEST(Werkzeug, AnlegenWritesEveryCatalogueTableAndRefusesAnExistingDirectory) {
    TempDir dir;
    const QString target = dir.file(QStringLiteral("neu/Daten"));
    QString out, err;
    ASSERT_EQ(runWerkzeug({QStringLiteral("anlegen"), target, QStringLiteral("--quelle"), velmora::test::sourceDataDir()},
                          &out, &err),
              0)
        << err.toStdString();
    for (const TableDef& t : catalogue()) EXPECT_TRUE(QFile::exists(target + QLatin1Char('/') + t.name + QStringLiteral(".db"))) << t.name.toStdString();
    {
        Database db(target);
        Table rasse(db, QStringLiteral("rasse"));
        rasse.open();
        EXPECT_GT(rasse.recordCount(), 20);
        Table status(db, QStringLiteral("status"));
        status.open();
        ASSERT_TRUE(status.findKey({4}));
        EXPECT_FALSE(status.isNull(QStringLiteral("Status")));
        Table merkmale(db, QStringLiteral("merkmale"));
        merkmale.open();
        EXPECT_EQ(merkmale.recordCount(), 2);
    }
    EXPECT_EQ(runWerkzeug({QStringLiteral("anlegen"), target}, &out, &err), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("catstamm.db")));
}

TEST(Werkzeug, PruefenReportsEveryTableOnceInOrder) {
    velmora::test::DataDir dir;
    QString out;
    ASSERT_EQ(runWerkzeug({QStringLiteral("pruefen"), dir.path()}, &out), 0) << out.toStdString();
    const QStringList lines = out.trimmed().split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 15);
    EXPECT_EQ(lines.first(), QStringLiteral("sprmel: ok"));
    EXPECT_EQ(lines.at(1), QStringLiteral("sprache: ok"));
    EXPECT_EQ(lines.filter(QStringLiteral("catstamm:")).size(), 1);
    EXPECT_EQ(lines.last(), QStringLiteral("deckbuch: ok"));
}

TEST(Werkzeug, PruefenCreatesUpgradesAndFailsPerTable) {
    velmora::test::DataDir dir;
    QFile::remove(dir.file(QStringLiteral("topkatze.db")));
    QFile::remove(dir.file(QStringLiteral("augen.db")));
    {
        Database db(dir.path());
        Table t(db, QStringLiteral("catstamm"));
        t.open(Table::OpenMode::Exclusive);
        t.deleteIndex(QStringLiteral("GebDatum"));
    }
    QString out;
    EXPECT_EQ(runWerkzeug({QStringLiteral("pruefen"), dir.path()}, &out), 2);
    EXPECT_TRUE(out.contains(QStringLiteral("topkatze: angelegt\n")));
    EXPECT_TRUE(out.contains(QStringLiteral("catstamm: aktualisiert\n")));
    EXPECT_TRUE(out.contains(QStringLiteral("augen: fehler: ")));
    EXPECT_TRUE(out.contains(QStringLiteral("deckbuch: ok"))); // tables after the failure were still tried
}

TEST(Werkzeug, PruefenWithoutCatTableShowsThePresenceMessage) {
    TempDir dir;
    QString out;
    EXPECT_EQ(runWerkzeug({QStringLiteral("pruefen"), dir.path()}, &out), 1);
    EXPECT_TRUE(out.startsWith(QStringLiteral("Die Programmversion, welche Sie aus dem Verzeichnis ")));
}

TEST(Werkzeug, SchemaPrintsFieldsThenIndexes) {
    velmora::test::DataDir dir;
    QString out;
    ASSERT_EQ(runWerkzeug({QStringLiteral("schema"), dir.path(), QStringLiteral("Merkmale.DB")}, &out), 0);
    EXPECT_EQ(out, QStringLiteral("LaufendeNummer Auto 0 required\nBezeichnung Text 30 required\nfarbe Int 0 required\n"
                                  "Kuerzel Text 10 -\nindex : LaufendeNummer\nindex Bezeichnung: Bezeichnung\n"));
    EXPECT_EQ(runWerkzeug({QStringLiteral("schema"), dir.path(), QStringLiteral("gibtsnicht")}, &out), 2);
}
