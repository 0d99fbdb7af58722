#pragma once
// The address book (caption "Adressenverwaltung"): one address as a form ("&Felder") or all of the
// current tab in a grid ("&Tabelle"); below, the tab strip "ABC" .. "V-Z", "Suche", "Neu", "A-Z" and one
// tab per address group; beside, "Speichern", "H&inzufügen", "R&ückgängig", "L&öschen", "&Hilfe",
// "&Zurück", the prints "Liste", "Adresse", "eMail Gruppe" and the vCard "Export" and "Import".
//
// Every way of leaving an edit (a tab, the navigator, a grid row, closing) stores it through the same
// checks: message 29 when the settings ask for it, and a refusal of an address without a name.

#include "common/ui/kindfenster.h"
#include "office/adressen.h"
#include "store/table.h"

#include <QStringList>
#include <functional>
#include <memory>

class QButtonGroup;
class QFrame;
class QLabel;
class QPushButton;
class QTabBar;
class QTabWidget;
class QTableView;

namespace velmora {
class DbEdit;
class DbMemo;
class FeldBindung;
class Navigator;
class TabellenModell;
} // namespace velmora
namespace velmora::reg {
class TKalenderDlg;
}

namespace velmora::office {

class TSuchenAdrDlg;

class Tadressenverwaltung : public TKindFenster {
    Q_OBJECT
public:
    // Tabs after the eight letter tabs.
    enum Reiter { Suche = 8, Neu = 9, AZ = 10, ErsterStatus = 11 };

    explicit Tadressenverwaltung(TRahmen& h);
    ~Tadressenverwaltung() override;

    bool oeffnen() override;
    void schliessen() override;
    void uebersetzt() override;

    // The hand-over from the cat register (the frame's StatusAdressen), taken when the book becomes
    // active: shows the address or starts a new one.
    Q_INVOKABLE void uebergabeAbholen();

    // --- commands
    bool speichern();
    void hinzufuegen();
    void rueckgaengig();
    void loeschen();
    void listeDrucken();
    void adresseDrucken();
    void gruppenMail();
    void vcardExport();
    void vcardImport();
    void mailSchreiben();
    void homepageOeffnen();

    // Where the program hands texts to the operating system and shows prints; tests replace them.
    std::function<void(const QString& url)> oeffnen_;
    std::function<void(const class QList<Adresse>&, bool liste)> druckVorschau;
    std::function<QString(bool speichern)> vcardDatei;

    store::Table& adressen() { return *m_adr; }
    FeldBindung& bindung() { return *m_bindung; }
    TSuchenAdrDlg& suche() { return *m_suche; }
    QTabBar* reiter() const { return m_reiter; }
    QTabWidget* seiten() const { return m_seiten; }
    QTableView* gitter() const { return m_gitter; }
    QPushButton* knopf(const char* objektName) const;
    QPushButton* bemerkungKnopf() const { return m_bemerkungKnopf; }
    QFrame* bemerkungsPanel() const { return m_bemerkung; }
    QLabel* homepageZeile() const { return m_homepageZeile; }
    const QStringList& statusListe() const { return m_statusListe; }
    DbEdit* nameFeld() const { return m_name; }
    DbEdit* vornameFeld() const { return m_vorname; }

protected:
    void changeEvent(QEvent* e) override;

private:
    void aufbauen();
    void vorDemSpeichern(store::Table& t);
    void verwerfen(); // cancels the edit after a refused store, once the post has unwound
    void reiterGewaehlt(int index);
    void reiterSetzen(int index); // selects a tab without its action
    void bereichSetzen(const std::function<void(store::Table&)>& wie);
    void neuAnlegen();
    void doppeltPruefen();
    void zuAdresse(int nummer);
    void knoepfeSetzen();
    void angezeigt(); // after every move or load
    void bemerkungKnopfSetzen();
    void bemerkungZeigen(bool an);
    void statusZeigen();
    void fokusNachReiter();
    Adresse aktuelleAdresse() const;

    std::unique_ptr<store::Table> m_adr, m_leser, m_zweit, m_rasse;
    std::unique_ptr<FeldBindung> m_bindung;
    std::unique_ptr<TSuchenAdrDlg> m_suche;
    std::unique_ptr<reg::TKalenderDlg> m_kalender;
    QStringList m_statusListe;
    TabellenModell* m_modell = nullptr;
    QTabWidget* m_seiten = nullptr;
    QTabBar* m_reiter = nullptr;
    QTableView* m_gitter = nullptr;
    DbEdit* m_name = nullptr;
    DbEdit* m_vorname = nullptr;
    DbEdit* m_homepage = nullptr;
    DbEdit* m_email = nullptr;
    QLabel* m_homepageZeile = nullptr;
    QButtonGroup* m_statusGruppe = nullptr;
    QPushButton* m_bemerkungKnopf = nullptr;
    QFrame* m_bemerkung = nullptr;
    DbMemo* m_memo = nullptr;
    Navigator* m_navigator = nullptr;
    QList<QPushButton*> m_knoepfe;
    bool m_sperre = false;        // the window itself changes the tab
    bool m_pruefeDoppelt = false; // the duplicate question is showing
    bool m_geschlossen = false;
    int m_letzterReiter = AZ;
};

// Registers the address book and the address groups window.
void adressenRegistrieren();

} // namespace velmora::office
