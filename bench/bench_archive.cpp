// Archive access on a large catalog: reaching a record should cost the same
// wherever it lies, and reading the whole archive should go at file speed.
// Each iteration is one command: open, operate, close.
#include "Generated.h"
#include "store/Archive.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace pinakos;

namespace {

constexpr int kRecords = bench::kLargeCatalog;

// The 100,000-record archive, made once per run.
const QString& archivePath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("Grande.art"));
        bench::writeCatalog(p, kRecords);
        return p;
    }();
    return path;
}

void BM_ReadRecord(benchmark::State& state)
{
    const QString& path = archivePath();
    const int n = int(state.range(0));
    for (auto _ : state) {
        Archive a(path);
        TSchedaOpera r = a.read(n);
        benchmark::DoNotOptimize(r);
        a.close();
    }
}
BENCHMARK(BM_ReadRecord)->Arg(1)->Arg(kRecords);

void BM_WriteInPlace(benchmark::State& state)
{
    const QString& path = archivePath();
    const int n = int(state.range(0));
    const TSchedaOpera r = bench::sampleRecord(n);
    for (auto _ : state) {
        Archive a(path);
        a.write(n, r);
        a.close();
    }
}
BENCHMARK(BM_WriteInPlace)->Arg(1)->Arg(kRecords);

void BM_Append(benchmark::State& state)
{
    const QString& path = archivePath();
    const TSchedaOpera r = bench::sampleRecord(kRecords + 1);
    for (auto _ : state) {
        Archive a(path);
        benchmark::DoNotOptimize(a.append(r));
        a.close();
    }
    // Back to the original size for the next measurements.
    QFile::resize(path, qint64(kRecords) * TSchedaOpera::Size);
}
BENCHMARK(BM_Append);

void BM_Scan(benchmark::State& state)
{
    const QString& path = archivePath();
    for (auto _ : state) {
        Archive a(path);
        int sold = 0;
        a.scan([&](int, const TSchedaOpera& r) {
            sold += r.venduta() == Venduta::Si;
            return true;
        });
        benchmark::DoNotOptimize(sold);
        a.close();
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
    state.SetBytesProcessed(state.iterations() * qint64(kRecords) * TSchedaOpera::Size);
}
BENCHMARK(BM_Scan)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
