#pragma once
// Conversion between Qt strings and the Windows code page 1252 used by the settings and exchange files.

#include <QByteArray>
#include <QString>

namespace velmora::store {

// Characters that code page 1252 cannot hold become "?", as the Windows ANSI functions do.
QByteArray toCp1252(const QString& text);
// The five bytes that 1252 leaves undefined map to the C1 controls of the same value, so they round-trip.
QString fromCp1252(const QByteArray& bytes);

} // namespace velmora::store
