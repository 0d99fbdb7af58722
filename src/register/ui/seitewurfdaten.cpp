#include "register/ui/seitewurfdaten.h"

#include "common/datenglobal.h"
#include "common/ui/feldeditoren.h"
#include "language/sprache.h"
#include "language/tag.h"
#include "register/ui/detailformular.h"
#include "register/ui/detailgitter.h"
#include "register/ui/familienraster.h"
#include "register/ui/tcatstamm.h"
#include "register/zusatzdaten.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace velmora::reg {

void zusatzdatenZeilen(TDetailFormular& f) {
    f.setEinzeln(true);
    f.zahlZeile(QStringLiteral("Gebgewicht"), 9520, "Geb.-gew.");
    f.zahlZeile(QStringLiteral("Abggewicht"), 9521, "Abg.-gew.");
    f.auswahlZeile(QStringLiteral("Kieferfehler"), 9522, "Kieferfehler", kieferfehlerAuswahl());
    f.auswahlZeile(QStringLiteral("Bruch"), 9523, "Bruch", bruchAuswahl());
    f.auswahlZeile(QStringLiteral("Hoden"), 9524, "Hoden", hodenAuswahl());
    f.textZeile(QStringLiteral("WeitereFehler"), 9525, "Weitere Fehler");
}

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

    // The cat's own extra data and the faults of the litter it was born in: one row per cat each.
    auto* unten = new QHBoxLayout;
    m_zusatz = new TDetailFormular(*this, "Zusatzdaten", QStringLiteral("stammzusatz"),
                                   QStringLiteral("TierIdx"), QStringLiteral("Tier"));
    zusatzdatenZeilen(*m_zusatz);
    auto* zusatzRahmen = new QGroupBox(QStringLiteral("Zusatzdaten"));
    zusatzRahmen->setObjectName(QStringLiteral("GroupBoxZusatzdaten"));
    language::setTag(zusatzRahmen, 9526);
    (new QVBoxLayout(zusatzRahmen))->addWidget(m_zusatz);
    unten->addWidget(zusatzRahmen, 2);

    m_fehler = new TDetailFormular(*this, "Wurffehler", QStringLiteral("stammzusatz1"),
                                   QStringLiteral("Hund"), QStringLiteral("Hund"));
    m_fehler->setEinzeln(true);
    m_fehler->zahlZeile(QStringLiteral("HF"), 9527, "Hodenfehler");
    m_fehler->zahlZeile(QStringLiteral("W"), 9528, "Weiße");
    m_fehler->zahlZeile(QStringLiteral("HS"), 9529, "Hasenscharte");
    m_fehler->zahlZeile(QStringLiteral("WR"), 9530, "Wolfsrachen");
    auto* fehlerRahmen = new QGroupBox(QStringLiteral("Wurffehler"));
    fehlerRahmen->setObjectName(QStringLiteral("GroupBoxWurffehler"));
    language::setTag(fehlerRahmen, 9531);
    (new QVBoxLayout(fehlerRahmen))->addWidget(m_fehler);
    unten->addWidget(fehlerRahmen, 1);
    layout->addLayout(unten);
    for (TDetailFormular* f : {m_zusatz, m_fehler})
        connect(f, &TDetailFormular::gespeichert, this, &TKatzenSeite::gespeichert);
}

void TSeiteWurfdaten::laden() {
    m_geschwister->laden();
    m_gewichte->setSchluessel({katze()});
    m_zusatz->setSchluessel({katze()});
    m_fehler->setSchluessel({katze()});
}

bool TSeiteWurfdaten::verlassen() {
    if (!m_gewichte->speichern()) {
        nachVorn(m_gewichte);
        return false;
    }
    for (TDetailFormular* f : {m_zusatz, m_fehler})
        if (!f->speichern()) {
            nachVorn(f);
            return false;
        }
    return true;
}

void TSeiteWurfdaten::schliessen() {
    m_gewichte->schliessen();
    m_geschwister->schliessen();
    m_zusatz->schliessen();
    m_fehler->schliessen();
}

void TSeiteWurfdaten::uebersetzt() {
    m_gewichte->uebersetzen();
    m_zusatz->uebersetzen();
    m_fehler->uebersetzen();
    TKatzenSeite::uebersetzt();
}

} // namespace velmora::reg
