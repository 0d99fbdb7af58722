#include "office/ui/adresswahl.h"

#include "common/ui/kindfenster.h"
#include "common/ui/rahmen.h"
#include "office/ui/suchenadrdlg.h"

namespace velmora::office {

std::optional<Adresse> adresseWaehlen(store::Database& db, QWidget* parent) {
    TSuchenAdrDlg dlg(db, parent);
    if (!dlg.waehlen()) return std::nullopt;
    return dlg.ergebnis();
}

void adressbuchOeffnen(TRahmen& rahmen, int nummer, bool zeigen) {
    rahmen.StatusAdressen = zeigen;
    rahmen.StatusAdressenNummer = nummer;
    TKindFenster* buch = rahmen.FensterZeigen(QStringLiteral("Adressenverwaltung"));
    if (!buch) {
        rahmen.StatusAdressen = false;
        return;
    }
    // The book takes the hand-over when it becomes active; an already active book takes it now.
    QMetaObject::invokeMethod(buch, "uebergabeAbholen");
}

} // namespace velmora::office
