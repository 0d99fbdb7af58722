#pragma once
// The inbreeding figures read node by node: its own reading of the parents straight from the data, its
// own tree with one node per place, and the pair search with the alternating pass marker, where every
// pair of nodes is compared once, when the first of the two is finished. Slow (work grows with 4^G);
// kept as the reference the appearance counts must match.

#include <QtGlobal>
#include <functional>
#include <map>
#include <vector>

namespace velmora::genealogy::oracle {

struct Katze {
    qint32 vater = 0;
    qint32 mutter = 0;
    bool foundation = false;
};
// False when nr is 0 or names no cat.
using Lesen = std::function<bool(qint32 nr, Katze&)>;

struct Paar {
    qint32 satz = 0;
    int links = 0; // generations from the sire (0: the sire itself)
    int rechts = 0;
    double wert = 0;
};

// A line of the information list: 0 cut-off pedigree, 1 missing sire, 2 missing dam.
struct Hinweis {
    int generation = 0;
    qint32 satz = 0;
    int art = 0;
};

struct Ergebnis {
    bool gerechnet = false; // false: parents unknown, or more nodes than allowed
    qint64 knoten = 0;      // the cat itself included
    bool komplett = true;
    qint64 doppelt = 0;
    std::vector<Paar> paare; // in the order found
    double summe = 0;        // added up in that order
    std::map<qint32, qint64> anzahl;
    std::vector<qint32> reihe; // cats in the order of their first node
    std::vector<Hinweis> hinweise;
};

namespace detail {

struct Knoten {
    int vorg = -1, links = -1, rechts = -1;
    int generation = 0;
    qint32 satz = 0;
    bool kontrolle = false, vergleich = true, gefunden = false;
};

} // namespace detail

inline Ergebnis rechnen(const Lesen& lesen, qint32 tier, qint32 vater, qint32 mutter, int G,
                        qint64 maxKnoten) {
    using detail::Knoten;
    Ergebnis e;
    Katze kv, km;
    if (!lesen(vater, kv) || !lesen(mutter, km)) return e;
    std::vector<Knoten> b;
    b.push_back({-1, -1, -1, 1, tier});
    bool zuViele = false;
    std::function<void(int, const Katze&)> bauen = [&](int k, const Katze& d) {
        const int g = b[size_t(k)].generation;
        const qint32 nr = b[size_t(k)].satz;
        if (!e.anzahl.count(nr)) e.reihe.push_back(nr);
        ++e.anzahl[nr];
        if (d.foundation) {
            e.hinweise.push_back({g, nr, 0});
            return;
        }
        if (g >= G) return;
        for (int seite : {1, 2}) {
            const qint32 p = seite == 1 ? d.vater : d.mutter;
            Katze dp;
            if (p == 0 || !lesen(p, dp)) {
                e.komplett = false;
                e.hinweise.push_back({g, nr, seite});
                continue;
            }
            if (qint64(b.size()) >= maxKnoten) {
                zuViele = true;
                return;
            }
            b.push_back({k, -1, -1, g + 1, p});
            const int neu = int(b.size()) - 1;
            (seite == 1 ? b[size_t(k)].links : b[size_t(k)].rechts) = neu;
            bauen(neu, dp);
            if (zuViele) return;
        }
    };
    for (int seite : {1, 2}) {
        b.push_back({0, -1, -1, 2, seite == 1 ? vater : mutter});
        (seite == 1 ? b[0].links : b[0].rechts) = int(b.size()) - 1;
        bauen(int(b.size()) - 1, seite == 1 ? kv : km);
        if (zuViele) return e;
    }
    e.knoten = qint64(b.size());

    // post-order walk; after each finished node a comparison pass over every unfinished node
    const int wurzel = 0;
    auto offen = [&](int k, bool markerPruefen, bool m) {
        return k != -1 && !b[size_t(k)].kontrolle && b[size_t(k)].satz != 0 &&
               (!markerPruefen || b[size_t(k)].vergleich != m);
    };
    bool vergleichtmp = false;
    const bool zweigLinks = b[0].links != -1;
    int akt = wurzel;
    while (true) {
        Knoten& s = b[size_t(akt)];
        if (offen(s.links, false, false)) {
            akt = s.links;
            continue;
        }
        if (offen(s.rechts, false, false)) {
            akt = s.rechts;
            continue;
        }
        if (akt == wurzel) break;
        s.kontrolle = true;
        const int x = akt;
        const bool m = vergleichtmp;
        bool vergleichRechts = !zweigLinks;
        int c = b[size_t(x)].vorg;
        while (true) {
            Knoten& cs = b[size_t(c)];
            if (offen(cs.links, true, m)) {
                c = cs.links;
                continue;
            }
            if (offen(cs.rechts, true, m)) {
                if (c == wurzel) vergleichRechts = true;
                c = cs.rechts;
                continue;
            }
            cs.vergleich = m;
            if (c == wurzel) break;
            Knoten& a = b[size_t(x)];
            if (a.satz == cs.satz) {
                if (!(a.gefunden && cs.gefunden)) {
                    a.gefunden = cs.gefunden = true;
                    ++e.doppelt;
                }
                if (zweigLinks && vergleichRechts && a.vorg != cs.vorg &&
                    b[size_t(a.vorg)].satz != b[size_t(cs.vorg)].satz) {
                    Paar p{a.satz, a.generation - 2, cs.generation - 2, 0.5};
                    for (int i = 0; i < p.links + p.rechts; ++i)
                        p.wert *= 0.5;
                    e.paare.push_back(p);
                    e.summe += p.wert;
                }
            }
            c = cs.vorg;
        }
        vergleichtmp = !vergleichtmp;
        akt = b[size_t(x)].vorg;
    }
    e.gerechnet = true;
    return e;
}

} // namespace velmora::genealogy::oracle
