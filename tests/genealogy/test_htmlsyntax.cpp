// The HTML writer: exact lines of its pieces, the pedigree row layout, the error rule and escaping.

#include "common/meldungsdienst.h"
#include "genealogy/htmlsyntax.h"
#include "language/sprache.h"
#include "store/database.h"
#include "support/testsupport.h"

#include <QFile>
#include <QRegularExpression>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace velmora;
using namespace velmora::genealogy;

namespace {

QByteArray roh(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList zeilen(const QString& pfad) {
    QString t = QString::fromUtf8(roh(pfad));
    if (t.endsWith(QStringLiteral("\r\n"))) t.chop(2);
    return t.split(QStringLiteral("\r\n"));
}

// The lines a writer produces between "<HTML>" and "</HTML>".
QStringList schreiben(const std::function<void(THTMLController&)>& tun,
                      language::TSprache* sprache = nullptr) {
    test::TempDir dir;
    const QString pfad = dir.file(QStringLiteral("s.htm"));
    {
        THTMLController w(pfad, sprache);
        tun(w);
    }
    QStringList z = zeilen(pfad);
    EXPECT_EQ(z.value(0), QStringLiteral("<HTML>"));
    EXPECT_EQ(z.value(z.size() - 1), QStringLiteral("</HTML>"));
    return z.mid(1, z.size() - 2);
}

QStringList zellen(int n) {
    QStringList r;
    for (int i = 1; i <= n; ++i)
        r << QStringLiteral("c%1").arg(i);
    return r;
}

// Cells per row and their row spans, read from the written lines.
struct Layout {
    QList<int> zellenJeZeile;
    QList<int> spans;
    QStringList texte;
    QSet<QString> breiten;
};
Layout layout(const QStringList& z) {
    Layout l;
    static const QRegularExpression span(QStringLiteral("rowspan=\"(\\d+)\" width=\"(\\d+)%\""));
    static const QRegularExpression text(
        QStringLiteral("^     <font face=\"[^\"]*\" size=\"\\d\">(.*)</font>$"));
    for (const QString& s : z) {
        if (s == QLatin1String("   <tr>")) l.zellenJeZeile << 0;
        if (const auto m = span.match(s); m.hasMatch()) {
            ++l.zellenJeZeile.last();
            l.spans << m.captured(1).toInt();
            l.breiten << m.captured(2);
        }
        if (const auto m = text.match(s); m.hasMatch()) l.texte << m.captured(1);
    }
    return l;
}

Layout stammbaum(int G) {
    return layout(schreiben([G](THTMLController& w) {
        w.SetHTMLTableStart({}, QStringLiteral("#000000"), 3, 1, 1);
        w.SetHTMLCatTable(zellen((2 << G) - 2), {}, QStringLiteral("Arial"), 10, QStringLiteral("#000000"));
        w.SetHTMLTableEnd();
    }));
}

} // namespace

TEST(HtmlSchreiber, HeadCentredAndLeftWithTheWidthLess30) {
    const QStringList zentriert = schreiben([](THTMLController& w) {
        w.SetHTMLHeader(QStringLiteral("Stammbaum für Amber"), 0, 1024, QStringLiteral("Quillon"));
    });
    const QStringList erwartet{
        QStringLiteral(" <head>"),
        QStringLiteral("  <meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"),
        QStringLiteral("  <meta name=\"GENERATOR\" content=\"Quillon\">"),
        QStringLiteral("  <title>Stammbaum für Amber</title>"),
        QStringLiteral("  <style type=\"text/css\">"),
        QStringLiteral("  <!-- "),
        QStringLiteral("  #container1 {"),
        QStringLiteral(" text-align:center;"),
        QStringLiteral(" margin: auto;"),
        QStringLiteral(" width: 100%;"),
        QStringLiteral(" }"),
        QStringLiteral(" #container2 {"),
        QStringLiteral(" text-align:left;"),
        QStringLiteral(" margin: auto;"),
        QStringLiteral(" width: 994;"),
        QStringLiteral(" }"),
        QStringLiteral("  #d1, #d2{"),
        QStringLiteral("  float:left;"),
        QStringLiteral("  overflow:auto;"),
        QStringLiteral("  position:absolute;"),
        QStringLiteral("  top:10;"),
        QStringLiteral("  width:994;"),
        QStringLiteral("  }"),
        QStringLiteral("  #d3{"),
        QStringLiteral("  position:absolute;"),
        QStringLiteral("  width:994;"),
        QStringLiteral("  }"),
        QStringLiteral("-->"),
        QStringLiteral("</style>"),
        QStringLiteral(" </head>")};
    EXPECT_EQ(zentriert, erwartet);

    const QStringList links = schreiben([](THTMLController& w) { w.SetHTMLHeader({}, 1, 800, {}); });
    EXPECT_EQ(links.mid(6, 4),
              (QStringList{QStringLiteral("  #container {"), QStringLiteral("  margin: left;"),
                           QStringLiteral("  width: 770;"), QStringLiteral("  }")}));
    EXPECT_EQ(links.size(), erwartet.size() - 6);
}

TEST(HtmlSchreiber, FormattedTextDataRowsLineAndTableStart) {
    const QStringList z = schreiben([](THTMLController& w) {
        QStringList zeilen{QStringLiteral("a"), QStringLiteral("b")};
        w.SetHTMLFormattedText(zeilen, QStringLiteral("Arial"), 20);
        EXPECT_TRUE(zeilen.isEmpty());
        QStringList kopf{QStringLiteral("<TD>x</TD>")};
        w.SetHTMLKopfDaten(kopf, QStringLiteral("Arial"), 10);
        EXPECT_TRUE(kopf.isEmpty());
        w.SetHTMLHorizontalLine(QStringLiteral("#000000"), QStringLiteral("100%"));
        w.SetHTMLTableStart({}, QStringLiteral("#FF0000"), 3, 1, 2);
        w.SetHTMLTableStart(QStringLiteral("50%"), QStringLiteral("#00FF00"), 1, 1,
                            1); // ignored: one is open
        w.SetHTMLTableEnd();
        w.SetHTMLTableEnd(); // none open
        QStringList zelle{QStringLiteral("c")}, bild;
        w.SetHTMLTableRow(zelle, bild, QStringLiteral("Arial"), 10, QStringLiteral("#000000")); // none open
    });
    EXPECT_EQ(
        z,
        (QStringList{
            QStringLiteral("  <B><FONT FACE=\"Arial\" SIZE=\"5\">a</FONT></B><BR>"),
            QStringLiteral("  <B><FONT FACE=\"Arial\" SIZE=\"5\">b</FONT></B><BR>"), QStringLiteral("<tr> "),
            QStringLiteral("<TD>x</TD>"), QStringLiteral("</tr> "),
            QStringLiteral(" <HR Align=\"Left\" Size=2 width=\"100%\" Color=\"#000000\">"),
            QStringLiteral("  <table  style=\"border-color:#FF0000;border-width:3px;border-style:solid;\""),
            QStringLiteral("         cellpadding=\"1\""), QStringLiteral("         cellspacing=\"2\""),
            QStringLiteral("         width=\"100%\">"), QStringLiteral("  </table>")}));
}

TEST(HtmlSchreiber, OneRowWithSpansWidthsAndPicture) {
    const QStringList z = schreiben([](THTMLController& w) {
        w.SetHTMLTableStart({}, QStringLiteral("#000000"), 3, 1, 1);
        QStringList c{QStringLiteral("A"), QStringLiteral("B")},
            b{QString(), QStringLiteral("80|100|tom.jpg")};
        w.SetHTMLTableRow(c, b, QStringLiteral("Arial"), 9, QStringLiteral("#000080"));
        EXPECT_TRUE(c.isEmpty());
        EXPECT_TRUE(b.isEmpty());
    });
    const QString td =
        QStringLiteral("    <td style=\"border-color:#000080;border-width:1px;border-style:solid;\"");
    EXPECT_EQ(
        z.mid(4),
        (QStringList{QStringLiteral("   <tr>"), td,
                     QStringLiteral("     valign=\"middle\" rowspan=\"2\" width=\"50%\" height=\"0\">"),
                     QStringLiteral("     <font face=\"Arial\" size=\"1\">A</font>"),
                     QStringLiteral("    </td>"), td,
                     QStringLiteral("     valign=\"middle\" rowspan=\"1\" width=\"50%\" height=\"0\">"),
                     QStringLiteral("     <font face=\"Arial\" size=\"1\">B</font>"),
                     QStringLiteral("<BR><a href=\"tom.jpg\"> <img src=\"tom.jpg\" alt=\"tom.jpg not found\" "
                                    "width=\"100\" height=\"80\"   align=\"right\"></a><BR>"),
                     QStringLiteral("    </td>"), QStringLiteral("   </tr>")}));
}

TEST(HtmlSchreiber, PedigreeRowsSpansAndWidths) {
    const Layout g3 = stammbaum(3);
    EXPECT_EQ(g3.zellenJeZeile, (QList<int>{3, 1, 2, 1, 3, 1, 2, 1}));
    EXPECT_EQ(g3.spans.value(0), 4);
    EXPECT_EQ(g3.breiten, QSet<QString>{QStringLiteral("33")});
    EXPECT_EQ(g3.texte, zellen(14)); // consumed in order

    const Layout g4 = stammbaum(4);
    EXPECT_EQ(g4.zellenJeZeile.size(), 16);
    EXPECT_EQ(g4.zellenJeZeile.mid(0, 8), (QList<int>{4, 1, 2, 1, 3, 1, 2, 1}));
    EXPECT_EQ(g4.breiten, QSet<QString>{QStringLiteral("25")});

    const Layout g12 = stammbaum(12);
    EXPECT_EQ(g12.zellenJeZeile.size(), 4096);
    EXPECT_EQ(g12.spans.size(), 8190);
    EXPECT_EQ(g12.spans.value(0), 2048);
    EXPECT_EQ(g12.breiten, QSet<QString>{QStringLiteral("8")});
}

TEST(HtmlSchreiber, PedigreeListTooShortRecordsLayoutErrorAndStopsWriting) {
    test::TempDir dir;
    const QString pfad = dir.file(QStringLiteral("k.htm"));
    {
        THTMLController w(pfad);
        w.SetHTMLTableStart({}, QStringLiteral("#000000"), 3, 1, 1);
        w.SetHTMLCatTable(zellen(13), {}, QStringLiteral("Arial"), 10,
                          QStringLiteral("#000000")); // 3 gens need 14
        EXPECT_EQ(w.fError(), kHtmlLayoutFehler);
        w.SetError(7);
        w.SetHTMLTableEnd();
        w.Free();
        EXPECT_EQ(w.fError(), kHtmlLayoutFehler);
    }
    const QStringList z = zeilen(pfad);
    EXPECT_FALSE(z.contains(QStringLiteral("</HTML>")));
    EXPECT_FALSE(z.contains(QStringLiteral("  </table>")));
    EXPECT_EQ(z.count(QStringLiteral("   </tr>")), 7); // the rows before the failing eighth
}

TEST(HtmlSchreiber, FirstErrorIsKeptAndNothingIsWrittenAfterIt) {
    test::TempDir dir;
    const QString pfad = dir.file(QStringLiteral("e.htm"));
    {
        THTMLController w(pfad);
        w.SetHTMLSyntax(QStringLiteral("vorher"));
        w.SetHTMLSyntax(QString()); // empty lines are never written
        w.SetError(5);
        w.SetError(7);
        w.SetHTMLSyntax(QStringLiteral("nachher"));
        w.Free();
        EXPECT_EQ(w.fError(), 5);
    }
    EXPECT_EQ(roh(pfad), QByteArray("<HTML>\r\nvorher\r\n"));
}

TEST(HtmlSchreiber, UncreatableFileShowsMessage74AndWritesNothing) {
    test::TempDir dir;
    Meldungsdienst::verlaufLeeren();
    const QString pfad = dir.file(QStringLiteral("fehlt/x.htm"));
    THTMLController w(pfad);
    EXPECT_NE(w.fError(), 0);
    w.SetHTMLSyntax(QStringLiteral("x"));
    w.Free();
    EXPECT_FALSE(QFile::exists(pfad));
    ASSERT_EQ(Meldungsdienst::verlauf().size(), 1);
    EXPECT_EQ(Meldungsdienst::verlauf().first().nummer, 74);
    EXPECT_EQ(Meldungsdienst::verlauf().first().art, MeldungsArt::Fehler);
}

TEST(HtmlSchreiber, FailingWriteOnAFullDeviceIsRecorded) {
    if (!QFile::exists(QStringLiteral("/dev/full"))) GTEST_SKIP() << "no /dev/full on this system";
    THTMLController w(QStringLiteral("/dev/full"));
    ASSERT_EQ(w.fError(), 0);
    for (int i = 0; i < 10000; ++i)
        w.SetHTMLSyntax(QStringLiteral("eine Zeile, die nicht ankommt"));
    w.Free();
    EXPECT_NE(w.fError(), 0);
}

TEST(HtmlSchreiber, FontSizes) {
    const std::pair<int, int> faelle[] = {{0, 1},  {9, 1},  {10, 2}, {11, 2},  {12, 3},
                                          {13, 3}, {14, 4}, {17, 4}, {18, 5},  {23, 5},
                                          {24, 6}, {35, 6}, {36, 7}, {200, 7}, {-1, 7}};
    for (const auto& [punkte, groesse] : faelle)
        EXPECT_EQ(THTMLController::SetHTMLFontSize(punkte), QStringLiteral("\"%1\"").arg(groesse)) << punkte;
}

TEST(HtmlSchreiber, ColourNamesAndCustomEntries) {
    test::DataDir dir;
    store::Database db(dir.path());
    language::TSprache sprache(db, 0);
    ASSERT_TRUE(sprache.oeffnen());
    language::setAktuelleSprache(&sprache);
    const std::pair<const char*, const char*> faelle[] = {{"Rot", "#FF0000"},
                                                          {"red", "#FF0000"},
                                                          {"Custom colour 255", "#FF0000"},
                                                          {"Eigene Farbe 16711680", "#0000FF"},
                                                          {"Orange", "#FFFFFF"},
                                                          {"RED", "#FFFFFF"},
                                                          {"skyblue", "#A6CAF0"},
                                                          {"Weiß", "#FFFFFF"},
                                                          {"Creme", "#FFFBF0"},
                                                          {"medgray", "#A0A0A4"},
                                                          {"Eigene Farbe x", "#FFFFFF"},
                                                          {"black", "#000000"}};
    for (const auto& [name, html] : faelle)
        EXPECT_EQ(farbNameAlsHtml(QString::fromUtf8(name)), QLatin1String(html)) << name;
    EXPECT_EQ(farbeAlsHtml(0x00F0CAA6), QStringLiteral("#A6CAF0"));
    language::setAktuelleSprache(nullptr);
}

TEST(HtmlSchreiber, GenerationTitlesInBothLanguages) {
    test::DataDir dir;
    store::Database db(dir.path());
    language::TSprache sprache(db, 0);
    ASSERT_TRUE(sprache.oeffnen());
    const QStringList z = schreiben(
        [](THTMLController& w) {
            w.SetHTMLTabellenKopf(5, QStringLiteral("Arial"), 12, QStringLiteral("#000000"),
                                  QStringLiteral("#808080"));
        },
        &sprache);
    ASSERT_EQ(z.size(), 17);
    EXPECT_EQ(z[0], QStringLiteral("   <tr>"));
    EXPECT_EQ(z[1],
              QStringLiteral("    <td style=\"border-color:#808080;border-width:1px;border-style:solid;\">"));
    EXPECT_EQ(z[2], QStringLiteral("<font face=\"Arial\" size=\"3\" color=\"#000000\">Eltern</font>"));
    EXPECT_EQ(z[3], QStringLiteral("    </td>"));
    EXPECT_EQ(z[16], QStringLiteral("  </tr>"));
    QStringList titel;
    for (int g = 1; g <= 5; ++g)
        titel << generationsTitel(g, &sprache);
    EXPECT_EQ(titel, (QStringList{QStringLiteral("Eltern"), QStringLiteral("Großeltern"),
                                  QStringLiteral("Urgroßeltern"), QStringLiteral("Ururgroßeltern"),
                                  QStringLiteral("5. Generation")}));
    sprache.setSprache(1);
    EXPECT_EQ(generationsTitel(1, &sprache), QStringLiteral("Parents"));
    EXPECT_EQ(generationsTitel(7, &sprache), QStringLiteral("7. generation"));
}

TEST(HtmlSchreiber, PlainTextsAreEscapedAndWrittenInUtf8) {
    const QStringList z = schreiben([](THTMLController& w) {
        w.SetHTMLHeader(QStringLiteral("Tom & Jerry <CH> Čížek Łódź"), 0, 1024, QStringLiteral("a\"b"));
        w.SetHTMLTableStart({}, QStringLiteral("#000000"), 3, 1, 1);
        QStringList c{QStringLiteral("x")}, b{QStringLiteral("10|20|a\"b<c>&.jpg")};
        w.SetHTMLTableRow(c, b, QStringLiteral("Font\"X"), 10, QStringLiteral("#000000"));
    });
    EXPECT_EQ(z[3], QStringLiteral("  <title>Tom &amp; Jerry &lt;CH&gt; Čížek Łódź</title>"));
    EXPECT_EQ(z[2], QStringLiteral("  <meta name=\"GENERATOR\" content=\"a&quot;b\">"));
    EXPECT_TRUE(z.contains(QStringLiteral("     <font face=\"Font&quot;X\" size=\"2\">x</font>")));
    EXPECT_TRUE(z.contains(
        QStringLiteral("<BR><a href=\"a&quot;b&lt;c&gt;&amp;.jpg\"> <img src=\"a&quot;b&lt;c&gt;&amp;.jpg\" "
                       "alt=\"a&quot;b&lt;c&gt;&amp;.jpg not found\" width=\"20\" height=\"10\"   "
                       "align=\"right\"></a><BR>")));
    EXPECT_EQ(htmlMaskieren(QStringLiteral("Tom & Jerry <CH> \"x\"")),
              QStringLiteral("Tom &amp; Jerry &lt;CH&gt; &quot;x&quot;"));
}
