#include "store/ImportFiles.h"

#include "base/Failure.h"
#include "base/Log.h"
#include "store/Codec1252.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QIODevice>
#include <QTime>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>
#include <zip.h>

namespace pinakos {

namespace {

// The widest sheet either kind of workbook can have; cells beyond are dropped.
constexpr int kMaxColumns = 16384;

const QString kOfficeNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString kTableNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString kTextNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString kCalcExtNs = QStringLiteral("urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0");

constexpr char kOdsMime[] = "application/vnd.oasis.opendocument.spreadsheet";

// ---- messages

[[noreturn]] void fail(const QString& message) { throw Failure(lcStore, message); }

[[noreturn]] void failDamaged()
{
    fail(QStringLiteral("Attenzione: il file è danneggiato e non può essere letto come foglio di calcolo."));
}

[[noreturn]] void failTooLarge()
{
    fail(QStringLiteral("Attenzione: il foglio di calcolo è troppo grande per essere importato."));
}

[[noreturn]] void failNoSheet()
{
    fail(QStringLiteral(
        "Attenzione: il file compresso non contiene un foglio di calcolo OpenDocument (.ods) o Excel (.xlsx)."));
}

[[noreturn]] void failXml(const QString& entry, const QXmlStreamReader& xml, const QString& why = {})
{
    fail(QStringLiteral("Attenzione: il foglio di calcolo è danneggiato (%1, riga %2: %3).")
             .arg(entry)
             .arg(xml.lineNumber())
             .arg(why.isEmpty() ? xml.errorString() : why));
}

// ---- the table, row by row

// Gathers one row's cells by column, in any order, and writes finished rows
// to the table: the gaps before a filled cell as empty cells, nothing after
// the last filled one, a row of blank cells not at all.
class TableBuilder
{
public:
    explicit TableBuilder(const TableLimits& limits) : m_limits(limits) {}

    // The text in `count` cells from `column` on.
    void put(qint64 column, QStringView text, qint64 count = 1)
    {
        if (text.isEmpty() || column < 0 || column >= kMaxColumns || count <= 0)
            return;
        count = std::min(count, kMaxColumns - column);
        const qsizetype start = m_text.size();
        m_text.append(text);
        for (qint64 i = 0; i < count; ++i) {
            const int c = int(column + i);
            if (!m_row.empty() && c <= m_row.back().column)
                m_sorted = false;
            m_row.push_back({c, start, text.size()});
        }
    }

    // Ends the row, written `repeat` times.
    void endRow(qint64 repeat = 1)
    {
        if (!m_row.empty() && repeat > 0)
            write(repeat);
        m_row.clear();
        m_text.truncate(0); // keeps its room for the next row
        m_sorted = true;
    }

    CsvTable take()
    {
        endRow();
        return std::move(m_table);
    }

private:
    struct Cell
    {
        int column;
        qsizetype start;
        qsizetype length;
    };

    void write(qint64 repeat)
    {
        if (!m_sorted) {
            std::stable_sort(m_row.begin(), m_row.end(),
                             [](const Cell& a, const Cell& b) { return a.column < b.column; });
            // A cell given twice keeps its first text.
            m_row.erase(std::unique(m_row.begin(), m_row.end(),
                                    [](const Cell& a, const Cell& b) { return a.column == b.column; }),
                        m_row.end());
        }
        const QStringView text(m_text);
        qint64 characters = 0;
        bool blank = true;
        for (const Cell& c : m_row) {
            characters += c.length;
            const QStringView s = text.mid(c.start, c.length);
            blank = blank && std::all_of(s.begin(), s.end(), [](QChar ch) { return ch.unicode() <= 32; });
        }
        if (blank)
            return;
        const qint64 width = m_row.back().column + 1;
        if (repeat > (m_limits.cells - m_cells) / width
            || (characters && repeat > (m_limits.characters - m_characters) / characters))
            failTooLarge();
        m_cells += width * repeat;
        m_characters += characters * repeat;
        for (qint64 r = 0; r < repeat; ++r) {
            size_t next = 0;
            for (int column = 0; column < width; ++column) {
                if (m_row[next].column == column) {
                    m_table.appendCell(text.mid(m_row[next].start, m_row[next].length));
                    ++next;
                } else {
                    m_table.appendCell({});
                }
            }
            m_table.endRow();
        }
    }

    const TableLimits& m_limits;
    CsvTable m_table;
    QString m_text;
    std::vector<Cell> m_row;
    bool m_sorted = true;
    qint64 m_cells = 0;
    qint64 m_characters = 0;
};

// ---- numbers

bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// A number as the price rule reads it: digits, optionally "," and digits, optionally a sign.
bool isPlainNumber(QStringView s)
{
    if (s.startsWith(u'-'))
        s = s.mid(1);
    const qsizetype comma = s.indexOf(u',');
    const QStringView whole = comma < 0 ? s : s.left(comma);
    const QStringView fraction = comma < 0 ? QStringView() : s.mid(comma + 1);
    return !whole.isEmpty() && std::all_of(whole.begin(), whole.end(), isAsciiDigit)
        && (comma < 0 || (!fraction.isEmpty() && std::all_of(fraction.begin(), fraction.end(), isAsciiDigit)));
}

bool parseNumber(QStringView value, double* out)
{
    const QStringView v = value.trimmed();
    if (v.isEmpty())
        return false;
    // Only what a workbook writes: no "inf", "nan", hexadecimal or blanks inside.
    for (QChar c : v)
        if (!isAsciiDigit(c) && c != u'.' && c != u'-' && c != u'+' && c != u'e' && c != u'E')
            return false;
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return false;
    *out = d;
    return true;
}

QString numberText(double d)
{
    if (d == 0)
        return QStringLiteral("0");
    if (std::fabs(d) < 1e15 && d == std::trunc(d))
        return QString::number(qint64(d));
    QString s = QString::number(d, 'g', 15);
    s.replace(u'.', u',');
    return s;
}

// ODS: the text a number cell shows, when the price rule reads it as the
// same number as the cell's value ("1234,50" for 1234.5, "04128" for 4128);
// otherwise (thousands separators, a currency, fewer decimals than the
// value has) the value itself.
QString odsNumberText(QStringView value, QStringView shown)
{
    double v = 0;
    if (!parseNumber(value, &v))
        return shown.toString();
    const QStringView s = shown.trimmed();
    if (isPlainNumber(s)) {
        QString dotted = s.toString();
        dotted.replace(u',', u'.');
        double d = 0;
        if (parseNumber(dotted, &d) && d == v)
            return s.toString();
    }
    return numberText(v);
}

// OOXML strings keep characters XML cannot hold as "_xHHHH_" ("_x000D_" for
// a carriage return), and a literal "_x" as "_x005F_x".
QString decodeXString(QString s)
{
    qsizetype at = s.indexOf(QLatin1StringView("_x"));
    if (at < 0)
        return s;
    QString out;
    out.reserve(s.size());
    qsizetype from = 0;
    while (at >= 0) {
        bool ok = at + 7 <= s.size() && s[at + 6] == u'_';
        ushort code = 0;
        if (ok)
            code = QStringView(s).mid(at + 2, 4).toUShort(&ok, 16);
        if (ok && std::all_of(s.begin() + at + 2, s.begin() + at + 6, [](QChar c) { return c.isLetterOrNumber(); })) {
            out += QStringView(s).mid(from, at - from);
            out += QChar(code);
            from = at + 7;
            at = s.indexOf(QLatin1StringView("_x"), from);
        } else {
            at = s.indexOf(QLatin1StringView("_x"), at + 1);
        }
    }
    out += QStringView(s).mid(from);
    return out;
}

// ---- ZIP entries

class Zip;

// One entry of the archive, read as it is inflated; the budget of
// uncompressed bytes shrinks as it goes.
class ZipEntryDevice final : public QIODevice
{
public:
    enum class Fault { None, Damaged, TooLarge, Locked };

    ZipEntryDevice(zip_file_t* file, qint64& budget) : m_file(file), m_budget(budget)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    ~ZipEntryDevice() override
    {
        if (m_file)
            zip_fclose(m_file);
    }

    bool isSequential() const override { return true; }
    Fault fault() const { return m_fault; }

    // Reads what is left, so that the check of the entry's CRC runs, and
    // closes the entry; the fault, if any, throws.
    void finish()
    {
        char buffer[16384];
        while (!m_end && m_fault == Fault::None)
            readData(buffer, sizeof buffer);
        // Closed whatever happened; its result counts only when nothing failed before.
        const int closed = zip_fclose(m_file);
        m_file = nullptr;
        if (m_fault == Fault::None && closed != 0)
            m_fault = Fault::Damaged;
        throwFault();
    }

    void throwFault() const
    {
        switch (m_fault) {
        case Fault::None:
            return;
        case Fault::TooLarge:
            failTooLarge();
        case Fault::Locked:
        case Fault::Damaged:
            break;
        }
        failDamaged();
    }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        if (m_end || m_fault != Fault::None || maxSize <= 0)
            return -1;
        const zip_int64_t n = zip_fread(m_file, data, zip_uint64_t(maxSize));
        if (n < 0) {
            m_fault = Fault::Damaged;
            return -1;
        }
        if (n == 0) {
            m_end = true;
            return -1;
        }
        m_budget -= n;
        if (m_budget < 0) {
            m_fault = Fault::TooLarge;
            return -1;
        }
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    zip_file_t* m_file;
    qint64& m_budget;
    Fault m_fault = Fault::None;
    bool m_end = false;
};

class Zip
{
public:
    Zip(QByteArrayView bytes, qint64 budget) : m_budget(budget)
    {
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* source = zip_source_buffer_create(bytes.data(), zip_uint64_t(bytes.size()), 0, &error);
        if (source)
            m_zip = zip_open_from_source(source, ZIP_RDONLY, &error);
        if (source && !m_zip)
            zip_source_free(source);
        zip_error_fini(&error);
        if (!m_zip)
            failDamaged();
    }
    ~Zip() { zip_discard(m_zip); }
    Zip(const Zip&) = delete;
    Zip& operator=(const Zip&) = delete;

    // The entry's index, -1 when there is none of that name (in any case).
    zip_int64_t find(const QString& name) const
    {
        const QByteArray n = name.toUtf8();
        const zip_int64_t i = zip_name_locate(m_zip, n.constData(), 0);
        return i >= 0 ? i : zip_name_locate(m_zip, n.constData(), ZIP_FL_NOCASE);
    }
    bool has(const QString& name) const { return find(name) >= 0; }

    std::unique_ptr<ZipEntryDevice> open(zip_int64_t index)
    {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(m_zip, zip_uint64_t(index), 0, &st) != 0)
            failDamaged();
        // A size over the budget stops before anything is inflated.
        if ((st.valid & ZIP_STAT_SIZE) && st.size > zip_uint64_t(std::max<qint64>(m_budget, 0)))
            failTooLarge();
        zip_file_t* f = zip_fopen_index(m_zip, zip_uint64_t(index), 0);
        if (!f) {
            const int code = zip_error_code_zip(zip_get_error(m_zip));
            if (code == ZIP_ER_NOPASSWD || code == ZIP_ER_ENCRNOTSUPP || code == ZIP_ER_WRONGPASSWD)
                fail(QStringLiteral("Attenzione: il foglio di calcolo è protetto da password e non può essere letto."));
            failDamaged();
        }
        return std::make_unique<ZipEntryDevice>(f, m_budget);
    }

    // The first bytes of an entry, at most `size`.
    QByteArray head(zip_int64_t index, qsizetype size)
    {
        auto device = open(index);
        QByteArray out(size, Qt::Uninitialized);
        qsizetype got = 0;
        while (got < size) {
            const qint64 n = device->read(out.data() + got, size - got);
            if (n <= 0)
                break;
            got += n;
        }
        device->throwFault();
        out.truncate(got);
        return out;
    }

private:
    zip_t* m_zip = nullptr;
    qint64 m_budget;
};

// An XML entry read as a stream: the reader over the inflating entry, and
// the checks that end it.
class XmlEntry
{
public:
    XmlEntry(Zip& zip, zip_int64_t index, QString name) : m_device(zip.open(index)), m_name(std::move(name))
    {
        xml.setDevice(m_device.get());
    }
    // Flat XML in memory.
    XmlEntry(QByteArrayView bytes, QString name) : m_name(std::move(name))
    {
        xml.addData(QByteArray::fromRawData(bytes.data(), bytes.size()));
    }

    QXmlStreamReader xml;

    // The next token; broken XML or a damaged entry throws. A document type
    // declaration is refused: no workbook has one, and its entities are a
    // way to make a small file expand.
    QXmlStreamReader::TokenType next()
    {
        const auto t = xml.readNext();
        if (t == QXmlStreamReader::DTD)
            failXml(m_name, xml, QStringLiteral("dichiarazione del tipo di documento non ammessa"));
        if (t == QXmlStreamReader::Invalid)
            fault();
        return t;
    }
    bool atEnd() const { return xml.atEnd(); }

    // Skips the element just started, with all it holds.
    void skip() { walk(nullptr); }

    // The text of the element just started, its children's included.
    QString text()
    {
        QString out;
        walk(&out);
        return out;
    }

    // Ends the reading: the rest of the entry is checked.
    void finish()
    {
        if (m_device)
            m_device->finish();
    }

    [[noreturn]] void fault()
    {
        if (m_device)
            m_device->throwFault();
        if (xml.hasError())
            failXml(m_name, xml);
        failDamaged();
    }

private:
    // Reads to the end of the element just started, adding its text and its
    // children's to `out` when given.
    void walk(QString* out)
    {
        for (int depth = 1; depth > 0;) {
            const auto t = next();
            if (t == QXmlStreamReader::StartElement)
                ++depth;
            else if (t == QXmlStreamReader::EndElement)
                --depth;
            else if (t == QXmlStreamReader::Characters && out)
                *out += xml.text();
            else if (t == QXmlStreamReader::EndDocument)
                fault();
        }
    }

    std::unique_ptr<ZipEntryDevice> m_device;
    QString m_name;
};

bool isStart(const QXmlStreamReader& xml, QStringView name)
{
    return xml.tokenType() == QXmlStreamReader::StartElement && xml.name() == name;
}

// ---- Excel workbooks

struct Relationship
{
    QString type;
    QString target;
};

// The folder part of an entry's name, with its slash ("xl/" for "xl/workbook.xml").
QString folderOf(const QString& entry)
{
    const qsizetype slash = entry.lastIndexOf(u'/');
    return slash < 0 ? QString() : entry.left(slash + 1);
}

// A relationship's target as an entry name: absolute ("/xl/...") or
// relative to the folder of the part it belongs to, "." and ".." resolved.
QString resolveTarget(const QString& folder, const QString& target)
{
    const QString joined = target.startsWith(u'/') ? target.mid(1) : folder + target;
    QStringList parts;
    for (const QString& p : joined.split(u'/', Qt::SkipEmptyParts)) {
        if (p == u"..") {
            if (!parts.isEmpty())
                parts.removeLast();
        } else if (p != u".") {
            parts.append(p);
        }
    }
    return parts.join(u'/');
}

// The relationships of a part ("xl/workbook.xml" → "xl/_rels/workbook.xml.rels") by id.
QHash<QString, Relationship> relationshipsOf(Zip& zip, const QString& part)
{
    QHash<QString, Relationship> out;
    const QString name =
        folderOf(part) + QStringLiteral("_rels/") + part.mid(part.lastIndexOf(u'/') + 1) + QStringLiteral(".rels");
    const zip_int64_t index = zip.find(name);
    if (index < 0)
        return out;
    XmlEntry e(zip, index, name);
    while (e.next() != QXmlStreamReader::EndDocument) {
        if (isStart(e.xml, u"Relationship")) {
            const QXmlStreamAttributes a = e.xml.attributes();
            if (a.value(QLatin1StringView("TargetMode")) == u"External")
                continue;
            out.insert(
                a.value(QLatin1StringView("Id")).toString(),
                {a.value(QLatin1StringView("Type")).toString(), a.value(QLatin1StringView("Target")).toString()});
        }
    }
    e.finish();
    return out;
}

bool typeIs(const Relationship& r, QStringView kind) { return r.type.endsWith(u'/' + kind.toString()); }

// The shared strings, one text with each string's place in it.
class SharedStrings
{
public:
    QStringView at(qint64 i) const
    {
        if (i < 0 || i >= qint64(m_spans.size()))
            return {};
        return QStringView(m_text).mid(m_spans[size_t(i)].first, m_spans[size_t(i)].second);
    }

    void read(XmlEntry& e, const TableLimits& limits)
    {
        while (e.next() != QXmlStreamReader::EndDocument) {
            if (!isStart(e.xml, u"si"))
                continue;
            const qsizetype start = m_text.size();
            readRuns(e, m_text);
            const QString decoded = decodeXString(m_text.mid(start));
            m_text.truncate(start);
            m_text += decoded;
            if (m_text.size() > limits.characters)
                failTooLarge();
            m_spans.emplace_back(start, m_text.size() - start);
        }
        e.finish();
    }

    // The text of a string item (<si> or <is>): its <t> elements, those of
    // rich text runs included, without the phonetic readings.
    static void readRuns(XmlEntry& e, QString& out)
    {
        for (int depth = 1; depth > 0;) {
            const auto t = e.next();
            if (t == QXmlStreamReader::EndElement) {
                --depth;
            } else if (t == QXmlStreamReader::StartElement) {
                if (e.xml.name() == u"t")
                    out += e.text();
                else if (e.xml.name() == u"rPh" || e.xml.name() == u"phoneticPr")
                    e.skip();
                else
                    ++depth;
            } else if (t == QXmlStreamReader::EndDocument) {
                e.fault();
            }
        }
    }

private:
    QString m_text;
    std::vector<std::pair<qsizetype, qsizetype>> m_spans;
};

// The column of a cell reference ("C7" → 2), -1 when it is none.
int referenceColumn(QStringView r)
{
    int column = 0, letters = 0;
    qsizetype i = 0;
    for (; i < r.size() && letters < 4; ++i) {
        const char16_t c = r[i].unicode();
        if (c >= u'A' && c <= u'Z')
            column = column * 26 + (c - u'A' + 1);
        else if (c >= u'a' && c <= u'z')
            column = column * 26 + (c - u'a' + 1);
        else
            break;
        ++letters;
    }
    if (letters == 0 || letters > 3 || column > kMaxColumns || i == r.size() || !isAsciiDigit(r[i]))
        return -1;
    for (; i < r.size(); ++i)
        if (!isAsciiDigit(r[i]))
            return -1;
    return column - 1;
}

// How a number cell's style shows it: as a number, or as a date, a time or both.
struct DateShape
{
    bool date = false;
    bool time = false;
    bool seconds = false;
    int digits = 0; // a format of zeros only ("00000"): integers shown with at least this many digits
};

// The shape a number format gives: dates and times by their letters (d, m,
// y; h, m after h or before s, s), outside quoted text, escapes and
// brackets other than elapsed time ([h], [mm], [ss]).
DateShape shapeOfFormat(QStringView code)
{
    DateShape shape;
    if (code.size() > 1 && code.size() <= 30
        && std::all_of(code.begin(), code.end(), [](QChar c) { return c == u'0'; })) {
        shape.digits = int(code.size());
        return shape;
    }
    QChar last; // the last date or time letter
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i].toLower();
        if (c == u';')
            break; // the first section is the one for positive numbers
        if (c == u'"') {
            const qsizetype end = code.indexOf(u'"', i + 1);
            i = end < 0 ? code.size() : end;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++i;
        } else if (c == u'[') {
            const qsizetype end = code.indexOf(u']', i + 1);
            const QStringView inside = code.mid(i + 1, (end < 0 ? code.size() : end) - i - 1);
            if (!inside.isEmpty()
                && std::all_of(inside.begin(), inside.end(),
                               [&](QChar x) { return x.toLower() == inside[0].toLower(); })
                && QStringView(u"hms").contains(inside[0].toLower())) {
                shape.time = true;
                shape.seconds = shape.seconds || inside[0].toLower() == u's';
                last = inside[0].toLower();
            }
            i = end < 0 ? code.size() : end;
        } else if (c == u'd' || c == u'y') {
            shape.date = true;
            last = c;
        } else if (c == u'h') {
            shape.time = true;
            last = c;
        } else if (c == u's') {
            shape.time = shape.seconds = true;
            last = c;
        } else if (c == u'm') {
            // Minutes after hours or before seconds, otherwise the month.
            qsizetype j = i;
            while (j < code.size() && code[j].toLower() == u'm')
                ++j;
            qsizetype k = j;
            while (k < code.size() && !QStringView(u"dyhs").contains(code[k].toLower()))
                ++k;
            if (last == u'h' || (k < code.size() && code[k].toLower() == u's'))
                shape.time = true;
            else
                shape.date = true;
            last = c;
            i = j - 1;
        }
    }
    return shape;
}

// The shape of a built-in number format; none for the numeric ones.
DateShape shapeOfBuiltIn(int id)
{
    if ((id >= 14 && id <= 17) || (id >= 27 && id <= 36) || (id >= 50 && id <= 58))
        return {true, false, false};
    if (id == 18 || id == 20)
        return {false, true, false};
    if (id == 19 || id == 21 || (id >= 45 && id <= 47))
        return {false, true, true};
    if (id == 22)
        return {true, true, false};
    return {};
}

// The cell formats of a workbook's styles, by index.
std::vector<DateShape> readCellShapes(XmlEntry& e)
{
    QHash<int, DateShape> formats;
    std::vector<DateShape> shapes;
    bool inCellXfs = false;
    while (e.next() != QXmlStreamReader::EndDocument) {
        if (e.xml.tokenType() == QXmlStreamReader::EndElement) {
            if (e.xml.name() == u"cellXfs")
                inCellXfs = false;
            continue;
        }
        if (e.xml.tokenType() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = e.xml.attributes();
        if (e.xml.name() == u"numFmt") {
            formats.insert(a.value(QLatin1StringView("numFmtId")).toInt(),
                           shapeOfFormat(a.value(QLatin1StringView("formatCode"))));
        } else if (e.xml.name() == u"cellXfs") {
            inCellXfs = true;
        } else if (inCellXfs && e.xml.name() == u"xf") {
            const int id = a.value(QLatin1StringView("numFmtId")).toInt();
            shapes.push_back(formats.contains(id) ? formats.value(id) : shapeOfBuiltIn(id));
            e.skip();
        }
    }
    e.finish();
    return shapes;
}

// A date serial number as the cell shows it: "01/03/2020", "01/03/2020
// 14:30", "14:30:05"; the number itself when it is no date.
QString serialDateText(const QString& value, DateShape shape, bool date1904)
{
    double serial = 0;
    if (!parseNumber(value, &serial) || serial < 0 || serial >= 2958466)
        return spreadsheetNumberText(value);
    qint64 days = qint64(std::floor(serial));
    qint64 seconds = std::llround((serial - double(days)) * 86400);
    if (seconds >= 86400) {
        ++days;
        seconds -= 86400;
    }
    // The 1900 system counts a 29 February 1900 that never was.
    const QDate base = date1904 ? QDate(1904, 1, 1) : days < 60 ? QDate(1899, 12, 31) : QDate(1899, 12, 30);
    QString out;
    if (shape.date || !shape.time)
        out = base.addDays(days).toString(QStringLiteral("dd/MM/yyyy"));
    if (shape.time) {
        if (!out.isEmpty())
            out += u' ';
        out += QTime(0, 0)
                   .addSecs(int(seconds))
                   .toString(shape.seconds ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
    }
    return out;
}

struct WorksheetContext
{
    SharedStrings strings;
    std::vector<DateShape> shapes;
    bool date1904 = false;
};

void readWorksheet(XmlEntry& e, const WorksheetContext& book, TableBuilder& table)
{
    qint64 nextColumn = 0;
    while (e.next() != QXmlStreamReader::EndDocument) {
        const auto t = e.xml.tokenType();
        if (t == QXmlStreamReader::EndElement) {
            if (e.xml.name() == u"row") {
                table.endRow();
                nextColumn = 0;
            } else if (e.xml.name() == u"sheetData") {
                break;
            }
            continue;
        }
        if (t != QXmlStreamReader::StartElement)
            continue;
        if (e.xml.name() == u"row") {
            table.endRow();
            nextColumn = 0;
            continue;
        }
        if (e.xml.name() != u"c")
            continue;
        const QXmlStreamAttributes a = e.xml.attributes();
        const int ref = a.hasAttribute(QLatin1StringView("r")) ? referenceColumn(a.value(QLatin1StringView("r"))) : -1;
        const qint64 column = ref >= 0 ? ref : nextColumn;
        nextColumn = column + 1;
        const QStringView type = a.value(QLatin1StringView("t"));
        QString value, inlineText;
        bool hasInline = false;
        for (int depth = 1; depth > 0;) {
            const auto ct = e.next();
            if (ct == QXmlStreamReader::EndElement) {
                --depth;
            } else if (ct == QXmlStreamReader::StartElement) {
                if (e.xml.name() == u"v") {
                    value = e.text();
                } else if (e.xml.name() == u"is") {
                    hasInline = true;
                    SharedStrings::readRuns(e, inlineText);
                } else {
                    e.skip(); // the formula, extensions
                }
            } else if (ct == QXmlStreamReader::EndDocument) {
                e.fault();
            }
        }
        QString text;
        if (type == u"s") {
            bool ok = false;
            const qint64 i = value.trimmed().toLongLong(&ok);
            if (ok)
                text = book.strings.at(i).toString();
        } else if (type == u"inlineStr" || hasInline) {
            text = decodeXString(inlineText);
        } else if (type == u"str") {
            text = decodeXString(value);
        } else if (type == u"b") {
            text = value.trimmed() == u"1" ? QStringLiteral("true")
                : value.trimmed() == u"0"  ? QStringLiteral("false")
                                           : value;
        } else if (type == u"e" || type == u"d") {
            text = value;
        } else {
            bool ok = false;
            const qsizetype style = a.value(QLatin1StringView("s")).toLongLong(&ok);
            const DateShape shape =
                ok && style >= 0 && size_t(style) < book.shapes.size() ? book.shapes[size_t(style)] : DateShape();
            text =
                shape.date || shape.time ? serialDateText(value, shape, book.date1904) : spreadsheetNumberText(value);
            // Codes kept as numbers, with the leading zeros their format shows.
            if (shape.digits && !text.isEmpty() && std::all_of(text.begin(), text.end(), isAsciiDigit))
                text = text.rightJustified(shape.digits, u'0');
        }
        table.put(column, text);
    }
    e.finish();
}

CsvTable readXlsxZip(Zip& zip, const TableLimits& limits)
{
    // The workbook: where the package's relationships say, or in its usual place.
    QString workbook = QStringLiteral("xl/workbook.xml");
    for (const Relationship& r : relationshipsOf(zip, QString()))
        if (typeIs(r, u"officeDocument") && zip.has(resolveTarget({}, r.target)))
            workbook = resolveTarget({}, r.target);
    const zip_int64_t workbookIndex = zip.find(workbook);
    if (workbookIndex < 0)
        failNoSheet();

    // Its sheets in order, the first shown worksheet first.
    const QHash<QString, Relationship> rels = relationshipsOf(zip, workbook);
    QString sheet, hiddenSheet;
    WorksheetContext book;
    {
        XmlEntry e(zip, workbookIndex, workbook);
        while (e.next() != QXmlStreamReader::EndDocument) {
            if (isStart(e.xml, u"workbookPr")) {
                const QStringView d = e.xml.attributes().value(QLatin1StringView("date1904"));
                book.date1904 = d == u"1" || d == u"true";
            }
            if (!isStart(e.xml, u"sheet"))
                continue;
            const QXmlStreamAttributes a = e.xml.attributes();
            QString id;
            for (const QXmlStreamAttribute& attr : a)
                if (attr.name() == u"id" && !attr.namespaceUri().isEmpty())
                    id = attr.value().toString();
            const auto r = rels.constFind(id);
            if (r == rels.constEnd() || !typeIs(*r, u"worksheet"))
                continue;
            const QString entry = resolveTarget(folderOf(workbook), r->target);
            if (!zip.has(entry))
                continue;
            const bool hidden =
                !a.value(QLatin1StringView("state")).isEmpty() && a.value(QLatin1StringView("state")) != u"visible";
            if (!hidden) {
                sheet = entry;
                break;
            }
            if (hiddenSheet.isEmpty())
                hiddenSheet = entry;
        }
    }
    if (sheet.isEmpty())
        sheet = hiddenSheet;
    if (sheet.isEmpty())
        sheet = QStringLiteral("xl/worksheets/sheet1.xml");
    const zip_int64_t sheetIndex = zip.find(sheet);
    if (sheetIndex < 0)
        failNoSheet();

    // A part of the workbook by its relationship's type, or by its usual
    // name beside the workbook when no relationship names it.
    const auto partOf = [&](QStringView type, const QString& usualName) {
        QString entry = folderOf(workbook) + usualName;
        for (const Relationship& r : rels)
            if (typeIs(r, type))
                entry = resolveTarget(folderOf(workbook), r.target);
        return entry;
    };
    const QString stringsEntry = partOf(u"sharedStrings", QStringLiteral("sharedStrings.xml"));
    if (const zip_int64_t i = zip.find(stringsEntry); i >= 0) {
        XmlEntry e(zip, i, stringsEntry);
        book.strings.read(e, limits);
    }
    const QString stylesEntry = partOf(u"styles", QStringLiteral("styles.xml"));
    if (const zip_int64_t i = zip.find(stylesEntry); i >= 0) {
        XmlEntry e(zip, i, stylesEntry);
        book.shapes = readCellShapes(e);
    }

    TableBuilder table(limits);
    XmlEntry e(zip, sheetIndex, sheet);
    readWorksheet(e, book, table);
    return table.take();
}

// ---- OpenDocument spreadsheets

qint64 repeatCount(const QXmlStreamAttributes& a, const char* name)
{
    bool ok = false;
    const qint64 n = a.value(kTableNs, QLatin1StringView(name)).toLongLong(&ok);
    return ok && n > 0 ? n : 1;
}

// White space as a paragraph holds it: a run of blanks, tabs and line ends
// in the text is one space, none at the paragraph's start; the space,
// tab and line-break elements give their characters as they are.
class Paragraph
{
public:
    explicit Paragraph(QString& out, qint64 room) : m_out(out), m_room(room) {}

    void characters(QStringView s)
    {
        for (QChar c : s) {
            const bool white = c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
            if (white) {
                if (m_lastWhite || m_atStart)
                    continue;
                c = u' ';
            }
            m_lastWhite = white;
            m_atStart = false;
            m_out += c;
        }
        check();
    }
    void literal(QChar c, qint64 count = 1)
    {
        count = std::min(count, m_room - m_out.size() + 1);
        m_out += QString(qsizetype(std::max<qint64>(count, 0)), c);
        m_lastWhite = false;
        m_atStart = false;
        check();
    }

private:
    void check() const
    {
        if (m_out.size() > m_room)
            failTooLarge();
    }
    QString& m_out;
    qint64 m_room;
    bool m_lastWhite = false;
    bool m_atStart = true;
};

// The content of a text:p or text:h just started.
void readParagraph(XmlEntry& e, Paragraph& p)
{
    for (int depth = 1; depth > 0;) {
        const auto t = e.next();
        if (t == QXmlStreamReader::EndElement) {
            --depth;
        } else if (t == QXmlStreamReader::Characters) {
            p.characters(e.xml.text());
        } else if (t == QXmlStreamReader::StartElement) {
            const QStringView name = e.xml.name();
            const bool text = e.xml.namespaceUri() == kTextNs;
            if (text && name == u"s") {
                bool ok = false;
                const qint64 n = e.xml.attributes().value(kTextNs, QLatin1StringView("c")).toLongLong(&ok);
                p.literal(u' ', ok && n > 0 ? n : 1);
                e.skip();
            } else if (text && name == u"tab") {
                p.literal(u'\t');
                e.skip();
            } else if (text && name == u"line-break") {
                p.literal(u'\n');
                e.skip();
            } else if (text && (name == u"note" || name == u"ruby-text")) {
                e.skip();
            } else if (!text && (e.xml.namespaceUri() != kOfficeNs || name == u"annotation")) {
                e.skip(); // notes, frames, shapes and whatever else is no text of the cell
            } else {
                ++depth; // span, a, fields: their text counts
            }
        } else if (t == QXmlStreamReader::EndDocument) {
            e.fault();
        }
    }
}

// The paragraphs of a table cell just started, joined by "\n".
QString readCellText(XmlEntry& e, const TableLimits& limits)
{
    QString out;
    bool first = true;
    for (int depth = 1; depth > 0;) {
        const auto t = e.next();
        if (t == QXmlStreamReader::EndElement) {
            --depth;
        } else if (t == QXmlStreamReader::StartElement) {
            const QStringView name = e.xml.name();
            const bool text = e.xml.namespaceUri() == kTextNs;
            if (text && (name == u"p" || name == u"h")) {
                if (!first)
                    out += u'\n';
                first = false;
                Paragraph p(out, limits.characters);
                readParagraph(e, p);
            } else if (text
                       && (name == u"list" || name == u"list-item" || name == u"list-header" || name == u"section")) {
                ++depth;
            } else {
                e.skip(); // annotations, sub-tables, frames
            }
        } else if (t == QXmlStreamReader::EndDocument) {
            e.fault();
        }
    }
    return out;
}

QString odsCellValue(const QXmlStreamAttributes& a, const QString& shown)
{
    QStringView type = a.value(kOfficeNs, QLatin1StringView("value-type"));
    if (type.isEmpty())
        type = a.value(kCalcExtNs, QLatin1StringView("value-type"));
    if (type == u"float" || type == u"percentage" || type == u"currency")
        return odsNumberText(a.value(kOfficeNs, QLatin1StringView("value")), shown);
    if (type == u"boolean") {
        const QStringView b = a.value(kOfficeNs, QLatin1StringView("boolean-value"));
        return b == u"true" || b == u"1" ? QStringLiteral("true") : QStringLiteral("false");
    }
    if (type == u"date" && shown.isEmpty())
        return a.value(kOfficeNs, QLatin1StringView("date-value")).toString();
    if (type == u"time" && shown.isEmpty())
        return a.value(kOfficeNs, QLatin1StringView("time-value")).toString();
    if (shown.isEmpty() && a.hasAttribute(kOfficeNs, QLatin1StringView("string-value")))
        return a.value(kOfficeNs, QLatin1StringView("string-value")).toString();
    return shown;
}

// The first table of the document whose XML e reads.
CsvTable readOdsContent(XmlEntry& e, const TableLimits& limits)
{
    TableBuilder table(limits);
    auto isTable = [&](QStringView name) { return e.xml.name() == name && e.xml.namespaceUri() == kTableNs; };
    // To the first table.
    for (;;) {
        const auto t = e.next();
        if (t == QXmlStreamReader::EndDocument)
            failNoSheet();
        if (t == QXmlStreamReader::StartElement && isTable(u"table"))
            break;
    }
    qint64 column = 0, rowRepeat = 1;
    for (int depth = 1; depth > 0;) {
        const auto t = e.next();
        if (t == QXmlStreamReader::EndElement) {
            --depth;
            if (isTable(u"table-row")) {
                table.endRow(rowRepeat);
                column = 0;
                rowRepeat = 1;
            }
        } else if (t == QXmlStreamReader::StartElement) {
            if (isTable(u"table-row")) {
                table.endRow();
                column = 0;
                rowRepeat = repeatCount(e.xml.attributes(), "number-rows-repeated");
                ++depth;
            } else if (isTable(u"table-cell") || isTable(u"covered-table-cell")) {
                const bool covered = isTable(u"covered-table-cell");
                const QXmlStreamAttributes a = e.xml.attributes();
                const qint64 repeat = std::min<qint64>(repeatCount(a, "number-columns-repeated"), kMaxColumns);
                const QString shown = readCellText(e, limits);
                if (!covered)
                    table.put(column, odsCellValue(a, shown), repeat);
                column = std::min<qint64>(column + repeat, kMaxColumns);
            } else if (isTable(u"table-header-rows") || isTable(u"table-row-group") || isTable(u"table-rows")) {
                ++depth;
            } else {
                e.skip(); // columns, shapes, named ranges, forms
            }
        } else if (t == QXmlStreamReader::EndDocument) {
            e.fault();
        }
    }
    e.finish();
    return table.take();
}

CsvTable readOdsZip(Zip& zip, const TableLimits& limits)
{
    const QString name = QStringLiteral("content.xml");
    const zip_int64_t index = zip.find(name);
    if (index < 0)
        failNoSheet();
    XmlEntry e(zip, index, name);
    return readOdsContent(e, limits);
}

// The "mimetype" entry's text, empty without one.
QByteArray mimeTypeOf(Zip& zip)
{
    const zip_int64_t i = zip.find(QStringLiteral("mimetype"));
    return i < 0 ? QByteArray() : zip.head(i, 256).trimmed();
}

bool isOdsMime(const QByteArray& mime) { return mime == kOdsMime || mime == QByteArray(kOdsMime) + "-template"; }

// ---- the export file

bool startsWithNoCase(QByteArrayView bytes, qsizetype at, std::string_view word)
{
    if (at < 0 || at + qsizetype(word.size()) > bytes.size())
        return false;
    for (size_t i = 0; i < word.size(); ++i) {
        char c = bytes[at + qsizetype(i)];
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
        if (c != word[i])
            return false;
    }
    return true;
}

bool isNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ':' || c == '-';
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Whether a tag starts at `lt`: "<" and a letter, "</" and a letter, or a comment.
bool isTagStart(QByteArrayView b, qsizetype lt)
{
    if (lt + 1 >= b.size())
        return false;
    const char c = b[lt + 1];
    return isLetter(c) || (c == '/' && lt + 2 < b.size() && isLetter(b[lt + 2])) || c == '!';
}

// Where the tag starting at `lt` ends (just past its ">"), quoted attribute values honoured.
qsizetype tagEnd(QByteArrayView b, qsizetype lt)
{
    char quote = 0, last = 0;
    for (qsizetype i = lt + 1; i < b.size(); ++i) {
        const char c = b[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if ((c == '"' || c == '\'') && last == '=') {
            quote = c;
        } else if (c == '>') {
            return i + 1;
        }
        if (c != ' ')
            last = c;
    }
    return b.size();
}

// An attribute's value in a tag's text ("<td colspan=2 x:num=\"5\">"), empty when absent.
QByteArray attributeOf(QByteArrayView tag, std::string_view name)
{
    for (qsizetype i = 1; i < tag.size(); ++i) {
        if (isNameChar(tag[i - 1]) || !startsWithNoCase(tag, i, name))
            continue;
        qsizetype j = i + qsizetype(name.size());
        if (j < tag.size() && isNameChar(tag[j]))
            continue;
        while (j < tag.size() && tag[j] == ' ')
            ++j;
        if (j >= tag.size() || tag[j] != '=')
            return {};
        ++j;
        while (j < tag.size() && tag[j] == ' ')
            ++j;
        if (j < tag.size() && (tag[j] == '"' || tag[j] == '\'')) {
            const char q = tag[j];
            const qsizetype end = tag.indexOf(q, j + 1);
            return tag.sliced(j + 1, (end < 0 ? tag.size() : end) - j - 1).toByteArray();
        }
        qsizetype end = j;
        while (end < tag.size() && tag[end] != ' ' && tag[end] != '>')
            ++end;
        return tag.sliced(j, end - j).toByteArray();
    }
    return {};
}

QString decodeEntities(const QString& s)
{
    if (!s.contains(u'&'))
        return s;
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] != u'&') {
            out += s[i];
            continue;
        }
        const qsizetype semi = s.indexOf(u';', i + 1);
        if (semi < 0 || semi - i > 12) {
            out += s[i];
            continue;
        }
        const QStringView name = QStringView(s).mid(i + 1, semi - i - 1);
        char32_t c = 0;
        if (name.startsWith(u'#')) {
            bool ok = false;
            const uint n =
                name.startsWith(u"#x", Qt::CaseInsensitive) ? name.mid(2).toUInt(&ok, 16) : name.mid(1).toUInt(&ok, 10);
            if (ok && n > 0 && n <= 0x10FFFF && (n < 0xD800 || n > 0xDFFF))
                c = n;
        } else if (name == u"amp") {
            c = u'&';
        } else if (name == u"lt") {
            c = u'<';
        } else if (name == u"gt") {
            c = u'>';
        } else if (name == u"quot") {
            c = u'"';
        } else if (name == u"apos") {
            c = u'\'';
        } else if (name == u"nbsp") {
            c = u' ';
        }
        if (!c) {
            out += s[i];
            continue;
        }
        out += QString::fromUcs4(&c, 1);
        i = semi;
    }
    return out;
}

// A cell's content: tags dropped (a <br> is a line break), comments too.
QByteArray cellContent(QByteArrayView raw)
{
    QByteArray out;
    out.reserve(raw.size());
    qsizetype i = 0;
    while (i < raw.size()) {
        const char c = raw[i];
        if (c != '<' || !isTagStart(raw, i)) {
            out += c;
            ++i;
            continue;
        }
        if (startsWithNoCase(raw, i, "<!--")) {
            const qsizetype end = raw.indexOf(QByteArrayView("-->"), i + 4);
            i = end < 0 ? raw.size() : end + 3;
            continue;
        }
        if (startsWithNoCase(raw, i, "<br") && (i + 3 >= raw.size() || !isNameChar(raw[i + 3])))
            out += '\n';
        i = tagEnd(raw, i);
    }
    return out;
}

bool saysUtf8(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return true;
    const QByteArray head = bytes.first(std::min<qsizetype>(bytes.size(), 4096)).toByteArray().toLower();
    const qsizetype at = head.indexOf("charset=");
    if (at < 0)
        return false;
    qsizetype i = at + 8;
    while (i < head.size() && (head[i] == '"' || head[i] == '\'' || head[i] == ' '))
        ++i;
    return head.mid(i, 5) == "utf-8" || head.mid(i, 4) == "utf8";
}

// The tag at `lt`: its name in lower case and whether it closes ("</td>").
std::pair<QByteArray, bool> tagName(QByteArrayView b, qsizetype lt)
{
    qsizetype i = lt + 1;
    const bool closing = i < b.size() && b[i] == '/';
    if (closing)
        ++i;
    const qsizetype start = i;
    while (i < b.size() && isNameChar(b[i]))
        ++i;
    return {b.sliced(start, i - start).toByteArray().toLower(), closing};
}

CsvTable readHtmlTable(QByteArrayView b, const TableLimits& limits)
{
    const bool utf8 = saysUtf8(b);
    TableBuilder table(limits);
    qint64 column = 0;
    qsizetype cellStart = -1; // where the open cell's content starts
    qint64 span = 1;
    QByteArray number;
    bool inTable = false;
    auto endCell = [&](qsizetype end) {
        if (cellStart < 0)
            return;
        const QByteArray raw = cellContent(b.sliced(cellStart, end - cellStart));
        QString text = decodeEntities(utf8 ? QString::fromUtf8(raw) : fromWindows1252(raw));
        if (!number.isEmpty())
            text = spreadsheetNumberText(QString::fromLatin1(number));
        table.put(column, text);
        column = std::min<qint64>(column + span, kMaxColumns);
        cellStart = -1;
    };
    qsizetype i = 0;
    while (i < b.size()) {
        const qsizetype lt = b.indexOf('<', i);
        if (lt < 0)
            break;
        if (startsWithNoCase(b, lt, "<!--")) {
            const qsizetype end = b.indexOf(QByteArrayView("-->"), lt + 4);
            i = end < 0 ? b.size() : end + 3;
            continue;
        }
        if (!isTagStart(b, lt)) {
            i = lt + 1;
            continue;
        }
        const auto [name, closing] = tagName(b, lt);
        const qsizetype end = tagEnd(b, lt);
        i = end;
        if (name == "table") {
            if (closing && inTable) {
                endCell(lt);
                break;
            }
            inTable = true;
        } else if (!inTable) {
            continue;
        } else if (name == "tr") {
            endCell(lt);
            table.endRow();
            column = 0;
        } else if (name == "td" || name == "th") {
            endCell(lt);
            if (closing)
                continue;
            cellStart = end;
            const QByteArrayView tag = b.sliced(lt, end - lt);
            bool ok = false;
            span = std::clamp<qint64>(attributeOf(tag, "colspan").toLongLong(&ok), 1, kMaxColumns);
            if (!ok)
                span = 1;
            number = attributeOf(tag, "x:num");
        }
    }
    endCell(b.size());
    return table.take();
}

// ---- telling the formats apart

bool isZip(QByteArrayView b) { return b.startsWith("PK\x03\x04") || b.startsWith(QByteArrayView("PK\x05\x06", 4)); }

bool isCompoundFile(QByteArrayView b) { return b.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"); }

// The first characters after a mark and white space, in lower case.
QByteArray headOf(QByteArrayView b)
{
    qsizetype i = b.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < b.size() && (b[i] == ' ' || b[i] == '\t' || b[i] == '\r' || b[i] == '\n'))
        ++i;
    return b.sliced(i, std::min<qsizetype>(b.size() - i, 256)).toByteArray().toLower();
}

bool isHtml(QByteArrayView b)
{
    const QByteArray h = headOf(b);
    return h.startsWith("<html") || h.startsWith("<!doctype html") || h.startsWith("<table");
}

bool isFlatOds(QByteArrayView b)
{
    const QByteArray h = headOf(b);
    if (!h.startsWith("<?xml") && !h.startsWith("<office:document"))
        return false;
    const QByteArrayView head = b.first(std::min<qsizetype>(b.size(), 4096));
    return head.indexOf(QByteArrayView("office:document")) >= 0 && head.indexOf(QByteArrayView(kOdsMime)) >= 0;
}

[[noreturn]] void failNotASheet()
{
    fail(QStringLiteral("Attenzione: il file scelto non è un foglio di calcolo (.ods, .xlsx, .csv) né un file "
                        "esportato dal programma."));
}

TableFormat zipFormat(Zip& zip)
{
    const QByteArray mime = mimeTypeOf(zip);
    if (isOdsMime(mime))
        return TableFormat::Ods;
    if (mime.isEmpty() && zip.has(QStringLiteral("xl/workbook.xml")))
        return TableFormat::Xlsx;
    if (mime.isEmpty() && zip.has(QStringLiteral("_rels/.rels")) && zip.has(QStringLiteral("[Content_Types].xml")))
        return TableFormat::Xlsx; // a workbook kept elsewhere, found through the package's relationships
    failNoSheet();
}

} // namespace

QString spreadsheetNumberText(QStringView value)
{
    // Most numbers are whole ones already in their shortest form.
    const QStringView digits = value.startsWith(u'-') ? value.mid(1) : value;
    if (!digits.isEmpty() && digits.size() <= 15 && (digits[0] != u'0' || digits.size() == 1)
        && std::all_of(digits.begin(), digits.end(), isAsciiDigit) && value != u"-0")
        return value.toString();
    double d = 0;
    return parseNumber(value, &d) ? numberText(d) : value.toString();
}

TableFormat detectTableFormat(QByteArrayView bytes)
{
    if (isZip(bytes)) {
        Zip zip(bytes, TableLimits().bytes);
        return zipFormat(zip);
    }
    if (isCompoundFile(bytes))
        fail(QStringLiteral("Attenzione: il file è un foglio di Excel 97-2003 (.xls) o un file protetto da password, "
                            "che non può essere letto. Salvarlo in formato .xlsx, .ods o .csv e riprovare."));
    if (isHtml(bytes))
        return TableFormat::ExportFile;
    if (isFlatOds(bytes))
        return TableFormat::Ods;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return TableFormat::Csv;
    if (bytes.indexOf('\0') >= 0 || headOf(bytes).startsWith("<?xml") || bytes.startsWith("%PDF"))
        failNotASheet();
    return TableFormat::Csv;
}

CsvTable readXlsx(QByteArrayView bytes, const TableLimits& limits)
{
    if (!isZip(bytes))
        failDamaged();
    Zip zip(bytes, limits.bytes);
    return readXlsxZip(zip, limits);
}

CsvTable readOds(QByteArrayView bytes, const TableLimits& limits)
{
    if (!isZip(bytes)) {
        if (!isFlatOds(bytes))
            failDamaged();
        if (bytes.size() > limits.bytes)
            failTooLarge();
        XmlEntry e(bytes, QStringLiteral("content.xml"));
        return readOdsContent(e, limits);
    }
    Zip zip(bytes, limits.bytes);
    if (!isOdsMime(mimeTypeOf(zip)))
        failNoSheet();
    return readOdsZip(zip, limits);
}

CsvTable readExportFile(QByteArrayView bytes, const TableLimits& limits)
{
    if (bytes.size() > limits.bytes)
        failTooLarge();
    return readHtmlTable(bytes, limits);
}

CsvTable readTable(QByteArrayView bytes, TableFormat* format, const TableLimits& limits)
{
    if (bytes.size() > limits.bytes)
        failTooLarge();
    TableFormat f = TableFormat::Csv;
    CsvTable table;
    if (isZip(bytes)) {
        Zip zip(bytes, limits.bytes);
        f = zipFormat(zip);
        table = f == TableFormat::Ods ? readOdsZip(zip, limits) : readXlsxZip(zip, limits);
    } else {
        f = detectTableFormat(bytes);
        if (f == TableFormat::ExportFile) {
            table = readHtmlTable(bytes, limits);
        } else if (f == TableFormat::Ods) {
            table = readOds(bytes, limits);
        } else if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
            // UTF-16 text, as UTF-8 with its mark.
            const bool little = bytes.startsWith("\xFF\xFE");
            QString text;
            text.resize((bytes.size() - 2) / 2);
            for (qsizetype i = 0; i < text.size(); ++i) {
                const auto lo = uchar(bytes[2 + 2 * i + (little ? 0 : 1)]);
                const auto hi = uchar(bytes[2 + 2 * i + (little ? 1 : 0)]);
                text[i] = QChar(char16_t(hi << 8 | lo));
            }
            const QByteArray utf8 = QByteArray("\xEF\xBB\xBF") + text.toUtf8();
            table = readCsv(utf8);
        } else {
            table = readCsv(bytes);
        }
    }
    if (format)
        *format = f;
    return table;
}

QByteArray readTableBytes(const QString& path, const TableLimits& limits)
{
    QFile f(path);
    auto failed = [&] {
        fail(QStringLiteral("Impossibile leggere il file (%1): %2")
                 .arg(QDir::toNativeSeparators(path), f.errorString()));
    };
    if (!f.open(QIODevice::ReadOnly))
        failed();
    if (f.size() > limits.bytes)
        failTooLarge();
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        failed();
    return bytes;
}

CsvTable readTableFile(const QString& path, TableFormat* format, const TableLimits& limits)
{
    return readTable(readTableBytes(path, limits), format, limits);
}

} // namespace pinakos
