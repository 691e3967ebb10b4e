// The readers of workbooks and of the export's own file, on packages built
// here entry by entry from their XML, so that each case shows exactly what
// the file holds.
#include "Catalogs.h"
#include "Spreadsheets.h"
#include "TempFolder.h"
#include "base/Failure.h"
#include "output/CatalogModel.h"
#include "output/Spreadsheet.h"
#include "store/ImportFiles.h"

#include <QBuffer>
#include <QTest>
#include <zip.h>

using namespace pinakos;
using namespace pinakos::test;

using Rows = QList<QStringList>;
Q_DECLARE_METATYPE(pinakos::TableFormat)

namespace {

struct Entry
{
    QByteArray name;
    QByteArray data;
    bool stored = false; // kept uncompressed, as an OpenDocument mimetype must be
};

// A ZIP holding the entries in order, written by libzip in memory.
QByteArray zipOf(const QList<Entry>& entries)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* za = zip_open_from_source(source, ZIP_TRUNCATE, &error);
    if (!za)
        qFatal("zip_open_from_source: %s", zip_error_strerror(&error));
    zip_source_keep(source);
    for (const Entry& e : entries) {
        zip_source_t* data = zip_source_buffer(za, e.data.constData(), zip_uint64_t(e.data.size()), 0);
        const zip_int64_t i = zip_file_add(za, e.name.constData(), data, ZIP_FL_ENC_UTF_8);
        if (i < 0)
            qFatal("zip_file_add: %s", zip_strerror(za));
        zip_set_file_compression(za, zip_uint64_t(i), e.stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0);
    }
    if (zip_close(za) != 0)
        qFatal("zip_close: %s", zip_strerror(za));
    QByteArray out;
    zip_stat_t st;
    zip_source_stat(source, &st);
    out.resize(qsizetype(st.size));
    zip_source_open(source);
    zip_source_read(source, out.data(), st.size);
    zip_source_close(source);
    zip_source_free(source);
    zip_error_fini(&error);
    return out;
}

const QByteArray kXmlHead = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
const QByteArray kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const QByteArray kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

QByteArray sheetXml(const QByteArray& rows)
{
    return kXmlHead + "<worksheet xmlns=\"" + kMain + "\" xmlns:r=\"" + kRel + "\"><dimension ref=\"A1\"/><sheetData>"
        + rows + "</sheetData><pageMargins left=\"0.7\" right=\"0.7\"/></worksheet>";
}

QByteArray sharedStringsXml(const QByteArray& items)
{
    return kXmlHead + "<sst xmlns=\"" + kMain + "\" count=\"9\" uniqueCount=\"9\">" + items + "</sst>";
}

// A workbook of one sheet (or, with `sheets`, of these sheets, first to last).
QByteArray xlsxOf(const QByteArray& sheet, const QByteArray& sharedStrings = {})
{
    QList<Entry> e = {
        {"[Content_Types].xml",
         kXmlHead + "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>"},
        {"_rels/.rels",
         kXmlHead
             + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
               "<Relationship Id=\"rId1\" Type=\""
             + kRel
             + "/officeDocument\" Target=\"xl/workbook.xml\"/>"
               "</Relationships>"},
        {"xl/workbook.xml",
         kXmlHead + "<workbook xmlns=\"" + kMain + "\" xmlns:r=\"" + kRel
             + "\"><sheets><sheet name=\"Foglio1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels",
         kXmlHead
             + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
               "<Relationship Id=\"rId1\" Type=\""
             + kRel
             + "/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
               "<Relationship Id=\"rId3\" Type=\""
             + kRel
             + "/sharedStrings\" Target=\"sharedStrings.xml\"/>"
               "</Relationships>"},
        {"xl/worksheets/sheet1.xml", sheet},
    };
    if (!sharedStrings.isEmpty())
        e.append({"xl/sharedStrings.xml", sharedStrings});
    return zipOf(e);
}

const QByteArray kOdsNs = "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                          "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
                          "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
                          "xmlns:calcext=\"urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0\" "
                          "office:version=\"1.3\"";

QByteArray contentXml(const QByteArray& rows, const QByteArray& moreTables = {})
{
    return kXmlHead + "<office:document-content " + kOdsNs
        + "><office:body><office:spreadsheet><table:table table:name=\"Foglio1\">"
          "<table:table-column table:number-columns-repeated=\"3\"/>"
        + rows + "</table:table>" + moreTables + "</office:spreadsheet></office:body></office:document-content>";
}

QByteArray odsOf(const QByteArray& content)
{
    return zipOf({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet", true},
                  {"content.xml", content},
                  {"META-INF/manifest.xml", kXmlHead + "<manifest:manifest/>"}});
}

// An ODS cell of text, one paragraph.
QByteArray odsText(const QByteArray& text, const QByteArray& attributes = {})
{
    return "<table:table-cell office:value-type=\"string\" calcext:value-type=\"string\"" + attributes + "><text:p>"
        + text + "</text:p></table:table-cell>";
}

QByteArray utf16le(const QString& s)
{
    QByteArray out;
    for (QChar c : s)
        out += char(c.unicode() & 0xFF) + QByteArray(1, char(c.unicode() >> 8));
    return out;
}

Rows rowsOf(const CsvTable& t)
{
    Rows out;
    for (int r = 0; r < t.rowCount(); ++r)
        out.append(t.row(r));
    return out;
}

// Changes one byte of the first occurrence of `what` in a package.
QByteArray corrupted(QByteArray bytes, const QByteArray& what)
{
    const qsizetype at = bytes.indexOf(what);
    if (at < 0)
        qFatal("not in the package: %s", what.constData());
    bytes[at] = char(bytes[at] ^ 0x20);
    return bytes;
}

QString failureOf(const QByteArray& bytes, const TableLimits& limits = {})
{
    try {
        readTable(bytes, nullptr, limits);
    } catch (const Failure& f) {
        return f.message();
    }
    return {};
}

} // namespace

class TestImportFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void xlsxCells_data();
    void xlsxCells();
    void xlsxFirstWorksheet_data();
    void xlsxFirstWorksheet();
    void xlsxDates_data();
    void xlsxDates();
    void odsCells_data();
    void odsCells();
    void odsRepeatedEmptiesCostNothing();
    void numbers_data();
    void numbers();
    void numberCellsReachThePriceRule_data();
    void numberCellsReachThePriceRule();
    void exportComesBackIn();
    void formats_data();
    void formats();
    void unreadableFiles_data();
    void unreadableFiles();
    void limits_data();
    void limits();
    void fileOnDisk();
    void hundredThousandRows_data();
    void hundredThousandRows();
};

void TestImportFiles::xlsxCells_data()
{
    QTest::addColumn<QByteArray>("rows");
    QTest::addColumn<QByteArray>("strings");
    QTest::addColumn<Rows>("expected");

    const QByteArray sst = sharedStringsXml(
        "<si><t>Titolo</t></si>"
        "<si><t xml:space=\"preserve\"> Ritratto  di donna </t></si>"
        "<si><r><rPr><b/></rPr><t>Citt</t></r><r><t>\xC3\xA0</t></r><rPh sb=\"0\" eb=\"1\"><t>X</t></rPh></si>"
        "<si><t>riga uno_x000D_\nriga due</t></si>"
        "<si><t>_x005F_x0041_ resta</t></si>"
        "<si><t>04128730589</t></si>");

    QTest::newRow("shared strings, rich text runs, escapes")
        << QByteArray("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c>"
                      "<c r=\"C1\" t=\"s\"><v>2</v></c></row>"
                      "<row r=\"2\"><c r=\"A2\" t=\"s\"><v>3</v></c><c r=\"B2\" t=\"s\"><v>4</v></c>"
                      "<c r=\"C2\" t=\"s\"><v>5</v></c></row>")
        << sst
        << Rows{{"Titolo", " Ritratto  di donna ", QStringLiteral("Citt\u00E0")},
                {"riga uno\r\nriga due", "_x0041_ resta", "04128730589"}};
    QTest::newRow("inline strings, formula strings, booleans, errors")
        << QByteArray("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>in linea</t></is></c>"
                      "<c r=\"B1\" t=\"inlineStr\"><is><r><t>a</t></r><r><rPr><i/></rPr><t>b</t></r></is></c>"
                      "<c r=\"C1\" t=\"str\"><f>A1&amp;\"!\"</f><v>in linea!</v></c>"
                      "<c r=\"D1\" t=\"b\"><v>1</v></c><c r=\"E1\" t=\"b\"><v>0</v></c>"
                      "<c r=\"F1\" t=\"e\"><f>1/0</f><v>#DIV/0!</v></c></row>")
        << QByteArray() << Rows{{"in linea", "ab", "in linea!", "true", "false", "#DIV/0!"}};
    QTest::newRow("shared and inline strings together")
        << QByteArray("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>5</v></c><c r=\"B1\" t=\"inlineStr\"><is><t>mio</t></is></c>"
                      "</row>")
        << sst << Rows{{"04128730589", "mio"}};
    QTest::newRow("gaps in the references are empty cells")
        << QByteArray("<row r=\"1\"><c r=\"B1\" t=\"inlineStr\"><is><t>b</t></is></c>"
                      "<c r=\"E1\" t=\"inlineStr\"><is><t>e</t></is></c></row>"
                      "<row r=\"2\"><c r=\"AA2\"><v>7</v></c></row>")
        << QByteArray() << Rows{{"", "b", "", "", "e"}, QStringList(26, QString()) << "7"};
    QTest::newRow("cells without a reference follow on")
        << QByteArray("<row><c r=\"C1\"><v>3</v></c><c><v>4</v></c><c><v>5</v></c></row>"
                      "<row><c><v>1</v></c><c><v>2</v></c></row>")
        << QByteArray() << Rows{{"", "", "3", "4", "5"}, {"1", "2"}};
    QTest::newRow("rows by their reference, empty rows skipped")
        << QByteArray("<row r=\"2\"><c r=\"A2\"><v>1</v></c></row><row r=\"3\" spans=\"1:3\"/>"
                      "<row r=\"7\"><c r=\"B7\"><v>2</v></c></row>")
        << QByteArray() << Rows{{"1"}, {"", "2"}};
    QTest::newRow("formatted empty cells widen no row")
        << QByteArray("<row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"B1\" s=\"3\"/><c r=\"XFD1\" s=\"3\"/></row>")
        << QByteArray() << Rows{{"1"}};
    QTest::newRow("a row of blank cells is skipped")
        << QByteArray("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t> </t></is></c></row>"
                      "<row r=\"2\"><c r=\"A2\" t=\"inlineStr\"><is><t>x</t></is></c></row>")
        << QByteArray() << Rows{{"x"}};
    QTest::newRow("cells out of order, by their reference")
        << QByteArray("<row r=\"1\"><c r=\"C1\"><v>3</v></c><c r=\"A1\"><v>1</v></c></row>") << QByteArray()
        << Rows{{"1", "", "3"}};
    QTest::newRow("a shared string index past the table is empty")
        << QByteArray("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>99</v></c><c r=\"B1\" t=\"s\"><v>-1</v></c>"
                      "<c r=\"C1\"><v>1</v></c></row>")
        << sst << Rows{{"", "", "1"}};
}

void TestImportFiles::xlsxCells()
{
    QFETCH(QByteArray, rows);
    QFETCH(QByteArray, strings);
    QFETCH(Rows, expected);
    TableFormat format = TableFormat::Csv;
    const CsvTable t = readTable(xlsxOf(sheetXml(rows), strings), &format);
    QCOMPARE(format, TableFormat::Xlsx);
    QCOMPARE(rowsOf(t), expected);
}

void TestImportFiles::xlsxFirstWorksheet_data()
{
    QTest::addColumn<QByteArray>("sheets"); // the workbook's <sheets>
    QTest::addColumn<QByteArray>("relationships"); // empty: none
    QTest::addColumn<QString>("expected");

    const QByteArray rels = "<Relationship Id=\"rId1\" Type=\"" + kRel
        + "/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
          "<Relationship Id=\"rId2\" Type=\""
        + kRel
        + "/worksheet\" Target=\"/xl/worksheets/sheet2.xml\"/>"
          "<Relationship Id=\"rId5\" Type=\""
        + kRel + "/chartsheet\" Target=\"chartsheets/sheet1.xml\"/>";
    QTest::newRow("the workbook's order, not the entries'")
        << QByteArray("<sheet name=\"B\" sheetId=\"2\" r:id=\"rId2\"/><sheet name=\"A\" sheetId=\"1\" r:id=\"rId1\"/>")
        << rels << "seconda";
    QTest::newRow("a chart sheet first is passed over")
        << QByteArray("<sheet name=\"G\" sheetId=\"5\" r:id=\"rId5\"/><sheet name=\"A\" sheetId=\"1\" r:id=\"rId1\"/>")
        << rels << "prima";
    QTest::newRow("a hidden sheet first is passed over")
        << QByteArray("<sheet name=\"A\" sheetId=\"1\" state=\"hidden\" r:id=\"rId1\"/>"
                      "<sheet name=\"B\" sheetId=\"2\" r:id=\"rId2\"/>")
        << rels << "seconda";
    QTest::newRow("no relationships: sheet1.xml")
        << QByteArray("<sheet name=\"B\" sheetId=\"2\" r:id=\"rId2\"/>") << QByteArray() << "prima";
}

void TestImportFiles::xlsxFirstWorksheet()
{
    QFETCH(QByteArray, sheets);
    QFETCH(QByteArray, relationships);
    QFETCH(QString, expected);
    auto sheet = [](const char* text) -> QByteArray {
        return sheetXml(QByteArray("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>") + text + "</t></is></c></row>");
    };
    QList<Entry> e = {
        {"xl/workbook.xml",
         kXmlHead + "<workbook xmlns=\"" + kMain + "\" xmlns:r=\"" + kRel + "\"><sheets>" + sheets
             + "</sheets></workbook>"},
        {"xl/worksheets/sheet1.xml", sheet("prima")},
        {"xl/worksheets/sheet2.xml", sheet("seconda")},
        {"xl/chartsheets/sheet1.xml", kXmlHead + "<chartsheet/>"},
    };
    if (!relationships.isEmpty())
        e.append({"xl/_rels/workbook.xml.rels",
                  kXmlHead + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                      + relationships + "</Relationships>"});
    QCOMPARE(rowsOf(readXlsx(zipOf(e))), (Rows{{expected}}));
}

void TestImportFiles::xlsxDates_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("date1904");
    QTest::addColumn<QString>("text");

    QTest::newRow("general") << 0 << "43891" << false << "43891";
    QTest::newRow("built-in short date") << 1 << "43891" << false << "01/03/2020";
    QTest::newRow("date and time") << 2 << "43891.604166666664" << false << "01/03/2020 14:30";
    QTest::newRow("built-in time with seconds") << 3 << "0.604224537037037" << false << "14:30:05";
    QTest::newRow("a currency is a number") << 4 << "1234.5" << false << "1234,5";
    QTest::newRow("elapsed hours") << 5 << "0.5" << false << "12:00";
    QTest::newRow("month and year") << 6 << "43891" << false << "01/03/2020";
    QTest::newRow("a quoted m is no month") << 7 << "12.5" << false << "12,5";
    QTest::newRow("minutes and seconds") << 8 << "0.000694444444444444" << false << "00:01:00";
    QTest::newRow("before the missing 29 February 1900") << 1 << "59" << false << "28/02/1900";
    QTest::newRow("after it") << 1 << "61" << false << "01/03/1900";
    QTest::newRow("the 1904 system") << 1 << "0" << true << "01/01/1904";
    QTest::newRow("a style past the table") << 99 << "43891" << false << "43891";
    QTest::newRow("a date out of range") << 1 << "-5" << false << "-5";
    QTest::newRow("leading zeros of the format") << 9 << "4128730589" << false << "04128730589";
    QTest::newRow("no zeros beyond the number's own") << 9 << "123456789012" << false << "123456789012";
    QTest::newRow("zeros and decimals") << 9 << "12.5" << false << "12,5";
}

void TestImportFiles::xlsxDates()
{
    QFETCH(int, style);
    QFETCH(QString, value);
    QFETCH(bool, date1904);
    QFETCH(QString, text);
    const QByteArray styles = kXmlHead + "<styleSheet xmlns=\"" + kMain
        + "\"><numFmts count=\"5\"><numFmt numFmtId=\"164\" formatCode=\"dd/mm/yyyy hh:mm\"/>"
          "<numFmt numFmtId=\"165\" formatCode=\"#,##0.00\\ [$\xE2\x82\xAC-410]\"/>"
          "<numFmt numFmtId=\"166\" formatCode=\"[h]:mm\"/><numFmt numFmtId=\"167\" formatCode=\"mmm yyyy\"/>"
          "<numFmt numFmtId=\"168\" formatCode=\"0.00&quot;m&quot;\"/>"
          "<numFmt numFmtId=\"169\" formatCode=\"00000000000\"/></numFmts>"
          "<cellStyleXfs count=\"1\"><xf numFmtId=\"14\"/></cellStyleXfs><cellXfs count=\"9\">"
          "<xf numFmtId=\"0\" fontId=\"0\"/><xf numFmtId=\"14\" applyNumberFormat=\"1\"/><xf numFmtId=\"164\"/>"
          "<xf numFmtId=\"21\"/><xf numFmtId=\"165\"/><xf numFmtId=\"166\"/><xf numFmtId=\"167\"/>"
          "<xf numFmtId=\"168\"/><xf numFmtId=\"45\"/><xf numFmtId=\"169\"/></cellXfs></styleSheet>";
    const QByteArray workbook = kXmlHead + "<workbook xmlns=\"" + kMain + "\" xmlns:r=\"" + kRel + "\">"
        + (date1904 ? "<workbookPr date1904=\"1\"/>" : "<workbookPr/>")
        + "<sheets><sheet name=\"A\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    const QByteArray sheet = sheetXml("<row r=\"1\"><c r=\"A1\" s=\"" + QByteArray::number(style) + "\"><v>"
                                      + value.toLatin1() + "</v></c></row>");
    const QByteArray file =
        zipOf({{"xl/workbook.xml", workbook},
               {"xl/_rels/workbook.xml.rels",
                kXmlHead
                    + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                      "<Relationship Id=\"rId1\" Type=\""
                    + kRel
                    + "/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
                      "<Relationship Id=\"rId2\" Type=\""
                    + kRel
                    + "/styles\" Target=\"styles.xml\"/>"
                      "</Relationships>"},
               {"xl/styles.xml", styles},
               {"xl/worksheets/sheet1.xml", sheet}});
    QCOMPARE(rowsOf(readXlsx(file)), (Rows{{text}}));
}

void TestImportFiles::odsCells_data()
{
    QTest::addColumn<QByteArray>("rows");
    QTest::addColumn<Rows>("expected");

    QTest::newRow("repeated cells") << QByteArray(
        "<table:table-row>" + odsText("a", " table:number-columns-repeated=\"3\"") + odsText("b")
        + "</table:table-row>") << Rows{{"a", "a", "a", "b"}};
    QTest::newRow("repeated empty cells between")
        << QByteArray("<table:table-row>" + odsText("a") + "<table:table-cell table:number-columns-repeated=\"2\"/>"
                      + odsText("d") + "<table:table-cell table:number-columns-repeated=\"16380\"/></table:table-row>")
        << Rows{{"a", "", "", "d"}};
    QTest::newRow("repeated rows") << QByteArray(
        "<table:table-row table:number-rows-repeated=\"3\">" + odsText("x") + odsText("y")
        + "</table:table-row><table:table-row table:number-rows-repeated=\"4\">"
          "<table:table-cell table:number-columns-repeated=\"5\"/></table:table-row>"
          "<table:table-row>"
        + odsText("z") + "</table:table-row>")
                                   << Rows{{"x", "y"}, {"x", "y"}, {"x", "y"}, {"z"}};
    QTest::newRow("covered cells keep their places")
        << QByteArray("<table:table-row>" + odsText("unita", " table:number-columns-spanned=\"2\"")
                      + "<table:covered-table-cell/>" + odsText("c") + "</table:table-row>"
                      + "<table:table-row><table:covered-table-cell table:number-columns-repeated=\"2\"/>"
                      + odsText("c2") + "</table:table-row>")
        << Rows{{"unita", "", "c"}, {"", "", "c2"}};
    QTest::newRow("paragraphs, spaces, tabs, line breaks")
        << QByteArray("<table:table-row>"
                      "<table:table-cell office:value-type=\"string\"><text:p>riga uno</text:p>"
                      "<text:p>riga <text:span text:style-name=\"T1\">due</text:span></text:p></table:table-cell>"
                      "<table:table-cell office:value-type=\"string\"><text:p>a<text:s/>b <text:s text:c=\"3\"/>c"
                      "<text:tab/>d<text:line-break/>e</text:p></table:table-cell>"
                      "<table:table-cell office:value-type=\"string\"><text:p>  spazi \n\t  raccolti </text:p>"
                      "</table:table-cell>"
                      "<table:table-cell office:value-type=\"string\"><text:p><text:a xlink:href=\"http://x\" "
                      "xmlns:xlink=\"http://www.w3.org/1999/xlink\">sito</text:a> e <text:span>"
                      "<text:span>dentro</text:span></text:span></text:p></table:table-cell>"
                      "</table:table-row>")
        << Rows{{"riga uno\nriga due", "a b    c\td\ne", "spazi raccolti ", "sito e dentro"}};
    QTest::newRow("a note on a cell is not its text")
        << QByteArray("<table:table-row><table:table-cell office:value-type=\"string\">"
                      "<office:annotation><text:p>nota nascosta</text:p></office:annotation>"
                      "<text:p>visi<office:annotation><text:p>dentro</text:p></office:annotation>bile</text:p>"
                      "</table:table-cell></table:table-row>")
        << Rows{{"visibile"}};
    QTest::newRow("values by their type")
        << QByteArray("<table:table-row>"
                      "<table:table-cell office:value-type=\"float\" office:value=\"1987\"><text:p>1987</text:p>"
                      "</table:table-cell>"
                      "<table:table-cell office:value-type=\"currency\" office:currency=\"EUR\" "
                      "office:value=\"1234.5\"><text:p>1.234,50 \xE2\x82\xAC</text:p></table:table-cell>"
                      "<table:table-cell office:value-type=\"float\" office:value=\"1234.5\"><text:p>1234,50</text:p>"
                      "</table:table-cell>"
                      "<table:table-cell office:value-type=\"float\" office:value=\"4128\"><text:p>04128</text:p>"
                      "</table:table-cell>"
                      "<table:table-cell office:value-type=\"float\" office:value=\"2.345\"><text:p>2,3</text:p>"
                      "</table:table-cell>"
                      "<table:table-cell office:value-type=\"percentage\" office:value=\"0.5\"><text:p>50%</text:p>"
                      "</table:table-cell>"
                      "<table:table-cell office:value-type=\"boolean\" office:boolean-value=\"true\"><text:p>VERO"
                      "</text:p></table:table-cell>"
                      "<table:table-cell office:value-type=\"date\" office:date-value=\"1987-03-01\">"
                      "<text:p>01/03/1987</text:p></table:table-cell>"
                      "<table:table-cell office:value-type=\"float\" office:value=\"-0.25\"/>"
                      "</table:table-row>")
        << Rows{{"1987", "1234,5", "1234,50", "04128", "2,345", "0,5", "true", "01/03/1987", "-0,25"}};
    QTest::newRow("row groups and header rows")
        << QByteArray("<table:table-header-rows><table:table-row>" + odsText("titolo")
                      + "</table:table-row></table:table-header-rows><table:table-row-group><table:table-row>"
                      + odsText("opera") + "</table:table-row></table:table-row-group>")
        << Rows{{"titolo"}, {"opera"}};
}

void TestImportFiles::odsCells()
{
    QFETCH(QByteArray, rows);
    QFETCH(Rows, expected);
    const QByteArray other =
        "<table:table table:name=\"Altro\"><table:table-row>" + odsText("no") + "</table:table-row></table:table>";
    TableFormat format = TableFormat::Csv;
    const CsvTable t = readTable(odsOf(contentXml(rows, other)), &format);
    QCOMPARE(format, TableFormat::Ods);
    QCOMPARE(rowsOf(t), expected);

    // The flat form of the same document.
    QByteArray flat = contentXml(rows, other);
    flat.replace("office:document-content ",
                 "office:document office:mimetype=\"application/vnd.oasis.opendocument.spreadsheet\" ");
    flat.replace("</office:document-content>", "</office:document>");
    QCOMPARE(rowsOf(readTable(flat, &format)), expected);
    QCOMPARE(format, TableFormat::Ods);
}

void TestImportFiles::odsRepeatedEmptiesCostNothing()
{
    // What a sheet saved with formatted whole columns holds: the last row and
    // column repeated to the sheet's end, a million rows of 16384 cells.
    const QByteArray rows = "<table:table-row>" + odsText("a") + odsText("b")
        + "<table:table-cell table:number-columns-repeated=\"16382\"/></table:table-row>"
          "<table:table-row table:number-rows-repeated=\"1048575\"><table:table-cell "
          "table:number-columns-repeated=\"16384\"/></table:table-row>";
    TableLimits tight;
    tight.cells = 10; // any cell kept for the empty ones would pass this
    const CsvTable t = readOds(odsOf(contentXml(rows)), tight);
    QCOMPARE(rowsOf(t), (Rows{{"a", "b"}}));
    QCOMPARE(t.columnCount(), 2);
}

void TestImportFiles::numbers_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("decimals") << "1234.5"
                              << "1234,5";
    QTest::newRow("a year") << "1987"
                            << "1987";
    QTest::newRow("integer written with a point") << "1987.0"
                                                  << "1987";
    QTest::newRow("negative") << "-0.25"
                              << "-0,25";
    QTest::newRow("exponent") << "1.5E-3"
                              << "0,0015";
    QTest::newRow("large exponent") << "1.2345E+3"
                                    << "1234,5";
    QTest::newRow("binary leftovers, as shown") << "0.30000000000000004"
                                                << "0,3";
    QTest::newRow("telephone") << "3331234567"
                               << "3331234567";
    QTest::newRow("zero") << "-0"
                          << "0";
    QTest::newRow("no number") << "abc"
                               << "abc";
    QTest::newRow("not the file's infinity") << "inf"
                                             << "inf";
    QTest::newRow("empty") << ""
                           << "";
}

void TestImportFiles::numbers()
{
    QFETCH(QString, value);
    QFETCH(QString, text);
    QCOMPARE(spreadsheetNumberText(value), text);
}

void TestImportFiles::numberCellsReachThePriceRule_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("price");

    auto xlsx = [](const char* year, const char* value) -> QByteArray {
        return xlsxOf(
            sheetXml(QByteArray("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c>"
                                "</row><row r=\"2\"><c r=\"A2\"><v>")
                     + year + "</v></c><c r=\"B2\" s=\"4\"><v>" + value + "</v></c></row>"),
            sharedStringsXml("<si><t>Anno</t></si><si><t>Valore</t></si>"));
    };
    auto ods = [](const char* year, const char* value, const char* shown) -> QByteArray {
        return odsOf(contentXml(
            "<table:table-row>" + odsText("Anno") + odsText("Valore")
            + "</table:table-row><table:table-row><table:table-cell office:value-type=\"float\" office:value=\"" + year
            + "\"><text:p>" + year + "</text:p></table:table-cell>"
            + "<table:table-cell office:value-type=\"currency\" office:currency=\"EUR\" office:value=\"" + value
            + "\"><text:p>" + shown + "</text:p></table:table-cell></table:table-row>"));
    };
    QTest::newRow("xlsx 1234.5") << xlsx("1987", "1234.5") << "1987"
                                 << "1234,50";
    QTest::newRow("xlsx integer") << xlsx("1987", "1500") << "1987"
                                  << "1500,00";
    QTest::newRow("xlsx rounding") << xlsx("2001", "0.125") << "2001"
                                   << "0,13";
    QTest::newRow("xlsx exponent") << xlsx("1987", "1.5E+3") << "1987"
                                   << "1500,00";
    QTest::newRow("ods shown with thousands and a currency") << ods("1987", "1234.5", "1.234,50 \xE2\x82\xAC") << "1987"
                                                             << "1234,50";
    QTest::newRow("ods shown in English") << ods("1987", "1234.5",
                                                 "\xE2\x82\xAC"
                                                 "1,234.50")
                                          << "1987"
                                          << "1234,50";
    QTest::newRow("ods shown with fewer decimals") << ods("1987", "1234.567", "1.235 \xE2\x82\xAC") << "1987"
                                                   << "1234,57";
}

void TestImportFiles::numberCellsReachThePriceRule()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, year);
    QFETCH(QString, price);
    const CsvTable t = readTable(file);
    QCOMPARE(t.rowCount(), 2);
    QVERIFY(looksLikeHeadings(t.row(0)));
    const ImportedRow r = importRow(t, 1, matchHeadings(t.row(0)));
    QCOMPARE(r.record.text(Campo::Peso), QString()); // nothing else filled
    QCOMPARE(r.record.text(importField(3)), year);
    QCOMPARE(r.record.text(Campo::Prezzo), price);
}

void TestImportFiles::exportComesBackIn()
{
    TempFolder folder;
    QList<TSchedaOpera> records;
    TSchedaOpera a = makeRecord(QStringLiteral("Caff\u00E8 & <latte>"), QStringLiteral("Nicol\u00F2 Rossi"),
                                QStringLiteral("1250,50"), true);
    const QString texts[kSpreadsheetColumns] = {
        {},
        QStringLiteral("Citt\u00E0 \"vecchia\" \u20AC"),
        {},
        QStringLiteral("0987"),
        QStringLiteral("Italia"),
        QStringLiteral("Olio su tela"),
        QStringLiteral("Barocco"),
        QStringLiteral("60 x 45 cm"),
        QStringLiteral("Tela"),
        QStringLiteral("Collezione   privata"),
        QStringLiteral("Maria Bianchi"),
        QStringLiteral("04128730589"),
        QStringLiteral("0039 02 1234567"),
        QStringLiteral("riga uno\r\nriga <due> &amp; tre; &lt;"),
    };
    for (int t = 0; t < 14; ++t)
        if (!texts[t].isEmpty())
            a.setText(importField(t), texts[t]);
    records.append(a);
    records.append(makeRecord(QStringLiteral("Seconda"), QString(), QStringLiteral("0,00")));
    TSchedaOpera third = makeRecord(QStringLiteral("Terza"), QStringLiteral("Anonimo"), QStringLiteral("7,05"));
    third.setText(Campo::Note, QStringLiteral("\u00E0\u00E8\u00E9\u00EC\u00F2\u00F9 \u00BD"));
    records.append(third);
    CatalogModel m;
    QVERIFY(m.load(makeCatalog(QStringLiteral("Ritorno"), records)));

    TableFormat format = TableFormat::Csv;
    const CsvTable t = readTable(spreadsheetOf(m), &format);
    QCOMPARE(format, TableFormat::ExportFile);
    // The heading row and the records; the grid's empty rows are skipped.
    QCOMPARE(t.rowCount(), 1 + records.size());
    QCOMPARE(t.columnCount(), kSpreadsheetColumns);
    QVERIFY(looksLikeHeadings(t.row(0)));
    for (int c = 0; c < kSpreadsheetColumns; ++c)
        QCOMPARE(t.cell(0, c), importTargetName(c));
    const ImportMapping mapping = matchHeadings(t.row(0));
    for (int i = 0; i < records.size(); ++i) {
        const ImportedRow r = importRow(t, i + 1, mapping);
        for (int c = 0; c < kSpreadsheetColumns; ++c)
            QCOMPARE(r.record.text(importField(c)), records[i].text(importField(c)));
        QCOMPARE(r.cut, 0u);
        QCOMPARE(r.replaced, 0u);
    }
    QCOMPARE(t.cell(1, 13), QStringLiteral("riga uno\r\nriga <due> &amp; tre; &lt;"));
    QCOMPARE(t.cell(1, 15), QStringLiteral("S\u00EC"));
}

void TestImportFiles::formats_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<TableFormat>("format");
    QTest::addColumn<Rows>("expected");

    QTest::newRow("csv") << QByteArray("Titolo;Anno\r\nA;1\r\n") << TableFormat::Csv
                         << Rows{{"Titolo", "Anno"}, {"A", "1"}};
    QTest::newRow("csv in UTF-16, Excel's unicode text")
        << QByteArray("\xFF\xFE") + utf16le(QStringLiteral("Titolo\tAnno\r\n\u00E0\t1")) << TableFormat::Csv
        << Rows{{"Titolo", "Anno"}, {QStringLiteral("\u00E0"), "1"}};
    QTest::newRow("html table, UTF-8") << QByteArray(
        "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><style>td{}</style></head><body><table>"
        "<tr><th>Titolo</th><th colspan=\"2\">Artista</th><td>Anno</td></tr>"
        "<tr><td>Caff\xC3\xA8<br>latte</td><td>a</td><td>b</td><td x:num=\"1987\">1.987</td></tr>"
        "<tr><td>&#224;&#xE8;&nbsp;&quot;&bogus;</td><!-- <td>no</td> --><td>x <3 y</td></tr>"
        "</table><table><tr><td>dopo</td></tr></table></body></html>")
                                       << TableFormat::ExportFile
                                       << Rows{{"Titolo", "Artista", "", "Anno"},
                                               {QStringLiteral("Caff\u00E8\nlatte"), "a", "b", "1987"},
                                               {QStringLiteral("\u00E0\u00E8 \"&bogus;"), "x <3 y"}};
}

void TestImportFiles::formats()
{
    QFETCH(QByteArray, bytes);
    QFETCH(TableFormat, format);
    QFETCH(Rows, expected);
    QCOMPARE(detectTableFormat(bytes), format);
    TableFormat found = TableFormat::Ods;
    QCOMPARE(rowsOf(readTable(bytes, &found)), expected);
    QCOMPARE(found, format);
}

void TestImportFiles::unreadableFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message"); // a part of it

    const QByteArray rows =
        "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>" + QByteArray(3000, 'q') + "</t></is></c></row>";
    const QByteArray xlsx = xlsxOf(sheetXml(rows));
    const QByteArray ods = odsOf(contentXml("<table:table-row>" + odsText("ciao") + "</table:table-row>"));
    const QString damaged = QStringLiteral("danneggiato");

    QTest::newRow("truncated xlsx") << xlsx.left(xlsx.size() / 2) << damaged;
    QTest::newRow("truncated ods") << ods.left(ods.size() - 30) << damaged;
    QTest::newRow("only a zip's signature") << QByteArray("PK\x03\x04 non proprio") << damaged;
    // A stored entry's text changed: its CRC no longer matches.
    QTest::newRow("bad CRC in a stored entry") << corrupted(
        zipOf({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet", true},
               {"content.xml", contentXml("<table:table-row>" + odsText("ciao") + "</table:table-row>"), true}}),
        "ciao") << damaged;
    // A byte inside a deflated entry's data changed.
    QByteArray numbers;
    for (int i = 0; i < 3000; ++i)
        numbers += "<row><c><v>" + QByteArray::number(i * 7919 % 10007) + "</v></c></row>";
    QByteArray deflated = zipOf({{"xl/worksheets/sheet1.xml", sheetXml(numbers)}, {"xl/workbook.xml", "<workbook/>"}});
    deflated[400] = char(deflated[400] ^ 0x55);
    QTest::newRow("a deflated entry changed") << deflated << damaged;
    QTest::newRow("a zip without a sheet") << zipOf({{"word/document.xml", "<document/>"}}) << "non contiene";
    QTest::newRow("a text document") << zipOf(
        {{"mimetype", "application/vnd.oasis.opendocument.text", true}, {"content.xml", contentXml({})}})
                                     << "non contiene";
    QTest::newRow("a workbook without its sheet")
        << zipOf({{"xl/workbook.xml", kXmlHead + "<workbook/>"}}) << "non contiene";
    QTest::newRow("an ods without a table")
        << odsOf(kXmlHead + "<office:document-content " + kOdsNs + "><office:body/></office:document-content>")
        << "non contiene";
    QTest::newRow("broken XML in the sheet")
        << xlsxOf(sheetXml("<row r=\"1\"><c r=\"A1\"><v>1</v></row>")) << "danneggiato (xl/worksheets/sheet1.xml";
    QTest::newRow("broken XML in the shared strings")
        << xlsxOf(sheetXml("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>"), "<sst><si><t>a</si></sst>")
        << "danneggiato (xl/sharedStrings.xml";
    QTest::newRow("ods content cut short")
        << odsOf(contentXml("<table:table-row>" + odsText("ciao")).left(300)) << "danneggiato (content.xml";
    QTest::newRow("a document type with entities")
        << odsOf("<?xml version=\"1.0\"?><!DOCTYPE x [<!ENTITY a \"aaaaaaaaaa\">]>"
                 + contentXml("<table:table-row>" + odsText("&a;") + "</table:table-row>").mid(kXmlHead.size()))
        << "danneggiato";
    QTest::newRow("excel 97-2003") << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") + QByteArray(504, '\0') << ".xls";
    QTest::newRow("a picture") << QByteArray("\xFF\xD8\xFF\xE0\0\x10JFIF\0", 11) << "non \u00E8 un foglio";
    QTest::newRow("a pdf") << QByteArray("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n") << "non \u00E8 un foglio";
    QTest::newRow("other XML") << QByteArray("<?xml version=\"1.0\"?><Workbook/>") << "non \u00E8 un foglio";
}

void TestImportFiles::unreadableFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const QString m = failureOf(bytes);
    QVERIFY2(m.startsWith(QStringLiteral("Attenzione: ")), qPrintable(m));
    QVERIFY2(m.contains(message), qPrintable(m));
}

void TestImportFiles::limits_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("bytesLimit");
    QTest::addColumn<qint64>("cellsLimit");
    QTest::addColumn<qint64>("charactersLimit");

    // Ten megabytes of one letter deflate to a few kilobytes.
    const QByteArray bomb = xlsxOf(sheetXml("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>"
                                            + QByteArray(10 << 20, 'a') + "</t></is></c></row>"));
    QVERIFY(bomb.size() < 100000);
    QTest::newRow("zip bomb") << bomb << qint64(1 << 20) << qint64(1000) << qint64(1 << 30);
    QTest::newRow("zip bomb in shared strings")
        << xlsxOf(sheetXml({}), sharedStringsXml("<si><t>" + QByteArray(10 << 20, 'a') + "</t></si>"))
        << qint64(1 << 20) << qint64(1000) << qint64(1 << 30);
    QTest::newRow("a cell repeated over and over")
        << odsOf(contentXml("<table:table-row table:number-rows-repeated=\"1000000000\">"
                            + odsText("x", " table:number-columns-repeated=\"16384\"") + "</table:table-row>"))
        << qint64(1 << 30) << qint64(10'000'000) << qint64(1 << 30);
    QTest::newRow("a far cell in every row")
        << xlsxOf(sheetXml(QByteArray("<row><c r=\"XFD1\"><v>1</v></c></row>").repeated(100))) << qint64(1 << 30)
        << qint64(16384 * 50) << qint64(1 << 30);
    QTest::newRow("spaces multiplied") << odsOf(contentXml(
        "<table:table-row>" + odsText("<text:s text:c=\"2000000000\"/>x", " table:number-columns-repeated=\"100\"")
        + "</table:table-row>")) << qint64(1 << 30)
                                       << qint64(1000) << qint64(1 << 20);
    QTest::newRow("a file larger than allowed")
        << QByteArray("a;b\n").repeated(1000) << qint64(1000) << qint64(1000) << qint64(1000);
}

void TestImportFiles::limits()
{
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, bytesLimit);
    QFETCH(qint64, cellsLimit);
    QFETCH(qint64, charactersLimit);
    const TableLimits limits{bytesLimit, cellsLimit, charactersLimit};
    const QString m = failureOf(bytes, limits);
    QVERIFY2(m.contains(QStringLiteral("troppo grande")), qPrintable(m));
}

void TestImportFiles::fileOnDisk()
{
    TempFolder folder;
    QVERIFY_THROWS_EXCEPTION(Failure, readTableFile(folder.file(QStringLiteral("manca.xlsx"))));
    QVERIFY_THROWS_EXCEPTION(Failure, readTableFile(folder.path()));
    folder.write(QStringLiteral("foglio.dat"),
                 odsOf(contentXml("<table:table-row>" + odsText("ciao") + "</table:table-row>")));
    TableFormat format = TableFormat::Csv;
    QCOMPARE(rowsOf(readTableFile(folder.file(QStringLiteral("foglio.dat")), &format)), (Rows{{"ciao"}}));
    QCOMPARE(format, TableFormat::Ods);
}

void TestImportFiles::hundredThousandRows_data()
{
    QTest::addColumn<bool>("ods");
    QTest::newRow("xlsx") << false;
    QTest::newRow("ods") << true;
}

void TestImportFiles::hundredThousandRows()
{
    QFETCH(bool, ods);
    constexpr int kRows = 100000;
    QByteArray xml, strings;
    xml.reserve(kRows * 400);
    auto text = [&](int i) -> QByteArray { return "Opera " + QByteArray::number(i); };
    if (ods) {
        for (int i = 0; i < kRows; ++i)
            xml += "<table:table-row>" + odsText(text(i)) + odsText("Rossi") + odsText("riga uno</text:p><text:p>due")
                + "<table:table-cell office:value-type=\"float\" office:value=\"19" + QByteArray::number(i % 100)
                + "\"><text:p>19" + QByteArray::number(i % 100) + "</text:p></table:table-cell>"
                + "<table:table-cell table:number-columns-repeated=\"3\"/>"
                + "<table:table-cell office:value-type=\"currency\" office:value=\"" + QByteArray::number(i)
                + ".5\"><text:p>" + QByteArray::number(i) + ",50 \xE2\x82\xAC</text:p></table:table-cell>"
                + "</table:table-row>";
    } else {
        strings = "<si><t>Rossi</t></si><si><t>riga uno\ndue</t></si>";
        for (int i = 0; i < kRows; ++i) {
            const QByteArray r = QByteArray::number(i + 1);
            xml += "<row r=\"" + r + "\"><c r=\"A" + r + "\" t=\"inlineStr\"><is><t>" + text(i)
                + "</t></is></c><c r=\"B" + r + "\" t=\"s\"><v>0</v></c><c r=\"C" + r
                + "\" t=\"s\"><v>1</v></c><c r=\"D" + r + "\"><v>19" + QByteArray::number(i % 100) + "</v></c><c r=\"H"
                + r + "\" s=\"2\"><v>" + QByteArray::number(i) + ".5</v></c></row>";
        }
    }
    const QByteArray file = ods ? odsOf(contentXml(xml)) : xlsxOf(sheetXml(xml), sharedStringsXml(strings));
    xml.clear();
    const CsvTable t = readTable(file);
    QCOMPARE(t.rowCount(), kRows);
    QCOMPARE(t.columnCount(), 8);
    for (int i : {0, 1, 54321, kRows - 1})
        QCOMPARE(t.row(i),
                 QStringList({QStringLiteral("Opera %1").arg(i), "Rossi", "riga uno\ndue",
                              QStringLiteral("19%1").arg(i % 100), "", "", "", QStringLiteral("%1,5").arg(i)}));
}

QTEST_GUILESS_MAIN(TestImportFiles)
#include "test_import_files.moc"
