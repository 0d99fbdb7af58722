#pragma once
// Where the settings files live. The original opened them by bare name in the Windows directory; here
// they sit in the user's configuration directory.

#include <QString>
#include <QStringList>

namespace velmora::settings {

inline constexpr char kEinstellungsdatei[] = "Tessaro.ini";
inline constexpr char kUpdatedatei[] = "TessaroUPD.ini";

// `override` when given, else $XDG_CONFIG_HOME/Velmora, else ~/.config/Velmora. A relative
// XDG_CONFIG_HOME is ignored, as the base-directory rules ask, so the folder does not follow the
// current directory.
QString einstellungsVerzeichnis(const QString& override = {});
// The folder named by "--einstellungen DIR" among the program's arguments (both words are removed),
// else the default above.
QString einstellungsVerzeichnisAus(QStringList& argumente);
QString einstellungsPfad(const QString& verzeichnis);
QString updatePfad(const QString& verzeichnis);

// Creates the folder and an empty Tessaro.ini in it unless one exists (an existing file is left as it
// is). True when the file exists afterwards.
bool legeLeereEinstellungenAn(const QString& dir);

} // namespace velmora::settings
