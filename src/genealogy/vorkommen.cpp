#include "genealogy/vorkommen.h"

#include "genealogy/inzuchtberechnung.h"

#include <cmath>

namespace velmora::genealogy {

namespace {

constexpr qint32 foundationMerkmal = 2;
// Far beyond any real pedigree (2^62 places); keeps every sum of products within 128 bits.
constexpr quint64 grenze = quint64(1) << 62;

} // namespace

Zahl128 Zahl128::produkt(quint64 a, quint64 b) {
    const quint64 al = a & 0xffffffffu, ah = a >> 32, bl = b & 0xffffffffu, bh = b >> 32;
    const quint64 ll = al * bl, lh = al * bh, hl = ah * bl, hh = ah * bh;
    const quint64 mitte = (ll >> 32) + (lh & 0xffffffffu) + (hl & 0xffffffffu);
    Zahl128 z;
    z.tief = (mitte << 32) | (ll & 0xffffffffu);
    z.hoch = hh + (lh >> 32) + (hl >> 32) + (mitte >> 32);
    return z;
}

Zahl128& Zahl128::operator+=(const Zahl128& z) {
    const quint64 t = tief + z.tief;
    hoch += z.hoch + (t < tief ? 1 : 0);
    tief = t;
    return *this;
}

Zahl128& Zahl128::operator-=(const Zahl128& z) {
    const quint64 t = tief - z.tief;
    hoch -= z.hoch + (t > tief ? 1 : 0);
    tief = t;
    return *this;
}

double Zahl128::alsDouble() const {
    return std::ldexp(static_cast<double>(hoch), 64) + static_cast<double>(tief);
}

void Vorkommen::freigeben() {
    *this = Vorkommen();
}

int Vorkommen::index(qint32 nr) const {
    auto it = m_index.find(nr);
    return it == m_index.end() ? -1 : it->second;
}

int Vorkommen::neu(qint32 nr, const KatzenDaten* daten) {
    auto it = m_index.find(nr);
    if (it != m_index.end()) return it->second;
    Ahn a;
    a.nr = nr;
    a.daten = daten;
    a.foundation = daten->Merkmale.contains(foundationMerkmal);
    ahnen.push_back(a);
    for (int s : {0, 1}) {
        m_n[s].resize(m_n[s].size() + static_cast<size_t>(m_stufen), 0);
        m_summe[s].push_back(0);
    }
    const int i = static_cast<int>(ahnen.size()) - 1;
    m_index.emplace(nr, i);
    return i;
}

void Vorkommen::aufloesen(int i, const Lesen& lesen) {
    if (ahnen[static_cast<size_t>(i)].aufgeloest) return;
    const KatzenDaten* d = ahnen[static_cast<size_t>(i)].daten;
    const qint32 v = d->Vater, m = d->Mutter;
    const KatzenDaten* dv = v ? lesen(v) : nullptr;
    const int iv = dv ? neu(v, dv) : -1; // may move ahnen
    const KatzenDaten* dm = m ? lesen(m) : nullptr;
    const int im = dm ? neu(m, dm) : -1;
    Ahn& a = ahnen[static_cast<size_t>(i)];
    a.vater = iv;
    a.mutter = im;
    a.aufgeloest = true;
}

bool Vorkommen::addiere(int seite, int i, int stufe, quint64 wert) {
    quint64& z =
        m_n[seite][static_cast<size_t>(i) * static_cast<size_t>(m_stufen) + static_cast<size_t>(stufe)];
    if (wert >= grenze - z) return false;
    z += wert;
    return true;
}

int Vorkommen::vielfach(int kind, int elter) const {
    const Ahn& a = ahn(kind);
    return (a.vater == elter ? 1 : 0) + (a.mutter == elter ? 1 : 0);
}

Vorkommen::Ergebnis Vorkommen::zaehlen(qint32 t, qint32 vater, qint32 mutter, int generationen,
                                       const Lesen& lesen, const Weiter& weiter) {
    m_generationen = generationen;
    m_stufen = std::max(1, generationen - 1);
    ahnen.clear();
    m_index.clear();
    for (int s : {0, 1}) {
        m_n[s].clear();
        m_summe[s].clear();
    }
    m_gewicht.clear();
    m_kindAnfang.clear();
    m_kinder.clear();
    tier = t;
    tierIndex = -1;
    vorhandene = 0;
    komplett = true;

    wurzel[0] = neu(vater, lesen(vater));
    wurzel[1] = neu(mutter, lesen(mutter));
    for (int seite : {0, 1}) {
        m_aktiv.assign(1, wurzel[seite]);
        addiere(seite, wurzel[seite], 0, 1);
        ahnen[static_cast<size_t>(wurzel[seite])].marke[seite] = 0;
        for (int stufe = 0; !m_aktiv.empty(); ++stufe) {
            if (weiter && !weiter()) return abgebrochen;
            m_naechst.clear();
            for (int i : m_aktiv) {
                const quint64 c = n(seite, i, stufe);
                m_summe[seite][static_cast<size_t>(i)] += c;
                if (c >= grenze - vorhandene) return ueberlauf;
                vorhandene += c;
                if (!erweitert(i, stufe)) continue;
                aufloesen(i, lesen);
                for (int p : {ahn(i).vater, ahn(i).mutter}) {
                    if (p < 0) {
                        komplett = false;
                        continue;
                    }
                    if (!addiere(seite, p, stufe + 1, c)) return ueberlauf;
                    int& marke = ahnen[static_cast<size_t>(p)].marke[seite];
                    if (marke != stufe + 1) {
                        marke = stufe + 1;
                        m_naechst.push_back(p);
                    }
                }
            }
            m_aktiv.swap(m_naechst);
        }
    }
    if (tier != 0) tierIndex = index(tier);

    // children that pass counts on, per parent (compressed rows)
    m_kindAnfang.assign(ahnen.size() + 1, 0);
    auto jedesKind = [&](auto&& tun) {
        for (int c = 0; c < anzahl(); ++c) {
            const Ahn& a = ahn(c);
            if (!a.aufgeloest || a.foundation) continue;
            if (a.vater >= 0) tun(a.vater, c);
            if (a.mutter >= 0 && a.mutter != a.vater) tun(a.mutter, c);
        }
    };
    jedesKind([&](int p, int) { ++m_kindAnfang[static_cast<size_t>(p) + 1]; });
    for (size_t i = 1; i < m_kindAnfang.size(); ++i)
        m_kindAnfang[i] += m_kindAnfang[i - 1];
    m_kinder.resize(static_cast<size_t>(m_kindAnfang.back()));
    m_fuell.assign(m_kindAnfang.begin(), m_kindAnfang.end() - 1);
    jedesKind([&](int p, int c) { m_kinder[static_cast<size_t>(m_fuell[static_cast<size_t>(p)]++)] = c; });

    paareZaehlen();
    return fertig;
}

// Every pair of appearances of the same cat, one on each side, except a pair reached through the same
// child cat on both sides. The sire and dam themselves have the cat under examination as their child.
void Vorkommen::paareZaehlen() {
    const int S = m_stufen;
    m_gewicht.assign(static_cast<size_t>(2 * S), Zahl128{});
    auto ab = [&](size_t k, quint64 faktor, quint64 a, quint64 b) {
        const Zahl128 p = Zahl128::produkt(a, b);
        for (quint64 f = 0; f < faktor; ++f)
            m_gewicht[k] -= p;
    };
    for (int x = 0; x < anzahl(); ++x) {
        if (!gemeinsam(x)) continue;
        for (int gs = 0; gs < S; ++gs) {
            const quint64 a = n(0, x, gs);
            if (!a) continue;
            for (int gd = 0; gd < S; ++gd)
                if (const quint64 b = n(1, x, gd))
                    m_gewicht[static_cast<size_t>(gs + gd + 1)] += Zahl128::produkt(a, b);
        }
        // x as the child: pairs of one of its parents reached through x on both sides
        const Ahn& ax = ahn(x);
        if (!ax.aufgeloest || ax.foundation) continue;
        const quint64 f =
            ax.vater >= 0 && ax.vater == ax.mutter ? 4 : quint64(ax.vater >= 0) + quint64(ax.mutter >= 0);
        if (!f) continue;
        for (int gs = 0; gs + 2 < m_generationen && gs < S; ++gs) {
            const quint64 a = n(0, x, gs);
            if (!a) continue;
            for (int gd = 0; gd + 2 < m_generationen && gd < S; ++gd)
                if (const quint64 b = n(1, x, gd)) ab(static_cast<size_t>(gs + gd + 3), f, a, b);
        }
    }
    // the cat under examination as the child of the sire on one side and of an ancestor on the other
    if (tierIndex >= 0 && ahn(tierIndex).aufgeloest && !ahn(tierIndex).foundation) {
        const int t = tierIndex;
        if (const int m = vielfach(t, wurzel[0]))
            for (int gd = 0; gd + 2 < m_generationen && gd < S; ++gd)
                if (const quint64 b = n(1, t, gd)) ab(static_cast<size_t>(gd + 2), quint64(m), 1, b);
        if (const int m = vielfach(t, wurzel[1]))
            for (int gs = 0; gs + 2 < m_generationen && gs < S; ++gs)
                if (const quint64 a = n(0, t, gs)) ab(static_cast<size_t>(gs + 2), quint64(m), a, 1);
    }
    if (wurzel[0] == wurzel[1]) m_gewicht[1] -= Zahl128{0, 1}; // both parents of the same node
}

Zahl128 Vorkommen::paare() const {
    Zahl128 z;
    for (const Zahl128& g : m_gewicht)
        z += g;
    return z;
}

double Vorkommen::koeffizient() const {
    // Carries first, so the sum is exact wherever a double can hold it.
    std::vector<Zahl128> v = m_gewicht;
    std::vector<bool> bit(v.size(), false);
    for (size_t k = v.size(); k-- > 1;) {
        bit[k] = v[k].ungerade();
        v[k - 1] += v[k].halb();
    }
    double s = 0;
    for (size_t k = v.size(); k-- > 1;)
        if (bit[k]) s += std::ldexp(1.0, -static_cast<int>(k));
    return s + (v.empty() ? 0.0 : v[0].alsDouble());
}

void Vorkommen::paareVon(int x, std::vector<Zahl128>& matrix) const {
    const int S = m_stufen;
    matrix.assign(static_cast<size_t>(S) * static_cast<size_t>(S), Zahl128{});
    auto feld = [&](int gs, int gd) -> Zahl128& {
        return matrix[static_cast<size_t>(gs) * static_cast<size_t>(S) + static_cast<size_t>(gd)];
    };
    for (int gs = 0; gs < S; ++gs)
        if (const quint64 a = n(0, x, gs))
            for (int gd = 0; gd < S; ++gd)
                if (const quint64 b = n(1, x, gd)) feld(gs, gd) += Zahl128::produkt(a, b);
    auto ab = [&](int gs, int gd, int m, quint64 a, quint64 b) {
        const Zahl128 p = Zahl128::produkt(a, b);
        for (int f = 0; f < m; ++f)
            feld(gs, gd) -= p;
    };
    for (int j = m_kindAnfang[static_cast<size_t>(x)]; j < m_kindAnfang[static_cast<size_t>(x) + 1]; ++j) {
        const int c = m_kinder[static_cast<size_t>(j)];
        const int m = vielfach(c, x);
        for (int gs = 1; gs < S; ++gs)
            if (const quint64 a = n(0, c, gs - 1))
                for (int gd = 1; gd < S; ++gd)
                    if (const quint64 b = n(1, c, gd - 1)) ab(gs, gd, m * m, a, b);
    }
    if (tierIndex >= 0 && ahn(tierIndex).aufgeloest && !ahn(tierIndex).foundation) {
        const int t = tierIndex;
        if (x == wurzel[0])
            if (const int m = vielfach(t, x))
                for (int gd = 1; gd < S; ++gd)
                    if (const quint64 b = n(1, t, gd - 1)) ab(0, gd, m, 1, b);
        if (x == wurzel[1])
            if (const int m = vielfach(t, x))
                for (int gs = 1; gs < S; ++gs)
                    if (const quint64 a = n(0, t, gs - 1)) ab(gs, 0, m, a, 1);
    }
    if (x == wurzel[0] && x == wurzel[1]) feld(0, 0) -= Zahl128{0, 1};
}

} // namespace velmora::genealogy
