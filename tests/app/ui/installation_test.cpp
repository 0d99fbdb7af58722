// The installed program: cmake --install into a temporary prefix, then a first start in automation mode
// writes the user's data directory from the installed data.

#include "app/ui/erststartdialog.h"
#include "store/database.h"
#include "store/table.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

struct Ergebnis {
    int code = -1;
    QString aus;
    QStringList meldungen;
};

Ergebnis starten(const QString& programm, const QStringList& args, const QString& home) {
    test::TempDir log;
    const QString logDatei = log.file(QStringLiteral("meldungen.txt"));
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    env.insert(QStringLiteral("VELMORA_MELDUNGEN"), logDatei);
    env.insert(QStringLiteral("VELMORA_ANTWORTEN"), QStringLiteral("ja"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start(programm, args);
    Ergebnis e;
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        return e;
    }
    e.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    e.aus = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    QFile f(logDatei);
    if (f.open(QIODevice::ReadOnly))
        e.meldungen = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return e;
}

int datensaetze(const QString& daten, const QString& tabelle) {
    store::Database db(daten);
    store::Table t(db, tabelle);
    t.open(store::Table::OpenMode::ReadOnly);
    return t.recordCount();
}

} // namespace

TEST(Installation, InstalliertesProgrammLegtBeimErstenStartDieDatenAusDerInstallationAn) {
    test::TempDir t;
    const QString p = t.file(QStringLiteral("P"));
    const Ergebnis inst = starten(
        QStringLiteral(VELMORA_CMAKE),
        {QStringLiteral("--install"), QStringLiteral(VELMORA_BINARY_DIR), QStringLiteral("--prefix"), p},
        t.path());
    ASSERT_EQ(inst.code, 0) << inst.aus.toStdString();
    const QString erweiterung = QFileInfo(QStringLiteral(VELMORA_SORTIERUNG)).fileName();
    for (const QString& datei : QStringList{
             QStringLiteral("bin/velmora"), QStringLiteral("bin/velmora-werkzeug"),
             QString(QStringLiteral("lib/") + erweiterung), QStringLiteral("share/velmora/data/sprache.tsv"),
             QStringLiteral("share/velmora/Help/1001.html"),
             QStringLiteral("share/applications/velmora.desktop"),
             QStringLiteral("share/icons/hicolor/scalable/apps/velmora.svg")})
        EXPECT_TRUE(QFileInfo::exists(p + QLatin1Char('/') + datei)) << datei.toStdString();
    // Without the delivered titles in the installed copy, a directory written from the source tree's data
    // would show itself by its titles.
    ASSERT_TRUE(QFile::remove(p + QStringLiteral("/share/velmora/data/titelbez.tsv")));

    const QString home = t.file(QStringLiteral("home"));
    QDir().mkpath(home);
    const Ergebnis erster = starten(p + QStringLiteral("/bin/velmora"), {}, home);
    EXPECT_EQ(erster.code, 0) << erster.aus.toStdString()
                              << erster.meldungen.join(QLatin1Char('\n')).toStdString();
    ASSERT_FALSE(erster.meldungen.isEmpty());
    EXPECT_EQ(erster.meldungen.last(), QStringLiteral("warnung;16;Programm beenden!;ja"));
    const QString daten = home + QStringLiteral("/Velmora/Daten");
    ASSERT_TRUE(QFileInfo::exists(daten + QStringLiteral("/catstamm.db")));
    EXPECT_TRUE(QFileInfo::exists(home + QStringLiteral("/Velmora/Help/1001.html")));
    EXPECT_TRUE(QFileInfo::exists(home + QStringLiteral("/.config/Velmora/Tessaro.ini")));
    EXPECT_GT(datensaetze(daten, QStringLiteral("rasse")), 0);
    EXPECT_EQ(datensaetze(daten, QStringLiteral("titelbez")), 0);

    // The installed tool takes the installed data too.
    const Ergebnis werkzeug = starten(p + QStringLiteral("/bin/velmora-werkzeug"),
                                      {QStringLiteral("anlegen"), t.file(QStringLiteral("W"))}, home);
    ASSERT_EQ(werkzeug.code, 0) << werkzeug.aus.toStdString();
    EXPECT_EQ(datensaetze(t.file(QStringLiteral("W")), QStringLiteral("titelbez")), 0);

    // The installed extension opens the new cat table in the sqlite3 shell.
    if (!QStandardPaths::findExecutable(QStringLiteral("sqlite3")).isEmpty()) {
        const Ergebnis shell = starten(
            QStandardPaths::findExecutable(QStringLiteral("sqlite3")),
            {QStringLiteral("-cmd"), QStringLiteral(".load ") + p + QStringLiteral("/lib/") + erweiterung,
             daten + QStringLiteral("/catstamm.db"), QStringLiteral("select count(*) from catstamm")},
            home);
        EXPECT_EQ(shell.aus.trimmed(), QStringLiteral("0"));
    }

    // A second start finds the folder the first one remembered, without writing it again.
    const QString anders = home + QStringLiteral("/Anders/Daten");
    QSettings(home + QStringLiteral("/.config/Velmora/Velmora.ini"), QSettings::IniFormat)
        .setValue(QStringLiteral("Installation/Daten"), anders);
    const Ergebnis zweiter = starten(p + QStringLiteral("/bin/velmora"), {}, home);
    EXPECT_EQ(zweiter.code, 0) << zweiter.aus.toStdString();
    EXPECT_TRUE(QFileInfo::exists(anders + QStringLiteral("/catstamm.db")));
    const Ergebnis dritter = starten(p + QStringLiteral("/bin/velmora"), {}, home);
    EXPECT_EQ(dritter.code, 0) << dritter.aus.toStdString();
    EXPECT_EQ(dritter.meldungen, zweiter.meldungen);
}

TEST(Installation, ErststartFragtInDerSpracheUndNimmtDenGetipptenOrt) {
    const struct {
        int sprache;
        const char* titel;
        const char* frage;
    } faelle[] = {{0, "Velmora - erster Start", "Neues Datenverzeichnis anlegen in:"},
                  {1, "Velmora - first start", "Create a new data directory in:"},
                  {2, "Velmora - eerste start", "Nieuwe gegevensmap aanmaken in:"}};
    for (const auto& f : faelle) {
        app::TErststartDialog d(test::sourceDataDir(), QStringLiteral("/tmp/x/Daten"), f.sprache);
        EXPECT_EQ(d.windowTitle(), QString::fromUtf8(f.titel));
        EXPECT_EQ(d.findChild<QLabel*>(QStringLiteral("LabelOrt"))->text(), QString::fromUtf8(f.frage));
    }
    app::TErststartDialog d(test::sourceDataDir(), QStringLiteral("/tmp/x/Daten"), 0);
    d.show();
    auto* ort = d.findChild<QLineEdit*>(QStringLiteral("EditOrt"));
    ASSERT_TRUE(ort);
    EXPECT_EQ(ort->text(), QStringLiteral("/tmp/x/Daten"));
    ort->setFocus();
    ort->selectAll();
    for (QChar c : QStringLiteral("~/Katzen/Daten")) {
        QKeyEvent e(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(ort, &e);
    }
    d.findChild<QPushButton*>(QStringLiteral("ButtonOK"))->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.verzeichnis(), QDir::homePath() + QStringLiteral("/Katzen/Daten"));
    // An empty field is no answer: OK keeps the dialog open.
    app::TErststartDialog leer(test::sourceDataDir(), QString(), 0);
    leer.show();
    leer.findChild<QPushButton*>(QStringLiteral("ButtonOK"))->click();
    EXPECT_TRUE(leer.isVisible());
}
