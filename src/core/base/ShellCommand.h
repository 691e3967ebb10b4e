#pragma once
#include <QString>
#include <QUrl>

namespace pinakos {

// What the desktop shell is asked to open for a command as the windows pass it:
// a full path in double quotes, a "mailto:" link in double quotes, or a bare
// web address.
QUrl urlForShellCommand(const QString& command);

} // namespace pinakos
