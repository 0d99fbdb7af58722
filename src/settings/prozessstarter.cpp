#include "settings/prozessstarter.h"

#include <QProcess>
#include <QStringList>

namespace velmora::settings {

QProzessStarter::QProzessStarter() = default;

QProzessStarter::~QProzessStarter() {
    // An update left running must not be killed when start-up ends.
    if (m_prozess && m_prozess->state() != QProcess::NotRunning) m_prozess->waitForFinished(-1);
}

bool QProzessStarter::starte(const QString& befehlszeile) {
    // Quoted words keep their spaces, so "C:\Program Files\..." style lines split as the user meant.
    QStringList woerter = QProcess::splitCommand(befehlszeile);
    if (woerter.isEmpty()) return false;
    const QString programm = woerter.takeFirst();
    m_prozess = std::make_unique<QProcess>();
    m_prozess->setProcessChannelMode(QProcess::ForwardedChannels);
    m_prozess->setInputChannelMode(QProcess::ForwardedInputChannel);
    m_prozess->start(programm, woerter);
    return m_prozess->waitForStarted(-1);
}

void QProzessStarter::warte() {
    if (m_prozess && m_prozess->state() != QProcess::NotRunning) m_prozess->waitForFinished(-1);
}

} // namespace velmora::settings
