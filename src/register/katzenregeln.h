#pragma once
// Rules of the cat record that need no window: the cattery taken from a typed name, the address
// blocks of the breeder and owner boxes, the age fields, and the marker colour of a cat.

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace velmora::reg {

// The cattery found in a typed name, or nothing when no pattern occurs (a name without blank or mark).
// The patterns are tried in their fixed order and the first that occurs anywhere wins. With
// zusatzBeiZwinger the particle ("vom", "of", ...) stays in front of the cattery.
std::optional<QString> zwingerAbtrennen(const QString& name, bool zusatzBeiZwinger);
// The patterns in the order they are tried (for tests and documentation).
const QStringList& zwingerMuster();

struct Adresse {
    QString name, vorname, strasse, land, plz, ort, telefon;
    QString anzeige; // a display name given by the address search; replaces "Name, Vorname" when set
};
// One item per line, empty items left out.
QStringList adressBlock(const Adresse& a);

struct AltersFelder {
    QString alter;         // age at death
    QString alterAkt;      // current age of a living cat
    bool tot = false;      // death cross and the age-at-death label shown
    bool zeigeTodDatum = false; // the age display shows the death date instead of AlterAkt
};
// jahreWort: caption 1485 ("Jahre"); alterText: the age text between two dates (age style 0).
AltersFelder altersFelder(const QDate& gebDatum, const QDate& todDatum, const QString& status,
                          const QDate& heute, const QString& jahreWort,
                          const std::function<QString(const QDate&, const QDate&)>& alterText);

struct Markierung {
    int farbe = 0;   // 0x00BBGGRR; 0 = the normal background
    QString text;    // feature abbreviations joined by " / "
};
struct MerkmalZeile {
    int farbe = 0;
    QString kuerzel;
};
// merkmale: the cat's feature rows in stored order; topFarbe: its top-cat row's colour, if any.
Markierung markierung(const QList<MerkmalZeile>& merkmale, std::optional<int> topFarbe, bool merkmalVorTop);

// "Name -- abbreviations" as a parent field shows it.
QString elternText(const QString& name, const Markierung& m);

} // namespace velmora::reg
