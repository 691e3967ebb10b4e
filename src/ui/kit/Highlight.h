#pragma once
#include <QWidget>

namespace pinakos {

// The yellow frame drawn around a text box while it has the focus.
class Highlight : public QWidget
{
    Q_OBJECT
public:
    Highlight(QWidget* parent, const QString& name, const QRect& geometry, QWidget* box);

protected:
    void paintEvent(QPaintEvent*) override;
    bool eventFilter(QObject* o, QEvent* e) override;
};

} // namespace pinakos
