#include "app/ui/start.h"

#include "app/erststart.h"
#include "app/ui/erststartdialog.h"
#include "app/ui/fensterarten.h"
#include "app/ui/katzenliste.h"
#include "app/ui/tatze.h"
#include "app/ui/tvelmora.h"
#include "common/datenglobal.h"
#include "common/meldungsdienst.h"
#include "common/ui/kindfenster.h"
#include "common/ui/meldungsbox.h"
#include "language/qtuebersetzung.h"
#include "language/sprache.h"
#include "settings/einstellungsort.h"
#include "settings/systeminfo.h"
#include "store/anlegen.h"
#include "store/sicherung.h"
#include "store/sperre.h"
#include "store/startup.h"
#include "store/ui/dberror.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <optional>

namespace velmora::app {

Startargumente argumenteLesen(const QStringList& argumente, const QString& programmVerzeichnis) {
    Startargumente a;
    QStringList rest = argumente;
    a.einstellungen = settings::einstellungsVerzeichnisAus(rest);
    const int i = rest.indexOf(QStringLiteral("--daten"));
    if (i >= 0 && i + 1 < rest.size()) {
        a.daten = rest.at(i + 1);
        rest.remove(i, 2);
    }
    if (a.daten.isEmpty()) {
        // A program run from its build folder (or unpacked with Daten/ beside it) keeps its data there;
        // an installed one keeps the user's data where the first start put them.
        const QString daneben = QDir(programmVerzeichnis).filePath(QStringLiteral("Daten"));
        if (!QFileInfo(daneben).isDir()) a.installiert = store::installierterOrdner(programmVerzeichnis);
        if (a.installiert.isEmpty()) {
            a.daten = daneben;
        } else {
            a.daten = gemerktesDatenverzeichnis(a.einstellungen);
            if (a.daten.isEmpty()) a.daten = vorgabeDatenverzeichnis();
        }
    }
    a.dateneingabe = rest.contains(QStringLiteral("Dateneingabe"));
    const int b = rest.indexOf(QStringLiteral("--bild"));
    if (b >= 0) {
        a.bildFehler = b + 2 >= rest.size();
        a.bildFenster = rest.value(b + 1);
        a.bildDatei = rest.value(b + 2);
        auto wert = [&rest](const char* option) {
            const int j = rest.indexOf(QLatin1String(option));
            return j >= 0 ? std::optional<QString>(rest.value(j + 1)) : std::nullopt;
        };
        bool ok = true;
        if (const auto k = wert("--katze")) {
            a.bildKatze = k->toInt(&ok);
            a.bildFehler |= !ok || a.bildKatze <= 0;
        }
        if (const auto k = wert("--seite")) {
            a.bildSeite = k->toInt(&ok);
            a.bildFehler |= !ok || a.bildSeite < 0;
        }
        if (const auto sp = wert("--sprache")) {
            const QStringList sprachen{QStringLiteral("deutsch"), QStringLiteral("englisch"),
                                       QStringLiteral("hollaendisch")};
            a.bildSprache = static_cast<int>(sprachen.indexOf(*sp));
            a.bildFehler |= a.bildSprache < 0;
        }
    }
    return a;
}

namespace {

// The splash window with its progress bar.
class Intro : public QWidget {
public:
    Intro() : QWidget(nullptr, Qt::SplashScreen) {
        setWindowTitle(QStringLiteral("Velmora Intro"));
        auto* l = new QVBoxLayout(this);
        auto* bild = new QLabel(this);
        bild->setPixmap(tatze(64));
        bild->setAlignment(Qt::AlignCenter);
        l->addWidget(bild);
        auto* name = new QLabel(QStringLiteral("Velmora"), this);
        QFont f = name->font();
        f.setPointSize(f.pointSize() * 3);
        f.setBold(true);
        name->setFont(f);
        name->setAlignment(Qt::AlignCenter);
        l->addWidget(name);
        m_balken = new QProgressBar(this);
        m_balken->setRange(0, 100);
        l->addWidget(m_balken);
        resize(360, 220);
    }
    void fortschritt(int wert) {
        m_balken->setValue(wert);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

private:
    QProgressBar* m_balken;
};

// The picture mode: cat N in the register, the window open on its page, the main window as PNG.
int bildSchreiben(TVelmora& haupt, const Startargumente& args) {
    haupt.resize(1280, 860);
    int katze = args.bildKatze;
    if (!katze && haupt.katzenListe()) katze = haupt.katzenListe()->aktuelleKatze();
    if (katze) {
        if (haupt.katzeZeigen) haupt.katzeZeigen(katze);
        if (haupt.katzenListe()) haupt.katzenListe()->zeigeKatze(katze);
    }
    TKindFenster* f = haupt.FensterZeigen(args.bildFenster);
    if (!f) {
        QTextStream(stderr) << "velmora: " << args.bildFenster << " did not open\n";
        return 1;
    }
    if (auto* seiten = f->findChild<QTabWidget*>(); seiten && args.bildSeite < seiten->count())
        seiten->setCurrentIndex(args.bildSeite);
    // Layouts and deferred work settle before the picture is taken.
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    const QImage bild = haupt.grab().toImage();
    if (bild.isNull() || !bild.save(args.bildDatei, "PNG")) {
        QTextStream(stderr) << "velmora: cannot write " << args.bildDatei << "\n";
        return 1;
    }
    return 0;
}

} // namespace

namespace {

// First start of an installed program without a data directory: ask where it goes (in automation mode
// the default), write it from the installed data and remember it. Returns the folder, empty to end.
QString erstenStartEinrichten(const Startargumente& args) {
    const QString ini = settings::einstellungsPfad(args.einstellungen);
    int sprache = 0;
    if (QFileInfo::exists(ini)) {
        settings::tsysteminfo t;
        t.load(ini, {});
        sprache = t.spracheNummer();
    }
    language::qtUebersetzungLaden(sprache);
    QString daten = args.daten;
    if (!Meldungsdienst::automatik()) {
        daten =
            datenverzeichnisFragen(QDir(args.installiert).filePath(QStringLiteral("data")), daten, sprache);
        if (daten.isEmpty()) return {};
    }
    try {
        benutzerDatenAnlegen(daten, args.installiert, args.einstellungen);
    } catch (const std::exception& e) {
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 0, QString::fromUtf8(e.what()));
        return {};
    }
    datenverzeichnisMerken(args.einstellungen, daten);
    return daten;
}

} // namespace

namespace {

// Undoes a restore that was cut off; false (after telling the user) when the safety copy could not be
// put back, and nothing may open. Runs before the tables (and with them the language tables) open, so
// its texts are fixed.
bool unterbrocheneRuecksicherung(const QString& daten, int sprache) {
    const store::Wiederherstellung w = store::unterbrocheneRuecksicherungBeheben(daten);
    if (w.art == store::Wiederherstellung::Art::Keine) return true;
    const bool ok = w.art == store::Wiederherstellung::Art::Zurueckgeholt;
    QString text;
    if (sprache == 1)
        text = ok ? QStringLiteral("A restore was interrupted. The previous files have been put back from %1.")
                  : QStringLiteral("A restore was interrupted and the previous files could not be put back. "
                                   "They are kept in %1. The program ends.");
    else if (sprache == 2)
        text = ok ? QStringLiteral("Een terugzetting is onderbroken. De vorige bestanden zijn teruggezet uit %1.")
                  : QStringLiteral("Een terugzetting is onderbroken en de vorige bestanden konden niet worden "
                                   "teruggezet. Ze staan in %1. Het programma wordt beëindigd.");
    else
        text = ok ? QStringLiteral("Eine Rücksicherung wurde unterbrochen. Die bisherigen Dateien sind aus %1 "
                                   "zurückgeholt.")
                  : QStringLiteral("Eine Rücksicherung wurde unterbrochen, und die bisherigen Dateien konnten "
                                   "nicht zurückgeholt werden. Sie liegen in %1. Das Programm wird beendet.");
    Meldungsdienst::zeigen(ok ? MeldungsArt::Information : MeldungsArt::Fehler, 0,
                           text.arg(QDir::toNativeSeparators(w.sicherheit)));
    return ok;
}

} // namespace

int velmoraAusfuehren(const Startargumente& args) {
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QApplication::setWindowIcon(QIcon(tatze(64)));
    fensterartenRegistrieren();
    const bool bildModus = !args.bildFenster.isEmpty() || args.bildFehler;
    if (bildModus) {
        QTextStream fehler(stderr);
        bool bekannt = false;
        for (const Fensterart& art : fensterarten())
            bekannt |= art.name == args.bildFenster;
        if (args.bildFehler) {
            fehler << "usage: velmora [--daten DIR] [--einstellungen DIR] --bild FENSTER DATEI [--katze N] "
                      "[--sprache deutsch|englisch|hollaendisch] [--seite K]\n";
            return 2;
        }
        if (!bekannt) {
            fehler << "velmora: unknown window " << args.bildFenster << "; known windows:\n";
            QStringList namen;
            for (const Fensterart& art : fensterarten())
                namen << art.name;
            namen.sort();
            for (const QString& n : namen)
                fehler << "  " << n << "\n";
            return 2;
        }
    }
    // A picture run shows no box: they are logged in the automation mode and dropped otherwise.
    if (!Meldungsdienst::automatik() && !bildModus) meldungsboxInstallieren();

    QString daten = QDir(args.daten).absolutePath();
    if (!args.installiert.isEmpty() &&
        !QFileInfo::exists(QDir(daten).filePath(QStringLiteral("catstamm.db")))) {
        daten = erstenStartEinrichten(args);
        if (daten.isEmpty()) return 1;
        daten = QDir(daten).absolutePath();
    }
    const QString installation = QDir(daten).absoluteFilePath(QStringLiteral(".."));

    Intro intro;
    intro.show();
    intro.fortschritt(5);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto ende = [&](int code) {
        QApplication::restoreOverrideCursor();
        intro.close();
        return code;
    };
    auto keineTierdatenbank = [&] {
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 0,
                               store::praesenzMeldung(QCoreApplication::applicationFilePath()));
        return ende(1);
    };

    // No cat table: the fixed text, then the end; unless a restore cut off left it so, which is undone
    // first (below, under the lock).
    const bool unterbrochen = QFileInfo::exists(store::ruecksicherungsMarke(daten));
    if (!unterbrochen && !store::praesenzPruefen(daten)) return keineTierdatenbank();
    if (!unterbrochen) intro.fortschritt(10);

    settings::tsysteminfo einstellungen;
    const QString einstellungsDatei = settings::einstellungsPfad(args.einstellungen);
    QRect bereich;
    if (QScreen* s = QGuiApplication::primaryScreen()) bereich = s->availableGeometry();
    einstellungen.load(einstellungsDatei, bereich);
    einstellungen.loadUpdate();
    if (args.bildSprache >= 0) einstellungen.Sprache = static_cast<settings::Sprache>(args.bildSprache);
    language::qtUebersetzungLaden(einstellungen.spracheNummer());

    // One running copy per installation.
    store::Installationssperre sperre(daten);
    if (!sperre.sperren()) {
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 0,
                               einstellungen.spracheNummer() == 1
                                   ? QStringLiteral("Directory is busy!")
                                   : QStringLiteral("Verzeichnis ist in Benutzung!"));
        return ende(1);
    }
    // A restore cut off (the program killed half-way) is undone before any table opens; the program
    // never runs on a half-restored directory.
    if (unterbrochen) {
        if (!unterbrocheneRuecksicherung(daten, einstellungen.spracheNummer())) return ende(1);
        if (!store::praesenzPruefen(daten)) return keineTierdatenbank();
        intro.fortschritt(10);
    }

    store::Database db(daten);
    store::ui::TDBError fehlerDialog(&db);
    // Several modules open the same tables: each damaged table is reported once during the start.
    fehlerDialog.einmalJeTabelle(true);
    store::StartBericht bericht;
    bericht.fehler = [&](const store::DatabaseError& e, const QString& datei) {
        fehlerDialog.HandleException(e, datei);
    };
    bericht.meldung = [](int nummer) { Meldungsdienst::nachricht(nummer, MeldungsArt::Fehler); };
    language::TSprache sprache(db, einstellungen.spracheNummer());
    sprache.oeffnen();
    language::setAktuelleSprache(&sprache);
    // The main window's tables; the shared data module and the register prepare their own.
    store::schritteAusfuehren(db, store::hauptfensterSchritte(), bericht);
    intro.fortschritt(15);

    Kontext k;
    k.datenVerzeichnis = daten;
    k.installationsVerzeichnis = QDir(installation).absolutePath();
    k.einstellungsVerzeichnis = args.einstellungen;
    k.db = &db;
    k.einstellungen = &einstellungen;
    k.sprache = &sprache;
    k.fehlerDialog = &fehlerDialog;
    TVelmora haupt(k);
    common::TDatenGlobal datenGlobal(db, einstellungen, bericht.fehler);
    haupt.setDatenGlobal(&datenGlobal);
    fehlerDialog.beendenVerlangt = [&haupt] {
        haupt.indexrekonstruktion = true;
        haupt.close();
    };
    for (int p : {20, 35, 55, 70, 90, 100})
        intro.fortschritt(p);
    // The register lives for the whole run; the other windows open on demand.
    store::schritteAusfuehren(db, store::registerSchritte(), bericht);
    haupt.FensterZeigen(QStringLiteral("FormCatStamm"));
    fehlerDialog.einmalJeTabelle(false);
    if (haupt.ProgrammEnde) {
        // The register refused to work (no settings file): the run ends before any work is done.
        language::setAktuelleSprache(nullptr);
        return ende(1);
    }
    if (haupt.erinnerungenZeigen) haupt.erinnerungenZeigen();
    haupt.setzen(true);
    haupt.show();
    // "Dateneingabe": the public kennel register opens for its upkeep (its menu entry is not offered).
    if (args.dateneingabe && !bildModus) haupt.FensterZeigen(QStringLiteral("FormZwingerregister"));
    QApplication::restoreOverrideCursor();
    intro.close();

    if (bildModus) {
        const int code = bildSchreiben(haupt, args);
        language::setAktuelleSprache(nullptr);
        return code;
    }

    // Without a person at the screen the run ends through the exit question, answered from the list.
    if (Meldungsdienst::automatik()) QTimer::singleShot(0, &haupt, [&haupt] { haupt.close(); });
    const int code = QApplication::exec();
    language::setAktuelleSprache(nullptr);
    return code;
}

} // namespace velmora::app
