#pragma once
// Helpers for driving real windows in tests.
#include "FakeDialogs.h"
#include "TempFolder.h"

#include <QApplication>
#include <QColor>
#include <QListWidget>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <functional>

namespace pinakos::test {

// The child of w with that objectName; fails the test when missing.
template <class T = QWidget>
T* child(QWidget* w, const QString& name)
{
    T* c = w->findChild<T*>(name);
    if (!c)
        qWarning("no child named %s in %s", qPrintable(name), w->metaObject()->className());
    return c;
}

// Geometry of a control relative to the window's panContainer.
QRect placeOnPanel(QWidget* control);

// Compares a control's place on the panel with the one a layout table gives:
// the whole rectangle or, where the table gives no size (a control sized to
// its text), the top-left corner alone.
void comparePlace(QWidget* control, const QRect& place);

// Schedules fn for the modal window that the next call opens; fn receives it
// and usually closes it. Fails softly when no modal window appears within two
// seconds or before the test ends (fn is then never called).
void whenModalShown(std::function<void(QWidget*)> fn);

// Clicks a widget in its centre with the left button.
void click(QWidget* w);

// Sends w a pointer move to its centre with no button down, as hovering does.
void hover(QWidget* w);

// The colour w draws at the point `at` of its own area.
QColor pixelOf(QWidget* w, QPoint at);

// Types text into w key by key, as a keyboard sends it: each character with
// its text and, beyond ASCII, the key code of its upper-case form (è arrives
// as Qt::Key_Egrave with the text "è"). Box filters look at the text.
void typeKeys(QWidget* w, const QString& text);

// The texts of a list widget's lines, in order.
QStringList lines(const QListWidget* list);

// What one window test stands in: a fresh program folder and scripted
// dialogs, both in place while it lives.
struct TestBed
{
    TempFolder folder;
    FakeDialogs dialogs;
};

} // namespace pinakos::test
