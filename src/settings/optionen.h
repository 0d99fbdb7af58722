#pragma once
// What the options window does with the settings, without widgets: which fields a window applies and
// which keys it writes, the checks of the number fields, the resolution list and the order editor's
// lists. The window edits a copy of the settings object and hands it here on "Speichern".

#include "settings/systeminfo.h"

#include <QList>
#include <QLocale>
#include <QRect>
#include <QString>
#include <QStringList>
#include <optional>
#include <span>

namespace velmora::settings {

// The full window, or a reduced one opened from the matings window or the register's litter page.
enum class OptionenUmfang { Alle, Verpaarung, Wurfbuch };

// The fields the window takes over from its copy.
QStringList optionenUebernahmefelder(OptionenUmfang umfang);
// The fields whose keys "Speichern" writes: those it takes over, and always the mating order and the
// five inbreeding keys.
QStringList optionenSchreibfelder(OptionenUmfang umfang, Sprache sprache);

// Copies every field of optionenUebernahmefelder that the user changed (copy differs from `anfang`,
// the settings as the window opened with them) into `ziel`; the others keep what `ziel` holds, so a
// key written elsewhere while the window was open (the printer font) is not turned back. Returns the
// names of the copied fields.
QStringList optionenUebernehmen(const tsysteminfo& anfang, const tsysteminfo& kopie, tsysteminfo& ziel,
                                OptionenUmfang umfang);

// A field's value as text (as the tool shows it: booleans 1/0, reals with a dot) and back; false for
// an unknown field, a type without a text form, or a text that is no value of the type.
QString feldText(const tsysteminfo& e, const QString& feld);
bool feldSetzen(tsysteminfo& e, const QString& feld, const QString& text);

// --- number fields

// The numbers a field takes. Where the rules give no range a generous one keeps out nonsense.
struct Zahlenbereich {
    const char* feld;
    double min;
    double max;
    bool ganz; // whole numbers only
};
std::span<const Zahlenbereich> zahlenbereiche();
const Zahlenbereich* zahlenbereich(const QString& feld);

// The value of the text when it is a number of the field's range (whole numbers: digits only; real
// numbers in the locale's format or with a dot), else nothing.
std::optional<double> zahlPruefen(const QString& text, const Zahlenbereich& bereich,
                                  const QLocale& locale = QLocale());

// On leaving "in der Inzucht": below 3 or no number becomes 3. On leaving "in den Stammdaten": the
// same, and above 10 becomes 10. Other texts stay as typed (the range check refuses them on saving).
QString inzuchtGenerationenKorrigiert(const QString& text);
QString stammdatenGenerationenKorrigiert(const QString& text);

// The resolution list for the work area, and the entry shown for a setting: "Angepasst" for any
// setting containing it; a setting the list lacks is added, so it is shown and kept.
QStringList aufloesungListe(const QRect& arbeitsbereich);
QString aufloesungEintrag(const QString& aufloesung);

// --- order editor

// Item labels as the lists show them, index 0 holding item 1: the keywords, in English their names.
QStringList reihenfolgeBeschriftungen(bool verpaarung, int sprache);
// The chosen items (numbers from 1) in the order the text selects them.
QList<int> gewaehlteEintraege(const QString& text, bool verpaarung);
// The items whose keyword does not occur in the text, in item order; "RF-Code" is never offered for
// the mating order.
QList<int> verfuegbareEintraege(const QString& text, bool verpaarung);
// The keywords of the items, back to back.
QString reihenfolgeText(const QList<int>& eintraege, bool verpaarung);

} // namespace velmora::settings
