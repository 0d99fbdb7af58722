#pragma once
// The printed pedigree certificate: A4 landscape, the cat with its titles and data, its picture and show
// rating at the left, its ancestors over four or five generations in the slot layout of the pedigree
// window at the right (each with title, name and the items of the print order setting), doubled
// ancestors in the pedigree colours, the breeder's signature line and the date. German or English
// whatever the program's language.

#include "genealogy/baum.h"
#include "printing/bericht.h"
#include "printing/blatt.h"
#include "printing/druckquelle.h"

namespace velmora::printing {

struct StammbaumDruck {
    Bericht bericht;
    genealogy::Ahnentafel tafel{1};
    QHash<qint32, int> farben; // doubled ancestors and their colours
};

// The texts come in the quelle's language (German or English for the two commands).
// generationen: 4 or 5 (other values are brought into that range).
StammbaumDruck stammbaumDrucken(Druckquelle& q, int katze, int generationen);

// The generation count of the printed pedigree from the setting "Anzahl Generationen für Druck".
int druckGenerationen(int einstellung);

// The page of the printed pedigree: landscape, the print margins plus the pedigree's own four.
Blattvorgaben stammbaumVorgaben(Druckquelle& q);

} // namespace velmora::printing
