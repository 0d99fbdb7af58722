#include "app/ui/tatze.h"

#include <QPainter>

namespace velmora::app {

QPixmap tatze(int groesse) {
    QPixmap bild(groesse, groesse);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 72, 40));
    const double s = groesse / 100.0;
    p.drawEllipse(QRectF(28 * s, 45 * s, 44 * s, 40 * s)); // pad
    for (const QPointF& zeh : {QPointF(18, 30), QPointF(36, 14), QPointF(58, 14), QPointF(76, 30)})
        p.drawEllipse(QRectF((zeh.x() - 8) * s, (zeh.y() - 10) * s, 16 * s, 20 * s));
    return bild;
}

} // namespace velmora::app
