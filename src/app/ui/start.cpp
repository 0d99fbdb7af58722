#include "app/ui/start.h"

#include "app/ui/tvelmora.h"
#include "common/meldungsdienst.h"
#include "common/ui/meldungsbox.h"
#include "language/sprache.h"
#include "settings/einstellungsort.h"
#include "settings/systeminfo.h"
#include "store/startup.h"
#include "store/ui/dberror.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLockFile>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

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
    if (a.daten.isEmpty()) a.daten = QDir(programmVerzeichnis).filePath(QStringLiteral("Daten"));
    a.dateneingabe = rest.contains(QStringLiteral("Dateneingabe"));
    return a;
}

namespace {

// The splash window with its progress bar.
class Intro : public QWidget {
public:
    Intro() : QWidget(nullptr, Qt::SplashScreen) {
        setWindowTitle(QStringLiteral("Velmora Intro"));
        auto* l = new QVBoxLayout(this);
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
        resize(360, 160);
    }
    void fortschritt(int wert) {
        m_balken->setValue(wert);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

private:
    QProgressBar* m_balken;
};

} // namespace

int velmoraAusfuehren(const Startargumente& args) {
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    if (!Meldungsdienst::automatik()) meldungsboxInstallieren();

    const QString daten = QDir(args.daten).absolutePath();
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

    // No cat table: the fixed text, then the end.
    if (!store::praesenzPruefen(daten)) {
        Meldungsdienst::zeigen(MeldungsArt::Information, 0, store::praesenzMeldung(QDir(installation).absolutePath()));
        return ende(1);
    }
    intro.fortschritt(10);

    settings::tsysteminfo einstellungen;
    const QString einstellungsDatei = settings::einstellungsPfad(args.einstellungen);
    QRect bereich;
    if (QScreen* s = QGuiApplication::primaryScreen()) bereich = s->availableGeometry();
    einstellungen.load(einstellungsDatei, bereich);

    // One running copy per installation: the lock lives in the data directory and is released by the
    // system when a crashed copy's process is gone.
    QLockFile sperre(QDir(daten).filePath(QStringLiteral("velmora.lck")));
    sperre.setStaleLockTime(0);
    if (!sperre.tryLock(0)) {
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 0,
                               einstellungen.spracheNummer() == 1 ? QStringLiteral("Directory is busy!")
                                                                  : QStringLiteral("Verzeichnis ist in Benutzung!"));
        return ende(1);
    }

    store::Database db(daten);
    store::ui::TDBError fehlerDialog(&db);
    store::StartBericht bericht;
    bericht.fehler = [&](const store::DatabaseError& e, const QString& datei) {
        fehlerDialog.HandleException(e, datei);
    };
    language::TSprache sprache(db, einstellungen.spracheNummer());
    sprache.oeffnen();
    language::setAktuelleSprache(&sprache);
    store::startSequenz(db, bericht);
    intro.fortschritt(15);

    Kontext k;
    k.datenVerzeichnis = daten;
    k.installationsVerzeichnis = QDir(installation).absolutePath();
    k.einstellungsVerzeichnis = args.einstellungen;
    k.db = &db;
    k.einstellungen = &einstellungen;
    k.sprache = &sprache;
    TVelmora haupt(k);
    fehlerDialog.beendenVerlangt = [&haupt] {
        haupt.indexrekonstruktion = true;
        haupt.close();
    };
    for (int p : {20, 35, 55, 70, 90, 100})
        intro.fortschritt(p);
    haupt.setzen(true);
    haupt.show();
    QApplication::restoreOverrideCursor();
    intro.close();

    // Without a person at the screen the run ends through the exit question, answered from the list.
    if (Meldungsdienst::automatik()) QTimer::singleShot(0, &haupt, [&haupt] { haupt.close(); });
    const int code = QApplication::exec();
    language::setAktuelleSprache(nullptr);
    return code;
}

} // namespace velmora::app
