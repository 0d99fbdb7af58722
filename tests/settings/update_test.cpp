// TessaroUPD.ini: which update programs start-up runs, in which order, and that it waits for each.

#include "settings/einstellungsort.h"
#include "settings/prozessstarter.h"
#include "settings/systeminfo.h"
#include "support/testsupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>

using namespace velmora::settings;
using velmora::test::TempDir;

namespace {

void schreibeBytes(const QString& pfad, const QByteArray& bytes) {
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// Records what start-up asks for; a command line containing "kaputt" cannot be started.
class Protokoll : public ProzessStarter {
public:
    QStringList ereignisse;
    bool starte(const QString& befehlszeile) override {
        ereignisse << QStringLiteral("starte ") + befehlszeile;
        return !befehlszeile.contains(QLatin1String("kaputt"));
    }
    void warte() override { ereignisse << QStringLiteral("warte"); }
};

// Settings and update file in one fresh folder.
struct Ordner {
    TempDir dir;
    tsysteminfo info;
    explicit Ordner(const QByteArray* update) {
        schreibeBytes(einstellungsPfad(dir.path()), "");
        if (update) schreibeBytes(updatePfad(dir.path()), *update);
        EXPECT_TRUE(info.load(einstellungsPfad(dir.path())));
    }
};

QStringList laeuft(const QByteArray& update) {
    Ordner o(&update);
    Protokoll p;
    const int n = o.info.loadUpdate(p);
    EXPECT_EQ(n, p.ereignisse.filter(QStringLiteral("starte ")).size() -
                     p.ereignisse.filter(QStringLiteral("kaputt")).size());
    return p.ereignisse;
}

} // namespace

TEST(Update, ProgramsRunOneAfterTheOtherEachToItsEnd) {
    const QStringList e = laeuft("[Version]\r\nNummer=7.1\r\n[Programme]\r\nUpdate3=drei\r\n"
                                 "update1=eins /s\r\nUPDATE2=\"C:\\Programme\\zwei.exe\" -x\r\n");
    EXPECT_EQ(e,
              QStringList({QStringLiteral("starte eins /s"), QStringLiteral("warte"),
                           QStringLiteral("starte \"C:\\Programme\\zwei.exe\" -x"), QStringLiteral("warte"),
                           QStringLiteral("starte drei"), QStringLiteral("warte")}));
}

TEST(Update, EmptyOrMissingKeysAreSkipped) {
    EXPECT_EQ(
        laeuft("[Version]\r\nNummer=7.1\r\n[Programme]\r\nUpdate1=\r\nUpdate3=drei\r\nUpdate4=vier\r\n"),
        QStringList({QStringLiteral("starte drei"), QStringLiteral("warte")}));
    EXPECT_TRUE(laeuft("[Version]\r\nNummer=7.1\r\n").isEmpty());
}

TEST(Update, AProgramThatCannotStartIsNotWaitedFor) {
    EXPECT_EQ(laeuft("[Version]\r\nNummer=8\r\n[Programme]\r\nUpdate1=kaputt\r\nUpdate2=zwei\r\n"),
              QStringList(
                  {QStringLiteral("starte kaputt"), QStringLiteral("starte zwei"), QStringLiteral("warte")}));
}

TEST(Update, TheVersionDecides) {
    const QByteArray programme = "[Programme]\r\nUpdate1=eins\r\n";
    // The current version, no version, and no file at all: nothing runs.
    EXPECT_TRUE(laeuft("[Version]\r\nNummer=7.0\r\n" + programme).isEmpty());
    EXPECT_TRUE(laeuft("[Version]\r\nNummer= 7.0 \r\n" + programme).isEmpty());
    EXPECT_TRUE(laeuft("[Version]\r\nNummer=\r\n" + programme).isEmpty());
    EXPECT_TRUE(laeuft(programme).isEmpty());
    {
        Ordner o(nullptr);
        Protokoll p;
        EXPECT_EQ(o.info.loadUpdate(p), 0);
        EXPECT_TRUE(p.ereignisse.isEmpty());
    }
    // Only the first five characters count, and they are compared exactly.
    EXPECT_FALSE(laeuft("[Version]\r\nNummer=7.0.1\r\n" + programme).isEmpty());
    EXPECT_FALSE(laeuft("[Version]\r\nNummer=7.0  x\r\n" + programme).isEmpty());
    EXPECT_FALSE(laeuft("[Version]\r\nNummer=7.00\r\n" + programme).isEmpty());
    EXPECT_FALSE(laeuft("[Version]\r\nNummer=6.9\r\n" + programme).isEmpty());
    EXPECT_EQ(updateBefehle(QStringLiteral("/gibt/es/nicht/TessaroUPD.ini")), QStringList());
}

TEST(Update, RealProcessesAreAwaited) {
    TempDir dir;
    const QString ausgabe = dir.file(QStringLiteral("ausgabe.txt"));
    // The first program is slow: were it not awaited, the second would write first.
    const QByteArray upd = "[Version]\r\nNummer=7.1\r\n[Programme]\r\n"
                           "Update1=sh -c \"sleep 0.4; echo eins >> '" +
                           ausgabe.toLocal8Bit() +
                           "'\"\r\n"
                           "Update2=sh -c \"echo zwei >> '" +
                           ausgabe.toLocal8Bit() +
                           "'\"\r\n"
                           "Update3=/gibt/es/nicht/update.exe\r\n";
    schreibeBytes(einstellungsPfad(dir.path()), "");
    schreibeBytes(updatePfad(dir.path()), upd);
    tsysteminfo info;
    ASSERT_TRUE(info.load(einstellungsPfad(dir.path())));
    QElapsedTimer uhr;
    uhr.start();
    EXPECT_EQ(info.loadUpdate(), 2); // the third cannot be started
    EXPECT_GE(uhr.elapsed(), 350);
    QFile f(ausgabe);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("eins\nzwei\n"));
}

TEST(Update, QuotedWordsKeepTheirSpaces) {
    TempDir dir;
    const QString skript = dir.file(QStringLiteral("update.sh"));
    schreibeBytes(skript, "printf '%s|' \"$@\" > \"$(dirname \"$0\")/aus.txt\"\n");
    QProzessStarter starter;
    ASSERT_TRUE(starter.starte(QStringLiteral("sh \"") + skript + QStringLiteral("\" \"a  b\" c")));
    starter.warte();
    QFile f(dir.file(QStringLiteral("aus.txt")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("a  b|c|"));
    EXPECT_FALSE(starter.starte(QString()));
}
