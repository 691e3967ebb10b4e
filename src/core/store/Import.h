#pragma once
// Work sheets brought in from a spreadsheet saved as CSV: the reader, the
// match of headings to fields, the field rules and the append of the new
// records to an archive in one step.
#include "store/SchedaOpera.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <functional>
#include <vector>

namespace pinakos {

enum class CsvEncoding { Utf8, Utf8Bom, Windows1252 };

// A CSV file as read: its rows (empty ones skipped) of cells, kept as one
// text with the cells' places in it.
class CsvTable
{
public:
    int rowCount() const { return int(m_rowStart.size()); }
    int columnCount(int row) const;
    // The widest row's cells.
    int columnCount() const { return m_columns; }
    // The cell's text, empty beyond the row's cells.
    QStringView cell(int row, int column) const;
    QStringList row(int index) const;

    CsvEncoding encoding() const { return m_encoding; }
    QChar separator() const { return m_separator; }

    // Built cell by cell, by the readers of other spreadsheet files: a cell
    // goes to the row being built, which endRow() keeps unless all its cells
    // are blank.
    void appendCell(QStringView text);
    void endRow();

private:
    friend CsvTable readCsv(QByteArrayView bytes);
    struct Span
    {
        qsizetype start;
        qsizetype length;
    };
    QString m_text;
    std::vector<Span> m_cells;
    std::vector<qsizetype> m_rowStart; // index of the row's first cell in m_cells
    int m_columns = 0;
    qsizetype m_openRow = -1; // index in m_cells of the row being built
    CsvEncoding m_encoding = CsvEncoding::Utf8;
    QChar m_separator = u';';
};

// UTF-8 with its mark, UTF-8 when every byte sequence is valid, otherwise Windows-1252.
CsvEncoding detectCsvEncoding(QByteArrayView bytes);
// The file's text by that encoding, without the mark.
QString decodeCsv(QByteArrayView bytes);
// ";", tab or "," (in that preference): the one that splits the first rows
// into the same number of cells, more than one; otherwise the one giving the
// first row most cells; ";" when none splits it.
QChar detectCsvSeparator(QStringView text);
// Cells split by the separator, rows by CR LF, LF or CR; a cell in double
// quotes may hold separators, line breaks and doubled quotes. A quote left
// open runs to the end of the file. Rows whose cells are all blank are skipped.
CsvTable readCsv(QByteArrayView bytes);
// The same from a file; a file that cannot be read throws pinakos::Failure.
CsvTable readCsvFile(const QString& path);

// What a column may fill: the sixteen exported fields (Capo .. Segnala, in
// the export's order) and the photo's file name.
constexpr int kImportTargets = 17;
constexpr int kImportPhoto = 16;
// The record field of target 0..15.
Campo importField(int target);
// The export's heading of target 0..15, "Foto" for the photo.
QString importTargetName(int target);

// The target a heading names: the export's own headings and plain Italian
// or English names ("Titolo", "Autore", "Artist", "Anno", "Year", "Prezzo",
// "Valore", "Price", "Foto" …), in any case, accents and punctuation aside;
// -1 for none.
int headingTarget(QStringView heading);

// For each target the column (0-based) that fills it, or -1.
using ImportMapping = std::array<int, kImportTargets>;
// Each target from the first column whose heading names it.
ImportMapping matchHeadings(const QStringList& headings);
// The export's order: column i fills target i.
ImportMapping positionalMapping();
// Whether a first row reads as headings: at least one cell names a target,
// and at least half of its non-blank cells do.
bool looksLikeHeadings(const QStringList& firstRow);

// The sold mark of a cell: "Sì", "si", "x", "1", "true", "venduta" in any
// case give true; anything else false.
bool soldMark(QStringView cell);

// A value as spreadsheets write it, made readable by the price rule: a euro
// sign or "EUR" and blanks dropped, thousands dots ("1.200,50") dropped, a
// decimal point followed by one or two digits ("1200.5") read as the comma.
// Anything else is left as it is.
QString importPriceText(QStringView cell);

// One row turned into a record by the sheet's rules: the price rule for the
// value, the sold mark, every other text cut to its slot in Windows-1252.
struct ImportedRow
{
    TSchedaOpera record;
    QString photo; // the photo column's file name, trimmed
    quint32 cut = 0; // bit t: target t's text was longer than its slot
    quint32 replaced = 0; // bit t: a character of target t's kept text is outside Windows-1252
    bool priceUnread = false; // a value the price rule could not read, kept as 0,00
};
ImportedRow importRow(const CsvTable& table, int row, const ImportMapping& mapping);

struct ImportCounts
{
    int rows = 0; // records made
    int cutFields = 0;
    int replacedFields = 0;
    int unreadPrices = 0;
    int changedRows = 0; // rows with a field cut or replaced, or a value not read
};

// The end message: "Importate N schede", then what was cut or replaced when anything was.
QString importMessage(const ImportCounts& counts);

// A change report line for a row: "Riga 7: Titolo opera tagliato; Note con caratteri sostituiti".
// Empty when nothing changed. sourceRow is 1-based among the rows read.
QString describeChanges(int sourceRow, const ImportedRow& r);

// Appends one record for every data row of the table (the first skipped when
// it holds headings) to the archive at path, in one step under the archive's
// append lock. A failure part way (a full disk, a read error) restores the
// archive to its bytes before the call and throws pinakos::Failure. onRow
// hears each row made (its table index and the result), before any write.
// Returns the counts; the first new record's number goes to *firstNumber.
ImportCounts importCsv(const QString& archivePath, const CsvTable& table, const ImportMapping& mapping,
                       bool firstRowHeadings, int* firstNumber = nullptr,
                       const std::function<void(int row, const ImportedRow&)>& onRow = {});

} // namespace pinakos
