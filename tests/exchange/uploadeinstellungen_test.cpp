// The upload's settings section: read back as written, other lines kept, and the file that holds the FTP
// password readable by its owner only.

#include "exchange/uploadeinstellungen.h"
#include "support/testsupport.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace velmora;
using exchange::UploadEinstellungen;

TEST(UploadEinstellungen, RoundTripKeepsOtherLinesAndRestrictsTheFile) {
    test::TempDir dir;
    const QString pfad = dir.file(QStringLiteral("Tessaro.ini"));
    {
        QFile f(pfad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Allgemein]\r\nSprache=Deutsch\r\n");
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
    }
    UploadEinstellungen e = UploadEinstellungen::lesen(pfad);
    EXPECT_TRUE(e.kennung.isEmpty());
    EXPECT_TRUE(e.uploadAdresse.startsWith(QLatin1String("https://")));
    EXPECT_TRUE(e.ftpZertifikatPruefen);
    e.kennung = QStringLiteral("ABCDEFGHIJKLMNOPQ"); // longer than an account code can be
    e.ftpPasswort = QStringLiteral("geheim");
    e.ftpPassiv = false;
    e.ftpZertifikatPruefen = false;
    e.ftpHost = QStringLiteral("127.0.0.1:2121");
    ASSERT_TRUE(e.schreiben(pfad));
    EXPECT_EQ(QFile::permissions(pfad) & (QFileDevice::ReadOther | QFileDevice::ReadGroup),
              QFileDevice::Permissions());
    const UploadEinstellungen r = UploadEinstellungen::lesen(pfad);
    EXPECT_EQ(r.kennung, QStringLiteral("ABCDEFGHIJKLMNO"));
    EXPECT_EQ(r.ftpPasswort, QStringLiteral("geheim"));
    EXPECT_FALSE(r.ftpPassiv);
    EXPECT_FALSE(r.ftpZertifikatPruefen);
    EXPECT_EQ(r.ftpHost, QStringLiteral("127.0.0.1:2121"));
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("Sprache=Deutsch"));
    // a new file is created restricted
    const QString neu = dir.file(QStringLiteral("neu.ini"));
    ASSERT_TRUE(e.schreiben(neu));
    EXPECT_EQ(QFile::permissions(neu) & (QFileDevice::ReadOther | QFileDevice::ReadGroup),
              QFileDevice::Permissions());
}
