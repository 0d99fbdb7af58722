#pragma once
// The print layouts of one cat, each written once against the report model: the data sheet, the litter's
// weight table, the three show-result lists, the cat list, the litter data sheet, the mating book and the
// mating certificate. Every one is A4 with the cattery's letterhead, page numbers, the print date and the
// margins of the settings; its texts come from the language tables in the print's language.

#include "printing/bericht.h"
#include "printing/druckquelle.h"

#include <QList>
#include <QString>

namespace velmora::printing {

// What a layout is fed beyond the cat: the register's selected litter and mating-book row (0: the cat's
// latest), the cat list's rows and its title suffix.
struct Druckauftrag {
    int art = 0;
    int katze = 0;
    int wurf = 0;    // LaufendeNummer in wurfbuch
    int deckung = 0; // LaufendeNummer in deckbuch
    QList<int> liste;
    QString listenZusatz; // "  mit Status: ..." when the search had a status criterion
};

// The litter and mating-book row a print is about: the one asked for, else the cat's latest; 0 for none.
int gewaehlterWurf(Druckquelle& q, int katze, int wurf);
int gewaehlteDeckung(Druckquelle& q, int kater, int deckung);

// A litter count "m/w": the male and the female count.
std::pair<QString, QString> wurfzahlen(const QString& feld);

struct TReportStammdaten {
    static Bericht erstellen(Druckquelle& q, const Druckauftrag& a);
};
struct TReportWurfbuch {
    static Bericht erstellen(Druckquelle& q, const Druckauftrag& a);
};
struct TReportTradRichtenListe {
    static Bericht erstellen(Druckquelle& q, const Druckauftrag& a);
};
struct TReportTICAListe {
    static Bericht erstellen(Druckquelle& q, const Druckauftrag& a);
};
struct TReportKatzenListe {
    static Bericht erstellen(Druckquelle& q, const Druckauftrag& a);
};
struct TReportCFAListe {
    static Bericht erstellen(Druckquelle& q, const Druckauftrag& a);
};
struct TReportWurfdaten {
    static Bericht erstellen(Druckquelle& q, const Druckauftrag& a);
};
struct TReportDeckbuch {
    static Bericht erstellen(Druckquelle& q, const Druckauftrag& a);
};
struct TReportDeckschein {
    // Fails (returns nothing) when "deckschein.txt" exists but cannot be read; fehler gets the reason.
    static std::optional<Bericht> erstellen(Druckquelle& q, const Druckauftrag& a, QString* fehler = nullptr);
};

} // namespace velmora::printing
