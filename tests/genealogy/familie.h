#pragma once
// A hand-built breeding family for the matings and descendants: one tom with three queens (two of them
// named alike), litters told apart by birth date, kittens of every sex code and a few without one, a
// kitten whose mother is unknown and one whose mother is not in the register, a second generation with
// half-siblings, and two toms that by faulty data are each other's father.

#include "store/database.h"
#include "store/table.h"

#include <QDate>
#include <QString>
#include <QVector>

namespace velmora::test {

struct FamilienKatze {
    qint32 nr;
    const char* name;
    const char* geschlecht;
    qint32 vater, mutter;
    const char* geboren; // "" = not recorded
    const char* tod = "";
};

namespace familie {
enum : qint32 {
    Zorro = 1,
    Amira = 2,
    Bella3 = 3,
    Bella4 = 4,
    Max = 5,
    Cleo = 10,
    Arno = 11,
    Bimbo = 12,
    Dino = 13,
    Eva = 14,
    Fiona = 15,
    Gina = 16,
    Hugo = 17,
    Ida = 18,
    Jack = 19,
    Kuno = 20,
    Lara = 21,
    Moritz = 22,
    Nino = 23,
    SchleifeA = 30,
    SchleifeB = 31,
    Einsam = 40
};
} // namespace familie

inline const QVector<FamilienKatze>& familienKatzen() {
    using namespace familie;
    static const QVector<FamilienKatze> k = {
        {Zorro, "Zorro", "1", 0, 0, "2015-03-01"},
        {Amira, "Amira", "2", 0, 0, "2016-04-01"},
        {Bella3, "Bella", "4", 0, 0, "2016-05-01"},
        {Bella4, "Bella", "2", 0, 0, "2017-05-01"},
        {Max, "Max", "1", 0, 0, "2015-01-01"},
        // Zorro x Amira: three born on one day, two on another
        {Cleo, "Cleo", "2", Zorro, Amira, "2020-05-01"},
        {Arno, "Arno", "1", Zorro, Amira, "2020-05-01"},
        {Bimbo, "Bimbo", "3", Zorro, Amira, "2020-05-01"},
        {Dino, "Dino", "1", Zorro, Amira, "2021-06-01", "2022-01-01"},
        {Eva, "Eva", "", Zorro, Amira, "2021-06-01"},
        // Zorro x the first Bella: one kitten; x the second Bella: two without a birth date
        {Fiona, "Fiona", "4", Zorro, Bella3, "2019-01-01"},
        {Gina, "Gina", "5", Zorro, Bella4, ""},
        {Hugo, "Hugo", "2", Zorro, Bella4, ""},
        // Zorro's kittens whose mother is unknown or not in the register
        {Ida, "Ida", "2", Zorro, 0, "2018-01-01"},
        {Jack, "Jack", "1", Zorro, 999, ""},
        {Kuno, "Kuno", "1", Max, Amira, "2022-03-03"},
        // the second generation
        {Lara, "Lara", "2", Arno, Fiona, "2023-01-01"},
        {Moritz, "Moritz", "1", Arno, Cleo, "2023-02-02"},
        // Gina's sex code is none of the four: she is a father here
        {Nino, "Nino", "1", Gina, Amira, "2023-03-03"},
        {SchleifeA, "Schleife A", "1", SchleifeB, 0, "2010-01-01"},
        {SchleifeB, "Schleife B", "1", SchleifeA, 0, "2011-01-01"},
        {Einsam, "Einsam", "1", 0, 0, "2012-01-01"},
    };
    return k;
}

inline void familieSchreiben(store::Database& db) {
    store::Table t(db, QStringLiteral("catstamm"));
    t.open();
    for (const FamilienKatze& k : familienKatzen()) {
        t.append();
        t.setValue(QStringLiteral("LaufendeNummer"), k.nr);
        t.setValue(QStringLiteral("Name"), QString::fromUtf8(k.name));
        // a required field: a cat without a sex code comes from an import, set below
        t.setValue(QStringLiteral("Geschlecht"),
                   *k.geschlecht ? QString::fromUtf8(k.geschlecht) : QStringLiteral("0"));
        if (k.vater) t.setValue(QStringLiteral("Vater"), k.vater);
        if (k.mutter) t.setValue(QStringLiteral("Mutter"), k.mutter);
        if (*k.geboren)
            t.setValue(QStringLiteral("GebDatum"), QDate::fromString(QLatin1String(k.geboren), Qt::ISODate));
        if (*k.tod)
            t.setValue(QStringLiteral("Toddatum"), QDate::fromString(QLatin1String(k.tod), Qt::ISODate));
        t.post();
    }
    t.close();
    for (const FamilienKatze& k : familienKatzen())
        if (!*k.geschlecht)
            db.execute(QStringLiteral("UPDATE catstamm SET Geschlecht = NULL WHERE LaufendeNummer = ?"),
                       {k.nr});
}

} // namespace velmora::test
