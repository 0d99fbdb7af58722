// einstellungen, einstellungen-anlegen: the settings object as the program would read it.

#include "app/werkzeug/werkzeug.h"
#include "settings/einstellungsort.h"
#include "settings/systeminfo.h"

#include <QDir>
#include <QFileInfo>

using namespace velmora::settings;
using velmora::werkzeug::Registrar;

namespace {

Registrar einstellungen("einstellungen", "einstellungen [--einstellungen DIR]",
                        [](const QStringList& a, QTextStream& out, QTextStream& err) -> int {
                            QStringList args = a;
                            const QString dir = einstellungsVerzeichnis(
                                velmora::werkzeug::takeOption(args, QStringLiteral("--einstellungen")));
                            if (!args.isEmpty()) {
                                err << "usage: velmora-werkzeug einstellungen [--einstellungen DIR]\n";
                                return 64;
                            }
                            tsysteminfo info;
                            if (!info.load(einstellungsPfad(dir))) {
                                err << "einstellungen: " << einstellungsPfad(dir)
                                    << " kann nicht gelesen werden\n";
                                return 2;
                            }
                            for (const FeldBeschreibung& f : felder())
                                out << f.name << '=' << info.anzeigeText(f) << '\n';
                            return 0;
                        });

Registrar anlegen("einstellungen-anlegen", "einstellungen-anlegen [--einstellungen DIR]",
                  [](const QStringList& a, QTextStream& out, QTextStream& err) -> int {
                      QStringList args = a;
                      const QString dir = einstellungsVerzeichnis(
                          velmora::werkzeug::takeOption(args, QStringLiteral("--einstellungen")));
                      if (!args.isEmpty()) {
                          err << "usage: velmora-werkzeug einstellungen-anlegen [--einstellungen DIR]\n";
                          return 64;
                      }
                      if (!legeLeereEinstellungenAn(dir)) {
                          err << "einstellungen-anlegen: " << einstellungsPfad(dir)
                              << " kann nicht angelegt werden\n";
                          return 2;
                      }
                      out << QFileInfo(einstellungsPfad(dir)).absoluteFilePath() << '\n';
                      return 0;
                  });

} // namespace
