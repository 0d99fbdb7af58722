// Backup, restore and index rebuild where data could be lost: a writer during the backup, wrong or
// damaged backups, a copy failing half-way, a restore killed half-way, indexes broken by hand, a table
// another program holds.

#include "store/indexlauf.h"
#include "store/sicherung.h"
#include "store/sperre.h"
#include "store/testschaden.h"
#include "support/testsupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <atomic>
#include <thread>

using namespace velmora::store;
using velmora::test::runWerkzeug;
using velmora::test::TempDir;

namespace {

// Every file of the directory by name, with a hash of its content.
QMap<QString, QByteArray> inhalt(const QString& dir) {
    QMap<QString, QByteArray> r;
    for (const QString& e : QDir(dir).entryList(QDir::Files | QDir::Hidden)) {
        QFile f(QDir(dir).filePath(e));
        f.open(QIODevice::ReadOnly);
        r[e] = QCryptographicHash::hash(f.readAll(), QCryptographicHash::Md5);
    }
    return r;
}

// A small register: cats, colours and a file that is no table.
void registerAnlegen(const QString& dir, int katzen, const QString& name = QStringLiteral("Katze")) {
    QDir().mkpath(dir);
    Database db(dir);
    katzenAnlegen(db, katzen);
    db.createTable(*catalogueTable(QStringLiteral("farbe")));
    Table t(db, QStringLiteral("catstamm"));
    t.open();
    t.first();
    t.edit();
    t.setValue(QStringLiteral("Name"), name);
    t.post();
    QFile f(QDir(dir).filePath(QStringLiteral("notiz.txt")));
    f.open(QIODevice::WriteOnly);
    f.write(name.toUtf8());
}

qint64 katzenZahl(const QString& datei) {
    sqlite3* h = nullptr;
    sqlite3_open_v2(QFile::encodeName(datei).constData(), &h, SQLITE_OPEN_READONLY, nullptr);
    registerCollations(h);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(h, "SELECT count(*) FROM catstamm", -1, &st, nullptr);
    const qint64 n = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int64(st, 0) : -1;
    sqlite3_finalize(st);
    sqlite3_close_v2(h);
    return n;
}

void sql(const QString& datei, const char* anweisung) {
    sqlite3* h = nullptr;
    ASSERT_EQ(sqlite3_open_v2(QFile::encodeName(datei).constData(), &h, SQLITE_OPEN_READWRITE, nullptr),
              SQLITE_OK);
    registerCollations(h);
    ASSERT_EQ(sqlite3_exec(h, anweisung, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(h);
    sqlite3_close_v2(h);
}

bool hatIndex(const QString& datei, const char* name) {
    sqlite3* h = nullptr;
    sqlite3_open_v2(QFile::encodeName(datei).constData(), &h, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(h, "SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ?", -1, &st, nullptr);
    sqlite3_bind_text(st, 1, name, -1, SQLITE_STATIC);
    const bool da = sqlite3_step(st) == SQLITE_ROW;
    sqlite3_finalize(st);
    sqlite3_close_v2(h);
    return da;
}

} // namespace

TEST(Sicherung, WhichEntriesABackupAndARestoreHandle) {
    struct Fall {
        const char* name;
        bool sichern, zurueck;
    };
    for (const Fall& f : {Fall{"catstamm.db", true, true}, Fall{"Bilder.alt", true, true},
                          Fall{"README", false, false}, Fall{"velmora.lck", false, false},
                          Fall{"catstamm.db-journal", false, true}, Fall{"catstamm.db-wal", false, true},
                          Fall{"Sicherung.ZIP", true, false}, Fall{"catstamm.db-beschaedigt-1", true, true}}) {
        EXPECT_EQ(sicherungsEintrag(QString::fromLatin1(f.name)), f.sichern) << f.name;
        EXPECT_EQ(ruecksicherungsEintrag(QString::fromLatin1(f.name)), f.zurueck) << f.name;
    }
}

TEST(Sicherung, WhileAnotherConnectionWritesEveryTableIsCopiedAsOneCheckedSnapshot) {
    TempDir dir;
    const QString daten = dir.file(QStringLiteral("Daten"));
    registerAnlegen(daten, 5000);
    const qint64 vorher = katzenZahl(QDir(daten).filePath(QStringLiteral("catstamm.db")));
    // The writer adds cats in transactions of ten: a copy that caught one half-written would show it.
    std::atomic<bool> halt{false};
    std::atomic<int> geschrieben{0};
    std::thread schreiber([&] {
        sqlite3* h = nullptr;
        sqlite3_open_v2(QFile::encodeName(QDir(daten).filePath(QStringLiteral("catstamm.db"))).constData(), &h,
                        SQLITE_OPEN_READWRITE, nullptr);
        registerCollations(h);
        sqlite3_busy_timeout(h, 20000);
        while (!halt) {
            bool ok = sqlite3_exec(h, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
            for (int i = 0; ok && i < 10; ++i)
                ok = sqlite3_exec(h, "INSERT INTO catstamm (Name, Geschlecht) VALUES ('Neu', '1')", nullptr,
                                  nullptr, nullptr) == SQLITE_OK;
            if (ok && sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK)
                ++geschrieben;
            else
                sqlite3_exec(h, "ROLLBACK", nullptr, nullptr, nullptr);
        }
        sqlite3_close_v2(h);
    });
    while (geschrieben < 3)
        std::this_thread::yield();
    const QString ziel = dir.file(QStringLiteral("Sicherung"));
    QDir().mkpath(ziel);
    const SicherungsErgebnis r = datenSichern(daten, ziel);
    halt = true;
    schreiber.join();
    ASSERT_TRUE(r.ok()) << (r.fehler.isEmpty() ? "" : r.fehler.first().text.toStdString());
    EXPECT_EQ(r.tabellen, 2);
    EXPECT_EQ(r.dateien, 3);
    const QString kopie = QDir(ziel).filePath(QStringLiteral("catstamm.db"));
    EXPECT_EQ(tabellenDateiPruefen(kopie), QString());
    const qint64 n = katzenZahl(kopie);
    EXPECT_GT(n, vorher) << "the writer's commits before the copy are in it";
    EXPECT_EQ((n - vorher) % 10, 0) << "no transaction is caught half-way";
    EXPECT_EQ(QDir(ziel).entryList(QDir::Files | QDir::Hidden).size(), 3) << "no working file is left";
}

TEST(Sicherung, AFailedCopyOrCheckIsNamedAndLeavesNothingUnderTheTablesName) {
    struct Fall {
        const char* was;
        bool zielBelegt, beschaedigt, ordner;
        const char* datei;
    };
    for (const Fall& f : {Fall{"target holds the file", true, false, false, "catstamm.db"},
                          Fall{"source damaged", false, true, false, "catstamm.db"},
                          Fall{"a folder with a dot", false, false, true, "Bilder.alt"}}) {
        SCOPED_TRACE(f.was);
        TempDir dir;
        const QString daten = dir.file(QStringLiteral("Daten")), ziel = dir.file(QStringLiteral("Ziel"));
        registerAnlegen(daten, 3000);
        QDir().mkpath(ziel);
        if (f.zielBelegt) QFile::copy(QDir(daten).filePath(QStringLiteral("notiz.txt")), QDir(ziel).filePath(QStringLiteral("catstamm.db")));
        if (f.beschaedigt)
            seiteBeschaedigen(QDir(daten).filePath(QStringLiteral("catstamm.db")), QStringLiteral("catstamm"), true);
        if (f.ordner) QDir().mkpath(QDir(daten).filePath(QStringLiteral("Bilder.alt")));
        const auto vorZiel = inhalt(ziel);
        QStringList gemeldet;
        Steuerung s;
        s.fehler = [&](const DateiFehler& e) { gemeldet << e.datei; };
        const SicherungsErgebnis r = datenSichern(daten, ziel, s);
        EXPECT_EQ(gemeldet, QStringList{QString::fromLatin1(f.datei)});
        EXPECT_FALSE(r.ok());
        EXPECT_TRUE(QFileInfo::exists(QDir(ziel).filePath(QStringLiteral("farbe.db")))) << "the run goes on";
        if (f.zielBelegt) {
            EXPECT_EQ(inhalt(ziel).value(QStringLiteral("catstamm.db")), vorZiel.value(QStringLiteral("catstamm.db")));
        }
        if (f.beschaedigt) {
            EXPECT_FALSE(QFileInfo::exists(QDir(ziel).filePath(QStringLiteral("catstamm.db"))));
        }
    }
}

TEST(Ruecksicherung, NothingIsTouchedByABackupThatFailsItsChecks) {
    struct Fall {
        const char* was;
        std::function<void(const QString&)> verderben;
        SicherungsBefund::Art befund;
    };
    const QList<Fall> faelle = {
        {"not a backup",
         [](const QString& b) { QFile::remove(QDir(b).filePath(QStringLiteral("catstamm.db"))); },
         SicherungsBefund::Art::KeinSicherungsverzeichnis},
        {"damaged cat table",
         [](const QString& b) {
             seiteBeschaedigen(QDir(b).filePath(QStringLiteral("catstamm.db")), QStringLiteral("catstamm"), true);
         },
         SicherungsBefund::Art::Beschaedigt},
        {"damaged index of another table",
         [](const QString& b) { seiteBeschaedigen(QDir(b).filePath(QStringLiteral("farbe.db")), QStringLiteral("farbe")); },
         SicherungsBefund::Art::Beschaedigt},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        TempDir dir;
        const QString d = dir.file(QStringLiteral("Daten")), b = dir.file(QStringLiteral("Sicherung")),
                      s = dir.file(QStringLiteral("Datensik"));
        registerAnlegen(d, 3000, QStringLiteral("Jetzt"));
        registerAnlegen(b, 3000, QStringLiteral("Damals"));
        f.verderben(b);
        const auto vorher = inhalt(d);
        const RuecksicherungsErgebnis r = datenZuruecksichern(b, d, s);
        EXPECT_EQ(r.art, RuecksicherungsErgebnis::Art::Ungeprueft);
        EXPECT_EQ(r.befund.art, f.befund);
        EXPECT_EQ(inhalt(d), vorher);
        EXPECT_FALSE(QFileInfo::exists(s)) << "not even the safety copy is started";
    }
}

TEST(Ruecksicherung, CopiedInCompletelyOrTheCurrentFilesComeBack) {
    struct Fall {
        const char* was;
        bool ordnerImWeg;  // a folder in the data directory blocks one file of the backup
        int abbruchBei;    // cancel at this copy-in step (0: never)
        RuecksicherungsErgebnis::Art art;
    };
    for (const Fall& f : {Fall{"complete", false, 0, RuecksicherungsErgebnis::Art::Ok},
                          Fall{"copy fails", true, 0, RuecksicherungsErgebnis::Art::Zurueckgeholt},
                          Fall{"cancelled", false, 2, RuecksicherungsErgebnis::Art::Zurueckgeholt}}) {
        SCOPED_TRACE(f.was);
        TempDir dir;
        const QString d = dir.file(QStringLiteral("Daten")), b = dir.file(QStringLiteral("Sicherung")),
                      s = dir.file(QStringLiteral("Datensik"));
        registerAnlegen(d, 300, QStringLiteral("Jetzt"));
        registerAnlegen(b, 200, QStringLiteral("Damals"));
        for (const QString& z : {d, b}) {
            QFile a(QDir(z).filePath(QStringLiteral("Sicherung.zip")));
            a.open(QIODevice::WriteOnly);
            a.write(z.toUtf8());
        }
        QDir().mkpath(s);
        QFile alt(QDir(s).filePath(QStringLiteral("alt.txt")));
        alt.open(QIODevice::WriteOnly);
        alt.close();
        if (f.ordnerImWeg) {
            QDir().mkpath(QDir(d).filePath(QStringLiteral("Bilder.alt")));
            QFile(QDir(b).filePath(QStringLiteral("notiz.txt"))).copy(QDir(b).filePath(QStringLiteral("Bilder.alt")));
        }
        const auto vorher = inhalt(d), sicherung = inhalt(b);
        std::atomic<bool> abbruch{false};
        int kopiert = 0;
        bool eingespielt = false;
        Steuerung st;
        st.abbruch = &abbruch;
        st.fortschritt = [&](const Fortschritt& p) {
            if (p.aktion == Fortschritt::Aktion::Loesche && p.datei == QLatin1String("catstamm.db")) eingespielt = true;
            if (eingespielt && p.aktion == Fortschritt::Aktion::Kopiere && ++kopiert == f.abbruchBei) abbruch = true;
        };
        const RuecksicherungsErgebnis r = datenZuruecksichern(b, d, s, st);
        EXPECT_EQ(r.art, f.art);
        EXPECT_FALSE(QFileInfo::exists(ruecksicherungsMarke(d)));
        auto ohneZip = [](QMap<QString, QByteArray> m) {
            m.remove(QStringLiteral("Sicherung.zip"));
            return m;
        };
        if (f.art == RuecksicherungsErgebnis::Art::Ok) {
            EXPECT_EQ(ohneZip(inhalt(d)), ohneZip(sicherung));
            EXPECT_EQ(inhalt(d).value(QStringLiteral("Sicherung.zip")), vorher.value(QStringLiteral("Sicherung.zip")))
                << "an archive is neither deleted nor copied";
            EXPECT_EQ(inhalt(s), ohneZip(vorher)) << "the safety directory holds exactly the files before";
        } else {
            EXPECT_EQ(inhalt(d), vorher);
        }
    }
}

TEST(Ruecksicherung, ARestoreCutOffIsFoundAndUndoneAtTheNextStart) {
    TempDir dir;
    const QString d = dir.file(QStringLiteral("Daten")), b = dir.file(QStringLiteral("Sicherung")),
                  s = dir.file(QStringLiteral("Datensik"));
    registerAnlegen(d, 300, QStringLiteral("Jetzt"));
    registerAnlegen(b, 200, QStringLiteral("Damals"));
    const auto vorher = inhalt(d);
    EXPECT_EQ(unterbrocheneRuecksicherungBeheben(d).art, Wiederherstellung::Art::Keine);
    // The process ends while the backup is copied in: nothing after that point runs.
    struct Ende {};
    int kopiert = 0;
    bool eingespielt = false;
    Steuerung st;
    st.fortschritt = [&](const Fortschritt& p) {
        if (p.aktion == Fortschritt::Aktion::Loesche) eingespielt = true;
        if (eingespielt && p.aktion == Fortschritt::Aktion::Kopiere && ++kopiert == 2) throw Ende{};
    };
    EXPECT_THROW(datenZuruecksichern(b, d, s, st), Ende);
    ASSERT_TRUE(QFileInfo::exists(ruecksicherungsMarke(d)));
    EXPECT_NE(inhalt(d), vorher);

    // The tool's start goes the same way as the program's.
    QString out, err;
    EXPECT_EQ(runWerkzeug({QStringLiteral("indizes"), d, QStringLiteral("farbe")}, &out, &err), 0)
        << err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(ruecksicherungsMarke(d)));
    auto ohneFarbe = [](QMap<QString, QByteArray> m) {
        m.remove(QStringLiteral("farbe.db"));
        return m;
    };
    EXPECT_EQ(ohneFarbe(inhalt(d)), ohneFarbe(vorher));
    EXPECT_EQ(unterbrocheneRuecksicherungBeheben(d).art, Wiederherstellung::Art::Keine);
}

TEST(Ruecksicherung, TheOlderFileQuestionComparesTheCatTablesTimes) {
    TempDir dir;
    const QString d = dir.file(QStringLiteral("Daten")), b = dir.file(QStringLiteral("Sicherung"));
    registerAnlegen(d, 10);
    registerAnlegen(b, 10);
    const QDateTime jetzt = QDateTime::currentDateTime();
    for (int tage : {-1, 0, 1}) {
        QFile fb(QDir(b).filePath(QStringLiteral("catstamm.db"))), fd(QDir(d).filePath(QStringLiteral("catstamm.db")));
        fb.open(QIODevice::ReadWrite);
        fd.open(QIODevice::ReadWrite);
        fd.setFileTime(jetzt, QFileDevice::FileModificationTime);
        fb.setFileTime(jetzt.addDays(tage), QFileDevice::FileModificationTime);
        fb.close();
        fd.close();
        EXPECT_EQ(sicherungAelter(b, d), tage < 0) << tage;
    }
    QFile::remove(QDir(d).filePath(QStringLiteral("catstamm.db")));
    EXPECT_FALSE(sicherungAelter(b, d));
}

// ---------------------------------------------------------------- index rebuild

TEST(Indexaufbau, AnIndexDroppedOrDamagedByHandIsBuiltAgainInOneStep) {
    struct Fall {
        const char* was;
        const char* tabelle;
        const char* index;
        bool beschaedigen;
    };
    for (const Fall& f : {Fall{"dropped, routine", "catstamm", "ix_Nameidx", false},
                          Fall{"damaged, routine", "catstamm", "ix_ZwinName", true},
                          Fall{"dropped, direct", "farbe", "ix_FarbnameIndex", false}}) {
        SCOPED_TRACE(f.was);
        TempDir dir;
        registerAnlegen(dir.path(), 3000);
        const QString datei = dir.file(QString::fromLatin1(f.tabelle) + QStringLiteral(".db"));
        if (f.beschaedigen)
            seiteBeschaedigen(datei, QString::fromLatin1(f.index));
        else
            sql(datei, QByteArray(QByteArray("DROP INDEX ") + f.index).constData());
        const qint64 zahl = katzenZahl(dir.file(QStringLiteral("catstamm.db")));
        Database db(dir.path());
        QStringList berichte;
        StartBericht b;
        b.fehler = [&](const DatabaseError& e, const QString&) { berichte << e.message(); };
        QString grund;
        EXPECT_TRUE(tabellenIndizesNeuAufbauen(db, QString::fromLatin1(f.tabelle), b, &grund)) << grund.toStdString();
        EXPECT_TRUE(berichte.isEmpty()) << berichte.join(QLatin1Char('\n')).toStdString();
        db.disconnect();
        EXPECT_TRUE(hatIndex(datei, f.index));
        EXPECT_EQ(tabellenDateiPruefen(datei), QString());
        EXPECT_EQ(katzenZahl(dir.file(QStringLiteral("catstamm.db"))), zahl);
    }
}

TEST(Indexaufbau, DamagedRowsAreNamedAndTheFileKeptUnlessTheUserAgrees) {
    TempDir dir;
    registerAnlegen(dir.path(), 3000);
    const QString datei = dir.file(QStringLiteral("catstamm.db"));
    seiteBeschaedigen(datei, QStringLiteral("catstamm"), true);
    const auto vorher = inhalt(dir.path());
    Database db(dir.path());
    QStringList berichte;
    StartBericht b;
    b.fehler = [&](const DatabaseError& e, const QString& d) { berichte << d + QStringLiteral(": ") + e.message(); };
    b.zeilenRetten = [](const QString&) { return false; };
    QString grund;
    EXPECT_FALSE(CatstammIndex(db, b));
    ASSERT_EQ(berichte.size(), 1);
    EXPECT_TRUE(berichte[0].startsWith(QStringLiteral("catstamm.db: catstamm: Datensätze beschädigt")))
        << berichte[0].toStdString();
    db.disconnect();
    EXPECT_EQ(inhalt(dir.path()), vorher) << "not a row is dropped";
}

TEST(Indexaufbau, ATableAnotherProgramHoldsFailsAndTheRunSaysNotPossible) {
    TempDir dir;
    registerAnlegen(dir.path(), 100);
    sqlite3* h = nullptr;
    ASSERT_EQ(sqlite3_open_v2(QFile::encodeName(dir.file(QStringLiteral("catstamm.db"))).constData(), &h,
                              SQLITE_OPEN_READWRITE, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(h, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    Database db(dir.path());
    QStringList tabellen;
    const IndexLaufErgebnis e = indexGruppenAufbauen(
        db, {1, 4}, {}, [&](const QString& t, bool ok, const QString& grund) {
            tabellen << t + (ok ? QStringLiteral(";ok") : QStringLiteral(";FEHLER;") + grund);
        });
    EXPECT_FALSE(e.erfolg);
    EXPECT_TRUE(e.neuAufgebaut);
    ASSERT_EQ(tabellen.size(), 2) << tabellen.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(tabellen[0].startsWith(QStringLiteral("catstamm;FEHLER;catstamm ist von einem anderen Programm gesperrt")))
        << tabellen[0].toStdString();
    EXPECT_EQ(tabellen[1], QStringLiteral("farbe;ok"));
    sqlite3_exec(h, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(h);
}

// ---------------------------------------------------------------- the tool

TEST(Werkzeug, SichernZuruecksichernAndIndizesKeepTheirContracts) {
    TempDir dir;
    const QString d = dir.file(QStringLiteral("Daten")), ziel = dir.file(QStringLiteral("Sicherung"));
    registerAnlegen(d, 50, QStringLiteral("Damals"));
    QString out, err;
    ASSERT_EQ(runWerkzeug({QStringLiteral("sichern"), d, ziel}, &out, &err), 0) << err.toStdString();
    EXPECT_EQ(out, QStringLiteral("Dateien: 3\nTabellen: 2\n"));
    EXPECT_EQ(runWerkzeug({QStringLiteral("sichern"), d, ziel}, &out, &err), 2) << "the target is not empty";
    EXPECT_TRUE(err.contains(QStringLiteral("nicht leer")));

    {
        Database db(d);
        Table t(db, QStringLiteral("catstamm"));
        t.open();
        t.first();
        t.edit();
        t.setValue(QStringLiteral("Name"), QStringLiteral("Jetzt"));
        t.post();
    }
    const auto jetzt = inhalt(d);
    {
        Installationssperre laufend(d);
        ASSERT_TRUE(laufend.sperren());
        EXPECT_EQ(runWerkzeug({QStringLiteral("zuruecksichern"), ziel, d}, &out, &err), 2);
        EXPECT_EQ(runWerkzeug({QStringLiteral("indizes"), d}, &out, &err), 2);
    }
    EXPECT_EQ(runWerkzeug({QStringLiteral("zuruecksichern"), dir.path(), d}, &out, &err), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("Dies ist kein Tessaro Sicherungsverzeichnis!")));
    EXPECT_EQ(inhalt(d), jetzt);
    ASSERT_EQ(runWerkzeug({QStringLiteral("zuruecksichern"), ziel, d}, &out, &err), 0) << err.toStdString();
    EXPECT_EQ(out, QStringLiteral("Dateien: 3\n"));
    EXPECT_EQ(inhalt(d), inhalt(ziel));
    EXPECT_EQ(inhalt(dir.file(QStringLiteral("Datensik"))), jetzt);

    EXPECT_EQ(runWerkzeug({QStringLiteral("indizes"), d}, &out, &err), 0) << out.toStdString();
    EXPECT_EQ(out, QStringLiteral("catstamm;ok\nfarbe;ok\n"));
    EXPECT_EQ(runWerkzeug({QStringLiteral("indizes"), d, QStringLiteral("farbe"), QStringLiteral("rasse"),
                           QStringLiteral("keine")},
                          &out, &err),
              1);
    EXPECT_EQ(out, QStringLiteral("farbe;ok\nrasse;FEHLER;Tabelle existiert nicht: rasse\n"
                                  "keine;FEHLER;keine ist keine Tabelle des Systems\n"));
}
