#include "base/Text.h"

namespace pinakos {

QString trimmed(const QString& s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && s.at(b).unicode() <= 32)
        ++b;
    while (e > b && s.at(e - 1).unicode() <= 32)
        --e;
    return (b == 0 && e == s.size()) ? s : s.mid(b, e - b);
}

bool isBlank(const QString& s)
{
    for (QChar c : s)
        if (c.unicode() > 32)
            return false;
    return true;
}

QString upperAZ(QString s)
{
    for (QChar& c : s)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    return s;
}

QString lowerAZ(QString s)
{
    for (QChar& c : s)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    return s;
}

static inline char16_t fold(char16_t c) { return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c; }

int compareFolded(const QString& a, const QString& b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = fold(a.at(i).unicode()), y = fold(b.at(i).unicode());
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::string_view trimmedBytes(std::string_view s)
{
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 32)
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32)
        --e;
    return s.substr(b, e - b);
}

} // namespace pinakos
