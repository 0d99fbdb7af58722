#pragma once
// The matings window: for one cat its partners, the litters with each partner and the kittens of each
// litter as a tree, with the breeding figures of the cat, a partner and a litter and the details of a
// kitten on their pages, the print of what is shown, and the cat search to load another cat. It follows
// the register's cat.

#include "common/ui/kindfenster.h"
#include "genealogy/verpaarung.h"
#include "printing/bericht.h"

#include <QIcon>
#include <array>
#include <functional>

class QLabel;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace velmora::genealogy {

class TVerpaarungSeite;

class TFormVerpaarung : public TKindFenster {
    Q_OBJECT
public:
    enum class TArt { Tier, Partner, leer, Wurf, Jungtier };
    // Node kinds and their item data.
    static constexpr int kArtRolle = Qt::UserRole;       // 0 cat, 1 partner, 2 no partner, 3 litter, 4 kitten
    static constexpr int kBildRolle = Qt::UserRole + 1;  // 0 female, 1 male, 2 none, 3 litter
    static constexpr int kZeileRolle = Qt::UserRole + 2; // the node's first row

    explicit TFormVerpaarung(TRahmen& haupt);

    bool oeffnen() override;
    void uebersetzt() override;

    // Loads the cat; a number not found leaves the window as it is.
    void KatzeLaden(int nummer);
    int tiernummer() const { return m_tiernummer; }
    bool maennlich() const { return m_maennlich; }
    TArt art() const { return m_art; }
    const QVector<VerpaarungZeile>& zeilen() const { return m_zeilen; }

    printing::Bericht bericht() const;
    void DruckClick();
    void PdfClick();

    // Hooks for the dialogs the window opens (tests replace them).
    std::function<void(const printing::Bericht&)> vorschau;
    std::function<QString()> pdfDateiWaehlen;
    std::function<int()> katzeSuchen; // 0: cancelled

private:
    void aufbauen();
    void baumAufbauen();
    void knotenGewaehlt(QTreeWidgetItem* item);
    QString katzenText(qint32 nummer) const;
    QString titelUndName(qint32 nummer, const QString& name) const;
    void tierSeite();
    void partnerSeite(int partner);
    void wurfSeite(int partner, int wurf);
    void jungtierSeite(int zeile);
    void zeigeSeite(TArt art);
    QTreeWidgetItem* knoten(QTreeWidgetItem* eltern, const QString& text, int art, int bild, int zeile);
    TVerpaarungSeite* seite(TArt art) const;

    int m_tiernummer = 0;
    bool m_maennlich = false;
    QString m_geschlecht;
    bool m_lock = false;
    TArt m_art = TArt::leer;
    QVector<VerpaarungZeile> m_zeilen;
    QVector<Verpaarungspartner> m_baum;

    std::array<QIcon, 4> m_bilder;
    QLabel* m_kopf = nullptr;
    QLabel* m_symbol = nullptr;
    QTreeWidget* m_tree = nullptr;
    QStackedWidget* m_seiten = nullptr;
    std::array<TVerpaarungSeite*, 5> m_seite{};
};

// The sex colour of the statistics values: light blue for 1 and 3, cream for 2 and 4, none otherwise.
std::optional<int> geschlechtsFarbe(const QString& geschlecht);

// Registers the window with the frame (menu "MenueKatze", entry "Verpaarungen und Würfe").
void verpaarungRegistrieren();

} // namespace velmora::genealogy
