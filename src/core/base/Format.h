#pragma once
#include <QDate>
#include <QString>

namespace pinakos {

// Fixes the process-wide formats: dates as dd/mm/yyyy and "," as the decimal
// separator, whatever the regional settings. Safe to call more than once.
void applyFormatSettings();

// A date in the program's short format, dd/mm/yyyy.
QString formatDate(const QDate& d);

} // namespace pinakos
