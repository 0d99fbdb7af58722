#include "settings/ui/optseitestatistiken.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace velmora::settings::ui {

TOptSeiteStatistiken::TOptSeiteStatistiken(TRahmen& r)
    : TOptionenSeite(r, "TabSheetStatistiken", {7619, "Statistiken"}) {
    auto* l = new QFormLayout(this);
    QLabel* lg = beschriftung("LabelAnzahlGenerationen", {7711, "Anzahl Generationen"});
    l->addRow(lg, zahlFeld("StatistikGenerationen", "EditStatistikGenerationen", lg));
}

} // namespace velmora::settings::ui
