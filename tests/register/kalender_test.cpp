// Calendar files: escaping and folding by the rules of iCalendar, the entries of a period, and the
// kalender tool command, read back by an independent parser (Python's icalendar module).

#include "common/icalendar.h"
#include "register/kalendertermine.h"
#include "store/database.h"
#include "store/table.h"
#include "support/testsupport.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

// Stores a row; returns its record number.
int zeile(store::Database& db, const QString& tabelle, const QVariantMap& werte) {
    store::Table t(db, tabelle);
    t.open();
    t.append();
    for (auto it = werte.cbegin(); it != werte.cend(); ++it)
        t.setValue(it.key(), it.value());
    t.post();
    return t.value(0).toInt();
}

// The physical lines of a folded content line (without the final CRLF).
QList<QByteArray> physisch(const QByteArray& gefaltet) {
    QList<QByteArray> z = gefaltet.chopped(2).split('\n');
    for (QByteArray& l : z)
        if (l.endsWith('\r')) l.chop(1);
    return z;
}

} // namespace

TEST(ICalendar, TextsAreEscaped) {
    const struct {
        const char* ein;
        const char* aus;
    } faelle[] = {{"a,b;c", "a\\,b\\;c"},
                  {"C:\\Katzen", "C:\\\\Katzen"},
                  {"Zeile 1\r\nZeile 2\nZeile 3\rEnde", "Zeile 1\\nZeile 2\\nZeile 3\\nEnde"},
                  {"Tab\tweg", "Tabweg"},
                  {"Mäuse: \"gut\"", "Mäuse: \"gut\""}};
    for (const auto& f : faelle)
        EXPECT_EQ(common::icalText(QString::fromUtf8(f.ein)), QString::fromUtf8(f.aus)) << f.ein;
}

TEST(ICalendar, FoldsAt75OctetsWithoutSplittingACharacter) {
    // Plain letters, two-octet umlauts, three-octet signs and four-octet emoji at every offset.
    for (const QString teil : {QStringLiteral("x"), QStringLiteral("ä"), QStringLiteral("€"), QStringLiteral("🐈")})
        for (int vorlauf = 0; vorlauf < 4; ++vorlauf) {
            const QString zeile = QStringLiteral("SUMMARY:") + QString(vorlauf, QLatin1Char('a')) + teil.repeated(90);
            const QByteArray g = common::icalZeile(zeile);
            ASSERT_TRUE(g.endsWith("\r\n"));
            QByteArray wieder;
            const QList<QByteArray> linien = physisch(g);
            for (int i = 0; i < linien.size(); ++i) {
                EXPECT_LE(linien[i].size(), 75) << i;
                // Each physical line is whole UTF-8 on its own.
                EXPECT_EQ(QString::fromUtf8(linien[i]).toUtf8(), linien[i]);
                EXPECT_FALSE(QString::fromUtf8(linien[i]).contains(QChar::ReplacementCharacter));
                if (i > 0) {
                    ASSERT_TRUE(linien[i].startsWith(' '));
                    wieder += linien[i].mid(1);
                } else {
                    wieder += linien[i];
                }
            }
            EXPECT_EQ(QString::fromUtf8(wieder), zeile);
            EXPECT_GT(linien.size(), 1);
        }
    EXPECT_EQ(common::icalZeile(QString(75, QLatin1Char('a'))), QByteArray(75, 'a') + "\r\n");
}

TEST(ICalendar, ThePeriodsEntriesByIndexRange) {
    test::DataDir daten;
    store::Database db(daten.path());
    const int mia = zeile(db, QStringLiteral("catstamm"), {{"Name", "Mia"}, {"Geschlecht", "2"}});
    zeile(db, QStringLiteral("ausstelt"), {{"Datum", QDate(2027, 2, 28)}, {"Verein", "Vor"}});
    zeile(db, QStringLiteral("ausstelt"),
          {{"Datum", QDate(2027, 3, 1)}, {"Datum2", QDate(2027, 3, 2)}, {"Verein", "Felis"}, {"Ort", "Kiel"}});
    zeile(db, QStringLiteral("ausstelt"), {{"Datum", QDate(2027, 3, 31)}, {"Verein", "Letzter Tag"}});
    zeile(db, QStringLiteral("ausstelt"), {{"Datum", QDate(2027, 4, 1)}, {"Verein", "Danach"}});
    zeile(db, QStringLiteral("impfung"), {{"Katze", mia}, {"NeuAm", QDate(2027, 3, 10)}, {"Impfung", "RCP"}});
    zeile(db, QStringLiteral("impfung"), {{"Katze", 99977}, {"NeuAm", QDate(2027, 3, 11)}}); // deleted cat
    zeile(db, QStringLiteral("impfung"), {{"Katze", mia}, {"NeuAm", QDate(2027, 4, 10)}});
    zeile(db, QStringLiteral("wurmkur"), {{"Katze", mia}, {"Naechste", QDate(2027, 3, 5)}});

    QStringList titel;
    for (const auto& e : reg::kalenderTermine(db, QDate(2027, 3, 1), QDate(2027, 3, 31)))
        titel << e.titel + QLatin1Char('@') + e.beginn.toString(Qt::ISODate);
    EXPECT_EQ(titel, (QStringList{"Ausstellung Felis@2027-03-01", "Ausstellung Letzter Tag@2027-03-31",
                                  "Impfung: Mia@2027-03-10", "Impfung: Katze 99977@2027-03-11",
                                  "Wurmkur: Mia@2027-03-05"}));
    reg::Kalenderinhalt nurWurm{false, false, true};
    EXPECT_EQ(reg::kalenderTermine(db, QDate(2027, 3, 1), QDate(2027, 3, 31), nurWurm, true).value(0).titel,
              QStringLiteral("Worming: Mia"));
}

TEST(ICalendar, ToolFileReadBackByPythonsIcalendar) {
    test::DataDir daten;
    int show = 0, impfung = 0;
    {
        store::Database db(daten.path());
        const int mia = zeile(db, QStringLiteral("catstamm"), {{"Name", "Mia, die Große; ☺"}, {"Geschlecht", "2"}});
        show = zeile(db, QStringLiteral("ausstelt"),
              {{"Datum", QDate(2027, 3, 1)},
               {"Datum2", QDate(2027, 3, 2)},
               {"Verein", "Felis Nord e.V."},
               {"Strasse", "Messeweg 1"},
               {"Plz", "24103"},
               {"Ort", "Kiel"},
               {"Info", QString(QStringLiteral("Meldeschluss: 1.2.; Katalog, Preise\nund ") + QString(80, QChar(0x00e4)))}});
        impfung = zeile(db, QStringLiteral("impfung"),
                        {{"Katze", mia}, {"NeuAm", QDate(2027, 3, 10)}, {"Impfung", "RCP"}});
        zeile(db, QStringLiteral("wurmkur"), {{"Katze", mia}, {"Naechste", QDate(2027, 6, 5)}});
    }
    const QString datei = daten.file(QStringLiteral("termine.ics"));
    QString out, err;
    ASSERT_EQ(test::runWerkzeug({QStringLiteral("kalender"), daten.path(), datei, QStringLiteral("--von"),
                                 QStringLiteral("2027-03-01"), QStringLiteral("--bis"), QStringLiteral("2027-03-31")},
                                &out, &err),
              0)
        << err.toStdString();
    EXPECT_EQ(out, QStringLiteral("exportiert: 2\n"));

    const char* skript = R"(
import sys, icalendar
cal = icalendar.Calendar.from_ical(open(sys.argv[1], 'rb').read())
for e in cal.walk('VEVENT'):
    print('|'.join([str(e.get('SUMMARY')), e.decoded('DTSTART').isoformat(), e.decoded('DTEND').isoformat(),
                    str(e.get('LOCATION', '')), str(e.get('DESCRIPTION', '')).replace('\n', '\\n'), str(e.get('UID'))]))
)";
    QProcess py;
    py.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromUtf8(skript), datei});
    ASSERT_TRUE(py.waitForFinished(30000));
    ASSERT_EQ(py.exitCode(), 0) << py.readAllStandardError().toStdString();
    const QStringList zeilen = QString::fromUtf8(py.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(zeilen, (QStringList{
                          QStringLiteral("Ausstellung Felis Nord e.V.|2027-03-01|2027-03-03|Messeweg 1, 24103 Kiel|"
                                         "Meldeschluss: 1.2.; Katalog, Preise\\nund ") +
                              QString(80, QChar(0x00e4)) + QStringLiteral("|ausstelt-%1@velmora").arg(show),
                          QStringLiteral("Impfung: Mia, die Große; ☺|2027-03-10|2027-03-11||RCP|impfung-%1@velmora")
                              .arg(impfung)}));

    // Wrong arguments and a folder without a register.
    EXPECT_EQ(test::runWerkzeug({QStringLiteral("kalender"), daten.path()}), 64);
    EXPECT_EQ(test::runWerkzeug({QStringLiteral("kalender"), daten.path(), datei, QStringLiteral("--von"),
                                 QStringLiteral("2027-13-01")}),
              64);
    test::TempDir leer;
    EXPECT_EQ(test::runWerkzeug({QStringLiteral("kalender"), leer.path(), datei}), 2);
}
