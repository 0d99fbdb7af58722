// The reference list editors inside a real main window: the shared editing pattern on the breed list,
// the protected features and their print, the positional status editor, titles and their notice to the
// register, the pedigree colours and the cat names.

#include "common/ui/kindfenster.h"
#include "app/ui/tvelmora.h"
#include "common/meldungsdienst.h"
#include "language/sprache.h"
#include "printing/ui/berichtdruck.h"
#include "printing/ui/farbe.h"
#include "register/ui/listeneditoren.h"
#include "register/ui/merkmaleditor.h"
#include "register/ui/referenzlisten.h"
#include "register/ui/statuseditor.h"
#include "register/ui/stbfarbeditor.h"
#include "store/table.h"
#include "store/ui/dberror.h"
#include "support/pdftexte.h"
#include "support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::app;
using namespace velmora::reg;

namespace {

class Aufgenommen {
public:
    Aufgenommen() {
        Meldungsdienst::verlaufLeeren();
        m_alt = Meldungsdienst::setAnzeige([this](const Meldung& m) {
            meldungen << m;
            if (m.knoepfe == Knoepfe::Ok) return Antwort::Ok;
            return antworten.isEmpty() ? Antwort::Nein : antworten.takeFirst();
        });
    }
    ~Aufgenommen() { Meldungsdienst::setAnzeige(m_alt); }
    QList<int> nummern() const {
        QList<int> n;
        for (const Meldung& m : meldungen)
            n << m.nummer;
        return n;
    }
    QList<Meldung> meldungen;
    QList<Antwort> antworten;

private:
    Meldungsdienst::Anzeige m_alt;
};

struct Rahmen {
    test::DataDir daten;
    test::TempDir einstellungsDir;
    std::unique_ptr<store::Database> db;
    settings::tsysteminfo einstellungen;
    std::unique_ptr<language::TSprache> sprache;
    std::unique_ptr<store::ui::TDBError> fehler;
    int fehlerAngezeigt = 0;
    std::unique_ptr<TVelmora> haupt;

    // vorher: runs on the fresh data directory before the main window opens it.
    explicit Rahmen(const std::function<void(store::Database&)>& vorher = {}) {
        referenzlistenRegistrieren();
        QFile f(einstellungsDir.file(QStringLiteral("Tessaro.ini")));
        f.open(QIODevice::WriteOnly);
        f.close();
        einstellungen.load(f.fileName());
        db = std::make_unique<store::Database>(daten.path());
        if (vorher) vorher(*db);
        sprache = std::make_unique<language::TSprache>(*db, 0);
        sprache->oeffnen();
        language::setAktuelleSprache(sprache.get());
        fehler = std::make_unique<store::ui::TDBError>(db.get());
        fehler->anzeige = [this](store::ui::TDBError&) { ++fehlerAngezeigt; };
        Kontext k;
        k.datenVerzeichnis = daten.path();
        k.installationsVerzeichnis = daten.path();
        k.einstellungsVerzeichnis = einstellungsDir.path();
        k.db = db.get();
        k.einstellungen = &einstellungen;
        k.sprache = sprache.get();
        k.fehlerDialog = fehler.get();
        haupt = std::make_unique<TVelmora>(k);
        haupt->setzen(false);
        haupt->resize(900, 600);
        haupt->show();
    }
    ~Rahmen() {
        haupt.reset();
        language::setAktuelleSprache(nullptr);
    }

    template <typename T> T* oeffnen(const QString& name) {
        auto* f = dynamic_cast<T*>(haupt->FensterZeigen(name));
        EXPECT_NE(f, nullptr) << name.toStdString();
        return f;
    }
    // Closes the child window the way the user does.
    void schliessen(const QString& name) {
        for (QMdiSubWindow* s : haupt->mdi()->subWindowList())
            if (s->widget() && s->widget()->objectName() == name) s->close();
        QApplication::processEvents();
    }
};

void tippen(QLineEdit* e, const QString& text) {
    ASSERT_NE(e, nullptr);
    e->setText(text);
    emit e->textEdited(text);
}

// The rows of a table in its primary order: the value of one field per row.
QStringList spalte(store::Database& db, const QString& tabelle, const QString& feld) {
    store::Table t(db, tabelle);
    t.open(store::Table::OpenMode::ReadOnly);
    QStringList werte;
    for (t.first(); !t.eof(); t.next())
        werte << t.asString(feld);
    return werte;
}

int zeileVon(TListenFenster& f, const QString& feld, const QVariant& wert) {
    store::Table& t = f.tabelle();
    for (int i = 0; i < f.modell()->rowCount(); ++i) {
        f.zuZeile(i);
        if (t.value(feld) == wert) return i;
    }
    return -1;
}

} // namespace

// ---------------------------------------------------------------- menus

TEST(Referenzlisten, MenueEintraegeOeffnenDieEditoren) {
    Rahmen r;
    const QStringList namen = {
        QStringLiteral("FormRassen"),   QStringLiteral("FormFarben"),   QStringLiteral("FormAugenfarbe"),
        QStringLiteral("FormFellart"),  QStringLiteral("FormTitel"),    QStringLiteral("FormStatus"),
        QStringLiteral("FormMerkmale"), QStringLiteral("FormStbFarbe"), QStringLiteral("FormKatzennamen")};
    const QStringList texte = {QStringLiteral("&Rassen"),      QStringLiteral("&Farben"),
                               QStringLiteral("&Augenfarben"), QStringLiteral("Fellart"),
                               QStringLiteral("&Titel"),       QStringLiteral("&Status"),
                               QStringLiteral("Merkmale"),     QStringLiteral("Farben Stammbaumdruck"),
                               QStringLiteral("&Katzennamen")};
    for (int i = 0; i < namen.size(); ++i) {
        auto* a = r.haupt->findChild<QAction*>(QStringLiteral("Menu") + namen[i]);
        ASSERT_NE(a, nullptr) << namen[i].toStdString();
        EXPECT_EQ(a->text(), texte[i]);
        a->trigger();
        TKindFenster* f = r.haupt->fenster(namen[i]);
        ASSERT_NE(f, nullptr) << namen[i].toStdString();
        EXPECT_FALSE(f->windowTitle().isEmpty()) << namen[i].toStdString();
        // Cat names is exclusive: it has to close before the next window may open.
        r.schliessen(namen[i]);
        EXPECT_EQ(r.haupt->fenster(namen[i]), nullptr);
    }
}

TEST(Referenzlisten, BeschriftungenAusDenSprachtabellenUndSprachwechsel) {
    Rahmen r;
    auto* f = r.oeffnen<TFormTitel>(QStringLiteral("FormTitel"));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Titel"));
    EXPECT_EQ(f->hinzufuegenKnopf()->text(), QStringLiteral("H&inzufügen"));
    EXPECT_EQ(f->seiten()->tabText(0), QStringLiteral("&Felder"));
    EXPECT_EQ(f->modell()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Sort."));

    r.haupt->spracheWechseln(1);
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Titles"));
    EXPECT_EQ(f->hinzufuegenKnopf()->text(), QStringLiteral("A&dd"));
    EXPECT_EQ(f->loeschenKnopf()->text(), QStringLiteral("&Delete"));
    EXPECT_EQ(f->seiten()->tabText(1), QStringLiteral("&Table"));
    EXPECT_EQ(f->modell()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Abbreviation"));

    r.haupt->spracheWechseln(2);
    EXPECT_EQ(f->hinzufuegenKnopf()->text(), QStringLiteral("&Toevoegen"));
    r.haupt->spracheWechseln(0);
}

// ---------------------------------------------------------------- the pattern, on the breed list

TEST(Referenzlisten, RassenMusterRueckgaengigFrageUndVerwerfen) {
    Rahmen r;
    r.einstellungen.speichern = false;
    Aufgenommen a;
    auto* f = r.oeffnen<TFormRassen>(QStringLiteral("FormRassen"));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->tabelle().indexName(), QStringLiteral("RasseName"));
    EXPECT_EQ(f->modell()->rowCount(), 69);
    EXPECT_EQ(f->seiten()->count(), 2);
    EXPECT_EQ(f->seiten()->tabText(0), QStringLiteral("&Felder"));
    EXPECT_EQ(f->seiten()->tabText(1), QStringLiteral("&Tabelle"));
    EXPECT_FALSE(f->rueckgaengigKnopf()->isEnabled());

    // Typing enables undo; undo restores the stored name and disables it again.
    const QString erste = f->tabelle().asString(QStringLiteral("RName"));
    tippen(f->feldEdit(QStringLiteral("RName")), QStringLiteral("Zzz Testrasse"));
    EXPECT_TRUE(f->rueckgaengigKnopf()->isEnabled());
    f->rueckgaengigKnopf()->click();
    EXPECT_FALSE(f->rueckgaengigKnopf()->isEnabled());
    EXPECT_EQ(f->feldEdit(QStringLiteral("RName"))->text(), erste);
    EXPECT_EQ(f->tabelle().asString(QStringLiteral("RName")), erste);

    // Message 29 answered No discards the change.
    tippen(f->feldEdit(QStringLiteral("RName")), QStringLiteral("Zzz Verworfen"));
    a.antworten = {Antwort::Nein};
    EXPECT_FALSE(f->speichern());
    EXPECT_EQ(a.nummern(), QList<int>({29}));
    EXPECT_FALSE(spalte(*r.db, QStringLiteral("rasse"), QStringLiteral("RName"))
                     .contains(QStringLiteral("Zzz Verworfen")));
    EXPECT_FALSE(f->rueckgaengigKnopf()->isEnabled());

    // A new breed, stored after Yes; moving to another row stores too.
    f->hinzufuegenKnopf()->click();
    EXPECT_TRUE(f->rueckgaengigKnopf()->isEnabled());
    tippen(f->feldEdit(QStringLiteral("RName")), QStringLiteral("Aaa Neue Rasse"));
    tippen(f->feldEdit(QStringLiteral("RKurzname")), QStringLiteral("ANR"));
    a.antworten = {Antwort::Ja};
    f->zuZeile(5);
    EXPECT_EQ(a.nummern(), QList<int>({29, 29}));
    EXPECT_EQ(f->modell()->rowCount(), 70);
    EXPECT_EQ(f->modell()->index(0, 0).data().toString(), QStringLiteral("Aaa Neue Rasse")); // index order
    EXPECT_FALSE(f->rueckgaengigKnopf()->isEnabled());
}

TEST(Referenzlisten, GitterBearbeitenUndZeilenwahlImGitter) {
    Rahmen r;
    r.einstellungen.speichern = false;
    Aufgenommen a;
    auto* f = r.oeffnen<TFormFarben>(QStringLiteral("FormFarben"));
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(f->modell()->rowCount(), 272);
    EXPECT_EQ(f->tabelle().indexName(), QStringLiteral("FarbnameIndex"));

    // Choosing a row in the grid moves the cursor there (once the selection signal has returned).
    f->gitter()->selectionModel()->setCurrentIndex(
        f->modell()->index(3, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QApplication::processEvents();
    EXPECT_EQ(f->tabelle().position(), 3);
    const QString name = f->tabelle().asString(QStringLiteral("Farbname"));
    EXPECT_EQ(f->feldEdit(QStringLiteral("Farbname"))->text(), name);

    // Typing into the grid is a change like typing into the form: undo becomes possible, the form follows.
    ASSERT_TRUE(f->modell()->setData(f->modell()->index(3, 1), QStringLiteral("XYZ")));
    EXPECT_TRUE(f->rueckgaengigKnopf()->isEnabled());
    EXPECT_EQ(f->feldEdit(QStringLiteral("Farbnummer"))->text(), QStringLiteral("XYZ"));

    // Leaving the row asks 29; No leaves the stored code as it was.
    const QString code =
        spalte(*r.db, QStringLiteral("farbe"), QStringLiteral("Farbnummer")).join(QLatin1Char('|'));
    a.antworten = {Antwort::Nein};
    f->gitter()->selectionModel()->setCurrentIndex(
        f->modell()->index(7, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QApplication::processEvents();
    EXPECT_EQ(a.nummern(), QList<int>({29}));
    EXPECT_EQ(f->tabelle().position(), 7);
    EXPECT_FALSE(f->rueckgaengigKnopf()->isEnabled());
    EXPECT_EQ(spalte(*r.db, QStringLiteral("farbe"), QStringLiteral("Farbnummer")).join(QLatin1Char('|')),
              code);
}

TEST(Referenzlisten, OhneFrageWennSpeichernAnUndBeimSchliessenGespeichert) {
    Rahmen r;
    r.einstellungen.speichern = true;
    Aufgenommen a;
    auto* f = r.oeffnen<TFormAugenfarbe>(QStringLiteral("FormAugenfarbe"));
    ASSERT_NE(f, nullptr);
    QStringList geschlossen;
    QObject::connect(&referenzhinweise(*r.haupt), &Referenzhinweise::listeGeaendert,
                     [&](const QString& t) { geschlossen << t; });
    const int vorher = f->modell()->rowCount();
    f->hinzufuegen();
    tippen(f->feldEdit(QStringLiteral("Augenfarbe")), QStringLiteral("violett"));
    tippen(f->feldEdit(QStringLiteral("AugenfarbeEng")), QStringLiteral("violet"));
    r.schliessen(QStringLiteral("FormAugenfarbe"));
    EXPECT_TRUE(a.meldungen.isEmpty());
    EXPECT_EQ(geschlossen, QStringList({QStringLiteral("augen")}));
    const QStringList namen = spalte(*r.db, QStringLiteral("augen"), QStringLiteral("Augenfarbe"));
    EXPECT_EQ(namen.size(), vorher + 1);
    EXPECT_TRUE(namen.contains(QStringLiteral("violett")));
}

TEST(Referenzlisten, RasseLoeschenFragt28UndLaesstKatzenUnveraendert) {
    int rcode = 0;
    Rahmen r([&](store::Database& db) {
        store::Table rasse(db, QStringLiteral("rasse"));
        rasse.open();
        rasse.first();
        rasse.next();
        rcode = rasse.asInt(QStringLiteral("RCode"));
        store::Table katzen(db, QStringLiteral("catstamm"));
        katzen.open();
        katzen.append();
        katzen.setValue(QStringLiteral("Name"), QStringLiteral("Mira"));
        katzen.setValue(QStringLiteral("Rasse"), rcode);
        katzen.setValue(QStringLiteral("Geschlecht"), QStringLiteral("2"));
        katzen.post();
    });
    Aufgenommen a;
    auto* f = r.oeffnen<TFormRassen>(QStringLiteral("FormRassen"));
    ASSERT_NE(f, nullptr);
    const int zeile = zeileVon(*f, QStringLiteral("RCode"), rcode);
    ASSERT_GE(zeile, 0);

    a.antworten = {Antwort::Nein};
    f->loeschenKnopf()->click();
    EXPECT_EQ(a.nummern(), QList<int>({28}));
    EXPECT_EQ(a.meldungen[0].art, MeldungsArt::Warnung);
    EXPECT_EQ(a.meldungen[0].knoepfe, Knoepfe::JaNein);
    EXPECT_EQ(f->modell()->rowCount(), 69);

    a.antworten = {Antwort::Ja};
    f->loeschenKnopf()->click();
    EXPECT_EQ(f->modell()->rowCount(), 68);
    EXPECT_FALSE(
        spalte(*r.db, QStringLiteral("rasse"), QStringLiteral("RCode")).contains(QString::number(rcode)));
    EXPECT_EQ(spalte(*r.db, QStringLiteral("catstamm"), QStringLiteral("Rasse")),
              QStringList({QString::number(rcode)}));
}

TEST(Referenzlisten, SpeicherfehlerGehtDurchDenFehlerdialog) {
    Rahmen r;
    r.einstellungen.speichern = true;
    Aufgenommen a;
    auto* f = r.oeffnen<TFormMerkmale>(QStringLiteral("FormMerkmale"));
    ASSERT_NE(f, nullptr);
    f->hinzufuegen();
    tippen(f->feldEdit(QStringLiteral("Kuerzel")), QStringLiteral("K"));
    // `Bezeichnung` is required: the store fails, is reported and the row is given up.
    EXPECT_FALSE(f->speichern());
    EXPECT_EQ(r.fehlerAngezeigt, 1);
    EXPECT_EQ(r.fehler->Dateiname(), QStringLiteral("merkmale"));
    EXPECT_FALSE(f->rueckgaengigKnopf()->isEnabled());
    EXPECT_EQ(spalte(*r.db, QStringLiteral("merkmale"), QStringLiteral("Bezeichnung")).size(), 2);
}

// ---------------------------------------------------------------- features

TEST(Referenzlisten, MerkmaleEinsUndZweiSindGeschuetzt) {
    Rahmen r;
    r.einstellungen.speichern = false;
    Aufgenommen a;
    auto* f = r.oeffnen<TFormMerkmale>(QStringLiteral("FormMerkmale"));
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(f->modell()->rowCount(), 2);
    EXPECT_EQ(spalte(*r.db, QStringLiteral("merkmale"), QStringLiteral("Bezeichnung")),
              QStringList({QStringLiteral("Klon"), QStringLiteral("Foundation")}));
    int farbwahlen = 0;
    f->farbwahl = [&](int) -> std::optional<int> {
        ++farbwahlen;
        return 255;
    };

    for (int zeile = 0; zeile < 2; ++zeile) {
        a.meldungen.clear();
        f->zuZeile(zeile);
        const QString name = f->tabelle().asString(QStringLiteral("Bezeichnung"));
        f->loeschenKnopf()->click();
        EXPECT_EQ(a.nummern(), QList<int>({94}));
        EXPECT_EQ(a.meldungen.value(0).art, MeldungsArt::Information);

        tippen(f->feldEdit(QStringLiteral("Bezeichnung")), QStringLiteral("Geaendert"));
        EXPECT_FALSE(f->speichern());
        EXPECT_EQ(a.nummern(), QList<int>({94, 90})); // no save question: the change is refused first
        EXPECT_EQ(f->feldEdit(QStringLiteral("Bezeichnung"))->text(), name);

        f->farbeLadenKnopf()->click();
        EXPECT_EQ(a.nummern(), QList<int>({94, 90, 90}));
    }
    EXPECT_EQ(farbwahlen, 0);
    EXPECT_EQ(spalte(*r.db, QStringLiteral("merkmale"), QStringLiteral("Bezeichnung")),
              QStringList({QStringLiteral("Klon"), QStringLiteral("Foundation")}));
    EXPECT_EQ(spalte(*r.db, QStringLiteral("merkmale"), QStringLiteral("farbe")),
              QStringList({QString::number(16711680), QString::number(255)}));
}

TEST(Referenzlisten, NeuesMerkmalMitFarbeImGitterUndLoeschbar) {
    Rahmen r;
    r.einstellungen.speichern = true;
    Aufgenommen a;
    auto* f = r.oeffnen<TFormMerkmale>(QStringLiteral("FormMerkmale"));
    ASSERT_NE(f, nullptr);
    int vorgabe = -1;
    f->farbwahl = [&](int v) -> std::optional<int> {
        vorgabe = v;
        return 0x00FF00; // green
    };
    f->hinzufuegen();
    tippen(f->feldEdit(QStringLiteral("Bezeichnung")), QStringLiteral("Schielen"));
    tippen(f->feldEdit(QStringLiteral("Kuerzel")), QStringLiteral("SCH"));
    f->farbeLadenKnopf()->click();
    EXPECT_EQ(vorgabe, 0xFFFFFF);
    EXPECT_TRUE(f->farbfeld()->styleSheet().contains(QStringLiteral("#00ff00")));
    EXPECT_TRUE(f->speichern());
    ASSERT_EQ(f->modell()->rowCount(), 3);
    EXPECT_EQ(f->tabelle().asInt(QStringLiteral("farbe")), 0x00FF00);
    // The grid paints each row in its feature's colour; 255 is red, 16711680 blue.
    EXPECT_EQ(f->modell()->index(0, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(0, 0, 255));
    EXPECT_EQ(f->modell()->index(1, 1).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 0, 0));
    EXPECT_EQ(f->modell()->index(2, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(0, 255, 0));

    // An ordinary feature follows the pattern: its colour may change, and it may be deleted after 28.
    f->zuZeile(2);
    f->farbwahl = [](int) -> std::optional<int> { return 0x0000FF; };
    f->farbeLadenKnopf()->click();
    EXPECT_TRUE(f->speichern());
    EXPECT_EQ(spalte(*r.db, QStringLiteral("merkmale"), QStringLiteral("farbe")).value(2),
              QString::number(255));
    a.meldungen.clear();
    a.antworten = {Antwort::Ja};
    f->loeschen();
    EXPECT_EQ(a.nummern(), QList<int>({28}));
    EXPECT_EQ(f->modell()->rowCount(), 2);
}

TEST(Referenzlisten, MerkmallisteDruckUndPdfEnthaeltDieMerkmale) {
    Rahmen r;
    r.einstellungen.speichern = true;
    Aufgenommen a;
    auto* f = r.oeffnen<TFormMerkmale>(QStringLiteral("FormMerkmale"));
    ASSERT_NE(f, nullptr);
    f->hinzufuegen();
    tippen(f->feldEdit(QStringLiteral("Bezeichnung")), QStringLiteral("Knickschwanz"));
    tippen(f->feldEdit(QStringLiteral("Kuerzel")), QStringLiteral("KS"));

    // "&Drucken" stores the pending row first and previews the list with it.
    std::optional<printing::Bericht> gezeigt;
    f->vorschau = [&](const printing::Bericht& b) { gezeigt = b; };
    f->druckenKnopf()->click();
    ASSERT_TRUE(gezeigt.has_value());
    ASSERT_EQ(gezeigt->seitenzahl(), 1);
    QStringList texte;
    for (const printing::TextElement& t : gezeigt->seite(0).texte())
        texte << t.text;
    for (const char* erwartet : {"Klon", "Foundation", "Knickschwanz", "KS"})
        EXPECT_TRUE(texte.contains(QString::fromUtf8(erwartet))) << erwartet;
    int farbfelder = 0;
    for (const printing::Element& e : gezeigt->seite(0).elemente())
        if (auto* rechteck = std::get_if<printing::RechteckElement>(&e))
            if (rechteck->fuellfarbe && (*rechteck->fuellfarbe == 255 || *rechteck->fuellfarbe == 16711680))
                ++farbfelder;
    EXPECT_EQ(farbfelder, 2);

    test::TempDir dir;
    const QString datei = dir.file(QStringLiteral("merkmale.pdf"));
    QString fehler;
    ASSERT_TRUE(f->alsPdfSpeichern(datei, &fehler)) << fehler.toStdString();
    QFile pdf(datei);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QList<QStringList> seiten = test::PdfTexte(pdf.readAll()).seiten();
    ASSERT_EQ(seiten.size(), 1);
    const QString alles = seiten[0].join(QLatin1Char('|'));
    for (const char* erwartet : {"Klon", "Foundation", "Knickschwanz"})
        EXPECT_TRUE(alles.contains(QString::fromUtf8(erwartet))) << erwartet << " in " << alles.toStdString();
}

TEST(Referenzlisten, MerkmallisteDruckvorschauInDerSprache) {
    const struct {
        int sprache;
        const char* seite;
        const char* titel;
    } faelle[] = {{0, "Seite 1 von 1", "Druckvorschau - Merkmale"},
                  {1, "Page 1 of 1", "Print preview - Features"},
                  {2, "Pagina 1 van 1", "Afdrukvoorbeeld - Kenmerken"}};
    for (const auto& fall : faelle) {
        Rahmen r;
        r.haupt->spracheWechseln(fall.sprache);
        auto* f = r.oeffnen<TFormMerkmale>(QStringLiteral("FormMerkmale"));
        ASSERT_NE(f, nullptr);
        std::optional<printing::Bericht> gezeigt;
        f->vorschau = [&](const printing::Bericht& b) { gezeigt = b; };
        f->druckenKnopf()->click();
        ASSERT_TRUE(gezeigt.has_value());
        QStringList texte;
        for (const printing::TextElement& t : gezeigt->seite(0).texte())
            texte << t.text;
        EXPECT_TRUE(texte.contains(QString::fromUtf8(fall.seite)))
            << texte.join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(printing::vorschauTitel(*gezeigt), QString::fromUtf8(fall.titel));
    }
}

// ---------------------------------------------------------------- status values

TEST(Referenzlisten, StatusEditorSpeichertNachPosition) {
    Rahmen r;
    r.einstellungen.speichern = true;
    Aufgenommen a;
    auto* f = r.oeffnen<TFormStatus>(QStringLiteral("FormStatus"));
    ASSERT_NE(f, nullptr);
    const QStringList nummern = spalte(*r.db, QStringLiteral("status"), QStringLiteral("Nummer"));
    ASSERT_EQ(nummern.size(), 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_FALSE(f->feld(i)->isHidden()) << i;
    EXPECT_TRUE(f->feld(8)->isHidden());
    EXPECT_FALSE(f->speichernKnopf()->isEnabled());
    EXPECT_FALSE(f->rueckgaengigKnopf()->isEnabled());

    // Typing enables save and undo; undo shows the table again.
    tippen(f->feld(0), QStringLiteral("meine"));
    EXPECT_TRUE(f->speichernKnopf()->isEnabled());
    EXPECT_TRUE(f->rueckgaengigKnopf()->isEnabled());
    f->rueckgaengigKnopf()->click();
    EXPECT_EQ(f->feld(0)->text(), QStringLiteral("eigene Katze"));

    // Field 8 emptied: row 8 goes; field 2 emptied between filled fields keeps row 2 with no name.
    tippen(f->feld(7), QString());
    tippen(f->feld(1), QString());
    f->speichernKnopf()->click();
    EXPECT_TRUE(a.meldungen.isEmpty()); // no question before saving
    EXPECT_EQ(spalte(*r.db, QStringLiteral("status"), QStringLiteral("Nummer")), nummern.mid(0, 7));
    EXPECT_EQ(spalte(*r.db, QStringLiteral("status"), QStringLiteral("Status")).value(1), QString());
    EXPECT_TRUE(f->feld(7)->isHidden());
    EXPECT_FALSE(f->feld(1)->isHidden());

    // A name added again gets a new number, not the one given up.
    f->hinzufuegenKnopf()->click();
    EXPECT_FALSE(f->feld(7)->isHidden());
    tippen(f->feld(7), QStringLiteral("Leihkatze"));
    f->speichern();
    const QStringList jetzt = spalte(*r.db, QStringLiteral("status"), QStringLiteral("Nummer"));
    ASSERT_EQ(jetzt.size(), 8);
    EXPECT_GT(jetzt[7].toInt(), nummern[7].toInt());
    EXPECT_EQ(spalte(*r.db, QStringLiteral("status"), QStringLiteral("Status")).value(7),
              QStringLiteral("Leihkatze"));

    // Nine at most: a ninth field appears, then nothing more.
    f->hinzufuegen();
    EXPECT_FALSE(f->feld(8)->isHidden());
    f->hinzufuegen();
    int sichtbar = 0;
    for (int i = 0; i < 9; ++i)
        sichtbar += f->feld(i)->isHidden() ? 0 : 1;
    EXPECT_EQ(sichtbar, 9);
}

// ---------------------------------------------------------------- titles

TEST(Referenzlisten, TitelHinzufuegenMeldetDemRegisterUndSortiertNachSpalte) {
    Rahmen r;
    r.einstellungen.speichern = true;
    Aufgenommen a;
    int titelMeldungen = 0;
    QObject::connect(&referenzhinweise(*r.haupt), &Referenzhinweise::titelGeaendert,
                     [&] { ++titelMeldungen; });
    auto* f = r.oeffnen<TFormTitel>(QStringLiteral("FormTitel"));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->tabelle().indexName(), QStringLiteral("Sortierung"));
    const int vorher = f->modell()->rowCount();
    ASSERT_GT(vorher, 0);

    // Sorting by the title's column, then by the abbreviation's.
    f->gitter()->horizontalHeader()->sectionClicked(2);
    EXPECT_EQ(f->tabelle().indexName(), QStringLiteral("Titel"));
    QStringList titel;
    for (int i = 0; i < f->modell()->rowCount(); ++i)
        titel << f->modell()->index(i, 2).data().toString();
    QStringList sortiert = titel;
    std::sort(sortiert.begin(), sortiert.end(),
              [](const QString& x, const QString& y) { return x.compare(y, Qt::CaseInsensitive) < 0; });
    EXPECT_EQ(titel, sortiert);
    f->gitter()->horizontalHeader()->sectionClicked(1);
    EXPECT_EQ(f->tabelle().indexName(), QStringLiteral("Kuerzel"));
    f->gitter()->horizontalHeader()->sectionClicked(0); // the sort position is no sort choice
    EXPECT_EQ(f->tabelle().indexName(), QStringLiteral("Kuerzel"));

    f->hinzufuegen();
    tippen(f->feldEdit(QStringLiteral("Titel")), QStringLiteral("Testchampion"));
    tippen(f->feldEdit(QStringLiteral("Kuerzel")), QStringLiteral("TCH"));
    tippen(f->feldEdit(QStringLiteral("Sortierung")), QStringLiteral("99"));
    EXPECT_EQ(titelMeldungen, 0);
    r.schliessen(QStringLiteral("FormTitel"));
    EXPECT_EQ(titelMeldungen, 1);

    store::Table t(*r.db, QStringLiteral("titelbez"));
    t.open(store::Table::OpenMode::ReadOnly);
    EXPECT_EQ(t.recordCount(), vorher + 1);
    EXPECT_EQ(t.lookupValue(QStringLiteral("Kuerzel"), {QStringLiteral("TCH")}, QStringLiteral("Sortierung"))
                  .toInt(),
              99);
}

// ---------------------------------------------------------------- pedigree colours

TEST(Referenzlisten, StammbaumfarbeWirdAngehaengtUndGeaendert) {
    Rahmen r;
    Aufgenommen a;
    auto* f = r.oeffnen<TFormStbFarbe>(QStringLiteral("FormStbFarbe"));
    ASSERT_NE(f, nullptr);
    const QList<int> vorher = f->farben();
    ASSERT_EQ(vorher.size(), 12);
    EXPECT_EQ(f->liste()->count(), 12);
    EXPECT_EQ(f->liste()->item(0)->background().color(), printing::farbeAusWert(vorher[0]));

    f->farbwahl = [](int) -> std::optional<int> { return std::nullopt; }; // cancelled: nothing happens
    f->hinzufuegenKnopf()->click();
    EXPECT_EQ(f->farben(), vorher);

    f->farbwahl = [](int) -> std::optional<int> { return 16711680; };
    f->hinzufuegenKnopf()->click();
    EXPECT_EQ(f->farben(), vorher + QList<int>({16711680}));
    QStringList gespeichert;
    for (int v : vorher + QList<int>({16711680}))
        gespeichert << QString::number(v);
    EXPECT_EQ(spalte(*r.db, QStringLiteral("stbfarbe"), QStringLiteral("farbe")), gespeichert);

    int vorgabe = -1;
    f->farbwahl = [&](int v) -> std::optional<int> {
        vorgabe = v;
        return 255;
    };
    f->farbeAendern(0);
    EXPECT_EQ(vorgabe, vorher[0]);
    gespeichert[0] = QString::number(255);
    EXPECT_EQ(spalte(*r.db, QStringLiteral("stbfarbe"), QStringLiteral("farbe")), gespeichert);
    EXPECT_TRUE(a.meldungen.isEmpty());
}

TEST(Referenzlisten, StammbaumfarbeLegtFehlendeTabelleAn) {
    Rahmen r([](store::Database& db) { db.dropTable(QStringLiteral("stbfarbe")); });
    ASSERT_FALSE(r.db->tableExists(QStringLiteral("stbfarbe")));
    auto* f = r.oeffnen<TFormStbFarbe>(QStringLiteral("FormStbFarbe"));
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(r.db->tableExists(QStringLiteral("stbfarbe")));
    EXPECT_TRUE(f->farben().isEmpty());
    f->farbwahl = [](int) -> std::optional<int> { return 255; };
    f->hinzufuegen();
    EXPECT_EQ(f->farben(), QList<int>({255}));
}

// ---------------------------------------------------------------- cat names

TEST(Referenzlisten, KatzennamenFragenDieFesteFrage) {
    Rahmen r([](store::Database& db) {
        store::Table t(db, QStringLiteral("katzname"));
        t.open();
        for (const char* n : {"Minka", "Balou", "Cleo"}) {
            t.append();
            t.setValue(QStringLiteral("Name"), QString::fromUtf8(n));
            t.post();
        }
    });
    Aufgenommen a;
    auto* f = r.oeffnen<TFormKatzennamen>(QStringLiteral("FormKatzennamen"));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->tabelle().indexName(), QStringLiteral("NameIdx"));
    EXPECT_EQ(f->modell()->index(0, 0).data().toString(), QStringLiteral("Balou"));
    a.antworten = {Antwort::Ja};
    f->loeschen();
    ASSERT_EQ(a.meldungen.size(), 1);
    EXPECT_EQ(a.meldungen[0].nummer, 0);
    EXPECT_EQ(a.meldungen[0].text, QStringLiteral("Soll der Datensatz gelöscht werden?"));
    EXPECT_EQ(a.meldungen[0].art, MeldungsArt::Warnung);
    EXPECT_EQ(spalte(*r.db, QStringLiteral("katzname"), QStringLiteral("Name")),
              QStringList({QStringLiteral("Minka"), QStringLiteral("Cleo")}));
}
