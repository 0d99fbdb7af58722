// The drucken tool command end to end: a layout and the printed pedigree as PDF files read back, the
// message of an unmet condition on stderr with exit code 1, and the usage errors.

#include "support/pdftexte.h"
#include "support/testsupport.h"
#include "katzenregister.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

QStringList pdfTexte(const QString& datei) {
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QStringList alle;
    for (const QStringList& s : test::PdfTexte(f.readAll()).seiten())
        alle += s;
    return alle;
}

TEST(WerkzeugDrucken, WritesLayoutsAndPedigreesAndRefusesWhatTheCatDoesNotSuit) {
    test::DataDir dir;
    {
        store::Database db(dir.path());
        test::druckRegisterSchreiben(db);
    }
    const QString pdf = dir.file(QStringLiteral("aus.pdf"));
    const struct {
        QStringList args;
        int rc;
        const char* stderrText; // contained in stderr
        QStringList pdfTexte;   // contained in the PDF in this order
    } faelle[] = {
        {{"--katze", "10", "--art", "1"}, 0, "", {"Katzendaten", "CH Luna vom Lindenhof", "weiblich", "Seite 1 von 1"}},
        {{"--katze", "10", "--art", "1", "--sprache", "englisch"}, 0, "", {"Cat data", "female", "Page 1 of 1"}},
        {{"--katze", "10", "--art", "15"}, 1, "Dieser Ausdruck ist nur für Kater möglich.", {}},
        {{"--katze", "12", "--art", "7", "--sprache", "englisch"}, 1, "", {}},
        {{"--katze", "20", "--art", "13"}, 1, "nur für weibliche Tiere", {}},
        {{"--katze", "10", "--stammbaum", "deutsch"}, 0, "",
         {"Stammbaum", "Eltern", "IC Atlas of Brook", "Bella vom Lindenhof", "Cäsar", "Dora", "Cäsar", "Emma"}},
        {{"--katze", "10", "--stammbaum", "english"}, 0, "", {"Pedigree", "Parents", "Page 1 of 1"}},
        {{"--katze", "10", "--art", "2"}, 64, "Bild und Formulare", {}},
        {{"--katze", "10", "--art", "1", "--stammbaum", "deutsch"}, 64, "usage", {}},
        {{"--katze", "10", "--stammbaum", "franzoesisch"}, 64, "usage", {}},
        {{"--katze", "99", "--art", "1"}, 2, "keine Katze", {}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.args.join(QLatin1Char(' ')).toStdString());
        QFile::remove(pdf);
        QString out, err;
        const int rc = test::runWerkzeug(QStringList{QStringLiteral("drucken"), dir.path()} + f.args + QStringList{pdf},
                                         &out, &err, {QStringLiteral("QT_QPA_PLATFORM=")});
        EXPECT_EQ(rc, f.rc) << err.toStdString();
        EXPECT_TRUE(err.contains(QString::fromUtf8(f.stderrText))) << err.toStdString();
        if (f.rc != 0) {
            EXPECT_FALSE(QFile::exists(pdf));
            continue;
        }
        const QStringList texte = pdfTexte(pdf);
        qsizetype pos = -1;
        for (const QString& t : f.pdfTexte) {
            qsizetype i = pos + 1;
            while (i < texte.size() && !texte[i].contains(t))
                ++i;
            ASSERT_LT(i, texte.size()) << t.toStdString();
            pos = i;
        }
    }
    // English message of an unmet condition.
    QString err;
    EXPECT_EQ(test::runWerkzeug({QStringLiteral("drucken"), dir.path(), QStringLiteral("--katze"), QStringLiteral("12"),
                                 QStringLiteral("--art"), QStringLiteral("7"), QStringLiteral("--sprache"),
                                 QStringLiteral("englisch"), pdf},
                                nullptr, &err),
              1);
    EXPECT_FALSE(err.trimmed().isEmpty());
    EXPECT_FALSE(err.contains(QStringLiteral("Für diese Katze")));
}

} // namespace
