#pragma once
// The coded forms of a kitten's extra data (used by the litter forms), the breeding value's total and
// the kittens' growth curves of a litter. Widget-free.

#include "store/table.h"

#include <QList>
#include <QPointF>
#include <QString>
#include <QVariant>

namespace velmora::reg {

// Jaw fault: "1" Vorbiss, "2" Rückbiss, "3" Zangengebiss, "4" Kreuzbiss; anything else "".
QString kieferCode(const QString& kieferfehler);
// Hernia: "N1" to "N4" for Nabelbruch Verdacht/leicht/mittel/schwer, "L1" to "L4" for Leistenbruch.
QString bruchCode(const QString& bruch);
// Testicles: "1" nur ein Hoden im Skrotum, "2" kein Hoden im Skrotum.
QString hodenCode(const QString& hoden);
// The choices the register offers for the three fields, an empty one first.
QStringList kieferfehlerAuswahl();
QStringList bruchAuswahl();
QStringList hodenAuswahl();

// The sum of points, an empty value counting as 0.
int punkteSumme(const QVariantList& punkte);
// Adds the calculated `Summe` of the breeding-value table (the four points added) to the cursor, which
// must be closed.
void zuchtwertSummeAnlegen(store::Table& zuchtwert);

// One kitten's weighings of a litter: x = age in days from the birth day, y = the weight as typed (a
// decimal comma or point); weighings without date, before the birth day or with no number are left out.
struct Wiegung {
    QDate datum;
    QStringList gewichte; // kitten 1 to 10, as typed
};
QList<QList<QPointF>> gewichtsKurven(const QDate& wurftag, const QList<Wiegung>& wiegungen,
                                     int kaetzchen = 10);

} // namespace velmora::reg
