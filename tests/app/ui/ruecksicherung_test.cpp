// The program's start after a restore was cut off: the safety copy is put back before any table opens,
// or, when that is impossible, the program says so and ends without opening anything.

#include "store/sicherung.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

struct Start {
    int code = -1;
    QStringList meldungen;
};

Start starten(const QString& daten, const QString& antworten) {
    test::TempDir e, log;
    QFile ini(e.file(QStringLiteral("Tessaro.ini")));
    ini.open(QIODevice::WriteOnly);
    ini.close();
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VELMORA_MELDUNGEN"), log.file(QStringLiteral("m.txt")));
    env.insert(QStringLiteral("VELMORA_ANTWORTEN"), antworten);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VELMORA_BINARY_DIR "/velmora"),
            {QStringLiteral("--daten"), daten, QStringLiteral("--einstellungen"), e.path()});
    Start s;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return s;
    }
    s.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    QFile f(log.file(QStringLiteral("m.txt")));
    if (f.open(QIODevice::ReadOnly))
        s.meldungen = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return s;
}

} // namespace

TEST(Programm, EineAbgebrocheneRuecksicherungWirdVorDemOeffnenZurueckgeholt) {
    struct Fall {
        const char* was;
        bool sicherheitDa;
    };
    for (const Fall& f : {Fall{"safety copy there", true}, Fall{"safety copy gone", false}}) {
        SCOPED_TRACE(f.was);
        test::DataDir d;
        test::TempDir s;
        for (const QString& e : store::eintraege(d.path(), true))
            ASSERT_TRUE(QFile::copy(d.file(e), s.file(e)));
        // Cut off after the deletions: the data directory holds no cat table.
        QFile::remove(d.file(QStringLiteral("catstamm.db")));
        QFile marke(store::ruecksicherungsMarke(d.path()));
        ASSERT_TRUE(marke.open(QIODevice::WriteOnly));
        marke.write((f.sicherheitDa ? s.path() : s.file(QStringLiteral("fehlt"))).toUtf8() + '\n');
        marke.close();
        const Start l = starten(d.path(), QStringLiteral("ok,ja"));
        ASSERT_FALSE(l.meldungen.isEmpty());
        if (f.sicherheitDa) {
            EXPECT_EQ(l.code, 0);
            EXPECT_TRUE(l.meldungen[0].startsWith(QStringLiteral("info;;Eine Rücksicherung wurde unterbrochen.")))
                << l.meldungen[0].toStdString();
            EXPECT_EQ(l.meldungen.last(), QStringLiteral("warnung;16;Programm beenden!;ja"));
            EXPECT_TRUE(QFile::exists(d.file(QStringLiteral("catstamm.db"))));
            EXPECT_FALSE(marke.exists());
        } else {
            EXPECT_EQ(l.code, 1);
            ASSERT_EQ(l.meldungen.size(), 1);
            EXPECT_TRUE(l.meldungen[0].startsWith(QStringLiteral("fehler;;Eine Rücksicherung wurde unterbrochen,")))
                << l.meldungen[0].toStdString();
            EXPECT_FALSE(QFile::exists(d.file(QStringLiteral("catstamm.db")))) << "no table is created meanwhile";
            EXPECT_TRUE(marke.exists()) << "the next start tries again";
        }
    }
}
