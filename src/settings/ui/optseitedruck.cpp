#include "settings/ui/optseitedruck.h"

#include "language/tag.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora::settings::ui {

TOptSeiteDruck::TOptSeiteDruck(TRahmen& r) : TOptionenSeite(r, "TabSheetDruck", {7618, "Druck"}) {
    auto* l = new QVBoxLayout(this);
    auto* g = new QGroupBox(QStringLiteral("Randeinstellungen für Druckformulare:"), this);
    g->setObjectName(QStringLiteral("GroupBoxRaender"));
    language::setTag(g, 7707);
    auto* form = new QFormLayout(g);
    QLabel* lo = beschriftung("LabelObererRand", {7708, "Oberer Rand"});
    QLabel* ll = beschriftung("LabelLinkerRand", {7709, "Linker Rand"});
    m_oben = zahlFeld("Druckoben", "EditDruckOben", lo);
    m_links = zahlFeld("Drucklinks", "EditDruckLinks", ll);
    form->addRow(lo, m_oben);
    form->addRow(ll, m_links);
    m_grund = new QPushButton(QStringLiteral("Grundeinstellung laden"), g);
    m_grund->setObjectName(QStringLiteral("BitBtnGrundeinstellungDruck"));
    language::setTag(m_grund, 7710);
    form->addRow(m_grund);
    l->addWidget(g);
    l->addStretch(1);
    connect(m_grund, &QPushButton::clicked, this, [this] {
        m_oben->setText(QLocale().toString(7));
        m_links->setText(QLocale().toString(10));
    });
}

} // namespace velmora::settings::ui
