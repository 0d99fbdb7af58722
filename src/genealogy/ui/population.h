#pragma once
// The population window (caption "Genetik der Population"): the reference filter, the figures of the
// reference population R (as the tool's `population` prints them), the cats of R by mean kinship with
// their F and ECG, the founders with their contributions, and charts of the mean F per birth year and
// of the distribution of mean kinship. The run goes on a worker thread with progress and "Abbruch";
// print and PDF through the report facility.

#include "common/ui/kindfenster.h"
#include "genealogy/genetik.h"
#include "printing/bericht.h"

#include <QDate>
#include <functional>
#include <memory>

class QCheckBox;
class QListWidget;
class QLabel;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableView;

namespace velmora::genealogy {

struct Populationslauf;
class TGenetikLauf;
class TPopulationDiagramme;
class TPopulationGruenderModell;
class TPopulationKatzenModell;

class TFormPopulation : public TKindFenster {
    Q_OBJECT
public:
    explicit TFormPopulation(TRahmen& h);

    bool oeffnen() override;
    void schliessen() override;
    void uebersetzt() override;

    // The filter as the controls set it.
    Referenzfilter filter() const;
    // "&Berechnen": starts the run; the figures and grids are filled when it ends uncancelled.
    void berechnen();
    bool laeuft() const;
    bool hatErgebnis() const { return bool(m_ergebnis); }
    const Populationslauf* ergebnis() const { return m_ergebnis.get(); }

    printing::Bericht bericht() const;

    // The day the default reference is counted from; tests set it.
    static std::function<QDate()> heute;
    // Seams for tests: where the preview goes and which file the PDF is written to.
    std::function<void(const printing::Bericht&)> vorschau;
    std::function<QString()> pdfDateiWaehlen;

    QCheckBox* alleKnopf() const { return m_alle; }
    // Ticked entries join the reference; none ticked: any.
    QListWidget* statusAuswahl() const { return m_status; }
    QListWidget* rasseAuswahl() const { return m_rasse; }
    QSpinBox* geborenVon() const { return m_von; }
    QSpinBox* geborenBis() const { return m_bis; }
    QPushButton* berechnenKnopf() const { return m_berechnen; }
    QPushButton* druckenKnopf() const { return m_drucken; }
    QPushButton* pdfKnopf() const { return m_pdf; }
    QTableView* katzenGitter() const { return m_katzenGitter; }
    QTableView* gruenderGitter() const { return m_gruenderGitter; }
    TPopulationDiagramme* diagramme() const { return m_diagramme; }
    TGenetikLauf* lauf() const { return m_lauf; }
    // The value label of figure i (0 Referenz .. 6 ECG).
    QLabel* wertLabel(int i) const { return m_werte[i]; }

private:
    void aufbauen();
    void listenFuellen();
    void zeigen(std::shared_ptr<const Populationslauf> lauf);
    QStringList wertTexte() const;

    QCheckBox* m_alle = nullptr;
    QListWidget* m_status = nullptr;
    QListWidget* m_rasse = nullptr;
    QSpinBox* m_von = nullptr;
    QSpinBox* m_bis = nullptr;
    QPushButton* m_berechnen = nullptr;
    QPushButton* m_drucken = nullptr;
    QPushButton* m_pdf = nullptr;
    QLabel* m_werte[7] = {};
    QLabel* m_wertNamen[7] = {};
    QLabel* m_hinweis = nullptr;
    QTabWidget* m_seiten = nullptr;
    QTableView* m_katzenGitter = nullptr;
    QTableView* m_gruenderGitter = nullptr;
    TPopulationKatzenModell* m_katzenModell = nullptr;
    TPopulationGruenderModell* m_gruenderModell = nullptr;
    TPopulationDiagramme* m_diagramme = nullptr;
    TGenetikLauf* m_lauf = nullptr;
    std::shared_ptr<const Populationslauf> m_ergebnis;
};

// Registers the window with the genealogy commands.
void populationRegistrieren();

} // namespace velmora::genealogy
