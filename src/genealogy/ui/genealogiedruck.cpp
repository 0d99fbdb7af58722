#include "genealogy/ui/genealogiedruck.h"

#include "printing/listenbericht.h"

#include <algorithm>

namespace velmora::genealogy {

namespace {
// Line height in mm for a font size in points, with some leading.
double zeilenhoehe(const printing::Schrift& s) {
    return s.groesse * 0.3528 * 1.45;
}
constexpr printing::Farbwert kHellblau = 0xF0CAA6; // the tom's colour of the window, on paper as on screen
} // namespace

Druckzeile Druckzeile::text(const QString& t, double einzug, double groesse, bool fett,
                            printing::Farbwert farbe) {
    Druckzeile z;
    z.zellen.append({einzug, t});
    z.schrift.groesse = groesse;
    z.schrift.fett = fett;
    z.farbe = farbe;
    return z;
}

printing::Bericht fliessBericht(const QString& titel, const QList<Druckzeile>& zeilen) {
    printing::Bericht b;
    b.setTitel(titel);
    const QRectF innen = b.inhalt();
    printing::Schrift titelSchrift;
    titelSchrift.groesse = 14;
    titelSchrift.fett = true;
    printing::Schrift fuss;
    fuss.groesse = 8;
    const double titelHoehe = zeilenhoehe(titelSchrift) + 3;
    const double fussHoehe = zeilenhoehe(fuss);
    double y = 0;
    const auto neueSeite = [&] {
        printing::Seite& s = b.neueSeite();
        s.text(QRectF(innen.left(), innen.top(), innen.width(), titelHoehe), titel, titelSchrift);
        y = innen.top() + titelHoehe;
    };
    neueSeite();
    for (const Druckzeile& z : zeilen) {
        const double h = zeilenhoehe(z.schrift);
        if (y + h > innen.bottom() - fussHoehe) neueSeite();
        printing::Seite& s = b.seite(b.seitenzahl() - 1);
        for (int i = 0; i < z.zellen.size(); ++i) {
            const double x = innen.left() + z.zellen[i].first;
            const double bis = i + 1 < z.zellen.size() ? innen.left() + z.zellen[i + 1].first : innen.right();
            s.text(QRectF(x, y, std::max(1.0, bis - x - 1), h), z.zellen[i].second, z.schrift).farbe =
                z.farbe;
        }
        y += h;
    }
    const QString muster = printing::Listenbericht::sprachSeitenzahlMuster();
    for (int i = 0; i < b.seitenzahl(); ++i)
        b.seite(i).text(QRectF(innen.left(), innen.bottom() - fussHoehe, innen.width(), fussHoehe),
                        muster.arg(i + 1).arg(b.seitenzahl()), fuss, printing::HAusrichtung::Rechts);
    return b;
}

printing::Bericht verpaarungsBericht(const QString& titel, const QList<VerpaarungsDruckzeile>& baum,
                                     const QString& seitenTitel,
                                     const QList<QPair<QString, QString>>& werte) {
    QList<Druckzeile> zeilen;
    for (const VerpaarungsDruckzeile& z : baum) {
        switch (z.art) {
        case VerpaarungsDruckzeile::Tier:
        case VerpaarungsDruckzeile::Partner:
            // the tom's light blue, the queen's red
            zeilen << Druckzeile::text(z.text, z.art == VerpaarungsDruckzeile::Tier ? 0 : 4, 12, true,
                                       z.maennlich ? kHellblau : 0x0000FF);
            break;
        case VerpaarungsDruckzeile::Wurf:
            zeilen << Druckzeile::text(z.text, 10, 11, true);
            break;
        case VerpaarungsDruckzeile::Jungtier:
            zeilen << Druckzeile::text(
                (z.maennlich ? QStringLiteral("1/0   ") : QStringLiteral("0/1   ")) + z.text, 18, 10, false);
            break;
        }
    }
    zeilen << Druckzeile::text(QString(), 0, 10, false);
    zeilen << Druckzeile::text(seitenTitel, 0, 12, true);
    for (const auto& [beschriftung, wert] : werte) {
        const QStringList teile = wert.split(QLatin1Char('\n'));
        for (int i = 0; i < teile.size(); ++i) {
            Druckzeile d;
            d.zellen = {{0, i == 0 ? beschriftung : QString()}, {60, teile[i]}};
            zeilen << d;
        }
    }
    return fliessBericht(titel, zeilen);
}

printing::Bericht direkteNachkommenBericht(const NachkommenDruckTexte& texte,
                                           const QList<QStringList>& zeilen) {
    QList<Druckzeile> d;
    for (const QStringList& z : zeilen) {
        for (int i = 0; i < texte.spalten.size() && i < z.size(); ++i) {
            Druckzeile zeile;
            zeile.zellen = {{0, texte.spalten[i]}, {45, z[i]}};
            zeile.schrift.fett = i == 0;
            d << zeile;
        }
        d << Druckzeile::text(QString(), 0, 6, false);
    }
    return fliessBericht(texte.titel, d);
}

printing::Bericht generationenBericht(const GenerationenDruckTexte& texte, const Nachkommenlauf& lauf,
                                      const QList<GenerationenDruckLinie>& linien) {
    QList<Druckzeile> d;
    const double spalte0 = 30, breite = 19;
    const auto tabellenzeile = [&](const QStringList& zellen, bool fett) {
        Druckzeile z;
        for (int i = 0; i < zellen.size(); ++i)
            z.zellen.append({i == 0 ? 0 : spalte0 + (i - 1) * breite, zellen[i]});
        z.schrift.fett = fett;
        z.schrift.groesse = 9;
        d << z;
    };
    tabellenzeile(texte.spalten, true);
    const auto zahlen = [](const QString& erste, const Generationszahlen& g) {
        return QStringList{erste,
                           QString::number(g.katzen),
                           QString::number(g.auftreten),
                           QString::number(g.maennlich),
                           QString::number(g.weiblich),
                           QString::number(g.ohneAngabe),
                           QString::number(g.lebend),
                           QString::number(g.tot)};
    };
    for (const Generationszahlen& g : lauf.generationen)
        tabellenzeile(zahlen(QString::number(g.ebene), g), false);
    // in all, a cat met at several generations counts once
    tabellenzeile(zahlen(texte.gesamt, lauf.gesamt), true);
    d << Druckzeile::text(QString(), 0, 8, false);
    d << Druckzeile::text(texte.listeTitel, 0, 11, true);
    for (const GenerationenDruckLinie& li : linien) {
        Druckzeile z;
        z.zellen = {{0, QString::number(li.ebene)}, {8.0 + 4.0 * std::min(li.ebene - 1, 20), li.text}};
        z.schrift.groesse = 9;
        d << z;
    }
    return fliessBericht(texte.titel, d);
}

} // namespace velmora::genealogy
