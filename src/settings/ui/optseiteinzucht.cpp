#include "settings/ui/optseiteinzucht.h"

#include "language/tag.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace velmora::settings::ui {

// texte: feldname 7715-7721

TOptSeiteInzucht::TOptSeiteInzucht(TRahmen& r) : TOptionenSeite(r, "TabSheetInzucht", {7621, "Inzucht"}) {
    auto* l = new QVBoxLayout(this);
    l->addWidget(
        jaNein("InzuchtBerechnungAuto", "RadioGroupBerechnungAuto", {7713, "Automatische Berechnung"}));

    auto* form = new QFormLayout;
    // The list takes its entries from the captions after its own (the translation knows it by name).
    m_start = new QComboBox(this);
    m_start->setObjectName(QStringLiteral("ComboBoxInzuchtFenster"));
    language::setTag(m_start, 7715);
    for (const char* t :
         {"Inzuchtkoeffizient", "Ahnenverlust", "Vorfahren", "Info", "Top Katzen / Klonanalyse", "Stammbaum"})
        m_start->addItem(QString::fromUtf8(t));
    QLabel* ls = beschriftung("LabelStartregister", {7714, "Startregister:"});
    ls->setBuddy(m_start);
    form->addRow(ls, m_start);
    l->addLayout(form);
    binden({QStringLiteral("InzuchtFenster"),
            m_start,
            [this](const tsysteminfo& e) {
                m_start->setCurrentIndex(
                    e.InzuchtFenster >= 0 && e.InzuchtFenster < m_start->count() ? e.InzuchtFenster : 0);
            },
            [this](tsysteminfo& e) { e.InzuchtFenster = m_start->currentIndex(); },
            {}});

    auto* g = new QGroupBox(QStringLiteral("Generationen für die Berechnung"), this);
    g->setObjectName(QStringLiteral("GroupBoxGenerationen"));
    language::setTag(g, 7722);
    auto* gf = new QFormLayout(g);
    QLabel* li = beschriftung("LabelGenerationenInzucht", {7723, "in der Inzucht "});
    QLabel* lst = beschriftung("LabelGenerationenStammdaten", {7724, "in den Stammdaten"});
    m_generationen = zahlFeld("Inzuchtgenerationen", "EditGenerationenInzucht", li);
    m_stdGenerationen = zahlFeld("InzuchtStdgenerationen", "EditGenerationenStammdaten", lst);
    gf->addRow(li, m_generationen);
    gf->addRow(lst, m_stdGenerationen);
    l->addWidget(g);
    // Leaving a field raises it to three generations (and the register's to at most ten).
    connect(m_generationen, &QLineEdit::editingFinished, this,
            [this] { m_generationen->setText(inzuchtGenerationenKorrigiert(m_generationen->text())); });
    connect(m_stdGenerationen, &QLineEdit::editingFinished, this, [this] {
        m_stdGenerationen->setText(stammdatenGenerationenKorrigiert(m_stdGenerationen->text()));
    });

    l->addWidget(jaNein("InzuchtmitVorfahren", "RadioGroupMitVorfahren", {7725, "mit Vorfahren"}));
    l->addStretch(1);
}

} // namespace velmora::settings::ui
