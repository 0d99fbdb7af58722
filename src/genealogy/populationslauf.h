#pragma once
// The run behind the population window: the register read on one connection, the figures over the
// reference the filter selects, the cats of R in the order of their mean kinship and what the charts
// show. The tool's `population` lines use the same number form and order.

#include "genealogy/genetik.h"

#include <memory>
#include <vector>

namespace velmora::genealogy {

// A figure as the tool prints it: 6 decimals, a decimal point, "–" where it is undefined.
QString genetikWert(double v);

// The positions of R by mean kinship, lowest first, ties (equal to 1e-12) by number.
std::vector<int> nachMittlererVerwandtschaft(const Genetik& g, const Population& p);

struct JahrgangInzucht {
    int jahr = 0;
    int anzahl = 0;
    double mittelF = 0;
};

struct Populationslauf {
    std::shared_ptr<const Genetik> genetik;
    Population population;
    std::vector<int> reihe;             // the cats of R by mean kinship
    std::vector<JahrgangInzucht> jahre; // cats of R with a birth date, by year ascending
    // The distribution of MK over R: equal classes from mkVon to mkBis.
    double mkVon = 0, mkBis = 0;
    std::vector<int> mkKlassen;
    bool abgebrochen = false; // nothing else is filled
};

Populationslauf populationLaufen(store::Database& db, const Referenzfilter& filter, const QDate& heute,
                                 GenetikFortschritt* fortschritt = nullptr, int klassen = 20);

} // namespace velmora::genealogy
