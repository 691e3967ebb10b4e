#pragma once
#include "kit/Layout.h"
#include "kit/WindowFrame.h"

#include <QColor>
#include <QDialog>
#include <QWheelEvent>
#include <QWidget>

namespace pinakos {

// A window with a vertical gradient behind its frame (kit/WindowFrame.h):
// the panel `panContainer` kept centred in the client area, scrolling when
// the area is smaller. Base is QWidget (persistent windows) or QDialog
// (on-demand windows); everything else lives in the frame.
template <class Base>
class GradientForm : public Base
{
public:
    explicit GradientForm(QWidget* parent = nullptr)
        : Base(parent)
        , m_frame(new WindowFrame(this))
        , panContainer(m_frame->panel())
    {}

    void setGradient(const QColor& top, const QColor& bottom)
    {
        m_top = top;
        m_bottom = bottom;
        this->update();
    }
    void setClientSize(int w, int h)
    {
        this->resize(w, h);
        m_frame->fillWindow();
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
    void setPanelSize(int w, int h) { m_frame->setPanelSize(QSize(w, h)); }
    void setPanelPos(int x, int y) { m_frame->setPanelPos(QPoint(x, y)); }
    // Another panel that takes turns with `panContainer` in its place.
    void addPanel(QWidget* panel) { m_frame->addPanel(panel); }
    void showPanel(QWidget* panel) { m_frame->showPanel(panel); }
    void setScrolling(bool on) { m_frame->setScrolling(on); }
    void ensureVisible(QWidget* w) { m_frame->bringIntoView(w); }
    WindowFrame* frame() const { return m_frame; }

private:
    WindowFrame* m_frame;

public:
    QWidget* panContainer;

protected:
    void paintEvent(QPaintEvent*) override { paintVerticalGradient(this, m_top, m_bottom); }
    void resizeEvent(QResizeEvent* e) override
    {
        Base::resizeEvent(e);
        m_frame->fillWindow();
    }
    void wheelEvent(QWheelEvent* e) override
    {
        if (!m_frame->scrollByWheel(e))
            Base::wheelEvent(e);
    }

private:
    QColor m_top = Qt::white, m_bottom = Qt::white;
};

} // namespace pinakos
