// Clubs, show dates and pharmacy inside the main window: their menu entries and the exclusive-window
// rules, typing a record through the shared editing rules, the link line and the mail button, the
// show dates' starting record, the calendar buttons, the sort orders with a missing index created on
// the spot, and the captions in three languages.

#include "common/ui/feldeditoren.h"
#include "common/ui/navigator.h"
#include "office/ui/apotheke.h"
#include "office/ui/ausstelt.h"
#include "office/ui/kalenderexport.h"
#include "office/ui/vereine.h"
#include "register/ui/kalenderdlg.h"
#include "store/table.h"
#include "support/ui/hauptfenster.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QToolButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::office;

namespace {

void zeile(store::Database& db, const QString& tabelle, const QVariantMap& werte) {
    store::Table t(db, tabelle);
    t.open();
    t.append();
    for (auto it = werte.cbegin(); it != werte.cend(); ++it)
        t.setValue(it.key(), it.value());
    t.post();
}

void indexEntfernen(store::Database& db, const QString& tabelle, const QString& index) {
    store::Table t(db, tabelle);
    t.open(store::Table::OpenMode::Exclusive);
    t.deleteIndex(index);
}

struct Fenster : test::Hauptfenster {
    explicit Fenster(std::function<void(store::Database&)> vorher = {}, bool speichern = true, int sprache = 0)
        : test::Hauptfenster(optionen(std::move(vorher), speichern, sprache)) {}
    static Optionen optionen(std::function<void(store::Database&)> vorher, bool speichern, int sprache) {
        Optionen o;
        o.mitRegister = false;
        o.vorher = std::move(vorher);
        o.sprache = sprache;
        o.ini = speichern ? QStringLiteral("[System]\r\nSpeichern=1\r\n") : QStringLiteral("[System]\r\nSpeichern=0\r\n");
        return o;
    }
    template <typename T> T* ueber(const char* name) {
        auto* f = dynamic_cast<T*>(ueberMenue(QString::fromLatin1(name)));
        test::ereignisse();
        return f;
    }
    void schliessen(TKindFenster* f) {
        test::klicken(f->findChild<QPushButton*>(QStringLiteral("BitBtnZurueck")));
        test::ereignisse();
    }
    test::Antworten antworten;
};

QLineEdit* eingabe(TBueroListe* f, const char* feld) {
    QWidget* w = f->feld(QLatin1String(feld));
    if (auto* d = qobject_cast<DbDatum*>(w)) return d->eingabe();
    return qobject_cast<QLineEdit*>(w);
}

// One column of the grid, top to bottom.
QStringList spalte(TBueroListe* f, int s) {
    QStringList werte;
    for (int r = 0; r < f->modell()->rowCount(); ++r)
        werte << f->modell()->data(f->modell()->index(r, s)).toString();
    return werte;
}

// Picks an entry of the sort order with the keyboard, as a user does.
void sortieren(TBueroListe* f, int eintrag) {
    while (f->sortierung()->currentIndex() < eintrag)
        test::taste(f->sortierung(), Qt::Key_Down);
    while (f->sortierung()->currentIndex() > eintrag)
        test::taste(f->sortierung(), Qt::Key_Up);
    test::ereignisse();
}

QDate dialogDatum;
void kalenderAntworten(const QDate& d) {
    dialogDatum = d;
    test::beimNaechstenDialog([](QWidget* w) {
        auto* k = qobject_cast<reg::TKalenderDlg*>(w);
        ASSERT_NE(k, nullptr);
        k->setDatum(dialogDatum);
        test::klicken(k->okKnopf());
    });
}

bool hatIndex(store::Table& t, const char* name) {
    for (const store::IndexDef& ix : t.indexDefs())
        if (ix.name.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) return true;
    return false;
}

} // namespace

TEST(BueroListen, MenuEntriesAndTheExclusiveWindowRules) {
    Fenster h;
    auto* vereine = h.ueber<TFormVereine>("FormVereine");
    ASSERT_NE(vereine, nullptr);
    EXPECT_EQ(h.haupt->findChild<QAction*>(QStringLiteral("MenuFormVereine"))->text(), QStringLiteral("&Vereine"));
    EXPECT_EQ(vereine->seiten()->tabText(0), QStringLiteral("&Felder"));
    EXPECT_EQ(vereine->seiten()->tabText(1), QStringLiteral("&Tabelle"));
    EXPECT_EQ(vereine->sortierung(), nullptr); // one order only

    // While the clubs are open the show dates and the pharmacy are refused with message 3.
    EXPECT_EQ(h.ueberMenue(QStringLiteral("FormAusstellungstermine")), nullptr);
    EXPECT_EQ(h.ueberMenue(QStringLiteral("FormApotheke")), nullptr);
    EXPECT_EQ(h.antworten.nummern(), (QList<int>{3, 3}));
    h.schliessen(vereine);
    EXPECT_EQ(h.haupt->fenster(QStringLiteral("FormVereine")), nullptr);

    // The pharmacy is an ordinary window: the show dates open beside it, and activating the pharmacy
    // brings the show dates forward with their message.
    auto* apotheke = h.ueber<TFormApotheke>("FormApotheke");
    ASSERT_NE(apotheke, nullptr);
    auto* termine = h.ueber<TFormAusstellungstermine>("FormAusstellungstermine");
    ASSERT_NE(termine, nullptr);
    h.antworten.meldungen.clear();
    auto* sub = qobject_cast<QMdiSubWindow*>(apotheke->parentWidget());
    h.haupt->mdi()->setActiveSubWindow(sub);
    test::ereignisse();
    EXPECT_EQ(h.antworten.nummern(), QList<int>{4});
    EXPECT_EQ(h.haupt->mdi()->activeSubWindow()->widget(), termine);
}

TEST(BueroListen, ClubTypedWithTheSharedRulesLinkLineAndMail) {
    Fenster h({}, /*speichern=*/false);
    auto* f = h.ueber<TFormVereine>("FormVereine");
    ASSERT_NE(f, nullptr);
    QStringList geoeffnet;
    f->oeffnen_ = [&](const QString& a) { geoeffnet << a; };

    // Typing into the empty list starts a record.
    test::eintragen(eingabe(f, "Verein"), QStringLiteral("Felis Nord"));
    EXPECT_TRUE(f->rueckgaengigKnopf()->isEnabled());
    test::eintragen(eingabe(f, "Homepage"), QStringLiteral("www.felis-nord.example"));
    EXPECT_EQ(f->linkZeile()->text(), QStringLiteral("<a href=\"#\">www.felis-nord.example</a>"));
    test::eintragen(eingabe(f, "EMail"), QStringLiteral("info@felis-nord.example"));
    // The store asks message 29; Yes stores.
    h.antworten.antworten = {Antwort::Ja};
    test::klicken(f->hinzufuegenKnopf());
    EXPECT_EQ(h.antworten.nummern(), QList<int>{29});
    EXPECT_EQ(QApplication::focusWidget(), eingabe(f, "Verein")); // the new record starts on its name
    EXPECT_EQ(f->linkZeile()->text(), QStringLiteral(" "));        // blank for the new record
    test::eintragen(eingabe(f, "Verein"), QStringLiteral("Abessinier Club"));
    h.antworten.antworten = {Antwort::Ja};
    f->navigator()->erster(); // the store before the move asks again
    // Name order: the new club comes first.
    EXPECT_EQ(spalte(f, 0), (QStringList{QStringLiteral("Abessinier Club"), QStringLiteral("Felis Nord")}));
    EXPECT_EQ(f->tabelle().asString(QStringLiteral("Verein")), QStringLiteral("Abessinier Club"));

    // A blank link line opens nothing; the mail button hands MAILTO: and the address on.
    f->homepageOeffnen();
    EXPECT_TRUE(geoeffnet.isEmpty());
    f->navigator()->letzter();
    test::klicken(f->findChild<QPushButton*>(QStringLiteral("BitBtnEMail")));
    f->homepageOeffnen();
    EXPECT_EQ(geoeffnet, (QStringList{QStringLiteral("MAILTO:info@felis-nord.example"),
                                      QStringLiteral("www.felis-nord.example")}));

    // A change refused at message 29 goes back to the stored values.
    test::eintragen(eingabe(f, "Ort"), QStringLiteral("Kiel"));
    h.antworten.antworten = {Antwort::Nein};
    f->navigator()->erster();
    f->navigator()->letzter();
    EXPECT_EQ(eingabe(f, "Ort")->text(), QString());
    EXPECT_FALSE(f->rueckgaengigKnopf()->isEnabled());

    // Delete asks message 28.
    h.antworten.meldungen.clear();
    h.antworten.antworten = {Antwort::Ja};
    test::klicken(f->loeschenKnopf());
    EXPECT_EQ(h.antworten.nummern(), QList<int>{28});
    EXPECT_EQ(f->modell()->rowCount(), 1);
}

TEST(BueroListen, ShowDatesStartOnTheNextShowSortByPlaceAndTakeCalendarDates) {
    const QDate heute(2027, 5, 10);
    TFormAusstellungstermine::heute = [heute] { return heute; };
    auto vorher = [heute](store::Database& db) {
        zeile(db, QStringLiteral("ausstelt"), {{"Datum", heute.addDays(-20)}, {"Ort", "Hamburg"}, {"Verein", "B"}});
        zeile(db, QStringLiteral("ausstelt"), {{"Datum", heute.addDays(5)}, {"Ort", "Bremen"}, {"Verein", "A"}});
        zeile(db, QStringLiteral("ausstelt"), {{"Datum", heute.addDays(5)}, {"Verein", "C"}}); // no place
        zeile(db, QStringLiteral("ausstelt"), {{"Datum", heute.addDays(40)}, {"Ort", "Hamburg"}, {"Verein", "D"}});
        indexEntfernen(db, QStringLiteral("ausstelt"), QStringLiteral("OrtDatum"));
    };
    Fenster h(vorher);
    auto* f = h.ueber<TFormAusstellungstermine>("FormAusstellungstermine");
    ASSERT_NE(f, nullptr);
    // Between two shows: the next one; within its date an empty place sorts first.
    EXPECT_EQ(f->tabelle().asString(QStringLiteral("Verein")), QStringLiteral("C"));
    EXPECT_EQ(spalte(f, 2), (QStringList{"B", "C", "A", "D"}));
    ASSERT_EQ(f->sortierung()->count(), 3);
    EXPECT_EQ(f->sortierung()->itemText(2), QStringLiteral("Ort"));

    // The place order's index is missing: it is made on the spot, without an error.
    ASSERT_FALSE(hatIndex(f->tabelle(), "OrtDatum"));
    sortieren(f, 2);
    EXPECT_TRUE(hatIndex(f->tabelle(), "OrtDatum"));
    EXPECT_TRUE(h.fehlerNummern.isEmpty());
    EXPECT_EQ(f->tabelle().indexName().toLower(), QStringLiteral("ortdatum"));
    EXPECT_EQ(spalte(f, 2), (QStringList{"C", "A", "B", "D"})); // two shows in Hamburg by date
    sortieren(f, 1);
    EXPECT_EQ(spalte(f, 2), (QStringList{"A", "B", "C", "D"}));

    // The calendar button of the last day writes the date chosen in the calendar.
    f->navigator()->erster();
    kalenderAntworten(QDate(2027, 5, 16));
    test::klicken(static_cast<DbDatum*>(f->feld(QStringLiteral("Datum2")))->kalenderKnopf());
    EXPECT_EQ(eingabe(f, "Datum2")->text(), QStringLiteral("16.05.2027"));
    EXPECT_TRUE(f->rueckgaengigKnopf()->isEnabled());
    test::klicken(f->rueckgaengigKnopf());
    EXPECT_EQ(eingabe(f, "Datum2")->text(), QString());
    h.schliessen(f);

    // After the last show the window stands on the last one.
    TFormAusstellungstermine::heute = [heute] { return heute.addDays(100); };
    f = h.ueber<TFormAusstellungstermine>("FormAusstellungstermine");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->tabelle().asString(QStringLiteral("Verein")), QStringLiteral("D"));
    TFormAusstellungstermine::heute = [] { return QDate::currentDate(); };
}

TEST(BueroListen, PharmacyMedicineOrderIsCreatedAndAHalfDateIsKept) {
    Fenster h([](store::Database& db) {
        zeile(db, QStringLiteral("apotheke"), {{"Bereich", "A"}, {"Medikament", "Zylexis"}});
        zeile(db, QStringLiteral("apotheke"), {{"Bereich", "B"}, {"Medikament", "Advocate"}});
        indexEntfernen(db, QStringLiteral("apotheke"), QStringLiteral("Medikament"));
    });
    auto* f = h.ueber<TFormApotheke>("FormApotheke");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(spalte(f, 2), (QStringList{"Zylexis", "Advocate"}));
    ASSERT_FALSE(hatIndex(f->tabelle(), "Medikament"));
    sortieren(f, 1);
    EXPECT_TRUE(h.fehlerNummern.isEmpty());
    EXPECT_EQ(spalte(f, 2), (QStringList{"Advocate", "Zylexis"}));

    test::klicken(f->hinzufuegenKnopf());
    EXPECT_EQ(QApplication::focusWidget(), eingabe(f, "Medikament"));
    test::tippen(QStringLiteral("Milbemax"));
    kalenderAntworten(QDate(2027, 1, 31));
    test::klicken(f->findChild<QWidget*>(QStringLiteral("BitBtnDatumVerfallsdatum")));
    EXPECT_EQ(eingabe(f, "Verfallsdatum")->text(), QStringLiteral("31.01.2027"));
    // Half a date refuses the store and stays for the user to finish.
    test::eintragen(eingabe(f, "Verfallsdatum"), QStringLiteral("3.1."));
    EXPECT_FALSE(f->speichern());
    EXPECT_EQ(eingabe(f, "Verfallsdatum")->text(), QStringLiteral("3.1."));
    EXPECT_EQ(f->tabelle().state(), store::Table::State::Insert);
    test::eintragen(eingabe(f, "Verfallsdatum"), QStringLiteral("3.1.2028"));
    EXPECT_TRUE(f->speichern());
    EXPECT_EQ(f->tabelle().asDate(QStringLiteral("Verfallsdatum")), QDate(2028, 1, 3));
    EXPECT_EQ(spalte(f, 2), (QStringList{"Advocate", "Milbemax", "Zylexis"}));
}

TEST(BueroListen, CaptionsInThreeLanguages) {
    struct Fall {
        int sprache;
        const char* titel;
        const char* ort;
        const char* medikament;
    };
    for (const Fall& fall : {Fall{0, "Ausstellungstermine", "Ort", "Medikament"},
                             Fall{1, "Show dates", "Location", "medicine"},
                             Fall{2, "Tentoonstellingsdata", "Ort", "Medikament"}}) {
        Fenster h({}, true, fall.sprache);
        auto* f = h.ueber<TFormAusstellungstermine>("FormAusstellungstermine");
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->windowTitle(), QString::fromUtf8(fall.titel));
        EXPECT_EQ(f->sortierung()->itemText(2), QString::fromUtf8(fall.ort));
        h.schliessen(f);
        auto* a = h.ueber<TFormApotheke>("FormApotheke");
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->sortierung()->itemText(1), QString::fromUtf8(fall.medikament));
        EXPECT_FALSE(a->findChild<QWidget*>(QStringLiteral("BitBtnDatumVerfallsdatum"))->accessibleName().isEmpty());
    }
}

TEST(BueroListen, ShowDatesExportWritesTheCalendarFileOfThePeriod) {
    const QDate heute = QDate::currentDate();
    Fenster h([heute](store::Database& db) {
        zeile(db, QStringLiteral("ausstelt"), {{"Datum", heute.addDays(3)}, {"Verein", "Felis Nord"}});
        zeile(db, QStringLiteral("ausstelt"), {{"Datum", heute.addYears(2)}, {"Verein", "Zu spaet"}});
    });
    auto* f = h.ueber<TFormAusstellungstermine>("FormAusstellungstermine");
    ASSERT_NE(f, nullptr);
    const QString datei = h.daten.file(QStringLiteral("termine.ics"));
    test::beimNaechstenDialog([datei](QWidget* d) {
        auto* dlg = qobject_cast<TKalenderExportDlg*>(d);
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(dlg->bisFeld()->date(), QDate::currentDate().addYears(1));
        test::eintragen(dlg->dateiFeld(), datei);
        test::ankreuzen(dlg->impfungen()); // off: only shows and wormings
        test::klicken(dlg->okKnopf());
    });
    test::klicken(f->findChild<QPushButton*>(QStringLiteral("BitBtnExport")));
    EXPECT_EQ(h.antworten.nummern(), QList<int>{2950});
    QFile ics(datei);
    ASSERT_TRUE(ics.open(QIODevice::ReadOnly));
    const QByteArray text = ics.readAll();
    EXPECT_EQ(text.count("BEGIN:VEVENT"), 1);
    EXPECT_TRUE(text.contains("SUMMARY:Ausstellung Felis Nord\r\n"));
    const QByteArray beginn = "DTSTART;VALUE=DATE:" + heute.addDays(3).toString(QStringLiteral("yyyyMMdd")).toLatin1();
    EXPECT_TRUE(text.contains(beginn));
}
