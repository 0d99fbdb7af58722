#include "printing/druckenkatzen.h"

#include "common/meldungsdienst.h"

namespace velmora::printing {

const char* tDruckenKatzen::meldungstext(int nummer) {
    switch (nummer) {
    case 73:
        return "Für diese Katze sind keine Ausstellungsergebnisse eingetragen.";
    case 165:
        return "Für diese Katze ist kein Wurf eingetragen.";
    case 195:
        return "Dieser Ausdruck ist nur für weibliche Tiere möglich.";
    case 219:
        return "Dieser Ausdruck ist nur für Kater möglich.";
    case 220:
        return "Für diesen Kater sind keine Deckungen im Deckbuch eingetragen.";
    default:
        return "";
    }
}

const QList<int>& tDruckenKatzen::arten() {
    static const QList<int> a{kKatzendaten, kBild,        kWurfmeldung,    kAusstellung, kGewichtstabelle,
                              kTradRichten, kTicaRichten, kKatzenliste,    kAusstellungCfa, kCfaRichten,
                              kWurfdaten,   kDeckbuch,    kDeckschein};
    return a;
}

bool tDruckenKatzen::hatLayout(int art) {
    return bekannt(art) && art != kBild && art != kWurfmeldung && art != kAusstellung && art != kAusstellungCfa;
}

int tDruckenKatzen::pruefen(int art, int katze) {
    DruckKatze k;
    m_q.katze(katze, k);
    // The sex is compared as text only, so a cat without a sex passes both tests.
    const bool kater = k.geschlecht == QLatin1String("1") || k.geschlecht == QLatin1String("3");
    const bool katzeW = k.geschlecht == QLatin1String("2") || k.geschlecht == QLatin1String("4");
    auto hat = [&](const char* tabelle, const char* index) {
        return !m_q.zeilen(QLatin1String(tabelle), QLatin1String(index), {katze}, {katze}).isEmpty();
    };
    switch (art) {
    case kWurfmeldung:
        return kater ? 195 : 0;
    case kGewichtstabelle:
    case kWurfdaten:
        if (kater) return 195;
        // A weight table without a litter would print empty: it says so instead.
        return hat("wurfbuch", "KatzeIdx") ? 0 : 165;
    case kTradRichten:
        return hat("kausstel", "KatzeDatum") ? 0 : 73;
    case kTicaRichten:
        return hat("cfatica", "Katze") ? 0 : 73;
    case kCfaRichten:
        return hat("cfa", "Katze") ? 0 : 73;
    case kDeckbuch:
    case kDeckschein:
        if (katzeW) return 219;
        return hat("deckbuch", "KaterDecktermin") ? 0 : 220;
    default:
        return 0;
    }
}

std::optional<Bericht> tDruckenKatzen::bericht(const Druckauftrag& a, QString* fehler) {
    switch (a.art) {
    case kKatzendaten:
        return TReportStammdaten::erstellen(m_q, a);
    case kGewichtstabelle:
        return TReportWurfbuch::erstellen(m_q, a);
    case kTradRichten:
        return TReportTradRichtenListe::erstellen(m_q, a);
    case kTicaRichten:
        return TReportTICAListe::erstellen(m_q, a);
    case kKatzenliste:
        return TReportKatzenListe::erstellen(m_q, a);
    case kCfaRichten:
        return TReportCFAListe::erstellen(m_q, a);
    case kWurfdaten:
        return TReportWurfdaten::erstellen(m_q, a);
    case kDeckbuch:
        return TReportDeckbuch::erstellen(m_q, a);
    case kDeckschein:
        return TReportDeckschein::erstellen(m_q, a, fehler);
    default:
        return std::nullopt;
    }
}

bool tDruckenKatzen::druck(Druckauftrag a, const Ausgabe& aus) {
    if (!bekannt(a.art)) return false;
    if (const int nummer = pruefen(a.art, a.katze)) {
        const QString text = m_q.meldung(nummer, meldungstext(nummer));
        if (aus.melden)
            aus.melden(nummer, text);
        else
            Meldungsdienst::zeigen(MeldungsArt::Information, nummer, text);
        return false;
    }
    switch (a.art) {
    case kBild: {
        DruckKatze k;
        m_q.katze(a.katze, k);
        const QString datei = m_q.druckbild(k);
        if (datei.isEmpty() || !aus.bild) return false;
        aus.bild(datei, k.name + (m_q.englisch() ? QStringLiteral(" - Picture") : QStringLiteral(" - Bild")), k.name);
        return true;
    }
    case kWurfmeldung:
    case kAusstellung:
    case kAusstellungCfa:
        if (!aus.formular) return false;
        aus.formular(a.art);
        return true;
    case kKatzenliste: {
        if (!aus.suchen) return false;
        QString zusatz;
        const std::optional<QList<int>> treffer = aus.suchen(zusatz);
        if (!treffer) return false;
        a.liste = *treffer;
        a.listenZusatz = zusatz;
        break;
    }
    default:
        break;
    }
    QString fehler;
    const std::optional<Bericht> b = bericht(a, &fehler);
    if (!b) {
        if (aus.fehler) aus.fehler(fehler);
        else Meldungsdienst::zeigen(MeldungsArt::Fehler, 0, fehler);
        return false;
    }
    if (aus.zeigen) aus.zeigen(*b);
    return true;
}

} // namespace velmora::printing
