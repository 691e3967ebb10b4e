#pragma once
#include <QHash>
#include <QLabel>
#include <QObject>

namespace pinakos {

// The information line of a window: the pointer over a control with a hint
// shows the hint, over a background element empties the line, anything else
// leaves it as it is.
class HoverHints : public QObject
{
    Q_OBJECT
public:
    HoverHints(QObject* parent, QLabel* line) : QObject(parent), m_line(line) {}
    void addHint(QWidget* w, const QString& hint);
    void addBackground(QWidget* w);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QLabel* m_line;
    QHash<QObject*, QString> m_hints;
};

} // namespace pinakos
