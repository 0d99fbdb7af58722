#include "register/ui/statuseditor.h"

#include "common/ui/rahmen.h"
#include "language/tag.h"
#include "register/ui/referenzlisten.h"
#include "store/ui/dberror.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora::reg {

TFormStatus::TFormStatus(TRahmen& h) : TKindFenster(h, QStringLiteral("FormStatus"), 8605) {
    setWindowTitle(QStringLiteral("Status"));
}

TFormStatus::~TFormStatus() {
    if (!m_geschlossen) TFormStatus::schliessen();
}

bool TFormStatus::oeffnen() {
    m_tabelle = std::make_unique<store::Table>(hauptfenster().db(), QStringLiteral("status"));
    try {
        m_tabelle->open();
        m_tabelle->setIndexName(QString());
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("status"));
        m_tabelle.reset();
        return false;
    }

    auto* haupt = new QVBoxLayout(this);
    auto* gitter = new QGridLayout;
    const int laenge = m_tabelle->fieldDef(m_tabelle->fieldIndex(QStringLiteral("Status"))).size;
    for (int i = 0; i < kStatusFelder; ++i) {
        m_nummern[i] = new QLabel(QString::number(i + 1), this);
        m_felder[i] = new QLineEdit(this);
        m_felder[i]->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        if (laenge > 0) m_felder[i]->setMaxLength(laenge);
        connect(m_felder[i], &QLineEdit::textEdited, this, [this] { geaendert(true); });
        gitter->addWidget(m_nummern[i], i, 0);
        gitter->addWidget(m_felder[i], i, 1);
    }
    haupt->addLayout(gitter);
    haupt->addStretch(1);

    auto* reihe = new QHBoxLayout;
    auto knopf = [this, reihe](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        reihe->addWidget(b);
        return b;
    };
    m_hinzufuegen = knopf("BitBtnHinzufuegen", QStringLiteral("H&inzufügen"));
    language::setTag(m_hinzufuegen, 8610);
    m_speichern = knopf("BitBtnSpeichern", QStringLiteral("&Speichern"));
    language::setTag(m_speichern, 8615);
    m_rueckgaengig = knopf("BitBtnRueckgaengig", QStringLiteral("R&ückgängig"));
    language::setTag(m_rueckgaengig, 8611);
    reihe->addStretch(1);
    QPushButton* hilfe = knopf("BitBtnHilfe", QStringLiteral("&Hilfe"));
    language::setTag(hilfe, 8613);
    QPushButton* zurueck = knopf("BitBtnZurueck", QStringLiteral("&Zurück"));
    language::setTag(zurueck, 8614);
    haupt->addLayout(reihe);

    connect(m_hinzufuegen, &QPushButton::clicked, this, &TFormStatus::hinzufuegen);
    connect(m_speichern, &QPushButton::clicked, this, &TFormStatus::speichern);
    connect(m_rueckgaengig, &QPushButton::clicked, this, &TFormStatus::rueckgaengig);
    connect(hilfe, &QPushButton::clicked, this, [this] { hauptfenster().hilfeZeigen(1001); });
    connect(zurueck, &QPushButton::clicked, this, &QWidget::close);

    rueckgaengig();
    return true;
}

void TFormStatus::felderZeigen(const StatusFelder& felder) {
    for (int i = 0; i < kStatusFelder; ++i) {
        m_felder[i]->setText(felder[i].sichtbar ? felder[i].text : QString());
        m_felder[i]->setVisible(felder[i].sichtbar);
        m_nummern[i]->setVisible(felder[i].sichtbar);
    }
}

StatusFelder TFormStatus::felderLesen() const {
    StatusFelder felder;
    for (int i = 0; i < kStatusFelder; ++i)
        felder[i] = {!m_felder[i]->isHidden(), m_felder[i]->text()};
    return felder;
}

void TFormStatus::geaendert(bool ja) {
    m_geaendert = ja;
    m_speichern->setEnabled(ja);
    m_rueckgaengig->setEnabled(ja);
}

void TFormStatus::hinzufuegen() {
    for (int i = 0; i < kStatusFelder; ++i)
        if (m_felder[i]->isHidden()) {
            m_felder[i]->clear();
            m_felder[i]->show();
            m_nummern[i]->show();
            m_felder[i]->setFocus();
            return;
        }
}

void TFormStatus::speichern() {
    StatusFelder felder = felderLesen();
    try {
        statusSpeichern(*m_tabelle, felder);
    } catch (const std::exception& e) {
        if (m_tabelle->state() != store::Table::State::Browse) m_tabelle->cancel();
        fehlerDialog().HandleException(e, QStringLiteral("status"));
    }
    rueckgaengig();
}

void TFormStatus::rueckgaengig() {
    try {
        felderZeigen(statusFelderLesen(*m_tabelle));
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("status"));
    }
    geaendert(false);
}

void TFormStatus::schliessen() {
    if (!m_tabelle || m_geschlossen) return;
    m_geschlossen = true;
    if (m_geaendert) speichern();
    try {
        m_tabelle->close();
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("status"));
    }
    emit referenzhinweise(hauptfenster()).listeGeaendert(QStringLiteral("status"));
}

} // namespace velmora::reg
