#include "app/letztekatzen.h"

namespace velmora::app {

bool letzteKatzeEintragen(settings::LetzteKatzen& liste, const QString& name, int nummer) {
    for (const QString& e : liste)
        if (e.contains(name)) return false;
    if (liste[0] != QLatin1String("{}")) {
        for (int i = int(liste.size()) - 1; i > 0; --i)
            liste[i] = liste[i - 1];
    }
    liste[0] = name + QLatin1String(" {") + QString::number(nummer) + QLatin1Char('}');
    return true;
}

int nummerAusEintrag(const QString& eintrag) {
    const int auf = eintrag.lastIndexOf(QLatin1Char('{'));
    if (auf < 0 || eintrag.size() < auf + 2) return 0;
    bool ok = false;
    const int n = eintrag.mid(auf + 1, eintrag.size() - auf - 2).toInt(&ok);
    return ok ? n : 0;
}

} // namespace velmora::app
