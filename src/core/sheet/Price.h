#pragma once
#include <QString>

namespace pinakos {

// The price field's normal form: the value read as a decimal number ("," as
// the decimal separator, no thousands separator, optional sign and exponent),
// rounded half away from zero to two decimals on its digits as written, and
// written as integer digits without leading zeros, ",", two decimals.
// Blank, unreadable or out-of-range text (longer than the field's 15
// characters once written) gives "0,00".
QString normalisePrice(const QString& text);

// The widest normalised price the record can hold.
constexpr int kPriceWidth = 15;

} // namespace pinakos
