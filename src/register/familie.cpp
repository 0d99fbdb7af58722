#include "register/familie.h"

#include "store/table.h"

#include <algorithm>

namespace velmora::reg {

int stbGeneration(int slot) {
    int g = 1;
    while (g < kStbGenerationen && slot > stbSlot(g, 1 << g))
        ++g;
    return g;
}

StbPlaetze stammbaumPlaetze(qint32 katze, qint32 vater, qint32 mutter, const genealogy::Elternleser& lesen) {
    StbPlaetze p{};
    const genealogy::Ahnentafel tafel = genealogy::ahnentafelFuellen(vater, mutter, kStbGenerationen, lesen);
    for (int g = 1; g <= kStbGenerationen; ++g)
        for (int k = 1; k <= genealogy::Ahnentafel::slotZahl(g); ++k) {
            StbPlatz& platz = p[static_cast<size_t>(stbSlot(g, k) - 1)];
            platz.nummer = tafel.slot(g, k);
            if (platz.nummer) continue;
            // The child of this slot: the cat itself for the parents, else the ancestor one generation in.
            const qint32 kind = g == 1 ? katze : tafel.slot(g - 1, (k + 1) / 2);
            if (!kind) continue; // above a placeholder nothing is shown
            platz.fehlt = k % 2 ? QLatin1Char('V') : QLatin1Char('M');
            platz.kind = kind;
        }
    return p;
}

QString platzhalterText(const QString& wort, QChar buchstabe, qint32 kind) {
    return wort + QLatin1Char('{') + buchstabe + QString::number(kind) + QLatin1Char('}');
}

SlotVerweis slotVerweis(const QString& text) {
    SlotVerweis v;
    for (const QString& zeile : text.split(QLatin1Char('\n'))) {
        const int auf = zeile.indexOf(QLatin1Char('{'));
        const int zu = auf < 0 ? -1 : zeile.indexOf(QLatin1Char('}'), auf + 1);
        if (zu < 0) continue;
        const QString innen = zeile.mid(auf + 1, zu - auf - 1);
        if (innen.startsWith(QLatin1Char('V')) || innen.startsWith(QLatin1Char('M'))) {
            v.art = SlotVerweis::Art::platzhalter;
            v.buchstabe = innen.front();
            v.nummer = innen.mid(1).toInt();
        } else {
            bool ok = false;
            v.nummer = innen.toInt(&ok);
            v.art = ok && v.nummer > 0 ? SlotVerweis::Art::ahne : SlotVerweis::Art::nichts;
        }
        return v;
    }
    return v;
}

AhnenFarben doppelteAhnen(const std::vector<qint32>& nummern, const QList<int>& farbliste) {
    AhnenFarben f;
    const int n = static_cast<int>(nummern.size());
    f.farbe.assign(nummern.size(), std::nullopt);
    int naechste = 0;
    for (int a = 0; a < std::min(n, kStbSlots - 2); ++a) {
        if (nummern[size_t(a)] <= 0 || f.farbe[size_t(a)]) continue;
        bool paar = false;
        for (int c = a + 1; c < n; ++c) {
            if (nummern[size_t(c)] != nummern[size_t(a)] || f.farbe[size_t(c)]) continue;
            int farbe = 0;
            if (naechste < farbliste.size()) {
                farbe = farbliste[naechste];
            } else {
                f.erschoepft = true;
                farbe = farbliste.isEmpty() ? 0 : farbliste.last();
            }
            f.farbe[size_t(a)] = farbe;
            f.farbe[size_t(c)] = farbe;
            paar = true;
        }
        if (paar) ++naechste;
    }
    return f;
}

// --------------------------------------------------------------- siblings and kittens

namespace {
QList<qint32> nummernImBereich(store::Table& t, const QString& index, const QVariantList& bereich,
                               const std::function<bool()>& nehmen) {
    QList<qint32> n;
    t.setIndexName(index);
    t.setRange(bereich, bereich);
    for (t.first(); t.hasRecord() && !t.eof(); t.next())
        if (nehmen()) n << t.asInt(QStringLiteral("LaufendeNummer"));
    t.cancelRange();
    return n;
}
} // namespace

QList<qint32> geschwister(store::Table& katzen, GeschwisterArt art, qint32 selbst, qint32 vater,
                          qint32 mutter, const QDate& gebDatum) {
    const auto nichtSelbst = [&] { return katzen.asInt(QStringLiteral("LaufendeNummer")) != selbst; };
    switch (art) {
    case GeschwisterArt::wurf:
        if (vater <= 0 || mutter <= 0 || !gebDatum.isValid()) return {};
        return nummernImBereich(katzen, QStringLiteral("IDXMutterGebDatum"), {mutter, gebDatum}, [&] {
            return nichtSelbst() && katzen.asInt(QStringLiteral("Vater")) == vater;
        });
    case GeschwisterArt::vaeterlich:
        if (vater <= 0) return {};
        return nummernImBereich(katzen, QStringLiteral("IdxVater"), {vater}, nichtSelbst);
    case GeschwisterArt::muetterlich:
        if (mutter <= 0) return {};
        return nummernImBereich(katzen, QStringLiteral("IdxMutter"), {mutter}, nichtSelbst);
    }
    return {};
}

QList<qint32> jungtiere(store::Table& katzen, qint32 mutter, const QDate& wurftag) {
    if (mutter <= 0 || !wurftag.isValid()) return {};
    return nummernImBereich(katzen, QStringLiteral("IDXMutterGebDatum"), {mutter, wurftag},
                            [] { return true; });
}

QString geschlechtKurz(const QString& code, int sprache) {
    const bool englisch = sprache == 1;
    if (code == QLatin1String("1")) return QStringLiteral("m");
    if (code == QLatin1String("2")) return englisch ? QStringLiteral("f") : QStringLiteral("w");
    if (code == QLatin1String("3")) return QStringLiteral("m/k");
    if (code == QLatin1String("4")) return englisch ? QStringLiteral("f/k") : QStringLiteral("w/k");
    return {};
}

QString besitzerAnzeige(const QString& status, const QString& eigenerVorname, const QString& eigenerName,
                        const QString& vorname, const QString& name) {
    if (status == QLatin1String("1")) return eigenerVorname + QLatin1Char(' ') + eigenerName;
    return vorname.isEmpty() ? name : vorname + QLatin1Char(' ') + name;
}

QString anzeigeFuerDruck(const QString& fellFarbe, const QStringList& kuerzel, const QString& bemerkung,
                         const std::function<bool(const QString&)>& passt) {
    const QString trenner = QStringLiteral(", ");
    QString gesammelt;
    for (const QString& k : kuerzel) {
        if (!passt(fellFarbe + trenner + gesammelt + k)) break;
        gesammelt += k + trenner;
    }
    QString text = fellFarbe;
    if (!gesammelt.isEmpty()) text += trenner + gesammelt.left(gesammelt.size() - trenner.size());
    if (!bemerkung.isEmpty()) {
        QString zeilen;
        for (const QString& z : bemerkung.split(QLatin1Char('\n')))
            zeilen += QString(z).remove(QLatin1Char('\r')) + QLatin1Char(' ');
        if (passt(text + trenner + zeilen)) text += trenner + zeilen;
    }
    return text;
}

// --------------------------------------------------------------- parent panels

QStringList elternInfoZeilen(const ElternDaten& d, bool en,
                             const std::function<QString(const QDate&)>& datum) {
    const auto L = [en](const char* de, const char* eng) { return QString::fromUtf8(en ? eng : de); };
    const QString fuenf(5, QLatin1Char(' '));
    QStringList z;
    z << (d.titel.isEmpty() ? d.name : d.titel + QLatin1Char(' ') + d.name);
    if (d.rasseGefunden) z << d.rasseName + fuenf + d.rasseKurz;
    z << (d.farbNummer.isEmpty() ? d.fellFarbe : d.fellFarbe + fuenf + d.farbNummer);
    if (!d.rasseKurz.isEmpty() && !d.farbNummer.isEmpty()) z << d.rasseKurz + QLatin1Char(' ') + d.farbNummer;
    if (d.gebDatum.isValid() || !d.augenfarbe.isEmpty())
        z << L("GEB.: ", "BORN: ") + (d.gebDatum.isValid() ? datum(d.gebDatum) : QString()) +
                 L("      Augen: ", "      Eye-Color: ") + d.augenfarbe;
    for (const QString* nr : {&d.zuchtbuch1, &d.zuchtbuch2, &d.zuchtbuch3})
        if (!nr->isEmpty()) z << *nr;
    if (d.zuechter) z << L("Züchter: ", "Breeder: ") + *d.zuechter;
    if (d.besitzer) z << L("Besitzer: ", "Owner: ") + *d.besitzer;
    if (!d.gencode.isEmpty()) z << d.gencode;
    z << L("Blutgruppe: ", "Blood group: ") + d.blutgruppe;
    z << d.tests;
    z << L("Chip-Nr.: ", "Chip-No.: ") + d.chipNr;
    return z;
}

// --------------------------------------------------------------- pictures

int gezeigtesBild(const QStringList& pfade, int feld2, const std::function<bool(const QString&)>& gibtEs) {
    if (feld2 > 0) {
        const int i = feld2 - 1;
        return i < pfade.size() && !pfade[i].isEmpty() && gibtEs(pfade[i]) ? i : -1;
    }
    for (int i = 0; i < pfade.size(); ++i)
        if (!pfade[i].isEmpty() && gibtEs(pfade[i])) return i;
    return -1;
}

int feld2NachLoeschen(int feld2, int geloescht) {
    if (feld2 <= 0 || geloescht == feld2) return 0;
    return geloescht < feld2 ? feld2 - 1 : feld2;
}

std::optional<Druckwahl> druckwahlPruefen(const QString& text, int anzahl) {
    const QString t = text.trimmed();
    if (t.isEmpty() || !std::all_of(t.begin(), t.end(), [](QChar c) { return c.isDigit(); }))
        return std::nullopt;
    Druckwahl w;
    bool ok = false;
    const int n = t.toInt(&ok);
    if (!ok || n < 1 || n > anzahl) {
        w.ausserhalb = true;
        return w;
    }
    w.feld2 = n;
    return w;
}

} // namespace velmora::reg
