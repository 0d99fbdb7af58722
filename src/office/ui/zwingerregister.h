#pragma once
// The kennel registers: the public one ("Zwingerregister", delivered, read-only unless the program was
// started with "Dateneingabe") and the private one ("Zwingerregister Privat", always editable), one
// window class over two pairs of tables. A kennel as a form or in a grid in the chosen sort order; its
// stud toms, breeding queens and young cats in a panel with note and picture; the search; the copy of
// the kennel's breeder into the address book.

#include "common/ui/kindfenster.h"
#include "office/zwinger.h"
#include "store/table.h"

#include <QDialog>
#include <functional>
#include <memory>

class QButtonGroup;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace velmora {
class FeldBindung;
class TabellenModell;
} // namespace velmora

namespace velmora::office {

class TZwinSuchDlg : public QDialog {
    Q_OBJECT
public:
    explicit TZwinSuchDlg(store::Database& db, QWidget* parent = nullptr);
    // Searches the private or the public tables; true on OK with a kennel chosen (ergebnis()).
    bool waehlen(bool privat);
    int ergebnis() const { return m_ergebnis; }
    void suchen();
    QLineEdit* feld(const char* name) const;
    QButtonGroup* arten() const { return m_arten; }
    QTableView* gitter() const { return m_gitter; }
    QPushButton* suchenKnopf() const { return m_suchen; }
    QPushButton* okKnopf() const { return m_ok; }
    std::function<void()> hilfe;

private:
    void zeigen(const Zwinger& z);
    store::Database& m_db;
    bool m_privat = false;
    QList<QLineEdit*> m_felder; // Zwinger, Züchter, PLZ, Ort, Rasse
    QButtonGroup* m_arten = nullptr;
    QTableView* m_gitter = nullptr;
    class ZwingerModell* m_modell = nullptr;
    QPushButton *m_suchen = nullptr, *m_ok = nullptr, *m_abbruch = nullptr;
    int m_ergebnis = 0;
};

class TFormZwingerregister : public TKindFenster {
    Q_OBJECT
public:
    // bearbeitbar: the private register always; the public one only in the maintenance mode.
    TFormZwingerregister(TRahmen& h, bool privat, bool bearbeitbar);
    ~TFormZwingerregister() override;

    bool oeffnen() override;
    void schliessen() override;
    void uebersetzt() override;

    bool privat() const { return m_privat; }
    bool bearbeitbar() const { return m_bearbeitbar; }
    store::Table& zwinger() { return *m_zw; }
    store::Table& katzen() { return *m_kt; }
    QPushButton* knopf(const char* objektName) const;
    QLabel* marke(int art) const { return m_marken[art - 1]; }
    QComboBox* sortierung() const { return m_sortierung; }
    QFrame* katzenPanel() const { return m_panel; }
    QTableView* katzenGitter() const { return m_katzenGitter; }
    QTableView* gitter() const { return m_gitter; }
    TZwinSuchDlg& suche() { return *m_suche; }

    void katzenZeigen(int art);
    void panelSchliessen();
    void hinzufuegen();
    void rueckgaengig();
    void loeschen();
    void katzeNeu();
    void katzeLoeschen();
    void bildLaden();
    void bildLoeschen();
    void suchen();
    void inAdressen();
    void sortieren(int i);

    std::function<QString()> bilddatei; // the bitmap to load; a file dialog unless replaced
    std::function<void(const QString& url)> oeffnen_;

private:
    void aufbauen();
    void markenSetzen();
    void knoepfeSetzen();

    bool m_privat, m_bearbeitbar;
    Zwingertabellen m_tabellen;
    std::unique_ptr<store::Table> m_zw, m_kt, m_ktLeser;
    std::unique_ptr<FeldBindung> m_bindung, m_katzenBindung;
    std::unique_ptr<TZwinSuchDlg> m_suche;
    TabellenModell* m_modell = nullptr;
    TabellenModell* m_katzenModell = nullptr;
    QTableView* m_gitter = nullptr;
    QTableView* m_katzenGitter = nullptr;
    QFrame* m_panel = nullptr;
    QLabel* m_bild = nullptr;
    QLabel* m_homepageZeile = nullptr;
    QLabel* m_marken[3] = {};
    QPushButton* m_katzenKnoepfe[3] = {};
    QComboBox* m_sortierung = nullptr;
    QList<QPushButton*> m_knoepfe;
    int m_art = 0;
    bool m_geschlossen = false;
};

// Registers both kennel registers; the public one is editable when the program's arguments hold
// "Dateneingabe".
void zwingerRegistrieren();

} // namespace velmora::office
