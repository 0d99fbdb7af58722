#pragma once
// In-memory ancestor structures. Nodes live in vectors and refer to each other by index (-1 = none),
// which keeps large trees compact and releases them in one step.

#include <QHash>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <functional>
#include <vector>

namespace velmora::genealogy {

enum class richtung { zurueck, links, rechts, root };
enum class art { neu, vor, hinter };

constexpr int keiner = -1;

// Shows an error text (allocation failures); may be empty in headless use.
using Fehlerausgabe = std::function<void(const QString&)>;

struct Satz {
    int Vorgaenger = keiner;
    int Links = keiner;
    int Rechts = keiner;
    quint8 Generation = 0;
    qint32 Satznummer = 0;
    qint32 SatzNrVater = 0;
    qint32 SatzNrMutter = 0;
    bool kontrolle = false;
    bool vergleich = true;
    bool gefunden = false;
};

class TBinaerbaum {
public:
    TBinaerbaum() = default;
    ~TBinaerbaum() { destroy(); }

    bool Anlegen(int Geschl);
    int Wechsel(richtung weg, int zeiger) const;
    void destroy();

    Satz& knoten(int i) { return m_knoten[static_cast<size_t>(i)]; }
    const Satz& knoten(int i) const { return m_knoten[static_cast<size_t>(i)]; }
    const std::vector<Satz>& alle() const { return m_knoten; }

    int Zeigeranfang = keiner;
    int ZeigerAktuell = keiner;
    quint8 Generationen = 0;
    qint32 zaehler = 0;
    Fehlerausgabe fehler; // message 126 + line break + 127

private:
    std::vector<Satz> m_knoten;
};

struct SatzTemp {
    int Vorgaenger = keiner;
    qint32 Gen = 0;
    int Vater = keiner;
    int Mutter = keiner;
    qint32 SatznrVater = 0;
    qint32 SatznrMutter = 0;
};

// Holds only the chain from the root to the current node; a stack is all it needs.
class TBinaerbaumTemp {
public:
    explicit TBinaerbaumTemp(Fehlerausgabe fehler = {});
    ~TBinaerbaumTemp() { destroy(); }

    bool Anlegen(int Geschl);
    void zurueck();
    void entf_akt();
    void destroy();
    bool leer() const { return Zeiger == keiner; }
    SatzTemp& aktuell() { return m_kette[static_cast<size_t>(Zeiger)]; }
    SatzTemp& knoten(int i) { return m_kette[static_cast<size_t>(i)]; }
    int groesse() const { return static_cast<int>(m_kette.size()); }

    int Zeiger = keiner;
    Fehlerausgabe fehler;

private:
    std::vector<SatzTemp> m_kette;
};

struct tKetteInzucht {
    qint32 satz = 0;
    quint8 GenerationLinks = 0;
    quint8 GenerationRechts = 0;
    double berechnung = 0;
};

// The elements sit in append order in one vector, so successor and predecessor are neighbours.
class tListeInzucht {
public:
    bool anhaengen();
    // Room for n elements in all, so appending that many allocates nothing; false when it cannot be had.
    bool reservieren(size_t n);
    void next();
    void first();
    void geheEnde();
    void freigeben();

    bool leer() const { return m_elemente.empty(); }
    bool hatVorgaenger() const { return Kette > 0; }
    bool hatNachfolger() const { return Kette != keiner && Kette + 1 < static_cast<int>(m_elemente.size()); }
    tKetteInzucht& aktuell() { return m_elemente[static_cast<size_t>(Kette)]; }
    const std::vector<tKetteInzucht>& elemente() const { return m_elemente; }
    std::vector<tKetteInzucht>& elemente() { return m_elemente; }
    void setzeAufEnde() { Kette = m_elemente.empty() ? keiner : static_cast<int>(m_elemente.size()) - 1; }

    int Kette = keiner;
    Fehlerausgabe fehler; // "Zu wenig Speicher vorhanden!"

private:
    std::vector<tKetteInzucht> m_elemente;
};

struct tKette {
    qint32 Gen = 0;
    qint32 anz = 1;
    int Next = keiner;
    int First = keiner;
};

class tListe {
public:
    explicit tListe(Fehlerausgabe fehler = {});
    ~tListe() { destroy(); }

    bool anlegen(art pos);
    void next();
    void first();
    void geheAnfang();
    void entf_akt();
    void destroy();
    // Sorted insertion: keeps ascending Gen with each value once.
    bool einfuegen(qint32 v);

    bool leer() const { return Kette == keiner; }
    tKette& aktuell() { return m_pool[static_cast<size_t>(Kette)]; }
    const tKette& element(int i) const { return m_pool[static_cast<size_t>(i)]; }
    std::vector<tKette> inReihenfolge() const;

    int Kette = keiner;
    Fehlerausgabe fehler;

private:
    int neuesElement();
    std::vector<tKette> m_pool;
    std::vector<int> m_frei;
};

// The ancestors of one cat in generation-indexed slots: generation g (1 = the parents) holds 2^g slots
// numbered 1 to 2^g; the sire of slot k is slot 2k-1 of the next generation, its dam slot 2k. A slot
// holds a record number, 0 when empty. Repeated ancestors are not merged: each appearance has its slot.
class Ahnentafel {
public:
    static constexpr int kMaxGenerationen = 8; // the pedigree window and its tool
    static constexpr int kGrenze = 12;         // the most any table holds (the HTML pedigree)
    explicit Ahnentafel(int generationen = kMaxGenerationen);

    int generationen() const { return m_generationen; }
    static int slotZahl(int g) { return 1 << g; }
    qint32 slot(int g, int k) const { return m_slots[index(g, k)]; }
    void setSlot(int g, int k, qint32 nummer) { m_slots[index(g, k)] = nummer; }
    // How many filled slots hold the record number.
    int anzahl(qint32 nummer) const;
    int gefuellt() const; // number of filled slots

private:
    static size_t index(int g, int k) { return static_cast<size_t>((1 << g) - 2 + (k - 1)); }
    int m_generationen;
    std::vector<qint32> m_slots;
};

// The colours of doubled ancestors, shared by the pedigree window and the printed pedigree: in slot order
// (generation by generation), each cat that fills more than one slot takes the next colour of the list
// for all its slots; past the end of the list the last colour serves again, black (0) when it is empty.
// Record number -> colour (0x00BBGGRR); cats met once are not in it.
QHash<qint32, int> doppelteAhnenFarben(const Ahnentafel& tafel, const QList<int>& farben);

// The parents of a cat for the slot fill; false when the record is not found. Called once per filled
// slot, generation by generation and slot by slot, so a caller may note what else it needs of the cat.
using Elternleser = std::function<bool(int g, int k, qint32 nummer, qint32& vater, qint32& mutter)>;

// The one slot fill: generation 1 takes the cat's father and mother; then every filled slot whose
// record is found passes its parents to the next generation, and a slot whose record is not found is
// emptied (its ancestors stay unknown). The generation count bounds it, also on a register in which a
// cat is its own ancestor.
Ahnentafel ahnentafelFuellen(qint32 vater, qint32 mutter, int generationen, const Elternleser& lesen);

// One cat at one generation of a pedigree (1 = the parents) with the number of places it fills there.
struct Ahnenplatz {
    qint32 nr = 0;
    int generation = 0;
    quint64 anzahl = 0;
    qint32 vater = 0, mutter = 0; // as read
};

enum class Ahnenlauf { fertig, abgebrochen, fehler };
// The parents of a cat; false when the record is not there (its place stays empty).
using Ahnenleser = std::function<bool(qint32 nr, qint32& vater, qint32& mutter)>;

// The one walk over every place of a pedigree up to `generationen` generations: the path tree
// (TBinaerbaumTemp) goes from the cat to its sire before its dam, each place before its parents. A cat
// met again at a generation where it was walked already brings nobody new, so it is not walked again:
// the walk costs the distinct cats per generation, not the 2^G places of a collapsing pedigree. Each
// cat and generation comes out once, in the order the walk first reaches it, with its number of places
// (saturated at the largest count). weiter is asked at every step; false cancels.
Ahnenlauf ahnenplaetze(qint32 vater, qint32 mutter, int generationen, const Ahnenleser& lesen,
                       const std::function<bool()>& weiter, std::vector<Ahnenplatz>& plaetze,
                       Fehlerausgabe fehler = {});
// The places of all cats: the sum of the counts, saturated.
quint64 platzSumme(const std::vector<Ahnenplatz>& plaetze);

} // namespace velmora::genealogy
