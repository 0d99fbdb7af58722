// List reports: wrapping, page breaks from the heights, repeated title and header, page numbers.

#include "printing/listenbericht.h"

#include <gtest/gtest.h>

using namespace velmora::printing;

namespace {

// One millimetre per character: widths are easy to reason about.
double mmJeZeichen(const QString& text, const Schrift&) {
    return double(text.size());
}

// Texts of a page whose box starts at the given x, top to bottom.
QStringList texteBei(const Seite& seite, double x) {
    QStringList result;
    for (const TextElement& t : seite.texte())
        if (qFuzzyCompare(t.box.x() + 1.0, x + 1.0)) result.append(t.text);
    return result;
}

const TextElement* suche(const Seite& seite, const QString& text) {
    for (const Element& e : seite.elemente())
        if (const auto* t = std::get_if<TextElement>(&e); t && t->text == text) return t;
    return nullptr;
}

// A4 upright, 10 mm margins: the inside is 190 x 277 mm. Title 12 mm, header and foot 5 mm each leave
// 255 mm, i.e. 51 rows of 5 mm, for the rows.
Listenbericht standardListe() {
    Listenbericht l;
    l.setSeitenformat(Bericht::a4(), Seitenausrichtung::Hochformat, Raender{10, 10, 10, 10});
    l.setTitel(QStringLiteral("Katzenliste"));
    l.setTitelHoehe(12.0);
    l.setZeilenhoehe(5.0);
    l.setZellenabstand(1.0);
    l.setSpalten({{QStringLiteral("Name"), 60.0}, {QStringLiteral("Rasse"), 40.0, HAusrichtung::Rechts}});
    l.setTextbreite(mmJeZeichen);
    return l;
}

QString name(int i) {
    return QStringLiteral("K%1").arg(i, 3, 10, QLatin1Char('0'));
}

} // namespace

TEST(ZeilenUmbrechen, BrichtAnLeerzeichenZeilenendenUndInLangenWoertern) {
    const Schrift s;
    EXPECT_EQ(zeilenUmbrechen(QStringLiteral("aaa bbb ccc"), 7.0, s, mmJeZeichen),
              QStringList({QStringLiteral("aaa bbb"), QStringLiteral("ccc")}));
    EXPECT_EQ(zeilenUmbrechen(QStringLiteral("aaa bbb ccc"), 6.9, s, mmJeZeichen),
              QStringList({QStringLiteral("aaa"), QStringLiteral("bbb"), QStringLiteral("ccc")}));
    EXPECT_EQ(zeilenUmbrechen(QStringLiteral("ab\n\ncd"), 50.0, s, mmJeZeichen),
              QStringList({QStringLiteral("ab"), QString(), QStringLiteral("cd")}));
    EXPECT_EQ(zeilenUmbrechen(QStringLiteral("x abcdefghijkl y"), 5.0, s, mmJeZeichen),
              QStringList({QStringLiteral("x"), QStringLiteral("abcde"), QStringLiteral("fghij"),
                           QStringLiteral("kl y")}));
    EXPECT_EQ(zeilenUmbrechen(QString(), 5.0, s, mmJeZeichen), QStringList({QString()}));
    // Narrower than one character: still one character per line instead of an endless loop.
    EXPECT_EQ(zeilenUmbrechen(QStringLiteral("abc"), 0.5, s, mmJeZeichen),
              QStringList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
}

TEST(ZeilenUmbrechen, SchaetzungOhneSchriftenWaechstMitGroesseUndFett) {
    Schrift s;
    s.groesse = 10.0;
    const double normal = geschaetzteTextbreite(QStringLiteral("abcd"), s);
    EXPECT_NEAR(normal, 4 * 10.0 * 25.4 / 72.0 / 2, 1e-9);
    s.fett = true;
    EXPECT_GT(geschaetzteTextbreite(QStringLiteral("abcd"), s), normal);
    s.fett = false;
    s.groesse = 20.0;
    EXPECT_NEAR(geschaetzteTextbreite(QStringLiteral("abcd"), s), 2 * normal, 1e-9);
    // Without a width function the estimate decides the breaks.
    s.groesse = 10.0;
    EXPECT_EQ(zeilenUmbrechen(QStringLiteral("abcd abcd"), normal + 0.1, s, {}).size(), 2);
}

TEST(Listenbericht, SeitenumbruchNachDenHoehenMitKopfUndSeitenzahlAufJederSeite) {
    Listenbericht l = standardListe();
    for (int i = 0; i < 120; ++i)
        l.textzeile(QStringList{name(i), QStringLiteral("BKH")});
    const Bericht b = l.erstellen();
    ASSERT_EQ(b.seitenzahl(), 3);
    EXPECT_EQ(b.titel(), QStringLiteral("Katzenliste"));

    int naechste = 0;
    const int erwartet[] = {51, 51, 18};
    for (int s = 0; s < 3; ++s) {
        const Seite& seite = b.seite(s);
        // Name column texts start 1 mm inside the column: title, header, rows.
        const QStringList spalte = texteBei(seite, 11.0);
        ASSERT_EQ(spalte.size(), erwartet[s] + 1) << "Seite " << s + 1;
        EXPECT_EQ(spalte.first(), QStringLiteral("Name"));
        for (int r = 0; r < erwartet[s]; ++r)
            EXPECT_EQ(spalte.at(r + 1), name(naechste + r));

        const TextElement* titel = suche(seite, QStringLiteral("Katzenliste"));
        ASSERT_NE(titel, nullptr);
        EXPECT_EQ(titel->box, QRectF(10, 10, 190, 12));
        const TextElement* kopf = suche(seite, QStringLiteral("Rasse"));
        ASSERT_NE(kopf, nullptr);
        EXPECT_EQ(kopf->box, QRectF(71, 22, 38, 5));
        EXPECT_EQ(kopf->hAusrichtung, HAusrichtung::Rechts);
        EXPECT_TRUE(kopf->schrift.fett);

        const TextElement* erste = suche(seite, name(naechste));
        ASSERT_NE(erste, nullptr);
        EXPECT_EQ(erste->box, QRectF(11, 27, 58, 5));
        const TextElement* letzte = suche(seite, name(naechste + erwartet[s] - 1));
        ASSERT_NE(letzte, nullptr);
        EXPECT_DOUBLE_EQ(letzte->box.y(), 27.0 + 5.0 * (erwartet[s] - 1));
        EXPECT_LE(letzte->box.bottom(), 282.0);

        const QString fuss = QStringLiteral("Seite %1 von 3").arg(s + 1);
        const TextElement* seitenzahl = suche(seite, fuss);
        ASSERT_NE(seitenzahl, nullptr) << fuss.toStdString();
        EXPECT_EQ(seitenzahl->box, QRectF(10, 282, 190, 5));
        EXPECT_EQ(seitenzahl->hAusrichtung, HAusrichtung::Mitte);
        naechste += erwartet[s];
    }
    EXPECT_EQ(naechste, 120);
}

TEST(Listenbericht, GenauVolleSeiteBrauchtKeineZweite) {
    Listenbericht l = standardListe();
    for (int i = 0; i < 51; ++i)
        l.textzeile(QStringList{name(i)});
    EXPECT_EQ(l.erstellen().seitenzahl(), 1);
    l.textzeile(QStringList{name(51)});
    const Bericht b = l.erstellen();
    ASSERT_EQ(b.seitenzahl(), 2);
    EXPECT_NE(suche(b.seite(1), QStringLiteral("Seite 2 von 2")), nullptr);
    ASSERT_NE(suche(b.seite(1), name(51)), nullptr);
    EXPECT_DOUBLE_EQ(suche(b.seite(1), name(51))->box.y(), 27.0);
}

TEST(Listenbericht, TitelNurAufErsterSeiteGibtFolgeseitenMehrPlatz) {
    Listenbericht l = standardListe();
    l.setTitelNurAufErsterSeite(true);
    for (int i = 0; i < 110; ++i)
        l.textzeile(QStringList{name(i)});
    const Bericht b = l.erstellen();
    ASSERT_EQ(b.seitenzahl(), 3);
    EXPECT_EQ(suche(b.seite(1), QStringLiteral("Katzenliste")), nullptr);
    // Header right at the top; 277 - 5 - 5 = 267 mm hold 53 rows.
    ASSERT_NE(suche(b.seite(1), QStringLiteral("Name")), nullptr);
    EXPECT_DOUBLE_EQ(suche(b.seite(1), QStringLiteral("Name"))->box.y(), 10.0);
    EXPECT_EQ(texteBei(b.seite(1), 11.0).size(), 1 + 53);
    EXPECT_EQ(texteBei(b.seite(2), 11.0).size(), 1 + 110 - 51 - 53);
}

TEST(Listenbericht, EigenesSeitenzahlMusterUndKeinFuss) {
    Listenbericht l = standardListe();
    for (int i = 0; i < 60; ++i)
        l.textzeile(QStringList{name(i)});
    l.setSeitenzahlMuster(QStringLiteral("Page %1 of %2 (%1)"));
    Bericht b = l.erstellen();
    ASSERT_EQ(b.seitenzahl(), 2);
    EXPECT_NE(suche(b.seite(0), QStringLiteral("Page 1 of 2 (1)")), nullptr);
    EXPECT_NE(suche(b.seite(1), QStringLiteral("Page 2 of 2 (2)")), nullptr);

    // Without a foot the rows may use its band: 52 rows on the first page.
    l.setSeitenzahlMuster(QString());
    b = l.erstellen();
    ASSERT_EQ(b.seitenzahl(), 2);
    EXPECT_EQ(texteBei(b.seite(0), 11.0).size(), 1 + 52);
    for (const TextElement& t : b.seite(0).texte())
        EXPECT_FALSE(t.text.contains(QLatin1String("von"))) << t.text.toStdString();
}

TEST(Listenbericht, UmbrochenerEintragWirdHoeherUndWandertGanzAufDieNaechsteSeite) {
    Listenbericht l = standardListe();
    for (int i = 0; i < 50; ++i)
        l.textzeile(QStringList{name(i)});
    // 58 mm of text room in the name column: 70 characters need two lines, so the row is 10 mm high
    // and no longer fits the single line left on page one.
    const QString lang = QString(40, QLatin1Char('a')) + QLatin1Char(' ') + QString(29, QLatin1Char('b'));
    l.textzeile(QStringList{lang, QStringLiteral("EKH")});
    l.textzeile(QStringList{QStringLiteral("danach")});
    const Bericht b = l.erstellen();
    ASSERT_EQ(b.seitenzahl(), 2);
    EXPECT_EQ(texteBei(b.seite(0), 11.0).size(), 1 + 50);

    const Seite& zwei = b.seite(1);
    ASSERT_NE(suche(zwei, QString(40, QLatin1Char('a'))), nullptr);
    EXPECT_DOUBLE_EQ(suche(zwei, QString(40, QLatin1Char('a')))->box.y(), 27.0);
    ASSERT_NE(suche(zwei, QString(29, QLatin1Char('b'))), nullptr);
    EXPECT_DOUBLE_EQ(suche(zwei, QString(29, QLatin1Char('b')))->box.y(), 32.0);
    // The other cell of the row stays on its first line; the next row comes below the taller one.
    ASSERT_NE(suche(zwei, QStringLiteral("EKH")), nullptr);
    EXPECT_DOUBLE_EQ(suche(zwei, QStringLiteral("EKH"))->box.y(), 27.0);
    ASSERT_NE(suche(zwei, QStringLiteral("danach")), nullptr);
    EXPECT_DOUBLE_EQ(suche(zwei, QStringLiteral("danach"))->box.y(), 37.0);
}

TEST(Listenbericht, EintragHoeherAlsEineSeiteWirdGeteilt) {
    Listenbericht l = standardListe();
    QStringList zeilen;
    for (int i = 0; i < 60; ++i)
        zeilen.append(name(i));
    l.textzeile(QStringList{zeilen.join(QLatin1Char('\n'))});
    const Bericht b = l.erstellen();
    ASSERT_EQ(b.seitenzahl(), 2);
    EXPECT_EQ(texteBei(b.seite(0), 11.0).size(), 1 + 51);
    const QStringList rest = texteBei(b.seite(1), 11.0);
    ASSERT_EQ(rest.size(), 1 + 9);
    EXPECT_EQ(rest.at(1), name(51));
    EXPECT_DOUBLE_EQ(suche(b.seite(1), name(51))->box.y(), 27.0);
}

TEST(Listenbericht, FarbfeldVorDemTextUndUeberzaehligeZellen) {
    Listenbericht l = standardListe();
    l.zeile(
        {Zelle::farbfeld(0x0000FF, QStringLiteral("rot")), QStringLiteral("BKH"), QStringLiteral("zu viel")});
    l.zeile(QList<Zelle>{Zelle::farbfeld(0x00FF00)});
    const Bericht b = l.erstellen();
    ASSERT_EQ(b.seitenzahl(), 1);
    const Seite& s = b.seite(0);

    QList<RechteckElement> felder;
    for (const Element& e : s.elemente())
        if (const auto* r = std::get_if<RechteckElement>(&e)) felder.append(*r);
    ASSERT_EQ(felder.size(), 2);
    // Square of 0.7 x row height, centred in the first line, one gap inside the cell.
    EXPECT_EQ(felder[0].box, QRectF(11, 27 + 0.75, 3.5, 3.5));
    EXPECT_EQ(felder[0].fuellfarbe, 0x0000FF);
    EXPECT_DOUBLE_EQ(felder[1].box.y(), 32 + 0.75);
    EXPECT_EQ(felder[1].fuellfarbe, 0x00FF00);

    const TextElement* text = suche(s, QStringLiteral("rot"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->box, QRectF(15.5, 27, 53.5, 5));
    EXPECT_NE(suche(s, QStringLiteral("BKH")), nullptr);
    EXPECT_EQ(suche(s, QStringLiteral("zu viel")), nullptr);
}

TEST(Listenbericht, LeereListeUndQuerformat) {
    Listenbericht l = standardListe();
    l.setSeitenformat(Bericht::a4(), Seitenausrichtung::Querformat, Raender{10, 10, 10, 10});
    l.setZeilenlinien(true);
    const Bericht leer = l.erstellen();
    ASSERT_EQ(leer.seitenzahl(), 1);
    EXPECT_DOUBLE_EQ(leer.breite(), 297.0);
    EXPECT_NE(suche(leer.seite(0), QStringLiteral("Name")), nullptr);
    ASSERT_NE(suche(leer.seite(0), QStringLiteral("Seite 1 von 1")), nullptr);
    EXPECT_EQ(suche(leer.seite(0), QStringLiteral("Seite 1 von 1"))->box, QRectF(10, 195, 277, 5));

    // Landscape: 190 - 12 - 5 - 5 = 168 mm, 33 rows; row lines under every row.
    for (int i = 0; i < 34; ++i)
        l.textzeile(QStringList{name(i)});
    const Bericht quer = l.erstellen();
    ASSERT_EQ(quer.seitenzahl(), 2);
    EXPECT_EQ(texteBei(quer.seite(0), 11.0).size(), 1 + 33);
    int linien = 0;
    for (const Element& e : quer.seite(0).elemente())
        if (const auto* li = std::get_if<LinienElement>(&e)) {
            ++linien;
            EXPECT_DOUBLE_EQ(li->bis.x() - li->von.x(), 100.0); // the width of the columns
        }
    EXPECT_EQ(linien, 1 + 33);
}
