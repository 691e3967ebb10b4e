#pragma once
#include <QString>
#include <QStringList>

class QWidget;

namespace pinakos {

namespace report {
class Report;
}

// Prepares the report and prints it through the print dialog (printer, pages,
// copies), with a progress dialog for long printing. A machine without
// printers prints to a PDF file, offered in the program folder under the
// report's name. Gives false when nothing was printed because the user
// cancelled; throws Failure, with its reason, when the printing fails.
bool printReport(QWidget* parent, report::Report& report);

// Prints summary lines, in the order given, as the list report under `title`
// (A4 landscape), through the print dialog; nothing is printed when the user
// cancels. Failures are shown to the user, never thrown.
void printList(QWidget* parent, const QString& title, const QStringList& lines);

} // namespace pinakos
