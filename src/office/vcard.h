#pragma once
// Addresses as vCard 4.0 (RFC 6350) files, so the book meets the breeder's phone and mail program.
// Only the lines the book needs are written and read:
//
//   FN          Vorname Name (the name alone without first name)
//   N           Name;Vorname;;Anrede;
//   ORG         Zwinger
//   ADR         ;;Strasse;Ort;;Plz;Land
//   BDAY        Geburtstag as YYYYMMDD (YYYY-MM-DD read too)
//   TEL         TYPE=voice Telefon, TYPE=fax Telefax, TYPE=cell Handy
//   EMAIL, URL  email, Homepage
//   NOTE        Bemerkung (line breaks kept)
//   CATEGORIES  Status
//   X-VELMORA-RASSE  the breed's name
//
// Writing: UTF-8, CRLF, text values escaped (\\ \, \; \n), lines folded after 75 octets without
// splitting a character. Reading: unfolds, unescapes, ignores lines it does not know and the group
// prefix of a property ("item1.TEL"). A card that is not well formed (no END, a line without ":", text
// that is no UTF-8, no name, a birthday that is no date) is counted and skipped as a whole.

#include "office/adressen.h"

#include <QByteArray>
#include <QList>

namespace velmora::store {
class Database;
class Table;
} // namespace velmora::store

namespace velmora::office {

QByteArray vcardSchreiben(const Adresse& a);
QByteArray vcardsSchreiben(const QList<Adresse>& adressen);

struct VcardGelesen {
    QList<Adresse> karten; // laufendeNr 0, rasse 0: the breed by name only
    int fehlerhaft = 0;
};
VcardGelesen vcardsLesen(const QByteArray& daten);

// --- with the address table
// True when an address with exactly this Name, Vorname and Geburtstag exists (index AdrName).
bool adresseVorhanden(store::Table& adressen, const Adresse& a);
// Appends the address (the breed found by its exact name in the breed list, else none) and stores it;
// returns its number. A refused store (a text too long, no name) throws and leaves nothing behind.
int adresseAnlegen(store::Table& adressen, store::Database& db, const Adresse& a);

struct VcardImport {
    int neu = 0, vorhanden = 0, fehlerhaft = 0;
};
// Adds every card whose Name, Vorname and Geburtstag are not in the book yet.
VcardImport vcardsImportieren(store::Database& db, const QByteArray& daten);

} // namespace velmora::office
