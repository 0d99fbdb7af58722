#include "office/ui/kalenderexport.h"

#include "common/meldungsdienst.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "language/ui/uebersetzen.h"
#include "office/ui/zugaenglich.h"
#include "register/kalendertermine.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace velmora::office {

// texte: feldname 9890-9899
// texte: meldung 2950 2951

TKalenderExportDlg::TKalenderExportDlg(store::Database& db, QWidget* parent) : QDialog(parent), m_db(db) {
    setObjectName(QStringLiteral("FormKalenderExport"));
    language::setTag(this, 9890);
    setWindowTitle(QStringLiteral("Kalenderdatei"));
    auto* form = new QFormLayout;
    auto datum = [this, form](int tag, const char* text) {
        auto* l = new QLabel(QString::fromUtf8(text));
        language::setTag(l, tag);
        auto* d = new QDateEdit(this);
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        l->setBuddy(d);
        form->addRow(l, d);
        return d;
    };
    m_von = datum(9891, "&von");
    m_von->setObjectName(QStringLiteral("DateVon"));
    m_bis = datum(9892, "&bis");
    m_bis->setObjectName(QStringLiteral("DateBis"));
    auto box = [this, form](int tag, const char* text, const char* name) {
        auto* b = new QCheckBox(QString::fromUtf8(text), this);
        b->setObjectName(QLatin1String(name));
        language::setTag(b, tag);
        b->setChecked(true);
        form->addRow(b);
        return b;
    };
    m_ausstellungen = box(9893, "&Ausstellungstermine", "CheckAusstellungen");
    m_impfungen = box(9894, "&Impfungen", "CheckImpfungen");
    m_wurmkuren = box(9895, "&Wurmkuren", "CheckWurmkuren");

    auto* dateiZeile = new QHBoxLayout;
    m_datei = new QLineEdit(this);
    m_datei->setObjectName(QStringLiteral("EditDatei"));
    auto* waehlen = new QToolButton(this);
    waehlen->setObjectName(QStringLiteral("ButtonDatei"));
    waehlen->setText(QStringLiteral("…"));
    language::setTag(waehlen, 9897);
    dateiZeile->addWidget(m_datei, 1);
    dateiZeile->addWidget(waehlen);
    auto* dateiLabel = new QLabel(QStringLiteral("&Datei"));
    language::setTag(dateiLabel, 9896);
    dateiLabel->setBuddy(m_datei);
    form->addRow(dateiLabel, dateiZeile);

    auto* knoepfe = new QDialogButtonBox(this);
    m_ok = knoepfe->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("BitBtnOK"));
    language::setTag(m_ok, 9898);
    QPushButton* abbruch = knoepfe->addButton(QStringLiteral("Abbruch"), QDialogButtonBox::RejectRole);
    abbruch->setObjectName(QStringLiteral("BitBtnAbbruch"));
    language::setTag(abbruch, 9899);
    auto* haupt = new QVBoxLayout(this);
    haupt->addLayout(form);
    haupt->addWidget(knoepfe);

    dateiWaehlen = [this](const QString& vorschlag) {
        return QFileDialog::getSaveFileName(this, windowTitle(), vorschlag, QStringLiteral("iCalendar (*.ics)"));
    };
    connect(waehlen, &QToolButton::clicked, this, [this] {
        const QString d = dateiWaehlen ? dateiWaehlen(m_datei->text()) : QString();
        if (!d.isEmpty()) m_datei->setText(QDir::toNativeSeparators(d));
    });
    connect(m_ok, &QPushButton::clicked, this, [this] {
        if (schreiben()) accept();
    });
    connect(abbruch, &QPushButton::clicked, this, &QDialog::reject);
}

bool TKalenderExportDlg::zeigen(const QDate& heute) {
    m_von->setDate(heute);
    m_bis->setDate(heute.addYears(1));
    if (m_datei->text().isEmpty())
        m_datei->setText(QDir::toNativeSeparators(QDir::home().filePath(QStringLiteral("velmora.ics"))));
    if (language::TSprache* s = language::aktuelleSprache())
        language::FensterObjektUebersetzen(*s, this, s->offset());
    zugaenglichBenennen(this);
    return exec() == QDialog::Accepted;
}

bool TKalenderExportDlg::schreiben() {
    const QString datei = QDir::fromNativeSeparators(m_datei->text().trimmed());
    if (datei.isEmpty()) {
        m_datei->setFocus();
        return false;
    }
    reg::Kalenderinhalt inhalt{m_ausstellungen->isChecked(), m_impfungen->isChecked(), m_wurmkuren->isChecked()};
    const language::TSprache* s = language::aktuelleSprache();
    QString fehler;
    int anzahl = 0;
    if (!reg::kalenderSchreiben(m_db, datei, m_von->date(), m_bis->date(), inhalt, s && s->sprache() == 1, &fehler,
                                &anzahl)) {
        Meldungsdienst::zeigen(MeldungsArt::Fehler, 2951,
                               language::meldung(2951, QStringLiteral("Die Kalenderdatei konnte nicht geschrieben werden:")) +
                                   QLatin1Char(' ') + QDir::toNativeSeparators(datei) + QLatin1Char('\r') + fehler);
        return false;
    }
    Meldungsdienst::zeigen(MeldungsArt::Information, 2950,
                           language::meldung(2950, QStringLiteral("Termine in der Kalenderdatei:")) +
                               QLatin1Char(' ') + QString::number(anzahl) + QLatin1Char('\r') +
                               QDir::toNativeSeparators(datei));
    return true;
}

} // namespace velmora::office
