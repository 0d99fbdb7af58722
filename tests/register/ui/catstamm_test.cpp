// The register window's flows: new cat and the checks before a post, duplicate, delete, titles,
// the registration number check and the short inbreeding figures.

#include "app/ui/katzenliste.h"
#include "app/ui/tvelmora.h"
#include "common/datenglobal.h"
#include "common/meldungsdienst.h"
#include "common/ui/feldeditoren.h"
#include "common/ui/navigator.h"
#include "language/sprache.h"
#include "register/ui/kalenderdlg.h"
#include "register/ui/referenzlisten.h"
#include "register/ui/suchendlg.h"
#include "register/ui/tcatstamm.h"
#include "store/table.h"
#include "support/ui/eingabe.h"
#include "support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QStringListModel>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

int katze(store::Database& db, const QString& name, const QString& sex, int vater = 0, int mutter = 0) {
    store::Table t(db, QStringLiteral("catstamm"));
    t.open();
    t.append();
    t.setValue(QStringLiteral("Name"), name);
    t.setValue(QStringLiteral("Geschlecht"), sex);
    t.setValue(QStringLiteral("Status"), QStringLiteral("1"));
    if (vater) t.setValue(QStringLiteral("Vater"), vater);
    if (mutter) t.setValue(QStringLiteral("Mutter"), mutter);
    t.post();
    return t.asInt(QStringLiteral("LaufendeNummer"));
}

struct Antworten {
    Antworten() {
        alt = Meldungsdienst::setAnzeige([this](const Meldung& m) {
            meldungen << m;
            if (m.knoepfe == Knoepfe::Ok) return Antwort::Ok;
            return ja.isEmpty() ? Antwort::Nein : (ja.takeFirst() ? Antwort::Ja : Antwort::Nein);
        });
    }
    ~Antworten() { Meldungsdienst::setAnzeige(alt); }
    QList<int> nummern() const {
        QList<int> n;
        for (const Meldung& m : meldungen)
            n << m.nummer;
        return n;
    }
    QList<Meldung> meldungen;
    QList<bool> ja;
    Meldungsdienst::Anzeige alt;
};

struct Register {
    test::DataDir eigeneDaten;
    QString daten_;
    test::TempDir einstellungsDir;
    std::unique_ptr<store::Database> db;
    settings::tsysteminfo einstellungen;
    std::unique_ptr<language::TSprache> sprache;
    std::unique_ptr<app::TVelmora> haupt;
    std::unique_ptr<common::TDatenGlobal> dg;
    reg::TCatStamm* r = nullptr;
    int vater = 0, mutter = 0, kind = 0;

    explicit Register(const QString& ini = QStringLiteral("[System]\r\nSpeichern=1\r\n"), int spracheNr = 0,
                      const QString& datenVerzeichnis = {}) {
        daten_ = datenVerzeichnis.isEmpty() ? eigeneDaten.path() : datenVerzeichnis;
        const bool neu = datenVerzeichnis.isEmpty();
        QFile f(einstellungsDir.file(QStringLiteral("Tessaro.ini")));
        f.open(QIODevice::WriteOnly);
        f.write(ini.toLatin1());
        f.close();
        einstellungen.load(f.fileName());
        db = std::make_unique<store::Database>(daten_);
        if (neu) {
            vater = katze(*db, QStringLiteral("Anton vom Hof"), QStringLiteral("1"));
            mutter = katze(*db, QStringLiteral("Berta vom Hof"), QStringLiteral("2"));
            kind = katze(*db, QStringLiteral("Carla vom Hof"), QStringLiteral("2"), vater, mutter);
        }
        sprache = std::make_unique<language::TSprache>(*db, spracheNr);
        sprache->oeffnen();
        language::setAktuelleSprache(sprache.get());
        einstellungen.Sprache = static_cast<settings::Sprache>(spracheNr);
        app::Kontext k;
        k.datenVerzeichnis = daten_;
        k.installationsVerzeichnis = daten_;
        k.einstellungsVerzeichnis = einstellungsDir.path();
        k.db = db.get();
        k.einstellungen = &einstellungen;
        k.sprache = sprache.get();
        haupt = std::make_unique<app::TVelmora>(k);
        dg = std::make_unique<common::TDatenGlobal>(*db, einstellungen);
        haupt->setDatenGlobal(dg.get());
        reg::registerFensterRegistrieren();
        haupt->show();
        r = static_cast<reg::TCatStamm*>(haupt->FensterZeigen(QStringLiteral("FormCatStamm")));
        test::aktivieren(haupt.get());
    }
    ~Register() {
        haupt.reset();
        dg.reset();
        language::setAktuelleSprache(nullptr);
    }
    void setzen(const char* feld, const QVariant& v) {
        if (r->katzen().state() == store::Table::State::Browse) r->katzen().edit();
        r->katzen().setValue(QLatin1String(feld), v);
        r->bindung().neuLaden();
    }
    QWidget* feld(const char* name) const { return r->findChild<QWidget*>(QLatin1String(name)); }
    // Clicks into the register's field, types the text over what it holds and tabs on.
    void tippen(const char* name, const QString& text) {
        QWidget* f = feld(name);
        ASSERT_NE(f, nullptr) << name;
        test::eintragen(f, text);
    }
    int nummer() const { return r->katzen().asInt(QStringLiteral("LaufendeNummer")); }
    int anzahl() {
        store::Table t(*db, QStringLiteral("catstamm"));
        t.open(store::Table::OpenMode::ReadOnly);
        return t.recordCount();
    }
};

} // namespace

TEST(Register, NeueKatzeMitNamenUndGeschlechtWirdGespeichert) {
    Register reg;
    ASSERT_NE(reg.r, nullptr);
    // The cat shown on opening is no recent cat; a cat the user goes to is.
    EXPECT_EQ(reg.einstellungen.LastCats[0], QStringLiteral("{}"));
    reg.r->KatzeNew();
    EXPECT_TRUE(reg.r->neuerSatz);
    EXPECT_EQ(reg.r->katzen().asString(QStringLiteral("Status")), QStringLiteral("2"));
    EXPECT_EQ(reg.r->windowTitle(), language::meldung(14));
    EXPECT_TRUE(reg.r->rueckgaengigKnopf()->isEnabled());
    reg.setzen("Name", QStringLiteral("Dora vom Hof"));
    reg.setzen("Geschlecht", QStringLiteral("2"));
    ASSERT_TRUE(reg.r->SpeichernClick());
    EXPECT_EQ(reg.anzahl(), 4);
    EXPECT_FALSE(reg.r->neuerSatz);
    EXPECT_FALSE(reg.r->speichernKnopf()->isEnabled());
    // The recent cats list the new cat once.
    EXPECT_EQ(reg.einstellungen.LastCats[0], QStringLiteral("Dora vom Hof {%1}").arg(reg.kind + 1));
}

TEST(Register, LeererNameFragt148JaVerwirftNeinBleibt) {
    Register reg;
    Antworten a;
    reg.r->KatzeNew();
    reg.setzen("Geschlecht", QStringLiteral("1"));
    a.ja = {false};
    EXPECT_FALSE(reg.r->SpeichernClick());
    EXPECT_EQ(a.nummern(), QList<int>{148});
    EXPECT_EQ(reg.r->katzen().state(), store::Table::State::Insert); // No keeps the new record open
    a.ja = {true};
    EXPECT_FALSE(reg.r->SpeichernClick());
    QApplication::processEvents();
    EXPECT_EQ(reg.r->katzen().state(), store::Table::State::Browse);
    EXPECT_EQ(reg.anzahl(), 3);
}

TEST(Register, LeeresGeschlechtFragt169) {
    Register reg;
    Antworten a;
    reg.r->KatzeNew();
    reg.setzen("Name", QStringLiteral("Emil"));
    a.ja = {false};
    EXPECT_FALSE(reg.r->SpeichernClick());
    EXPECT_EQ(a.nummern(), QList<int>{169});
    EXPECT_EQ(reg.anzahl(), 3);
}

TEST(Register, SpeichernAusFragt29NeinVerwirftUndBleibtBeiDerKatze) {
    Register reg(QStringLiteral("[System]\r\nSpeichern=0\r\n"));
    Antworten a;
    ASSERT_TRUE(reg.r->zeigeKatze(reg.vater));
    reg.setzen("Rufname", QStringLiteral("Toni"));
    a.ja = {false};
    // Moving to another cat asks first; No discards the edit and the cat stays current.
    EXPECT_FALSE(reg.r->zeigeKatze(reg.mutter));
    EXPECT_EQ(a.nummern(), QList<int>{29});
    QApplication::processEvents();
    EXPECT_EQ(reg.r->katzen().asInt(QStringLiteral("LaufendeNummer")), reg.vater);
    EXPECT_TRUE(reg.r->katzen().asString(QStringLiteral("Rufname")).isEmpty());
    // Yes stores.
    reg.setzen("Rufname", QStringLiteral("Toni"));
    a.ja = {true};
    EXPECT_TRUE(reg.r->zeigeKatze(reg.mutter));
    store::Table t(*reg.db, QStringLiteral("catstamm"));
    t.open(store::Table::OpenMode::ReadOnly);
    EXPECT_EQ(
        t.lookupValue(QStringLiteral("LaufendeNummer"), {reg.vater}, QStringLiteral("Rufname")).toString(),
        QStringLiteral("Toni"));
}

TEST(Register, DuplizierenKopiertUndHollaendischLaesstNamenLeer) {
    {
        Register reg;
        ASSERT_TRUE(reg.r->zeigeKatze(reg.kind));
        reg.r->Katzekopieren1Click();
        EXPECT_EQ(reg.r->katzen().asString(QStringLiteral("Name")), QStringLiteral("Carla vom Hof Kopie"));
        EXPECT_EQ(reg.r->katzen().asInt(QStringLiteral("Vater")), reg.vater);
        EXPECT_EQ(reg.r->katzen().asInt(QStringLiteral("Mutter")), reg.mutter);
        EXPECT_TRUE(reg.r->elternAnzeige(true).startsWith(QStringLiteral("Anton vom Hof")));
        ASSERT_TRUE(reg.r->SpeichernClick());
        EXPECT_EQ(reg.anzahl(), 4);
    }
    {
        Register reg(QStringLiteral("[System]\r\nSpeichern=1\r\n"), 2);
        Antworten a;
        ASSERT_TRUE(reg.r->zeigeKatze(reg.kind));
        reg.r->Katzekopieren1Click();
        EXPECT_TRUE(reg.r->katzen().asString(QStringLiteral("Name")).isEmpty());
        a.ja = {true};
        EXPECT_FALSE(reg.r->SpeichernClick()); // the first save of the nameless copy asks 148
        EXPECT_EQ(a.nummern(), QList<int>{148});
    }
}

TEST(Register, LoeschenLaesstKinderOhneElternteil) {
    Register reg;
    Antworten a;
    ASSERT_TRUE(reg.r->zeigeKatze(reg.vater));
    a.ja = {false};
    reg.r->loeschenClick();
    EXPECT_EQ(reg.anzahl(), 3);
    ASSERT_EQ(a.meldungen.size(), 1);
    EXPECT_EQ(a.meldungen[0].text, QStringLiteral("<<Anton vom Hof>>\r") + language::meldung(15));
    a.ja = {true};
    reg.r->loeschenClick();
    EXPECT_EQ(reg.anzahl(), 2);
    ASSERT_TRUE(reg.r->zeigeKatze(reg.kind));
    EXPECT_TRUE(reg.r->elternAnzeige(true).isEmpty()); // the link to the deleted number shows nobody
    EXPECT_EQ(reg.r->katzen().asInt(QStringLiteral("Vater")), reg.vater); // but stays stored
    EXPECT_TRUE(reg.r->elternAnzeige(false).startsWith(QStringLiteral("Berta")));
    EXPECT_TRUE(reg.r->ikText().isEmpty()); // no inbreeding figure without both parents
}

TEST(Register, TitelSpeichernUndGeloeschterTitelWirdIgnoriert) {
    Register reg;
    ASSERT_TRUE(reg.r->zeigeKatze(reg.kind));
    const auto titel = reg.r->titelKaestchen();
    ASSERT_GE(titel.size(), 2);
    titel[0]->click();
    titel[1]->click();
    EXPECT_TRUE(reg.r->titelGeaendert);
    EXPECT_TRUE(reg.r->speichernKnopf()->isEnabled());
    ASSERT_TRUE(reg.r->SpeichernClick());
    EXPECT_EQ(reg.dg->GetTitel(reg.kind, QString()), titel[0]->text() + QLatin1Char('/') + titel[1]->text());

    // A title removed from the list meanwhile is neither saved nor removed.
    {
        store::Table bez(*reg.db, QStringLiteral("titelbez"));
        bez.open();
        bez.setIndexFields(QStringLiteral("Kuerzel"));
        ASSERT_TRUE(bez.findKey({titel[1]->text()}));
        bez.remove();
    }
    titel[1]->click(); // untick the deleted title
    titel[0]->click(); // untick an existing one
    ASSERT_TRUE(reg.r->SpeichernClick());
    store::Table hund(*reg.db, QStringLiteral("titelhund"));
    hund.open(store::Table::OpenMode::ReadOnly);
    EXPECT_EQ(hund.recordCount(), 1); // the deleted title's link stays, the other is gone
}

TEST(Register, ZuchtbuchnummerEinerAnderenKatze143) {
    Register reg;
    Antworten a;
    ASSERT_TRUE(reg.r->zeigeKatze(reg.vater));
    reg.tippen("DBZuchtbuchnummer1", QStringLiteral("DE 123"));
    test::klicken(reg.r->speichernKnopf());
    EXPECT_TRUE(a.meldungen.isEmpty());
    ASSERT_TRUE(reg.r->zeigeKatze(reg.mutter));
    a.ja = {false};
    reg.tippen("DBZuchtbuchnummer1", QStringLiteral("de 123")); // the index compares without case
    EXPECT_EQ(a.nummern(), QList<int>{143});
    EXPECT_TRUE(reg.r->katzen().asString(QStringLiteral("Zuchtbuchnummer1")).isEmpty());
    a.ja = {true};
    reg.tippen("DBZuchtbuchnummer1", QStringLiteral("DE 123"));
    EXPECT_EQ(reg.nummer(), reg.vater);
    EXPECT_EQ(reg.r->katzen().state(), store::Table::State::Browse);
}

TEST(Register, ZwingerAusDemNamenUndInzuchtAnzeige) {
    Register reg;
    reg.r->KatzeNew();
    reg.tippen("DBName", QStringLiteral("Bella vom Kattenhof"));
    EXPECT_EQ(reg.r->katzen().asString(QStringLiteral("Zwinger")), QStringLiteral("Kattenhof"));
    EXPECT_EQ(reg.r->katzen().asString(QStringLiteral("Name")), QStringLiteral("Bella vom Kattenhof"));
    // A typed cattery is never overwritten.
    reg.tippen("DBzwinger", QStringLiteral("Eigener"));
    reg.tippen("DBName", QStringLiteral("Bella vom Rosenhof"));
    EXPECT_EQ(reg.r->katzen().asString(QStringLiteral("Zwinger")), QStringLiteral("Eigener"));
    test::klicken(reg.r->rueckgaengigKnopf());
    EXPECT_EQ(reg.anzahl(), 3);

    // A cat whose parents are full siblings: 25 % inbreeding on the base page.
    const int sohn =
        katze(*reg.db, QStringLiteral("Dino vom Hof"), QStringLiteral("1"), reg.vater, reg.mutter);
    const int enkel = katze(*reg.db, QStringLiteral("Enzo vom Hof"), QStringLiteral("1"), sohn, reg.kind);
    ASSERT_TRUE(reg.r->zeigeKatze(enkel));
    EXPECT_FALSE(reg.r->ikText().isEmpty());
    EXPECT_TRUE(reg.r->ikText().contains(QStringLiteral("25"))) << reg.r->ikText().toStdString();
}

TEST(Register, BildschirmfotoMitRegister) {
    Register reg;
    reg.haupt->resize(1200, 800);
    ASSERT_TRUE(reg.r->zeigeKatze(reg.kind));
    QApplication::processEvents();
    const QString ordner = QStringLiteral(VELMORA_BINARY_DIR "/screenshots");
    QDir().mkpath(ordner);
    ASSERT_TRUE(reg.haupt->grab().save(ordner + QStringLiteral("/register.png")));
}

TEST(Register, NeuerTitelBautDieKaestchenNeu) {
    Register reg;
    const int vorher = reg.r->titelKaestchen().size();
    {
        store::Table bez(*reg.db, QStringLiteral("titelbez"));
        bez.open();
        bez.append();
        bez.setValue(QStringLiteral("Titel"), QStringLiteral("Supreme Test Champion"));
        bez.setValue(QStringLiteral("Kuerzel"), QStringLiteral("STC"));
        bez.setValue(QStringLiteral("Sortierung"), 999);
        bez.post();
    }
    // What the title editor announces when it closes.
    emit reg::referenzhinweise(*reg.haupt).titelGeaendert();
    const auto titel = reg.r->titelKaestchen();
    ASSERT_EQ(titel.size(), vorher + 1);
    EXPECT_EQ(titel.last()->text(), QStringLiteral("STC"));
}

TEST(Register, KatzeMitElternUeberstehtEinenNeustart) {
    test::DataDir d;
    int neu = 0;
    {
        store::Database db(d.path());
        // A litter brother and sister as parents, so the new cat has a known inbreeding figure.
        const int v = katze(db, QStringLiteral("Opa"), QStringLiteral("1"));
        const int m = katze(db, QStringLiteral("Oma"), QStringLiteral("2"));
        katze(db, QStringLiteral("Bruder"), QStringLiteral("1"), v, m);
        katze(db, QStringLiteral("Schwester"), QStringLiteral("2"), v, m);
    }
    {
        Register reg(QStringLiteral("[System]\r\nSpeichern=1\r\n"), 0, d.path());
        Antworten a;
        a.ja = {true}; // the exit question
        reg.r->KatzeNew();
        reg.tippen("DBName", QStringLiteral("Neffe vom Hof"));
        reg.setzen("Geschlecht", QStringLiteral("1"));
        // Each search button opens the cat search; the one cat of the typed name is taken with OK.
        for (const auto& [knopf, name] :
             {std::pair{"BitBtnVaterSuche", "Bruder"}, {"BitBtnMutterSuche", "Schwester"}}) {
            int treffer = -1;
            test::beimNaechstenDialog([&, name = name](QWidget* d) {
                auto* dlg = qobject_cast<reg::TSuchenDlg*>(d);
                ASSERT_NE(dlg, nullptr);
                test::klicken(dlg->nameFeld());
                test::tippen(QString::fromUtf8(name));
                test::klicken(dlg->suchenKnopf());
                treffer = dlg->treffer().size();
                test::klicken(dlg->okKnopf());
            });
            test::klicken(reg.feld(knopf));
            EXPECT_EQ(treffer, 1) << knopf;
        }
        EXPECT_TRUE(reg.r->elternAnzeige(true).startsWith(QStringLiteral("Bruder")));
        test::klicken(reg.r->speichernKnopf());
        ASSERT_FALSE(reg.r->neuerSatz);
        neu = reg.r->katzen().asInt(QStringLiteral("LaufendeNummer"));
        EXPECT_TRUE(reg.haupt->close());
    }
    // A new run on the same data directory finds the cat with its parents and its figure.
    QString avk;
    int generationen = 0;
    {
        Register wieder(QStringLiteral("[System]\r\nSpeichern=1\r\n"), 0, d.path());
        ASSERT_TRUE(wieder.r->zeigeKatze(neu));
        EXPECT_EQ(wieder.r->katzen().asString(QStringLiteral("Name")), QStringLiteral("Neffe vom Hof"));
        EXPECT_TRUE(wieder.r->elternAnzeige(true).startsWith(QStringLiteral("Bruder")));
        EXPECT_TRUE(wieder.r->elternAnzeige(false).startsWith(QStringLiteral("Schwester")));
        EXPECT_TRUE(wieder.r->ikText().contains(QStringLiteral("25"))) << wieder.r->ikText().toStdString();
        avk = wieder.r->avkText();
        generationen = wieder.einstellungen.InzuchtStdgenerationen;
    }

    // Another process reads the same register and computes the same figures.
    QString aus, err;
    ASSERT_EQ(test::runWerkzeug({QStringLiteral("inzucht"), d.path(), QStringLiteral("--katze"),
                                 QString::number(neu), QStringLiteral("--generationen"),
                                 QString::number(generationen)},
                                &aus, &err, {QStringLiteral("LANG=de_DE.UTF-8"), QStringLiteral("LC_ALL=")}),
              0)
        << err.toStdString();
    EXPECT_TRUE(aus.contains(QStringLiteral("Inzuchtkoeffizientkurz: 25,00%"))) << aus.toStdString();
    // The window writes in the user's locale, the tool here in German.
    EXPECT_TRUE(aus.contains(QStringLiteral("Ahnenverlustkoeffizient: ") +
                             QString(avk.trimmed()).replace(QLatin1Char('.'), QLatin1Char(','))))
        << avk.toStdString();
}

TEST(Register, GleicherNameNeuaufnehmenOderLaden) {
    Register reg(QStringLiteral("[System]\r\nSpeichern=1\r\n[Stammdaten]\r\nSuchebeiNeuaufnahme=1\r\n"));
    ASSERT_TRUE(reg.einstellungen.SuchebeiNeuaufnahme);
    Antworten a;
    // "Neuaufnehmen": both cats keep the same name.
    reg.r->KatzeNew();
    a.ja = {true};
    reg.tippen("DBName", QStringLiteral("berta vom hof"));
    ASSERT_EQ(a.meldungen.size(), 1);
    EXPECT_EQ(a.meldungen[0].titel, QStringLiteral(" Katze gefunden"));
    EXPECT_EQ(a.meldungen[0].knopfTexte,
              (QStringList{QStringLiteral("Neuaufnehmen"), QStringLiteral("&Abbrechen")}));
    reg.setzen("Geschlecht", QStringLiteral("2"));
    test::klicken(reg.r->speichernKnopf());
    EXPECT_EQ(reg.anzahl(), 4);

    // Leaving the name for "Rückgängig" searches nothing: the entry is simply dropped.
    reg.r->KatzeNew();
    test::klicken(reg.feld("DBName"));
    test::tippen(QStringLiteral("Anton vom Hof"));
    test::klicken(reg.r->rueckgaengigKnopf());
    EXPECT_EQ(a.meldungen.size(), 1);
    EXPECT_EQ(reg.r->katzen().state(), store::Table::State::Browse);

    // The second button drops the new entry and shows the cat found.
    reg.r->KatzeNew();
    a.ja = {false};
    reg.tippen("DBName", QStringLiteral("Anton vom Hof"));
    EXPECT_EQ(reg.r->katzen().state(), store::Table::State::Browse);
    EXPECT_EQ(reg.r->katzen().asInt(QStringLiteral("LaufendeNummer")), reg.vater);
    EXPECT_EQ(reg.anzahl(), 4);
}

TEST(Register, ElternteilAusDemStammbaumMitFalschemGeschlecht218) {
    Register reg(QStringLiteral("[System]\r\nSpeichern=1\r\n[Stammdaten]\r\nSuchebeiNeuaufnahme=1\r\n"));
    Antworten a;
    // Entering the missing mother of Carla, typing the name of an existing male.
    reg.r->KatzeNewausStb(QLatin1Char('M'), reg.kind);
    EXPECT_EQ(reg.r->katzen().asString(QStringLiteral("Geschlecht")), QStringLiteral("2"));
    a.ja = {false}; // "Tier laden"
    reg.tippen("DBName", QStringLiteral("Anton vom Hof"));
    ASSERT_EQ(a.nummern(), (QList<int>{0, 218}));
    EXPECT_EQ(a.meldungen[0].knopfTexte.value(1), QStringLiteral("Tier laden"));
    EXPECT_EQ(reg.r->katzen().asString(QStringLiteral("Name")), QStringLiteral(" "));
    EXPECT_EQ(reg.r->katzen().state(), store::Table::State::Insert);
    EXPECT_TRUE(reg.feld("DBName")->hasFocus()); // back on the name for another try

    // A fitting female is loaded, and saving links her as Carla's mother.
    const int neueMutter = katze(*reg.db, QStringLiteral("Dora vom Hof"), QStringLiteral("2"));
    a.ja = {false};
    reg.tippen("DBName", QStringLiteral("Dora vom Hof"));
    EXPECT_EQ(reg.nummer(), neueMutter);
    EXPECT_TRUE(reg.r->speichernKnopf()->isEnabled());
    test::klicken(reg.r->speichernKnopf());
    store::Table t(*reg.db, QStringLiteral("catstamm"));
    t.open(store::Table::OpenMode::ReadOnly);
    EXPECT_EQ(t.lookupValue(QStringLiteral("LaufendeNummer"), {reg.kind}, QStringLiteral("Mutter")).toInt(),
              neueMutter);
    EXPECT_FALSE(reg.dg->NeuausStb);
}

TEST(Register, BildDerKatzeAufDerStammdatenseite) {
    Register reg;
    ASSERT_TRUE(reg.r->zeigeKatze(reg.kind));
    EXPECT_FALSE(reg.r->bildGezeigt());
    const QString pfad = QDir(reg.daten_).filePath(QStringLiteral("carla.png"));
    QPixmap bild(40, 30);
    bild.fill(Qt::red);
    ASSERT_TRUE(bild.save(pfad));
    {
        store::Table b(*reg.db, QStringLiteral("bilder"));
        b.open();
        b.append();
        b.setValue(QStringLiteral("KatzeNr"), reg.kind);
        b.setValue(QStringLiteral("Bildpfad"), pfad);
        b.post();
    }
    ASSERT_TRUE(reg.r->zeigeKatze(reg.vater));
    ASSERT_TRUE(reg.r->zeigeKatze(reg.kind));
    EXPECT_TRUE(reg.r->bildGezeigt());
}

TEST(Register, ElternteilAusDemStammbaumIstDieKatzeSelbst225) {
    Register reg(QStringLiteral("[System]\r\nSpeichern=1\r\n[Stammdaten]\r\nSuchebeiNeuaufnahme=1\r\n"));
    Antworten a;
    // Carla's missing mother, typed as Carla herself: a female, but she cannot be her own mother.
    reg.r->KatzeNewausStb(QLatin1Char('M'), reg.kind);
    a.ja = {false}; // "Tier laden"
    reg.tippen("DBName", QStringLiteral("Carla vom Hof"));
    ASSERT_EQ(a.nummern(), (QList<int>{0, 225}));
    EXPECT_EQ(a.meldungen[1].art, MeldungsArt::Fehler);
    EXPECT_EQ(a.meldungen[1].text, language::meldung(225) + QLatin1Char(' ') + language::meldung(226));
    EXPECT_EQ(reg.r->katzen().asString(QStringLiteral("Name")), QStringLiteral(" "));
    EXPECT_EQ(reg.r->katzen().state(), store::Table::State::Insert);
    // While the entry is pending, New, Duplicate and Delete are refused with 223 and 224.
    a.meldungen.clear();
    reg.r->KatzeNew();
    reg.r->Katzekopieren1Click();
    reg.r->loeschenClick();
    reg.haupt->findChild<QAction*>(QStringLiteral("MenuSuchen"))->trigger();
    ASSERT_EQ(a.nummern(), (QList<int>{223, 223, 223, 223}));
    EXPECT_EQ(a.meldungen[0].text, language::meldung(223) + QLatin1Char(' ') + language::meldung(224));
    EXPECT_EQ(reg.anzahl(), 3);
}

TEST(Register, NeuerElternteilAusDemStammbaumSpeichernRueckgaengigUndSeitenwechsel) {
    Register reg;
    Antworten a;
    // Save: the new father is stored, linked to Dino, and the register returns to Dino.
    const int dino = katze(*reg.db, QStringLiteral("Dino vom Hof"), QStringLiteral("1"), 0, reg.mutter);
    ASSERT_TRUE(reg.r->zeigeKatze(dino));
    reg.r->KatzeNewausStb(QLatin1Char('V'), dino);
    EXPECT_EQ(reg.r->windowTitle(), QStringLiteral(" Vater neu aufnehmen / suchen "));
    EXPECT_EQ(reg.r->speichernKnopf()->text(), QStringLiteral("&Speichern->Zurück Stammbaum"));
    EXPECT_EQ(reg.r->katzen().asString(QStringLiteral("Geschlecht")), QStringLiteral("1"));
    reg.setzen("Name", QStringLiteral("Xaver vom Berg"));
    ASSERT_TRUE(reg.r->SpeichernClick());
    store::Table t(*reg.db, QStringLiteral("catstamm"));
    t.open(store::Table::OpenMode::ReadOnly);
    const int xaver = t.lookupValue(QStringLiteral("Name"), {QStringLiteral("Xaver vom Berg")},
                                    QStringLiteral("LaufendeNummer"))
                          .toInt();
    ASSERT_GT(xaver, 0);
    EXPECT_EQ(t.lookupValue(QStringLiteral("LaufendeNummer"), {dino}, QStringLiteral("Vater")).toInt(),
              xaver);
    EXPECT_EQ(reg.r->katzen().asInt(QStringLiteral("LaufendeNummer")), dino);
    EXPECT_FALSE(reg.dg->NeuausStb);
    EXPECT_EQ(reg.r->speichernKnopf()->text(), QStringLiteral("&Speichern"));

    // Undo: nothing is stored, the register is back on Dino and the pedigree mode is over.
    const int vorher = reg.anzahl();
    ASSERT_TRUE(reg.r->zeigeKatze(reg.kind));
    reg.r->KatzeNewausStb(QLatin1Char('M'), reg.kind);
    reg.setzen("Name", QStringLiteral("Yvonne vom Berg"));
    reg.r->BitBtnRueckgaengigClick();
    EXPECT_EQ(reg.anzahl(), vorher);
    EXPECT_EQ(reg.r->katzen().asInt(QStringLiteral("LaufendeNummer")), reg.kind);
    EXPECT_FALSE(reg.dg->NeuausStb);
    EXPECT_EQ(reg.dg->VMZeiger, QLatin1Char(' '));
    EXPECT_FALSE(reg.r->speichernKnopf()->isEnabled());

    // Another page: the entry is completed and the new mother stays current, in the list as well.
    reg.r->KatzeNewausStb(QLatin1Char('M'), dino);
    reg.setzen("Name", QStringLiteral("Zita vom Berg"));
    reg.r->seiten()->setCurrentIndex(1);
    EXPECT_EQ(a.nummern(), QList<int>{});
    const int zita = reg.r->katzen().asInt(QStringLiteral("LaufendeNummer"));
    EXPECT_EQ(reg.r->katzen().asString(QStringLiteral("Name")), QStringLiteral("Zita vom Berg"));
    EXPECT_EQ(t.lookupValue(QStringLiteral("LaufendeNummer"), {dino}, QStringLiteral("Mutter")).toInt(),
              zita);
    EXPECT_EQ(reg.haupt->katzenListe()->aktuelleKatze(), zita);
    EXPECT_FALSE(reg.dg->NeuausStb);
}

TEST(Register, DatumsknoepfeNutzenDenKalenderdialog) {
    Register reg;
    ASSERT_TRUE(reg.r->zeigeKatze(reg.kind));
    auto* geb = reg.r->findChild<DbDatum*>(QStringLiteral("DBGebDatum"));
    auto* tod = reg.r->findChild<DbDatum*>(QStringLiteral("DBToddatum"));
    ASSERT_TRUE(geb && tod && reg.r->findChild<DbDatum*>(QStringLiteral("DBzzlDatum")));
    reg::TKalenderDlg* kalender = nullptr;
    QTimer::singleShot(0, reg.r, [&] {
        kalender = qobject_cast<reg::TKalenderDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(kalender, nullptr);
        kalender->setDatum(QDate(2019, 4, 7));
        kalender->okKnopf()->click();
    });
    geb->kalenderKnopf()->click();
    ASSERT_NE(kalender, nullptr);
    EXPECT_EQ(geb->eingabe()->text(), QStringLiteral("07.04.2019"));
    EXPECT_TRUE(reg.r->speichernKnopf()->isEnabled());
    ASSERT_TRUE(reg.r->SpeichernClick());
    EXPECT_EQ(reg.r->katzen().asDate(QStringLiteral("GebDatum")), QDate(2019, 4, 7));
    // The same dialog serves the next button and starts on the date chosen last; Cancel changes nothing.
    QDate angeboten;
    QTimer::singleShot(0, reg.r, [&] {
        auto* k = qobject_cast<reg::TKalenderDlg*>(QApplication::activeModalWidget());
        ASSERT_EQ(k, kalender);
        angeboten = k->datum();
        k->abbruchKnopf()->click();
    });
    tod->kalenderKnopf()->click();
    EXPECT_EQ(angeboten, QDate(2019, 4, 7));
    EXPECT_TRUE(tod->eingabe()->text().isEmpty());
    EXPECT_FALSE(reg.r->speichernKnopf()->isEnabled());
}

TEST(Register, BemerkungsvorschauOeffnetDenGanzenText) {
    Register reg;
    reg.haupt->resize(1200, 800);
    ASSERT_TRUE(reg.r->zeigeKatze(reg.kind));
    reg.setzen("Bemerkung",
               QStringLiteral("Sehr ruhige Katze mit langem Schwanzwirbelknickchenbefund und viel Geduld"));
    ASSERT_TRUE(reg.r->SpeichernClick());
    QLabel* vorschau = reg.r->bemerkungsVorschau();
    EXPECT_FALSE(vorschau->isHidden());
    // Six words, the last cut to 20 characters, and the mark that there is more.
    EXPECT_EQ(vorschau->text(), QStringLiteral("Sehr ruhige Katze mit langem Schwanzwirbelknickch ..."));
    QMouseEvent klick(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(vorschau, &klick);
    ASSERT_TRUE(reg.r->bemerkungOffen());
    auto* memo = reg.r->findChild<DbMemo*>(QStringLiteral("DBBemerkungVoll"));
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(memo->toPlainText().endsWith(QStringLiteral("viel Geduld")));
    memo->setPlainText(QStringLiteral("Kurz"));
    EXPECT_TRUE(reg.r->speichernKnopf()->isEnabled());
    // Leaving the panel closes it; the preview shows the edited remark.
    QEvent weg(QEvent::Leave);
    QApplication::sendEvent(memo->parentWidget(), &weg);
    EXPECT_FALSE(reg.r->bemerkungOffen());
    EXPECT_EQ(vorschau->text(), QStringLiteral("Kurz"));
    ASSERT_TRUE(reg.r->SpeichernClick());
    EXPECT_EQ(reg.r->katzen().asString(QStringLiteral("Bemerkung")), QStringLiteral("Kurz"));
    // A small main window has no preview.
    reg.haupt->resize(800, 500);
    ASSERT_LT(reg.haupt->height(), 700) << reg.haupt->minimumSizeHint().height();
    ASSERT_TRUE(reg.r->zeigeKatze(reg.vater));
    ASSERT_TRUE(reg.r->zeigeKatze(reg.kind));
    EXPECT_TRUE(vorschau->isHidden());
}

TEST(Register, StatusEinsZeigtDieEigeneAdresseAlsBesitzer) {
    Register reg;
    {
        store::Table eigen(*reg.db, QStringLiteral("eigen"));
        eigen.open();
        eigen.first();
        if (!eigen.hasRecord())
            eigen.append();
        else
            eigen.edit();
        eigen.setValue(QStringLiteral("Name"), QStringLiteral("Katzenfreund"));
        eigen.setValue(QStringLiteral("Vorname"), QStringLiteral("Eva"));
        eigen.setValue(QStringLiteral("Ort"), QStringLiteral("Bremen"));
        eigen.setValue(QStringLiteral("Plz"), QStringLiteral("28195"));
        eigen.post();
        store::Table adr(*reg.db, QStringLiteral("adr_dat"));
        adr.open();
        adr.append();
        adr.setValue(QStringLiteral("Name"), QStringLiteral("Fremd"));
        adr.setValue(QStringLiteral("Ort"), QStringLiteral("Köln"));
        adr.post();
        const int fremd = adr.asInt(QStringLiteral("LaufendeNr"));
        store::Table k(*reg.db, QStringLiteral("catstamm"));
        k.open();
        ASSERT_TRUE(k.findKey({reg.kind}));
        k.edit();
        k.setValue(QStringLiteral("Besitzer"), fremd);
        k.setValue(QStringLiteral("Status"), QStringLiteral("2"));
        k.post();
    }
    ASSERT_TRUE(reg.r->zeigeKatze(reg.kind));
    EXPECT_EQ(reg.r->besitzerBox()->text(), QStringLiteral("Fremd\nKöln"));
    // Choosing status 1 shows the user's own address at once.
    auto* status = reg.r->findChild<DbNachschlag*>(QStringLiteral("DBStatus"));
    ASSERT_NE(status, nullptr);
    const int eins = status->findData(1);
    ASSERT_GE(eins, 0);
    status->setCurrentIndex(eins);
    emit status->activated(eins);
    EXPECT_EQ(reg.r->katzen().asString(QStringLiteral("Status")), QStringLiteral("1"));
    EXPECT_EQ(reg.r->besitzerBox()->text(), QStringLiteral("Katzenfreund, Eva\n28195 Bremen"));
}

TEST(Register, HauptfensterBefehleUndKatzenlisteBleibenBeiDerselbenKatze) {
    Register reg;
    app::KatzenListe* liste = reg.haupt->katzenListe();
    ASSERT_NE(liste, nullptr);
    // The list's double click moves the register.
    ASSERT_TRUE(liste->zeigeKatze(reg.mutter));
    emit liste->katzeGewaehlt(reg.mutter);
    EXPECT_EQ(reg.r->katzen().asInt(QStringLiteral("LaufendeNummer")), reg.mutter);
    // Moving in the register moves the list.
    ASSERT_TRUE(reg.r->zeigeKatze(reg.vater));
    EXPECT_EQ(liste->aktuelleKatze(), reg.vater);
    // The menu's New and Save act on the register; the list and its count follow the new cat.
    auto* neu = reg.haupt->findChild<QAction*>(QStringLiteral("MenuNeuaufnahme"));
    auto* speichern = reg.haupt->findChild<QAction*>(QStringLiteral("MenuSpeichern"));
    ASSERT_TRUE(neu && speichern);
    neu->trigger();
    EXPECT_TRUE(reg.r->neuerSatz);
    reg.setzen("Name", QStringLiteral("Fritz vom Hof"));
    reg.r->nameGeaendert = true;
    reg.setzen("Geschlecht", QStringLiteral("1"));
    speichern->trigger();
    EXPECT_FALSE(reg.r->neuerSatz);
    const int fritz = reg.r->katzen().asInt(QStringLiteral("LaufendeNummer"));
    EXPECT_EQ(liste->aktuelleKatze(), fritz);
    EXPECT_EQ(liste->anzahl(), 4);
}

TEST(Register, UnberuehrteNeuaufnahmeWirdBeimWeitergehenVerworfen) {
    Register reg(QStringLiteral("[System]\r\nSpeichern=0\r\n"));
    Antworten a;
    ASSERT_TRUE(reg.r->zeigeKatze(reg.mutter));
    // Nothing typed: moving on drops the new record without any question, by the list as by the navigator.
    reg.r->KatzeNew();
    EXPECT_TRUE(reg.r->zeigeKatze(reg.vater));
    reg.r->KatzeNew();
    reg.r->findChild<Navigator*>()->naechster();
    QApplication::processEvents();
    EXPECT_EQ(a.nummern(), QList<int>{});
    EXPECT_EQ(reg.anzahl(), 3);
    EXPECT_FALSE(reg.r->neuerSatz);
    EXPECT_EQ(reg.r->katzen().state(), store::Table::State::Browse);
    // One typed field makes it an entry: the move asks the usual questions (148 for the missing name).
    reg.r->KatzeNew();
    reg.setzen("Rufname", QStringLiteral("Mieze"));
    a.ja = {false};
    EXPECT_FALSE(reg.r->zeigeKatze(reg.kind));
    EXPECT_EQ(a.nummern(), QList<int>{148});
    EXPECT_EQ(reg.r->katzen().state(), store::Table::State::Insert);
    // The save button asks even for an untouched record.
    reg.r->BitBtnRueckgaengigClick();
    reg.r->KatzeNew();
    a.meldungen.clear();
    a.ja = {false};
    EXPECT_FALSE(reg.r->SpeichernClick());
    EXPECT_EQ(a.nummern(), QList<int>{148});
}

TEST(Register, ElternteilAusDemStammbaumOhneNamen217UndProzentSuche) {
    Register reg;
    Antworten a;
    const int dino = katze(*reg.db, QStringLiteral("Dino vom Hof"), QStringLiteral("1"), reg.vater);
    ASSERT_TRUE(reg.r->zeigeKatze(dino));
    reg.r->KatzeNewausStb(QLatin1Char('M'), dino);
    // Without a name the entry is not stored and stays open for one, on the base data page.
    reg.r->seiten()->setCurrentIndex(1);
    EXPECT_EQ(a.nummern(), QList<int>{217});
    EXPECT_EQ(a.meldungen[0].knoepfe, Knoepfe::Ok);
    EXPECT_EQ(reg.r->seiten()->currentIndex(), 0);
    EXPECT_EQ(reg.r->katzen().state(), store::Table::State::Insert);
    EXPECT_TRUE(reg.dg->NeuausStb);

    // A "%" in the typed name searches among the females at once; the one hit is taken with OK.
    int angeboten = -1;
    test::beimNaechstenDialog([&](QWidget* d) {
        auto* dlg = qobject_cast<reg::TSuchenDlg*>(d);
        ASSERT_NE(dlg, nullptr);
        angeboten = dlg->treffer().size();
        test::klicken(dlg->okKnopf());
    });
    reg.tippen("DBName", QStringLiteral("%erta"));
    EXPECT_EQ(angeboten, 1);
    EXPECT_EQ(reg.nummer(), reg.mutter);
    EXPECT_TRUE(reg.r->speichernKnopf()->isEnabled());
    // Saving links her as Dino's mother and returns to Dino; no new cat was stored.
    test::klicken(reg.r->speichernKnopf());
    EXPECT_EQ(reg.r->katzen().asInt(QStringLiteral("LaufendeNummer")), dino);
    EXPECT_EQ(reg.r->katzen().asInt(QStringLiteral("Mutter")), reg.mutter);
    EXPECT_EQ(reg.anzahl(), 4);
    EXPECT_FALSE(reg.dg->NeuausStb);
}

TEST(Register, BeendenMitOffenerEingabe) {
    Register reg;
    Antworten a;
    reg.r->KatzeNew();
    reg.setzen("Geschlecht", QStringLiteral("1"));
    // Exit Yes, then 148 No: the nameless entry stays open and so does the program.
    a.ja = {true, false};
    EXPECT_FALSE(reg.haupt->close());
    EXPECT_EQ(a.nummern(), (QList<int>{16, 148}));
    EXPECT_TRUE(reg.haupt->isVisible());
    EXPECT_EQ(reg.r->katzen().state(), store::Table::State::Insert);
    EXPECT_FALSE(reg.haupt->ProgrammEnde);
    // Exit Yes, 148 Yes: the entry is dropped and the program ends.
    a.meldungen.clear();
    a.ja = {true, true};
    EXPECT_TRUE(reg.haupt->close());
    EXPECT_EQ(a.nummern(), (QList<int>{16, 148}));
    EXPECT_EQ(reg.anzahl(), 3);
}

TEST(Register, BeendenMitAenderungUndSpeichernAus29) {
    Register reg(QStringLiteral("[System]\r\nSpeichern=0\r\n"));
    Antworten a;
    ASSERT_TRUE(reg.r->zeigeKatze(reg.kind));
    reg.setzen("Rufname", QStringLiteral("Cari"));
    // No discards the change and the program ends; Yes would have stored it.
    a.ja = {true, false};
    EXPECT_TRUE(reg.haupt->close());
    EXPECT_EQ(a.nummern(), (QList<int>{16, 29}));
    store::Table t(*reg.db, QStringLiteral("catstamm"));
    t.open(store::Table::OpenMode::ReadOnly);
    EXPECT_TRUE(t.lookupValue(QStringLiteral("LaufendeNummer"), {reg.kind}, QStringLiteral("Rufname"))
                    .toString()
                    .isEmpty());
}

TEST(Register, SetzenDesHauptfenstersStelltReihenfolgeUndSeiteEin) {
    Register g;
    ASSERT_TRUE(g.r);
    g.einstellungen.indexStammdaten = QStringLiteral("ZwinName");
    g.r->seiten()->setCurrentIndex(1);
    g.haupt->setzen(false);
    EXPECT_EQ(g.r->katzen().indexName(), QStringLiteral("ZwinName"));
    EXPECT_EQ(g.r->seiten()->currentIndex(), 0);
    // the tool button for a new cat runs the register's command
    auto* neu = g.haupt->findChild<QAction*>(QStringLiteral("SpeedButtonNeu"));
    ASSERT_TRUE(neu);
    EXPECT_TRUE(neu->isVisible());
    neu->trigger();
    EXPECT_EQ(g.r->katzen().state(), store::Table::State::Insert);
}

namespace {
int adresse(store::Database& db, const QString& zwinger, const QString& name) {
    store::Table t(db, QStringLiteral("adr_dat"));
    t.open();
    t.append();
    t.setValue(QStringLiteral("Zwinger"), zwinger);
    t.setValue(QStringLiteral("Name"), name);
    t.post();
    return t.asInt(QStringLiteral("LaufendeNr"));
}

void geburtstag(store::Database& db, int nummer, const QDate& geb) {
    store::Table t(db, QStringLiteral("catstamm"));
    t.open();
    ASSERT_TRUE(t.findKey({nummer}));
    t.edit();
    t.setValue(QStringLiteral("GebDatum"), geb);
    t.post();
}

// A window that follows the register's cat, standing in for the inbreeding, descendants and
// statistics windows.
class Folgefenster : public TKindFenster {
public:
    // folgt: the window moves to the cat the register reports (the descendants window does not).
    Folgefenster(TRahmen& h, const QString& name, bool folgt) : TKindFenster(h, name, 0) {
        if (folgt) connect(&h, &TRahmen::registerKatzeGewechselt, this, [this](int n) { katzen << n; });
    }
    QList<int> katzen;
};

QWidget* aktivesFenster(app::TVelmora& h) {
    QMdiSubWindow* s = h.mdi()->activeSubWindow();
    return s ? s->widget() : nullptr;
}

// The main window's search command, with the name typed into the dialog and the one hit taken.
void suchen(Register& reg, const QString& name) {
    test::beimNaechstenDialog([name](QWidget* d) {
        auto* dlg = qobject_cast<reg::TSuchenDlg*>(d);
        ASSERT_NE(dlg, nullptr);
        test::klicken(dlg->nameFeld());
        test::tippen(name);
        test::klicken(dlg->suchenKnopf());
        test::klicken(dlg->okKnopf());
    });
    reg.haupt->findChild<QAction*>(QStringLiteral("MenuSuchen"))->trigger();
}

void seiteWaehlen(Register& reg, int seite) {
    QTabBar* leiste = reg.r->seiten()->tabBar();
    test::klicken(leiste, leiste->tabRect(seite).center());
}
} // namespace

TEST(Register, ZuechterNachZwingerOhneRuecksichtAufGrossKleinUndErsterNachAdrZwing) {
    Register reg;
    adresse(*reg.db, QStringLiteral("Kattenhof"), QStringLiteral("Zeller")); // stored first
    const int berger = adresse(*reg.db, QStringLiteral("Kattenhof"), QStringLiteral("Berger"));
    const struct {
        const char* name;
        const char* zwinger; // typed into the cattery field after the name
    } faelle[] = {{"Bella vom Kattenhof", nullptr}, {"Bella vom KATTENHOF", nullptr}, {"Mimi", "kattenhof"}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        reg.r->KatzeNew();
        reg.tippen("DBName", QString::fromUtf8(f.name));
        if (f.zwinger) reg.tippen("DBzwinger", QString::fromUtf8(f.zwinger));
        EXPECT_EQ(reg.r->katzen().asInt(QStringLiteral("Züchter")), berger);
        EXPECT_TRUE(reg.r->findChild<QLabel*>(QStringLiteral("MemoZuechter"))
                        ->text()
                        .startsWith(QStringLiteral("Berger")));
        test::klicken(reg.r->rueckgaengigKnopf());
    }
}

TEST(Register, GleichnamigeSucheLaedtDieErsteNachNameidxNichtDieZuerstGespeicherte) {
    Register reg(QStringLiteral("[System]\r\nSpeichern=1\r\n[Stammdaten]\r\nSuchebeiNeuaufnahme=1\r\n"));
    const int juenger = katze(*reg.db, QStringLiteral("Luna vom See"), QStringLiteral("2"));
    const int aelter = katze(*reg.db, QStringLiteral("Luna vom See"), QStringLiteral("2"));
    geburtstag(*reg.db, juenger, QDate(2021, 3, 1));
    geburtstag(*reg.db, aelter, QDate(2019, 3, 1));
    Antworten a;
    a.ja = {false}; // "&Abbrechen": load the cat found
    reg.r->KatzeNew();
    reg.tippen("DBName", QStringLiteral("luna vom see"));
    EXPECT_EQ(a.meldungen.size(), 1);
    EXPECT_EQ(reg.nummer(), aelter);
}

TEST(Register, FarbUndAugenfarbwahlFolgenIhrenEditorenAugenfarbenInIndexfolge) {
    reg::referenzlistenRegistrieren();
    Register reg;
    auto angeboten = [&](const char* feld) {
        auto* e = qobject_cast<QLineEdit*>(reg.feld(feld));
        auto* m = e && e->completer() ? qobject_cast<QStringListModel*>(e->completer()->model()) : nullptr;
        return m ? m->stringList() : QStringList();
    };
    auto indexfolge = [&] {
        store::Table t(*reg.db, QStringLiteral("augen"));
        t.open(store::Table::OpenMode::ReadOnly);
        t.setIndexName(QStringLiteral("Augenfarbeidx"));
        QStringList l;
        for (t.first(); !t.eof(); t.next())
            l << t.asString(QStringLiteral("Augenfarbe"));
        return l;
    };
    auto schliessen = [&](const QString& name) {
        ASSERT_NE(reg.haupt->FensterZeigen(name), nullptr);
        for (QMdiSubWindow* s : reg.haupt->mdi()->subWindowList())
            if (s->widget() && s->widget()->objectName() == name) s->close();
        QApplication::processEvents();
    };
    {
        store::Table t(*reg.db, QStringLiteral("augen"));
        t.open();
        t.append();
        t.setValue(QStringLiteral("Augenfarbe"), QStringLiteral("Aaa-Testauge")); // last by record number
        t.post();
        store::Table f(*reg.db, QStringLiteral("farbe"));
        f.open();
        f.append();
        f.setValue(QStringLiteral("Farbname"), QStringLiteral("Testlila"));
        f.setValue(QStringLiteral("Rasseinfo"), QStringLiteral("XX"));
        f.post();
    }
    EXPECT_FALSE(angeboten("DBAugenfarbe").contains(QStringLiteral("Aaa-Testauge")));
    schliessen(QStringLiteral("FormAugenfarbe"));
    EXPECT_EQ(angeboten("DBAugenfarbe"), indexfolge());
    EXPECT_TRUE(angeboten("DBAugenfarbe").contains(QStringLiteral("Aaa-Testauge")));
    EXPECT_FALSE(angeboten("DBFellFarbe").contains(QStringLiteral("(XX) Testlila")));
    schliessen(QStringLiteral("FormFarben"));
    EXPECT_TRUE(angeboten("DBFellFarbe").contains(QStringLiteral("(XX) Testlila")));
}

TEST(Register, GefundeneKatzeUndRueckkehrAusDemStammbaumeintragSindKeineLetztenKatzen) {
    Register reg(QStringLiteral("[System]\r\nSpeichern=1\r\n[Stammdaten]\r\nSuchebeiNeuaufnahme=1\r\n"));
    Antworten a;
    const settings::LetzteKatzen leer = reg.einstellungen.LastCats;
    ASSERT_EQ(leer[0], QStringLiteral("{}"));
    // The cat found by the duplicate-name search is shown for the entry, not gone to.
    reg.r->KatzeNew();
    a.ja = {false};
    reg.tippen("DBName", QStringLiteral("Berta vom Hof"));
    ASSERT_EQ(reg.nummer(), reg.mutter);
    EXPECT_EQ(reg.einstellungen.LastCats, leer);
    // Saving a missing parent returns to the cat it was entered for.
    reg.r->KatzeNewausStb(QLatin1Char('V'), reg.mutter);
    reg.tippen("DBName", QStringLiteral("Xaver vom Berg"));
    test::klicken(reg.r->speichernKnopf());
    EXPECT_EQ(reg.nummer(), reg.mutter);
    EXPECT_EQ(reg.haupt->katzenListe()->aktuelleKatze(), reg.mutter);
    EXPECT_EQ(reg.einstellungen.LastCats, leer);
    // Completed by a page change, the new parent stays current, again without counting as a move.
    reg.r->KatzeNewausStb(QLatin1Char('M'), reg.vater);
    reg.tippen("DBName", QStringLiteral("Yvonne vom Berg"));
    seiteWaehlen(reg, 1);
    EXPECT_EQ(reg.r->katzen().asString(QStringLiteral("Name")), QStringLiteral("Yvonne vom Berg"));
    EXPECT_EQ(reg.haupt->katzenListe()->aktuelleKatze(), reg.nummer());
    EXPECT_EQ(reg.einstellungen.LastCats, leer);
    // A move of the user's does count.
    seiteWaehlen(reg, 0);
    test::klicken(reg.r->findChild<Navigator*>()->knopf(Navigator::Erster));
    EXPECT_EQ(reg.einstellungen.LastCats[0], QStringLiteral("Anton vom Hof {%1}").arg(reg.vater));
    EXPECT_EQ(a.nummern(), QList<int>{0});
}

TEST(Register, TitelhakenWerdenAufJedemWegVomTierWegGespeichertAuchMitDemNavigator) {
    const struct {
        const char* weg;
        std::function<void(Register&)> gehen; // from Carla to another cat (the page change stays)
    } wege[] = {
        {"Navigator",
         [](Register& r) { test::klicken(r.r->findChild<Navigator*>()->knopf(Navigator::Vorheriger)); }},
        {"Katzenliste",
         [](Register& r) {
             app::KatzenListe* l = r.haupt->katzenListe();
             l->zeigeKatze(r.mutter);
             test::doppelklicken(l->viewport(), l->visualRect(l->currentIndex()).center());
         }},
        {"Letzte Katzen",
         [](Register& r) {
             for (QAction* act : r.haupt->findChildren<QAction*>())
                 if (act->text() == QStringLiteral("Berta vom Hof {%1}").arg(r.mutter)) act->trigger();
         }},
        {"Suche", [](Register& r) { suchen(r, QStringLiteral("Berta")); }},
        {"Seitenwechsel", [](Register& r) { seiteWaehlen(r, 1); }},
        {"Schliessen", [](Register& r) { r.r->parentWidget()->close(); }},
    };
    for (const auto& w : wege) {
        for (const bool speichernAn : {true, false}) {
            SCOPED_TRACE(std::string(w.weg) + (speichernAn ? " Speichern an" : " Speichern aus"));
            Register reg(speichernAn ? QStringLiteral("[System]\r\nSpeichern=1\r\n")
                                     : QStringLiteral("[System]\r\nSpeichern=0\r\n"));
            Antworten a;
            ASSERT_TRUE(reg.r->zeigeKatze(reg.mutter));
            ASSERT_TRUE(reg.r->zeigeKatze(reg.kind));
            QCheckBox* box = reg.r->titelKaestchen().value(0);
            ASSERT_NE(box, nullptr);
            test::ankreuzen(box);
            ASSERT_TRUE(box->isChecked());
            const QString kuerzel = box->text();
            const QPointer<reg::TCatStamm> fenster(reg.r);
            EXPECT_TRUE(reg.r->speichernKnopf()->isEnabled());
            a.ja = {false}; // with "Speichern" off: 29 No keeps the titles as they were
            w.gehen(reg);
            EXPECT_EQ(reg.dg->GetTitel(reg.kind), speichernAn ? kuerzel : QString());
            EXPECT_EQ(a.nummern(), speichernAn ? QList<int>{} : QList<int>{29});
            if (fenster) {
                EXPECT_FALSE(fenster->titelGeaendert);
            }
        }
    }
}

TEST(Register, SucheLaesstEinFolgendesFensterVorneUndBringtEsZurKatze) {
    for (const char* name : {"FormInzuchtgrad", "FormStatistikMerkmaleStammbaum", "FormNachkommen"})
        fensterartRegistrieren({QLatin1String(name), QStringLiteral("MenueVerwaltung"), 0,
                                QLatin1String(name), [n = QLatin1String(name)](TRahmen& h) {
                                    return new Folgefenster(h, n, n != QLatin1String("FormNachkommen"));
                                }});
    reg::referenzlistenRegistrieren();
    Register reg;
    // Another window in front: the search brings the register forward.
    ASSERT_NE(reg.haupt->FensterZeigen(QStringLiteral("FormFarben")), nullptr);
    suchen(reg, QStringLiteral("Berta"));
    EXPECT_EQ(aktivesFenster(*reg.haupt), reg.r);
    EXPECT_EQ(reg.nummer(), reg.mutter);
    EXPECT_EQ(reg.haupt->katzenListe()->aktuelleKatze(), reg.mutter);
    // A window that follows the cat stays in front; the inbreeding and statistics windows move to it.
    const struct {
        const char* fenster;
        bool positioniert;
    } faelle[] = {
        {"FormInzuchtgrad", true}, {"FormStatistikMerkmaleStammbaum", true}, {"FormNachkommen", false}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fenster);
        auto* folge = dynamic_cast<Folgefenster*>(reg.haupt->FensterZeigen(QLatin1String(f.fenster)));
        ASSERT_NE(folge, nullptr);
        suchen(reg, QStringLiteral("Anton"));
        EXPECT_EQ(aktivesFenster(*reg.haupt), folge);
        EXPECT_EQ(reg.nummer(), reg.vater);
        EXPECT_EQ(reg.haupt->katzenListe()->aktuelleKatze(), reg.vater);
        EXPECT_EQ(folge->katzen, f.positioniert ? QList<int>{reg.vater} : QList<int>{});
        folge->parentWidget()->close();
        QApplication::processEvents();
        ASSERT_TRUE(reg.r->zeigeKatze(reg.kind));
    }
}
