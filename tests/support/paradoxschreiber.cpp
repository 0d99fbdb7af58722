#include "support/paradoxschreiber.h"

#include "store/codepage.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>

#include <cstdlib>
#include <cstring>

extern "C" {
#include <paradox.h>
}

namespace velmora::test {

namespace {
int eigeneLaenge(int typ) {
    switch (typ) {
    case pxfShort:
        return 2;
    case pxfLogical:
        return 1;
    case pxfCurrency:
    case pxfNumber:
    case pxfTimestamp:
        return 8;
    case pxfBCD:
        return 17;
    default:
        return 4;
    }
}
bool istBlob(int typ) {
    return typ == pxfMemoBLOb || typ == pxfBLOb || typ == pxfFmtMemoBLOb || typ == pxfGraphic ||
           typ == pxfOLE;
}
void still(pxdoc_t*, int, const char*, void*) {}
} // namespace

bool schreibeParadox(const QString& dbPfad, const QList<PxFeld>& felder, const QList<QVariantList>& zeilen) {
    return schreibeParadox(dbPfad, felder, int(zeilen.size()), [&zeilen](int i) { return zeilen[i]; });
}

bool schreibeParadox(const QString& dbPfad, const QList<PxFeld>& felder, int anzahl,
                     const std::function<QVariantList(int i)>& erzeuge) {
    pxdoc_t* doc = PX_new3(still, nullptr, nullptr, nullptr, nullptr);
    const int n = int(felder.size());
    // pxlib takes the field array and names over and frees them with its own free().
    auto* f = static_cast<pxfield_t*>(std::malloc(sizeof(pxfield_t) * size_t(n)));
    bool blobs = false;
    for (int i = 0; i < n; ++i) {
        const QByteArray name = store::toCp1252(felder[i].name);
        f[i].px_fname = static_cast<char*>(std::malloc(size_t(name.size()) + 1));
        std::memcpy(f[i].px_fname, name.constData(), size_t(name.size()) + 1);
        f[i].px_ftype = char(felder[i].typ);
        f[i].px_flen = felder[i].laenge ? felder[i].laenge : eigeneLaenge(felder[i].typ);
        f[i].px_fdc = 0;
        blobs = blobs || istBlob(felder[i].typ);
    }
    const QByteArray pfad = QFile::encodeName(dbPfad);
    if (PX_create_file(doc, f, n, pfad.constData(), pxfFileTypNonIndexDB) < 0) {
        PX_delete(doc);
        return false;
    }
    if (blobs) {
        const QFileInfo fi(dbPfad);
        const QByteArray mb =
            QFile::encodeName(fi.path() + QLatin1Char('/') + fi.completeBaseName() + QStringLiteral(".mb"));
        PX_create_blob_file(PX_new_blob(doc), mb.constData());
    }
    int satzlaenge = 0;
    for (int i = 0; i < n; ++i)
        satzlaenge += f[i].px_flen;
    bool ok = true;
    // Records are put together field by field with pxlib's encoders (its PX_insert_record leaves binary
    // and picture blobs out).
    for (int z = 0; z < anzahl; ++z) {
        const QVariantList zeile = erzeuge(z);
        QByteArray satz(satzlaenge, '\0');
        char* p = satz.data();
        for (int i = 0; i < n; ++i) {
            const int typ = felder[i].typ;
            const int len = f[i].px_flen;
            const QVariant v = i < zeile.size() ? zeile[i] : QVariant();
            if (v.isValid()) {
                switch (typ) {
                case pxfDate: {
                    const QDate d = v.toDate();
                    PX_put_data_long(doc, p, 4,
                                     int(PX_GregorianToSdn(d.year(), d.month(), d.day()) - 1721425));
                    break;
                }
                case pxfLong:
                case pxfAutoInc:
                case pxfTime:
                    PX_put_data_long(doc, p, 4, v.toInt());
                    break;
                case pxfShort:
                    PX_put_data_short(doc, p, 2, short(v.toInt()));
                    break;
                case pxfCurrency:
                case pxfNumber:
                    PX_put_data_double(doc, p, 8, v.toDouble());
                    break;
                case pxfLogical:
                    PX_put_data_byte(doc, p, 1, v.toBool() ? 1 : 0);
                    break;
                case pxfAlpha: {
                    QByteArray t = store::toCp1252(v.toString());
                    PX_put_data_alpha(doc, p, len, t.data());
                    break;
                }
                default:
                    if (istBlob(typ)) {
                        QByteArray b = v.typeId() == QMetaType::QByteArray ? v.toByteArray()
                                                                           : store::toCp1252(v.toString());
                        // A picture's stored length counts its 8 header bytes; pxlib's writer leaves them to
                        // us.
                        if (typ == pxfGraphic) b.prepend(QByteArray(8, '\0'));
                        if (PX_put_data_blob(doc, p, len, b.data(), int(b.size())) < 0) ok = false;
                    }
                }
            }
            p += len;
        }
        if (PX_put_record(doc, satz.data()) < 0) ok = false;
    }
    PX_close(doc);
    PX_delete(doc);
    return ok;
}

} // namespace velmora::test
