#include "kit/Picture.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

namespace pinakos {

Picture::Picture(QWidget* parent, const QString& name, const QString& resource, const QRect& geometry, bool clickable)
    : QWidget(parent)
    , m_clickable(clickable)
{
    setObjectName(name);
    setGeometry(geometry);
    if (clickable)
        setCursor(Qt::PointingHandCursor);
    setResource(resource);
}

void Picture::setResource(const QString& resource)
{
    m_resource = resource;
    delete m_svg;
    m_svg = nullptr;
    m_pixmap = QPixmap();
    if (resource.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        m_svg = new QSvgRenderer(resource, this);
        m_svg->setAspectRatioMode(Qt::KeepAspectRatio);
    } else if (!resource.isEmpty()) {
        m_pixmap.load(resource);
    }
    update();
}

void Picture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_svg && m_svg->isValid())
        m_svg->render(&p, QRectF(rect()));
    else if (!m_pixmap.isNull())
        p.drawPixmap(rect(), m_pixmap);
}

void Picture::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        Q_EMIT pressedChanged(true);
    QWidget::mousePressEvent(e);
}

void Picture::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(e);
    Q_EMIT pressedChanged(false);
    if (m_clickable && rect().contains(e->position().toPoint()))
        Q_EMIT clicked();
}

// ---------------------------------------------------------------- Shape

Shape::Shape(QWidget* parent, const QString& name, const QRect& geometry, const QColor& fill, const QColor& outline)
    : QWidget(parent)
    , m_fill(fill)
    , m_outline(outline)
{
    setObjectName(name);
    setGeometry(geometry);
}

void Shape::setGradient(const QColor& top, const QColor& bottom)
{
    m_fill = top;
    m_fill2 = bottom;
    update();
}

void Shape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_fill2.isValid()) {
        QLinearGradient g(0, 0, 0, height());
        g.setColorAt(0, m_fill);
        g.setColorAt(1, m_fill2);
        p.fillRect(rect(), g);
    } else if (m_fill.isValid()) {
        p.fillRect(rect(), m_fill);
    }
    if (m_outline.isValid()) {
        p.setPen(m_outline);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

} // namespace pinakos
