#include "genealogy/populationslauf.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace velmora::genealogy {

QString genetikWert(double v) {
    return std::isnan(v) ? QStringLiteral("–") : QString::number(v, 'f', 6);
}

std::vector<int> nachMittlererVerwandtschaft(const Genetik& g, const Population& p) {
    std::vector<int> reihe = p.referenz;
    // equal figures reached along different sums differ in the last bits; they must tie
    auto gerundet = [&](int i) { return std::llround(p.mk[size_t(i)] * 1e12); };
    std::sort(reihe.begin(), reihe.end(), [&](int x, int y) {
        const qint64 a = gerundet(x), b = gerundet(y);
        return a != b ? a < b : g.katze(x).nr < g.katze(y).nr;
    });
    return reihe;
}

Populationslauf populationLaufen(store::Database& db, const Referenzfilter& filter, const QDate& heute,
                                 GenetikFortschritt* fortschritt, int klassen) {
    Populationslauf l;
    std::vector<GenetikKatze> katzen = genetikKatzenLesen(db, fortschritt);
    if (fortschritt && fortschritt->abgebrochen()) return Populationslauf{{}, {}, {}, {}, 0, 0, {}, true};
    auto g = std::make_shared<const Genetik>(std::move(katzen), false, fortschritt);
    if (g->abgebrochen()) return Populationslauf{{}, {}, {}, {}, 0, 0, {}, true};
    std::vector<int> referenz;
    for (int i = 0; i < g->anzahl(); ++i)
        if (filter.passt(g->katze(i), heute)) referenz.push_back(i);
    l.population = populationRechnen(*g, std::move(referenz), fortschritt);
    if (l.population.abgebrochen) return Populationslauf{{}, {}, {}, {}, 0, 0, {}, true};
    l.reihe = nachMittlererVerwandtschaft(*g, l.population);

    std::map<int, std::pair<int, double>> jahre;
    for (int i : l.population.referenz) {
        const GenetikKatze& k = g->katze(i);
        if (!k.geburt.isValid()) continue;
        auto& [n, summe] = jahre[k.geburt.year()];
        ++n;
        summe += g->inzucht()[size_t(i)];
    }
    for (const auto& [jahr, w] : jahre)
        l.jahre.push_back({jahr, w.first, w.second / w.first});

    if (!l.reihe.empty() && klassen > 0) {
        l.mkVon = l.population.mk[size_t(l.reihe.front())];
        l.mkBis = l.population.mk[size_t(l.reihe.back())];
        l.mkKlassen.assign(size_t(klassen), 0);
        const double breite = (l.mkBis - l.mkVon) / klassen;
        for (int i : l.reihe) {
            const int k = breite > 0 ? int((l.population.mk[size_t(i)] - l.mkVon) / breite) : 0;
            ++l.mkKlassen[size_t(std::clamp(k, 0, klassen - 1))];
        }
    }
    l.genetik = std::move(g);
    return l;
}

} // namespace velmora::genealogy
