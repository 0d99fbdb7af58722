#include "printing/ui/bilddruck.h"

#include <QImageReader>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

namespace velmora::printing {

int bildKopienDrucken(QPrinter& drucker, const QImage& bild, const QString& titel, const QString& name,
                      const QFont& schrift, int kopien, const std::function<void(QPrinter&, int)>& vorJob) {
    int fertig = 0;
    // The dialog's copies become jobs of their own; the driver must not multiply them again.
    drucker.setCopyCount(1);
    for (int kopie = 0; kopie < kopien; ++kopie) {
        if (vorJob) vorJob(drucker, kopie);
        drucker.setDocName(titel);
        QPainter p;
        if (!p.begin(&drucker)) continue;
        QFont gross = schrift;
        gross.setPointSizeF(std::max(1.0, schrift.pointSizeF()) + 4.0);
        p.setFont(gross);
        p.drawText(QPoint(1, 1 + p.fontMetrics().ascent()), name);
        const QRect seite = drucker.pageLayout().paintRectPixels(drucker.resolution());
        const int ende = std::min(seite.width(), seite.height()) - 1;
        if (ende <= 301) {
            drucker.abort();
            continue;
        }
        const QRect flaeche(QPoint(2, 301), QPoint(ende, ende));
        p.drawImage(flaeche, bild);
        p.setPen(QPen(Qt::black, 0));
        p.drawRect(flaeche.adjusted(-1, -1, 1, 1));
        if (p.end()) ++fertig;
    }
    return fertig;
}

bool bildDrucken(const QString& datei, const QString& titel, const QString& name, const QFont& schrift,
                 const std::function<bool(QPrinter&)>& einrichten, QString* fehler) {
    QImageReader leser(datei);
    leser.setAutoTransform(true);
    const QImage bild = leser.read();
    if (bild.isNull()) {
        if (fehler) *fehler = datei + QStringLiteral(": ") + leser.errorString();
        return false;
    }
    QPrinter drucker(QPrinter::HighResolution);
    if (!einrichten || !einrichten(drucker)) return false;
    const int kopien = std::max(1, drucker.copyCount());
    return bildKopienDrucken(drucker, bild, titel, name, schrift, kopien) > 0;
}

std::function<bool(QPrinter&)> druckDialog(QWidget* parent) {
    return [parent](QPrinter& drucker) {
        QPrintDialog dialog(&drucker, parent);
        return dialog.exec() == QDialog::Accepted;
    };
}

} // namespace velmora::printing
