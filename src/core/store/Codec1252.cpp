#include "store/Codec1252.h"

namespace pinakos {

namespace {

// 0x80..0x9F; the five unassigned bytes map to the C1 code point of the same value.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

inline char16_t decodeByte(unsigned char b) { return (b >= 0x80 && b <= 0x9F) ? kHigh[b - 0x80] : char16_t(b); }

// The byte of c, or of the first character of its decomposition followed
// down level by level (U+1EC7 -> U+1EB9 -> "e"), or "?".
char substitute(QChar c)
{
    for (;;) {
        const int b = windows1252Byte(c.unicode());
        if (b >= 0)
            return char(b);
        const QString d = c.decomposition();
        if (d.isEmpty() || d.at(0) == c)
            return '?';
        c = d.at(0);
    }
}

} // namespace

int windows1252Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c)
            return 0x80 + i;
    return -1;
}

QString fromWindows1252(const char* bytes, qsizetype size)
{
    QString out(size, Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < size; ++i)
        d[i] = QChar(decodeByte(static_cast<unsigned char>(bytes[i])));
    return out;
}

QByteArray toWindows1252(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            // One character outside the basic plane: one substitute.
            ++i;
            out.append('?');
            continue;
        }
        out.append(c.isSurrogate() ? '?' : substitute(c));
    }
    return out;
}

} // namespace pinakos
