// vcard-import: adds the cards of a vCard file whose name, first name and birthday the book lacks.

#include "app/werkzeug/werkzeug.h"
#include "office/vcard.h"
#include "store/database.h"
#include "store/errors.h"

#include <QFile>

using namespace velmora;

namespace {

constexpr char kAufruf[] = "vcard-import DIR DATEI";

werkzeug::Registrar vcardImport("vcard-import", kAufruf,
                                [](const QStringList& a, QTextStream& out, QTextStream& err) -> int {
                                    if (a.size() != 2 || a.first().startsWith(QLatin1String("--"))) {
                                        err << "usage: velmora-werkzeug " << kAufruf << "\n";
                                        return 64;
                                    }
                                    QFile f(a.at(1));
                                    if (!f.open(QIODevice::ReadOnly)) {
                                        err << "vcard-import: " << a.at(1) << ": " << f.errorString() << '\n';
                                        return 1;
                                    }
                                    const QByteArray daten = f.readAll();
                                    try {
                                        store::Database db(a.first());
                                        if (!db.tableExists(QStringLiteral("adr_dat"))) {
                                            err << "vcard-import: " << a.first()
                                                << " enthält keine Adressendatei (adr_dat.db)\n";
                                            return 2;
                                        }
                                        const office::VcardImport e = office::vcardsImportieren(db, daten);
                                        out << "neu: " << e.neu << '\n'
                                            << "vorhanden: " << e.vorhanden << '\n'
                                            << "fehlerhaft: " << e.fehlerhaft << '\n';
                                        return 0;
                                    } catch (const store::DatabaseError& e) {
                                        err << "vcard-import: " << e.message() << '\n';
                                        return 2;
                                    }
                                });

} // namespace
