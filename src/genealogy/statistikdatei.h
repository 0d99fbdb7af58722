#pragma once
// The statistics over the whole register, without widgets: the feature condition as the user builds it
// with double clicks and operator buttons (and may edit by hand), the filter of colour, sexes and age,
// the query built from both with every value a bound parameter, and the evaluation that lists the
// matching cats with the inbreeding and pedigree-collapse figures of each. The query text runs only
// after the read-only test of store/leseabfrage.h.

#include "genealogy/registerabbild.h"
#include "store/leseabfrage.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <optional>

namespace velmora::genealogy {

enum class Operator { Und, Oder, Nicht, Auf, Zu };

// Which controls of the condition may be used now.
struct Bedienstand {
    bool liste = true; // double click on a feature
    bool und = false, oder = false, nicht = false, auf = false, zu = false;
    bool abfrageLoeschen = false;
    bool operator==(const Bedienstand&) const = default;
};

// Simple mode joins the features with "or" by itself (a cat is listed once per matching feature), so
// its operator buttons stay off; extended mode combines features with and, or, not and parentheses.
class Bedingungsbau {
public:
    void merkmal(const QString& name); // double click on a feature
    void op(Operator o);
    void erweitert();       // "erweiterte Abfrage"
    void einfach();         // "einfache Abfrage": clears the query
    void abfrageLoeschen(); // "Abfrage löschen"
    // A text edited by hand ("SQL bearbeiten"); the buttons follow as far as the text tells.
    void textSetzen(const QString& text);

    bool istErweitert() const { return m_erweitert; }
    const QString& text() const { return m_text; }
    const QStringList& merkmale() const { return m_merkmale; } // double-clicked, for the print
    const Bedienstand& stand() const { return m_stand; }

    // The condition on one feature as the query text shows it: the name as an SQL literal.
    static QString bedingung(const QString& name);
    // The SQL text of an operator button.
    static QString opText(Operator o);

private:
    void nachOperand();
    void erwarteOperand(bool nachNicht);
    bool m_erweitert = false;
    bool m_eingabe = false;
    int m_tiefe = 0; // open parentheses
    QString m_text;
    QStringList m_merkmale;
    Bedienstand m_stand{true, false, false, false, false, false, false};
};

struct Filter {
    std::optional<QString> farbe;                  // none: all colours
    bool geschlecht[4] = {true, true, true, true}; // "1" .. "4"
    QString alterAb, alterBis;                     // digits or empty
    bool monate = false;
    QDate heute = QDate::currentDate();
};

// The age range as dates: born on or before `bis` and, when set, on or after `ab`. Empty when the
// age fields are empty.
struct Altersbereich {
    bool aktiv = false;
    QDate geborenBis;
    std::optional<QDate> geborenAb;
};
Altersbereich altersbereich(const Filter& f);

struct Abfrage {
    QString sql;
    QVariantList params;
    QStringList tabellen;
    // Where the user's condition sits in sql: verbatim runs, for positions in error messages.
    struct Abschnitt {
        int sqlAnfang, textAnfang, laenge;
        bool ersetzt; // a replaced feature test: every position in it is the test's start
    };
    QList<Abschnitt> abschnitte;
    int textLaenge = 0;
    int textAnfang = -1; // where the condition begins in sql; -1 without one
    // A position in sql as a position in the user's text (0-based); -1 when outside it.
    int textPosition(int sqlPosition) const;
};

// Simple mode: cats joined with their matching feature rows; extended mode: one row per cat with all
// its features, the condition over those rows. feature names -> numbers through nummer (0: unknown,
// which matches no cat).
Abfrage abfrageBauen(bool erweitert, const QString& bedingung, const Filter& filter,
                     const std::function<qint32(const QString&)>& nummer);

struct Ergebniszeile {
    qint32 nr = 0;
    QString name, geschlecht, fellfarbe, vater, mutter;
    qint32 vaterNr = 0, mutterNr = 0;
    QDate geburt, tod;
    QString merkmal;                // simple mode: the row's feature; extended: "- A -- B -"
    qint32 farbe = 0;               // the row's feature colour, 0 for none
    bool mitZahlen = false;         // both parents known: IK and AVK computed
    QString ik, avk;                // as shown
    double ikWert = 0, avkWert = 0; // percent
};

struct Auswertung {
    enum Ausgang { ok, keineTreffer, abgelehnt, fehler, abgebrochen };
    Ausgang ausgang = ok;
    QList<Ergebniszeile> zeilen;
    store::Ablehnung ablehnung; // when abgelehnt; its position is one in the user's text
    QString fehlertext;
};

// Runs the evaluation: the query, then the figures row by row (each cat once). fortschritt(done,
// total) is called now and then; false cancels.
Auswertung auswerten(store::Database& db, Registerabbild& abbild, bool erweitert, const QString& bedingung,
                     const Filter& filter, int generationen, const QLocale& locale,
                     const std::function<QString(int)>& meldung,
                     const std::function<bool(int, int)>& fortschritt = {});

// The message for a refused query text, in the language of `meldung`.
QString ablehnungsText(const store::Ablehnung& a, const std::function<QString(int)>& meldung);

} // namespace velmora::genealogy
