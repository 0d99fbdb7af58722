#include "office/ui/ausstelt.h"

#include "common/ui/feldeditoren.h"
#include "common/ui/rahmen.h"
#include "language/tag.h"
#include "office/ui/kalenderexport.h"
#include "store/ui/dberror.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace velmora::office {

// texte: feldname 9865-9879

std::function<QDate()> TFormAusstellungstermine::heute = [] { return QDate::currentDate(); };

TFormAusstellungstermine::TFormAusstellungstermine(TRahmen& h)
    : TBueroListe(h, QStringLiteral("FormAusstellungstermine"), 9865, QStringLiteral("ausstelt"),
                  {{QStringLiteral("DatumIdx"), QStringLiteral("Datum;Ort"), 9876, QStringLiteral("Datum")},
                   {QStringLiteral("VereinDatum"), QStringLiteral("Verein;Datum"), 9877, QStringLiteral("Verein")},
                   {QStringLiteral("OrtDatum"), QStringLiteral("Ort;Datum"), 9878, QStringLiteral("Ort")}},
                  50) {
    setWindowTitle(QStringLiteral("Ausstellungstermine"));
}

TFormAusstellungstermine::~TFormAusstellungstermine() = default;

bool TFormAusstellungstermine::oeffnen() {
    if (!TBueroListe::oeffnen()) return false;
    // The next show from today on; after the last one the cursor stands on the last.
    try {
        tabelle().findNearest({heute()});
    } catch (const std::exception& e) {
        fehlerDialog().HandleException(e, QStringLiteral("ausstelt"));
    }
    anzeigen();
    return true;
}

QList<TabellenModell::Spalte> TFormAusstellungstermine::spalten() {
    return {{QStringLiteral("Datum"), text(9866, QStringLiteral("von"))},
            {QStringLiteral("Datum2"), text(9867, QStringLiteral("bis"))},
            {QStringLiteral("Verein"), text(9868, QStringLiteral("Verein"))},
            {QStringLiteral("Ort"), text(9871, QStringLiteral("Ort"))},
            {QStringLiteral("Land"), text(9872, QStringLiteral("Land"))}};
}

void TFormAusstellungstermine::formAufbauen(QFormLayout* form) {
    datumFeld(form, 9866, QStringLiteral("&von"), QStringLiteral("Datum"), 9874);
    datumFeld(form, 9867, QStringLiteral("bis"), QStringLiteral("Datum2"), 9875);
    textFeld(form, 9868, QStringLiteral("Verein"), QStringLiteral("Verein"));
    textFeld(form, 9869, QStringLiteral("Straße"), QStringLiteral("Strasse"));
    textFeld(form, 9870, QStringLiteral("PLZ"), QStringLiteral("Plz"));
    textFeld(form, 9871, QStringLiteral("Ort"), QStringLiteral("Ort"));
    textFeld(form, 9872, QStringLiteral("Land"), QStringLiteral("Land"));
    memoFeld(form, 9873, QStringLiteral("Info"), QStringLiteral("Info"));
}

void TFormAusstellungstermine::zusatzKnoepfe(QHBoxLayout* reihe) {
    auto* k = new QPushButton(QStringLiteral("Export"), this);
    k->setObjectName(QStringLiteral("BitBtnExport"));
    language::setTag(k, 9879);
    reihe->addWidget(k);
    connect(k, &QPushButton::clicked, this, &TFormAusstellungstermine::exportieren);
}

TKalenderExportDlg& TFormAusstellungstermine::exportDialog() {
    if (!m_export) m_export = std::make_unique<TKalenderExportDlg>(hauptfenster().db(), this);
    return *m_export;
}

void TFormAusstellungstermine::exportieren() {
    // The file holds what is stored: a pending edit is stored (or discarded) first.
    speichern();
    if (aenderungOffen()) return;
    exportDialog().zeigen(heute());
}

} // namespace velmora::office
