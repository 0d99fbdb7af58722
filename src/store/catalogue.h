#pragma once
// The one description of every table of the system. Tables are created, checked, upgraded and rebuilt
// from it; no other schema exists.

#include "store/schema.h"

namespace velmora::store {

// Every table, in a stable order (the shared tables first).
const QList<TableDef>& catalogue();
// Case-blind, with or without ".db"; nullptr when the system has no such table.
const TableDef* catalogueTable(const QString& name);

} // namespace velmora::store
