#pragma once
// Helpers shared by the tests of the search and unsold works windows.
#include "Catalogs.h"
#include "Gui.h"
#include "SheetWindow.h"

#include "store/SchedaOpera.h"

#include "search/SummaryModel.h"

#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <functional>

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

// The controls of the find-in-list view, alike in both windows, as rows of
// their layout tables: name, class, place (an empty size: sized to its text)
// and text. The search window adds its count of lines.
inline void listViewRows(const std::function<void(const char*, const QString&, QRect, const QString&)>& row)
{
    const QString shape = QStringLiteral("pinakos::Shape"), picture = QStringLiteral("pinakos::Picture"),
                  label = QStringLiteral("QLabel"), button = QStringLiteral("QPushButton");
    auto at = [](int x, int y) { return QRect(QPoint(x, y), QSize()); };
    row("imgLogo", picture, QRect(8, 8, 817, 53), {});
    row("lblRigo01", label, at(8, 66),
        QStringLiteral("Immettere una o più parole consecutive presenti nella scheda in elenco da cercare e premere "
                       "il pulsante Trova."));
    row("lblRigo02", label, at(8, 82),
        QStringLiteral("Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, fare di nuovo "
                       "clic su Trova."));
    row("shpLente", shape, QRect(8, 104, 81, 57), {});
    row("imgLente", picture, QRect(16, 112, 64, 41), {});
    row("shpSfondo", shape, QRect(96, 104, 729, 57), {});
    row("txtTrova", QStringLiteral("QLineEdit"), QRect(112, 122, 593, 22), {});
    row("btnTrova", button, QRect(710, 117, 105, 30), QStringLiteral("Trova"));
    row("shpLista", shape, QRect(8, 168, 817, 313), {});
    row("lstRecords", QStringLiteral("QListView"), QRect(16, 176, 801, 273), {});
    row("lblRigo03", label, at(16, 456),
        QStringLiteral("Per richiamare i dati di una scheda, selezionarla con un doppio clic."));
    row("btnChiudi", button, QRect(8, 488, 150, 30), QStringLiteral("Chiudi"));
    row("btnStampa", button, QRect(675, 488, 150, 30), QStringLiteral("Stampa"));
}

// Compares a control with its row of a layout table: its class, its place
// (the top-left alone where the row's size is empty) and, for a label or a
// button, its text; a button shows the hand.
inline void compareControl(QWidget* w, const QString& kind, const QRect& place, const QString& text)
{
    QCOMPARE(QString::fromLatin1(w->metaObject()->className()), kind);
    if (place.size().isEmpty())
        QCOMPARE(w->pos(), place.topLeft());
    else
        QCOMPARE(w->geometry(), place);
    if (auto* l = qobject_cast<QLabel*>(w))
        QCOMPARE(l->text(), text);
    if (auto* b = qobject_cast<QPushButton*>(w)) {
        QCOMPARE(b->text(), text);
        QCOMPARE(b->cursor().shape(), Qt::PointingHandCursor);
    }
}

// The named controls in the order the focus reaches them from `from`.
inline QStringList focusOrder(QWidget* from, const QStringList& named)
{
    QStringList chain;
    QWidget* w = from;
    for (int i = 0; i < 200 && chain.size() < named.size(); ++i, w = w->nextInFocusChain())
        if (named.contains(w->objectName()) && !chain.contains(w->objectName()))
            chain << w->objectName();
    return chain;
}

} // namespace pinakos::test
