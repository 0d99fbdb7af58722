#pragma once
// Fetching one file over the internet (libcurl): the connection test and the download of the update
// menu. The target is replaced only by a complete download, so a broken transfer loses nothing.

#include <QString>

namespace velmora {

// True when the address's server answers within the time (file: addresses count as reachable when the
// file exists).
bool internetVerbindung(const QString& adresse, int millisekunden = 5000);

// Downloads the address into the file; false (with a reason) on any failure, the file then unchanged.
bool dateiHerunterladen(const QString& adresse, const QString& ziel, QString* fehler = nullptr,
                        int millisekunden = 60000);

} // namespace velmora
