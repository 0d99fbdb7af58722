#include "store/paradox.h"

#include "store/codepage.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QSet>
#include <QStringDecoder>
#include <QTemporaryFile>

#include <cmath>
#include <cstring>

extern "C" {
#include <paradox.h>
}

namespace velmora::store {

namespace {

// Days from 1 January of year 1 (the day Paradox counts from) to the Julian day number pxlib uses.
constexpr qint64 kJulianVersatz = 1721425;

quint16 le16(const char* p) {
    return quint16(quint8(p[0]) | (quint8(p[1]) << 8));
}
quint32 le32(const char* p) {
    return quint32(quint8(p[0])) | (quint32(quint8(p[1])) << 8) | (quint32(quint8(p[2])) << 16) |
           (quint32(quint8(p[3])) << 24);
}

// The size each fixed-size type must have; 0 for the variable ones.
int festeLaenge(int typ) {
    switch (typ) {
    case pxfDate:
    case pxfLong:
    case pxfTime:
    case pxfAutoInc:
        return 4;
    case pxfShort:
        return 2;
    case pxfCurrency:
    case pxfNumber:
    case pxfTimestamp:
        return 8;
    case pxfLogical:
        return 1;
    case pxfBCD:
        return 17;
    default:
        return 0;
    }
}

bool istBlob(int typ) {
    return typ == pxfMemoBLOb || typ == pxfBLOb || typ == pxfFmtMemoBLOb || typ == pxfOLE ||
           typ == pxfGraphic;
}

bool bekannterTyp(int typ) {
    switch (typ) {
    case pxfAlpha:
    case pxfBytes:
        return true;
    default:
        return festeLaenge(typ) > 0 || istBlob(typ);
    }
}

void stilleFehler(pxdoc_t*, int, const char*, void*) {
    // pxlib reports through its return values as well; its messages would only go to stderr.
}

// A FILE* over bytes in memory for pxlib, which reads through stdio only.
std::FILE* speicherDatei(QByteArray& daten, std::unique_ptr<QTemporaryFile>& ersatz) {
#if defined(__unix__) || defined(__APPLE__)
    (void)ersatz;
    return fmemopen(daten.data(), size_t(daten.size()), "rb");
#else
    ersatz = std::make_unique<QTemporaryFile>();
    if (!ersatz->open() || ersatz->write(daten) != daten.size()) return nullptr;
    ersatz->close();
    return _wfopen(reinterpret_cast<const wchar_t*>(ersatz->fileName().utf16()), L"rb");
#endif
}

std::FILE* dateiOeffnen(const QString& pfad) {
#ifdef _WIN32
    return _wfopen(reinterpret_cast<const wchar_t*>(pfad.utf16()), L"rb");
#else
    return std::fopen(QFile::encodeName(pfad).constData(), "rb");
#endif
}

} // namespace

QString paradoxTypName(int typ) {
    switch (typ) {
    case pxfAlpha:
        return QStringLiteral("Alpha");
    case pxfDate:
        return QStringLiteral("Date");
    case pxfShort:
        return QStringLiteral("Short");
    case pxfLong:
        return QStringLiteral("Long");
    case pxfCurrency:
        return QStringLiteral("Money");
    case pxfNumber:
        return QStringLiteral("Number");
    case pxfLogical:
        return QStringLiteral("Logical");
    case pxfMemoBLOb:
        return QStringLiteral("Memo");
    case pxfBLOb:
        return QStringLiteral("Binary");
    case pxfFmtMemoBLOb:
        return QStringLiteral("FmtMemo");
    case pxfOLE:
        return QStringLiteral("OLE");
    case pxfGraphic:
        return QStringLiteral("Graphic");
    case pxfTime:
        return QStringLiteral("Time");
    case pxfTimestamp:
        return QStringLiteral("Timestamp");
    case pxfAutoInc:
        return QStringLiteral("AutoInc");
    case pxfBCD:
        return QStringLiteral("BCD");
    case pxfBytes:
        return QStringLiteral("Bytes");
    default:
        return QStringLiteral("Typ %1").arg(typ);
    }
}

struct ParadoxTabelle::Px {
    pxdoc_t* doc = nullptr;
    std::FILE* fp = nullptr;
    std::unique_ptr<QTemporaryFile> ersatz;
    ~Px() {
        if (doc) {
            PX_close(doc);
            PX_delete(doc);
        }
        if (fp) std::fclose(fp);
    }
};

ParadoxTabelle::ParadoxTabelle() = default;
ParadoxTabelle::~ParadoxTabelle() = default;

bool ParadoxTabelle::oeffnen(const QString& dbPfad, const QString& mbPfad) {
    auto db = std::make_unique<QFile>(dbPfad);
    if (!db->open(QIODevice::ReadOnly)) {
        m_fehler = QStringLiteral("kann nicht gelesen werden");
        return false;
    }
    std::unique_ptr<QFile> mb;
    if (!mbPfad.isEmpty()) {
        mb = std::make_unique<QFile>(mbPfad);
        if (!mb->open(QIODevice::ReadOnly)) mb.reset();
    }
    std::FILE* fp = dateiOeffnen(dbPfad);
    m_dbGeraet = std::move(db);
    m_mbGeraet = std::move(mb);
    return oeffnenIntern(m_dbGeraet.get(), m_mbGeraet.get(), fp);
}

bool ParadoxTabelle::oeffnenDaten(const QByteArray& db, const QByteArray& mb) {
    m_dbDaten = db;
    m_mbDaten = mb;
    auto dbPuffer = std::make_unique<QBuffer>(&m_dbDaten);
    dbPuffer->open(QIODevice::ReadOnly);
    std::unique_ptr<QBuffer> mbPuffer;
    if (!m_mbDaten.isEmpty()) {
        mbPuffer = std::make_unique<QBuffer>(&m_mbDaten);
        mbPuffer->open(QIODevice::ReadOnly);
    }
    m_px = std::make_unique<Px>();
    std::FILE* fp = m_dbDaten.isEmpty() ? nullptr : speicherDatei(m_dbDaten, m_px->ersatz);
    m_dbGeraet = std::move(dbPuffer);
    m_mbGeraet = std::move(mbPuffer);
    return oeffnenIntern(m_dbGeraet.get(), m_mbGeraet.get(), fp);
}

bool ParadoxTabelle::pruefeKopf(QIODevice* db) {
    m_dateigroesse = db->size();
    db->seek(0);
    const QByteArray kopf = db->read(0x800);
    auto falsch = [this](const QString& grund) {
        m_fehler = grund;
        return false;
    };
    if (kopf.size() < 0x58) return falsch(QStringLiteral("keine Paradox-Tabelle (Datei zu kurz)"));
    const char* k = kopf.constData();
    m_satzlaenge = le16(k + 0x00);
    const int kopflaenge = le16(k + 0x02);
    const int dateityp = quint8(k[0x04]);
    const int blockKb = quint8(k[0x05]);
    const int felder = le16(k + 0x21);
    const int version = quint8(k[0x39]);
    if (dateityp != pxfFileTypIndexDB && dateityp != pxfFileTypNonIndexDB)
        return falsch(QStringLiteral("keine Paradox-Tabelle (Dateityp %1)").arg(dateityp));
    if (blockKb < 1 || blockKb > 32) return falsch(QStringLiteral("keine Paradox-Tabelle (Blockgröße)"));
    if (felder < 1 || felder > 255)
        return falsch(QStringLiteral("keine Paradox-Tabelle (%1 Felder)").arg(felder));
    const int feldInfo = version >= 5 ? 0x78 : 0x58;
    if (kopflaenge < feldInfo + 2 * felder || kopflaenge > m_dateigroesse ||
        feldInfo + 2 * felder > kopf.size())
        return falsch(QStringLiteral("keine Paradox-Tabelle (Kopf beschädigt)"));
    // Version 4 and later keep the key in their data header; older files in the main header, where
    // FF00FF00 means none.
    const quint32 schluessel = version >= 5 ? le32(k + 0x5C) : le32(k + 0x25);
    if (schluessel != 0 && schluessel != 0xFF00FF00u) return falsch(QStringLiteral("verschlüsselte Tabelle"));
    int summe = 0;
    for (int i = 0; i < felder; ++i) {
        const int typ = quint8(k[feldInfo + 2 * i]);
        const int laenge = quint8(k[feldInfo + 2 * i + 1]);
        const int fest = festeLaenge(typ);
        if (!bekannterTyp(typ) || laenge == 0 || (fest && laenge != fest) || (istBlob(typ) && laenge < 10))
            return falsch(QStringLiteral("keine Paradox-Tabelle (Feld %1: Typ %2, %3 Bytes)")
                              .arg(i + 1)
                              .arg(typ)
                              .arg(laenge));
        summe += laenge;
    }
    // pxlib frees its block list twice when the chain it walks at opening fails, so the block numbers
    // must fit together before it sees them.
    const int bloecke = le16(k + 0x0C);
    const int erster = le16(k + 0x0E);
    const int letzter = le16(k + 0x10);
    if (erster > bloecke || letzter > bloecke || (bloecke == 0) != (erster == 0) ||
        (le32(k + 0x06) > 0 && bloecke == 0))
        return falsch(QStringLiteral("keine Paradox-Tabelle (Blockliste beschädigt)"));
    if (summe != m_satzlaenge || m_satzlaenge == 0)
        return falsch(
            QStringLiteral("keine Paradox-Tabelle (Satzlänge %1, Felder %2)").arg(m_satzlaenge).arg(summe));
    m_codepage = version >= 5 ? le16(k + 0x6A) : 0;
    m_blockgroesse = blockKb * 0x400;
    // pxlib follows the chain of data blocks at opening and trusts it: a chain that comes back on itself
    // or points outside the file kept it busy for minutes. Each block of the chain must lie within the
    // table, be met once, and hold no more than fits into it.
    QSet<int> gesehen;
    for (int n = erster; n != 0;) {
        if (n < 1 || n > bloecke || gesehen.contains(n))
            return falsch(QStringLiteral("keine Paradox-Tabelle (Blockkette beschädigt)"));
        gesehen.insert(n);
        // A file cut short keeps what lies before the cut: reading names where it ends.
        const qint64 anfang = qint64(kopflaenge) + qint64(n - 1) * m_blockgroesse;
        if (anfang + 6 > m_dateigroesse || !db->seek(anfang)) break;
        const QByteArray b = db->read(6);
        if (b.size() < 6) break;
        const int zusatz = qint16(le16(b.constData() + 4));
        if (zusatz + m_satzlaenge > m_blockgroesse - 6)
            return falsch(QStringLiteral("keine Paradox-Tabelle (Block %1 überfüllt)").arg(n));
        n = le16(b.constData());
    }
    db->seek(0);
    return true;
}

bool ParadoxTabelle::oeffnenIntern(QIODevice* db, QIODevice* /*mb*/, std::FILE* fp) {
    if (!m_px) m_px = std::make_unique<Px>();
    m_px->fp = fp;
    if (!pruefeKopf(db)) return false;
    if (!fp) {
        m_fehler = QStringLiteral("kann nicht gelesen werden");
        return false;
    }
    m_px->doc = PX_new3(stilleFehler, nullptr, nullptr, nullptr, nullptr);
    if (!m_px->doc || PX_open_fp(m_px->doc, fp) < 0) {
        // A failed opening has freed the block list already but left the pointer to it.
        if (m_px->doc) {
            m_px->doc->px_indexdata = nullptr;
            m_px->doc->px_indexdatalen = 0;
        }
        m_fehler = QStringLiteral("keine lesbare Paradox-Tabelle");
        return false;
    }
    pxhead_t* h = m_px->doc->px_head;
    if (h->px_recordsize != m_satzlaenge || h->px_numfields < 1) {
        m_fehler = QStringLiteral("keine lesbare Paradox-Tabelle");
        return false;
    }
    m_felder.clear();
    for (int i = 0; i < h->px_numfields; ++i) {
        const pxfield_t* f = PX_get_field(m_px->doc, i);
        ParadoxFeld pf;
        pf.typ = quint8(f->px_ftype);
        pf.laenge = f->px_flen;
        m_felder << pf;
    }
    // Field names in the header's code page.
    if (m_codepage == 0) m_codepage = h->px_doscodepage > 0 ? h->px_doscodepage : 1252;
    if (m_codepage != 1252) {
        const QByteArray name = m_codepage >= 1250 && m_codepage <= 1258
                                    ? QByteArray("windows-") + QByteArray::number(m_codepage)
                                    : QByteArray("IBM") + QByteArray::number(m_codepage);
        QStringDecoder probe(name.constData());
        m_codepageBekannt = probe.isValid();
    }
    for (int i = 0; i < m_felder.size(); ++i) {
        const pxfield_t* f = PX_get_field(m_px->doc, i);
        m_felder[i].name = f->px_fname ? text(f->px_fname, int(std::strlen(f->px_fname))) : QString();
    }
    m_anzahlKopf = h->px_numrecords < 0 ? 0 : h->px_numrecords;
    m_autoInc = h->px_autoinc;
    m_satz.resize(m_satzlaenge);
    m_naechster = 0;
    return true;
}

QString ParadoxTabelle::text(const char* p, int n) const {
    int laenge = 0;
    while (laenge < n && p[laenge] != '\0')
        ++laenge;
    const QByteArray roh(p, laenge);
    if (m_codepage == 1252 || !m_codepageBekannt) return fromCp1252(roh);
    const QByteArray name = m_codepage >= 1250 && m_codepage <= 1258
                                ? QByteArray("windows-") + QByteArray::number(m_codepage)
                                : QByteArray("IBM") + QByteArray::number(m_codepage);
    QStringDecoder dec(name.constData());
    return dec.decode(roh);
}

QByteArray ParadoxTabelle::mbLesen(qint64 pos, qint64 n) const {
    if (!m_mbGeraet || pos < 0 || n < 0 || pos + n > m_mbGeraet->size()) return {};
    if (!m_mbGeraet->seek(pos)) return {};
    QByteArray b = m_mbGeraet->read(n);
    return b.size() == n ? b : QByteArray();
}

ParadoxWert ParadoxTabelle::blob(const ParadoxFeld& f, const char* p) {
    ParadoxWert w;
    const int leader = f.laenge - 10;
    const quint32 zeiger = le32(p + leader);
    const qint64 groesse = le32(p + leader + 4);
    if (groesse == 0) return w;
    const bool grafik = f.typ == pxfGraphic;
    QByteArray daten;
    if (groesse <= leader && (zeiger & 0xFFFFFF00u) == 0) {
        daten = QByteArray(p, int(groesse));
    } else {
        const qint64 block = zeiger & 0xFFFFFF00u;
        const int index = int(zeiger & 0xFF);
        const QByteArray kopf = mbLesen(block, 3);
        auto kaputt = [&](const QString& grund) {
            w.fehler = QStringLiteral("%1: %2").arg(f.name, grund);
            return w;
        };
        if (!m_mbGeraet) return kaputt(QStringLiteral("die .MB-Datei fehlt"));
        if (block == 0 || kopf.isEmpty()) return kaputt(QStringLiteral("Verweis außerhalb der .MB-Datei"));
        const int art = quint8(kopf[0]);
        if (art == 2) {
            // One blob in whole 4 KB blocks: 9 bytes of header, then the data.
            if (index != 0xFF) return kaputt(QStringLiteral("Verweis in der .MB-Datei beschädigt"));
            const QByteArray k = mbLesen(block, 9);
            if (k.isEmpty() || le32(k.constData() + 3) != groesse)
                return kaputt(QStringLiteral("Länge in der .MB-Datei stimmt nicht"));
            daten = mbLesen(block + 9, groesse);
        } else if (art == 3) {
            // Small blobs share a block: a table of 64 five-byte entries after 12 bytes of header.
            if (index > 63) return kaputt(QStringLiteral("Verweis in der .MB-Datei beschädigt"));
            const QByteArray e = mbLesen(block + 12 + index * 5, 5);
            if (e.isEmpty()) return kaputt(QStringLiteral("Verweis außerhalb der .MB-Datei"));
            const int start = quint8(e[0]);
            const int bloecke = quint8(e[1]);
            const int rest = quint8(e[4]);
            if (start == 0 || bloecke == 0 || (qint64(bloecke) - 1) * 16 + rest != groesse)
                return kaputt(QStringLiteral("Länge in der .MB-Datei stimmt nicht"));
            if (start * 16 + groesse > 4096)
                return kaputt(QStringLiteral("Verweis in der .MB-Datei beschädigt"));
            daten = mbLesen(block + start * 16, groesse);
        } else {
            return kaputt(QStringLiteral("Verweis auf einen leeren Block der .MB-Datei"));
        }
        if (daten.isEmpty()) return kaputt(QStringLiteral("Daten außerhalb der .MB-Datei"));
    }
    // A picture's stored length counts 8 bytes of picture header before the image itself.
    if (grafik) {
        if (daten.size() < 8) {
            w.fehler = QStringLiteral("%1: Bild beschädigt").arg(f.name);
            return w;
        }
        daten.remove(0, 8);
    }
    if (f.typ == pxfMemoBLOb || f.typ == pxfFmtMemoBLOb)
        w.wert = text(daten.constData(), int(daten.size()));
    else
        w.wert = daten;
    return w;
}

ParadoxWert ParadoxTabelle::wert(const ParadoxFeld& f, char* p) {
    ParadoxWert w;
    pxdoc_t* doc = m_px->doc;
    // An empty field is all zero bytes. Debian's pxlib reads a zero Long as -2147483648, so the test is
    // made here for every fixed-size type.
    if (festeLaenge(f.typ) > 0) {
        bool null = true;
        for (int i = 0; i < f.laenge && null; ++i)
            null = p[i] == 0;
        if (null) return w;
    }
    switch (f.typ) {
    case pxfAlpha: {
        const QString t = text(p, f.laenge);
        if (!t.isEmpty()) w.wert = t;
        return w;
    }
    case pxfDate: {
        long tage = 0;
        if (PX_get_data_long(doc, p, 4, &tage) <= 0) return w;
        // Year 1 to 9999, as a calendar can hold it.
        if (tage < 1 || tage > 3652059) {
            w.fehler = QStringLiteral("%1: kein Datum (Tag %2)").arg(f.name).arg(tage);
            return w;
        }
        int j = 0, m = 0, t = 0;
        PX_SdnToGregorian(tage + kJulianVersatz, &j, &m, &t);
        const QDate d(j, m, t);
        if (!d.isValid())
            w.fehler = QStringLiteral("%1: kein Datum (Tag %2)").arg(f.name).arg(tage);
        else
            w.wert = d;
        return w;
    }
    case pxfShort: {
        short s = 0;
        if (PX_get_data_short(doc, p, 2, &s) > 0) w.wert = qint64(s);
        return w;
    }
    case pxfLong:
    case pxfAutoInc: {
        long l = 0;
        if (PX_get_data_long(doc, p, 4, &l) > 0) w.wert = qint64(qint32(l));
        return w;
    }
    case pxfCurrency:
    case pxfNumber: {
        double d = 0;
        if (PX_get_data_double(doc, p, 8, &d) > 0) {
            if (std::isfinite(d))
                w.wert = d;
            else
                w.fehler = QStringLiteral("%1: keine Zahl").arg(f.name);
        }
        return w;
    }
    case pxfLogical: {
        char b = 0;
        if (PX_get_data_byte(doc, p, 1, &b) > 0) w.wert = b != 0;
        return w;
    }
    case pxfTime: {
        long ms = 0;
        if (PX_get_data_long(doc, p, 4, &ms) <= 0) return w;
        if (ms < 0 || ms >= 86400000)
            w.fehler = QStringLiteral("%1: keine Uhrzeit").arg(f.name);
        else
            w.wert = QTime::fromMSecsSinceStartOfDay(int(ms));
        return w;
    }
    case pxfTimestamp: {
        double ms = 0;
        if (PX_get_data_double(doc, p, 8, &ms) <= 0) return w;
        const double tage = std::floor(ms / 86400000.0);
        if (!std::isfinite(ms) || tage < 1 || tage > 3652059) {
            w.fehler = QStringLiteral("%1: kein Zeitpunkt").arg(f.name);
            return w;
        }
        int j = 0, m = 0, t = 0;
        PX_SdnToGregorian(qint64(tage) + kJulianVersatz, &j, &m, &t);
        const qint64 rest = qint64(std::llround(ms - tage * 86400000.0));
        const QDate d(j, m, t);
        if (!d.isValid() || rest < 0 || rest >= 86400000) {
            w.fehler = QStringLiteral("%1: kein Zeitpunkt").arg(f.name);
            return w;
        }
        w.wert = QDateTime(d, QTime::fromMSecsSinceStartOfDay(int(rest)));
        return w;
    }
    case pxfBCD: {
        char* s = nullptr;
        if (PX_get_data_bcd(doc, reinterpret_cast<unsigned char*>(p), f.laenge, &s) > 0 && s) {
            w.wert = QString::fromLatin1(s);
            doc->free(doc, s);
        }
        return w;
    }
    case pxfBytes: {
        int n = f.laenge;
        while (n > 0 && p[n - 1] == '\0')
            --n;
        if (n > 0) w.wert = QByteArray(p, n);
        return w;
    }
    default:
        if (istBlob(f.typ)) return blob(f, p);
        return w;
    }
}

bool ParadoxTabelle::naechster(QList<ParadoxWert>& werte) {
    werte.clear();
    if (!m_px || !m_px->doc || !m_beschaedigt.isEmpty()) return false;
    while (m_naechster < m_anzahlKopf) {
        const int nr = m_naechster++;
        int geloescht = 0;
        pxdatablockinfo_t info{};
        if (!PX_get_record2(m_px->doc, nr, m_satz.data(), &geloescht, &info) || info.recordpos < 0 ||
            info.recordpos + m_satzlaenge > m_dateigroesse ||
            info.recordpos + m_satzlaenge > info.blockpos + m_blockgroesse) {
            m_beschaedigt =
                QStringLiteral("ab Satz %1 von %2 nicht lesbar (Datei beschädigt oder unvollständig)")
                    .arg(nr + 1)
                    .arg(m_anzahlKopf);
            return false;
        }
        if (geloescht) continue;
        char* p = m_satz.data();
        for (const ParadoxFeld& f : m_felder) {
            werte << wert(f, p);
            p += f.laenge;
        }
        return true;
    }
    return false;
}

} // namespace velmora::store
