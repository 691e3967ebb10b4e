#pragma once
#include <QLabel>

namespace pinakos {

class Picture;

// A link text: dark blue, orange while a mouse button is held on it (or on its
// icon, see attachIcon), hand cursor.
class LinkLabel : public QLabel
{
    Q_OBJECT
public:
    LinkLabel(QWidget* parent, const QString& name, const QString& text, const QPoint& pos, const QFont& font);
    void setPressed(bool pressed);
    void attachIcon(Picture* icon);

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
};

} // namespace pinakos
