#pragma once
#include <QString>
#include <string_view>

namespace pinakos {

// Removes leading and trailing characters of code 32 or less; inner ones stay.
QString trimmed(const QString& s);

// The same on code-page bytes: leading and trailing bytes of code 32 or less
// removed (the bytes of the characters that trimming removes).
std::string_view trimmedBytes(std::string_view s);
bool isBlank(const QString& s);

// Plain ASCII classes: "0".."9", and "A".."Z" or "a".."z" (no accented letters).
inline bool isDigit09(QChar c) { return c >= u'0' && c <= u'9'; }
inline bool isLetterAZ(QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

// Only a..z and A..Z change case; accented letters keep theirs.
QString upperAZ(QString s);
QString lowerAZ(QString s);

// List order: character by character by code, with a..z taken as A..Z.
int compareFolded(const QString& a, const QString& b);
inline bool lessFolded(const QString& a, const QString& b) { return compareFolded(a, b) < 0; }

} // namespace pinakos
