#pragma once
#include <QDateTime>
#include <functional>

namespace pinakos {

// The current local date and time, as the program sees it.
QDateTime now();
// Tests fix the clock; an empty function goes back to the system clock.
void setClock(std::function<QDateTime()> clock);

} // namespace pinakos
