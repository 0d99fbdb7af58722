#pragma once
// The inbreeding and ancestor-loss calculation, one object per run. It reads cats through a
// KatzenQuelle and reports progress through an InzuchtFortschritt, so it runs without widgets.
// Every figure comes from the appearance counts of each cat per side and generation (Vorkommen); only
// detail mode's lists walk the places one by one, and only where something is to be listed.

#include "genealogy/baum.h"
#include "genealogy/vorkommen.h"
#include "genealogy/wright.h"

#include <QHash>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <functional>
#include <optional>
#include <unordered_map>

namespace velmora::genealogy {

struct KatzenDaten {
    qint32 Vater = 0;
    qint32 Mutter = 0;
    QString Name;
    QVector<qint32> Merkmale; // Merkmal numbers in the order of index "Katze"
};

struct TopKatzeZeile {
    qint32 LaufendeNummer = 0; // row number 1..5
    qint32 Katze = 0;
    std::optional<qint32> Farbe;
};

// Where the calculation reads cats, feature colours and top cats.
class KatzenQuelle {
public:
    virtual ~KatzenQuelle() = default;
    // False when nr is 0 or names no record.
    virtual bool lesen(qint32 nr, KatzenDaten& daten) = 0;
    virtual std::optional<qint32> merkmalFarbe(qint32 merkmal) = 0;
    virtual QVector<TopKatzeZeile> topKatzen() = 0; // rows in table order
    // The whole known ancestry of the two cats is about to be read: a source that can read it at once
    // does so here, so that the single reads that follow find it.
    virtual void vorfahrenVorlesen(qint32 vater, qint32 mutter) {
        Q_UNUSED(vater);
        Q_UNUSED(mutter);
    }
};

struct VorfahrZeile {
    qint32 Nummer = 0;
    QString Name;
    qint64 Anzahl = 0;
    std::optional<qint32> Farbe;
};

// Where the ancestor table goes (detail mode). The store-backed one re-creates Vorfahrenliste.db.
class VorfahrenZiel {
public:
    virtual ~VorfahrenZiel() = default;
    virtual bool neuAnlegen() = 0;                                   // false: cannot be created
    virtual void schreiben(const QVector<VorfahrZeile>& zeilen) = 0; // in name order
};

class InzuchtFortschritt {
public:
    virtual ~InzuchtFortschritt() = default;
    virtual void zeigen(bool sichtbar) = 0;
    virtual void schrittText(const QString& text) = 0;
    virtual void maximum(qint64 max) = 0;
    virtual void position(qint64 pos) = 0;
    virtual void ereignisseVerarbeiten() = 0; // the cancel button is noticed here
};

// Fixed number format: p significant digits (halves away from zero), exactly d decimals, the locale's
// decimal separator; exponent form when the integer part has more than p digits.
QString festFormat(double wert, int p, int d, const QLocale& locale);
// A coefficient as Inzuchtkoeffizient writes it: " 0,25000 = 25,00%", or " 0%" for none.
QString wrightText(double wert, const QLocale& locale);

// Detail mode lists every pair of appearances up to this many; above it one line per common ancestor
// and pair of generations, with the number of pairs.
constexpr quint64 kEinzelnePaare = 100000;
// The same for the information lines about missing parents and cut-off pedigrees.
constexpr quint64 kEinzelneHinweise = 100000;

class TFormInzuchtberechnung {
public:
    TFormInzuchtberechnung(KatzenQuelle& quelle, std::function<QString(int)> meldung = {});

    bool Berechne(qint32 Tier, qint32 Vater, qint32 Mutter, quint8 Generationen, bool Inzucht);
    void abbrechen() { abbruch = true; } // the cancel button

    // plain parameters from the settings
    bool mitVorfahren = true;
    bool MerkmalVorTop = true;
    QLocale locale;
    bool mitWright = false;     // also Wright's coefficient over the whole known pedigree
    bool cacheBehalten = false; // keep the cat cache between runs (callers that do not edit cats)
    void cacheLeeren() {
        m_cache.clear();
        m_farbCache.clear();
    }

    // hooks
    InzuchtFortschritt* fortschritt = nullptr;
    VorfahrenZiel* vorfahrenZiel = nullptr;
    std::function<void(bool)> setzeInzuchtBerechne;        // the main window's flag
    std::function<void(const QString&, int)> zeigeMeldung; // text, 0 information / 2 error

    // results
    QString Inzuchtkoeffizient, Inzuchtkoeffizientkurz, Ahnenverlustkoeffizient, Stammbaumkomplett;
    QStringList Ahnenverlust, Inzucht, Info, Clon;
    std::array<QString, 2> g1;
    std::array<QString, 4> g2;
    std::array<QString, 8> g3;
    std::array<QString, 16> g4;
    QVector<VorfahrZeile> Vorfahrenliste; // name order, as written to the table
    // Wright's coefficient (with mitWright): text as Inzuchtkoeffizient, the fraction, the ancestors used
    QString WrightKoeffizient;
    double wrightSumme = 0;
    qint64 WrightVorfahren = 0;
    qint64 AnzahlTopKatzen[2][5] = {};
    QString TopKatzeAnzahl(qint32 zeile) const; // the calculated field of a TopKatze row
    QString letzteMeldung;                      // the text of the last message shown
    bool letzteMeldungFehler = false;           // it was an error, not information

    // working state, readable for tests and callers
    Vorkommen vorkommen;        // appearance counts of the last calculation
    tListeInzucht ketteInzucht; // every pair, in detail mode while they are listed one by one
    double summe = 0;           // the coefficient as a fraction
    quint64 AnzahlPaare = 0;    // pairs of appearances of a common ancestor (saturated)
    qint32 SatznummerKatze = 0, SatznummerVater = 0, SatznummerMutter = 0;
    quint8 GenerationenBerechnung = 0;
    bool ausInzucht = false;
    bool abbruch = false;
    bool komplett = true;
    quint64 AnzahlMoeglicherVorf = 0;
    quint64 AnzahlVorhandenerVorf = 0;
    qint64 zaehler = 0; // places filled plus the cat itself
    qint64 zaehlerdoppelt = 0;

private:
    QString m(int nr) const;
    void melden(const QString& text, int art);
    void ende();
    bool berechnen(qint32 Tier, qint32 Vater, qint32 Mutter, quint8 Generationen, bool Inzucht);
    void ergebnisseLeeren();
    bool weiter();
    void slotsUeberspringen(int generation);
    void nameSpeichern(int generation, const QString& name);
    void namenFuellen(int i, int generation);
    std::vector<int> reihenfolge();
    bool hinweiseSchreiben(const std::vector<int>& reihe);
    void vorfahrenSchreiben();
    void klonZaehlen(const std::vector<int>& reihe);
    bool paareEinzeln(bool& gelistet);
    bool paareGruppiert(const std::vector<int>& reihe, int meldung);
    QString paarZeile(qint32 nr, int links, int rechts);
    const KatzenDaten* cache(qint32 nr);

    KatzenQuelle& m_quelle;
    std::function<QString(int)> m_meldung;
    std::unordered_map<qint32, std::optional<KatzenDaten>> m_cache; // node-based: references stay valid
    QHash<qint32, std::optional<qint32>> m_farbCache;
    Wright m_wright;
    QVector<TopKatzeZeile> m_top;
    std::vector<signed char> m_marke; // per ancestor and level, for the walks of detail mode
    QHash<quint64, QString> m_zeilen; // pair lines by ancestor and generations
    qint64 m_schritte = 0;
    int gen2 = 1, gen3 = 1, gen4 = 1;
};

} // namespace velmora::genealogy
