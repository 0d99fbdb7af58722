#include "register/zusatzdaten.h"

#include <algorithm>

namespace velmora::reg {

namespace {
QString codeIn(const QStringList& liste, const QString& wert, const QStringList& codes) {
    const int i = int(liste.indexOf(wert));
    return i > 0 ? codes.value(i - 1) : QString();
}
} // namespace

QStringList kieferfehlerAuswahl() {
    return {QString(), QStringLiteral("Vorbiss"), QStringLiteral("Rückbiss"), QStringLiteral("Zangengebiss"),
            QStringLiteral("Kreuzbiss")};
}

QStringList bruchAuswahl() {
    return {QString(),
            QStringLiteral("Nabelbruch Verdacht"),
            QStringLiteral("Nabelbruch leicht"),
            QStringLiteral("Nabelbruch mittel"),
            QStringLiteral("Nabelbruch schwer"),
            QStringLiteral("Leistenbruch Verdacht"),
            QStringLiteral("Leistenbruch leicht"),
            QStringLiteral("Leistenbruch mittel"),
            QStringLiteral("Leistenbruch schwer")};
}

QStringList hodenAuswahl() {
    return {QString(), QStringLiteral("nur ein Hoden im Skrotum"), QStringLiteral("kein Hoden im Skrotum")};
}

QString kieferCode(const QString& k) {
    return codeIn(kieferfehlerAuswahl(), k,
                  {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")});
}

QString bruchCode(const QString& b) {
    return codeIn(bruchAuswahl(), b,
                  {QStringLiteral("N1"), QStringLiteral("N2"), QStringLiteral("N3"), QStringLiteral("N4"),
                   QStringLiteral("L1"), QStringLiteral("L2"), QStringLiteral("L3"), QStringLiteral("L4")});
}

QString hodenCode(const QString& h) {
    return codeIn(hodenAuswahl(), h, {QStringLiteral("1"), QStringLiteral("2")});
}

int punkteSumme(const QVariantList& punkte) {
    int s = 0;
    for (const QVariant& p : punkte)
        s += p.isNull() ? 0 : p.toInt();
    return s;
}

void zuchtwertSummeAnlegen(store::Table& t) {
    t.addCalculatedField({QStringLiteral("Summe"), store::FieldType::Short, 0, false});
    t.onCalcFields = [](store::Table& z) {
        z.setValue(QStringLiteral("Summe"), punkteSumme({z.value(QStringLiteral("WesenPunkte")),
                                                         z.value(QStringLiteral("GesundheitPunkte")),
                                                         z.value(QStringLiteral("ExterieurPunkte")),
                                                         z.value(QStringLiteral("WeiteresPunkte"))}));
    };
}

QList<QList<QPointF>> gewichtsKurven(const QDate& wurftag, const QList<Wiegung>& wiegungen, int kaetzchen) {
    QList<QList<QPointF>> kurven(kaetzchen);
    if (!wurftag.isValid()) return kurven;
    for (const Wiegung& w : wiegungen) {
        if (!w.datum.isValid() || w.datum < wurftag) continue;
        const double tage = double(wurftag.daysTo(w.datum));
        for (int k = 0; k < kaetzchen && k < w.gewichte.size(); ++k) {
            bool ok = false;
            const double g =
                QString(w.gewichte[k].trimmed()).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
            if (ok) kurven[k] << QPointF(tage, g);
        }
    }
    for (auto& k : kurven)
        std::sort(k.begin(), k.end(), [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
    return kurven;
}

} // namespace velmora::reg
