// The verpaarungen and nachkommen commands on the hand-built family: their lines as the contract gives
// them, a cat without matings or kittens, a loop in the data, a cat that does not exist, bad arguments.

#include "genealogy/familie.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

using namespace velmora;
namespace f = velmora::test::familie;

namespace {

struct Familie {
    test::DataDir dir;
    Familie() {
        store::Database db(dir.path());
        test::familieSchreiben(db);
    }
    int lauf(const QStringList& args, QString* out, QString* err = nullptr) const {
        QString e;
        return test::runWerkzeug(QStringList{args.first(), dir.path()} + args.mid(1), out, err ? err : &e);
    }
};

} // namespace

TEST(WerkzeugNachkommen, VerpaarungenEinesKatersUndEinerKatze) {
    Familie fam;
    const struct {
        qint32 katze;
        const char* ausgabe;
    } faelle[] = {
        {f::Zorro, "PARTNER;2;Amira\n"
                   "WURF;2021-06-01\nJUNGTIER;13;Dino;1\nJUNGTIER;14;Eva;\n"
                   "WURF;2020-05-01\nJUNGTIER;11;Arno;1\nJUNGTIER;12;Bimbo;3\nJUNGTIER;10;Cleo;2\n"
                   "PARTNER;3;Bella\nWURF;2019-01-01\nJUNGTIER;15;Fiona;4\n"
                   "PARTNER;4;Bella\nWURF;\nJUNGTIER;16;Gina;5\nJUNGTIER;17;Hugo;2\n"},
        {f::Fiona, "PARTNER;11;Arno\nWURF;2023-01-01\nJUNGTIER;21;Lara;2\n"},
        // sex "5": a father in the register, so his kittens are taken by Vater
        {f::Gina, "PARTNER;2;Amira\nWURF;2023-03-03\nJUNGTIER;23;Nino;1\n"},
        {f::Einsam, ""},
        {f::Ida, ""},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.katze);
        QString out;
        EXPECT_EQ(
            fam.lauf({QStringLiteral("verpaarungen"), QStringLiteral("--katze"), QString::number(fall.katze)},
                     &out),
            0);
        EXPECT_EQ(out, QString::fromUtf8(fall.ausgabe));
    }
}

TEST(WerkzeugNachkommen, NachkommenTiefeZuerst) {
    Familie fam;
    const struct {
        qint32 katze;
        const char* generationen; // nullptr: the default
        const char* ausgabe;
    } faelle[] = {
        {f::Arno, nullptr, "1;21;Lara\n1;22;Moritz\nNachkommen: 2\nAuftreten: 2\n"},
        {f::Zorro, "2",
         "1;16;Gina\n2;23;Nino\n1;17;Hugo\n1;19;Jack\n1;18;Ida\n1;15;Fiona\n2;21;Lara\n1;11;Arno\n2;21;Lara\n"
         "2;22;Moritz\n1;12;Bimbo\n1;10;Cleo\n2;22;Moritz\n1;13;Dino\n1;14;Eva\nNachkommen: 13\nAuftreten: "
         "15\n"},
        {f::Amira, "3",
         "1;11;Arno\n2;21;Lara\n2;22;Moritz\n1;12;Bimbo\n1;10;Cleo\n2;22;Moritz\n1;13;Dino\n1;14;Eva\n"
         "1;20;Kuno\n1;23;Nino\nNachkommen: 9\nAuftreten: 10\n"},
        // each is the other's father: the start comes back once and the walk ends there
        {f::SchleifeA, "50", "1;31;Schleife B\n2;30;Schleife A\nNachkommen: 2\nAuftreten: 2\n"},
        {f::Einsam, "10", "Nachkommen: 0\nAuftreten: 0\n"},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.katze);
        QStringList args{QStringLiteral("nachkommen"), QStringLiteral("--katze"),
                         QString::number(fall.katze)};
        if (fall.generationen) args << QStringLiteral("--generationen") << QLatin1String(fall.generationen);
        QString out;
        EXPECT_EQ(fam.lauf(args, &out), 0);
        EXPECT_EQ(out, QString::fromUtf8(fall.ausgabe));
    }
}

TEST(WerkzeugNachkommen, UnbekannteKatzeUndFalscheAufrufe) {
    Familie fam;
    for (const char* befehl : {"verpaarungen", "nachkommen"}) {
        SCOPED_TRACE(befehl);
        QString out, err;
        EXPECT_EQ(
            fam.lauf({QLatin1String(befehl), QStringLiteral("--katze"), QStringLiteral("999")}, &out, &err),
            1);
        EXPECT_TRUE(out.isEmpty());
        EXPECT_TRUE(err.contains(QStringLiteral("999"))) << err.toStdString();
        EXPECT_EQ(fam.lauf({QLatin1String(befehl)}, &out, &err), 64);
        EXPECT_EQ(
            fam.lauf({QLatin1String(befehl), QStringLiteral("--katze"), QStringLiteral("x")}, &out, &err),
            64);
    }
    QString out;
    EXPECT_EQ(fam.lauf({QStringLiteral("nachkommen"), QStringLiteral("--katze"), QStringLiteral("1"),
                        QStringLiteral("--generationen"), QStringLiteral("0")},
                       &out),
              64);
}
