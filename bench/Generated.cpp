#include "Generated.h"
#include "search/Summary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QStandardPaths>
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

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

QImage samplePicture(int width, int height, int squares, int square, int margin)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, width, height);
    g.setColorAt(0, QColor(0x42, 0x7A, 0xA8));
    g.setColorAt(1, QColor(0xFD, 0xD3, 0xA0));
    p.fillRect(image.rect(), g);
    for (int i = 0; i < squares; ++i)
        p.fillRect(QRect((i * 977) % (width - margin), (i * 613) % (height - margin), square, square),
                   QColor::fromHsv((i * 37) % 360, 200, 200));
    p.end();
    return image;
}

void writeLargePhoto(const QString& path)
{
    const QImage image = samplePicture(6000, 4000, 200, 200, 200);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImageWriter w(path, "jpeg");
    w.setQuality(90);
    if (!w.write(image))
        qFatal("cannot write %s", qPrintable(path));
}

void writeLineFile(const QString& path, const QStringList& lines)
{
    std::string bytes;
    for (const QString& line : lines) {
        bytes += lineBytes(line);
        bytes += '\n';
    }
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
        qFatal("cannot write %s", qPrintable(path));
}

int runShell(const QString& command)
{
    const QByteArray c = command.toLocal8Bit();
    char sh[] = "/bin/sh", dashC[] = "-c";
    char* argv[] = {sh, dashC, const_cast<char*>(c.constData()), nullptr};
    pid_t pid;
    if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, argv, environ) != 0)
        return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void enscriptPs2pdf(benchmark::State& state, const QString& linesFile, const QString& pdf,
                    const QString& enscriptOptions)
{
    if (QStandardPaths::findExecutable(QStringLiteral("enscript")).isEmpty()
        || QStandardPaths::findExecutable(QStringLiteral("ps2pdf")).isEmpty()) {
        state.SkipWithError("enscript or ps2pdf missing");
        return;
    }
    const QString command =
        QStringLiteral("enscript %1 -p - '%2' | ps2pdf - '%3'").arg(enscriptOptions, linesFile, pdf);
    for (auto _ : state)
        if (runShell(command) != 0) {
            state.SkipWithError("enscript | ps2pdf failed");
            break;
        }
    state.counters["MB"] = double(QFileInfo(pdf).size()) / 1e6;
}

} // namespace pinakos::bench
