#pragma once
// The program's paw picture (window icon, splash and about box), drawn rather than shipped as a file.

#include <QPixmap>

namespace velmora::app {
QPixmap tatze(int groesse);
}
