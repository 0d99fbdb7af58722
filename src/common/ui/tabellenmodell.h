#pragma once
// A grid model over a table cursor: one row per record in the cursor's current order (range, filter and
// master respected), one column per named field. Rows are read in blocks and cached until the table
// changes, so a grid over a million cats only reads what it shows. The cursor's current record is kept:
// reading a block returns the cursor to the record it stood on.

#include "store/table.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>
#include <exception>
#include <functional>

namespace velmora {

class TabellenModell : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Spalte {
        QString feld;
        QString titel;
    };
    using Zeile = QVector<QVariant>; // the column values of one row, in column order

    TabellenModell(store::Table& tabelle, QList<Spalte> spalten, QObject* parent = nullptr);

    void setSpalten(QList<Spalte> spalten);
    const QList<Spalte>& spalten() const { return m_spalten; }
    void setSpaltenTitel(int spalte, const QString& titel);
    void setBearbeitbar(bool b) { m_bearbeitbar = b; }
    // A second cursor over the same records in the same order: while the table holds an edit or a new
    // row, the stored rows are read through it, so the grid keeps showing them.
    void setLeser(store::Table* leser) {
        m_leser = leser;
        m_leserStand = ~0ull;
    }

    // Extra roles (colours, fonts) for a row; the default shows nothing extra.
    std::function<QVariant(int role, const Zeile& zeile, int spalte)> zusatz;
    // The text shown for a value (dates, booleans); the default shows the value as text.
    std::function<QString(const QVariant& wert, int spalte)> anzeigeText;
    // Reports a failed store when an edited cell lies in another row than the pending edit.
    std::function<void(const std::exception& fehler)> fehlerBehandlung;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The row of the cursor's current record (-1 without one).
    int aktuelleZeile() const;
    // Moves the cursor to the row's record.
    bool zuZeile(int zeile);
    // Re-reads everything (after the table changed outside the model).
    void neuLaden();
    store::Table& tabelle() { return m_tabelle; }

signals:
    // A cell of a number column was given text that is no number; the value was not taken.
    void keineZahl(int spalte);

private:
    void blockLesen(store::Table& t, int r) const;
    void pruefeStand() const;
    const Zeile* zeile(int r) const;

    store::Table& m_tabelle;
    QList<Spalte> m_spalten;
    bool m_bearbeitbar = false;
    mutable quint64 m_stand = ~0ull;
    mutable int m_anzahl = 0;
    mutable QHash<int, Zeile> m_cache;
    store::Table* m_leser = nullptr;
    mutable quint64 m_leserStand = ~0ull;
};

} // namespace velmora
