#pragma once
// The sheet report: an A4 portrait page with the work shown in the sheet, its
// photo and its fifteen descriptive fields, every value printed whole.

#include "output/Report.h"
#include "store/SchedaOpera.h"

#include <QDateTime>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace pinakos {

// The value texts of the report, in the order they are filled, each with the
// field of the record it prints. Each bears the name of the sheet's text box.
const std::vector<std::pair<QString, Campo>>& sheetReportFields();

// The euro sign beside the value: blue on white, 48 x 49 pixels.
QImage euroPicture(const QSize& size = QSize(48, 49));

// The template "Scheda opera d'arte": bands one under the other (the title,
// photo and value; the rows of field boxes; the notes; the date line), each
// printed whole. A value too long for its box is wrapped, then set in smaller
// type down to 6 points, and only then makes its box taller, moving what is
// below it down, onto a second page when the first is full.
std::unique_ptr<report::Report> makeSheetReport();

// "Stampa eseguita in data dd/mm/yyyy alle ore " and the time in the system's
// long time format.
QString printedAt(const QDateTime& when);

// Fills the template as the print window does: portrait page, the picture,
// the fifteen texts (each `textOf` its field, trimmed, printed literally) and
// the print date line.
void fillSheetReport(report::Report& report, const std::function<QString(Campo)>& textOf, const QImage& picture,
                     const QDateTime& when);
// The same with the texts of a record.
void fillSheetReport(report::Report& report, const TSchedaOpera& shown, const QImage& picture, const QDateTime& when);

} // namespace pinakos
