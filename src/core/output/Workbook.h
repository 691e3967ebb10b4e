#pragma once
// The catalog export as a real workbook: an OpenDocument spreadsheet (.ods)
// or an Office Open XML one (.xlsx). One sheet "Inventario Opere", the
// sixteen headings in bold with the export's widths, the heading row frozen
// and an autofilter over the table; every field a text cell except the value,
// a number with two decimals in a euro format.
#include "output/ExportTable.h"

#include <QString>
#include <functional>

namespace pinakos {

enum class WorkbookFormat {
    OpenDocument,
    OfficeOpenXml,
};

// The file's name in the program folder.
QString workbookFileName(WorkbookFormat format);

// The sheet's name.
QString workbookSheetName();

// Writes the workbook to `path` through a temporary file beside it, which
// replaces the old file only once everything is written: a failure (the file
// held open elsewhere, a full disk) throws pinakos::Failure, leaving any
// previous file as it was and no temporary file behind. writeRows writes the
// data rows; when it gives false (the user cancelled) nothing is replaced and
// the result is false.
bool writeWorkbook(const QString& path, WorkbookFormat format, const std::function<bool(RowSink&)>& writeRows);

} // namespace pinakos
