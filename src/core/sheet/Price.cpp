#include "sheet/Price.h"

#include "base/Text.h"

namespace pinakos {

namespace {

const QString kZero = QStringLiteral("0,00");

// Adds one to a string of decimal digits.
void increment(QString& digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] != QLatin1Char('9')) {
            digits[i] = QChar(digits[i].unicode() + 1);
            return;
        }
        digits[i] = QLatin1Char('0');
    }
    digits.prepend(QLatin1Char('1'));
}

} // namespace

std::optional<QString> readPrice(const QString& text)
{
    const QString t = trimmed(text);
    if (t.isEmpty())
        return kZero;

    qsizetype i = 0;
    bool negative = false;
    if (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')) {
        negative = t[i] == QLatin1Char('-');
        ++i;
    }

    // Mantissa: digits with at most one comma; at least one digit.
    QString digits; // every mantissa digit, integer and fraction together
    qsizetype fraction = 0; // how many of them follow the comma
    bool comma = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (isDigit09(c)) {
            digits += c;
            if (comma)
                ++fraction;
        } else if (c == QLatin1Char(',') && !comma) {
            comma = true;
        } else {
            break;
        }
    }
    if (digits.isEmpty())
        return std::nullopt;

    // Optional exponent: e or E, optional sign, at least one digit.
    qint64 exponent = 0;
    if (i < t.size() && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
        ++i;
        bool expNegative = false;
        if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) {
            expNegative = t[i] == QLatin1Char('-');
            ++i;
        }
        const qsizetype start = i;
        for (; i < t.size() && isDigit09(t[i]); ++i) {
            if (exponent < 1000000) // beyond this every value is out of range or zero
                exponent = exponent * 10 + t[i].digitValue();
        }
        if (i == start)
            return std::nullopt;
        if (expNegative)
            exponent = -exponent;
    }
    if (i != t.size())
        return std::nullopt;

    // Drop leading zeros; the value is digits × 10^(exponent − fraction).
    qsizetype lead = 0;
    while (lead < digits.size() && digits[lead] == QLatin1Char('0'))
        ++lead;
    digits.remove(0, lead);
    if (digits.isEmpty())
        return kZero;

    // Hundredths: digits × 10^shift, rounded half away from zero.
    const qint64 shift = exponent - fraction + 2;
    QString hundredths;
    if (shift >= 0) {
        if (digits.size() + shift > kPriceWidth)
            return std::nullopt;
        hundredths = digits + QString(shift, QLatin1Char('0'));
    } else {
        const qint64 drop = -shift;
        if (drop > digits.size())
            return kZero; // less than half a hundredth
        hundredths = digits.left(digits.size() - drop);
        const bool roundUp = digits[digits.size() - drop] >= QLatin1Char('5');
        if (hundredths.isEmpty())
            hundredths = QStringLiteral("0");
        if (roundUp)
            increment(hundredths);
    }

    // Write it: integer digits without leading zeros, ",", two decimals.
    while (hundredths.size() > 1 && hundredths[0] == QLatin1Char('0'))
        hundredths.remove(0, 1);
    if (hundredths == QLatin1String("0"))
        return kZero;
    while (hundredths.size() < 3)
        hundredths.prepend(QLatin1Char('0'));
    QString out = hundredths.left(hundredths.size() - 2) + QLatin1Char(',') + hundredths.right(2);
    if (negative)
        out.prepend(QLatin1Char('-'));
    if (out.size() > kPriceWidth)
        return std::nullopt;
    return out;
}

QString normalisePrice(const QString& text) { return readPrice(text).value_or(kZero); }

std::optional<qint64> priceCents(const QString& text)
{
    if (text.isEmpty() || normalisePrice(text) != text)
        return std::nullopt;
    // At most 15 characters: up to twelve integer digits, which fit.
    qint64 cents = 0;
    for (QChar c : text)
        if (isDigit09(c))
            cents = cents * 10 + c.digitValue();
    return text.startsWith(QLatin1Char('-')) ? -cents : cents;
}

} // namespace pinakos
