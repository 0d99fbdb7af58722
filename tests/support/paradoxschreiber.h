#pragma once
// Paradox table files for the tests, written with pxlib's own writer: the import is tested against
// files this suite builds, never against files of another program.

#include <QList>
#include <QString>
#include <QVariant>
#include <functional>

namespace velmora::test {

struct PxFeld {
    QString name;
    int typ = 0;    // pxlib's field type (pxfAlpha, pxfDate, ...)
    int laenge = 0; // bytes; 0 takes the type's own size
};

// Values by field type: QString for texts and memos (written in code page 1252), integers, double for
// numbers and money, QDate, bool, QByteArray for binary blobs; an invalid QVariant is an empty field.
// Blobs go to the .MB file beside the table (same base name). Returns false when pxlib refuses.
bool schreibeParadox(const QString& dbPfad, const QList<PxFeld>& felder, const QList<QVariantList>& zeilen);
// The same for `anzahl` rows made one at a time (large tables for the benchmarks).
bool schreibeParadox(const QString& dbPfad, const QList<PxFeld>& felder, int anzahl,
                     const std::function<QVariantList(int i)>& zeile);

} // namespace velmora::test
