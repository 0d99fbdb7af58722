// The text files of the export and the upload on a hand-built register: fields and their order,
// cleaning, flat values, dates, logical values and numbers, the main-picture rule, lost characters and
// the file written whole or not at all; the cat file read back by a real CSV reader.

#include "exchange/onlineexport.h"
#include "exchange/register.h"
#include "store/codepage.h"
#include "support/testsupport.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::exchange;

namespace {

QList<QStringList> lesen(const QString& pfad, bool utf8 = false) {
    QFile f(pfad);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << pfad.toStdString();
    const QByteArray b = f.readAll();
    EXPECT_TRUE(b.isEmpty() || b.endsWith("\r\n"));
    const QString t = utf8 ? QString::fromUtf8(b) : store::fromCp1252(b);
    QList<QStringList> zeilen;
    for (const QString& z : t.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        EXPECT_TRUE(z.endsWith(QLatin1Char(';'))) << z.toStdString();
        EXPECT_FALSE(z.contains(QLatin1Char('\n')) || z.contains(QLatin1Char('\r')));
        QStringList felder = z.split(QLatin1Char(';'));
        felder.removeLast();
        zeilen << felder;
    }
    return zeilen;
}

class ExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        QDir().mkpath(dir.file(QStringLiteral("bilder")));
        db = std::make_unique<store::Database>(dir.file(QStringLiteral("daten")));
        QDir().mkpath(db->directory());
        reg = std::make_unique<test::ExportRegister>(*db, dir.file(QStringLiteral("bilder")));
        opt.locale = QLocale(QLocale::German, QLocale::Germany);
        katzen = std::make_unique<store::Table>(*db, QStringLiteral("catstamm"));
        katzen->open(store::Table::OpenMode::ReadOnly);
        katzen->setIndexName(QString::fromLatin1(kGridIndex));
    }
    // The line of the cat with this record number in a cat file.
    QStringList zeileVon(const QList<QStringList>& zeilen, const QString& name) {
        for (const QStringList& z : zeilen)
            if (z.contains(name)) return z;
        ADD_FAILURE() << "no line with " << name.toStdString();
        return {};
    }
    DateiErgebnis katzenDatei(Layout l, const QString& name = QStringLiteral("katzen.csv")) {
        TOnlineExport exp(*db, opt);
        return exp.katzenDatei(*katzen, dir.file(name), l);
    }

    test::TempDir dir;
    std::unique_ptr<store::Database> db;
    std::unique_ptr<test::ExportRegister> reg;
    std::unique_ptr<store::Table> katzen;
    ExportOptionen opt;
};

TEST(TextFormat, CleaningDatesLogicalValuesAndNumbers) {
    EXPECT_EQ(sauber(QStringLiteral("a;b\"c\r\nd")), QStringLiteral("a-b c  d"));
    EXPECT_EQ(sauber(QStringLiteral("L'Ha\u00FF")), QStringLiteral("L'Ha\u00FF")); // only flat drops 255
    EXPECT_EQ(flach(QStringLiteral("x\u00FF;y\nz")), QStringLiteral("x -y z"));
    const QLocale de(QLocale::German, QLocale::Germany);
    EXPECT_EQ(datumText(QDate(1925, 1, 2), de), QStringLiteral("02.01.1925")); // never two-digit years
    EXPECT_EQ(datumText(QDate(), de), QString());
    const struct {
        QVariant wert;
        const char *logisch, *zahl, *alsText;
    } faelle[] = {{QVariant(), "", "0", ""},          {QVariant(true), "1", "1", "1"},
                  {QVariant(false), "0", "0", "0"},   {QVariant(42), "1", "42", "42"},
                  {QVariant(QString()), "", "0", ""}, {QVariant(-3), "1", "-3", "-3"}};
    for (const auto& f : faelle) {
        EXPECT_EQ(logischText(f.wert), QLatin1String(f.logisch)) << f.wert.toString().toStdString();
        EXPECT_EQ(zahlText(f.wert), QLatin1String(f.zahl));
        EXPECT_EQ(zahlAlsText(f.wert), QLatin1String(f.alsText));
    }
}

TEST_F(ExportTest, CsvCatFileHasItsColumnsInOrder) {
    const DateiErgebnis e = katzenDatei(Layout::Csv);
    ASSERT_TRUE(e.ok);
    EXPECT_EQ(e.zeilen, 4);
    const auto zeilen = lesen(dir.file(QStringLiteral("katzen.csv")));
    ASSERT_EQ(zeilen.size(), 4);
    for (const QStringList& z : zeilen)
        EXPECT_EQ(z.size(), 31);
    // grid order: by name
    EXPECT_EQ(zeilen.at(0).at(0), QStringLiteral("Kind-Eins"));
    EXPECT_EQ(zeilen.at(3).at(0), QStringLiteral("Vater-Kater"));
    const QStringList k = zeilen.at(0);
    const QStringList erwartet = {"Kind-Eins",
                                  "vom  Hof ",
                                  "w/k",
                                  "04.03.2021",
                                  "Kiki",
                                  "Perser",
                                  "blau",
                                  "kupfer",
                                  "ZB 1",
                                  "",
                                  "",
                                  "Vater-Kater",
                                  "Mutter  Mia ",
                                  "Hans Meier",
                                  "Schulz",
                                  "IC/CH",
                                  "276",
                                  "BG / HCM",
                                  "A",
                                  "" /* zero date of death */,
                                  "3",
                                  "",
                                  "",
                                  "",
                                  "7",
                                  "a-a",
                                  "1",
                                  "0",
                                  "PKD neg",
                                  "Zeile eins  Zeile zwei mit   Ende",
                                  "zweites.jpg"};
    EXPECT_EQ(k, erwartet);
    // a cat with nothing set: empty dates, 0 for the genotype, empty logical values; status 1 is the
    // user's own cat
    const QStringList l = zeileVon(zeilen, QStringLiteral("Leer"));
    EXPECT_EQ(l.at(2), QString()); // no sex letter for an unknown code
    EXPECT_EQ(l.at(3), QString());
    EXPECT_EQ(l.at(14), QStringLiteral("Ella Eigen"));
    EXPECT_EQ(l.at(24), QStringLiteral("0"));
    EXPECT_EQ(l.at(26), QString());
    EXPECT_EQ(l.at(30), QString());
}

TEST_F(ExportTest, UploadCatFileCarriesNumbersCodesAndTheEvaluation) {
    ASSERT_TRUE(katzenDatei(Layout::Upload).ok);
    const auto zeilen = lesen(dir.file(QStringLiteral("katzen.csv")));
    for (const QStringList& z : zeilen)
        EXPECT_EQ(z.size(), 37);
    const QStringList k = zeileVon(zeilen, QStringLiteral("Kind-Eins"));
    EXPECT_EQ(k.at(0), QString::number(reg->kind));
    EXPECT_EQ(k.at(3), QStringLiteral("4"));
    EXPECT_EQ(k.at(12), QString::number(reg->vater));
    EXPECT_EQ(k.at(13), QString::number(reg->mutter));
    EXPECT_EQ(k.at(29), QStringLiteral("ID9"));
    EXPECT_EQ(k.at(32), QStringLiteral("zweites.jpg"));
    EXPECT_EQ(k.at(33), QString::number(reg->zuechter));
    EXPECT_EQ(k.at(34), QString::number(reg->besitzer));
    EXPECT_EQ(k.at(35), QString::number(reg->perser));
    EXPECT_EQ(k.at(36), QStringLiteral("sehrgut-"));
    const QStringList l = zeileVon(zeilen, QStringLiteral("Leer"));
    EXPECT_EQ(l.at(4), QString()); // no birth date: empty fifth field
    EXPECT_EQ(l.at(20), QString());
    EXPECT_EQ(l.at(33), QStringLiteral("0"));
}

TEST_F(ExportTest, UntickedOptionsLeaveTheirColumnsEmpty) {
    opt.merkmale = opt.bemerkungen = opt.zuechterBesitzer = opt.bilder = false;
    ASSERT_TRUE(katzenDatei(Layout::Csv).ok);
    const QStringList k =
        zeileVon(lesen(dir.file(QStringLiteral("katzen.csv"))), QStringLiteral("Kind-Eins"));
    for (int i : {13, 14, 17, 29, 30})
        EXPECT_EQ(k.at(i), QString()) << i;
    EXPECT_EQ(k.at(15), QStringLiteral("IC/CH"));
}

TEST_F(ExportTest, LostCharactersAreCountedWithTheirCatsAndUtf8KeepsThem) {
    {
        store::Table t(*db, QStringLiteral("catstamm"));
        t.open();
        ASSERT_TRUE(t.findKey({reg->leer}));
        t.edit();
        t.setValue(QStringLiteral("Rufname"), QStringLiteral("\u0141ucja"));
        t.setValue(QStringLiteral("Tests"), QStringLiteral("\u65E5\u672C \u20AC"));
        t.post();
    }
    katzen->refresh();
    DateiErgebnis e = katzenDatei(Layout::Csv);
    ASSERT_TRUE(e.ok);
    EXPECT_EQ(e.verluste.werte, 2);
    EXPECT_EQ(e.verluste.ersteDatensaetze, QStringList{QStringLiteral("Leer (%1)").arg(reg->leer)});
    const QStringList w = zeileVon(lesen(dir.file(QStringLiteral("katzen.csv"))), QStringLiteral("Leer"));
    EXPECT_EQ(w.at(4), QStringLiteral("?ucja"));
    EXPECT_EQ(w.at(28), QStringLiteral("?? \u20AC")); // the euro sign is in the code page
    opt.kodierung = Kodierung::Utf8;
    e = katzenDatei(Layout::Csv, QStringLiteral("utf8.csv"));
    EXPECT_EQ(e.verluste.werte, 0);
    const QStringList u = zeileVon(lesen(dir.file(QStringLiteral("utf8.csv")), true), QStringLiteral("Leer"));
    EXPECT_EQ(u.at(4), QStringLiteral("\u0141ucja"));
    EXPECT_EQ(u.at(28), QStringLiteral("\u65E5\u672C \u20AC"));
}

TEST_F(ExportTest, MainPictureRule) {
    const QString b = dir.file(QStringLiteral("bilder/"));
    const struct Fall {
        const char* name;
        QStringList dateien; // "-" prefix: missing; "*" prefix: already sent
        int feld2;
        Layout layout;
        const char *pfad, *bildName;
    } faelle[] = {
        {"first qualifying", {"a.jpg", "b.jpg"}, 0, Layout::Upload, "a.jpg", "a.jpg"},
        {"chosen one", {"a.jpg", "b.jpg"}, 2, Layout::Upload, "b.jpg", "b.jpg"},
        {"chosen one sent: name, no path", {"*a.jpg"}, 1, Layout::Upload, "", "a.jpg"},
        {"chosen one sent, earlier one new", {"a.jpg", "*b.jpg"}, 2, Layout::Upload, "a.jpg", "b.jpg"},
        {"chosen one missing", {"a.jpg", "-b.jpg"}, 2, Layout::Upload, "a.jpg", ""},
        {"fewer pictures than chosen", {"-a.jpg", "b.jpg"}, 5, Layout::Upload, "b.jpg", "b.jpg"},
        {"png never sent", {"c.png"}, 0, Layout::Upload, "", ""},
        {"png in the CSV file", {"c.png"}, 0, Layout::Csv, "c.png", "c.png"},
        {"too large", {"gross.jpg"}, 0, Layout::Upload, "", ""},
        {"first sent, second new", {"*a.jpg", "b.jpg"}, 0, Layout::Upload, "b.jpg", "b.jpg"},
        {"all sent: the last examined", {"*a.jpg", "*b.jpg"}, 0, Layout::Upload, "", "b.jpg"},
    };
    test::bildDatei(b + QStringLiteral("a.jpg"), 10);
    test::bildDatei(b + QStringLiteral("b.jpg"), 20);
    test::bildDatei(b + QStringLiteral("c.png"), 10);
    test::bildDatei(b + QStringLiteral("gross.jpg"), kGroessteBilddatei + 1);
    int katze = 1000;
    for (const Fall& f : faelle) {
        ++katze;
        db->execute(QStringLiteral("DELETE FROM bilderupload"));
        for (QString d : f.dateien) {
            const bool fehlt = d.startsWith(QLatin1Char('-')), gesendet = d.startsWith(QLatin1Char('*'));
            if (fehlt || gesendet) d.remove(0, 1);
            test::anhaengen(*db, "bilder",
                            {{"KatzeNr", katze},
                             {"Bildpfad", QString(b + (fehlt ? QStringLiteral("x") : QString()) + d)}});
            if (gesendet) {
                const GesendetesBild g = bildEintrag(b + d);
                test::anhaengen(*db, "bilderupload",
                                {{"Name", g.name},
                                 {"Filegroesse", g.groesse},
                                 {"Aenderungsdatum", QDateTime::fromSecsSinceEpoch(g.zeit)}});
            }
        }
        const TOnlineExport exp(*db, opt);
        const TOnlineExport::Hauptbild h = exp.hauptbild(katze, f.feld2, f.layout);
        EXPECT_EQ(QFileInfo(h.pfad).fileName(), QLatin1String(f.pfad)) << f.name;
        EXPECT_EQ(h.name, QLatin1String(f.bildName)) << f.name;
    }
}

TEST_F(ExportTest, CompanionFiles) {
    TOnlineExport exp(*db, opt);
    const auto datei = [this](const char* n) { return dir.file(QString::fromLatin1(n)); };
    ASSERT_TRUE(exp.adressDatei(datei("ad.csv")).ok);
    const auto ad = lesen(datei("ad.csv"));
    ASSERT_EQ(ad.size(), 2);
    EXPECT_EQ(ad.at(0).size(), 24);
    EXPECT_EQ(ad.at(0).mid(0, 3), (QStringList{QString::number(reg->zuechter), "Meier", "Hans"}));
    EXPECT_EQ(ad.at(0).at(17), QStringLiteral("0")); // breed: a number
    EXPECT_EQ(ad.at(0).at(18), QString());           // subscriber: not set

    ASSERT_TRUE(exp.rassenDatei(datei("ra.csv")).ok);
    EXPECT_EQ(lesen(datei("ra.csv")),
              (QList<QStringList>{{QString::number(reg->perser), "Perser", "PER", "Persian"}}));

    ASSERT_TRUE(exp.merkmalDatei(datei("me.csv")).ok);
    const auto me = lesen(datei("me.csv"));
    ASSERT_EQ(me.size(), 3);
    EXPECT_EQ(me.at(2).mid(1), (QStringList{"Blutgruppe- B", "16711680", "BG"}));

    ASSERT_TRUE(exp.katzeMerkmalDatei(datei("mk.csv")).ok);
    const auto mk = lesen(datei("mk.csv"));
    EXPECT_EQ(mk.size(), 3); // the row without a cat is left out
    for (const QStringList& z : mk)
        EXPECT_EQ(z.at(1), QString::number(reg->kind));

    ASSERT_TRUE(exp.zuchtbuchDatei(datei("zb.csv"), false).ok);
    EXPECT_EQ(lesen(datei("zb.csv")).size(), 1);
    ASSERT_TRUE(exp.zuchtbuchDatei(datei("zb.csv"), true).ok);
    const auto zb = lesen(datei("zb.csv"));
    ASSERT_EQ(zb.size(), 2);
    EXPECT_EQ(zb.at(0).size(), 22);
    EXPECT_EQ(zb.at(1).size(), 22);
    EXPECT_EQ(zb.at(0).mid(1, 7), (QStringList{QString::number(reg->mutter), "", "30.12.2020", "04.03.2021",
                                               QString::number(reg->vater), "gut- verlaufen", "4"}));
    EXPECT_EQ(zb.at(0).at(19), QStringLiteral("1"));
    EXPECT_EQ(zb.at(1).mid(1, 6), (QStringList{QString::number(reg->mutter), "", "02.01.2022", "",
                                               QString::number(reg->vater), ""}));
    EXPECT_EQ(zb.at(1).at(12), QStringLiteral("ja"));

    ASSERT_TRUE(exp.bilderDatei(datei("bd.csv")).ok);
    const auto bd = lesen(datei("bd.csv"));
    ASSERT_EQ(bd.size(), 2);
    EXPECT_EQ(bd.at(0).mid(1),
              (QStringList{QString::number(reg->kind), "erstes.JPG", "erstes.JPG", "", "zweite Notiz"}));
    EXPECT_EQ(bd.at(1).at(5), QStringLiteral("erste"));
}

TEST_F(ExportTest, FileIsReplacedOnlyWhenComplete) {
    const QString ziel = dir.file(QStringLiteral("alt.csv"));
    {
        QFile f(ziel);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("alt\r\n");
    }
    {
        TextDatei d(Kodierung::Westlich);
        ASSERT_TRUE(d.oeffnen(ziel));
        d.feld(QStringLiteral("neu"));
        d.zeileEnde();
        QFile f(ziel);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), QByteArray("alt\r\n")); // still the old file while writing
    }                                                  // dropped without abschliessen: the old file stays
    QFile f(ziel);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("alt\r\n"));
    EXPECT_FALSE(katzenDatei(Layout::Csv, QStringLiteral("fehlt/katzen.csv")).ok);
}

TEST_F(ExportTest, UploadStepsAndNames) {
    UploadAuswahl a;
    a.tierdaten = a.rassen = true;
    ExportOptionen mit;
    QStringList namen;
    for (const UploadSchritt& s : uploadSchritte(a, mit, QStringLiteral("K7")))
        namen << QString::number(s.nummer) + QLatin1Char(':') + s.datei;
    EXPECT_EQ(namen, (QStringList{"1:IDK7.csv", "3:raK7.csv", "6:mkK7.csv", "7:zbK7.csv", "8:zbK7.csv",
                                  "9:bdK7.csv"}));
    EXPECT_EQ(bilderOrdner(QStringLiteral("K7")), QStringLiteral("idK7/bilder"));
    EXPECT_EQ(bilderOrdner(QString()), QString());
}

// The cat file as a spreadsheet reads it: Python's csv module with ";" and the Western code page.
TEST_F(ExportTest, CatFileRoundTripsThroughACsvReader) {
    ASSERT_TRUE(katzenDatei(Layout::Csv).ok);
    const QString datei = dir.file(QStringLiteral("katzen.csv"));
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"),
            {QStringLiteral("-c"),
             QStringLiteral(
                 "import csv,json,sys\n"
                 "rows=list(csv.reader(open(sys.argv[1],encoding='cp1252',newline=''),delimiter=';'))\n"
                 "print(json.dumps(rows))"),
             datei});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QJsonArray rows = QJsonDocument::fromJson(p.readAllStandardOutput()).array();
    const auto erwartet = lesen(datei);
    ASSERT_EQ(rows.size(), erwartet.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        QStringList r;
        for (const QJsonValue& v : rows.at(i).toArray())
            r << v.toString();
        ASSERT_EQ(r.size(), 32); // the trailing ";" reads as one empty field more
        EXPECT_EQ(r.takeLast(), QString());
        EXPECT_EQ(r, erwartet.at(i));
    }
}

} // namespace
