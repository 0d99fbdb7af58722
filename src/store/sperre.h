#pragma once
// The lock that keeps a second running copy of the program away from the same installation. It lives
// as a lock file in the data directory; a copy that crashed leaves a stale file whose process is gone,
// which the next start takes over.

#include <QString>
#include <memory>

class QLockFile;

namespace velmora::store {

class Installationssperre {
public:
    explicit Installationssperre(const QString& datenverzeichnis);
    ~Installationssperre();
    Installationssperre(const Installationssperre&) = delete;
    Installationssperre& operator=(const Installationssperre&) = delete;

    // True when this copy now holds the installation; false while another running copy holds it.
    bool sperren();
    void freigeben();
    bool gesperrt() const;

    static QString dateiName(const QString& datenverzeichnis);

private:
    std::unique_ptr<QLockFile> m_datei;
};

} // namespace velmora::store
