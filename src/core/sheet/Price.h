#pragma once
#include <QString>
#include <optional>

namespace pinakos {

// The price field's normal form: the value read as a decimal number ("," as
// the decimal separator, no thousands separator, optional sign and exponent),
// rounded half away from zero to two decimals on its digits as written, and
// written as integer digits without leading zeros, ",", two decimals.
// Blank, unreadable or out-of-range text (longer than the field's 15
// characters once written) gives "0,00".
QString normalisePrice(const QString& text);

// The same reading, telling an unreadable or out-of-range text (none) from
// one that reads as zero or as less than half a hundredth ("0,00"); blank
// text reads as "0,00".
std::optional<QString> readPrice(const QString& text);

// The widest normalised price the record can hold.
constexpr int kPriceWidth = 15;

// The value in cents of a text as the price field keeps it: only a text the
// price rule could have written (normalisePrice gives it back unchanged)
// has one; anything else, blank included, has none.
std::optional<qint64> priceCents(const QString& text);

} // namespace pinakos
