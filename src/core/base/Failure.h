#pragma once
#include <QString>
#include <stdexcept>

namespace pinakos {

// A failed operation on a file or a stored value; carries its own text.
class Failure : public std::runtime_error
{
public:
    explicit Failure(const QString& message) : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

} // namespace pinakos
