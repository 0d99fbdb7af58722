// velmora-werkzeug rolligkeit: the heat statistics and the heats of a cat, as lines.

#include "store/database.h"
#include "store/table.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

using namespace velmora;

namespace {

int katze(store::Database& db, const char* name) {
    store::Table t(db, QStringLiteral("catstamm"));
    t.open();
    t.append();
    t.setValue(QStringLiteral("Name"), QLatin1String(name));
    t.setValue(QStringLiteral("Geschlecht"), QStringLiteral("2"));
    t.post();
    return t.asInt(QStringLiteral("LaufendeNummer"));
}

void rollig(store::Database& db, int k, const QDateTime& wann) {
    store::Table t(db, QStringLiteral("laeufigkeit"));
    t.open();
    t.append();
    t.setValue(QStringLiteral("Katze"), k);
    if (wann.isValid()) t.setValue(QStringLiteral("Datum"), wann);
    t.post();
}

TEST(WerkzeugRolligkeit, StatistikUndRolligkeitenInEintragsreihenfolge) {
    test::DataDir daten;
    int mimi = 0, ohne = 0;
    {
        store::Database db(daten.path());
        mimi = katze(db, "Mimi");
        ohne = katze(db, "Lola");
        rollig(db, mimi, QDateTime(QDate(2024, 3, 1), QTime(8, 0)));
        rollig(db, mimi, QDateTime(QDate(2024, 1, 1), QTime(20, 0)));
        rollig(db, mimi, QDateTime(QDate(2024, 2, 1), QTime(8, 0)));
    }
    QString out, err;
    ASSERT_EQ(test::runWerkzeug({QStringLiteral("rolligkeit"), daten.path(), QStringLiteral("--katze"),
                                 QString::number(mimi)},
                                &out, &err),
              0)
        << err.toStdString();
    // 59 and 30 whole days: 44; the next heat from the row entered last.
    EXPECT_EQ(out, QStringLiteral(
                       "Durchschnitt: 44\nPlusMinus: 14\nNaechste Rolligkeit: 2024-03-16\n"
                       "Decktermin: 2024-03-16\nWurftermin: 2024-05-20\nAbgabetermin: 2024-07-19\n"
                       "Rolligkeit: 2024-03-01;\nRolligkeit: 2024-01-01;59\nRolligkeit: 2024-02-01;30\n"));

    // No heat: the mating date is the day given as today.
    ASSERT_EQ(
        test::runWerkzeug({QStringLiteral("rolligkeit"), daten.path(), QStringLiteral("--katze"),
                           QString::number(ohne), QStringLiteral("--heute"), QStringLiteral("2024-06-01")},
                          &out, &err),
        0);
    EXPECT_EQ(out,
              QStringLiteral("Durchschnitt: 165\nPlusMinus: 14\nNaechste Rolligkeit: \n"
                             "Decktermin: 2024-06-01\nWurftermin: 2024-08-05\nAbgabetermin: 2024-10-04\n"));

    EXPECT_EQ(test::runWerkzeug({QStringLiteral("rolligkeit"), daten.path(), QStringLiteral("--katze"),
                                 QStringLiteral("999")},
                                &out, &err),
              1);
    EXPECT_FALSE(err.isEmpty());
    EXPECT_TRUE(out.isEmpty());
}

TEST(WerkzeugRolligkeit, EinstellungenAusDemOrdner) {
    test::DataDir daten;
    test::TempDir ordner;
    int mimi = 0;
    {
        store::Database db(daten.path());
        mimi = katze(db, "Mimi");
        rollig(db, mimi, QDateTime(QDate(2024, 1, 10), QTime(0, 0)));
    }
    QFile ini(ordner.file(QStringLiteral("Tessaro.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(
        "[Wurfbuch]\r\nBerechnungRolligkeit=21\r\nBerechnungPlusMinus=3\r\nBerechnungAbgabetermin=84\r\n"
        "[Stammdaten]\r\nBerechnungGebtermin=63\r\n");
    ini.close();
    QString out, err;
    ASSERT_EQ(test::runWerkzeug({QStringLiteral("rolligkeit"), daten.path(), QStringLiteral("--katze"),
                                 QString::number(mimi), QStringLiteral("--einstellungen"), ordner.path()},
                                &out, &err),
              0)
        << err.toStdString();
    EXPECT_EQ(out, QStringLiteral("Durchschnitt: 21\nPlusMinus: 3\nNaechste Rolligkeit: 2024-01-31\n"
                                  "Decktermin: 2024-01-31\nWurftermin: 2024-04-03\nAbgabetermin: 2024-06-26\n"
                                  "Rolligkeit: 2024-01-10;\n"));
}

} // namespace
