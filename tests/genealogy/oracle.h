#pragma once
// The pair search done node by node with the alternating pass marker: every pair of nodes is
// compared once, when the first of the two is finished. Slow (work grows with 4^G); kept as the
// reference the grouped search must match.

#include "genealogy/inzuchtberechnung.h"

namespace velmora::genealogy::oracle {

inline void paarsuche(TBinaerbaum& b, tListeInzucht& liste, PaarErgebnis& erg, const PaarSchritt& schritt) {
    erg = {};
    const int wurzel = b.Zeigeranfang;
    if (wurzel == keiner) return;
    auto offen = [&](int k, bool markerPruefen, bool m) {
        return k != keiner && !b.knoten(k).kontrolle && b.knoten(k).Satznummer != 0 &&
               (!markerPruefen || b.knoten(k).vergleich != m);
    };
    bool vergleichtmp = false;
    richtung zweig = b.knoten(wurzel).Links != keiner ? richtung::links : richtung::rechts;
    int akt = wurzel;
    qint64 fertig = 0;
    while (true) {
        Satz& s = b.knoten(akt);
        if (offen(s.Links, false, false)) {
            akt = s.Links;
            continue;
        }
        if (offen(s.Rechts, false, false)) {
            akt = s.Rechts;
            continue;
        }
        if (akt == wurzel) break; // both sides finished (or missing)
        s.kontrolle = true;
        ++fertig;
        erg.fertig.push_back(akt);
        // comparison pass
        const int x = akt;
        const bool m = vergleichtmp;
        richtung zweigvergleich = zweig;
        int c = b.knoten(x).Vorgaenger;
        while (true) {
            Satz& cs = b.knoten(c);
            if (offen(cs.Links, true, m)) {
                c = cs.Links;
                continue;
            }
            if (offen(cs.Rechts, true, m)) {
                if (c == wurzel) zweigvergleich = richtung::rechts;
                c = cs.Rechts;
                continue;
            }
            cs.vergleich = m;
            if (c == wurzel) break;
            Satz& a = b.knoten(x);
            if (a.Satznummer == cs.Satznummer) {
                if (!(a.gefunden && cs.gefunden)) {
                    a.gefunden = cs.gefunden = true;
                    ++erg.zaehlerdoppelt;
                }
                if (zweig == richtung::links && zweigvergleich == richtung::rechts &&
                    a.Vorgaenger != cs.Vorgaenger &&
                    b.knoten(a.Vorgaenger).Satznummer != b.knoten(cs.Vorgaenger).Satznummer) {
                    liste.anhaengen();
                    tKetteInzucht& e = liste.aktuell();
                    e.satz = a.Satznummer;
                    e.GenerationLinks = static_cast<quint8>(a.Generation - 2);
                    e.GenerationRechts = static_cast<quint8>(cs.Generation - 2);
                    double w = 0.5;
                    for (int i = 0; i < e.GenerationLinks + e.GenerationRechts; ++i)
                        w *= 0.5;
                    e.berechnung = w;
                }
            }
            c = cs.Vorgaenger;
        }
        vergleichtmp = !vergleichtmp;
        akt = b.knoten(x).Vorgaenger;
        if (schritt && !schritt(fertig)) return;
    }
}

} // namespace velmora::genealogy::oracle
