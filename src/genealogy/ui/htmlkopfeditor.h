#pragma once
// The layout editor of the HTML page's header: the 17 data fields as small panels in three columns
// ("Spalte1", "Spalte2", "verfügbare Felder"), moved with the mouse. On release every field takes the
// column its left edge lies in and its place from its top edge; each column is then packed into rows.

#include "genealogy/htmlstammbaum.h"

#include <QWidget>
#include <array>

class QFrame;
class QLabel;
class QPushButton;

namespace velmora::genealogy {

class THTMLKopfEditor : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSpaltenBreite = 150;
    static constexpr int kAbstand = 10;
    static constexpr int kOben = 24;       // below the column titles
    static constexpr int kZeilenhoehe = 22; // panel height 20 and a gap of 2

    explicit THTMLKopfEditor(QWidget* parent = nullptr);

    // Places the panels in their stored columns and places, then packs the columns.
    void setzen(const std::array<THTMLKopfFeld, kHtmlKopfFelder>& felder);
    const std::array<THTMLKopfFeld, kHtmlKopfFelder>& felder() const { return m_felder; }
    void setOptionen(int feld, int mitBez, int weglassen);

    // A picture beside the header leaves one data column: column 2's fields go to the available ones.
    void spalte2Zeigen(bool zeigen);
    bool spalte2Sichtbar() const { return m_spalte2Sichtbar; }

    // The field on row `zeile` (1-based) of column `spalte` (1-3), 0 for none.
    int FelderSortierung(int zeile, int spalte) const;
    // The caption of header field `feld` (1-17) in the current language.
    static QString feldName(int feld);
    // Column titles and panel captions in the current language.
    void beschriften();

    QFrame* panel(int feld) const { return m_panels[feld - 1]; }
    int spaltenX(int spalte) const { return (spalte - 1) * (kSpaltenBreite + kAbstand); }

signals:
    void geaendert();
    void optionenGewaehlt(int feld);

protected:
    bool eventFilter(QObject* ziel, QEvent* e) override;

private:
    void einordnen(); // columns from the panels' places, then packed
    void packen();

    std::array<THTMLKopfFeld, kHtmlKopfFelder> m_felder;
    std::array<QFrame*, kHtmlKopfFelder> m_panels{};
    std::array<QLabel*, kHtmlKopfFelder> m_beschriftungen{};
    std::array<QLabel*, 3> m_titel{};
    std::array<std::array<int, 3>, kHtmlKopfFelder> m_sortierung{};
    bool m_spalte2Sichtbar = true;
    QFrame* m_gezogen = nullptr;
    QPoint m_griff;
};

} // namespace velmora::genealogy
