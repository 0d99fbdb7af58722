#include "store/sperre.h"

#include <QDir>
#include <QLockFile>

namespace velmora::store {

QString Installationssperre::dateiName(const QString& datenverzeichnis) {
    return QDir(datenverzeichnis).filePath(QStringLiteral("velmora.lck"));
}

Installationssperre::Installationssperre(const QString& datenverzeichnis)
    : m_datei(std::make_unique<QLockFile>(dateiName(datenverzeichnis))) {
    // Never time out a living holder: a lock counts as stale only when its process is gone.
    m_datei->setStaleLockTime(0);
}

Installationssperre::~Installationssperre() = default;

bool Installationssperre::sperren() { return m_datei->isLocked() || m_datei->tryLock(0); }
void Installationssperre::freigeben() { m_datei->unlock(); }
bool Installationssperre::gesperrt() const { return m_datei->isLocked(); }

} // namespace velmora::store
