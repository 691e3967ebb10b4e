#include "Generated.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace pinakos::bench {

TSchedaOpera sampleRecord(int n)
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

void writeCatalog(const QString& path, int records)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    QByteArray block;
    for (int n = 1; n <= records; ++n) {
        block.append(sampleRecord(n).data(), TSchedaOpera::Size);
        if (block.size() >= (1 << 22)) {
            f.write(block);
            block.clear();
        }
    }
    f.write(block);
}

int runBenchmarks(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

double peakMegabytes()
{
    struct rusage u
    {};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss) / 1024.0; // kilobytes on Linux
}

void writeLargePhoto(const QString& path)
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
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImageWriter w(path, "jpeg");
    w.setQuality(90);
    if (!w.write(image))
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace pinakos::bench
