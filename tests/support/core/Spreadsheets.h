#pragma once
// The export's spreadsheet file of a catalog, written into memory.
#include "output/CatalogModel.h"
#include "output/Spreadsheet.h"

#include <QBuffer>
#include <QByteArray>

namespace pinakos::test {

// The bytes of the spreadsheet file the export writes for the model's rows.
inline QByteArray spreadsheetOf(const CatalogModel& m)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    SpreadsheetWriter w(buffer);
    w.begin();
    m.writeRows(w);
    w.finish();
    return buffer.data();
}

} // namespace pinakos::test
