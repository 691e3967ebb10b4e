#pragma once
#include <QByteArray>
#include <QString>

namespace pinakos {

// Windows-1252 both ways. Every byte decodes to its character (the five
// unassigned bytes 81 8D 8F 90 9D to the C1 code points of the same value).
QString fromWindows1252(const char* bytes, qsizetype size);
inline QString fromWindows1252(const QByteArray& b) { return fromWindows1252(b.constData(), b.size()); }

// A character outside the code page becomes its unaccented letter where its
// Unicode decomposition gives one in the code page, otherwise "?".
QByteArray toWindows1252(const QString& text);

// The byte of one character, or -1 when the code page has no such character.
int windows1252Byte(char16_t c);

} // namespace pinakos
