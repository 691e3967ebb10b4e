#pragma once
#include "app/Layout.h"

#include <QColor>
#include <QDialog>
#include <QWidget>

namespace pinakos {

// Window with a vertical gradient background and a panel `panContainer`
// kept centred in its client area. Base is QWidget (persistent windows) or
// QDialog (on-demand windows).
template <class Base>
class GradientForm : public Base
{
public:
    explicit GradientForm(QWidget* parent = nullptr) : Base(parent)
    {
        panContainer = new QWidget(this);
        panContainer->setObjectName(QStringLiteral("panContainer"));
    }

    void setGradient(const QColor& top, const QColor& bottom)
    {
        m_top = top;
        m_bottom = bottom;
        this->update();
    }
    void setClientSize(int w, int h) { this->resize(w, h); }
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
        centrePanel();
    }
    // Places the panel at a fixed point instead of centring it.
    void setPanelPos(int x, int y)
    {
        m_fixedPanel = true;
        panContainer->move(x, y);
    }

    QWidget* panContainer = nullptr;

protected:
    void paintEvent(QPaintEvent*) override { paintVerticalGradient(this, m_top, m_bottom); }
    void resizeEvent(QResizeEvent* e) override
    {
        Base::resizeEvent(e);
        centrePanel();
    }
    void centrePanel()
    {
        if (!m_fixedPanel)
            panContainer->move((this->width() - panContainer->width()) / 2,
                               (this->height() - panContainer->height()) / 2);
    }

private:
    QColor m_top = Qt::white, m_bottom = Qt::white;
    bool m_fixedPanel = false;
};

} // namespace pinakos
