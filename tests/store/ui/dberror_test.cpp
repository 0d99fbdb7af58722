#include "store/ui/dberror.h"

#include "common/meldungsdienst.h"
#include "store/table.h"
#include "support/testsupport.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace velmora;
using namespace velmora::store;
using velmora::store::ui::TDBError;

namespace {

QString s(const char* t) {
    return QString::fromUtf8(t);
}

// What the dialog showed while it was up.
struct Bild {
    bool gezeigt = false;
    QString titel;
    QStringList zeilen; // visible error lines
    QString datei;
    bool reparieren = false;
    bool mehrSichtbar = false;
    bool mehrAktiv = false;
    bool nativeSichtbar = false;
    QSize groesse;
    QSize panel;
    QList<int> knopfY;
};

Bild bild(TDBError& d) {
    Bild b;
    b.gezeigt = d.isVisible();
    b.titel = d.windowTitle();
    for (int i = 0; i < maxFehlerZeilen; ++i)
        if (d.fehlerZeileLabel(i)->isVisible()) b.zeilen << d.fehlerZeileLabel(i)->text();
    b.datei = d.dateiZeileLabel()->text();
    b.reparieren = d.reparierenKnopf()->isVisible();
    b.mehrSichtbar = d.mehrInformationenKnopf()->isVisible();
    b.mehrAktiv = d.mehrInformationenKnopf()->isEnabled();
    b.nativeSichtbar = d.nativePanel()->isVisible();
    b.groesse = d.size();
    b.panel = d.infoPanel()->size();
    b.knopfY = {d.mehrInformationenKnopf()->y(), d.reparierenKnopf()->y(), d.weiterKnopf()->y()};
    return b;
}

class DbErrorDialog : public ::testing::Test {
protected:
    void SetUp() override {
        qunsetenv("VELMORA_MELDUNGEN");
        Meldungsdienst::neuLaden();
        Meldungsdienst::verlaufLeeren();
        vorher = Meldungsdienst::setAnzeige([this](const Meldung& m) {
            meldungen << m;
            return Antwort::Ok;
        });
        dlg.setSprache(0);
        dlg.beendenVerlangt = [this] { ++beendet; };
    }
    void TearDown() override {
        Meldungsdienst::setAnzeige(vorher);
        qunsetenv("VELMORA_MELDUNGEN");
        Meldungsdienst::neuLaden();
    }

    // Shows the error, records what was shown, then presses the named button (nullptr: none).
    Bild zeige(const std::exception& e, const QString& datei, const char* knopf = "Weiter") {
        Bild b;
        dlg.anzeige = [&](TDBError& d) {
            b = bild(d);
            if (knopf) d.findChild<QPushButton*>(s(knopf))->click();
        };
        dlg.HandleException(e, datei);
        return b;
    }

    velmora::test::DataDir dir;
    Database db{dir.path()};
    TDBError dlg{&db};
    QList<Meldung> meldungen;
    int beendet = 0;
    Meldungsdienst::Anzeige vorher;
};

} // namespace

TEST_F(DbErrorDialog, KeyViolationInWurfbuchIsRepairedAndEndsTheProgram) {
    Table t(db, s("wurfbuch"));
    t.open();
    t.onPostError = ui::postFehlerBehandlung(dlg);
    t.append();
    t.setValue(s("Katze"), 5);
    t.post();
    const int nummer = t.asInt(s("LaufendeNummer"));
    const int anzahl = t.recordCount();

    Bild vorMehr, nachMehr;
    QString nativeText;
    dlg.anzeige = [&](TDBError& d) {
        vorMehr = bild(d);
        d.mehrInformationenKnopf()->click();
        nachMehr = bild(d);
        nativeText = d.nativeLabel()->text();
        d.reparierenKnopf()->click();
    };
    t.append();
    t.setValue(s("LaufendeNummer"), nummer);
    t.setValue(s("Katze"), 6);
    EXPECT_NO_THROW(t.post());

    ASSERT_TRUE(vorMehr.gezeigt);
    EXPECT_EQ(vorMehr.titel, s("EDBEngine-Fehler entdeckt"));
    ASSERT_EQ(vorMehr.zeilen.size(), 1);
    EXPECT_TRUE(vorMehr.zeilen[0].startsWith(s("Eintrag: 0, Fehlernummer: 9729,  ")))
        << vorMehr.zeilen[0].toStdString();
    EXPECT_EQ(vorMehr.datei, s("Datei: wurfbuch"));
    EXPECT_TRUE(vorMehr.reparieren);
    EXPECT_TRUE(vorMehr.mehrAktiv); // SQLite's result code travels as the native code
    EXPECT_FALSE(vorMehr.nativeSichtbar);

    EXPECT_FALSE(nachMehr.mehrAktiv);
    EXPECT_TRUE(nachMehr.nativeSichtbar);
    EXPECT_EQ(nachMehr.groesse, vorMehr.groesse + QSize(0, 43));
    EXPECT_TRUE(nativeText.startsWith(s("Fehlerursache: Code(s)   "))) << nativeText.toStdString();

    ASSERT_EQ(meldungen.size(), 1);
    EXPECT_EQ(meldungen[0].art, MeldungsArt::Information);
    EXPECT_EQ(meldungen[0].nummer, 0);
    EXPECT_EQ(meldungen[0].text, s("Reparatur erfolgreich!"));
    EXPECT_EQ(beendet, 1);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_FALSE(dlg.reparierenKnopf()->isEnabled());

    // the failed record is gone, the connection was closed, and the rebuild's write test ran
    EXPECT_FALSE(t.isOpen());
    Table neu(db, s("wurfbuch"));
    neu.open();
    EXPECT_EQ(neu.recordCount(), anzahl);
    neu.append();
    neu.setValue(s("Katze"), 7);
    neu.post();
    EXPECT_EQ(neu.asInt(s("LaufendeNummer")), nummer + 2);
    EXPECT_NE(db.readDefinition(s("wurfbuch")).index(s("KatzeIdx")), nullptr);
}

TEST_F(DbErrorDialog, TablesWithoutRoutineOfferRepairButFailAndStillEnd) {
    Table offen(db, s("catstamm"));
    offen.open();
    const Bild b = zeige(EngineError(9729, s("Schlüsselverletzung"), s("zuchtwert"), 19), s("zuchtwert.db"),
                         "Reparieren");
    EXPECT_TRUE(b.reparieren);
    ASSERT_EQ(meldungen.size(), 1);
    EXPECT_EQ(meldungen[0].art, MeldungsArt::Fehler);
    EXPECT_EQ(meldungen[0].text, s("Reparatur nicht möglich!"));
    EXPECT_EQ(beendet, 1);
    EXPECT_FALSE(offen.isOpen()); // the connection is closed before the repair is tried

    // English keeps the German messages; Dutch gets its own
    dlg.setSprache(1);
    zeige(EngineError(12034, s("Index kaputt")), s("Titelhund.db"), "Reparieren");
    dlg.setSprache(2);
    const Bild nl = zeige(EngineError(9997, s("Index fehlt")), s("titelhund"), "Reparieren");
    EXPECT_EQ(nl.titel, s("EDBEngine-Fehler entdeckt"));
    ASSERT_EQ(meldungen.size(), 3);
    EXPECT_EQ(meldungen[1].text, s("Reparatur nicht möglich!"));
    EXPECT_EQ(meldungen[2].text, s("Reparatie niet mogelijk!"));
    EXPECT_EQ(beendet, 3);
}

TEST_F(DbErrorDialog, TablesOutsideTheListNeverOfferRepair) {
    for (int c : {9729, 9997, 12034}) {
        const Bild b = zeige(EngineError(c, s("x"), s("katzname"), 1), s("Katzname.db"));
        EXPECT_TRUE(b.gezeigt);
        EXPECT_FALSE(b.reparieren) << c;
        EXPECT_EQ(b.datei, s("Datei: katzname"));
    }
    EXPECT_FALSE(zeige(EngineError(9732, s("x")), s("catstamm")).reparieren);
    EXPECT_TRUE(meldungen.isEmpty());
    EXPECT_EQ(beendet, 0);
    EXPECT_FALSE(dlg.isVisible());
}

TEST_F(DbErrorDialog, MissingIndexMessageOffersRepairOnCatstammOnly) {
    const Bild v = zeige(DatabaseError(s("Kein Index für Verein")), s("Vereine.db"));
    EXPECT_EQ(v.titel, s("EDatabase-Fehler entdeckt"));
    EXPECT_EQ(v.zeilen, QStringList{s("Kein Index für Verein.")});
    EXPECT_FALSE(v.reparieren);
    EXPECT_FALSE(v.mehrSichtbar);

    const Bild c = zeige(DatabaseError(s("Kein Index für Name")), s("Catstamm.db"), "Reparieren");
    EXPECT_EQ(c.titel, s("EDatabase-Fehler entdeckt"));
    EXPECT_EQ(c.zeilen, QStringList{s("Kein Index für Name.")});
    EXPECT_EQ(c.datei, s("Datei: catstamm"));
    EXPECT_TRUE(c.reparieren);
    EXPECT_FALSE(c.mehrSichtbar);
    EXPECT_EQ(c.panel.height(), 40);
    EXPECT_EQ(dlg.ErrorNr(), 9729);
    ASSERT_EQ(meldungen.size(), 1);
    EXPECT_EQ(meldungen[0].text, s("Reparatur erfolgreich!"));
    EXPECT_EQ(beendet, 1);
    EXPECT_NE(db.readDefinition(s("catstamm")).index(s("Nameidx")), nullptr);
}

TEST_F(DbErrorDialog, NativeCodesDecideMehrInformationen) {
    const Bild ohne =
        zeige(EngineError({{9731, 0, s("zu lang")}, {9732, 0, s("fehlt")}}, s("catstamm")), s("catstamm"));
    EXPECT_TRUE(ohne.mehrSichtbar);
    EXPECT_FALSE(ohne.mehrAktiv);
    const Bild mit =
        zeige(EngineError({{9731, 0, s("zu lang")}, {9732, 5, s("fehlt")}}, s("catstamm")), s("catstamm"));
    EXPECT_TRUE(mit.mehrAktiv);
    EXPECT_EQ(dlg.nativeLabel()->text(), s("Fehlerursache: Code(s)   5, fehlt"));
}

TEST_F(DbErrorDialog, SizesFollowTheLinesAndEachErrorResetsTheDialog) {
    const QString lang = QString(120, QLatin1Char('W'));
    QList<ErrorEntry> eintraege;
    for (int i = 0; i < 6; ++i)
        eintraege << ErrorEntry{9729, 0, lang.left(40 + 20 * i)};
    const int hoehen[] = {40, 57, 73, 90};
    const QFontMetrics fm = dlg.fehlerZeileLabel(0)->fontMetrics();
    for (int n = 1; n <= 6; ++n) {
        const EngineError e(eintraege.mid(0, n), s("catstamm"));
        const Bild b = zeige(e, s("catstamm"));
        const int shown = qMin(n, 4);
        ASSERT_EQ(b.zeilen.size(), shown) << n;
        int breiteste = 0;
        for (const QString& z : b.zeilen)
            breiteste = qMax(breiteste, fm.horizontalAdvance(z));
        EXPECT_EQ(b.panel, QSize(breiteste + 16, hoehen[shown - 1])) << n;
        EXPECT_EQ(b.groesse, b.panel + QSize(14, 65)) << n;
        for (int y : b.knopfY)
            EXPECT_EQ(y, b.groesse.height() - 56) << n;
    }
    EXPECT_EQ(dlg.fehlerZeileLabel(3)->text(), s("Eintrag: 3,  Fehlernummer: 9729,  ") + lang.left(100));

    // after four lines and the native panel, a one-line error shows nothing of the earlier one
    dlg.anzeige = [](TDBError& d) { d.mehrInformationenKnopf()->click(); };
    dlg.HandleException(EngineError({{1, 1, s("a")}, {2, 2, s("b")}, {3, 3, s("c")}, {4, 4, s("d")}}, {}),
                        s("bilder"));
    for (int sprache : {0, 2}) {
        dlg.setSprache(sprache);
        const Bild b = zeige(EngineError(9732, s("kurz")), QString());
        EXPECT_EQ(b.zeilen, QStringList{s("Eintrag: 0, Fehlernummer: 9732,  kurz")}) << sprache;
        EXPECT_EQ(b.datei, QString());
        EXPECT_FALSE(b.nativeSichtbar);
        EXPECT_FALSE(b.mehrAktiv);
        EXPECT_FALSE(b.reparieren);
        EXPECT_EQ(b.panel.height(), 40);
        EXPECT_EQ(b.groesse.height(), 105);
        EXPECT_EQ(dlg.reparierenKnopf()->text(), s("Reparieren"));
        EXPECT_EQ(dlg.mehrInformationenKnopf()->text(), s("Mehr Informationen"));
        EXPECT_EQ(dlg.weiterKnopf()->text(), s("Weiter"));
    }
    // short lines never squeeze the buttons together
    const QRect mehr = dlg.mehrInformationenKnopf()->geometry(), rep = dlg.reparierenKnopf()->geometry();
    EXPECT_LT(mehr.right(), rep.left());
    EXPECT_LT(rep.right(), dlg.weiterKnopf()->geometry().left());
    EXPECT_LE(dlg.weiterKnopf()->geometry().right(), dlg.width());
    EXPECT_TRUE(meldungen.isEmpty());
}

TEST_F(DbErrorDialog, WithoutReplacementTheDialogRunsModally) {
    bool modalGezeigt = false;
    QTimer::singleShot(0, &dlg, [&] {
        modalGezeigt = dlg.isVisible() && dlg.isModal();
        dlg.reparierenKnopf()->click();
    });
    dlg.HandleException(EngineError(12034, s("Index kaputt"), s("bilder"), 11), s("Bilder.db"));
    EXPECT_TRUE(modalGezeigt);
    EXPECT_FALSE(dlg.isVisible());
    ASSERT_EQ(meldungen.size(), 1);
    EXPECT_EQ(meldungen[0].text, s("Reparatur erfolgreich!"));
    EXPECT_EQ(beendet, 1);
}

TEST_F(DbErrorDialog, AutomationModeWritesOneLineInsteadOfWaiting) {
    velmora::test::TempDir tmp;
    const QString log = tmp.file(s("meldungen.txt"));
    qputenv("VELMORA_MELDUNGEN", log.toUtf8());
    Meldungsdienst::neuLaden();
    Meldungsdienst::verlaufLeeren();
    bool gezeigt = false;
    dlg.anzeige = [&](TDBError&) { gezeigt = true; };
    dlg.HandleException(EngineError({{9729, 19, s("doppelt")}, {9732, 0, s("fehlt")}}, s("wurfbuch")),
                        s("wurfbuch.db"));
    EXPECT_FALSE(gezeigt);
    EXPECT_FALSE(dlg.isVisible());
    ASSERT_EQ(Meldungsdienst::verlauf().size(), 1);
    const Meldung& m = Meldungsdienst::verlauf().first();
    EXPECT_EQ(m.art, MeldungsArt::Fehler);
    EXPECT_EQ(m.nummer, 0);
    EXPECT_EQ(m.text, s("EDBEngine-Fehler entdeckt\nEintrag: 0, Fehlernummer: 9729,  doppelt\n"
                        "Eintrag: 1,  Fehlernummer: 9732,  fehlt\nDatei: wurfbuch"));
    QFile f(log);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()),
              s("fehler;;EDBEngine-Fehler entdeckt\\nEintrag: 0, Fehlernummer: 9729,  doppelt\\n"
                "Eintrag: 1,  Fehlernummer: 9732,  fehlt\\nDatei: wurfbuch;ok\n"));
    EXPECT_EQ(beendet, 0);
}

TEST_F(DbErrorDialog, OtherErrorsGoToTheStandardErrorBox) {
    bool gezeigt = false;
    dlg.anzeige = [&](TDBError&) { gezeigt = true; };
    dlg.HandleException(std::runtime_error("Speicher voll"), s("catstamm"));
    EXPECT_FALSE(gezeigt);
    ASSERT_EQ(meldungen.size(), 1);
    EXPECT_EQ(meldungen[0].art, MeldungsArt::Fehler);
    EXPECT_EQ(meldungen[0].nummer, 0);
    EXPECT_EQ(meldungen[0].text, s("Speicher voll"));
}

TEST_F(DbErrorDialog, AnErrorWhileShownBecomesAnErrorBox) {
    Bild nachher;
    int aufrufe = 0;
    dlg.anzeige = [&](TDBError& d) {
        ++aufrufe;
        d.HandleException(EngineError(12034, s("innen")), s("Bilder.db"));
        nachher = bild(d);
    };
    dlg.HandleException(EngineError(9731, s("aussen")), s("catstamm"));
    EXPECT_EQ(aufrufe, 1);
    EXPECT_EQ(nachher.zeilen, QStringList{s("Eintrag: 0, Fehlernummer: 9731,  aussen")});
    ASSERT_EQ(meldungen.size(), 1);
    EXPECT_EQ(meldungen[0].art, MeldungsArt::Fehler);
    EXPECT_EQ(meldungen[0].text,
              s("EDBEngine-Fehler entdeckt\nEintrag: 0, Fehlernummer: 12034,  innen\nDatei: bilder"));
    EXPECT_FALSE(dlg.isVisible());
}

TEST_F(DbErrorDialog, RepairWithoutConnectionFails) {
    TDBError ohne;
    ohne.setSprache(0);
    int ende = 0;
    ohne.beendenVerlangt = [&] { ++ende; };
    ohne.anzeige = [](TDBError& d) { d.reparierenKnopf()->click(); };
    ohne.HandleException(EngineError(9729, s("x")), s("wurfbuch"));
    ASSERT_EQ(meldungen.size(), 1);
    EXPECT_EQ(meldungen[0].text, s("Reparatur nicht möglich!"));
    EXPECT_EQ(ende, 1);
}

TEST(DbErrorPostHandler, DiscardsTheChangeAndShowsTheTable) {
    qunsetenv("VELMORA_MELDUNGEN");
    Meldungsdienst::neuLaden();
    velmora::test::TempDir tmp;
    Database db(tmp.path());
    TableDef def;
    def.name = s("Katzen");
    def.fields = {{s("Nr"), FieldType::Auto, 0, false},
                  {s("Name"), FieldType::Text, 20, true},
                  {s("Mutter"), FieldType::Int, 0, false}};
    def.indexes = {{QString(), {s("Nr")}}};
    db.createTable(def);

    TDBError dlg(&db);
    int beendet = 0;
    dlg.beendenVerlangt = [&] { ++beendet; };
    Bild b;
    dlg.anzeige = [&](TDBError& d) {
        b = bild(d);
        d.weiterKnopf()->click();
    };
    Table t(db, s("Katzen"));
    t.open();
    t.onPostError = ui::postFehlerBehandlung(dlg);

    t.append();
    t.setValue(s("Mutter"), 3);
    EXPECT_NO_THROW(t.post());
    EXPECT_EQ(t.state(), Table::State::Browse);
    EXPECT_EQ(t.recordCount(), 0);
    ASSERT_TRUE(b.gezeigt);
    EXPECT_EQ(b.zeilen, QStringList{s("Eintrag: 0, Fehlernummer: 9732,  Feld Name muss einen Wert haben")});
    EXPECT_EQ(b.datei, s("Datei: katzen"));
    EXPECT_FALSE(b.reparieren);

    // an edit that empties the required field is thrown away too
    t.append();
    t.setValue(s("Name"), s("Mia"));
    t.post();
    t.setValue(s("Name"), QString());
    b = {};
    EXPECT_NO_THROW(t.post());
    EXPECT_TRUE(b.gezeigt);
    EXPECT_EQ(t.state(), Table::State::Browse);
    EXPECT_EQ(t.asString(s("Name")), s("Mia"));
    t.refresh();
    EXPECT_EQ(t.asString(s("Name")), s("Mia"));
    EXPECT_EQ(t.recordCount(), 1);
    EXPECT_EQ(beendet, 0);

    // the one-call form decides the same
    t.setValue(s("Name"), QString());
    b = {};
    EXPECT_EQ(ui::postFehlerBehandeln(dlg, t, EngineError(9732, s("leer"), s("katzen"))),
              Table::ErrorAction::Abort);
    EXPECT_EQ(t.state(), Table::State::Browse);
    EXPECT_EQ(t.asString(s("Name")), s("Mia"));
    EXPECT_TRUE(b.gezeigt);
}
