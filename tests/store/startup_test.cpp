// Start-up on data directories as they are found in the field: other spellings of the file names, older
// layouts, damaged pages, a running program holding the installation.

#include "store/anlegen.h"
#include "store/catalogue.h"
#include "store/sperre.h"
#include "store/startup.h"
#include "store/table.h"
#include "store/testschaden.h"
#include "support/testsupport.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace velmora::store;
using velmora::test::DataDir;
using velmora::test::runWerkzeug;
using velmora::test::TempDir;

namespace {

bool dateisystemUnterscheidetGross(const TempDir& dir) {
    QFile f(dir.file(QStringLiteral("Probe")));
    f.open(QIODevice::WriteOnly);
    f.close();
    const bool unterscheidet = !QFile::exists(dir.file(QStringLiteral("probe")));
    QFile::remove(f.fileName());
    return unterscheidet;
}

// A table of the catalogue without some of its fields and indexes, as an older version wrote it.
void altAnlegen(Database& db, const QString& tabelle, const QStringList& ohneFelder,
                const QStringList& ohneIndizes = {}) {
    TableDef def = *catalogueTable(tabelle);
    def.fields.removeIf([&](const FieldDef& f) { return ohneFelder.contains(f.name); });
    def.indexes.removeIf([&](const IndexDef& i) {
        if (ohneIndizes.contains(i.name)) return true;
        for (const QString& f : i.fields)
            if (ohneFelder.contains(f)) return true;
        return false;
    });
    db.createTable(def);
}

int einfuegen(Database& db, const QString& tabelle, const QList<QPair<QString, QVariant>>& werte) {
    Table t(db, tabelle);
    t.open();
    t.append();
    for (const auto& [feld, wert] : werte)
        t.setValue(feld, wert);
    t.post();
    return int(t.recordId());
}

int codeBeimGang(Database& db, const QString& index) {
    try {
        Table t(db, QStringLiteral("catstamm"));
        t.open(Table::OpenMode::ReadOnly);
        t.setIndexName(index);
        for (t.first(); !t.eof(); t.next())
            t.asString(QStringLiteral("Name"));
    } catch (const EngineError& e) {
        return e.code();
    }
    return 0;
}

} // namespace

// ---------------------------------------------------------------- data files

// Found by fuzzing the data-file reader: a row that failed half-way was posted by the closing table
// after the load's transaction had rolled back, and when that post failed too the table stayed open and
// exclusive, so the next load or drop was refused with "Tabelle catstamm ist geöffnet".
TEST(Datendateien, AFaultyRowLeavesNeitherAHalfStoredRowNorAnOpenTable) {
    const char* faelle[] = {
        "LaufendeNummer\tName\tGeschlecht\tGebDatum\n1\tAmsel\t1\t2019-04-01\n2\tBirke\t2\t2020-13-01\n",
        "LaufendeNummer\tName\tGeschlecht\n1\tAmsel\t1\nzwei\tBirke\t2\n",
        "LaufendeNummer\tName\tGeschlecht\n1\tAmsel\t1\n2\t\t2\n",
    };
    for (const char* inhalt : faelle) {
        TempDir quelle, ziel;
        QFile f(quelle.file(QStringLiteral("catstamm.tsv")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(inhalt);
        f.close();
        Database db(ziel.path());
        db.createTable(*catalogueTable(QStringLiteral("catstamm")));
        EXPECT_THROW(ladeDatendateien(db, quelle.path()), DatabaseError) << inhalt;
        {
            Table t(db, QStringLiteral("catstamm"));
            ASSERT_NO_THROW(t.open(Table::OpenMode::Exclusive)) << inhalt;
            EXPECT_EQ(t.recordCount(), 0) << inhalt;
        }
        EXPECT_NO_THROW(db.dropTable(QStringLiteral("catstamm"))) << inhalt;
    }
}

// ---------------------------------------------------------------- file names

TEST(TabellenDateien, FoundWhateverTheirCaseAndNeverCreatedBesideAnotherSpelling) {
    DataDir dir;
    if (!dateisystemUnterscheidetGross(dir)) GTEST_SKIP() << "the file system ignores case";
    for (const auto& [von, nach] :
         {std::pair{"catstamm.db", "CatStamm.DB"}, std::pair{"sprmel.db", "Sprmel.DB"},
          std::pair{"topkatze.db", "TopKatze.db"}})
        ASSERT_TRUE(QFile::rename(dir.file(QString::fromLatin1(von)), dir.file(QString::fromLatin1(nach))));
    EXPECT_TRUE(praesenzPruefen(dir.path()));
    QString out;
    EXPECT_EQ(runWerkzeug({QStringLiteral("pruefen"), dir.path()}, &out), 0) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("topkatze: ok\n"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("sprmel: ok\n")));
    EXPECT_TRUE(out.contains(QStringLiteral("catstamm: ok\n")));
    const QStringList dateien = QDir(dir.path()).entryList(QDir::Files);
    for (const char* n : {"catstamm.db", "sprmel.db", "topkatze.db"})
        EXPECT_FALSE(dateien.contains(QString::fromLatin1(n)))
            << n << " was created beside the other spelling";

    Database db(dir.path());
    EXPECT_FALSE(tabelleAnlegenWennFehlt(db, QStringLiteral("topkatze")));
    Table top(db, QStringLiteral("topkatze"));
    top.open();
    EXPECT_EQ(top.recordCount(), 5);
    Query q(db, QStringLiteral("SELECT COUNT(*) FROM \"Sprmel.db\""));
    ASSERT_TRUE(q.next());
    EXPECT_GT(q.value(0).toInt(), 0);
}

// ---------------------------------------------------------------- older layouts

TEST(Aktualisieren, OlderLayoutsGainEachMissingFieldAndIndexKeepingTheirRecords) {
    struct Fall {
        const char* tabelle;
        QStringList ohneFelder;
        QStringList ohneIndizes;
        QList<QPair<QString, QVariant>> satz;
    };
    const QList<Fall> faelle = {
        {"farbe", {QStringLiteral("Rasseinfo")}, {}, {{QStringLiteral("Farbname"), QStringLiteral("rot")}}},
        {"catstamm",
         {QStringLiteral("NameDB"), QStringLiteral("Feld3")},
         {QStringLiteral("Nameidx")},
         {{QStringLiteral("Name"), QStringLiteral("Oma")},
          {QStringLiteral("Geschlecht"), QStringLiteral("2")}}},
        // only the first of the three fields the literal upgrade adds is missing
        {"catstamm",
         {QStringLiteral("zzlDatum")},
         {},
         {{QStringLiteral("Name"), QStringLiteral("Opa")},
          {QStringLiteral("Geschlecht"), QStringLiteral("1")}}},
        {"bilder",
         {QStringLiteral("KatzeNr")},
         {},
         {{QStringLiteral("Bildpfad"), QStringLiteral("/bilder/mia.jpg")}}},
        {"wurfbuch",
         {QStringLiteral("Eingeschlaefert"), QStringLiteral("Verfassung")},
         {},
         {{QStringLiteral("Katze"), 7}}},
        {"rasse",
         {QStringLiteral("Faltohr")},
         {},
         {{QStringLiteral("RName"), QStringLiteral("Perser Langhaar")}}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.tabelle);
        TempDir dir;
        Database db(dir.path());
        const QString t = QString::fromLatin1(f.tabelle);
        altAnlegen(db, t, f.ohneFelder, f.ohneIndizes);
        einfuegen(db, t, f.satz);
        EXPECT_TRUE(tabelleAktualisieren(db, t));
        EXPECT_FALSE(tabelleAktualisieren(db, t)) << "a second start finds nothing to do";
        const TableDef ist = db.readDefinition(t);
        for (const FieldDef& soll : catalogueTable(t)->fields) {
            const FieldDef* feld = ist.field(soll.name);
            ASSERT_TRUE(feld) << soll.name.toStdString();
            EXPECT_EQ(feld->type, soll.type) << soll.name.toStdString();
            EXPECT_EQ(feld->size, soll.size) << soll.name.toStdString();
        }
        for (const IndexDef& soll : catalogueTable(t)->indexes) {
            const bool da = std::any_of(ist.indexes.begin(), ist.indexes.end(),
                                        [&](const IndexDef& i) { return i.sameFields(soll.fields); });
            EXPECT_TRUE(da || (soll.isPrimary() && soll.fields.size() == 1)) << soll.name.toStdString();
        }
        Table tab(db, t);
        tab.open();
        ASSERT_EQ(tab.recordCount(), 1);
        for (const auto& [feld, wert] : f.satz)
            EXPECT_EQ(tab.value(feld), wert) << feld.toStdString();
    }
}

TEST(Start, CoatTypesAreCompletedWheneverTheStartUpAddsTheFields) {
    TempDir dir;
    Database db(dir.path());
    altAnlegen(db, QStringLiteral("rasse"),
               {QStringLiteral("Haarart"), QStringLiteral("Haarlos"), QStringLiteral("Faltohr")});
    for (const char* n : {"Britisch Kurzhaar", "Perser Langhaar", "Maine Coon"})
        einfuegen(db, QStringLiteral("rasse"), {{QStringLiteral("RName"), QString::fromUtf8(n)}});
    startSequenz(db, {});
    Table t(db, QStringLiteral("rasse"));
    t.open();
    QStringList haarart;
    for (t.first(); !t.eof(); t.next())
        haarart << t.asString(QStringLiteral("Haarart"));
    EXPECT_EQ(haarart, (QStringList{QStringLiteral("2"), QStringLiteral("1"), QString()}));
}

TEST(Start, RegisterTablesAreCreatedAndTheMotherIndexAddedAtStartUp) {
    DataDir dir;
    for (const char* n : {"laeufigkeit.db", "gewicht.db"})
        QFile::remove(dir.file(QString::fromLatin1(n)));
    {
        Database db(dir.path());
        Table t(db, QStringLiteral("catstamm"));
        t.open(Table::OpenMode::Exclusive);
        t.deleteIndex(QStringLiteral("IDXMutterGebDatum"));
    }
    QString out;
    EXPECT_EQ(runWerkzeug({QStringLiteral("pruefen"), dir.path()}, &out), 0) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("laeufigkeit: angelegt\n"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("gewicht: angelegt\n")));
    EXPECT_TRUE(out.endsWith(QStringLiteral("deckbuch: ok\n")));
    Database db(dir.path());
    const TableDef def = db.readDefinition(QStringLiteral("catstamm"));
    EXPECT_TRUE(std::any_of(def.indexes.begin(), def.indexes.end(), [](const IndexDef& i) {
        return i.sameFields(
            {QStringLiteral("Mutter"), QStringLiteral("GebDatum"), QStringLiteral("Geschlecht")});
    }));
}

TEST(Start, PruefenRefusesWhileTheProgramHoldsTheInstallation) {
    DataDir dir;
    QFile::remove(dir.file(QStringLiteral("gewicht.db")));
    Installationssperre laufend(dir.path());
    ASSERT_TRUE(laufend.sperren());
    QString out, err;
    EXPECT_EQ(runWerkzeug({QStringLiteral("pruefen"), dir.path()}, &out, &err), 2);
    EXPECT_TRUE(out.isEmpty()) << out.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("Verzeichnis ist in Benutzung!")));
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("gewicht.db"))))
        << "nothing is changed under the program";
    laufend.freigeben();
    EXPECT_EQ(runWerkzeug({QStringLiteral("pruefen"), dir.path()}, &out, &err), 0);
}

TEST(Start, ClubDataFailureShowsMessage9InsteadOfTheErrorDialog) {
    TempDir dir;
    Database db(dir.path());
    QFile f(dir.file(QStringLiteral("zusatz.db")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x')); // not a table at all
    f.close();
    QStringList dialog;
    QList<int> meldungen;
    StartBericht b;
    b.fehler = [&](const DatabaseError&, const QString& datei) { dialog << datei; };
    b.meldung = [&](int n) { meldungen << n; };
    EXPECT_FALSE(schritteAusfuehren(db, hauptfensterSchritte(), b));
    EXPECT_EQ(meldungen, QList<int>{9});
    EXPECT_FALSE(dialog.contains(QStringLiteral("zusatz.db")));
    // a missing file is created
    f.remove();
    meldungen.clear();
    schritteAusfuehren(db, hauptfensterSchritte(), b);
    EXPECT_TRUE(meldungen.isEmpty());
    EXPECT_TRUE(db.tableExists(QStringLiteral("zusatz")));
}

// ---------------------------------------------------------------- damage

TEST(Schaden, DamagedTablePageIsTableDamagedAndDamagedIndexPageIsIndexDamaged) {
    TempDir vorlage;
    {
        Database db(vorlage.path());
        katzenAnlegen(db, 3000);
    }
    struct Fall {
        const char* objekt;
        const char* index; // walked after opening
        int code;
    };
    for (const Fall& f :
         {Fall{"catstamm", "", code::TableDamaged}, Fall{"ix_Nameidx", "Nameidx", code::IndexDamaged}}) {
        SCOPED_TRACE(f.objekt);
        TempDir dir;
        ASSERT_TRUE(QFile::copy(vorlage.file(QStringLiteral("catstamm.db")),
                                dir.file(QStringLiteral("catstamm.db"))));
        seiteBeschaedigen(dir.file(QStringLiteral("catstamm.db")), QString::fromLatin1(f.objekt));
        Database db(dir.path());
        EXPECT_EQ(codeBeimGang(db, QString::fromLatin1(f.index)), f.code);
        db.disconnect();
        const auto befund = db.checkTable(QStringLiteral("catstamm"));
        ASSERT_TRUE(befund.has_value());
        EXPECT_EQ(befund->code(), f.code);
    }
}

TEST(Schaden, PruefenReportsADamagedIndexThatOpeningDoesNotMeet) {
    DataDir dir;
    QFile::remove(dir.file(QStringLiteral("catstamm.db")));
    {
        Database db(dir.path());
        katzenAnlegen(db, 3000);
    }
    seiteBeschaedigen(dir.file(QStringLiteral("catstamm.db")), QStringLiteral("ix_Nameidx"));
    QString out;
    EXPECT_EQ(runWerkzeug({QStringLiteral("pruefen"), dir.path()}, &out), 2);
    EXPECT_TRUE(out.contains(QStringLiteral("catstamm: fehler: catstamm ist beschädigt")))
        << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("farbe: ok\n")));
}

TEST(Reparatur, DamagedIndexThatCannotBeDroppedIsRepairedByCopyingEveryRow) {
    TempDir dir;
    {
        Database db(dir.path());
        katzenAnlegen(db, 3000);
    }
    seiteBeschaedigen(dir.file(QStringLiteral("catstamm.db")), QStringLiteral("ix_Nameidx"));
    Database db(dir.path());
    QStringList berichte;
    StartBericht b;
    b.fehler = [&](const DatabaseError& e, const QString&) { berichte << e.message(); };
    ASSERT_TRUE(CatstammIndex(db, b));
    EXPECT_TRUE(berichte.isEmpty()) << berichte.join(QLatin1Char('\n')).toStdString();
    EXPECT_FALSE(db.checkTable(QStringLiteral("catstamm")).has_value());
    EXPECT_EQ(codeBeimGang(db, QStringLiteral("Nameidx")), 0);
    Table t(db, QStringLiteral("catstamm"));
    t.open();
    EXPECT_EQ(t.recordCount(), 3000);
    t.last();
    EXPECT_EQ(t.asInt(QStringLiteral("LaufendeNummer")), 3000);
    t.append();
    t.setValue(QStringLiteral("Name"), QStringLiteral("Neu"));
    t.setValue(QStringLiteral("Geschlecht"), QStringLiteral("1"));
    t.post();
    EXPECT_EQ(t.asInt(QStringLiteral("LaufendeNummer")), 3002)
        << "numbers go on after the old ones and the write test's";
    const QStringList alt =
        QDir(dir.path()).entryList({QStringLiteral("catstamm.db-beschaedigt-*")}, QDir::Files);
    EXPECT_EQ(alt.size(), 1) << "the old file stays beside the new one";
}

TEST(Reparatur, RowsOnADamagedTablePageAreReportedAndTheRestIsKept) {
    TempDir dir;
    {
        Database db(dir.path());
        katzenAnlegen(db, 3000);
    }
    seiteBeschaedigen(dir.file(QStringLiteral("catstamm.db")), QStringLiteral("catstamm"), true);
    Database db(dir.path());
    QStringList berichte, gefragt;
    StartBericht b;
    b.fehler = [&](const DatabaseError& e, const QString&) { berichte << e.message(); };
    b.zeilenRetten = [&](const QString& t) {
        gefragt << t;
        return true;
    };
    ASSERT_TRUE(CatstammIndex(db, b));
    EXPECT_EQ(gefragt, QStringList{QStringLiteral("catstamm")}) << "the user is asked before rows move";
    ASSERT_EQ(berichte.size(), 1);
    EXPECT_TRUE(berichte[0].contains(QStringLiteral("nicht lesbar"))) << berichte[0].toStdString();
    Table t(db, QStringLiteral("catstamm"));
    t.open();
    const int behalten = t.recordCount();
    EXPECT_LT(behalten, 3000);
    EXPECT_GT(behalten, 2000);
    // the report counts exactly the rows that were lost
    EXPECT_TRUE(berichte[0].startsWith(
        QStringLiteral("catstamm: nicht lesbar und nicht übernommen: %1 Datensätze").arg(3000 - behalten)))
        << berichte[0].toStdString();
    EXPECT_FALSE(db.checkTable(QStringLiteral("catstamm")).has_value());
}
