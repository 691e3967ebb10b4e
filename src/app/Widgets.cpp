#include "app/Widgets.h"

#include "app/Dialogs.h"
#include "app/Failure.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>

namespace pinakos {

QFont appFont(const QString& family, int pixelSize, bool bold, bool underline)
{
    QFont f(family);
    const QString lower = family.toLower();
    if (lower.contains(QLatin1String("courier")))
        f.setStyleHint(QFont::Monospace);
    else if (lower.contains(QLatin1String("times")) || lower.contains(QLatin1String("georgia")))
        f.setStyleHint(QFont::Serif);
    else
        f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setUnderline(underline);
    return f;
}

void setFixedFrame(QWidget* w, const QString& title, int clientWidth, int clientHeight)
{
    w->setWindowTitle(title);
    Qt::WindowFlags type = w->windowFlags() & Qt::WindowType_Mask;
    if (type == Qt::Widget)
        type = Qt::Window;
    w->setWindowFlags(type | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    w->setFixedSize(clientWidth, clientHeight);
}

namespace {
void centreIn(QWidget* w, const QRect& area)
{
    QRect r = w->frameGeometry();
    r.moveCenter(area.center());
    w->move(r.topLeft());
}
} // namespace

void centreOnScreen(QWidget* w)
{
    if (QScreen* s = w->screen())
        centreIn(w, s->availableGeometry());
}

void centreOver(QWidget* w, const QWidget* over)
{
    if (over && over->isVisible())
        centreIn(w, over->frameGeometry());
    else
        centreOnScreen(w);
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                        int fontPixels)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setGeometry(geometry);
    b->setFont(appFont(QStringLiteral("Verdana"), fontPixels));
    b->setCursor(Qt::PointingHandCursor);
    b->setAutoDefault(false);
    return b;
}

void runHandler(QWidget* window, const std::function<void()>& command)
{
    try {
        command();
    } catch (const Failure& f) {
        dialogs().error(window, f.message());
    } catch (const std::exception& x) {
        dialogs().error(window, QString::fromLocal8Bit(x.what()));
    }
}

void paintVerticalGradient(QWidget* w, const QColor& top, const QColor& bottom)
{
    QPainter p(w);
    QLinearGradient g(0, 0, 0, w->height());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(w->rect(), g);
}

// ---------------------------------------------------------------- Picture

Picture::Picture(QWidget* parent, const QString& name, const QString& resource, const QRect& geometry, bool clickable)
    : QWidget(parent)
    , m_clickable(clickable)
{
    setObjectName(name);
    setGeometry(geometry);
    if (clickable)
        setCursor(Qt::PointingHandCursor);
    setResource(resource);
}

void Picture::setResource(const QString& resource)
{
    m_resource = resource;
    delete m_svg;
    m_svg = nullptr;
    m_pixmap = QPixmap();
    if (resource.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        m_svg = new QSvgRenderer(resource, this);
        m_svg->setAspectRatioMode(Qt::KeepAspectRatio);
    } else if (!resource.isEmpty()) {
        m_pixmap.load(resource);
    }
    update();
}

void Picture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_svg && m_svg->isValid())
        m_svg->render(&p, QRectF(rect()));
    else if (!m_pixmap.isNull())
        p.drawPixmap(rect(), m_pixmap);
}

void Picture::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        Q_EMIT pressedChanged(true);
    QWidget::mousePressEvent(e);
}

void Picture::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(e);
    Q_EMIT pressedChanged(false);
    if (m_clickable && rect().contains(e->position().toPoint()))
        Q_EMIT clicked();
}

// ---------------------------------------------------------------- Shape

Shape::Shape(QWidget* parent, const QString& name, const QRect& geometry, const QColor& fill, const QColor& outline)
    : QWidget(parent)
    , m_fill(fill)
    , m_outline(outline)
{
    setObjectName(name);
    setGeometry(geometry);
}

void Shape::setGradient(const QColor& top, const QColor& bottom)
{
    m_fill = top;
    m_fill2 = bottom;
    update();
}

void Shape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_fill2.isValid()) {
        QLinearGradient g(0, 0, 0, height());
        g.setColorAt(0, m_fill);
        g.setColorAt(1, m_fill2);
        p.fillRect(rect(), g);
    } else if (m_fill.isValid()) {
        p.fillRect(rect(), m_fill);
    }
    if (m_outline.isValid()) {
        p.setPen(m_outline);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

// ---------------------------------------------------------------- Highlight

Highlight::Highlight(QWidget* parent, const QString& name, const QRect& geometry, QWidget* box) : QWidget(parent)
{
    setObjectName(name);
    setGeometry(geometry);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
    box->installEventFilter(this);
    // The frame stands behind its box.
    stackUnder(box);
}

void Highlight::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QColor yellow(0xFF, 0xFF, 0x00);
    // A yellow fill inside an outline that fades from white at the edge to yellow.
    for (int i = 0; i < 3; ++i) {
        p.setPen(QColor::fromRgbF(1.0, 1.0, 1.0 - i / 3.0));
        p.drawRect(rect().adjusted(i, i, -1 - i, -1 - i));
    }
    p.fillRect(rect().adjusted(3, 3, -3, -3), yellow);
}

bool Highlight::eventFilter(QObject*, QEvent* e)
{
    if (e->type() == QEvent::FocusIn)
        show();
    else if (e->type() == QEvent::FocusOut)
        hide();
    return false;
}

// ---------------------------------------------------------------- LinkLabel

static const QColor kLinkBlue(0x00, 0x00, 0x8B);
static const QColor kLinkOrange(0xFF, 0xA5, 0x00);

LinkLabel::LinkLabel(QWidget* parent, const QString& name, const QString& text, const QPoint& pos, const QFont& font)
    : QLabel(text, parent)
{
    setObjectName(name);
    setFont(font);
    setCursor(Qt::PointingHandCursor);
    setPressed(false);
    adjustSize();
    move(pos);
}

void LinkLabel::setPressed(bool pressed)
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, pressed ? kLinkOrange : kLinkBlue);
    setPalette(pal);
}

void LinkLabel::attachIcon(Picture* icon) { connect(icon, &Picture::pressedChanged, this, &LinkLabel::setPressed); }

void LinkLabel::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        setPressed(true);
    QLabel::mousePressEvent(e);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return QLabel::mouseReleaseEvent(e);
    setPressed(false);
    if (rect().contains(e->position().toPoint()))
        Q_EMIT clicked();
}

// ---------------------------------------------------------------- labels, style

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, const QPoint& pos, const QFont& font,
                  const QColor& color)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setFont(font);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, color);
    l->setPalette(pal);
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    l->adjustSize();
    l->move(pos);
    return l;
}

QLabel* makeHiddenLabel(QWidget* parent, const QString& name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->hide();
    return l;
}

QString fieldStyleSheet(const QString& normal)
{
    return QStringLiteral("QLineEdit { background-color: %1; border: 1px solid #87CEEB; padding: 0px 2px; }"
                          "QLineEdit:focus { background-color: #FFFF00; }")
        .arg(normal);
}

// ---------------------------------------------------------------- FieldKeys

void FieldKeys::setNext(QWidget* box, QWidget* next)
{
    m_next.insert(box, next);
    box->installEventFilter(this);
}

void FieldKeys::setAccept(QWidget* box, std::function<bool(QChar)> accept)
{
    m_accept.insert(box, std::move(accept));
    box->installEventFilter(this);
}

void FieldKeys::setReject(QWidget* box, std::function<bool(QChar)> reject)
{
    m_reject.insert(box, std::move(reject));
    box->installEventFilter(this);
}

void FieldKeys::setEnterAction(QWidget* box, std::function<void()> action)
{
    m_enter.insert(box, std::move(action));
    box->installEventFilter(this);
}

bool FieldKeys::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() != QEvent::KeyPress)
        return false;
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
        if (auto a = m_enter.find(o); a != m_enter.end()) {
            a.value()();
            return true;
        }
        if (auto n = m_next.find(o); n != m_next.end()) {
            if (n.value())
                n.value()->setFocus(Qt::OtherFocusReason);
            return true;
        }
        return false;
    }
    if (auto rej = m_reject.find(o); rej != m_reject.end()) {
        const QString t = k->text();
        return t.size() == 1 && rej.value()(t.at(0));
    }
    auto acc = m_accept.find(o);
    if (acc == m_accept.end())
        return false;
    switch (k->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return false;
    default:
        break;
    }
    const QString t = k->text();
    if (t.size() == 1 && acc.value()(t.at(0)))
        return false;
    return true; // every other press is discarded
}

// ---------------------------------------------------------------- HoverHints

void HoverHints::addHint(QWidget* w, const QString& hint)
{
    m_hints.insert(w, hint);
    w->setMouseTracking(true);
    w->installEventFilter(this);
}

void HoverHints::addBackground(QWidget* w)
{
    m_hints.insert(w, QString());
    w->setMouseTracking(true);
    w->installEventFilter(this);
}

bool HoverHints::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::MouseMove || e->type() == QEvent::Enter) {
        auto it = m_hints.constFind(o);
        // A background empties the line only when the pointer moves over it,
        // not when a window opens under a resting pointer.
        const bool write = it != m_hints.constEnd() && (e->type() == QEvent::MouseMove || !it.value().isEmpty());
        if (write && m_line->text() != it.value()) {
            m_line->setText(it.value());
            m_line->adjustSize();
        }
        // A move with no button held ends here: passed on to the parent (a
        // background) it would empty the line just written.
        if (e->type() == QEvent::MouseMove && static_cast<QMouseEvent*>(e)->buttons() == Qt::NoButton)
            return true;
    }
    return false;
}

} // namespace pinakos
