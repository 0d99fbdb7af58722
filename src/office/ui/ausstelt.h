#pragma once
// The show dates (caption "Ausstellungstermine"): opened on the first show from today on (after the
// last show on the last one), sorted by date, club or place, each date with its calendar button, and
// "Export" of the show dates and the due vaccinations and wormings as a calendar file.

#include "office/ui/bueroliste.h"

#include <QDate>
#include <functional>

namespace velmora::office {

class TKalenderExportDlg;

class TFormAusstellungstermine : public TBueroListe {
    Q_OBJECT
public:
    explicit TFormAusstellungstermine(TRahmen& h);
    ~TFormAusstellungstermine() override;

    bool oeffnen() override;
    // "Export": the dialog with the period, the contents and the file.
    void exportieren();
    TKalenderExportDlg& exportDialog();

    // The day the window counts from; tests set it.
    static std::function<QDate()> heute;

protected:
    QList<TabellenModell::Spalte> spalten() override;
    void formAufbauen(QFormLayout* form) override;
    void zusatzKnoepfe(QHBoxLayout* reihe) override;

private:
    std::unique_ptr<TKalenderExportDlg> m_export;
};

} // namespace velmora::office
