#include "register/zuchtbuch.h"

#include <QRegularExpression>
#include <cstdlib>

namespace velmora::reg {

int tageZwischen(const QDateTime& von, const QDateTime& bis) {
    return int(std::llabs(von.secsTo(bis)) / 86400);
}

QList<std::optional<int>> tageZwischenRolligkeiten(const QList<QDateTime>& r) {
    QList<std::optional<int>> tage;
    for (int i = 0; i < r.size(); ++i) {
        if (i == 0 || !r[i].isValid() || !r[i - 1].isValid())
            tage << std::nullopt;
        else
            tage << tageZwischen(r[i - 1], r[i]);
    }
    return tage;
}

RolligkeitsStatistik rolligkeitsStatistik(const QList<QDateTime>& r, const Zuchttage& tage,
                                          const QDate& heute) {
    RolligkeitsStatistik s;
    s.plusMinus = tage.plusMinus;
    s.durchschnitt = tage.rolligkeit;
    if (r.size() >= 2) {
        long long summe = 0;
        int anzahl = 0;
        for (const std::optional<int>& t : tageZwischenRolligkeiten(r))
            if (t) {
                summe += *t;
                ++anzahl;
            }
        if (anzahl > 0) s.durchschnitt = int(summe / anzahl);
    }
    if (r.isEmpty()) {
        s.decktermin = heute;
    } else if (r.last().isValid()) {
        s.naechsteRolligkeit = r.last().date().addDays(s.durchschnitt);
        s.decktermin = s.naechsteRolligkeit;
    }
    const Termine t = termineAusDecktermin(s.decktermin, tage);
    s.wurftermin = t.wurftermin;
    s.abgabetermin = t.abgabetermin;
    return s;
}

Termine termineAusDecktermin(const QDate& decktermin, const Zuchttage& tage) {
    if (!decktermin.isValid()) return {};
    Termine t;
    t.wurftermin = decktermin.addDays(tage.gebtermin);
    t.abgabetermin = t.wurftermin.addDays(tage.abgabe);
    return t;
}

Termine termineAusText(const QString& text, const Zuchttage& tage) {
    static const QRegularExpression muster(QStringLiteral("^(\\d{1,2})\\.(\\d{1,2})\\.(\\d{2}|\\d{4})$"));
    const auto m = muster.match(text.trimmed());
    if (!m.hasMatch()) return {};
    int jahr = m.captured(3).toInt();
    if (m.captured(3).size() == 2) jahr += 2000;
    return termineAusDecktermin(QDate(jahr, m.captured(2).toInt(), m.captured(1).toInt()), tage);
}

QDate erwarteterWurf(const QDate& decktermin, const Zuchttage& tage) {
    return decktermin.isValid() ? decktermin.addDays(tage.gebtermin) : QDate();
}

std::optional<int> traechtigkeit(const QDate& decktermin1, const QDate& decktermin2, const QDate& wurftag) {
    if (!decktermin1.isValid() || !wurftag.isValid()) return std::nullopt;
    const QDate von = decktermin2.isValid() ? decktermin2 : decktermin1;
    return int(von.daysTo(wurftag));
}

} // namespace velmora::reg
