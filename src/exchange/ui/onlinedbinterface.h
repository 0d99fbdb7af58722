#pragma once
// The online database window in its three modes: the CSV export of the cat file, the online upload of
// the register's files and the cats' main pictures, and the table editor over every cat with search and
// replace. One grid of all cats serves all three.

#include "common/ui/kindfenster.h"
#include "exchange/onlineexport.h"
#include "exchange/ui/suchenersetzen.h"
#include "exchange/uploadeinstellungen.h"

#include <QPointer>
#include <functional>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;

namespace velmora::store {
class Table;
}

namespace velmora::exchange {

class KatzenGitterModell;
class TUpload;

class TFormOnlineDBInterface : public TKindFenster {
    Q_OBJECT
public:
    enum class Modus { CsvExport, Upload, Editor };
    TFormOnlineDBInterface(TRahmen& haupt, Modus modus);
    ~TFormOnlineDBInterface() override;

    bool oeffnen() override;
    void schliessen() override;
    void uebersetzt() override;

    Modus modus() const { return m_modus; }
    QTableView* gitter() const { return m_gitter; }
    KatzenGitterModell* modell() const { return m_modell.get(); }
    store::Table& katzen() const { return *m_katzen; }
    bool bearbeitbar() const { return m_bearbeitbar; }
    TFormSuchen_Ersetzen* suchenErsetzen() const { return m_suchen; }

    // "&CSV-Datei"
    void CSVDateiClick();
    // "&Upload"
    void UploadClick();
    // "&Einstellungen": edits the upload's addresses and login and writes them to the settings file
    void EinstellungenClick();
    // "Datei editieren"
    void EditierenClick();
    // "Suchen/Ersetzen"
    void SuchenErsetzenClick();
    // A click on a column title: sorts by that column's index, when it has one.
    void titelGeklickt(int spalte);

    // The target of the CSV export; empty when cancelled. Replaced by tests (no file dialog).
    std::function<QString()> dateiWahl;
    // Where the upload files are written before they are sent (the current folder by default).
    QString uploadOrdner;
    // The upload's addresses and account code (read from the settings file when the window opens).
    UploadEinstellungen uploadEinstellungen;

signals:
    // The grid's cursor moved to another record or the grid was sorted anew.
    void gitterGeaendert();

private:
    ExportOptionen optionen() const;
    void aufbauen();
    void fortschritt(int erledigt, int gesamt);
    void verlusteMelden(const Zeichenverluste& v);
    QCheckBox* kasten(const char* name, int tag, const char* text, QWidget* eltern);

    Modus m_modus;
    std::unique_ptr<store::Table> m_katzen; // the grid's cursor
    std::unique_ptr<store::Table> m_lauf;   // the export's walk in the grid's order
    std::unique_ptr<TOnlineExport> m_daten;
    std::unique_ptr<KatzenGitterModell> m_modell;
    QTableView* m_gitter = nullptr;
    QCheckBox *m_bilder = nullptr, *m_merkmale = nullptr, *m_bemerkungen = nullptr, *m_adressen = nullptr,
              *m_zuchtbuch = nullptr, *m_utf8 = nullptr;
    QCheckBox *m_tierdaten = nullptr, *m_adressdaten = nullptr, *m_rassen = nullptr, *m_farben = nullptr,
              *m_merkmalDb = nullptr;
    QGroupBox *m_exportMit = nullptr, *m_uploadVon = nullptr;
    QPushButton *m_csv = nullptr, *m_upload = nullptr, *m_beispiel = nullptr, *m_editieren = nullptr,
                *m_suchenKnopf = nullptr, *m_uploadAbbruch = nullptr, *m_einstellungen = nullptr;
    bool m_uploadGestoppt = false;
    QProgressBar* m_fortschritt = nullptr;
    QLabel* m_hinweis = nullptr;
    bool m_bearbeitbar = false;
    QPointer<TFormSuchen_Ersetzen> m_suchen;
};

void onlineDatenbankRegistrieren();

} // namespace velmora::exchange
