#include "genealogy/inzuchtberechnung.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velmora::genealogy {

namespace {

constexpr qint32 klonMerkmal = 1;
constexpr qint32 foundationMerkmal = 2;

// Rounds the digit string (value 0.ziffern x 10^stellen) to n leading digits, halves away from zero.
void runden(QString& ziffern, int& stellen, int n) {
    if (n < 0) {
        ziffern.clear();
        return;
    }
    if (n >= ziffern.size()) return;
    const bool auf = ziffern.at(n) >= QLatin1Char('5');
    ziffern.truncate(n);
    if (!auf) return;
    int i = n - 1;
    while (i >= 0 && ziffern.at(i) == QLatin1Char('9')) {
        ziffern[i] = QLatin1Char('0');
        --i;
    }
    if (i >= 0) {
        ziffern[i] = QChar(ziffern.at(i).unicode() + 1);
    } else {
        ziffern.prepend(QLatin1Char('1'));
        ++stellen;
        if (n > 0) ziffern.chop(1);
    }
}

} // namespace

QString festFormat(double wert, int p, int d, const QLocale& locale) {
    if (!std::isfinite(wert)) return QString::number(wert);
    const QString komma = locale.decimalPoint();
    const bool negativ = wert < 0;
    const double a = std::fabs(wert);
    QString ziffern;
    int stellen = 0; // digits before the decimal point
    if (a != 0) {
        const QString e = QString::number(a, 'e', 16);
        const int ePos = e.indexOf(QLatin1Char('e'));
        ziffern = e.left(1) + e.mid(2, ePos - 2);
        stellen = e.mid(ePos + 1).toInt() + 1;
    }
    if (!ziffern.isEmpty()) {
        QString probe = ziffern;
        int probeStellen = stellen;
        runden(probe, probeStellen, p);
        if (probeStellen > p) {
            // too large for the fixed form
            while (probe.size() > 1 && probe.endsWith(QLatin1Char('0')))
                probe.chop(1);
            QString t = probe.left(1);
            if (probe.size() > 1) t += komma + probe.mid(1);
            t += QLatin1Char('E') + QString::number(probeStellen - 1);
            return negativ ? QLatin1Char('-') + t : t;
        }
        runden(ziffern, stellen, std::min(p, stellen + d));
        while (!ziffern.isEmpty() && ziffern.endsWith(QLatin1Char('0')))
            ziffern.chop(1);
    }
    QString ganz, bruch;
    if (ziffern.isEmpty()) {
        ganz = QStringLiteral("0");
    } else if (stellen <= 0) {
        ganz = QStringLiteral("0");
        bruch = QString(-stellen, QLatin1Char('0')) + ziffern;
    } else {
        ganz = ziffern.left(stellen).leftJustified(stellen, QLatin1Char('0'));
        bruch = ziffern.mid(stellen);
    }
    bruch = bruch.leftJustified(d, QLatin1Char('0'), true);
    QString t = ganz;
    if (d > 0) t += komma + bruch;
    if (negativ && !ziffern.isEmpty()) t.prepend(QLatin1Char('-'));
    return t;
}

void paarsucheGruppiert(TBinaerbaum& baum, tListeInzucht& liste, PaarErgebnis& ergebnis,
                        const PaarSchritt& schritt) {
    ergebnis = {};
    const int wurzel = baum.Zeigeranfang;
    if (wurzel == keiner) return;
    auto zaehlt = [&](int k) { return k != keiner && baum.knoten(k).Satznummer != 0; };

    // post-order: a node after its parents, the sire's side before the dam's side
    std::vector<int> folge;
    folge.reserve(static_cast<size_t>(baum.zaehler));
    std::vector<std::pair<int, bool>> stapel;
    for (int seite : {baum.knoten(wurzel).Links, baum.knoten(wurzel).Rechts}) {
        if (!zaehlt(seite)) continue;
        stapel.push_back({seite, false});
        while (!stapel.empty()) {
            auto [k, offen] = stapel.back();
            stapel.pop_back();
            if (offen) {
                folge.push_back(k);
                continue;
            }
            stapel.push_back({k, true});
            const Satz& s = baum.knoten(k);
            if (zaehlt(s.Rechts)) stapel.push_back({s.Rechts, false});
            if (zaehlt(s.Links)) stapel.push_back({s.Links, false});
        }
    }
    const int sireEnde = [&] {
        // nodes of the sire's side come first in the order
        int n = 0;
        const int sire = baum.knoten(wurzel).Links;
        if (!zaehlt(sire)) return 0;
        while (n < static_cast<int>(folge.size()) && folge[static_cast<size_t>(n)] != sire)
            ++n;
        return n + 1;
    }();

    QHash<qint32, std::vector<int>> gruppe;    // all nodes of a cat, in post-order
    QHash<qint32, std::vector<int>> damGruppe; // only those on the dam's side
    for (size_t i = 0; i < folge.size(); ++i) {
        const qint32 nr = baum.knoten(folge[i]).Satznummer;
        gruppe[nr].push_back(folge[i]);
        if (static_cast<int>(i) >= sireEnde) damGruppe[nr].push_back(folge[i]);
    }

    const bool zweigLinks = zaehlt(baum.knoten(wurzel).Links);
    if (zweigLinks) {
        // Collapsed deep pedigrees give millions of pairs; one allocation instead of repeated growth.
        size_t paare = 0;
        for (int i = 0; i < sireEnde; ++i) {
            auto it = damGruppe.constFind(baum.knoten(folge[static_cast<size_t>(i)]).Satznummer);
            if (it != damGruppe.constEnd()) paare += it->size();
        }
        liste.reservieren(liste.elemente().size() + paare);
    }
    for (size_t i = 0; i < folge.size(); ++i) {
        const int a = folge[i];
        Satz& sa = baum.knoten(a);
        sa.kontrolle = true;
        ergebnis.fertig.push_back(a);
        if (!sa.gefunden) {
            const std::vector<int>& alle = gruppe[sa.Satznummer];
            if (alle.size() > 1) {
                // the first appearance to finish meets every later one; later pairs find both marked
                ergebnis.zaehlerdoppelt += static_cast<qint32>(alle.size() - 1);
                for (int k : alle)
                    baum.knoten(k).gefunden = true;
            }
        }
        if (zweigLinks && static_cast<int>(i) < sireEnde) {
            auto it = damGruppe.constFind(sa.Satznummer);
            if (it != damGruppe.constEnd()) {
                const qint32 kindA = baum.knoten(sa.Vorgaenger).Satznummer;
                for (int b : *it) {
                    const Satz& sb = baum.knoten(b);
                    if (sa.Vorgaenger == sb.Vorgaenger || kindA == baum.knoten(sb.Vorgaenger).Satznummer)
                        continue;
                    if (!liste.anhaengen()) return;
                    tKetteInzucht& e = liste.aktuell();
                    e.satz = sa.Satznummer;
                    e.GenerationLinks = static_cast<quint8>(sa.Generation - 2);
                    e.GenerationRechts = static_cast<quint8>(sb.Generation - 2);
                    e.berechnung = std::ldexp(1.0, -(e.GenerationLinks + e.GenerationRechts + 1));
                }
            }
        }
        if (schritt && !schritt(static_cast<qint64>(i) + 1)) return;
    }
}

TFormInzuchtberechnung::TFormInzuchtberechnung(KatzenQuelle& quelle, std::function<QString(int)> meldung)
    : m_quelle(quelle), m_meldung(std::move(meldung)) {
    Binaerbaum.fehler = [this](const QString&) { melden(m(126) + QLatin1Char('\n') + m(127), 2); };
    ketteInzucht.fehler = [this](const QString& t) { melden(t, 2); };
}

QString TFormInzuchtberechnung::m(int nr) const {
    return m_meldung ? m_meldung(nr) : QString::number(nr);
}

void TFormInzuchtberechnung::melden(const QString& text, int art) {
    letzteMeldung = text;
    if (zeigeMeldung) zeigeMeldung(text, art);
}

void TFormInzuchtberechnung::ende() {
    if (fortschritt && ausInzucht) fortschritt->zeigen(false);
    if (setzeInzuchtBerechne) setzeInzuchtBerechne(false);
}

const KatzenDaten* TFormInzuchtberechnung::cache(qint32 nr) {
    if (nr == 0) return nullptr;
    auto it = m_cache.find(nr);
    if (it == m_cache.end()) {
        KatzenDaten d;
        std::optional<KatzenDaten> eintrag;
        if (m_quelle.lesen(nr, d)) eintrag = std::move(d);
        it = m_cache.emplace(nr, std::move(eintrag)).first;
    }
    return it->second ? &*it->second : nullptr;
}

void TFormInzuchtberechnung::nameSpeichern(int generation, const QString& name) {
    auto setze = [&](auto& feld, int& zaehler) {
        if (zaehler >= 1 && zaehler <= static_cast<int>(feld.size()))
            feld[static_cast<size_t>(zaehler - 1)] = name;
        ++zaehler;
    };
    if (generation == 2)
        setze(g2, gen2);
    else if (generation == 3)
        setze(g3, gen3);
    else if (generation == 4)
        setze(g4, gen4);
}

void TFormInzuchtberechnung::slotsUeberspringen(int generation) {
    if (generation == 2) {
        gen2 += 1;
        gen3 += 2;
        gen4 += 4;
    } else if (generation == 3) {
        gen3 += 1;
        gen4 += 2;
    } else if (generation == 4) {
        gen4 += 1;
    }
}

void TFormInzuchtberechnung::fehlenderElternteil(int knoten, bool vater) {
    komplett = false;
    if (ausInzucht && mitVorfahren) {
        const Satz& s = Binaerbaum.knoten(knoten);
        const KatzenDaten* d = cache(s.Satznummer);
        Info << QString::number(s.Generation) + QLatin1Char(' ') + m(39) + (d ? d->Name : QString()) +
                    QLatin1Char(' ') + m(vater ? 40 : 41);
    }
}

void TFormInzuchtberechnung::vorfahrZaehlen(qint32 nr, const KatzenDaten& daten) {
    auto it = m_vorfahrIndex.constFind(nr);
    if (it != m_vorfahrIndex.constEnd()) {
        ++Vorfahrenliste[*it].Anzahl;
        return;
    }
    VorfahrZeile z;
    z.Nummer = nr;
    z.Name = daten.Name;
    z.Anzahl = 1;
    auto topFarbe = [&] {
        for (int r = 0; r < 5; ++r)
            if (AnzahlTopKatzen[0][r] == nr && r < m_top.size()) {
                if (m_top[r].Farbe) z.Farbe = m_top[r].Farbe;
                return;
            }
    };
    auto merkmalFarbe = [&] {
        if (daten.Merkmale.isEmpty()) return;
        const qint32 mk = daten.Merkmale.first();
        auto f = m_farbCache.constFind(mk);
        if (f == m_farbCache.constEnd()) f = m_farbCache.insert(mk, m_quelle.merkmalFarbe(mk));
        if (*f) z.Farbe = *f;
    };
    // the second one written wins
    if (MerkmalVorTop) {
        topFarbe();
        merkmalFarbe();
    } else {
        merkmalFarbe();
        topFarbe();
    }
    m_vorfahrIndex.insert(nr, Vorfahrenliste.size());
    Vorfahrenliste.push_back(z);
}

void TFormInzuchtberechnung::klonZaehlen(const KatzenDaten& daten) {
    if (!daten.Merkmale.contains(klonMerkmal)) return;
    for (QString& zeile : Clon) {
        const int strich = zeile.indexOf(QLatin1Char('/'));
        if (zeile.mid(strich + 1) == daten.Name) {
            zeile = QString::number(zeile.left(strich).toInt() + 1) + zeile.mid(strich);
            return;
        }
    }
    Clon << QStringLiteral("1/") + daten.Name;
}

bool TFormInzuchtberechnung::knotenAnlegen(int geschl, qint32 nr, const KatzenDaten& daten) {
    const int kind = Binaerbaum.ZeigerAktuell;
    if (!Binaerbaum.Anlegen(geschl)) {
        m_stopp = true;
        return false;
    }
    const int k = Binaerbaum.ZeigerAktuell;
    {
        Satz& s = Binaerbaum.knoten(k);
        s.Satznummer = nr;
        s.SatzNrVater = daten.Vater;
        s.SatzNrMutter = daten.Mutter;
    }
    if (ausInzucht && mitVorfahren) vorfahrZaehlen(nr, daten);
    if (ausInzucht) klonZaehlen(daten);
    ++AnzahlVorhandenerVorf;
    if (fortschritt && ausInzucht) fortschritt->position(static_cast<qint64>(AnzahlVorhandenerVorf));

    const int generation = Binaerbaum.knoten(k).Generation;
    if (daten.Merkmale.contains(foundationMerkmal)) {
        if (ausInzucht && mitVorfahren)
            Info << QString::number(generation) + QLatin1Char(' ') + m(39) + daten.Name + QLatin1Char(' ') +
                        m(107);
        slotsUeberspringen(generation);
        slotsUeberspringen(generation);
        Binaerbaum.ZeigerAktuell = kind;
        return true;
    }
    bool gestoppt = false;
    if (generation < GenerationenBerechnung) {
        for (int seite : {1, 2}) {
            const qint32 elter = seite == 1 ? daten.Vater : daten.Mutter;
            const KatzenDaten* e = cache(elter);
            if (e) {
                nameSpeichern(generation, e->Name);
                if (!knotenAnlegen(seite, elter, *e)) {
                    gestoppt = true;
                    break;
                }
            } else {
                slotsUeberspringen(generation);
                fehlenderElternteil(k, seite == 1);
            }
        }
    }
    if (fortschritt && ausInzucht) fortschritt->ereignisseVerarbeiten();
    if (gestoppt || m_stopp || abbruch) {
        m_stopp = true;
        return false;
    }
    Binaerbaum.ZeigerAktuell = kind;
    return true;
}

bool TFormInzuchtberechnung::Berechne(qint32 Tier, qint32 Vater, qint32 Mutter, quint8 Generationen,
                                      bool Inzucht) {
    // 1. start
    if (setzeInzuchtBerechne) setzeInzuchtBerechne(true);
    if (!cacheBehalten) cacheLeeren();
    SatznummerKatze = Tier;
    const KatzenDaten* vater = cache(Vater);
    const KatzenDaten* mutter = vater ? cache(Mutter) : nullptr;
    if (!vater || !mutter) {
        melden(m(83), 0);
        if (setzeInzuchtBerechne) setzeInzuchtBerechne(false);
        return false;
    }

    // 2. reset
    ausInzucht = Inzucht;
    if (fortschritt && ausInzucht) fortschritt->zeigen(true);
    Binaerbaum.destroy();
    ketteInzucht.freigeben();
    Inzuchtkoeffizient.clear();
    Inzuchtkoeffizientkurz.clear();
    Ahnenverlustkoeffizient.clear();
    Stammbaumkomplett.clear();
    Ahnenverlust.clear();
    this->Inzucht.clear();
    Info.clear();
    Clon.clear();
    g1.fill(QString());
    g2.fill(QString());
    g3.fill(QString());
    g4.fill(QString());
    Vorfahrenliste.clear();
    m_vorfahrIndex.clear();
    m_top.clear();
    bool tabelle = false;
    if (ausInzucht) {
        if (vorfahrenZiel) {
            tabelle = vorfahrenZiel->neuAnlegen();
            if (!tabelle) melden(m(11) + QStringLiteral(" Vorfahrenliste"), 2);
        }
        m_top = m_quelle.topKatzen().mid(0, 5);
        for (int r = 0; r < 5; ++r) {
            AnzahlTopKatzen[0][r] = r < m_top.size() ? m_top[r].Katze : 0;
            AnzahlTopKatzen[1][r] = 0;
        }
    }
    SatznummerVater = Vater;
    SatznummerMutter = Mutter;
    GenerationenBerechnung = Generationen;
    abbruch = false;
    m_stopp = false;

    // 3. build
    if (fortschritt && ausInzucht) fortschritt->schrittText(m(134));
    // 2 + 4 + ... + 2^(G-1); saturated where it would not fit
    AnzahlMoeglicherVorf = Generationen < 2     ? 0
                           : Generationen >= 64 ? std::numeric_limits<quint64>::max()
                                                : (quint64(1) << Generationen) - 2;
    if (fortschritt && ausInzucht)
        fortschritt->maximum(static_cast<qint64>(std::min<quint64>(AnzahlMoeglicherVorf, 1ull << 62)));
    AnzahlVorhandenerVorf = 0;
    komplett = true;
    gen2 = gen3 = gen4 = 1;
    zaehlerdoppelt = 0;

    bool gebaut = Binaerbaum.Anlegen(0);
    if (gebaut) {
        Satz& w = Binaerbaum.knoten(Binaerbaum.Zeigeranfang);
        w.Satznummer = SatznummerKatze;
        w.SatzNrVater = SatznummerVater;
        w.SatzNrMutter = SatznummerMutter;
        const KatzenDaten v = *vater; // copies: the cache grows during the build
        const KatzenDaten mu = *mutter;
        g1[0] = v.Name;
        gebaut = knotenAnlegen(1, Vater, v);
        if (gebaut) {
            Binaerbaum.ZeigerAktuell = Binaerbaum.Zeigeranfang;
            g1[1] = mu.Name;
            gebaut = knotenAnlegen(2, Mutter, mu);
        }
    }
    if (!gebaut || abbruch) {
        ende();
        return false;
    }
    Binaerbaum.ZeigerAktuell = Binaerbaum.Zeigeranfang;
    if (fortschritt && ausInzucht)
        fortschritt->position(static_cast<qint64>(std::min<quint64>(AnzahlMoeglicherVorf, 1ull << 62)));
    Stammbaumkomplett = m(komplett ? 42 : 43);
    if (ausInzucht && mitVorfahren) {
        std::sort(Vorfahrenliste.begin(), Vorfahrenliste.end(),
                  [](const VorfahrZeile& a, const VorfahrZeile& b) {
                      const int c = QString::compare(a.Name, b.Name, Qt::CaseInsensitive);
                      return c != 0 ? c < 0 : a.Nummer < b.Nummer;
                  });
        if (tabelle) vorfahrenZiel->schreiben(Vorfahrenliste);
    }

    // 4. pair search
    if (fortschritt && ausInzucht) {
        fortschritt->schrittText(m(132));
        fortschritt->maximum(static_cast<qint64>(AnzahlVorhandenerVorf));
    }
    ketteInzucht.freigeben();
    PaarErgebnis paare;
    paarsuche(Binaerbaum, ketteInzucht, paare, [this](qint64 n) {
        if (fortschritt && ausInzucht) {
            fortschritt->position(n);
            fortschritt->ereignisseVerarbeiten();
        }
        return !abbruch;
    });
    zaehlerdoppelt = paare.zaehlerdoppelt;
    if (ausInzucht)
        for (int k : paare.fertig) {
            const qint32 nr = Binaerbaum.knoten(k).Satznummer;
            for (int r = 0; r < 5; ++r)
                if (AnzahlTopKatzen[0][r] == nr) ++AnzahlTopKatzen[1][r];
        }

    // 5. pedigree collapse
    const qint32 vorfahren = Binaerbaum.zaehler - 1;
    const double p = vorfahren > 0 ? 100.0 / vorfahren * zaehlerdoppelt : 0.0;
    const QChar blank(QLatin1Char(' '));
    Ahnenverlust << QString() << m(44) + blank + QString::number(AnzahlMoeglicherVorf)
                 << m(93) + blank + QString::number(AnzahlVorhandenerVorf)
                 << m(45) + blank + QString::number(Binaerbaum.zaehler - zaehlerdoppelt - 1) << QString()
                 << m(46) + blank + QString::number(zaehlerdoppelt)
                 << m(47) + blank + festFormat(p, 3, 2, locale);
    Ahnenverlustkoeffizient = festFormat(p, 3, 2, locale) + QLatin1Char('%');

    // 6. coefficient, summed in list order
    if (!ketteInzucht.leer()) {
        double summe = 0;
        // Deep pedigrees repeat the same ancestor at the same distances many times; the line is built
        // once per (ancestor, distances) and shared after that.
        QHash<quint64, QString> zeilen;
        const bool zeilenSchreiben = ausInzucht && mitVorfahren;
        if (zeilenSchreiben) this->Inzucht.reserve(static_cast<qsizetype>(ketteInzucht.elemente().size()));
        for (const tKetteInzucht& e : ketteInzucht.elemente()) {
            if (abbruch) break;
            summe += e.berechnung;
            if (!zeilenSchreiben) continue;
            const quint64 schluessel =
                (quint64(quint32(e.satz)) << 16) | (quint64(e.GenerationLinks) << 8) | e.GenerationRechts;
            auto z = zeilen.constFind(schluessel);
            if (z == zeilen.constEnd()) {
                QString zeile;
                if (const KatzenDaten* d = cache(e.satz))
                    zeile = d->Name + QStringLiteral(" : ") + QString::number(e.GenerationLinks) +
                            QStringLiteral(" : ") + QString::number(e.GenerationRechts) +
                            QStringLiteral(" = ") + festFormat(e.berechnung, 3, 5, locale);
                z = zeilen.insert(schluessel, zeile);
            }
            if (!z->isNull()) this->Inzucht << *z;
        }
        ketteInzucht.setzeAufEnde();
        Inzuchtkoeffizientkurz = festFormat(summe * 100, 4, 2, locale) + QLatin1Char('%');
        Inzuchtkoeffizient =
            blank + festFormat(summe, 4, 5, locale) + QStringLiteral(" = ") + Inzuchtkoeffizientkurz;
    } else {
        this->Inzucht << m(48);
        Inzuchtkoeffizient = Inzuchtkoeffizientkurz = QStringLiteral(" 0%");
    }
    // 8. clone shares
    if (ausInzucht) {
        if (Clon.isEmpty()) {
            Clon << QStringLiteral("0 %");
        } else {
            for (QString& zeile : Clon) {
                const int strich = zeile.indexOf(QLatin1Char('/'));
                const QString name = zeile.mid(strich + 1);
                if (AnzahlMoeglicherVorf == 0)
                    zeile = QStringLiteral("0 %");
                else
                    zeile = festFormat(zeile.left(strich).toDouble() * 100 / double(AnzahlMoeglicherVorf), 4,
                                       2, locale) +
                            QStringLiteral(" %/") + name;
            }
        }
    }

    // 10. end
    ende();
    return !abbruch;
}

QString TFormInzuchtberechnung::TopKatzeAnzahl(qint32 zeile) const {
    // a row numbered outside 1..5 has no count and shows nothing
    if (zeile < 1 || zeile > 5) return QString();
    if (AnzahlMoeglicherVorf == 0) return QStringLiteral(" 0 %");
    return festFormat(AnzahlTopKatzen[1][zeile - 1] * 100.0 / double(AnzahlMoeglicherVorf), 6, 2, locale) +
           QStringLiteral(" %");
}

} // namespace velmora::genealogy
