#pragma once
// The status list is edited by position: nine numbered fields stand for the first nine rows of the
// status table in its primary order, so a status number stays attached to its field.

#include "store/table.h"

#include <QString>
#include <array>

namespace velmora::reg {

constexpr int kStatusFelder = 9;

struct StatusFeld {
    bool sichtbar = false;
    QString text;
};
using StatusFelder = std::array<StatusFeld, kStatusFelder>;

// The names of the first nine rows in primary order, visible; the rest hidden.
StatusFelder statusFelderLesen(store::Table& status);

// Empty visible fields at the end are hidden, from field 9 down to the first filled one.
void leereEndfelderAusblenden(StatusFelder& felder);

// Hides the empty end fields, then writes field i into the i-th row: a visible field renames the row or
// appends one when there is none; for a hidden field an existing i-th row is deleted. Rows are found
// before anything is written, so a deletion does not move the later fields onto other rows.
void statusSpeichern(store::Table& status, StatusFelder& felder);

} // namespace velmora::reg
