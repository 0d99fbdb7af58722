#include "genealogy/statistikstammbaum.h"

#include <QHash>
#include <map>

namespace velmora::genealogy {

// texte: meldung 125 128-130

StammbaumStatistik stammbaumStatistik(Registerabbild& abbild, const StammbaumFrage& frage,
                                      const std::function<bool()>& weiter) {
    StammbaumStatistik s;
    if (!frage.nurFarbe && !frage.alleMerkmale && frage.merkmale.isEmpty()) {
        s.ausgang = StammbaumStatistik::keinMerkmal;
        return s;
    }
    const AbbildKatze* katze = abbild.katze(frage.katze);
    if (!katze) {
        s.ausgang = StammbaumStatistik::keineKatze;
        return s;
    }
    int schritte = 0;
    auto nochmal = [&] { return !weiter || (++schritte & 0xff) != 0 || weiter(); };
    std::vector<Ahnenplatz> plaetze;
    const Ahnenlauf lauf = ahnenplaetze(
        katze->vater, katze->mutter, frage.generationen,
        [&](qint32 nr, qint32& v, qint32& m) {
            const AbbildKatze* k = abbild.katze(nr);
            if (!k) return false;
            v = k->vater;
            m = k->mutter;
            return true;
        },
        nochmal, plaetze);
    if (lauf == Ahnenlauf::abgebrochen || (weiter && !weiter())) {
        s.ausgang = StammbaumStatistik::abgebrochen;
        return s;
    }
    if (lauf == Ahnenlauf::fehler) {
        s.ausgang = StammbaumStatistik::fehler;
        return s;
    }
    s.anzTiere = platzSumme(plaetze);
    QHash<QString, int> nachSchluessel;
    std::vector<std::map<int, quint64>> zaehler;
    for (const Ahnenplatz& p : plaetze) {
        const AbbildKatze* k = abbild.katze(p.nr);
        if (!k) continue;
        if (frage.farbe && *frage.farbe != k->fellfarbe) continue;
        QStringList namen;
        for (qint32 m : k->merkmale) {
            const QString n = abbild.merkmalName(m);
            if (n.isEmpty()) continue;
            if (!frage.nurFarbe && !frage.alleMerkmale && !frage.merkmale.contains(n)) continue;
            namen << n;
        }
        if (!frage.nurFarbe && namen.isEmpty()) continue;
        const QString schluessel = k->name + QStringLiteral(", ") + k->fellfarbe;
        auto it = nachSchluessel.constFind(schluessel);
        if (it == nachSchluessel.constEnd()) {
            StammbaumEintrag e;
            e.schluessel = schluessel;
            if (!namen.isEmpty())
                e.merkmalTeil =
                    QStringLiteral(" - ") + namen.join(QStringLiteral(" - ")) + QStringLiteral(" - ");
            it = nachSchluessel.insert(schluessel, int(s.eintraege.size()));
            s.eintraege << e;
            zaehler.emplace_back();
        }
        quint64& z = zaehler[static_cast<size_t>(*it)][p.generation];
        z = z > ~quint64(0) - p.anzahl ? ~quint64(0) : z + p.anzahl;
    }
    for (qsizetype i = 0; i < s.eintraege.size(); ++i)
        for (const auto& [g, n] : zaehler[static_cast<size_t>(i)])
            s.eintraege[i].vorkommen << qMakePair(g, n);
    return s;
}

QStringList StammbaumStatistik::text(const std::function<QString(int)>& meldung) const {
    auto m = [&](int n) { return meldung ? meldung(n) : QString::number(n); };
    QStringList t;
    t << m(129) + QLatin1Char(' ') + QString::number(anzTiere) + QLatin1Char(' ') + m(130);
    if (eintraege.isEmpty()) {
        t << m(125);
        return t;
    }
    for (const StammbaumEintrag& e : eintraege) {
        t << QStringLiteral(" » ") + e.schluessel;
        if (!e.merkmalTeil.isEmpty()) t << QStringLiteral("    ") + e.merkmalTeil;
        QString z = QStringLiteral("  ") + m(128);
        for (const auto& [g, n] : e.vorkommen)
            z += QString::number(n) + QLatin1Char('x') + QString::number(g) + QStringLiteral(" , ");
        t << z;
    }
    return t;
}

} // namespace velmora::genealogy
