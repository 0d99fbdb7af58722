#pragma once
// The cattery's books without widgets: money accounts (bank, cash) with opening balance and running
// balance, income and expense categories with their VAT rate, bookings, transfers with their
// counter-booking, periods, the category statistic, the profit-and-loss statement, a VAT summary per rate
// and the CSV export for the tax adviser. Every amount is a store::Money (exact 1/10000 units).
//
// Accounts and categories share the table konten (Kontoart 0 = category, 1 bank, 2 cash, 3 another
// account kind); bookings live in buchung. The balance of every account equals its opening balance plus
// the sum of its bookings: a booking, its balance and (for a transfer) the other side and its balance
// change in one transaction over both tables; changing an opening balance moves the balance by the same
// difference. Bookings are committed before balances, and opening the books recomputes any balance that
// disagrees (the trace a crash between the two files' commits could leave).

#include "store/database.h"
#include "store/money.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace velmora::office {

using store::Money;

namespace kontoart {
constexpr int Kategorie = 0;
constexpr int Bank = 1;
constexpr int Kasse = 2;
} // namespace kontoart

inline const QString kEinnahme = QStringLiteral("Einnahme");
inline const QString kAusgabe = QStringLiteral("Ausgabe");

// One row of konten: an account (kind 1 to 3) or a category (kind 0).
struct Konto {
    int nummer = 0;
    int art = kontoart::Bank;
    QString name;
    int kontonummer = 0;
    int bankleitzahl = 0;
    QString bankname;
    Money kontostand;
    Money eroeffnungssaldo;
    QDate zum;
    int mwst = 0;   // categories: LaufendeNummer of the VAT rate
    QString einAus; // categories: kEinnahme, kAusgabe or empty (counts as neither)
    bool istKonto() const { return art > 0; }
};

struct Buchung {
    int nummer = 0;
    int konto = 0; // LaufendeNummer of its account
    QDate datum;
    QString kategorie; // a category's name, or the other account's for a transfer
    Money betrag;      // as stored: income positive, expense negative
    QString beschreibung;
    int gegenbuchung = 0;
};

// A period, both ends inclusive.
struct Zeitraum {
    QDate von, bis;
    bool enthaelt(const QDate& d) const { return d.isValid() && d >= von && d <= bis; }
};
// From the period dialog's "von Monat", "bis" and "Jahr": the first day of the first month to the last day
// of the last. Nothing for a month outside 1 to 12, a year outside 1 to 9999, a text that is no number or
// a last month before the first.
std::optional<Zeitraum> zeitraumAusMonaten(const QString& vonMonat, const QString& bisMonat, const QString& jahr);
// Month 1 to the current month of the current year, as the statistics start.
Zeitraum anfangsZeitraum(const QDate& heute);

// An amount as a script gives it: an optional sign, digits and at most one decimal point with up to four
// places ("-12.50"). Nothing for a comma, a blank inside or anything else.
std::optional<Money> betragMitPunkt(const QString& text);
// A date as YYYY-MM-DD; invalid for anything else.
QDate isoDatum(const QString& text);

// A refused operation (unknown account, a name used twice, a missing field); nothing was changed.
class BuchungsFehler : public store::DatabaseError {
public:
    using DatabaseError::DatabaseError;
};

struct KategorieZeile {
    int nummer = 0;
    QDate datum;
    QString konto; // account name
    Money betrag;
};
struct KategorieStatistik {
    QList<KategorieZeile> zeilen; // by date, then account name
    Money gesamt;
};

struct GuvZeile {
    QDate datum;
    QString kategorie;
    QString konto;
    Money betrag; // as stored (expenses negative)
};
struct Monatssumme {
    int jahr = 0, monat = 0;
    Money einnahmen, ausgaben; // ausgaben positive
};
struct GewinnUndVerlust {
    QList<GuvZeile> einnahmen, ausgaben; // by date
    Money einnahmenGesamt, ausgabenGesamt; // ausgabenGesamt positive, as the statement shows it
    Money saldo() const { return einnahmenGesamt - ausgabenGesamt; }
    QList<Monatssumme> monate; // every month of the period, in order
};

// Per VAT rate and direction: gross as booked, net = gross * 100 / (100 + rate) to the cent (ties to
// even), VAT = gross - net. An aid for the tax adviser, not a tax return.
struct MwstZeile {
    int prozent = 0;
    bool einnahmen = true; // false: expenses (input VAT), amounts positive
    Money brutto, netto, steuer;
};

class Buchhaltung {
public:
    // Creates konten, buchung, kontoart and mehrwert from the catalogue when missing, and recomputes a
    // balance that disagrees with its opening balance and bookings.
    explicit Buchhaltung(store::Database& db);

    store::Database& datenbank() const { return m_db; }

    // --- accounts and categories
    QList<Konto> konten() const;     // kinds 1 to 3, by kind, then name
    QList<Konto> kategorien() const; // kind 0, by name
    std::optional<Konto> konto(int nummer) const;
    // The first account or category of that name (case ignored), as the booking looks it up.
    std::optional<Konto> nachName(const QString& name) const;
    // Creates an account (kind > 0: Kontostand := opening balance) or a category. The name is required
    // and must not be used by another account or category. Returns its number.
    int anlegen(Konto k);
    // Stores the fields of an existing account or category; a changed opening balance moves the balance
    // by the difference. A renamed account or category renames the bookings that name it.
    void aendern(const Konto& k);
    // Deletes the account or category; its bookings stay (and count nowhere any more).
    void loeschen(int nummer);

    // --- VAT rates
    struct Satz {
        int nummer = 0;
        int prozent = 0;
    };
    QList<Satz> mwstSaetze() const;
    int mwstSatzAnlegen(int prozent);

    // --- bookings
    // The amount as stored for an amount typed in the window: negated for an expense category, as typed
    // for income, a transfer or a category that is neither.
    Money gespeicherterBetrag(const QString& kategorie, Money eingegeben) const;
    // Books on the account with the amount as stored (signed as it changes the account). When the
    // category names another account it is a transfer: a counter-booking of -betrag in that account,
    // whose category is this account's name, both balances moved. Returns the booking's number.
    // Refused (BuchungsFehler): unknown account, no date, no category, a transfer to the account itself.
    int buchen(int konto, const QDate& datum, const QString& kategorie, Money betrag,
               const QString& beschreibung = {});
    // Changes date, category, amount (as stored) and text of a booking, moving its account's balance by
    // the difference, in one transaction. A transfer's counter-booking follows (date, -betrag, text); a
    // booking that becomes a transfer gets one, and one that no longer is, or now names another account,
    // loses its old one, each balance moved with it. Refused as buchen() refuses.
    void buchungAendern(int nummer, const QDate& datum, const QString& kategorie, Money betrag,
                        const QString& beschreibung);
    // Deletes the booking and, for a transfer, its counter-booking, restoring both balances.
    void buchungLoeschen(int nummer);
    std::optional<Buchung> buchung(int nummer) const;
    // The bookings of one account in the booking list's order (date, then number); of all accounts
    // (konto 0) by account number first.
    QList<Buchung> buchungen(int konto = 0) const;
    // Opening balance plus the bookings (the balance as it must be).
    Money sollKontostand(int konto) const;
    // Opening balance plus the bookings dated on or before the day.
    Money kontostandAm(int konto, const QDate& tag) const;
    // Sets every account's balance to its opening balance plus its bookings; returns how many changed.
    int kontostaendeAbgleichen();

    // --- evaluations
    KategorieStatistik kategorieStatistik(const QString& kategorie, const Zeitraum& z) const;
    // konto 0: all accounts. Bookings of deleted accounts and transfers count nowhere.
    GewinnUndVerlust gewinnUndVerlust(const Zeitraum& z, int konto = 0) const;
    QList<MwstZeile> mwstUebersicht(const Zeitraum& z, int konto = 0) const;

private:
    store::Database& m_db;
};

// The bookings of the period (konto 0: all accounts) for the tax adviser: UTF-8 with a byte-order mark,
// CR LF, semicolons, the header "Buchungs Nr.;Datum;Konto;Kategorie;Betrag;MwSt %;Beschreibung", dates as
// dd.mm.yyyy, amounts with a decimal comma and two places; a cell with a semicolon, quote or line break
// is quoted. In the booking list's order.
QByteArray buchungenCsv(const Buchhaltung& b, const Zeitraum& z, int konto = 0);

} // namespace velmora::office
