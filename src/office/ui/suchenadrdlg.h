#pragma once
// The address search (caption "Suche aus der Adressendatei"): the criteria of office/adressen.h, the
// count of the hits, and the hits in a grid when there is more than one. The address book and the cat
// register pick an address with it; in multi-select mode it chooses the addresses of a group mail.
//
// "&Suchen" hides a shown grid (and does nothing else); otherwise it searches: no hit shows message 49,
// one hit is copied into the criteria and is the result, more hits widen the dialog and show the grid.
// A double click on a row copies it into the criteria and hides the grid; it stays the result.
// Only "&OK" accepts; after a search that found nothing OK hands over no address (number 0).

#include "office/adressen.h"
#include "store/database.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace velmora::office {

class AdrTrefferModell : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;
    void setTreffer(QList<Adresse> t);
    const QList<Adresse>& treffer() const { return m_treffer; }
    int rowCount(const QModelIndex& = {}) const override { return int(m_treffer.size()); }
    int columnCount(const QModelIndex& = {}) const override { return 8; }
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;

private:
    QList<Adresse> m_treffer;
};

class TSuchenAdrDlg : public QDialog {
    Q_OBJECT
public:
    explicit TSuchenAdrDlg(store::Database& db, QWidget* parent = nullptr);

    // Shows the dialog modally with empty criteria, the status choices read afresh and the focus in
    // the name; true on OK.
    bool waehlen();
    // The chosen address after OK: nothing without a search, number 0 after a search without hit.
    std::optional<Adresse> ergebnis() const;
    // Every hit of the last search, in the book's order.
    const QList<Adresse>& treffer() const { return m_modell->treffer(); }
    // The marked rows in result order (multi-select mode).
    QList<Adresse> markierte() const;

    void setMehrfachauswahl(bool an);
    std::function<void()> hilfe;

    // --- controls, for the window tests
    QLineEdit* feld(const char* name) const;
    QComboBox* statusFeld() const { return m_status; }
    QTableView* gitter() const { return m_gitter; }
    QLabel* anzahl() const { return m_anzahl; }
    QPushButton* suchenKnopf() const { return m_suchen; }
    QPushButton* okKnopf() const { return m_ok; }
    QPushButton* abbruchKnopf() const { return m_abbruch; }
    QPushButton* alleKnopf() const { return m_alle; }

    void suchen();
    void zeileUebernehmen(int zeile);

protected:
    void showEvent(QShowEvent* e) override;

private:
    void leeren();
    void gitterZeigen(bool an);
    void inKriterien(const Adresse& a);
    AdrKriterien kriterien() const;

    store::Database& m_db;
    QList<QLineEdit*> m_felder; // Name, Vorname, Zwinger, Telefon, Rasse, Ort, PLZ, Land
    QComboBox* m_status = nullptr;
    QLabel* m_anzahl = nullptr;
    QLabel* m_anzahlText = nullptr;
    QTableView* m_gitter = nullptr;
    AdrTrefferModell* m_modell = nullptr;
    QPushButton* m_suchen = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_abbruch = nullptr;
    QPushButton* m_hilfe = nullptr;
    QPushButton* m_alle = nullptr;
    bool m_gesucht = false;
    int m_aktuell = -1;
    QSize m_kleineGroesse;
};

// The statuses of the address book in table order (physical order of StatusAdressen).
QStringList adressStatusLesen(store::Database& db);

} // namespace velmora::office
