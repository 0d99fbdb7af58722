#pragma once
// The question of a first start of an installed program: where the new data directory goes.

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace velmora::app {

class TErststartDialog : public QDialog {
public:
    // `quelle`: the delivered data whose language texts give the captions (there are no tables yet).
    TErststartDialog(const QString& quelle, const QString& vorgabe, int sprache, QWidget* parent = nullptr);
    QString verzeichnis() const;

private:
    void waehlen();
    QLineEdit* m_ort;
};

// Shows the dialog; returns the chosen folder, empty when the user cancels.
QString datenverzeichnisFragen(const QString& quelle, const QString& vorgabe, int sprache);

} // namespace velmora::app
