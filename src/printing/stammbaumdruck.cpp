#include "printing/stammbaumdruck.h"

#include "printing/blatt.h"
#include "store/table.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace velmora::printing {

// texte: feldname 6886-6894

namespace {

constexpr double kLinksBreite = 78.0; // the cat's column
constexpr double kKopfzeile = 6.0;    // generation captions
constexpr double kZeilenfaktor = 0.3528 * 1.15; // mm per point of one line

bool dunkel(Farbwert f) {
    const int r = f & 0xff, g = (f >> 8) & 0xff, b = (f >> 16) & 0xff;
    return r * 299 + g * 587 + b * 114 < 128000;
}

QList<int> stammbaumFarben(store::Database& db) {
    QList<int> farben;
    if (!db.tableExists(QStringLiteral("stbfarbe"))) return farben;
    try {
        store::Table t(db, QStringLiteral("stbfarbe"));
        t.open(store::Table::OpenMode::ReadOnly);
        for (t.first(); t.hasRecord() && !t.eof(); t.next())
            farben << t.asInt(QStringLiteral("farbe"));
    } catch (const std::exception&) {
    }
    return farben;
}

// The items of the print order setting an ancestor's slot shows below its name (title: in front of it).
QStringList eintraege(Druckquelle& q, const DruckKatze& k, const settings::Reihenfolge22& ordnung) {
    QStringList t;
    for (quint8 item : ordnung) {
        QString w;
        switch (item) {
        case 2: w = k.fellFarbe; break;
        case 3: w = k.augenfarbe; break;
        case 4: w = k.zb1; break;
        case 5: w = k.zb2; break;
        case 6: w = k.zb3; break;
        case 7: w = q.datum(k.gebDatum); break;
        case 11: w = k.rasseName; break;
        case 15: w = k.blutgruppe; break;
        case 16: w = k.tests; break;
        case 17: w = k.chip; break;
        case 21: w = k.taeto; break;
        default: break;
        }
        if (!w.isEmpty()) t << w;
    }
    // The registration number belongs on every certificate: after the chosen items when none of the
    // three numbers is among them.
    const bool mitNummer = std::any_of(ordnung.begin(), ordnung.end(), [](quint8 i) { return i >= 4 && i <= 6; });
    if (!mitNummer && !k.zb1.isEmpty()) t << k.zb1;
    return t;
}

// The lines of a box `zeilen` lines high: the name (wrapped) first, the items after it, each line
// shortened where it would run past the box.
QStringList boxZeilen(const QString& kopf, const QStringList& items, int zeilen, double breite, const Schrift& s,
                      const Textbreite& messen, int* namensZeilen = nullptr) {
    if (namensZeilen) *namensZeilen = 0;
    if (zeilen < 1) return {};
    const QStringList name = zeilenUmbrechen(kopf, breite, s, messen);
    const int namenZeilen = std::clamp(zeilen - int(items.size()), 1, int(name.size()));
    QStringList result = name.mid(0, namenZeilen);
    if (namenZeilen < name.size())
        result.last() = kuerzen(QStringList(name.mid(namenZeilen - 1)).join(QLatin1Char(' ')), breite, s, messen);
    if (namensZeilen) *namensZeilen = namenZeilen;
    for (const QString& i : items) {
        if (result.size() >= zeilen) break;
        result << kuerzen(i, breite, s, messen);
    }
    return result;
}

// A picture file of the settings, relative ones below the data directory; empty when it does not exist.
QString bildDatei(Druckquelle& q, const QString& pfad) {
    if (pfad.trimmed().isEmpty()) return {};
    const QString p = QFileInfo(pfad).isRelative() ? QDir(q.db().directory()).filePath(pfad) : pfad;
    return QFileInfo(p).isFile() ? p : QString();
}

// The logo's box in mm from its size setting in pixels, printed at 300 dpi and kept within the corner
// beside the heading (at most 30 mm either way); the picture keeps its proportions inside it.
QSizeF logoGroesse(int pixelBreite, int pixelHoehe) {
    const double b = std::clamp(pixelBreite, 1, 5000) * 25.4 / 300.0;
    const double h = std::clamp(pixelHoehe, 1, 5000) * 25.4 / 300.0;
    const double f = std::min({1.0, 30.0 / b, 30.0 / h});
    return {b * f, h * f};
}

} // namespace

Blattvorgaben stammbaumVorgaben(Druckquelle& q) {
    Blattvorgaben v = q.vorgaben(Seitenausrichtung::Querformat);
    const settings::tsysteminfo& e = q.einstellungen();
    // The pedigree's own margins are tenths of a millimetre added to the print margins, so the defaults
    // keep the certificate clear of the printer's edge and a value of 0 leaves the print margins.
    auto zehntel = [](int wert) { return std::clamp(wert, 0, 600) / 10.0; };
    v.links += zehntel(e.StammbaumLinkerRand);
    v.oben += zehntel(e.StammbaumObererRand);
    v.rechts += zehntel(e.StammbaumRechterRand);
    v.unten += zehntel(e.StammbaumUntererRand);
    return v;
}

int druckGenerationen(int einstellung) {
    return std::clamp(einstellung, 4, 5);
}

StammbaumDruck stammbaumDrucken(Druckquelle& q, int katze, int generationen) {
    const int G = druckGenerationen(generationen);
    StammbaumDruck d;
    DruckKatze k;
    q.katze(katze, k);
    // The one slot fill of the pedigree window; each slot's cat is read as the fill reaches it.
    QHash<qint32, DruckKatze> katzen;
    d.tafel = genealogy::ahnentafelFuellen(k.vater, k.mutter, G, [&](int, int, qint32 nr, qint32& v, qint32& m) {
        auto it = katzen.find(nr);
        if (it == katzen.end()) {
            DruckKatze a;
            if (!q.katze(nr, a)) return false;
            it = katzen.insert(nr, a);
        }
        v = it->vater;
        m = it->mutter;
        return true;
    });
    if (q.einstellungen().StbDoppelteFarbig) {
        QList<int> liste = stammbaumFarben(q.db());
        // Without a colour list a light grey marks them: black would hide the names.
        if (liste.isEmpty()) liste << 0xD8D8D8;
        d.farben = genealogy::doppelteAhnenFarben(d.tafel, liste);
    }

    Blatt b(stammbaumVorgaben(q));
    Seite& s = b.seite();
    const QRectF innen = b.inhalt();
    const Textbreite& messen = b.messen();

    // ---- the cat at the left, the logo beside the heading
    double y = innen.top();
    double titelBreite = kLinksBreite;
    double titelHoehe = 9.0;
    if (const QString logo = bildDatei(q, q.einstellungen().Stammbaumlogo); !logo.isEmpty()) {
        const QSizeF g = logoGroesse(q.einstellungen().StammbaumLogoBildhorizontal,
                                     q.einstellungen().StammbaumLogoBildvertikal);
        s.bild(QRectF(innen.left() + kLinksBreite - g.width(), y, g.width(), g.height()), logo);
        titelBreite -= g.width() + 2.0;
        titelHoehe = std::max(titelHoehe, g.height());
    }
    Schrift titelSchrift;
    titelSchrift.groesse = 18.0;
    titelSchrift.fett = true;
    s.text(QRectF(innen.left(), y, titelBreite, titelHoehe),
           kuerzen(q.text(6886, "Stammbaum"), titelBreite, titelSchrift, messen), titelSchrift, HAusrichtung::Links,
           VAusrichtung::Mitte);
    y += titelHoehe + 1.0;
    Schrift nameSchrift;
    nameSchrift.groesse = 11.0;
    nameSchrift.fett = true;
    const double nameZeile = nameSchrift.groesse * kZeilenfaktor;
    for (const QString& z : boxZeilen(Druckquelle::nameMitTiteln(k), {}, 3, kLinksBreite, nameSchrift, messen)) {
        s.text(QRectF(innen.left(), y, kLinksBreite, nameZeile), z, nameSchrift, HAusrichtung::Links, VAusrichtung::Mitte);
        y += nameZeile;
    }
    y += 1.5;
    Schrift feldSchrift;
    feldSchrift.groesse = 8.0;
    Schrift labelSchrift = feldSchrift;
    labelSchrift.fett = true;
    const double feldZeile = feldSchrift.groesse * kZeilenfaktor;
    const double label = 30.0;
    QStringList nummern;
    for (const QString& n : {k.zb1, k.zb2, k.zb3})
        if (!n.isEmpty()) nummern << n;
    const std::pair<QString, QString> felder[] = {
        {q.text(6806, "Rasse"), k.rasseName},
        {q.text(6809, "Fellfarbe"), k.fellFarbe},
        {q.text(6801, "Geschlecht"), q.geschlechtWort(k.geschlecht)},
        {q.text(6810, "Geburtsdatum"), q.datum(k.gebDatum)},
        {q.text(6889, "Zuchtbuch-Nr."), nummern.join(QStringLiteral(" / "))},
        {q.text(6815, "Chip-Nr."), k.chip},
        {q.text(6804, "Züchter"), q.zuechterBlock(k).value(0)},
        {q.text(6805, "Besitzer"), q.besitzerBlock(k).value(0)}};
    for (const auto& [l, w] : felder) {
        const QStringList zeilen = boxZeilen(w, {}, 2, kLinksBreite - label, feldSchrift, messen);
        s.text(QRectF(innen.left(), y, label - 1.0, feldZeile), kuerzen(l, label - 1.0, labelSchrift, messen),
               labelSchrift, HAusrichtung::Links, VAusrichtung::Mitte);
        for (const QString& z : zeilen) {
            s.text(QRectF(innen.left() + label, y, kLinksBreite - label, feldZeile), z, feldSchrift,
                   HAusrichtung::Links, VAusrichtung::Mitte);
            y += feldZeile;
        }
        if (zeilen.isEmpty()) y += feldZeile;
    }
    y += 2.0;
    // The signature line keeps the foot of the column; picture and rating share what is above it.
    const double unterschrift = innen.bottom() - 12.0;
    const QString bild = q.einstellungen().StammbaumBild ? q.druckbild(k) : QString();
    if (!bild.isEmpty()) {
        const double seite = std::min(42.0, unterschrift - y - 12.0);
        if (seite > 15.0) {
            s.bild(QRectF(innen.left(), y, seite, seite), bild);
            y += seite + 2.0;
        }
    }
    const QString bewertung = q.bewertung(katze);
    if (!bewertung.isEmpty() && unterschrift - y > 2 * feldZeile) {
        s.text(QRectF(innen.left(), y, kLinksBreite, feldZeile), q.text(6888, "Bewertung"), labelSchrift,
               HAusrichtung::Links, VAusrichtung::Mitte);
        y += feldZeile;
        const int platz = int((unterschrift - 2.0 - y) / feldZeile);
        const QStringList zeilen = zeilenUmbrechen(bewertung, kLinksBreite, feldSchrift, messen);
        for (int i = 0; i < std::min(platz, int(zeilen.size())); ++i) {
            const bool letzte = i == platz - 1 && zeilen.size() > platz;
            s.text(QRectF(innen.left(), y, kLinksBreite, feldZeile),
                   letzte ? kuerzen(QStringList(zeilen.mid(i)).join(QLatin1Char(' ')), kLinksBreite, feldSchrift, messen)
                          : zeilen[i],
                   feldSchrift, HAusrichtung::Links, VAusrichtung::Mitte);
            y += feldZeile;
        }
    }
    s.linie(QPointF(innen.left(), unterschrift + 5.0), QPointF(innen.left() + 48.0, unterschrift + 5.0), 0.2);
    s.text(QRectF(innen.left(), unterschrift + 5.5, 48.0, feldZeile),
           kuerzen(q.text(6887, "Unterschrift des Züchters"), 48.0, feldSchrift, messen), feldSchrift);
    s.text(QRectF(innen.left() + 50.0, unterschrift + 5.5 - feldZeile, kLinksBreite - 50.0, feldZeile),
           q.text(6841, "Datum") + QLatin1Char(' ') + q.datum(q.heute), feldSchrift);
    s.linie(QPointF(innen.left() + 50.0, unterschrift + 5.0), QPointF(innen.left() + kLinksBreite, unterschrift + 5.0), 0.2);

    // ---- the ancestors at the right, generation by generation and slot by slot
    const double x0 = innen.left() + kLinksBreite + 4.0;
    const double breite = (innen.right() - x0) / G;
    const double luecke = 2.5;
    const double oben = innen.top() + kKopfzeile;
    const double hoehe = innen.bottom() - oben;
    const QStringList spalten{q.text(6890, "Eltern"), q.text(6891, "Großeltern"), q.text(6892, "Urgroßeltern"),
                                   q.text(6893, "Ururgroßeltern"), q.text(6894, "Urururgroßeltern")};
    Schrift kopfSchrift;
    kopfSchrift.groesse = 8.0;
    kopfSchrift.fett = true;
    settings::Reihenfolge22 ordnung = settings::stammbaumReihenfolge(q.einstellungen().stammbaumDrucken);
    const bool mitTitel = std::find(ordnung.begin(), ordnung.end(), quint8(1)) != ordnung.end();
    for (int g = 1; g <= G; ++g) {
        const double x = x0 + (g - 1) * breite;
        const double w = breite - luecke;
        s.text(QRectF(x, innen.top(), w, kKopfzeile - 1.0), kuerzen(spalten.value(g - 1), w, kopfSchrift, messen),
               kopfSchrift, HAusrichtung::Links, VAusrichtung::Mitte);
        const double h = hoehe / genealogy::Ahnentafel::slotZahl(g);
        // The font shrinks with the generation, down to two lines in the narrowest slots.
        Schrift schrift;
        schrift.groesse = std::clamp((h - 0.8) / 2.0 / kZeilenfaktor, 5.0, g <= 2 ? 9.0 : 8.0);
        Schrift fett = schrift;
        fett.fett = true;
        const double zeile = schrift.groesse * kZeilenfaktor;
        const int zeilen = std::max(1, int((h - 0.8) / zeile));
        for (int slot = 1; slot <= genealogy::Ahnentafel::slotZahl(g); ++slot) {
            const QRectF box(x, oben + (slot - 1) * h + 0.3, w, h - 0.6);
            const qint32 nr = d.tafel.slot(g, slot);
            const auto farbe = d.farben.constFind(nr);
            s.rechteck(box, nr && farbe != d.farben.constEnd() ? std::optional<Farbwert>(*farbe) : std::nullopt, 0.15);
            if (g < G) {
                // The bracket to the parents' boxes.
                const double mitte = box.center().y();
                const double xr = box.right(), xm = xr + luecke / 2;
                const double hv = h / 4;
                s.linie(QPointF(xr, mitte), QPointF(xm, mitte), 0.1);
                s.linie(QPointF(xm, mitte - hv), QPointF(xm, mitte + hv), 0.1);
                s.linie(QPointF(xm, mitte - hv), QPointF(xr + luecke, mitte - hv), 0.1);
                s.linie(QPointF(xm, mitte + hv), QPointF(xr + luecke, mitte + hv), 0.1);
            }
            if (!nr) continue;
            const DruckKatze& a = katzen[nr];
            const QString kopf = mitTitel && !a.titel.isEmpty() ? a.titel + QLatin1Char(' ') + a.name : a.name;
            int namensZeilen = 0;
            const QStringList text =
                boxZeilen(kopf, eintraege(q, a, ordnung), zeilen, w - 1.6, fett, messen, &namensZeilen);
            const double start = box.top() + (box.height() - text.size() * zeile) / 2;
            const Farbwert tinte = farbe != d.farben.constEnd() && dunkel(*farbe) ? kWeiss : kSchwarz;
            for (int i = 0; i < text.size(); ++i)
                s.text(QRectF(box.left() + 0.8, start + i * zeile, w - 1.6, zeile), text[i],
                       i < namensZeilen ? fett : schrift, HAusrichtung::Links, VAusrichtung::Mitte)
                    .farbe = tinte;
        }
    }
    d.bericht = b.fertig(q.text(6886, "Stammbaum") + QLatin1Char(' ') + k.name);
    // The background picture fills the area inside the margins, under everything else.
    if (const QString grund = bildDatei(q, q.einstellungen().StammbaumHintergrundbild); !grund.isEmpty()) {
        Seite& seite = d.bericht.seite(0);
        Seite neu;
        neu.bild(d.bericht.inhalt(), grund, false);
        for (const Element& e : seite.elemente())
            neu.hinzufuegen(e);
        seite = neu;
    }
    return d;
}

} // namespace velmora::printing
