#pragma once
#include <QLoggingCategory>
#include <QString>
#include <stdexcept>

namespace pinakos {

// A failed operation on a file or a stored value; carries its own text and
// the area it happened in, so that whoever catches it can log it there.
class Failure : public std::runtime_error
{
public:
    using Area = const QLoggingCategory& (*)();

    explicit Failure(const QString& message, Area area = nullptr)
        : std::runtime_error(message.toStdString())
        , m_message(message)
        , m_area(area)
    {}
    Failure(Area area, const QString& message) : Failure(message, area) {}
    const QString& message() const { return m_message; }
    // The area's logging category, or null when the thrower named none.
    Area area() const { return m_area; }

private:
    QString m_message;
    Area m_area = nullptr;
};

} // namespace pinakos
