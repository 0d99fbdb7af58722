#include "register/ui/referenzlisten.h"

#include "common/ui/rahmen.h"
#include "register/ui/listeneditoren.h"
#include "register/ui/merkmaleditor.h"
#include "register/ui/statuseditor.h"
#include "register/ui/stbfarbeditor.h"

namespace velmora::reg {

// texte: feldname 108 123 124 125 126 600 874 1081 11089
// texte: feldname 8600 8601 8602 8603 8604 8605 8606 8607 8608 8621 8622 8626 8627

namespace {
template <typename Fenster> std::function<TKindFenster*(TRahmen&)> fabrik() {
    return [](TRahmen& h) -> TKindFenster* { return new Fenster(h); };
}
} // namespace

void referenzlistenRegistrieren() {
    const QString menue = QStringLiteral("MenueStammdaten");
    fensterartRegistrieren(
        {QStringLiteral("FormRassen"), menue, 123, QStringLiteral("&Rassen"), fabrik<TFormRassen>()});
    fensterartRegistrieren(
        {QStringLiteral("FormFarben"), menue, 124, QStringLiteral("&Farben"), fabrik<TFormFarben>()});
    fensterartRegistrieren({QStringLiteral("FormAugenfarbe"), menue, 125, QStringLiteral("&Augenfarben"),
                                 fabrik<TFormAugenfarbe>()});
    fensterartRegistrieren(
        {QStringLiteral("FormFellart"), menue, 11089, QStringLiteral("Fellart"), fabrik<TFormFellart>()});
    fensterartRegistrieren(
        {QStringLiteral("FormTitel"), menue, 600, QStringLiteral("&Titel"), fabrik<TFormTitel>()});
    fensterartRegistrieren(
        {QStringLiteral("FormStatus"), menue, 126, QStringLiteral("&Status"), fabrik<TFormStatus>()});
    fensterartRegistrieren(
        {QStringLiteral("FormMerkmale"), menue, 874, QStringLiteral("Merkmale"), fabrik<TFormMerkmale>()});
    fensterartRegistrieren({QStringLiteral("FormStbFarbe"), menue, 1081,
                                 QStringLiteral("Farben Stammbaumdruck"), fabrik<TFormStbFarbe>()});
    fensterartRegistrieren({QStringLiteral("FormKatzennamen"), menue, 108,
                                 QStringLiteral("&Katzennamen"), fabrik<TFormKatzennamen>()});
}

Referenzhinweise& referenzhinweise(TRahmen& hauptfenster) {
    const QString name = QStringLiteral("Referenzhinweise");
    if (auto* h = hauptfenster.findChild<Referenzhinweise*>(name, Qt::FindDirectChildrenOnly)) return *h;
    auto* h = new Referenzhinweise(&hauptfenster);
    h->setObjectName(name);
    return *h;
}

} // namespace velmora::reg
