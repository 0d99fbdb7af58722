#include "genealogy/genetik.h"

#include "store/database.h"
#include "store/leseabfrage.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>

namespace velmora::genealogy {

namespace {
constexpr qint32 foundationMerkmal = 2;

qint32 zahl(const QVariant& v) {
    return v.isNull() ? 0 : v.toInt();
}
QDate datum(const QVariant& v) {
    if (v.isNull()) return {};
    if (v.typeId() == QMetaType::QDate) return v.toDate();
    return QDate::fromString(v.toString().left(10), Qt::ISODate);
}

// How many cats pass between two looks at the cancel flag: rare enough to cost nothing, often enough
// that a cancel stops a million-cat step within a fraction of a second.
constexpr int kTaktLesen = 4096;
constexpr int kTaktOrdnen = 4096;
constexpr int kTaktInzucht = 1024; // each coefficient walks the cat's ancestors
} // namespace

bool GenetikFortschritt::weiter(GenetikSchritt schritt, qint64 erledigt, qint64 gesamt) {
    if (m_abgebrochen || (m_abbruch && m_abbruch->load(std::memory_order_relaxed))) {
        m_abgebrochen = true;
        return false;
    }
    if (m_melden) m_melden(schritt, erledigt, gesamt);
    return true;
}

std::vector<GenetikKatze> genetikKatzenLesen(store::Database& db, GenetikFortschritt* fortschritt) {
    std::vector<GenetikKatze> katzen;
    std::unordered_map<qint32, size_t> index;
    qint64 gesamt = 0;
    if (fortschritt && fortschritt->meldet()) {
        store::LeseAbfrage q(db, {QStringLiteral("catstamm")},
                             QStringLiteral("SELECT COUNT(*) FROM catstamm"));
        if (q.next()) gesamt = q.value(0).toLongLong();
    }
    if (fortschritt && !fortschritt->weiter(GenetikSchritt::Lesen, 0, gesamt)) return {};
    {
        store::LeseAbfrage q(
            db, {QStringLiteral("catstamm")},
            QStringLiteral("SELECT LaufendeNummer, Vater, Mutter, Name, Geschlecht, GebDatum, "
                           "Toddatum, Status, Rasse FROM catstamm"));
        while (q.next()) {
            GenetikKatze k;
            k.nr = zahl(q.value(0));
            k.vater = zahl(q.value(1));
            k.mutter = zahl(q.value(2));
            k.name = q.value(3).toString();
            k.geschlecht = q.value(4).toString().trimmed().toInt();
            k.geburt = datum(q.value(5));
            k.tod = datum(q.value(6));
            k.status = zahl(q.value(7));
            k.rasse = zahl(q.value(8));
            index.emplace(k.nr, katzen.size());
            katzen.push_back(std::move(k));
            if (fortschritt && katzen.size() % kTaktLesen == 0 &&
                !fortschritt->weiter(GenetikSchritt::Lesen, qint64(katzen.size()), gesamt))
                return {};
        }
    }
    if (db.tableExists(QStringLiteral("katzemerkmal"))) {
        store::LeseAbfrage q(
            db, {QStringLiteral("katzemerkmal")},
            QStringLiteral("SELECT Katze FROM katzemerkmal WHERE Merkmal = %1").arg(foundationMerkmal));
        while (q.next()) {
            auto it = index.find(zahl(q.value(0)));
            if (it != index.end()) katzen[it->second].vater = katzen[it->second].mutter = 0;
        }
    }
    return katzen;
}

Genetik::Genetik(std::vector<GenetikKatze> katzen, bool nurEltern, GenetikFortschritt* fortschritt) {
    const int n = int(katzen.size());
    auto weiter = [&](GenetikSchritt s, int erledigt) {
        if (!fortschritt || fortschritt->weiter(s, erledigt, n)) return true;
        m_katzen.clear();
        m_vater.clear();
        m_mutter.clear();
        m_F.clear();
        m_D.clear();
        m_nachNummer.clear();
        m_eigeneVorfahren.clear();
        m_abgebrochen = true;
        return false;
    };
    if (!weiter(GenetikSchritt::Ordnen, 0)) return;
    // by number, so the order and the reported loops do not depend on how the cats were read
    std::sort(katzen.begin(), katzen.end(), [](const auto& a, const auto& b) { return a.nr < b.nr; });
    auto finden = [&](qint32 nr) -> int {
        if (!nr) return -1;
        auto it = std::lower_bound(katzen.begin(), katzen.end(), nr,
                                   [](const GenetikKatze& k, qint32 v) { return k.nr < v; });
        return it != katzen.end() && it->nr == nr ? int(it - katzen.begin()) : -1;
    };
    std::vector<int> v(static_cast<size_t>(n)), m(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        v[size_t(i)] = finden(katzen[size_t(i)].vater);
        m[size_t(i)] = finden(katzen[size_t(i)].mutter);
    }

    // Depth first, parents before the kitten; a parent still on the path closes a loop and is dropped.
    std::vector<int> position(static_cast<size_t>(n), -1);
    std::vector<char> zustand(size_t(n), 0); // 0 new, 1 on the path, 2 placed
    std::vector<int> reihe;
    reihe.reserve(size_t(n));
    std::vector<std::pair<int, int>> stapel;
    for (int start = 0; start < n; ++start) {
        if (start % kTaktOrdnen == 0 && start && !weiter(GenetikSchritt::Ordnen, start)) return;
        if (zustand[size_t(start)]) continue;
        stapel.push_back({start, 0});
        zustand[size_t(start)] = 1;
        while (!stapel.empty()) {
            const int i = stapel.back().first;
            const int naechster = stapel.back().second++;
            if (naechster == 2) {
                zustand[size_t(i)] = 2;
                position[size_t(i)] = int(reihe.size());
                reihe.push_back(i);
                stapel.pop_back();
                continue;
            }
            int& p = naechster == 0 ? v[size_t(i)] : m[size_t(i)];
            if (p < 0) continue;
            if (zustand[size_t(p)] == 1) {
                p = -1;
                if (m_eigeneVorfahren.isEmpty() || m_eigeneVorfahren.back() != katzen[size_t(i)].nr)
                    m_eigeneVorfahren.push_back(katzen[size_t(i)].nr);
            } else if (zustand[size_t(p)] == 0) {
                zustand[size_t(p)] = 1;
                stapel.push_back({p, 0});
            }
        }
    }
    if (!weiter(GenetikSchritt::Ordnen, n)) return;
    std::sort(m_eigeneVorfahren.begin(), m_eigeneVorfahren.end());
    m_eigeneVorfahren.erase(std::unique(m_eigeneVorfahren.begin(), m_eigeneVorfahren.end()),
                            m_eigeneVorfahren.end());

    m_katzen.resize(size_t(n));
    m_vater.resize(size_t(n));
    m_mutter.resize(size_t(n));
    m_nachNummer.reserve(size_t(n));
    for (int k = 0; k < n; ++k) {
        const int i = reihe[size_t(k)];
        m_vater[size_t(k)] = v[size_t(i)] < 0 ? -1 : position[size_t(v[size_t(i)])];
        m_mutter[size_t(k)] = m[size_t(i)] < 0 ? -1 : position[size_t(m[size_t(i)])];
        m_nachNummer.push_back({katzen[size_t(i)].nr, k});
        m_katzen[size_t(k)] = std::move(katzen[size_t(i)]);
    }
    std::sort(m_nachNummer.begin(), m_nachNummer.end());

    // Meuwissen and Luo: A_ii = sum over the ancestors j of i (i included) of L_ij^2 D_j, walking the
    // ancestors from the youngest down with a heap; kittens of the same pair share their coefficient.
    m_F.assign(size_t(n), 0.0);
    m_D.assign(size_t(n), 1.0);
    std::vector<double> L(size_t(n), 0.0);
    std::vector<int> heap;
    std::unordered_map<quint64, double> paare;
    std::vector<char> elter(static_cast<size_t>(n), !nurEltern);
    for (int i = 0; i < n && nurEltern; ++i)
        for (int p : {m_vater[size_t(i)], m_mutter[size_t(i)]})
            if (p >= 0) elter[size_t(p)] = 1;
    for (int i = 0; i < n; ++i) {
        if (i % kTaktInzucht == 0 && !weiter(GenetikSchritt::Inzucht, i)) return;
        const int s = m_vater[size_t(i)], d = m_mutter[size_t(i)];
        if (s >= 0 && d >= 0)
            m_D[size_t(i)] = 0.5 - 0.25 * (m_F[size_t(s)] + m_F[size_t(d)]);
        else if (s >= 0 || d >= 0)
            m_D[size_t(i)] = 0.75 - 0.25 * m_F[size_t(std::max(s, d))];
        if (s < 0 || d < 0) continue;
        if (!elter[size_t(i)]) {
            m_F[size_t(i)] = std::numeric_limits<double>::quiet_NaN();
            continue;
        }
        const quint64 schluessel = (quint64(quint32(std::min(s, d))) << 32) | quint32(std::max(s, d));
        if (auto it = paare.find(schluessel); it != paare.end()) {
            m_F[size_t(i)] = it->second;
            continue;
        }
        double a = 0;
        L[size_t(i)] = 1;
        heap.assign(1, i);
        while (!heap.empty()) {
            std::pop_heap(heap.begin(), heap.end());
            const int j = heap.back();
            heap.pop_back();
            const double l = L[size_t(j)];
            L[size_t(j)] = 0;
            a += l * l * m_D[size_t(j)];
            for (int p : {m_vater[size_t(j)], m_mutter[size_t(j)]}) {
                if (p < 0) continue;
                if (L[size_t(p)] == 0) {
                    heap.push_back(p);
                    std::push_heap(heap.begin(), heap.end());
                }
                L[size_t(p)] += 0.5 * l;
            }
        }
        m_F[size_t(i)] = a - 1;
        paare.emplace(schluessel, a - 1);
    }
    weiter(GenetikSchritt::Inzucht, n);
}

int Genetik::position(qint32 nr) const {
    auto it = std::lower_bound(m_nachNummer.begin(), m_nachNummer.end(), std::pair<qint32, int>{nr, INT_MIN});
    return it != m_nachNummer.end() && it->first == nr ? it->second : -1;
}

std::vector<double> Genetik::beitraege(std::vector<double> x) const {
    // T'x: from the youngest back, each cat hands half of its sum to either parent
    for (int k = anzahl() - 1; k >= 0; --k) {
        const double h = 0.5 * x[size_t(k)];
        if (m_vater[size_t(k)] >= 0) x[size_t(m_vater[size_t(k)])] += h;
        if (m_mutter[size_t(k)] >= 0) x[size_t(m_mutter[size_t(k)])] += h;
    }
    return x;
}

std::vector<double> Genetik::verwandtschaftMal(std::vector<double> x) const {
    // A x = T D T' x; f = A / 2
    x = beitraege(std::move(x));
    for (int k = 0; k < anzahl(); ++k) {
        double u = m_D[size_t(k)] * x[size_t(k)];
        if (m_vater[size_t(k)] >= 0) u += 0.5 * x[size_t(m_vater[size_t(k)])];
        if (m_mutter[size_t(k)] >= 0) u += 0.5 * x[size_t(m_mutter[size_t(k)])];
        x[size_t(k)] = u;
    }
    for (double& w : x)
        w *= 0.5;
    return x;
}

std::vector<double> Genetik::verwandtschaft(int pos) const {
    std::vector<double> x(size_t(anzahl()), 0.0);
    x[size_t(pos)] = 1;
    return verwandtschaftMal(std::move(x));
}

std::vector<double> Genetik::ecg() const {
    std::vector<double> e(size_t(anzahl()), 0.0);
    for (int k = 0; k < anzahl(); ++k)
        for (int p : {m_vater[size_t(k)], m_mutter[size_t(k)]})
            if (p >= 0) e[size_t(k)] += 0.5 * (1 + e[size_t(p)]);
    return e;
}

Population populationRechnen(const Genetik& g, std::vector<int> referenz, GenetikFortschritt* fortschritt) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    Population p;
    // Every pass over the order takes milliseconds even at a million cats: the flag is looked at
    // between them.
    constexpr int durchgaenge = 4;
    auto weiter = [&](int durchgang) {
        if (!fortschritt || fortschritt->weiter(GenetikSchritt::Population, durchgang, durchgaenge))
            return true;
        p = Population{};
        p.abgebrochen = true;
        return false;
    };
    if (!weiter(0)) return p;
    std::sort(referenz.begin(), referenz.end());
    referenz.erase(std::unique(referenz.begin(), referenz.end()), referenz.end());
    p.referenz = std::move(referenz);
    p.ecg = g.ecg();
    if (!weiter(1)) return p;
    const double r = double(p.referenz.size());
    if (p.referenz.empty()) {
        p.mk.assign(size_t(g.anzahl()), nan);
        p.vielfalt = p.gruenderaequivalente = p.effektiveGruender = p.ne = p.ecgMittel = nan;
        return p;
    }
    std::vector<double> x(size_t(g.anzahl()), 0.0);
    for (int i : p.referenz)
        x[size_t(i)] = 1 / r;
    p.mk = g.verwandtschaftMal(x);
    if (!weiter(2)) return p;

    double mkSumme = 0, ecgSumme = 0, dfSumme = 0;
    int dfAnzahl = 0;
    for (int i : p.referenz) {
        mkSumme += p.mk[size_t(i)];
        const double e = p.ecg[size_t(i)];
        ecgSumme += e;
        if (e >= 1) {
            dfSumme += 1 - std::pow(1 - g.inzucht()[size_t(i)], 1 / e);
            ++dfAnzahl;
        }
    }
    const double mkMittel = mkSumme / r;
    p.vielfalt = 1 - mkMittel;
    p.gruenderaequivalente = 1 / (2 * mkMittel);
    p.ecgMittel = ecgSumme / r;
    const double dfMittel = dfAnzahl ? dfSumme / dfAnzahl : 0;
    p.ne = dfMittel > 0 ? 1 / (2 * dfMittel) : nan;

    // an unknown parent of cat c contributes half of what c contributes
    const std::vector<double> t = g.beitraege(std::move(x));
    if (!weiter(3)) return p;
    double quadrate = 0;
    for (int c = 0; c < g.anzahl(); ++c) {
        if (t[size_t(c)] <= 0) continue;
        for (bool vater : {true, false}) {
            if ((vater ? g.vater(c) : g.mutter(c)) >= 0) continue;
            const double b = 0.5 * t[size_t(c)];
            p.gruender.push_back({g.katze(c).nr, vater, b});
            quadrate += b * b;
        }
    }
    std::stable_sort(p.gruender.begin(), p.gruender.end(), [](const Gruender& a, const Gruender& b) {
        return a.beitrag != b.beitrag ? a.beitrag > b.beitrag : a.kind < b.kind;
    });
    p.effektiveGruender = quadrate > 0 ? 1 / quadrate : nan;
    weiter(durchgaenge);
    return p;
}

bool Referenzfilter::passt(const GenetikKatze& k, const QDate& heute) const {
    if (!status.isEmpty() && !status.contains(k.status)) return false;
    if (!rassen.isEmpty() && !rassen.contains(k.rasse)) return false;
    if (!alle && k.tod.isValid()) return false;
    if (geborenVon || geborenBis) {
        if (!k.geburt.isValid()) return false;
        if (geborenVon && k.geburt.year() < geborenVon) return false;
        if (geborenBis && k.geburt.year() > geborenBis) return false;
    } else if (!alle) {
        if (!k.geburt.isValid() || k.geburt < heute.addYears(-10)) return false;
    }
    return true;
}

} // namespace velmora::genealogy
