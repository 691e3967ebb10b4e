#pragma once
#include "kit/Layout.h"

#include <QApplication>
#include <QColor>
#include <QDialog>
#include <QList>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <QWidget>

namespace pinakos {

// Window with a vertical gradient background and a panel `panContainer`
// kept centred in its client area. Base is QWidget (persistent windows) or
// QDialog (on-demand windows).
//
// When the client area is smaller than the panel (a small screen, a large
// text scale) the panel keeps its size and the window shows scroll bars, so
// that every control can still be reached; the focus brings the control it
// enters into view. At the design size nothing changes.
template <class Base>
class GradientForm : public Base
{
public:
    explicit GradientForm(QWidget* parent = nullptr) : Base(parent)
    {
        panContainer = new QWidget(this);
        panContainer->setObjectName(QStringLiteral("panContainer"));

        m_hBar = new QScrollBar(Qt::Horizontal, this);
        m_hBar->setObjectName(QStringLiteral("scrOrizzontale"));
        m_vBar = new QScrollBar(Qt::Vertical, this);
        m_vBar->setObjectName(QStringLiteral("scrVerticale"));
        for (QScrollBar* bar : {m_hBar, m_vBar}) {
            bar->hide();
            bar->setFocusPolicy(Qt::NoFocus);
            bar->setSingleStep(20);
            QObject::connect(bar, &QAbstractSlider::valueChanged, this, [this](int) { placePanel(); });
        }
        QObject::connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            if (now && onAPanel(now))
                ensureVisible(now);
        });
    }

    void setGradient(const QColor& top, const QColor& bottom)
    {
        m_top = top;
        m_bottom = bottom;
        this->update();
    }
    void setClientSize(int w, int h)
    {
        this->resize(w, h);
        placePanel();
    }
    // A full-size working window: the given title, a client area of
    // 1016 x 713 shown maximised, a gradient from `top` to white and the
    // panel of the given size centred in it.
    void setupWorkWindow(const QString& title, const QColor& top, int panelWidth, int panelHeight)
    {
        this->setWindowTitle(title);
        this->setProperty("showMaximised", true);
        setGradient(top, Qt::white);
        setClientSize(1016, 713);
        setPanelSize(panelWidth, panelHeight);
    }
    void setPanelSize(int w, int h)
    {
        panContainer->resize(w, h);
        placePanel();
    }
    // Places the panel at a fixed point instead of centring it.
    void setPanelPos(int x, int y)
    {
        m_fixedPanel = true;
        m_fixedPos = QPoint(x, y);
        placePanel();
    }

    // Another panel of the panel's size that takes turns with it in the same
    // place, and scrolls with it.
    void addPanel(QWidget* panel)
    {
        m_panels.append(panel);
        placePanel();
    }

    // Whether a client area smaller than the panel shows scroll bars (the
    // default) or just centres the panel, cutting off what does not fit.
    void setScrolling(bool on)
    {
        m_scrolling = on;
        placePanel();
    }

    // Scrolls, when the window scrolls at all, so that `w` (a control on the
    // panel) is in view.
    void ensureVisible(QWidget* w)
    {
        const QRect r(w->mapTo(this, QPoint(0, 0)), w->size());
        const QSize view = viewSize();
        const int margin = 8;
        if (m_vBar->isVisibleTo(this)) {
            if (r.top() < 0)
                m_vBar->setValue(m_vBar->value() + r.top() - margin);
            else if (r.bottom() >= view.height())
                m_vBar->setValue(m_vBar->value() + r.bottom() - view.height() + 1 + margin);
        }
        if (m_hBar->isVisibleTo(this)) {
            if (r.left() < 0)
                m_hBar->setValue(m_hBar->value() + r.left() - margin);
            else if (r.right() >= view.width())
                m_hBar->setValue(m_hBar->value() + r.right() - view.width() + 1 + margin);
        }
    }

    QWidget* panContainer = nullptr;

protected:
    void paintEvent(QPaintEvent*) override { paintVerticalGradient(this, m_top, m_bottom); }
    void resizeEvent(QResizeEvent* e) override
    {
        Base::resizeEvent(e);
        placePanel();
    }
    // The wheel anywhere over the window scrolls it when it scrolls.
    void wheelEvent(QWheelEvent* e) override
    {
        QScrollBar* bar = m_vBar->isVisibleTo(this) ? m_vBar : m_hBar->isVisibleTo(this) ? m_hBar : nullptr;
        if (bar)
            QCoreApplication::sendEvent(bar, e);
        else
            Base::wheelEvent(e);
    }

private:
    bool onAPanel(QWidget* w) const
    {
        if (panContainer->isAncestorOf(w))
            return true;
        for (QWidget* other : m_panels)
            if (other && other->isAncestorOf(w))
                return true;
        return false;
    }
    // The room the panel needs: its size, and its offset when it is fixed.
    QSize needed() const
    {
        const QSize s = panContainer->size();
        return m_fixedPanel ? s + QSize(m_fixedPos.x(), m_fixedPos.y()) : s;
    }
    int barExtent() const { return this->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this); }
    // The client area less the scroll bars that are needed.
    QSize viewSize() const
    {
        const QSize area = this->size();
        if (!m_scrolling)
            return area;
        const QSize need = needed();
        const int ext = barExtent();
        bool h = need.width() > area.width();
        bool v = need.height() > area.height();
        if (v && !h)
            h = need.width() > area.width() - ext;
        if (h && !v)
            v = need.height() > area.height() - ext;
        return QSize(area.width() - (v ? ext : 0), area.height() - (h ? ext : 0));
    }

    void placePanel()
    {
        if (m_placing)
            return;
        m_placing = true;
        const QSize area = this->size();
        const QSize view = viewSize();
        const QSize need = needed();
        const bool h = view.height() < area.height();
        const bool v = view.width() < area.width();
        const int ext = barExtent();

        m_hBar->setRange(0, h ? need.width() - view.width() : 0);
        m_hBar->setPageStep(view.width());
        m_hBar->setGeometry(0, view.height(), view.width(), ext);
        m_hBar->setVisible(h);
        m_vBar->setRange(0, v ? need.height() - view.height() : 0);
        m_vBar->setPageStep(view.height());
        m_vBar->setGeometry(view.width(), 0, ext, view.height());
        m_vBar->setVisible(v);
        m_hBar->raise();
        m_vBar->raise();

        const QSize panel = panContainer->size();
        int x = m_fixedPanel ? m_fixedPos.x() : (view.width() - panel.width()) / 2;
        int y = m_fixedPanel ? m_fixedPos.y() : (view.height() - panel.height()) / 2;
        if (h)
            x = (m_fixedPanel ? m_fixedPos.x() : 0) - m_hBar->value();
        if (v)
            y = (m_fixedPanel ? m_fixedPos.y() : 0) - m_vBar->value();
        panContainer->move(x, y);
        for (QWidget* other : std::as_const(m_panels))
            if (other)
                other->move(x, y);
        m_placing = false;
    }

    QColor m_top = Qt::white, m_bottom = Qt::white;
    bool m_scrolling = true;
    QList<QPointer<QWidget>> m_panels; // besides panContainer
    bool m_fixedPanel = false;
    bool m_placing = false;
    QPoint m_fixedPos;
    QScrollBar* m_hBar = nullptr;
    QScrollBar* m_vBar = nullptr;
};

} // namespace pinakos
