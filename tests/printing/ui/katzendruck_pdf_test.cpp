// Each layout written as PDF and read back: the letterhead, the cat's fields in their order, the page
// count and "Seite n von m" on every page.

#include "printing/druckenkatzen.h"
#include "printing/stammbaumdruck.h"
#include "printing/ui/berichtdruck.h"
#include "support/pdftexte.h"
#include "support/testsupport.h"
#include "printing/katzenregister.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::printing;

namespace {

QList<QStringList> pdfSeiten(const Bericht& b, const QString& datei) {
    QString fehler;
    EXPECT_TRUE(alsPdfSpeichern(b, datei, &fehler)) << fehler.toStdString();
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return test::PdfTexte(f.readAll()).seiten();
}

// The expected texts appear in this order (each after the one before).
void inReihenfolge(const QList<QStringList>& seiten, const QStringList& erwartet) {
    QStringList alle;
    for (const QStringList& s : seiten)
        alle += s;
    int pos = -1;
    for (const QString& e : erwartet) {
        int gefunden = -1;
        for (int i = pos + 1; i < alle.size(); ++i)
            if (alle[i].contains(e)) {
                gefunden = i;
                break;
            }
        ASSERT_GE(gefunden, 0) << "missing after position " << pos << ": " << e.toStdString() << "\nin "
                               << alle.join(QStringLiteral(" | ")).toStdString();
        pos = gefunden;
    }
}

void seitenzahlen(const QList<QStringList>& seiten) {
    for (int i = 0; i < seiten.size(); ++i)
        EXPECT_TRUE(seiten[i].contains(QStringLiteral("Seite %1 von %2").arg(i + 1).arg(seiten.size()))) << i;
}

class KatzendruckPdf : public ::testing::Test {
protected:
    void SetUp() override {
        db = std::make_unique<store::Database>(dir.path());
        test::druckRegisterSchreiben(*db);
        info = settings::tsysteminfo();
        info.StammbaumSortierungDrucken();
        info.Drucklinks = 18.0;
        info.Druckoben = 12.0;
        quelle = std::make_unique<Druckquelle>(*db, info, 0);
        quelle->messen = schriftMessung();
        quelle->heute = QDate(2026, 12, 10);
    }
    test::DataDir dir;
    std::unique_ptr<store::Database> db;
    settings::tsysteminfo info;
    std::unique_ptr<Druckquelle> quelle;
};

TEST_F(KatzendruckPdf, EveryLayoutHoldsTheCatsFieldsInOrder) {
    const QStringList kopf{QStringLiteral("vom Lindenhof"), QStringLiteral("Anna Berger"), QStringLiteral("Lindenweg 3")};
    const struct {
        int art, katze;
        QStringList felder;
    } faelle[] = {
        {kKatzendaten, 10,
         {"Katzendaten", "CH Luna vom Lindenhof", "Geschlecht", "weiblich", "Vater", "IC Atlas of Brook, Farbe 11",
          "Mutter", "Bella vom Lindenhof, Farbe 12", "Züchter", "Hofmann", "Besitzer", "Berger", "Rasse", "Abessinier",
          "Zuchtbuchnummer 1", "ZB-10", "Fellfarbe", "Farbe 10", "Geburtsdatum", "03.04.2021", "Augenfarbe", "kupfer",
          "Blutgruppe", "A", "Chip-Nr.", "276000000000010", "Zuchtsperre:"}},
        {kGewichtstabelle, 10,
         {"Wurfbuch von Luna vom Lindenhof", "Decktermin", "10.01.2024", "Wurftag", "14.03.2024", "Kater",
          "Zorro of Brook", "Wurfbezeichnung", "A-Wurf", "Wurfstärke", "3/2", "Wiegedatum", "Alter", "21.03.2024", "180", "175", "1 Woche"}},
        {kTradRichten, 10,
         {"Ausstellungsergebnisse Trad. Richten von : Luna vom Lindenhof", "Datum", "Bewertung", "06.05.2023",
          "Kassel", "1. DEKZV", "Meier", "V1 CAC"}},
        {kTicaRichten, 10,
         {"Ausstellungsergebnisse TICA-Ringrichten von :", "Summe", "TICA Nord", "01.06.2023",
          "Smith", "1", "2", "3", "6"}},
        {kCfaRichten, 10,
         {"Ausstellungsergebnisse CFA von : Luna vom Lindenhof", "Anmerkung", "CFA West", "01.07.2023", "Jones", "2nd"}},
        {kKatzenliste, 10,
         // Narrow columns wrap at the blanks.
         {"Katzendaten - Liste", "Blutgruppe", "Luna vom", "Lindenhof", "03.04.2021", "weiblich", "Farbe 10", "ZB-10",
          "Atlas of", "Bella vom", "Hofmann,", "276000000000010", "Berger,", "Abessinier", "A", "Zorro of Brook"}},
        {kWurfdaten, 10,
         {"Wurfdaten", "Züchter", "vom Lindenhof", "Anna Berger", "Lindenweg 3", "12345 Waldstadt", "Decktermin",
          "10.01.2024", "Wurftag", "14.03.2024", "Wurfstärke", "3", "2", "Totgeboren", "0", "1", "Verendet", "1", "0",
          "Vater", "Zorro of Brook", "ZB-20", "Mutter", "Luna vom Lindenhof", "MV", "Atlas of Brook", "MM",
          "Bella vom Lindenhof", "MVV", "Cäsar", "MVM", "Dora", "MMV", "Cäsar", "MMM", "Emma"}},
        {kDeckbuch, 20,
         {"Deckbuch von : Zorro of Brook", "Decktermin", "Wurftag", "10.01.2024", "Luna vom Lindenhof", "5 Kitten"}},
        {kDeckschein, 20,
         {"DECKSCHEIN", "Deckkater", "Zorro of Brook", "ZB-20", "Karl Hofmann", "hat am 10.01.2024", "Katze",
          "Luna vom Lindenhof", "ZB-10", "Titel und Auszeichnungen", "CH / Vorzüglich 1", "Anna Berger",
          "gedeckt.", "Unterschrift des Deckkaterbesitzers:", "Datum 10.12.2026"}},
    };
    tDruckenKatzen d(*quelle);
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.art);
        Druckauftrag a;
        a.art = f.art;
        a.katze = f.katze;
        a.liste = {10, 20};
        const auto b = d.bericht(a);
        ASSERT_TRUE(b);
        EXPECT_DOUBLE_EQ(b->raender().links, 18.0);
        EXPECT_DOUBLE_EQ(b->raender().oben, 12.0);
        const auto seiten = pdfSeiten(*b, dir.file(QStringLiteral("art%1.pdf").arg(f.art)));
        ASSERT_EQ(seiten.size(), b->seitenzahl());
        inReihenfolge(seiten, kopf + f.felder + QStringList{QStringLiteral("Gedruckt am 10.12.2026")});
        seitenzahlen(seiten);
    }
}

TEST_F(KatzendruckPdf, ALongMatingBookRunsOverPagesWithItsHeaderOnEach) {
    for (int i = 0; i < 90; ++i)
        test::zeileSchreiben(*db, "deckbuch",
                             {{QStringLiteral("Kater"), 20}, {QStringLiteral("Katze"), 10},
                              {QStringLiteral("Decktermin"), QDate(2000, 1, 1).addDays(i)},
                              {QStringLiteral("Erfolge"), QStringLiteral("Deckung %1").arg(i)}});
    tDruckenKatzen d(*quelle);
    Druckauftrag a;
    a.art = kDeckbuch;
    a.katze = 20;
    const auto seiten = pdfSeiten(*d.bericht(a), dir.file(QStringLiteral("deckbuch.pdf")));
    ASSERT_GE(seiten.size(), 2);
    seitenzahlen(seiten);
    for (const QStringList& s : seiten) {
        EXPECT_TRUE(s.contains(QStringLiteral("vom Lindenhof")));
        EXPECT_TRUE(s.contains(QStringLiteral("Erfolge")));
    }
    QStringList erwartet;
    for (int i = 0; i < 90; ++i)
        erwartet << QStringLiteral("Deckung %1").arg(i);
    inReihenfolge(seiten, erwartet);
}

TEST_F(KatzendruckPdf, PedigreeInEnglishWhateverTheProgramsLanguage) {
    Druckquelle englisch(*db, info, 1);
    englisch.messen = schriftMessung();
    const StammbaumDruck d = stammbaumDrucken(englisch, 10, 4);
    EXPECT_EQ(d.bericht.ausrichtung(), Seitenausrichtung::Querformat);
    const auto seiten = pdfSeiten(d.bericht, dir.file(QStringLiteral("pedigree.pdf")));
    ASSERT_EQ(seiten.size(), 1);
    inReihenfolge(seiten, {"Pedigree", "CH Luna vom Lindenhof", "Breed", "Abyssinian", "Sex", "female", "Date of birth",
                           "03.04.2021", "Microchip", "276000000000010", "Show rating", "Vorzüglich 1",
                           "Breeder's signature", "Parents", "IC Atlas of Brook", "Farbe 11", "Bella vom Lindenhof",
                           "Cäsar", "Dora", "Cäsar", "Emma", "Felix", "Felix", "Gina", "Page 1 of 1"});
}

} // namespace
