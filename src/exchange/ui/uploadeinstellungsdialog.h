#pragma once
// "Upload-Einstellungen": where the online upload sends its files and pictures. Modal, opened from the
// upload window; it edits a copy of the settings and hands it back on OK, the caller writes it. The
// password field shows no characters and its text goes nowhere but into the settings.

#include "exchange/uploadeinstellungen.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace velmora::exchange {

class TFormUploadEinstellungen : public QDialog {
    Q_OBJECT
public:
    TFormUploadEinstellungen(const UploadEinstellungen& werte, QWidget* eltern);

    // The values as edited; keys the dialog does not show keep what they had.
    UploadEinstellungen werte() const;

private:
    UploadEinstellungen m_werte;
    QLineEdit *m_adresse = nullptr, *m_host = nullptr, *m_benutzer = nullptr, *m_passwort = nullptr,
              *m_pfad = nullptr;
    QCheckBox *m_passiv = nullptr, *m_nurTls = nullptr;
};

} // namespace velmora::exchange
