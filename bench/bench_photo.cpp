// Loading and saving a 24-megapixel sheet photo: read from its JPEG file,
// written back with its original bytes, and written by encoding.
#include "sheet/Photo.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
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
        QImage image(6000, 4000, QImage::Format_RGB32);
        QPainter p(&image);
        QLinearGradient g(0, 0, 6000, 4000);
        g.setColorAt(0, QColor(0x42, 0x7A, 0xA8));
        g.setColorAt(1, QColor(0xFD, 0xD3, 0xA0));
        p.fillRect(image.rect(), g);
        for (int i = 0; i < 200; ++i)
            p.fillRect(QRect((i * 977) % 5800, (i * 613) % 3800, 200, 200), QColor::fromHsv((i * 37) % 360, 200, 200));
        p.end();
        jpegPath = dir.filePath(QStringLiteral("foto24mp.jpg"));
        QImageWriter w(jpegPath, "jpeg");
        w.setQuality(90);
        w.write(image);
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
    const pinakos::SheetPhoto photo(fixture().loaded.image());   // no original bytes: must be encoded
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
    QCoreApplication app(argc, argv);   // image plug-ins
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
