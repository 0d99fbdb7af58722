// The settings object: fields, defaults, the derived item orders, sizing and the keys written back.

#include "felderwartung.h"
#include "settings/inidatei.h"
#include "settings/systeminfo.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace velmora::settings;
using velmora::test::feldErwartungen;
using velmora::test::TempDir;

namespace {

const QLocale kDeutsch(QLocale::German, QLocale::Germany);
const QRect kBildschirm(0, 0, 1280, 1024);

void schreibeBytes(const QString& pfad, const QByteArray& bytes) {
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray lies(const QString& pfad) {
    QFile f(pfad);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

QString angezeigt(const tsysteminfo& info, const char* name) {
    const FeldBeschreibung* f = feld(QString::fromUtf8(name));
    EXPECT_NE(f, nullptr) << name;
    return f ? info.anzeigeText(*f) : QString();
}

// Loads a file with the given content in a fresh folder.
struct Geladen {
    TempDir dir;
    tsysteminfo info;
    QString pfad;
    explicit Geladen(const QByteArray& inhalt, const QLocale& locale = kDeutsch,
                     const QRect& wa = kBildschirm) {
        pfad = dir.file(QStringLiteral("Tessaro.ini"));
        schreibeBytes(pfad, inhalt);
        EXPECT_TRUE(info.load(pfad, wa, locale));
    }
};

std::vector<int> ersteEintraege(const auto& array) {
    std::vector<int> v;
    for (const quint8 x : array) {
        if (x == 0) break;
        v.push_back(x);
    }
    return v;
}

} // namespace

TEST(Einstellungsfelder, DeclarationOrderAndNames) {
    const auto& erwartet = feldErwartungen();
    const auto ist = felder();
    ASSERT_EQ(ist.size(), erwartet.size());
    for (size_t i = 0; i < erwartet.size(); ++i)
        EXPECT_STREQ(ist[i].name, erwartet[i].name) << "position " << i;
}

TEST(Einstellungsfelder, AnEmptyFileGivesTheDefaults) {
    Geladen g("");
    for (const auto& e : feldErwartungen())
        EXPECT_EQ(angezeigt(g.info, e.name), QString::fromUtf8(e.vorgabe)) << e.name;
    // A missing file reads the same.
    tsysteminfo fehlt;
    TempDir dir;
    ASSERT_TRUE(fehlt.load(dir.file(QStringLiteral("Tessaro.ini")), kBildschirm, kDeutsch));
    for (const auto& e : feldErwartungen())
        EXPECT_EQ(angezeigt(fehlt, e.name), QString::fromUtf8(e.vorgabe)) << e.name;
    // An object never loaded holds the same, with the smallest size for want of a work area.
    const tsysteminfo neu;
    for (const auto& e : feldErwartungen())
        EXPECT_EQ(angezeigt(neu, e.name), qstrcmp(e.name, "Aufloesung") == 0 ? QStringLiteral("800x600")
                                                                             : QString::fromUtf8(e.vorgabe))
            << e.name;
}

TEST(Einstellungsfelder, EveryKeyIsReadFromItsSection) {
    Geladen g(velmora::test::dateiMitAllenWerten());
    for (const auto& e : feldErwartungen())
        EXPECT_EQ(angezeigt(g.info, e.name), QString::fromUtf8(e.gelesen)) << e.name;
}

TEST(Einstellungsfelder, WritingEveryFieldReadsBackTheSame) {
    Geladen g(velmora::test::dateiMitAllenWerten());
    QStringList alle;
    for (const FeldBeschreibung& f : felder())
        if (f.gespeichert()) alle << QString::fromUtf8(f.name);
    // Emptied first, so what is read back can only come from what was written.
    schreibeBytes(g.pfad, "");
    ASSERT_TRUE(g.info.schreibeFelder(alle));
    tsysteminfo neu;
    ASSERT_TRUE(neu.load(g.pfad, kBildschirm, kDeutsch));
    for (const auto& e : feldErwartungen())
        EXPECT_EQ(angezeigt(neu, e.name), QString::fromUtf8(e.gelesen)) << e.name;
    // German locale: the factor keeps its decimal comma; the language its umlaut in cp1252.
    const QByteArray datei = lies(g.pfad);
    EXPECT_TRUE(datei.contains("WaehrungsumrechnungFaktor=1,95583\r\n"));
    EXPECT_TRUE(datei.contains("WaehrungsumrechnungAm=31.12.2001\r\n"));
    EXPECT_TRUE(datei.contains("Sprache=Holl\xe4ndisch\r\n"));
    EXPECT_TRUE(datei.contains("Bildaufl\xf6sung=20\r\n"));
    EXPECT_TRUE(datei.contains("[LASTCATS]\r\nCat1={}\r\nCat2=B\xe4rbel {12}\r\nCat3={}\r\n"));
}

TEST(Einstellungsfelder, SingleKeysWrittenAtOnce) {
    Geladen g("; Kopf\r\n[Wurfbuch]\r\nberechnungplusminus=14\r\nEigenes=bleibt\r\n");
    g.info.TageNRplusMinus = 21;
    ASSERT_TRUE(g.info.schreibeFeld(QStringLiteral("TageNRplusMinus")));
    ASSERT_TRUE(g.info.AufloesungSpeichern(1000, 700));
    EXPECT_EQ(g.info.Aufloesung, QStringLiteral("Angepasst 1000x700"));
    ASSERT_TRUE(g.info.schreibeSchluessel(QStringLiteral("System"), QStringLiteral("Umrechnung bis"),
                                          QStringLiteral("31.12.2001")));
    EXPECT_EQ(lies(g.pfad), QByteArray("; Kopf\r\n[Wurfbuch]\r\nberechnungplusminus=21\r\nEigenes=bleibt\r\n"
                                       "\r\n[System]\r\nAufloesung=Angepasst 1000x700\r\n"
                                       "Umrechnung bis=31.12.2001\r\n"));
    // Computed and unknown fields have no key.
    EXPECT_FALSE(g.info.schreibeFeld(QStringLiteral("stammbaumAnzeigeArray")));
    EXPECT_FALSE(g.info.schreibeFeld(QStringLiteral("SpracheGeaendert")));
    EXPECT_FALSE(g.info.schreibeFeld(QStringLiteral("Gibtsnicht")));
    // An object never loaded knows no file.
    tsysteminfo ohneDatei;
    EXPECT_FALSE(ohneDatei.schreibeFeld(QStringLiteral("Status")));
}

TEST(Einstellungsfelder, AnUnreadableFileLeavesTheDefaults) {
    TempDir dir;
    const QString pfad = dir.file(QStringLiteral("Tessaro.ini"));
    ASSERT_TRUE(QDir().mkpath(pfad));
    tsysteminfo info;
    EXPECT_FALSE(info.load(pfad, kBildschirm, kDeutsch));
    EXPECT_EQ(info.Schriftart, QStringLiteral("Arial"));
    EXPECT_EQ(info.TageNaechsteRolligkeit, 165);
    EXPECT_FALSE(info.schreibeFeld(QStringLiteral("Status")));
}

TEST(Einstellungsfelder, ValuesThatAreNoNumbersFallBack) {
    Geladen g("[Druck]\r\nObereRand=oben\r\nLinkerRand=\r\n[Wurfbuch]\r\nBerechnungRolligkeit=viele\r\n"
              "BerechnungPlusMinus=-1\r\n[System]\r\nSpeichern=2\r\nHilfe=nein\r\n"
              "WaehrungsumrechnungFaktor=x\r\nWaehrungsumrechnungAm=irgendwann\r\n");
    EXPECT_DOUBLE_EQ(g.info.Druckoben, 7.0);
    EXPECT_DOUBLE_EQ(g.info.Drucklinks, 10.0);
    EXPECT_EQ(g.info.TageNaechsteRolligkeit, 165);
    EXPECT_EQ(g.info.TageNRplusMinus, 255); // -1 as a byte
    EXPECT_TRUE(g.info.speichern);          // any non-zero number
    EXPECT_TRUE(g.info.hilfe);              // no number: the default
    EXPECT_DOUBLE_EQ(g.info.faktoram, 0.0);
    EXPECT_FALSE(g.info.Umrechnungam.isValid());
}

TEST(Einstellungsfelder, RealsFromAnotherLocaleStillRead) {
    Geladen g("[System]\r\nWaehrungsumrechnungFaktor=1,95583\r\n[Druck]\r\nObereRand=7.25\r\n", QLocale::c());
    EXPECT_DOUBLE_EQ(g.info.faktoram, 1.95583);
    EXPECT_DOUBLE_EQ(g.info.Druckoben, 7.25);
}

TEST(Einstellungsfelder, LanguageIsComparedExactly) {
    struct Fall {
        QByteArray wert;
        Sprache sprache;
    };
    for (const Fall& f :
         {Fall{"Englisch", Sprache::Englisch}, Fall{"englisch", Sprache::Deutsch},
          Fall{"Holl\xe4ndisch", Sprache::Hollaendisch}, Fall{"Hollaendisch", Sprache::Deutsch},
          Fall{"Deutsch", Sprache::Deutsch}, Fall{"Klingonisch", Sprache::Deutsch}}) {
        Geladen g("[System]\r\nSprache=" + f.wert + "\r\n");
        EXPECT_EQ(g.info.Sprache, f.sprache) << f.wert.toStdString();
        EXPECT_EQ(g.info.spracheNummer(), int(f.sprache));
        // Only a language other than German has to be applied to the windows.
        EXPECT_EQ(g.info.SpracheGeaendert, f.sprache != Sprache::Deutsch) << f.wert.toStdString();
    }
}

TEST(Einstellungsfelder, ToleranceIsStoredModulo256) {
    EXPECT_EQ(alsByte(300), 44);
    EXPECT_EQ(alsByte(255), 255);
    EXPECT_EQ(alsByte(256), 0);
    Geladen g("[Wurfbuch]\r\nBerechnungPlusMinus=300\r\n");
    EXPECT_EQ(g.info.TageNRplusMinus, 44);
}

TEST(Aufloesung, DefaultFollowsTheWorkArea) {
    EXPECT_EQ(aufloesungVorgabe(QRect(0, 0, 1280, 1024)), QStringLiteral("1152x864"));
    EXPECT_EQ(aufloesungVorgabe(QRect(0, 0, 1025, 769)), QStringLiteral("1152x864"));
    // Wider and higher, both strictly.
    EXPECT_EQ(aufloesungVorgabe(QRect(0, 0, 1024, 1024)), QStringLiteral("1024x768"));
    EXPECT_EQ(aufloesungVorgabe(QRect(0, 0, 1280, 768)), QStringLiteral("1024x768"));
    EXPECT_EQ(aufloesungVorgabe(QRect(0, 0, 801, 601)), QStringLiteral("1024x768"));
    EXPECT_EQ(aufloesungVorgabe(QRect(0, 0, 800, 1024)), QStringLiteral("800x600"));
    EXPECT_EQ(aufloesungVorgabe(QRect()), QStringLiteral("800x600"));
    Geladen g("", kDeutsch, QRect(0, 0, 1024, 768));
    EXPECT_EQ(g.info.Aufloesung, QStringLiteral("1024x768"));
    // A key that is there wins, even empty.
    Geladen leer("[System]\r\nAufloesung=\r\n");
    EXPECT_EQ(leer.info.Aufloesung, QString());
}

TEST(Aufloesung, WindowSizes) {
    const QRect wa(0, 0, 1280, 984);
    {
        const Fenstermasse m = fensterMasse(QStringLiteral("Angepasst 1000x700"), wa);
        EXPECT_FALSE(m.maximiert);
        EXPECT_TRUE(m.groesseSetzen);
        EXPECT_TRUE(m.positionSetzen);
        EXPECT_EQ(m.rechteck, QRect(140, 142, 1000, 700));
    }
    {
        // Too wide: cut to the work area and moved to its corner.
        const Fenstermasse m = fensterMasse(QStringLiteral("Angepasst 2000x700"), wa);
        EXPECT_TRUE(m.groesseSetzen);
        EXPECT_TRUE(m.positionSetzen);
        EXPECT_EQ(m.rechteck, QRect(0, 0, 1280, 700));
    }
    {
        // Exactly the edge counts as beyond it.
        const Fenstermasse m = fensterMasse(QStringLiteral("1000x984"), wa);
        EXPECT_EQ(m.rechteck, QRect(0, 0, 1000, 984));
        EXPECT_EQ(fensterMasse(QStringLiteral("1280x700"), wa).rechteck, QRect(0, 0, 1280, 700));
        EXPECT_EQ(fensterMasse(QStringLiteral("1279x983"), wa).rechteck, QRect(0, 0, 1279, 983));
        EXPECT_EQ(fensterMasse(QStringLiteral("1278x982"), wa).rechteck, QRect(1, 1, 1278, 982));
    }
    {
        // No numbers: only the normal state.
        const Fenstermasse m = fensterMasse(QStringLiteral("Angepasst"), wa);
        EXPECT_FALSE(m.maximiert);
        EXPECT_FALSE(m.groesseSetzen);
        EXPECT_FALSE(m.positionSetzen);
        // One number missing: neither size nor position.
        const Fenstermasse n = fensterMasse(QStringLiteral("1000x"), wa);
        EXPECT_FALSE(n.groesseSetzen);
        EXPECT_FALSE(n.positionSetzen);
    }
    {
        // Everything but digits is skipped; digits after a second "x" still belong to the height.
        EXPECT_EQ(fensterMasse(QStringLiteral("b=8a0b0 x 6y0z0"), wa).rechteck, QRect(240, 192, 800, 600));
        EXPECT_EQ(fensterMasse(QStringLiteral("800x3x0"), wa).rechteck, QRect(240, 477, 800, 30));
        // A run of digits cannot overflow into a small or negative size.
        EXPECT_EQ(fensterMasse(QStringLiteral("99999999999999999999x700"), wa).rechteck,
                  QRect(0, 0, 1280, 700));
    }
    {
        const Fenstermasse m = fensterMasse(QStringLiteral("Maximized"), wa);
        EXPECT_TRUE(m.maximiert);
        EXPECT_EQ(m.rechteck.size(), QSize(1280, 984));
        // Only the exact word.
        EXPECT_FALSE(fensterMasse(QStringLiteral("maximized"), wa).maximiert);
    }
    {
        // A work area that does not start at the screen's corner (task bar at the left): the window stays
        // inside it.
        const QRect links(100, 0, 1180, 984);
        EXPECT_EQ(fensterMasse(QStringLiteral("1000x700"), links).rechteck, QRect(190, 142, 1000, 700));
        EXPECT_EQ(fensterMasse(QStringLiteral("2000x700"), links).rechteck, QRect(100, 0, 1180, 700));
    }
    {
        // No work area: everything is cut to nothing, so the window only moves to the corner.
        const Fenstermasse m = fensterMasse(QStringLiteral("1000x700"), QRect());
        EXPECT_TRUE(m.positionSetzen);
        EXPECT_FALSE(m.groesseSetzen);
    }
}

TEST(Reihenfolge, ItemsInTheOrderOfTheirKeywords) {
    using V = std::vector<int>;
    EXPECT_EQ(ersteEintraege(stammbaumReihenfolge(QStringLiteral("FarbeTitel"))), V({2, 1}));
    EXPECT_EQ(ersteEintraege(stammbaumReihenfolge(QStringLiteral("Titel,Farbe"))), V({1, 2}));
    // Case-sensitive: the "farbe" inside "Augenfarbe" is not item 2.
    EXPECT_EQ(ersteEintraege(stammbaumReihenfolge(QStringLiteral("Titel,Augenfarbe"))), V({1, 3}));
    // A keyword inside another is chosen too, at the same place; the lower number first.
    EXPECT_EQ(ersteEintraege(stammbaumReihenfolge(QStringLiteral("Rassecode"))), V({11, 12}));
    EXPECT_EQ(ersteEintraege(stammbaumReihenfolge(QStringLiteral("Farbcode,Rasse"))), V({10, 11}));
    EXPECT_TRUE(ersteEintraege(stammbaumReihenfolge(QString())).empty());
    EXPECT_TRUE(ersteEintraege(stammbaumReihenfolge(QStringLiteral("titel farbe"))).empty());
    // Repeated keywords count once, at their first place.
    EXPECT_EQ(ersteEintraege(stammbaumReihenfolge(QStringLiteral("Farbe Titel Farbe"))), V({2, 1}));
    EXPECT_EQ(ersteEintraege(stammbaumReihenfolge(QString::fromUtf8("Täto-Nr.ZüchterZuchtbuchnr3"))),
              V({21, 8, 6}));
}

TEST(Reihenfolge, PedigreeAndMatingListsNumberTheirTailDifferently) {
    using V = std::vector<int>;
    const QString text = QString::fromUtf8("Fellart Täto-Nr. Merkmale IK - AVK Verkauft Gekauft Gestorben");
    EXPECT_EQ(ersteEintraege(stammbaumReihenfolge(text)), V({22, 21, 20, 19, 18}));
    EXPECT_EQ(ersteEintraege(verpaarungReihenfolge(text)), V({23, 22, 21, 20, 19, 18}));
    // Every item chosen fills both arrays completely.
    const QString alle = stammbaumSchluesselwoerter().join(QLatin1Char(' '));
    const auto s = stammbaumReihenfolge(alle);
    for (int i = 0; i < 22; ++i)
        EXPECT_EQ(s[i], i + 1);
    const auto v = verpaarungReihenfolge(verpaarungSchluesselwoerter().join(QLatin1Char(' ')));
    for (int i = 0; i < 23; ++i)
        EXPECT_EQ(v[i], i + 1);
}

TEST(Reihenfolge, KeywordsFarIntoALongTextKeepTheirOrder) {
    // Places past 255 must not wrap round and jump ahead.
    const QString text = QString(300, QLatin1Char('-')) + QStringLiteral("Farbe") +
                         QString(300, QLatin1Char('-')) + QStringLiteral("Titel");
    EXPECT_EQ(ersteEintraege(stammbaumReihenfolge(text)), std::vector<int>({2, 1}));
}

TEST(Reihenfolge, LoadDerivesTheArrays) {
    Geladen g("[Stammbaum]\r\nAnzeige=FarbeTitel\r\nDruck=Rassecode\r\n[Verpaarung]\r\nAnzeige=Fellart\r\n");
    EXPECT_EQ(ersteEintraege(g.info.stammbaumAnzeigeArray), std::vector<int>({2, 1}));
    EXPECT_EQ(ersteEintraege(g.info.StammbaumDruckenArray), std::vector<int>({11, 12}));
    EXPECT_EQ(ersteEintraege(g.info.verpaarungAnzeigeArray), std::vector<int>({23}));
    // The options window changes the text; setzen derives again.
    g.info.stammbaumAnzeige = QStringLiteral("Besitzer");
    g.info.setzen(kBildschirm);
    EXPECT_EQ(ersteEintraege(g.info.stammbaumAnzeigeArray), std::vector<int>({9}));
}

TEST(Setzen, GenerationsAreRaisedToThree) {
    Geladen g("[Inzucht]\r\nGenerationen=2\r\nStbGenerationen=-4\r\n");
    // Reading alone keeps the file's values.
    EXPECT_EQ(g.info.Inzuchtgenerationen, 2);
    EXPECT_EQ(g.info.InzuchtStdgenerationen, -4);
    g.info.setzen(kBildschirm);
    EXPECT_EQ(g.info.Inzuchtgenerationen, 3);
    EXPECT_EQ(g.info.InzuchtStdgenerationen, 3);
    Geladen h("[Inzucht]\r\nGenerationen=3\r\nStbGenerationen=9\r\n");
    h.info.setzen(kBildschirm);
    EXPECT_EQ(h.info.Inzuchtgenerationen, 3);
    EXPECT_EQ(h.info.InzuchtStdgenerationen, 9);
}

TEST(Setzen, StatusFilter) {
    EXPECT_EQ(statusFilter(QStringLiteral("alle")), QString());
    EXPECT_EQ(statusFilter(QStringLiteral("13")), QStringLiteral("Status=1 OR Status=3"));
    EXPECT_EQ(statusFilter(QStringLiteral("5")), QStringLiteral("Status=5"));
    // Nothing chosen: a filter the table accepts and no cat passes.
    EXPECT_EQ(statusFilter(QString()), QStringLiteral("Status=-1"));
    EXPECT_EQ(statusFilter(QStringLiteral("Alle")), QStringLiteral("Status=-1"));
}

TEST(Setzen, PlanForTheWindows) {
    Geladen g("[Auswahlfenster]\r\nAnzeigen=0\r\nSortierung=RufnaIdx\r\nStatus=29\r\n"
              "[Stammdaten]\r\nSortierung=RasseName\r\n[System]\r\nHilfe=0\r\nSprache=Englisch\r\n"
              "Aufloesung=Angepasst 1000x700\r\n[Drucken]\r\nSchriftart=Courier\r\nSchriftgroese=10\r\n");
    const SetzenPlan p = g.info.setzen(QRect(0, 0, 1280, 984));
    EXPECT_FALSE(p.listeAnzeigen);
    EXPECT_TRUE(p.rufnameSpalte);
    EXPECT_EQ(p.listenIndex, QStringLiteral("RufnaIdx"));
    EXPECT_EQ(p.listenFilter, QStringLiteral("Status=2 OR Status=9"));
    EXPECT_EQ(p.stammdatenIndex, QStringLiteral("RasseName"));
    EXPECT_FALSE(p.schnellhilfe);
    EXPECT_EQ(p.fenster.rechteck, QRect(140, 142, 1000, 700));
    EXPECT_EQ(p.schriftart, QStringLiteral("Courier"));
    EXPECT_EQ(p.schriftgroesse, 10);
    EXPECT_TRUE(p.spracheAnwenden);
    EXPECT_EQ(p.sprache, 1);
    // The name column shows unless the index is exactly the call-name one.
    g.info.index = QStringLiteral("rufnaidx");
    EXPECT_FALSE(g.info.setzen(kBildschirm).rufnameSpalte);
}
