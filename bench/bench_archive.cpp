// Archive access on a large catalog: reaching a record should cost the same
// wherever it lies, and reading the whole archive should go at file speed.
// Each iteration is one command: open, operate, close.
#include "store/Archive.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace pinakos;

namespace {

constexpr int kRecords = 100000;

TSchedaOpera sample(int n)
{
    TSchedaOpera r;
    r.setText(Campo::Capo, QStringLiteral("Opera numero %1").arg(n));
    r.setText(Campo::Colore, QStringLiteral("Artista %1").arg(n % 97));
    r.setText(Campo::Tessuto, QStringLiteral("19%1").arg(n % 100, 2, 10, QLatin1Char('0')));
    r.setText(Campo::Note, QString(200, u'n'));
    r.setText(Campo::Prezzo, QStringLiteral("%1,00").arg(n));
    r.setVenduta(n % 3 == 0);
    return r;
}

// The 100,000-record archive, made once per run.
const QString& archivePath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("Grande.art"));
        QFile f(p);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write %s", qPrintable(p));
        QByteArray block;
        for (int n = 1; n <= kRecords; ++n) {
            block.append(sample(n).data(), TSchedaOpera::Size);
            if (block.size() >= (1 << 22)) {
                f.write(block);
                block.clear();
            }
        }
        f.write(block);
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
    const TSchedaOpera r = sample(n);
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
    const TSchedaOpera r = sample(kRecords + 1);
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
