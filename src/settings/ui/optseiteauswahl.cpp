#include "settings/ui/optseiteauswahl.h"

#include "common/ui/rahmen.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "store/table.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QRadioButton>

namespace velmora::settings::ui {

// texte: meldung 3604

TOptSeiteAuswahl::TOptSeiteAuswahl(TRahmen& r)
    : TOptionenSeite(r, "TabSheetAuswahlfenster", {7611, "A&uswahlfenster"}) {
    auto* l = new QGridLayout(this);
    m_anzeige = zweiWahl("Anzeigen", "RadioGroupAnzeige", {7635, "A&nzeige"}, {7636, "&Ja"}, {7637, "&Nein"});
    l->addWidget(m_anzeige, 0, 0, 1, 2);

    m_statusGruppe = new QGroupBox(QStringLiteral("Stat&us"), this);
    m_statusGruppe->setObjectName(QStringLiteral("GroupBoxStatus"));
    language::setTag(m_statusGruppe, 7638);
    auto* sl = new QGridLayout(m_statusGruppe);
    m_alle = new QCheckBox(QStringLiteral("alle"), m_statusGruppe);
    m_alle->setObjectName(QStringLiteral("CheckBoxAlle"));
    language::setTag(m_alle, 7639);
    sl->addWidget(m_alle, 0, 0, 1, 3);
    for (int n = 1; n <= 9; ++n) {
        auto* c = new QCheckBox(m_statusGruppe);
        c->setObjectName(QStringLiteral("CheckBoxStatus%1").arg(n));
        sl->addWidget(c, 1 + (n - 1) / 3, (n - 1) % 3);
        m_status << c;
    }
    l->addWidget(m_statusGruppe, 1, 0);
    m_sortierung = auswahl("index", "RadioGroupSortierungListe", {7640, "So&rtierung"},
                           {{7641, "&Name"}, {7642, "&Rufname"}, {7643, "&Zwinger"}, {7644, "&Status"}},
                           {QStringLiteral("NameIdx"), QStringLiteral("RufnaIdx"), QStringLiteral("ZwinName"),
                            QStringLiteral("StatusName")});
    l->addWidget(m_sortierung, 1, 1);
    l->setRowStretch(2, 1);
    l->setColumnStretch(2, 1);

    // "alle" clears and locks the nine boxes.
    connect(m_alle, &QCheckBox::toggled, this, [this](bool an) {
        for (QCheckBox* c : std::as_const(m_status)) {
            if (an) c->setChecked(false);
            c->setEnabled(!an);
        }
    });
    connect(m_anzeige, &TWahlgruppe::gewechselt, this, [this] { anzeigeGewechselt(); });

    binden({QStringLiteral("Status"), m_statusGruppe,
            [this](const tsysteminfo& e) {
                const bool alle = e.Status == QLatin1String("alle");
                m_alle->setChecked(alle);
                for (int n = 1; n <= 9; ++n)
                    m_status[n - 1]->setChecked(!alle && e.Status.contains(QString::number(n)));
                for (QCheckBox* c : std::as_const(m_status))
                    c->setEnabled(!alle);
            },
            [this](tsysteminfo& e) {
                if (m_alle->isChecked()) {
                    e.Status = QStringLiteral("alle");
                    return;
                }
                QString s;
                for (int n = 1; n <= 9; ++n)
                    if (m_status[n - 1]->isChecked()) s += QString::number(n);
                e.Status = s;
            },
            [this]() -> std::optional<QString> {
                // A list of no status would show no cat at all.
                if (m_alle->isChecked()) return std::nullopt;
                for (QCheckBox* c : std::as_const(m_status))
                    if (c->isChecked()) return std::nullopt;
                return language::meldung(
                    3604, QStringLiteral("Bitte \"alle\" oder mindestens einen Status wählen."));
            }});
    statusTexteSetzen();
}

void TOptSeiteAuswahl::anzeigeGewechselt() {
    const bool an = m_anzeige->gewaehlt() != 1;
    m_statusGruppe->setEnabled(an);
    m_sortierung->setEnabled(an);
}

void TOptSeiteAuswahl::uebersetzt() {
    statusTexteSetzen();
    anzeigeGewechselt();
    TOptionenSeite::uebersetzt();
}

void TOptSeiteAuswahl::statusTexteSetzen() {
    // Box n shows the n-th status value; boxes without one are not offered.
    QStringList texte;
    try {
        store::Table t(rahmen().db(), QStringLiteral("status"));
        t.open(store::Table::OpenMode::ReadOnly);
        for (t.first(); !t.eof() && t.hasRecord() && texte.size() < 9; t.next())
            texte << t.asString(QStringLiteral("Status"));
    } catch (const std::exception&) {
    }
    for (int i = 0; i < 9; ++i) {
        m_status[i]->setText(i < texte.size() ? texte[i] : QString::number(i + 1));
        m_status[i]->setVisible(i < texte.size() || m_status[i]->isChecked());
    }
}

} // namespace velmora::settings::ui
