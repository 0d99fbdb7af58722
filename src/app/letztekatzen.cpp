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

bool letzteKatzeEntfernen(settings::LetzteKatzen& liste, int nummer) {
    if (nummer <= 0) return false;
    QStringList rest;
    for (const QString& e : liste)
        if (nummerAusEintrag(e) != nummer) rest << e;
    if (rest.size() == int(liste.size())) return false;
    for (int i = 0; i < int(liste.size()); ++i)
        liste[i] = i < rest.size() ? rest[i] : QStringLiteral("{}");
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
