#pragma once
// The inbreeding window: the detail calculation for a registered cat or a planned mating, its results
// on six pages, Wright's coefficient beside them, stored calculations (save, list, load, delete) and the
// report. The calculation runs in a worker thread on its own connection to the data directory, so the
// window and the cancel button stay responsive; a result is shown only when the run finished uncancelled.

#include "common/ui/kindfenster.h"
#include "genealogy/inzuchtberechnung.h"
#include "genealogy/inzuchtspeicher.h"
#include "genealogy/ui/inzuchtfortschrittfenster.h"
#include "printing/bericht.h"

#include <QPointer>
#include <array>
#include <atomic>
#include <functional>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSplitter;
class QTabWidget;
class QTableWidget;
class QThread;

namespace velmora::genealogy {

class TabellenVorfahrenZiel;
struct InzuchtLauf;

class TFormInzuchtgrad : public TKindFenster {
    Q_OBJECT
public:
    explicit TFormInzuchtgrad(TRahmen& haupt);
    ~TFormInzuchtgrad() override;

    bool oeffnen() override;
    void schliessen() override;
    void uebersetzt() override;

    // Calculation kind: 0 cat, 1 parents.
    int art() const;
    void setzeArt(int art);
    // Takes the cat with its parents (cat kind).
    void katzeSetzen(qint32 nummer);
    void vaterSetzen(qint32 nummer);
    void mutterSetzen(qint32 nummer);
    int generationen() const;

    // Commands.
    void BerechnungClick();
    void SpeichernClick();
    void LadenClick();
    void ListeLadenClick();
    void ListeLoeschenClick();
    void DruckenClick();
    void BerichtVorschau();
    void BerichtPdf();

    bool laeuft() const { return m_lauf != nullptr; }
    // Empties every result field.
    void ergebnisseLeeren();
    // The report of what is shown, with the options of the print panel.
    printing::Bericht bericht() const;

    qint32 SatznummerKatze = 0, SatznummerVater = 0, SatznummerMutter = 0;
    bool berechneStart = false;
    // The shown result as it would be stored.
    const InzuchtStand& stand() const { return m_stand; }
    bool hatErgebnis() const { return m_hatErgebnis; }

    // Hooks for the dialogs the window opens (tests replace them).
    std::function<void(const printing::Bericht&)> vorschau;
    std::function<QString()> pdfDateiWaehlen;
    std::function<int(int formular, bool vater)> katzeSuchen; // 0: cancelled
    // The name for a stored calculation in parents mode; ok false when cancelled.
    std::function<QString(const QString& vorschlag, bool& ok)> nameFragen;

    InzuchtFortschrittFenster* fortschritt() const { return m_fortschritt; }

signals:
    void berechnungFertig(bool ergebnis);

protected:
private:
    void aufbauen();
    void artGewechselt(int art);
    void namenAnzeigen();
    QString katzenName(qint32 nummer) const;
    void laufStarten();
    void laufFertig();
    void standAnzeigen();
    void vorfahrenZeigen(const QString& index);
    void topKatzenLive();
    void klonGitterFuellen(const QVector<KlonAnteil>& zeilen);
    void listeZeigen(bool zeigen);
    void registerKatze(int nummer);
    void warten();

    std::unique_ptr<TabellenVorfahrenZiel> m_vorfahrenZiel;
    InzuchtStand m_stand;
    bool m_hatErgebnis = false;
    bool m_topGespeichert = false; // the panel shows stored top-cat rows
    std::array<QString, 30> m_namen;

    // the run in the worker
    InzuchtLauf* m_lauf = nullptr;
    QThread* m_thread = nullptr;
    std::shared_ptr<std::atomic<bool>> m_abbruch;
    bool m_verworfen = false;

    QButtonGroup* m_artGruppe = nullptr;
    QRadioButton* m_radioKatze = nullptr;
    QRadioButton* m_radioEltern = nullptr;
    QLineEdit* m_katze = nullptr;
    QLineEdit* m_vater = nullptr;
    QLineEdit* m_mutter = nullptr;
    QPushButton* m_sucheKatze = nullptr;
    QPushButton* m_sucheVater = nullptr;
    QPushButton* m_sucheMutter = nullptr;
    QLineEdit* m_generationen = nullptr;
    QTabWidget* m_seiten = nullptr;
    QPlainTextEdit* m_memoInzucht = nullptr;
    QLineEdit* m_prozent = nullptr;
    QLineEdit* m_wright = nullptr;
    QPlainTextEdit* m_memoAhnenverlust = nullptr;
    QTableWidget* m_gitterVorfahren = nullptr;
    QLineEdit* m_komplett = nullptr;
    QPlainTextEdit* m_memoInfo = nullptr;
    QSplitter* m_splitter = nullptr;
    QTableWidget* m_gitterTop = nullptr;
    QTableWidget* m_gitterKlon = nullptr;
    QList<QLabel*> m_gLabels; // g11, g12, g21..g24, g31..g38, g41..g416
    QFrame* m_panelListe = nullptr;
    QListWidget* m_liste = nullptr;
    QFrame* m_panelDrucken = nullptr;
    QCheckBox* m_mitInzucht = nullptr;
    QCheckBox* m_mitVorfahren = nullptr;
    QCheckBox* m_mitKlon = nullptr;
    QVector<GespeicherteBerechnung> m_gespeichert;
    QPointer<InzuchtFortschrittFenster> m_fortschritt;
};

// Registers the window with the frame (menu "MenueVerwaltung", entry "&Inzuchtgrad").
void inzuchtgradRegistrieren();

} // namespace velmora::genealogy
