#pragma once
// Pieces shared by the login and password change windows.

#include "kit/Layout.h"

#include <QLineEdit>

namespace pinakos::access {

// Steel blue at the top of both windows' gradients.
inline QColor steelBlue() { return QColor(0x46, 0x82, 0xB4); }

// A text box that shows a bullet for every character typed.
inline QLineEdit* makePasswordBox(QWidget* parent, const QString& name, const QRect& geometry)
{
    auto* t = new QLineEdit(parent);
    t->setObjectName(name);
    t->setGeometry(geometry);
    t->setEchoMode(QLineEdit::Password);
    t->setFont(appFont(QStringLiteral("Verdana"), 14, true));
    return t;
}

inline QFont labelFont() { return appFont(QStringLiteral("Verdana"), 12); }

} // namespace pinakos::access
