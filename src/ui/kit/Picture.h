#pragma once
#include <QColor>
#include <QPixmap>
#include <QWidget>

class QSvgRenderer;

namespace pinakos {

// A picture drawn from an SVG or bitmap resource; clickable ones show the hand
// cursor and report clicks. Also reports press and release for link colours.
class Picture : public QWidget
{
    Q_OBJECT
public:
    Picture(QWidget* parent, const QString& name, const QString& resource, const QRect& geometry,
            bool clickable = false);
    void setResource(const QString& resource);
    QString resource() const { return m_resource; }
    bool isClickable() const { return m_clickable; }

Q_SIGNALS:
    void clicked();
    void pressedChanged(bool pressed);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QString m_resource;
    QSvgRenderer* m_svg = nullptr;
    QPixmap m_pixmap;
    bool m_clickable;
};

// A rectangle with a solid or vertical-gradient fill and an outline.
class Shape : public QWidget
{
    Q_OBJECT
public:
    Shape(QWidget* parent, const QString& name, const QRect& geometry, const QColor& fill,
          const QColor& outline = QColor());
    void setGradient(const QColor& top, const QColor& bottom);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor m_fill, m_fill2, m_outline;
};

} // namespace pinakos
