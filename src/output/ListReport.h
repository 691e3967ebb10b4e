#pragma once
#include <QString>
#include <QStringList>

class QWidget;

namespace pinakos {

// Prints summary lines, in the order given, as the list report under `title`
// (A4 landscape), through the print dialog; nothing is printed when the user
// cancels. Failures are shown to the user, never thrown.
void printList(QWidget* parent, const QString& title, const QStringList& lines);

} // namespace pinakos
