#pragma once
// The editing pattern every list window shares: one table cursor on one index, a grid over it, line
// edits bound to fields of the current record, and the buttons "H&inzufügen", "R&ückgängig",
// "L&öschen", "&Hilfe" and "&Zurück".
//
//   - "R&ückgängig" is enabled exactly while an unstored change exists;
//   - before a change is stored, message 29 is asked unless the setting `Speichern` is on; No discards;
//   - "L&öschen" asks message 28 (warning, Yes/No);
//   - after a store the table is flushed; a failing store is cancelled and reported through the
//     database error dialog; pending changes are stored when the window closes.
//
// The members differ in a few hooks (protected virtuals below); they build their own form and pages in
// aufbauen() and place gitter() where they want it. Their form binds line edits with feldBinden, or
// any bound editor (dates, memos, the record navigator) through bindung(); both follow the same rules.

#include "common/ui/kindfenster.h"
#include "common/ui/tabellenmodell.h"
#include "store/table.h"

#include <QList>
#include <QSet>
#include <QString>
#include <memory>
#include <utility>

class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QTableView;
class QVBoxLayout;

namespace velmora::store::ui {
class TDBError;
}

namespace velmora {

class FeldBindung;

class TListenFenster : public TKindFenster {
    Q_OBJECT
public:
    TListenFenster(TRahmen& hauptfenster, const QString& fensterName, int tag, QString tabellenName,
                   QString indexName);
    ~TListenFenster() override;

    // Opens the table on its index and builds the window; false (after reporting) when the table
    // cannot be opened.
    bool oeffnen() override;
    // Stores a pending change (through the same questions), flushes and closes the table.
    void schliessen() override;

    store::Table& tabelle() { return *m_tabelle; }
    TabellenModell* modell() const { return m_modell; }
    QTableView* gitter() const { return m_gitter; }
    QPushButton* hinzufuegenKnopf() const { return m_hinzufuegen; }
    QPushButton* rueckgaengigKnopf() const { return m_rueckgaengig; }
    QPushButton* loeschenKnopf() const { return m_loeschen; }
    QPushButton* zurueckKnopf() const { return m_zurueck; }
    QPushButton* hilfeKnopf() const { return m_hilfe; }
    // The binder of the window's cursor (exists once the window is open).
    FeldBindung& bindung() const { return *m_bindung; }

    // The dialog store errors are reported with; without one the main window's, else a local one.

    // The commands behind the buttons.
    void hinzufuegen();
    void rueckgaengig();
    void loeschen();
    // Stores a pending change; false when nothing was stored (no change, discarded, refused, failed).
    bool speichern();
    // Moves the cursor to the grid row (storing a pending change first, as any move does).
    void zuZeile(int zeile);
    bool aenderungOffen() const;

signals:
    // The table was closed: the register refreshes its copy of the list.
    void tabelleGeschlossen(const QString& tabelle);

protected:
    // The grid's columns; built once the table is open.
    virtual QList<TabellenModell::Spalte> spalten() = 0;
    // Places the form, the pages and gitter() into the window's area above the buttons.
    virtual void aufbauen(QVBoxLayout* inhalt) = 0;
    // Extra buttons between "L&öschen" and "&Hilfe".
    virtual void zusatzKnoepfe(QHBoxLayout* reihe) {}
    // Asked before the delete question; false keeps the row (the hook shows its own message).
    virtual bool loeschenErlaubt() { return true; }
    // The delete question; message 28 unless a member asks something else.
    virtual bool loeschenBestaetigen();
    // Asked before the save question; false cancels the change (the hook shows its own message).
    virtual bool aenderungErlaubt() { return true; }
    // A new row was started: defaults for required fields.
    virtual void neueZeileVorbelegen() {}
    virtual void nachPost() {}
    // The table has been closed.
    virtual void nachSchliessen() {}
    // The current record changed or was edited: members refresh views that are not bound line edits.
    virtual void datensatzAngezeigt() {}
    // The control that gets the focus after "H&inzufügen".
    virtual QWidget* erstesFeld();
    // The help topic of "&Hilfe".
    virtual int hilfeThema() const { return 1001; }
    // The grid's index after the table reopened on another index. With felder ("A;B") a missing index
    // is created on the spot: the table is reopened exclusively for it, then shared again. Any other
    // failure is reported and the order stays as it was.
    void indexWechseln(const QString& indexName, const QString& felder = {});

    // Binds the line edit to a field of the current record: it shows the field and typing changes it.
    void feldBinden(QLineEdit* edit, const QString& feld);
    // Shows the current record in the bound fields, selects its grid row and sets the buttons.
    void anzeigen();
    void knoepfeSetzen();
    // Changes a field of the current record the way typing does (starting a row on an empty table).
    void feldSetzen(const QString& feld, const QVariant& wert);

    // Selects the grid row of the current record (without touching the fields).
    void zeileMarkieren();

private:
    void gitterZeileGewaehlt(int zeile);
    void leserOeffnen();
    // A failure of a store or move: cancels the edit, unless the user's text was refused.
    void fehlerBehandeln(const std::exception& e);
    // False (after message 252 naming the field, the focus on it) while a number field holds other text.
    bool zahlenPruefen();
    void keineZahlMelden(const QString& feld);
    void nachAenderung(); // the table changed: reread the grid, show the record
    // A bound editor holds input that is no value of its field yet (half a date).
    bool eingabeAusstehend() const;
    void indexAnlegen(const QString& indexName, const QString& felder);

    QString m_tabellenName;
    QString m_indexName;
    std::unique_ptr<store::Table> m_tabelle;
    std::unique_ptr<store::Table> m_leser; // reads the stored rows for the grid during an edit
    std::unique_ptr<FeldBindung> m_bindung; // declared after the cursor: it goes first
    TabellenModell* m_modell = nullptr;
    QTableView* m_gitter = nullptr;
    QPushButton* m_hinzufuegen = nullptr;
    QPushButton* m_rueckgaengig = nullptr;
    QPushButton* m_loeschen = nullptr;
    QPushButton* m_hilfe = nullptr;
    QPushButton* m_zurueck = nullptr;
    QList<std::pair<QLineEdit*, QString>> m_felder;
    QSet<QLineEdit*> m_keineZahl; // number fields holding text that is no number
    bool m_sperre = false;        // set while the window itself moves the grid's selection
    bool m_geschlossen = false;
    bool m_gepostet = false; // set by the table after a store
};

} // namespace velmora
