#pragma once
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace pinakos {

// One filter for a window's text boxes: Enter moves along a chain, and a box
// may accept only some typed characters (Backspace, Delete, Left and Right
// always pass in a filtered box; Tab is the window's).
class FieldKeys : public QObject
{
    Q_OBJECT
public:
    explicit FieldKeys(QObject* parent) : QObject(parent) {}
    void setNext(QWidget* box, QWidget* next);
    void setAccept(QWidget* box, std::function<bool(QChar)> accept);
    // A typed character for which reject is true is discarded; every other
    // key press passes (navigation, shortcuts, paste).
    void setReject(QWidget* box, std::function<bool(QChar)> reject);
    // Enter in box runs action instead of moving (action decides what to do).
    void setEnterAction(QWidget* box, std::function<void()> action);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QHash<QObject*, QPointer<QWidget>> m_next;
    QHash<QObject*, std::function<bool(QChar)>> m_accept;
    QHash<QObject*, std::function<bool(QChar)>> m_reject;
    QHash<QObject*, std::function<void()>> m_enter;
};

} // namespace pinakos
