// The online database window through the main window: the CSV export chosen from the menu, in the order
// of the clicked title and with the user's options; the table editor with search and replace typed and
// clicked in: read-only search, the edit switch, the binding to the clicked column, replace all and a
// value the engine refuses.

#include "exchange/onlineexport.h"
#include "exchange/register.h"
#include "exchange/server.h"
#include "exchange/ui/katzengitter.h"
#include "exchange/ui/onlinedbinterface.h"
#include "exchange/ui/suchenersetzen.h"
#include "store/table.h"
#include "support/ui/hauptfenster.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <gtest/gtest.h>

using namespace velmora;
using exchange::TFormOnlineDBInterface;
using exchange::TFormSuchen_Ersetzen;

namespace {

QByteArray inhalt(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Fenster : test::Hauptfenster {
    Fenster() : test::Hauptfenster(optionen()) {}
    static Optionen optionen() {
        Optionen o;
        o.mitRegister = false;
        o.vorher = [](store::Database& db) {
            QDir().mkpath(db.directory() + QStringLiteral("/../bilder"));
            test::ExportRegister reg(db, db.directory() + QStringLiteral("/../bilder"));
            for (int i = 0; i < 30; ++i)
                test::anhaengen(db, "catstamm",
                                {{"Name", QStringLiteral("Zz Kater %1").arg(i, 2, 10, QLatin1Char('0'))},
                                 {"Geschlecht", "1"},
                                 {"Rufname", i % 2 ? "Rot" : "Blau"},
                                 {"Zwinger", QStringLiteral("A%1").arg(29 - i, 2, 10, QLatin1Char('0'))}});
        };
        return o;
    }
    TFormOnlineDBInterface* oeffnen(const char* menueEintrag) {
        EXPECT_TRUE(menue(QString::fromLatin1(menueEintrag)));
        test::ereignisse();
        for (const char* n :
             {"FormOnlineDBInterfaceCSV", "FormOnlineDBInterface", "FormOnlineDBInterfaceEditor"})
            if (auto* f = dynamic_cast<TFormOnlineDBInterface*>(haupt->fenster(QString::fromLatin1(n))))
                return f;
        return nullptr;
    }
    template <typename W> static W* kind(QWidget* w, const char* name) {
        W* k = w->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(k, nullptr) << name;
        return k;
    }
    static void zelleKlicken(TFormOnlineDBInterface* f, int zeile, int spalte) {
        QTableView* g = f->gitter();
        g->scrollTo(g->model()->index(zeile, spalte));
        test::klicken(g->viewport(), g->visualRect(g->model()->index(zeile, spalte)).center());
    }
    static void titelKlicken(TFormOnlineDBInterface* f, int spalte) {
        QHeaderView* h = f->gitter()->horizontalHeader();
        f->gitter()->scrollTo(f->gitter()->model()->index(0, spalte));
        test::klicken(h->viewport(), QPoint(h->sectionViewportPosition(spalte) + h->sectionSize(spalte) / 2,
                                            h->height() / 2));
    }
    static int spalteVon(TFormOnlineDBInterface* f, const char* feld) {
        for (int i = 0; i < f->modell()->spaltenZahl(); ++i)
            if (qstrcmp(f->modell()->spalte(i).feld, feld) == 0) return i;
        ADD_FAILURE() << feld;
        return -1;
    }
    int zaehlen(const QString& sql) {
        store::Query q(*db, sql);
        return q.next() ? q.value(0).toInt() : -1;
    }
    test::Antworten meldungen;
};

TEST(OnlineDatenbank, CsvExportFollowsTheClickedTitleAndTheOptions) {
    Fenster r;
    TFormOnlineDBInterface* f = r.oeffnen("MenuFormOnlineDBInterfaceCSV");
    ASSERT_NE(f, nullptr);
    EXPECT_FALSE(Fenster::kind<QCheckBox>(f, "CheckBoxBilder")->isVisibleTo(f));
    EXPECT_FALSE(Fenster::kind<QCheckBox>(f, "CheckBoxZuchtbuch")->isVisibleTo(f));
    EXPECT_FALSE(Fenster::kind<QPushButton>(f, "BitBtnUpload")->isVisibleTo(f));
    EXPECT_EQ(f->gitter()->model()->rowCount(), 34);

    // cancelled choice: message 171, nothing written
    f->dateiWahl = [] { return QString(); };
    test::klicken(Fenster::kind<QPushButton>(f, "BitBtnCSV"));
    EXPECT_EQ(r.meldungen.nummern(), QList<int>{171});

    const QString datei = r.daten.file(QStringLiteral("aus.csv"));
    f->dateiWahl = [&] { return datei; };
    Fenster::titelKlicken(f, Fenster::spalteVon(f, "Zwinger"));
    test::ankreuzen(Fenster::kind<QCheckBox>(f, "CheckBoxMerkmale"));
    test::klicken(Fenster::kind<QPushButton>(f, "BitBtnCSV"));
    EXPECT_EQ(r.meldungen.nummern(), QList<int>{171});
    // the same file as the export core writes over the grid's order
    exchange::ExportOptionen opt;
    opt.bilder = opt.zuchtbuch = opt.merkmale = false;
    store::Table katzen(*r.db, QStringLiteral("catstamm"));
    katzen.open(store::Table::OpenMode::ReadOnly);
    katzen.setIndexName(QStringLiteral("ZwinName"));
    exchange::TOnlineExport exp(*r.db, opt);
    ASSERT_TRUE(
        exp.katzenDatei(katzen, r.daten.file(QStringLiteral("erwartet.csv")), exchange::Layout::Csv).ok);
    const QByteArray b = inhalt(datei);
    EXPECT_EQ(b, inhalt(r.daten.file(QStringLiteral("erwartet.csv"))));
    // by cattery: the cats without one first, then A00 (Zz Kater 29) before A29 (Zz Kater 00)
    EXPECT_TRUE(b.startsWith("Leer;;")) << b.left(40).toStdString();
    EXPECT_LT(b.indexOf("\r\nZz Kater 29;A00;m;"), b.indexOf("\r\nZz Kater 00;A29;m;"));
    EXPECT_GT(b.indexOf("\r\nZz Kater 29;A00;m;"), 0);
}

TEST(OnlineDatenbank, EditorSearchesReadOnlyThenReplacesInTheClickedColumn) {
    Fenster r;
    TFormOnlineDBInterface* f = r.oeffnen("MenuFormOnlineDBInterfaceEditor");
    ASSERT_NE(f, nullptr);
    EXPECT_FALSE(Fenster::kind<QWidget>(f, "GroupBoxExportMit")->isVisibleTo(f));
    const int name = Fenster::spalteVon(f, "Name"), rufname = Fenster::spalteVon(f, "Rufname");
    Fenster::zelleKlicken(f, 0, rufname);
    test::klicken(Fenster::kind<QPushButton>(f, "BitBtnSuchenErsetzen"));
    TFormSuchen_Ersetzen* d = f->suchenErsetzen();
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(d->isVisible());
    EXPECT_FALSE(d->ersetzenMoeglich());
    EXPECT_TRUE(
        Fenster::kind<QLabel>(d, "LabelHinweis")->text().contains(QStringLiteral("nicht im Editiermodus")));
    EXPECT_FALSE(Fenster::kind<QPushButton>(d, "BitBtnAlleErsetzen")->isVisibleTo(d));
    EXPECT_EQ(d->spalte(), rufname);

    // search only: stops on each match, in the grid's order
    test::eintragen(Fenster::kind<QLineEdit>(d, "EditSuchen"), QStringLiteral("rot"));
    test::ankreuzen(Fenster::kind<QCheckBox>(d, "CheckBoxGross"));
    auto* suchen = Fenster::kind<QPushButton>(d, "BitBtnSuchen");
    test::klicken(suchen);
    EXPECT_EQ(f->katzen().asString(QStringLiteral("Name")), QStringLiteral("Zz Kater 01"));
    EXPECT_EQ(f->gitter()->currentIndex().column(), rufname);
    EXPECT_EQ(suchen->text(), QStringLiteral("Weitersuchen"));
    test::klicken(suchen);
    EXPECT_EQ(f->katzen().asString(QStringLiteral("Name")), QStringLiteral("Zz Kater 03"));

    // the edit switch asks first; the dialog binds anew and may replace
    r.meldungen.antworten = {Antwort::Ja};
    test::klicken(Fenster::kind<QPushButton>(f, "BitBtnEditieren"));
    EXPECT_TRUE(f->bearbeitbar());
    EXPECT_TRUE(r.meldungen.nummern().contains(198));
    Fenster::zelleKlicken(f, 2, rufname);
    EXPECT_TRUE(d->ersetzenMoeglich());
    EXPECT_TRUE(Fenster::kind<QLabel>(d, "LabelSpalte")->text().endsWith(QStringLiteral("Rufname")));
    test::eintragen(Fenster::kind<QLineEdit>(d, "EditSuchen"), QStringLiteral("Rot"));
    test::eintragen(Fenster::kind<QLineEdit>(d, "EditErsetzen"), QStringLiteral("Purpur"));
    test::klicken(suchen);
    test::klicken(Fenster::kind<QPushButton>(d, "BitBtnAlleErsetzen"));
    EXPECT_EQ(r.meldungen.meldungen.last().nummer, 201);
    EXPECT_TRUE(r.meldungen.meldungen.last().text.contains(QStringLiteral(" 15 ")))
        << r.meldungen.meldungen.last().text.toStdString();
    EXPECT_EQ(r.zaehlen(QStringLiteral("SELECT COUNT(*) FROM catstamm WHERE Rufname = 'Purpur'")), 15);
    EXPECT_EQ(r.zaehlen(QStringLiteral("SELECT COUNT(*) FROM catstamm WHERE Name LIKE '%Purpur%'")), 0);

    // a replacement too long for the name of one cat stops there, naming it; earlier ones stay
    Fenster::zelleKlicken(f, 0, name);
    EXPECT_EQ(d->spalte(), name);
    test::eintragen(Fenster::kind<QLineEdit>(d, "EditSuchen"), QStringLiteral("Kater"));
    test::eintragen(Fenster::kind<QLineEdit>(d, "EditErsetzen"), QString(60, QLatin1Char('K')));
    {
        const int nr =
            r.zaehlen(QStringLiteral("SELECT LaufendeNummer FROM catstamm WHERE Name = 'Zz Kater 05'"));
        store::Table t(*r.db, QStringLiteral("catstamm"));
        t.open();
        ASSERT_TRUE(t.findKey({nr}));
        t.edit();
        t.setValue(QStringLiteral("Name"), QStringLiteral("Zz Kater 05 mit langem Namen"));
        t.post();
    }
    f->modell()->neuLaden();
    test::klicken(suchen);
    test::klicken(Fenster::kind<QPushButton>(d, "BitBtnAlleErsetzen"));
    const Meldung m = r.meldungen.meldungen.last();
    EXPECT_EQ(m.nummer, 2475);
    EXPECT_TRUE(m.text.contains(QStringLiteral("Zz Kater 05 mit langem Namen ("))) << m.text.toStdString();
    // "Vater;Kater" and Zz Kater 00 to 04 come before it in the name order
    EXPECT_TRUE(m.text.endsWith(QStringLiteral(" 6"))) << m.text.toStdString();
    EXPECT_EQ(r.zaehlen(QStringLiteral("SELECT COUNT(*) FROM catstamm WHERE Name LIKE 'Zz KKKK%'")), 5);

    test::klicken(Fenster::kind<QPushButton>(d, "BitBtnZurueck"));
    test::ereignisse();
    EXPECT_EQ(f->suchenErsetzen(), nullptr);
}

// The upload through the window: nothing chosen gives 184; with "Tierdaten" the files of the ticked
// tables reach the HTTP server as written, the chosen picture reaches the FTP server's account folder and
// is recorded, and the run ends with 211.
TEST(OnlineDatenbank, UploadSendsTheFilesAndThePictures) {
    Fenster r;
    TFormOnlineDBInterface* f = r.oeffnen("MenuFormOnlineDBInterface");
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(r.db->tableExists(QStringLiteral("bilderupload")));
    test::ankreuzen(Fenster::kind<QCheckBox>(f, "CheckBoxBilder"));
    test::ankreuzen(Fenster::kind<QCheckBox>(f, "CheckBoxZuchtbuch"));
    test::klicken(Fenster::kind<QPushButton>(f, "BitBtnUpload"));
    EXPECT_EQ(r.meldungen.nummern(), QList<int>{184});
    test::ankreuzen(Fenster::kind<QCheckBox>(f, "CheckBoxBilder"));
    test::ankreuzen(Fenster::kind<QCheckBox>(f, "CheckBoxZuchtbuch"));
    test::ankreuzen(Fenster::kind<QCheckBox>(f, "CheckBoxTierdaten"));

    test::TempDir dir;
    QDir().mkpath(dir.file(QStringLiteral("http")));
    QDir().mkpath(dir.file(QStringLiteral("ftp/idK7/bilder")));
    QDir().mkpath(dir.file(QStringLiteral("aus")));
    test::Server http(test::kHttpServer, {dir.file(QStringLiteral("http"))});
    test::Server ftp(test::kFtpServer,
                     {dir.file(QStringLiteral("ftp")), QStringLiteral("velmora"), QStringLiteral("pw")});
    f->uploadEinstellungen.kennung = QStringLiteral("K7");
    f->uploadEinstellungen.uploadAdresse = QStringLiteral("http://127.0.0.1:%1/upload.php").arg(http.port);
    f->uploadEinstellungen.ftpHost = QStringLiteral("127.0.0.1:%1").arg(ftp.port);
    f->uploadEinstellungen.ftpBenutzer = QStringLiteral("velmora");
    f->uploadEinstellungen.ftpPasswort = QStringLiteral("pw");
    f->uploadOrdner = dir.file(QStringLiteral("aus"));
    r.meldungen.antworten = {Antwort::Ja};
    test::klicken(Fenster::kind<QPushButton>(f, "BitBtnUpload"));
    EXPECT_EQ(r.meldungen.nummern(), (QList<int>{184, 205, 211}));
    const QStringList empfangen =
        QDir(dir.file(QStringLiteral("http"))).entryList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name);
    EXPECT_EQ(empfangen,
              (QStringList{"000-IDK7.csv", "002-mkK7.csv", "004-zbK7.csv", "006-zbK7.csv", "008-bdK7.csv"}));
    EXPECT_EQ(inhalt(dir.file(QStringLiteral("http/000-IDK7.csv"))),
              inhalt(dir.file(QStringLiteral("aus/IDK7.csv"))));
    EXPECT_EQ(inhalt(dir.file(QStringLiteral("http/008-bdK7.csv"))),
              inhalt(dir.file(QStringLiteral("aus/bdK7.csv"))));
    // the breeding book's second sending carries the mating book as well
    EXPECT_GT(inhalt(dir.file(QStringLiteral("http/006-zbK7.csv"))).size(),
              inhalt(dir.file(QStringLiteral("http/004-zbK7.csv"))).size());
    EXPECT_EQ(inhalt(dir.file(QStringLiteral("ftp/idK7/bilder/zweites.jpg"))).size(), 500000);
    EXPECT_EQ(exchange::gesendeteBilder(*r.db).size(), 1);
}

// "Abbruch" while the server keeps silent: the running POST ends at once, the later steps are not
// written, the window says the upload was cancelled and reports no success.
TEST(OnlineDatenbank, UploadAbbruchStopsTheRunningPost) {
    Fenster r;
    TFormOnlineDBInterface* f = r.oeffnen("MenuFormOnlineDBInterface");
    ASSERT_NE(f, nullptr);
    auto* abbruch = Fenster::kind<QPushButton>(f, "BitBtnUploadAbbruch");
    auto* upload = Fenster::kind<QPushButton>(f, "BitBtnUpload");
    EXPECT_FALSE(abbruch->isVisibleTo(f));
    for (const char* k : {"CheckBoxBilder", "CheckBoxZuchtbuch"})
        test::ankreuzen(Fenster::kind<QCheckBox>(f, k));
    for (const char* k : {"CheckBoxTierdaten", "CheckBoxAdressdaten"})
        test::ankreuzen(Fenster::kind<QCheckBox>(f, k));
    test::TempDir dir;
    QDir().mkpath(dir.file(QStringLiteral("http")));
    QDir().mkpath(dir.file(QStringLiteral("aus")));
    test::Server http(test::kHttpServer, {dir.file(QStringLiteral("http"))});
    f->uploadEinstellungen.kennung = QStringLiteral("K7");
    f->uploadEinstellungen.uploadAdresse = QStringLiteral("http://127.0.0.1:%1/langsam.php").arg(http.port);
    f->uploadOrdner = dir.file(QStringLiteral("aus"));

    // clicked as soon as the note says a file is being sent
    bool warAktiv = true;
    QTimer klick;
    QObject::connect(&klick, &QTimer::timeout, [&] {
        if (!Fenster::kind<QLabel>(f, "LabelHinweis")->isVisible()) return;
        klick.stop();
        warAktiv = upload->isEnabled();
        test::klicken(abbruch);
    });
    klick.start(50);
    r.meldungen.antworten = {Antwort::Ja};
    QElapsedTimer uhr;
    uhr.start();
    test::klicken(upload);
    EXPECT_LT(uhr.elapsed(), 60000); // the server would answer after 120 s
    EXPECT_FALSE(klick.isActive());
    EXPECT_FALSE(warAktiv);
    EXPECT_EQ(r.meldungen.nummern(), (QList<int>{205, 2478}));
    EXPECT_TRUE(QFile::exists(dir.file(QStringLiteral("aus/IDK7.csv"))));
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("aus/adK7.csv"))));
    EXPECT_FALSE(abbruch->isVisibleTo(f));
    EXPECT_TRUE(upload->isEnabled());
}

// The upload settings typed into their dialog reach the settings file, which only its owner may read;
// the password field shows no characters.
TEST(OnlineDatenbank, UploadSettingsTypedInAreWrittenOwnerOnly) {
    Fenster r;
    TFormOnlineDBInterface* f = r.oeffnen("MenuFormOnlineDBInterface");
    ASSERT_NE(f, nullptr);
    const struct {
        const char* feld;
        QString wert;
    } eingaben[] = {{"EditUploadAdresse", QStringLiteral("http://db.example.org/auf.php")},
                    {"EditFtpHost", QStringLiteral("ftp.example.org:2121")},
                    {"EditFtpBenutzer", QStringLiteral("zucht")},
                    {"EditFtpPasswort", QStringLiteral("g3h eim;")},
                    {"EditFtpPfad", QStringLiteral("web/katzen")}};
    test::beimNaechstenDialog([&](QWidget* d) {
        EXPECT_EQ(Fenster::kind<QLineEdit>(d, "EditFtpPasswort")->echoMode(), QLineEdit::Password);
        for (const auto& e : eingaben) {
            auto* feld = Fenster::kind<QLineEdit>(d, e.feld);
            EXPECT_FALSE(feld->accessibleName().isEmpty()) << e.feld;
            test::eintragen(feld, e.wert);
        }
        test::ankreuzen(Fenster::kind<QCheckBox>(d, "CheckBoxFtpPassiv"));
        test::ankreuzen(Fenster::kind<QCheckBox>(d, "CheckBoxNurTls"));
        test::klicken(Fenster::kind<QPushButton>(d, "BitBtnOK"));
    });
    test::klicken(Fenster::kind<QPushButton>(f, "BitBtnEinstellungen"));
    EXPECT_TRUE(r.meldungen.nummern().isEmpty());
    const QString ini = r.einstellungen.pfad();
    const exchange::UploadEinstellungen e = exchange::UploadEinstellungen::lesen(ini);
    EXPECT_EQ(e.uploadAdresse, eingaben[0].wert);
    EXPECT_EQ(e.ftpHost, eingaben[1].wert);
    EXPECT_EQ(e.ftpBenutzer, eingaben[2].wert);
    EXPECT_EQ(e.ftpPasswort, eingaben[3].wert);
    EXPECT_EQ(e.ftpPfad, eingaben[4].wert);
    EXPECT_FALSE(e.ftpPassiv);
    EXPECT_FALSE(e.ftpOhneTls);
    EXPECT_EQ(f->uploadEinstellungen.ftpHost, eingaben[1].wert);
    EXPECT_TRUE(inhalt(ini).contains("[System]")); // the other sections stay
    const QFileDevice::Permissions andere =
        QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
    EXPECT_EQ(QFile::permissions(ini) & andere, QFileDevice::Permissions());

    // "Abbruch" keeps what was there
    test::beimNaechstenDialog([&](QWidget* d) {
        test::eintragen(Fenster::kind<QLineEdit>(d, "EditFtpHost"), QStringLiteral("anders"));
        test::klicken(Fenster::kind<QPushButton>(d, "BitBtnAbbruch"));
    });
    test::klicken(Fenster::kind<QPushButton>(f, "BitBtnEinstellungen"));
    EXPECT_EQ(exchange::UploadEinstellungen::lesen(ini).ftpHost, eingaben[1].wert);
}

} // namespace
