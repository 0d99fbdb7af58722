// The HTML pedigree page through the html-stammbaum command: nesting, row spans, the ancestors against
// an independent walk of the register, escaping, the unwritable file, and the settings file.

#include "genealogy/htmlstammbaum.h"
#include "register.h"
#include "settings/systeminfo.h"
#include "store/database.h"
#include "store/table.h"
#include "support/testsupport.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace velmora;
using velmora::test::RegisterKatze;

namespace {

// Cats with lower numbers as parents, so ancestors repeat; 7 has no father, 8 a father that is not there.
QVector<RegisterKatze> kleinesRegister() {
    QVector<RegisterKatze> r;
    for (qint32 i = 1; i <= 40; ++i) {
        RegisterKatze k{i, QStringLiteral("K%1 & <Tom \"%1\">").arg(i), 0, 0, {}};
        if (i > 4) {
            k.vater = 1 + (i * 7) % (i - 1);
            k.mutter = 1 + (i * 3 + 1) % (i - 1);
        }
        if (i == 7) k.vater = 0;
        if (i == 8) k.vater = 999;
        r << k;
    }
    return r;
}

// Elements balanced and nested; script and style bodies are not markup.
QString nestFehler(const QString& html) {
    static const QRegularExpression tag(QStringLiteral("<(/?)([A-Za-z][A-Za-z0-9]*)[^>]*>"));
    static const QSet<QString> leer{QStringLiteral("br"), QStringLiteral("img"), QStringLiteral("hr"),
                                    QStringLiteral("meta"), QStringLiteral("col")};
    QStringList stapel;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        const QString name = m.captured(2).toLower();
        const bool ende = !m.captured(1).isEmpty();
        if (!stapel.isEmpty() &&
            (stapel.last() == QLatin1String("script") || stapel.last() == QLatin1String("style")) &&
            !(ende && name == stapel.last()))
            continue;
        if (leer.contains(name)) continue;
        if (!ende) {
            stapel << name;
        } else if (stapel.isEmpty() || stapel.last() != name) {
            return QStringLiteral("</%1> at %2, open: %3")
                .arg(name)
                .arg(m.capturedStart())
                .arg(stapel.join(u' '));
        } else {
            stapel.removeLast();
        }
    }
    return stapel.isEmpty() ? QString() : QStringLiteral("left open: ") + stapel.join(u' ');
}

// The cells of the pedigree table in pre-order, by an independent recursive walk.
void vorOrdnung(const QHash<qint32, RegisterKatze>& reg, qint32 nr, int g, int bis, QStringList& zellen) {
    const bool da = nr > 0 && reg.contains(nr);
    zellen << (da ? reg[nr].name.toHtmlEscaped() : QStringLiteral("unbekannt"));
    if (g == bis) return;
    vorOrdnung(reg, da ? reg[nr].vater : 0, g + 1, bis, zellen);
    vorOrdnung(reg, da ? reg[nr].mutter : 0, g + 1, bis, zellen);
}

QString lesen(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// Errors `tidy -errors` finds in the page; skipped (empty) when tidy is not installed.
QString tidyFehler(const QString& datei) {
    const QString tidy = QStandardPaths::findExecutable(QStringLiteral("tidy"));
    if (tidy.isEmpty()) return {};
    QProcess p;
    p.start(tidy, {QStringLiteral("-errors"), QStringLiteral("-quiet"), QStringLiteral("-utf8"), datei});
    if (!p.waitForFinished(30000)) return QStringLiteral("tidy did not finish");
    // exit 0: clean, 1: warnings only, 2: errors
    return p.exitCode() == 2 ? QString::fromUtf8(p.readAllStandardError()) : QString();
}

} // namespace

TEST(HtmlStammbaum, PagesFor3To12GenerationsNestSpanAndHoldTheAncestorsInSlotOrder) {
    test::DataDir dir;
    test::TempDir aus, einst;
    const QVector<RegisterKatze> katzen = kleinesRegister();
    test::schreibeKatzen(dir.path(), katzen);
    QHash<qint32, RegisterKatze> reg;
    for (const RegisterKatze& k : katzen)
        reg.insert(k.nr, k);

    static const QRegularExpression span(QStringLiteral("rowspan=\"(\\d+)\""));
    static const QRegularExpression zelle(
        QStringLiteral(
            "^     <font face=\"Arial\" size=\"2\">(?:<font color=\"#[0-9A-F]{6}\"> ?<strong>(.*?)</strong>|"
            "<font color=\"#000000\">(unbekannt)</font>)"),
        QRegularExpression::MultilineOption);
    for (const int G : {3, 5, 8, 12}) {
        SCOPED_TRACE(G);
        const QString datei = aus.file(QStringLiteral("seite%1.htm").arg(G));
        QString out, err;
        ASSERT_EQ(test::runWerkzeug({QStringLiteral("html-stammbaum"), dir.path(), QStringLiteral("--katze"),
                                     QStringLiteral("40"), datei, QStringLiteral("--generationen"),
                                     QString::number(G), QStringLiteral("--einstellungen"), einst.path()},
                                    &out, &err),
                  0)
            << err.toStdString();
        EXPECT_EQ(out, QStringLiteral("Datei: %1\nGenerationen: %2\n").arg(datei).arg(G));
        const QString html = lesen(datei);
        EXPECT_TRUE(html.startsWith(QStringLiteral("<HTML>\r\n")));
        EXPECT_TRUE(html.contains(QStringLiteral("charset=utf-8")));
        EXPECT_EQ(nestFehler(html), QString());
        EXPECT_TRUE(html.contains(
            QStringLiteral("<title>Stammbaum für K40 &amp; &lt;Tom &quot;40&quot;&gt;</title>")));

        QList<int> spans;
        for (auto it = span.globalMatch(html); it.hasNext();)
            spans << it.next().captured(1).toInt();
        ASSERT_EQ(spans.size(), (2 << G) - 2);
        // per generation column: all spans fill the table's 2^G rows, the sire's half 2^(G-1)
        QVector<QList<int>> jeGeneration(G + 1);
        for (const int s : spans) {
            const int g = G - int(std::log2(s));
            ASSERT_GE(g, 1);
            jeGeneration[g] << s;
        }
        for (int g = 1; g <= G; ++g) {
            ASSERT_EQ(jeGeneration[g].size(), 1 << g);
            int haelfte = 0, alle = 0;
            for (int i = 0; i < jeGeneration[g].size(); ++i) {
                alle += jeGeneration[g][i];
                if (i < jeGeneration[g].size() / 2) haelfte += jeGeneration[g][i];
            }
            EXPECT_EQ(alle, 1 << G) << g;
            EXPECT_EQ(haelfte, 1 << (G - 1)) << g;
        }

        QStringList erwartet;
        vorOrdnung(reg, reg[40].vater, 1, G, erwartet);
        vorOrdnung(reg, reg[40].mutter, 1, G, erwartet);
        QStringList gelesen;
        for (auto it = zelle.globalMatch(html); it.hasNext();) {
            const auto m = it.next();
            gelesen << (m.captured(1).isEmpty() ? m.captured(2) : m.captured(1));
        }
        EXPECT_EQ(gelesen, erwartet);
        EXPECT_TRUE(gelesen.contains(QStringLiteral("unbekannt")));
        EXPECT_FALSE(html.contains(QStringLiteral("<Tom")));
        EXPECT_EQ(tidyFehler(datei), QString());
    }
}


TEST(HtmlStammbaum, UnwritableFileGivesMessage74AndExit1) {
    test::DataDir dir;
    test::TempDir einst;
    test::schreibeKatzen(dir.path(), kleinesRegister());
    QString out, err;
    EXPECT_EQ(test::runWerkzeug({QStringLiteral("html-stammbaum"), dir.path(), QStringLiteral("--katze"),
                                 QStringLiteral("5"), dir.file(QStringLiteral("fehlt/x.htm")),
                                 QStringLiteral("--einstellungen"), einst.path()},
                                &out, &err),
              1);
    EXPECT_EQ(err, QStringLiteral("Die HTML-Datei konnte nicht geschrieben werden!\n"));
    EXPECT_EQ(out, QString());
}

TEST(HtmlStammbaum, GenerationsComeFromTheSettingsFileWhenNotGiven) {
    test::DataDir dir;
    test::TempDir einst, aus;
    test::schreibeKatzen(dir.path(), kleinesRegister());
    genealogy::THTMLINI ini;
    ini.AnzGenerationen = 6;
    ASSERT_TRUE(ini.Save_INI(genealogy::htmlEinstellungsPfad(einst.path())));
    QString out;
    ASSERT_EQ(test::runWerkzeug({QStringLiteral("html-stammbaum"), dir.path(), QStringLiteral("--katze"),
                                 QStringLiteral("20"), aus.file(QStringLiteral("a.htm")),
                                 QStringLiteral("--einstellungen"), einst.path()},
                                &out),
              0);
    EXPECT_TRUE(out.endsWith(QStringLiteral("Generationen: 6\n")));
}

TEST(HtmlStammbaum, SettingsFileRoundTripDefaultsAndTheOlderPictureKey) {
    test::TempDir d;
    const QString pfad = genealogy::htmlEinstellungsPfad(d.path());
    const genealogy::THTMLINI fehlt = genealogy::THTMLINI::Load_INI(pfad, settings::Sprache::Englisch);
    EXPECT_EQ(fehlt.Sprache, QStringLiteral("english"));
    EXPECT_EQ(fehlt.BildPos, 3);
    EXPECT_EQ(fehlt.spalte_pos[12].spalte, 1); // field 13
    EXPECT_EQ(fehlt.spalte_pos[7].spalte, 2);  // field 8

    genealogy::THTMLINI s;
    s.SchriftNameFont = QStringLiteral("Verdana");
    s.Seitenbreite = 800;
    s.autoHoehe = false;
    s.BildPos = 2;
    s.spalte_pos[4] = {3, 99, 1, 0};
    ASSERT_TRUE(s.Save_INI(pfad));
    const genealogy::THTMLINI r = genealogy::THTMLINI::Load_INI(pfad, settings::Sprache::Deutsch);
    EXPECT_EQ(r.SchriftNameFont, QStringLiteral("Verdana"));
    EXPECT_EQ(r.Seitenbreite, 800);
    EXPECT_FALSE(r.autoHoehe);
    EXPECT_EQ(r.BildPos, 2);
    EXPECT_EQ(r.spalte_pos[4].spalte, 3);
    EXPECT_EQ(r.spalte_pos[4].pos, 99);
    EXPECT_EQ(r.spalte_pos[4].mitBez, 1);
    EXPECT_EQ(r.spalte_pos[4].weglassen, 0);
    EXPECT_EQ(r.Sprache, QStringLiteral("deutsch"));

    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("[HTML]\r\nBild=1\r\n[HTMLKopf]\r\nfeld2mitBez=-1\r\nfeld2weglassen=-1\r\n");
    f.close();
    const genealogy::THTMLINI alt = genealogy::THTMLINI::Load_INI(pfad, settings::Sprache::Deutsch);
    EXPECT_EQ(alt.BildPos, 1);
    EXPECT_EQ(alt.spalte_pos[1].mitBez, 0);
    EXPECT_EQ(alt.spalte_pos[1].weglassen, 1);
}

TEST(HtmlStammbaum, PictureSizesFromFileHeadersAndTheirFit) {
    test::TempDir d;
    const auto datei = [&](const char* name, const QByteArray& inhalt) {
        QFile f(d.file(QString::fromLatin1(name)));
        f.open(QIODevice::WriteOnly);
        f.write(inhalt);
        return f.fileName();
    };
    QByteArray png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x01\x2c\0\0\0\xc8", 24);    // 300 x 200
    QByteArray gif("GIF89a\x40\x01\xf0\0", 10);                                   // 320 x 240
    QByteArray jpg("\xFF\xD8\xFF\xE0\0\x04xx\xFF\xC0\0\x11\x08\0\x64\0\x96", 19); // 150 x 100
    EXPECT_EQ(genealogy::bildGroesse(datei("a.png", png)), QSize(300, 200));
    EXPECT_EQ(genealogy::bildGroesse(datei("a.gif", gif)), QSize(320, 240));
    EXPECT_EQ(genealogy::bildGroesse(datei("a.jpg", jpg)), QSize(150, 100));
    EXPECT_FALSE(genealogy::bildGroesse(datei("a.txt", "kein Bild")).isValid());

    EXPECT_EQ(genealogy::bildEinpassen({300, 200}, 100, 100), QSize(100, 67)); // by width
    EXPECT_EQ(genealogy::bildEinpassen({200, 300}, 100, 100), QSize(67, 100)); // too high: by height
    EXPECT_EQ(genealogy::bildEinpassen({50, 25}, 100, 100), QSize(100, 50));   // small ones grow
    EXPECT_EQ(genealogy::bildEinpassen({200, 5}, 100, 100), QSize(100, 2));    // 2.5 rounds to even
}

// The header fields the register shows rather than stores: owner and breeder boxes, the short figures,
// the evaluation on one line, the feature short names, the coat type, and the English eye colour on an
// English page of a German program.
TEST(HtmlStammbaum, KopfFelderAusAdressenBewertungMerkmalenUndFellart) {
    test::DataDir dir;
    test::schreibeKatzen(dir.path(), {{1, QStringLiteral("Vater"), 0, 0, {}},
                                      {2, QStringLiteral("Mutter"), 0, 0, {}},
                                      {3, QStringLiteral("Kind"), 1, 2, {70, 71}}});
    store::Database db(dir.path());
    const auto zeile = [&](const char* tabelle, const QList<std::pair<const char*, QVariant>>& werte) {
        store::Table t(db, QString::fromLatin1(tabelle));
        t.open();
        t.append();
        for (const auto& [f, v] : werte)
            t.setValue(QString::fromUtf8(f), v);
        t.post();
    };
    zeile("adr_dat", {{"LaufendeNr", 11}, {"Name", QStringLiteral("Huber")}, {"Vorname", QStringLiteral("Eva")}});
    zeile("adr_dat", {{"LaufendeNr", 12}, {"Name", QStringLiteral("Meier")}});
    zeile("merkmale", {{"LaufendeNummer", 70}, {"Bezeichnung", QStringLiteral("Klon")}, {"farbe", 0},
                       {"Kuerzel", QStringLiteral("KL")}});
    zeile("merkmale", {{"LaufendeNummer", 71}, {"Bezeichnung", QStringLiteral("Pedigree")}, {"farbe", 0},
                       {"Kuerzel", QStringLiteral("Stb")}});
    zeile("fellart", {{"LaufendeNummer", 50}, {"Bezeichnung", QStringLiteral("Langhaar")}});
    zeile("augen", {{"Augenfarbe", QStringLiteral("kupfer hell")}, {"AugenfarbeEng", QStringLiteral("light copper")}});
    zeile("bewert", {{"Katze", 3}, {"Bewertung", QStringLiteral("sehr gut\r\nTyp")}});
    {
        store::Table k(db, QStringLiteral("catstamm"));
        k.open();
        ASSERT_TRUE(k.findKey({3}));
        k.edit();
        k.setValue(QStringLiteral("Züchter"), 11);
        k.setValue(QStringLiteral("Besitzer"), 12);
        k.setValue(QStringLiteral("Fellart"), 50);
        k.setValue(QStringLiteral("Augenfarbe"), QStringLiteral("kupfer hell"));
        k.post();
    }
    settings::tsysteminfo einst;
    genealogy::THTMLINI ini;
    for (auto& f : ini.spalte_pos)
        f.spalte = 3;
    const struct {
        int feld;
        QString erwartet;
    } faelle[] = {{8, QStringLiteral("Besitzer: Meier")},
                  {9, QStringLiteral("Züchter: Huber, Eva")},
                  {14, QStringLiteral("Bewertung: sehr gut  Typ")},
                  {15, QStringLiteral("Merkmale: KL")},
                  {16, QStringLiteral("Fellart: Langhaar")},
                  {6, QStringLiteral("Augenfarbe: kupfer hell")}};
    for (const auto& fall : faelle) {
        genealogy::THTMLINI eins = ini;
        eins.spalte_pos[fall.feld - 1].spalte = 1;
        const genealogy::HtmlKopf k = genealogy::htmlKopfFuer(db, einst, eins, 3);
        ASSERT_EQ(k.spalte1.size(), 1) << fall.feld;
        EXPECT_EQ(k.spalte1[0].simplified(), fall.erwartet.simplified()) << fall.feld;
    }
    genealogy::THTMLINI figuren = ini;
    figuren.spalte_pos[12].spalte = 1;
    const QString ik = genealogy::htmlKopfFuer(db, einst, figuren, 3).spalte1.value(0);
    EXPECT_TRUE(ik.startsWith(QStringLiteral("IK: ")) && ik.contains(QStringLiteral(" / AVK: ")) &&
                ik.count(QLatin1Char('%')) == 2)
        << ik.toStdString();
    // An English page switches the names to English ones.
    ini.spalte_pos[5].spalte = 1;
    ini.Sprache = QStringLiteral("englisch");
    EXPECT_TRUE(genealogy::htmlKopfFuer(db, einst, ini, 3).spalte1.value(0).endsWith(QStringLiteral("light copper")));
}
