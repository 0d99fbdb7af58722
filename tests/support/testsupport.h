#pragma once
// Helpers shared by every test program.

#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace velmora::test {

// A fresh temporary folder per test, removed afterwards.
class TempDir {
public:
    TempDir();
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

// A delivered data directory (as the build writes it) copied into a fresh temporary folder.
class DataDir : public TempDir {
public:
    DataDir();
};

// Runs velmora-werkzeug with the arguments; returns the exit code, fills stdout/stderr.
int runWerkzeug(const QStringList& args, QString* out = nullptr, QString* err = nullptr,
                const QStringList& env = {});

QString sourceDataDir(); // data/ of the source tree
QString deliveredDataDir(); // the build's Daten/

} // namespace velmora::test
