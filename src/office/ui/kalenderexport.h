#pragma once
// "Export" as a calendar file: the period (from today to a year ahead unless changed), what goes in
// (show dates, due vaccinations, due wormings) and the file; OK writes it and says how many entries it
// holds.

#include "store/database.h"

#include <QDate>
#include <QDialog>
#include <functional>

class QCheckBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

namespace velmora::office {

class TKalenderExportDlg : public QDialog {
    Q_OBJECT
public:
    TKalenderExportDlg(store::Database& db, QWidget* parent = nullptr);

    // Sets the period from heute to a year ahead and shows the dialog modally; true when a file was written.
    bool zeigen(const QDate& heute);
    // OK: writes the file with the choices shown; false (after a message) when nothing was written.
    bool schreiben();

    // The file chooser behind "..."; tests replace it (the path can also be typed).
    std::function<QString(const QString& vorschlag)> dateiWaehlen;

    QDateEdit* vonFeld() const { return m_von; }
    QDateEdit* bisFeld() const { return m_bis; }
    QCheckBox* ausstellungen() const { return m_ausstellungen; }
    QCheckBox* impfungen() const { return m_impfungen; }
    QCheckBox* wurmkuren() const { return m_wurmkuren; }
    QLineEdit* dateiFeld() const { return m_datei; }
    QPushButton* okKnopf() const { return m_ok; }

private:
    store::Database& m_db;
    QDateEdit* m_von = nullptr;
    QDateEdit* m_bis = nullptr;
    QCheckBox* m_ausstellungen = nullptr;
    QCheckBox* m_impfungen = nullptr;
    QCheckBox* m_wurmkuren = nullptr;
    QLineEdit* m_datei = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace velmora::office
