#pragma once
// "Daten übernehmen…": the Paradox tables of an earlier program into a new data directory, with a
// progress bar and the report, then the offer to restart on the new directory.

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace velmora::app {

class TUebernahmeDialog : public QDialog {
    Q_OBJECT
public:
    // datenquelle: the delivered data for the tables the source lacks; einstellungsVerzeichnis: where
    // the keys of an old settings file go.
    TUebernahmeDialog(QString datenquelle, QString einstellungsVerzeichnis, QWidget* parent = nullptr);

    void setzeZiel(const QString& ziel);
    QString bericht() const;

    // Called with the new directory when the user wants to restart on it.
    std::function<void(const QString& ziel)> neuStarten;

private:
    void uebernehmen();

    QString m_datenquelle;
    QString m_einstellungsVerzeichnis;
    QLineEdit* m_quelle = nullptr;
    QLineEdit* m_ziel = nullptr;
    QLineEdit* m_einstellungen = nullptr;
    QLabel* m_tabelle = nullptr;
    QProgressBar* m_balken = nullptr;
    QPlainTextEdit* m_bericht = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_schliessen = nullptr;
    bool m_laeuft = false;
};

} // namespace velmora::app
