// The tax-code checks on any text: the fiscal code's check character and the
// VAT number's check digit agree with the published tables and the Luhn
// formula computed here; a well-formed code with its own check character is
// valid, with any other one wrong; the messages are built for any number.
#include "FuzzCheck.h"
#include "checkers/TaxCodes.h"

using namespace pinakos;

namespace {

int place(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'A' && c <= u'Z')
        return c.unicode() - u'A' + 10;
    return -1;
}

// The check character by the published tables: odd places (1st, 3rd, ...)
// by the odd table, even places by their value; a digit counts as the letter
// at its place for the odd table and as its value for the even one.
QChar referenceCheck(const QString& first15)
{
    static const int odd[26] = {1,  0,  5, 7, 9, 13, 15, 17, 19, 21, 2,  4,  18,
                                20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};
    int sum = 0;
    for (int i = 0; i < 15; ++i) {
        const int p = place(first15.at(i));
        const int letter = p < 10 ? p : p - 10; // "0" as "A", ... "9" as "J"
        sum += i % 2 == 0 ? odd[letter] : letter;
    }
    return QChar(u'A' + sum % 26);
}

int referenceLuhn(const QString& first10)
{
    int sum = 0;
    for (int i = 0; i < 10; ++i) {
        const int d = first10.at(i).unicode() - u'0';
        sum += i % 2 == 0 ? d : (2 * d > 9 ? 2 * d - 9 : 2 * d);
    }
    return (10 - sum % 10) % 10;
}

QString upperAZRef(const QString& s)
{
    QString out = s;
    for (QChar& c : out)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QString& text : {QString::fromUtf8(bytes), QString::fromLatin1(bytes)}) {
        const QString up = upperAZRef(text);
        bool formed = up.size() == 16;
        for (QChar c : up)
            formed = formed && place(c) >= 0;
        const FiscalVerdict f = checkFiscalCode(text);
        if (!formed) {
            FUZZ_CHECK(f == FiscalVerdict::BadForm);
        } else {
            const QChar check = referenceCheck(up.left(15));
            FUZZ_CHECK(fiscalCheckCharacter(up.left(15)) == check);
            FUZZ_CHECK(f == (up.at(15) == check ? FiscalVerdict::Valid : FiscalVerdict::Wrong));
            FUZZ_CHECK(checkFiscalCode(up.left(15) + check) == FiscalVerdict::Valid);
        }
        if (text.size() >= 15)
            FUZZ_CHECK(fiscalCheckCharacter(text.left(15)).isNull() == !([&] {
                           for (QChar c : text.left(15))
                               if (place(c) < 0 || (c >= u'a' && c <= u'z'))
                                   return false;
                           return true;
                       }()));

        const VatVerdict v = checkVatNumber(text);
        if (up.size() != 11) {
            FUZZ_CHECK(v == VatVerdict::BadLength);
        } else {
            bool digits = true;
            for (QChar c : up)
                digits = digits && c >= u'0' && c <= u'9';
            if (!digits) {
                FUZZ_CHECK(v == VatVerdict::Wrong);
            } else {
                const int check = referenceLuhn(up.left(10));
                FUZZ_CHECK(vatCheckDigit(up.left(10)) == check);
                FUZZ_CHECK(v == (up.at(10).unicode() - u'0' == check ? VatVerdict::Valid : VatVerdict::Wrong));
            }
            const QString message = vatValidMessage(text);
            FUZZ_CHECK(message.contains(QStringLiteral("VALIDO")));
            const QString office = vatOffice(text.mid(7, 3));
            FUZZ_CHECK(office.isEmpty() || message.contains(office));
        }
    }
    return 0;
}
