// Bound editors over real cursors of a delivered data directory.

#include "common/meldungsdienst.h"
#include "common/ui/feldeditoren.h"
#include "common/ui/navigator.h"
#include "language/qtuebersetzung.h"
#include "language/sprache.h"
#include "store/database.h"
#include "store/table.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

using namespace velmora;
using store::Table;

namespace {

QString s(const char* t) {
    return QString::fromUtf8(t);
}

void taste(QWidget* w, int key, Qt::KeyboardModifiers mod = Qt::NoModifier, const QString& text = {}) {
    QKeyEvent druck(QEvent::KeyPress, key, mod, text);
    QApplication::sendEvent(w, &druck);
    QKeyEvent los(QEvent::KeyRelease, key, mod, text);
    QApplication::sendEvent(w, &los);
}

// Types the text key by key, as a user would.
void tippen(QWidget* w, const QString& text) {
    for (QChar c : text) {
        const int key = c.unicode() < 0x7f ? c.toUpper().unicode() : int(Qt::Key_unknown);
        taste(w, key, Qt::NoModifier, QString(c));
    }
}

// Records the signals of a binder.
struct Beobachter {
    explicit Beobachter(FeldBindung& b) {
        QObject::connect(&b, &FeldBindung::datensatzGeladen, [this] { ++geladen; });
        QObject::connect(&b, &FeldBindung::geaendertGewechselt, [this](bool g) { gewechselt << g; });
    }
    int geladen = 0;
    QList<bool> gewechselt;
};

void leeren(QWidget* w) {
    taste(w, Qt::Key_A, Qt::ControlModifier);
    taste(w, Qt::Key_Backspace);
}

void katzeAnlegen(Table& t, const QString& name, const QString& geschlecht) {
    t.append();
    t.setValue(s("Name"), name);
    t.setValue(s("Geschlecht"), geschlecht);
    t.post();
}

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        Meldungsdienst::verlaufLeeren();
        m_alt = Meldungsdienst::setAnzeige([](const Meldung&) { return Antwort::Ok; });
    }
    void TearDown() override { Meldungsdienst::setAnzeige(m_alt); }

    int fehlerBoxen() const {
        int n = 0;
        for (const Meldung& m : Meldungsdienst::verlauf())
            if (m.art == MeldungsArt::Fehler) ++n;
        return n;
    }

    test::DataDir dir;
    store::Database db{dir.path()};
    Meldungsdienst::Anzeige m_alt;
};

} // namespace

TEST_F(EditorTest, JedeBewegungLaedtAlleEditorenOhneAenderung) {
    Table augen(db, s("augen"));
    augen.open();
    FeldBindung b(augen);
    DbEdit farbe(b, s("Augenfarbe"));
    DbEdit englisch(b, s("AugenfarbeEng"));
    DbZahl nummer(b, s("LaufendeNummer"));
    Beobachter beob(b);

    // Editors made on an open cursor show its record at once.
    EXPECT_EQ(farbe.text(), s("blau"));
    EXPECT_EQ(englisch.text(), s("blue"));
    EXPECT_EQ(nummer.text(), s("1"));
    EXPECT_TRUE(nummer.isReadOnly()); // an Auto field

    augen.next();
    EXPECT_EQ(farbe.text(), s("hellblau"));
    EXPECT_EQ(englisch.text(), s("light blue"));
    augen.last();
    EXPECT_EQ(farbe.text(), augen.asString(s("Augenfarbe")));
    EXPECT_EQ(englisch.text(), augen.asString(s("AugenfarbeEng")));
    EXPECT_EQ(nummer.text(), QString::number(augen.asInt(s("LaufendeNummer"))));
    augen.findKey({3});
    EXPECT_EQ(farbe.text(), s("tiefblau"));
    EXPECT_EQ(beob.geladen, 3);

    EXPECT_EQ(augen.state(), Table::State::Browse);
    EXPECT_FALSE(augen.isModified());
    EXPECT_FALSE(b.geaendert());
    EXPECT_TRUE(beob.gewechselt.isEmpty());
}

TEST_F(EditorTest, TippenBearbeitetUndRueckgaengigStelltWiederHer) {
    Table augen(db, s("augen"));
    augen.open();
    FeldBindung b(augen);
    DbEdit farbe(b, s("Augenfarbe"));
    DbEdit zweite(b, s("Augenfarbe")); // a second editor of the same field
    DbEdit englisch(b, s("AugenfarbeEng"));
    Beobachter beob(b);

    farbe.setCursorPosition(farbe.text().size());
    tippen(&farbe, s("grau"));
    EXPECT_EQ(farbe.text(), s("blaugrau"));
    EXPECT_EQ(augen.state(), Table::State::Edit);
    EXPECT_TRUE(b.geaendert());
    EXPECT_EQ(augen.asString(s("Augenfarbe")), s("blaugrau"));
    EXPECT_EQ(zweite.text(), s("blaugrau"));
    EXPECT_EQ(beob.gewechselt, QList<bool>{true});

    tippen(&englisch, s("x"));
    EXPECT_EQ(beob.gewechselt.size(), 1); // still the same pending change

    b.abbrechen();
    EXPECT_EQ(augen.state(), Table::State::Browse);
    EXPECT_EQ(farbe.text(), s("blau"));
    EXPECT_EQ(zweite.text(), s("blau"));
    EXPECT_EQ(englisch.text(), s("blue"));
    EXPECT_FALSE(b.geaendert());
    EXPECT_EQ(beob.gewechselt, (QList<bool>{true, false}));

    // A cancel on the cursor itself, followed by neuLaden, shows the stored values too.
    tippen(&farbe, s("z"));
    augen.cancel();
    b.neuLaden();
    EXPECT_EQ(farbe.text(), s("blau"));
    EXPECT_FALSE(b.geaendert());

    // A binder set to read only keeps the record as it is.
    b.setNurLesen(true);
    tippen(&farbe, s("w"));
    EXPECT_EQ(farbe.text(), s("blau"));
    EXPECT_EQ(augen.state(), Table::State::Browse);
    b.setNurLesen(false);

    // Nothing of the cancelled input reached the file.
    Table pruef(db, s("augen"));
    pruef.open();
    ASSERT_TRUE(pruef.findKey({1}));
    EXPECT_EQ(pruef.asString(s("Augenfarbe")), s("blau"));
}

TEST_F(EditorTest, SpeichernUndBewegenSchreibenDieEingabe) {
    Table augen(db, s("augen"));
    augen.open();
    FeldBindung b(augen);
    DbEdit farbe(b, s("Augenfarbe"));

    leeren(&farbe);
    tippen(&farbe, s("Bernstein"));
    EXPECT_TRUE(b.speichern());
    EXPECT_FALSE(b.geaendert());
    EXPECT_EQ(farbe.text(), s("Bernstein"));

    augen.next();
    tippen(&farbe, s("X"));
    augen.next(); // the cursor stores a pending edit before it moves
    EXPECT_FALSE(b.geaendert());
    EXPECT_EQ(farbe.text(), s("tiefblau"));

    Table pruef(db, s("augen"));
    pruef.open();
    ASSERT_TRUE(pruef.findKey({1}));
    EXPECT_EQ(pruef.asString(s("Augenfarbe")), s("Bernstein"));
    ASSERT_TRUE(pruef.findKey({2}));
    EXPECT_EQ(pruef.asString(s("Augenfarbe")), s("Xhellblau"));
}

TEST_F(EditorTest, TextfeldNimmtHoechstensSeineLaengeAn) {
    Table augen(db, s("augen"));
    augen.open();
    FeldBindung b(augen);
    DbEdit farbe(b, s("Augenfarbe")); // Text 40
    EXPECT_EQ(farbe.maxLength(), 40);

    leeren(&farbe);
    tippen(&farbe, QString(45, QLatin1Char('a')));
    EXPECT_EQ(farbe.text().size(), 40);
    EXPECT_EQ(augen.asString(s("Augenfarbe")).size(), 40);
    EXPECT_TRUE(b.speichern()); // the engine's length check passes

    Table katzen(db, s("catstamm"));
    katzen.open();
    katzeAnlegen(katzen, s("Anouk"), s("2"));
    FeldBindung k(katzen);
    DbEdit geschlecht(k, s("Geschlecht")); // Text 1
    EXPECT_EQ(geschlecht.maxLength(), 1);
    leeren(&geschlecht);
    tippen(&geschlecht, s("12"));
    EXPECT_EQ(geschlecht.text(), s("1"));
    EXPECT_EQ(katzen.asString(s("Geschlecht")), s("1"));
}

TEST_F(EditorTest, LeererCursorNimmtKeineEingabeAn) {
    Table katzen(db, s("catstamm"));
    katzen.open();
    ASSERT_TRUE(katzen.isEmpty());
    FeldBindung b(katzen);
    DbEdit name(b, s("Name"));
    DbCheckBox andere(b, s("AndereRegistrierung"));
    DbDatum geboren(b, s("GebDatum"));

    tippen(&name, s("Mia"));
    andere.click();
    tippen(geboren.eingabe(), s("1.2.2020"));
    EXPECT_EQ(katzen.state(), Table::State::Browse);
    EXPECT_FALSE(b.geaendert());
    EXPECT_EQ(name.text(), QString());
    EXPECT_FALSE(andere.isChecked());
    EXPECT_EQ(geboren.eingabe()->text(), QString());
    EXPECT_EQ(fehlerBoxen(), 0);

    // A new record takes input and counts as a change from the start.
    Beobachter beob(b);
    ASSERT_TRUE(b.anhaengen());
    EXPECT_TRUE(b.geaendert());
    EXPECT_EQ(beob.gewechselt, QList<bool>{true});
    tippen(&name, s("Mia"));
    EXPECT_EQ(katzen.asString(s("Name")), s("Mia"));
    b.abbrechen();
    EXPECT_TRUE(katzen.isEmpty());
    EXPECT_EQ(name.text(), QString());
    EXPECT_FALSE(b.geaendert());
}

TEST_F(EditorTest, MemoUndKontrollkaestchen) {
    Table katzen(db, s("catstamm"));
    katzen.open();
    katzeAnlegen(katzen, s("Anouk"), s("2"));
    katzeAnlegen(katzen, s("Balou"), s("1"));
    katzen.first();
    FeldBindung b(katzen);
    DbMemo bemerkung(b, s("Bemerkung"));
    DbCheckBox andere(b, s("AndereRegistrierung"), s("Andere Registrierung"));
    EXPECT_FALSE(b.geaendert());

    tippen(&bemerkung, s("lieb"));
    EXPECT_EQ(katzen.state(), Table::State::Edit);
    andere.click();
    EXPECT_TRUE(katzen.asBool(s("AndereRegistrierung")));
    EXPECT_EQ(katzen.asString(s("Bemerkung")), s("lieb"));
    ASSERT_TRUE(b.speichern());

    katzen.next();
    EXPECT_EQ(bemerkung.toPlainText(), QString());
    EXPECT_FALSE(andere.isChecked());
    EXPECT_FALSE(b.geaendert());
    katzen.first();
    EXPECT_EQ(bemerkung.toPlainText(), s("lieb"));
    EXPECT_TRUE(andere.isChecked());
    EXPECT_FALSE(b.geaendert());
}

TEST_F(EditorTest, AuswahlZeigtTexteUndSpeichertCodes) {
    Table katzen(db, s("catstamm"));
    katzen.open();
    katzeAnlegen(katzen, s("Balou"), s("1"));
    katzeAnlegen(katzen, s("Cleo"), s("4"));
    katzen.first();
    FeldBindung b(katzen);
    const QList<DbAuswahl::Eintrag> geschlechter{
        {s("m"), s("1")}, {s("w"), s("2")}, {s("m/k"), s("3")}, {s("w/k"), s("4")}};
    DbAuswahl geschlecht(b, s("Geschlecht"), geschlechter);
    EXPECT_EQ(geschlecht.currentText(), s("m"));
    katzen.next();
    EXPECT_EQ(geschlecht.currentText(), s("w/k"));
    EXPECT_FALSE(b.geaendert());

    geschlecht.setCurrentIndex(geschlecht.findText(s("w")));
    EXPECT_EQ(katzen.state(), Table::State::Edit);
    EXPECT_EQ(katzen.asString(s("Geschlecht")), s("2"));
    ASSERT_TRUE(b.speichern());

    Table pruef(db, s("catstamm"));
    pruef.open();
    ASSERT_TRUE(pruef.findKey({katzen.asInt(s("LaufendeNummer"))}));
    EXPECT_EQ(pruef.asString(s("Name")), s("Cleo"));
    EXPECT_EQ(pruef.asString(s("Geschlecht")), s("2"));

    // New texts keep the record shown; a code outside the list shows nothing.
    geschlecht.setEintraege({{s("male"), s("1")}, {s("female"), s("2")}});
    EXPECT_EQ(geschlecht.currentText(), s("female"));
    EXPECT_FALSE(b.geaendert());
    katzen.edit();
    katzen.setValue(s("Geschlecht"), s("4"));
    b.neuLaden();
    EXPECT_EQ(geschlecht.currentIndex(), -1);
    b.abbrechen();
    EXPECT_EQ(geschlecht.currentText(), s("female"));
}

void entfernen(QWidget& w) {
    QKeyEvent taste(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &taste);
}

TEST_F(EditorTest, NachschlagSpeichertDenSchluesselUndLiestNeu) {
    Table fellart(db, s("fellart"));
    fellart.open();
    Table katzen(db, s("catstamm"));
    katzen.open();
    katzeAnlegen(katzen, s("Balou"), s("1"));
    FeldBindung b(katzen);
    DbNachschlag art(b, s("Fellart"), fellart, s("Bezeichnung"), s("LaufendeNummer"));
    EXPECT_EQ(art.count(), fellart.recordCount());
    EXPECT_EQ(art.currentIndex(), -1); // no coat type yet
    EXPECT_FALSE(b.geaendert());

    // The key of the chosen entry, as the list table holds it.
    Table suche(db, s("fellart"));
    suche.open();
    const QVariant lang = suche.lookupValue(s("Bezeichnung"), {s("Langhaar")}, s("LaufendeNummer"));
    ASSERT_TRUE(lang.isValid());
    art.setCurrentIndex(art.findText(s("Langhaar")));
    EXPECT_EQ(katzen.asInt(s("Fellart")), lang.toInt());
    ASSERT_TRUE(b.speichern());
    EXPECT_EQ(art.currentText(), s("Langhaar"));

    // A list cursor with editors of its own does not show the walk of a refresh.
    FeldBindung listenBindung(fellart);
    DbEdit bezeichnung(listenBindung, s("Bezeichnung"));
    fellart.next();
    const QString vorher = bezeichnung.text();
    Beobachter listeGeladen(listenBindung);

    suche.append();
    suche.setValue(s("Bezeichnung"), s("Nackt"));
    suche.post();
    const int neu = suche.asInt(s("LaufendeNummer"));
    EXPECT_EQ(art.findText(s("Nackt")), -1);
    art.neuLaden();
    EXPECT_EQ(art.count(), fellart.recordCount());
    ASSERT_GE(art.findText(s("Nackt")), 0);
    EXPECT_EQ(art.currentText(), s("Langhaar")); // the record shown stays
    EXPECT_FALSE(b.geaendert());
    EXPECT_EQ(listeGeladen.geladen, 0);
    EXPECT_EQ(bezeichnung.text(), vorher);
    EXPECT_EQ(fellart.asString(s("Bezeichnung")), vorher);

    art.setCurrentIndex(art.findText(s("Nackt")));
    EXPECT_EQ(katzen.asInt(s("Fellart")), neu);

    // A store into the list's table is read once the event loop runs.
    suche.edit();
    suche.setValue(s("Bezeichnung"), s("Sphynx"));
    suche.post();
    EXPECT_EQ(art.findText(s("Sphynx")), -1);
    QCoreApplication::processEvents();
    EXPECT_GE(art.findText(s("Sphynx")), 0);
    EXPECT_EQ(art.findText(s("Nackt")), -1);
    EXPECT_EQ(art.currentText(), s("Sphynx")); // the chosen key, under its new name
    EXPECT_EQ(listeGeladen.geladen, 0);

    // The empty entry clears the field.
    art.setLeerErlaubt(true);
    EXPECT_EQ(art.currentText(), s("Sphynx"));
    art.setCurrentIndex(0);
    EXPECT_TRUE(katzen.isNull(s("Fellart")));
    // So does the Delete key; a list without the empty entry keeps its value.
    art.setCurrentIndex(art.findText(s("Sphynx")));
    ASSERT_EQ(katzen.asInt(s("Fellart")), neu);
    entfernen(art);
    EXPECT_TRUE(katzen.isNull(s("Fellart")));
    EXPECT_EQ(art.currentIndex(), 0);
    art.setLeerErlaubt(false);
    art.setCurrentIndex(art.findText(s("Sphynx")));
    entfernen(art);
    EXPECT_EQ(katzen.asInt(s("Fellart")), neu);
}

TEST_F(EditorTest, DatumLeerGetipptUndAusDemKalender) {
    Table katzen(db, s("catstamm"));
    katzen.open();
    katzeAnlegen(katzen, s("Balou"), s("1"));
    FeldBindung b(katzen);
    DbDatum geboren(b, s("GebDatum"));
    EXPECT_EQ(geboren.eingabe()->text(), QString());
    EXPECT_FALSE(geboren.datum().isValid());

    tippen(geboren.eingabe(), s("03.04.2021"));
    EXPECT_EQ(katzen.asDate(s("GebDatum")), QDate(2021, 4, 3));
    ASSERT_TRUE(b.speichern());
    {
        Table pruef(db, s("catstamm"));
        pruef.open();
        EXPECT_EQ(pruef.asDate(s("GebDatum")), QDate(2021, 4, 3));
    }
    b.neuLaden();
    EXPECT_EQ(geboren.eingabe()->text(), s("03.04.2021"));

    // Half a date is a pending change the store refuses; the field keeps its value meanwhile.
    leeren(geboren.eingabe());
    tippen(geboren.eingabe(), s("7.8."));
    EXPECT_TRUE(geboren.ausstehend());
    EXPECT_TRUE(b.geaendert());
    EXPECT_FALSE(b.speichern());
    EXPECT_EQ(fehlerBoxen(), 1);
    EXPECT_EQ(katzen.state(), Table::State::Edit);
    EXPECT_EQ(geboren.eingabe()->text(), s("7.8."));
    tippen(geboren.eingabe(), s("19"));
    EXPECT_FALSE(geboren.ausstehend());
    EXPECT_EQ(katzen.asDate(s("GebDatum")), QDate(2019, 8, 7));
    ASSERT_TRUE(b.speichern());

    // Emptied, the field is stored empty.
    leeren(geboren.eingabe());
    EXPECT_TRUE(katzen.isNull(s("GebDatum")));
    ASSERT_TRUE(b.speichern());
    {
        Table pruef(db, s("catstamm"));
        pruef.open();
        EXPECT_TRUE(pruef.isNull(s("GebDatum")));
    }

    // The calendar opens on today for an empty field and writes the picked day.
    geboren.kalenderKnopf()->click();
    ASSERT_TRUE(geboren.kalenderOffen());
    EXPECT_EQ(geboren.kalender()->selectedDate(), QDate::currentDate());
    emit geboren.kalender()->clicked(QDate(2018, 12, 24));
    EXPECT_FALSE(geboren.kalenderOffen());
    EXPECT_EQ(geboren.eingabe()->text(), s("24.12.2018"));
    EXPECT_EQ(katzen.asDate(s("GebDatum")), QDate(2018, 12, 24));
    geboren.kalenderOeffnen();
    EXPECT_EQ(geboren.kalender()->selectedDate(), QDate(2018, 12, 24));
    geboren.kalender()->parentWidget()->hide();
}

TEST_F(EditorTest, DatumsmusterFolgtDerSprache) {
    Table katzen(db, s("catstamm"));
    katzen.open();
    katzeAnlegen(katzen, s("Balou"), s("1"));
    FeldBindung b(katzen);
    language::TSprache sprache(db, 0);
    sprache.oeffnen();
    language::setAktuelleSprache(&sprache);
    DbDatum geboren(b, s("GebDatum"));
    EXPECT_EQ(geboren.eingabe()->placeholderText(), s("tt.mm.jjjj"));
    const struct {
        int sprache;
        const char* muster;
        const char* kalender;
    } faelle[] = {
        {2, "dd.mm.jjjj", "Kalender"}, {1, "dd.mm.yyyy", "Calendar"}, {0, "tt.mm.jjjj", "Kalender"}};
    for (const auto& f : faelle) {
        sprache.setSprache(f.sprache);
        if (!language::qtUebersetzungLaden(f.sprache)) {
            QEvent e(QEvent::LanguageChange);
            QApplication::sendEvent(&geboren, &e);
        }
        QApplication::processEvents();
        EXPECT_EQ(geboren.eingabe()->placeholderText(), QString::fromUtf8(f.muster)) << f.sprache;
        EXPECT_EQ(geboren.kalenderKnopf()->toolTip(), QString::fromUtf8(f.kalender)) << f.sprache;
    }
    language::setAktuelleSprache(nullptr);
}

TEST(DatumLesen, FormenUndUngueltigeTage) {
    EXPECT_EQ(DbDatum::lesen(s("1.2.2020")), QDate(2020, 2, 1));
    EXPECT_EQ(DbDatum::lesen(s(" 01.02.1890 ")), QDate(1890, 2, 1));
    EXPECT_EQ(DbDatum::lesen(s("29.2.24")), QDate(2024, 2, 29));
    const int weit = (QDate::currentDate().year() + 30) % 100;
    EXPECT_EQ(DbDatum::lesen(QStringLiteral("1.1.%1").arg(weit, 2, 10, QLatin1Char('0'))).year(),
              QDate::currentDate().year() + 30 - 100);
    EXPECT_FALSE(DbDatum::lesen(s("31.2.2020")).isValid());
    EXPECT_FALSE(DbDatum::lesen(s("29.2.2023")).isValid());
    EXPECT_FALSE(DbDatum::lesen(s("1.2.202")).isValid());
    EXPECT_FALSE(DbDatum::lesen(s("1.2.")).isValid());
    EXPECT_FALSE(DbDatum::lesen(QString()).isValid());
    EXPECT_EQ(DbDatum::text(QDate(2020, 2, 1)), s("01.02.2020"));
    EXPECT_EQ(DbDatum::text(QDate()), QString());
}

TEST_F(EditorTest, ZahlenGanzUndMitKomma) {
    Table katzen(db, s("catstamm"));
    katzen.open();
    katzeAnlegen(katzen, s("Balou"), s("1"));
    FeldBindung b(katzen);
    DbZahl rasse(b, s("Rasse"));
    EXPECT_TRUE(rasse.ganzzahlig());
    tippen(&rasse, s("1a2"));
    EXPECT_EQ(rasse.text(), s("12")); // letters are not taken
    EXPECT_EQ(katzen.asInt(s("Rasse")), 12);
    leeren(&rasse);
    tippen(&rasse, s("-"));
    EXPECT_TRUE(rasse.ausstehend());
    tippen(&rasse, s("3"));
    EXPECT_EQ(katzen.asInt(s("Rasse")), -3);
    leeren(&rasse);
    EXPECT_TRUE(katzen.isNull(s("Rasse")));
    tippen(&rasse, s("99999999999"));
    EXPECT_TRUE(rasse.ausstehend()); // beyond a 32-bit field
    EXPECT_FALSE(b.speichern());
    b.abbrechen();

    Table gewicht(db, s("gewicht"));
    gewicht.open();
    gewicht.append();
    gewicht.setValue(s("Gewicht"), 4.25);
    gewicht.post();
    FeldBindung g(gewicht);
    DbZahl kilo(g, s("Gewicht"));
    EXPECT_FALSE(kilo.ganzzahlig());
    EXPECT_DOUBLE_EQ(QString(kilo.text()).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(), 4.25);
    leeren(&kilo);
    tippen(&kilo, s("3,5"));
    EXPECT_DOUBLE_EQ(gewicht.asFloat(s("Gewicht")), 3.5);
    leeren(&kilo);
    tippen(&kilo, s("2.75"));
    EXPECT_DOUBLE_EQ(gewicht.asFloat(s("Gewicht")), 2.75);
    ASSERT_TRUE(g.speichern());
}

TEST_F(EditorTest, FruehereHakenBleibenUndBindungLoestSich) {
    Table augen(db, s("augen"));
    augen.open();
    int bewegungen = 0, gespeichert = 0, vorSpeichern = 0;
    augen.afterScroll = [&](Table&) { ++bewegungen; };
    augen.afterPost = [&](Table&) { ++gespeichert; };
    augen.beforePost = [&](Table&) { ++vorSpeichern; };
    auto b = std::make_unique<FeldBindung>(augen);
    auto farbe = std::make_unique<DbEdit>(*b, s("Augenfarbe"));
    DbEdit englisch(*b, s("AugenfarbeEng"));

    augen.next();
    EXPECT_EQ(bewegungen, 1);
    EXPECT_EQ(farbe->text(), s("hellblau"));
    tippen(farbe.get(), s("x"));
    ASSERT_TRUE(b->speichern());
    EXPECT_EQ(vorSpeichern, 1);
    EXPECT_EQ(gespeichert, 1);

    // An editor may go first; the others keep working.
    farbe.reset();
    EXPECT_EQ(b->felder().size(), 1);
    augen.next();
    EXPECT_EQ(englisch.text(), s("deep blue"));

    // Without the binder the earlier hooks are the cursor's hooks again, and its editors stand still.
    b.reset();
    augen.first();
    EXPECT_EQ(bewegungen, 4); // three moves and the reload after the store
    EXPECT_EQ(englisch.text(), s("deep blue"));
    tippen(&englisch, s("y"));
    EXPECT_EQ(augen.state(), Table::State::Browse);

    // The window's beforePost may cancel; the editors then show the stored record.
    FeldBindung neu(augen);
    DbEdit farbe2(neu, s("Augenfarbe"));
    augen.beforePost = [](Table& t) { t.cancel(); };
    FeldBindung oben(augen); // chained on top of the cancelling hook
    DbEdit farbe3(oben, s("Augenfarbe"));
    tippen(&farbe2, s("q"));
    EXPECT_TRUE(neu.speichern());
    EXPECT_EQ(farbe2.text(), s("blau"));
    EXPECT_EQ(farbe3.text(), s("blau"));
    EXPECT_FALSE(neu.geaendert());
}
