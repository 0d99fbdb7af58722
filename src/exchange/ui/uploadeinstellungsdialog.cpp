#include "exchange/ui/uploadeinstellungsdialog.h"

#include "language/sprache.h"
#include "language/tag.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora::exchange {

// texte: feldname 2504-2513

namespace {
QString text(int tag, const char* vorgabe) {
    const QString t = language::feldName(tag);
    return t.isEmpty() ? QString::fromUtf8(vorgabe) : t;
}
} // namespace

TFormUploadEinstellungen::TFormUploadEinstellungen(const UploadEinstellungen& werte, QWidget* eltern)
    : QDialog(eltern), m_werte(werte) {
    setObjectName(QStringLiteral("FormUploadEinstellungen"));
    setWindowTitle(text(2504, "Upload-Einstellungen"));
    setModal(true);
    auto* l = new QVBoxLayout(this);
    auto* felder = new QGridLayout;
    const auto feld = [&](int zeile, const char* name, int tag, const char* vorgabe, const QString& wert) {
        auto* label = new QLabel(text(tag, vorgabe), this);
        language::setTag(label, tag);
        auto* edit = new QLineEdit(wert, this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setAccessibleName(label->text().remove(QLatin1Char('&')));
        edit->setMinimumWidth(320);
        label->setBuddy(edit);
        felder->addWidget(label, zeile, 0);
        felder->addWidget(edit, zeile, 1);
        return edit;
    };
    m_adresse = feld(0, "EditUploadAdresse", 2505, "Upload-Adresse:", werte.uploadAdresse);
    m_host = feld(1, "EditFtpHost", 2506, "FTP-Server:", werte.ftpHost);
    m_benutzer = feld(2, "EditFtpBenutzer", 2507, "FTP-Benutzer:", werte.ftpBenutzer);
    m_passwort = feld(3, "EditFtpPasswort", 2508, "FTP-Passwort:", werte.ftpPasswort);
    m_passwort->setEchoMode(QLineEdit::Password);
    m_pfad = feld(4, "EditFtpPfad", 2510, "Ordner auf dem Server:", werte.ftpPfad);
    l->addLayout(felder);
    const auto kasten = [&](const char* name, int tag, const char* vorgabe, bool an) {
        auto* k = new QCheckBox(text(tag, vorgabe), this);
        k->setObjectName(QString::fromLatin1(name));
        k->setAccessibleName(k->text().remove(QLatin1Char('&')));
        language::setTag(k, tag);
        k->setChecked(an);
        l->addWidget(k);
        return k;
    };
    m_passiv = kasten("CheckBoxFtpPassiv", 2509, "Passiver Modus", werte.ftpPassiv);
    m_nurTls = kasten("CheckBoxNurTls", 2511, "Nur verschlüsselt (TLS)", !werte.ftpOhneTls);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch(1);
    const auto knopf = [&](const char* name, int tag, const char* vorgabe) {
        auto* k = new QPushButton(text(tag, vorgabe), this);
        k->setObjectName(QString::fromLatin1(name));
        k->setAccessibleName(k->text().remove(QLatin1Char('&')));
        language::setTag(k, tag);
        knoepfe->addWidget(k);
        return k;
    };
    auto* ok = knopf("BitBtnOK", 2512, "&OK");
    auto* abbruch = knopf("BitBtnAbbruch", 2513, "&Abbruch");
    ok->setDefault(true);
    l->addLayout(knoepfe);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(abbruch, &QPushButton::clicked, this, &QDialog::reject);
    m_adresse->setFocus();
}

UploadEinstellungen TFormUploadEinstellungen::werte() const {
    UploadEinstellungen e = m_werte;
    e.uploadAdresse = m_adresse->text().trimmed();
    e.ftpHost = m_host->text().trimmed();
    e.ftpBenutzer = m_benutzer->text().trimmed();
    e.ftpPasswort = m_passwort->text(); // blanks may belong to a password
    e.ftpPfad = m_pfad->text().trimmed();
    e.ftpPassiv = m_passiv->isChecked();
    e.ftpOhneTls = !m_nurTls->isChecked();
    return e;
}

} // namespace velmora::exchange
