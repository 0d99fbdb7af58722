#pragma once
// Qt's own texts (the buttons of message boxes, the file, colour, page set-up, print and font dialogs)
// in the program's language, from Qt's translation files qtbase_de/_en/_nl.qm.

#include <QString>

namespace velmora::language {

// Replaces the Qt translation loaded before by the one of language 0 (German), 1 (English) or
// 2 (Dutch). Returns false when the file is not found; Qt then speaks its built-in English.
bool qtUebersetzungLaden(int sprache);

// Where the translation files are looked for: "translations" beside the program first (a copy shipped
// with the program on Windows), then Qt's own translation folder.
QStringList qtUebersetzungsOrte();

} // namespace velmora::language
