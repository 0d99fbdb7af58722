// velmora-werkzeug texte-pruefen DIR [--quelle SRC]
// Lists every message and caption number used in the sources that lacks a text in one of the three
// languages: one line "NUMMER: deutsch|englisch|hollaendisch" (the missing languages) each; messages
// first, then captions. Exit 1 when any text is missing, 0 otherwise.

#include "app/werkzeug/werkzeug.h"
#include "language/textpruefung.h"
#include "store/database.h"

#include <QDir>

using namespace velmora;

static werkzeug::Registrar reg("texte-pruefen", "texte-pruefen DIR [--quelle SRC]",
                               [](const QStringList& argsIn, QTextStream& out, QTextStream& err) -> int {
                                   QStringList args = argsIn;
                                   const QString quelle = werkzeug::takeOption(
                                       args, QStringLiteral("--quelle"), QStringLiteral("src"));
                                   if (args.size() != 1) {
                                       err << "usage: velmora-werkzeug texte-pruefen DIR [--quelle SRC]\n";
                                       return 64;
                                   }
                                   if (!QDir(quelle).exists()) {
                                       err << "texte-pruefen: source folder not found: " << quelle << "\n";
                                       return 2;
                                   }
                                   try {
                                       store::Database db(args.first());
                                       const auto nummern = language::textNummernSuchen(quelle);
                                       const auto fehlend = language::fehlendeTexte(nummern, db);
                                       int meldungen = 0;
                                       for (const auto& f : fehlend) {
                                           out << f.nummer << ": " << f.sprachen.join(QLatin1Char('|'))
                                               << "\n";
                                           if (f.meldung) ++meldungen;
                                       }
                                       if (!fehlend.isEmpty())
                                           err << meldungen << " message(s) and "
                                               << fehlend.size() - meldungen << " caption(s) without text\n";
                                       return fehlend.isEmpty() ? 0 : 1;
                                   } catch (const store::DatabaseError& e) {
                                       err << "texte-pruefen: " << e.message() << "\n";
                                       return 2;
                                   }
                               });
