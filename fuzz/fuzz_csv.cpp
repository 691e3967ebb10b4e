// The CSV reader and the import's field rules on any bytes. Every row read
// has a cell that is not blank; the table written back with every cell in
// quotes reads again to the same cells when its rows are alike; each row
// made into a record keeps every field within its slot, the price in its
// normal form and the sold mark "Sì" or "No".
#include "ImportCheck.h"

using namespace pinakos;

namespace {

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

    const bool alike = fuzz::checkRows(t).alike;
    if (alike) {
        const CsvTable again = readCsv(quotedCsv(t));
        FUZZ_CHECK(again.separator() == u';');
        FUZZ_CHECK(again.rowCount() == t.rowCount());
        for (int r = 0; r < t.rowCount(); ++r)
            FUZZ_CHECK_MSG(again.row(r) == t.row(r), QStringLiteral("row %1").arg(r));
    }

    fuzz::checkImportedRows(t, 50);
    return 0;
}
