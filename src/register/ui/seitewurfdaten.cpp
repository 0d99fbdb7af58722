#include "register/ui/seitewurfdaten.h"

#include "common/datenglobal.h"
#include "common/ui/feldeditoren.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "register/ui/detailgitter.h"
#include "register/ui/familienraster.h"
#include "register/ui/tcatstamm.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace velmora::reg {

TSeiteWurfdaten::TSeiteWurfdaten(TCatStamm& r)
    : TKatzenSeite(r, "TabSheetWurfdaten", 9412, "&Wurfdaten/Gewichte") {
    auto* layout = new QVBoxLayout(this);
    auto* oben = new QFormLayout;
    auto* wurfLabel = new QLabel(QStringLiteral("Wurfstärke"));
    wurfLabel->setObjectName(QStringLiteral("LabelWurfzahl"));
    language::setTag(wurfLabel, 9440);
    auto* wurfzahl = new DbEdit(r.bindung(), QStringLiteral("Wurfzahl"));
    wurfzahl->setObjectName(QStringLiteral("DBWurfzahl"));
    oben->addRow(wurfLabel, wurfzahl);
    layout->addLayout(oben);
    m_geschwister = new TGeschwisterRaster(*this);
    layout->addWidget(m_geschwister, 1);

    // The age at each measuring, from the cat's birth day.
    auto alter = [this](const TDetailGitter& g, int zeile) -> QVariant {
        const QDate geb = katzenregister().katzen().asDate(QStringLiteral("GebDatum"));
        const QDate am = g.wert(zeile, QStringLiteral("Datum")).toDate();
        if (!geb.isValid() || !am.isValid()) return {};
        return common::TDatenGlobal::alterBerechnen(geb, am, {}, 0, language::feldName(1485),
                                                    language::feldName(1486), language::feldName(1487),
                                                    language::feldName(1488));
    };
    m_gewichte = new TDetailGitter(*this, "Gewichte", QStringLiteral("gewicht"), QStringLiteral("KatzeDatum"),
                                   QStringLiteral("Katze"),
                                   {{QStringLiteral("Datum"), 9420, QStringLiteral("Datum"), {}},
                                    {QString(), 9424, QStringLiteral("Alter"), alter},
                                    {QStringLiteral("Gewicht"), 9425, QStringLiteral("Gewicht"), {}},
                                    {QStringLiteral("Grösse"), 9426, QStringLiteral("Größe"), {}}});
    auto* rahmen = new QGroupBox(QStringLiteral("Gewichte"));
    rahmen->setObjectName(QStringLiteral("GroupBoxGewichte"));
    language::setTag(rahmen, 9441);
    auto* rl = new QVBoxLayout(rahmen);
    rl->addWidget(m_gewichte);
    layout->addWidget(rahmen, 1);
    m_gewichte->oeffnen();
    connect(m_gewichte, &TDetailGitter::gespeichert, this, &TKatzenSeite::gespeichert);
}

void TSeiteWurfdaten::laden() {
    m_geschwister->laden();
    m_gewichte->setSchluessel({katze()});
}

bool TSeiteWurfdaten::verlassen() {
    if (m_gewichte->speichern()) return true;
    nachVorn(m_gewichte);
    return false;
}

void TSeiteWurfdaten::schliessen() {
    m_gewichte->schliessen();
    m_geschwister->schliessen();
}

void TSeiteWurfdaten::uebersetzt() {
    m_gewichte->uebersetzen();
    TKatzenSeite::uebersetzt();
}

} // namespace velmora::reg
