#include "search/Summary.h"

#include "store/Codec1252.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>
#include <vector>

namespace pinakos {

namespace {

struct Tables
{
    // Place of each byte's character in the list order (a..z sharing the
    // place of A..Z).
    std::array<unsigned char, 256> rank{};
    // The byte of each character below U+0100, or -1.
    std::array<int, 256> low{};
    // The characters from U+0100 up that the code page holds, with their byte.
    std::vector<std::pair<char16_t, unsigned char>> high;

    Tables()
    {
        char all[256];
        for (int b = 0; b < 256; ++b)
            all[b] = char(b);
        const QString chars = fromWindows1252(all, 256);

        std::array<char16_t, 256> folded{};
        for (int b = 0; b < 256; ++b) {
            const char16_t c = chars.at(b).unicode();
            folded[b] = (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
        }
        std::vector<char16_t> order(folded.begin(), folded.end());
        std::sort(order.begin(), order.end());
        order.erase(std::unique(order.begin(), order.end()), order.end());
        for (int b = 0; b < 256; ++b)
            rank[b] =
                static_cast<unsigned char>(std::lower_bound(order.begin(), order.end(), folded[b]) - order.begin());

        low.fill(-1);
        for (int b = 0; b < 256; ++b) {
            const char16_t c = chars.at(b).unicode();
            if (c < 0x100)
                low[c] = b;
            else
                high.emplace_back(c, static_cast<unsigned char>(b));
        }
    }

    int byteOf(char16_t c) const
    {
        if (c < 0x100)
            return low[c];
        for (const auto& [ch, b] : high)
            if (ch == c)
                return b;
        return -1;
    }
};

const Tables& tables()
{
    static const Tables t;
    return t;
}

struct Piece
{
    int offset; // of the slot's length byte
    int max;
};

Piece piece(Campo c)
{
    const Slot s = slotOf(c);
    return {s.offset, s.max};
}

std::string_view field(const char* record, const Piece& p)
{
    const int length = std::min<int>(static_cast<unsigned char>(record[p.offset]), p.max);
    return trimmedBytes(std::string_view(record + p.offset + 1, size_t(length)));
}

void fit(std::string& out, std::string_view value, int width)
{
    const size_t kept = std::min(value.size(), size_t(width));
    out.append(value.data(), kept);
    out.append(size_t(width) - kept, ' ');
}

} // namespace

std::string_view trimmedBytes(std::string_view s)
{
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 32)
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32)
        --e;
    return s.substr(b, e - b);
}

int appendSummary(const char* record, std::string& out)
{
    static const Piece capo = piece(Campo::Capo), colore = piece(Campo::Colore), tessuto = piece(Campo::Tessuto),
                       cliente = piece(Campo::Cliente), prezzo = piece(Campo::Prezzo);
    const size_t start = out.size();
    fit(out, field(record, capo), kTitleWidth);
    out.append("  Artista: ");
    fit(out, field(record, colore), kArtistWidth);
    out.append("  Anno: ");
    fit(out, field(record, tessuto), kYearWidth);
    out.append("  Prop. ");
    fit(out, field(record, cliente), kOwnerWidth);
    out.append("  Valore: \x80 ");
    out.append(field(record, prezzo));
    return int(out.size() - start);
}

QString summaryLine(const TSchedaOpera& record)
{
    std::string line;
    appendSummary(record.data(), line);
    return lineText(line);
}

QString lineText(std::string_view bytes) { return fromWindows1252(bytes.data(), qsizetype(bytes.size())); }

std::string lineBytes(const QString& text, bool* ok)
{
    const Tables& t = tables();
    std::string out;
    out.reserve(size_t(text.size()));
    bool all = true;
    for (QChar c : text) {
        const int b = t.byteOf(c.unicode());
        all = all && b >= 0;
        out.push_back(b >= 0 ? char(b) : '?');
    }
    if (ok)
        *ok = all;
    return out;
}

int compareLines(std::string_view a, std::string_view b)
{
    const auto& rank = tables().rank;
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        if (a[i] == b[i])
            continue;
        const int x = rank[static_cast<unsigned char>(a[i])], y = rank[static_cast<unsigned char>(b[i])];
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

quint64 orderPrefix(std::string_view line)
{
    const auto& rank = tables().rank;
    quint64 key = 0;
    for (size_t i = 0; i < 8; ++i)
        key = (key << 8) | (i < line.size() ? rank[static_cast<unsigned char>(line[i])] : 0);
    return key;
}

bool containsLowered(std::string_view hay, std::string_view needle)
{
    const size_t m = needle.size();
    if (m == 0)
        return true;
    if (m > hay.size())
        return false;
    const auto* h = reinterpret_cast<const unsigned char*>(hay.data());
    const auto* k = reinterpret_cast<const unsigned char*>(needle.data());
    const unsigned char first = k[0];
    const unsigned char other = (first >= 'a' && first <= 'z') ? first - ('a' - 'A') : first;
    const unsigned char* last = h + (hay.size() - m);
    for (const unsigned char* p = h; p <= last; ++p) {
        if (first == other) {
            p = static_cast<const unsigned char*>(std::memchr(p, first, size_t(last - p) + 1));
            if (!p)
                return false;
        } else if (*p != first && *p != other) {
            continue;
        }
        size_t i = 1;
        while (i < m && lowerByte(p[i]) == k[i])
            ++i;
        if (i == m)
            return true;
    }
    return false;
}

} // namespace pinakos
