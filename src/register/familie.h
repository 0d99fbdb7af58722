#pragma once
// The register's family views without a window: the five-generation pedigree page's slots with their
// placeholders and the colours of doubled ancestors, the litter siblings, half-siblings and kittens of
// a cat, the texts of the sibling and kitten grids and of the parent panels, and the bookkeeping of a
// cat's pictures (which one is shown, what a deletion does to the printing choice).

#include "genealogy/baum.h"

#include <QChar>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace velmora::store {
class Table;
}

namespace velmora::reg {

// --------------------------------------------------------------- the pedigree page

// Slots 1 to 62 in one row: 1 father, 2 mother, the parents of slot s in 2s+1 (father) and 2s+2.
constexpr int kStbGenerationen = 5;
constexpr int kStbSlots = 62;
// The slot of position k (1 to 2^g) of generation g (1 = the parents).
constexpr int stbSlot(int g, int k) {
    return (1 << g) - 2 + k;
}
// The generation of a slot (1 to 5).
int stbGeneration(int slot);

struct StbPlatz {
    qint32 nummer = 0; // the ancestor; 0 when the slot holds none
    QChar fehlt;       // 'V' or 'M': a placeholder for the missing father or mother of `kind`
    qint32 kind = 0;   // the child whose parent is missing
    bool platzhalter() const { return !fehlt.isNull(); }
};
using StbPlaetze = std::array<StbPlatz, kStbSlots>; // index slot - 1

// The slots of a cat through the one ancestor walk. A missing parent (0 or not in the table) of a cat
// shown on the page gets a placeholder; nothing is shown above a placeholder.
StbPlaetze stammbaumPlaetze(qint32 katze, qint32 vater, qint32 mutter, const genealogy::Elternleser& lesen);

// The placeholder text: the language's word, then "{", the letter, the child's number and "}".
QString platzhalterText(const QString& wort, QChar buchstabe, qint32 kind);

// What a slot's text names: the first line holding "{" and "}" decides.
struct SlotVerweis {
    enum class Art { nichts, ahne, platzhalter } art = Art::nichts;
    QChar buchstabe; // 'V' or 'M' for a placeholder
    qint32 nummer = 0;
};
SlotVerweis slotVerweis(const QString& text);

// Doubled ancestors: for each slot a from 1 to 60 holding an ancestor and still unmarked, every later
// unmarked slot with the same ancestor is marked with the list's current colour, together with a; a slot
// that found a partner moves the list on. Past its end the last colour serves again (0 when the list is
// empty) and `erschoepft` is set.
struct AhnenFarben {
    std::vector<std::optional<int>> farbe; // per slot (index slot - 1); none = the normal background
    bool erschoepft = false;
};
AhnenFarben doppelteAhnen(const std::vector<qint32>& nummern, const QList<int>& farbliste);

// --------------------------------------------------------------- siblings and kittens

enum class GeschwisterArt { wurf, vaeterlich, muetterlich };

// The cats shown in the sibling grid, in the order of the index used (litter siblings: Mutter;GebDatum;
// Geschlecht, paternal: Vater;GebDatum;Name, maternal: Mutter;GebDatum;Name). `selbst` is left out (0
// while a new cat is being entered). Empty when the parent (or, for litter siblings, a parent or the
// birth date) is not recorded. The table is a cursor of catstamm; its index and range are restored.
QList<qint32> geschwister(store::Table& katzen, GeschwisterArt art, qint32 selbst, qint32 vater,
                          qint32 mutter, const QDate& gebDatum);

// The kittens of a litter: cats with that mother and birth date, in the order of IDXMutterGebDatum.
QList<qint32> jungtiere(store::Table& katzen, qint32 mutter, const QDate& wurftag);

// Sex text of the sibling and kitten grids: "m", "w"/"f", "m/k", "w/k"/"f/k"; empty for other codes.
QString geschlechtKurz(const QString& code, int sprache);

// The owner column of the kitten grid: the user's own name for status 1, else the owner's.
QString besitzerAnzeige(const QString& status, const QString& eigenerVorname, const QString& eigenerName,
                        const QString& vorname, const QString& name);

// The text of a kitten for printed litter lists: the colour, as many feature abbreviations as fit, and
// the remark when it fits whole. `passt` tells whether a text fits the printed column.
QString anzeigeFuerDruck(const QString& fellFarbe, const QStringList& kuerzel, const QString& bemerkung,
                         const std::function<bool(const QString&)>& passt);

// --------------------------------------------------------------- parent panels

struct ElternDaten {
    QString titel; // title text; empty when none or when the sex is not recorded
    QString name;
    QString rasseName, rasseKurz; // empty when the breed is not found
    bool rasseGefunden = false;
    QString fellFarbe, farbNummer;
    QDate gebDatum;
    QString augenfarbe;
    QString zuchtbuch1, zuchtbuch2, zuchtbuch3;
    std::optional<QString> zuechter, besitzer; // "Name, Vorname" when the address exists
    QString gencode, blutgruppe, tests, chipNr;
};
QStringList elternInfoZeilen(const ElternDaten& d, bool englisch,
                             const std::function<QString(const QDate&)>& datum);

// --------------------------------------------------------------- pictures

// The picture a cat shows: the Feld2-th when Feld2 > 0 and its file exists, otherwise (Feld2 0) the first
// picture whose file exists; -1 for none. Positions are 0-based here.
int gezeigtesBild(const QStringList& pfade, int feld2, const std::function<bool(const QString&)>& gibtEs);

// The printing choice after the picture at `geloescht` (1-based) was deleted: cleared when it was the
// chosen one, one less when it was before it.
int feld2NachLoeschen(int feld2, int geloescht);

// A typed printing choice: digits only; nothing when the text is no number; 0 (after message 227) when
// outside 1 to `anzahl`.
struct Druckwahl {
    int feld2 = 0;
    bool ausserhalb = false; // message 227
};
std::optional<Druckwahl> druckwahlPruefen(const QString& text, int anzahl);

} // namespace velmora::reg
