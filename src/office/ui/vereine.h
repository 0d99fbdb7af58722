#pragma once
// The clubs and associations (caption "Vereine"), always in the order of their names. Below the
// homepage a link line shows the address and opens it in the browser; "E-Mail schreiben" hands the
// e-mail address to the mail program.

#include "office/ui/bueroliste.h"

#include <functional>

class QLabel;

namespace velmora::office {

class TFormVereine : public TBueroListe {
    Q_OBJECT
public:
    explicit TFormVereine(TRahmen& h);

    QLabel* linkZeile() const { return m_link; }
    void homepageOeffnen();
    void mailSchreiben();

    // Where addresses go to the operating system (browser, mail program); tests replace it.
    std::function<void(const QString& adresse)> oeffnen_;

protected:
    QList<TabellenModell::Spalte> spalten() override;
    void formAufbauen(QFormLayout* form) override;
    void formErgaenzen(QVBoxLayout* seite) override;
    void zusatzKnoepfe(QHBoxLayout* reihe) override;
    void datensatzAngezeigt() override;

private:
    QLabel* m_link = nullptr;
};

} // namespace velmora::office
