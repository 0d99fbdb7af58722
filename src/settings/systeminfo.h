#pragma once
// The settings object: every user preference of Tessaro.ini, read once at start-up and then read directly
// by every window. The fields are described by one table (felder()) that loading, writing back, the tool
// and the tests all walk, so a key cannot be read under one name and written under another.

#include <QDate>
#include <QLocale>
#include <QRect>
#include <QString>
#include <QStringList>
#include <array>
#include <span>
#include <variant>
#include <vector>

namespace velmora::settings {

enum class Sprache { Deutsch = 0, Englisch = 1, Hollaendisch = 2 };

// Item numbers in display order, followed by zeros.
using Reihenfolge22 = std::array<quint8, 22>;
using Reihenfolge23 = std::array<quint8, 23>;
using LetzteKatzen = std::array<QString, 5>;

class tsysteminfo;
class ProzessStarter;
struct SetzenPlan;

// The order of the alternatives is the order of FeldTyp.
enum class FeldTyp { Text, Bool, Zahl, Byte, Real, Datum, Sprache, Reihenfolge22, Reihenfolge23, Texte5 };
using FeldZeiger =
    std::variant<QString tsysteminfo::*, bool tsysteminfo::*, int tsysteminfo::*, quint8 tsysteminfo::*,
                 double tsysteminfo::*, QDate tsysteminfo::*, Sprache tsysteminfo::*,
                 Reihenfolge22 tsysteminfo::*, Reihenfolge23 tsysteminfo::*, LetzteKatzen tsysteminfo::*>;

struct FeldBeschreibung {
    const char* name;
    const char* sektion;    // nullptr: computed or not stored
    const char* schluessel; // for Texte5 the stem, numbered 1 to 5
    const char* vorgabe;    // as the file would hold it; nullptr: computed (Aufloesung) or none
    FeldZeiger zeiger;

    FeldTyp typ() const { return static_cast<FeldTyp>(zeiger.index()); }
    bool gespeichert() const { return sektion != nullptr; }
};

// All fields in declaration order.
std::span<const FeldBeschreibung> felder();
const FeldBeschreibung* feld(const QString& name);

class tsysteminfo {
public:
    tsysteminfo(); // every field at its default, as an empty file gives

    // Reads the whole file once; missing keys take their defaults. The work area decides the default of
    // Aufloesung; the locale reads real numbers and dates. False when the file exists but cannot be read
    // (the fields then hold the defaults).
    bool load(const QString& pfad, const QRect& arbeitsbereich = {}, const QLocale& locale = QLocale());

    // Writes the fields' current values under their keys at once, keeping every other line of the file.
    // False for an unknown or not stored field or when the file cannot be written.
    bool schreibeFelder(const QStringList& namen) const;
    bool schreibeFeld(const QString& name) const { return schreibeFelder({name}); }
    // Aufloesung = "Angepasst " + width + "x" + height, written at once.
    bool AufloesungSpeichern(int breite, int hoehe);
    // A key that belongs to no field (such as "Umrechnung bis"), written at once.
    bool schreibeSchluessel(const QString& sektion, const QString& schluessel, const QString& wert) const;

    // Reads TessaroUPD.ini beside the settings file and runs its update programs one after the other,
    // each to its end. Returns how many were started.
    int loadUpdate(ProzessStarter& starter) const;
    int loadUpdate() const; // with real processes

    // Prepares applying the settings to the main window: derives the three item orders, raises the
    // generations to their minimum and returns what the windows have to do.
    SetzenPlan setzen(const QRect& arbeitsbereich);

    int spracheNummer() const { return static_cast<int>(Sprache); }

    void StammbaumSortierungAnzeige();
    void StammbaumSortierungDrucken();
    void VerpaarungSortierungAnzeige();
    void generationenAnheben(); // the minimum of three generations that setzen enforces

    // The field's value as the tool prints it: arrays joined by ",", booleans 1/0, reals with a dot,
    // dates as yyyy-MM-dd (empty when none), the language as its number.
    QString anzeigeText(const FeldBeschreibung& f) const;

    const QString& pfad() const { return m_pfad; }

    QString Status;
    bool Anzeigen = false;
    QString index;
    QString indexStammdaten;
    int RasseStandardeinstellung = 0;
    QString FarbeStandardeinstellung;
    int HaarartStandardeinstellung = 0;
    bool ZusatzBeiZwinger = false;
    bool SuchebeiNeuaufnahme = false;
    bool SuchebeiNeuaufnahmeAdresse = false;
    bool BildAnpassen = false;
    bool alleTitel = false;
    QString stammbaumAnzeige;
    Reihenfolge22 stammbaumAnzeigeArray{};
    QString stammbaumDrucken;
    Reihenfolge22 StammbaumDruckenArray{};
    bool stammbaumBesitzer = false;
    int TageNaechsteRolligkeit = 0;
    quint8 TageNRplusMinus = 0;
    int TageTraechtigkeit = 0;
    int TagebisAbgabetermin = 0;
    QString verpaarungAnzeige;
    Reihenfolge23 verpaarungAnzeigeArray{};
    int Inzuchtgenerationen = 0;
    int InzuchtStdgenerationen = 0;
    bool InzuchtBerechnungAuto = false;
    int InzuchtFenster = 0;
    bool InzuchtmitVorfahren = false;
    int StammbaumGeneration = 0;
    bool StammbaumlangBild = false;
    bool StammbaumBild = false;
    bool StammbaumGenBild = false;
    QString Stammbaumlogo;
    int StammbaumLogoBildhorizontal = 0;
    int StammbaumLogoBildvertikal = 0;
    QString StammbaumHintergrundbild;
    int StammbaumLinkerRand = 0;
    int StammbaumRechterRand = 0;
    int StammbaumObererRand = 0;
    int StammbaumUntererRand = 0;
    int StammbaumBildhorizontal = 0;
    int StammbaumBildvertikal = 0;
    int StammbaumGenBildhorizontal = 0;
    int StammbaumGenBildvertikal = 0;
    bool TitelRot = false;
    bool StbDoppelteFarbig = false;
    QString Schriftart;
    int Schriftgroesse = 0;
    int BildAufloesung = 0;
    double Druckoben = 0;
    double Drucklinks = 0;
    bool speichern = false;
    bool hilfe = false;
    bool Fenstergroesse = false;
    QString Aufloesung;
    settings::Sprache Sprache = settings::Sprache::Deutsch;
    double faktoram = 0;
    QDate Umrechnungam;
    QString Textverarbeitung;
    bool WarnungVerfallsdatum = false;
    bool WarnungTermine = false;
    bool WarnungImpfung = false;
    bool WarnungWurmkur = false;
    bool SpracheGeaendert = false;
    LetzteKatzen LastCats;
    bool MerkmalvorTop = false;
    int StatistikGenerationen = 0;

private:
    QString m_pfad;
    QLocale m_locale;
};

// --- Pure rules, also used where no settings object is at hand ---

// Exact comparison: "englisch" is German.
Sprache spracheAusText(const QString& text);
QString spracheText(Sprache s);

// The byte the file's BerechnungPlusMinus becomes: the value modulo 256.
quint8 alsByte(int wert);

// Raised to 3 when below.
int mindestensDreiGenerationen(int generationen);

// The keywords of the display items, index 0 holding item 1.
const QStringList& stammbaumSchluesselwoerter();  // 22
const QStringList& verpaarungSchluesselwoerter(); // 23
// The items of `schluesselwoerter` in the order their keywords first occur in `text` (case-sensitive
// substring search), one entry per item, the rest zeros.
std::vector<quint8> reihenfolgeAbleiten(const QString& text, const QStringList& schluesselwoerter);
Reihenfolge22 stammbaumReihenfolge(const QString& text);
Reihenfolge23 verpaarungReihenfolge(const QString& text);

// Default of Aufloesung for the screen's work area.
QString aufloesungVorgabe(const QRect& arbeitsbereich);

// How the main window is sized from Aufloesung.
struct Fenstermasse {
    bool maximiert = false;
    bool positionSetzen = false;
    bool groesseSetzen = false;
    QRect rechteck; // position and size where set
};
Fenstermasse fensterMasse(const QString& aufloesung, const QRect& arbeitsbereich);

// The cat list's filter for Status: empty for "alle", else "Status=d" for each digit, joined by " OR ".
// A Status without any digit (nothing chosen) gives a filter no cat passes, rather than one the table
// would refuse.
QString statusFilter(const QString& status);

// What the windows do with the settings; the settings object fills it, the main window carries it out.
struct SetzenPlan {
    bool listeAnzeigen = true;  // cat list panel shown
    bool rufnameSpalte = false; // column Rufname shown and Name hidden (else the reverse)
    QString listenIndex;
    QString listenFilter;
    QString stammdatenIndex;  // the register's cat table
    bool schnellhilfe = true; // tool tips
    Fenstermasse fenster;
    QString schriftart;
    int schriftgroesse = 0;
    bool spracheAnwenden = false; // translate all windows to `sprache`
    int sprache = 0;
};

// The command lines TessaroUPD.ini asks to run, in order; empty when its version needs no update or
// the file or keys are missing.
QStringList updateBefehle(const QString& updatePfad);

} // namespace velmora::settings
