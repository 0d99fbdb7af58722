#pragma once
// The print dispatcher: a print type becomes a filled layout, the picture print or a registration form,
// after the check that the cat suits it (litter prints need a queen, mating prints a tom, result lists
// need results). Widget-free: what is shown, printed or asked goes through the output it is given.

#include "printing/bericht.h"
#include "printing/druckquelle.h"
#include "printing/katzenberichte.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace velmora::printing {

enum Druckart : int {
    kKatzendaten = 1,
    kBild = 2,
    kWurfmeldung = 3,
    kAusstellung = 4,
    kGewichtstabelle = 6,
    kTradRichten = 7,
    kTicaRichten = 8,
    kKatzenliste = 9,
    kAusstellungCfa = 10,
    kCfaRichten = 11,
    kWurfdaten = 13,
    kDeckbuch = 15,
    kDeckschein = 16
};

class tDruckenKatzen {
public:
    // What the dispatcher hands on. Empty handlers do nothing.
    struct Ausgabe {
        std::function<void(const Bericht&)> zeigen;                          // print preview
        std::function<void(const QString& datei, const QString& titel, const QString& name)> bild; // picture print
        std::function<void(int art)> formular;                                 // registration forms
        // The cat search for the cat list: the rows' cat numbers, or nothing when not left with OK;
        // zusatz gets "  mit Status: ..." when the search had a status criterion.
        std::function<std::optional<QList<int>>(QString& zusatz)> suchen;
        // A message by number with its text; without a handler the message service shows it.
        std::function<void(int nummer, const QString& text)> melden;
        // A file error (the certificate's text file).
        std::function<void(const QString& text)> fehler;
    };

    explicit tDruckenKatzen(Druckquelle& quelle) : m_q(quelle) {}

    // Every print type that does anything (0, 5, 12, 14 and unknown numbers do nothing).
    static const QList<int>& arten();
    static bool bekannt(int art) { return arten().contains(art); }
    // The print types the layouts serve (a report is built); the others need a window.
    static bool hatLayout(int art);

    // The German text of a message of the checks, for when the tables lack it.
    static const char* meldungstext(int nummer);
    // The message number when the cat does not suit the print, 0 when it does.
    int pruefen(int art, int katze);
    // The layout of a type that has one, filled; nothing when the type has none or the layout fails
    // (fehler then holds the reason).
    std::optional<Bericht> bericht(const Druckauftrag& auftrag, QString* fehler = nullptr);
    // The one operation: checks, builds and hands the result on. Returns false when nothing was shown.
    bool druck(Druckauftrag auftrag, const Ausgabe& ausgabe);

    Druckquelle& quelle() { return m_q; }

private:
    Druckquelle& m_q;
};

} // namespace velmora::printing
