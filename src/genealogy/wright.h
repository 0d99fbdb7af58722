#pragma once
// Wright's inbreeding coefficient over the whole known pedigree, the common ancestors' own inbreeding
// included: F = sum over path pairs of (1/2)^(n1+n2+1) (1 + F_A). Computed with the relationship
// decomposition A = T D T' over the distinct ancestors only (Meuwissen and Luo): the ancestors are put
// in an order with parents before their kittens, every ancestor's own coefficient is computed once per
// distinct pair of parents, and the kinship of two cats is (1/2) sum_k t_a(k) t_b(k) D_k over their
// common ancestors k. Time grows with the distinct ancestors times their ancestries, memory with the
// distinct ancestors; the number of places (2^G) never enters.

#include <QtGlobal>
#include <functional>
#include <unordered_map>
#include <vector>

namespace velmora::genealogy {

struct KatzenDaten;

class Wright {
public:
    // The cat's data, or nullptr when the number is 0 or names no record.
    using Lesen = std::function<const KatzenDaten*(qint32)>;
    // Asked now and then; false cancels.
    using Weiter = std::function<bool()>;

    // The coefficient of a kitten of vater x mutter, which is the kinship of the two. False when either
    // cannot be read or the run was cancelled. A cat with the feature "Foundation" ends its pedigree;
    // a parent link that would make a cat its own ancestor (faulty data) is taken as unknown.
    bool rechnen(qint32 vater, qint32 mutter, const Lesen& lesen, const Weiter& weiter = {});

    double koeffizient = 0; // of the kitten; the kinship of vater and mutter
    qint64 vorfahren = 0;   // distinct ancestors of the kitten: vater, mutter and all of theirs

    // An ancestor's own coefficient after a run; -1 when it is none of the kitten's ancestors.
    double inzuchtVon(qint32 nr) const;

private:
    struct Ahn {
        qint32 nr = 0;
        int vater = -1, mutter = -1; // indexes in m_ahnen, then positions in the order
    };
    bool sammeln(qint32 vater, qint32 mutter, const Lesen& lesen);
    bool ordnen();
    double verwandtschaft(int a, int b); // positions in the order
    bool weiter();

    std::vector<Ahn> m_ahnen; // in order: parents before kittens after ordnen()
    std::vector<double> m_F, m_D;
    std::unordered_map<qint32, int> m_index;
    // scratch of verwandtschaft: coefficients of both cats, visited marks and the heap
    std::vector<double> m_ta, m_tb;
    std::vector<char> m_drin;
    std::vector<int> m_heap;
    Weiter m_weiter;
    qint64 m_schritte = 0;
    bool m_abbruch = false;
};

} // namespace velmora::genealogy
