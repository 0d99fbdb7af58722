#include "genealogy/partnersuche.h"

#include <algorithm>
#include <cmath>
#include <limits>

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

Partnerrangliste partnerRangliste(store::Database& db, qint32 katze, const Partnerfilter& filter,
                                  size_t anzahl, const QDate& heute, GenetikFortschritt* fortschritt) {
    Partnerrangliste r;
    std::vector<GenetikKatze> katzen = genetikKatzenLesen(db, fortschritt);
    if (fortschritt && fortschritt->abgebrochen()) {
        r.abgebrochen = true;
        return r;
    }
    // the kinship needs the coefficients of the parents only
    const Genetik g(std::move(katzen), true, fortschritt);
    if (g.abgebrochen()) {
        r.abgebrochen = true;
        return r;
    }
    r.eigeneVorfahren = g.eigeneVorfahren();
    const std::vector<Partner> partner = partnerSuchen(g, g.position(katze), filter, anzahl);

    const Referenzfilter referenz;
    std::vector<int> inR;
    for (int j = 0; j < g.anzahl(); ++j)
        if (referenz.passt(g.katze(j), heute)) inR.push_back(j);
    std::vector<double> mk;
    if (!inR.empty() && !partner.empty()) {
        std::vector<double> x(size_t(g.anzahl()), 0.0);
        for (int j : inR)
            x[size_t(j)] = 1.0 / double(inR.size());
        mk = g.verwandtschaftMal(std::move(x));
    }
    for (const Partner& p : partner)
        r.zeilen.push_back({g.katze(p.pos), p.verwandtschaft,
                            mk.empty() ? std::numeric_limits<double>::quiet_NaN() : mk[size_t(p.pos)]});
    if (fortschritt && !fortschritt->weiter(GenetikSchritt::Population, 1, 1))
        return Partnerrangliste{{}, {}, true};
    return r;
}

} // namespace velmora::genealogy
