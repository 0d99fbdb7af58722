#include "store/dberrortext.h"
#include "store/table.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

using namespace velmora::store;

namespace {

QString s(const char* t) {
    return QString::fromUtf8(t);
}

EngineError fehlerMit(QList<ErrorEntry> eintraege, const QString& tabelle = s("wurfbuch")) {
    return EngineError(std::move(eintraege), tabelle);
}

} // namespace

TEST(DbFehlerText, DateinameIsLowerCaseUpToTheFirstDotWithoutFolder) {
    EXPECT_EQ(fehlerDateiname(s("Catstamm.db")), s("catstamm"));
    EXPECT_EQ(fehlerDateiname(s("wurfbuch")), s("wurfbuch"));
    EXPECT_EQ(fehlerDateiname(s("ADR_DAT.DB")), s("adr_dat"));
    EXPECT_EQ(fehlerDateiname(s("Wurf.buch.db")), s("wurf"));
    EXPECT_EQ(fehlerDateiname(s("/tmp/daten.alt/Bilder.db")), s("bilder"));
    EXPECT_EQ(fehlerDateiname(s("C:\\Daten.1\\Impfung.DB")), s("impfung"));
    EXPECT_EQ(fehlerDateiname(QString()), QString());
}

TEST(DbFehlerText, LinesAndNativeTextAreExact) {
    const EngineError e = fehlerMit({{9729, 19, s("Schlüssel doppelt")},
                                     {9732, 0, s("Feld Katze fehlt")},
                                     {12034, 11, s("Index kaputt")},
                                     {9997, 7, s("Index fehlt")}});
    const FehlerAnsicht a = engineAnsicht(e, s("Wurfbuch.db"));
    EXPECT_TRUE(a.engine);
    EXPECT_EQ(a.titel, s("EDBEngine-Fehler entdeckt"));
    ASSERT_EQ(a.zeilen.size(), 4);
    EXPECT_EQ(a.zeilen[0], s("Eintrag: 0, Fehlernummer: 9729,  Schlüssel doppelt"));
    EXPECT_EQ(a.zeilen[1], s("Eintrag: 1,  Fehlernummer: 9732,  Feld Katze fehlt"));
    EXPECT_EQ(a.zeilen[2], s("Eintrag: 2,  Fehlernummer: 12034,  Index kaputt"));
    EXPECT_EQ(a.zeilen[3], s("Eintrag: 3,  Fehlernummer: 9997,  Index fehlt"));
    EXPECT_EQ(a.dateiZeile, s("Datei: wurfbuch"));
    EXPECT_EQ(a.dateiname, s("wurfbuch"));
    // one blank after the comma for entries 0 and 1, two for 2 and 3; entries without a code add nothing
    EXPECT_EQ(a.nativeText,
              s("Fehlerursache: Code(s)   19, Schlüssel doppelt  11,  Index kaputt  7,  Index fehlt"));
    EXPECT_TRUE(a.nativeCodes);
    EXPECT_EQ(a.errorNr, 9729);
    EXPECT_TRUE(a.reparatur);
    EXPECT_EQ(nativeTeil(1, {1, 8, s("b")}), s("  8, b"));
    EXPECT_EQ(nativeTeil(3, {1, 0, s("b")}), QString());
    EXPECT_EQ(a.alsText(),
              s("EDBEngine-Fehler entdeckt\n") + a.zeilen.join(QLatin1Char('\n')) + s("\nDatei: wurfbuch"));
}

TEST(DbFehlerText, MoreThanFourEntriesShowTheFirstFour) {
    QList<ErrorEntry> eintraege;
    for (int i = 0; i < 6; ++i)
        eintraege << ErrorEntry{9729 + i, i == 5 ? 99 : 0, s("Eintrag %1").arg(i)};
    const FehlerAnsicht a = engineAnsicht(fehlerMit(eintraege), s("catstamm"));
    ASSERT_EQ(a.zeilen.size(), 4);
    EXPECT_EQ(a.zeilen[3], s("Eintrag: 3,  Fehlernummer: 9732,  Eintrag 3"));
    // the native code of an entry not shown does not count
    EXPECT_FALSE(a.nativeCodes);
    EXPECT_EQ(a.nativeText, s("Fehlerursache: Code(s) "));
}

TEST(DbFehlerText, NoFileNameGivesNoFileLine) {
    const FehlerAnsicht a = engineAnsicht(EngineError(9729, s("x")), QString());
    EXPECT_EQ(a.dateiZeile, QString());
    EXPECT_FALSE(a.reparatur);
    EXPECT_EQ(a.alsText(), s("EDBEngine-Fehler entdeckt\nEintrag: 0, Fehlernummer: 9729,  x"));
}

TEST(DbFehlerText, RepairOnlyForListedTablesAndIndexCodes) {
    const QStringList reparierbar = {s("impfung"),  s("wurmkur"),      s("bilder"),   s("titelhund"),
                                     s("adr_dat"),  s("catstamm"),     s("wurfbuch"), s("zuchtwert"),
                                     s("merkmale"), s("katzemerkmal"), s("sprache"),  s("sprmel")};
    for (const QString& t : reparierbar) {
        for (int c : {9729, 9997, 12034}) {
            EXPECT_TRUE(engineAnsicht(EngineError(c, s("x")), t + s(".db")).reparatur)
                << t.toStdString() << c;
        }
        for (int c : {9731, 9732, 10024, 12033, 0})
            EXPECT_FALSE(engineAnsicht(EngineError(c, s("x")), t).reparatur) << t.toStdString() << c;
    }
    for (const char* t : {"katzname", "vereine", "farbe", "catstamm2", "stammzusatz"})
        EXPECT_FALSE(engineAnsicht(EngineError(9729, s("x")), s(t)).reparatur) << t;
    // the decision follows the first entry only
    const FehlerAnsicht zweite =
        engineAnsicht(fehlerMit({{9732, 0, s("a")}, {9729, 0, s("b")}}), s("catstamm"));
    EXPECT_EQ(zweite.errorNr, 9732);
    EXPECT_FALSE(zweite.reparatur);
}

TEST(DbFehlerText, InvalidDateMessageEndsWithOneFullStop) {
    for (const char* text :
         {"„31.02.2024“ ist kein gültiges Datum.", "'31.02.2024' is not a valid date.", "Fehler!"})
        EXPECT_EQ(datenbankAnsicht(DatabaseError(QString::fromUtf8(text)), s("catstamm")).zeilen,
                  QStringList{QString::fromUtf8(text)});
}

TEST(DbFehlerText, DatabaseViewOffersRepairForAMissingIndex) {
    const FehlerAnsicht c = datenbankAnsicht(DatabaseError(s("Kein Index für Name")), s("Catstamm.db"));
    EXPECT_FALSE(c.engine);
    EXPECT_EQ(c.titel, s("EDatabase-Fehler entdeckt"));
    EXPECT_EQ(c.zeilen, QStringList{s("Kein Index für Name.")});
    EXPECT_EQ(c.dateiZeile, s("Datei: catstamm"));
    EXPECT_EQ(c.errorNr, 9729);
    EXPECT_TRUE(c.reparatur);
    EXPECT_FALSE(c.nativeCodes);

    const FehlerAnsicht v = datenbankAnsicht(DatabaseError(s("Kein Index für Verein")), s("Vereine.db"));
    EXPECT_EQ(v.errorNr, 9729);
    EXPECT_FALSE(v.reparatur);

    EXPECT_TRUE(datenbankAnsicht(DatabaseError(s("bad key valuation")), s("bilder")).reparatur);
    const FehlerAnsicht anders = datenbankAnsicht(DatabaseError(s("Platte voll")), s("bilder"));
    EXPECT_EQ(anders.errorNr, 0);
    EXPECT_FALSE(anders.reparatur);
}

TEST(DbFehlerText, DispatchByErrorKind) {
    const EngineError leer(QList<ErrorEntry>{}, s("catstamm"));
    EXPECT_FALSE(engineAnsicht(leer, s("catstamm")).engine); // nothing for the engine view
    const EngineError e(9997, s("Index fehlt"), s("bilder"), 1);
    const DatabaseError& alsBasis = e;
    const FehlerAnsicht a = fehlerAnsicht(alsBasis, s("bilder"));
    EXPECT_TRUE(a.engine);
    EXPECT_TRUE(a.nativeCodes);
    EXPECT_FALSE(fehlerAnsicht(DatabaseError(s("x")), s("bilder")).engine);
}

TEST(DbFehlerText, PanelHeightPerShownLines) {
    EXPECT_EQ(panelHoehe(1), 40);
    EXPECT_EQ(panelHoehe(2), 57);
    EXPECT_EQ(panelHoehe(3), 73);
    EXPECT_EQ(panelHoehe(4), 90);
    EXPECT_EQ(panelHoehe(7), 90);
    EXPECT_EQ(panelHoehe(0), 40);
}

TEST(DbFehlerText, RepairMessagesPerLanguage) {
    EXPECT_EQ(reparaturMeldung(true, 0), s("Reparatur erfolgreich!"));
    EXPECT_EQ(reparaturMeldung(false, 0), s("Reparatur nicht möglich!"));
    EXPECT_EQ(reparaturMeldung(true, 1), s("Reparatur erfolgreich!"));
    EXPECT_EQ(reparaturMeldung(false, 1), s("Reparatur nicht möglich!"));
    EXPECT_EQ(reparaturMeldung(true, 2), s("Reparatie geslaagd!"));
    EXPECT_EQ(reparaturMeldung(false, 2), s("Reparatie niet mogelijk!"));
}

TEST(DbFehlerText, RepairRunsTheTablesRebuildRoutine) {
    velmora::test::DataDir dir;
    Database db(dir.path());
    {
        Table t(db, s("wurfbuch"));
        t.open(Table::OpenMode::Exclusive);
        t.deleteIndex(s("KatzeIdx"));
        t.close();
    }
    ASSERT_EQ(db.readDefinition(s("wurfbuch")).index(s("KatzeIdx")), nullptr);
    StartBericht bericht;
    int fehler = 0;
    bericht.fehler = [&](const DatabaseError&, const QString&) { ++fehler; };

    EXPECT_FALSE(tabelleReparieren(db, s("wurfbuch.db"), 9732, bericht)); // not an index fault
    EXPECT_EQ(db.readDefinition(s("wurfbuch")).index(s("KatzeIdx")), nullptr);

    EXPECT_TRUE(tabelleReparieren(db, s("wurfbuch.db"), 9729, bericht));
    const TableDef def = db.readDefinition(s("wurfbuch"));
    EXPECT_NE(def.primaryKey(), nullptr);
    for (const char* ix : {"KaterKatzeWurftag", "KatzeIdx", "KatzeKaterWurftag"})
        EXPECT_NE(def.index(s(ix)), nullptr) << ix;
    EXPECT_EQ(fehler, 0);

    // no routine: the repair fails and leaves the table alone
    for (const char* t : {"zuchtwert", "titelhund", "katzname"})
        EXPECT_FALSE(tabelleReparieren(db, s(t), 9729, bericht)) << t;
    EXPECT_NE(db.readDefinition(s("zuchtwert")).index(s("Hund")), nullptr);
}
