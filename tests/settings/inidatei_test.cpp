// The INI reader/writer: what a user's file looks like after a single key has been written.

#include "settings/inidatei.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace velmora::settings;
using velmora::test::TempDir;

namespace {

QByteArray lies(const QString& pfad) {
    QFile f(pfad);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << pfad.toStdString();
    return f.readAll();
}

void schreibeBytes(const QString& pfad, const QByteArray& bytes) {
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// A file as the original program and a hand editor would leave it: cp1252, CRLF, comments, odd spacing.
const QByteArray kAltdatei = "; von Hand bearbeitet\r\n"
                             "[Drucken]\r\n"
                             "Schriftart=Times New Roman\r\n"
                             "Bildaufl\xf6sung=12\r\n"
                             "Unbekannt = mit  Leerzeichen \r\n"
                             "\r\n"
                             "[System]\r\n"
                             "Sprache=Holl\xe4ndisch\r\n"
                             "Umrechnung bis=31.12.2001\r\n";

} // namespace

TEST(IniDatei, WritingOneKeyChangesOnlyItsValue) {
    TempDir dir;
    const QString pfad = dir.file(QStringLiteral("Tessaro.ini"));
    schreibeBytes(pfad, kAltdatei);

    ASSERT_TRUE(IniDatei::schreibe(
        pfad, {{QStringLiteral("drucken"), QString::fromUtf8("BILDAUFLÖSUNG"), QStringLiteral("20")}}));

    QByteArray erwartet = kAltdatei;
    erwartet.replace("Bildaufl\xf6sung=12", "Bildaufl\xf6sung=20");
    EXPECT_EQ(lies(pfad), erwartet);
}

TEST(IniDatei, ReadsUmlautsAndNamesWithoutRegardToCase) {
    TempDir dir;
    const QString pfad = dir.file(QStringLiteral("Tessaro.ini"));
    schreibeBytes(pfad, kAltdatei);
    IniDatei d(pfad);
    ASSERT_TRUE(d.lesen());
    EXPECT_EQ(d.leseZahl(QStringLiteral("DRUCKEN"), QString::fromUtf8("bildauflösung"), 0), 12);
    EXPECT_EQ(d.leseText(QStringLiteral("system"), QStringLiteral("SPRACHE")),
              QString::fromUtf8("Holländisch"));
    // Spaces around the key and the value do not belong to them.
    EXPECT_EQ(d.leseText(QStringLiteral("Drucken"), QStringLiteral("unbekannt")),
              QStringLiteral("mit  Leerzeichen"));
    EXPECT_EQ(d.leseText(QStringLiteral("Drucken"), QStringLiteral("Schriftart")),
              QStringLiteral("Times New Roman"));
    // A key of another section is not found.
    EXPECT_FALSE(d.enthaelt(QStringLiteral("System"), QStringLiteral("Schriftart")));
    EXPECT_EQ(d.leseText(QStringLiteral("System"), QStringLiteral("Schriftart"), QStringLiteral("Arial")),
              QStringLiteral("Arial"));
}

TEST(IniDatei, CommentsAndLinesBeforeAnySectionAreNoEntries) {
    IniDatei d;
    d.setzeText(QStringLiteral(
        "Schluessel=vorne\n[A]\n;Schluessel=kommentar\nSchluessel=echt\nSchluessel=zweiter\n"));
    EXPECT_EQ(d.leseText(QStringLiteral("A"), QStringLiteral("Schluessel")), QStringLiteral("echt"));
    d.setzeText(QStringLiteral("[A]\nWert=a=b\n"));
    EXPECT_EQ(d.leseText(QStringLiteral("A"), QStringLiteral("Wert")), QStringLiteral("a=b"));
}

TEST(IniDatei, LineEndsBecomeCrlfAndAMissingLastLineEndIsAdded) {
    TempDir dir;
    const QString pfad = dir.file(QStringLiteral("Tessaro.ini"));
    schreibeBytes(pfad, "[A]\nx=1\n[B]\ny=2");
    ASSERT_TRUE(IniDatei::schreibe(pfad, {{QStringLiteral("B"), QStringLiteral("y"), QStringLiteral("3")}}));
    EXPECT_EQ(lies(pfad), QByteArray("[A]\r\nx=1\r\n[B]\r\ny=3\r\n"));
}

TEST(IniDatei, NewKeysGoIntoTheirSectionOrANewOne) {
    TempDir dir;
    const QString pfad = dir.file(QStringLiteral("Tessaro.ini"));
    schreibeBytes(pfad, "[Stammbaum]\r\nLogoBildVertikal=250\r\n\r\n[System]\r\nHilfe=1\r\n");

    ASSERT_TRUE(IniDatei::schreibe(
        pfad, {// the spelling the options window writes; the file's spelling stays
               {QStringLiteral("Stammbaum"), QStringLiteral("LogoBildvertikal"), QStringLiteral("300")},
               // a new key lands after the section's last entry, before the blank line
               {QStringLiteral("Stammbaum"), QStringLiteral("Logo"), QStringLiteral("/bilder/logo.png")},
               // a section the file lacks is added at the end
               {QStringLiteral("LASTCATS"), QStringLiteral("Cat1"), QString::fromUtf8("Bärbel {12}")}}));

    EXPECT_EQ(lies(pfad), QByteArray("[Stammbaum]\r\nLogoBildVertikal=300\r\nLogo=/bilder/logo.png\r\n\r\n"
                                     "[System]\r\nHilfe=1\r\n\r\n[LASTCATS]\r\nCat1=B\xe4rbel {12}\r\n"));
}

TEST(IniDatei, ACommentHeadingTheNextSectionStaysWithIt) {
    TempDir dir;
    const QString pfad = dir.file(QStringLiteral("Tessaro.ini"));
    schreibeBytes(pfad, "[A]\r\n; zu A\r\nx=1\r\n\r\n; zu B\r\n[B]\r\n[C]\r\n; nur Kommentar\r\n");
    ASSERT_TRUE(IniDatei::schreibe(pfad, {{QStringLiteral("A"), QStringLiteral("y"), QStringLiteral("2")},
                                          {QStringLiteral("C"), QStringLiteral("z"), QStringLiteral("3")}}));
    EXPECT_EQ(lies(pfad), QByteArray("[A]\r\n; zu A\r\nx=1\r\ny=2\r\n\r\n; zu B\r\n[B]\r\n[C]\r\nz=3\r\n"
                                     "; nur Kommentar\r\n"));
}

TEST(IniDatei, WritingIntoAMissingFileCreatesIt) {
    TempDir dir;
    const QString pfad = dir.file(QStringLiteral("Tessaro.ini"));
    ASSERT_TRUE(IniDatei::schreibe(pfad, {{QStringLiteral("System"), QStringLiteral("Aufloesung"),
                                           QStringLiteral("Angepasst 1000x700")}}));
    EXPECT_EQ(lies(pfad), QByteArray("[System]\r\nAufloesung=Angepasst 1000x700\r\n"));
}

TEST(IniDatei, AValueWithALineBreakStaysOnOneLine) {
    TempDir dir;
    const QString pfad = dir.file(QStringLiteral("Tessaro.ini"));
    ASSERT_TRUE(IniDatei::schreibe(
        pfad, {{QStringLiteral("A"), QStringLiteral("x"), QStringLiteral("eins\r\n[B]\nzwei=3")}}));
    IniDatei d(pfad);
    ASSERT_TRUE(d.lesen());
    EXPECT_EQ(d.leseText(QStringLiteral("A"), QStringLiteral("x")), QStringLiteral("eins [B] zwei=3"));
    EXPECT_FALSE(d.enthaelt(QStringLiteral("B"), QStringLiteral("zwei")));
}

TEST(IniDatei, AnUnreadableFileIsNotReplaced) {
    TempDir dir;
    // A folder where the file should be cannot be read; writing must fail without touching it.
    const QString pfad = dir.file(QStringLiteral("Tessaro.ini"));
    ASSERT_TRUE(QDir().mkpath(pfad));
    IniDatei d(pfad);
    EXPECT_FALSE(d.lesen());
    EXPECT_FALSE(IniDatei::schreibe(pfad, {{QStringLiteral("A"), QStringLiteral("x"), QStringLiteral("1")}}));
    EXPECT_TRUE(QFileInfo(pfad).isDir());
}

TEST(IniDatei, AFileSavedAsUtf8StaysUtf8) {
    TempDir dir;
    const QString pfad = dir.file(QStringLiteral("Tessaro.ini"));
    const QByteArray utf8 = "[LASTCATS]\r\nCat1=\xc5\x81ucja {7}\r\n[Drucken]\r\nBildaufl\xc3\xb6sung=12\r\n";
    schreibeBytes(pfad, utf8);
    IniDatei d(pfad);
    ASSERT_TRUE(d.lesen());
    EXPECT_TRUE(d.istUtf8());
    EXPECT_EQ(d.leseZahl(QStringLiteral("Drucken"), QString::fromUtf8("Bildauflösung"), 0), 12);

    // "Ł" has no place in cp1252: rewriting the file in cp1252 would turn the other cat's name into "?".
    ASSERT_TRUE(IniDatei::schreibe(
        pfad, {{QStringLiteral("Drucken"), QString::fromUtf8("Bildauflösung"), QStringLiteral("20")}}));
    QByteArray erwartet = utf8;
    erwartet.replace("=12", "=20");
    EXPECT_EQ(lies(pfad), erwartet);

    // With a byte-order mark, which stays.
    schreibeBytes(pfad, "\xef\xbb\xbf[A]\r\nx=1\r\n");
    ASSERT_TRUE(
        IniDatei::schreibe(pfad, {{QStringLiteral("A"), QStringLiteral("y"), QString::fromUtf8("ä")}}));
    EXPECT_EQ(lies(pfad), QByteArray("\xef\xbb\xbf[A]\r\nx=1\r\ny=\xc3\xa4\r\n"));
}

TEST(IniDatei, IntegersAndBooleans) {
    IniDatei d;
    d.setzeText(QStringLiteral("[A]\nzwei=2\nnull=0\nminus=-1\nja=ja\nhex=0x1F\ndollar=$10\nleer=\n"));
    const QString a = QStringLiteral("A");
    // Any non-zero number is true; what is no number gives the default.
    EXPECT_TRUE(d.leseBool(a, QStringLiteral("zwei"), false));
    EXPECT_TRUE(d.leseBool(a, QStringLiteral("minus"), false));
    EXPECT_FALSE(d.leseBool(a, QStringLiteral("null"), true));
    EXPECT_TRUE(d.leseBool(a, QStringLiteral("ja"), true));
    EXPECT_FALSE(d.leseBool(a, QStringLiteral("ja"), false));
    EXPECT_TRUE(d.leseBool(a, QStringLiteral("fehlt"), true));
    EXPECT_EQ(d.leseZahl(a, QStringLiteral("hex"), 0), 31);
    EXPECT_EQ(d.leseZahl(a, QStringLiteral("dollar"), 0), 16);
    EXPECT_EQ(d.leseZahl(a, QStringLiteral("leer"), 7), 7);
    EXPECT_EQ(boolText(true), QStringLiteral("1"));
    EXPECT_EQ(boolText(false), QStringLiteral("0"));
}

TEST(IniDatei, RealNumbersInTheLocaleWithFallBacks) {
    const QLocale de(QLocale::German, QLocale::Germany);
    const QLocale c = QLocale::c();
    bool ok = false;
    EXPECT_DOUBLE_EQ(parseReal(QStringLiteral("1,95583"), de, &ok), 1.95583);
    EXPECT_TRUE(ok);
    // A file written under another locale still reads.
    EXPECT_DOUBLE_EQ(parseReal(QStringLiteral("1,95583"), c, &ok), 1.95583);
    EXPECT_TRUE(ok);
    EXPECT_DOUBLE_EQ(parseReal(QStringLiteral("7.5"), de, &ok), 7.5);
    EXPECT_TRUE(ok);
    EXPECT_DOUBLE_EQ(parseReal(QStringLiteral("10"), de, &ok), 10.0);
    EXPECT_TRUE(ok);
    parseReal(QStringLiteral("zehn"), de, &ok);
    EXPECT_FALSE(ok);
    parseReal(QString(), de, &ok);
    EXPECT_FALSE(ok);

    EXPECT_EQ(realText(1.95583, de), QStringLiteral("1,95583"));
    EXPECT_EQ(realText(1.95583, c), QStringLiteral("1.95583"));
    // No thousands separator, which the reader would refuse.
    EXPECT_EQ(realText(12345.5, de), QStringLiteral("12345,5"));

    IniDatei d;
    d.setzeText(QStringLiteral("[Druck]\nObereRand=kein Wert\nLinkerRand=12,5\n"));
    EXPECT_DOUBLE_EQ(d.leseReal(QStringLiteral("Druck"), QStringLiteral("ObereRand"), 7, de), 7.0);
    EXPECT_DOUBLE_EQ(d.leseReal(QStringLiteral("Druck"), QStringLiteral("LinkerRand"), 10, de), 12.5);
}

TEST(IniDatei, DatesInTheLocaleWithFallBacks) {
    const QLocale de(QLocale::German, QLocale::Germany);
    const QDate heute(2026, 12, 9);
    EXPECT_EQ(parseDatum(QStringLiteral("09.12.2026"), de, heute), QDate(2026, 12, 9));
    EXPECT_EQ(parseDatum(QStringLiteral("2026-12-09"), de, heute), QDate(2026, 12, 9));
    EXPECT_EQ(parseDatum(QStringLiteral("09.12.2026"), QLocale::c(), heute), QDate(2026, 12, 9));
    // Two-digit years fall into the hundred years from fifty years back.
    EXPECT_EQ(parseDatum(QStringLiteral("09.12.26"), de, heute), QDate(2026, 12, 9));
    EXPECT_EQ(parseDatum(QStringLiteral("01.01.76"), de, heute), QDate(1976, 1, 1));
    EXPECT_EQ(parseDatum(QStringLiteral("01.01.75"), de, heute), QDate(2075, 1, 1));
    // "0" is the file's way of saying "never".
    EXPECT_FALSE(parseDatum(QStringLiteral("0"), de, heute).isValid());
    EXPECT_FALSE(parseDatum(QStringLiteral("gestern"), de, heute).isValid());

    EXPECT_EQ(datumText(QDate(2026, 12, 9), de), QStringLiteral("09.12.2026"));
    EXPECT_EQ(datumText(QDate(), de), QStringLiteral("0"));
    for (const QLocale& l : {de, QLocale(QLocale::English, QLocale::UnitedStates), QLocale::c()}) {
        const QDate d(1999, 3, 4);
        EXPECT_EQ(parseDatum(datumText(d, l), l), d) << l.name().toStdString();
    }
}
