#pragma once
// The colours that mark ancestors occurring more than once in a printed pedigree, in the order of use:
// a column of colour squares. "H&inzufügen" appends a chosen colour at the end; clicking a square
// replaces its colour. Rows are never deleted here.

#include "common/ui/kindfenster.h"
#include "register/ui/farbwahl.h"
#include "store/table.h"

#include <QList>
#include <memory>

class QListWidget;
class QPushButton;

namespace velmora::store::ui {
class TDBError;
}

namespace velmora::reg {

class TFormStbFarbe : public TKindFenster {
    Q_OBJECT
public:
    explicit TFormStbFarbe(TRahmen& h);
    ~TFormStbFarbe() override;

    // Creates the table when it is missing, then shows its colours.
    bool oeffnen() override;
    void schliessen() override;

    void hinzufuegen();
    // The colour of row `zeile` (0-based, in the order of use) through the colour dialog.
    void farbeAendern(int zeile);

    QList<int> farben() const { return m_farben; }
    QListWidget* liste() const { return m_liste; }
    QPushButton* hinzufuegenKnopf() const { return m_hinzufuegen; }

    Farbwahl farbwahl; // the colour dialog; tests replace it

private:
    void laden();

    std::unique_ptr<store::Table> m_tabelle;
    QList<int> m_farben;
    QList<qint64> m_ids;
    QListWidget* m_liste = nullptr;
    QPushButton* m_hinzufuegen = nullptr;
    bool m_geschlossen = false;
};

} // namespace velmora::reg
