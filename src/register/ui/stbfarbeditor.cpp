#include "register/ui/stbfarbeditor.h"

#include "common/ui/rahmen.h"
#include "language/tag.h"
#include "printing/ui/farbe.h"
#include "register/ui/referenzlisten.h"
#include "store/startup.h"
#include "store/ui/dberror.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora::reg {

namespace {
const QString kTabelle = QStringLiteral("stbfarbe");
const QString kFarbe = QStringLiteral("farbe");
} // namespace

TFormStbFarbe::TFormStbFarbe(TRahmen& h) : TKindFenster(h, QStringLiteral("FormStbFarbe"), 8607) {
    setWindowTitle(QStringLiteral("Farbe doppelte Tiere im Stammbaumdruck"));
    farbwahl = [this](int vorgabe) { return farbeWaehlen(this, vorgabe); };
}

TFormStbFarbe::~TFormStbFarbe() {
    if (!m_geschlossen) TFormStbFarbe::schliessen();
}

bool TFormStbFarbe::oeffnen() {
    try {
        store::tabelleAnlegenWennFehlt(hauptfenster().db(), kTabelle);
        m_tabelle = std::make_unique<store::Table>(hauptfenster().db(), kTabelle);
        m_tabelle->open();
        m_tabelle->setIndexName(QString());
        m_tabelle->onPostError = [this](store::Table& t, const store::EngineError& e) {
            return store::ui::postFehlerBehandeln(fehlerDialog(), t, e);
        };
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, kTabelle);
        m_tabelle.reset();
        return false;
    }

    auto* haupt = new QVBoxLayout(this);
    m_liste = new QListWidget(this);
    m_liste->setObjectName(QStringLiteral("ListeFarben"));
    m_liste->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_liste, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { farbeAendern(m_liste->row(item)); });
    haupt->addWidget(m_liste, 1);

    auto* reihe = new QHBoxLayout;
    m_hinzufuegen = new QPushButton(QStringLiteral("H&inzufügen"), this);
    m_hinzufuegen->setObjectName(QStringLiteral("BitBtnHinzufuegen"));
    language::setTag(m_hinzufuegen, 8610);
    auto* hilfe = new QPushButton(QStringLiteral("&Hilfe"), this);
    hilfe->setObjectName(QStringLiteral("BitBtnHilfe"));
    language::setTag(hilfe, 8613);
    auto* zurueck = new QPushButton(QStringLiteral("&Zurück"), this);
    zurueck->setObjectName(QStringLiteral("BitBtnZurueck"));
    language::setTag(zurueck, 8614);
    reihe->addWidget(m_hinzufuegen);
    reihe->addStretch(1);
    reihe->addWidget(hilfe);
    reihe->addWidget(zurueck);
    haupt->addLayout(reihe);
    connect(m_hinzufuegen, &QPushButton::clicked, this, &TFormStbFarbe::hinzufuegen);
    connect(hilfe, &QPushButton::clicked, this, [this] { hauptfenster().hilfeZeigen(1001); });
    connect(zurueck, &QPushButton::clicked, this, &QWidget::close);

    laden();
    return true;
}

void TFormStbFarbe::laden() {
    m_farben.clear();
    m_ids.clear();
    m_liste->clear();
    try {
        for (m_tabelle->first(); !m_tabelle->eof(); m_tabelle->next()) {
            m_farben << m_tabelle->asInt(kFarbe);
            m_ids << m_tabelle->recordId();
        }
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, kTabelle);
    }
    for (int i = 0; i < m_farben.size(); ++i) {
        auto* item = new QListWidgetItem(QString::number(i + 1), m_liste);
        const QColor c = printing::farbeAusWert(m_farben[i]);
        item->setBackground(c);
        item->setForeground(printing::schriftFarbeAuf(c));
    }
}

void TFormStbFarbe::hinzufuegen() {
    const std::optional<int> wert = farbwahl(m_farben.isEmpty() ? 0xFFFFFF : m_farben.last());
    if (!wert) return;
    try {
        m_tabelle->append();
        m_tabelle->setValue(kFarbe, *wert);
        m_tabelle->post();
        m_tabelle->flush();
    } catch (const std::exception& e) {
        m_tabelle->cancel();
        fehlerDialog().HandleException(e, kTabelle);
    }
    laden();
}

void TFormStbFarbe::farbeAendern(int zeile) {
    if (zeile < 0 || zeile >= m_farben.size()) return;
    const std::optional<int> wert = farbwahl(m_farben[zeile]);
    if (!wert || *wert == m_farben[zeile]) return;
    try {
        if (!m_tabelle->gotoRecordId(m_ids[zeile])) return;
        m_tabelle->edit();
        m_tabelle->setValue(kFarbe, *wert);
        m_tabelle->post();
        m_tabelle->flush();
    } catch (const std::exception& e) {
        m_tabelle->cancel();
        fehlerDialog().HandleException(e, kTabelle);
    }
    laden();
}

void TFormStbFarbe::schliessen() {
    if (!m_tabelle || m_geschlossen) return;
    m_geschlossen = true;
    try {
        m_tabelle->close();
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, kTabelle);
    }
    emit referenzhinweise(hauptfenster()).listeGeaendert(kTabelle);
}

} // namespace velmora::reg
