#include "access/Crypt.h"

#include "base/Failure.h"

namespace pinakos {

namespace {

constexpr quint16 kKeyStart = 0x3B5D;
constexpr quint16 kKeyMultiplier = 0xB7F5;
constexpr quint16 kKeyIncrement = 0x71A3;

inline quint16 nextKey(quint16 key, quint8 scrambled)
{
    return quint16((quint32(key) + scrambled) * kKeyMultiplier + kKeyIncrement);
}

inline quint8 mask(quint16 key) { return quint8(key >> 8); }

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

} // namespace

QString ScrambleText(const QString& plain)
{
    static const char digits[] = "0123456789ABCDEF";
    QString out;
    out.reserve(plain.size() * 2);
    quint16 key = kKeyStart;
    for (QChar c : plain) {
        const quint8 b = quint8(c.unicode() & 0xFF) ^ mask(key);
        out += QLatin1Char(digits[b >> 4]);
        out += QLatin1Char(digits[b & 0x0F]);
        key = nextKey(key, b);
    }
    return out;
}

QString UnscrambleText(const QString& hex)
{
    const qsizetype m = hex.size() / 2;
    QByteArray bytes(m, Qt::Uninitialized);
    for (qsizetype i = 0; i < m; ++i) {
        const int hi = hexDigit(hex.at(2 * i)), lo = hexDigit(hex.at(2 * i + 1));
        if (hi < 0 || lo < 0)
            throw Failure(QStringLiteral("'%1' non è un valore esadecimale valido.").arg(hex.mid(2 * i, 2)));
        bytes[i] = char(hi * 16 + lo);
    }
    QString out;
    out.reserve(m);
    quint16 key = kKeyStart;
    for (char ch : bytes) {
        const quint8 b = quint8(ch);
        out += QChar(char16_t(b ^ mask(key)));
        key = nextKey(key, b);
    }
    return out;
}

} // namespace pinakos
