#pragma once
// Helpers for window tests: the main window with the register on a fresh data directory and scripted
// answers to the message boxes. Input as the user gives it comes from support/ui/eingabe.h.

#include "app/ui/tvelmora.h"
#include "common/datenglobal.h"
#include "common/meldungsdienst.h"
#include "language/sprache.h"
#include "store/database.h"
#include "store/ui/dberror.h"
#include "support/testsupport.h"
#include "support/ui/eingabe.h"

#include <QList>
#include <QPoint>
#include <QSize>
#include <functional>
#include <memory>

class QWidget;

namespace velmora::reg {
class TCatStamm;
}

namespace velmora::test {

// Records every message shown and answers the Yes/No questions from the list (No when it runs out).
class Antworten {
public:
    Antworten();
    ~Antworten();
    QList<int> nummern() const;
    QList<Meldung> meldungen;
    QList<Antwort> antworten;

private:
    Meldungsdienst::Anzeige m_alt;
};

// A cat stored directly in the table; returns its number.
int katzeAnlegen(store::Database& db, const QString& name, const QString& geschlecht = QStringLiteral("2"),
                 const QString& status = QStringLiteral("1"));

// The main window as the program builds it: settings file, language, shared data module, the register
// and reference list windows registered, the register opened (unless mitRegister is off), shown.
struct Hauptfenster {
    struct Optionen {
        QString ini = QStringLiteral("[System]\r\nSpeichern=1\r\n");
        int sprache = 0;
        bool mitRegister = true;
        QSize groesse{1280, 960};
        std::function<void(store::Database&)> vorher; // runs on the data before the window opens it
    };
    explicit Hauptfenster(const Optionen& optionen);
    Hauptfenster() : Hauptfenster(Optionen{}) {}
    ~Hauptfenster();

    reg::TCatStamm* katzenregister() const;
    // The open child window of that name, through the menu entry the user chooses.
    TKindFenster* ueberMenue(const QString& fensterName);
    // Triggers the entry with that object name anywhere in the menus; false when it is missing,
    // hidden or disabled.
    bool menue(const QString& objektName);

    DataDir daten;
    TempDir einstellungsDir;
    std::unique_ptr<store::Database> db;
    settings::tsysteminfo einstellungen;
    std::unique_ptr<language::TSprache> sprache;
    std::unique_ptr<common::TDatenGlobal> dg;
    // The run's table error dialog; it records the error numbers it was shown with.
    std::unique_ptr<store::ui::TDBError> fehler;
    QList<int> fehlerNummern;
    std::unique_ptr<app::TVelmora> haupt;
};

} // namespace velmora::test
