#pragma once
// Small catalog fixtures for tests.
#include "store/SchedaOpera.h"

#include <QColor>
#include <QList>
#include <QSize>
#include <QString>
#include <vector>

namespace pinakos::test {

// A record with title, artist and value filled and the sold mark set.
TSchedaOpera makeRecord(const QString& title, const QString& artist, const QString& price, bool sold = false);

// The archive of the catalog `name` in the program folder: programFolder() + name + ".art".
QString catalogFile(const QString& name);

// Writes catalogFile(name) holding the records in order; returns its path.
QString makeCatalog(const QString& name, const QList<TSchedaOpera>& records = {});

// Every record of the archive at path, first to last.
std::vector<TSchedaOpera> readRecords(const QString& path);

// The bytes of a JPEG file of that size filled with one colour: a photo to
// put beside a record.
QByteArray jpegOf(const QSize& size, QColor colour);

} // namespace pinakos::test
