#include "WorkbookReader.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <zip.h>

namespace pinakos::test {

namespace {

struct Zip
{
    zip_t* z = nullptr;
    explicit Zip(const QString& path)
    {
        int code = 0;
#ifdef Q_OS_WIN
        z = zip_open(path.toUtf8().constData(), ZIP_RDONLY, &code);
#else
        z = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
#endif
    }
    ~Zip()
    {
        if (z)
            zip_discard(z);
    }
    QStringList names() const
    {
        QStringList out;
        for (zip_int64_t i = 0; z && i < zip_get_num_entries(z, 0); ++i)
            out << QString::fromUtf8(zip_get_name(z, zip_uint64_t(i), 0));
        return out;
    }
    QByteArray read(const QString& name) const
    {
        QByteArray out;
        if (!z)
            return out;
        zip_file_t* f = zip_fopen(z, name.toUtf8().constData(), 0);
        if (!f)
            return out;
        char buffer[65536];
        zip_int64_t n;
        while ((n = zip_fread(f, buffer, sizeof buffer)) > 0)
            out.append(buffer, qsizetype(n));
        zip_fclose(f);
        return out;
    }
};

// "P3" -> column 15, row 2 (0-based).
int columnOf(const QString& ref)
{
    int c = 0;
    for (QChar ch : ref) {
        if (!ch.isLetter())
            break;
        c = c * 26 + (ch.toUpper().unicode() - 'A' + 1);
    }
    return c - 1;
}

int rowOf(const QString& ref)
{
    static const QRegularExpression digits(QStringLiteral("(\\d+)$"));
    return digits.match(ref).captured(1).toInt() - 1;
}

void put(Book& b, int row, int column, const BookCell& cell)
{
    while (b.rows.size() <= row)
        b.rows.append(QList<BookCell>());
    QList<BookCell>& r = b.rows[row];
    while (r.size() <= column)
        r.append(BookCell());
    r[column] = cell;
}

// Excel's escapes of characters in cell text: "_x000D_" for a carriage return.
QString unescapeExcel(const QString& t)
{
    static const QRegularExpression escape(QStringLiteral("_x([0-9A-Fa-f]{4})_"));
    QString out;
    qsizetype last = 0;
    for (auto it = escape.globalMatch(t); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += t.mid(last, m.capturedStart() - last);
        out += QChar(m.captured(1).toUShort(nullptr, 16));
        last = m.capturedEnd();
    }
    return out + t.mid(last);
}

// Starts a book on its file: the entries of the archive, or the error when
// the file is not a ZIP archive (false).
bool openBook(const Zip& zip, Book& b)
{
    if (!zip.z) {
        b.error = QStringLiteral("not a ZIP");
        return false;
    }
    b.entries = zip.names();
    return true;
}

} // namespace

QByteArray zipEntry(const QString& path, const QString& name) { return Zip(path).read(name); }

Book readXlsx(const QString& path)
{
    Book b;
    const Zip zip(path);
    if (!openBook(zip, b))
        return b;

    // The workbook's sheets.
    {
        QXmlStreamReader x(zip.read(QStringLiteral("xl/workbook.xml")));
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.name() == u"sheet")
                b.sheets << x.attributes().value(QLatin1String("name")).toString();
        }
    }

    // The styles: for each cell format, whether its font is bold and its number format.
    QList<bool> fontBold;
    QHash<int, QString> numberFormats;
    QList<QPair<int, int>> cellXfs; // font, number format
    {
        QXmlStreamReader x(zip.read(QStringLiteral("xl/styles.xml")));
        QString section;
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement()) {
                const auto n = x.name();
                if (n == u"fonts" || n == u"cellXfs" || n == u"cellStyleXfs")
                    section = n.toString();
                else if (n == u"numFmt")
                    numberFormats.insert(x.attributes().value(QLatin1String("numFmtId")).toInt(),
                                         x.attributes().value(QLatin1String("formatCode")).toString());
                else if (n == u"font" && section == u"fonts")
                    fontBold << false;
                else if (n == u"b" && section == u"fonts" && !fontBold.isEmpty())
                    fontBold.last() = x.attributes().value(QLatin1String("val")) != u"0";
                else if (n == u"xf" && section == u"cellXfs")
                    cellXfs << qMakePair(x.attributes().value(QLatin1String("fontId")).toInt(),
                                         x.attributes().value(QLatin1String("numFmtId")).toInt());
            } else if (x.isEndElement() && x.name().toString() == section) {
                section.clear();
            }
        }
    }

    // The first sheet.
    QXmlStreamReader x(zip.read(QStringLiteral("xl/worksheets/sheet1.xml")));
    QString ref, type;
    int style = 0;
    BookCell cell;
    bool inCell = false;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement()) {
            const auto n = x.name();
            const QXmlStreamAttributes a = x.attributes();
            if (n == u"pane" && a.value(QLatin1String("state")).startsWith(u"frozen"))
                b.frozenAt = a.value(QLatin1String("topLeftCell")).toString();
            else if (n == u"autoFilter")
                b.filter = a.value(QLatin1String("ref")).toString();
            else if (n == u"col") {
                const double chars = a.value(QLatin1String("width")).toDouble();
                for (int c = a.value(QLatin1String("min")).toInt(); c <= a.value(QLatin1String("max")).toInt(); ++c)
                    b.widths << qRound(chars * 7); // the width as stored holds the padding
            } else if (n == u"c") {
                inCell = true;
                ref = a.value(QLatin1String("r")).toString();
                type = a.value(QLatin1String("t")).toString();
                style = a.value(QLatin1String("s")).toInt();
                cell = BookCell();
            } else if (inCell && (n == u"t" || n == u"v")) {
                const QString t = x.readElementText(QXmlStreamReader::IncludeChildElements);
                cell.text += t;
                if (n == u"v" && type.isEmpty())
                    cell.type = QStringLiteral("number");
                else
                    cell.type = QStringLiteral("text");
            }
        } else if (x.isEndElement() && x.name() == u"c") {
            inCell = false;
            if (style >= 0 && style < cellXfs.size()) {
                const int font = cellXfs[style].first;
                cell.bold = font >= 0 && font < fontBold.size() && fontBold[font];
                if (cell.type == u"number")
                    cell.format = numberFormats.value(cellXfs[style].second);
            }
            cell.text = unescapeExcel(cell.text);
            put(b, rowOf(ref), columnOf(ref), cell);
        }
    }
    if (x.hasError())
        b.error = x.errorString();
    return b;
}

Book readOds(const QString& path)
{
    Book b;
    const Zip zip(path);
    if (!openBook(zip, b))
        return b;

    // The view's settings: the frozen rows of the first sheet.
    {
        QXmlStreamReader x(zip.read(QStringLiteral("settings.xml")));
        QHash<QString, QString> items;
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.name() == u"config-item") {
                const QString name = x.attributes().value(QLatin1String("config:name")).toString();
                items.insert(name, x.readElementText());
            }
        }
        if (items.value(QStringLiteral("VerticalSplitMode")) == u"2")
            b.frozenAt = QStringLiteral("A%1").arg(items.value(QStringLiteral("VerticalSplitPosition")).toInt() + 1);
    }

    QXmlStreamReader x(zip.read(QStringLiteral("content.xml")));
    QHash<QString, bool> boldStyles;
    QHash<QString, QString> dataStyleOf; // cell style -> its number style
    QHash<QString, QString> numberStyles; // number style -> a pattern made of its parts
    QHash<QString, double> columnWidths;
    QString style, numberStyle;
    int row = -1, column = 0, tables = 0;
    while (!x.atEnd()) {
        x.readNext();
        if (!x.isStartElement())
            continue;
        const auto n = x.name();
        const QXmlStreamAttributes a = x.attributes();
        if (n == u"style") {
            style = a.value(QLatin1String("style:name")).toString();
            if (a.hasAttribute(QLatin1String("style:data-style-name")))
                dataStyleOf.insert(style, a.value(QLatin1String("style:data-style-name")).toString());
        } else if (n == u"text-properties") {
            if (a.value(QLatin1String("fo:font-weight")) == u"bold")
                boldStyles.insert(style, true);
        } else if (n == u"table-column-properties") {
            const QString w = a.value(QLatin1String("style:column-width")).toString();
            if (w.endsWith(u"in"))
                columnWidths.insert(style, w.chopped(2).toDouble() * 96);
            else if (w.endsWith(u"cm"))
                columnWidths.insert(style, w.chopped(2).toDouble() / 2.54 * 96);
        } else if (n == u"currency-style" || n == u"number-style") {
            numberStyle = a.value(QLatin1String("style:name")).toString();
        } else if (n == u"number" && x.namespaceUri().contains(u"datastyle")) {
            numberStyles[numberStyle] +=
                QStringLiteral("#,##0.") + QString(a.value(QLatin1String("number:decimal-places")).toInt(), u'0');
        } else if (n == u"currency-symbol") {
            numberStyles[numberStyle] += x.readElementText();
        } else if (n == u"table") {
            ++tables;
            b.sheets << a.value(QLatin1String("table:name")).toString();
        } else if (tables == 1 && n == u"table-column") {
            const int repeat = std::max(1, a.value(QLatin1String("table:number-columns-repeated")).toInt());
            for (int i = 0; i < repeat; ++i)
                b.widths << columnWidths.value(a.value(QLatin1String("table:style-name")).toString());
        } else if (tables == 1 && n == u"table-row") {
            ++row;
            column = 0;
        } else if (tables == 1 && (n == u"table-cell" || n == u"covered-table-cell")) {
            BookCell cell;
            const QString type = a.value(QLatin1String("office:value-type")).toString();
            const QString cellStyle = a.value(QLatin1String("table:style-name")).toString();
            const int repeat = std::max(1, a.value(QLatin1String("table:number-columns-repeated")).toInt());
            cell.bold = boldStyles.value(cellStyle);
            if (type == u"float" || type == u"currency" || type == u"percentage") {
                cell.type = QStringLiteral("number");
                cell.text = a.value(QLatin1String("office:value")).toString();
                cell.format = numberStyles.value(dataStyleOf.value(cellStyle));
            } else if (type == u"string") {
                cell.type = QStringLiteral("text");
            }
            // The paragraphs' text, blanks and breaks as they stand.
            QString text;
            int paragraphs = 0;
            while (!(x.isEndElement() && (x.name() == u"table-cell" || x.name() == u"covered-table-cell"))) {
                x.readNext();
                if (x.atEnd())
                    break;
                if (x.isStartElement()) {
                    if (x.name() == u"p" && paragraphs++ > 0)
                        text += u'\n';
                    else if (x.name() == u"s")
                        text += QString(std::max(1, x.attributes().value(QLatin1String("text:c")).toInt()), u' ');
                    else if (x.name() == u"tab")
                        text += u'\t';
                    else if (x.name() == u"line-break")
                        text += u'\n';
                } else if (x.isCharacters()) {
                    text += x.text();
                }
            }
            if (cell.type == u"text")
                cell.text = text;
            for (int i = 0; i < repeat; ++i)
                put(b, row, column++, cell);
        } else if (n == u"database-range") {
            QString range = a.value(QLatin1String("table:target-range-address")).toString();
            range.remove(QRegularExpression(QStringLiteral("('[^']*'|[^.:$]*)\\.")));
            range.remove(u'$');
            b.filter = range;
        }
    }
    if (x.hasError())
        b.error = x.errorString();
    return b;
}

} // namespace pinakos::test
