#pragma once
// "Top Katzen": the five top cats, each with its marker colour. The inbreeding calculation counts their
// share of a pedigree; their colours mark them in the cat list, the register's parent fields and the
// ancestor lists. Every stored change tells the frame (TRahmen::markierungenGeaendert), so the open
// lists repaint.

#include "common/ui/kindfenster.h"
#include "register/ui/farbwahl.h"
#include "store/table.h"

#include <functional>
#include <memory>
#include <optional>

class QFrame;
class QLabel;
class QPushButton;

namespace velmora::genealogy {

class TFormTopKatzen : public TKindFenster {
    Q_OBJECT
public:
    static constexpr int kZeilen = 5;
    explicit TFormTopKatzen(TRahmen& haupt);
    ~TFormTopKatzen() override;

    bool oeffnen() override;
    void schliessen() override;
    void uebersetzt() override;

    // Row r (0-based): the chosen cat, or the chosen colour; pending until posted.
    void katzeLaden(int r);
    void farbeLaden(int r);
    void RueckgaengigClick();
    // Stores a pending edit (asking message 29 unless saving without asking); false when nothing stored.
    bool posten();
    bool geaendert() const { return m_aenderung.has_value(); }

    struct Zeile {
        qint32 nummer = 0, katze = 0, farbe = 0xFFFFFF;
    };
    const Zeile& zeile(int r) const { return m_zeilen[r]; }

    // Replaced by tests.
    reg::Farbwahl farbwahl;
    std::function<int()> katzenwahl; // the chosen cat's number, 0 when cancelled

private:
    void anzeigen();
    struct Aenderung {
        int r;
        Zeile zeile;
    };

    std::unique_ptr<store::Table> m_top;
    std::unique_ptr<store::Table> m_katzen;
    Zeile m_zeilen[kZeilen];
    std::optional<Aenderung> m_aenderung;
    QLabel* m_namen[kZeilen] = {};
    QFrame* m_farben[kZeilen] = {};
    QPushButton* m_rueckgaengig = nullptr;
};

void topKatzenRegistrieren();

} // namespace velmora::genealogy
