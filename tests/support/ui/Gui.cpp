#include "Gui.h"

#include <QMouseEvent>
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

void comparePlace(QWidget* control, const QRect& place)
{
    const QRect at = placeOnPanel(control);
    if (place.isEmpty())
        QCOMPARE(at.topLeft(), place.topLeft());
    else
        QCOMPARE(at, place);
}

namespace {

// The test function (and data row) now running: a poll left over from an
// earlier test must not call into that test's finished frame.
QString runningTest()
{
    return QString::fromLatin1(QTest::currentTestFunction()) + u'/' + QString::fromLatin1(QTest::currentDataTag());
}

// Looks for the modal window every 10 ms, `triesLeft` more times. Each timer
// owns the function only until it has run, so nothing keeps itself alive.
void pollForModal(std::function<void(QWidget*)> fn, const QString& test, int triesLeft)
{
    if (runningTest() != test) {
        qWarning("no modal window appeared in %s", qPrintable(test));
        return;
    }
    if (QWidget* m = QApplication::activeModalWidget()) {
        fn(m);
        return;
    }
    if (triesLeft <= 0) {
        qWarning("no modal window appeared");
        return;
    }
    QTimer::singleShot(10, qApp, [fn = std::move(fn), test, triesLeft]() mutable {
        pollForModal(std::move(fn), test, triesLeft - 1);
    });
}

} // namespace

void whenModalShown(std::function<void(QWidget*)> fn)
{
    QTimer::singleShot(
        0, qApp, [fn = std::move(fn), test = runningTest()]() mutable { pollForModal(std::move(fn), test, 200); });
}

void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center()); }

void hover(QWidget* w)
{
    const QPointF centre(w->rect().center());
    QMouseEvent move(QEvent::MouseMove, centre, w->mapToGlobal(centre), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

QColor pixelOf(QWidget* w, QPoint at) { return w->grab().toImage().pixelColor(at); }

QStringList lines(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void typeKeys(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(w, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
    }
}

} // namespace pinakos::test
