#include "genealogy/wright.h"

#include "genealogy/inzuchtberechnung.h"

#include <algorithm>

namespace velmora::genealogy {

namespace {
constexpr qint32 foundationMerkmal = 2;
}

bool Wright::weiter() {
    if (m_abbruch) return false;
    if ((++m_schritte & 0xffff) == 0 && m_weiter && !m_weiter()) m_abbruch = true;
    return !m_abbruch;
}

bool Wright::sammeln(qint32 vater, qint32 mutter, const Lesen& lesen) {
    m_ahnen.clear();
    m_index.clear();
    // The parents' numbers of each ancestor as read; turned into indexes once all are known.
    std::vector<std::pair<qint32, qint32>> eltern;
    std::vector<int> offen;
    auto aufnehmen = [&](qint32 nr) -> bool {
        if (m_index.count(nr)) return true;
        const KatzenDaten* d = nr ? lesen(nr) : nullptr;
        if (!d) return false;
        m_index.emplace(nr, int(m_ahnen.size()));
        m_ahnen.push_back({nr, -1, -1});
        if (d->Merkmale.contains(foundationMerkmal))
            eltern.emplace_back(0, 0);
        else
            eltern.emplace_back(d->Vater, d->Mutter);
        offen.push_back(int(m_ahnen.size()) - 1);
        return true;
    };
    if (!aufnehmen(vater) || !aufnehmen(mutter)) return false;
    while (!offen.empty()) {
        const int i = offen.back();
        offen.pop_back();
        const auto [v, m] = eltern[size_t(i)];
        if (v && aufnehmen(v)) m_ahnen[size_t(i)].vater = m_index.at(v);
        if (m && aufnehmen(m)) m_ahnen[size_t(i)].mutter = m_index.at(m);
        if (!weiter()) return false;
    }
    return true;
}

// Depth first, parents before the kitten; a parent still on the path closes a loop and is dropped.
bool Wright::ordnen() {
    const int n = int(m_ahnen.size());
    std::vector<int> position(size_t(n), -1);
    std::vector<char> zustand(size_t(n), 0); // 0 new, 1 on the path, 2 placed
    std::vector<int> reihe;
    reihe.reserve(size_t(n));
    std::vector<std::pair<int, int>> stapel; // ancestor, next parent to look at (0 sire, 1 dam, 2 done)
    for (int start = 0; start < n; ++start) {
        if (zustand[size_t(start)]) continue;
        stapel.push_back({start, 0});
        zustand[size_t(start)] = 1;
        while (!stapel.empty()) {
            auto& [i, naechster] = stapel.back();
            if (naechster == 2) {
                zustand[size_t(i)] = 2;
                position[size_t(i)] = int(reihe.size());
                reihe.push_back(i);
                stapel.pop_back();
                continue;
            }
            Ahn& a = m_ahnen[size_t(i)];
            int& p = naechster++ == 0 ? a.vater : a.mutter;
            if (p < 0) continue;
            if (zustand[size_t(p)] == 1) {
                p = -1; // the cat would be its own ancestor
            } else if (zustand[size_t(p)] == 0) {
                zustand[size_t(p)] = 1;
                stapel.push_back({p, 0}); // invalidates i and naechster
            }
        }
        if (!weiter()) return false;
    }
    std::vector<Ahn> geordnet(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k) {
        const Ahn& a = m_ahnen[size_t(reihe[size_t(k)])];
        geordnet[size_t(k)] = {a.nr, a.vater >= 0 ? position[size_t(a.vater)] : -1,
                               a.mutter >= 0 ? position[size_t(a.mutter)] : -1};
    }
    m_ahnen.swap(geordnet);
    for (auto& [nr, i] : m_index)
        i = position[size_t(i)];
    return true;
}

// (1/2) a_ab with a_ab = sum over the common ancestors k of t_a(k) t_b(k) D_k, where t_x(k) is the sum of
// (1/2)^length over the paths from x up to k. The ancestors are visited youngest first, so each one has
// collected everything from its kittens before it passes half of it on to its parents.
double Wright::verwandtschaft(int a, int b) {
    auto hinein = [&](int k) {
        if (m_drin[size_t(k)]) return;
        m_drin[size_t(k)] = 1;
        m_heap.push_back(k);
        std::push_heap(m_heap.begin(), m_heap.end());
    };
    m_ta[size_t(a)] += 1;
    m_tb[size_t(b)] += 1;
    hinein(a);
    hinein(b);
    std::vector<int> besucht;
    double summe = 0;
    while (!m_heap.empty()) {
        std::pop_heap(m_heap.begin(), m_heap.end());
        const int j = m_heap.back();
        m_heap.pop_back();
        besucht.push_back(j);
        const double ta = m_ta[size_t(j)], tb = m_tb[size_t(j)];
        summe += ta * tb * m_D[size_t(j)];
        const Ahn& x = m_ahnen[size_t(j)];
        for (int p : {x.vater, x.mutter}) {
            if (p < 0) continue;
            m_ta[size_t(p)] += 0.5 * ta;
            m_tb[size_t(p)] += 0.5 * tb;
            hinein(p);
        }
        if (!weiter()) break;
    }
    m_heap.clear();
    for (int j : besucht) {
        m_ta[size_t(j)] = m_tb[size_t(j)] = 0;
        m_drin[size_t(j)] = 0;
    }
    return 0.5 * summe;
}

bool Wright::rechnen(qint32 vater, qint32 mutter, const Lesen& lesen, const Weiter& weiterFrage) {
    m_weiter = weiterFrage;
    m_abbruch = false;
    m_schritte = 0;
    koeffizient = 0;
    vorfahren = 0;
    m_F.clear();
    m_D.clear();
    if (!sammeln(vater, mutter, lesen) || !ordnen()) {
        m_ahnen.clear();
        m_index.clear();
        return false;
    }
    const size_t n = m_ahnen.size();
    m_F.assign(n, 0);
    m_D.assign(n, 1);
    m_ta.assign(n, 0);
    m_tb.assign(n, 0);
    m_drin.assign(n, 0);
    // Full siblings share the figure; it is computed once per pair of parents.
    std::unordered_map<quint64, double> familie;
    for (size_t k = 0; k < n; ++k) {
        const Ahn& a = m_ahnen[k];
        if (a.vater >= 0 && a.mutter >= 0) {
            const quint64 schluessel =
                (quint64(quint32(std::min(a.vater, a.mutter))) << 32) | quint32(std::max(a.vater, a.mutter));
            auto [it, neu] = familie.try_emplace(schluessel, 0.0);
            if (neu) it->second = verwandtschaft(a.vater, a.mutter);
            m_F[k] = it->second;
        }
        double d = 1;
        if (a.vater >= 0) d -= 0.25 * (1 + m_F[size_t(a.vater)]);
        if (a.mutter >= 0) d -= 0.25 * (1 + m_F[size_t(a.mutter)]);
        m_D[k] = d;
        if (m_abbruch) break;
    }
    if (!m_abbruch) koeffizient = verwandtschaft(m_index.at(vater), m_index.at(mutter));
    m_ta = {};
    m_tb = {};
    m_drin = {};
    m_heap = {};
    if (m_abbruch || (m_weiter && !m_weiter())) {
        koeffizient = 0;
        return false;
    }
    vorfahren = qint64(n);
    return true;
}

double Wright::inzuchtVon(qint32 nr) const {
    auto it = m_index.find(nr);
    return it == m_index.end() || m_F.empty() ? -1 : m_F[size_t(it->second)];
}

} // namespace velmora::genealogy
