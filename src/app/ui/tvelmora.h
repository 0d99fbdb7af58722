#pragma once
// The main window: a frame whose central area holds every other window as a child window, with the
// cat list at the left, the tool bar, the status bar with the cat count, the menus and the registry
// of open windows.

#include "app/fensterregister.h"
#include "app/ui/katzenliste.h"
#include "common/ui/rahmen.h"
#include "settings/systeminfo.h"
#include "store/database.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QFont>
#include <QMainWindow>
#include <QPointer>
#include <QUrl>
#include <functional>
#include <map>
#include <memory>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QSplitter;

namespace velmora::language {
class TSprache;
}
namespace velmora::common {
class TDatenGlobal;
}
namespace velmora::store::ui {
class TDBError;
}

namespace velmora::app {

class Druckbefehle;

// Everything the frame needs from the start-up: the data directory, the settings, the language tables.
struct Kontext {
    QString datenVerzeichnis;
    QString installationsVerzeichnis; // the folder holding Daten/ and Help/
    QString einstellungsVerzeichnis;
    store::Database* db = nullptr;
    settings::tsysteminfo* einstellungen = nullptr;
    language::TSprache* sprache = nullptr;
    store::ui::TDBError* fehlerDialog = nullptr; // the run's error dialog (may be null in tests)
};

class TVelmora : public TRahmen {
    Q_OBJECT
public:
    explicit TVelmora(const Kontext& kontext, QWidget* parent = nullptr);
    ~TVelmora() override;

    // state (the part the windows share is the frame's)
    bool indexrekonstruktion = false;
    int hoeheBalken = 0;
    int Druckentag = 0;

    const Kontext& kontext() const { return m_kontext; }
    // The shared data module, created right after the main window.
    common::TDatenGlobal* datenGlobal() const override { return m_datenGlobal; }
    void setDatenGlobal(common::TDatenGlobal* d) { m_datenGlobal = d; }
    store::ui::TDBError* fehlerDialog() const override { return m_kontext.fehlerDialog; }
    settings::tsysteminfo& einstellungen() override { return *m_kontext.einstellungen; }
    store::Database& db() override { return *m_kontext.db; }
    KatzenListe* katzenListe() override { return m_liste; }
    QMdiArea* mdi() { return m_mdi; }
    QMenu* menue(const QString& objektName) const override;
    Fensterregister& register_() { return m_register; }

    // 0 when no exclusive window blocks, else the blocking window's code (its message shown unless
    // asked "ohneMeldung").
    int CheckFormOpen(const QString& argument) override;
    // Opens the window through the check: brings it to the front when open, else creates, registers,
    // translates and fits it. Returns the window or nullptr when refused or not available.
    TKindFenster* FensterZeigen(const QString& name) override;
    void FensterAnpassen(const QString& name);
    TKindFenster* fenster(const QString& name) const override;
    void fensterGeschlossen(const QString& name) override;

    // The settings applied to the windows (list, index, filter, tool tips, printer font, size, language,
    // the register's cat order and page).
    void setzen(bool spracheAnwenden);
    void einstellungenAnwenden(bool spracheGeaendert) override;
    void eigeneDatenGeaendert() override { titelSetzen(); }
    // Tool tips are shown (the setting hilfe); without them hints go to the status bar only.
    bool schnellhilfe() const { return m_schnellhilfe; }
    // The font print layouts use (the settings Schriftart and Schriftgroesse).
    const QFont& druckerSchrift() const { return m_druckerSchrift; }
    // The print commands of the Drucken menu.
    Druckbefehle* druckbefehle() const { return m_druckbefehle; }
    void spracheWechseln(int sprache);

    // Recent cats.
    void SaveLastCats(const QString& name, int nummer) override;
    void AktualisiereLastCatsMenues();
    // Shows the entry's cat; an entry whose cat no longer exists says so (message 253) and goes.
    void letzteKatzeGewaehlt(int index);
    // A deleted cat leaves the recent cats.
    void letzteKatzeEntfernen(int nummer) override;

    void katzenAnzahlAnzeigen() override;
    void fensterAnordnen() override;
    int TableTopKatzeLaden(int nummer) override;
    bool gesperrt() override;
    // Commands refused by name while the new-cat-from-pedigree mode is on.
    bool gesperrtFuer(const QString& fensterName);

    // Opens a help page in the browser; when no browser opens, message 251 says where the page is.
    void hilfeZeigen(int thema) override;
    // Opens an address or file with the desktop's program for it; false when none starts.
    std::function<bool(const QUrl&)> oeffnenMitDesktop = [](const QUrl& u) {
        return QDesktopServices::openUrl(u);
    };
    // Starts the word processor the settings name, without one the desktop's documents folder; false
    // (with a message) when nothing starts.
    bool textverarbeitungStarten();
    // Fetches the breed list file into the installation ("rasse.csv"); the address can be set with
    // VELMORA_UPDATE_ADRESSE (for a mirror or a test). Returns true on success.
    bool updateHerunterladen();
    // Shows the due reminders after start-up; the reminders window fills it in.
    std::function<void()> erinnerungenZeigen;
    // "Daten übernehmen…": the import dialog; on the user's wish the program ends and starts again on
    // the new directory, which is remembered for an installed program.
    void datenUebernehmen();
    // Starts the program with these arguments once this run has ended; false when it cannot.
    std::function<bool(const QStringList& argumente)> neuStarter = [](const QStringList& argumente) {
        return QProcess::startDetached(QCoreApplication::applicationFilePath(), argumente);
    };

protected:
    bool eventFilter(QObject* ziel, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void menuesAnlegen();
    void fensterMenueEintraege();
    void titelSetzen();
    void fensterEinpassen();
    int titelBreite(QMdiSubWindow* sub) const;
    void ueberZeigen();
    void knopfBilderLaden();
    void werkzeugKnoepfeAbgleichen();
    QAction* aktion(QMenu* menue, int tag, const QString& text, const char* objektName);

    Kontext m_kontext;
    QStringList m_neustart; // arguments of the run that follows this one; empty: none
    common::TDatenGlobal* m_datenGlobal = nullptr;
    Fensterregister m_register;
    std::map<QString, QPointer<QMdiSubWindow>> m_offen;
    QSplitter* m_splitter = nullptr;
    QMdiArea* m_mdi = nullptr;
    KatzenListe* m_liste = nullptr;
    QLabel* m_anzahlText = nullptr;
    QLabel* m_anzahl = nullptr;
    QMenu* m_katzeMenue = nullptr;
    QAction* m_letzteTrenner = nullptr;
    QList<QAction*> m_letzte;
    std::map<QString, QMenu*> m_menues;
    bool m_listeAn = true;
    bool m_schnellhilfe = true;
    QFont m_druckerSchrift;
    Druckbefehle* m_druckbefehle = nullptr;
    // The tool buttons that run a command of the register: button, the menu command it runs.
    QList<QPair<QAction*, QString>> m_werkzeugKnoepfe;
};

} // namespace velmora::app
