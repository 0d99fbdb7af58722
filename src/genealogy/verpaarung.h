#pragma once
// The matings of one cat without a window: its kittens whose other parent is in the register, read in one
// statement and sorted by partner, birth date (newest first) and name; the tree of partners, litters and
// kittens built from those rows; and the breeding figures of the cat, of one partner and of one litter.
// Litters are not taken from the litter book: a litter is the kittens of one partner born on one day.

#include <QDate>
#include <QLocale>
#include <QString>
#include <QVector>
#include <array>
#include <optional>

namespace velmora::store {
class Database;
}

namespace velmora::genealogy {

// "1" male and "3" neutered male are toms, "2" and "4" queens; any other code says neither.
std::optional<bool> istKater(const QString& geschlecht);
// Kittens count as male for "1" and "3", as female for every other code (also an empty one).
inline bool maennlichGezaehlt(const QString& geschlecht) {
    return geschlecht == QLatin1String("1") || geschlecht == QLatin1String("3");
}

// Whether the cat's kittens are found through their Vater: by its sex, and for a cat whose sex is not
// recorded (or not one of the four codes) by whether any cat names it as its father. So the answer never
// depends on the cat looked at before.
bool alsVaterGefuehrt(store::Database& db, qint32 katze, const QString& geschlecht);

// One kitten with its partner: a row of the statement.
struct VerpaarungZeile {
    qint32 partner = 0;
    QString partnerName;
    QString partnerGeschlecht, partnerFellFarbe;
    qint32 partnerRasse = 0, partnerBesitzer = 0, partnerZuechter = 0, partnerStatus = 0;
    QDate partnerTod;
    std::array<QString, 6> partnerTitel; // TitelGer1, TitelGer2, TitelUSA1 .. TitelUSA4

    qint32 jungtier = 0;
    QString name;
    QDate gebDatum; // invalid when not recorded
    QString geschlecht, fellFarbe;
    qint32 rasse = 0, besitzer = 0, zuechter = 0, status = 0;
    QDate tod;
    std::array<QString, 6> titel;
};

// The statement for a tom (kittens by Vater, partner by Mutter) or a queen; the cat is its one parameter.
// The inner join leaves out kittens whose other parent is unknown or not in the register.
QString verpaarungAbfrage(bool kater);
QVector<VerpaarungZeile> verpaarungenLesen(store::Database& db, qint32 katze, bool kater);

// Rows [erste, erste + anzahl) of the read rows.
struct Wurf {
    int erste = 0;
    int anzahl = 0;
    QDate datum; // invalid: the kittens have no birth date
};
struct Verpaarungspartner {
    int erste = 0; // its first row
    int anzahl = 0;
    QVector<Wurf> wuerfe;
};

// Partners are told apart by their record number (two queens of one name are two partners); a partner's
// litters by the birth date, the kittens without a date forming one litter.
QVector<Verpaarungspartner> verpaarungsbaum(const QVector<VerpaarungZeile>& zeilen);

struct Zuchtzahlen {
    int wuerfe = 0;
    int jungtiere = 0;
    int maennlich = 0;
    int weiblich = 0;
    int groesster = 0; // litter sizes; 0 without litters
    int kleinster = 0;
    // Kittens per litter in the fixed format (7, 1); "0" without litters.
    QString durchschnitt(const QLocale& locale) const;
};
Zuchtzahlen zuchtzahlen(const QVector<VerpaarungZeile>& zeilen, const QVector<Wurf>& wuerfe);
Zuchtzahlen zuchtzahlen(const QVector<VerpaarungZeile>& zeilen, const QVector<Verpaarungspartner>& partner);

// What the kitten and partner pages show beside the row: breed name, owner and breeder ("Vorname Name",
// the name alone without a first name), remark, bought and sold dates. A lookup table missing from the
// data directory leaves its values empty.
struct Katzenangaben {
    bool gefunden = false;
    QString rasse, besitzer, zuechter, bemerkung;
    QDate gekauft, verkauft;
};
Katzenangaben katzenangaben(store::Database& db, qint32 katze);

// The line of one partner on the cat's page: two blanks, the number of litters, the singular or plural
// text ("  Wurf   mit  " / "  Würfe mit  "; English "  Litter with  " / "  Litters with  ") and the name.
QString partnerZeile(int wuerfe, const QString& name, int sprache);

} // namespace velmora::genealogy
