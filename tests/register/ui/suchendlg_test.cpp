// The cat search dialog on a real data directory: the flows of one, several and no hits, the look-ups,
// re-sorting, double click, the callers' restrictions, the pedigree entry, the status index and the
// captions; message boxes are answered by a recorder.

#include "register/ui/suchendlg.h"

#include "common/meldungsdienst.h"
#include "language/sprache.h"
#include "register/ui/kalenderdlg.h"
#include "store/table.h"
#include "store/ui/dberror.h"
#include "support/testsupport.h"
#include "support/ui/hauptfenster.h"

#include <QApplication>

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::reg;

namespace {

QString s(const char* t) {
    return QString::fromUtf8(t);
}

// Records every box; OK boxes answer OK.
class SuchMeldungen {
public:
    SuchMeldungen() {
        qunsetenv("VELMORA_MELDUNGEN");
        Meldungsdienst::neuLaden();
        m_alt = Meldungsdienst::setAnzeige([this](const Meldung& m) {
            meldungen << m;
            return m.knoepfe == Knoepfe::Ok ? Antwort::Ok : Antwort::Nein;
        });
    }
    ~SuchMeldungen() { Meldungsdienst::setAnzeige(m_alt); }
    QList<int> nummern() const {
        QList<int> n;
        for (const Meldung& m : meldungen)
            n << m.nummer;
        return n;
    }
    QList<Meldung> meldungen;

private:
    Meldungsdienst::Anzeige m_alt;
};

class SuchenDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        db = std::make_unique<store::Database>(dir.path());
        store::Table adr(*db, s("adr_dat"));
        adr.open();
        adr.append();
        adr.setValue(s("Name"), s("Müller"));
        adr.setValue(s("Vorname"), s("Hans"));
        adr.post();
        mueller = adr.asInt(s("LaufendeNr"));
        fehler = std::make_unique<store::ui::TDBError>(db.get());
        fehler->setSprache(0);
        fehler->anzeige = [this](store::ui::TDBError& d) { fehlerDateien << d.Dateiname(); };
    }

    int katze(const char* name, const char* geschlecht, const char* zwinger = "", int rasse = 0,
              int status = 2, QDate geb = {}) {
        store::Table t(*db, s("catstamm"));
        t.open();
        t.append();
        t.setValue(s("Name"), s(name));
        t.setValue(s("Geschlecht"), s(geschlecht));
        t.setValue(s("Zwinger"), s(zwinger));
        if (rasse) t.setValue(s("Rasse"), rasse);
        t.setValue(s("Status"), status);
        if (geb.isValid()) t.setValue(s("GebDatum"), geb);
        t.post();
        return t.asInt(s("LaufendeNummer"));
    }

    std::unique_ptr<TSuchenDlg> dialog() {
        auto d = std::make_unique<TSuchenDlg>(*db);
        d->setLocale(QLocale(QLocale::German, QLocale::Germany));
        d->setFehlerDialog(fehler.get());
        return d;
    }

    QStringList gitterNamen(TSuchenDlg& d) {
        QStringList n;
        for (const SuchTreffer& t : d.treffer())
            n << t.name;
        return n;
    }

    test::DataDir dir;
    std::unique_ptr<store::Database> db;
    std::unique_ptr<store::ui::TDBError> fehler;
    QStringList fehlerDateien;
    SuchMeldungen meldungen;
    int mueller = 0;
};

TEST_F(SuchenDlgTest, OpeningEmptiesEverythingAndOffersTheStatusNames) {
    katze("Bella", "2");
    katze("Belinda", "2");
    auto d = dialog();
    QStringList status;
    for (int i = 0; i < d->statusFeld()->count(); ++i)
        status << d->statusFeld()->itemText(i);
    EXPECT_EQ(status, (QStringList{s("eigene Katze"), s("neu erfasst"), s("verkauft"), s("verstorben"),
                                   s("Nachzucht"), s("Fremdkatze"), s("Deckkater fremd"), s("Pflegekatze")}));
    d->oeffnen({});
    d->nameFeld()->setText(s("bel"));
    d->suchen();
    ASSERT_TRUE(d->ergebnisOffen());
    d->zwingerFeld()->setText(s("x"));
    d->statusFeld()->setEditText(s("verk"));
    d->gebDatumFeld()->setText(s("01.01.2020"));

    d->oeffnen({});
    EXPECT_TRUE(d->kriterien().leer());
    EXPECT_TRUE(d->anzahlLabel()->text().isEmpty());
    EXPECT_FALSE(d->ergebnisOffen());
    EXPECT_FALSE(d->gefunden());
    EXPECT_FALSE(d->ergebnisGitter()->isVisibleTo(d.get()));
    EXPECT_EQ(d->gewaehlteNummer(), 0);
    EXPECT_EQ(d->statusFeld()->count(), 8); // filled once, not twice
    EXPECT_TRUE(meldungen.meldungen.isEmpty());
}

TEST_F(SuchenDlgTest, SeveralHitsShowTheGridAndOkReturnsTheSelectedRow) {
    katze("Bella", "2", "C-Hof");
    const int belinda = katze("Belinda", "2", "A-Hof");
    const int belami = katze("Bel Ami", "1", "B-Hof");
    katze("Isabel", "2", "A-Hof");
    auto d = dialog();
    d->oeffnen({});
    d->nameFeld()->setText(s("bel"));
    d->suchen();
    EXPECT_TRUE(d->gefunden());
    EXPECT_TRUE(d->ergebnisGitter()->isVisibleTo(d.get()));
    EXPECT_EQ(d->anzahlLabel()->text(), s("3"));
    EXPECT_EQ(gitterNamen(*d), (QStringList{s("Belinda"), s("Bel Ami"), s("Bella")}));
    EXPECT_TRUE(d->ergebnisGitter()->isColumnHidden(SuchErgebnisModell::Status));
    EXPECT_EQ(d->gewaehlteNummer(), belinda); // the first row until another is chosen

    QTableView* g = d->ergebnisGitter();
    g->setCurrentIndex(g->model()->index(1, 0));
    EXPECT_EQ(d->gewaehlteNummer(), belami);
    EXPECT_EQ(d->gewaehlterName(), s("Bel Ami"));
    EXPECT_EQ(g->model()->data(g->model()->index(1, SuchErgebnisModell::Geschlecht)).toString(), s("m"));
    d->okKnopf()->click();
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(d->gewaehlteNummer(), belami);
    EXPECT_TRUE(meldungen.meldungen.isEmpty());

    // A status criterion adds its column.
    d->oeffnen({});
    d->nameFeld()->setText(s("bel"));
    d->statusFeld()->setEditText(s("neu"));
    d->suchen();
    EXPECT_EQ(d->treffer().size(), 3);
    EXPECT_FALSE(d->ergebnisGitter()->isColumnHidden(SuchErgebnisModell::Status));
}

TEST_F(SuchenDlgTest, OneHitFillsTheCriteriaAndOkReturnsItWithoutAGrid) {
    const int bella = katze("Bella", "2", "vom Hof", 1, 3, QDate(2020, 5, 3));
    {
        store::Table t(*db, s("catstamm"));
        t.open();
        ASSERT_TRUE(t.findKey({bella}));
        t.edit();
        t.setValue(s("Rufname"), s("Bibi"));
        t.setValue(s("FellFarbe"), s("schwarz"));
        t.setValue(s("Zuchtbuchnummer1"), s("DE 42"));
        t.setValue(s("Züchter"), mueller);
        t.setValue(s("Besitzer"), mueller);
        t.post();
    }
    katze("Tom", "1");
    auto d = dialog();
    int ergebnis = -1;
    QTimer::singleShot(0, d.get(), [&] {
        d->nameFeld()->setText(s("BELL"));
        d->suchenKnopf()->click();
        EXPECT_FALSE(d->ergebnisGitter()->isVisibleTo(d.get()));
        EXPECT_EQ(d->anzahlLabel()->text(), s("1"));
        EXPECT_EQ(d->nameFeld()->text(), s("Bella"));
        EXPECT_EQ(d->zwingerFeld()->text(), s("vom Hof"));
        EXPECT_EQ(d->rufnameFeld()->text(), s("Bibi"));
        EXPECT_EQ(d->rasseFeld()->text(), s("Abessinier"));
        EXPECT_EQ(d->farbeFeld()->text(), s("schwarz"));
        EXPECT_EQ(d->zuechterFeld()->text(), s("Müller, Hans"));
        EXPECT_EQ(d->besitzerFeld()->text(), s("Müller, Hans"));
        EXPECT_EQ(d->zuchtbuchFeld()->text(), s("DE 42"));
        EXPECT_EQ(d->statusFeld()->currentText(), s("verkauft"));
        EXPECT_EQ(d->gebDatumFeld()->text(), s("03.05.2020"));
        d->okKnopf()->click();
    });
    ergebnis = d->waehlen({});
    EXPECT_EQ(ergebnis, bella);
    EXPECT_TRUE(meldungen.meldungen.isEmpty());
}

TEST_F(SuchenDlgTest, NoHitWarnsExceptDuringAPedigreeEntryAndOkThenCancels) {
    katze("Bella", "2");
    auto d = dialog();
    d->oeffnen({});
    d->nameFeld()->setText(s("zzz"));
    d->suchen();
    EXPECT_EQ(meldungen.nummern(), QList<int>{50});
    EXPECT_EQ(meldungen.meldungen.first().art, MeldungsArt::Warnung);
    EXPECT_EQ(d->anzahlLabel()->text(), s("0"));
    EXPECT_FALSE(d->gefunden());
    d->okKnopf()->click();
    EXPECT_EQ(d->result(), QDialog::Rejected);

    // OK before any search is Cancel too.
    d->oeffnen({});
    d->okKnopf()->click();
    EXPECT_EQ(d->result(), QDialog::Rejected);
    EXPECT_EQ(d->gewaehlteNummer(), 0);

    meldungen.meldungen.clear();
    SuchAufruf stammbaum;
    stammbaum.neuausStb = true;
    stammbaum.vmZeiger = QLatin1Char('M');
    stammbaum.getippterName = s("zzz%");
    d->oeffnen(stammbaum);
    EXPECT_TRUE(d->ergebnisOffen());
    EXPECT_TRUE(meldungen.meldungen.isEmpty());
}

TEST_F(SuchenDlgTest, LookUpsThatMatchNothing) {
    katze("Bella", "2", "", 1);
    auto d = dialog();
    // No address: message 50 and no query at all.
    d->oeffnen({});
    d->zuechterFeld()->setText(s("Niemand"));
    d->suchen();
    EXPECT_EQ(meldungen.nummern(), QList<int>{50});
    EXPECT_FALSE(d->ergebnisOffen());
    EXPECT_TRUE(d->anzahlLabel()->text().isEmpty());
    meldungen.meldungen.clear();
    d->zuechterFeld()->clear();
    d->besitzerFeld()->setText(s("Niemand"));
    d->suchen();
    EXPECT_EQ(meldungen.nummern(), QList<int>{50});
    EXPECT_FALSE(d->ergebnisOffen());

    // No breed: the query runs (with the name) and finds nothing.
    meldungen.meldungen.clear();
    d->besitzerFeld()->clear();
    d->nameFeld()->setText(s("bella"));
    d->rasseFeld()->setText(s("zzz"));
    d->suchen();
    EXPECT_TRUE(d->ergebnisOffen());
    EXPECT_EQ(d->anzahlLabel()->text(), s("0"));
    d->rasseFeld()->setText(s("abes"));
    d->suchen();
    EXPECT_EQ(d->treffer().size(), 1);
    EXPECT_TRUE(fehlerDateien.isEmpty());
}

TEST_F(SuchenDlgTest, BadDatesAndHostileTextGiveMessagesNotQueryErrors) {
    katze("O'Malley \"Tiger\"", "1");
    katze("Bella", "2", "", 0, 2, QDate(2020, 5, 3));
    auto d = dialog();
    d->oeffnen({});
    for (const char* falsch : {"31.02.2020", "morgen", "3.5.2020' OR '1'='1"}) {
        meldungen.meldungen.clear();
        d->gebDatumFeld()->setText(s(falsch));
        d->suchen();
        EXPECT_EQ(meldungen.nummern(), QList<int>{114}) << falsch;
        EXPECT_FALSE(d->ergebnisOffen()) << falsch;
    }
    d->gebDatumFeld()->setText(s("3.5.2020"));
    meldungen.meldungen.clear();
    d->suchen();
    EXPECT_EQ(d->gewaehlterName(), s("Bella"));

    d->oeffnen({});
    for (const char* boese : {"' OR '1'='1", "\") OR 1=1 --", "'; DELETE FROM catstamm; --"}) {
        meldungen.meldungen.clear();
        d->nameFeld()->setText(s(boese));
        d->suchen();
        EXPECT_EQ(meldungen.nummern(), QList<int>{50}) << boese;
    }
    d->nameFeld()->setText(s("o'malley \"t"));
    d->suchen();
    EXPECT_EQ(d->gewaehlterName(), s("O'Malley \"Tiger\""));
    d->oeffnen({});
    d->suchen(); // no criterion: every cat, so nothing was deleted
    EXPECT_EQ(d->treffer().size(), 2);
    EXPECT_TRUE(fehlerDateien.isEmpty());
}

TEST_F(SuchenDlgTest, ColumnTitlesReSortAndTheChosenCatStays) {
    store::Table rasse(*db, s("rasse"));
    rasse.open();
    rasse.append();
    rasse.setValue(s("RName"), s("Aaa Testrasse"));
    rasse.post();
    const int testrasse = rasse.asInt(s("RCode"));
    rasse.close();
    katze("Cora", "2", "B-Hof", 1);
    const int anna = katze("Anna", "1", "C-Hof", testrasse);
    katze("Bert", "3", "A-Hof", 2);
    auto d = dialog();
    d->oeffnen({});
    d->suchen();
    ASSERT_EQ(gitterNamen(*d), (QStringList{s("Bert"), s("Cora"), s("Anna")}));
    QTableView* g = d->ergebnisGitter();
    g->setCurrentIndex(g->model()->index(2, 0));
    ASSERT_EQ(d->gewaehlteNummer(), anna);

    QHeaderView* kopf = g->horizontalHeader();
    emit kopf->sectionClicked(SuchErgebnisModell::Name);
    EXPECT_EQ(gitterNamen(*d), (QStringList{s("Anna"), s("Bert"), s("Cora")}));
    EXPECT_EQ(d->gewaehlteNummer(), anna);
    EXPECT_EQ(g->currentIndex().row(), 0);
    EXPECT_TRUE(d->abfrage().sql().endsWith(s("ORDER BY k.Name")));
    // Breed sorts by code: the test breed has the highest code although its name comes first.
    emit kopf->sectionClicked(SuchErgebnisModell::Rasse);
    EXPECT_EQ(gitterNamen(*d), (QStringList{s("Cora"), s("Bert"), s("Anna")}));
    EXPECT_EQ(g->currentIndex().row(), 2);
    emit kopf->sectionClicked(SuchErgebnisModell::Geschlecht);
    EXPECT_EQ(gitterNamen(*d), (QStringList{s("Anna"), s("Cora"), s("Bert")}));
    // Columns without an order change nothing.
    for (int spalte : {SuchErgebnisModell::Mutter, SuchErgebnisModell::Vater, SuchErgebnisModell::Zuechter,
                       SuchErgebnisModell::Besitzer, SuchErgebnisModell::Zuchtbuchnummer})
        emit kopf->sectionClicked(spalte);
    EXPECT_EQ(gitterNamen(*d), (QStringList{s("Anna"), s("Cora"), s("Bert")}));
    EXPECT_EQ(d->gewaehlteNummer(), anna);
}

TEST_F(SuchenDlgTest, DoubleClickCopiesTheRowAndSearchAgainReturnsToTheCriteria) {
    katze("Bella", "2", "A-Hof", 1);
    const int belinda = katze("Belinda", "2", "B-Hof", 2);
    auto d = dialog();
    d->oeffnen({});
    d->nameFeld()->setText(s("bel"));
    d->suchen();
    ASSERT_TRUE(d->ergebnisGitter()->isVisibleTo(d.get()));
    // "&Suchen" with the grid shown only hides it.
    d->suchen();
    EXPECT_FALSE(d->ergebnisGitter()->isVisibleTo(d.get()));
    EXPECT_EQ(d->nameFeld()->text(), s("bel"));
    EXPECT_EQ(d->treffer().size(), 2);
    d->suchen();
    ASSERT_TRUE(d->ergebnisGitter()->isVisibleTo(d.get()));

    QTableView* g = d->ergebnisGitter();
    emit g->doubleClicked(g->model()->index(1, 3));
    EXPECT_FALSE(g->isVisibleTo(d.get()));
    EXPECT_EQ(d->nameFeld()->text(), s("Belinda"));
    EXPECT_EQ(d->zwingerFeld()->text(), s("B-Hof"));
    EXPECT_EQ(d->rasseFeld()->text(), s("Ägyptische Mau"));
    EXPECT_EQ(d->statusFeld()->currentText(), s("neu erfasst"));
    EXPECT_EQ(d->gewaehlteNummer(), belinda);
    d->okKnopf()->click();
    EXPECT_EQ(d->result(), QDialog::Accepted);
}

TEST_F(SuchenDlgTest, CallersRestrictTheSex) {
    katze("Tom", "1");
    katze("TOM", "3");
    katze("Tomas", "1");
    const int tomma = katze("Tomma", "2");
    katze("Tina", "4");
    auto d = dialog();

    // Register father button of a cat named Tom.
    SuchAufruf vater;
    vater.formular = 3;
    vater.geschlecht = SuchGeschlecht::Maennlich;
    vater.eigenerName = s("Tom");
    QTimer::singleShot(0, d.get(), [&] {
        EXPECT_EQ(d->formular(), 3);
        d->nameFeld()->setText(s("t"));
        d->suchenKnopf()->click();
        d->okKnopf()->click();
    });
    const int gewaehlt = d->waehlen(vater);
    EXPECT_EQ(gewaehlt, d->gewaehlteNummer());
    EXPECT_EQ(gitterNamen(*d), QStringList{s("Tomas")});

    // Breeding book, mated-female search: females of every name.
    SuchAufruf katze2;
    katze2.formular = 2;
    katze2.geschlecht = SuchGeschlecht::Weiblich;
    d->oeffnen(katze2);
    d->nameFeld()->setText(s("t"));
    d->suchen();
    EXPECT_EQ(gitterNamen(*d), (QStringList{s("Tina"), s("Tomma")}));

    // Inbreeding window opened without a button: no restriction.
    SuchAufruf frei;
    frei.formular = 1;
    d->oeffnen(frei);
    d->nameFeld()->setText(s("t"));
    d->suchen();
    EXPECT_EQ(d->treffer().size(), 5);

    // A mother entered from the pedigree: the typed name is searched at once among females.
    SuchAufruf stammbaum;
    stammbaum.neuausStb = true;
    stammbaum.vmZeiger = QLatin1Char('M');
    stammbaum.getippterName = s("tom%");
    d->oeffnen(stammbaum);
    EXPECT_EQ(d->nameFeld()->text(), s("Tomma"));
    EXPECT_EQ(d->gewaehlteNummer(), tomma);
    // ... but not when it came from a parent button.
    stammbaum.formular = 3;
    stammbaum.geschlecht = SuchGeschlecht::Maennlich;
    d->oeffnen(stammbaum);
    EXPECT_TRUE(d->nameFeld()->text().isEmpty());
    EXPECT_FALSE(d->ergebnisOffen());
    EXPECT_TRUE(meldungen.meldungen.isEmpty());
}

TEST_F(SuchenDlgTest, QueryFailuresGoToTheDatabaseErrorDialog) {
    katze("Bella", "2");
    auto d = dialog();
    d->oeffnen({});
    db->disconnect();
    db->dropTable(s("catstamm"));
    d->nameFeld()->setText(s("bel"));
    d->suchen();
    ASSERT_EQ(fehlerDateien.size(), 1);
    EXPECT_EQ(store::Database::normalName(fehlerDateien.first()), s("catstamm"));
    EXPECT_TRUE(meldungen.meldungen.isEmpty());
    EXPECT_FALSE(d->ergebnisOffen());
}

TEST_F(SuchenDlgTest, StatusListGetsItsNameIndex) {
    auto ohneNamensindex = [this] {
        store::Table t(*db, s("status"));
        t.open(store::Table::OpenMode::Exclusive);
        t.deleteIndex(s("Name"));
        t.close();
    };
    auto hatIndex = [this] {
        for (const store::IndexDef& ix : db->readDefinition(s("status")).indexes)
            if (ix.sameFields({s("Status"), s("Nummer")})) return true;
        return false;
    };
    ohneNamensindex();
    ASSERT_FALSE(hatIndex());
    dialog();
    EXPECT_TRUE(hatIndex());
    EXPECT_TRUE(meldungen.meldungen.isEmpty());

    // The list in use elsewhere: the index cannot be added, message 11 names the table, the choices
    // are still there.
    ohneNamensindex();
    store::Table anderswo(*db, s("status"));
    anderswo.open();
    auto d = dialog();
    ASSERT_EQ(meldungen.nummern(), QList<int>{11});
    EXPECT_EQ(meldungen.meldungen.first().art, MeldungsArt::Fehler);
    EXPECT_TRUE(meldungen.meldungen.first().text.endsWith(s(" Status.db")));
    EXPECT_EQ(d->statusFeld()->count(), 8);
    EXPECT_FALSE(hatIndex());
}

TEST_F(SuchenDlgTest, CaptionsFollowTheLanguage) {
    language::TSprache sprache(*db, 1);
    ASSERT_TRUE(sprache.oeffnen());
    language::setAktuelleSprache(&sprache);
    auto d = dialog();
    d->oeffnen({});
    EXPECT_EQ(d->windowTitle(), s("Search for a cat"));
    EXPECT_EQ(d->suchenKnopf()->text(), s("&Search"));
    EXPECT_EQ(d->abbruchKnopf()->text(), s("&Cancel"));
    EXPECT_EQ(d->findChild<QLabel*>(s("LabelGefunden"))->text(), s("records found:"));
    EXPECT_EQ(d->findChild<QLabel*>(s("LabelZuechter"))->text(), s("B&reeder"));
    sprache.setSprache(0);
    d->oeffnen({});
    EXPECT_EQ(d->windowTitle(), s("Katze suchen"));
    EXPECT_EQ(d->findChild<QLabel*>(s("LabelGefunden"))->text(), s("gefundene Datensätze:"));
    language::setAktuelleSprache(nullptr);
}

TEST_F(SuchenDlgTest, CalendarButtonFillsTheDateOfBirth) {
    const int mai = katze("Mai", "2", "", 0, 2, QDate(2020, 5, 3));
    katze("Juni", "2", "", 0, 2, QDate(2020, 6, 3));
    auto d = dialog();
    d->oeffnen({});
    QTimer::singleShot(0, d.get(), [&] {
        d->kalenderDialog().setDatum(QDate(2020, 5, 3));
        d->kalenderDialog().okKnopf()->click();
    });
    d->kalenderKnopf()->click();
    EXPECT_EQ(d->gebDatumFeld()->text(), s("03.05.2020"));
    d->suchen();
    EXPECT_EQ(d->gewaehlteNummer(), mai);
    // Cancel leaves the field as it was.
    QTimer::singleShot(0, d.get(), [&] {
        d->kalenderDialog().setDatum(QDate(2021, 1, 1));
        d->kalenderDialog().abbruchKnopf()->click();
    });
    d->kalenderKnopf()->click();
    EXPECT_EQ(d->gebDatumFeld()->text(), s("03.05.2020"));
}

} // namespace

TEST_F(SuchenDlgTest, ReturnImStatusfeldSuchtNachDemErgaenztenText) {
    katze("Bella", "2", "", 0, 4);
    katze("Belinda", "2", "", 0, 4);
    katze("Carla", "2", "", 0, 1);
    auto d = dialog();
    d->oeffnen({});
    d->show();
    QApplication::setActiveWindow(d.get());
    d->statusFeld()->setFocus();
    test::tippen(d.get(), s("versto"));
    test::taste(d.get(), Qt::Key_Return);
    EXPECT_EQ(d->statusFeld()->currentText(), s("verstorben"));
    QStringList namen = gitterNamen(*d);
    namen.sort();
    EXPECT_EQ(namen, (QStringList{s("Belinda"), s("Bella")}));
    EXPECT_TRUE(d->isVisible());
}

TEST_F(SuchenDlgTest, SpaltentitelDerTrefferWerdenNichtAbgeschnitten) {
    katze("Bella", "2", "vom Hof");
    katze("Belinda", "2", "vom Hof");
    auto d = dialog();
    d->oeffnen({});
    d->show();
    d->nameFeld()->setText(s("bel"));
    d->suchen();
    ASSERT_EQ(d->treffer().size(), 2);
    auto* gitter = d->findChild<QTableView*>(s("DBGridErgebnis"));
    QHeaderView* kopf = gitter->horizontalHeader();
    for (int c = 0; c < gitter->model()->columnCount(); ++c) {
        if (gitter->isColumnHidden(c)) continue;
        const QString titel = gitter->model()->headerData(c, Qt::Horizontal).toString();
        EXPECT_GE(kopf->sectionSize(c), kopf->fontMetrics().horizontalAdvance(titel)) << titel.toStdString();
    }
}

TEST_F(SuchenDlgTest, DatesInTheGridAreWrittenAsInTheRegisterWhateverTheSystemLocale) {
    katze("Bella", "2", "", 0, 2, QDate(2024, 3, 1));
    const QLocale vorher;
    QLocale::setDefault(QLocale::c());
    TSuchenDlg d(*db); // without a locale of its own, as the program creates it
    d.setFehlerDialog(fehler.get());
    d.oeffnen({});
    d.nameFeld()->setText(s("Bella"));
    d.suchen();
    QTableView* g = d.ergebnisGitter();
    ASSERT_EQ(g->model()->rowCount(), 1);
    EXPECT_EQ(g->model()->data(g->model()->index(0, SuchErgebnisModell::GebDatum)).toString(),
              s("01.03.2024"));
    QLocale::setDefault(vorher);
}
