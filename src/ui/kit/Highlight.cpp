#include "kit/Highlight.h"

#include <QEvent>
#include <QPainter>

namespace pinakos {

Highlight::Highlight(QWidget* parent, const QString& name, const QRect& geometry, QWidget* box) : QWidget(parent)
{
    setObjectName(name);
    setGeometry(geometry);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
    box->installEventFilter(this);
    // The frame stands behind its box.
    stackUnder(box);
}

void Highlight::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QColor yellow(0xFF, 0xFF, 0x00);
    // A yellow fill inside an outline that fades from white at the edge to yellow.
    for (int i = 0; i < 3; ++i) {
        p.setPen(QColor::fromRgbF(1.0, 1.0, 1.0 - i / 3.0));
        p.drawRect(rect().adjusted(i, i, -1 - i, -1 - i));
    }
    p.fillRect(rect().adjusted(3, 3, -3, -3), yellow);
}

bool Highlight::eventFilter(QObject*, QEvent* e)
{
    if (e->type() == QEvent::FocusIn)
        show();
    else if (e->type() == QEvent::FocusOut)
        hide();
    return false;
}

} // namespace pinakos
