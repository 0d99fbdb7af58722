// The tool's view of the settings, and where the settings folder is.

#include "felderwartung.h"
#include "settings/einstellungsort.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace velmora::settings;
using velmora::test::feldErwartungen;
using velmora::test::runWerkzeug;
using velmora::test::TempDir;

namespace {

void schreibeBytes(const QString& pfad, const QByteArray& bytes) {
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QStringList zeilen(const QString& text) {
    QStringList z = text.split(QLatin1Char('\n'));
    if (!z.isEmpty() && z.last().isEmpty()) z.removeLast();
    return z;
}

// Without a screen the tool knows no work area, so the size default is the smallest.
QString werkzeugVorgabe(const velmora::test::FeldErwartung& e) {
    return QString::fromUtf8(qstrcmp(e.name, "Aufloesung") == 0 ? "800x600" : e.vorgabe);
}

} // namespace

TEST(EinstellungenWerkzeug, AnEmptyFilePrintsEveryFieldWithItsDefault) {
    TempDir dir;
    schreibeBytes(einstellungsPfad(dir.path()), "");
    QString out, err;
    ASSERT_EQ(runWerkzeug({QStringLiteral("einstellungen"), QStringLiteral("--einstellungen"), dir.path()},
                          &out, &err),
              0)
        << err.toStdString();
    const QStringList z = zeilen(out);
    ASSERT_EQ(z.size(), int(feldErwartungen().size()));
    EXPECT_EQ(z.mid(0, 4),
              QStringList({QStringLiteral("Status=alle"), QStringLiteral("Anzeigen=1"),
                           QStringLiteral("index=Nameidx"), QStringLiteral("indexStammdaten=Nameidx")}));
    for (int i = 0; i < z.size(); ++i) {
        const auto& e = feldErwartungen()[i];
        EXPECT_EQ(z[i], QString::fromUtf8(e.name) + QLatin1Char('=') + werkzeugVorgabe(e));
    }
    EXPECT_TRUE(err.isEmpty());
}

TEST(EinstellungenWerkzeug, PrintsWhatTheFileHolds) {
    TempDir dir;
    // The tool reads with the locale of its environment; the values here read under any.
    schreibeBytes(einstellungsPfad(dir.path()),
                  "[drucken]\r\nBILDAUFL\xd6SUNG=20\r\n[System]\r\n"
                  "Sprache=Holl\xe4ndisch\r\n[LASTCATS]\r\nCat1=B\xe4rbel {12}\r\n"
                  "[Stammbaum]\r\nAnzeige=FarbeTitel\r\n");
    QString out;
    ASSERT_EQ(
        runWerkzeug({QStringLiteral("einstellungen"), QStringLiteral("--einstellungen"), dir.path()}, &out),
        0);
    const QStringList z = zeilen(out);
    EXPECT_TRUE(z.contains(QStringLiteral("BildAufloesung=20")));
    EXPECT_TRUE(z.contains(QStringLiteral("Sprache=2")));
    EXPECT_TRUE(z.contains(QStringLiteral("SpracheGeaendert=1")));
    EXPECT_TRUE(z.contains(QString::fromUtf8("LastCats=Bärbel {12},{},{},{},{}")));
    EXPECT_TRUE(
        z.contains(QStringLiteral("stammbaumAnzeigeArray=2,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0")));
}

TEST(EinstellungenWerkzeug, FolderFromTheEnvironmentAndErrors) {
    TempDir dir;
    QDir().mkpath(dir.file(QStringLiteral("Velmora")));
    schreibeBytes(dir.file(QStringLiteral("Velmora/Tessaro.ini")), "[Auswahlfenster]\r\nStatus=13\r\n");
    QString out, err;
    ASSERT_EQ(runWerkzeug({QStringLiteral("einstellungen")}, &out, &err,
                          {QStringLiteral("XDG_CONFIG_HOME=") + dir.path()}),
              0);
    EXPECT_TRUE(out.startsWith(QStringLiteral("Status=13\n")));
    // A folder where the file should be cannot be read.
    TempDir kaputt;
    QDir().mkpath(einstellungsPfad(kaputt.path()));
    EXPECT_EQ(runWerkzeug({QStringLiteral("einstellungen"), QStringLiteral("--einstellungen"), kaputt.path()},
                          &out, &err),
              2);
    EXPECT_FALSE(err.isEmpty());
    EXPECT_EQ(runWerkzeug({QStringLiteral("einstellungen"), QStringLiteral("zuviel")}, &out, &err), 64);
    EXPECT_EQ(runWerkzeug({QStringLiteral("einstellungen"), QStringLiteral("--einstellungen")}, &out, &err),
              64);
}

TEST(EinstellungenWerkzeug, AnlegenCreatesAnEmptyFileAndKeepsAnExistingOne) {
    TempDir dir;
    const QString ordner = dir.file(QStringLiteral("neu/Velmora"));
    QString out, err;
    ASSERT_EQ(
        runWerkzeug({QStringLiteral("einstellungen-anlegen"), QStringLiteral("--einstellungen"), ordner},
                    &out, &err),
        0)
        << err.toStdString();
    const QString pfad = einstellungsPfad(ordner);
    EXPECT_EQ(out.trimmed(), QFileInfo(pfad).absoluteFilePath());
    EXPECT_TRUE(QFileInfo(pfad).isFile());
    EXPECT_EQ(QFileInfo(pfad).size(), 0);

    schreibeBytes(pfad, "[System]\r\nHilfe=0\r\n");
    ASSERT_EQ(
        runWerkzeug({QStringLiteral("einstellungen-anlegen"), QStringLiteral("--einstellungen"), ordner}), 0);
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("[System]\r\nHilfe=0\r\n"));
}

TEST(Einstellungsort, OptionThenEnvironmentThenHome) {
    const QByteArray alt = qgetenv("XDG_CONFIG_HOME");
    const bool hatteAlt = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/xdg/config");
    EXPECT_EQ(einstellungsVerzeichnis(), QStringLiteral("/xdg/config/Velmora"));
    EXPECT_EQ(einstellungsVerzeichnis(QStringLiteral("/eigen")), QStringLiteral("/eigen"));
    QStringList args = {QStringLiteral("-x"), QStringLiteral("--einstellungen"), QStringLiteral("/da"),
                        QStringLiteral("y")};
    EXPECT_EQ(einstellungsVerzeichnisAus(args), QStringLiteral("/da"));
    EXPECT_EQ(args, QStringList({QStringLiteral("-x"), QStringLiteral("y")}));
    args = {QStringLiteral("-x")};
    EXPECT_EQ(einstellungsVerzeichnisAus(args), QStringLiteral("/xdg/config/Velmora"));

    const QString home = QDir(QDir::homePath()).filePath(QStringLiteral(".config/Velmora"));
    // Empty or relative values do not count.
    qputenv("XDG_CONFIG_HOME", "");
    EXPECT_EQ(einstellungsVerzeichnis(), home);
    qputenv("XDG_CONFIG_HOME", "relativ/config");
    EXPECT_EQ(einstellungsVerzeichnis(), home);
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(einstellungsVerzeichnis(), home);
    if (hatteAlt) qputenv("XDG_CONFIG_HOME", alt);

    EXPECT_EQ(einstellungsPfad(QStringLiteral("/a/b")), QStringLiteral("/a/b/Tessaro.ini"));
    EXPECT_EQ(updatePfad(QStringLiteral("/a/b")), QStringLiteral("/a/b/TessaroUPD.ini"));
}
