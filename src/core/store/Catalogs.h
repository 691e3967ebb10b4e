#pragma once
// Catalogs in the program folder: naming, listing, creation and deletion.
// A catalog is the archive file <name>.art in the program folder.
#include <QString>
#include <QStringList>

namespace pinakos {

// The archive files of a folder by their file names ("Paesaggi.art"): files
// only, ending in ".art" in any letter case, no sub-folders; in list order.
QStringList listCatalogs(const QString& folder);

// "Sono stati creati N cataloghi di opere d'arte."
QString countLine(int count);

// A list line without its last four characters (the extension).
QString catalogName(const QString& line);
// programFolder() + the list line, trimmed.
QString catalogPathOfLine(const QString& line);
// programFolder() + name + ".art".
QString catalogPathOfName(const QString& name);

// Whether `name` can name a catalog file here and on Windows: no path
// separator or character Windows refuses (< > : " / \ | ? *), no control
// character, no reserved device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9,
// also with an extension), no trailing dot, and a file name and path that
// are not too long. An empty name is not valid either.
bool isValidCatalogName(const QString& name);

// Whether the folder already holds an entry named name + ".art", letters
// compared without regard to case (as Windows and FAT do).
bool catalogExists(const QString& folder, const QString& name);

// Creates the empty archive; never touches an existing file. Throws
// pinakos::Failure with the file system's reason when it cannot.
void createCatalog(const QString& path);

// Deletes the archive file only. Throws pinakos::Failure with the reason.
void deleteCatalog(const QString& path);

} // namespace pinakos
