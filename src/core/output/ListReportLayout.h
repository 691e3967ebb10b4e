#pragma once
// The list report: summary lines under a title on A4 landscape pages.

#include "output/Report.h"

#include <QStringList>
#include <memory>

namespace pinakos {

// Height given to the list text for each of its lines, and the extra height
// of its band, in the engine's units.
constexpr double kListLineUnits = 12.822;
constexpr double kListBandExtraUnits = 10;

// The template "Riepilogo dati": a title band (txtTitolo), the master band
// MasterData holding txtRiepilogo, a footer (txtPagina) with the date, and,
// when the list takes more than one page, "Pagina N di M" at the foot of each
// (txtNumeroPagina in the page footer PageFooter).
std::unique_ptr<report::Report> makeListReport();

// Fills the template as a list window prints it: the title, the lines in the
// order given (each printed literally), and the two heights that follow from
// the number of lines.
void fillListReport(report::Report& report, const QString& title, const QStringList& lines);

} // namespace pinakos
