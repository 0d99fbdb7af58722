#pragma once
// The address book's rules without widgets: the search over `adr_dat` with bound parameters, the ranges
// of the letter tabs, the duplicate-name look-up, the display forms of an address and the texts handed to
// the mail program.
//
// Search: every filled criterion is one condition, joined by AND. Name, Vorname, Zwinger, Ort and Land
// compare without regard to case (umlauts included), Telefon, PLZ and Status with it; each is a
// beginning, in which "%" stands for any text and "_" for any one character, as the users of the old
// book type them. Typed text is always a bound value, so quotes or semicolons are searched for like any
// other character. The breed criterion is the beginning of a breed name, with case; when no breed name
// begins with it, the search finds nothing.

#include "store/database.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace velmora::store {
class Table;
}

namespace velmora::office {

// The criteria of the search dialog as typed; an empty criterion is not used.
struct AdrKriterien {
    QString name, vorname, zwinger, telefon, rasse, ort, plz, land, status;
    bool leer() const;
};

// One address with every field the book shows.
struct Adresse {
    int laufendeNr = 0;
    QString anrede, name, vorname, zwinger, strasse, plz, ort, land;
    QDate geburtstag;
    QString telefon, telefax, handy, email, homepage, bemerkung, status;
    int rasse = 0;
    QString rasseName; // the breed's RName (empty without breed)

    QString anzeige() const; // "Name, Vorname", the name alone without first name
};

// "Name, Vorname", or the name alone when there is no first name.
QString adressAnzeige(const QString& name, const QString& vorname);

struct AdrAbfrage {
    QString sql; // the whole statement over adr_dat (and rasse), "?" for every value
    QVariantList parameter;
};

// The codes of the breeds whose RName begins with the text (with case), in name order.
QList<int> rassenMitAnfang(store::Database& db, const QString& anfang);
// The statement for the criteria; rassen: the breed codes the breed criterion stands for (unused when
// that criterion is empty; empty then finds nothing). Ordered as the book's default order. mitRasse:
// the breed list exists and its names are joined.
AdrAbfrage adrAbfrageBauen(const AdrKriterien& k, const QList<int>& rassen, bool mitRasse = true);
// Runs the search: the addresses in the book's default order (Name, Vorname, Geburtstag).
QList<Adresse> adressenSuchen(store::Database& db, const AdrKriterien& k);
// One address by its number; laufendeNr 0 when there is none.
Adresse adresseLesen(store::Database& db, int laufendeNr);

// Makes the search's comparison known to the query connection (done by adressenSuchen).
void adrFunktionenAnmelden(store::Database& db);
// The comparison itself: does wert begin with muster ("%" any text, "_" one character)?
bool beginntMit(const QString& wert, const QString& muster, bool ohneFall);

// --- letter tabs
// The eight letter tabs "ABC" .. "V-Z" in order.
const QStringList& buchstabenReiter();
// The range on Name (index AdrName) of letter tab k (0 .. 7): from the one-letter key to the one three
// letters further, both included, as the book has always shown them ("DEF" holds "D…" to "G"); "V-Z"
// reaches every name that begins with Z.
struct NamensBereich {
    QString von, bis;
};
NamensBereich buchstabenBereich(int k);

// --- duplicate check
// The number of the first address (in AdrName order) whose Name and Vorname equal the pair exactly, with
// case; an empty first name matches only an empty one. 0 when there is none. The cursor is not moved.
int gleichnamigeAdresse(store::Table& adressen, const QString& name, const QString& vorname);

// --- mail
// "MAILTO:" and the address, percent-encoded where an address would otherwise end or change the text.
QString mailtoText(const QString& adresse);
// The group mail: every address joined by ";", an empty subject and a body with the greeting and the
// user's own name; names and addresses percent-encoded, so "&", "?" or "#" in them cannot cut the mail.
QString gruppenMailText(const QStringList& adressen, const QString& gruss, const QString& eigenerVorname,
                        const QString& eigenerName);

// The group mail of the marked addresses in their order: those without e-mail are named in ohneEmail
// (by their display form) and left out; text stays empty when no address has one.
struct Gruppenmail {
    QString text;
    QStringList ohneEmail;
};
Gruppenmail gruppenMail(const QList<Adresse>& markierte, const QString& gruss, const QString& eigenerVorname,
                        const QString& eigenerName);

} // namespace velmora::office
