#include "settings/ui/optseitestammbaum.h"

#include "common/ui/rahmen.h"
#include "settings/ui/reihenfolgeeditor.h"

#include <QVBoxLayout>

namespace velmora::settings::ui {

// texte: feldname 7645-7647

TOptSeiteStammbaum::TOptSeiteStammbaum(TRahmen& r)
    : TOptionenSeite(r, "TabSheetStammbaum", {7612, "S&tammbaum"}) {
    auto* l = new QVBoxLayout(this);
    m_editor = new TReihenfolgeEditor(false, "ReihenfolgeStammbaum", 7645,
                                      {QStringLiteral("A&nzeige"), QStringLiteral("&Druck")}, this);
    l->addWidget(m_editor, 1);
    l->addWidget(jaNein("StammbaumlangBild", "RadioGroupLangBild", {7648, "Stammbaum lang Bild"}));
    // Both orders live in the one editor; loading takes both texts, writing gives both back.
    binden({QStringLiteral("stammbaumAnzeige"),
            m_editor,
            [this](const tsysteminfo& e) {
                m_editor->setTexte({e.stammbaumAnzeige, e.stammbaumDrucken});
            },
            [this](tsysteminfo& e) {
                const QStringList t = m_editor->texte();
                e.stammbaumAnzeige = t.value(0);
                e.StammbaumSortierungAnzeige();
            },
            {}});
    binden({QStringLiteral("stammbaumDrucken"),
            m_editor,
            {},
            [this](tsysteminfo& e) {
                e.stammbaumDrucken = m_editor->texte().value(1);
                e.StammbaumSortierungDrucken();
            },
            {}});
    m_editor->setSprache(r.einstellungen().spracheNummer());
}

void TOptSeiteStammbaum::uebersetzt() {
    m_editor->setSprache(rahmen().einstellungen().spracheNummer());
    TOptionenSeite::uebersetzt();
}

} // namespace velmora::settings::ui
