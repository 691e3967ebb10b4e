#include "store/Import.h"

#include "base/Failure.h"
#include "base/Log.h"
#include "base/Text.h"
#include "output/ExportTable.h"
#include "sheet/Price.h"
#include "store/Archive.h"
#include "store/Codec1252.h"
#include "store/ImportFiles.h"

#include <QRegularExpression>
#include <algorithm>
#include <bit>

namespace pinakos {

namespace {

constexpr Campo kFields[kImportPhoto] = {
    Campo::Capo,     Campo::Descrizione, Campo::Colore,   Campo::Tessuto,    Campo::Misure,  Campo::Peso,
    Campo::Usura,    Campo::Difetti,     Campo::Servizio, Campo::Specifiche, Campo::Cliente, Campo::CodFisc,
    Campo::Recapito, Campo::Note,        Campo::Prezzo,   Campo::Segnala,
};

struct Name
{
    const char* key; // lower case letters and digits only
    int target;
};

// Headings as the comparison sees them: the export's own first, then plain names.
const Name kNames[] = {
    {"titoloopera", 0},
    {"titolo", 0},
    {"opera", 0},
    {"title", 0},
    {"soggettorappresentato", 1},
    {"soggetto", 1},
    {"subject", 1},
    {"artista", 2},
    {"autore", 2},
    {"artist", 2},
    {"author", 2},
    {"annorealizzazione", 3},
    {"anno", 3},
    {"year", 3},
    {"nazione", 4},
    {"paese", 4},
    {"country", 4},
    {"tecnicautilizzata", 5},
    {"tecnica", 5},
    {"technique", 5},
    {"medium", 5},
    {"correnteartistica", 6},
    {"corrente", 6},
    {"movimento", 6},
    {"movement", 6},
    {"dimensioni", 7},
    {"misure", 7},
    {"dimensions", 7},
    {"size", 7},
    {"supporto", 8},
    {"support", 8},
    {"luogoconservazione", 9},
    {"luogo", 9},
    {"location", 9},
    {"proprietarioattuale", 10},
    {"proprietario", 10},
    {"owner", 10},
    {"codicefiscale", 11},
    {"codfisc", 11},
    {"fiscalcode", 11},
    {"taxcode", 11},
    {"telpreferenziale", 12},
    {"telefono", 12},
    {"tel", 12},
    {"recapito", 12},
    {"phone", 12},
    {"telephone", 12},
    {"note", 13},
    {"notes", 13},
    {"valore", 14},
    {"prezzo", 14},
    {"price", 14},
    {"value", 14},
    {"venduta", 15},
    {"venduto", 15},
    {"sold", 15},
    {"foto", kImportPhoto},
    {"fotografia", kImportPhoto},
    {"photo", kImportPhoto},
    {"immagine", kImportPhoto},
    {"image", kImportPhoto},
};

// Lower case letters and digits, accents taken off.
QString headingKey(QStringView heading)
{
    QString out;
    const QString decomposed = heading.toString().normalized(QString::NormalizationForm_KD);
    for (QChar c : decomposed)
        if (c.isLetterOrNumber())
            out.append(c.toLower());
    return out;
}

bool isBlankView(QStringView s)
{
    return std::all_of(s.begin(), s.end(), [](QChar c) { return c.unicode() <= 32; });
}

// Cells per row of the first rows, split by sep, quotes honoured.
std::vector<int> columnsOfFirstRows(QStringView text, QChar sep, int rows)
{
    std::vector<int> out;
    int cells = 1;
    bool quoted = false, atStart = true;
    for (qsizetype i = 0; i < text.size() && int(out.size()) < rows; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < text.size() && text[i + 1] == u'"')
                    ++i;
                else
                    quoted = false;
            }
            continue;
        }
        if (c == u'"' && atStart) {
            quoted = true;
            atStart = false;
        } else if (c == sep) {
            ++cells;
            atStart = true;
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            out.push_back(cells);
            cells = 1;
            atStart = true;
        } else {
            atStart = false;
        }
    }
    if (int(out.size()) < rows && !text.isEmpty() && text.back() != u'\n' && text.back() != u'\r')
        out.push_back(cells);
    // Blank lines say nothing about the separator.
    out.erase(std::remove(out.begin(), out.end(), 1), out.end());
    return out;
}

} // namespace

int CsvTable::columnCount(int row) const
{
    const qsizetype end = row + 1 < rowCount() ? m_rowStart[size_t(row) + 1] : qsizetype(m_cells.size());
    return int(end - m_rowStart[size_t(row)]);
}

QStringView CsvTable::cell(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount(row))
        return {};
    const Span s = m_cells[size_t(m_rowStart[size_t(row)] + column)];
    return QStringView(m_text).mid(s.start, s.length);
}

QStringList CsvTable::row(int index) const
{
    QStringList out;
    for (int c = 0; c < columnCount(index); ++c)
        out.append(cell(index, c).toString());
    return out;
}

void CsvTable::appendCell(QStringView text)
{
    if (m_openRow < 0)
        m_openRow = qsizetype(m_cells.size());
    m_cells.push_back({m_text.size(), text.size()});
    m_text.append(text);
}

void CsvTable::endRow()
{
    if (m_openRow < 0)
        return;
    const auto first = m_cells.begin() + m_openRow;
    const bool blank = std::all_of(
        first, m_cells.end(), [&](const Span& c) { return isBlankView(QStringView(m_text).mid(c.start, c.length)); });
    if (blank) {
        m_text.truncate(first->start);
        m_cells.erase(first, m_cells.end());
    } else {
        m_rowStart.push_back(m_openRow);
        m_columns = std::max(m_columns, int(m_cells.size() - size_t(m_openRow)));
    }
    m_openRow = -1;
}

CsvEncoding detectCsvEncoding(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return CsvEncoding::Utf8Bom;
    // Well-formed UTF-8: no overlong forms, surrogates or code points past
    // U+10FFFF.
    return bytes.isValidUtf8() ? CsvEncoding::Utf8 : CsvEncoding::Windows1252;
}

namespace {

QString decodeAs(CsvEncoding encoding, QByteArrayView bytes)
{
    switch (encoding) {
    case CsvEncoding::Utf8Bom:
        return QString::fromUtf8(bytes.sliced(3));
    case CsvEncoding::Utf8:
        return QString::fromUtf8(bytes);
    case CsvEncoding::Windows1252:
        break;
    }
    return fromWindows1252(bytes.data(), bytes.size());
}

} // namespace

QString decodeCsv(QByteArrayView bytes) { return decodeAs(detectCsvEncoding(bytes), bytes); }

QChar detectCsvSeparator(QStringView text)
{
    constexpr QChar kCandidates[] = {u';', u'\t', u','};
    constexpr int kRows = 20;
    QChar widest = u';';
    int widestCells = 1;
    for (QChar sep : kCandidates) {
        const std::vector<int> counts = columnsOfFirstRows(text, sep, kRows);
        if (counts.empty())
            continue;
        if (std::all_of(counts.begin(), counts.end(), [&](int n) { return n == counts.front(); }))
            return sep;
        if (counts.front() > widestCells) {
            widestCells = counts.front();
            widest = sep;
        }
    }
    return widest;
}

CsvTable readCsv(QByteArrayView bytes)
{
    CsvTable t;
    t.m_encoding = detectCsvEncoding(bytes);
    t.m_text = decodeAs(t.m_encoding, bytes);
    // Room for short cells; only what is used is ever touched.
    t.m_cells.reserve(size_t(t.m_text.size() / 4 + 16));
    t.m_separator = detectCsvSeparator(t.m_text);
    const QString& s = t.m_text;
    const QChar sep = t.m_separator;
    const qsizetype size = s.size();

    // A quoted cell with doubled quotes is written again in place, over its
    // own text: its unquoted form is never longer.
    QChar* d = t.m_text.data();
    qsizetype i = 0;
    std::vector<CsvTable::Span> row;
    auto endRow = [&] {
        const bool blank = std::all_of(row.begin(), row.end(), [&](const CsvTable::Span& c) {
            return isBlankView(QStringView(s).mid(c.start, c.length));
        });
        if (!blank) {
            t.m_rowStart.push_back(qsizetype(t.m_cells.size()));
            t.m_cells.insert(t.m_cells.end(), row.begin(), row.end());
            t.m_columns = std::max(t.m_columns, int(row.size()));
        }
        row.clear();
    };
    while (i < size) {
        // One cell.
        qsizetype start = i, length = 0;
        if (s[i] == u'"') {
            ++i;
            start = i;
            qsizetype w = i;
            for (;;) {
                if (i >= size)
                    break;
                if (s[i] == u'"') {
                    if (i + 1 < size && s[i + 1] == u'"') {
                        d[w++] = u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    // Text after the closing quote belongs to the cell as written.
                    while (i < size && s[i] != sep && s[i] != u'\n' && s[i] != u'\r')
                        d[w++] = s[i++];
                    break;
                }
                d[w++] = s[i++];
            }
            length = w - start;
        } else {
            while (i < size && s[i] != sep && s[i] != u'\n' && s[i] != u'\r')
                ++i;
            length = i - start;
        }
        row.push_back({start, length});
        if (i >= size)
            break;
        if (s[i] == sep) {
            ++i;
            if (i >= size)
                row.push_back({i, 0});
            continue;
        }
        // A line break ends the row.
        if (s[i] == u'\r' && i + 1 < size && s[i + 1] == u'\n')
            ++i;
        ++i;
        endRow();
    }
    endRow();
    return t;
}

CsvTable readCsvFile(const QString& path) { return readCsv(readTableBytes(path)); }

Campo importField(int target) { return kFields[target]; }

// The export's own headings, so that an export comes back in by name.
QString importTargetName(int target)
{
    return target == kImportPhoto ? QStringLiteral("Foto") : QString::fromUtf8(exportHeading(target).text);
}

int headingTarget(QStringView heading)
{
    const QString key = headingKey(heading);
    if (key.isEmpty())
        return -1;
    for (const Name& n : kNames)
        if (key == QLatin1StringView(n.key))
            return n.target;
    return -1;
}

ImportMapping matchHeadings(const QStringList& headings)
{
    ImportMapping m;
    m.fill(-1);
    for (int c = 0; c < headings.size(); ++c) {
        const int t = headingTarget(headings[c]);
        if (t >= 0 && m[size_t(t)] < 0)
            m[size_t(t)] = c;
    }
    return m;
}

ImportMapping positionalMapping()
{
    ImportMapping m;
    for (int t = 0; t < kImportTargets; ++t)
        m[size_t(t)] = t;
    return m;
}

bool looksLikeHeadings(const QStringList& firstRow)
{
    int cells = 0, named = 0;
    for (const QString& c : firstRow) {
        if (isBlank(c))
            continue;
        ++cells;
        named += headingTarget(c) >= 0;
    }
    return named > 0 && 2 * named >= cells;
}

bool soldMark(QStringView cell)
{
    const QString v = trimmed(cell.toString()).toLower();
    return v == QStringLiteral("s\u00EC") || v == u"si" || v == u"x" || v == u"1" || v == u"true" || v == u"venduta";
}

QString importPriceText(QStringView cell)
{
    QString t;
    t.reserve(cell.size());
    for (QChar c : cell)
        if (!c.isSpace() && c != u'\u20AC')
            t += c;
    if (t.endsWith(QLatin1StringView("EUR"), Qt::CaseInsensitive))
        t.chop(3);
    else if (t.startsWith(QLatin1StringView("EUR"), Qt::CaseInsensitive))
        t.remove(0, 3);
    static const QRegularExpression thousands(QStringLiteral("^[+-]?\\d{1,3}(\\.\\d{3})+(,\\d*)?$"));
    static const QRegularExpression point(QStringLiteral("^[+-]?\\d*\\.\\d{1,2}$"));
    if (thousands.match(t).hasMatch())
        t.remove(u'.');
    else if (point.match(t).hasMatch())
        t.replace(u'.', u',');
    return t;
}

ImportedRow importRow(const CsvTable& table, int row, const ImportMapping& mapping)
{
    ImportedRow out;
    for (int t = 0; t < kImportPhoto; ++t) {
        const Campo field = kFields[t];
        const int column = mapping[size_t(t)];
        const QString cell = column < 0 ? QString() : table.cell(row, column).toString();
        if (field == Campo::Prezzo) {
            const std::optional<QString> price = readPrice(importPriceText(cell));
            out.priceUnread = !price;
            out.record.setText(field, price.value_or(QStringLiteral("0,00")));
            continue;
        }
        if (field == Campo::Segnala) {
            out.record.setVenduta(soldMark(cell));
            continue;
        }
        const QString text = trimmed(cell);
        const int max = slotOf(field).max;
        // One byte per character in the code page; a character of two
        // UTF-16 units (outside it anyway) is written as two.
        if (text.size() > max)
            out.cut |= 1u << t;
        const QStringView kept = QStringView(text).left(max);
        if (std::any_of(kept.begin(), kept.end(), [](QChar c) { return windows1252Byte(c.unicode()) < 0; }))
            out.replaced |= 1u << t;
        out.record.setText(field, text);
    }
    if (const int column = mapping[kImportPhoto]; column >= 0)
        out.photo = trimmed(table.cell(row, column).toString());
    return out;
}

QString importMessage(const ImportCounts& counts)
{
    QString m = QStringLiteral("Importate %1 schede").arg(counts.rows);
    if (counts.cutFields || counts.replacedFields)
        m += QStringLiteral("\n%1 campi tagliati e %2 con caratteri sostituiti, in %3 righe.")
                 .arg(counts.cutFields)
                 .arg(counts.replacedFields)
                 .arg(counts.changedRows);
    if (counts.unreadPrices)
        m += QStringLiteral("\n%1 valori non leggibili, scritti come 0,00.").arg(counts.unreadPrices);
    return m;
}

QString describeChanges(int sourceRow, const ImportedRow& r)
{
    if (!r.cut && !r.replaced && !r.priceUnread)
        return {};
    QStringList parts;
    for (int t = 0; t < kImportPhoto; ++t) {
        const bool cut = r.cut & (1u << t), replaced = r.replaced & (1u << t);
        if (!cut && !replaced)
            continue;
        QString p = importTargetName(t);
        if (cut)
            p += QStringLiteral(" tagliato");
        if (replaced)
            p += cut ? QStringLiteral(" e con caratteri sostituiti") : QStringLiteral(" con caratteri sostituiti");
        parts.append(p);
    }
    if (r.priceUnread)
        parts.append(importTargetName(kValueColumn) + QStringLiteral(" non leggibile, scritto come 0,00"));
    return QStringLiteral("Riga %1: %2").arg(sourceRow).arg(parts.join(QStringLiteral("; ")));
}

ImportCounts importCsv(const QString& archivePath, const CsvTable& table, const ImportMapping& mapping,
                       bool firstRowHeadings, int* firstNumber,
                       const std::function<void(int row, const ImportedRow&)>& onRow)
{
    const int first = firstRowHeadings ? 1 : 0;
    const int rows = std::max(0, table.rowCount() - first);
    ImportCounts counts;
    Archive archive(archivePath);
    const int number = archive.appendAll(rows, [&](int i, TSchedaOpera& r) {
        const ImportedRow made = importRow(table, first + i, mapping);
        if (onRow)
            onRow(first + i, made);
        r = made.record;
        const int cut = std::popcount(made.cut), replaced = std::popcount(made.replaced);
        counts.cutFields += cut;
        counts.replacedFields += replaced;
        counts.unreadPrices += made.priceUnread;
        counts.changedRows += (cut + replaced) > 0 || made.priceUnread;
    });
    archive.close();
    counts.rows = rows;
    if (firstNumber)
        *firstNumber = number;
    return counts;
}

} // namespace pinakos
