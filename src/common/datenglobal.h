#pragma once
// The shared data module: read-only cursors over the central tables and the routines several windows
// share (age text, title abbreviations, the text lines describing one cat, the display name of an
// address, the coat-type completion of the breed table), plus the state of entering a missing parent
// from a pedigree.

#include "settings/systeminfo.h"
#include "store/database.h"
#include "store/errors.h"
#include "store/table.h"

#include <QChar>
#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace velmora::language {
class TSprache;
}

namespace velmora::common {

class TDatenGlobal {
public:
    // Receives every table that fails to open (or to be created, upgraded or indexed) with its file name.
    using Fehlermeldung = std::function<void(const store::DatabaseError& fehler, const QString& dateiname)>;

    // Opens the cursors at once (Dateienoeffnen).
    TDatenGlobal(store::Database& db, const settings::tsysteminfo& einstellungen, Fehlermeldung fehler = {});
    ~TDatenGlobal();
    TDatenGlobal(const TDatenGlobal&) = delete;
    TDatenGlobal& operator=(const TDatenGlobal&) = delete;

    // Closes and reopens every cursor in the fixed order, with the creations, upgrades and index checks
    // the start-up also runs. A cursor that fails is reported and stays closed; the others open.
    // Called again after a restore.
    void Dateienoeffnen();

    // Age of a cat from `von` to `bis`, ended early by a death date before `bis`. Invalid dates mean
    // "none". art 0: years/months/weeks; art 4: weeks and days between one and 150 days (kitten weights).
    QString alterBerechnen(const QDate& von, const QDate& bis, const QDate& tod, int art) const;
    // The same rule without tables; the four texts are the captions for years, months, days and weeks.
    static QString alterBerechnen(const QDate& von, const QDate& bis, const QDate& tod, int art,
                                  const QString& jahre, const QString& monate, const QString& tage,
                                  const QString& wochen);

    // The cat's title abbreviations joined by "/"; `wennUnbekannt` when the cat does not exist.
    QString GetTitel(int tier, const QString& wennUnbekannt = QString());

    // Fills `daten` and `bild` for one cat. typ 1 and 3: pedigree window and register lists; 2: as 1
    // with `Zusatz` in front of the first eight lines; 5: HTML pedigree (uses htmlNamensFarbe and
    // htmlGenerationen). TitelVorh and TitelNr stay unchanged when the cat does not exist.
    void Katzendaten(int typ, int KatzeNr, const QString& Zusatz, bool& TitelVorh, int Generation,
                     bool ChangeSprache, int& TitelNr);
    // Fills `daten` for the mating window (no picture).
    void KatzendatenVerp(int KatzeNr, const QString& Zusatz, bool& TitelVorh);

    // Fills Haarart, Haarlos and Faltohr of the breeds from dbRasse's current record to the end: from the
    // supplement table when it names the breed, otherwise from the words of the breed name.
    void HaarartErgaenzen();

    // "Vorname Name", or the name alone (the calculated field Anzeige of dbAdrDat).
    static QString anzeigeName(const QString& name, const QString& vorname);

    // --- cursors
    store::Table dbKatze;
    store::Table dbKatzeTitel;
    store::Table dbTitelHund;
    store::Table dbTitelName;
    store::Table dbFarbe;
    store::Table dbRasse;
    store::Table dbAugen;
    store::Table DBBild;
    store::Table dbBewertung;
    store::Table dbGekVerk;
    store::Table dbKatzeMerkmal;
    store::Table dbMerkmale;
    store::Table dbAdrDat;
    store::Table TableFellart;
    store::Table dbTMP;
    store::Table dbEigen; // the user's own address: owner of the cats with status 1

    // --- results of the last call
    QStringList daten;
    QString bild;
    bool rasseOK = false;

    // --- new parent from the pedigree
    bool NeuausStb = false;
    QChar VMZeiger = QLatin1Char(' ');
    int CatNr = 0;

    // --- inputs
    int htmlNamensFarbe = 0;               // name font colour of the HTML pedigree, 0x00BBGGRR
    int htmlGenerationen = 4;              // generations the HTML pedigree shows
    QLocale gebietsschema;                 // dates in the lines
    QString kurzDatumsFormat;              // empty: the locale's short format
    language::TSprache* sprache = nullptr; // captions; nullptr: the run's instance

private:
    enum class Form { Liste, Html, Verpaarung };
    static constexpr int kGekauft = 100;
    static constexpr int kVerkauft = 101;

    void fehlerMelden(const store::DatabaseError& e, const QString& tabelle) const;
    void schliessen();
    bool katzeSuchen(int KatzeNr);
    void rasseSuchen();
    QString titelPraefix(bool titelGewaehlt);
    std::optional<QString> zeile(Form form, int item, int generation, bool changeSprache,
                                 bool rassecodeGewaehlt);
    std::optional<QString> rfCode();
    std::optional<QString> merkmalText();
    std::optional<QString> adresse(int nummer);
    QString datum(const QDate& d) const;
    QString beschriftung(int n) const;
    bool englisch() const;
    static QString htmlFarbe(int farbe);

    store::Database& m_db;
    const settings::tsysteminfo& m_einstellungen;
    Fehlermeldung m_fehler;
    // Details are used only while their master link holds (the master may have failed to open).
    bool m_bilderVerknuepft = false;
    bool m_merkmaleVerknuepft = false;
    bool m_titelVerknuepft = false;
};

} // namespace velmora::common
