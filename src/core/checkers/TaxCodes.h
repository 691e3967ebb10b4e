#pragma once
// The two Italian tax-code checks: the check character of a fiscal code
// (codice fiscale) and the check digit of a VAT number (partita IVA), with the
// table of the VAT offices. Plain computations; the windows show the verdicts.

#include <QString>

namespace pinakos {

// ---- Fiscal code ----

// Value of a character of the first fifteen in an odd (1, 3, ..., 15) or an
// even (2, 4, ..., 14) position, counted from 1, by the two published
// conversion tables; -1 for anything but "0".."9" and "A".."Z".
int fiscalOddValue(QChar c);
int fiscalEvenValue(QChar c);

// The check character for the first fifteen characters of a code ("A".."Z"
// and "0".."9", upper case); a null QChar when `first15` is not fifteen such
// characters.
QChar fiscalCheckCharacter(const QString& first15);

enum class FiscalVerdict {
    BadForm, // not 16 letters and digits
    Valid,
    Wrong // well formed, wrong check character
};

// Judges a code as the user typed it or as it was preset: "a".."z" count as
// "A".."Z"; nothing else is changed (blanks and accented letters are no
// letters of a code).
FiscalVerdict checkFiscalCode(const QString& code);

// The messages of the fiscal-code window.
QString fiscalBadFormMessage();
QString fiscalValidMessage();
QString fiscalWrongMessage();

// ---- VAT number ----

// The check digit (0..9) for the first ten digits of a number by the Luhn
// formula; -1 when `first10` is not ten digits "0".."9".
int vatCheckDigit(const QString& first10);

enum class VatVerdict {
    BadLength, // not 11 characters
    Valid,
    Wrong // 11 characters, not all digits or a wrong check digit
};

VatVerdict checkVatNumber(const QString& number);

// The VAT office of a three-digit code (digits 8 to 10 of the number, as
// text); empty when the code has no row.
QString vatOffice(const QString& code);
// Number of rows of the office table.
int vatOfficeCount();

// The messages of the VAT window. The valid-number message names the office
// of digits 8 to 10 of `number`, or says that they match no office.
QString vatBadLengthMessage();
QString vatValidMessage(const QString& number);
QString vatWrongMessage();

} // namespace pinakos
