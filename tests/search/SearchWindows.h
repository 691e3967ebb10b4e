#pragma once
// Helpers shared by the tests of the search and unsold works windows.
#include "Gui.h"

#include "search/SummaryModel.h"

#include <QBuffer>
#include <QImageWriter>
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

// A small plain-coloured JPEG.
inline QByteArray jpegBytes(const QSize& size, const QColor& colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer b(&bytes);
    b.open(QIODevice::WriteOnly);
    QImageWriter(&b, "jpeg").write(image);
    return bytes;
}

} // namespace pinakos::test
