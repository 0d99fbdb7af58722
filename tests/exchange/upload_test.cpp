// The upload against real servers on local ports: each file posted as the part "bild" arrives byte for
// byte with its MIME type, a refused POST counts as failed; the pictures arrive over FTP in the account's
// folder, a second upload sends only the changed one, and a refused login, a missing folder, a failed
// transfer and an abort end in their states with the earlier files recorded.

#include "exchange/onlineexport.h"
#include "exchange/register.h"
#include "exchange/server.h"
#include "exchange/upload.h"
#include "support/testsupport.h"

#include <QDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::exchange;

namespace {

QByteArray inhalt(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void schreiben(const QString& pfad, const QByteArray& b) {
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(b);
}

TEST(Upload, HttpPostCarriesEachFileAsPartBild) {
    test::TempDir dir;
    QDir().mkpath(dir.file(QStringLiteral("empfangen")));
    test::Server http(test::kHttpServer, {dir.file(QStringLiteral("empfangen"))});
    ASSERT_GT(http.port, 0);
    const QString adresse = QStringLiteral("http://127.0.0.1:%1/upload.php").arg(http.port);
    QByteArray bild(300000, '\0');
    for (int i = 0; i < bild.size(); ++i)
        bild[i] = char(i * 7 + i / 251);
    schreiben(dir.file(QStringLiteral("IDK7.csv")), "1;Kind-Eins;\r\n2;\xC4rger;\r\n");
    schreiben(dir.file(QStringLiteral("foto.jpg")), bild);
    schreiben(dir.file(QStringLiteral("fehler.csv")), "x;\r\n");
    EXPECT_EQ(httpSenden(adresse, dir.file(QStringLiteral("IDK7.csv"))), Sendung::Ok);
    EXPECT_EQ(httpSenden(adresse, dir.file(QStringLiteral("foto.jpg"))), Sendung::Ok);
    QString fehler;
    EXPECT_EQ(httpSenden(adresse, dir.file(QStringLiteral("fehler.csv")), {}, &fehler),
              Sendung::Fehler); // answered 500
    EXPECT_FALSE(fehler.isEmpty());
    EXPECT_EQ(httpSenden(QStringLiteral("http://127.0.0.1:1/x"), dir.file(QStringLiteral("IDK7.csv"))),
              Sendung::Fehler);
    const QString e = dir.file(QStringLiteral("empfangen/"));
    EXPECT_EQ(inhalt(e + QStringLiteral("000-IDK7.csv")), inhalt(dir.file(QStringLiteral("IDK7.csv"))));
    EXPECT_EQ(inhalt(e + QStringLiteral("002-foto.jpg")), bild);
    EXPECT_EQ(inhalt(e + QStringLiteral("002-foto.jpg.typ")), QByteArray("image/jpeg"));
    EXPECT_EQ(inhalt(e + QStringLiteral("000-IDK7.csv.typ")), QByteArray("text/csv"));
}

class Ftp : public ::testing::Test {
protected:
    void SetUp() override {
        QDir().mkpath(dir.file(QStringLiteral("server/idK7/bilder")));
        QDir().mkpath(dir.file(QStringLiteral("daten")));
        QDir().mkpath(dir.file(QStringLiteral("bilder")));
        db = std::make_unique<store::Database>(dir.file(QStringLiteral("daten")));
        test::leereTabellen(*db);
        server = std::make_unique<test::Server>(
            test::kFtpServer,
            QStringList{dir.file(QStringLiteral("server")), QStringLiteral("velmora"), kPasswort});
        ASSERT_GT(server->port, 0);
        cfg.Hostname = QStringLiteral("127.0.0.1:%1").arg(server->port);
        cfg.Username = QStringLiteral("velmora");
        cfg.Password = kPasswort;
        cfg.TargetPath = ftpZielordner(QString(), QStringLiteral("K7"));
    }
    QString bild(const char* name, int groesse, char c) {
        const QString p = dir.file(QStringLiteral("bilder/") + QString::fromLatin1(name));
        schreiben(p, QByteArray(groesse, c));
        return p;
    }
    TFtpAction senden(const QStringList& pfade, int* gesendet = nullptr, TFtpConfig c = {}) {
        TFtpUpload w(c.Hostname.isEmpty() ? cfg : c, db->directory());
        for (const QString& p : pfade)
            w.hinzufuegen(p);
        w.starten();
        w.warten();
        EXPECT_FALSE(w.fehlerText().contains(kPasswort));
        if (gesendet) *gesendet = w.gesendet();
        return w.zustand();
    }
    int aufgezeichnet() { return int(gesendeteBilder(*db).size()); }
    QString amServer(const char* name) {
        return dir.file(QStringLiteral("server/idK7/bilder/") + QString::fromLatin1(name));
    }

    static inline const QString kPasswort = QStringLiteral("Geheim-7f3");
    test::TempDir dir;
    std::unique_ptr<store::Database> db;
    std::unique_ptr<test::Server> server;
    TFtpConfig cfg;
};

// Two cats with a main picture each: both go up once, then only the one edited since.
TEST_F(Ftp, PicturesArriveAndOnlyChangedOnesGoAgain) {
    const QString a = bild("a.jpg", 200000, 'a'), b = bild("b.jpg", 500000, 'b');
    for (const QString& p : {a, b}) {
        const int k =
            test::anhaengen(*db, "catstamm", {{"Name", QFileInfo(p).baseName()}, {"Geschlecht", "1"}});
        test::anhaengen(*db, "bilder", {{"KatzeNr", k}, {"Bildpfad", p}});
    }
    const auto bildpfade = [this] {
        store::Table katzen(*db, QStringLiteral("catstamm"));
        katzen.open(store::Table::OpenMode::ReadOnly);
        TOnlineExport exp(*db, ExportOptionen{});
        EXPECT_TRUE(exp.katzenDatei(katzen, dir.file(QStringLiteral("IDK7.csv")), Layout::Upload).ok);
        return exp.bildpfade();
    };
    ASSERT_EQ(bildpfade().size(), 2);
    int n = 0;
    EXPECT_EQ(senden(bildpfade(), &n), TFtpAction::ftpREADY);
    EXPECT_EQ(n, 2);
    EXPECT_EQ(inhalt(amServer("a.jpg")), inhalt(a));
    EXPECT_EQ(inhalt(amServer("b.jpg")), inhalt(b));
    EXPECT_EQ(aufgezeichnet(), 2);
    EXPECT_TRUE(bildpfade().isEmpty()); // nothing changed: nothing to send, the names stay in the file
    EXPECT_TRUE(inhalt(dir.file(QStringLiteral("IDK7.csv"))).contains(";b.jpg;"));
    QThread::sleep(1); // a new modification time
    bild("b.jpg", 500000, 'c');
    ASSERT_EQ(bildpfade(), QStringList{b});
    EXPECT_EQ(senden(bildpfade(), &n), TFtpAction::ftpREADY);
    EXPECT_EQ(n, 1);
    EXPECT_EQ(inhalt(amServer("b.jpg")), QByteArray(500000, 'c'));
    EXPECT_EQ(aufgezeichnet(), 3);
}

TEST_F(Ftp, RefusedLoginMissingFolderFailedTransferAndAbort) {
    const QString a = bild("a.jpg", 1000, 'a'), b = bild("b.jpg", 1000, 'b');
    TFtpConfig falsch = cfg;
    falsch.Password = QStringLiteral("falsch");
    EXPECT_EQ(senden({a}, nullptr, falsch), TFtpAction::ftpCONNECTING);
    TFtpConfig fehlt = cfg;
    fehlt.TargetPath = ftpZielordner(QString(), QStringLiteral("X9"));
    EXPECT_EQ(senden({a}, nullptr, fehlt), TFtpAction::ftpCHANGEDIR);
    EXPECT_EQ(aufgezeichnet(), 0);
    // b cannot be stored: a folder of that name stands in its place
    QDir().mkpath(amServer("b.jpg"));
    int n = 0;
    EXPECT_EQ(senden({a, b}, &n), TFtpAction::ftpUPLOADING);
    EXPECT_EQ(n, 2);
    EXPECT_EQ(aufgezeichnet(), 1);

    QStringList viele;
    for (int i = 0; i < 40; ++i)
        viele << bild(QStringLiteral("v%1.jpg").arg(i).toLatin1().constData(), 300000, char('a' + i % 20));
    TFtpUpload w(cfg, db->directory());
    for (const QString& p : viele)
        w.hinzufuegen(p);
    w.starten();
    while (!w.fertig() && w.gesendet() < 2)
        QThread::msleep(1);
    w.anhalten();
    w.warten();
    EXPECT_EQ(w.zustand(), TFtpAction::ftpBREAK);
    EXPECT_LT(w.gesendet(), 40);
    // every picture sent before the stop is recorded
    EXPECT_GE(aufgezeichnet(), 1 + w.gesendet() - 1);
}

// Explicit FTPS against a server that refuses plain FTP: with TLS required and its self-signed
// certificate accepted the picture arrives; the certificate check, on by default, refuses it.
TEST(Ftps, PictureArrivesOverExplicitTls) {
    test::TempDir dir;
    QDir().mkpath(dir.file(QStringLiteral("server/idK7/bilder")));
    QDir().mkpath(dir.file(QStringLiteral("daten")));
    store::Database db(dir.file(QStringLiteral("daten")));
    test::leereTabellen(db);
    test::Server server(test::kFtpsServer, {dir.file(QStringLiteral("server")), QStringLiteral("velmora"),
                                            QStringLiteral("pw")});
    ASSERT_GT(server.port, 0);
    const QString bild = dir.file(QStringLiteral("foto.jpg"));
    QByteArray b(250000, '\0');
    for (int i = 0; i < b.size(); ++i)
        b[i] = char(i * 13 + i / 509);
    schreiben(bild, b);
    TFtpConfig cfg;
    cfg.Hostname = QStringLiteral("127.0.0.1:%1").arg(server.port);
    cfg.Username = QStringLiteral("velmora");
    cfg.Password = QStringLiteral("pw");
    cfg.TargetPath = ftpZielordner(QString(), QStringLiteral("K7"));
    cfg.OhneTls = false;
    EXPECT_TRUE(TFtpConfig{}.ZertifikatPruefen);
    const auto senden = [&](const TFtpConfig& c) {
        TFtpUpload w(c, db.directory());
        w.hinzufuegen(bild);
        w.starten();
        w.warten();
        return w.zustand();
    };
    EXPECT_EQ(senden(cfg), TFtpAction::ftpCONNECTING); // self-signed: refused
    cfg.ZertifikatPruefen = false;
    EXPECT_EQ(senden(cfg), TFtpAction::ftpREADY);
    EXPECT_EQ(inhalt(dir.file(QStringLiteral("server/idK7/bilder/foto.jpg"))), b);
    EXPECT_EQ(gesendeteBilder(db).size(), 1);
}

} // namespace
