#pragma once
// A list of summary lines as a list model: the view asks only for the lines
// it shows, each drawn in the list's own font and in black.

#include "search/SummaryList.h"

#include <QAbstractListModel>
#include <QFont>

namespace pinakos {

class SummaryModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit SummaryModel(QObject* parent = nullptr);

    // Takes the lines (already sorted) and shows them.
    void setList(SummaryList list);
    void clear();
    const SummaryList& list() const { return m_list; }

    // The font of every item, used instead of the view's.
    void setItemFont(const QFont& font);
    // The width of every item (0: as wide as its text), so that long lines
    // need not wrap and the view scrolls sideways.
    void setItemWidth(int width);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    SummaryList m_list;
    QFont m_font;
    int m_itemWidth = 0;
    mutable int m_itemHeight = 0;
};

} // namespace pinakos
