// The export command end to end: the same bytes as the export core with the same choices, its count
// line, the upload folder with the files named from the account code, and its usage.

#include "exchange/onlineexport.h"
#include "exchange/register.h"
#include "support/testsupport.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::exchange;

namespace {

QByteArray inhalt(const QString& pfad) {
    QFile f(pfad);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << pfad.toStdString();
    return f.readAll();
}

class WerkzeugExport : public ::testing::Test {
protected:
    void SetUp() override {
        QDir().mkpath(dir.file(QStringLiteral("daten")));
        QDir().mkpath(dir.file(QStringLiteral("bilder")));
        QDir().mkpath(dir.file(QStringLiteral("config/Velmora")));
        store::Database db(dir.file(QStringLiteral("daten")));
        reg = std::make_unique<test::ExportRegister>(db, dir.file(QStringLiteral("bilder")));
    }
    QByteArray erwartet(ExportOptionen opt, Layout layout, int schritt = 0) {
        store::Database db(dir.file(QStringLiteral("daten")));
        store::Table katzen(db, QStringLiteral("catstamm"));
        katzen.open(store::Table::OpenMode::ReadOnly);
        katzen.setIndexName(QString::fromLatin1(kGridIndex));
        TOnlineExport exp(db, opt);
        const QString pfad = dir.file(QStringLiteral("erwartet.csv"));
        if (layout == Layout::Csv)
            EXPECT_TRUE(exp.katzenDatei(katzen, pfad, layout).ok);
        else
            EXPECT_TRUE(
                uploadDateiSchreiben(exp, katzen, {schritt, QStringLiteral("erwartet.csv")}, dir.path()).ok);
        return inhalt(pfad);
    }
    int werkzeug(QStringList args, QString* out, QString* err = nullptr) {
        args.prepend(dir.file(QStringLiteral("daten")));
        args.prepend(QStringLiteral("export"));
        return test::runWerkzeug(args, out, err,
                                 {QStringLiteral("XDG_CONFIG_HOME=") + dir.file(QStringLiteral("config"))});
    }
    test::TempDir dir;
    std::unique_ptr<test::ExportRegister> reg;
};

TEST_F(WerkzeugExport, CsvFileAsTheWindowWritesItWithEachOption) {
    const struct {
        QStringList optionen;
        bool merkmale, bemerkungen, adressen, utf8;
    } faelle[] = {{{}, true, true, true, false},
                  {{"--ohne-merkmale"}, false, true, true, false},
                  {{"--ohne-bemerkungen", "--ohne-adressen"}, true, false, false, false},
                  {{"--utf8"}, true, true, true, true}};
    for (const auto& f : faelle) {
        const QString datei = dir.file(QStringLiteral("aus.csv"));
        QString out, err;
        ASSERT_EQ(werkzeug(QStringList{datei} + f.optionen, &out, &err), 0) << err.toStdString();
        EXPECT_EQ(out, QStringLiteral("Katzen: 4\n"));
        ExportOptionen opt;
        opt.bilder = opt.zuchtbuch = false;
        opt.merkmale = f.merkmale;
        opt.bemerkungen = f.bemerkungen;
        opt.zuechterBesitzer = f.adressen;
        if (f.utf8) opt.kodierung = Kodierung::Utf8;
        EXPECT_EQ(inhalt(datei), erwartet(opt, Layout::Csv)) << f.optionen.join(' ').toStdString();
    }
}

TEST_F(WerkzeugExport, UploadWritesTheFilesNamedFromTheAccountCode) {
    QFile ini(dir.file(QStringLiteral("config/Velmora/Tessaro.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[OnlineDatenbank]\r\nKennung=K7\r\n");
    ini.close();
    const QString ordner = dir.file(QStringLiteral("upload"));
    QString out, err;
    ASSERT_EQ(werkzeug({ordner, QStringLiteral("--upload")}, &out, &err), 0) << err.toStdString();
    EXPECT_EQ(out, QStringLiteral("Katzen: 4\n"));
    QStringList namen = QDir(ordner).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(namen, (QStringList{"IDK7.csv", "adK7.csv", "bdK7.csv", "faK7.csv", "meK7.csv", "mkK7.csv",
                                  "raK7.csv", "zbK7.csv"}));
    ExportOptionen opt;
    EXPECT_EQ(inhalt(ordner + QStringLiteral("/IDK7.csv")), erwartet(opt, Layout::Upload, 1));
    EXPECT_EQ(inhalt(ordner + QStringLiteral("/zbK7.csv")), erwartet(opt, Layout::Upload, 8));
}

TEST_F(WerkzeugExport, UsageAndUnwritableTarget) {
    QString out, err;
    EXPECT_EQ(werkzeug({}, &out, &err), 64);
    EXPECT_EQ(werkzeug({QStringLiteral("a.csv"), QStringLiteral("--bilder")}, &out, &err), 64);
    EXPECT_EQ(werkzeug({dir.file(QStringLiteral("fehlt/a.csv"))}, &out, &err), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("nicht angelegt"))) << err.toStdString();
}

} // namespace
