#pragma once
// The pedigree window over eight generations: the 510 ancestor slots of one cat (the proband) in the
// pedigree's slot numbering, pictures of the first five generations, the proband's data, an information
// panel for a clicked ancestor, doubled ancestors in the colours of the pedigree-colour list, and one
// step into an ancestor's own pedigree and back. It follows the register's cat and only reads.

#include "common/ui/kindfenster.h"
#include "genealogy/baum.h"
#include "printing/bericht.h"
#include "store/table.h"

#include <QHash>
#include <QLabel>
#include <QPixmap>
#include <functional>
#include <memory>

class QFrame;
class QMenu;
class QPushButton;
class QScrollArea;
class QTextEdit;

namespace velmora::genealogy {

class TFormStammbaum;

// One ancestor slot ("Stb", g, "_", k): its text is the display text of the ancestor, empty when unknown.
class StammbaumSlot : public QLabel {
    Q_OBJECT
public:
    StammbaumSlot(TFormStammbaum& fenster, int g, int k, QWidget* parent);
    int generation() const { return m_g; }
    int position() const { return m_k; }

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    TFormStammbaum& m_fenster;
    int m_g, m_k;
};

class TFormStammbaum : public TKindFenster {
    Q_OBJECT
public:
    static constexpr int kGenerationen = Ahnentafel::kMaxGenerationen;
    static constexpr int kBildGenerationen = 5;

    explicit TFormStammbaum(TRahmen& haupt);
    ~TFormStammbaum() override;

    bool oeffnen() override;
    void schliessen() override;
    void uebersetzt() override;

    // Shows the cat as proband and fills the slots; false when it does not exist.
    bool katzeZeigen(int nummer);
    int proband() const { return m_proband; }
    // The proband saved by the last "Stammbaum laden"; 0 when none.
    int SaveBookmark() const { return m_gespeichert; }

    // Commands.
    void KatzeLadenClick();
    void StammbaumLadenClick();
    void RuecksprungClick();
    // Prints the proband's pedigree certificate in German or English; false when refused.
    bool StammbaumDruckenClick(bool englisch);
    // Where the printed pedigree goes: the print preview unless a test puts its own.
    std::function<void(const printing::Bericht&)> druckAusgabe;

    StammbaumSlot* slot(int g, int k) const { return m_slots[index(g, k)]; }
    // The record number read back from a slot text ("... {1234}"); 0 without one.
    static int nummerAusText(const QString& text);
    const Ahnentafel& tafel() const { return m_tafel; }
    QFrame* infoPanel() const { return m_info; }
    QTextEdit* infoText() const { return m_infoText; }
    QMenu* popup() const { return m_popup; }
    QString MemoNr;
    bool katzeladen = false;

    // Decoded pictures at display size, shared by every pedigree window of the run.
    static void bilderVergessen();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    friend class StammbaumSlot;
    static size_t index(int g, int k) { return static_cast<size_t>((1 << g) - 2 + (k - 1)); }
    void aufbauen();
    void probandZeigen();
    void fuellen();
    void farbenSetzen();
    void infoZeigen(StammbaumSlot* s);
    void slotGedrueckt(StammbaumSlot* s);
    void popupZeigen(const QPoint& global);
    // The picture chosen for a cat (Feld2-th, at most the last); empty when none.
    QString bildPfad(int nummer, int feld2);
    // Shows the file fitted into box (less margin); false when it is missing or not an image.
    static bool bildSetzen(QLabel* box, const QString& pfad, int rand);
    QString slotText(int nummer);

    std::unique_ptr<store::Table> m_katze;     // the proband
    std::unique_ptr<store::Table> m_stammbaum; // the ancestors
    std::unique_ptr<store::Table> m_bilder;    // on IndexKatzeNr
    std::unique_ptr<store::Table> m_farben;    // stbfarbe, when it exists
    int m_proband = 0;
    int m_gespeichert = 0;
    Ahnentafel m_tafel;
    std::vector<StammbaumSlot*> m_slots;
    QHash<int, QFrame*> m_bildPanels; // by index(g, k)
    QScrollArea* m_flaeche = nullptr;
    QWidget* m_baum = nullptr;
    QFrame* m_panelKatze = nullptr;
    QLabel* m_imageKatze = nullptr;
    QTextEdit* m_memoKatze = nullptr;
    QFrame* m_info = nullptr;
    QTextEdit* m_infoText = nullptr;
    QFrame* m_infoBildPanel = nullptr;
    QLabel* m_infoBild = nullptr;
    QMenu* m_popup = nullptr;
    QAction* m_laden = nullptr;
    QAction* m_zurueck = nullptr;
    QList<QLabel*> m_ueberschriften;
};

// Registers the window with the frame (menu "MenueKatze").
void stammbaumRegistrieren();

} // namespace velmora::genealogy
