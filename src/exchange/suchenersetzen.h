#pragma once
// Search and replace over one column of the cat table, widget-free: the match rule of one value, the walk
// over the cursor's order, one replacement posted through the engine, and "replace all" in batches of
// one transaction each with progress and abort. A value the engine refuses stops the run at that cat;
// what was replaced before stays stored and is counted.

#include "store/errors.h"
#include "store/table.h"

#include <QLocale>
#include <QString>
#include <functional>
#include <optional>

namespace velmora::exchange {

struct SuchText {
    QString suchen;
    QString ersetzen;
    bool grossKleinIgnorieren = false;
    bool ganzesWort = false;
};

// Position of the match in the value, or -1. Only the first occurrence is tried. A value that already
// holds the replacement does not match (unless the replacement is empty or lies within the search text),
// so a replaced value is not found again.
qsizetype treffer(const QString& wert, const SuchText& s);
// The value with the match at pos replaced.
QString ersetzt(const QString& wert, qsizetype pos, const SuchText& s);

// How a column reads as text and takes text back.
enum class SpaltenArt { Text, Zahl, Datum, NichtAenderbar };
SpaltenArt spaltenArt(const store::FieldDef& f);
// The value of a field as the search sees it (dates as dd.MM.yyyy).
QString feldText(const store::Table& t, int feld);

class Suchlauf {
public:
    // feld: a stored field of the cursor's table. The walk uses the cursor and its current order.
    Suchlauf(store::Table& tabelle, int feld, SuchText text);

    enum class Schritt { Treffer, Ende, Abgebrochen };
    // Walks on (from the first record on a new search, else from the record after the last match) and
    // stops on the next match, which becomes the cursor's record. warten runs after each record and
    // returns true to stop.
    Schritt weiter(const std::function<bool()>& warten = {});
    bool gestartet() const { return m_gestartet; }
    bool hatTreffer() const { return m_treffer >= 0; }
    bool jeGefunden() const { return m_jeGefunden; }
    qsizetype trefferPosition() const { return m_treffer; }

    // Replaces the match on the cursor's record and posts it. Throws the engine's error (the edit is
    // cancelled, nothing stored) when the value is refused. When the store moved the record within the
    // order the cursor goes back to the position it had (one earlier when it moved down), so the walk
    // goes on from there.
    void ersetzen();

    struct Alle {
        int ersetzt = 0;
        bool abgebrochen = false;
        std::optional<store::EngineError> fehler; // the refused value
        QString katze;                            // the cat it was refused for: "NAME (NUMMER)"
    };
    // Replaces the current match (when there is one) and every further match to the end, each matching
    // record once, in the cursor's order. Each batch of `stapel` replacements is one transaction;
    // fortschritt gets the count so far and the number of matches and returns true to abort (what is
    // replaced stays). The batches are large because a name sits in eight indexes: small ones wrote
    // the same index pages (and their journal copies) again for every batch, half of the run's cost.
    Alle alleErsetzen(const std::function<bool(int ersetzt, int position)>& fortschritt = {},
                      int stapel = 20000);

private:
    bool passt();

    store::Table& m_t;
    int m_feld;
    SuchText m_s;
    SpaltenArt m_art;
    bool m_gestartet = false;
    bool m_jeGefunden = false;
    qsizetype m_treffer = -1;
};

} // namespace velmora::exchange
