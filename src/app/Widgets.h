#pragma once
// Small building blocks shared by every window: the gradient window with its
// centred panel, pictures, rectangles, highlight frames, links, fonts, and the
// event filters for the Enter chain, key filters and hover hints.

#include <QColor>
#include <QDialog>
#include <QHash>
#include <QLabel>
#include <QPointer>
#include <QWidget>
#include <functional>

class QLineEdit;
class QPushButton;
class QSvgRenderer;

namespace pinakos {

// A font asked for by its name, with a style hint so that fontconfig offers a
// metric-compatible substitute where the face itself is missing.
QFont appFont(const QString& family, int pixelSize, bool bold = false, bool underline = false);

// ARGB written as in the window descriptions (0xFFRRGGBB).
inline QColor argb(quint32 v) { return QColor::fromRgba(v); }

// The compiled-in artwork file of that name: ":/art/<name>.svg".
inline QString art(const char* name) { return QStringLiteral(":/art/%1.svg").arg(QLatin1String(name)); }

// A fixed-size window with a title and no title-bar buttons.
void setFixedFrame(QWidget* w, const QString& title, int clientWidth, int clientHeight);

// Puts a window in the middle of the screen it is on, or of another window.
void centreOnScreen(QWidget* w);
void centreOver(QWidget* w, const QWidget* over);

// A push button with the hand cursor, in Verdana; Enter elsewhere never presses it.
QPushButton* makeButton(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                        int fontPixels = 12);

// Paints a vertical gradient from top to bottom over the whole widget.
void paintVerticalGradient(QWidget* w, const QColor& top, const QColor& bottom);

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

// Runs a window's command so that no failure escapes its event handler: the
// failure's own text is shown in an error box and the window stays as it is.
void runHandler(QWidget* window, const std::function<void()>& command);

// Uses an on-demand window: created owned by `owner`, filled in by `fill`,
// shown modally and destroyed once it has closed.
template <class Form, class Fill>
void runOnDemand(QWidget* owner, Fill&& fill)
{
    QPointer<Form> frm = new Form(owner);
    fill(*frm);
    frm->exec();
    delete frm.data();
}
template <class Form>
void runOnDemand(QWidget* owner)
{
    runOnDemand<Form>(owner, [](Form&) {});
}

// A picture drawn from an SVG or bitmap resource; clickable ones show the hand
// cursor and report clicks. Also reports press and release for link colours.
class Picture : public QWidget
{
    Q_OBJECT
public:
    Picture(QWidget* parent, const QString& name, const QString& resource, const QRect& geometry,
            bool clickable = false);
    void setResource(const QString& resource);
    QString resource() const { return m_resource; }
    bool isClickable() const { return m_clickable; }

Q_SIGNALS:
    void clicked();
    void pressedChanged(bool pressed);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QString m_resource;
    QSvgRenderer* m_svg = nullptr;
    QPixmap m_pixmap;
    bool m_clickable;
};

// A rectangle with a solid or vertical-gradient fill and an outline.
class Shape : public QWidget
{
    Q_OBJECT
public:
    Shape(QWidget* parent, const QString& name, const QRect& geometry, const QColor& fill,
          const QColor& outline = QColor());
    void setGradient(const QColor& top, const QColor& bottom);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor m_fill, m_fill2, m_outline;
};

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

// A label at a fixed place, sized to its text, transparent to the mouse.
QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, const QPoint& pos, const QFont& font,
                  const QColor& color = Qt::black);
// A hidden label that holds a piece of state.
QLabel* makeHiddenLabel(QWidget* parent, const QString& name, const QString& text = QString());

// The style sheet for the text-box highlight: `normal` without the focus,
// yellow with it, sky-blue border always.
QString fieldStyleSheet(const QString& normal = QStringLiteral("#F0F8FF"));

// One filter for a window's text boxes: Enter moves along a chain, and a box
// may accept only some typed characters (Backspace, Delete, Left and Right
// always pass in a filtered box; Tab is the window's).
class FieldKeys : public QObject
{
    Q_OBJECT
public:
    explicit FieldKeys(QObject* parent) : QObject(parent) {}
    void setNext(QWidget* box, QWidget* next);
    void setAccept(QWidget* box, std::function<bool(QChar)> accept);
    // A typed character for which reject is true is discarded; every other
    // key press passes (navigation, shortcuts, paste).
    void setReject(QWidget* box, std::function<bool(QChar)> reject);
    // Enter in box runs action instead of moving (action decides what to do).
    void setEnterAction(QWidget* box, std::function<void()> action);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QHash<QObject*, QPointer<QWidget>> m_next;
    QHash<QObject*, std::function<bool(QChar)>> m_accept;
    QHash<QObject*, std::function<bool(QChar)>> m_reject;
    QHash<QObject*, std::function<void()>> m_enter;
};

// The information line of a window: the pointer over a control with a hint
// shows the hint, over a background element empties the line, anything else
// leaves it as it is.
class HoverHints : public QObject
{
    Q_OBJECT
public:
    HoverHints(QObject* parent, QLabel* line) : QObject(parent), m_line(line) {}
    void addHint(QWidget* w, const QString& hint);
    void addBackground(QWidget* w);
    QString hintFor(QWidget* w) const { return m_hints.value(w); }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QLabel* m_line;
    QHash<QObject*, QString> m_hints;
};

} // namespace pinakos
