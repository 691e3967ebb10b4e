#pragma once
#include <QList>
#include <QString>
#include <QtGlobal>

namespace pinakos::test {

// Keeps what is logged while it lives, as "category: message" lines, and
// passes every message on to the handler it replaced.
class LogCapture
{
public:
    LogCapture() : m_previous(qInstallMessageHandler(&LogCapture::handle)) { current() = this; }
    ~LogCapture()
    {
        qInstallMessageHandler(m_previous);
        current() = nullptr;
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const QStringList& lines() const { return m_lines; }
    // The lines of `category` that contain `text`.
    QStringList find(const QString& category, const QString& text) const
    {
        QStringList out;
        for (const QString& line : m_lines)
            if (line.startsWith(category + QStringLiteral(": ")) && line.contains(text))
                out << line;
        return out;
    }

private:
    static LogCapture*& current()
    {
        static LogCapture* capture = nullptr;
        return capture;
    }
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        LogCapture* self = current();
        if (!self)
            return;
        self->m_lines << QString::fromLatin1(context.category ? context.category : "default") + QStringLiteral(": ")
                + message;
        if (self->m_previous)
            self->m_previous(type, context, message);
    }

    QtMessageHandler m_previous;
    QStringList m_lines;
};

} // namespace pinakos::test
