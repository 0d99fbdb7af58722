#pragma once
// The online database window's grid of every cat: its stored fields and the computed columns (sex
// letters, titles, breed, parents, breeder, owner, features, evaluation, picture name), the titles that
// sort it by their index, and in the table editor the cells that can be stored.

#include "common/ui/tabellenmodell.h"
#include "exchange/onlineexport.h"

#include <QString>

namespace velmora::exchange {

struct GitterSpalte {
    const char* feld;  // stored field, or the computed column's own name
    const char* titel; // German title when the tables lack it
    int tag;           // caption number of the title
    const char* index; // the index a title click sorts by ("" the primary key), nullptr: none
    bool berechnet;    // computed or looked up: never stored
};
// The columns in grid order (the picture name last).
const QList<GitterSpalte>& gitterSpalten();

class KatzenGitterModell : public TabellenModell {
    Q_OBJECT
public:
    // katzen: the grid's cursor, closed; the computed columns are added to it here.
    // mitBildname: the picture name column, by the rule of that layout.
    KatzenGitterModell(store::Table& katzen, TOnlineExport& daten, bool mitBildname, Layout bildLayout,
                       QObject* parent = nullptr);

    // Whether the column's cells can be stored: a stored field other than the record number.
    bool aenderbar(int spalte) const;
    const GitterSpalte& spalte(int s) const { return m_spalten.at(s); }
    int spaltenZahl() const { return int(m_spalten.size()); }
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QList<GitterSpalte> m_spalten;
};

} // namespace velmora::exchange
