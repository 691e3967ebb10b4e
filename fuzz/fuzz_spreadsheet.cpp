// The spreadsheet writer: cell texts in, exact bytes out. The document is
// the empty one with the rows put after its heading row; each cell is its
// bytes trimmed, with "&", "<" and ">" as entities and every other byte as
// it is, as built here; a text cell is its Windows-1252 bytes.
#include "FuzzCheck.h"
#include "output/Spreadsheet.h"
#include "store/Codec1252.h"

#include <QBuffer>
#include <QList>

using namespace pinakos;

namespace {

QByteArray referenceCell(QByteArray b)
{
    qsizetype s = 0, e = b.size();
    while (s < e && quint8(b[s]) <= 32)
        ++s;
    while (e > s && quint8(b[e - 1]) <= 32)
        --e;
    QByteArray out("<td style=\"text-align: left;\">");
    for (char c : b.mid(s, e - s))
        out += c == '&' ? QByteArray("&amp;")
            : c == '<'  ? QByteArray("&lt;")
            : c == '>'  ? QByteArray("&gt;")
                        : QByteArray(1, c);
    return out + "</td>";
}

template <typename F>
QByteArray document(F&& rows)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        SpreadsheetWriter w(buffer);
        w.begin();
        rows(w);
        w.finish();
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    // Cells split at 0x01, rows at 0x02.
    QList<QList<QByteArray>> rows;
    for (const QByteArray& row : input.split('\x02')) {
        QList<QByteArray> cells;
        for (const QByteArray& cell : row.split('\x01'))
            cells << cell;
        rows << cells;
    }
    const QByteArray empty = document([](SpreadsheetWriter&) {});
    const qsizetype afterHeadings = empty.lastIndexOf("</tr>") + 5;
    FUZZ_CHECK(afterHeadings > 5);

    QByteArray expected;
    for (const auto& cells : rows) {
        expected += "<tr>";
        for (const QByteArray& c : cells)
            expected += referenceCell(c);
        expected += "</tr>";
    }
    const QByteArray got = document([&](SpreadsheetWriter& w) {
        for (const auto& cells : rows) {
            w.beginRow();
            for (const QByteArray& c : cells)
                w.cell(c);
            w.endRow();
        }
    });
    FUZZ_CHECK(got == empty.left(afterHeadings) + expected + empty.mid(afterHeadings));

    // Text cells: the code page's bytes of the trimmed text.
    const QString text = QString::fromUtf8(input);
    const QByteArray viaText = document([&](SpreadsheetWriter& w) {
        w.beginRow();
        w.cell(text);
        w.endRow();
    });
    FUZZ_CHECK(viaText
               == empty.left(afterHeadings) + "<tr>" + referenceCell(toWindows1252(text)) + "</tr>"
                   + empty.mid(afterHeadings));
    return 0;
}
