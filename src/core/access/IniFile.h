#pragma once
// A small reader and writer of INI profile files that behaves like the
// Windows profile functions for one value: section and key names compared
// without regard to case, blanks around names and "=" ignored, CR LF or LF
// line ends, an ANSI, UTF-8 (with BOM) or UTF-16LE (with BOM) file.

#include <QString>

namespace pinakos {

// The value of key in section; empty when the file, the section or the key is
// missing or the file cannot be read. Throws pinakos::Failure for a file far
// too large to be a settings file (over 1 MiB).
QString readIniValue(const QString& file, const QString& section, const QString& key);

// Sets key in section to value, adding the section and the key when missing.
// Every other line is kept byte for byte, line ends included; the file keeps
// its encoding and byte-order mark; lines added end as the file's first line
// does (CR LF in a file without line ends).
// The file is replaced at once (written beside it, then renamed), so a failed
// write leaves the old file untouched. Throws pinakos::Failure on failure,
// also when something other than a readable settings file stands in its place.
void writeIniValue(const QString& file, const QString& section, const QString& key, const QString& value);

} // namespace pinakos
