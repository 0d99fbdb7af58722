#pragma once
// What a child window needs from the frame that holds it: the database, the settings, the error dialog,
// the shared data module, the window registry with its check, the cat list, the recent cats and the
// notice that the register shows another cat. Windows depend on this, never on the main window class;
// the frame stays the only place that builds the menus.

#include "settings/systeminfo.h"
#include "store/database.h"

#include <QMainWindow>
#include <QString>
#include <functional>
#include <vector>

class QMenu;

namespace velmora::store::ui {
class TDBError;
}
namespace velmora::common {
class TDatenGlobal;
}

namespace velmora {

class TKindFenster;
class TRahmen;

// The frame's cat list as the windows use it.
class Katzenauswahl {
public:
    virtual ~Katzenauswahl() = default;
    virtual bool offen() const = 0;
    // Moves the list to the cat; false when it is not in the list.
    virtual bool zeigeKatze(int nummer) = 0;
    virtual int aktuelleKatze() const = 0; // 0 without one
    virtual void neuLaden() = 0;
};

// A window kind: the frame shows its menu entry once a factory for its name exists.
struct Fensterart {
    QString name;  // registry name, e.g. "FormRassen"
    QString menue; // object name of the menu it belongs in, e.g. "MenueStammdaten"; empty: no menu
                   // entry, other windows open it (a reduced form of a window)
    int tag = 0;   // caption number of the menu entry
    QString text;  // German text used when the tables lack the caption
    std::function<TKindFenster*(TRahmen&)> erzeugen;
    // The window reads what the register shows: the register's pending record, titles and page rows
    // are stored before it opens, and it does not open while the register keeps a refused entry.
    bool registerZuerstSpeichern = false;
    // Refused (messages 223 and 224) while a missing parent is entered from the pedigree page.
    bool imNeuaufnahmeGesperrt = false;
};
void fensterartRegistrieren(Fensterart art);
const std::vector<Fensterart>& fensterarten();

class TRahmen : public QMainWindow {
    Q_OBJECT
public:
    using QMainWindow::QMainWindow;

    // State the windows share with the frame.
    bool ProgrammEnde = false;
    bool InzuchtBerechne = false;
    int tmpTiervorNeuaufnahme = 0;
    bool NeuausStb = false; // new-parent-from-pedigree mode (mirrors the shared data module)
    // Hand-over from the register's "Adressen" buttons to the address book, taken when the book becomes
    // active: the address to show, 0 or less to start a new one.
    bool StatusAdressen = false;
    int StatusAdressenNummer = 0;

    virtual store::Database& db() = 0;
    virtual settings::tsysteminfo& einstellungen() = 0;
    virtual common::TDatenGlobal* datenGlobal() const = 0;
    virtual store::ui::TDBError* fehlerDialog() const = 0; // the run's; null without one (tests)
    virtual Katzenauswahl* katzenListe() = 0;
    virtual QMenu* menue(const QString& objektName) const = 0;

    // 0 when no exclusive window blocks, else the blocking window's code (message shown unless asked
    // "ohneMeldung").
    virtual int CheckFormOpen(const QString& argument) = 0;
    // Opens the window through the check, or brings it forward when open; nullptr when refused.
    virtual TKindFenster* FensterZeigen(const QString& name) = 0;
    virtual TKindFenster* fenster(const QString& name) const = 0;
    virtual void fensterGeschlossen(const QString& name) = 0;
    // The commands refused while the new-cat-from-pedigree mode is on show 223 and 224.
    virtual bool gesperrt() = 0;
    virtual void hilfeZeigen(int thema) = 0;
    virtual void SaveLastCats(const QString& name, int nummer) = 0;
    // A deleted cat leaves the recent cats.
    virtual void letzteKatzeEntfernen(int nummer) = 0;
    virtual void katzenAnzahlAnzeigen() = 0;
    // "Übereinander": unless an exclusive window is open, the register in front, the child windows
    // cascaded and, with the setting Fenstergroesse, fitted.
    virtual void fensterAnordnen() = 0;
    virtual int TableTopKatzeLaden(int nummer) = 0;
    // The settings changed in the options window: applied to the frame, its list and every open window
    // (with the language when it changed), then the windows fitted as the settings ask.
    virtual void einstellungenAnwenden(bool spracheGeaendert) = 0;
    // The user's own address changed: the frame's title names the user.
    virtual void eigeneDatenGeaendert() {}

    // Set by the register: shows the cat there (the list's double click, a recent cat).
    std::function<void(int nummer)> katzeZeigen;
    // Set by the register: stores its pending record, titles and page rows; false when the user kept
    // an entry that could not be stored.
    std::function<bool()> registerSpeichern;

    // The register reports the cat it shows through a user action; the windows that follow the
    // register's cat connect to registerKatzeGewechselt.
    void registerKatzeGezeigt(int nummer) {
        m_registerKatze = nummer;
        emit registerKatzeGewechselt(nummer);
    }
    int registerKatze() const { return m_registerKatze; } // 0 before the register showed one

signals:
    void registerKatzeGewechselt(int nummer);
    // A top cat or a marker colour changed: lists and fields that colour cats repaint.
    void markierungenGeaendert();

private:
    int m_registerKatze = 0;
};

} // namespace velmora
