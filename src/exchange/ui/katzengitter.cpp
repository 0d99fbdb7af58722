#include "exchange/ui/katzengitter.h"

#include "language/sprache.h"
#include "store/table.h"

#include <QApplication>
#include <QPalette>

namespace velmora::exchange {

// texte: feldname 2520-2550

const QList<GitterSpalte>& gitterSpalten() {
    static const QList<GitterSpalte> s = {
        {"Name", "Name", 2520, "Nameidx", false},
        {"Zwinger", "Zwinger", 2521, "ZwinName", false},
        {"GeschlechtAnz", "Geschlecht", 2522, nullptr, true},
        {"GebDatum", "Geburtsdatum", 2523, "GebDatum", false},
        {"Rufname", "Rufname", 2524, "Rufnaidx", false},
        {"RasseAnz", "Rasse", 2525, "RasseName", true},
        {"FellFarbe", "Fellfarbe", 2526, "Farbe", false},
        {"Augenfarbe", "Augenfarbe", 2527, nullptr, false},
        {"Zuchtbuchnummer1", "Zuchtbuchnummer 1", 2528, "Zuchtbuchnummer1", false},
        {"Zuchtbuchnummer2", "Zuchtbuchnummer 2", 2529, nullptr, false},
        {"Zuchtbuchnummer3", "Zuchtbuchnummer 3", 2530, nullptr, false},
        {"VaterName", "Vater", 2531, nullptr, true},
        {"MutterName", "Mutter", 2532, nullptr, true},
        {"ZuechterAnz", "Züchter", 2533, nullptr, true},
        {"BesitzerAnz", "Besitzer", 2534, nullptr, true},
        {"TitelAnz", "Titel", 2535, nullptr, true},
        {"ChipNr", "Chipnummer", 2536, nullptr, false},
        {"MerkmaleAnz", "Merkmale", 2537, nullptr, true},
        {"Blutgruppe", "Blutgruppe", 2538, nullptr, false},
        {"Toddatum", "Todesdatum", 2539, nullptr, false},
        {"Wurfzahl", "Wurfzahl", 2540, nullptr, false},
        {"GenoTyp", "Genotyp", 2541, nullptr, false},
        {"Gencode", "Gencode", 2542, nullptr, false},
        {"Agouti", "Agouti", 2543, nullptr, false},
        {"Verduennung", "Verdünnung", 2544, nullptr, false},
        {"IDCode", "ID-Code", 2545, nullptr, false},
        {"Tests", "Tests", 2546, nullptr, false},
        {"Bemerkung", "Bemerkung", 2547, nullptr, false},
        {"BewertungAnz", "Bewertung", 2548, nullptr, true},
        {"LaufendeNummer", "Nummer", 2549, "", true},
        {"BildName", "Bild", 2550, nullptr, true},
    };
    return s;
}

namespace {

QList<TabellenModell::Spalte> modellSpalten(const QList<GitterSpalte>& s) {
    QList<TabellenModell::Spalte> m;
    for (const GitterSpalte& g : s) {
        const QString t = language::feldName(g.tag);
        m << TabellenModell::Spalte{QString::fromLatin1(g.feld),
                                    t.isEmpty() ? QString::fromUtf8(g.titel) : t};
    }
    return m;
}

} // namespace

KatzenGitterModell::KatzenGitterModell(store::Table& katzen, TOnlineExport& daten, bool mitBildname,
                                       Layout bildLayout, QObject* parent)
    : TabellenModell(katzen, {}, parent) {
    for (const GitterSpalte& g : gitterSpalten())
        if (mitBildname || qstrcmp(g.feld, "BildName") != 0) m_spalten << g;
    for (const GitterSpalte& g : m_spalten)
        if (g.berechnet && qstrcmp(g.feld, "LaufendeNummer") != 0)
            katzen.addCalculatedField({QString::fromLatin1(g.feld), store::FieldType::Text, 0, false});
    katzen.onCalcFields = [&daten, mitBildname, bildLayout](store::Table& t) {
        const int nr = t.asInt(QStringLiteral("LaufendeNummer"));
        t.setValue(QStringLiteral("GeschlechtAnz"),
                   daten.geschlecht(t.asString(QStringLiteral("Geschlecht"))));
        t.setValue(QStringLiteral("RasseAnz"), daten.rasse(t.asInt(QStringLiteral("Rasse"))));
        t.setValue(QStringLiteral("VaterName"), daten.katzenName(t.asInt(QStringLiteral("Vater"))));
        t.setValue(QStringLiteral("MutterName"), daten.katzenName(t.asInt(QStringLiteral("Mutter"))));
        t.setValue(QStringLiteral("ZuechterAnz"), daten.adresse(t.asInt(QStringLiteral("Züchter"))));
        t.setValue(QStringLiteral("BesitzerAnz"),
                   daten.besitzer(t.asInt(QStringLiteral("Status")), t.asInt(QStringLiteral("Besitzer"))));
        t.setValue(QStringLiteral("TitelAnz"), daten.titel(nr));
        t.setValue(QStringLiteral("MerkmaleAnz"), daten.merkmale(nr));
        t.setValue(QStringLiteral("BewertungAnz"), daten.bewertung(nr));
        if (mitBildname)
            t.setValue(QStringLiteral("BildName"),
                       daten.hauptbild(nr, t.asInt(QStringLiteral("Feld2")), bildLayout).name);
    };
    setSpalten(modellSpalten(m_spalten));
    // Cells that cannot be stored are drawn in the inactive colour.
    zusatz = [this](int role, const Zeile&, int spalte) -> QVariant {
        if (role == Qt::ForegroundRole && !aenderbar(spalte))
            return QApplication::palette().brush(QPalette::Disabled, QPalette::Text);
        return {};
    };
}

bool KatzenGitterModell::aenderbar(int spalte) const {
    return spalte >= 0 && spalte < m_spalten.size() && !m_spalten.at(spalte).berechnet;
}

Qt::ItemFlags KatzenGitterModell::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = TabellenModell::flags(index);
    if (!aenderbar(index.column())) f &= ~Qt::ItemIsEditable;
    return f;
}

} // namespace velmora::exchange
