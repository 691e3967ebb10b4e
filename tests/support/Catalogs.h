#pragma once
// Small catalog fixtures for tests.
#include "store/SchedaOpera.h"

#include <QList>
#include <QString>

namespace pinakos::test {

// A record with title, artist and value filled and the sold mark set.
TSchedaOpera makeRecord(const QString& title, const QString& artist, const QString& price, bool sold = false);

// Writes programFolder() + name + ".art" holding the records in order; returns its path.
QString makeCatalog(const QString& name, const QList<TSchedaOpera>& records = {});

} // namespace pinakos::test
