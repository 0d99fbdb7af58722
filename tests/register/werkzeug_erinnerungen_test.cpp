// velmora-werkzeug erinnerungen: the reminders as lines, the switches and the exit codes.

#include "store/database.h"
#include "store/table.h"
#include "support/testsupport.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

void zeile(store::Database& db, const QString& tabelle, const QVariantMap& werte) {
    store::Table t(db, tabelle);
    t.open();
    t.append();
    for (auto it = werte.cbegin(); it != werte.cend(); ++it)
        t.setValue(it.key(), it.value());
    t.post();
}

QStringList aufruf(const QString& dir, const QStringList& mehr) {
    return QStringList{QStringLiteral("erinnerungen"), dir, QStringLiteral("--heute"),
                       QStringLiteral("2025-03-15")} +
           mehr;
}

class WerkzeugErinnerungen : public ::testing::Test {
protected:
    void SetUp() override {
        store::Database db(daten.path());
        zeile(db, QStringLiteral("catstamm"), {{"Name", "Mia"}, {"Geschlecht", "2"}});
        store::Table k(db, QStringLiteral("catstamm"));
        k.open();
        k.last();
        mia = k.asInt(QStringLiteral("LaufendeNummer"));
        zeile(db, QStringLiteral("apotheke"), {{"Medikament", "Ohne Datum"}});
        zeile(db, QStringLiteral("apotheke"),
              {{"Medikament", "Heute"}, {"Verfallsdatum", QDate(2025, 3, 15)}});
        zeile(db, QStringLiteral("apotheke"),
              {{"Medikament", "Morgen"}, {"Verfallsdatum", QDate(2025, 3, 16)}});
        zeile(db, QStringLiteral("impfung"), {{"Katze", mia}, {"NeuAm", QDate(2025, 3, 21)}});
        zeile(db, QStringLiteral("impfung"), {{"Katze", 9999}, {"NeuAm", QDate(2025, 3, 9)}});
        zeile(db, QStringLiteral("impfung"), {{"Katze", mia}, {"NeuAm", QDate(2025, 3, 22)}});
    }
    test::DataDir daten;
    int mia = 0;
};

TEST_F(WerkzeugErinnerungen, AlleListenInFensterreihenfolge) {
    QString out, err;
    ASSERT_EQ(test::runWerkzeug(aufruf(daten.path(), {}), &out, &err), 0) << err.toStdString();
    EXPECT_EQ(out, QStringLiteral("[Medikamente]\nOhne Datum;\nHeute;2025-03-15\n"
                                  "[Impfungen]\n9999;;2025-03-09\n%1;Mia;2025-03-21\n[Wurmkuren]\n")
                       .arg(mia));
    ASSERT_EQ(test::runWerkzeug(aufruf(daten.path(), {QStringLiteral("--nur-faellige")}), &out, &err), 0);
    EXPECT_FALSE(out.contains(QStringLiteral("[Wurmkuren]")));
    EXPECT_TRUE(out.startsWith(QStringLiteral("[Medikamente]\n")));
}

TEST_F(WerkzeugErinnerungen, EinstellungenSchaltenPruefungenAb) {
    test::TempDir ordner;
    QFile ini(ordner.file(QStringLiteral("Tessaro.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Warnung]\r\nVerfallsdatum=0\r\nImpfung=0\r\nWurmkur=1\r\n");
    ini.close();
    QString out, err;
    const QStringList ein{QStringLiteral("--einstellungen"), ordner.path()};
    ASSERT_EQ(test::runWerkzeug(aufruf(daten.path(), ein), &out, &err), 0) << err.toStdString();
    EXPECT_EQ(out, QStringLiteral("[Wurmkuren]\n"));
    ASSERT_EQ(test::runWerkzeug(aufruf(daten.path(), ein + QStringList{QStringLiteral("--nur-faellige")}),
                                &out, &err),
              0);
    EXPECT_EQ(out, QString());
}

TEST_F(WerkzeugErinnerungen, Exitcodes) {
    QString out, err;
    // A table that cannot be read: the other lists still come, the run fails.
    ASSERT_TRUE(QFile::remove(store::Database::tableFiles(daten.path()).value(QStringLiteral("apotheke"))));
    EXPECT_EQ(test::runWerkzeug(aufruf(daten.path(), {}), &out, &err), 2);
    EXPECT_TRUE(out.startsWith(QStringLiteral("[Impfungen]\n"))) << out.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("apotheke")));

    test::TempDir leer;
    EXPECT_EQ(test::runWerkzeug(aufruf(leer.path(), {}), &out, &err), 2);
    EXPECT_EQ(test::runWerkzeug({QStringLiteral("erinnerungen")}, &out, &err), 64);
    EXPECT_EQ(
        test::runWerkzeug(aufruf(daten.path(), {QStringLiteral("--heute"), QStringLiteral("15.03.2025")}),
                          &out, &err),
        64);
}

} // namespace
