// Printing to a PDF file, as the program does it through the print dialog:
// the list report of 100,000 summary lines (about 1,800 landscape pages) and
// the sheet report with a 24-megapixel photo. The reference is
// `enscript -r -f Courier8 | ps2pdf` turning the same lines into a PDF.
#include "Generated.h"

#include "base/ProgramFolder.h"
#include "kit/Dialogs.h"
#include "kit/Printing.h"
#include "output/SheetReport.h"
#include "search/Summary.h"
#include "sheet/Photo.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Confirms every print dialog, sending the printing to one PDF file; any
// message is a failure of the run.
class PdfDialogs final : public pinakos::Dialogs
{
public:
    QString file;
    QString failure;

    void notify(QWidget*, Kind, const QString& text) override { failure = text; }
    bool confirm(QWidget*, const QString&) override { return false; }
    QString openFile(QWidget*, const pinakos::FileDialogRequest&) override { return {}; }
    QString saveFile(QWidget*, const pinakos::FileDialogRequest&) override { return {}; }
    bool print(QWidget*, QPrinter& printer) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        return true;
    }
    void shellOpen(const QString&) override {}
};

struct Fixture
{
    QTemporaryDir dir;
    PdfDialogs dialogs;
    QStringList lines;
    QString linesFile; // the same lines, one a line, in the code page
    QString photoFile;

    Fixture()
    {
        pinakos::setProgramFolder(dir.path());
        pinakos::setDialogs(&dialogs);
        dialogs.file = dir.filePath(QStringLiteral("stampa.pdf"));
        lines.reserve(pinakos::bench::kLargeCatalog);
        for (int n = 1; n <= pinakos::bench::kLargeCatalog; ++n)
            lines << pinakos::summaryLine(pinakos::bench::sampleRecord(n));
        linesFile = dir.filePath(QStringLiteral("righe.txt"));
        pinakos::bench::writeLineFile(linesFile, lines);
        photoFile = dir.filePath(QStringLiteral("foto24mp.jpg"));
        pinakos::bench::writeLargePhoto(photoFile);
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

// The list report of 100,000 lines, prepared and printed to a PDF file.
void BM_ListReport100k(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        pinakos::printList(nullptr, QStringLiteral("Riepilogo opere d'arte in catalogo"), f.lines);
        if (!f.dialogs.failure.isEmpty()) {
            state.SkipWithError(qPrintable(f.dialogs.failure));
            break;
        }
    }
    state.counters["MB"] = double(QFileInfo(f.dialogs.file).size()) / 1e6;
}

// The same lines through enscript and ghostscript.
void BM_EnscriptPs2pdf100k(benchmark::State& state)
{
    Fixture& f = fixture();
    pinakos::bench::enscriptPs2pdf(state, f.linesFile, f.dir.filePath(QStringLiteral("enscript.pdf")),
                                   QStringLiteral("-q -r -f Courier8"));
}

// The sheet report with a 24-megapixel photo, as the print window prints it:
// the photo decoded at the size the sheet shows it, then at the printed size.
void BM_SheetReport24MP(benchmark::State& state)
{
    Fixture& f = fixture();
    const pinakos::SheetPhoto photo = pinakos::SheetPhoto::fromFile(f.photoFile, pinakos::kSheetPhotoArea);
    auto report = pinakos::makeSheetReport();
    for (auto _ : state) {
        const QImage picture = photo.imageFor(pinakos::fitRect(photo.size(), QRect(0, 0, 2220, 1323)).size());
        pinakos::fillSheetReport(*report, pinakos::bench::sampleRecord(7), picture, QDateTime::currentDateTime());
        pinakos::printReport(nullptr, *report);
    }
}

} // namespace

BENCHMARK(BM_ListReport100k)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_EnscriptPs2pdf100k)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_SheetReport24MP)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return pinakos::bench::runBenchmarks(argc, argv);
}
