#pragma once
// Taking over the settings file of an earlier program: the keys this program knows come into its own
// settings file; every other line of the old file stays behind.

#include <QString>
#include <QStringList>

namespace velmora::settings {

// Reads `datei` (code page 1252, or UTF-8 when saved so) and writes the known keys into Tessaro.ini of
// `verzeichnis`, creating it when missing and keeping its other lines. Returns the keys written as
// "Sektion/Schlüssel", or false (with nothing written) when a file cannot be read or written.
bool einstellungenUebernehmen(const QString& datei, const QString& verzeichnis, QStringList* uebernommen);

} // namespace velmora::settings
