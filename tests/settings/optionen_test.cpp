// What the options window takes over and writes, and its checks, without widgets.

#include "felderwartung.h"
#include "settings/optionen.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace velmora::settings;
using velmora::test::feldErwartungen;

namespace {

// "Sektion/Schlüssel" of the fields, through the independent table of the settings tests.
QSet<QString> schluessel(const QStringList& felder) {
    QSet<QString> s;
    for (const QString& f : felder) {
        bool gefunden = false;
        for (const auto& e : feldErwartungen())
            if (f == QLatin1String(e.name) && e.sektion) {
                // LastCats is the only field of several keys; the window never writes it.
                s << QString::fromUtf8(e.sektion) + QLatin1Char('/') + QString::fromUtf8(e.schluessel);
                gefunden = true;
            }
        EXPECT_TRUE(gefunden) << "not a stored field: " << f.toStdString();
    }
    return s;
}

QSet<QString> menge(std::initializer_list<const char*> l) {
    QSet<QString> s;
    for (const char* k : l)
        s << QString::fromUtf8(k);
    return s;
}

const QSet<QString> kImmer = menge({"Verpaarung/Anzeige", "Inzucht/Generationen", "Inzucht/StbGenerationen",
                                    "Inzucht/BerechnungAuto", "Inzucht/Fenster", "Inzucht/mitVorfahren"});

} // namespace

TEST(OptionenSchreiben, TheFullWindowWritesExactlyTheKeysItEdits) {
    QSet<QString> erwartet = menge({"Auswahlfenster/Anzeigen",
                                    "Auswahlfenster/Sortierung",
                                    "Auswahlfenster/Status",
                                    "Stammdaten/Sortierung",
                                    "Stammdaten/Rasse",
                                    "Stammdaten/Farbe",
                                    "Stammdaten/Haarart",
                                    "Stammdaten/ZusatzBeiZwinger",
                                    "Stammdaten/SuchebeiNeuaufnahme",
                                    "Stammdaten/BildAnpassen",
                                    "Stammdaten/Titel",
                                    "Stammdaten/BerechnungGebtermin",
                                    "Wurfbuch/BerechnungRolligkeit",
                                    "Wurfbuch/BerechnungPlusMinus",
                                    "Wurfbuch/BerechnungAbgabetermin",
                                    "Stammbaum/Anzeige",
                                    "Stammbaum/Druck",
                                    "Stammbaum/Generation",
                                    "Stammbaum/Bild",
                                    "Stammbaum/GenBild",
                                    "Stammbaum/Logo",
                                    "Stammbaum/BildHorizontal",
                                    "Stammbaum/BildVertikal",
                                    "Stammbaum/GenBildHorizontal",
                                    "Stammbaum/GenBildVertikal",
                                    "Stammbaum/LogoBildHorizontal",
                                    "Stammbaum/LogoBildVertikal",
                                    "Stammbaum/Hintergrundbild",
                                    "Stammbaum/linkerRand",
                                    "Stammbaum/rechterRand",
                                    "Stammbaum/obererRand",
                                    "Stammbaum/untererRand",
                                    "Stammbaum/LangBild",
                                    "Stammbaum/Besitzer",
                                    "Druck/ObereRand",
                                    "Druck/LinkerRand",
                                    "System/Speichern",
                                    "System/Hilfe",
                                    "System/Fenster",
                                    "System/Aufloesung",
                                    "System/Sprache",
                                    "System/MerkmalVorTop",
                                    "System/Textverarbeitung",
                                    "Warnung/Verfallsdatum",
                                    "Warnung/Termine",
                                    "Warnung/Impfung",
                                    "Warnung/Wurmkur",
                                    "Drucken/TitelRot",
                                    "Drucken/StbDoppelteFarbig",
                                    "Drucken/Schriftart",
                                    "Drucken/Schriftgroese",
                                    "Drucken/Bildauflösung",
                                    "Adressen/SuchebeiNeuaufnahme",
                                    "Statistiken/MaxAnzGenerationen"});
    erwartet += kImmer;
    EXPECT_EQ(schluessel(optionenSchreibfelder(OptionenUmfang::Alle, Sprache::Deutsch)), erwartet);
    // Dutch is not written back: the key stays.
    erwartet.remove(QStringLiteral("System/Sprache"));
    EXPECT_EQ(schluessel(optionenSchreibfelder(OptionenUmfang::Alle, Sprache::Hollaendisch)), erwartet);
    // Everything the full window takes over is written; nothing written goes untaken but the kept ones.
    EXPECT_TRUE(schluessel(optionenSchreibfelder(OptionenUmfang::Alle, Sprache::Deutsch))
                    .contains(schluessel(optionenUebernahmefelder(OptionenUmfang::Alle))));
}

TEST(OptionenSchreiben, ReducedFormsWriteTheirOwnKeysAndTheMatingAndInbreedingOnes) {
    EXPECT_EQ(schluessel(optionenSchreibfelder(OptionenUmfang::Verpaarung, Sprache::Deutsch)), kImmer);
    EXPECT_EQ(schluessel(optionenSchreibfelder(OptionenUmfang::Wurfbuch, Sprache::Deutsch)),
              kImmer + menge({"Stammdaten/BerechnungGebtermin", "Wurfbuch/BerechnungRolligkeit",
                              "Wurfbuch/BerechnungPlusMinus", "Wurfbuch/BerechnungAbgabetermin"}));
    EXPECT_EQ(optionenUebernahmefelder(OptionenUmfang::Verpaarung),
              QStringList{QStringLiteral("verpaarungAnzeige")});
}

TEST(OptionenUebernehmen, OnlyWhatTheUserChangedIsTakenOver) {
    tsysteminfo anfang;
    tsysteminfo kopie = anfang;
    tsysteminfo ziel = anfang;
    // Written elsewhere while the window was open: the printer font and the recent cats stay.
    ziel.Schriftart = QStringLiteral("Courier");
    ziel.Status = QStringLiteral("1");
    kopie.TageTraechtigkeit = 63;
    kopie.Druckoben = 7.5;
    kopie.verpaarungAnzeige = QStringLiteral("Fellart");
    kopie.Schriftart = anfang.Schriftart;
    EXPECT_EQ(optionenUebernehmen(anfang, kopie, ziel, OptionenUmfang::Alle),
              (QStringList{QStringLiteral("TageTraechtigkeit"), QStringLiteral("verpaarungAnzeige"),
                           QStringLiteral("Druckoben")}));
    EXPECT_EQ(ziel.TageTraechtigkeit, 63);
    EXPECT_DOUBLE_EQ(ziel.Druckoben, 7.5);
    EXPECT_EQ(ziel.Schriftart, QStringLiteral("Courier"));
    EXPECT_EQ(ziel.Status, QStringLiteral("1"));

    // A reduced form takes over its own fields only, whatever else the copy holds.
    tsysteminfo z2 = anfang;
    EXPECT_EQ(optionenUebernehmen(anfang, kopie, z2, OptionenUmfang::Verpaarung),
              QStringList{QStringLiteral("verpaarungAnzeige")});
    EXPECT_EQ(z2.TageTraechtigkeit, anfang.TageTraechtigkeit);
}

TEST(OptionenFelder, EveryFieldTheWindowTakesOverReadsBackAsTextItWasSetFrom) {
    for (const QString& name : optionenUebernahmefelder(OptionenUmfang::Alle)) {
        SCOPED_TRACE(name.toStdString());
        const velmora::test::FeldErwartung* e = nullptr;
        for (const auto& f : feldErwartungen())
            if (name == QLatin1String(f.name)) e = &f;
        ASSERT_NE(e, nullptr);
        tsysteminfo s;
        const QString wert = QString::fromUtf8(e->gelesen);
        // The byte field shows its value modulo 256 in the table; a value the byte holds is used here.
        const QString gesetzt = name == QLatin1String("TageNRplusMinus") ? QStringLiteral("44") : wert;
        ASSERT_TRUE(feldSetzen(s, name, gesetzt));
        EXPECT_EQ(feldText(s, name), gesetzt);
    }
    tsysteminfo s;
    EXPECT_FALSE(feldSetzen(s, QStringLiteral("TageNRplusMinus"), QStringLiteral("300")));
    EXPECT_FALSE(feldSetzen(s, QStringLiteral("TageTraechtigkeit"), QStringLiteral("abc")));
    EXPECT_FALSE(feldSetzen(s, QStringLiteral("gibtEsNicht"), QStringLiteral("1")));
}

TEST(OptionenZahlen, NumbersOutsideTheirRangeOrNoNumbersAreRefused) {
    const QLocale de(QLocale::German);
    const struct {
        const char* feld;
        const char* text;
        bool gilt;
    } faelle[] = {
        {"TageTraechtigkeit", "63", true},
        {"TageTraechtigkeit", "0", false},
        {"TageTraechtigkeit", "abc", false},
        {"TageTraechtigkeit", "-5", false},
        {"TageTraechtigkeit", "6 3", false},
        {"TageTraechtigkeit", "", false},
        {"TageTraechtigkeit", "0x20", false},
        {"TageNRplusMinus", "255", true},
        {"TageNRplusMinus", "256", false},
        {"TageNRplusMinus", "0", true},
        {"StammbaumGeneration", "3", true},
        {"StammbaumGeneration", "6", true},
        // "12" sorts before "3" and "55" between "3" and "6" as texts; as numbers both are outside.
        {"StammbaumGeneration", "12", false},
        {"StammbaumGeneration", "55", false},
        {"InzuchtStdgenerationen", "10", true},
        {"InzuchtStdgenerationen", "11", false},
        {"Inzuchtgenerationen", "2", false},
        {"Inzuchtgenerationen", "255", true},
        {"Druckoben", "7,5", true},
        {"Druckoben", "7.5", true},
        {"Druckoben", "-1", false},
        {"Druckoben", "1e9", false},
        {"Drucklinks", "zehn", false},
        {"StatistikGenerationen", "99999999999", false},
        {"StammbaumBildhorizontal", "0", false},
        {"StammbaumLinkerRand", "0", true},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::string(f.feld) + " = " + f.text);
        const Zahlenbereich* b = zahlenbereich(QLatin1String(f.feld));
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(zahlPruefen(QString::fromUtf8(f.text), *b, de).has_value(), f.gilt);
    }
    // Every range belongs to a number field of the settings.
    for (const Zahlenbereich& b : zahlenbereiche()) {
        const FeldBeschreibung* f = feld(QLatin1String(b.feld));
        ASSERT_NE(f, nullptr) << b.feld;
        EXPECT_TRUE(f->typ() == FeldTyp::Zahl || f->typ() == FeldTyp::Byte || f->typ() == FeldTyp::Real)
            << b.feld;
        EXPECT_EQ(b.ganz, f->typ() != FeldTyp::Real) << b.feld;
    }
}

TEST(OptionenZahlen, GenerationFieldsAreMendedWhenLeft) {
    const struct {
        const char* text;
        const char* inzucht;
        const char* stammdaten;
    } faelle[] = {
        {"2", "3", "3"},    {"abc", "3", "3"}, {"", "3", "3"},  {"5", "5", "5"},
        {"12", "12", "10"}, {"-4", "3", "3"},  {"3", "3", "3"}, {"99999999999", "99999999999", "10"}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.text);
        EXPECT_EQ(inzuchtGenerationenKorrigiert(QString::fromUtf8(f.text)), QString::fromUtf8(f.inzucht));
        EXPECT_EQ(stammdatenGenerationenKorrigiert(QString::fromUtf8(f.text)),
                  QString::fromUtf8(f.stammdaten));
    }
}

TEST(OptionenAufloesung, TheListGrowsWithTheWorkAreaAndShowsAdjustedAsOneEntry) {
    const QStringList basis = {QStringLiteral("Maximized"), QStringLiteral("Angepasst"),
                               QStringLiteral("640x480")};
    EXPECT_EQ(aufloesungListe(QRect(0, 0, 640, 480)), basis);
    EXPECT_EQ(aufloesungListe(QRect(0, 0, 1024, 768)), (basis + QStringList{"800x600", "1024x768"}));
    EXPECT_EQ(aufloesungListe(QRect(0, 0, 1280, 984)),
              (basis + QStringList{"800x600", "1024x768", "1152x864", "1280x1024"}));
    EXPECT_EQ(aufloesungListe(QRect()), basis);
    EXPECT_EQ(aufloesungEintrag(QStringLiteral("Angepasst 1000x700")), QStringLiteral("Angepasst"));
    EXPECT_EQ(aufloesungEintrag(QStringLiteral("1024x768")), QStringLiteral("1024x768"));
}

TEST(OptionenReihenfolge, ListsTextsAndLabels) {
    // The chosen items in the order the text gives them; the rest available.
    EXPECT_EQ(gewaehlteEintraege(QStringLiteral("FarbeTitel"), false), (QList<int>{2, 1}));
    EXPECT_EQ(gewaehlteEintraege(QStringLiteral("Rassecode"), false), (QList<int>{11, 12}));
    EXPECT_EQ(gewaehlteEintraege(QString(), true), QList<int>{});
    QList<int> rest;
    for (int i = 1; i <= 22; ++i)
        if (i != 11 && i != 12) rest << i;
    EXPECT_EQ(verfuegbareEintraege(QStringLiteral("Rassecode"), false), rest);
    // The mating order never offers "RF-Code".
    EXPECT_FALSE(verfuegbareEintraege(QString(), true).contains(14));
    EXPECT_EQ(verfuegbareEintraege(QString(), true).size(), 22);
    EXPECT_TRUE(verfuegbareEintraege(QString(), false).contains(14));

    // Back to back, and the order derived from the text gives the same items again.
    const QList<int> wahl = {22, 3, 19, 8};
    const QString text = reihenfolgeText(wahl, false);
    EXPECT_EQ(text, QString::fromUtf8("FellartAugenfarbeIK - AVKZüchter"));
    EXPECT_EQ(gewaehlteEintraege(text, false), wahl);
    EXPECT_EQ(reihenfolgeText({23, 19, 14}, true), QStringLiteral("FellartGekauftRF-Code"));
    EXPECT_EQ(reihenfolgeText({}, true), QString());

    // Labels: the keywords, in English their names; the mating list keeps "Gekauft" and "Verkauft".
    EXPECT_EQ(reihenfolgeBeschriftungen(false, 0), stammbaumSchluesselwoerter());
    EXPECT_EQ(reihenfolgeBeschriftungen(true, 2), verpaarungSchluesselwoerter());
    const QStringList en = reihenfolgeBeschriftungen(false, 1);
    ASSERT_EQ(en.size(), 22);
    EXPECT_EQ(en[1], QStringLiteral("Color"));
    EXPECT_EQ(en[21], QStringLiteral("Type of coat"));
    const QStringList enV = reihenfolgeBeschriftungen(true, 1);
    ASSERT_EQ(enV.size(), 23);
    EXPECT_EQ(enV.mid(18), (QStringList{"Gekauft", "Verkauft", "Mark", "Tattoo-No.", "Type of coat"}));
}
