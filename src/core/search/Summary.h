#pragma once
// The summary line of a work, the order of the lists that show it, and the
// text test of find in list. Lines are kept as Windows-1252 bytes, one byte
// per character: every character of a line comes from a stored field or from
// the fixed pieces, the euro sign included (byte 0x80).

#include "store/SchedaOpera.h"

#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>

namespace pinakos {

// Widths of the fitted pieces and the fixed length before the value.
constexpr int kTitleWidth = 34;
constexpr int kArtistWidth = 28;
constexpr int kYearWidth = 14;
constexpr int kOwnerWidth = 30;
constexpr int kLineFixedLength = 145;
constexpr int kLineMaxLength = kLineFixedLength + 15;

// Appends the summary line of the 2925 record bytes at `record` to `out`
// (title 34, "  Artista: ", artist 28, "  Anno: ", year 14, "  Prop. ",
// owner 30, "  Valore: € ", the value trimmed). Over-long length bytes are cut
// to their slot. Gives the number of bytes appended.
int appendSummary(const char* record, std::string& out);

// The summary line as text.
QString summaryLine(const TSchedaOpera& record);

// A line's bytes as text, and text as line bytes. A character that has no
// byte of its own in Windows-1252 makes `ok` false (and becomes "?").
QString lineText(std::string_view bytes);
std::string lineBytes(const QString& text, bool* ok = nullptr);

// List order: character by character by character code, with a..z taken as
// A..Z and no other folding; a line that starts another comes first.
int compareLines(std::string_view a, std::string_view b);

// Bytes with only A..Z turned to a..z, as the text test folds them.
inline unsigned char lowerByte(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

// Whether `needle` (already lowered) occurs in `hay` lowered by lowerByte.
// An empty needle occurs everywhere. `readable` is how many bytes from the
// start of `hay` may be read (at least hay.size()); with 15 or more to spare,
// the test looks at 16 bytes at a time.
bool containsLowered(std::string_view hay, std::string_view needle, size_t readable = 0);

// The eight first characters of a line as a number that orders as
// compareLines does on them (a quick first comparison when sorting).
quint64 orderPrefix(std::string_view line);

} // namespace pinakos
