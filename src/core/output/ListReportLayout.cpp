#include "output/ListReportLayout.h"

namespace pinakos {

using report::Band;
using report::Object;

namespace {
const QColor kSlateGrey(0x70, 0x80, 0x90);
}

std::unique_ptr<report::Report> makeListReport()
{
    auto r = std::make_unique<report::Report>(QStringLiteral("Riepilogo dati"));
    report::Page& page = r->addPage(QStringLiteral("Page1"));
    page.setOrientation(QPageLayout::Landscape);
    page.margins = QMarginsF(10, 10, 10, 10);

    Band& title = page.addBand(Band::Kind::Title, QStringLiteral("ReportTitle"), 8);
    Object& titolo = title.add(Object::Kind::Text, QStringLiteral("txtTitolo"), QRectF(2, 1, 273, 5));
    titolo.fill = kSlateGrey;
    titolo.font = {QStringLiteral("Verdana"), 9, true};
    titolo.color = Qt::white;
    titolo.alignment = Qt::AlignCenter;
    titolo.setText(QStringLiteral("Riepilogo"));

    Band& master = page.addBand(Band::Kind::MasterData, QStringLiteral("MasterData"), 0);
    Object& righe = master.add(Object::Kind::Text, QStringLiteral("txtRiepilogo"), QRectF(3, 0, 273, 0));
    righe.font = {QStringLiteral("Courier New"), 8, false};
    righe.lineSpacing = report::mmFromUnits(kListLineUnits);

    Band& footer = page.addBand(Band::Kind::Footer, QStringLiteral("Footer"), 8);
    Object& pagina = footer.add(Object::Kind::Text, QStringLiteral("txtPagina"), QRectF(3, 2, 272, 5));
    pagina.fill = kSlateGrey;
    pagina.font = {QStringLiteral("Verdana"), 8, true};
    pagina.color = Qt::white;
    pagina.alignment = Qt::AlignCenter;
    pagina.expressions = true;
    pagina.setText(QStringLiteral("Stampa eseguita in data [DATE]"));

    // A list of more than one page is numbered at the foot of each, at the
    // right, in the type of its lines and one of its lines high.
    const double line = report::mmFromUnits(kListLineUnits);
    Band& foot = page.addBand(Band::Kind::PageFooter, QStringLiteral("PageFooter"), line);
    Object& numero = foot.add(Object::Kind::Text, QStringLiteral("txtNumeroPagina"), QRectF(3, 0, 272, line));
    numero.font = righe.font;
    numero.alignment = Qt::AlignRight | Qt::AlignTop;
    numero.expressions = true;
    numero.setText(QStringLiteral("Pagina [PAGE] di [PAGES]"));
    return r;
}

void fillListReport(report::Report& report, const QString& title, const QStringList& lines)
{
    report.findText(QStringLiteral("txtTitolo"))->setText(title);
    Object* righe = report.findText(QStringLiteral("txtRiepilogo"));
    righe->clearLines();
    righe->lines.reserve(lines.size());
    for (const QString& line : lines)
        righe->appendLine(line);
    const double height = report::mmFromUnits(lines.size() * kListLineUnits);
    righe->setHeight(height);
    report.findBand(QStringLiteral("MasterData"))->setHeight(height + report::mmFromUnits(kListBandExtraUnits));
}

} // namespace pinakos
