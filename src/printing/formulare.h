#pragma once
// The registration forms without widgets: what the litter registration, the show entry and the CFA show
// entry ask for, prefilled from the cat, its parents, the selected litter and the breeder's own data,
// with the fields the user completes, and the association layouts they print on. A form opened with data
// missing names what is missing instead of printing blanks.

#include "printing/bericht.h"
#include "printing/druckquelle.h"
#include "printing/katzenberichte.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace velmora::printing {

struct Formularfeld {
    enum class Art { Text, Haken, Wahl };
    QString name;         // the field's name, also its control's object name
    QString beschriftung; // caption in the print's language
    Art art = Art::Text;
    QString wert;         // text, "1" for a ticked box, the chosen entry of a choice
    QStringList wahl;     // the entries of a choice
};

struct Formularabschnitt {
    QString titel;
    QList<Formularfeld> felder;
};

struct Formular {
    QString name;  // "FormWurfmeldung", "FormMeldeformular", "FormMeldeformularCFA"
    QString titel; // headline
    QList<Formularabschnitt> abschnitte;
    QStringList tabellenKopf; // the kitten grid of the litter registration
    QList<QStringList> tabelle;
    QStringList fehlend; // what the prefill could not find, in words
    QStringList layouts; // the association layouts it prints on, the standard one first

    Formularfeld* feld(const QString& name);
    QString wert(const QString& name) const;
};

// The father's title text from the older one-character title codes ("Int.Ch./CH").
QString vaterTitel(const DruckKatze& vater);

// Type 3: the selected litter of the queen (0: her latest).
Formular wurfmeldungVorbelegen(Druckquelle& q, const Druckauftrag& a);
// Type 4 and type 10.
Formular meldeformularVorbelegen(Druckquelle& q, const Druckauftrag& a);
Formular meldeformularCfaVorbelegen(Druckquelle& q, const Druckauftrag& a);

// What is missing, as one sentence for the message the form opens with; empty when nothing is.
QString fehlendText(Druckquelle& q, const Formular& f);
// The form as it stands, on one of its layouts (an entry of Formular::layouts).
Bericht formularBericht(Druckquelle& q, const Formular& f, const QString& layout);

} // namespace velmora::printing
