#pragma once
// The one-off currency conversion of every stored money amount: the accounts' opening balances and
// balances, the bookings up to a date and the purchase and sale prices of the cats up to that date, each
// divided by the factor and rounded to 1/10000 of the currency unit (ties to even). The balances are
// recomputed from the converted opening balance and the bookings, so they agree with them afterwards.
// All tables change in one transaction: a failure leaves every amount as it was.
//
// The options window calls waehrungsumrechnungStarten (office/ui/waehrungsumrechnungdlg.h), which asks,
// shows the messages and the progress and writes the settings; this part does the arithmetic and the
// tables and knows no widgets.

#include "store/database.h"
#include "store/money.h"

#include <QDate>
#include <QString>
#include <functional>
#include <optional>

namespace velmora::office {

// A factor as typed: digits with at most one decimal comma ("1,95583"); value = zaehler / 10^stellen.
struct Umrechnungsfaktor {
    qint64 zaehler = 0;
    int stellen = 0;
    double alsZahl() const;
    QString text() const; // with a decimal comma, as the settings file keeps it
};
// Nothing for an empty text, a text with other characters than digits and one comma, or a factor of 0.
std::optional<Umrechnungsfaktor> faktorLesen(const QString& text);

// amount / factor, rounded to 1/10000 (ties to even).
store::Money umrechnen(store::Money betrag, const Umrechnungsfaktor& f);

struct UmrechnungsErgebnis {
    int konten = 0;
    int buchungen = 0;      // converted (dated on or before the day)
    int verkaufspreise = 0; // purchase and sale prices converted
};

// Called after each booking walked: (done, total).
using UmrechnungsFortschritt = std::function<void(int, int)>;

// Converts the tables of db. Bookings dated after `bis` keep their amounts (they are already in the new
// currency) but count in the recomputed balances; bookings of no existing account stay as they are.
// Creates the index Kontoname on the bookings when it is missing. Throws store::DatabaseError when a
// table cannot be opened, the index cannot be created or a store fails; nothing is changed then.
UmrechnungsErgebnis waehrungUmrechnen(store::Database& db, const Umrechnungsfaktor& f, const QDate& bis,
                                      const UmrechnungsFortschritt& fortschritt = {});

} // namespace velmora::office
