#include "store/SchedaOpera.h"

#include "base/Text.h"
#include "store/Codec1252.h"

#include <algorithm>
#include <cstring>

namespace pinakos {

namespace {

constexpr int kMax[int(Campo::Count)] = {
    50, 120, 50, 50, 50, 50, 50, 250, 120, 250, 50, 16, 30, 250, 15, 2, 250, 250, 250, 250, 250, 250,
};

struct Table
{
    Slot slots[int(Campo::Count)];
    constexpr Table() : slots{}
    {
        int offset = 0;
        for (int i = 0; i < int(Campo::Count); ++i) {
            slots[i] = Slot{offset, kMax[i]};
            offset += kMax[i] + 1;
        }
    }
};

constexpr Table kTable;
static_assert(kTable.slots[int(Campo::Desc03)].offset + 251 == TSchedaOpera::Size,
              "the record's slots fill exactly 2925 bytes");
static_assert(kTable.slots[int(Campo::Segnala)].offset == 1416);

// At most this many characters of a value are converted.
constexpr qsizetype kMaxChars = 255;

// The first `count` characters of s, a surrogate pair counting as one.
QString leftChars(const QString& s, qsizetype count)
{
    qsizetype i = 0, chars = 0;
    while (i < s.size() && chars < count) {
        i += (s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) ? 2 : 1;
        ++chars;
    }
    return i == s.size() ? s : s.left(i);
}

} // namespace

Slot slotOf(Campo c) { return kTable.slots[int(c)]; }

TSchedaOpera TSchedaOpera::fromBytes(const char* p)
{
    TSchedaOpera r;
    std::memcpy(r.m_bytes.data(), p, Size);
    return r;
}

QString TSchedaOpera::text(Campo c) const
{
    const Slot s = slotOf(c);
    const int length = std::min<int>(m_bytes[s.offset], s.max);
    return trimmed(fromWindows1252(data() + s.offset + 1, length));
}

void TSchedaOpera::setText(Campo c, const QString& value)
{
    const Slot s = slotOf(c);
    const QByteArray bytes = toWindows1252(leftChars(trimmed(value), kMaxChars)).left(s.max);
    std::fill(m_bytes.begin() + s.offset, m_bytes.begin() + s.offset + s.max + 1, 0);
    m_bytes[s.offset] = static_cast<unsigned char>(bytes.size());
    std::memcpy(m_bytes.data() + s.offset + 1, bytes.constData(), size_t(bytes.size()));
}

Venduta TSchedaOpera::venduta() const
{
    const QString v = text(Campo::Segnala);
    if (v == QStringLiteral("S\u00EC"))
        return Venduta::Si;
    if (v == QStringLiteral("No"))
        return Venduta::No;
    return Venduta::Nessuna;
}

void TSchedaOpera::setVenduta(bool sold)
{
    setText(Campo::Segnala, sold ? QStringLiteral("S\u00EC") : QStringLiteral("No"));
}

} // namespace pinakos
