#include "kit/FieldKeys.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace pinakos {

void FieldKeys::setNext(QWidget* box, QWidget* next)
{
    m_next.insert(box, next);
    box->installEventFilter(this);
}

void FieldKeys::setAccept(QWidget* box, std::function<bool(QChar)> accept)
{
    m_accept.insert(box, std::move(accept));
    box->installEventFilter(this);
}

void FieldKeys::setReject(QWidget* box, std::function<bool(QChar)> reject)
{
    m_reject.insert(box, std::move(reject));
    box->installEventFilter(this);
}

void FieldKeys::setEnterAction(QWidget* box, std::function<void()> action)
{
    m_enter.insert(box, std::move(action));
    box->installEventFilter(this);
}

bool FieldKeys::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() != QEvent::KeyPress)
        return false;
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
        if (auto a = m_enter.find(o); a != m_enter.end()) {
            a.value()();
            return true;
        }
        if (auto n = m_next.find(o); n != m_next.end()) {
            if (n.value())
                n.value()->setFocus(Qt::OtherFocusReason);
            return true;
        }
        return false;
    }
    if (auto rej = m_reject.find(o); rej != m_reject.end()) {
        const QString t = k->text();
        return t.size() == 1 && rej.value()(t.at(0));
    }
    auto acc = m_accept.find(o);
    if (acc == m_accept.end())
        return false;
    switch (k->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return false;
    default:
        break;
    }
    const QString t = k->text();
    if (t.size() == 1 && acc.value()(t.at(0)))
        return false;
    return true; // every other press is discarded
}

} // namespace pinakos
