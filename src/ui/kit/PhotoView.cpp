#include "kit/PhotoView.h"

#include <QMouseEvent>
#include <QPainter>

namespace pinakos {

PhotoView::PhotoView(QWidget* parent, const QString& name, const QRect& geometry, bool clickable)
    : QWidget(parent)
    , m_clickable(clickable)
{
    setObjectName(name);
    setGeometry(geometry);
    if (clickable)
        setCursor(Qt::PointingHandCursor);
}

void PhotoView::setPhoto(const SheetPhoto& photo)
{
    m_photo = photo;
    m_scaled = QPixmap();
    update();
}

void PhotoView::paintEvent(QPaintEvent*)
{
    if (m_photo.isNull())
        return;
    const QRect target = drawnRect();
    if (target.isEmpty())
        return;
    if (m_scaled.size() != target.size())
        m_scaled = QPixmap::fromImage(m_photo.imageFor(target.size()));
    QPainter p(this);
    p.drawPixmap(target.topLeft(), m_scaled);
}

void PhotoView::mouseReleaseEvent(QMouseEvent* e)
{
    if (m_clickable && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        Q_EMIT clicked();
    QWidget::mouseReleaseEvent(e);
}

} // namespace pinakos
