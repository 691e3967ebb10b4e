// Loading and saving a 24-megapixel sheet photo: read from its JPEG file,
// written back with its original bytes, and written by encoding.
#include "Generated.h"
#include "sheet/Photo.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Fixture
{
    QTemporaryDir dir;
    QString jpegPath;
    pinakos::SheetPhoto loaded;

    Fixture()
    {
        jpegPath = dir.filePath(QStringLiteral("foto24mp.jpg"));
        pinakos::bench::writeLargePhoto(jpegPath);
        loaded = pinakos::SheetPhoto::fromFile(jpegPath);
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void BM_LoadPhoto(benchmark::State& state)
{
    const QString path = fixture().jpegPath;
    for (auto _ : state) {
        pinakos::SheetPhoto photo = pinakos::SheetPhoto::fromFile(path);
        if (photo.image().size() != QSize(6000, 4000))
            state.SkipWithError("photo not loaded");
        benchmark::DoNotOptimize(photo);
    }
}

void BM_SaveOriginalBytes(benchmark::State& state)
{
    const pinakos::SheetPhoto& photo = fixture().loaded;
    const QString out = fixture().dir.filePath(QStringLiteral("copia_originale.jpg"));
    for (auto _ : state) {
        if (!photo.writeTo(out))
            state.SkipWithError("photo not written");
    }
}

void BM_SaveEncoded(benchmark::State& state)
{
    const pinakos::SheetPhoto photo(fixture().loaded.image()); // no original bytes: must be encoded
    const QString out = fixture().dir.filePath(QStringLiteral("copia_codificata.jpg"));
    for (auto _ : state) {
        if (!photo.writeTo(out))
            state.SkipWithError("photo not written");
    }
}

} // namespace

BENCHMARK(BM_LoadPhoto)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveOriginalBytes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveEncoded)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv); // image plug-ins
    return pinakos::bench::runBenchmarks(argc, argv);
}
