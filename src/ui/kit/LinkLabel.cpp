#include "kit/LinkLabel.h"

#include "kit/Picture.h"

#include <QMouseEvent>

namespace pinakos {

static const QColor kLinkBlue(0x00, 0x00, 0x8B);
static const QColor kLinkOrange(0xFF, 0xA5, 0x00);

LinkLabel::LinkLabel(QWidget* parent, const QString& name, const QString& text, const QPoint& pos, const QFont& font)
    : QLabel(text, parent)
{
    setObjectName(name);
    setFont(font);
    setCursor(Qt::PointingHandCursor);
    setPressed(false);
    adjustSize();
    move(pos);
}

void LinkLabel::setPressed(bool pressed)
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, pressed ? kLinkOrange : kLinkBlue);
    setPalette(pal);
}

void LinkLabel::attachIcon(Picture* icon) { connect(icon, &Picture::pressedChanged, this, &LinkLabel::setPressed); }

void LinkLabel::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        setPressed(true);
    QLabel::mousePressEvent(e);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return QLabel::mouseReleaseEvent(e);
    setPressed(false);
    if (rect().contains(e->position().toPoint()))
        Q_EMIT clicked();
}

} // namespace pinakos
