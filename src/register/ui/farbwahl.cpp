#include "register/ui/farbwahl.h"

#include "printing/ui/farbe.h"

#include <QColorDialog>

namespace velmora::reg {

std::optional<int> farbeWaehlen(QWidget* parent, int vorgabe) {
    const QColor c = QColorDialog::getColor(printing::farbeAusWert(vorgabe), parent);
    if (!c.isValid()) return std::nullopt;
    return printing::wertAusFarbe(c);
}

QString farbStil(int wert) {
    return QStringLiteral("background-color: %1; border: 1px solid black;")
        .arg(printing::farbeAusWert(wert).name());
}

} // namespace velmora::reg
