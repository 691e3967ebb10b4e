// Summary lines and the text tests of the search: a line is built from the
// record's fields exactly as the fields read; its bytes and its text convert
// both ways; list order agrees with a comparison of the folded texts made
// here and with its quick prefix; the lowered find agrees with a plain one;
// a search filter passes a record exactly when every filled filter occurs
// in its field; the unsold test agrees with the record's sold mark.
#include "FuzzCheck.h"
#include "base/Text.h"
#include "search/Search.h"
#include "search/Summary.h"
#include "store/Codec1252.h"

#include <cstring>
#include <memory>

using namespace pinakos;

namespace {

std::string fitted(const TSchedaOpera& r, Campo c, int width)
{
    std::string s = toWindows1252(r.text(c)).left(width).toStdString();
    s.append(size_t(width) - s.size(), ' ');
    return s;
}

std::u16string folded(std::string_view bytes)
{
    std::u16string out;
    for (QChar c : lineText(bytes))
        out.push_back(c >= u'a' && c <= u'z' ? char16_t(c.unicode() - 32) : c.unicode());
    return out;
}

int sign(int v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

std::string lowered(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = char(lowerByte(static_cast<unsigned char>(c)));
    return out;
}

QString lowerText(const QString& s)
{
    QString out = s;
    for (QChar& c : out)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    char raw[TSchedaOpera::Size] = {};
    std::memcpy(raw, data, std::min<size_t>(size, TSchedaOpera::Size));
    const TSchedaOpera record = TSchedaOpera::fromBytes(raw);
    const std::string_view rest = size > TSchedaOpera::Size
        ? std::string_view(reinterpret_cast<const char*>(data) + TSchedaOpera::Size, size - TSchedaOpera::Size)
        : std::string_view(reinterpret_cast<const char*>(data), std::min<size_t>(size, 200));

    // The line, against one built here from the fields as they read.
    std::string line = "x";
    const int added = appendSummary(raw, line);
    FUZZ_CHECK(size_t(added) + 1 == line.size());
    line.erase(0, 1);
    FUZZ_CHECK(line.size() >= size_t(kLineFixedLength) && line.size() <= size_t(kLineMaxLength));
    const std::string expected = fitted(record, Campo::Capo, kTitleWidth) + "  Artista: "
        + fitted(record, Campo::Colore, kArtistWidth) + "  Anno: " + fitted(record, Campo::Tessuto, kYearWidth)
        + "  Prop. " + fitted(record, Campo::Cliente, kOwnerWidth) + "  Valore: \x80 "
        + toWindows1252(record.text(Campo::Prezzo)).toStdString();
    FUZZ_CHECK(line == expected);
    FUZZ_CHECK(summaryLine(record) == lineText(line));
    bool ok = false;
    FUZZ_CHECK(lineBytes(lineText(line), &ok) == line && ok);
    FUZZ_CHECK(trimmedBytes(line).size() <= line.size());

    // List order: against the folded texts, antisymmetric, with its prefix.
    const std::string_view other = rest;
    const int c = compareLines(line, other);
    const std::u16string fa = folded(line), fb = folded(other);
    FUZZ_CHECK(sign(c) == sign(fa.compare(fb)));
    FUZZ_CHECK(sign(compareLines(other, line)) == -sign(c));
    FUZZ_CHECK(compareLines(other, other) == 0);
    if (orderPrefix(line) < orderPrefix(other))
        FUZZ_CHECK(c < 0);
    if (orderPrefix(line) > orderPrefix(other))
        FUZZ_CHECK(c > 0);

    // Lowered find against a plain one, in the line and in the record.
    const std::string needle = lowered(other.substr(0, std::min<size_t>(other.size(), size % 7)));
    FUZZ_CHECK(containsLowered(line, needle) == (lowered(line).find(needle) != std::string::npos));
    const std::string_view hay(raw, sizeof raw);
    FUZZ_CHECK(containsLowered(hay, needle) == (lowered(hay).find(needle) != std::string::npos));
    // Sixteen bytes at a time where 15 more may be read: a buffer of exactly
    // that size, so that a read past it is caught.
    {
        const std::unique_ptr<char[]> wide(new char[line.size() + 15]);
        std::memcpy(wide.get(), line.data(), line.size());
        std::memset(wide.get() + line.size(), 'A', 15);
        const std::string_view inWide(wide.get(), line.size());
        FUZZ_CHECK(containsLowered(inWide, needle, line.size() + 15)
                   == (lowered(line).find(needle) != std::string::npos));
    }

    // Search filters: texts from the rest of the input, split at "|".
    std::array<QString, kFilterCount> texts;
    const QString all = QString::fromUtf8(other.data(), qsizetype(other.size()));
    const QStringList parts = all.split(u'|');
    for (int i = 0; i < kFilterCount && i < parts.size(); ++i)
        texts[size_t(i)] = parts.at(i);
    const WorkFilter filter(texts);
    bool pass = true;
    int filled = 0;
    for (int i = 0; i < kFilterCount; ++i) {
        const QString t = lowerText(fuzz::referenceTrimmed(texts[size_t(i)]));
        if (t.isEmpty())
            continue;
        ++filled;
        bool encodable = false;
        lineBytes(t, &encodable);
        pass = pass && encodable && lowerText(record.text(kFilterFields[size_t(i)])).contains(t);
    }
    FUZZ_CHECK(filter.filled() == filled);
    FUZZ_CHECK(filter.matches(raw) == pass);

    FUZZ_CHECK(isUnsold(raw) == (record.venduta() == Venduta::No));
    return 0;
}
