#include "kit/Guard.h"

#include "base/Failure.h"

namespace pinakos {

bool runHandler(QWidget* window, const std::function<void()>& command, const QString& fixedMessage, Dialogs::Kind kind)
{
    QString text;
    try {
        command();
        return true;
    } catch (const Failure& f) {
        text = f.message();
    } catch (const std::exception& x) {
        text = QString::fromLocal8Bit(x.what());
    } catch (...) {
        text = QStringLiteral("Errore imprevisto.");
    }
    // The box itself must not let a failure escape either.
    try {
        if (fixedMessage.isEmpty())
            dialogs().error(window, text);
        else
            dialogs().notify(window, kind, fixedMessage);
    } catch (...) {
    }
    return false;
}

bool runSilently(const std::function<void()>& command)
{
    try {
        command();
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace pinakos
