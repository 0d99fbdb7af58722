// The installation lock between running copies.

#include "store/sperre.h"
#include "support/testsupport.h"

#include <QLockFile>
#include <QCoreApplication>
#include <QSysInfo>
#include <gtest/gtest.h>

using namespace velmora;

TEST(Installationssperre, ZweiteKopieWirdAbgewiesenBisDieErsteFreigibt) {
    test::TempDir d;
    store::Installationssperre erste(d.path());
    ASSERT_TRUE(erste.sperren());
    EXPECT_TRUE(erste.sperren()); // asking again keeps the lock

    // Another holder (as a second program would be) is refused while the first holds it.
    QLockFile zweite(store::Installationssperre::dateiName(d.path()));
    EXPECT_FALSE(zweite.tryLock(0));

    erste.freigeben();
    EXPECT_FALSE(erste.gesperrt());
    EXPECT_TRUE(zweite.tryLock(0));
    zweite.unlock();

    // A lock file left behind by a process that no longer runs is taken over.
    {
        QFile alt(store::Installationssperre::dateiName(d.path()));
        ASSERT_TRUE(alt.open(QIODevice::WriteOnly));
        alt.write("999999\n" + QCoreApplication::applicationName().toUtf8() + "\n" +
                  QSysInfo::machineHostName().toUtf8() + "\n");
    }
    store::Installationssperre dritte(d.path());
    EXPECT_TRUE(dritte.sperren());
}
