#pragma once
// The query behind the cat search: criteria -> one SQL statement over the cat table with bound
// parameters, and the hits with their display columns.
//
// Typed text never becomes part of the statement text: every value is a parameter, so quotes, brackets
// or "--" in a criterion are searched for like any other character. Inside a text criterion "%" stays a
// wildcard (as users of the search expect); "_" and "\" are taken literally. Upper and lower case are
// equal for every letter, umlauts included.

#include "store/database.h"

#include <QDate>
#include <QList>
#include <QLocale>
#include <QString>
#include <QVariantList>

namespace velmora::reg {

// The ten criteria as typed; an empty (or blank) criterion is not used.
struct SuchKriterien {
    QString name;
    QString zwinger;
    QString rufname;
    QString rasse; // beginning of a breed name
    QString farbe;
    QString zuechter; // beginning of the breeder's surname in the address table
    QString besitzer; // beginning of the owner's surname
    QString zuchtbuchnummer;
    QString status;   // beginning of a status name
    QString gebDatum; // a date in the short date format

    bool leer() const;
};

// Which sex the caller allows.
enum class SuchGeschlecht { Alle, Maennlich, Weiblich };

// Who opened the search and what it restricts.
struct SuchAufruf {
    int formular = 0; // 0 main window, 1 inbreeding window, 2 breeding book, 3 register parent search
    // Set by the parent, stud and mated-female buttons (modes 1 to 3); Alle otherwise.
    SuchGeschlecht geschlecht = SuchGeschlecht::Alle;
    // Mode 3 with a button: the register's current name, never listed as its own parent.
    QString eigenerName;
    // A parent is being entered from the pedigree (shared data module): VMZeiger 'M' mother, 'V' father,
    // and the name typed in the register.
    bool neuausStb = false;
    QChar vmZeiger = QLatin1Char(' ');
    QString getippterName;

    bool vonKnopf() const { return geschlecht != SuchGeschlecht::Alle; }
    // The sex restriction that applies to this call.
    SuchGeschlecht einschraenkung() const;
};

// The record numbers the look-up criteria stand for (breeds, addresses, statuses whose name begins
// with the typed text).
struct SuchNachschlag {
    QList<int> rassen;
    QList<int> zuechter;
    QList<int> besitzer;
    QList<int> status;
};

// Columns the result can be re-sorted by.
enum class SuchSortierung { Standard, Name, Zwinger, Rufname, Geschlecht, Farbe, GebDatum, Rasse };
QString ordnungsKlausel(SuchSortierung s);

struct SuchAbfrage {
    enum class Fehler { Keiner, KeinZuechter, KeinBesitzer, UngueltigesDatum };
    Fehler fehler = Fehler::Keiner; // anything but Keiner: the query must not run
    QString bedingung;              // "" or " WHERE ..." with "?" for every value
    QVariantList parameter;
    bool mitStatus = false; // a status criterion was given (the grid shows the status column)
    SuchSortierung sortierung = SuchSortierung::Standard;

    // The whole statement; tables present in the data directory are joined for the display columns.
    QString sql(const store::Database* db = nullptr) const;
};

// "Bel%" -> pattern for LIKE with "\" as escape: upper case, "_" and "\" escaped, "%" kept as wildcard
// when erlaubt, a final "%" appended (the text is a beginning).
QString likeMuster(const QString& text, bool platzhalterErlaubt = true);

// Upper case as the search compares it (ß becomes SS, like the rest of Qt's upper casing).
QString suchGross(const QString& text);

// Dates in the criteria: the locale's short format with a four-digit year, so that a date written by
// the calendar reads back as the same day. Reading also accepts the locale's own short format and ISO.
QString datumsFormat(const QLocale& locale);
QString datumText(const QDate& d, const QLocale& locale);
QDate datumAusText(const QString& text, const QLocale& locale);

// Builds the query from criteria and look-up results alone (no table is read).
SuchAbfrage suchAbfrageBauen(const SuchKriterien& k, const SuchNachschlag& n, const SuchAufruf& aufruf,
                             const QLocale& locale = QLocale());

// Looks up breeds, addresses and statuses in the data directory (name order, case ignored).
SuchNachschlag nachschlagen(store::Database& db, const SuchKriterien& k);
// Both steps; the look-ups run only for filled criteria.
SuchAbfrage suchAbfrageBauen(store::Database& db, const SuchKriterien& k, const SuchAufruf& aufruf,
                             const QLocale& locale = QLocale());

// One hit with the columns the grid and the callers show.
struct SuchTreffer {
    int nummer = 0; // LaufendeNummer
    QString name, zwinger, rufname, farbe, geschlecht, zuchtbuchnummer, chipNr, blutgruppe;
    QDate gebDatum;
    int rasse = 0;
    int status = 0;
    QString rasseName;       // Rasse1
    QString vaterName;       // VaterAnzeige
    QString mutterName;      // MutterAnzeige
    QString zuechterAnzeige; // "Name, Vorname" or Name
    QString besitzerAnzeige; // status 1: the user's own address
    QString statusName;      // StatusAnzeige

    QString anzeige() const;       // Name + " / " + Rufname
    QString geschlAnzeige() const; // "m", "w", "m/k", "w/k"
};

// Runs the query; engine errors are thrown as store::EngineError.
QList<SuchTreffer> suchen(store::Database& db, const SuchAbfrage& abfrage);

// "Name, Vorname", or the name alone without a first name.
QString adressAnzeige(const QString& name, const QString& vorname);

// Makes the search's upper-case function known to the data directory's query connection (done by
// suchen() and nachschlagen(); needed by anyone running the SQL of a SuchAbfrage directly).
void suchFunktionenAnmelden(store::Database& db);

} // namespace velmora::reg
