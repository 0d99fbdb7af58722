#pragma once
// Appearance counts of the ancestors of a sire and a dam: how often every cat fills a place at every
// generation of either side, passed top-down from the sire and from the dam (a cat's count passes to
// each of its parents). The inbreeding figures follow from them with work and memory proportional to
// distinct ancestors times generations, instead of one node for each of up to 2^G places.
//
// Levels count from the sire or dam of the cat under examination: level 0 is the sire (or dam) itself,
// level L is generation L + 2 of the full ancestor tree.

#include <QtGlobal>
#include <functional>
#include <unordered_map>
#include <vector>

namespace velmora::genealogy {

struct KatzenDaten;

// Unsigned 128-bit count: pair counts are products of two appearance counts.
struct Zahl128 {
    quint64 hoch = 0;
    quint64 tief = 0;

    static Zahl128 produkt(quint64 a, quint64 b);
    Zahl128& operator+=(const Zahl128& z);
    Zahl128& operator-=(const Zahl128& z); // callers subtract only what they added
    bool istNull() const { return hoch == 0 && tief == 0; }
    bool ungerade() const { return tief & 1u; }
    Zahl128 halb() const { return {hoch >> 1, (tief >> 1) | (hoch << 63)}; }
    quint64 gesaettigt() const { return hoch ? ~quint64(0) : tief; }
    double alsDouble() const;
};

class Vorkommen {
public:
    struct Ahn {
        qint32 nr = 0;
        const KatzenDaten* daten = nullptr;
        int vater = -1; // index into ahnen; -1: unknown, not found or not read yet
        int mutter = -1;
        bool foundation = false; // its pedigree ends here
        bool aufgeloest = false; // parents looked up
        int marke[2] = {-1, -1}; // last level it was queued at, per side
    };
    // The cat's data, or nullptr when the number is 0 or names no record.
    using Lesen = std::function<const KatzenDaten*(qint32)>;
    // Called once per level; false stops (cancel).
    using Weiter = std::function<bool()>;
    enum Ergebnis { fertig, abgebrochen, ueberlauf };

    // The sire and dam must be readable. Counts stay below 2^62 or the result is ueberlauf.
    Ergebnis zaehlen(qint32 tier, qint32 vater, qint32 mutter, int generationen, const Lesen& lesen,
                     const Weiter& weiter);

    // Releases the memory of the last count (it is kept between runs otherwise).
    void freigeben();

    int stufen() const { return m_stufen; }
    // Whether an appearance at this level gets parents.
    bool erweitert(int i, int stufe) const {
        return stufe + 2 < m_generationen && !ahnen[static_cast<size_t>(i)].foundation;
    }
    quint64 n(int seite, int i, int stufe) const {
        return m_n[seite]
                  [static_cast<size_t>(i) * static_cast<size_t>(m_stufen) + static_cast<size_t>(stufe)];
    }
    quint64 summe(int seite, int i) const { return m_summe[seite][static_cast<size_t>(i)]; }
    quint64 gesamt(int i) const { return summe(0, i) + summe(1, i); }
    bool gemeinsam(int i) const { return summe(0, i) && summe(1, i); }
    const Ahn& ahn(int i) const { return ahnen[static_cast<size_t>(i)]; }
    int anzahl() const { return static_cast<int>(ahnen.size()); }
    int index(qint32 nr) const;

    // Pair counts by weight: element k counts the pairs that add 0.5^k (k = gs + gd + 1).
    const std::vector<Zahl128>& paareNachGewicht() const { return m_gewicht; }
    Zahl128 paare() const;
    double koeffizient() const; // the sum of 0.5^k over all pairs
    // Pairs of ancestor x by level on the sire's side (row) and the dam's side (column).
    void paareVon(int x, std::vector<Zahl128>& matrix) const;

    std::vector<Ahn> ahnen;   // in the order first reached
    int wurzel[2] = {-1, -1}; // the sire and the dam
    int tierIndex = -1;       // the cat under examination among its own ancestors (faulty data)
    qint32 tier = 0;
    quint64 vorhandene = 0; // filled places
    bool komplett = true;   // no place that gets parents lacks one

private:
    int neu(qint32 nr, const KatzenDaten* daten);
    void aufloesen(int i, const Lesen& lesen);
    bool addiere(int seite, int i, int stufe, quint64 wert);
    int vielfach(int kind, int elter) const; // how often elter is a parent of kind: 0, 1 or 2
    void paareZaehlen();

    int m_generationen = 0;
    int m_stufen = 1;
    std::vector<quint64> m_n[2];
    std::vector<quint64> m_summe[2];
    std::unordered_map<qint32, int> m_index;
    std::vector<int> m_aktiv, m_naechst;
    std::vector<Zahl128> m_gewicht;
    std::vector<int> m_kindAnfang; // children of each ancestor that get parents: m_kinder[m_kindAnfang[x]..]
    std::vector<int> m_kinder;
    std::vector<int> m_fuell;
};

} // namespace velmora::genealogy
