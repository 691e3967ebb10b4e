#include "search/Summary.h"

#include "base/Text.h"
#include "store/Codec1252.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <utility>
#include <vector>

#if defined(__SSE2__) || defined(_M_X64) || defined(_M_AMD64)
#include <emmintrin.h>
#endif

namespace pinakos {

namespace {

struct Tables
{
    // Place of each byte's character in the list order (a..z sharing the
    // place of A..Z).
    std::array<unsigned char, 256> rank{};

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
    }
};

const Tables& tables()
{
    static const Tables t;
    return t;
}

std::string_view field(const char* record, Slot s) { return trimmedBytes(slotBytes(record, s)); }

// Puts a value at `to`, brought to exactly `width` characters; gives the end.
char* fit(char* to, std::string_view value, size_t width)
{
    const size_t kept = std::min(value.size(), width);
    std::memcpy(to, value.data(), kept);
    std::memset(to + kept, ' ', width - kept);
    return to + width;
}

template <size_t N>
char* put(char* to, const char (&piece)[N])
{
    std::memcpy(to, piece, N - 1);
    return to + N - 1;
}

} // namespace

int appendSummary(const char* record, std::string& out)
{
    static const Slot capo = slotOf(Campo::Capo), colore = slotOf(Campo::Colore), tessuto = slotOf(Campo::Tessuto),
                      cliente = slotOf(Campo::Cliente), prezzo = slotOf(Campo::Prezzo);
    char line[kLineMaxLength];
    char* at = fit(line, field(record, capo), kTitleWidth);
    at = put(at, "  Artista: ");
    at = fit(at, field(record, colore), kArtistWidth);
    at = put(at, "  Anno: ");
    at = fit(at, field(record, tessuto), kYearWidth);
    at = put(at, "  Prop. ");
    at = fit(at, field(record, cliente), kOwnerWidth);
    at = put(at, "  Valore: \x80 ");
    const std::string_view value = field(record, prezzo);
    at = fit(at, value, value.size());
    out.append(line, size_t(at - line));
    return int(at - line);
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
    std::string out;
    out.reserve(size_t(text.size()));
    bool all = true;
    for (QChar c : text) {
        const int b = windows1252Byte(c.unicode());
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
    size_t i = 0;
    while (i < n) {
        // Equal bytes are equal characters: skip them eight at a time.
        for (quint64 x, y; i + 8 <= n; i += 8) {
            std::memcpy(&x, a.data() + i, 8);
            std::memcpy(&y, b.data() + i, 8);
            if (x != y)
                break;
        }
        while (i < n && a[i] == b[i])
            ++i;
        if (i == n)
            break;
        const int x = rank[static_cast<unsigned char>(a[i])], y = rank[static_cast<unsigned char>(b[i])];
        if (x != y)
            return x < y ? -1 : 1;
        ++i; // the same letter in another case
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

namespace {

bool containsScalar(const unsigned char* h, size_t n, const unsigned char* k, size_t m)
{
    const unsigned char first = k[0];
    const unsigned char other = (first >= 'a' && first <= 'z') ? first - ('a' - 'A') : first;
    const unsigned char* last = h + (n - m);
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

#if defined(__SSE2__) || defined(_M_X64) || defined(_M_AMD64)
#define PINAKOS_SEARCH_SSE2 1

// A..Z of 16 bytes turned to a..z. Bytes from 0x80 up compare below "A" as
// signed bytes and stay as they are.
inline __m128i lower16(__m128i x)
{
    const __m128i upper =
        _mm_and_si128(_mm_cmpgt_epi8(x, _mm_set1_epi8('A' - 1)), _mm_cmplt_epi8(x, _mm_set1_epi8('Z' + 1)));
    return _mm_or_si128(x, _mm_and_si128(upper, _mm_set1_epi8(0x20)));
}

// Sixteen places at a time: those where both the first and the last byte of
// the needle stand are checked whole. Reads up to n + 14 bytes from h.
bool containsWide(const unsigned char* h, size_t n, const unsigned char* k, size_t m)
{
    const size_t lastStart = n - m;
    const __m128i first = _mm_set1_epi8(char(k[0]));
    const __m128i last = _mm_set1_epi8(char(k[m - 1]));
    for (size_t i = 0; i <= lastStart; i += 16) {
        const __m128i a = lower16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(h + i)));
        const __m128i b = lower16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(h + i + m - 1)));
        unsigned mask = unsigned(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, last))));
        if (lastStart - i < 15)
            mask &= (1u << (lastStart - i + 1)) - 1;
        while (mask) {
            const size_t p = i + size_t(std::countr_zero(mask));
            size_t j = 1;
            while (j + 1 < m && lowerByte(h[p + j]) == k[j])
                ++j;
            if (j + 1 >= m)
                return true;
            mask &= mask - 1;
        }
    }
    return false;
}
#endif

} // namespace

bool containsLowered(std::string_view hay, std::string_view needle, size_t readable)
{
    const size_t n = hay.size(), m = needle.size();
    if (m == 0)
        return true;
    if (m > n)
        return false;
    const auto* h = reinterpret_cast<const unsigned char*>(hay.data());
    const auto* k = reinterpret_cast<const unsigned char*>(needle.data());
#ifdef PINAKOS_SEARCH_SSE2
    if (readable >= n + 15)
        return containsWide(h, n, k, m);
#else
    (void)readable;
#endif
    return containsScalar(h, n, k, m);
}

} // namespace pinakos
