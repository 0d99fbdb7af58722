#pragma once
// The cat search dialog: ten criteria, one query over the cat table (register/suchabfrage.h), the hits
// in a grid that re-sorts by column title, and the chosen cat for the caller.
//
// Callers:
//   main window search       aufruf.formular 0 (with neuausStb/vmZeiger/getippterName while a parent
//                            is entered from the pedigree)
//   inbreeding window        formular 1, geschlecht Maennlich (father) or Weiblich (mother)
//   breeding book            formular 2, Maennlich (stud of the litter book), Weiblich (mated female)
//   register parent buttons  formular 3, Maennlich/Weiblich and eigenerName = the register's name
// waehlen() shows the dialog modally and returns the chosen cat's LaufendeNummer, 0 when cancelled.

#include "register/suchabfrage.h"
#include "store/database.h"
#include "store/table.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace velmora::store::ui {
class TDBError;
}

namespace velmora::reg {

class TKalenderDlg;

// The hits as grid rows.
class SuchErgebnisModell : public QAbstractTableModel {
public:
    enum Spalte {
        Name,
        Zwinger,
        Farbe,
        GebDatum,
        Geschlecht,
        Mutter,
        Vater,
        Zuchtbuchnummer,
        Zuechter,
        Besitzer,
        Rasse,
        Rufname,
        Status,
        SpaltenAnzahl
    };
    using QAbstractTableModel::QAbstractTableModel;

    void setTreffer(QList<SuchTreffer> treffer);
    const QList<SuchTreffer>& treffer() const { return m_treffer; }
    void setDatumsLocale(const QLocale& l) { m_locale = l; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;

    // The ordering a click on the column's title asks for; Standard for columns that do not sort.
    static SuchSortierung sortierungFuer(int spalte);

private:
    QList<SuchTreffer> m_treffer;
    QLocale m_locale;
};

class TSuchenDlg : public QDialog {
    Q_OBJECT
public:
    // Opens the status list (adding its name index when missing) and fills the status choices.
    explicit TSuchenDlg(store::Database& db, QWidget* parent = nullptr);
    ~TSuchenDlg() override;

    // Prepares the dialog for one use: captions, empty criteria, no result; a pending pedigree entry
    // (not from a button) fills the name and searches at once.
    void oeffnen(const SuchAufruf& aufruf);
    // oeffnen, then modal; the chosen cat's LaufendeNummer on OK, 0 otherwise.
    int waehlen(const SuchAufruf& aufruf);

    // "&Suchen": runs the search, or hides the grid when it is shown.
    void suchen();
    // Re-sorts the open result by the column's title (columns without an order do nothing).
    void sortieren(int spalte);
    // Copies the row's values into the criteria and hides the grid; the row stays the chosen cat.
    void uebernehmen(int zeile);
    // "&OK": OK with a chosen cat, Cancel without a result.
    void ok();

    // Caller mode of the last oeffnen.
    int formular() const { return m_aufruf.formular; }
    bool gefunden() const { return m_gefunden; }
    bool ergebnisOffen() const { return m_ergebnisOffen; }
    // The chosen cat (0 without one) and its name.
    int gewaehlteNummer() const;
    QString gewaehlterName() const;
    // Every row of the last search in the grid's order (the cat list print walks them).
    const QList<SuchTreffer>& treffer() const { return m_modell->treffer(); }
    const SuchTreffer* gewaehlterTreffer() const;
    const SuchAbfrage& abfrage() const { return m_abfrage; }
    SuchKriterien kriterien() const;

    void setFehlerDialog(store::ui::TDBError* dialog) { m_fehlerDialog = dialog; }
    TKalenderDlg& kalenderDialog();

    QLineEdit* nameFeld() const { return m_name; }
    QLineEdit* zwingerFeld() const { return m_zwinger; }
    QLineEdit* rufnameFeld() const { return m_rufname; }
    QLineEdit* rasseFeld() const { return m_rasse; }
    QLineEdit* farbeFeld() const { return m_farbe; }
    QLineEdit* zuechterFeld() const { return m_zuechter; }
    QLineEdit* besitzerFeld() const { return m_besitzer; }
    QLineEdit* zuchtbuchFeld() const { return m_zuchtbuch; }
    QComboBox* statusFeld() const { return m_status; }
    QLineEdit* gebDatumFeld() const { return m_gebDatum; }
    QLabel* anzahlLabel() const { return m_anzahl; }
    QTableView* ergebnisGitter() const { return m_gitter; }
    QPushButton* suchenKnopf() const { return m_suchen; }
    QPushButton* okKnopf() const { return m_ok; }
    QPushButton* abbruchKnopf() const { return m_abbruch; }
    QPushButton* kalenderKnopf() const { return m_kalenderKnopf; }

private:
    void statusListeOeffnen();
    void statusAuswahlFuellen();
    void ergebnisSchliessen();
    void gitterZeigen(bool ja);
    void zeileWaehlen(int zeile);
    void fehlerZeigen(const std::exception& e, const QString& tabelle);
    store::ui::TDBError& fehlerDialog();

    store::Database& m_db;
    std::unique_ptr<store::Table> m_statusTabelle;
    SuchAufruf m_aufruf;
    SuchAbfrage m_abfrage;
    bool m_gefunden = false;
    bool m_ergebnisOffen = false;
    int m_gewaehlt = -1; // row of the chosen cat

    QLineEdit* m_name = nullptr;
    QLineEdit* m_zwinger = nullptr;
    QLineEdit* m_rufname = nullptr;
    QLineEdit* m_rasse = nullptr;
    QLineEdit* m_farbe = nullptr;
    QLineEdit* m_zuechter = nullptr;
    QLineEdit* m_besitzer = nullptr;
    QLineEdit* m_zuchtbuch = nullptr;
    QComboBox* m_status = nullptr;
    QLineEdit* m_gebDatum = nullptr;
    QPushButton* m_kalenderKnopf = nullptr;
    QLabel* m_anzahl = nullptr;
    QTableView* m_gitter = nullptr;
    SuchErgebnisModell* m_modell = nullptr;
    QPushButton* m_suchen = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_abbruch = nullptr;

    TKalenderDlg* m_kalender = nullptr;
    store::ui::TDBError* m_fehlerDialog = nullptr;
    std::unique_ptr<store::ui::TDBError> m_eigenerDialog;
};

} // namespace velmora::reg
