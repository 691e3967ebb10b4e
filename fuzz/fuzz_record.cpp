// The work record and the Windows-1252 codec: every record of 2925 bytes,
// whatever its length bytes, reads inside its slots; the codec agrees with a
// table of its own here and round-trips every byte; writing a field touches
// only its slot and reads back as written.
#include "FuzzCheck.h"
#include "store/Codec1252.h"
#include "store/SchedaOpera.h"

#include <cstring>

using namespace pinakos;

namespace {

// Windows-1252 as published: 0x80..0x9F, with the five unassigned bytes kept
// as the C1 code points of the same value.
char16_t referenceChar(unsigned char b)
{
    static const char16_t high[32] = {
        0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178,
    };
    return b >= 0x80 && b <= 0x9F ? high[b - 0x80] : char16_t(b);
}

bool isTrimmed(const QString& s) { return s.isEmpty() || (s.front().unicode() > 32 && s.back().unicode() > 32); }

// The text of a slot as the layout says: length byte cut to the maximum.
QString slotText(const TSchedaOpera& r, Campo c)
{
    const Slot s = slotOf(c);
    const int length = std::min<int>(r.bytes()[s.offset], s.max);
    QString t;
    for (int i = 0; i < length; ++i)
        t += QChar(referenceChar(r.bytes()[s.offset + 1 + i]));
    return fuzz::referenceTrimmed(t);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* bytes = reinterpret_cast<const char*>(data);

    // The codec on every byte of the input: agrees with the table, and back.
    const QString decoded = fromWindows1252(bytes, qsizetype(size));
    FUZZ_CHECK(decoded.size() == qsizetype(size));
    for (size_t i = 0; i < size; ++i)
        FUZZ_CHECK(decoded.at(qsizetype(i)).unicode() == referenceChar(data[i]));
    FUZZ_CHECK(toWindows1252(decoded) == QByteArray(bytes, qsizetype(size)));

    // Any text encodes to one byte per character (a surrogate pair is one).
    const QString any = QString::fromUtf16(reinterpret_cast<const char16_t*>(data), qsizetype(size / 2));
    const QByteArray encoded = toWindows1252(any);
    qsizetype chars = 0;
    for (qsizetype i = 0; i < any.size(); ++i, ++chars)
        if (any.at(i).isHighSurrogate() && i + 1 < any.size() && any.at(i + 1).isLowSurrogate())
            ++i;
    FUZZ_CHECK(encoded.size() == chars);
    // Characters of the code page keep their byte.
    for (qsizetype i = 0, j = 0; i < any.size(); ++i, ++j) {
        const char16_t c = any.at(i).unicode();
        if (any.at(i).isHighSurrogate() && i + 1 < any.size() && any.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        const QString back = fromWindows1252(encoded.constData() + j, 1);
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
            FUZZ_CHECK(back.at(0).unicode() == c);
    }

    // The record: the input's first 2925 bytes, the rest zeros.
    char buffer[TSchedaOpera::Size] = {};
    std::memcpy(buffer, bytes, std::min<size_t>(size, TSchedaOpera::Size));
    const TSchedaOpera record = TSchedaOpera::fromBytes(buffer);
    for (int i = 0; i < int(Campo::Count); ++i) {
        const Campo c = Campo(i);
        const Slot s = slotOf(c);
        const QString t = record.text(c);
        FUZZ_CHECK(t.size() <= s.max);
        FUZZ_CHECK(isTrimmed(t));
        FUZZ_CHECK(t == slotText(record, c));

        // Writing the text back changes nothing but the slot, and reads the same.
        TSchedaOpera copy = record;
        copy.setText(c, t);
        FUZZ_CHECK(copy.text(c) == t);
        FUZZ_CHECK(copy.bytes()[s.offset] == toWindows1252(t).size());
        for (int b = 0; b < TSchedaOpera::Size; ++b) {
            const bool inSlot = b >= s.offset && b <= s.offset + s.max;
            if (!inSlot)
                FUZZ_CHECK(copy.bytes()[b] == record.bytes()[b]);
            else if (b > s.offset + copy.bytes()[s.offset])
                FUZZ_CHECK(copy.bytes()[b] == 0);
        }
    }
    const QString mark = record.text(Campo::Segnala);
    const Venduta v = record.venduta();
    FUZZ_CHECK(v
               == (mark == QStringLiteral("S\u00EC")  ? Venduta::Si
                       : mark == QStringLiteral("No") ? Venduta::No
                                                      : Venduta::Nessuna));

    // Any text into a field: within the slot, trimmed, idempotent.
    const int field = size > 0 ? data[0] % int(Campo::Count) : 0;
    const Campo c = Campo(field);
    const Slot s = slotOf(c);
    TSchedaOpera written = record;
    written.setText(c, any);
    const QString back = written.text(c);
    FUZZ_CHECK(written.bytes()[s.offset] <= s.max);
    FUZZ_CHECK(back.size() <= s.max);
    FUZZ_CHECK(isTrimmed(back));
    for (int b = 0; b < TSchedaOpera::Size; ++b)
        if (b < s.offset || b > s.offset + s.max)
            FUZZ_CHECK(written.bytes()[b] == record.bytes()[b]);
    TSchedaOpera again = written;
    again.setText(c, back);
    FUZZ_CHECK(again.text(c) == back);
    // A short text of the code page comes back exactly.
    const QString plain =
        fuzz::referenceTrimmed(fromWindows1252(bytes, qsizetype(std::min<size_t>(size, size_t(s.max)))));
    written.setText(c, plain);
    FUZZ_CHECK(written.text(c) == plain);

    // The sold mark as written.
    TSchedaOpera sold = record;
    sold.setVenduta(size % 2 == 1);
    FUZZ_CHECK(sold.venduta() == (size % 2 == 1 ? Venduta::Si : Venduta::No));
    return 0;
}
