#include "kit/HoverHints.h"

#include <QMouseEvent>

namespace pinakos {

void HoverHints::addHint(QWidget* w, const QString& hint)
{
    m_hints.insert(w, hint);
    w->setMouseTracking(true);
    w->installEventFilter(this);
}

void HoverHints::addBackground(QWidget* w)
{
    m_hints.insert(w, QString());
    w->setMouseTracking(true);
    w->installEventFilter(this);
}

bool HoverHints::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::MouseMove || e->type() == QEvent::Enter) {
        auto it = m_hints.constFind(o);
        // A background empties the line only when the pointer moves over it,
        // not when a window opens under a resting pointer.
        const bool write = it != m_hints.constEnd() && (e->type() == QEvent::MouseMove || !it.value().isEmpty());
        if (write && m_line->text() != it.value()) {
            m_line->setText(it.value());
            m_line->adjustSize();
        }
        // A move with no button held ends here: passed on to the parent (a
        // background) it would empty the line just written.
        if (e->type() == QEvent::MouseMove && static_cast<QMouseEvent*>(e)->buttons() == Qt::NoButton)
            return true;
    }
    return false;
}

} // namespace pinakos
