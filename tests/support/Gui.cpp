#include "Gui.h"

#include <QTimer>

namespace pinakos::test {

QRect placeOnPanel(QWidget* control)
{
    QWidget* panel = control->parentWidget();
    while (panel && panel->objectName() != QLatin1String("panContainer"))
        panel = panel->parentWidget();
    if (!panel)
        return control->geometry();
    return QRect(control->mapTo(panel, QPoint(0, 0)), control->size());
}

void whenModalShown(std::function<void(QWidget*)> fn)
{
    auto tries = std::make_shared<int>(0);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [fn, tries, poll] {
        if (QWidget* m = QApplication::activeModalWidget()) {
            fn(m);
            return;
        }
        if (++*tries < 200)
            QTimer::singleShot(10, *poll);
        else
            qWarning("no modal window appeared");
    };
    QTimer::singleShot(0, *poll);
}

void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center()); }

void typeKeys(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(w, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace pinakos::test
