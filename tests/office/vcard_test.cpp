// vCard files: a round trip of every field the book has, folding, foreign cards and malformed input;
// the import into the book and the tool commands around it.

#include "office/adressen.h"
#include "office/vcard.h"
#include "store/database.h"
#include "store/table.h"
#include "support/testsupport.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace velmora;
using office::Adresse;

namespace {

Adresse voll() {
    Adresse a;
    a.anrede = QStringLiteral("Frau");
    a.name = QStringLiteral("Größer-Öztürk");
    a.vorname = QStringLiteral("Ännchen");
    a.zwinger = QStringLiteral("vom Bärensee, Süd; Nord");
    a.strasse = QStringLiteral("Lindenstraße 5");
    a.plz = QStringLiteral("12345");
    a.ort = QStringLiteral("Füssen");
    a.land = QStringLiteral("D");
    a.geburtstag = QDate(1970, 2, 28);
    a.telefon = QStringLiteral("+49 30 1234");
    a.telefax = QStringLiteral("+49 30 1235");
    a.handy = QStringLiteral("0170 99");
    a.email = QStringLiteral("anna@baerensee.example");
    a.homepage = QStringLiteral("https://baerensee.example/katzen?x=1");
    a.bemerkung = QStringLiteral("Zeile 1\nZeile 2; mit, Zeichen \\ und ümlaut\n") + QString(90, QChar(0xE4));
    a.status = QStringLiteral("Züchter");
    a.rasseName = QStringLiteral("Perser");
    return a;
}

void gleich(const Adresse& a, const Adresse& b) {
    const QString x[] = {a.anrede,   a.name,      a.vorname, a.zwinger,  a.strasse, a.plz,
                         a.ort,      a.land,      a.telefon, a.telefax,  a.handy,   a.email,
                         a.homepage, a.bemerkung, a.status,  a.rasseName};
    const QString y[] = {b.anrede,   b.name,      b.vorname, b.zwinger,  b.strasse, b.plz,
                         b.ort,      b.land,      b.telefon, b.telefax,  b.handy,   b.email,
                         b.homepage, b.bemerkung, b.status,  b.rasseName};
    for (int i = 0; i < int(std::size(x)); ++i)
        EXPECT_EQ(y[i], x[i]) << "field " << i;
    EXPECT_EQ(b.geburtstag, a.geburtstag);
}

TEST(Vcard, RoundTripOfEveryFieldWithFoldedLines) {
    Adresse leer;
    leer.name = QStringLiteral("Nur Name");
    const QByteArray text = office::vcardsSchreiben({voll(), leer});
    for (const QByteArray& z : text.split('\n')) {
        EXPECT_LE(z.size(), 76) << z.constData(); // 75 octets and the CR
        EXPECT_FALSE(QString::fromUtf8(z).contains(QChar::ReplacementCharacter))
            << "a character split by folding";
    }
    const office::VcardGelesen g = office::vcardsLesen(text);
    ASSERT_EQ(g.karten.size(), 2);
    EXPECT_EQ(g.fehlerhaft, 0);
    gleich(voll(), g.karten[0]);
    gleich(leer, g.karten[1]);
}

TEST(Vcard, ForeignCardsAreReadAndMalformedOnesCountedAndSkippedWhole) {
    const QByteArray gut = "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Gut\r\nN:Gut;;;;\r\nEND:VCARD\r\n";
    struct Fall {
        QByteArray text;
        int karten, fehlerhaft;
    };
    const Fall faelle[] = {
        // a phone's export: version 3, LF only, group prefixes, a line folded with a tab
        {"BEGIN:VCARD\nVERSION:3.0\nN:Berg;Ute;;;\nFN:Ute "
         "Berg\nitem1.TEL;TYPE=CELL:0171\nTEL;TYPE=HOME,VOICE:030\n"
         "NOTE:lang\n\tweiter\nEND:VCARD\n",
         1, 0},
        {"BEGIN:VCARD\r\nFN:Ohne Ende\r\n" + gut, 1, 1},
        {"BEGIN:VCARD\r\nFN:X\r\nkein Doppelpunkt\r\nEND:VCARD\r\n" + gut, 1, 1},
        {"BEGIN:VCARD\r\nFN:Kaputt \xC3\x28\r\nEND:VCARD\r\n" + gut, 1, 1},
        {"BEGIN:VCARD\r\nVERSION:4.0\r\nEMAIL:a@b.c\r\nEND:VCARD\r\n" + gut, 1, 1},
        {"BEGIN:VCARD\r\nFN:X\r\nBDAY:31.02.1990\r\nEND:VCARD\r\n" + gut, 1, 1},
        {"END:VCARD\r\n" + gut, 1, 1},
        {gut + "BEGIN:VCARD\r\nFN:abgeschnitten", 1, 1},
        {"nur Text\r\n", 0, 0},
    };
    for (const Fall& f : faelle) {
        const office::VcardGelesen g = office::vcardsLesen(f.text);
        EXPECT_EQ(g.karten.size(), f.karten) << f.text.constData();
        EXPECT_EQ(g.fehlerhaft, f.fehlerhaft) << f.text.constData();
    }
    const Adresse ute = office::vcardsLesen(faelle[0].text).karten.value(0);
    EXPECT_EQ(ute.name, QStringLiteral("Berg"));
    EXPECT_EQ(ute.vorname, QStringLiteral("Ute"));
    EXPECT_EQ(ute.handy, QStringLiteral("0171"));
    EXPECT_EQ(ute.telefon, QStringLiteral("030"));
    EXPECT_EQ(ute.bemerkung, QStringLiteral("langweiter"));
}

TEST(VcardImport, AddsOnlyNewCardsAndNeverHalfStoresARefusedOne) {
    test::DataDir dir;
    store::Database db(dir.path());
    Adresse zuLang;
    zuLang.name = QString(41, QLatin1Char('x'));
    Adresse zwilling = voll();
    zwilling.geburtstag = QDate(1971, 1, 1); // same names, another birthday: a new address
    const QByteArray text = office::vcardsSchreiben({voll(), zuLang, zwilling});
    office::VcardImport e = office::vcardsImportieren(db, text);
    EXPECT_EQ(e.neu, 2);
    EXPECT_EQ(e.vorhanden, 0);
    EXPECT_EQ(e.fehlerhaft, 1);
    e = office::vcardsImportieren(db, text);
    EXPECT_EQ(e.neu, 0);
    EXPECT_EQ(e.vorhanden, 2);
    EXPECT_EQ(e.fehlerhaft, 1);
    const QList<Adresse> alle = office::adressenSuchen(db, {});
    ASSERT_EQ(alle.size(), 2);
    gleich(voll(), alle[0]);
    EXPECT_EQ(alle[0].rasse, 44); // the breed found again by its name
}

TEST(VcardWerkzeug, ExportImportAndTheAddressListAsContracts) {
    test::DataDir quelle, ziel;
    {
        store::Database db(quelle.path());
        store::Table adr(db, QStringLiteral("adr_dat"));
        adr.open();
        office::adresseAnlegen(adr, db, voll());
        Adresse b;
        b.name = QStringLiteral("Berg");
        b.vorname = QStringLiteral("Ute");
        b.zwinger = QStringLiteral("of Snow");
        b.plz = QStringLiteral("80331");
        b.ort = QStringLiteral("München");
        b.status = QStringLiteral("Käufer");
        office::adresseAnlegen(adr, db, b);
    }
    QString out, err;
    ASSERT_EQ(test::runWerkzeug({QStringLiteral("adressen"), quelle.path()}, &out, &err), 0)
        << err.toStdString();
    EXPECT_EQ(out, QStringLiteral("2;Berg;Ute;of Snow;80331;München;Käufer\n"
                                  "1;Größer-Öztürk;Ännchen;vom Bärensee, Süd; Nord;12345;Füssen;Züchter\n"));
    ASSERT_EQ(test::runWerkzeug({QStringLiteral("adressen"), quelle.path(), QStringLiteral("--ort"),
                                 QStringLiteral("mü"), QStringLiteral("--name"), QStringLiteral("b")},
                                &out),
              0);
    EXPECT_EQ(out, QStringLiteral("2;Berg;Ute;of Snow;80331;München;Käufer\n"));
    ASSERT_EQ(test::runWerkzeug({QStringLiteral("adressen"), quelle.path(), QStringLiteral("--gruppe"),
                                 QStringLiteral("z")},
                                &out),
              0);
    EXPECT_EQ(out, QString());

    const QString datei = ziel.file(QStringLiteral("b.vcf"));
    ASSERT_EQ(test::runWerkzeug({QStringLiteral("vcard-export"), quelle.path(), datei,
                                 QStringLiteral("--gruppe"), QStringLiteral("Zü")},
                                &out),
              0);
    EXPECT_EQ(out, QStringLiteral("exportiert: 1\n"));
    ASSERT_EQ(test::runWerkzeug({QStringLiteral("vcard-export"), quelle.path(), datei}, &out), 0);
    for (const char* erwartet :
         {"neu: 2\nvorhanden: 0\nfehlerhaft: 0\n", "neu: 0\nvorhanden: 2\nfehlerhaft: 0\n"}) {
        ASSERT_EQ(test::runWerkzeug({QStringLiteral("vcard-import"), ziel.path(), datei}, &out), 0);
        EXPECT_EQ(out, QString::fromUtf8(erwartet));
    }
    EXPECT_EQ(test::runWerkzeug({QStringLiteral("vcard-import"), ziel.path()}), 64);
    EXPECT_EQ(test::runWerkzeug({QStringLiteral("adressen")}), 64);
    EXPECT_EQ(
        test::runWerkzeug({QStringLiteral("vcard-import"), ziel.path(), ziel.file(QStringLiteral("fehlt"))}),
        1);
}

} // namespace
