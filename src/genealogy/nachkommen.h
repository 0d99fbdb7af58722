#pragma once
// The descendants of a cat without a window. A cat's kittens are the cats naming it as Vater (a tom) or
// Mutter (a queen), in the order of the indexes IdxVater and IdxMutter: birth date, then name. Three
// views are built on one reader: the direct list with its display texts, the tree that grows one
// generation each time a node is opened, and the depth-first walk over a number of generations that the
// tool command and the generations print share. A cat that by faulty data is its own descendant makes
// none of them work without end: the tree grows only as far as it is opened, and the walk does not go
// down again into a cat that already lies on the way from the start to it.

#include <QDate>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>

namespace velmora::store {
class Database;
class WiederholteAbfrage;
} // namespace velmora::store

namespace velmora::genealogy {

struct Nachkomme {
    qint32 nr = 0;
    QString name;
    QString geschlecht;
    QDate gebDatum;
    QDate tod;
    qint32 status = 0;
    qint32 vater = 0, mutter = 0;
    bool tot() const { return tod.isValid() || status == 4; }
};

// Reads cats and their kittens with two prepared statements; a cat's kittens are read once and kept, so
// a cat met again on another way costs nothing more, and what is kept grows with the cats reached.
class NachkommenLeser {
public:
    explicit NachkommenLeser(store::Database& db);
    ~NachkommenLeser();
    NachkommenLeser(const NachkommenLeser&) = delete;
    NachkommenLeser& operator=(const NachkommenLeser&) = delete;

    std::optional<Nachkomme> katze(qint32 nr);
    // The kittens in index order; by Vater or Mutter as alsVaterGefuehrt decides for the cat.
    const QVector<Nachkomme>& kinder(const Nachkomme& eltern);
    int gelesen() const { return m_gelesen; } // kitten lists read from the table

private:
    store::Database& m_db;
    std::unique_ptr<store::WiederholteAbfrage> m_katze, m_vater, m_mutter, m_istVater;
    // node-based, so the lists handed out stay where they are while more are read
    std::unordered_map<qint32, QVector<Nachkomme>> m_kinder;
    int m_gelesen = 0;
};

// ------------------------------------------------------------------ the direct list

struct NachkommenZeile {
    qint32 nr = 0;
    QString name;
    QDate gebDatum;
    QString geschlecht;         // the code
    QString rasseFarbe;         // "Perser / blau", the colour alone without a breed
    QString andererElternteil;  // the mother's name under a tom, the father's under a queen
    QString zuechter, besitzer; // "Name, Vorname", the name alone without a first name
    QString merkmale;           // feature abbreviations in the order entered, joined by "/"
};

struct DirekteNachkommen {
    bool kater = false; // the kittens are listed by Vater and show their mother
    QVector<NachkommenZeile> zeilen;
    QStringList fehlendeTabellen; // lookup tables not in the data directory; their columns stay empty
};
DirekteNachkommen direkteNachkommen(store::Database& db, qint32 katze);

// The sex column: "m", "w", "m/k", "w/k"; English "m", "f", "m/k", "f/k"; empty in Dutch and for other codes.
QString geschlechtsText(const QString& code, int sprache);

// The caption of the other parent's column: "Mutter" under a tom, "Vater" under a queen; in the other
// languages "mother" and "father".
QString elternBeschriftung(bool kater, int sprache);

// ------------------------------------------------------------------ the tree opened node by node

class Nachkommenbaum {
public:
    struct Knoten {
        Nachkomme katze;
        int eltern = -1;
        QVector<int> kinder;
        bool gefuellt = false; // its kittens are read (the root's at once)
    };

    // The root and its kittens, each not yet opened; empty when the cat does not exist.
    Nachkommenbaum(NachkommenLeser& leser, qint32 wurzel);

    bool leer() const { return m_knoten.empty(); }
    int groesse() const { return int(m_knoten.size()); }
    const Knoten& knoten(int i) const { return m_knoten[size_t(i)]; }
    // Reads the node's kittens the first time it is opened; later calls change nothing. Returns the
    // number of children added.
    int oeffnen(int knoten);

private:
    NachkommenLeser& m_leser;
    std::vector<Knoten> m_knoten;
};

// Node texts: "Name {nr}"; the number is read back after the first "{" up to the last character.
QString knotenText(const Nachkomme& k);
std::optional<qint32> knotenNummer(const QString& text);

// ------------------------------------------------------------------ the walk over generations

struct Generationszahlen {
    int ebene = 0;
    qint64 katzen = 0; // distinct at this generation
    qint64 auftreten = 0;
    qint64 maennlich = 0, weiblich = 0, ohneAngabe = 0; // of the distinct cats
    qint64 lebend = 0, tot = 0;
};

struct Nachkommenlauf {
    qint64 katzen = 0; // distinct over all generations
    qint64 auftreten = 0;
    QVector<Generationszahlen> generationen; // index ebene - 1
    Generationszahlen gesamt;                // every cat once (ebene 0)
    bool abgebrochen = false;
};

// Visits every appearance depth first, kittens in the tree's order, ebene 1 the cat's kittens, down to
// `generationen`. A kitten that already lies on the way from the start to it is visited but not gone
// into again. besuch returns false to stop.
Nachkommenlauf nachkommenLaufen(NachkommenLeser& leser, const Nachkomme& start, int generationen,
                                const std::function<bool(int ebene, const Nachkomme& katze)>& besuch);

} // namespace velmora::genealogy
