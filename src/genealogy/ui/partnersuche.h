#pragma once
// The partner finder (caption "Partnersuche"): for the register's cat every living cat of the other sex
// that passes the filters (status, breed, own cats only), ranked by the planned kitten's coefficient,
// lowest first. The shown rows also carry the kitten's inbreeding and pedigree collapse over the chosen
// generations and the partner's mean kinship with the living cats of the last ten years; "&Inzuchtgrad"
// opens the inbreeding window on the chosen pair.

#include "common/ui/kindfenster.h"

#include <QDate>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace velmora::genealogy {

struct PartnerLauf;
class TGenetikLauf;

class TFormPartnersuche : public TKindFenster {
    Q_OBJECT
public:
    explicit TFormPartnersuche(TRahmen& h);

    bool oeffnen() override;
    void schliessen() override;
    void uebersetzt() override;

    // The cat partners are found for (the register's cat when the window opens and whenever it changes).
    void katzeSetzen(qint32 nummer);
    qint32 katze() const { return m_katze; }
    // "&Suchen": ranks the partners on a worker thread and fills the grid when the run ends uncancelled.
    void suchen();
    bool laeuft() const;
    // "&Inzuchtgrad": the inbreeding window on the cat and the partner of the current row.
    void inzuchtgradOeffnen();

    // The day the reference population is counted from; tests set it.
    static std::function<QDate()> heute;

    QTableWidget* gitter() const { return m_gitter; }
    QComboBox* statusAuswahl() const { return m_status; }
    QComboBox* rasseAuswahl() const { return m_rasse; }
    QCheckBox* nurEigene() const { return m_eigene; }
    QSpinBox* anzahl() const { return m_anzahl; }
    QSpinBox* generationen() const { return m_generationen; }
    QPushButton* suchenKnopf() const { return m_suchen; }
    QPushButton* inzuchtgradKnopf() const { return m_inzuchtgrad; }
    QLabel* katzenZeile() const { return m_katzenZeile; }
    TGenetikLauf* lauf() const { return m_lauf; }

private:
    void aufbauen();
    void listenFuellen();
    void zeigen(const PartnerLauf& lauf);

    qint32 m_katze = 0;
    bool m_kater = false;
    QLabel* m_katzenZeile = nullptr;
    QComboBox* m_status = nullptr;
    QComboBox* m_rasse = nullptr;
    QCheckBox* m_eigene = nullptr;
    QSpinBox* m_anzahl = nullptr;
    QSpinBox* m_generationen = nullptr;
    QPushButton* m_suchen = nullptr;
    QPushButton* m_inzuchtgrad = nullptr;
    QTableWidget* m_gitter = nullptr;
    QLabel* m_hinweis = nullptr;
    TGenetikLauf* m_lauf = nullptr;
};

// Registers the partner finder with the genealogy commands.
void partnersucheRegistrieren();

} // namespace velmora::genealogy
