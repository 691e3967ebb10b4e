#pragma once
// Reads back the workbooks of the catalog export, independently of the
// writers: the ZIP with libzip, the XML with Qt's stream reader, into one
// shape for both kinds, so that tests can compare them cell by cell.
#include <QList>
#include <QString>
#include <QStringList>

namespace pinakos::test {

struct BookCell
{
    QString type; // "text", "number" or "" (no cell, or an empty one)
    QString text; // the text, line breaks as "\n"; a number's value as written
    bool bold = false;
    QString format; // the number format's code or pattern, for numbers
};

struct Book
{
    QStringList entries; // the package's entries in order
    QStringList sheets;
    QList<QList<BookCell>> rows; // the first sheet's, row by row
    QString frozenAt; // the first scrolling cell ("A2"), empty when nothing is frozen
    QString filter; // the autofilter's range ("A1:P3")
    QList<double> widths; // the columns' widths in pixels, as near as the file's unit allows
    QString error; // what could not be read
};

// The entry `name` of the ZIP file at `path`; empty when missing.
QByteArray zipEntry(const QString& path, const QString& name);

Book readXlsx(const QString& path);
Book readOds(const QString& path);

} // namespace pinakos::test
