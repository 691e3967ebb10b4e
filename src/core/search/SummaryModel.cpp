#include "search/SummaryModel.h"

#include <QBrush>
#include <QColor>
#include <QFontMetrics>
#include <QSize>

namespace pinakos {

SummaryModel::SummaryModel(QObject* parent) : QAbstractListModel(parent) {}

void SummaryModel::setList(SummaryList list)
{
    beginResetModel();
    m_list = std::move(list);
    endResetModel();
}

void SummaryModel::clear() { setList(SummaryList()); }

void SummaryModel::setItemFont(const QFont& font)
{
    m_font = font;
    m_itemHeight = 0;
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0), index(rowCount() - 1), {Qt::FontRole, Qt::SizeHintRole});
}

void SummaryModel::setItemWidth(int width)
{
    m_itemWidth = width;
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0), index(rowCount() - 1), {Qt::SizeHintRole});
}

int SummaryModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_list.size(); }

QVariant SummaryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_list.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_list.line(index.row());
    case Qt::FontRole:
        return m_font;
    case Qt::ForegroundRole:
        return QBrush(Qt::black);
    case Qt::SizeHintRole:
        if (m_itemWidth <= 0)
            return {};
        // One line of text and a pixel of room above and below it.
        if (m_itemHeight == 0)
            m_itemHeight = QFontMetrics(m_font).height() + 2;
        return QSize(m_itemWidth, m_itemHeight);
    default:
        return {};
    }
}

} // namespace pinakos
