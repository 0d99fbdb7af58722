// The navigator over a real cursor: enabling at the ends, moves, bookmarks and failing stores.

#include "common/meldungsdienst.h"
#include "common/ui/feldeditoren.h"
#include "common/ui/navigator.h"
#include "store/database.h"
#include "store/table.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace velmora;
using store::Table;

namespace {

QString s(const char* t) {
    return QString::fromUtf8(t);
}

struct Stand {
    bool erster, vorheriger, naechster, letzter;
    bool operator==(const Stand&) const = default;
};

Stand stand(const Navigator& n) {
    return {n.knopf(Navigator::Erster)->isEnabled(), n.knopf(Navigator::Vorheriger)->isEnabled(),
            n.knopf(Navigator::Naechster)->isEnabled(), n.knopf(Navigator::Letzter)->isEnabled()};
}

std::ostream& operator<<(std::ostream& o, const Stand& st) {
    return o << st.erster << st.vorheriger << st.naechster << st.letzter;
}

const Stand kAmAnfang{false, false, true, true};
const Stand kAmEnde{true, true, false, false};
const Stand kDazwischen{true, true, true, true};
const Stand kNichts{false, false, false, false};

void tippen(QWidget* w, const QString& text) {
    for (QChar c : text) {
        QKeyEvent e(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &e);
    }
}

class NavigatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        Meldungsdienst::verlaufLeeren();
        m_alt = Meldungsdienst::setAnzeige([](const Meldung&) { return Antwort::Ok; });
    }
    void TearDown() override { Meldungsdienst::setAnzeige(m_alt); }

    test::DataDir dir;
    store::Database db{dir.path()};
    Meldungsdienst::Anzeige m_alt;
};

} // namespace

TEST_F(NavigatorTest, KnoepfeFolgenDerStellung) {
    Table augen(db, s("augen"));
    augen.open();
    FeldBindung b(augen);
    DbEdit farbe(b, s("Augenfarbe"));
    Navigator nav(b);
    EXPECT_EQ(nav.knopf(Navigator::Merken), nullptr);
    EXPECT_EQ(stand(nav), kAmAnfang);

    nav.knopf(Navigator::Naechster)->click();
    EXPECT_EQ(farbe.text(), s("hellblau"));
    EXPECT_EQ(stand(nav), kDazwischen);

    // Back on the first record by a step, not by first(): still the start.
    nav.knopf(Navigator::Vorheriger)->click();
    EXPECT_EQ(farbe.text(), s("blau"));
    EXPECT_EQ(stand(nav), kAmAnfang);

    nav.knopf(Navigator::Letzter)->click();
    EXPECT_EQ(augen.position(), augen.recordCount() - 1);
    EXPECT_EQ(farbe.text(), augen.asString(s("Augenfarbe")));
    EXPECT_EQ(stand(nav), kAmEnde);

    // A move of the cursor in code updates the buttons as well.
    augen.prior();
    EXPECT_EQ(stand(nav), kDazwischen);
    augen.next();
    EXPECT_EQ(stand(nav), kAmEnde);

    nav.knopf(Navigator::Erster)->click();
    EXPECT_EQ(farbe.text(), s("blau"));
    EXPECT_EQ(stand(nav), kAmAnfang);
}

TEST_F(NavigatorTest, EinzigerUndKeinDatensatz) {
    Table katzen(db, s("catstamm"));
    katzen.open();
    ASSERT_TRUE(katzen.isEmpty());
    FeldBindung b(katzen);
    DbEdit name(b, s("Name"));
    Navigator nav(b, nullptr, true);
    EXPECT_EQ(stand(nav), kNichts);
    EXPECT_FALSE(nav.knopf(Navigator::Merken)->isEnabled());
    EXPECT_FALSE(nav.knopf(Navigator::Zurueck)->isEnabled());

    // A new record can be left in both directions; leaving stores it.
    ASSERT_TRUE(b.anhaengen());
    EXPECT_EQ(stand(nav), kDazwischen);
    tippen(&name, s("Mia"));
    katzen.setValue(s("Geschlecht"), s("2"));
    nav.knopf(Navigator::Erster)->click();
    EXPECT_EQ(katzen.state(), Table::State::Browse);
    EXPECT_EQ(katzen.recordCount(), 1);
    EXPECT_EQ(name.text(), s("Mia"));
    EXPECT_EQ(stand(nav), kNichts);
    EXPECT_TRUE(nav.knopf(Navigator::Merken)->isEnabled());
}

TEST_F(NavigatorTest, BewegenSpeichertUndMeldetEinenFehlschlag) {
    Table katzen(db, s("catstamm"));
    katzen.open();
    for (const char* n : {"Anouk", "Balou"}) {
        katzen.append();
        katzen.setValue(s("Name"), s(n));
        katzen.setValue(s("Geschlecht"), s("1"));
        katzen.post();
    }
    katzen.first();
    FeldBindung b(katzen);
    QStringList gemeldet;
    b.fehlerAnzeige = [&](const std::exception& e) { gemeldet << QString::fromUtf8(e.what()); };
    DbEdit name(b, s("Name"));
    Navigator nav(b);

    tippen(&name, s("X"));
    nav.knopf(Navigator::Naechster)->click();
    EXPECT_EQ(name.text(), s("Balou"));
    EXPECT_FALSE(b.geaendert());
    nav.knopf(Navigator::Erster)->click();
    EXPECT_EQ(name.text(), s("XAnouk"));

    // A new cat without a sex cannot be stored: the move is refused, the input stays.
    ASSERT_TRUE(b.anhaengen());
    tippen(&name, s("Cleo"));
    int bewegt = 0;
    QObject::connect(&nav, &Navigator::bewegt, [&] { ++bewegt; });
    nav.knopf(Navigator::Letzter)->click();
    EXPECT_EQ(bewegt, 0);
    ASSERT_EQ(gemeldet.size(), 1);
    EXPECT_TRUE(gemeldet.first().contains(s("Geschlecht")));
    EXPECT_EQ(katzen.state(), Table::State::Insert);
    EXPECT_EQ(name.text(), s("Cleo"));
    EXPECT_TRUE(b.geaendert());
    EXPECT_EQ(katzen.recordCount(), 2);
}

TEST_F(NavigatorTest, MerkenUndZurueck) {
    Table augen(db, s("augen"));
    augen.open();
    FeldBindung b(augen);
    DbEdit farbe(b, s("Augenfarbe"));
    Navigator nav(b, nullptr, true);
    QToolButton* merken = nav.knopf(Navigator::Merken);
    QToolButton* zurueck = nav.knopf(Navigator::Zurueck);
    ASSERT_TRUE(merken && zurueck);
    EXPECT_TRUE(merken->isEnabled());
    EXPECT_FALSE(zurueck->isEnabled());

    nav.knopf(Navigator::Naechster)->click();
    nav.knopf(Navigator::Naechster)->click();
    const QString gemerkt = farbe.text();
    merken->click();
    EXPECT_TRUE(nav.hatLesezeichen());
    EXPECT_FALSE(zurueck->isEnabled()); // already there

    nav.knopf(Navigator::Letzter)->click();
    EXPECT_TRUE(zurueck->isEnabled());
    zurueck->click();
    EXPECT_EQ(farbe.text(), gemerkt);
    EXPECT_EQ(augen.position(), 2);
    EXPECT_EQ(stand(nav), kDazwischen);
}
