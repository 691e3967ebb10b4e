#include "output/Spreadsheet.h"

#include "base/Failure.h"
#include "base/Log.h"
#include "base/Text.h"
#include "store/Codec1252.h"

#include <QDir>
#include <QFile>
#include <cstring>

namespace pinakos {

namespace {

constexpr qsizetype kBufferSize = qsizetype(1) << 20;

// The header pieces, one after the other with nothing between them.
constexpr char kHeader[] = "<html"
                           " xmlns:o=\"urn:schemas-microsoft-com:office:office\""
                           " xmlns:x=\"urn:schemas-microsoft-com:office:excel\""
                           " xmlns=\"http://www.w3.org/TR/REC-html40\">"
                           "<head>"
                           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
                           "<!--[if gte mso 9]><xml>"
                           "<x:ExcelWorkbook>"
                           "<x:ExcelWorksheets>"
                           "<x:ExcelWorksheet>"
                           "<x:Name>Inventario Opere</x:Name>"
                           "<x:WorksheetOptions>"
                           "<x:Selected/>"
                           "<x:Panes>"
                           "<x:Pane>"
                           "<x:Number>1</x:Number>"
                           "<x:ActiveRow>3</x:ActiveRow>"
                           "</x:Pane>"
                           "</x:Panes>"
                           "<x:ProtectContents>False</x:ProtectContents>"
                           "<x:ProtectObjects>False</x:ProtectObjects>"
                           "<x:ProtectScenarios>False</x:ProtectScenarios>"
                           "</x:WorksheetOptions>"
                           "</x:ExcelWorksheet>"
                           "</x:ExcelWorksheets>"
                           "</x:ExcelWorkbook>"
                           "</xml><![endif]-->"
                           "</head>"
                           "<body>"
                           "<table x:str>";

constexpr char kTrailer[] = "</table></body></html>";

} // namespace

QString spreadsheetFileName() { return QStringLiteral("Inventario_Opere.xls"); }

SpreadsheetWriter::SpreadsheetWriter(QIODevice& out) : m_out(out), m_buffer(new char[kBufferSize]) {}

SpreadsheetWriter::~SpreadsheetWriter() = default;

void SpreadsheetWriter::flush()
{
    if (m_used == 0)
        return;
    if (m_out.write(m_buffer.get(), m_used) != m_used)
        throw Failure(lcOutput, QStringLiteral("Scrittura non riuscita: %1").arg(m_out.errorString()));
    m_used = 0;
}

void SpreadsheetWriter::put(const char* p, qsizetype n)
{
    if (n <= 0)
        return;
    if (m_used + n > kBufferSize) {
        flush();
        if (n > kBufferSize) {
            if (m_out.write(p, n) != n)
                throw Failure(lcOutput, QStringLiteral("Scrittura non riuscita: %1").arg(m_out.errorString()));
            return;
        }
    }
    std::memcpy(m_buffer.get() + m_used, p, size_t(n));
    m_used += n;
}

void SpreadsheetWriter::begin()
{
    put(kHeader);
    put("<tr>");
    for (int c = 0; c < kSpreadsheetColumns; ++c) {
        const ExportHeading& h = exportHeading(c);
        const QByteArray width = QByteArray::number(h.width);
        put("<td style=\"text-align: left; font-weight: bold;\" width=");
        put(width.constData(), width.size());
        put(">");
        put(h.text, qsizetype(std::strlen(h.text)));
        put("</td>");
    }
    put("</tr>");
}

void SpreadsheetWriter::beginRow() { put("<tr>"); }

void SpreadsheetWriter::cell(const char* bytes, qsizetype size)
{
    const std::string_view text = trimmedBytes(std::string_view(bytes, size_t(size)));
    const char* b = text.data();
    const char* e = b + text.size();
    put("<td style=\"text-align: left;\">");
    // Runs without a character to escape go through in one copy.
    const char* run = b;
    for (const char* p = b; p < e; ++p) {
        const char c = *p;
        if (c != '&' && c != '<' && c != '>')
            continue;
        put(run, p - run);
        if (c == '&')
            put("&amp;");
        else if (c == '<')
            put("&lt;");
        else
            put("&gt;");
        run = p + 1;
    }
    put(run, e - run);
    put("</td>");
}

void SpreadsheetWriter::cell(const QString& text) { cell(toWindows1252(trimmed(text))); }

void SpreadsheetWriter::endRow() { put("</tr>"); }

void SpreadsheetWriter::finish()
{
    put(kTrailer);
    flush();
}

bool writeSpreadsheet(const QString& path, const std::function<bool(SpreadsheetWriter&)>& writeRows)
{
    return writeExportFile(path, [&](const QString& written) {
        QFile f(written);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw Failure(
                lcOutput,
                QStringLiteral("Impossibile creare %1: %2").arg(QDir::toNativeSeparators(path), f.errorString()));
        {
            SpreadsheetWriter w(f);
            w.begin();
            if (!writeRows(w))
                return false;
            w.finish();
        }
        f.close();
        if (f.error() != QFileDevice::NoError)
            throw Failure(lcOutput, QStringLiteral("Scrittura non riuscita: %1").arg(f.errorString()));
        return true;
    });
}

} // namespace pinakos
