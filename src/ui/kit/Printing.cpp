#include "kit/Printing.h"

#include "base/Failure.h"
#include "base/ProgramFolder.h"
#include "kit/Dialogs.h"
#include "kit/Guard.h"
#include "output/ListReportLayout.h"
#include "output/Report.h"

#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>

namespace pinakos {

namespace {

// The prepared pages to print, 0-based, as the print dialog left the range
// and the copies; copies the printer cannot make itself are repeated here.
QList<int> pagesToPrint(const QPrinter& printer, int pageCount)
{
    int from = 1, to = pageCount;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = std::max(printer.fromPage(), 1);
        to = std::min(printer.toPage() > 0 ? printer.toPage() : pageCount, pageCount);
    }
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(printer.copyCount(), 1);
    QList<int> pages;
    if (printer.collateCopies()) {
        for (int c = 0; c < copies; ++c)
            for (int p = from; p <= to; ++p)
                pages.append(p - 1);
    } else {
        for (int p = from; p <= to; ++p)
            for (int c = 0; c < copies; ++c)
                pages.append(p - 1);
    }
    return pages;
}

QString whereItFailed(const QPrinter& printer)
{
    if (!printer.outputFileName().isEmpty())
        return QStringLiteral("Il file \"%1\" non può essere scritto.").arg(printer.outputFileName());
    return QStringLiteral("La stampante \"%1\" non risponde.").arg(printer.printerName());
}

} // namespace

bool printReport(QWidget* parent, report::Report& report)
{
    report.prepare();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(report.name());
    printer.setCreator(QStringLiteral("Pinakos"));
    // With no printer the dialog offers a PDF file in the program folder.
    // Windows' own print dialog takes no PDF printer (and Windows always has
    // its own PDF printer), so there the system's printers are left alone.
#ifndef Q_OS_WIN
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(programFolder() + report.name() + QStringLiteral(".pdf"));
    }
#endif
    printer.setPageLayout(report.pageLayout(0));
    printer.setFromTo(1, report.pageCount());
    if (!dialogs().print(parent, printer))
        return false;

    const QList<int> pages = pagesToPrint(printer, report.pageCount());
    std::unique_ptr<Dialogs::Progress> progress =
        dialogs().progress(parent, QStringLiteral("Stampa in corso..."), int(pages.size()));
    bool done = false;
    try {
        done = report.print(printer, pages, [&](int n, int) { return progress->step(n); });
    } catch (const Failure& f) {
        throw Failure(f.message() + QStringLiteral("\r\n") + whereItFailed(printer));
    }
    progress.reset();
    if (!done) {
        // Stopped by the user: no half-written file stays behind.
        if (!printer.outputFileName().isEmpty())
            QFile::remove(printer.outputFileName());
        return false;
    }
    if (printer.printerState() == QPrinter::Error)
        throw Failure(QStringLiteral("Attenzione: la stampa non è stata completata.\r\n") + whereItFailed(printer));
    return true;
}

void printList(QWidget* parent, const QString& title, const QStringList& lines)
{
    runHandler(parent, [&] {
        std::unique_ptr<report::Report> report = makeListReport();
        fillListReport(*report, title, lines);
        printReport(parent, *report);
    });
}

} // namespace pinakos
