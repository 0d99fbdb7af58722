// The Drucken menu's entries on the register's cat: the pending edit is printed, an unsuited cat gets
// its message, the new-cat-from-pedigree mode refuses, and the pedigree commands print in their language.

#include "app/ui/druckbefehle.h"
#include "printing/katzenregister.h"
#include "register/ui/tcatstamm.h"
#include "support/ui/hauptfenster.h"

#include <QLineEdit>
#include <QTimer>
#include "printing/ui/formularfenster.h"
#include <gtest/gtest.h>

using namespace velmora;

namespace {

QString alleTexte(const printing::Bericht& b) {
    QStringList t;
    for (const printing::Seite& s : b.seiten())
        for (const printing::TextElement& e : s.texte())
            t << e.text;
    return t.join(QLatin1Char('|'));
}

struct Druckfenster : test::Hauptfenster {
    Druckfenster() : test::Hauptfenster(optionen()) {
        haupt->druckbefehle()->vorschau = [this](const printing::Bericht& b) { vorschauen << b; };
        haupt->druckbefehle()->druckDialog = [this](const printing::Bericht& b) { gedruckt << b; };
        app::KatzenListe* liste = haupt->katzenListe();
        EXPECT_TRUE(liste->zeigeKatze(10));
        test::doppelklicken(liste->viewport(), liste->visualRect(liste->currentIndex()).center());
        EXPECT_EQ(haupt->registerKatze(), 10);
    }
    static Optionen optionen() {
        Optionen o;
        o.vorher = [](store::Database& db) { test::druckRegisterSchreiben(db); };
        return o;
    }
    test::Antworten meldungen;
    QList<printing::Bericht> vorschauen, gedruckt;
};

TEST(Druckbefehle, MenuEntriesPrintTheRegistersCatWithItsPendingEdit) {
    Druckfenster h;
    auto* name = h.katzenregister()->findChild<QLineEdit*>(QStringLiteral("DBName"));
    ASSERT_TRUE(name);
    test::eintragen(name, QStringLiteral("Luna die Zweite"));
    ASSERT_TRUE(h.menue(QStringLiteral("MenuKatzendaten")));
    ASSERT_EQ(h.vorschauen.size(), 1);
    EXPECT_TRUE(alleTexte(h.vorschauen[0]).contains(QStringLiteral("CH Luna die Zweite"))) << alleTexte(h.vorschauen[0]).toStdString();
    EXPECT_EQ(h.haupt->Druckentag, 1);

    // A queen has no mating book: message 219 and no preview.
    ASSERT_TRUE(h.menue(QStringLiteral("MenuDeckbuch")));
    EXPECT_EQ(h.meldungen.nummern(), QList<int>{219});
    EXPECT_EQ(h.vorschauen.size(), 1);

    ASSERT_TRUE(h.menue(QStringLiteral("MenuWurfdaten")));
    ASSERT_EQ(h.vorschauen.size(), 2);
    EXPECT_TRUE(alleTexte(h.vorschauen[1]).contains(QStringLiteral("Zorro of Brook")));
}

TEST(Druckbefehle, TheLitterRegistrationOpensPrefilledFromTheRegistersCatAndLitter) {
    Druckfenster h;
    QString mutter, kater;
    h.haupt->druckbefehle()->formularGeoeffnet = [&](printing::TFormularFenster& f) {
        mutter = f.formular().wert(QStringLiteral("MutterName"));
        kater = f.formular().wert(QStringLiteral("VaterName"));
        QTimer::singleShot(0, &f, &QDialog::reject);
    };
    ASSERT_TRUE(h.menue(QStringLiteral("MenuWurfmeldung")));
    EXPECT_EQ(mutter, QStringLiteral("CH Luna vom Lindenhof"));
    EXPECT_EQ(kater, QStringLiteral("Zorro of Brook"));
    EXPECT_TRUE(h.meldungen.nummern().isEmpty());
}

TEST(Druckbefehle, PedigreeCommandsPrintLandscapeInTheirLanguage) {
    Druckfenster h;
    ASSERT_TRUE(h.menue(QStringLiteral("MenuStammbaumEnglisch")));
    ASSERT_TRUE(h.menue(QStringLiteral("MenuStammbaumDeutsch")));
    ASSERT_EQ(h.gedruckt.size(), 2);
    EXPECT_EQ(h.gedruckt[0].ausrichtung(), printing::Seitenausrichtung::Querformat);
    EXPECT_TRUE(alleTexte(h.gedruckt[0]).contains(QStringLiteral("Pedigree")));
    EXPECT_TRUE(alleTexte(h.gedruckt[1]).contains(QStringLiteral("Stammbaum")));
    EXPECT_TRUE(alleTexte(h.gedruckt[1]).contains(QStringLiteral("Cäsar")));
}

TEST(Druckbefehle, RefusedWhileAParentIsEnteredFromThePedigree) {
    Druckfenster h;
    h.haupt->NeuausStb = true;
    for (const char* entry : {"MenuKatzendaten", "MenuStammbaumDeutsch", "MenuDrucken"})
        ASSERT_TRUE(h.menue(QLatin1String(entry))) << entry;
    EXPECT_EQ(h.meldungen.nummern(), (QList<int>{223, 223}));
    EXPECT_TRUE(h.vorschauen.isEmpty());
    EXPECT_TRUE(h.gedruckt.isEmpty());
}

} // namespace
