#pragma once
// Reading one Paradox table file (.DB, with its .MB memo and picture file) through pxlib. The only place
// that knows pxlib. Every value comes out as a Qt value; nothing here writes to the files.
//
// pxlib trusts the header of a file: a damaged header makes it read far outside the file. So the header
// is checked here first (sizes, field list, blocks within the file), and the .MB file is read here as
// well, with every offset checked against the file (the Debian build of pxlib also overruns its stack
// when it opens any .MB file).

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>
#include <cstdio>
#include <memory>

class QIODevice;

namespace velmora::store {

// Paradox field types as the header stores them.
enum class ParadoxTyp : int {
    Alpha = 0x01,
    Datum = 0x02,
    Short = 0x03,
    Long = 0x04,
    Waehrung = 0x05,
    Zahl = 0x06,
    Logisch = 0x09,
    Memo = 0x0C,
    Blob = 0x0D,
    FormatMemo = 0x0E,
    Ole = 0x0F,
    Grafik = 0x10,
    Zeit = 0x14,
    Zeitstempel = 0x15,
    AutoInc = 0x16,
    Bcd = 0x17,
    Bytes = 0x18
};
QString paradoxTypName(int typ);

struct ParadoxFeld {
    QString name;
    int typ = 0;
    int laenge = 0; // bytes in the record
};

// One value of a record. Texts are QString, dates QDate, times QTime, time stamps QDateTime, logical
// values bool, integers qint64, numbers double, money double (Waehrung) or a decimal text (Bcd),
// memos QString, pictures and other blobs QByteArray. fehler names a value that is there but cannot be
// read (a blob outside the .MB file, a date no calendar has); the value is then empty.
struct ParadoxWert {
    QVariant wert;
    QString fehler;
};

class ParadoxTabelle {
public:
    ParadoxTabelle();
    ~ParadoxTabelle();
    ParadoxTabelle(const ParadoxTabelle&) = delete;
    ParadoxTabelle& operator=(const ParadoxTabelle&) = delete;

    // Opens the table; mbPfad may be empty when the table has no .MB file. False with fehler() when the
    // file is not a readable Paradox table.
    bool oeffnen(const QString& dbPfad, const QString& mbPfad = {});
    // The same over bytes in memory (the fuzz target reads a single table file this way).
    bool oeffnenDaten(const QByteArray& db, const QByteArray& mb = {});
    const QString& fehler() const { return m_fehler; }

    const QList<ParadoxFeld>& felder() const { return m_felder; }
    int codepage() const { return m_codepage; }
    bool codepageBekannt() const { return m_codepageBekannt; }
    int autoInc() const { return m_autoInc; }
    int anzahlKopf() const { return m_anzahlKopf; } // records the header counts

    // The next record in file order. False at the end. When part of the file is missing or damaged
    // the walk ends there and beschaedigt() says what is lost.
    bool naechster(QList<ParadoxWert>& werte);
    const QString& beschaedigt() const { return m_beschaedigt; }

private:
    bool oeffnenIntern(QIODevice* db, QIODevice* mb, std::FILE* fp);
    bool pruefeKopf(QIODevice* db);
    QString text(const char* p, int n) const;
    ParadoxWert wert(const ParadoxFeld& f, char* p);
    ParadoxWert blob(const ParadoxFeld& f, const char* p);
    QByteArray mbLesen(qint64 pos, qint64 n) const; // empty when outside the file

    struct Px;
    std::unique_ptr<Px> m_px;
    std::unique_ptr<QIODevice> m_dbGeraet;
    std::unique_ptr<QIODevice> m_mbGeraet;
    QByteArray m_dbDaten, m_mbDaten; // the bytes of oeffnenDaten
    QString m_fehler;
    QString m_beschaedigt;
    QList<ParadoxFeld> m_felder;
    int m_codepage = 1252;
    bool m_codepageBekannt = true;
    int m_autoInc = 0;
    int m_anzahlKopf = 0;
    int m_satzlaenge = 0;
    qint64 m_dateigroesse = 0;
    int m_blockgroesse = 0;
    int m_naechster = 0; // record number of the next record
    QByteArray m_satz;
};

} // namespace velmora::store
