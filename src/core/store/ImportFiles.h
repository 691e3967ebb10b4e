#pragma once
// The spreadsheet files the import reads besides CSV: Excel workbooks
// (.xlsx), OpenDocument spreadsheets (.ods) and the program's own export
// file. Each gives the first sheet as a table of texts, the same table the
// CSV reader gives, so that headings, mapping and field rules are shared.
//
// A number cell comes as the text the price rule reads: "," before the
// decimals, no thousands separator ("1234,5", "1987", "-0,25"). Line breaks
// inside a cell are "\n". A file that cannot be read throws pinakos::Failure
// with a message for the user; no bytes make a reader crash.
#include "store/Import.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace pinakos {

// What a reader keeps at most, so that a small hostile file (a ZIP bomb, a
// cell repeated a billion times) cannot take the machine's memory. Reaching
// a limit throws pinakos::Failure.
struct TableLimits
{
    qint64 bytes = qint64(1) << 30; // a file, and all the uncompressed entries one reads together
    qint64 cells = 10'000'000; // cells kept, the empty ones before a filled cell in its row included
    qint64 characters = qint64(256) << 20; // characters in all the cells together
};

enum class TableFormat { Csv, Xlsx, Ods, ExportFile };

// The format of a file's bytes, from its content alone: a ZIP whose
// "mimetype" entry names an OpenDocument spreadsheet is Ods; a ZIP with
// "xl/workbook.xml" is Xlsx; an HTML document (the export's) is ExportFile;
// anything else Csv. A ZIP that is neither, a damaged one, an Excel 97-2003
// file or other binary bytes throw pinakos::Failure.
TableFormat detectTableFormat(QByteArrayView bytes);

// The first worksheet of an Excel workbook: shared strings (rich text runs
// joined), inline strings, formula strings, booleans ("true", "false"),
// numbers; a number whose format shows a date or a time as "dd/MM/yyyy",
// "HH:mm" or both, one whose format is zeros only ("00000") with those
// leading zeros; cells placed by their reference, gaps as empty cells.
CsvTable readXlsx(QByteArrayView bytes, const TableLimits& limits = {});

// The first table of an OpenDocument spreadsheet (a packed .ods or its flat
// XML form): repeated cells and rows, paragraphs joined by "\n", spaces,
// tabs and line breaks as their elements say; a covered cell of a merged
// range is empty.
CsvTable readOds(QByteArrayView bytes, const TableLimits& limits = {});

// The export's file (an HTML table, Windows-1252 unless it says UTF-8) or
// any HTML table like it: cells as written, entities decoded, tags dropped.
CsvTable readExportFile(QByteArrayView bytes, const TableLimits& limits = {});

// The table by the format detectTableFormat finds; CSV by readCsv. A CSV in
// UTF-16 with its mark (Excel's "Unicode text") reads as well.
CsvTable readTable(QByteArrayView bytes, TableFormat* format = nullptr, const TableLimits& limits = {});

// The bytes of the file at path; one that cannot be read, or is larger than
// the limits allow, throws pinakos::Failure.
QByteArray readTableBytes(const QString& path, const TableLimits& limits = {});
// The table from a file; one that cannot be opened, is larger than the
// limit or cannot be read as a spreadsheet throws pinakos::Failure.
CsvTable readTableFile(const QString& path, TableFormat* format = nullptr, const TableLimits& limits = {});

// A number as a spreadsheet keeps it ("1234.5", "1.5E-3", "1987") in the
// form the price rule reads, at the fifteen significant digits a
// spreadsheet shows: "1234,5", "0,0015", "1987". Text that is no number
// comes back as it is.
QString spreadsheetNumberText(QStringView value);

} // namespace pinakos
