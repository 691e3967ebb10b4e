#pragma once
// Free helpers for laying out windows: fonts, colours, artwork paths, fixed
// frames, centring, buttons, labels and the text-box highlight style.

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QString>

class QPushButton;
class QWidget;

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

// A push button with the hand cursor, in Verdana. Enter presses it when it
// has the focus; Enter elsewhere never does.
QPushButton* makeButton(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                        int fontPixels = 12);

// Paints a vertical gradient from top to bottom over the whole widget.
void paintVerticalGradient(QWidget* w, const QColor& top, const QColor& bottom);

// A label at a fixed place, sized to its text, transparent to the mouse.
QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, const QPoint& pos, const QFont& font,
                  const QColor& color = Qt::black);
// A hidden label that holds a piece of state.
QLabel* makeHiddenLabel(QWidget* parent, const QString& name, const QString& text = QString());

// The style sheet for the text-box highlight: `normal` without the focus,
// yellow with it, sky-blue border always. This form, with a bare selector,
// is for setting on one box itself.
QString fieldStyleSheet(const QString& normal = QStringLiteral("#F0F8FF"));
// The same highlight for the named boxes only (by objectName), to be set on
// the panel that holds them: the dialogs and windows that the window owns
// keep their own look.
QString fieldStyleSheet(const QList<QWidget*>& boxes, const QString& normal = QStringLiteral("#F0F8FF"));

// A label for a text that may be longer than its place (a catalog name, a
// count): text() keeps the whole text, the label paints it cut at the end
// with "…" when it does not fit, and its tooltip is the whole text.
QLabel* makeElidedLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                        const QFont& font, const QColor& color = Qt::black,
                        Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

} // namespace pinakos
