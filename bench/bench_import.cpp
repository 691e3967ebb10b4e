// The import of a generated 100,000-row CSV file (Windows-1252, ";", the
// export's headings, a quoted line break in every hundredth row): reading the
// file into its table, and the import window's two clicks, the file chosen
// (read and shown) and Importa (checked, appended to a new catalog).
#include "Generated.h"
#include "SilentDialogs.h"
#include "base/ProgramFolder.h"
#include "store/Codec1252.h"
#include "store/ImportJob.h"
#include "store/Importa.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = pinakos::bench::kLargeCatalog;

QByteArray csvCell(const QString& text)
{
    const QByteArray b = pinakos::toWindows1252(text);
    if (!b.contains(';') && !b.contains('"') && !b.contains('\n'))
        return b;
    return '"' + QByteArray(b).replace("\"", "\"\"") + '"';
}

struct Fixture
{
    QTemporaryDir dir;
    QString csv;
    QString archive;
    Fixture()
    {
        pinakos::setProgramFolder(dir.path());
        csv = pinakos::inProgramFolder(QStringLiteral("Opere.csv"));
        archive = pinakos::inProgramFolder(QStringLiteral("Importati.art"));
        QFile f(csv);
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(csv));
        QByteArray line;
        for (int t = 0; t < pinakos::kImportTargets; ++t)
            line += (t ? ";" : "") + csvCell(pinakos::importTargetName(t));
        f.write(line + "\r\n");
        for (int n = 0; n < kRows; ++n) {
            const pinakos::TSchedaOpera r = pinakos::bench::sampleRecord(n);
            line.clear();
            for (int t = 0; t < pinakos::kImportPhoto; ++t) {
                const pinakos::Campo c = pinakos::importField(t);
                QString text = c == pinakos::Campo::Segnala
                    ? QString::fromLatin1(r.venduta() == pinakos::Venduta::Si ? "S\xEC" : "No")
                    : r.text(c);
                if (c == pinakos::Campo::Note && n % 100 == 0)
                    text += QStringLiteral("\nseconda riga; con \"virgolette\"");
                line += (t ? ";" : "") + csvCell(text);
            }
            line += ";\r\n";
            f.write(line);
        }
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

// Reading the file into its table, as choosing it does.
void BM_ReadCsv(benchmark::State& state)
{
    const Fixture& f = fixture();
    for (auto _ : state) {
        const pinakos::ImportSource s = pinakos::readImportSource(f.csv);
        benchmark::DoNotOptimize(s.table.rowCount());
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(f.csv).size());
    state.counters["file_MB"] = double(QFileInfo(f.csv).size()) / 1e6;
}

// The import window's clicks: arg 0 times choosing the file, arg 1 Importa.
void BM_ImportWindow(benchmark::State& state)
{
    const Fixture& f = fixture();
    pinakos::bench::SilentDialogs silent;
    silent.file = f.csv;
    pinakos::setDialogs(&silent);
    const bool timeImport = state.range(0) == 1;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(f.archive);
        auto w = std::make_unique<TfrmImporta>();
        w->setTarget(f.archive, QStringLiteral("Importati"), true);
        if (timeImport)
            w->cmdFile->click();
        state.ResumeTiming();
        (timeImport ? w->cmdImporta : w->cmdFile)->click();
        state.PauseTiming();
        if (timeImport && QFileInfo(f.archive).size() != qint64(kRows) * pinakos::TSchedaOpera::Size)
            state.SkipWithError("the import did not append every row");
        w.reset();
        state.ResumeTiming();
    }
    pinakos::setDialogs(nullptr);
    state.counters["rows"] = kRows;
    state.counters["peak_MB"] = pinakos::bench::peakMegabytes();
}

} // namespace

BENCHMARK(BM_ReadCsv)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImportWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return pinakos::bench::runBenchmarks(argc, argv);
}
