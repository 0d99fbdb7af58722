#include "register/katzenregeln.h"

#include <functional>

namespace velmora::reg {

namespace {

enum class Art { Partikel, Vorne };
struct Muster {
    const char* text;
    Art art;
    int schnitt; // for Vorne: the cut position is p + schnitt
};

// In the order they are tried; the numbers are the patterns' places in that order.
constexpr Muster kMuster[] = {
    {" V.D. ", Art::Partikel, 0}, // 1
    {" V. ", Art::Partikel, 0},   // 2
    {" D' ", Art::Partikel, 0},   // 3
    {" O' ", Art::Partikel, 0},   // 4
    {" VAN'T ", Art::Partikel, 0}, // 5
    {" A LA ", Art::Partikel, 0}, // 6
    {"'", Art::Vorne, 0},         // 7
    {" A ", Art::Vorne, 2},       // 8
    {".", Art::Vorne, 1},         // 9
    {"`", Art::Vorne, 1},         // 10
    {" OF ", Art::Partikel, 0},   // 11
    {" VOM ", Art::Partikel, 0},  // 12
    {" VAN DEN ", Art::Partikel, 0}, // 13
    {" VON DEN ", Art::Partikel, 0}, // 14
    {" VON DER ", Art::Partikel, 0}, // 15
    {" VON ", Art::Partikel, 0},  // 16
    {" VAN DE ", Art::Partikel, 0}, // 17
    {" DE LA ", Art::Partikel, 0}, // 18
    {" DE ", Art::Partikel, 0},   // 19
    {" FROM ", Art::Partikel, 0}, // 20
    {" DU ", Art::Partikel, 0},   // 21
    {" ON ", Art::Partikel, 0},   // 22
    {" AUS DEN ", Art::Partikel, 0}, // 23
    {" AUS ", Art::Partikel, 0},  // 24
    {" AV ", Art::Partikel, 0},   // 25
    {" Z ", Art::Partikel, 0},    // 26
    {" DEL ", Art::Partikel, 0},  // 27
    {" ZUR ", Art::Partikel, 0},  // 28
    {" DES ", Art::Partikel, 0},  // 29
    {" FRA ", Art::Partikel, 0},  // 30
    {" DA ", Art::Partikel, 0},   // 31
    {" AF ", Art::Partikel, 0},   // 32
    {" EX ", Art::Partikel, 0},   // 33
    {" THE ", Art::Partikel, 0},  // 34
    {" AUX ", Art::Partikel, 0},  // 35
    {" IZ ", Art::Partikel, 0},   // 36
    {" IT ", Art::Partikel, 0},   // 37
    {" OK ", Art::Partikel, 0},   // 38
    {" VAN HET ", Art::Partikel, 0}, // 39
    {" VAN ", Art::Partikel, 0},  // 40
    {" BEIM ", Art::Partikel, 0}, // 41
    {" AM ", Art::Partikel, 0},   // 42
    {" ", Art::Vorne, 0},         // 43
};

} // namespace

const QStringList& zwingerMuster() {
    static const QStringList l = [] {
        QStringList r;
        for (const Muster& m : kMuster)
            r << QLatin1String(m.text);
        return r;
    }();
    return l;
}

std::optional<QString> zwingerAbtrennen(const QString& name, bool zusatzBeiZwinger) {
    for (const Muster& m : kMuster) {
        const QString muster = QLatin1String(m.text);
        // Case-blind search on the name as typed: upper-casing first would shift positions (ß -> SS).
        const int i = name.indexOf(muster, 0, Qt::CaseInsensitive);
        if (i < 0) continue;
        const int p = i + 1; // 1-based
        if (m.art == Art::Partikel) {
            const int weg = zusatzBeiZwinger ? p : p + int(muster.size()) - 1;
            return name.mid(weg);
        }
        // Cattery first: everything from the cut position on goes.
        const int schnitt = p + m.schnitt;
        return name.left(schnitt - 1);
    }
    return std::nullopt;
}

QStringList adressBlock(const Adresse& a) {
    QStringList z;
    auto dazu = [&](const QString& s) {
        if (!s.isEmpty()) z << s;
    };
    if (!a.anzeige.isEmpty())
        z << a.anzeige;
    else if (!a.vorname.isEmpty())
        dazu(a.name + QStringLiteral(", ") + a.vorname);
    else
        dazu(a.name);
    dazu(a.strasse);
    QString ort = a.plz.isEmpty() ? a.ort : a.plz + QLatin1Char(' ') + a.ort;
    ort = ort.trimmed();
    if (!ort.isEmpty() && a.land.size() >= 1 && a.land.size() <= 3) ort = a.land + QLatin1Char('-') + ort;
    dazu(ort);
    dazu(a.telefon);
    if (a.land.size() > 3) z << a.land;
    return z;
}

AltersFelder altersFelder(const QDate& geb, const QDate& tod, const QString& status, const QDate& heute,
                          const QString& jahreWort, const std::function<QString(const QDate&, const QDate&)>& alterText) {
    AltersFelder f;
    if (!geb.isValid()) return f;
    const bool lebt = !tod.isValid() && status != QLatin1String("4");
    const QString text = alterText(geb, lebt ? heute : tod);
    int jahre = 0;
    const int stelle = text.indexOf(QLatin1Char(' ') + jahreWort);
    if (stelle > 0) jahre = text.left(stelle).trimmed().toInt();
    if (lebt && jahre <= 25) {
        f.alterAkt = text;
        return f;
    }
    // Dead, or older than any living cat: shown with the death date (none when not recorded).
    f.tot = true;
    f.zeigeTodDatum = true;
    if (tod.isValid()) f.alter = text;
    return f;
}

Markierung markierung(const QList<MerkmalZeile>& merkmale, std::optional<int> topFarbe, bool merkmalVorTop) {
    Markierung m;
    if (!merkmale.isEmpty()) {
        if (merkmale.first().farbe != 0) m.farbe = merkmale.first().farbe;
        QStringList k;
        for (const MerkmalZeile& z : merkmale)
            k << z.kuerzel;
        m.text = k.join(QStringLiteral(" / "));
    }
    if (topFarbe && !(merkmalVorTop && !m.text.isEmpty())) m.farbe = *topFarbe;
    return m;
}

QString elternText(const QString& name, const Markierung& m) {
    return m.text.isEmpty() ? name : name + QStringLiteral(" -- ") + m.text;
}

} // namespace velmora::reg
