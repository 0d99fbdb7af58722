#include "register/kalendertermine.h"

#include "store/errors.h"
#include "store/table.h"

#include <QSaveFile>
#include <QStringList>

namespace velmora::reg {

namespace {

QString verbinden(const QStringList& teile, const QString& zwischen) {
    QStringList da;
    for (const QString& t : teile)
        if (!t.trimmed().isEmpty()) da << t.trimmed();
    return da.join(zwischen);
}

// A due date of one cat: vaccinations and wormings differ only in table, index and field names.
struct Terminart {
    const char* tabelle;
    const char* index;
    const char* datum;
    const char* was; // what was given last time
    const char* deutsch;
    const char* englisch;
};

void termineLesen(store::Database& db, const Terminart& art, const QDate& von, const QDate& bis, bool englisch,
                  store::Table* katzen, QList<common::KalenderEreignis>& aus) {
    store::Table t(db, QLatin1String(art.tabelle));
    t.open(store::Table::OpenMode::ReadOnly);
    t.setIndexName(QLatin1String(art.index));
    t.setRange({von}, {bis});
    for (t.first(); !t.eof() && t.hasRecord(); t.next()) {
        const int katze = t.asInt(QStringLiteral("Katze"));
        QString name;
        if (katzen && katzen->findKey({katze})) name = katzen->asString(QStringLiteral("Name"));
        if (name.isEmpty()) name = (englisch ? QStringLiteral("cat ") : QStringLiteral("Katze ")) + QString::number(katze);
        common::KalenderEreignis e;
        e.uid = QStringLiteral("%1-%2@velmora").arg(QLatin1String(art.tabelle)).arg(t.asInt(QStringLiteral("LaufendeNr")));
        e.beginn = t.asDate(QLatin1String(art.datum));
        e.titel = QLatin1String(englisch ? art.englisch : art.deutsch) + QStringLiteral(": ") + name;
        const QString was = t.asString(QLatin1String(art.was)).trimmed();
        const QDate zuletzt = t.asDate(QStringLiteral("Datum"));
        QStringList beschreibung;
        if (!was.isEmpty()) beschreibung << was;
        if (zuletzt.isValid())
            beschreibung << (englisch ? QStringLiteral("last on ") : QStringLiteral("zuletzt am ")) +
                                zuletzt.toString(QStringLiteral("dd.MM.yyyy"));
        e.beschreibung = beschreibung.join(QStringLiteral(", "));
        aus << e;
    }
}

} // namespace

QList<common::KalenderEreignis> kalenderTermine(store::Database& db, const QDate& von, const QDate& bis,
                                                const Kalenderinhalt& inhalt, bool englisch) {
    QList<common::KalenderEreignis> aus;
    if (!von.isValid() || !bis.isValid() || bis < von) return aus;
    if (inhalt.ausstellungen) {
        store::Table t(db, QStringLiteral("ausstelt"));
        t.open(store::Table::OpenMode::ReadOnly);
        t.setIndexName(QStringLiteral("DatumIdx"));
        t.setRange({von}, {bis});
        for (t.first(); !t.eof() && t.hasRecord(); t.next()) {
            common::KalenderEreignis e;
            e.uid = QStringLiteral("ausstelt-%1@velmora").arg(t.asInt(QStringLiteral("LaufendeNummer")));
            e.beginn = t.asDate(QStringLiteral("Datum"));
            e.ende = t.asDate(QStringLiteral("Datum2"));
            const QString verein = t.asString(QStringLiteral("Verein")).trimmed();
            const QString art = englisch ? QStringLiteral("Cat show") : QStringLiteral("Ausstellung");
            e.titel = verein.isEmpty() ? art : art + QLatin1Char(' ') + verein;
            e.ort = verbinden({t.asString(QStringLiteral("Strasse")),
                               verbinden({t.asString(QStringLiteral("Plz")), t.asString(QStringLiteral("Ort"))},
                                         QStringLiteral(" ")),
                               t.asString(QStringLiteral("Land"))},
                              QStringLiteral(", "));
            e.beschreibung = t.asString(QStringLiteral("Info"));
            aus << e;
        }
    }
    if (!inhalt.impfungen && !inhalt.wurmkuren) return aus;
    std::unique_ptr<store::Table> katzen;
    if (db.tableExists(QStringLiteral("catstamm"))) {
        katzen = std::make_unique<store::Table>(db, QStringLiteral("catstamm"));
        katzen->open(store::Table::OpenMode::ReadOnly);
    }
    static const Terminart impfung{"impfung", "NeuAmKatzeIdx", "NeuAm", "Impfung", "Impfung", "Vaccination"};
    static const Terminart wurmkur{"wurmkur", "NaechsteKatzeIdx", "Naechste", "Medikament", "Wurmkur", "Worming"};
    if (inhalt.impfungen) termineLesen(db, impfung, von, bis, englisch, katzen.get(), aus);
    if (inhalt.wurmkuren) termineLesen(db, wurmkur, von, bis, englisch, katzen.get(), aus);
    return aus;
}

bool kalenderSchreiben(store::Database& db, const QString& datei, const QDate& von, const QDate& bis,
                       const Kalenderinhalt& inhalt, bool englisch, QString* fehler, int* anzahl) {
    QList<common::KalenderEreignis> termine;
    try {
        termine = kalenderTermine(db, von, bis, inhalt, englisch);
    } catch (const store::DatabaseError& e) {
        if (fehler) *fehler = e.message();
        return false;
    }
    // Written beside and renamed into place: a failed run leaves an older file whole.
    QSaveFile f(datei);
    if (!f.open(QIODevice::WriteOnly) ||
        f.write(common::icalendar(termine, QDateTime::currentDateTimeUtc())) < 0 || !f.commit()) {
        if (fehler) *fehler = f.errorString();
        return false;
    }
    if (anzahl) *anzahl = int(termine.size());
    return true;
}

} // namespace velmora::reg
