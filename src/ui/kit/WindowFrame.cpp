#include "kit/WindowFrame.h"

#include <QApplication>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStyle>
#include <QWheelEvent>

namespace pinakos {

namespace {

void seeThrough(QWidget* w) { w->setAutoFillBackground(false); }

} // namespace

WindowFrame::WindowFrame(QWidget* window) : QScrollArea(window)
{
    setObjectName(QStringLiteral("scrFinestra"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFocusPolicy(Qt::NoFocus);
    horizontalScrollBar()->setObjectName(QStringLiteral("scrOrizzontale"));
    verticalScrollBar()->setObjectName(QStringLiteral("scrVerticale"));
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
        bar->setFocusPolicy(Qt::NoFocus);
        bar->setSingleStep(20);
    }
    seeThrough(this);
    seeThrough(viewport());

    m_canvas = new QWidget;
    m_canvas->setObjectName(QStringLiteral("panCornice"));
    m_panel = new QWidget(m_canvas);
    m_panel->setObjectName(QStringLiteral("panContainer"));
    setWidget(m_canvas);
    seeThrough(m_canvas); // the scroll area fills its widget; this one it must not

    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && m_canvas->isAncestorOf(now))
            bringIntoView(now);
    });
    fillWindow();
}

void WindowFrame::setPanelSize(const QSize& size)
{
    if (m_stack) {
        m_stack->resize(size);
        for (int i = 0; i < m_stack->count(); ++i)
            m_stack->widget(i)->setGeometry(QRect(QPoint(), size));
    } else {
        m_panel->resize(size);
    }
    placePanels();
}

void WindowFrame::setPanelPos(const QPoint& at)
{
    m_fixed = true;
    m_fixedPos = at;
    placePanels();
}

void WindowFrame::addPanel(QWidget* other)
{
    if (!m_stack) {
        m_stack = new QStackedWidget(m_canvas);
        m_stack->setObjectName(QStringLiteral("stkPannelli"));
        seeThrough(m_stack);
        m_stack->resize(m_panel->size());
        m_stack->addWidget(m_panel);
    }
    m_stack->addWidget(other);
    m_stack->setCurrentWidget(m_panel);
    // Each page fills the stack at once, before its layout first runs.
    m_panel->move(0, 0);
    other->setGeometry(m_panel->geometry());
    placePanels();
}

void WindowFrame::showPanel(QWidget* panel)
{
    if (m_stack && m_stack->indexOf(panel) >= 0)
        m_stack->setCurrentWidget(panel);
}

void WindowFrame::setScrolling(bool on)
{
    m_scrolling = on;
    const Qt::ScrollBarPolicy policy = on ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    setHorizontalScrollBarPolicy(policy);
    setVerticalScrollBarPolicy(policy);
    placePanels();
}

void WindowFrame::fillWindow() { placePanels(); }

void WindowFrame::bringIntoView(QWidget* w)
{
    const bool scrolls = horizontalScrollBar()->maximum() > 0 || verticalScrollBar()->maximum() > 0;
    if (scrolls && w->isVisibleTo(m_canvas))
        ensureWidgetVisible(w, 8, 8);
}

bool WindowFrame::scrollByWheel(QWheelEvent* e)
{
    QScrollBar* bar = verticalScrollBar()->maximum() > 0 ? verticalScrollBar()
        : horizontalScrollBar()->maximum() > 0           ? horizontalScrollBar()
                                                         : nullptr;
    if (!bar)
        return false;
    QCoreApplication::sendEvent(bar, e);
    return true;
}

void WindowFrame::resizeEvent(QResizeEvent* e)
{
    QScrollArea::resizeEvent(e);
    placePanels();
}

QWidget* WindowFrame::front() const { return m_stack ? static_cast<QWidget*>(m_stack) : m_panel; }

// The room the panels need: their size, and the offset when it is fixed.
QSize WindowFrame::needed() const
{
    const QSize s = m_panel->size();
    return m_fixed ? s + QSize(m_fixedPos.x(), m_fixedPos.y()) : s;
}

// The part of `area` the panels show through, less the scroll bars they
// need there. Worked out from the frame's own size, so that a bar coming or
// going never sets the canvas swinging.
QSize WindowFrame::viewFor(const QSize& area) const
{
    if (!m_scrolling)
        return area;
    const QSize need = needed();
    const int ext = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    bool h = need.width() > area.width();
    bool v = need.height() > area.height();
    if (v && !h)
        h = need.width() > area.width() - ext;
    if (h && !v)
        v = need.height() > area.height() - ext;
    return QSize(area.width() - (v ? ext : 0), area.height() - (h ? ext : 0));
}

void WindowFrame::placePanels()
{
    // The window may have been resized while hidden, before its resize
    // event reached the frame.
    if (QWidget* w = parentWidget(); w && geometry() != w->rect())
        setGeometry(w->rect());
    const QSize view = viewFor(size());
    const QSize need = needed();
    m_canvas->resize(need.expandedTo(view));
    const QSize panel = m_panel->size();
    const QPoint at = m_fixed
        ? m_fixedPos
        : QPoint(std::max(0, (view.width() - panel.width()) / 2), std::max(0, (view.height() - panel.height()) / 2));
    front()->move(at);
    // The scroll area shows or hides its bars later, from the event loop;
    // laying out its children now keeps the window whole at once.
    setViewportMargins(0, 0, 0, 0);
}

} // namespace pinakos
