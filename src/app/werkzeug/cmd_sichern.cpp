// sichern: a backup of a data directory into a new or empty directory, checked before it counts as done.
// It takes no lock: table files are copied as snapshots, so it may run while the program works on DIR.

#include "app/werkzeug/werkzeug.h"
#include "store/sicherung.h"

#include <QDir>
#include <QFileInfo>

using namespace velmora;

namespace {

werkzeug::Registrar sichern("sichern", "sichern DIR ZIEL",
                            [](const QStringList& args, QTextStream& out, QTextStream& err) -> int {
                                if (args.size() != 2) {
                                    err << "usage: velmora-werkzeug sichern DIR ZIEL\n";
                                    return 64;
                                }
                                const QString daten = args[0], ziel = args[1];
                                if (!QFileInfo(daten).isDir()) {
                                    err << "sichern: " << daten << " ist kein Verzeichnis\n";
                                    return 2;
                                }
                                if (QFileInfo::exists(store::ruecksicherungsMarke(daten))) {
                                    err << "sichern: in " << daten
                                        << " ist eine Rücksicherung unterbrochen worden; erst das Programm "
                                           "starten\n";
                                    return 1;
                                }
                                const QFileInfo z(ziel);
                                if (z.exists() && (!z.isDir() || !QDir(ziel).isEmpty(QDir::AllEntries |
                                                                                      QDir::Hidden |
                                                                                      QDir::System |
                                                                                      QDir::NoDotAndDotDot))) {
                                    err << "sichern: " << ziel << " ist nicht leer\n";
                                    return 2;
                                }
                                if (!QDir().mkpath(ziel)) {
                                    err << "sichern: " << ziel << " kann nicht angelegt werden\n";
                                    return 2;
                                }
                                store::Steuerung s;
                                s.fehler = [&err](const store::DateiFehler& f) {
                                    err << "sichern: " << f.datei << ": " << f.text << "\n";
                                };
                                const store::SicherungsErgebnis r = store::datenSichern(daten, ziel, s);
                                out << "Dateien: " << r.dateien << "\n";
                                out << "Tabellen: " << r.tabellen << "\n";
                                return r.ok() ? 0 : 1;
                            });

} // namespace
