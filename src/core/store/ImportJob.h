#pragma once
// A whole import: the spreadsheet read again and checked against what the
// user saw, the photos that come with it, the records appended in one step
// and a report of what the sheet's rules changed.
#include "store/Import.h"

#include <QString>

namespace pinakos {

struct ImportRequest
{
    QString archivePath; // the catalog's archive
    QString catalogName; // for the photo rule and the report's name
    ImportMapping mapping{};
    bool firstRowHeadings = false;
    QString photoFolder; // where the photo column's files are; empty for none
    bool createArchive = false; // a new catalog: made here, and gone again if the import fails
};

struct ImportResult
{
    ImportCounts counts;
    int firstNumber = 0; // the first new record's number
    int photosCopied = 0;
    int photosMissing = 0; // named in the file but not found in the folder, or not a JPEG
    QString reportPath; // empty when there was nothing to report, or it could not be written
};

// A spreadsheet file as the import window shows it: its cells, and a
// fingerprint of the bytes they were read from.
struct ImportSource
{
    QString path;
    CsvTable table;
    QByteArray fingerprint;
};
// Reads the file once. A file that cannot be read, or not as a spreadsheet,
// throws pinakos::Failure.
ImportSource readImportSource(const QString& path);
// The fingerprint of the file as it is now, read in blocks; throws
// pinakos::Failure when it cannot be read.
QByteArray importFingerprint(const QString& path);

// The photo a cell names, in `folder`: the cell's file name (any folder
// part dropped), matched exactly or in any letter case, then with ".jpg" or
// ".jpeg" added. Empty when there is none.
QString findPhoto(const QString& folder, const QString& cell);

// Runs the import. The file must still hold the bytes `source` was read
// from, the table the choices were made on; the matched JPEG photos are
// copied, bytes unchanged, under temporary names in the photo folder; the
// records are appended in one step; only then do the photos take the names
// the photo rule gives the new records' numbers. A failure up to the append
// (the file changed or unreadable, a photo that cannot be copied, a full
// disk) leaves the archive and the photo folder as they were and throws
// pinakos::Failure. The report lists each row the rules changed and each
// photo not found; it goes beside the archive.
ImportResult importFile(const ImportRequest& request, const ImportSource& source);

// The end message: "Importate N schede", what was cut or replaced, the
// photos, and the report's file name.
QString importMessage(const ImportResult& result);

} // namespace pinakos
