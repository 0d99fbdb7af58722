#pragma once
// The partners of one cat ranked by the planned kitten's inbreeding coefficient, which is the pair's
// kinship: the cat's kinship with every cat comes from one pass over the register in pedigree order.

#include "genealogy/genetik.h"

#include <optional>
#include <vector>

namespace velmora::genealogy {

struct Partnerfilter {
    QVector<qint32> status;      // empty: any
    std::optional<qint32> rasse; // none: any breed
    bool nurEigene = false;      // only the user's own cats (status 1)
};

struct Partner {
    int pos = -1;              // position in the Genetik order
    double verwandtschaft = 0; // the pair's kinship = the kitten's coefficient
};

// Living cats of the other sex (1/3 against 2/4) that pass the filter, lowest kinship first, ties by
// name, then number; at most anzahl. Empty when the cat has no sex code.
std::vector<Partner> partnerSuchen(const Genetik& g, int pos, const Partnerfilter& filter, size_t anzahl);

// The partner finder's whole run on one connection: every cat read, put in order, the partners ranked,
// and each shown partner's mean kinship with the default reference (living cats of the last ten years
// before heute; NaN when that is empty).
struct Partnerrangliste {
    struct Zeile {
        GenetikKatze katze;
        double verwandtschaft = 0;
        double mk = 0;
    };
    std::vector<Zeile> zeilen;
    QVector<qint32> eigeneVorfahren;
    bool abgebrochen = false; // nothing else is filled
};
Partnerrangliste partnerRangliste(store::Database& db, qint32 katze, const Partnerfilter& filter,
                                  size_t anzahl, const QDate& heute,
                                  GenetikFortschritt* fortschritt = nullptr);

} // namespace velmora::genealogy
