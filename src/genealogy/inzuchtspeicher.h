#pragma once
// Stored inbreeding calculations: one row of inzuchtgrad per calculation, with its ancestor table
// (inzuchtgradvorf), its "Klon" grid (inzuchtspeicherclone) and its top-cat shares
// (inzuchtgradspeicherungtopkatzen), the three linked by the calculation's LaufendeNummer. The four
// tables are created from the catalogue when missing.

#include "genealogy/inzuchtberechnung.h"
#include "store/database.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

namespace velmora::genealogy {

struct TopKatzeAnteil {
    qint32 Nummern = 0; // row 1..5 of the top-cat list
    QString Name;
    QString Anzahl; // the share as shown
};

struct KlonAnteil {
    QString Prozent; // as shown in the grid, e.g. "12,50 %"
    QString Name;
};

// Everything the window shows of one calculation, as texts.
struct InzuchtStand {
    qint32 Art = 0; // 0 cat, 1 parents
    QString Name;   // the name it is stored under
    qint32 Nummer = 0;
    QString Vater;
    qint32 VaterNr = 0;
    QString Mutter;
    qint32 MutterNr = 0;
    qint32 Generation = 0;
    QStringList Inzucht;
    QString Prozent;
    QStringList Ahnenverlust;
    QString Stammbaumkomplett;
    QStringList Info;
    QString Wright;
    QVector<TopKatzeAnteil> top; // empty: the live top-cat list is shown
    QVector<KlonAnteil> klon;
    QVector<VorfahrZeile> vorfahren;
};

struct GespeicherteBerechnung {
    qint32 LaufendeNummer = 0;
    QString Name;
    qint32 Generation = 0;
    qint32 Art = 0;
};

class InzuchtSpeicher {
public:
    explicit InzuchtSpeicher(store::Database& db) : m_db(db) {}

    // Creates whichever of the four tables is missing.
    void tabellenAnlegen();
    bool vorhanden() const;
    // In "NameGen" order; nothing when the tables do not exist.
    QVector<GespeicherteBerechnung> liste() const;
    // The stored calculation of that name and generation, if any.
    std::optional<qint32> finden(const QString& name, qint32 generation) const;
    // Appends, or overwrites the calculation `alt` (its detail rows replaced). Returns the number.
    qint32 speichern(const InzuchtStand& stand, std::optional<qint32> alt = std::nullopt);
    bool laden(qint32 nummer, InzuchtStand& stand) const;
    void loeschen(qint32 nummer);

private:
    void detailsLoeschen(qint32 nummer);
    store::Database& m_db;
};

// The "Klon" share as stored: the grid's text without its last character, read as a number
// ("12,50 %" -> 12.5); the stored value shown again: the number and " %".
double klonProzentLesen(const QString& text, const QLocale& locale);
QString klonProzentText(double prozent, const QLocale& locale);

} // namespace velmora::genealogy
