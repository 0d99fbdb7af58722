#include "settings/ui/optseitewurfbuch.h"

#include "language/tag.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace velmora::settings::ui {

TOptSeiteWurfbuch::TOptSeiteWurfbuch(TRahmen& r) : TOptionenSeite(r, "TabSheetWurfbuch", {7613, "Wurfbuch"}) {
    auto* l = new QVBoxLayout(this);
    auto gruppe = [this, l](const char* name, Text titel) {
        auto* g = new QGroupBox(QString::fromUtf8(titel.text), this);
        g->setObjectName(QLatin1String(name));
        language::setTag(g, titel.tag);
        auto* raster = new QGridLayout(g);
        raster->setColumnStretch(4, 1);
        l->addWidget(g);
        return raster;
    };
    auto zeile = [this](QGridLayout* raster, int spalte, const char* feld, const char* name, QLabel* label) {
        raster->addWidget(label, 0, spalte);
        raster->addWidget(zahlFeld(feld, name, label), 0, spalte + 1);
    };
    QGridLayout* geburt = gruppe("GroupBoxGeburtstermin", {7650, "Berechnung Geburtstermin"});
    zeile(geburt, 0, "TageTraechtigkeit", "EditTraechtigkeit",
          beschriftung("LabelDecktermin", {7651, "Decktermin"}));
    geburt->addWidget(beschriftung("LabelTageGeburt", {7608, "Tage"}), 0, 2);
    QGridLayout* rollig = gruppe("GroupBoxRolligkeit", {7652, "Berechnung nächste Rolligkeit"});
    zeile(rollig, 0, "TageNaechsteRolligkeit", "EditRolligkeit",
          beschriftung("LabelTageRollig", {7608, "Tage"}));
    zeile(rollig, 2, "TageNRplusMinus", "EditPlusMinus", beschriftung("LabelPlusMinus", {7653, "+/-"}));
    QGridLayout* abgabe = gruppe("GroupBoxAbgabetermin", {7654, "Berechnung Abgabetermin"});
    zeile(abgabe, 0, "TagebisAbgabetermin", "EditAbgabetermin",
          beschriftung("LabelWurftermin", {7655, "Wurftermin"}));
    abgabe->addWidget(beschriftung("LabelTageAbgabe", {7608, "Tage"}), 0, 2);
    l->addStretch(1);
}

} // namespace velmora::settings::ui
