// The pedigree window's print buttons: the certificate of the cat the window shows (also after a step
// into an ancestor's pedigree), in the language of the button.

#include "genealogy/ui/stammbaum.h"
#include "printing/katzenregister.h"
#include "support/ui/hauptfenster.h"

#include <QPushButton>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

QString alleTexte(const printing::Bericht& b) {
    QStringList t;
    for (const printing::TextElement& e : b.seite(0).texte())
        t << e.text;
    return t.join(QLatin1Char('|'));
}

TEST(StammbaumDruck, ButtonsPrintTheWindowsCatInTheirLanguage) {
    test::Hauptfenster::Optionen o;
    o.mitRegister = false;
    o.vorher = [](store::Database& db) { test::druckRegisterSchreiben(db); };
    test::Hauptfenster h(o);
    test::Antworten meldungen;
    ASSERT_TRUE(h.haupt->katzenListe()->zeigeKatze(12));
    ASSERT_TRUE(h.menue(QStringLiteral("MenuFormStammbaum")));
    auto* f = dynamic_cast<genealogy::TFormStammbaum*>(h.haupt->fenster(QStringLiteral("FormStammbaum")));
    ASSERT_TRUE(f);
    ASSERT_EQ(f->proband(), 12);
    QList<printing::Bericht> gedruckt;
    f->druckAusgabe = [&](const printing::Bericht& b) { gedruckt << b; };
    test::klicken(f->findChild<QPushButton*>(QStringLiteral("BitBtnDruckenEnglisch")));
    test::klicken(f->findChild<QPushButton*>(QStringLiteral("BitBtnDruckenDeutsch")));
    ASSERT_EQ(gedruckt.size(), 2);
    const QString en = alleTexte(gedruckt[0]), de = alleTexte(gedruckt[1]);
    EXPECT_TRUE(en.contains(QStringLiteral("Pedigree|Bella vom Lindenhof"))) << en.toStdString();
    EXPECT_TRUE(de.contains(QStringLiteral("Stammbaum|Bella vom Lindenhof"))) << de.toStdString();
    // Bella's parents and grandparents: Cäsar, Emma, Felix, Gina.
    for (const char* n : {"Cäsar", "Emma", "Felix", "Gina"})
        EXPECT_TRUE(de.contains(QString::fromUtf8(n))) << n;
    EXPECT_FALSE(de.contains(QStringLiteral("Atlas")));
    EXPECT_TRUE(meldungen.nummern().isEmpty());
}

} // namespace
