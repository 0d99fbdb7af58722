#pragma once
// The reminders at start-up: expired medicines, vaccinations and wormings due around today.
//
// Each check reads one index range of its table, never the whole table, so a start with a large
// detail history stays quick. The checks only read.

#include "store/database.h"

#include <QDate>
#include <QList>
#include <QString>

namespace velmora::reg {

struct Warnschalter {
    bool verfallsdatum = true;
    bool impfung = true;
    bool wurmkur = true;
};

struct AbgelaufenesMedikament {
    QString medikament;
    QDate verfallsdatum; // invalid when the pharmacy row has none
};

struct FaelligerTermin {
    int katze = 0;
    QString name; // empty when the cat no longer exists
    QDate datum;
};

// A table a check could not open: its name and the engine's message.
struct Pruefungsfehler {
    QString tabelle;
    QString meldung;
};

enum class Erinnerungsliste { Keine, Medikamente, Impfungen, Wurmkuren };

struct Erinnerungen {
    // Whether the check was switched on and its table could be read.
    bool medikamenteGeprueft = false;
    bool impfungenGeprueft = false;
    bool wurmkurenGeprueft = false;
    QList<AbgelaufenesMedikament> medikamente;
    QList<FaelligerTermin> impfungen;
    QList<FaelligerTermin> wurmkuren;
    QList<Pruefungsfehler> fehler;

    // The list shown first, and the list "OK" steps to from the one shown (Keine: close).
    Erinnerungsliste erste() const;
    Erinnerungsliste nach(Erinnerungsliste gezeigt) const;
};

// Days before and after today within which a vaccination or worming is reminded of.
constexpr int kErinnerungsTage = 6;

// Runs the switched-on checks in their fixed order as of heute. A table that cannot be opened is
// noted in fehler; the other checks still run.
Erinnerungen erinnerungenPruefen(store::Database& db, const Warnschalter& schalter, const QDate& heute);

} // namespace velmora::reg
