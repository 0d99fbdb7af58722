#include "store/money.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>
#include <mutex>

namespace velmora::store {

namespace {
constexpr qint64 kPow10[] = {1, 10, 100, 1000, 10000};
}

qint64 roundedDivision(__int128 n, __int128 d) {
    if (d < 0) {
        n = -n;
        d = -d;
    }
    __int128 q = n / d, r = n % d; // truncates towards zero
    if (r < 0) { // make the remainder non-negative: q is the floor
        r += d;
        --q;
    }
    const __int128 twice = 2 * r;
    if (twice > d || (twice == d && (q & 1) != 0)) ++q;
    return qint64(q);
}

std::optional<Money> Money::parse(QStringView text) {
    QStringView t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    bool negative = false;
    if (t.front() == QLatin1Char('-') || t.front() == QLatin1Char('+')) {
        negative = t.front() == QLatin1Char('-');
        t = t.mid(1);
    }
    __int128 digits = 0;
    int decimals = 0, count = 0;
    bool separator = false;
    for (QChar c : t) {
        if (c == QLatin1Char('.') || c == QLatin1Char(',')) {
            if (separator) return std::nullopt;
            separator = true;
            continue;
        }
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
        if (++count > 30) return std::nullopt; // beyond any amount the type holds
        digits = digits * 10 + (c.unicode() - '0');
        if (separator) ++decimals;
    }
    if (count == 0) return std::nullopt;
    __int128 units;
    if (decimals <= 4) {
        units = digits * kPow10[4 - decimals];
    } else {
        __int128 d = 1;
        for (int i = 4; i < decimals; ++i)
            d *= 10;
        units = roundedDivision(digits, d);
    }
    if (units > std::numeric_limits<qint64>::max()) return std::nullopt;
    return fromUnits(negative ? -qint64(units) : qint64(units));
}

std::optional<Money> Money::fromDouble(double d) {
    if (!std::isfinite(d) || std::fabs(d) > 9.0e14) return std::nullopt;
    return parse(QString::number(d, 'f', QLocale::FloatingPointShortest));
}

std::optional<Money> Money::fromVariant(const QVariant& v) {
    if (!v.isValid() || v.isNull()) return std::nullopt;
    if (v.metaType() == QMetaType::fromType<Money>()) return v.value<Money>();
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::Short:
        return fromWhole(v.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return fromDouble(v.toDouble());
    case QMetaType::QString:
        return parse(v.toString());
    default:
        return std::nullopt;
    }
}

Money Money::rounded(int places) const {
    places = std::clamp(places, 0, 4);
    const qint64 step = kPow10[4 - places];
    return fromUnits(roundedDivision(m_units, step) * step);
}

QString Money::toString(int places, QChar separator) const {
    places = std::clamp(places, 0, 4);
    const qint64 r = roundedDivision(m_units, kPow10[4 - places]);
    const quint64 a = r < 0 ? quint64(0) - quint64(r) : quint64(r);
    QString s = QString::number(a / quint64(kPow10[places]));
    if (places > 0)
        s += separator + QStringLiteral("%1").arg(a % quint64(kPow10[places]), places, 10, QLatin1Char('0'));
    return r < 0 ? QLatin1Char('-') + s : s;
}

QString Money::shortest(QChar separator) const {
    int places = 4;
    while (places > 0 && m_units % kPow10[5 - places] == 0)
        --places;
    return toString(places, separator);
}

void registerMoneyType() {
    static std::once_flag once;
    std::call_once(once, [] {
        QMetaType::registerConverter<Money, double>(&Money::toDouble);
        QMetaType::registerConverter<Money, QString>([](const Money& m) { return m.shortest(); });
        QMetaType::registerConverter<double, Money>([](double d) { return Money::fromDouble(d).value_or(Money()); });
    });
}

namespace {
// A Money in a variant converts from the start, not only once a table file was opened.
const bool kMoneyRegistriert = (registerMoneyType(), true);
} // namespace

} // namespace velmora::store
