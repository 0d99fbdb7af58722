#pragma once
// The genetics of the whole register: inbreeding of every cat, the kinship of one cat with all others,
// mean kinship, gene diversity, founders and effective population size. Nothing here builds the
// relationship matrix, which grows with the square of the cats: the cats are put in pedigree order once
// and every figure comes from passes over that order (A = T D T', Colleau's indirect method for A x,
// Meuwissen and Luo for the inbreeding coefficients), so time and memory grow with the cats.

#include <QDate>
#include <QString>
#include <QVector>
#include <atomic>
#include <functional>
#include <vector>

namespace velmora::store {
class Database;
}

namespace velmora::genealogy {

struct GenetikKatze {
    qint32 nr = 0;
    qint32 vater = 0, mutter = 0; // 0: unknown
    QString name;
    int geschlecht = 0; // the sex code 1..4, 0 when none
    QDate geburt, tod;
    qint32 status = 0, rasse = 0;
};

// Progress and cancel of the long steps, which run on a worker thread. A step looks at the flag every few
// thousand cats; once it is set the step stops and its result is marked cancelled and holds nothing. The
// report function is called from the worker, at most once per look at the flag.
enum class GenetikSchritt { Lesen, Ordnen, Inzucht, Population };
class GenetikFortschritt {
public:
    using Melden = std::function<void(GenetikSchritt schritt, qint64 erledigt, qint64 gesamt)>;
    explicit GenetikFortschritt(const std::atomic<bool>* abbruch = nullptr, Melden melden = {})
        : m_abbruch(abbruch), m_melden(std::move(melden)) {}
    // Reports the step's progress; false (now and ever after) once the flag is set.
    bool weiter(GenetikSchritt schritt, qint64 erledigt, qint64 gesamt);
    bool abgebrochen() const { return m_abgebrochen; }
    bool meldet() const { return bool(m_melden); }

private:
    const std::atomic<bool>* m_abbruch;
    Melden m_melden;
    bool m_abgebrochen = false;
};

// Every cat of the register in one pass; a cat with the feature "Foundation" ends its pedigree, as in
// the inbreeding calculation, so its parents are read as unknown. Cancelled: empty, and
// fortschritt->abgebrochen() is true.
std::vector<GenetikKatze> genetikKatzenLesen(store::Database& db, GenetikFortschritt* fortschritt = nullptr);

class Genetik {
public:
    // A parent that names no cat of the list is unknown. Builds the order and every cat's coefficient;
    // with nurEltern only those of the cats that have kittens (all the kinship needs), the others NaN.
    // Cancelled through the progress: no cats, abgebrochen() true.
    explicit Genetik(std::vector<GenetikKatze> katzen, bool nurEltern = false,
                     GenetikFortschritt* fortschritt = nullptr);

    bool abgebrochen() const { return m_abgebrochen; }

    int anzahl() const { return int(m_katzen.size()); }
    // The cats by position in pedigree order: parents before their kittens.
    const GenetikKatze& katze(int pos) const { return m_katzen[size_t(pos)]; }
    int position(qint32 nr) const;                            // -1 when the number names no cat
    int vater(int pos) const { return m_vater[size_t(pos)]; } // position, -1 unknown
    int mutter(int pos) const { return m_mutter[size_t(pos)]; }

    // Cats whose data make them their own ancestor; the parent link that closed the loop is unknown.
    const QVector<qint32>& eigeneVorfahren() const { return m_eigeneVorfahren; }

    const std::vector<double>& inzucht() const { return m_F; } // F by position
    // Kinship f(pos, j) of the cat with every cat j, by position.
    std::vector<double> verwandtschaft(int pos) const;
    // f(i, ·) summed with weights: y_i = sum_j f(i,j) x_j, by position.
    std::vector<double> verwandtschaftMal(std::vector<double> x) const;
    // Equivalent complete generations by position.
    std::vector<double> ecg() const;
    // y_c = sum_j x_j t(j,c): x weighted sum of the expected contributions of c to each j.
    std::vector<double> beitraege(std::vector<double> x) const;

private:
    std::vector<GenetikKatze> m_katzen;
    std::vector<int> m_vater, m_mutter;
    std::vector<double> m_F, m_D;
    std::vector<std::pair<qint32, int>> m_nachNummer; // sorted by number
    QVector<qint32> m_eigeneVorfahren;
    bool m_abgebrochen = false;
};

struct Gruender {
    qint32 kind = 0;    // the known cat whose parent is unknown
    bool vater = false; // the unknown parent is its sire (else its dam)
    double beitrag = 0; // expected contribution to the reference, its mean over the cats of R
};

// Figures over the reference population; NaN where a figure is undefined (empty reference, Ne when the
// mean increase in inbreeding is 0).
struct Population {
    std::vector<int> referenz; // positions
    std::vector<double> mk;    // mean kinship by position, for every cat
    std::vector<double> ecg;   // by position
    double vielfalt = 0, gruenderaequivalente = 0, effektiveGruender = 0, ne = 0, ecgMittel = 0;
    std::vector<Gruender> gruender; // those that contribute to R, largest contribution first
    bool abgebrochen = false;       // cancelled: nothing else is filled
};

Population populationRechnen(const Genetik& g, std::vector<int> referenz,
                             GenetikFortschritt* fortschritt = nullptr);

// The default reference: living cats born in the last ten years before heute.
struct Referenzfilter {
    bool alle = false;                  // living or not, born whenever (the year bounds still apply)
    int geborenVon = 0, geborenBis = 0; // years, 0: open
    QVector<qint32> status;             // empty: any
    QVector<qint32> rassen;             // breed codes; empty: any
    bool passt(const GenetikKatze& k, const QDate& heute) const;
};

} // namespace velmora::genealogy
