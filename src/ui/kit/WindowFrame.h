#pragma once
#include <QColor>
#include <QPoint>
#include <QScrollArea>

class QStackedWidget;

namespace pinakos {

// The inside of a window: a scroll area filling it, and in it the panel of a
// fixed size, centred (or at a fixed point). When the window is smaller than
// the panel (a small screen, a large text scale) the panel keeps its size and
// the scroll bars appear, so that every control can still be reached; a
// control that takes the focus is brought into view. At the design size
// nothing scrolls. Panels that take turns in the same place sit in a stack.
//
// The frame draws nothing itself: the window's gradient shows through.
class WindowFrame : public QScrollArea
{
    Q_OBJECT
public:
    explicit WindowFrame(QWidget* window);

    // The first panel, on which the window builds its controls.
    QWidget* panel() const { return m_panel; }

    void setPanelSize(const QSize& size);
    // Places the panel at a fixed point instead of centring it.
    void setPanelPos(const QPoint& at);
    // Another panel of the panel's size that takes turns with it in its
    // place; the first panel stays the one shown.
    void addPanel(QWidget* other);
    // Shows `panel` (the first one or one added) in the panels' place.
    void showPanel(QWidget* panel);
    // Whether a window smaller than the panel scrolls (the default) or just
    // centres the panel, cutting off what does not fit.
    void setScrolling(bool on);

    // Fills the window; called when its size changes.
    void fillWindow();
    // Scrolls the least needed to bring `w` (on a panel) into view.
    void bringIntoView(QWidget* w);
    // Lets the wheel turned anywhere over the window scroll it.
    bool scrollByWheel(QWheelEvent* e);

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    QSize needed() const;
    QSize viewFor(const QSize& area) const;
    void placePanels();
    QWidget* front() const;

    QWidget* m_canvas = nullptr;
    QWidget* m_panel = nullptr;
    QStackedWidget* m_stack = nullptr; // only once a second panel comes
    bool m_scrolling = true;
    bool m_fixed = false;
    QPoint m_fixedPos;
};

} // namespace pinakos
