// The download of the update menu: a complete file or nothing.

#include "common/herunterladen.h"
#include "support/testsupport.h"

#include <QFile>
#include <QUrl>
#include <gtest/gtest.h>

using namespace velmora;

TEST(Herunterladen, VollstaendigOderGarNicht) {
    test::TempDir d;
    const QString quelle = d.file(QStringLiteral("quelle.csv"));
    const QString ziel = d.file(QStringLiteral("unter/rasse.csv"));
    {
        QFile f(quelle);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(100000, 'x'));
    }
    ASSERT_TRUE(internetVerbindung(QUrl::fromLocalFile(quelle).toString()));
    QString fehler;
    ASSERT_TRUE(dateiHerunterladen(QUrl::fromLocalFile(quelle).toString(), ziel, &fehler)) << fehler.toStdString();
    QFile z(ziel);
    ASSERT_TRUE(z.open(QIODevice::ReadOnly));
    EXPECT_EQ(z.size(), 100000);
    z.close();

    // A failed transfer leaves the earlier file untouched and says why.
    EXPECT_FALSE(dateiHerunterladen(QUrl::fromLocalFile(d.file(QStringLiteral("fehlt"))).toString(), ziel, &fehler));
    EXPECT_FALSE(fehler.isEmpty());
    ASSERT_TRUE(z.open(QIODevice::ReadOnly));
    EXPECT_EQ(z.size(), 100000);
    EXPECT_FALSE(internetVerbindung(QUrl::fromLocalFile(d.file(QStringLiteral("fehlt"))).toString()));
    // An address nobody answers.
    EXPECT_FALSE(internetVerbindung(QStringLiteral("http://127.0.0.1:9/"), 2000));
}
