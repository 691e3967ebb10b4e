// The price normaliser on any text: the result is always digits, a comma and
// two decimals within the field's width, normalising it again changes
// nothing, and for short plain numbers it agrees with exact integer
// arithmetic done here on its own.
#include "FuzzCheck.h"
#include "sheet/Price.h"

#include <optional>
#include <string>

using namespace pinakos;

namespace {

bool wellFormed(const QString& p)
{
    if (p.size() > kPriceWidth || p.size() < 4)
        return false;
    qsizetype i = p.startsWith(u'-') ? 1 : 0;
    const qsizetype comma = p.size() - 3;
    if (p.at(comma) != u',' || comma - i < 1)
        return false;
    for (qsizetype k = i; k < p.size(); ++k)
        if (k != comma && (p.at(k) < u'0' || p.at(k) > u'9'))
            return false;
    // No leading zero but a lone one, and never a negative zero.
    if (comma - i > 1 && p.at(i) == u'0')
        return false;
    return !(i == 1 && p.mid(1) == QStringLiteral("0,00"));
}

// [sign] digits [, digits] [e [sign] digits], blanks around; at most 18
// digits and a small exponent, so that __int128 holds everything.
std::optional<QString> reference(const QString& text)
{
    const QString t = fuzz::referenceTrimmed(text);
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        negative = t[i++] == u'-';
    __int128 digits = 0;
    int count = 0, fraction = 0;
    bool comma = false;
    for (; i < t.size(); ++i) {
        if (t[i] >= u'0' && t[i] <= u'9') {
            if (++count > 18)
                return std::nullopt;
            digits = digits * 10 + (t[i].unicode() - '0');
            fraction += comma;
        } else if (t[i] == u',' && !comma) {
            comma = true;
        } else {
            break;
        }
    }
    if (count == 0)
        return QStringLiteral("0,00");
    int exponent = 0;
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
        ++i;
        bool expNegative = false;
        if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
            expNegative = t[i++] == u'-';
        int expDigits = 0;
        for (; i < t.size() && t[i] >= u'0' && t[i] <= u'9'; ++i) {
            if (++expDigits > 2)
                return std::nullopt;
            exponent = exponent * 10 + (t[i].unicode() - '0');
        }
        if (expDigits == 0)
            return QStringLiteral("0,00");
        if (expNegative)
            exponent = -exponent;
    }
    if (i != t.size())
        return QStringLiteral("0,00");
    // Hundredths, rounded half away from zero.
    const int shift = exponent - fraction + 2;
    __int128 hundredths = digits;
    if (shift >= 0) {
        for (int k = 0; k < shift; ++k) {
            hundredths *= 10;
            if (hundredths > (__int128)1e15)
                return QStringLiteral("0,00");
        }
    } else {
        if (-shift > 36)
            return QStringLiteral("0,00");
        __int128 p = 1;
        for (int k = 0; k < -shift; ++k)
            p *= 10;
        const __int128 q = digits / p, r = digits % p;
        hundredths = q + (2 * r >= p ? 1 : 0);
    }
    if (hundredths == 0)
        return QStringLiteral("0,00");
    std::string s;
    for (__int128 h = hundredths; h > 0; h /= 10)
        s.insert(s.begin(), char('0' + int(h % 10)));
    while (s.size() < 3)
        s.insert(s.begin(), '0');
    QString out = QString::fromStdString(s.substr(0, s.size() - 2) + "," + s.substr(s.size() - 2));
    if (negative)
        out.prepend(u'-');
    return out.size() > kPriceWidth ? QStringLiteral("0,00") : out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QString& text : {QString::fromUtf8(bytes), QString::fromLatin1(bytes)}) {
        const QString p = normalisePrice(text);
        FUZZ_CHECK_MSG(wellFormed(p), text + QStringLiteral(" -> ") + p);
        FUZZ_CHECK_MSG(normalisePrice(p) == p, p);
        if (const std::optional<QString> r = reference(text))
            FUZZ_CHECK_MSG(p == *r, text + QStringLiteral(" -> ") + p + QStringLiteral(", expected ") + *r);
    }
    return 0;
}
