#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace velmora::test {

TempDir::TempDir() { EXPECT_TRUE(m_dir.isValid()); }

QString sourceDataDir() { return QString::fromUtf8(VELMORA_DATA_SOURCE); }
QString deliveredDataDir() { return QString::fromUtf8(VELMORA_BINARY_DIR) + QStringLiteral("/Daten"); }

DataDir::DataDir() {
    const QDir src(deliveredDataDir());
    const auto files = src.entryList(QDir::Files);
    EXPECT_FALSE(files.isEmpty()) << "the build has not written " << deliveredDataDir().toStdString();
    for (const QString& f : files) QFile::copy(src.filePath(f), file(f));
}

int runWerkzeug(const QStringList& args, QString* out, QString* err, const QStringList& env) {
    QProcess p;
    auto e = QProcessEnvironment::systemEnvironment();
    for (const QString& kv : env) {
        const int eq = kv.indexOf(QLatin1Char('='));
        e.insert(kv.left(eq), kv.mid(eq + 1));
    }
    p.setProcessEnvironment(e);
    p.start(QString::fromUtf8(VELMORA_WERKZEUG), args);
    if (!p.waitForFinished(600000)) return -1;
    if (out) *out = QString::fromUtf8(p.readAllStandardOutput());
    if (err) *err = QString::fromUtf8(p.readAllStandardError());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

} // namespace velmora::test
