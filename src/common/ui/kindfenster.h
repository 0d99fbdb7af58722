#pragma once
// Base of every child window of the main window: it is registered under its window name while open,
// translated by its tag when created and when the language changes, opens its tables when it opens
// and closes them (posting pending edits) when it closes. Windows that follow the register's cat connect
// to the frame's registerKatzeGewechselt.

#include <QPointer>
#include <QWidget>
#include <memory>

namespace velmora::store::ui {
class TDBError;
}

namespace velmora {

class TRahmen;

class TKindFenster : public QWidget {
    Q_OBJECT
public:
    // fensterName: the registry name ("FormRassen"); also the object name, so the language tables
    // find the window under it.
    TKindFenster(TRahmen& hauptfenster, const QString& fensterName, int tag, QWidget* parent = nullptr);
    ~TKindFenster() override;

    const QString& fensterName() const { return m_name; }
    TRahmen& hauptfenster() const { return m_haupt; }

    // Opens the window's tables; false when the window cannot work (it is then not shown).
    virtual bool oeffnen() { return true; }
    // Posts pending edits and closes the tables. Called once, when the window closes.
    virtual void schliessen() {}
    // Re-applies translated captions that are computed rather than set by tag.
    virtual void uebersetzt() {}
    // The settings were applied to the main window (its setzen); windows that follow them (the
    // register's cat order and page) take them over.
    virtual void einstellungenAngewendet() {}

    // Where the window reports database failures: the dialog set here, else the run's, else one of its
    // own (windows made without a running program, as in tests).
    void setFehlerDialog(store::ui::TDBError* dialog) { m_fehlerDialog = dialog; }
    store::ui::TDBError& fehlerDialog();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    TRahmen& m_haupt;
    QString m_name;
    bool m_geschlossen = false;
    bool m_abgemeldet = false; // out of the registry
    store::ui::TDBError* m_fehlerDialog = nullptr;
    QPointer<store::ui::TDBError> m_eigenerDialog; // a child widget: the window owns it
};

} // namespace velmora
