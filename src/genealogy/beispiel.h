#pragma once
// A generated register for trying out and measuring the genealogy: a closed breeding population per
// breed, generation after generation, with popular sires and matings among the last two generations,
// so that pedigrees collapse as they do in real breeds. The same seed gives the same register.

#include <QString>
#include <QtGlobal>

namespace velmora::store {
class Database;
}

namespace velmora::genealogy {

struct BeispielParameter {
    int katzen = 1000;
    int generationen = 12;
    quint64 seed = 1;
    int rassen = 0; // closed populations (one per breed); 0: one per 20,000 cats
    int details = 0; // about this many detail rows (health, weights, heats, litters); 0: none
};

struct BeispielBericht {
    int katzen = 0;
    int rassen = 0;
    int zwinger = 0;
    int merkmalZeilen = 0; // rows written to katzemerkmal
    int detailZeilen = 0;  // rows written to the detail tables
};

// Fills the empty cat table of db (reference lists rasse and farbe already loaded); cat numbers are
// 1..katzen, generation by generation, so every parent has a lower number than its kittens.
BeispielBericht fuelleBeispielregister(store::Database& db, const BeispielParameter& p);

// Adds about `anzahl` detail rows to the cats of db's register: a litter-book row for every litter
// (kittens of one mother, father and birth day) with its mating-book row, and vaccinations, wormings,
// weighings and heats spread over the cats' lives. Returns the rows written.
int fuelleBeispieldetails(store::Database& db, int anzahl, quint64 seed);

// Writes a delivered data directory from `quelle` into dir and fills it.
BeispielBericht legeBeispielAn(const QString& dir, const QString& quelle, const BeispielParameter& p);

} // namespace velmora::genealogy
