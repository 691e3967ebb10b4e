#pragma once
#include "kit/Dialogs.h"

#include <QString>
#include <functional>

class QWidget;

namespace pinakos {

// The one guard at a window's edge: runs a command so that no failure escapes
// its event handler. A failure shows `fixedMessage` in an error box when the
// command has one (in a box of `kind`), otherwise the failure's own text in an
// error box; the window stays as it is.
// Gives true when the command ran to its end.
bool runHandler(QWidget* window, const std::function<void()>& command, const QString& fixedMessage = QString(),
                Dialogs::Kind kind = Dialogs::Kind::Error);

// The same guard for the commands whose failures say nothing: whatever goes
// wrong stops the command and the window goes on. Gives true when the command
// ran to its end.
bool runSilently(const std::function<void()>& command);

} // namespace pinakos
