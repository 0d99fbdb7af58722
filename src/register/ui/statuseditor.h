#pragma once
// The status list editor: nine numbered fields, one per status row, edited by position (see
// register/statusliste.h). "H&inzufügen" shows the next hidden field, "&Speichern" writes the fields
// without a question, "R&ückgängig" shows the table's names again.

#include "common/ui/kindfenster.h"
#include "register/statusliste.h"
#include "store/table.h"

#include <array>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora::store::ui {
class TDBError;
}

namespace velmora::reg {

class TFormStatus : public TKindFenster {
    Q_OBJECT
public:
    explicit TFormStatus(TRahmen& h);
    ~TFormStatus() override;

    bool oeffnen() override;
    void schliessen() override;

    void hinzufuegen();
    void speichern();
    void rueckgaengig();

    // Field i (0 to 8) shows status row i+1.
    QLineEdit* feld(int i) const { return m_felder[i]; }
    QPushButton* hinzufuegenKnopf() const { return m_hinzufuegen; }
    QPushButton* speichernKnopf() const { return m_speichern; }
    QPushButton* rueckgaengigKnopf() const { return m_rueckgaengig; }


private:
    void felderZeigen(const StatusFelder& felder);
    StatusFelder felderLesen() const;
    void geaendert(bool ja);

    std::unique_ptr<store::Table> m_tabelle;
    std::array<QLabel*, kStatusFelder> m_nummern{};
    std::array<QLineEdit*, kStatusFelder> m_felder{};
    QPushButton* m_hinzufuegen = nullptr;
    QPushButton* m_speichern = nullptr;
    QPushButton* m_rueckgaengig = nullptr;
    bool m_geaendert = false;
    bool m_geschlossen = false;
};

} // namespace velmora::reg
