// The two address prints: margins from the settings, the list's title with the date, every hit in its
// row over as many pages as it takes, the web address at the foot, the single sheet's fields.

#include "office/adressdruck.h"
#include "printing/bericht.h"

#include <gtest/gtest.h>

using namespace velmora;

namespace {

QStringList texte(const printing::Bericht& b) {
    QStringList t;
    for (const printing::Seite& s : b.seiten())
        for (const printing::TextElement& e : s.texte())
            t << e.text;
    return t;
}

double linksteKante(const printing::Bericht& b) {
    double x = 1e9;
    for (const printing::Seite& s : b.seiten())
        for (const printing::TextElement& e : s.texte())
            x = std::min(x, e.box.left());
    return x;
}

TEST(Adressdruck, ListTakesEveryAddressWithinTheMarginsOfTheSettings) {
    QList<office::Adresse> l;
    for (int i = 0; i < 120; ++i) {
        office::Adresse a;
        a.name = QStringLiteral("Name%1").arg(i);
        a.vorname = QStringLiteral("V");
        a.geburtstag = QDate(1980, 5, 4);
        l << a;
    }
    const printing::Bericht b = office::adressenListeBericht(l, 22.0, 13.0, QDate(2026, 12, 10));
    EXPECT_GT(b.seitenzahl(), 1);
    EXPECT_EQ(b.ausrichtung(), printing::Seitenausrichtung::Querformat);
    EXPECT_DOUBLE_EQ(b.raender().links, 22.0);
    EXPECT_DOUBLE_EQ(b.raender().oben, 13.0);
    EXPECT_GE(linksteKante(b), 22.0);
    const QStringList t = texte(b);
    EXPECT_TRUE(t.contains(QStringLiteral(" Adressenliste vom 10.12.2026")));
    for (int i : {0, 61, 119})
        EXPECT_TRUE(t.contains(QStringLiteral("Name%1, V").arg(i))) << i;
    EXPECT_TRUE(t.contains(QStringLiteral("04.05.1980")));
    EXPECT_EQ(t.count(office::standardHomepage()), b.seitenzahl());
}

TEST(Adressdruck, SingleSheetShowsNameVornameAndTheRemark) {
    office::Adresse a;
    a.name = QStringLiteral("Meier");
    a.vorname = QStringLiteral("Hans");
    a.rasseName = QStringLiteral("Perser");
    a.bemerkung = QStringLiteral("erste Zeile\nzweite Zeile");
    const printing::Bericht b = office::adresseBericht(a, 10.0, 7.0);
    ASSERT_EQ(b.seitenzahl(), 1);
    const QStringList t = texte(b);
    for (const char* s : {"Meier, Hans", "Perser", "erste Zeile\nzweite Zeile", "Bemerkung", "Rasse"})
        EXPECT_TRUE(t.contains(QString::fromUtf8(s))) << s;
    EXPECT_GE(linksteKante(b), 10.0);
}

} // namespace
