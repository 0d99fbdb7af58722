#include "genealogy/partnersuche.h"

#include <algorithm>
#include <cmath>

namespace velmora::genealogy {

namespace {
// Equal figures reached along different sums differ in the last bits; they must tie.
qint64 gerundet(double v) {
    return std::llround(v * 1e12);
}
bool kater(int geschlecht) {
    return geschlecht == 1 || geschlecht == 3;
}
bool katze(int geschlecht) {
    return geschlecht == 2 || geschlecht == 4;
}
} // namespace

std::vector<Partner> partnerSuchen(const Genetik& g, int pos, const Partnerfilter& filter, size_t anzahl) {
    if (pos < 0 || pos >= g.anzahl()) return {};
    const int geschlecht = g.katze(pos).geschlecht;
    if (!kater(geschlecht) && !katze(geschlecht)) return {};
    const std::vector<double> f = g.verwandtschaft(pos);
    std::vector<int> kandidaten;
    for (int j = 0; j < g.anzahl(); ++j) {
        const GenetikKatze& k = g.katze(j);
        const bool passt = kater(geschlecht) ? katze(k.geschlecht) : kater(k.geschlecht);
        if (!passt || k.tod.isValid()) continue;
        if (!filter.status.isEmpty() && !filter.status.contains(k.status)) continue;
        if (filter.nurEigene && k.status != 1) continue;
        if (filter.rasse && k.rasse != *filter.rasse) continue;
        kandidaten.push_back(j);
    }
    auto vorher = [&](int x, int y) {
        const qint64 a = gerundet(f[size_t(x)]), b = gerundet(f[size_t(y)]);
        if (a != b) return a < b;
        const int c = QString::compare(g.katze(x).name, g.katze(y).name);
        return c != 0 ? c < 0 : g.katze(x).nr < g.katze(y).nr;
    };
    const size_t k = std::min(kandidaten.size(), anzahl);
    std::partial_sort(kandidaten.begin(), kandidaten.begin() + std::ptrdiff_t(k), kandidaten.end(), vorher);
    std::vector<Partner> aus;
    aus.reserve(k);
    for (size_t i = 0; i < k; ++i)
        aus.push_back({kandidaten[i], f[size_t(kandidaten[i])]});
    return aus;
}

} // namespace velmora::genealogy
