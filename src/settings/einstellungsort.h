#pragma once
// Where the settings files live. The original opened them by bare name in the Windows directory; here
// they sit in the user's configuration directory.

#include <QString>

namespace velmora::settings {

inline constexpr char kEinstellungsdatei[] = "Tessaro.ini";
inline constexpr char kUpdatedatei[] = "TessaroUPD.ini";

// `override` when given, else $XDG_CONFIG_HOME/Velmora, else ~/.config/Velmora.
QString einstellungsVerzeichnis(const QString& override = {});
QString einstellungsPfad(const QString& verzeichnis);
QString updatePfad(const QString& verzeichnis);

// Creates the folder and an empty Tessaro.ini in it unless one exists (an existing file is left as it
// is). True when the file exists afterwards.
bool legeLeereEinstellungenAn(const QString& dir);

} // namespace velmora::settings
