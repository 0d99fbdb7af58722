#pragma once
// A grid over the rows of one detail table that belong to the register's current cat (or to one litter
// of it), with "H&inzufügen", "R&ückgängig" and "L&öschen". The editing rules every detail table of the
// register shares live here once:
//
//   - "H&inzufügen" appends an empty row linked to the cat and enables "R&ückgängig";
//   - a change enables "R&ückgängig", which drops it;
//   - "L&öschen" asks message 28; Yes deletes the row;
//   - before a row is stored, message 29 is asked unless the setting `Speichern` is on; No drops it;
//   - a stored row is flushed to disk; a failing store is reported through the database error dialog
//     with the table's name and the change is dropped;
//   - a pending change is stored when the user moves to another row, another page or another cat, and
//     when the register closes;
//   - a new cat shows its rows positioned on the last one;
//   - a date cell takes only a date (else a message naming the column, nothing changes), a number cell
//     only a number; a text longer than its field is refused at the store with a message naming the
//     column, and the row stays open for the user to shorten it.
//
// Rows are read when the key is set and after every store; a cat has a handful of rows per table, so
// they are kept in memory and the cursor only moves for an edit.

#include "store/table.h"

#include <QAbstractTableModel>
#include <QList>
#include <QVariant>
#include <QVector>
#include <QWidget>
#include <functional>
#include <memory>

class QPushButton;
class QTableView;
class QHBoxLayout;

namespace velmora::reg {

class TKatzenSeite;
class TDetailGitter;

class DetailModell : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DetailModell(TDetailGitter& gitter);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    void zuruecksetzen() {
        beginResetModel();
        endResetModel();
    }
    void zeileGeaendert(int zeile);

private:
    friend class TDetailGitter;
    TDetailGitter& m_gitter;
};

class TDetailGitter : public QWidget {
    Q_OBJECT
public:
    struct Spalte {
        QString feld;  // field of the table; empty for a calculated column
        int tag = 0;   // caption number of the column title
        QString titel; // German title when the language tables lack it
        // A calculated column (read only): the value shown in row zeile.
        std::function<QVariant(const TDetailGitter& gitter, int zeile)> berechnet;
    };

    // verknuepfung: the link fields ("Katze", "Mutterkatze;Wurfdatum"); index: an index whose fields
    // begin with them, giving the order of the rows.
    TDetailGitter(TKatzenSeite& seite, const char* objektName, QString tabelle, QString index,
                  QString verknuepfung, QList<Spalte> spalten, QWidget* parent = nullptr);
    ~TDetailGitter() override;

    // Opens the table; false (reported through the database error dialog) when it cannot be opened.
    bool oeffnen();
    bool offen() const;
    // The rows shown: those whose link fields hold these values; empty shows none and adds none.
    void setSchluessel(const QVariantList& werte);
    const QVariantList& schluessel() const { return m_schluessel; }

    // Stores a pending change. False when the change was refused and stays open (the user mends it);
    // true when nothing was pending, it was stored, or it was dropped (No to 29, a rule, a failure).
    bool speichern();
    // Stores a pending change (a refused one is dropped) and closes the table.
    void schliessen();
    bool aenderungOffen() const;

    void hinzufuegen();
    void rueckgaengig();
    void loeschen();

    // The rows as shown, a pending change included.
    int zeilen() const;
    QVariant wert(int zeile, const QString& feld) const;
    int aktuelleZeile() const; // the row of the cursor, -1 without one
    // Moves the cursor to the row, storing a pending change first; false when that was refused.
    bool zuZeile(int zeile);

    store::Table* tabelle() const { return m_tabelle.get(); }
    QTableView* gitter() const { return m_gitter; }
    DetailModell* modell() const { return m_modell; }
    QPushButton* hinzufuegenKnopf() const { return m_hinzufuegen; }
    QPushButton* rueckgaengigKnopf() const { return m_rueckgaengig; }
    QPushButton* loeschenKnopf() const { return m_loeschen; }
    // The row of buttons, for pages that add their own.
    QHBoxLayout* knopfReihe() const { return m_knopfReihe; }
    const QList<Spalte>& spalten() const { return m_spalten; }
    QString spaltenTitel(int spalte) const; // in the run's language, without accelerator marks
    // Caption of the "H&inzufügen" button ("&Neue Seite" for the health sheet).
    void setHinzufuegenText(int tag, const QString& text);

    // Asked first at every store: false refuses it and keeps the row open (the hook shows its message),
    // for fields of the row edited outside the grid.
    std::function<bool()> eingabePruefen;
    // Asked before the cursor moves to another row: false keeps it where it is.
    std::function<bool()> zeilenwechselErlaubt;
    // False refuses any change (the hook shows its own message), for rows that need something first.
    std::function<bool()> bearbeitenErlaubt;
    // Asked before the save question; false drops the row without a message.
    std::function<bool(store::Table&)> vorDemSpeichern;
    // After a row was stored, on the stored row.
    std::function<void(store::Table&)> nachDemSpeichern;
    // Values of a new row besides its link fields.
    std::function<void(store::Table&)> neueZeile;

    // Sets a field of the current row as typing does (a new row when there is none).
    bool feldSetzen(const QString& feld, const QVariant& wert);
    // The current row was changed outside the grid (a form bound to the same cursor).
    void aktualisieren();
    // Reads the rows again, written elsewhere too, keeping the cursor on its row; not while a change
    // is pending.
    void neuLaden();

    void uebersetzen();

signals:
    // The rows were read again (after a store, a delete, an undo or a new key).
    void zeilenGeaendert();
    // A row was stored or deleted.
    void gespeichert();
    // The cursor moved to another row (or the rows were read again).
    void zeileGewechselt(int zeile);

private:
    friend class DetailModell;
    void neuLesen();
    void knoepfeSetzen();
    void markieren();
    void gitterZeileGewaehlt(int zeile);
    bool setzen(int zeile, int spalte, const QVariant& wert);
    // The first column whose text is longer than its field, -1 when none.
    int zuLangeSpalte() const;
    void fehler(const std::exception& e);
    int spalteVonFeld(const QString& feld) const;

    TKatzenSeite& m_seite;
    QString m_tabellenName;
    QString m_index;
    QStringList m_verknuepfung;
    QList<Spalte> m_spalten;
    QVector<int> m_feldIndex; // per column: index of its field, -1 for a calculated column
    std::unique_ptr<store::Table> m_tabelle;
    QVariantList m_schluessel;
    QVector<qint64> m_ids;
    QVector<QVector<QVariant>> m_werte; // all stored fields of each row
    DetailModell* m_modell = nullptr;
    QTableView* m_gitter = nullptr;
    QPushButton* m_hinzufuegen = nullptr;
    QPushButton* m_rueckgaengig = nullptr;
    QPushButton* m_loeschen = nullptr;
    QHBoxLayout* m_knopfReihe = nullptr;
    bool m_sperre = false; // the grid's selection is moved by the window itself
};

} // namespace velmora::reg
