// The CSV reader and the import's field rules on any bytes. Every row read
// has a cell that is not blank; the table written back with every cell in
// quotes reads again to the same cells when its rows are alike; each row
// made into a record keeps every field within its slot, the price in its
// normal form and the sold mark "Sì" or "No".
#include "FuzzCheck.h"
#include "sheet/Price.h"
#include "store/Import.h"

using namespace pinakos;

namespace {

bool blank(QStringView s)
{
    for (QChar c : s)
        if (c.unicode() > 32)
            return false;
    return true;
}

QByteArray quotedCsv(const CsvTable& t)
{
    QString out = QStringLiteral("\uFEFF");
    for (int r = 0; r < t.rowCount(); ++r) {
        for (int c = 0; c < t.columnCount(r); ++c) {
            if (c)
                out += u';';
            out += u'"' + t.cell(r, c).toString().replace(u'"', QStringLiteral("\"\"")) + u'"';
        }
        out += QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const CsvTable t = readCsv(bytes);

    bool alike = t.rowCount() > 0;
    for (int r = 0; r < t.rowCount(); ++r) {
        const int n = t.columnCount(r);
        FUZZ_CHECK(n >= 1 && n <= t.columnCount());
        bool anything = false;
        for (int c = 0; c < n; ++c)
            anything = anything || !blank(t.cell(r, c));
        FUZZ_CHECK_MSG(anything, QStringLiteral("blank row %1").arg(r));
        alike = alike && n == t.columnCount(0) && n > 1;
    }
    if (alike) {
        const CsvTable again = readCsv(quotedCsv(t));
        FUZZ_CHECK(again.separator() == u';');
        FUZZ_CHECK(again.rowCount() == t.rowCount());
        for (int r = 0; r < t.rowCount(); ++r)
            FUZZ_CHECK_MSG(again.row(r) == t.row(r), QStringLiteral("row %1").arg(r));
    }

    const ImportMapping m =
        looksLikeHeadings(t.rowCount() ? t.row(0) : QStringList()) ? matchHeadings(t.row(0)) : positionalMapping();
    for (int r = 0; r < t.rowCount() && r < 50; ++r) {
        const ImportedRow made = importRow(t, r, m);
        for (int f = 0; f < int(Campo::Count); ++f) {
            const Slot s = slotOf(Campo(f));
            FUZZ_CHECK(int(made.record.bytes()[size_t(s.offset)]) <= s.max);
        }
        const QString price = made.record.text(Campo::Prezzo);
        FUZZ_CHECK_MSG(normalisePrice(price) == price, price);
        FUZZ_CHECK(made.record.venduta() != Venduta::Nessuna);
        FUZZ_CHECK((made.cut | made.replaced) >> kImportPhoto == 0);
    }
    return 0;
}
