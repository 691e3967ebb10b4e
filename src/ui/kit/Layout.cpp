#include "kit/Layout.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QToolTip>

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

namespace {

// Enter on a focused button presses that very button, and only that one: no
// window has a default button that Enter elsewhere would press.
class EnterPresses : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(e);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        auto* b = qobject_cast<QPushButton*>(watched);
        if (!b || !b->isEnabled())
            return false;
        if (!key->isAutoRepeat())
            b->click();
        return true;
    }
};

// One filter for the application, made again should the application be.
QObject* enterPresses()
{
    static QPointer<EnterPresses> filter;
    if (!filter)
        filter = new EnterPresses(QCoreApplication::instance());
    return filter;
}

} // namespace

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                        int fontPixels)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setGeometry(geometry);
    b->setFont(appFont(QStringLiteral("Verdana"), fontPixels));
    b->setCursor(Qt::PointingHandCursor);
    b->setAutoDefault(false);
    b->installEventFilter(enterPresses());
    return b;
}

void paintVerticalGradient(QWidget* w, const QColor& top, const QColor& bottom)
{
    QPainter p(w);
    QLinearGradient g(0, 0, 0, w->height());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(w->rect(), g);
}

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

QString fieldStyleSheet(const QList<QWidget*>& boxes, const QString& normal)
{
    QStringList plain, focused;
    for (const QWidget* box : boxes) {
        const QString selector = QStringLiteral("QLineEdit#") + box->objectName();
        plain << selector;
        focused << selector + QStringLiteral(":focus");
    }
    if (plain.isEmpty())
        return QString();
    return plain.join(QStringLiteral(", "))
        + QStringLiteral(" { background-color: %1; border: 1px solid #87CEEB; padding: 0px 2px; }").arg(normal)
        + focused.join(QStringLiteral(", ")) + QStringLiteral(" { background-color: #FFFF00; }");
}

namespace {

// Paints its text cut at the end when it does not fit; the whole text stays
// the label's text and becomes its tooltip. Like every label it lets the
// pointer through to what lies behind it, so its parent hands it the tooltip
// requests made over it.
class ElidedLabel final : public QLabel
{
public:
    ElidedLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        if (parent)
            parent->installEventFilter(this);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        syncToolTip();
        QPainter p(this);
        p.setFont(font());
        p.setPen(palette().color(QPalette::WindowText));
        const QRect area = contentsRect();
        const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
        p.drawText(area, int(alignment()) | Qt::TextSingleLine, shown);
    }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::ToolTip && o == parentWidget() && isVisible()) {
            const auto* help = static_cast<QHelpEvent*>(e);
            if (geometry().contains(help->pos()) && !text().isEmpty()) {
                syncToolTip();
                QToolTip::showText(help->globalPos(), text(), this);
                return true;
            }
        }
        return QLabel::eventFilter(o, e);
    }

private:
    // QLabel::setText is not virtual: the tooltip follows the text whenever
    // the label is painted or asked for its tooltip.
    void syncToolTip()
    {
        if (toolTip() != text())
            setToolTip(text());
    }
};

} // namespace

QLabel* makeElidedLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                        const QFont& font, const QColor& color, Qt::Alignment alignment)
{
    auto* l = new ElidedLabel(text, parent);
    l->setObjectName(name);
    l->setFont(font);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, color);
    l->setPalette(pal);
    l->setAlignment(alignment);
    l->setToolTip(text);
    l->setGeometry(geometry);
    return l;
}

} // namespace pinakos
