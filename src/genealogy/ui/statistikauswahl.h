#pragma once
// The choices both statistics windows offer: the features in their own colours and the coat colours.

class QComboBox;
class QListWidget;

namespace velmora::store {
class Database;
}

namespace velmora::genealogy {

class Registerabbild;

// The features by name, each in its marker colour.
void merkmaleFuellen(QListWidget& liste, Registerabbild& abbild);
// The colours in name order, a breed-specific name as "(breed) name"; nothing without a colour table.
void farbenFuellen(QComboBox& auswahl, store::Database& db);

} // namespace velmora::genealogy
