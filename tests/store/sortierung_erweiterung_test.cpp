// The loadable collation extension: the sqlite3 shell reads, orders and writes the cat table through
// its text indexes exactly as the engine does.

#include "store/database.h"
#include "store/table.h"
#include "support/testsupport.h"

#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace velmora::store;

namespace {

struct Shell {
    int code = -1;
    QString out, err;
};

Shell shell(const QString& datei, const QStringList& befehle) {
    Shell s;
    QProcess p;
    p.start(QStandardPaths::findExecutable(QStringLiteral("sqlite3")), QStringList{datei} + befehle);
    if (!p.waitForFinished(60000)) return s;
    s.code = p.exitCode();
    s.out = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    s.err = QString::fromUtf8(p.readAllStandardError()).trimmed();
    return s;
}

QString laden() {
    return QStringLiteral(".load ") + QString::fromUtf8(VELMORA_SORTIERUNG);
}

class Erweiterung : public ::testing::Test {
protected:
    velmora::test::DataDir daten;
    QString datei = daten.file(QStringLiteral("catstamm.db"));
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("sqlite3")).isEmpty())
            GTEST_SKIP() << "the sqlite3 shell is not installed (package sqlite3)";
        Database db(daten.path());
        Table t(db, QStringLiteral("catstamm"));
        t.open();
        for (const char* n :
             {"Zora", "bella", "Anton", "Äsop", "Bodo", "Öhrchen", "Ozzy", "Straße", "Strasse"}) {
            t.append();
            t.setValue(QStringLiteral("Name"), QString::fromUtf8(n));
            t.setValue(QStringLiteral("Geschlecht"), QStringLiteral("2"));
            t.post();
        }
    }
};

} // namespace

TEST_F(Erweiterung, WithoutTheExtensionTheShellCannotCountTheCats) {
    const Shell s = shell(datei, {QStringLiteral("select count(*) from catstamm")});
    EXPECT_TRUE(s.err.contains(QLatin1String("no such collation sequence: VELMORA_NOCASE")))
        << s.err.toStdString();
}

TEST_F(Erweiterung, TheShellCountsQueriesAndOrdersByTheNameIndex) {
    struct Fall {
        const char* sql;
        const char* erwartet;
    } faelle[] = {
        {"select count(*) from catstamm", "9"},
        {"select Name from catstamm where Name = 'BELLA'", "bella"},
        {"select group_concat(Name, ',') from (select Name from catstamm where Name >= 'o' and Name < 'p' "
         "order by Name)",
         "Öhrchen,Ozzy"},
        {"select group_concat(Name, ',') from (select Name from catstamm order by Name)",
         "Anton,Äsop,bella,Bodo,Öhrchen,Ozzy,Strasse,Straße,Zora"},
        {"select count(*) from catstamm where Name = 'STRASSE'", "1"},
        {"select group_concat(n, ',') from (select column1 n from (values ('anton'), ('Zora'), ('Äpfel'), "
         "('apfel')) "
         "order by n collate VELMORA_CASE)",
         "Äpfel,Zora,anton,apfel"},
    };
    for (const Fall& f : faelle) {
        const Shell s = shell(datei, {laden(), QString::fromUtf8(f.sql)});
        EXPECT_EQ(s.code, 0) << f.sql << ": " << s.err.toStdString();
        EXPECT_EQ(s.out, QString::fromUtf8(f.erwartet)) << f.sql;
    }
    const Shell plan =
        shell(datei,
              {laden(), QStringLiteral("explain query plan select Name from catstamm where Name = 'BELLA'")});
    EXPECT_TRUE(plan.out.contains(QLatin1String("INDEX ix_Nameidx"))) << plan.out.toStdString();
}

TEST_F(Erweiterung, RowsWrittenByTheShellSitInTheEnginesOrder) {
    const Shell s = shell(
        datei, {laden(), QStringLiteral("insert into catstamm (Name, Geschlecht) values ('ärger', '1')"),
                QStringLiteral("pragma integrity_check")});
    ASSERT_EQ(s.code, 0) << s.err.toStdString();
    EXPECT_EQ(s.out, QStringLiteral("ok"));
    Database db(daten.path());
    Table t(db, QStringLiteral("catstamm"));
    t.open(Table::OpenMode::ReadOnly);
    t.setIndexName(QStringLiteral("Nameidx"));
    QStringList namen;
    for (t.first(); !t.eof(); t.next())
        namen << t.asString(QStringLiteral("Name"));
    EXPECT_EQ(namen.mid(0, 3).join(QLatin1Char(',')), QString::fromUtf8("Anton,ärger,Äsop"));
}
