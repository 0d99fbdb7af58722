#include "genealogy/baum.h"

#include <algorithm>
#include <new>
#include <unordered_map>

namespace velmora::genealogy {

bool TBinaerbaum::Anlegen(int Geschl) {
    Satz neu;
    const bool kind = (Geschl == 1 || Geschl == 2) && ZeigerAktuell != keiner;
    if (kind) {
        neu.Vorgaenger = ZeigerAktuell;
        neu.Generation = static_cast<quint8>(knoten(ZeigerAktuell).Generation + 1);
    } else {
        neu.Generation = 1;
    }
    try {
        m_knoten.push_back(neu);
    } catch (const std::bad_alloc&) {
        if (fehler) fehler(QString());
        return false;
    }
    const int index = static_cast<int>(m_knoten.size()) - 1;
    if (kind) {
        if (Geschl == 1)
            knoten(ZeigerAktuell).Links = index;
        else
            knoten(ZeigerAktuell).Rechts = index;
    } else {
        Zeigeranfang = index;
    }
    ZeigerAktuell = index;
    ++zaehler;
    if (neu.Generation > Generationen) Generationen = neu.Generation;
    return true;
}

int TBinaerbaum::Wechsel(richtung weg, int zeiger) const {
    if (weg == richtung::root) return Zeigeranfang;
    if (zeiger == keiner) return keiner;
    const Satz& s = knoten(zeiger);
    switch (weg) {
    case richtung::zurueck:
        return s.Vorgaenger;
    case richtung::links:
        return s.Links;
    case richtung::rechts:
        return s.Rechts;
    default:
        return keiner;
    }
}

void TBinaerbaum::destroy() {
    std::vector<Satz>().swap(m_knoten);
    Zeigeranfang = ZeigerAktuell = keiner;
    Generationen = 0;
    zaehler = 0;
}

TBinaerbaumTemp::TBinaerbaumTemp(Fehlerausgabe f) : fehler(std::move(f)) {
    Anlegen(0);
}

bool TBinaerbaumTemp::Anlegen(int Geschl) {
    SatzTemp neu;
    const bool kind = (Geschl == 1 || Geschl == 2) && Zeiger != keiner;
    if (kind) {
        neu.Vorgaenger = Zeiger;
        neu.Gen = aktuell().Gen + 1;
    }
    try {
        if (!kind) m_kette.clear(); // a new root starts a new chain
        m_kette.push_back(neu);
    } catch (const std::bad_alloc&) {
        if (fehler) fehler(QString());
        return false;
    }
    const int index = static_cast<int>(m_kette.size()) - 1;
    if (kind) {
        if (Geschl == 1)
            knoten(Zeiger).Vater = index;
        else
            knoten(Zeiger).Mutter = index;
    }
    Zeiger = index;
    return true;
}

void TBinaerbaumTemp::zurueck() {
    if (Zeiger != keiner && aktuell().Vorgaenger != keiner) Zeiger = aktuell().Vorgaenger;
}

void TBinaerbaumTemp::entf_akt() {
    if (Zeiger == keiner) return;
    const int weg = Zeiger;
    const int vor = aktuell().Vorgaenger;
    if (vor != keiner) {
        SatzTemp& v = knoten(vor);
        if (v.Vater == weg) v.Vater = keiner;
        if (v.Mutter == weg) v.Mutter = keiner;
    }
    // Only the chain is held, so the current node is the last one.
    m_kette.resize(static_cast<size_t>(weg));
    Zeiger = vor;
}

void TBinaerbaumTemp::destroy() {
    while (Zeiger != keiner)
        entf_akt();
    m_kette.clear();
}

bool tListeInzucht::anhaengen() {
    try {
        m_elemente.emplace_back();
    } catch (const std::bad_alloc&) {
        if (fehler) fehler(QStringLiteral("Zu wenig Speicher vorhanden!"));
        return false;
    }
    Kette = static_cast<int>(m_elemente.size()) - 1;
    return true;
}

bool tListeInzucht::reservieren(size_t n) {
    try {
        m_elemente.reserve(n);
    } catch (const std::exception&) {
        return false; // appending reports the shortage itself, element by element
    }
    return true;
}

void tListeInzucht::next() {
    if (hatNachfolger()) ++Kette;
}

void tListeInzucht::first() {
    if (hatVorgaenger()) --Kette;
}

void tListeInzucht::geheEnde() {
    setzeAufEnde();
}

void tListeInzucht::freigeben() {
    std::vector<tKetteInzucht>().swap(m_elemente);
    Kette = keiner;
}

tListe::tListe(Fehlerausgabe f) : fehler(std::move(f)) {
    anlegen(art::neu);
}

int tListe::neuesElement() {
    try {
        if (!m_frei.empty()) {
            const int i = m_frei.back();
            m_frei.pop_back();
            m_pool[static_cast<size_t>(i)] = tKette{};
            return i;
        }
        m_pool.emplace_back();
        return static_cast<int>(m_pool.size()) - 1;
    } catch (const std::bad_alloc&) {
        if (fehler) fehler(QStringLiteral("Speicher reicht nicht aus !\nBerechnung nicht möglich"));
        return keiner;
    }
}

bool tListe::anlegen(art pos) {
    if (pos != art::neu && Kette == keiner) pos = art::neu;
    if (pos == art::neu) {
        // a new single-element list replaces whatever was there
        m_pool.clear();
        m_frei.clear();
        Kette = keiner;
    }
    const int i = neuesElement();
    if (i == keiner) return false;
    tKette& e = m_pool[static_cast<size_t>(i)];
    if (pos == art::vor) {
        const int alt = Kette;
        e.Next = alt;
        e.First = m_pool[static_cast<size_t>(alt)].First;
        if (e.First != keiner) m_pool[static_cast<size_t>(e.First)].Next = i;
        m_pool[static_cast<size_t>(alt)].First = i;
    } else if (pos == art::hinter) {
        const int alt = Kette;
        e.First = alt;
        e.Next = m_pool[static_cast<size_t>(alt)].Next;
        if (e.Next != keiner) m_pool[static_cast<size_t>(e.Next)].First = i;
        m_pool[static_cast<size_t>(alt)].Next = i;
    }
    Kette = i;
    return true;
}

void tListe::next() {
    if (Kette != keiner && aktuell().Next != keiner) Kette = aktuell().Next;
}

void tListe::first() {
    if (Kette != keiner && aktuell().First != keiner) Kette = aktuell().First;
}

void tListe::geheAnfang() {
    while (Kette != keiner && aktuell().First != keiner)
        Kette = aktuell().First;
}

void tListe::entf_akt() {
    if (Kette == keiner) return;
    const int weg = Kette;
    const tKette e = aktuell();
    if (e.First != keiner) m_pool[static_cast<size_t>(e.First)].Next = e.Next;
    if (e.Next != keiner) m_pool[static_cast<size_t>(e.Next)].First = e.First;
    Kette = e.Next != keiner ? e.Next : e.First;
    m_frei.push_back(weg);
}

void tListe::destroy() {
    while (Kette != keiner)
        entf_akt();
    m_pool.clear();
    m_frei.clear();
}

bool tListe::einfuegen(qint32 v) {
    if (Kette == keiner) {
        if (!anlegen(art::neu)) return false;
        aktuell().Gen = v;
        return true;
    }
    geheAnfang();
    while (aktuell().Gen < v && aktuell().Next != keiner)
        next();
    if (aktuell().Gen == v) {
        ++aktuell().anz;
        return true;
    }
    if (!anlegen(v < aktuell().Gen ? art::vor : art::hinter)) return false;
    aktuell().Gen = v;
    return true;
}

std::vector<tKette> tListe::inReihenfolge() const {
    std::vector<tKette> r;
    int i = Kette;
    while (i != keiner && m_pool[static_cast<size_t>(i)].First != keiner)
        i = m_pool[static_cast<size_t>(i)].First;
    for (; i != keiner; i = m_pool[static_cast<size_t>(i)].Next)
        r.push_back(m_pool[static_cast<size_t>(i)]);
    return r;
}

Ahnentafel::Ahnentafel(int generationen)
    : m_generationen(std::clamp(generationen, 1, kGrenze)),
      m_slots(static_cast<size_t>((1 << (m_generationen + 1)) - 2), 0) {}

int Ahnentafel::anzahl(qint32 nummer) const {
    if (!nummer) return 0;
    return static_cast<int>(std::count(m_slots.begin(), m_slots.end(), nummer));
}

int Ahnentafel::gefuellt() const {
    return static_cast<int>(m_slots.size() - std::count(m_slots.begin(), m_slots.end(), 0));
}

Ahnentafel ahnentafelFuellen(qint32 vater, qint32 mutter, int generationen, const Elternleser& lesen) {
    Ahnentafel t(generationen);
    t.setSlot(1, 1, vater);
    t.setSlot(1, 2, mutter);
    for (int g = 1; g <= t.generationen(); ++g)
        for (int k = 1; k <= Ahnentafel::slotZahl(g); ++k) {
            const qint32 nr = t.slot(g, k);
            if (!nr) continue;
            qint32 v = 0, m = 0;
            if (!lesen(g, k, nr, v, m)) {
                t.setSlot(g, k, 0);
                continue;
            }
            if (g < t.generationen()) {
                t.setSlot(g + 1, 2 * k - 1, v);
                t.setSlot(g + 1, 2 * k, m);
            }
        }
    return t;
}

namespace {
quint64 plus(quint64 a, quint64 b) {
    return a > ~quint64(0) - b ? ~quint64(0) : a + b;
}
} // namespace

Ahnenlauf ahnenplaetze(qint32 vater, qint32 mutter, int generationen, const Ahnenleser& lesen,
                       const std::function<bool()>& weiter, std::vector<Ahnenplatz>& plaetze,
                       Fehlerausgabe fehler) {
    plaetze.clear();
    if (generationen < 1) return Ahnenlauf::fertig;
    std::unordered_map<quint64, size_t> gesehen;
    auto schluessel = [](qint32 nr, int g) { return (quint64(quint32(nr)) << 32) | quint32(g); };
    TBinaerbaumTemp stb(fehler);
    if (stb.leer()) return Ahnenlauf::fehler;
    stb.aktuell().SatznrVater = vater;
    stb.aktuell().SatznrMutter = mutter;
    std::vector<char> schritt{0}; // per chain node: 0 sire next, 1 dam next, 2 done
    while (!stb.leer()) {
        if (weiter && !weiter()) return Ahnenlauf::abgebrochen;
        const int tiefe = stb.Zeiger;
        char& s = schritt[static_cast<size_t>(tiefe)];
        const SatzTemp a = stb.aktuell();
        if (s < 2 && a.Gen < generationen) {
            const int seite = s++;
            const qint32 p = seite == 0 ? a.SatznrVater : a.SatznrMutter;
            const int g = int(a.Gen) + 1;
            if (!p || gesehen.count(schluessel(p, g))) continue;
            qint32 v = 0, m = 0;
            if (!lesen(p, v, m)) continue;
            gesehen.emplace(schluessel(p, g), plaetze.size());
            plaetze.push_back({p, g, 0, v, m});
            if (!stb.Anlegen(seite + 1)) return Ahnenlauf::fehler;
            stb.aktuell().SatznrVater = v;
            stb.aktuell().SatznrMutter = m;
            schritt.resize(static_cast<size_t>(stb.Zeiger) + 1);
            schritt[static_cast<size_t>(stb.Zeiger)] = 0;
        } else {
            stb.entf_akt();
        }
    }
    // The counts, generation by generation: a place passes its count to each of its parents.
    std::vector<std::vector<size_t>> nachGeneration(static_cast<size_t>(generationen) + 1);
    for (size_t i = 0; i < plaetze.size(); ++i)
        nachGeneration[static_cast<size_t>(plaetze[i].generation)].push_back(i);
    auto zaehle = [&](qint32 nr, int g, quint64 wert) {
        if (!nr || g > generationen) return;
        auto it = gesehen.find(schluessel(nr, g));
        if (it != gesehen.end()) plaetze[it->second].anzahl = plus(plaetze[it->second].anzahl, wert);
    };
    zaehle(vater, 1, 1);
    zaehle(mutter, 1, 1);
    for (int g = 1; g < generationen; ++g) {
        for (size_t i : nachGeneration[static_cast<size_t>(g)]) {
            const Ahnenplatz& a = plaetze[i];
            zaehle(a.vater, g + 1, a.anzahl);
            zaehle(a.mutter, g + 1, a.anzahl);
        }
        if (weiter && !weiter()) return Ahnenlauf::abgebrochen;
    }
    return Ahnenlauf::fertig;
}

quint64 platzSumme(const std::vector<Ahnenplatz>& plaetze) {
    quint64 s = 0;
    for (const Ahnenplatz& a : plaetze)
        s = plus(s, a.anzahl);
    return s;
}

QHash<qint32, int> doppelteAhnenFarben(const Ahnentafel& tafel, const QList<int>& farben) {
    QHash<qint32, int> result;
    int naechste = 0;
    for (int g = 1; g <= tafel.generationen(); ++g)
        for (int k = 1; k <= Ahnentafel::slotZahl(g); ++k) {
            const qint32 nr = tafel.slot(g, k);
            if (!nr || result.contains(nr) || tafel.anzahl(nr) < 2) continue;
            result.insert(nr, farben.isEmpty() ? 0 : farben[std::min<int>(naechste, int(farben.size()) - 1)]);
            ++naechste;
        }
    return result;
}

} // namespace velmora::genealogy
