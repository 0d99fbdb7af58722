#pragma once
// The feature statistics over one pedigree, without widgets: every ancestor place up to a number of
// generations whose cat carries the chosen features (or all features), or has the chosen coat colour,
// gathered per ancestor (told apart by name and colour, as the breeder reads them) with how often it
// occurs in which generation. The places come from the one ancestor walk (baum.h).

#include "genealogy/baum.h"
#include "genealogy/registerabbild.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace velmora::genealogy {

struct StammbaumFrage {
    qint32 katze = 0;
    int generationen = 100;
    bool nurFarbe = false;        // "Suche nur nach Farbe"
    bool alleMerkmale = false;    // "Suche nach allen Merkmalen "
    QStringList merkmale;         // names of the selected features
    std::optional<QString> farbe; // none: all colours
};

struct StammbaumEintrag {
    QString schluessel;                   // "name, colour"
    QString merkmalTeil;                  // " - A - B - ", empty without features
    QList<QPair<int, quint64>> vorkommen; // (generation, count), ascending generation
};

struct StammbaumStatistik {
    enum Ausgang { ok, keinMerkmal, fehler, abgebrochen, keineKatze };
    Ausgang ausgang = ok;
    quint64 anzTiere = 0;              // ancestor places visited
    QList<StammbaumEintrag> eintraege; // in the order the walk first meets them
    // The result text: message 129, the count and message 130, then per ancestor its lines (or 125).
    QStringList text(const std::function<QString(int)>& meldung) const;
};

// weiter is asked now and then; false cancels.
StammbaumStatistik stammbaumStatistik(Registerabbild& abbild, const StammbaumFrage& frage,
                                      const std::function<bool()>& weiter = {});

} // namespace velmora::genealogy
