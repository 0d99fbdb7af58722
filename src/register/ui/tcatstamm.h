#pragma once
// The cat register: one cat record at a time, its base data and extra data, the title check boxes, the
// short inbreeding figures, and the commands New, Duplicate, Delete, Save and Undo that the main window
// hands on to it.

#include "common/ui/kindfenster.h"
#include "store/table.h"

#include <QList>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QCheckBox;
class QFrame;
class QGridLayout;
class QLabel;
class QPushButton;
class QTabWidget;

class QScrollArea;
class QDate;

namespace velmora {
class FeldBindung;
class DbEdit;
class DbDatum;
class DbMemo;
class Navigator;
} // namespace velmora
namespace velmora::genealogy {
class TabellenKatzenQuelle;
class TFormInzuchtberechnung;
} // namespace velmora::genealogy

namespace velmora::reg {

class TKatzenSeite;
class TSeiteZusatzinfo;
class TElternPanel;

class TCatStamm : public TKindFenster {
    Q_OBJECT
public:
    explicit TCatStamm(TRahmen& haupt);
    ~TCatStamm() override;

    bool oeffnen() override;
    void schliessen() override;
    void uebersetzt() override;
    // The settings were applied: the cat order of the settings, the base-data page in front.
    void einstellungenAngewendet() override;

    // --- commands of the main window
    void KatzeNew();
    void KatzeNewausStb(QChar vmZeiger, int catNr);
    void Katzekopieren1Click();
    void loeschenClick();
    void KatzeSuchen();
    void KatzeSuchenBefehl(); // the main window's Search command
    bool SpeichernClick();
    // What another window needs stored before it reads the register's cat; false when the user kept an
    // entry that could not be stored.
    bool ausstehendesSpeichern();
    void BitBtnRueckgaengigClick();
    // Save; a pending pedigree entry returns to the cat it was started from, or (on a page change)
    // keeps the new cat current.
    bool speichern(bool zurueckZumAusgang);
    // Stores a pending edit of the cat after the user already answered the save question once.
    bool speichernOhneFrage();
    // Makes the cat current (pending edits and titles stored first); false when the cat is unknown or
    // the store was refused. navigation: the user went to the cat (it enters the recent cats); false for
    // a redisplay the register makes itself.
    bool zeigeKatze(int nummer, bool navigation = true);

    // --- rules
    void TitelKatzeNeu(bool navigation);
    void DBNameNeu();
    // The duplicate-name search of a new entry; true when it ended the entry's name handling.
    bool gleichnamigeSuchen();
    void DBzwingerExit();
    void TitelLaden();
    void TitelEintragen();
    void Titelspeichern();
    void zuchtbuchnummerGeaendert();
    // Chooses a parent: the search returns the chosen cat's number (0 = none).
    void elternWaehlen(bool vater);
    std::function<int(bool vater, const QString& eigenerName)> elternSuche;
    // The breeder's or owner's search button: the chosen address becomes Züchter or Besitzer.
    void AdrSucheClick(bool zuechter);
    // Its "Adressen" button: the address book on that address, or for a new one.
    void AdrNeuClick(bool zuechter);

    store::Table& katzen() { return *m_katzen; }
    FeldBindung& bindung() { return *m_bindung; }
    QTabWidget* seiten() { return m_seiten; }
    QList<QCheckBox*> titelKaestchen() const { return m_titel; }
    QString ikText() const;
    QString avkText() const;
    QString elternAnzeige(bool vater) const;
    QPushButton* speichernKnopf() { return m_speichern; }
    QPushButton* rueckgaengigKnopf() { return m_rueckgaengig; }
    Navigator* navigator() const { return m_navigator; }
    DbEdit* nameFeld() { return m_name; }
    bool bildGezeigt() const;
    // The base data page's picture again (a picture was loaded, deleted or chosen for printing).
    void bildNeuZeigen() { bildZeigen(); }
    QLabel* bemerkungsVorschau() const { return m_bemerkung; }
    QLabel* besitzerBox() const { return m_besitzer; }
    QLabel* elternFeld(bool vater) const { return vater ? m_vater : m_mutter; }
    TElternPanel* elternPanel() const { return m_elternPanel; }
    bool bemerkungOffen() const;
    void bemerkungOeffnen();
    void bemerkungSchliessen();

    bool neuerSatz = false;
    bool titelGeaendert = false;
    bool nameGeaendert = false;

    QSize sizeHint() const override;

    // --- for the pages
    // The pages in tab order after the base data page.
    const QList<TKatzenSeite*>& katzenSeiten() const { return m_katzenSeiten; }
    template <typename T> T* seite() const {
        for (TKatzenSeite* s : m_katzenSeiten)
            if (auto* t = qobject_cast<T*>(s)) return t;
        return nullptr;
    }
    // A date field of the cat record with the window's calendar.
    DbDatum* datumsFeld(const QString& feld);
    // The window's calendar dialog: a date on OK, nothing on Cancel.
    std::optional<QDate> kalenderWaehlen();
    // The cat search for a male (stud of a litter) or a female (mated female); 0 when cancelled.
    int katzeWaehlen(bool maennlich);
    // Every page stores what is pending; false when one refused (it is then in front).
    bool seitenVerlassen();

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    friend class TSeiteStammdaten; // builds the base data page on this record
    void aufbauen();
    void befehleAnlegen();
    void vorDemSpeichern(store::Table& t);
    // A refused store that drops the edit or the new record; anzeigeNeu: show the cat again.
    void eingabeVerwerfen(store::Table& t, bool anzeigeNeu);
    // Undoes the edit or new record without counting the return as a navigation.
    void eintragVerwerfen();
    // Ends the entry of a missing parent: the shared flags and the save button's caption.
    void stammbaumEintragBeenden();
    // Shows the pedigree page, drawn again, with the focus on its first slot.
    void stammbaumZeigen();
    void nachDemSpeichern();
    void knoepfeSetzen();
    void inzuchtAnzeigen();
    void elternZeigen();
    void alterZeigen();
    // Clears what belongs to the shown cat only and shows what a new record holds.
    void neuerSatzAnzeigen();
    void titelZeigen();
    void bemerkungZeigen();
    // The colour and eye-colour choices, read again when their list editor closed its table.
    void auswahllisteLaden(const QString& tabelle);
    void bildZeigen();
    void adressenZeigen();
    void besitzerZeigen();
    QString adressBlockVon(int adressNummer);
    // Tells every page the cat shown now; a page in front reads its rows.
    void seitenKatzeSetzen();
    // The values a new record started with, so a move can tell whether anything was typed.
    void vorgabeMerken();
    bool neuUnberuehrt() const;
    QString beschriftung() const;
    bool blockiert();
    int aktuelleNummer() const;

    std::unique_ptr<store::Table> m_katzen, m_rasse, m_fellart, m_status, m_farben, m_augen;
    std::unique_ptr<store::Table> m_titelbez, m_titelhund, m_merkmal, m_merkmale, m_topkatze, m_adr, m_eigen;
    std::unique_ptr<store::Table> m_zuchtwert;
    std::unique_ptr<FeldBindung> m_bindung;
    std::unique_ptr<genealogy::TabellenKatzenQuelle> m_quelle;
    std::unique_ptr<genealogy::TFormInzuchtberechnung> m_inzucht;
    std::unique_ptr<class TSuchenDlg> m_suche;
    bool m_laedt = false;
    bool m_speichert = false; // a post is running (its checks may switch pages)
    bool m_ohneFrage = false; // the save question was asked already
    QVariantList m_vorgabe;

    QScrollArea* m_stammSeite = nullptr;
    QTabWidget* m_seiten = nullptr;
    DbEdit* m_name = nullptr;
    DbEdit* m_zwinger = nullptr;
    DbEdit* m_farbe = nullptr;
    DbEdit* m_augenfarbe = nullptr;
    QLabel* m_alter = nullptr;
    QLabel* m_kreuz = nullptr;
    QLabel* m_vater = nullptr;
    QLabel* m_mutter = nullptr;
    QLabel* m_ik = nullptr;
    QLabel* m_avk = nullptr;
    QLabel* m_merkmaleText = nullptr;
    QLabel* m_bemerkung = nullptr;
    QFrame* m_bemerkungVoll = nullptr;
    DbMemo* m_bemerkungMemo = nullptr;
    QLabel* m_bild = nullptr;
    QLabel* m_zuechter = nullptr;
    QLabel* m_besitzer = nullptr;
    QGridLayout* m_titelRaster = nullptr;
    QList<QCheckBox*> m_titel;
    int m_titelKatze = 0; // the cat whose titles the boxes show (0: a new record not stored yet)
    QPushButton* m_speichern = nullptr;
    QPushButton* m_rueckgaengig = nullptr;
    Navigator* m_navigator = nullptr;
    QList<QAction*> m_befehle; // the register's commands in the main window's Katze menu
    QList<TKatzenSeite*> m_katzenSeiten;
    TElternPanel* m_elternPanel = nullptr;
    TSeiteZusatzinfo* m_zusatzinfo = nullptr;
    int m_vorigeSeite = 0;
    bool m_seiteZurueck = false; // the page change is the return to a page that refused to be left
    qint64 m_gezeigteKatze = 0;  // record id of the cat the pages show
};

// Registers the register window and its commands with the main window.
void registerFensterRegistrieren();

} // namespace velmora::reg
