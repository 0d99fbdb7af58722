// The main window's flows: the window check, the cat list search, recent cats, shutdown, and the
// program end to end through the automation mode.

#include "app/ui/katzenliste.h"
#include "app/ui/tvelmora.h"
#include "common/meldungsdienst.h"
#include "common/ui/kindfenster.h"
#include "language/sprache.h"
#include "settings/inidatei.h"
#include "store/table.h"
#include "support/testsupport.h"
#include "support/ui/hauptfenster.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHelpEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLibraryInfo>
#include <QLockFile>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QThread>
#include <QTimer>
#include <QToolTip>
#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::app;

namespace {

void katzeAnlegen(store::Database& db, const QString& name, const QString& status = QStringLiteral("1")) {
    store::Table t(db, QStringLiteral("catstamm"));
    t.open();
    t.append();
    t.setValue(QStringLiteral("Name"), name);
    t.setValue(QStringLiteral("Status"), status);
    t.setValue(QStringLiteral("Geschlecht"), QStringLiteral("2"));
    t.post();
}

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
    std::unique_ptr<TVelmora> haupt;

    explicit Rahmen(const QStringList& katzen = {}, const QString& ini = {}) {
        QFile f(einstellungsDir.file(QStringLiteral("Tessaro.ini")));
        f.open(QIODevice::WriteOnly);
        f.write(ini.toLatin1());
        f.close();
        einstellungen.load(f.fileName());
        db = std::make_unique<store::Database>(daten.path());
        for (const QString& k : katzen)
            katzeAnlegen(*db, k);
        sprache = std::make_unique<language::TSprache>(*db, 0);
        sprache->oeffnen();
        language::setAktuelleSprache(sprache.get());
        Kontext k;
        k.datenVerzeichnis = daten.path();
        k.installationsVerzeichnis = daten.path();
        k.einstellungsVerzeichnis = einstellungsDir.path();
        k.db = db.get();
        k.einstellungen = &einstellungen;
        k.sprache = sprache.get();
        haupt = std::make_unique<TVelmora>(k);
        haupt->setzen(false);
        haupt->resize(900, 600);
        haupt->show();
    }
    ~Rahmen() {
        haupt.reset();
        language::setAktuelleSprache(nullptr);
    }
};

class Testfenster : public TKindFenster {
public:
    Testfenster(TRahmen& h, const QString& name) : TKindFenster(h, name, 0) { ++erzeugt; }
    static inline int erzeugt = 0;
};

void testfensterRegistrieren(const QString& name) {
    fensterartRegistrieren({name, QStringLiteral("MenueVerwaltung"), 127, name,
                            [name](TRahmen& h) { return new Testfenster(h, name); }});
}

void tasten(QWidget* w, const QString& text) {
    for (QChar c : text) {
        QKeyEvent e(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &e);
    }
}

void taste(QWidget* w, Qt::Key k) {
    QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

TEST(Hauptfenster, ExklusivesFensterSperrtUndZweiteAnfrageTutNichts) {
    testfensterRegistrieren(QStringLiteral("Adressenverwaltung"));
    testfensterRegistrieren(QStringLiteral("FormBuchfuehrung"));
    testfensterRegistrieren(QStringLiteral("FormRassen"));
    Rahmen r;
    Aufgenommen a;
    Testfenster::erzeugt = 0;

    ASSERT_NE(r.haupt->FensterZeigen(QStringLiteral("Adressenverwaltung")), nullptr);
    EXPECT_FALSE(r.haupt->katzenListe()->isVisible()); // an exclusive window hides the list
    EXPECT_EQ(r.haupt->FensterZeigen(QStringLiteral("FormRassen")), nullptr);
    ASSERT_EQ(a.meldungen.size(), 1);
    EXPECT_EQ(a.meldungen[0].nummer, 138);

    // Asking again for the open window: the same window, no message, nothing created.
    EXPECT_EQ(r.haupt->FensterZeigen(QStringLiteral("Adressenverwaltung")),
              r.haupt->fenster(QStringLiteral("Adressenverwaltung")));
    EXPECT_EQ(a.meldungen.size(), 1);
    EXPECT_EQ(Testfenster::erzeugt, 1);

    // The bookkeeping window is refused by the open address book ...
    EXPECT_EQ(r.haupt->FensterZeigen(QStringLiteral("FormBuchfuehrung")), nullptr);
    EXPECT_EQ(a.meldungen.last().nummer, 138);
    // ... and with both open the later one in table order speaks.
    r.haupt->register_().geoeffnet(QStringLiteral("FormBuchfuehrung"));
    EXPECT_EQ(r.haupt->CheckFormOpen(QStringLiteral("FormRassen")), 2);
    EXPECT_EQ(a.meldungen.last().nummer, 2);
    r.haupt->register_().geschlossen(QStringLiteral("FormBuchfuehrung"));

    // Closing the window clears its registry entry; the list comes back.
    r.haupt->fenster(QStringLiteral("Adressenverwaltung"))->parentWidget()->close();
    QApplication::processEvents();
    EXPECT_EQ(r.haupt->fenster(QStringLiteral("Adressenverwaltung")), nullptr);
    EXPECT_FALSE(r.haupt->register_().offen(QStringLiteral("Adressenverwaltung")));
    EXPECT_TRUE(r.haupt->katzenListe()->isVisible());
    EXPECT_NE(r.haupt->FensterZeigen(QStringLiteral("FormRassen")), nullptr);
}

TEST(Hauptfenster, MenueEintraegeNurFuerVorhandeneFenster) {
    Rahmen r;
    QMenu* verwaltung = r.haupt->findChild<QMenu*>(QStringLiteral("MenueVerwaltung"));
    ASSERT_NE(verwaltung, nullptr);
    // Every registered window kind got its entry and each entry opens a window.
    for (QAction* a : verwaltung->actions())
        EXPECT_TRUE(a->objectName().startsWith(QStringLiteral("Menu")));
    QMenu* stammdaten = r.haupt->findChild<QMenu*>(QStringLiteral("MenueStammdaten"));
    ASSERT_NE(stammdaten, nullptr);
    EXPECT_EQ(stammdaten->menuAction()->isVisible(), !stammdaten->actions().isEmpty());
}

TEST(Hauptfenster, KatzenlisteTippenUndEscape) {
    Rahmen r(
        {QStringLiteral("Anton"), QStringLiteral("Bella"), QStringLiteral("Berta"), QStringLiteral("Carlo")},
        QStringLiteral("[Stammdaten]\r\nindex=Nameidx\r\n"));
    KatzenListe* l = r.haupt->katzenListe();
    l->setFocus();
    auto name = [&] { return l->tabelle().asString(QStringLiteral("Name")); };
    tasten(l, QStringLiteral("b"));
    EXPECT_EQ(name(), QStringLiteral("Bella"));
    tasten(l, QStringLiteral("er"));
    EXPECT_EQ(l->suchName(), QStringLiteral("ber"));
    EXPECT_EQ(name(), QStringLiteral("Berta"));
    taste(l, Qt::Key_Escape);
    EXPECT_TRUE(l->suchName().isEmpty());
    tasten(l, QStringLiteral("c"));
    EXPECT_EQ(name(), QStringLiteral("Carlo"));
    // The grid's current row is the cursor's record.
    EXPECT_EQ(l->currentIndex().row(), 3);
}

TEST(Hauptfenster, SucheAufNichtTextIndexZeigtDieFuenfMeldungen) {
    Rahmen r({QStringLiteral("Anton"), QStringLiteral("Bella")});
    KatzenListe* l = r.haupt->katzenListe();
    l->tabelle().setIndexName(QString()); // primary key: a number
    const int vorher = l->aktuelleKatze();
    Aufgenommen a;
    EXPECT_FALSE(l->tippen(QStringLiteral("b")));
    ASSERT_EQ(a.meldungen.size(), 1);
    const QStringList zeilen = a.meldungen[0].text.split(QLatin1Char('\r'));
    ASSERT_EQ(zeilen.size(), 5);
    EXPECT_EQ(zeilen[0], language::meldung(19));
    EXPECT_EQ(zeilen[4], language::meldung(23));
    EXPECT_EQ(l->aktuelleKatze(), vorher);
}

TEST(Hauptfenster, LetzteKatzenImMenueUndInDerDatei) {
    Rahmen r({QStringLiteral("Anton"), QStringLiteral("Bella")});
    r.haupt->SaveLastCats(QStringLiteral("Bella"), 2);
    r.haupt->SaveLastCats(QStringLiteral("Anton"), 1);
    r.haupt->SaveLastCats(QStringLiteral("Bell"), 9); // occurs inside "Bella {2}": not entered
    QMenu* katze = r.haupt->findChild<QMenu*>(QStringLiteral("MenueKatze"));
    QStringList texte;
    for (QAction* a : katze->actions())
        if (a->objectName().startsWith(QStringLiteral("LastCat"))) texte << a->text();
    EXPECT_EQ(texte, (QStringList{QStringLiteral("Anton {1}"), QStringLiteral("Bella {2}")}));

    settings::tsysteminfo neu;
    neu.load(r.einstellungsDir.file(QStringLiteral("Tessaro.ini")));
    EXPECT_EQ(neu.LastCats[0], QStringLiteral("Anton {1}"));
    EXPECT_EQ(neu.LastCats[1], QStringLiteral("Bella {2}"));

    // Choosing an entry moves the list to that cat.
    int gezeigt = 0;
    r.haupt->katzeZeigen = [&](int n) { gezeigt = n; };
    r.haupt->letzteKatzeGewaehlt(1);
    EXPECT_EQ(gezeigt, 2);
    EXPECT_EQ(r.haupt->katzenListe()->aktuelleKatze(), 2);
}

TEST(Hauptfenster, BeendenNeinBleibtJaSchliesst) {
    Rahmen r;
    Aufgenommen a;
    a.antworten = {Antwort::Nein};
    EXPECT_FALSE(r.haupt->close());
    EXPECT_TRUE(r.haupt->isVisible());
    EXPECT_FALSE(r.haupt->ProgrammEnde);
    ASSERT_EQ(a.meldungen.size(), 1);
    EXPECT_EQ(a.meldungen[0].nummer, 16);
    EXPECT_EQ(a.meldungen[0].art, MeldungsArt::Warnung);

    a.antworten = {Antwort::Ja};
    EXPECT_TRUE(r.haupt->close());
    EXPECT_TRUE(r.haupt->ProgrammEnde);
}

TEST(Hauptfenster, NachIndexrekonstruktionNurNeustartHinweis) {
    Rahmen r;
    Aufgenommen a;
    r.haupt->indexrekonstruktion = true;
    EXPECT_TRUE(r.haupt->close());
    ASSERT_EQ(a.meldungen.size(), 1);
    EXPECT_EQ(a.meldungen[0].text, QStringLiteral("Programm wird beendet! Bitte neu starten!"));
}

TEST(Hauptfenster, SpracheWechselnUebersetztMenues) {
    Rahmen r;
    QMenu* katze = r.haupt->findChild<QMenu*>(QStringLiteral("MenueKatze"));
    EXPECT_EQ(katze->title(), QStringLiteral("&Katze"));
    r.haupt->spracheWechseln(1);
    EXPECT_EQ(katze->title(), language::aktuelleSprache()->feldName(8901));
    EXPECT_EQ(katze->title(), QStringLiteral("&Cat"));
    r.haupt->spracheWechseln(2);
    EXPECT_EQ(katze->title(), QStringLiteral("&Kat"));
    settings::tsysteminfo neu;
    neu.load(r.einstellungsDir.file(QStringLiteral("Tessaro.ini")));
    EXPECT_EQ(neu.spracheNummer(), 2);
}

TEST(Hauptfenster, SprachmenueSchaltetQtsEigeneTexteUndMarkiertDieSprache) {
    for (const char* sprache : {"de", "en", "nl"})
        if (!QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                               QStringLiteral("/qtbase_") + QLatin1String(sprache) + QStringLiteral(".qm")))
            GTEST_SKIP() << "Qt's translations are not installed (package qt6-translations-l10n)";
    Rahmen r;
    const struct {
        const char* eintrag;
        const char* ja;
        const char* abbrechen;
        const char* suchenIn;
    } faelle[] = {{"MenuHollaendisch", "&Ja", "Annuleren", "Zoeken in:"},
                  {"MenuEnglisch", "&Yes", "Cancel", "Look in:"},
                  {"MenuDeutsch", "&Ja", "Abbrechen", "Suchen in:"},
                  {"MenuHollaendisch", "&Ja", "Annuleren", "Zoeken in:"}};
    QMenu* menue = r.haupt->findChild<QMenu*>(QStringLiteral("MenueSprache"));
    ASSERT_TRUE(menue);
    for (const auto& f : faelle) {
        QAction* eintrag = r.haupt->findChild<QAction*>(QLatin1String(f.eintrag));
        ASSERT_TRUE(eintrag);
        eintrag->trigger();
        for (QAction* a : menue->actions())
            EXPECT_EQ(a->isChecked(), a == eintrag) << f.eintrag << " / " << a->objectName().toStdString();
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QString::fromUtf8(f.ja)) << f.eintrag;
        EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QString::fromUtf8(f.abbrechen)) << f.eintrag;
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        auto* suchenIn = dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"));
        ASSERT_TRUE(suchenIn);
        EXPECT_EQ(suchenIn->text(), QString::fromUtf8(f.suchenIn)) << f.eintrag;
    }
}

TEST(Hauptfenster, BildschirmfotoFuerDieAnsicht) {
    Rahmen r({QStringLiteral("Anton"), QStringLiteral("Bella"), QStringLiteral("Carlo")});
    QApplication::processEvents();
    const QString ordner = QStringLiteral(VELMORA_BINARY_DIR "/screenshots");
    QDir().mkpath(ordner);
    const QString datei = ordner + QStringLiteral("/hauptfenster.png");
    ASSERT_TRUE(r.haupt->grab().save(datei));
    EXPECT_GT(QFileInfo(datei).size(), 1000);
}

// ---- end to end through the automation mode

namespace {
struct Lauf {
    int code = -1;
    QStringList meldungen;
};

Lauf velmoraStarten(const QString& daten, const QString& einstellungen, const QString& antworten,
                    bool mitEinstellungsdatei = true) {
    if (mitEinstellungsdatei) {
        QFile ini(QDir(einstellungen).filePath(QStringLiteral("Tessaro.ini")));
        if (!ini.exists() && ini.open(QIODevice::WriteOnly)) ini.close();
    }
    test::TempDir log;
    const QString logDatei = log.file(QStringLiteral("meldungen.txt"));
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VELMORA_MELDUNGEN"), logDatei);
    env.insert(QStringLiteral("VELMORA_ANTWORTEN"), antworten);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VELMORA_BINARY_DIR "/velmora"),
            {QStringLiteral("--daten"), daten, QStringLiteral("--einstellungen"), einstellungen});
    Lauf l;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return l;
    }
    l.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    QFile f(logDatei);
    if (f.open(QIODevice::ReadOnly))
        l.meldungen = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return l;
}
} // namespace

TEST(Programm, OhneKatzentabelleMeldungUndEnde) {
    test::DataDir d;
    test::TempDir e;
    QFile::remove(d.file(QStringLiteral("catstamm.db")));
    const Lauf l = velmoraStarten(d.path(), e.path(), QStringLiteral("ja"));
    EXPECT_NE(l.code, 0);
    EXPECT_NE(l.code, -1) << "the program did not end";
    ASSERT_EQ(l.meldungen.size(), 1);
    // an error box with OK that names the program's own file
    EXPECT_TRUE(l.meldungen[0].startsWith(QStringLiteral("fehler;;"))) << l.meldungen[0].toStdString();
    EXPECT_TRUE(l.meldungen[0].endsWith(QStringLiteral(";ok")));
    const QString programm = QFileInfo(QStringLiteral(VELMORA_BINARY_DIR "/velmora")).canonicalFilePath();
    EXPECT_EQ(l.meldungen[0].count(QStringLiteral("Verzeichnis ") + programm + QStringLiteral(" starten")), 1)
        << l.meldungen[0].toStdString();
    EXPECT_TRUE(l.meldungen[0].contains(QStringLiteral("keine Tierdatenbank vorhanden")));
    EXPECT_TRUE(l.meldungen[0].contains(QStringLiteral("\\n"))) << "line breaks are written as \\n";
}

TEST(Programm, TabellenInAndererSchreibweiseWerdenGefunden) {
    test::DataDir d;
    test::TempDir e;
    ASSERT_TRUE(QFile::rename(d.file(QStringLiteral("catstamm.db")), d.file(QStringLiteral("CatStamm.DB"))));
    if (QFile::exists(d.file(QStringLiteral("catstamm.db")))) GTEST_SKIP() << "the file system ignores case";
    const Lauf l = velmoraStarten(d.path(), e.path(), QStringLiteral("ja"));
    EXPECT_EQ(l.code, 0) << l.meldungen.join(QLatin1Char('\n')).toStdString();
    ASSERT_FALSE(l.meldungen.isEmpty());
    EXPECT_EQ(l.meldungen.last(), QStringLiteral("warnung;16;Programm beenden!;ja"));
    EXPECT_FALSE(QFile::exists(d.file(QStringLiteral("catstamm.db"))));
}

TEST(Programm, BeschaedigteTabellenEinmalGemeldetVereinsdatenMitMeldung9) {
    test::DataDir d;
    test::TempDir e;
    for (const char* n : {"catstamm.db", "farbe.db", "zusatz.db"}) {
        QFile f(d.file(QString::fromLatin1(n)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray(8192, 'x')); // not a table any more
    }
    const Lauf l = velmoraStarten(d.path(), e.path(), QStringLiteral("ok,ok,ok,ok,ok,ok,ok,ok,ja"));
    const QString alle = l.meldungen.join(QLatin1Char('\n'));
    EXPECT_EQ(l.code, 0) << alle.toStdString();
    EXPECT_EQ(l.meldungen.filter(QStringLiteral("Datei: catstamm")).size(), 1) << alle.toStdString();
    EXPECT_EQ(l.meldungen.filter(QStringLiteral("Datei: farbe")).size(), 1) << alle.toStdString();
    EXPECT_EQ(l.meldungen.filter(QStringLiteral("Datei: zusatz")).size(), 0) << alle.toStdString();
    EXPECT_EQ(l.meldungen.filter(QRegularExpression(QStringLiteral("^fehler;9;"))).size(), 1)
        << alle.toStdString();
}

TEST(Programm, NormalerStartUndBeendenMitJa) {
    test::DataDir d;
    test::TempDir e;
    const Lauf l = velmoraStarten(d.path(), e.path(), QStringLiteral("ja"));
    EXPECT_EQ(l.code, 0);
    ASSERT_FALSE(l.meldungen.isEmpty());
    EXPECT_EQ(l.meldungen.last(), QStringLiteral("warnung;16;Programm beenden!;ja"));
}

TEST(Programm, OhneEinstellungsdateiMeldung25UndEnde) {
    test::DataDir d;
    test::TempDir e;
    const Lauf l = velmoraStarten(d.path(), e.path(), QStringLiteral("ja"), false);
    EXPECT_EQ(l.code, 1);
    ASSERT_EQ(l.meldungen.size(), 1);
    EXPECT_TRUE(l.meldungen[0].startsWith(QStringLiteral("fehler;25;"))) << l.meldungen[0].toStdString();
}

TEST(Programm, ZweiteKopieMeldetBesetztesVerzeichnis) {
    test::DataDir d;
    test::TempDir e;
    // A running copy holds the installation's lock.
    QLockFile sperre(d.file(QStringLiteral("velmora.lck")));
    ASSERT_TRUE(sperre.tryLock(0));
    const Lauf l = velmoraStarten(d.path(), e.path(), QStringLiteral("ja"));
    EXPECT_NE(l.code, 0);
    ASSERT_EQ(l.meldungen.size(), 1);
    EXPECT_EQ(l.meldungen[0], QStringLiteral("fehler;;Verzeichnis ist in Benutzung!;ok"));
}

TEST(Hauptfenster, HilfeFehltMeldung179MitPfad) {
    Rahmen r;
    Aufgenommen a;
    r.haupt->hilfeZeigen(1001);
    ASSERT_EQ(a.meldungen.size(), 1);
    EXPECT_EQ(a.meldungen[0].nummer, 179);
    EXPECT_EQ(a.meldungen[0].art, MeldungsArt::Fehler);
    EXPECT_TRUE(a.meldungen[0].text.endsWith(QStringLiteral("Help/1001.html")));
    EXPECT_TRUE(a.meldungen[0].text.startsWith(language::meldung(179) + QLatin1Char('\r')));
}

TEST(Hauptfenster, ImElternteilModusSindListeUndLetzteKatzenGesperrt) {
    Rahmen r({QStringLiteral("Anton"), QStringLiteral("Bella")},
             QStringLiteral("[Stammdaten]\r\nindex=Nameidx\r\n"));
    r.haupt->SaveLastCats(QStringLiteral("Bella"), 2);
    r.haupt->NeuausStb = true;
    KatzenListe* l = r.haupt->katzenListe();
    const int vorher = l->aktuelleKatze();
    Aufgenommen a;
    int gezeigt = 0;
    r.haupt->katzeZeigen = [&](int n) { gezeigt = n; };
    tasten(l, QStringLiteral("b"));
    r.haupt->letzteKatzeGewaehlt(0);
    EXPECT_EQ(gezeigt, 0);
    EXPECT_EQ(l->aktuelleKatze(), vorher);
    ASSERT_EQ(a.meldungen.size(), 2);
    for (const Meldung& m : a.meldungen)
        EXPECT_EQ(m.text, language::meldung(223) + QLatin1Char(' ') + language::meldung(224));
}

TEST(Hauptfenster, TextverarbeitungStartenOderFehlermeldung) {
    Rahmen r;
    const QString datei = r.einstellungsDir.file(QStringLiteral("gestartet"));
    r.einstellungen.Textverarbeitung = QStringLiteral("sh -c \"touch '%1'\"").arg(datei);
    Aufgenommen a;
    EXPECT_TRUE(r.haupt->textverarbeitungStarten());
    for (int i = 0; i < 100 && !QFile::exists(datei); ++i)
        QThread::msleep(20);
    EXPECT_TRUE(QFile::exists(datei));
    r.einstellungen.Textverarbeitung = QStringLiteral("/gibt/es/nicht");
    EXPECT_FALSE(r.haupt->textverarbeitungStarten());
    ASSERT_EQ(a.meldungen.size(), 1);
    EXPECT_EQ(a.meldungen[0].art, MeldungsArt::Fehler);
    EXPECT_TRUE(a.meldungen[0].text.endsWith(QStringLiteral("/gibt/es/nicht")));
}

TEST(Hauptfenster, UpdateDownloadSchreibtRasseCsvOderMeldetDenFehler) {
    Rahmen r;
    test::TempDir quelle;
    const QString datei = quelle.file(QStringLiteral("csv-rassen-20110503.csv"));
    {
        QFile f(datei);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("RName;RKurzname\r\nMaine Coon;MCO\r\n");
    }
    const QString ziel = QDir(r.daten.path()).filePath(QStringLiteral("rasse.csv"));
    Aufgenommen a;
    qputenv("VELMORA_UPDATE_ADRESSE", QUrl::fromLocalFile(datei).toString().toUtf8());
    EXPECT_TRUE(r.haupt->updateHerunterladen());
    QFile f(ziel);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("Maine Coon;MCO"));
    f.close();
    ASSERT_EQ(a.meldungen.size(), 1);
    EXPECT_EQ(a.meldungen[0].text, QStringLiteral("Update download erfolgreich beendet!"));

    // Nothing there: no connection, and the file from before stays as it was.
    qputenv("VELMORA_UPDATE_ADRESSE",
            QUrl::fromLocalFile(quelle.file(QStringLiteral("fehlt.csv"))).toString().toUtf8());
    EXPECT_FALSE(r.haupt->updateHerunterladen());
    EXPECT_EQ(a.meldungen.last().text, QStringLiteral("Keine Internet-Verbindung vorhanden!"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("Maine Coon"));
    qunsetenv("VELMORA_UPDATE_ADRESSE");
}

TEST(Hauptfenster, SetzenSchaltetSchnellhilfeUndDruckerschrift) {
    struct Fall {
        const char* ini;
        bool tooltips;
        const char* schrift;
        int groesse;
    };
    for (const Fall& f :
         {Fall{"[System]\r\nHilfe=0\r\n[Drucken]\r\nSchriftart=Courier\r\nSchriftgroese=13\r\n", false,
               "Courier", 13},
          Fall{"[System]\r\nHilfe=1\r\n", true, "Arial", 18}}) {
        SCOPED_TRACE(f.ini);
        Rahmen r({}, QString::fromLatin1(f.ini));
        EXPECT_EQ(r.haupt->schnellhilfe(), f.tooltips);
        EXPECT_EQ(r.haupt->druckerSchrift().family(), QLatin1String(f.schrift));
        EXPECT_EQ(r.haupt->druckerSchrift().pointSize(), f.groesse);
        // a hint over a control shows as a tool tip only with the quick help on
        QWidget* ziel = r.haupt->katzenListe();
        ziel->setToolTip(QStringLiteral("Hinweis"));
        QHelpEvent hilfe(QEvent::ToolTip, QPoint(5, 5), ziel->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(ziel, &hilfe);
        EXPECT_EQ(QToolTip::isVisible(), f.tooltips);
        QToolTip::hideText();
    }
}

TEST(Hauptfenster, SetzenMitSprachwechselBlendetNichtAngeboteneBefehleAus) {
    testfensterRegistrieren(QStringLiteral("FormZwingerregister"));
    Rahmen r;
    auto* zwinger = r.haupt->findChild<QAction*>(QStringLiteral("MenuFormZwingerregister"));
    ASSERT_TRUE(zwinger);
    EXPECT_TRUE(zwinger->isVisible());
    r.haupt->setzen(true);
    EXPECT_FALSE(zwinger->isVisible());
    // without the register its commands have no tool buttons
    auto* neu = r.haupt->findChild<QAction*>(QStringLiteral("SpeedButtonNeu"));
    ASSERT_TRUE(neu);
    EXPECT_FALSE(neu->isVisible());
}

TEST(Hauptfenster, GeschlossenesFensterWirdSpaeterOhneAbsturzGeloescht) {
    testfensterRegistrieren(QStringLiteral("FormRassen"));
    Rahmen r;
    ASSERT_NE(r.haupt->FensterZeigen(QStringLiteral("FormRassen")), nullptr);
    QPointer<QWidget> sub = r.haupt->fenster(QStringLiteral("FormRassen"))->parentWidget();
    sub->close();
    // The closed window is deleted by the next event loop (here a modal dialog's, say), while the
    // main window still looks for the commands of its tool buttons.
    QEventLoop schleife;
    QTimer::singleShot(20, &schleife, &QEventLoop::quit);
    schleife.exec();
    EXPECT_TRUE(sub.isNull());
    EXPECT_EQ(r.haupt->fenster(QStringLiteral("FormRassen")), nullptr);
}

// Windows follow the register's cat through the frame's one notice: the list's double click shows the cat
// in the register, which reports it once it shows it; the cat shown on opening is not reported.
TEST(Hauptfenster, DoppelklickMeldetDieKatzeDesRegisters) {
    test::Hauptfenster::Optionen o;
    o.mitRegister = true;
    o.vorher = [](store::Database& db) {
        for (const char* n : {"Anna", "Bella", "Cora"})
            katzeAnlegen(db, QLatin1String(n));
    };
    test::Hauptfenster h(o);
    QList<int> gemeldet;
    QObject::connect(h.haupt.get(), &TRahmen::registerKatzeGewechselt, [&](int n) { gemeldet << n; });
    KatzenListe* liste = h.haupt->katzenListe();
    ASSERT_TRUE(liste->zeigeKatze(2));
    test::doppelklicken(liste->viewport(), liste->visualRect(liste->currentIndex()).center());
    EXPECT_EQ(gemeldet, QList<int>{2});
    EXPECT_EQ(h.haupt->registerKatze(), 2);
    // A recent cat goes the same way.
    h.einstellungen.LastCats[0] = QStringLiteral("Cora {3}");
    h.haupt->letzteKatzeGewaehlt(0);
    EXPECT_EQ(gemeldet, (QList<int>{2, 3}));
}

// ---- the picture of a window

namespace {
struct BildLauf {
    int code = -1;
    QString fehler;
    QStringList meldungen;
};

BildLauf bildStarten(const QString& daten, const QStringList& args, bool protokoll = true) {
    test::TempDir einstellungen, log;
    QFile ini(einstellungen.file(QStringLiteral("Tessaro.ini")));
    if (ini.open(QIODevice::WriteOnly)) ini.close();
    const QString logDatei = log.file(QStringLiteral("meldungen.txt"));
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("VELMORA_MELDUNGEN"));
    if (protokoll) env.insert(QStringLiteral("VELMORA_MELDUNGEN"), logDatei);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VELMORA_BINARY_DIR "/velmora"),
            QStringList{QStringLiteral("--daten"), daten, QStringLiteral("--einstellungen"),
                        einstellungen.path()} +
                args);
    BildLauf l;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return l;
    }
    l.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    l.fehler = QString::fromUtf8(p.readAllStandardError());
    QFile f(logDatei);
    if (f.open(QIODevice::ReadOnly))
        l.meldungen = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return l;
}
} // namespace

TEST(Programm, BildEinesFenstersUndUnbekannterName) {
    test::DataDir d;
    {
        store::Database db(d.path());
        for (const char* n : {"Anton", "Bella"})
            katzeAnlegen(db, QLatin1String(n));
    }
    test::TempDir aus;
    const struct {
        QStringList args;
    } faelle[] = {{{"--bild", "FormStammbaum", "", "--katze", "2"}},
                  {{"--bild", "FormCatStamm", "", "--seite", "1", "--sprache", "englisch"}},
                  {{"--bild", "FormRassen", ""}}};
    int i = 0;
    for (auto f : faelle) {
        const QString datei = aus.file(QStringLiteral("%1.png").arg(i++));
        f.args[2] = datei;
        const BildLauf l = bildStarten(d.path(), f.args, i != 3);
        EXPECT_EQ(l.code, 0) << f.args.join(' ').toStdString() << l.fehler.toStdString();
        const QImage bild(datei);
        EXPECT_EQ(bild.size(), QSize(1280, 860)) << datei.toStdString();
        // No exit question, no box on the screen: at most logged start-up messages.
        for (const QString& m : l.meldungen)
            EXPECT_FALSE(m.contains(QStringLiteral(";16;"))) << m.toStdString();
    }
    const BildLauf l =
        bildStarten(d.path(), {"--bild", "FormGibtEsNicht", aus.file(QStringLiteral("x.png"))});
    EXPECT_EQ(l.code, 2);
    for (const char* n : {"FormCatStamm", "FormStammbaum", "FormRassen"})
        EXPECT_TRUE(l.fehler.contains(QLatin1String(n))) << l.fehler.toStdString();
    EXPECT_FALSE(QFileInfo::exists(aus.file(QStringLiteral("x.png"))));
}
