#pragma once
// The currency conversion as the options window starts it: the factor check (message 88), the
// confirmation "Währungsumrechnung" / "mit dem Faktor" / factor / "wirklich durchführen?" with the date
// field "Umrechnung bis", the date check (message 114), the progress bar over the bookings, the failure of
// the index (message 11 and the table's name), the settings WaehrungsumrechnungFaktor,
// WaehrungsumrechnungAm and "Umrechnung bis" and message 89 at the end.

#include <QDate>
#include <QString>

class QWidget;

namespace velmora::store {
class Database;
}
namespace velmora::settings {
class tsysteminfo;
}

namespace velmora::office {

// faktorText as the "Faktor" field holds it. heute: the day written as WaehrungsumrechnungAm (the current
// date when invalid). Returns true when the amounts were converted and the settings written.
bool waehrungsumrechnungStarten(QWidget* eltern, store::Database& db, settings::tsysteminfo& info,
                                const QString& faktorText, const QDate& heute = {});

// "letzte Umrechnung": the date and factor of the last conversion, or "Es wurde bisher keine
// Währungsumrechnung durchgeführt".
QString letzteUmrechnungText(const settings::tsysteminfo& info);

} // namespace velmora::office
