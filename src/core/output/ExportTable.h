#pragma once
// What the catalog's export files share: the sixteen exported columns with
// their headings and widths, the sink the export grid's rows go to, and the
// way a file is written in place of the old one.
#include <QtGlobal>
#include <functional>

class QString;

namespace pinakos {

// Data cells in each row: the sixteen exported fields.
constexpr int kSpreadsheetColumns = 16;
// The column of the work's value, a price as the sheet keeps it.
constexpr int kValueColumn = 14;

struct ExportHeading
{
    const char* text;
    int width; // in pixels, the spreadsheet's own (not the grid's)
};
// The heading of data column 0 .. kSpreadsheetColumns - 1.
const ExportHeading& exportHeading(int column);

// Receives the data rows of an export, one cell after the other. Each cell
// is written trimmed of characters of code 32 or less at both ends.
class RowSink
{
public:
    virtual ~RowSink() = default;
    virtual void beginRow() = 0;
    // One data cell from Windows-1252 bytes, as the archive keeps them.
    virtual void cell(const char* bytes, qsizetype size) = 0;
    // One data cell from a text (an edit typed into the grid).
    virtual void cell(const QString& text) = 0;
    virtual void endRow() = 0;
};

// Writes an export file through a fresh file beside `path`, so that the
// replacement is a rename within one folder. `write` fills the file it is
// given (and closes it), and gives false when the user cancelled. Only then
// does the written file replace the old one, in one step, keeping the old
// one's permissions (or taking the usual ones). A cancel, a failure
// (pinakos::Failure) or an old file held open elsewhere leaves the old file
// as it was and nothing else behind; the last two throw.
bool writeExportFile(const QString& path, const std::function<bool(const QString& written)>& write);

} // namespace pinakos
