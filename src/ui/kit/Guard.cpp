#include "kit/Guard.h"

#include "base/Failure.h"
#include "base/Log.h"

namespace pinakos {

namespace {

// What went wrong, in words, and the area it happened in.
struct Caught
{
    QString text;
    Failure::Area area = nullptr;
};

template <typename Command>
bool runCatching(const Command& command, Caught& caught)
{
    try {
        command();
        return true;
    } catch (const Failure& f) {
        caught = {f.message(), f.area()};
    } catch (const std::exception& x) {
        caught = {QString::fromLocal8Bit(x.what()), nullptr};
    } catch (...) {
        caught = {QStringLiteral("Errore imprevisto."), nullptr};
    }
    return false;
}

const QLoggingCategory& categoryOf(const Caught& caught) { return caught.area ? caught.area() : lcUi(); }

} // namespace

bool runHandler(QWidget* window, const std::function<void()>& command, const QString& fixedMessage, Dialogs::Kind kind)
{
    Caught caught;
    if (runCatching(command, caught))
        return true;
    // The box itself must not let a failure escape either.
    try {
        if (fixedMessage.isEmpty()) {
            qCWarning(categoryOf(caught)).noquote() << caught.text;
            dialogs().error(window, caught.text);
        } else {
            qCWarning(categoryOf(caught)).noquote() << caught.text << "(shown as:" << fixedMessage << ')';
            dialogs().notify(window, kind, fixedMessage);
        }
    } catch (...) {
    }
    return false;
}

bool runSilently(const std::function<void()>& command)
{
    Caught caught;
    if (runCatching(command, caught))
        return true;
    try {
        qCInfo(categoryOf(caught)).noquote() << "passed over:" << caught.text;
    } catch (...) {
    }
    return false;
}

} // namespace pinakos
