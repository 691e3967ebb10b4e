#pragma once
// The spreadsheet file of the catalog export: an HTML document with Excel's
// Office namespaces, written as one line of Windows-1252 bytes.
#include "output/ExportTable.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

class QIODevice;

namespace pinakos {

// The file's name in the program folder.
QString spreadsheetFileName();

// Writes the document piece by piece through one buffer into `out`, in a
// single pass. A failed write throws pinakos::Failure.
class SpreadsheetWriter : public RowSink
{
public:
    explicit SpreadsheetWriter(QIODevice& out);
    ~SpreadsheetWriter() override;
    SpreadsheetWriter(const SpreadsheetWriter&) = delete;
    SpreadsheetWriter& operator=(const SpreadsheetWriter&) = delete;

    // The header pieces and the heading row.
    void begin();
    void beginRow() override;
    // One data cell from Windows-1252 bytes: trimmed of characters of code 32
    // or less, "&", "<" and ">" written as entities, every other byte as it is.
    void cell(const char* bytes, qsizetype size) override;
    void cell(const QByteArray& bytes) { cell(bytes.constData(), bytes.size()); }
    // One data cell from a text, encoded to Windows-1252 first.
    void cell(const QString& text) override;
    void endRow() override;
    // The trailer, then everything still buffered goes to the device.
    void finish();

private:
    void put(const char* p, qsizetype n);
    template <qsizetype N>
    void put(const char (&s)[N])
    {
        put(s, N - 1);
    }
    void flush();

    QIODevice& m_out;
    std::unique_ptr<char[]> m_buffer;
    qsizetype m_used = 0;
};

// Writes the whole document to `path` through a temporary file beside it,
// which replaces the old file only once everything is written: a failure
// (the file held open elsewhere, a full disk) leaves any previous file as it
// was and no temporary file behind. writeRows writes the data rows; when it
// gives false (the user cancelled) nothing is replaced and the result is false.
bool writeSpreadsheet(const QString& path, const std::function<bool(SpreadsheetWriter&)>& writeRows);

} // namespace pinakos
