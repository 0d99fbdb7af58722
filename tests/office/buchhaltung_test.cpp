// The books without widgets: balances always equal opening balance plus bookings (a randomised run over
// bookings, transfers, deletes and opening-balance edits, checked after each step), the sign rule of the
// window, transfers and their deletion, a failure in the middle of a transfer, periods, the category
// statistic, profit and loss, the VAT summary, the CSV export and the currency conversion.

#include "office/buchhaltung.h"
#include "office/waehrungsumrechnung.h"
#include "store/startup.h"
#include "store/table.h"
#include "support/testsupport.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace velmora;
using office::Buchhaltung;
using office::Konto;
using office::Zeitraum;
using store::Money;

namespace {

Money M(const char* text) {
    return *Money::parse(QString::fromUtf8(text));
}

class BuchhaltungTest : public ::testing::Test {
protected:
    test::TempDir dir;
    store::Database db{dir.path()};
    Buchhaltung b{db};

    int konto(const char* name, const char* eroeffnung = "0", int art = office::kontoart::Bank) {
        Konto k;
        k.art = art;
        k.name = QString::fromUtf8(name);
        k.eroeffnungssaldo = M(eroeffnung);
        k.zum = QDate(2024, 1, 1);
        return b.anlegen(k);
    }
    int kategorie(const char* name, const QString& einAus, int mwst = 0) {
        Konto k;
        k.art = office::kontoart::Kategorie;
        k.name = QString::fromUtf8(name);
        k.einAus = einAus;
        k.mwst = mwst;
        return b.anlegen(k);
    }
    Money stand(int nr) { return b.konto(nr)->kontostand; }
    void stimmt(const char* wo) {
        for (const Konto& k : b.konten())
            ASSERT_EQ(k.kontostand, b.sollKontostand(k.nummer)) << wo << " " << k.name.toStdString();
        for (const office::Buchung& x : b.buchungen()) { // transfers come in opposite pairs
            if (!x.gegenbuchung) continue;
            const auto g = b.buchung(x.gegenbuchung);
            ASSERT_TRUE(g) << wo;
            ASSERT_EQ(g->gegenbuchung, x.nummer) << wo;
            ASSERT_EQ(g->betrag, -x.betrag) << wo;
            ASSERT_EQ(g->datum, x.datum) << wo;
            ASSERT_EQ(g->kategorie, b.konto(x.konto)->name) << wo;
        }
    }
};

TEST_F(BuchhaltungTest, TheWindowsSignRuleAndTransfersWithTheirDeletion) {
    const int a = konto("Giro", "200"), c = konto("Kasse", "10", office::kontoart::Kasse);
    kategorie("Futter", office::kAusgabe);
    kategorie("Kitten", office::kEinnahme);
    struct Fall {
        const char* kategorie;
        const char* eingegeben;
        const char* gespeichert;
    };
    for (const Fall& f : {Fall{"Futter", "50", "-50"}, Fall{"Futter", "-50", "50"}, Fall{"kitten", "50", "50"},
                          Fall{"Kasse", "100", "100"}, Fall{"Unbekannt", "5", "5"}})
        EXPECT_EQ(b.gespeicherterBetrag(QString::fromUtf8(f.kategorie), M(f.eingegeben)), M(f.gespeichert)) << f.kategorie;

    b.buchen(a, QDate(2024, 2, 1), QStringLiteral("Futter"), b.gespeicherterBetrag(QStringLiteral("Futter"), M("50")));
    EXPECT_EQ(stand(a), M("150"));
    const int u = b.buchen(a, QDate(2024, 2, 2), QStringLiteral("kasse"), M("100"), QStringLiteral("Wechselgeld"));
    EXPECT_EQ(stand(a), M("250"));
    EXPECT_EQ(stand(c), M("-90"));
    const auto hin = b.buchung(u), her = b.buchung(hin->gegenbuchung);
    EXPECT_EQ(hin->kategorie, QStringLiteral("Kasse")); // the account's own spelling
    EXPECT_EQ(her->konto, c);
    EXPECT_EQ(her->kategorie, QStringLiteral("Giro"));
    EXPECT_EQ(her->betrag, M("-100"));
    stimmt("nach Umbuchung");
    b.buchungLoeschen(her->nummer); // either half takes both
    EXPECT_FALSE(b.buchung(u));
    EXPECT_EQ(stand(a), M("150"));
    EXPECT_EQ(stand(c), M("10"));
    EXPECT_THROW(b.buchen(a, QDate(2024, 2, 3), QStringLiteral("Giro"), M("1")), office::BuchungsFehler);
    EXPECT_THROW(b.buchen(999, QDate(2024, 2, 3), QStringLiteral("Futter"), M("1")), office::BuchungsFehler);
    EXPECT_THROW(b.buchen(a, QDate(), QStringLiteral("Futter"), M("1")), office::BuchungsFehler);
    EXPECT_THROW(b.buchen(a, QDate(2024, 2, 3), QStringLiteral(" "), M("1")), office::BuchungsFehler);
    EXPECT_THROW(konto("GIRO"), office::BuchungsFehler); // a name is used once
    stimmt("am Ende");
}

TEST_F(BuchhaltungTest, AFailureInTheMiddleOfATransferLeavesNothingHalfBooked) {
    const int a = konto("Giro", "100"), c = konto("Kasse", "0");
    // A name too long for its field (written past the engine) makes the account's balance update fail
    // after the first booking is written.
    db.execute(QStringLiteral("UPDATE konten SET Name = ? WHERE LaufendeNummer = ?"), {QString(40, QLatin1Char('x')), a});
    EXPECT_THROW(b.buchen(a, QDate(2024, 3, 1), QStringLiteral("Kasse"), M("30")), store::EngineError);
    EXPECT_TRUE(b.buchungen().isEmpty());
    EXPECT_EQ(stand(a), M("100"));
    EXPECT_EQ(stand(c), M("0"));
    // A transfer to it fails on the category, too long for its field.
    EXPECT_THROW(b.buchen(c, QDate(2024, 3, 1), QString(40, QLatin1Char('x')), M("30")), store::EngineError);
    EXPECT_TRUE(b.buchungen().isEmpty());
    EXPECT_EQ(stand(a), M("100"));
    EXPECT_EQ(stand(c), M("0"));
}

TEST_F(BuchhaltungTest, RandomOperationsKeepEveryBalanceEqualToOpeningPlusBookings) {
    QRandomGenerator zufall(23);
    QList<int> konten;
    for (int i = 0; i < 4; ++i)
        konten << konto(QStringLiteral("Konto %1").arg(i).toUtf8().constData(), "12.34");
    kategorie("Futter", office::kAusgabe);
    kategorie("Verkauf", office::kEinnahme);
    kategorie("Sonstiges", QString());
    const QStringList kategorien{QStringLiteral("Futter"), QStringLiteral("Verkauf"), QStringLiteral("Sonstiges")};
    for (int schritt = 0; schritt < 400; ++schritt) {
        const int art = zufall.bounded(13);
        const int k = konten[zufall.bounded(konten.size())];
        const QDate tag = QDate(2024, 1, 1).addDays(zufall.bounded(366));
        const Money betrag = Money::fromUnits(zufall.bounded(-5000000, 5000000));
        if (art < 5) {
            b.buchen(k, tag, kategorien[zufall.bounded(3)], betrag);
        } else if (art < 7) {
            int z = konten[zufall.bounded(konten.size())];
            if (z == k) continue;
            b.buchen(k, tag, b.konto(z)->name, betrag);
        } else if (art < 9) {
            const auto alle = b.buchungen();
            if (alle.isEmpty()) continue;
            b.buchungLoeschen(alle[zufall.bounded(alle.size())].nummer);
        } else if (art > 9) { // an edit: to a category, another account or the transfer's own one
            const auto alle = b.buchungen();
            if (alle.isEmpty()) continue;
            const office::Buchung& x = alle[zufall.bounded(alle.size())];
            const int z = konten[zufall.bounded(konten.size())];
            const QString kat = art == 10 ? kategorien[zufall.bounded(3)] : art == 11 ? b.konto(z)->name : x.kategorie;
            if (kat == b.konto(x.konto)->name) continue;
            b.buchungAendern(x.nummer, tag, kat, betrag, QStringLiteral("geändert"));
        } else {
            Konto x = *b.konto(k);
            x.eroeffnungssaldo = Money::fromUnits(zufall.bounded(-1000000, 1000000));
            b.aendern(x);
        }
        stimmt(QStringLiteral("Schritt %1").arg(schritt).toUtf8().constData());
        if (HasFatalFailure()) return;
    }
}

TEST_F(BuchhaltungTest, PeriodsFromTheDialogsThreeNumbers) {
    struct Fall {
        const char *von, *bis, *jahr;
        QDate erster, letzter; // invalid: refused
    };
    const Fall faelle[] = {
        {"2", "2", "2024", QDate(2024, 2, 1), QDate(2024, 2, 29)}, {"2", "2", "2023", QDate(2023, 2, 1), QDate(2023, 2, 28)},
        {"1", "12", "2024", QDate(2024, 1, 1), QDate(2024, 12, 31)}, {"4", "6", "2024", QDate(2024, 4, 1), QDate(2024, 6, 30)},
        {"9", "11", "2024", QDate(2024, 9, 1), QDate(2024, 11, 30)}, {"0", "3", "2024", {}, {}},
        {"1", "13", "2024", {}, {}}, {"x", "3", "2024", {}, {}}, {"1", "3", "", {}, {}}, {"5", "3", "2024", {}, {}},
    };
    for (const Fall& f : faelle) {
        const auto z = office::zeitraumAusMonaten(QString::fromUtf8(f.von), QString::fromUtf8(f.bis), QString::fromUtf8(f.jahr));
        ASSERT_EQ(z.has_value(), f.erster.isValid()) << f.von << "-" << f.bis << "/" << f.jahr;
        if (z) {
            EXPECT_EQ(z->von, f.erster);
            EXPECT_EQ(z->bis, f.letzter);
        }
    }
    const Zeitraum a = office::anfangsZeitraum(QDate(2024, 2, 10));
    EXPECT_EQ(a.von, QDate(2024, 1, 1));
    EXPECT_EQ(a.bis, QDate(2024, 2, 29));
}

TEST_F(BuchhaltungTest, StatisticAndProfitAndLossCountOnlyIncomeAndExpenseOfLiveAccounts) {
    const int satz7 = b.mwstSatzAnlegen(7), satz19 = b.mwstSatzAnlegen(19);
    const int a = konto("Giro"), c = konto("Kasse"), weg = konto("Alt");
    kategorie("Kitten", office::kEinnahme, satz7);
    kategorie("Futter", office::kAusgabe, satz19);
    kategorie("Privat", QString());
    b.buchen(a, QDate(2024, 2, 29), QStringLiteral("Kitten"), M("0.005"));
    b.buchen(c, QDate(2024, 2, 29), QStringLiteral("Kitten"), M("0.005"));
    b.buchen(a, QDate(2024, 3, 1), QStringLiteral("Futter"), M("-119"));
    b.buchen(a, QDate(2024, 3, 2), QStringLiteral("Privat"), M("-1000"));
    b.buchen(a, QDate(2024, 3, 3), QStringLiteral("Kasse"), M("-20"));
    b.buchen(weg, QDate(2024, 3, 4), QStringLiteral("Kitten"), M("500"));
    b.buchen(a, QDate(2024, 4, 1), QStringLiteral("Kitten"), M("107"));
    b.loeschen(weg);

    const auto feb = *office::zeitraumAusMonaten(QStringLiteral("2"), QStringLiteral("2"), QStringLiteral("2024"));
    const auto s = b.kategorieStatistik(QStringLiteral("Kitten"), feb);
    ASSERT_EQ(s.zeilen.size(), 2);
    EXPECT_EQ(s.zeilen[0].konto, QStringLiteral("Giro")); // same day: by account name
    EXPECT_EQ(s.gesamt.toString(2), QStringLiteral("0.01"));

    const auto q1 = *office::zeitraumAusMonaten(QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("2024"));
    const auto g = b.gewinnUndVerlust(q1);
    EXPECT_EQ(g.einnahmen.size(), 3); // the deleted account's income is missing
    EXPECT_EQ(g.ausgaben.size(), 1);  // neither "Privat" nor the transfer
    EXPECT_EQ(g.einnahmenGesamt, M("107.01"));
    EXPECT_EQ(g.ausgabenGesamt, M("119"));
    EXPECT_EQ(g.saldo(), M("-11.99"));
    ASSERT_EQ(g.monate.size(), 3);
    EXPECT_EQ(g.monate[1].ausgaben, M("119"));
    EXPECT_EQ(g.monate[2].einnahmen, M("107"));
    const auto nurKasse = b.gewinnUndVerlust(q1, c);
    EXPECT_EQ(nurKasse.einnahmenGesamt, M("0.005"));
    EXPECT_TRUE(nurKasse.ausgaben.isEmpty());

    const auto mwst = b.mwstUebersicht(q1);
    ASSERT_EQ(mwst.size(), 2);
    EXPECT_TRUE(mwst[0].einnahmen);
    EXPECT_EQ(mwst[0].prozent, 7);
    EXPECT_EQ(mwst[0].netto, M("100.01")); // 107.01 / 1.07 = 100.0093..., to the cent
    EXPECT_EQ(mwst[0].steuer, M("7"));
    EXPECT_FALSE(mwst[1].einnahmen);
    EXPECT_EQ(mwst[1].brutto, M("119"));
    EXPECT_EQ(mwst[1].netto, M("100"));
    EXPECT_EQ(mwst[1].steuer, M("19"));
}

TEST_F(BuchhaltungTest, CsvForTheTaxAdviser) {
    const int a = konto("Giro;Haupt");
    kategorie("Kitten", office::kEinnahme, b.mwstSatzAnlegen(7));
    b.buchen(a, QDate(2024, 5, 3), QStringLiteral("Kitten"), M("1234.5"), QStringLiteral("Lütte \"Mia\""));
    b.buchen(a, QDate(2025, 1, 1), QStringLiteral("Kitten"), M("1"));
    const QByteArray csv =
        office::buchungenCsv(b, *office::zeitraumAusMonaten(QStringLiteral("1"), QStringLiteral("12"), QStringLiteral("2024")));
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    const QStringList zeilen = QString::fromUtf8(csv.mid(3)).split(QStringLiteral("\r\n"));
    ASSERT_EQ(zeilen.size(), 3); // header, one booking, the empty rest after the last CR LF
    EXPECT_EQ(zeilen[0], QStringLiteral("Buchungs Nr.;Datum;Konto;Kategorie;Betrag;MwSt %;Beschreibung"));
    EXPECT_EQ(zeilen[1], QStringLiteral("1;03.05.2024;\"Giro;Haupt\";Kitten;1234,50;7;\"Lütte \"\"Mia\"\"\""));
}

TEST_F(BuchhaltungTest, ARenamedCategoryOrAccountTakesItsBookingsAlong) {
    const int a = konto("Giro"), c = konto("Kasse");
    const int f = kategorie("Futter", office::kAusgabe);
    b.buchen(a, QDate(2024, 1, 5), QStringLiteral("Futter"), M("-5"));
    b.buchen(a, QDate(2024, 1, 6), QStringLiteral("Kasse"), M("-5"));
    Konto k = *b.konto(f);
    k.name = QStringLiteral("Katzenfutter");
    b.aendern(k);
    Konto kasse = *b.konto(c);
    kasse.name = QStringLiteral("Handkasse");
    b.aendern(kasse);
    const auto g = b.gewinnUndVerlust({QDate(2024, 1, 1), QDate(2024, 12, 31)});
    ASSERT_EQ(g.ausgaben.size(), 1);
    EXPECT_EQ(g.ausgaben[0].kategorie, QStringLiteral("Katzenfutter"));
    EXPECT_EQ(b.buchungen(a).last().kategorie, QStringLiteral("Handkasse"));
}

TEST(Waehrungsumrechnung, FactorsAreReadExactlyAndDivisionsRoundTiesToEven) {
    struct Fall {
        const char* text;
        qint64 zaehler;
        int stellen; // zaehler 0: refused
    };
    for (const Fall& f : {Fall{"1,95583", 195583, 5}, Fall{"2", 2, 0}, Fall{"0,50", 5, 1}, Fall{"007,0", 7, 0},
                          Fall{"", 0, 0}, Fall{"0", 0, 0}, Fall{"0,000", 0, 0}, Fall{"1.5", 0, 0}, Fall{"1,2,3", 0, 0},
                          Fall{"-2", 0, 0}, Fall{",", 0, 0}}) {
        const auto r = office::faktorLesen(QString::fromUtf8(f.text));
        ASSERT_EQ(r.has_value(), f.zaehler != 0) << f.text;
        if (r) {
            EXPECT_EQ(r->zaehler, f.zaehler) << f.text;
            EXPECT_EQ(r->stellen, f.stellen) << f.text;
        }
    }
    EXPECT_EQ(office::faktorLesen(QStringLiteral("1,95583"))->text(), QStringLiteral("1,95583"));
    const auto zwei = *office::faktorLesen(QStringLiteral("2"));
    struct Teilung {
        qint64 vor, nach;
    };
    for (const Teilung& t : {Teilung{5, 2}, Teilung{7, 4}, Teilung{-5, -2}, Teilung{-7, -4}, Teilung{1, 0}, Teilung{3, 2}})
        EXPECT_EQ(office::umrechnen(Money::fromUnits(t.vor), zwei).units(), t.nach) << t.vor;
    EXPECT_EQ(office::umrechnen(M("100"), *office::faktorLesen(QStringLiteral("1,95583"))), M("51.1292"));
}

TEST_F(BuchhaltungTest, TheConversionDividesUpToTheDayAndRecomputesEveryBalance) {
    const int a = konto("Giro", "195.583"), c = konto("Kasse", "1");
    kategorie("Kitten", office::kEinnahme);
    b.buchen(a, QDate(2001, 12, 31), QStringLiteral("Kitten"), M("391.166"));
    b.buchen(a, QDate(2001, 12, 30), QStringLiteral("Kasse"), M("-0.0003")); // a transfer: both halves
    b.buchen(a, QDate(2002, 1, 2), QStringLiteral("Kitten"), M("10"));        // already in the new money
    const int weg = konto("Alt");
    const int verwaist = b.buchen(weg, QDate(2001, 1, 1), QStringLiteral("Kitten"), M("4"));
    b.loeschen(weg);
    {
        store::Table v(db, QStringLiteral("verkauft"));
        if (!v.exists()) store::tabelleAnlegenWennFehlt(db, QStringLiteral("verkauft"));
        v.open();
        v.append();
        v.setValue(QStringLiteral("Gekauftam"), QDate(2001, 5, 1));
        v.setValue(QStringLiteral("Preisgekauft"), QStringLiteral("1000"));
        v.setValue(QStringLiteral("Verkauftam"), QDate(2002, 5, 1));
        v.setValue(QStringLiteral("Preisverkauft"), QStringLiteral("300"));
        v.post();
    }
    const auto e = office::waehrungUmrechnen(db, *office::faktorLesen(QStringLiteral("1,95583")), QDate(2001, 12, 31));
    EXPECT_EQ(e.konten, 2);
    EXPECT_EQ(e.buchungen, 3);
    EXPECT_EQ(e.verkaufspreise, 1);
    EXPECT_EQ(b.konto(a)->eroeffnungssaldo, M("100"));
    EXPECT_EQ(stand(a), M("100") + M("200") - M("0.0002") + M("10"));
    EXPECT_EQ(stand(c), M("0.5113") + M("0.0002"));
    EXPECT_EQ(b.buchung(verwaist)->betrag, M("4")); // of no account: unchanged
    stimmt("nach der Umrechnung");
    store::Table v(db, QStringLiteral("verkauft"));
    v.open();
    v.first();
    EXPECT_EQ(v.value(QStringLiteral("Preisgekauft")).value<Money>(), M("511.2919"));
    EXPECT_EQ(v.value(QStringLiteral("Preisverkauft")).value<Money>(), M("300"));
}

} // namespace
