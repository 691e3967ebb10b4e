// The workbook readers (Excel, OpenDocument, the export's HTML) on any
// bytes. The first byte chooses how the rest is used: as a whole file for
// readTable; as the XML of an Excel workbook's sheet, shared strings,
// workbook and its relationships (parts split by byte 01), packed here,
// each way of compressing giving the same table; as an OpenDocument
// spreadsheet's content.xml, packed here; as the export's file. A reader
// either gives a table whose every row has a cell that is not blank, within
// the limits, or throws pinakos::Failure with a warning for the user;
// each row made into a record keeps every field within its slot.
#include "ImportCheck.h"
#include "base/Failure.h"
#include "store/ImportFiles.h"

#include <zip.h>

using namespace pinakos;

namespace {

struct Entry
{
    const char* name;
    QByteArray data;
    bool stored;
};

QByteArray zipOf(const std::vector<Entry>& entries)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* za = zip_open_from_source(source, ZIP_TRUNCATE, &error);
    FUZZ_CHECK(za);
    zip_source_keep(source);
    for (const Entry& e : entries) {
        zip_source_t* data = zip_source_buffer(za, e.data.constData(), zip_uint64_t(e.data.size()), 0);
        const zip_int64_t i = zip_file_add(za, e.name, data, ZIP_FL_ENC_UTF_8);
        FUZZ_CHECK(i >= 0);
        zip_set_file_compression(za, zip_uint64_t(i), e.stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0);
    }
    FUZZ_CHECK(zip_close(za) == 0);
    zip_stat_t st;
    zip_source_stat(source, &st);
    QByteArray out(qsizetype(st.size), Qt::Uninitialized);
    zip_source_open(source);
    FUZZ_CHECK(zip_source_read(source, out.data(), st.size) == zip_int64_t(st.size));
    zip_source_close(source);
    zip_source_free(source);
    zip_error_fini(&error);
    return out;
}

const QByteArray kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

QByteArray xlsxOf(const QList<QByteArray>& parts, bool stored)
{
    const QByteArray workbook = parts.size() > 2 ? parts[2]
                                                 : "<workbook xmlns:r=\"" + kRel
            + "\"><sheets><sheet name=\"A\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    const QByteArray rels = parts.size() > 3 ? parts[3]
                                             : "<Relationships><Relationship Id=\"rId1\" Type=\"" + kRel
            + "/worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>";
    std::vector<Entry> e = {{"xl/workbook.xml", workbook, stored},
                            {"xl/_rels/workbook.xml.rels", rels, stored},
                            {"xl/worksheets/sheet1.xml", parts.value(0), stored}};
    if (parts.size() > 1)
        e.push_back({"xl/sharedStrings.xml", parts[1], stored});
    return zipOf(e);
}

QList<QList<QString>> rowsOf(const CsvTable& t)
{
    QList<QList<QString>> out;
    for (int r = 0; r < t.rowCount(); ++r)
        out.append(t.row(r));
    return out;
}

void checkTable(const CsvTable& t, const TableLimits& limits)
{
    const fuzz::TableTotals totals = fuzz::checkRows(t);
    FUZZ_CHECK(totals.cells <= limits.cells);
    FUZZ_CHECK(totals.characters <= limits.characters);
    fuzz::checkImportedRows(t, 20);
}

template <typename F>
bool tableOf(F&& read, CsvTable* out)
{
    try {
        *out = read();
        return true;
    } catch (const Failure& f) {
        FUZZ_CHECK_MSG(f.message().startsWith(QStringLiteral("Attenzione: ")), f.message());
        FUZZ_CHECK(f.area() != nullptr);
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t mode = data[0];
    const QByteArray rest(reinterpret_cast<const char*>(data) + 1, qsizetype(size) - 1);
    // Small enough that a run stays quick, large enough for every case.
    const TableLimits limits{qint64(64) << 20, 200000, qint64(4) << 20};
    CsvTable t;
    switch (mode % 4) {
    case 0:
        if (tableOf([&] { return readTable(rest, nullptr, limits); }, &t))
            checkTable(t, limits);
        break;
    case 1: {
        const QList<QByteArray> parts = rest.split('\x01');
        const bool stored = mode & 4;
        if (tableOf([&] { return readXlsx(xlsxOf(parts, stored), limits); }, &t)) {
            checkTable(t, limits);
            CsvTable again;
            FUZZ_CHECK(tableOf([&] { return readXlsx(xlsxOf(parts, !stored), limits); }, &again));
            FUZZ_CHECK(rowsOf(again) == rowsOf(t));
        }
        break;
    }
    case 2: {
        const QByteArray ods = zipOf({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet", true},
                                      {"content.xml", rest, bool(mode & 4)}});
        if (tableOf([&] { return readOds(ods, limits); }, &t))
            checkTable(t, limits);
        break;
    }
    default:
        if (tableOf([&] { return readExportFile(rest, limits); }, &t))
            checkTable(t, limits);
        break;
    }
    return 0;
}
