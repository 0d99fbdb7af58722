#include "settings/ui/optseitewarnungen.h"

#include "language/tag.h"

#include <QCheckBox>
#include <QVBoxLayout>

namespace velmora::settings::ui {

TOptSeiteWarnungen::TOptSeiteWarnungen(TRahmen& r)
    : TOptionenSeite(r, "TabSheetWarnungen", {7615, "&Warnungen"}) {
    auto* l = new QVBoxLayout(this);
    auto* g = new QGroupBox(QStringLiteral("Warnung bei Programmstart"), this);
    g->setObjectName(QStringLiteral("GroupBoxWarnung"));
    language::setTag(g, 7673);
    auto* gl = new QVBoxLayout(g);
    gl->addWidget(
        ankreuzfeld("WarnungVerfallsdatum", "CheckBoxVerfallsdatum", {7674, "Verfallsdatum Medikamente"}));
    gl->addWidget(ankreuzfeld("WarnungTermine", "CheckBoxTermine", {7675, "Termine"}));
    gl->addWidget(ankreuzfeld("WarnungImpfung", "CheckBoxImpfung", {7676, "Impfung"}));
    gl->addWidget(ankreuzfeld("WarnungWurmkur", "CheckBoxWurmkur", {7677, "Wurmkur"}));
    l->addWidget(g);
    l->addStretch(1);
}

} // namespace velmora::settings::ui
