// A backup copy of a program folder holding a 100,000-record catalog
// (292.5 MB) and 1,000 photos of 2 MB: through the backup window's
// "Crea copia ora", the core copy alone, and `cp -a` of the same files in
// the same run. The copy reads every file back, checks it and waits until
// it is on the disk before giving it its name; cp does neither, so it is
// also measured followed by `sync -f`, which waits for the disk as the copy
// does.
#include "Generated.h"
#include "SilentDialogs.h"
#include "backup/Backup.h"
#include "backup/Copie.h"
#include "backup/Sha256.h"
#include "base/ProgramFolder.h"
#include "kit/Dialogs.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

constexpr int kPhotos = 1000;
constexpr int kPhotoBytes = 2 * 1000 * 1000;

using pinakos::bench::SilentDialogs;

struct Fixture
{
    QTemporaryDir dir;
    QTemporaryDir target;
    SilentDialogs silent;
    qint64 bytes = 0;

    Fixture()
    {
        pinakos::setProgramFolder(dir.path());
        pinakos::setDialogs(&silent);
        silent.folder = target.path();
        const QString archive = pinakos::inProgramFolder(QStringLiteral("Banco.art"));
        pinakos::bench::writeCatalog(archive, pinakos::bench::kLargeCatalog);
        bytes += QFile(archive).size();
        QDir().mkpath(pinakos::inProgramFolder(QStringLiteral("Pinakos")));
        QByteArray photo(kPhotoBytes, Qt::Uninitialized);
        QRandomGenerator random(17);
        for (int n = 1; n <= kPhotos; ++n) {
            random.fillRange(reinterpret_cast<quint32*>(photo.data()), photo.size() / 4);
            QFile f(pinakos::inProgramFolder(QStringLiteral("Pinakos/Banco_Foto_%1.jpg").arg(n)));
            if (!f.open(QIODevice::WriteOnly) || f.write(photo) != photo.size())
                qFatal("cannot write the photos");
            bytes += photo.size();
        }
        pinakos::backup::Settings s;
        s.folder = target.path();
        pinakos::backup::saveSettings(pinakos::programFolder(), s);
    }

    // Empties the backup folder between runs and lets the disk write what
    // is pending, so that no run pays for the one before (not timed).
    void clearTarget() const
    {
        for (const QString& n : QDir(target.path()).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot))
            QDir(target.path() + u'/' + n).removeRecursively();
#ifdef Q_OS_UNIX
        ::sync();
#endif
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

// From the click on "Crea copia ora" to the list showing the checked copy.
void BM_CopyWindow(benchmark::State& state)
{
    Fixture& f = fixture();
    TfrmCopie w;
    w.show();
    QApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        f.clearTarget();
        state.ResumeTiming();
        w.cmdCrea->click();
        if (pinakos::backup::listCopies(f.target.path()).size() != 1)
            state.SkipWithError("no copy made");
    }
    state.SetBytesProcessed(state.iterations() * f.bytes);
}

// The core copy alone: copy, read back, check, list.
void BM_CopyCore(benchmark::State& state)
{
    Fixture& f = fixture();
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        f.clearTarget();
        state.ResumeTiming();
        const auto c =
            pinakos::backup::makeCopy(pinakos::programFolder(), f.target.path(), pinakos::backup::Kind::Manual,
                                      QDateTime(QDate(2026, 1, 1), QTime(0, 0)).addSecs(++n));
        if (!c)
            state.SkipWithError("no copy made");
    }
    state.SetBytesProcessed(state.iterations() * f.bytes);
}

// The reference: `cp -a` of the same archive and photo folder.
void BM_CpReference(benchmark::State& state)
{
    Fixture& f = fixture();
    const QString root = pinakos::programFolder();
    for (auto _ : state) {
        state.PauseTiming();
        f.clearTarget();
        const QString out = f.target.path() + QStringLiteral("/cp");
        QDir().mkpath(out);
        state.ResumeTiming();
        if (QProcess::execute(
                QStringLiteral("cp"),
                {QStringLiteral("-a"), root + QStringLiteral("Banco.art"), root + QStringLiteral("Pinakos"), out})
            != 0)
            state.SkipWithError("cp failed");
    }
    state.SetBytesProcessed(state.iterations() * f.bytes);
}

// The reference that waits for the disk: `cp -a`, then `sync -f` of the
// file system it wrote to.
void BM_CpSyncReference(benchmark::State& state)
{
    Fixture& f = fixture();
    const QString root = pinakos::programFolder();
    for (auto _ : state) {
        state.PauseTiming();
        f.clearTarget();
        const QString out = f.target.path() + QStringLiteral("/cp");
        QDir().mkpath(out);
        state.ResumeTiming();
        if (QProcess::execute(
                QStringLiteral("cp"),
                {QStringLiteral("-a"), root + QStringLiteral("Banco.art"), root + QStringLiteral("Pinakos"), out})
                != 0
            || QProcess::execute(QStringLiteral("sync"), {QStringLiteral("-f"), out}) != 0)
            state.SkipWithError("cp or sync failed");
    }
    state.SetBytesProcessed(state.iterations() * f.bytes);
}

// The hash a copy computes twice over every byte: ours (libcrypto where the
// build found it) beside Qt's own, on 256 MB.
void BM_Sha256(benchmark::State& state)
{
    const QByteArray bytes(256 << 20, 'x');
    for (auto _ : state) {
        pinakos::Sha256 h;
        h.add(bytes);
        benchmark::DoNotOptimize(h.hexResult());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void BM_QtSha256(benchmark::State& state)
{
    const QByteArray bytes(256 << 20, 'x');
    for (auto _ : state)
        benchmark::DoNotOptimize(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

} // namespace

BENCHMARK(BM_Sha256)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_QtSha256)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CopyWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_CopyCore)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_CpReference)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_CpSyncReference)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return pinakos::bench::runBenchmarks(argc, argv);
}
