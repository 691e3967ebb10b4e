// The sheet window's record commands as a person uses them, on a generated
// 100,000-record catalog: moving to the first and last sheet, showing a sheet
// with a 24-megapixel photo, and saving that sheet.
#include "Generated.h"
#include "SilentDialogs.h"
#include "base/ProgramFolder.h"
#include "kit/Dialogs.h"
#include "sheet/Opere.h"
#include "sheet/Photo.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRecords = pinakos::bench::kLargeCatalog;

using pinakos::bench::SilentDialogs;

struct Fixture
{
    QTemporaryDir dir;
    SilentDialogs silent;
    TfrmOpere* sheet = nullptr;

    Fixture()
    {
        pinakos::setProgramFolder(dir.path());
        pinakos::setDialogs(&silent);
        const QString archive = pinakos::inProgramFolder(QStringLiteral("Banco.art"));
        pinakos::bench::writeCatalog(archive, kRecords);
        // A 24-megapixel photo for record 2.
        pinakos::bench::writeLargePhoto(pinakos::photoPath(QStringLiteral("Banco"), 2));

        sheet = new TfrmOpere;
        sheet->openCatalog(archive, QStringLiteral("Banco"));
        sheet->show();
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void BM_FirstAndLast(benchmark::State& state)
{
    TfrmOpere* s = fixture().sheet;
    for (auto _ : state) {
        s->cmdUltimoClick();
        s->cmdPrimoClick();
    }
    if (s->lblPosizione->text() != QLatin1String("1"))
        state.SkipWithError("navigation failed");
}

void BM_NextPrevious(benchmark::State& state)
{
    TfrmOpere* s = fixture().sheet;
    s->cmdUltimoClick();
    s->cmdIndietroClick();
    for (auto _ : state) {
        s->cmdAvantiClick();
        s->cmdIndietroClick();
    }
    if (s->lblPosizione->text() != QString::number(kRecords - 1))
        state.SkipWithError("navigation failed");
}

// Moving from record 1 to record 2, whose 24-megapixel photo is decoded,
// scaled and drawn in the sheet.
void BM_ShowSheetWithPhoto(benchmark::State& state)
{
    TfrmOpere* s = fixture().sheet;
    for (auto _ : state) {
        state.PauseTiming();
        s->cmdPrimoClick();
        state.ResumeTiming();
        s->cmdAvantiClick();
        QApplication::processEvents(); // the photo is drawn
    }
    if (s->lblPosizione->text() != QLatin1String("2"))
        state.SkipWithError("navigation failed");
}

// Saving record 2 while it carries its 24-megapixel photo.
void BM_SaveSheetWithPhoto(benchmark::State& state)
{
    TfrmOpere* s = fixture().sheet;
    s->cmdPrimoClick();
    s->cmdAvantiClick();
    for (auto _ : state)
        s->cmdSalvaClick();
}

} // namespace

BENCHMARK(BM_FirstAndLast)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_NextPrevious)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_ShowSheetWithPhoto)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveSheetWithPhoto)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return pinakos::bench::runBenchmarks(argc, argv);
}
