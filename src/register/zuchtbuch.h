#pragma once
// The dates a breeder plans with: days between heats, the heat statistics with the expected next heat,
// mating, birth and hand-over, and the litter book's and mating book's expected birth and gestation.
// Widget-free, so the register's pages and the command-line tool compute alike.

#include <QDate>
#include <QDateTime>
#include <QList>
#include <optional>

namespace velmora::reg {

// The four settings the calculation uses (BerechnungRolligkeit, BerechnungPlusMinus,
// BerechnungGebtermin, BerechnungAbgabetermin), in days.
struct Zuchttage {
    int rolligkeit = 0;
    int plusMinus = 0;
    int gebtermin = 0;
    int abgabe = 0;
};

// Whole days between two heat observations, absolute, fractions of a day dropped.
int tageZwischen(const QDateTime& von, const QDateTime& bis);

// Per heat row in entry order: the days since the previous row; empty for the first row, for a row
// without date and when the previous row has none.
QList<std::optional<int>> tageZwischenRolligkeiten(const QList<QDateTime>& rolligkeiten);

struct RolligkeitsStatistik {
    int durchschnitt = 0; // average days between heats (the setting when fewer than two heats)
    int plusMinus = 0;
    QDate naechsteRolligkeit; // invalid without a heat
    QDate decktermin;         // the next heat, or today without a heat
    QDate wurftermin;
    QDate abgabetermin;
};

// The statistics over the heats of one cat in entry order (not date order): the average of the
// intervals between consecutive rows (rows without date count in no interval), the remainder dropped;
// the next heat from the last row entered.
RolligkeitsStatistik rolligkeitsStatistik(const QList<QDateTime>& rolligkeiten, const Zuchttage& tage,
                                          const QDate& heute);

// Expected birth and hand-over from a mating date (both invalid without one).
struct Termine {
    QDate wurftermin;
    QDate abgabetermin;
};
Termine termineAusDecktermin(const QDate& decktermin, const Zuchttage& tage);
// The same from a typed mating date ("1.2.2024", "01.02.24"); a text that is no date gives none.
Termine termineAusText(const QString& decktermin, const Zuchttage& tage);

// The litter book: expected birth from a mating date (invalid without one), and the gestation in days
// from the second mating date, or the first without a second; only with the first mating date and the
// birth day.
QDate erwarteterWurf(const QDate& decktermin, const Zuchttage& tage);
std::optional<int> traechtigkeit(const QDate& decktermin1, const QDate& decktermin2, const QDate& wurftag);

} // namespace velmora::reg
