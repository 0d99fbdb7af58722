#pragma once
// The text check: every message and caption number the sources use must have a text in all three
// languages.
//
// The scanner finds a number only where the code writes it as a decimal literal directly in one of these
// forms (blanks allowed around the number):
//   messages:  MeldungLaden(123, ...)   meldung(123 ...)
//   captions:  FeldNameLaden(123, ...)  feldName(123)  FeldNameSprache(123, ...)
//              setTag(object, 123)      setProperty("tag", 123)
// Numbers computed at run time (a window code, a base number plus an index) are not found: list them
// in a comment of the form  // texte: meldung 1 2 3  or  // texte: feldname 1461-1482  beside the code.

#include "store/database.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace velmora::language {

struct TextNummern {
    QSet<int> meldungen;
    QSet<int> beschriftungen;
};

// Scans every .cpp and .h file below the folder.
TextNummern textNummernSuchen(const QString& quellOrdner);
// The numbers of one source text (exposed for tests).
void textNummernAusText(const QString& quelltext, TextNummern& nummern);

struct FehlenderText {
    bool meldung = true; // false: caption
    int nummer = 0;
    QStringList sprachen; // "deutsch", "englisch", "hollaendisch" without a text
};

// The numbers without a text in one of the languages, messages first, each sorted by number.
// A missing table counts as missing every text.
QList<FehlenderText> fehlendeTexte(const TextNummern& nummern, store::Database& db);

} // namespace velmora::language
