#pragma once
// Starts the update programs named in TessaroUPD.ini. Behind an interface so start-up can be checked
// without running real programs.

#include <QString>
#include <memory>

class QProcess;

namespace velmora::settings {

class ProzessStarter {
public:
    virtual ~ProzessStarter() = default;
    // Starts the command line as a process of its own; false when it could not be started.
    virtual bool starte(const QString& befehlszeile) = 0;
    // Returns when the process started last has ended.
    virtual void warte() = 0;
};

// The real thing: QProcess, with the child's output going to ours rather than into a buffer nobody
// reads. The exit code is of no interest.
class QProzessStarter : public ProzessStarter {
public:
    QProzessStarter();
    ~QProzessStarter() override;
    bool starte(const QString& befehlszeile) override;
    void warte() override;

private:
    std::unique_ptr<QProcess> m_prozess;
};

} // namespace velmora::settings
