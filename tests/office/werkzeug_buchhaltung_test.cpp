// The bookkeeping commands of the tool end to end: konto, buchen and buchungen as a script uses them,
// their exit codes and the exact output lines.

#include "support/testsupport.h"

#include <gtest/gtest.h>

using velmora::test::runWerkzeug;

namespace {

int lauf(const QStringList& args, QString* out = nullptr, QString* err = nullptr) {
    return runWerkzeug(args, out, err);
}

QStringList S(std::initializer_list<const char*> w) {
    QStringList l;
    for (const char* x : w)
        l << QString::fromUtf8(x);
    return l;
}

TEST(WerkzeugBuchhaltung, AStatementTakenOverByAScriptAddsUp) {
    velmora::test::TempDir dir;
    const QString d = dir.path();
    QString out, err;
    ASSERT_EQ(lauf(QStringList{QStringLiteral("konto"), d} + S({"Giro", "--art", "bank", "--eroeffnung", "1000.00"}), &out, &err), 0)
        << err.toStdString();
    ASSERT_EQ(lauf(QStringList{QStringLiteral("konto"), d} + S({"Kasse", "--art", "kasse"})), 0);
    EXPECT_EQ(lauf(QStringList{QStringLiteral("konto"), d} + S({"giro", "--art", "kasse"}), &out, &err), 2);
    EXPECT_EQ(lauf(QStringList{QStringLiteral("konto"), d} + S({"Spar", "--art", "sparbuch"})), 64);

    const QList<QStringList> buchungen = {
        S({"--konto", "Giro", "--betrag", "850.00", "--datum", "2024-03-05", "--kategorie", "Kittenverkauf", "--text", "Mia; Wurf A"}),
        S({"--konto", "Giro", "--betrag", "-42.15", "--datum", "2024-03-01", "--kategorie", "Futter"}),
        S({"--konto", "Giro", "--betrag", "-100", "--datum", "2024-03-10", "--gegenkonto", "Kasse"}),
        S({"--konto", "Kasse", "--betrag", "-0.005", "--datum", "2024-04-01", "--kategorie", "Futter"}),
        S({"--konto", "Kasse", "--betrag", "-0.005", "--datum", "2024-04-02", "--kategorie", "Futter"}),
        S({"--konto", "Giro", "--betrag", "5", "--datum", "2025-01-01", "--kategorie", "Futter"}),
    };
    for (const QStringList& b : buchungen)
        ASSERT_EQ(lauf(QStringList{QStringLiteral("buchen"), d} + b, &out, &err), 0) << err.toStdString() << b.join(' ').toStdString();

    // Refused: nothing booked.
    struct Fehler {
        QStringList args;
        int code;
    };
    const QList<Fehler> fehler = {
        {S({"--konto", "Sparbuch", "--betrag", "1", "--datum", "2024-03-01", "--kategorie", "Futter"}), 2},
        {S({"--konto", "Giro", "--betrag", "1,50", "--datum", "2024-03-01", "--kategorie", "Futter"}), 2},
        {S({"--konto", "Giro", "--betrag", "1.23456", "--datum", "2024-03-01", "--kategorie", "Futter"}), 2},
        {S({"--konto", "Giro", "--betrag", "zehn", "--datum", "2024-03-01", "--kategorie", "Futter"}), 2},
        {S({"--konto", "Giro", "--betrag", "1", "--datum", "2024-02-30", "--kategorie", "Futter"}), 2},
        {S({"--konto", "Giro", "--betrag", "1", "--datum", "01.03.2024", "--kategorie", "Futter"}), 2},
        {S({"--konto", "Giro", "--betrag", "1", "--datum", "2024-03-01", "--gegenkonto", "Nirgends"}), 2},
        {S({"--konto", "Giro", "--betrag", "1", "--datum", "2024-03-01", "--gegenkonto", "Giro"}), 2},
        {S({"--konto", "Giro", "--betrag", "1", "--datum", "2024-03-01"}), 2},
        {S({"--konto", "Giro", "--datum", "2024-03-01", "--kategorie", "Futter"}), 64},
    };
    for (const Fehler& f : fehler) {
        EXPECT_EQ(lauf(QStringList{QStringLiteral("buchen"), d} + f.args, &out, &err), f.code) << f.args.join(' ').toStdString();
        if (f.code == 2) {
            EXPECT_FALSE(err.trimmed().isEmpty());
        }
    }

    ASSERT_EQ(lauf(QStringList{QStringLiteral("buchungen"), d} + S({"--von", "2024-01-01", "--bis", "2024-12-31"}), &out, &err), 0)
        << err.toStdString();
    EXPECT_EQ(out, QStringLiteral("2024-03-01;Giro;Futter;-42.15;\n"
                                  "2024-03-05;Giro;Kittenverkauf;850.00;Mia; Wurf A\n"
                                  "2024-03-10;Giro;Kasse;-100.00;\n"
                                  "2024-03-10;Kasse;Giro;100.00;\n"
                                  "2024-04-01;Kasse;Futter;0.00;\n" // -0.005 to the cent, ties to even
                                  "2024-04-02;Kasse;Futter;0.00;\n"
                                  "Saldo: Giro;1707.85\n"
                                  "Saldo: Kasse;99.99\n"
                                  "Einnahmen: 850.00\n"
                                  "Ausgaben: 42.16\n"
                                  "Ergebnis: 807.84\n"));
    ASSERT_EQ(lauf(QStringList{QStringLiteral("buchungen"), d} + S({"--konto", "Giro"}), &out), 0);
    EXPECT_TRUE(out.contains(QStringLiteral("2025-01-01;Giro;Futter;5.00;\n")));
    EXPECT_TRUE(out.endsWith(QStringLiteral("Saldo: Giro;1712.85\nEinnahmen: 850.00\nAusgaben: 37.15\nErgebnis: 812.85\n")))
        << out.toStdString();
    EXPECT_EQ(lauf(QStringList{QStringLiteral("buchungen"), d} + S({"--konto", "Nirgends"}), &out, &err), 2);
    EXPECT_EQ(lauf(QStringList{QStringLiteral("buchungen"), d} + S({"--von", "2024-13-01"}), &out, &err), 2);
}

} // namespace
