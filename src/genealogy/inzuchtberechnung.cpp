#include "genealogy/inzuchtberechnung.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velmora::genealogy {

namespace {

constexpr qint32 klonMerkmal = 1;

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

namespace {

// Listing pairs one by one walks every appearance of a common ancestor; past this many the list is
// grouped even when the pairs are few (a pedigree that doubles through a cat listed as both parents).
constexpr quint64 kWegGrenze = 2000000;

QString dezimal(Zahl128 z) {
    if (z.hoch == 0) return QString::number(z.tief);
    QString t;
    while (!z.istNull()) {
        // divide by 10 in 32-bit pieces, high to low
        quint32 teile[4] = {quint32(z.hoch >> 32), quint32(z.hoch), quint32(z.tief >> 32), quint32(z.tief)};
        quint64 rest = 0;
        for (quint32& teil : teile) {
            const quint64 wert = (rest << 32) | teil;
            teil = quint32(wert / 10);
            rest = wert % 10;
        }
        z.hoch = (quint64(teile[0]) << 32) | teile[1];
        z.tief = (quint64(teile[2]) << 32) | teile[3];
        t.prepend(QChar(QLatin1Char(char('0' + rest))));
    }
    return t;
}

} // namespace

QString wrightText(double wert, const QLocale& locale) {
    if (wert == 0) return QStringLiteral(" 0%");
    return QLatin1Char(' ') + festFormat(wert, 4, 5, locale) + QStringLiteral(" = ") +
           festFormat(wert * 100, 4, 2, locale) + QLatin1Char('%');
}

TFormInzuchtberechnung::TFormInzuchtberechnung(KatzenQuelle& quelle, std::function<QString(int)> meldung)
    : m_quelle(quelle), m_meldung(std::move(meldung)) {
    ketteInzucht.fehler = [this](const QString& t) { melden(t, 2); };
}

QString TFormInzuchtberechnung::m(int nr) const {
    return m_meldung ? m_meldung(nr) : QString::number(nr);
}

void TFormInzuchtberechnung::melden(const QString& text, int art) {
    letzteMeldung = text;
    letzteMeldungFehler = art == 2;
    if (zeigeMeldung) zeigeMeldung(text, art);
}

void TFormInzuchtberechnung::ende() {
    if (fortschritt && ausInzucht) fortschritt->zeigen(false);
    if (setzeInzuchtBerechne) setzeInzuchtBerechne(false);
}

bool TFormInzuchtberechnung::weiter() {
    if (fortschritt && ausInzucht) fortschritt->ereignisseVerarbeiten();
    return !abbruch;
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

// The name arrays in the order the places are built: a cut-off or missing parent skips its slots.
void TFormInzuchtberechnung::namenFuellen(int i, int generation) {
    const Vorkommen::Ahn& a = vorkommen.ahn(i);
    if (a.foundation) {
        slotsUeberspringen(generation);
        slotsUeberspringen(generation);
        return;
    }
    if (generation >= GenerationenBerechnung || generation > 4) return;
    for (int p : {a.vater, a.mutter}) {
        if (p >= 0) {
            nameSpeichern(generation, vorkommen.ahn(p).daten->Name);
            namenFuellen(p, generation + 1);
        } else {
            slotsUeberspringen(generation);
        }
    }
}

// The ancestors in the order of their first place, sire's side first, each place before its parents.
// A cat at a level seen before brings nobody new, so every cat and level is entered once.
std::vector<int> TFormInzuchtberechnung::reihenfolge() {
    const int S = vorkommen.stufen();
    m_marke.assign(static_cast<size_t>(vorkommen.anzahl()) * static_cast<size_t>(S), 0);
    std::vector<char> gesehen(static_cast<size_t>(vorkommen.anzahl()), 0);
    std::vector<int> reihe;
    reihe.reserve(static_cast<size_t>(vorkommen.anzahl()));
    std::vector<std::pair<int, int>> stapel{{vorkommen.wurzel[1], 0}, {vorkommen.wurzel[0], 0}};
    while (!stapel.empty()) {
        const auto [i, stufe] = stapel.back();
        stapel.pop_back();
        signed char& marke =
            m_marke[static_cast<size_t>(i) * static_cast<size_t>(S) + static_cast<size_t>(stufe)];
        if (marke) continue;
        marke = 1;
        if (!gesehen[static_cast<size_t>(i)]) {
            gesehen[static_cast<size_t>(i)] = 1;
            reihe.push_back(i);
        }
        if (!vorkommen.erweitert(i, stufe)) continue;
        const Vorkommen::Ahn& a = vorkommen.ahn(i);
        if (a.mutter >= 0) stapel.push_back({a.mutter, stufe + 1});
        if (a.vater >= 0) stapel.push_back({a.vater, stufe + 1});
    }
    return reihe;
}

bool TFormInzuchtberechnung::hinweiseSchreiben(const std::vector<int>& reihe) {
    const int S = vorkommen.stufen();
    auto fehlend = [&](int i) {
        const Vorkommen::Ahn& a = vorkommen.ahn(i);
        return (a.vater < 0 ? 1 : 0) + (a.mutter < 0 ? 1 : 0);
    };
    // lines per place: a cut-off pedigree one, a place that gets parents one per missing parent
    auto zeilenAn = [&](int i, int stufe) -> quint64 {
        if (vorkommen.ahn(i).foundation) return 1;
        return vorkommen.erweitert(i, stufe) ? quint64(fehlend(i)) : 0;
    };
    quint64 zeilen = 0;
    for (int i = 0; i < vorkommen.anzahl(); ++i)
        for (int seite : {0, 1})
            for (int stufe = 0; stufe < S; ++stufe)
                if (const quint64 c = vorkommen.n(seite, i, stufe))
                    zeilen = std::min(kEinzelneHinweise + 1, zeilen + c * zeilenAn(i, stufe)); // c < 2^62
    auto zeile = [&](int i, int stufe, int meldung) -> QString {
        return QString::number(stufe + 2) + QLatin1Char(' ') + m(39) + vorkommen.ahn(i).daten->Name +
               QLatin1Char(' ') + m(meldung);
    };
    if (zeilen > kEinzelneHinweise) {
        Info << m(233);
        for (int i : reihe) {
            const Vorkommen::Ahn& a = vorkommen.ahn(i);
            for (int stufe = 0; stufe < S; ++stufe) {
                const quint64 c = vorkommen.n(0, i, stufe) + vorkommen.n(1, i, stufe);
                if (!c || !zeilenAn(i, stufe)) continue;
                const QString vor = QString::number(c) + QStringLiteral(" x ");
                if (a.foundation) {
                    Info << vor + zeile(i, stufe, 107);
                    continue;
                }
                if (a.vater < 0) Info << vor + zeile(i, stufe, 40);
                if (a.mutter < 0) Info << vor + zeile(i, stufe, 41);
            }
            if (!weiter()) return false;
        }
        return true;
    }
    if (zeilen == 0) return true;

    // Only places with a line in their subtree are entered: 1 = not yet known, 2 = none, 3 = some.
    m_marke.assign(static_cast<size_t>(vorkommen.anzahl()) * static_cast<size_t>(S), 1);
    std::function<bool(int, int)> hat = [&](int i, int stufe) -> bool {
        signed char& mk =
            m_marke[static_cast<size_t>(i) * static_cast<size_t>(S) + static_cast<size_t>(stufe)];
        if (mk == 1) {
            const Vorkommen::Ahn& a = vorkommen.ahn(i);
            bool ja = zeilenAn(i, stufe) > 0;
            if (!ja && vorkommen.erweitert(i, stufe))
                ja = (a.vater >= 0 && hat(a.vater, stufe + 1)) || (a.mutter >= 0 && hat(a.mutter, stufe + 1));
            mk = ja ? 3 : 2;
        }
        return mk == 3;
    };
    std::function<void(int, int)> besuche = [&](int i, int stufe) {
        const Vorkommen::Ahn& a = vorkommen.ahn(i);
        if (a.foundation) {
            Info << zeile(i, stufe, 107);
            return;
        }
        if (!vorkommen.erweitert(i, stufe)) return;
        for (int seite : {0, 1}) {
            const int p = seite == 0 ? a.vater : a.mutter;
            if (p < 0)
                Info << zeile(i, stufe, seite == 0 ? 40 : 41);
            else if (hat(p, stufe + 1))
                besuche(p, stufe + 1);
        }
    };
    for (int seite : {0, 1})
        if (hat(vorkommen.wurzel[seite], 0)) besuche(vorkommen.wurzel[seite], 0);
    return weiter();
}

void TFormInzuchtberechnung::vorfahrenSchreiben() {
    Vorfahrenliste.reserve(vorkommen.anzahl());
    for (int i = 0; i < vorkommen.anzahl(); ++i) {
        const Vorkommen::Ahn& a = vorkommen.ahn(i);
        VorfahrZeile z;
        z.Nummer = a.nr;
        z.Name = a.daten->Name;
        z.Anzahl = static_cast<qint64>(vorkommen.gesamt(i));
        auto topFarbe = [&] {
            for (int r = 0; r < 5; ++r)
                if (AnzahlTopKatzen[0][r] == a.nr && r < m_top.size()) {
                    if (m_top[r].Farbe) z.Farbe = m_top[r].Farbe;
                    return;
                }
        };
        auto merkmalFarbe = [&] {
            if (a.daten->Merkmale.isEmpty()) return;
            const qint32 mk = a.daten->Merkmale.first();
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
        Vorfahrenliste.push_back(z);
    }
    std::sort(Vorfahrenliste.begin(), Vorfahrenliste.end(), [](const VorfahrZeile& a, const VorfahrZeile& b) {
        const int c = QString::compare(a.Name, b.Name, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a.Nummer < b.Nummer;
    });
}

// Cats are told apart by name here; a name's line stands where its first clone was first met.
void TFormInzuchtberechnung::klonZaehlen(const std::vector<int>& reihe) {
    QVector<qint64> anzahl;
    for (int i : reihe) {
        const Vorkommen::Ahn& a = vorkommen.ahn(i);
        if (!a.daten->Merkmale.contains(klonMerkmal)) continue;
        const qsizetype z = Clon.indexOf(a.daten->Name);
        if (z < 0) {
            Clon << a.daten->Name;
            anzahl << static_cast<qint64>(vorkommen.gesamt(i));
        } else {
            anzahl[z] += static_cast<qint64>(vorkommen.gesamt(i));
        }
    }
    for (qsizetype z = 0; z < Clon.size(); ++z)
        Clon[z] = AnzahlMoeglicherVorf == 0
                      ? QStringLiteral("0 %")
                      : festFormat(double(anzahl[z]) * 100 / double(AnzahlMoeglicherVorf), 4, 2, locale) +
                            QStringLiteral(" %/") + Clon[z];
    if (Clon.isEmpty()) Clon << QStringLiteral("0 %");
}

QString TFormInzuchtberechnung::paarZeile(qint32 nr, int links, int rechts) {
    // Deep pedigrees repeat the same ancestor at the same distances many times; the line is built
    // once per ancestor and distances.
    const quint64 schluessel = (quint64(quint32(nr)) << 16) | (quint64(links) << 8) | quint64(rechts);
    auto z = m_zeilen.constFind(schluessel);
    if (z == m_zeilen.constEnd()) {
        QString zeile;
        if (const KatzenDaten* d = cache(nr))
            zeile = d->Name + QStringLiteral(" : ") + QString::number(links) + QStringLiteral(" : ") +
                    QString::number(rechts) + QStringLiteral(" = ") +
                    festFormat(std::ldexp(1.0, -(links + rechts + 1)), 3, 5, locale);
        z = m_zeilen.insert(schluessel, zeile);
    }
    return *z;
}

// Every pair in the order of the node-by-node search: the sire's places in post-order, each with the
// dam's places of the same cat in post-order. Only places with a common ancestor in their subtree are
// entered. gelistet stays false when that would take too long.
bool TFormInzuchtberechnung::paareEinzeln(bool& gelistet) {
    gelistet = false;
    quint64 weg = 0;
    for (int i = 0; i < vorkommen.anzahl(); ++i)
        if (vorkommen.gemeinsam(i)) weg += vorkommen.gesamt(i);
    if (weg > kWegGrenze) return true;
    const int S = vorkommen.stufen();
    m_marke.assign(static_cast<size_t>(vorkommen.anzahl()) * static_cast<size_t>(S), 1);
    std::function<bool(int, int)> hat = [&](int i, int stufe) -> bool {
        signed char& mk =
            m_marke[static_cast<size_t>(i) * static_cast<size_t>(S) + static_cast<size_t>(stufe)];
        if (mk == 1) {
            const Vorkommen::Ahn& a = vorkommen.ahn(i);
            bool ja = vorkommen.gemeinsam(i);
            if (!ja && vorkommen.erweitert(i, stufe))
                ja = (a.vater >= 0 && hat(a.vater, stufe + 1)) || (a.mutter >= 0 && hat(a.mutter, stufe + 1));
            mk = ja ? 3 : 2;
        }
        return mk == 3;
    };
    bool weiterGehen = true;
    // post-order: the parents' places first, sire before dam, then the place itself
    std::function<void(int, int, qint32, const std::function<void(int, int, qint32)>&)> besuche =
        [&](int i, int stufe, qint32 kind, const std::function<void(int, int, qint32)>& tun) {
            if (!weiterGehen) return;
            const Vorkommen::Ahn& a = vorkommen.ahn(i);
            if (vorkommen.erweitert(i, stufe))
                for (int p : {a.vater, a.mutter})
                    if (p >= 0 && hat(p, stufe + 1)) besuche(p, stufe + 1, a.nr, tun);
            if (vorkommen.gemeinsam(i)) tun(i, stufe, kind);
            if ((++m_schritte & 0xfff) == 0 && !weiter()) weiterGehen = false;
        };
    struct Stelle {
        int stufe;
        qint32 kind;
    };
    std::vector<int> anfang(static_cast<size_t>(vorkommen.anzahl()) + 1, 0);
    for (int i = 0; i < vorkommen.anzahl(); ++i)
        anfang[static_cast<size_t>(i) + 1] =
            anfang[static_cast<size_t>(i)] + (vorkommen.gemeinsam(i) ? int(vorkommen.summe(1, i)) : 0);
    std::vector<Stelle> stellen(static_cast<size_t>(anfang.back()));
    std::vector<int> fuell(anfang.begin(), anfang.end() - 1);
    const int sire = vorkommen.wurzel[0], dam = vorkommen.wurzel[1];
    if (hat(dam, 0))
        besuche(dam, 0, vorkommen.tier, [&](int i, int stufe, qint32 kind) {
            stellen[static_cast<size_t>(fuell[static_cast<size_t>(i)]++)] = {stufe, kind};
        });
    if (!weiterGehen) return false;
    if (!ketteInzucht.reservieren(AnzahlPaare)) {
        melden(QStringLiteral("Zu wenig Speicher vorhanden!"), 2);
        return false;
    }
    if (hat(sire, 0))
        besuche(sire, 0, vorkommen.tier, [&](int i, int stufe, qint32 kind) {
            for (int j = anfang[static_cast<size_t>(i)];
                 weiterGehen && j < anfang[static_cast<size_t>(i) + 1]; ++j) {
                const Stelle& b = stellen[static_cast<size_t>(j)];
                // parents of the same node, or reached through the same child cat
                if ((stufe == 0 && b.stufe == 0) || kind == b.kind) continue;
                if (!ketteInzucht.anhaengen()) {
                    weiterGehen = false;
                    return;
                }
                tKetteInzucht& e = ketteInzucht.aktuell();
                e.satz = vorkommen.ahn(i).nr;
                e.GenerationLinks = static_cast<quint8>(stufe);
                e.GenerationRechts = static_cast<quint8>(b.stufe);
                e.berechnung = std::ldexp(1.0, -(stufe + b.stufe + 1));
            }
        });
    if (!weiterGehen) return false;
    this->Inzucht.reserve(static_cast<qsizetype>(ketteInzucht.elemente().size()));
    for (const tKetteInzucht& e : ketteInzucht.elemente()) {
        const QString zeile = paarZeile(e.satz, e.GenerationLinks, e.GenerationRechts);
        if (!zeile.isNull()) this->Inzucht << zeile;
    }
    ketteInzucht.setzeAufEnde();
    gelistet = true;
    return true;
}

// One line per common ancestor and pair of generations with the number of pairs, after a first line
// that says why; ancestors in the order of their first place.
bool TFormInzuchtberechnung::paareGruppiert(const std::vector<int>& reihe, int meldung) {
    this->Inzucht << m(meldung);
    const int S = vorkommen.stufen();
    std::vector<Zahl128> matrix;
    for (int x : reihe) {
        if (!vorkommen.gemeinsam(x)) continue;
        vorkommen.paareVon(x, matrix);
        for (int gs = 0; gs < S; ++gs)
            for (int gd = 0; gd < S; ++gd) {
                const Zahl128& z =
                    matrix[static_cast<size_t>(gs) * static_cast<size_t>(S) + static_cast<size_t>(gd)];
                if (z.istNull()) continue;
                const QString zeile = paarZeile(vorkommen.ahn(x).nr, gs, gd);
                if (!zeile.isNull()) this->Inzucht << dezimal(z) + QStringLiteral(" x ") + zeile;
            }
        if ((++m_schritte & 0x3f) == 0 && !weiter()) return false;
    }
    return weiter();
}

void TFormInzuchtberechnung::ergebnisseLeeren() {
    ketteInzucht.freigeben();
    Inzuchtkoeffizient.clear();
    Inzuchtkoeffizientkurz.clear();
    Ahnenverlustkoeffizient.clear();
    Stammbaumkomplett.clear();
    Ahnenverlust.clear();
    Inzucht.clear();
    Info.clear();
    Clon.clear();
    g1.fill(QString());
    g2.fill(QString());
    g3.fill(QString());
    g4.fill(QString());
    Vorfahrenliste.clear();
    WrightKoeffizient.clear();
    wrightSumme = 0;
    WrightVorfahren = 0;
    m_zeilen.clear();
    m_marke.clear();
    summe = 0;
    AnzahlPaare = 0;
    zaehler = 0;
    zaehlerdoppelt = 0;
    AnzahlVorhandenerVorf = 0;
}

bool TFormInzuchtberechnung::Berechne(qint32 Tier, qint32 Vater, qint32 Mutter, quint8 Generationen,
                                      bool Inzucht) {
    try {
        return berechnen(Tier, Vater, Mutter, Generationen, Inzucht);
    } catch (const std::bad_alloc&) {
        // no figure from a calculation that could not finish
        ergebnisseLeeren();
        vorkommen.freigeben();
        melden(m(126) + QLatin1Char('\n') + m(127), 2);
        ende();
        return false;
    }
}

bool TFormInzuchtberechnung::berechnen(qint32 Tier, qint32 Vater, qint32 Mutter, quint8 Generationen,
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
    ergebnisseLeeren();
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
    auto scheitern = [this] {
        ergebnisseLeeren();
        ende();
        return false;
    };

    // 3. the places, counted per cat and generation
    if (fortschritt && ausInzucht) fortschritt->schrittText(m(134));
    // 2 + 4 + ... + 2^(G-1); saturated where it would not fit
    AnzahlMoeglicherVorf = Generationen < 2     ? 0
                           : Generationen >= 64 ? std::numeric_limits<quint64>::max()
                                                : (quint64(1) << Generationen) - 2;
    const qint64 balken = static_cast<qint64>(std::min<quint64>(AnzahlMoeglicherVorf, 1ull << 62));
    if (fortschritt && ausInzucht) fortschritt->maximum(balken);
    gen2 = gen3 = gen4 = 1;
    const Vorkommen::Ergebnis gezaehlt = vorkommen.zaehlen(
        Tier, Vater, Mutter, Generationen, [this](qint32 nr) { return cache(nr); },
        [this] { return weiter(); });
    if (gezaehlt == Vorkommen::ueberlauf) {
        melden(m(127), 2); // more places than any count holds: only faulty data gets there
        return scheitern();
    }
    if (gezaehlt == Vorkommen::abgebrochen || abbruch) return scheitern();
    AnzahlVorhandenerVorf = vorkommen.vorhandene;
    zaehler = static_cast<qint64>(vorkommen.vorhandene) + 1;
    komplett = vorkommen.komplett;
    g1[0] = vater->Name;
    g1[1] = mutter->Name;
    namenFuellen(vorkommen.wurzel[0], 2);
    namenFuellen(vorkommen.wurzel[1], 2);
    if (fortschritt && ausInzucht) fortschritt->position(balken);
    Stammbaumkomplett = m(komplett ? 42 : 43);
    std::vector<int> reihe;
    if (ausInzucht) {
        reihe = reihenfolge();
        if (mitVorfahren) {
            if (!hinweiseSchreiben(reihe)) return scheitern();
            vorfahrenSchreiben();
        }
    }

    // 4. pairs of appearances and repeats
    if (fortschritt && ausInzucht) {
        fortschritt->schrittText(m(132));
        fortschritt->maximum(static_cast<qint64>(std::min<quint64>(AnzahlVorhandenerVorf, 1ull << 62)));
    }
    // a cat filling k places repeats k - 1 of them
    zaehlerdoppelt = static_cast<qint64>(vorkommen.vorhandene) - vorkommen.anzahl();
    AnzahlPaare = vorkommen.paare().gesaettigt();
    summe = vorkommen.koeffizient();
    if (ausInzucht)
        for (int r = 0; r < 5; ++r) {
            const int i =
                AnzahlTopKatzen[0][r] ? vorkommen.index(static_cast<qint32>(AnzahlTopKatzen[0][r])) : -1;
            AnzahlTopKatzen[1][r] = i >= 0 ? static_cast<qint64>(vorkommen.gesamt(i)) : 0;
        }
    if (!weiter()) return scheitern();

    // 5. pedigree collapse
    const qint64 vorfahren = zaehler - 1;
    const double p = vorfahren > 0 ? 100.0 / double(vorfahren) * double(zaehlerdoppelt) : 0.0;
    const QChar blank(QLatin1Char(' '));
    Ahnenverlust << QString() << m(44) + blank + QString::number(AnzahlMoeglicherVorf)
                 << m(93) + blank + QString::number(AnzahlVorhandenerVorf)
                 << m(45) + blank + QString::number(zaehler - zaehlerdoppelt - 1) << QString()
                 << m(46) + blank + QString::number(zaehlerdoppelt)
                 << m(47) + blank + festFormat(p, 3, 2, locale);
    Ahnenverlustkoeffizient = festFormat(p, 3, 2, locale) + QLatin1Char('%');

    // 6. coefficient
    if (AnzahlPaare > 0) {
        if (ausInzucht && mitVorfahren) {
            bool gelistet = false;
            if (AnzahlPaare <= kEinzelnePaare && !paareEinzeln(gelistet)) return scheitern();
            if (!gelistet && !paareGruppiert(reihe, AnzahlPaare > kEinzelnePaare ? 231 : 232))
                return scheitern();
        }
        Inzuchtkoeffizientkurz = festFormat(summe * 100, 4, 2, locale) + QLatin1Char('%');
        Inzuchtkoeffizient =
            blank + festFormat(summe, 4, 5, locale) + QStringLiteral(" = ") + Inzuchtkoeffizientkurz;
    } else {
        this->Inzucht << m(48);
        Inzuchtkoeffizient = Inzuchtkoeffizientkurz = QStringLiteral(" 0%");
    }
    if (mitWright) {
        m_quelle.vorfahrenVorlesen(Vater, Mutter);
        if (!m_wright.rechnen(
                Vater, Mutter, [this](qint32 nr) { return cache(nr); }, [this] { return weiter(); }))
            return scheitern();
        wrightSumme = m_wright.koeffizient;
        WrightVorfahren = m_wright.vorfahren;
        WrightKoeffizient = wrightText(wrightSumme, locale);
    }
    // 8. clone shares
    if (ausInzucht) klonZaehlen(reihe);
    if (abbruch) return scheitern();
    if (tabelle && mitVorfahren) vorfahrenZiel->schreiben(Vorfahrenliste);

    // 10. end
    ende();
    return true;
}

QString TFormInzuchtberechnung::TopKatzeAnzahl(qint32 zeile) const {
    // a row numbered outside 1..5 has no count and shows nothing
    if (zeile < 1 || zeile > 5) return QString();
    if (AnzahlMoeglicherVorf == 0) return QStringLiteral(" 0 %");
    return festFormat(AnzahlTopKatzen[1][zeile - 1] * 100.0 / double(AnzahlMoeglicherVorf), 6, 2, locale) +
           QStringLiteral(" %");
}

} // namespace velmora::genealogy
