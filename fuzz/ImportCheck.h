#pragma once
// What the import's fuzz targets check of any table a reader gives, and of
// the records made from its rows.

#include "FuzzCheck.h"
#include "sheet/Price.h"
#include "store/Import.h"

namespace pinakos::fuzz {

struct TableTotals
{
    qint64 cells = 0;
    qint64 characters = 0;
    // Every row has the same number of cells, more than one.
    bool alike = false;
};

// Every row has between one cell and the table's width, nothing past its
// last cell, and a cell that is not blank.
inline TableTotals checkRows(const CsvTable& t)
{
    TableTotals totals;
    totals.alike = t.rowCount() > 0;
    for (int r = 0; r < t.rowCount(); ++r) {
        const int n = t.columnCount(r);
        FUZZ_CHECK(n >= 1 && n <= t.columnCount());
        bool anything = false;
        for (int c = 0; c < n; ++c) {
            const QStringView s = t.cell(r, c);
            totals.characters += s.size();
            for (QChar ch : s)
                anything = anything || ch.unicode() > 32;
        }
        FUZZ_CHECK_MSG(anything, QStringLiteral("blank row %1").arg(r));
        FUZZ_CHECK(t.cell(r, n).isEmpty());
        totals.cells += n;
        totals.alike = totals.alike && n == t.columnCount(0) && n > 1;
    }
    return totals;
}

// The first `rows` rows made into records, matched by their headings when
// the first row reads as headings: every field within its slot, the price
// in its normal form, the sold mark "Sì" or "No", and nothing said of a
// photo, which the row alone cannot have.
inline void checkImportedRows(const CsvTable& t, int rows)
{
    const ImportMapping m =
        looksLikeHeadings(t.rowCount() ? t.row(0) : QStringList()) ? matchHeadings(t.row(0)) : positionalMapping();
    for (int r = 0; r < t.rowCount() && r < rows; ++r) {
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
}

} // namespace pinakos::fuzz
