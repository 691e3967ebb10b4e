#pragma once
// Helpers shared by the tests of the search and unsold works windows.
#include "Catalogs.h"
#include "Gui.h"
#include "SheetWindow.h"

#include "store/SchedaOpera.h"

#include "search/SummaryModel.h"

#include <QListView>
#include <QScrollBar>
#include <QTest>

namespace pinakos::test {

// The lines a list view shows, in order.
inline QStringList shownLines(QListView* v)
{
    QStringList out;
    for (int i = 0; i < v->model()->rowCount(); ++i)
        out << v->model()->index(i, 0).data().toString();
    return out;
}

inline int selectedRow(QListView* v)
{
    const QModelIndexList s = v->selectionModel()->selectedIndexes();
    return s.isEmpty() ? -1 : s.first().row();
}

// Double-clicks line `row` of the list as a person would: the line comes into
// view, a click selects it, a double-click opens it.
inline void doubleClickLine(QListView* v, int row)
{
    const QModelIndex index = v->model()->index(row, 0);
    v->scrollTo(index);
    const QPoint at(20, v->visualRect(index).center().y());
    QTest::mouseClick(v->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(v->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

// A catalog of those records in the program folder, opened in the sheet
// window as the catalog window opens it; true once the sheet is active.
inline bool openCatalog(const QString& name, const QList<TSchedaOpera>& records)
{
    makeCatalog(name, records);
    return showSheetOn(name);
}

// A work with a title, an artist, a value and a sold mark.
inline TSchedaOpera work(const QString& title, const QString& artist, const QString& price, const QString& mark)
{
    TSchedaOpera r = makeRecord(title, artist, price);
    r.setText(Campo::Segnala, mark);
    return r;
}

} // namespace pinakos::test
