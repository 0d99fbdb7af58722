// The registration form windows: prefilled controls, what the user types printed on the chosen
// association's layout, the CFA club copied into the membership line, the missing data named on opening.

#include "common/meldungsdienst.h"
#include "printing/katzenregister.h"
#include "printing/ui/berichtdruck.h"
#include "printing/ui/formularfenster.h"
#include "support/testsupport.h"
#include "support/ui/eingabe.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::printing;

namespace {

QString alleTexte(const Bericht& b) {
    QStringList t;
    for (const Seite& s : b.seiten())
        for (const TextElement& e : s.texte())
            t << e.text;
    return t.join(QLatin1Char('|'));
}

struct FormularFenster : ::testing::Test {
    void SetUp() override {
        db = std::make_unique<store::Database>(dir.path());
        test::druckRegisterSchreiben(*db);
        quelle = std::make_unique<Druckquelle>(*db, info, 0);
        quelle->messen = schriftMessung();
        alt = Meldungsdienst::setAnzeige([this](const Meldung& m) {
            meldungen << m.text;
            return Antwort::Ok;
        });
    }
    void TearDown() override { Meldungsdienst::setAnzeige(alt); }
    test::DataDir dir;
    std::unique_ptr<store::Database> db;
    settings::tsysteminfo info;
    std::unique_ptr<Druckquelle> quelle;
    QStringList meldungen;
    Meldungsdienst::Anzeige alt;
};

TEST_F(FormularFenster, TypedValuesPrintOnTheChosenLayout) {
    Druckauftrag a;
    a.katze = 10;
    TFormMeldeformular f(*quelle, a);
    QList<Bericht> vorschau;
    f.vorschau = [&](const Bericht& b) { vorschau << b; };
    f.show();
    QApplication::processEvents();
    auto* name = qobject_cast<QLineEdit*>(f.feld(QStringLiteral("NameKatze")));
    ASSERT_TRUE(name);
    EXPECT_EQ(name->text(), QStringLiteral("CH Luna vom Lindenhof"));
    auto* ort = qobject_cast<QLineEdit*>(f.feld(QStringLiteral("Ausstellungsort")));
    test::eintragen(ort, QStringLiteral("Kassel"));
    test::ankreuzen(qobject_cast<QCheckBox*>(f.feld(QStringLiteral("Samstag"))));
    test::klicken(f.findChild<QPushButton*>(QStringLiteral("BitBtnVorschauFIFe")));
    ASSERT_EQ(vorschau.size(), 1);
    const QString t = alleTexte(vorschau[0]);
    for (const char* s : {"FIFe", "Anmeldeformular - Katzenausstellung", "Kassel", "[x] Samstag", "[ ] Sonntag",
                          "CH Luna vom Lindenhof", "Berger, Anna"})
        EXPECT_TRUE(t.contains(QString::fromUtf8(s))) << s << "\n" << t.toStdString();
    EXPECT_TRUE(meldungen.isEmpty());
}

TEST_F(FormularFenster, CfaClubGoesIntoTheMembershipLineAndMissingDataIsNamed) {
    Druckauftrag a;
    a.katze = 10;
    TFormMeldeformularCFA cfa(*quelle, a);
    auto* verein = qobject_cast<QLineEdit*>(cfa.feld(QStringLiteral("Verein")));
    cfa.show();
    test::eintragen(verein, QStringLiteral("CFA West"));
    EXPECT_EQ(qobject_cast<QLineEdit*>(cfa.feld(QStringLiteral("Mitgliedsverein")))->text(), QStringLiteral("CFA West"));

    a.katze = 12; // no litter
    TformWurfmeldung w(*quelle, a);
    w.show();
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(meldungen, QStringList{QStringLiteral("Es fehlen: kein Wurf gewählt")});
    ASSERT_TRUE(w.jungtiere());
    EXPECT_EQ(w.jungtiere()->columnCount(), 5);
}

} // namespace
