// A backup copy of a program folder holding a 100,000-record catalog
// (292.5 MB) and 1,000 photos of 2 MB: through the backup window's
// "Crea copia ora", the core copy alone, and `cp -a` of the same files in
// the same run. The copy hashes every file, reads it back, checks it and
// waits until it is on the disk before giving it its name; cp does none of
// this, so it is also measured followed by `sync -f`, which waits for the
// disk as the copy does, and followed by a hash of what it copied, which
// checks it. Onto a file system in memory, neither has a disk to wait for.
// Hashing the files alone, writing nothing, shows what the list of a copy
// costs by itself.
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
#include <memory>
#include <vector>

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

    // A backup folder in memory, where waiting for the disk costs nothing,
    // for the copy and `cp -a` alike (tmpfs); the disk's one where there is
    // none.
    QTemporaryDir memory{QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/pinakos-bench-XXXXXX")
                                                                   : QDir::tempPath() + QStringLiteral("/XXXXXX")};

    // The backup folder of a benchmark's argument: 0 on the disk, 1 in memory.
    QString backupFolder(const benchmark::State& state) const
    {
        return state.range(0) == 0 ? target.path() : memory.path();
    }

    // Empties a backup folder between runs and lets the disk write what is
    // pending, so that no run pays for the one before (not timed).
    static void clear(const QString& folder)
    {
        for (const QString& n : QDir(folder).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot))
            QDir(folder + u'/' + n).removeRecursively();
#ifdef Q_OS_UNIX
        ::sync();
#endif
    }

    // An empty folder "cp" in `folder`, for the references to copy into.
    static QString cpFolder(const QString& folder)
    {
        clear(folder);
        const QString out = folder + QStringLiteral("/cp");
        QDir().mkpath(out);
        return out;
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

// `cp -a` of the archive and the photo folder into `out`.
bool cpA(const QString& out)
{
    const QString root = pinakos::programFolder();
    return QProcess::execute(
               QStringLiteral("cp"),
               {QStringLiteral("-a"), root + QStringLiteral("Banco.art"), root + QStringLiteral("Pinakos"), out})
        == 0;
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
        Fixture::clear(f.target.path());
        state.ResumeTiming();
        w.cmdCrea->click();
        if (pinakos::backup::listCopies(f.target.path()).size() != 1)
            state.SkipWithError("no copy made");
    }
    state.SetBytesProcessed(state.iterations() * f.bytes);
}

// The core copy alone: copy, read back, check, list; onto the disk (0) or
// into memory (1).
void BM_CopyCore(benchmark::State& state)
{
    Fixture& f = fixture();
    const QString folder = f.backupFolder(state);
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Fixture::clear(folder);
        state.ResumeTiming();
        const auto c = pinakos::backup::makeCopy(pinakos::programFolder(), folder, pinakos::backup::Kind::Manual,
                                                 QDateTime(QDate(2026, 1, 1), QTime(0, 0)).addSecs(++n));
        if (!c)
            state.SkipWithError("no copy made");
    }
    state.SetBytesProcessed(state.iterations() * f.bytes);
}

// The reference: `cp -a` of the same archive and photo folder, onto the
// disk (0) or into memory (1).
void BM_CpReference(benchmark::State& state)
{
    Fixture& f = fixture();
    const QString folder = f.backupFolder(state);
    for (auto _ : state) {
        state.PauseTiming();
        const QString out = Fixture::cpFolder(folder);
        state.ResumeTiming();
        if (!cpA(out))
            state.SkipWithError("cp failed");
    }
    state.SetBytesProcessed(state.iterations() * f.bytes);
}

// The reference that waits for the disk: `cp -a`, then `sync -f` of the
// file system it wrote to.
void BM_CpSyncReference(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        state.PauseTiming();
        const QString out = Fixture::cpFolder(f.target.path());
        state.ResumeTiming();
        if (!cpA(out) || QProcess::execute(QStringLiteral("sync"), {QStringLiteral("-f"), out}) != 0)
            state.SkipWithError("cp or sync failed");
    }
    state.SetBytesProcessed(state.iterations() * f.bytes);
}

// The files of the program folder a copy takes, relative to it.
QStringList copiedFiles()
{
    QStringList files{QStringLiteral("Banco.art")};
    for (const QString& n : QDir(pinakos::inProgramFolder(QStringLiteral("Pinakos"))).entryList(QDir::Files))
        files.append(QStringLiteral("Pinakos/") + n);
    return files;
}

// Hashes `files` (relative to `folder`) with `openssl dgst -sha256`, which
// uses the processor's SHA instructions as the copy does (coreutils'
// sha256sum does not, and is about 4 times slower here), in `processes`
// processes at once, each taking its share; true when all succeed.
bool hashFiles(const QString& folder, const QStringList& files, int processes)
{
    std::vector<std::unique_ptr<QProcess>> running;
    for (int p = 0; p < processes; ++p) {
        QStringList share;
        for (qsizetype i = p; i < files.size(); i += processes)
            share.append(files[i]);
        auto proc = std::make_unique<QProcess>();
        proc->setWorkingDirectory(folder);
        proc->setStandardOutputFile(QProcess::nullDevice());
        proc->start(QStringLiteral("openssl"), QStringList{QStringLiteral("dgst"), QStringLiteral("-sha256")} + share);
        running.push_back(std::move(proc));
    }
    bool ok = true;
    for (const auto& proc : running)
        ok = proc->waitForFinished(-1) && proc->exitStatus() == QProcess::NormalExit && proc->exitCode() == 0 && ok;
    return ok;
}

// What hashing alone costs, without writing anything: the same files
// hashed in one process, and in as many as the copy has threads (2 on this
// machine's 2 cores). The list a copy writes needs this hash of every byte.
void BM_HashReference(benchmark::State& state)
{
    fixture();
    const QStringList files = copiedFiles();
    for (auto _ : state)
        if (!hashFiles(pinakos::programFolder(), files, int(state.range(0))))
            state.SkipWithError("openssl failed");
    state.SetBytesProcessed(state.iterations() * fixture().bytes);
}

// A copy checked by hand: `cp -a`, then the hash of what was copied, read
// back from the copy, on both cores.
void BM_CpCheckReference(benchmark::State& state)
{
    Fixture& f = fixture();
    const QStringList files = copiedFiles();
    for (auto _ : state) {
        state.PauseTiming();
        const QString out = Fixture::cpFolder(f.target.path());
        state.ResumeTiming();
        if (!cpA(out) || !hashFiles(out, files, 2))
            state.SkipWithError("cp or openssl failed");
    }
    state.SetBytesProcessed(state.iterations() * f.bytes);
}

// The hash a copy computes over every byte: ours (libcrypto where the
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
BENCHMARK(BM_CopyCore)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_CpReference)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_CpSyncReference)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_CpCheckReference)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_HashReference)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return pinakos::bench::runBenchmarks(argc, argv);
}
