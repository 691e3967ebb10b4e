#include "output/Workbook.h"

#include "base/Failure.h"
#include "base/Log.h"
#include "base/Text.h"
#include "output/Spreadsheet.h"
#include "sheet/Price.h"
#include "store/Codec1252.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QXmlStreamWriter>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <xlsxwriter.h>
#include <zip.h>

namespace pinakos {

namespace {

const char* const kSheetName = "Inventario Opere";

QString writeFailed(const QString& path, const QString& why)
{
    return QStringLiteral("Scrittura di %1 non riuscita: %2").arg(QDir::toNativeSeparators(path), why);
}

// The characters XML 1.0 cannot hold: the control characters but tab, line
// feed and carriage return. A damaged record may carry them; they are left out.
bool unfitForXml(QChar c) { return c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r'; }

// The cell's text from the archive's bytes, trimmed.
QString textOf(const char* bytes, qsizetype size)
{
    const std::string_view t = trimmedBytes(std::string_view(bytes, size_t(size)));
    return fromWindows1252(t.data(), qsizetype(t.size()));
}

// ---------------------------------------------------------------------------
// Office Open XML, written by libxlsxwriter row by row (constant memory: each
// row goes to a temporary file as soon as the next one begins).

// Column widths in characters of the default font from pixels, as Excel
// counts them: 7 pixels a character and 5 of padding.
double widthInCharacters(int pixels) { return double(pixels - 5) / 7.0; }

// The euro with two decimals, as an Italian Excel shows it.
const char* const kEuroFormatXlsx = "#,##0.00 [$\xE2\x82\xAC-410]";

// A cell's text as Excel reads it: a line break is one line feed (the
// archive's CR LF would show a stray character), and a text that looks like
// one of Excel's escapes ("_x0041_") has its underscore escaped, or Excel
// would turn it into the character.
QString excelText(QString t)
{
    t.removeIf(unfitForXml);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    static const QRegularExpression lookalike(QStringLiteral("_(?=x[0-9A-Fa-f]{4}_)"));
    t.replace(lookalike, QStringLiteral("_x005F_"));
    return t;
}

class XlsxSink final : public RowSink
{
public:
    explicit XlsxSink(const QString& path) : m_path(path)
    {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        // libxlsxwriter opens its file with the C library: the system's own
        // encoding of file names (on Windows the ANSI code page).
        const QByteArray name = QFile::encodeName(QDir::toNativeSeparators(path));
        m_book = workbook_new_opt(name.constData(), &options);
        if (!m_book)
            throw Failure(lcOutput, writeFailed(path, QStringLiteral("memoria insufficiente")));
        m_sheet = workbook_add_worksheet(m_book, kSheetName);
        m_bold = workbook_add_format(m_book);
        m_euro = workbook_add_format(m_book);
        if (!m_sheet || !m_bold || !m_euro)
            throw Failure(lcOutput, writeFailed(path, QStringLiteral("foglio non creato")));
        format_set_bold(m_bold);
        format_set_num_format(m_euro, kEuroFormatXlsx);
        for (int c = 0; c < kSpreadsheetColumns; ++c)
            check(worksheet_set_column(m_sheet, lxw_col_t(c), lxw_col_t(c), widthInCharacters(exportHeading(c).width),
                                       nullptr));
        worksheet_freeze_panes(m_sheet, 1, 0);
        for (int c = 0; c < kSpreadsheetColumns; ++c)
            check(worksheet_write_string(m_sheet, 0, lxw_col_t(c), exportHeading(c).text, m_bold));
    }
    ~XlsxSink() override
    {
        // Cancelled or failed: nothing is written, and the rows' temporary
        // file (which only closing the workbook would close) goes.
        if (m_book) {
            if (m_sheet && m_sheet->optimize_tmpfile) {
                std::fclose(m_sheet->optimize_tmpfile);
                m_sheet->optimize_tmpfile = nullptr;
                m_sheet->file = nullptr;
            }
            lxw_workbook_free(m_book);
        }
    }
    XlsxSink(const XlsxSink&) = delete;
    XlsxSink& operator=(const XlsxSink&) = delete;

    void beginRow() override
    {
        ++m_row;
        m_column = 0;
    }
    void cell(const char* bytes, qsizetype size) override
    {
        const std::string_view t = trimmedBytes(std::string_view(bytes, size_t(size)));
        // Plain ASCII is UTF-8 already, and needs no escape.
        if (m_column != kValueColumn && std::all_of(t.begin(), t.end(), [](char c) {
                return uchar(c) >= 0x20 && uchar(c) < 0x80 && c != '_';
            })) {
            m_utf8.assign(t);
            text();
        } else {
            cellText(fromWindows1252(t.data(), qsizetype(t.size())));
        }
    }
    void cell(const QString& text) override { cellText(trimmed(text)); }
    void endRow() override {}

    // The autofilter over the whole table, then the file.
    void finish()
    {
        check(worksheet_autofilter(m_sheet, 0, 0, m_row, kSpreadsheetColumns - 1));
        lxw_workbook* book = m_book;
        m_book = nullptr;
        const lxw_error e = workbook_close(book);
        if (e != LXW_NO_ERROR)
            throw Failure(lcOutput, writeFailed(m_path, QString::fromUtf8(lxw_strerror(e))));
    }

private:
    void check(lxw_error e)
    {
        if (e != LXW_NO_ERROR)
            throw Failure(lcOutput, writeFailed(m_path, QString::fromUtf8(lxw_strerror(e))));
    }
    void cellText(const QString& t)
    {
        if (m_column == kValueColumn) {
            if (const std::optional<qint64> cents = priceCents(t)) {
                check(worksheet_write_number(m_sheet, m_row, lxw_col_t(m_column), double(*cents) / 100.0, m_euro));
                ++m_column;
                return;
            }
        }
        m_utf8 = excelText(t).toStdString();
        text();
    }
    // The cell in m_utf8, as a text cell; an empty one stays blank.
    void text()
    {
        if (!m_utf8.empty())
            check(worksheet_write_string(m_sheet, m_row, lxw_col_t(m_column), m_utf8.c_str(), nullptr));
        ++m_column;
    }

    QString m_path;
    lxw_workbook* m_book = nullptr;
    lxw_worksheet* m_sheet = nullptr;
    lxw_format* m_bold = nullptr;
    lxw_format* m_euro = nullptr;
    lxw_row_t m_row = 0; // the heading row is 0
    int m_column = 0;
    std::string m_utf8;
};

// ---------------------------------------------------------------------------
// OpenDocument: the XML parts written with QXmlStreamWriter, packed by libzip.

const QString kOffice = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString kStyle = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:style:1.0");
const QString kText = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString kTable = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString kFo = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0");
const QString kNumber = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0");
const QString kConfig = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:config:1.0");
const QString kManifest = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:manifest:1.0");
const QString kMimeType = QStringLiteral("application/vnd.oasis.opendocument.spreadsheet");

// The names written in every cell, made once.
struct OdsNames
{
    const QString row = QStringLiteral("table:table-row");
    const QString cell = QStringLiteral("table:table-cell");
    const QString valueType = QStringLiteral("office:value-type");
    const QString string = QStringLiteral("string");
    const QString p = QStringLiteral("text:p");
    const QString s = QStringLiteral("text:s");
    const QString c = QStringLiteral("text:c");
    const QString tab = QStringLiteral("text:tab");
};

// "1.234,56 €": what the cell of a value shows.
QString euroText(qint64 cents)
{
    const qint64 units = (cents < 0 ? -cents : cents) / 100;
    QString digits = QString::number(units);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char('.'));
    return (cents < 0 ? QStringLiteral("-") : QString()) + digits + QLatin1Char(',')
        + QStringLiteral("%1").arg((cents < 0 ? -cents : cents) % 100, 2, 10, QLatin1Char('0'))
        + QStringLiteral(" \u20AC");
}

// "1234.56": the value as OpenDocument stores it.
QString decimalText(qint64 cents)
{
    const qint64 magnitude = cents < 0 ? -cents : cents;
    return (cents < 0 ? QStringLiteral("-") : QString()) + QString::number(magnitude / 100) + QLatin1Char('.')
        + QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

// Pixels at 96 to the inch, in inches.
QString inches(int pixels) { return QString::number(double(pixels) / 96.0, 'f', 4) + QStringLiteral("in"); }

class OdsSink final : public RowSink
{
public:
    // The content goes to a temporary file as it is written, so that a
    // large catalog never has its whole content in memory.
    explicit OdsSink(const QString& path) : m_path(path)
    {
        if (!m_content.open())
            throw Failure(lcOutput, writeFailed(path, m_content.errorString()));
        m_xml.setDevice(&m_content);
        begin();
    }

    void beginRow() override
    {
        m_xml.writeStartElement(m_names.row);
        m_column = 0;
        ++m_rows;
    }
    void cell(const char* bytes, qsizetype size) override { cellText(textOf(bytes, size)); }
    void cell(const QString& text) override { cellText(trimmed(text)); }
    void endRow() override { m_xml.writeEndElement(); }

    // The end of the table and its autofilter, then the whole package.
    void finish(const QString& path)
    {
        m_xml.writeEndElement(); // table:table
        m_xml.writeStartElement(QStringLiteral("table:database-ranges"));
        m_xml.writeEmptyElement(QStringLiteral("table:database-range"));
        m_xml.writeAttribute(QStringLiteral("table:name"), QStringLiteral("__Anonymous_Sheet_DB__0"));
        const QString sheet = QStringLiteral("'%1'").arg(QString::fromUtf8(kSheetName));
        m_xml.writeAttribute(QStringLiteral("table:target-range-address"),
                             QStringLiteral("%1.A1:%1.P%2").arg(sheet).arg(m_rows + 1));
        m_xml.writeAttribute(QStringLiteral("table:display-filter-buttons"), QStringLiteral("true"));
        m_xml.writeEndElement(); // table:database-ranges
        m_xml.writeEndDocument();
        if (m_xml.hasError() || !m_content.flush())
            throw Failure(lcOutput, writeFailed(m_path, m_content.errorString()));
        pack(path,
             {{QByteArrayLiteral("mimetype"), kMimeType.toUtf8(), nullptr},
              {QByteArrayLiteral("META-INF/manifest.xml"), manifest(), nullptr},
              {QByteArrayLiteral("settings.xml"), settings(), nullptr},
              {QByteArrayLiteral("content.xml"), QByteArray(), &m_content}});
    }

private:
    void begin()
    {
        QXmlStreamWriter& x = m_xml;
        x.writeStartDocument();
        x.writeStartElement(QStringLiteral("office:document-content"));
        x.writeAttribute(QStringLiteral("xmlns:office"), kOffice);
        x.writeAttribute(QStringLiteral("xmlns:style"), kStyle);
        x.writeAttribute(QStringLiteral("xmlns:text"), kText);
        x.writeAttribute(QStringLiteral("xmlns:table"), kTable);
        x.writeAttribute(QStringLiteral("xmlns:fo"), kFo);
        x.writeAttribute(QStringLiteral("xmlns:number"), kNumber);
        x.writeAttribute(QStringLiteral("office:version"), QStringLiteral("1.2"));

        x.writeStartElement(QStringLiteral("office:automatic-styles"));
        // The euro with two decimals and the thousands grouped: "1.234,56 €".
        x.writeStartElement(QStringLiteral("number:currency-style"));
        x.writeAttribute(QStringLiteral("style:name"), QStringLiteral("NEuro"));
        x.writeEmptyElement(QStringLiteral("number:number"));
        x.writeAttribute(QStringLiteral("number:decimal-places"), QStringLiteral("2"));
        x.writeAttribute(QStringLiteral("number:min-integer-digits"), QStringLiteral("1"));
        x.writeAttribute(QStringLiteral("number:grouping"), QStringLiteral("true"));
        x.writeTextElement(QStringLiteral("number:text"), QStringLiteral(" "));
        x.writeStartElement(QStringLiteral("number:currency-symbol"));
        x.writeAttribute(QStringLiteral("number:language"), QStringLiteral("it"));
        x.writeAttribute(QStringLiteral("number:country"), QStringLiteral("IT"));
        x.writeCharacters(QStringLiteral("\u20AC"));
        x.writeEndElement();
        x.writeEndElement(); // number:currency-style
        for (int c = 0; c < kSpreadsheetColumns; ++c) {
            x.writeStartElement(QStringLiteral("style:style"));
            x.writeAttribute(QStringLiteral("style:name"), QStringLiteral("co%1").arg(c + 1));
            x.writeAttribute(QStringLiteral("style:family"), QStringLiteral("table-column"));
            x.writeEmptyElement(QStringLiteral("style:table-column-properties"));
            x.writeAttribute(QStringLiteral("style:column-width"), inches(exportHeading(c).width));
            x.writeEndElement();
        }
        x.writeStartElement(QStringLiteral("style:style"));
        x.writeAttribute(QStringLiteral("style:name"), QStringLiteral("ceHeading"));
        x.writeAttribute(QStringLiteral("style:family"), QStringLiteral("table-cell"));
        x.writeEmptyElement(QStringLiteral("style:text-properties"));
        x.writeAttribute(QStringLiteral("fo:font-weight"), QStringLiteral("bold"));
        x.writeAttribute(QStringLiteral("style:font-weight-asian"), QStringLiteral("bold"));
        x.writeAttribute(QStringLiteral("style:font-weight-complex"), QStringLiteral("bold"));
        x.writeEndElement();
        x.writeEmptyElement(QStringLiteral("style:style"));
        x.writeAttribute(QStringLiteral("style:name"), QStringLiteral("ceValue"));
        x.writeAttribute(QStringLiteral("style:family"), QStringLiteral("table-cell"));
        x.writeAttribute(QStringLiteral("style:data-style-name"), QStringLiteral("NEuro"));
        x.writeEndElement(); // office:automatic-styles

        x.writeStartElement(QStringLiteral("office:body"));
        x.writeStartElement(QStringLiteral("office:spreadsheet"));
        x.writeStartElement(QStringLiteral("table:table"));
        x.writeAttribute(QStringLiteral("table:name"), QString::fromUtf8(kSheetName));
        for (int c = 0; c < kSpreadsheetColumns; ++c) {
            x.writeEmptyElement(QStringLiteral("table:table-column"));
            x.writeAttribute(QStringLiteral("table:style-name"), QStringLiteral("co%1").arg(c + 1));
        }
        x.writeStartElement(m_names.row);
        for (int c = 0; c < kSpreadsheetColumns; ++c) {
            x.writeStartElement(m_names.cell);
            x.writeAttribute(QStringLiteral("table:style-name"), QStringLiteral("ceHeading"));
            x.writeAttribute(m_names.valueType, m_names.string);
            x.writeTextElement(m_names.p, QString::fromUtf8(exportHeading(c).text));
            x.writeEndElement();
        }
        x.writeEndElement();
    }

    void cellText(const QString& t)
    {
        const int column = m_column++;
        if (t.isEmpty()) {
            m_xml.writeEmptyElement(m_names.cell);
            return;
        }
        if (column == kValueColumn) {
            if (const std::optional<qint64> cents = priceCents(t)) {
                m_xml.writeStartElement(m_names.cell);
                m_xml.writeAttribute(QStringLiteral("table:style-name"), QStringLiteral("ceValue"));
                m_xml.writeAttribute(m_names.valueType, QStringLiteral("currency"));
                m_xml.writeAttribute(QStringLiteral("office:currency"), QStringLiteral("EUR"));
                m_xml.writeAttribute(QStringLiteral("office:value"), decimalText(*cents));
                m_xml.writeTextElement(m_names.p, euroText(*cents));
                m_xml.writeEndElement();
                return;
            }
        }
        m_xml.writeStartElement(m_names.cell);
        m_xml.writeAttribute(m_names.valueType, m_names.string);
        m_xml.writeStartElement(m_names.p);
        paragraph(t);
        m_xml.writeEndElement();
        m_xml.writeEndElement();
    }

    // The text of a cell's open paragraph keeps its blanks and tabs only as
    // elements (the reader collapses white space in plain characters); a
    // line break starts the next paragraph.
    void paragraph(const QString& t)
    {
        const qsizetype n = t.size();
        qsizetype run = 0; // start of the characters not yet written
        auto flush = [&](qsizetype end) {
            if (end > run)
                m_xml.writeCharacters(t.mid(run, end - run));
        };
        for (qsizetype i = 0; i < n; ++i) {
            const QChar ch = t[i];
            if (ch == u' ') {
                qsizetype j = i + 1;
                while (j < n && t[j] == u' ')
                    ++j;
                if (j - i == 1)
                    continue; // one blank between words stays a character
                flush(i + 1);
                m_xml.writeEmptyElement(m_names.s);
                if (j - i > 2)
                    m_xml.writeAttribute(m_names.c, QString::number(j - i - 1));
                run = j;
                i = j - 1;
            } else if (ch == u'\t' || ch == u'\n' || ch == u'\r' || unfitForXml(ch)) {
                flush(i);
                if (ch == u'\t') {
                    m_xml.writeEmptyElement(m_names.tab);
                } else if (ch == u'\n' || ch == u'\r') {
                    // Each line its own paragraph, as office suites keep them.
                    m_xml.writeEndElement();
                    m_xml.writeStartElement(m_names.p);
                }
                // A line break written as CR LF is one break.
                if (ch == u'\r' && i + 1 < n && t[i + 1] == u'\n')
                    ++i;
                run = i + 1;
            }
        }
        flush(n);
    }

    static QByteArray manifest()
    {
        QByteArray bytes;
        QXmlStreamWriter x(&bytes);
        x.writeStartDocument();
        x.writeStartElement(QStringLiteral("manifest:manifest"));
        x.writeAttribute(QStringLiteral("xmlns:manifest"), kManifest);
        x.writeAttribute(QStringLiteral("manifest:version"), QStringLiteral("1.2"));
        const auto entry = [&](const QString& path, const QString& type) {
            x.writeEmptyElement(QStringLiteral("manifest:file-entry"));
            x.writeAttribute(QStringLiteral("manifest:full-path"), path);
            if (path == u'/')
                x.writeAttribute(QStringLiteral("manifest:version"), QStringLiteral("1.2"));
            x.writeAttribute(QStringLiteral("manifest:media-type"), type);
        };
        entry(QStringLiteral("/"), kMimeType);
        entry(QStringLiteral("content.xml"), QStringLiteral("text/xml"));
        entry(QStringLiteral("settings.xml"), QStringLiteral("text/xml"));
        x.writeEndDocument();
        return bytes;
    }

    // The view: the heading row frozen above the scrolling rows.
    static QByteArray settings()
    {
        QByteArray bytes;
        QXmlStreamWriter x(&bytes);
        const auto item = [&](const QString& name, const QString& type, const QString& value) {
            x.writeStartElement(QStringLiteral("config:config-item"));
            x.writeAttribute(QStringLiteral("config:name"), name);
            x.writeAttribute(QStringLiteral("config:type"), type);
            x.writeCharacters(value);
            x.writeEndElement();
        };
        const QString shortType = QStringLiteral("short");
        const QString intType = QStringLiteral("int");
        x.writeStartDocument();
        x.writeStartElement(QStringLiteral("office:document-settings"));
        x.writeAttribute(QStringLiteral("xmlns:office"), kOffice);
        x.writeAttribute(QStringLiteral("xmlns:config"), kConfig);
        x.writeAttribute(QStringLiteral("office:version"), QStringLiteral("1.2"));
        x.writeStartElement(QStringLiteral("office:settings"));
        x.writeStartElement(QStringLiteral("config:config-item-set"));
        x.writeAttribute(QStringLiteral("config:name"), QStringLiteral("ooo:view-settings"));
        x.writeStartElement(QStringLiteral("config:config-item-map-indexed"));
        x.writeAttribute(QStringLiteral("config:name"), QStringLiteral("Views"));
        x.writeStartElement(QStringLiteral("config:config-item-map-entry"));
        item(QStringLiteral("ViewId"), QStringLiteral("string"), QStringLiteral("view1"));
        x.writeStartElement(QStringLiteral("config:config-item-map-named"));
        x.writeAttribute(QStringLiteral("config:name"), QStringLiteral("Tables"));
        x.writeStartElement(QStringLiteral("config:config-item-map-entry"));
        x.writeAttribute(QStringLiteral("config:name"), QString::fromUtf8(kSheetName));
        item(QStringLiteral("HorizontalSplitMode"), shortType, QStringLiteral("0"));
        item(QStringLiteral("VerticalSplitMode"), shortType, QStringLiteral("2"));
        item(QStringLiteral("HorizontalSplitPosition"), intType, QStringLiteral("0"));
        item(QStringLiteral("VerticalSplitPosition"), intType, QStringLiteral("1"));
        item(QStringLiteral("ActiveSplitRange"), shortType, QStringLiteral("2"));
        item(QStringLiteral("PositionLeft"), intType, QStringLiteral("0"));
        item(QStringLiteral("PositionRight"), intType, QStringLiteral("0"));
        item(QStringLiteral("PositionTop"), intType, QStringLiteral("0"));
        item(QStringLiteral("PositionBottom"), intType, QStringLiteral("1"));
        x.writeEndElement(); // the sheet's entry
        x.writeEndElement(); // Tables
        item(QStringLiteral("ActiveTable"), QStringLiteral("string"), QString::fromUtf8(kSheetName));
        x.writeEndElement(); // the view's entry
        x.writeEndDocument();
        return bytes;
    }

    struct Entry
    {
        QByteArray name;
        QByteArray data;
        QIODevice* device; // read from here instead, when given
    };

    // Hands libzip a device's bytes as it asks for them.
    static zip_int64_t readDevice(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command)
    {
        auto* device = static_cast<QIODevice*>(state);
        switch (command) {
        case ZIP_SOURCE_OPEN:
            return device->seek(0) ? 0 : -1;
        case ZIP_SOURCE_READ:
            return device->read(static_cast<char*>(data), qint64(std::min<zip_uint64_t>(length, 1 << 30)));
        case ZIP_SOURCE_CLOSE:
        case ZIP_SOURCE_FREE:
            return 0;
        case ZIP_SOURCE_STAT: {
            auto* st = static_cast<zip_stat_t*>(data);
            zip_stat_init(st);
            st->size = zip_uint64_t(device->size());
            st->valid |= ZIP_STAT_SIZE;
            return sizeof(zip_stat_t);
        }
        case ZIP_SOURCE_ERROR: {
            int* codes = static_cast<int*>(data);
            codes[0] = ZIP_ER_READ;
            codes[1] = 0;
            return 2 * sizeof(int);
        }
        case ZIP_SOURCE_SUPPORTS:
            return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                                  ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
        default:
            return -1;
        }
    }

    // The package: "mimetype" first and stored as it is, so that it can be
    // recognised by its first bytes; the rest compressed.
    static void pack(const QString& path, const std::vector<Entry>& entries)
    {
#ifdef Q_OS_WIN
        const QByteArray name = QDir::toNativeSeparators(path).toUtf8(); // libzip takes UTF-8 there
#else
        const QByteArray name = QFile::encodeName(path);
#endif
        int code = 0;
        zip_t* zip = zip_open(name.constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
        if (!zip) {
            zip_error_t error;
            zip_error_init_with_code(&error, code);
            const QString why = QString::fromLocal8Bit(zip_error_strerror(&error));
            zip_error_fini(&error);
            throw Failure(lcOutput, writeFailed(path, why));
        }
        const auto fail = [&] {
            const QString why = QString::fromLocal8Bit(zip_strerror(zip));
            zip_discard(zip);
            throw Failure(lcOutput, writeFailed(path, why));
        };
        bool first = true;
        for (const Entry& e : entries) {
            zip_source_t* source = e.device
                ? zip_source_function(zip, readDevice, e.device)
                : zip_source_buffer(zip, e.data.constData(), zip_uint64_t(e.data.size()), 0);
            if (!source)
                fail();
            const zip_int64_t index = zip_file_add(zip, e.name.constData(), source, ZIP_FL_ENC_UTF_8);
            if (index < 0) {
                zip_source_free(source);
                fail();
            }
            const bool stored = first;
            if (zip_set_file_compression(zip, zip_uint64_t(index), stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE,
                                         stored ? 0 : 1)
                != 0)
                fail();
            first = false;
        }
        if (zip_close(zip) != 0)
            fail();
    }

    QString m_path;
    QTemporaryFile m_content;
    QXmlStreamWriter m_xml;
    const OdsNames m_names;
    int m_column = 0;
    int m_rows = 0;
};

} // namespace

QString workbookFileName(WorkbookFormat format)
{
    return format == WorkbookFormat::OpenDocument ? QStringLiteral("Inventario_Opere.ods")
                                                  : QStringLiteral("Inventario_Opere.xlsx");
}

QString workbookSheetName() { return QString::fromUtf8(kSheetName); }

bool writeWorkbook(const QString& path, WorkbookFormat format, const std::function<bool(RowSink&)>& writeRows)
{
    return writeExportFile(path, [&](const QString& written) {
        if (format == WorkbookFormat::OpenDocument) {
            OdsSink sink(path);
            if (!writeRows(sink))
                return false;
            sink.finish(written);
        } else {
            XlsxSink sink(written);
            if (!writeRows(sink))
                return false;
            sink.finish();
        }
        return true;
    });
}

} // namespace pinakos
