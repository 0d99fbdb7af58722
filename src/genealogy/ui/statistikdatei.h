#pragma once
// "Statistik der Merkmale aller Tiere": the register statistics window. The user builds the feature
// condition with double clicks and operator buttons (or edits it), chooses colour, sexes and age, and
// evaluates; the result lists the cats with their inbreeding and pedigree-collapse figures, and a
// second page shows how the figures spread (classes of 1 %). The evaluation keeps the window responsive
// and can be cancelled.

#include "common/ui/kindfenster.h"
#include "genealogy/registerabbild.h"
#include "genealogy/statistikdatei.h"
#include "printing/bericht.h"

#include <QAbstractTableModel>
#include <functional>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableView;

class QChartView;
class QBarSeries;

namespace velmora::genealogy {

// The figures' spread: cats (each once) per class of 1 % of the coefficient and of the collapse.
struct Verteilung {
    QVector<int> ik, avk; // index = class (0 = below 1 %)
    int katzen = 0;       // cats with figures
};
Verteilung verteilung(const QList<Ergebniszeile>& zeilen);

class ErgebnisModell : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Spalte { Katze, Geschlecht, Geburt, Alter, Tod, Farbe, Vater, Mutter, Merkmal, IK, AVK };
    void setzen(QList<Ergebniszeile> zeilen, int merkmalTitel,
                std::function<QString(const Ergebniszeile&)> alter);
    const QList<Ergebniszeile>& zeilen() const { return m_zeilen; }
    QList<Spalte> spalten() const { return m_spalten; }
    QString zelle(int zeile, Spalte s) const;
    QString titel(Spalte s) const;

    int rowCount(const QModelIndex& = {}) const override { return int(m_zeilen.size()); }
    int columnCount(const QModelIndex& = {}) const override { return int(m_spalten.size()); }
    QVariant data(const QModelIndex& i, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    QList<Ergebniszeile> m_zeilen;
    QList<Spalte> m_spalten;
    int m_merkmalTitel = 0;
    std::function<QString(const Ergebniszeile&)> m_alter;
};

class TFormStatistikMerkmaleDatei : public TKindFenster {
    Q_OBJECT
public:
    explicit TFormStatistikMerkmaleDatei(TRahmen& haupt);
    ~TFormStatistikMerkmaleDatei() override;

    bool oeffnen() override;
    void schliessen() override;
    void uebersetzt() override;

    void AuswertenClick();
    void ZuruecksetzenClick();
    void DruckClick();
    // The print of the last result: the choices, the rows and the spread.
    printing::Bericht bericht() const;

    const Bedingungsbau& bau() const { return m_bau; }
    ErgebnisModell& modell() { return m_modell; }
    const Verteilung& letzteVerteilung() const { return m_verteilung; }
    bool laeuft() const { return m_laeuft; }
    // Replaced by tests; the preview by default.
    std::function<void(const printing::Bericht&)> vorschau;
    // Called at every progress step of an evaluation (tests cancel from here).
    std::function<void()> beiFortschritt;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void aufbauen();
    void knoepfeSetzen();
    void abfrageSperren(bool gesperrt);
    void verteilungZeigen();
    Filter filter() const;
    QStringList kopfzeilen() const;

    std::unique_ptr<Registerabbild> m_abbild;
    Bedingungsbau m_bau;
    ErgebnisModell m_modell;
    Verteilung m_verteilung;
    bool m_laeuft = false, m_abbruch = false, m_schliessenDanach = false, m_setzen = false;
    bool m_ergebnisErweitert = false;
    QString m_ergebnisText;

    QListWidget* m_liste = nullptr;
    QPushButton *m_und = nullptr, *m_oder = nullptr, *m_nicht = nullptr, *m_auf = nullptr, *m_zu = nullptr;
    QRadioButton *m_einfach = nullptr, *m_erweitert = nullptr;
    QPushButton *m_loeschen = nullptr, *m_sqlBearbeiten = nullptr;
    QPlainTextEdit* m_sql = nullptr;
    QComboBox* m_farbe = nullptr;
    QCheckBox* m_geschlecht[4] = {};
    QLineEdit *m_ab = nullptr, *m_bis = nullptr;
    QRadioButton *m_jahre = nullptr, *m_monate = nullptr;
    QLabel* m_einheit = nullptr;
    QPushButton *m_auswerten = nullptr, *m_zuruecksetzen = nullptr, *m_druck = nullptr;
    QFrame* m_warten = nullptr;
    QProgressBar* m_fortschritt = nullptr;
    QPushButton* m_abbrechen = nullptr;
    QTabWidget* m_seiten = nullptr;
    QTableView* m_tabelle = nullptr;
    QChartView* m_diagramm = nullptr;
};

void statistikDateiRegistrieren();

} // namespace velmora::genealogy
