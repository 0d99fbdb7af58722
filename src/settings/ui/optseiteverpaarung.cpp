#include "settings/ui/optseiteverpaarung.h"

#include "common/ui/rahmen.h"
#include "settings/ui/reihenfolgeeditor.h"

#include <QVBoxLayout>

namespace velmora::settings::ui {

TOptSeiteVerpaarung::TOptSeiteVerpaarung(TRahmen& r)
    : TOptionenSeite(r, "TabSheetVerpaarung", {7620, "Verpaarung"}) {
    auto* l = new QVBoxLayout(this);
    m_editor = new TReihenfolgeEditor(true, "ReihenfolgeVerpaarung", 0, {}, this);
    l->addWidget(m_editor, 1);
    binden({QStringLiteral("verpaarungAnzeige"),
            m_editor,
            [this](const tsysteminfo& e) { m_editor->setTexte({e.verpaarungAnzeige}); },
            [this](tsysteminfo& e) {
                e.verpaarungAnzeige = m_editor->texte().value(0);
                e.VerpaarungSortierungAnzeige();
            },
            {}});
    m_editor->setSprache(r.einstellungen().spracheNummer());
}

void TOptSeiteVerpaarung::uebersetzt() {
    m_editor->setSprache(rahmen().einstellungen().spracheNummer());
    TOptionenSeite::uebersetzt();
}

} // namespace velmora::settings::ui
