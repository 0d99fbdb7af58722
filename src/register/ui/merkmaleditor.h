#pragma once
// The feature list editor: the list pattern with a colour per feature ("Farbe laden" chooses it, the
// grid paints each row in it), the printed feature list, and the two seeded features 1 "Klon" and
// 2 "Foundation" that can be neither changed nor deleted.

#include "printing/bericht.h"
#include "register/ui/farbwahl.h"
#include "register/ui/listeneditoren.h"

#include <functional>

class QFrame;
class QPushButton;

namespace velmora::reg {

// The printed feature list (number, name, abbreviation, colour square) in the primary order.
printing::Bericht merkmallisteBericht(store::Database& db);

class TFormMerkmale : public TReferenzEditor {
    Q_OBJECT
public:
    explicit TFormMerkmale(TRahmen& h);
    bool oeffnen() override;

    // "Farbe laden": refused with message 90 for features 1 and 2.
    void farbeLaden();
    // "&Drucken": stores a pending change, then shows the printed list in the preview.
    void drucken();
    // Writes the printed list as a PDF file; false (with a reason) when it cannot.
    bool alsPdfSpeichern(const QString& datei, QString* fehler = nullptr);
    // "Als &PDF speichern": asks for the file, writes it, reports a failure.
    void pdfSpeichern();

    QFrame* farbfeld() const { return m_farbfeld; }
    QPushButton* farbeLadenKnopf() const { return m_farbeLaden; }
    QPushButton* druckenKnopf() const { return m_drucken; }

    // The colour dialog and the preview; tests replace them.
    Farbwahl farbwahl;
    std::function<void(const printing::Bericht&)> vorschau;
    std::function<QString()> pdfDateiWaehlen; // empty: cancelled

protected:
    QList<TabellenModell::Spalte> spalten() override;
    void formAufbauen(QFormLayout* form) override;
    void aufbauen(QVBoxLayout* inhalt) override;
    void zusatzKnoepfe(QHBoxLayout* reihe) override;
    bool loeschenErlaubt() override;
    bool aenderungErlaubt() override;
    void neueZeileVorbelegen() override;
    void datensatzAngezeigt() override;

private:
    bool geschuetzt(); // the current record is feature 1 or 2 (a new row never is)

    QFrame* m_farbfeld = nullptr;
    QPushButton* m_farbeLaden = nullptr;
    QPushButton* m_drucken = nullptr;
    QPushButton* m_pdf = nullptr;
};

} // namespace velmora::reg
