// The progress window against a real calculation: shown only in detail mode, and its cancel button
// makes the calculation return false.

#include "genealogy/inzuchtberechnung.h"
#include "genealogy/ui/inzuchtfortschrittfenster.h"

#include <QEvent>
#include <QHash>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace velmora::genealogy;

namespace {

// Cat n has the parents 2n and 2n+1 up to the depth given, so every pedigree is complete.
struct Vollstaendig : KatzenQuelle {
    qint32 grenze;
    explicit Vollstaendig(qint32 g) : grenze(g) {}
    bool lesen(qint32 nr, KatzenDaten& d) override {
        if (nr <= 0 || nr >= grenze * 2) return false;
        d.Vater = nr < grenze ? 2 * nr : 0;
        d.Mutter = nr < grenze ? 2 * nr + 1 : 0;
        d.Name = QStringLiteral("K%1").arg(nr);
        return true;
    }
    std::optional<qint32> merkmalFarbe(qint32) override { return std::nullopt; }
    QVector<TopKatzeZeile> topKatzen() override { return {}; }
};

struct Zaehler : QObject {
    int gezeigt = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show) ++gezeigt;
        return false;
    }
};

struct Lauf : ::testing::Test {
    Vollstaendig quelle{1 << 11};
    TFormInzuchtberechnung calc{quelle, [](int n) { return QStringLiteral("M%1").arg(n); }};
    InzuchtFortschrittFenster fenster;
    Zaehler zaehler;
    void SetUp() override {
        fenster.verbinden(calc);
        fenster.installEventFilter(&zaehler);
    }
};

} // namespace

TEST_F(Lauf, AbbruchLaesstDieBerechnungFalseLiefern) {
    bool warSichtbar = false;
    QTimer::singleShot(0, &fenster, [&] {
        warSichtbar = fenster.isVisible();
        fenster.abbruchKnopf()->click();
    });
    EXPECT_FALSE(calc.Berechne(1, 2, 3, 12, true));
    EXPECT_TRUE(warSichtbar);
    EXPECT_TRUE(calc.abbruch);
    EXPECT_FALSE(fenster.isVisible()); // hidden again at the end
    EXPECT_EQ(fenster.abbruchKnopf()->text(), "Abbruch");

    // the next run starts without the old cancel request
    EXPECT_TRUE(calc.Berechne(1, 2, 3, 8, true));
    EXPECT_FALSE(calc.abbruch);
}

TEST_F(Lauf, NurImDetailmodusSichtbarMitSchrittUndVollemBalken) {
    ASSERT_TRUE(calc.Berechne(1, 2, 3, 9, false));
    EXPECT_EQ(zaehler.gezeigt, 0);
    ASSERT_TRUE(calc.Berechne(1, 2, 3, 9, true));
    EXPECT_EQ(zaehler.gezeigt, 1);
    EXPECT_FALSE(fenster.isVisible());
    EXPECT_EQ(fenster.schrittLabel()->text(), "M132"); // the pair search is the last step
    EXPECT_EQ(fenster.balken()->maximum(), static_cast<int>(calc.AnzahlVorhandenerVorf));
    EXPECT_EQ(fenster.balken()->value(), fenster.balken()->maximum());
    EXPECT_EQ(calc.Inzuchtkoeffizientkurz, " 0%");
}
