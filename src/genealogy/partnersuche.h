#pragma once
// The partners of one cat ranked by the planned kitten's inbreeding coefficient, which is the pair's
// kinship: the cat's kinship with every cat comes from one pass over the register in pedigree order.

#include "genealogy/genetik.h"

#include <optional>
#include <vector>

namespace velmora::genealogy {

struct Partnerfilter {
    QVector<qint32> status;       // empty: any
    std::optional<qint32> rasse;  // none: any breed
    bool nurEigene = false;       // only the user's own cats (status 1)
};

struct Partner {
    int pos = -1;               // position in the Genetik order
    double verwandtschaft = 0;  // the pair's kinship = the kitten's coefficient
};

// Living cats of the other sex (1/3 against 2/4) that pass the filter, lowest kinship first, ties by
// name, then number; at most anzahl. Empty when the cat has no sex code.
std::vector<Partner> partnerSuchen(const Genetik& g, int pos, const Partnerfilter& filter, size_t anzahl);

} // namespace velmora::genealogy
