#pragma once
// Money as the engine keeps it: a signed 64-bit count of 1/10000 of the currency unit, in memory and in
// the table (an INTEGER column), so sums and balances are exact and never drift. Values read from a Money
// field are QVariants holding a Money; a Money field takes a Money, a whole number (currency units), a
// double or a text ("12,50", "-3.1") and rounds to 1/10000 with ties to even. A QVariant holding a Money
// converts to double and to QString ("12.5", the shortest form with a point) for code that shows it.

#include <QMetaType>
#include <QString>
#include <QStringView>
#include <QVariant>
#include <compare>
#include <optional>

namespace velmora::store {

class Money {
public:
    static constexpr qint64 kEinheit = 10000; // units per currency unit

    constexpr Money() = default;
    static constexpr Money fromUnits(qint64 units) {
        Money m;
        m.m_units = units;
        return m;
    }
    static constexpr Money fromWhole(qint64 whole) { return fromUnits(whole * kEinheit); }
    // The double's shortest decimal form is the amount meant ("0.00005" is a tie, not a hair below
    // one); rounded to 1/10000, ties to even. Nothing for NaN, infinities or values beyond the range.
    static std::optional<Money> fromDouble(double d);
    // Digits with an optional sign and one decimal separator ('.' or ','), surrounding blanks allowed;
    // more than four decimals are rounded, ties to even. Nothing for anything else.
    static std::optional<Money> parse(QStringView text);
    // A Money, a whole number, a double or a text as above; nothing for an empty or other value.
    static std::optional<Money> fromVariant(const QVariant& v);

    constexpr qint64 units() const { return m_units; }
    double toDouble() const { return double(m_units) / double(kEinheit); }
    // Rounded to `places` decimals (0 to 4, ties to even), with `separator`; no grouping, "-" for minus.
    QString toString(int places = 2, QChar separator = QLatin1Char('.')) const;
    // The fewest decimals that say the amount exactly ("12.5", "3", "0.0001").
    QString shortest(QChar separator = QLatin1Char('.')) const;
    // Rounded to `places` decimals, ties to even.
    Money rounded(int places) const;

    constexpr Money operator-() const { return fromUnits(-m_units); }
    constexpr Money operator+(Money o) const { return fromUnits(m_units + o.m_units); }
    constexpr Money operator-(Money o) const { return fromUnits(m_units - o.m_units); }
    Money& operator+=(Money o) {
        m_units += o.m_units;
        return *this;
    }
    Money& operator-=(Money o) {
        m_units -= o.m_units;
        return *this;
    }
    constexpr bool operator==(const Money&) const = default;
    constexpr auto operator<=>(const Money&) const = default;
    constexpr bool isZero() const { return m_units == 0; }

private:
    qint64 m_units = 0;
};

// n / d rounded to the nearest whole number, ties to even (d != 0); the quotient must fit 64 bits.
qint64 roundedDivision(__int128 n, __int128 d);

// Registers the conversions of QVariant (to double and QString and back); done once, by the engine.
void registerMoneyType();

} // namespace velmora::store

Q_DECLARE_METATYPE(velmora::store::Money)
