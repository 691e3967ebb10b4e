#include "search/ResultList.h"

#include "kit/Dialogs.h"
#include "kit/Guard.h"
#include "kit/Layout.h"
#include "kit/Picture.h"
#include "kit/Printing.h"
#include "kit/Sheet.h"
#include "search/Search.h"
#include "search/SummaryModel.h"

#include <QItemSelectionModel>
#include <QMouseEvent>

namespace pinakos {

namespace {

constexpr int kItemWidth = 1600;

// Hands a double-click with the left button on the list's area to its handler.
class DoubleClicks : public QObject
{
public:
    DoubleClicks(QObject* parent, std::function<void()> handler) : QObject(parent), m_handler(std::move(handler)) {}
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() != QEvent::MouseButtonDblClick || static_cast<QMouseEvent*>(e)->button() != Qt::LeftButton)
            return false;
        m_handler();
        return true;
    }

private:
    std::function<void()> m_handler;
};

} // namespace

void ResultList::buildResults(QWidget* p, const QString& banner)
{
    const QFont verdana = appFont(QStringLiteral("Verdana"), 11);
    imgLogo = new Picture(p, QStringLiteral("imgLogo"), banner, QRect(8, 8, 817, 53));
    lblRigo01 = makeLabel(p, QStringLiteral("lblRigo01"),
                          QStringLiteral("Immettere una o più parole consecutive presenti nella scheda in elenco da "
                                         "cercare e premere il pulsante Trova."),
                          QPoint(8, 66), verdana, Qt::white);
    lblRigo02 = makeLabel(p, QStringLiteral("lblRigo02"),
                          QStringLiteral("Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, "
                                         "fare di nuovo clic su Trova."),
                          QPoint(8, 82), verdana, Qt::white);
    shpLente = new Shape(p, QStringLiteral("shpLente"), QRect(8, 104, 81, 57), Qt::white);
    imgLente = new Picture(p, QStringLiteral("imgLente"), art("lente"), QRect(16, 112, 64, 41));
    shpSfondo = new Shape(p, QStringLiteral("shpSfondo"), QRect(96, 104, 729, 57), QColor());
    shpSfondo->setGradient(Qt::black, Qt::white);
    txtTrova = new QLineEdit(p);
    txtTrova->setObjectName(QStringLiteral("txtTrova"));
    txtTrova->setGeometry(112, 122, 593, 22);
    txtTrova->setFont(appFont(QStringLiteral("Verdana"), 12, true));
    btnTrova = makeButton(p, QStringLiteral("btnTrova"), QStringLiteral("Trova"), QRect(710, 117, 105, 30));
    shpLista = new Shape(p, QStringLiteral("shpLista"), QRect(8, 168, 817, 313), QColor());
    shpLista->setGradient(Qt::black, Qt::white);

    lines = new SummaryModel(p);
    lines->setItemFont(appFont(QStringLiteral("Courier New"), 12));
    lstRecords = new QListView(p);
    lstRecords->setObjectName(QStringLiteral("lstRecords"));
    lstRecords->setGeometry(16, 176, 801, 273);
    lstRecords->setUniformItemSizes(true);
    lstRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    lstRecords->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstRecords->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    lstRecords->setWordWrap(false);
    lstRecords->setTextElideMode(Qt::ElideNone);
    lstRecords->setModel(lines);

    lblRigo03 = makeLabel(p, QStringLiteral("lblRigo03"),
                          QStringLiteral("Per richiamare i dati di una scheda, selezionarla con un doppio clic."),
                          QPoint(16, 456), verdana, argb(0xFFDC143C));
    btnChiudi = makeButton(p, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QRect(8, 488, 150, 30));
    btnStampa = makeButton(p, QStringLiteral("btnStampa"), QStringLiteral("Stampa"), QRect(675, 488, 150, 30));
}

int ResultList::selectedLine() const
{
    const QModelIndexList selected = lstRecords->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void ResultList::showLines(SummaryList list)
{
    list.sort();
    lines->setList(std::move(list));
    lines->setItemWidth(kItemWidth);
    lstRecords->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lstRecords->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void ResultList::emptyList() { lines->clear(); }

void ResultList::findInList(QWidget* window, QString& lastKey)
{
    FindOutcome found{FindOutcome::NotFound, -1};
    // Find in list says nothing of its failures.
    if (!runSilently([&] { found = pinakos::findInList(lines->list(), selectedLine(), txtTrova->text(), lastKey); }))
        return;
    if (found.kind == FindOutcome::EmptyList) {
        dialogs().message(window, QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
        return;
    }
    const QModelIndex line = lines->index(found.row);
    lstRecords->selectionModel()->setCurrentIndex(line, QItemSelectionModel::ClearAndSelect);
    lstRecords->scrollTo(line);
}

void ResultList::printLines(QWidget* window, const QString& title) { printList(window, title, lines->list().lines()); }

void ResultList::openSelected(Sheet* sheet)
{
    const int row = selectedLine();
    if (row < 0 || !sheet)
        return;
    const SummaryList& list = lines->list();
    openLine(sheet->catalogPath(), list.record(row), list.bytes(row),
             [sheet](int n, const TSchedaOpera& r) { sheet->showRecord(n, r); });
}

void ResultList::onListDoubleClick(std::function<void()> handler)
{
    lstRecords->viewport()->installEventFilter(new DoubleClicks(lstRecords->viewport(), std::move(handler)));
}

} // namespace pinakos
