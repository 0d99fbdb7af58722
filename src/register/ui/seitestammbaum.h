#pragma once
// The register's page "Stamm&baum": five generations of the current cat in 62 slots, doubled ancestors
// in the pedigree colours, the top-cat and feature marks, placeholders from which a missing parent is
// entered, and ancestors opened from the slot's pop-up menu with one step back.

#include "register/familie.h"
#include "register/ui/katzenseite.h"

#include <QLabel>
#include <memory>

class QAction;
class QFrame;
class QMenu;

namespace velmora::store {
class Table;
}

namespace velmora::reg {

class TSeiteStammbaum;

// One slot: read-only lines of an ancestor or a placeholder.
class StbKasten : public QLabel {
    Q_OBJECT
public:
    StbKasten(TSeiteStammbaum& seite, int slot, QWidget* parent);
    int slot() const { return m_slot; }
    QFrame* topMarke = nullptr;
    QList<QFrame*> merkmalMarken; // up to seven
    QLabel* mehrMarke = nullptr;

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    TSeiteStammbaum& m_seite;
    int m_slot;
};

class TSeiteStammbaum : public TKatzenSeite {
    Q_OBJECT
public:
    explicit TSeiteStammbaum(TCatStamm& katzenregister);
    ~TSeiteStammbaum() override;

    void schliessen() override;
    void uebersetzt() override;

    // Draws the pedigree of the shown cat again (after a parent was entered or the colours changed).
    void neuZeichnen();

    StbKasten* kasten(int slot) const { return m_kaesten[size_t(slot - 1)]; }
    const StbPlaetze& plaetze() const { return m_plaetze; }
    QFrame* infoPanel() const { return m_info; }
    QLabel* infoText() const { return m_infoText; }
    QMenu* popup() const { return m_popup; }
    QAction* ladenAktion() const { return m_laden; }
    QAction* ruecksprungAktion() const { return m_ruecksprung; }
    int ruecksprungKatze() const { return m_ruecksprungKatze; }

    // --- what the slots do
    void slotGedrueckt(StbKasten* k);
    void StammbaumClick(StbKasten* k);
    void popupZeigen(StbKasten* k, const QPoint& global);
    void LadenClick();
    void RuecksprungClick();

protected:
    void laden() override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    bool tabellenOeffnen();
    void anordnen();
    void markenSetzen(StbKasten* k, qint32 nummer);
    void infoZeigen(StbKasten* k);

    std::unique_ptr<store::Table> m_katzen, m_farben, m_merkmal, m_merkmale, m_topkatze;
    bool m_offen = false;
    std::vector<StbKasten*> m_kaesten;
    StbPlaetze m_plaetze{};
    StbKasten* m_gewaehlt = nullptr;
    int m_ruecksprungKatze = 0;
    int m_gezeichnetFuer = 0;     // the cat drawn last
    bool m_meldungFaellig = true; // too few colours is still to be reported for this cat
    QWidget* m_flaeche = nullptr;
    QFrame* m_info = nullptr;
    QLabel* m_infoText = nullptr;
    QMenu* m_popup = nullptr;
    QAction* m_laden = nullptr;
    QAction* m_ruecksprung = nullptr;
};

} // namespace velmora::reg
