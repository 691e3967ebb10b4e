// The spreadsheet export on a generated 100,000-record catalog: filling the
// grid's table, writing the file beside a plain `cp` of a file of the same
// size, the export window on screen with its grid filled, and the three
// export buttons clicked on the filled window (the first question answered
// yes, the offer to open the file no).
#include "FakeSheet.h"
#include "Generated.h"
#include "SilentDialogs.h"
#include "base/ProgramFolder.h"
#include "kit/Dialogs.h"
#include "kit/Sheet.h"
#include "output/CatalogModel.h"
#include "output/ExpOpere.h"
#include "output/Spreadsheet.h"
#include "output/Workbook.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRecords = pinakos::bench::kLargeCatalog;

struct Fixture
{
    QTemporaryDir dir;
    QString archive;
    QString output;
    Fixture()
    {
        pinakos::setProgramFolder(dir.path());
        archive = pinakos::inProgramFolder(QStringLiteral("Banco.art"));
        output = pinakos::inProgramFolder(pinakos::spreadsheetFileName());
        pinakos::bench::writeCatalog(archive, kRecords);
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

// Reading the whole archive into the grid's table.
void BM_FillTable(benchmark::State& state)
{
    const Fixture& f = fixture();
    for (auto _ : state) {
        pinakos::CatalogModel m;
        m.load(f.archive);
        benchmark::DoNotOptimize(m.rowCount());
    }
    state.SetBytesProcessed(state.iterations() * qint64(kRecords) * pinakos::TSchedaOpera::Size);
    state.counters["peak_MB"] = pinakos::bench::peakMegabytes();
}

// Writing the spreadsheet file from a filled table.
void BM_Export(benchmark::State& state)
{
    const Fixture& f = fixture();
    pinakos::CatalogModel m;
    m.load(f.archive);
    for (auto _ : state)
        pinakos::writeSpreadsheet(f.output, [&](pinakos::SpreadsheetWriter& w) { return m.writeRows(w); });
    const qint64 size = QFileInfo(f.output).size();
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["file_MB"] = double(size) / 1e6;
}

// The reference: `cp` of a file of the export's size.
void BM_CopyReference(benchmark::State& state)
{
    const Fixture& f = fixture();
    if (!QFileInfo::exists(f.output))
        pinakos::writeSpreadsheet(f.output, [](pinakos::SpreadsheetWriter&) { return true; });
    const QString copy = pinakos::inProgramFolder(QStringLiteral("copia.xls"));
    for (auto _ : state) {
        if (QProcess::execute(QStringLiteral("cp"), {f.output, copy}) != 0)
            state.SkipWithError("cp failed");
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(f.output).size());
}

// From the export button to the window on screen with its grid filled and
// drawn, then closed and destroyed.
void BM_ExportWindow(benchmark::State& state)
{
    pinakos::test::FakeSheet sheet;
    sheet.path = fixture().archive;
    int rows = 0;
    for (auto _ : state) {
        TfrmExpOpere w;
        w.setSheet(&sheet);
        w.show();
        QApplication::processEvents();
        w.grdRecords->viewport()->repaint();
        rows = w.grdRecords->model()->rowCount();
        w.close();
    }
    if (rows != kRecords)
        state.SkipWithError("the grid was not filled");
    state.counters["peak_MB"] = pinakos::bench::peakMegabytes();
}

enum class Button {
    Excel,
    Ods,
    Xlsx,
};

// From a click on an export button of the filled window to the file written
// and the second question answered.
void BM_ExportClick(benchmark::State& state, Button button)
{
    pinakos::test::FakeSheet sheet;
    sheet.path = fixture().archive;
    pinakos::bench::SilentDialogs answers;
    pinakos::setDialogs(&answers);
    TfrmExpOpere w;
    w.setSheet(&sheet);
    w.show();
    QApplication::processEvents();
    const QString path = button == Button::Excel ? TfrmExpOpere::exportPath()
        : button == Button::Ods                  ? TfrmExpOpere::exportPath(pinakos::WorkbookFormat::OpenDocument)
                                                 : TfrmExpOpere::exportPath(pinakos::WorkbookFormat::OfficeOpenXml);
    QFile::remove(path);
    for (auto _ : state) {
        answers.yes = 1;
        if (button == Button::Excel)
            w.cmdEsportaClick();
        else if (button == Button::Ods)
            w.cmdEsportaOdsClick();
        else
            w.cmdEsportaXlsxClick();
    }
    if (w.grdRecords->model()->rowCount() != kRecords || !QFileInfo::exists(path))
        state.SkipWithError("nothing was exported");
    state.counters["file_MB"] = double(QFileInfo(path).size()) / 1e6;
    state.counters["peak_MB"] = pinakos::bench::peakMegabytes();
    w.close();
    pinakos::setDialogs(nullptr);
}

} // namespace

BENCHMARK_CAPTURE(BM_ExportClick, xls, Button::Excel)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_ExportClick, ods, Button::Ods)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_ExportClick, xlsx, Button::Xlsx)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExportWindow)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FillTable)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Export)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CopyReference)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return pinakos::bench::runBenchmarks(argc, argv);
}
