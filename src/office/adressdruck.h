#pragma once
// The two address prints on the report model: the address list (layout TReportAdressenListe) and the
// sheet of one address (TReportAdresse). Both take their left and top margins from the settings
// (section Druck: LinkerRand, ObereRand) and their captions from the language tables.

#include "office/adressen.h"
#include "printing/bericht.h"

#include <QDate>

namespace velmora::office {

// The product's web address, printed at the foot and shown when an address has no homepage.
QString standardHomepage();

// Landscape A4: per address Anzeige, Strasse, Plz, Ort, Telefon, Telefax, Zwinger, Geburtstag, Land,
// Status, email, Homepage; title " Adressenliste vom " and the date; page numbers and the web address
// at the foot of every page.
printing::Bericht adressenListeBericht(const QList<Adresse>& adressen, double linkerRand, double obererRand,
                                       const QDate& stand);
// Portrait A4: NameVorname, Strasse, Plz, Ort, Land, Telefon, Telefax, Geburtstag, Status, Zwinger, the
// breed, Handy, email, Homepage and the remark, each with its caption.
printing::Bericht adresseBericht(const Adresse& a, double linkerRand, double obererRand);

} // namespace velmora::office
