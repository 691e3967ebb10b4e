#pragma once
#include <QString>

namespace pinakos {

// Removes leading and trailing characters of code 32 or less; inner ones stay.
QString trimmed(const QString& s);
bool isBlank(const QString& s);

// Only a..z and A..Z change case; accented letters keep theirs.
QString upperAZ(QString s);
QString lowerAZ(QString s);

// List order: character by character by code, with a..z taken as A..Z.
int compareFolded(const QString& a, const QString& b);
inline bool lessFolded(const QString& a, const QString& b) { return compareFolded(a, b) < 0; }

} // namespace pinakos
