#pragma once
// The dates a breeder wants in a calendar program: the show dates and the vaccinations and wormings
// due in a period, as calendar entries (common/icalendar.h). Each kind is read by a range of its
// date index.

#include "common/icalendar.h"
#include "store/database.h"

#include <QDate>
#include <QList>

namespace velmora::reg {

struct Kalenderinhalt {
    bool ausstellungen = true;
    bool impfungen = true;
    bool wurmkuren = true;
};

// The entries from von to bis, both included: shows by their first day, vaccinations by `NeuAm`,
// wormings by `Naechste`; shows first, then vaccinations, then wormings, each by date. Texts in
// English when englisch, else German. A table that cannot be read throws store::DatabaseError.
QList<common::KalenderEreignis> kalenderTermine(store::Database& db, const QDate& von, const QDate& bis,
                                                const Kalenderinhalt& inhalt = {}, bool englisch = false);

// Writes the calendar file; false with the reason in fehler.
bool kalenderSchreiben(store::Database& db, const QString& datei, const QDate& von, const QDate& bis,
                       const Kalenderinhalt& inhalt, bool englisch, QString* fehler = nullptr,
                       int* anzahl = nullptr);

} // namespace velmora::reg
