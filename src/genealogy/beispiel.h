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
};

struct BeispielBericht {
    int katzen = 0;
    int rassen = 0;
    int zwinger = 0;
    int merkmalZeilen = 0; // rows written to katzemerkmal
};

// Fills the empty cat table of db (reference lists rasse and farbe already loaded); cat numbers are
// 1..katzen, generation by generation, so every parent has a lower number than its kittens.
BeispielBericht fuelleBeispielregister(store::Database& db, const BeispielParameter& p);

// Writes a delivered data directory from `quelle` into dir and fills it.
BeispielBericht legeBeispielAn(const QString& dir, const QString& quelle, const BeispielParameter& p);

} // namespace velmora::genealogy
