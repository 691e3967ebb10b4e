#include "backup/Backup.h"

#include "access/IniFile.h"
#include "backup/Sha256.h"
#include "base/Failure.h"
#include "base/Log.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QStorageInfo>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <numeric>
#include <vector>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <io.h>
#endif

namespace pinakos::backup {

namespace {

const QString kPrefix = QStringLiteral("Pinakos-copia-");
const QString kCopyFailed = QStringLiteral("Attenzione: non è stato possibile creare la copia di sicurezza.");
const QString kRestoreFailed = QStringLiteral("Attenzione: la copia non è stata ripristinata.");
const QString kBreak = QStringLiteral("\r\n\r\n");
const QString kPhotos = QStringLiteral("Pinakos");
const QString kDocuments = QStringLiteral("Documenti_Allegati");
const QString kPassword = QStringLiteral("unins000.dll");
const QString kSettings = QStringLiteral("Copie.ini");
const QString kSection = QStringLiteral("Copie");
constexpr qint64 kChunk = 4 << 20;
// A copy's block: read, written and read back while it stays in the cache.
constexpr qint64 kBlock = 256 << 10;

std::function<qint64(const QString&)>& probe()
{
    static std::function<qint64(const QString&)> p;
    return p;
}

QString withSlash(const QString& folder)
{
    QString f = QDir::fromNativeSeparators(folder);
    if (!f.endsWith(u'/'))
        f += u'/';
    return f;
}

QString nativePath(const QString& p) { return QDir::toNativeSeparators(p); }

bool isArchive(const QString& path) { return !path.contains(u'/') && path.endsWith(u".art", Qt::CaseInsensitive); }

// Whether `path` is `folder` or lies inside it.
bool inside(const QString& path, const QString& folder)
{
    if (folder.isEmpty())
        return false;
    const QString p = withSlash(QFileInfo(path).absoluteFilePath());
    const QString f = withSlash(QFileInfo(folder).absoluteFilePath());
    return p.startsWith(f, Qt::CaseInsensitive);
}

void sortArchivesLast(QList<Entry>& entries)
{
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        const bool aa = isArchive(a.path), ba = isArchive(b.path);
        if (aa != ba)
            return !aa;
        return a.path < b.path;
    });
}

// Reports progress; false once the user has cancelled.
bool report(const Progress& progress, qint64 done, qint64 total) { return !progress || progress(done, total); }

// The copying threads and the thread that waits for them share this: the
// bytes done, the order to stop, the first failure, the spare buffers.
struct Work
{
    std::atomic<qint64> done{0};
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::condition_variable changed;
    qsizetype finished = 0;
    qsizetype count = 0;
    std::exception_ptr failure;
    // Buffers of the threads that have finished a file, for the next one.
    // Not thread_local: MinGW's thread-local objects with destructors
    // corrupt the heap when a pool thread ends.
    std::vector<std::unique_ptr<char[]>> spare;

    std::unique_ptr<char[]> takeBuffer()
    {
        const std::lock_guard lock(mutex);
        if (spare.empty())
            return std::make_unique_for_overwrite<char[]>(2 * kBlock);
        std::unique_ptr<char[]> b = std::move(spare.back());
        spare.pop_back();
        return b;
    }

    void finish(std::unique_ptr<char[]> buffer, std::exception_ptr failed)
    {
        const std::lock_guard lock(mutex);
        if (buffer)
            spare.push_back(std::move(buffer));
        if (failed && !failure) {
            failure = failed;
            stop = true;
        }
        if (++finished == count || failure)
            changed.notify_all();
    }
};

std::function<void(const QString&, char*, qint64)>& readBackProbe()
{
    static std::function<void(const QString&, char*, qint64)> p;
    return p;
}

Failure readFailure(const QString& shownName, const QFileDevice& f)
{
    return Failure(lcBackup,
                   kCopyFailed + kBreak + QStringLiteral("Non è possibile leggere il file ") + shownName
                       + QStringLiteral(": ") + f.errorString());
}

Failure writeFailure(const QString& shownName, const QFileDevice& f, const QString& destFolder, qint64 wanted)
{
    const bool full = f.error() == QFileDevice::ResourceError || freeSpace(destFolder) < wanted;
    return Failure(lcBackup,
                   kCopyFailed + kBreak
                       + (full ? QStringLiteral("Il disco della cartella delle copie è pieno.")
                               : QStringLiteral("Non è possibile scrivere il file ") + shownName
                                  + QStringLiteral(" nella copia: ") + f.errorString()));
}

Failure mismatch(const QString& shownName)
{
    return Failure(lcBackup,
                   kCopyFailed + kBreak + QStringLiteral("Il file ") + shownName
                       + QStringLiteral(" riletto dalla copia non corrisponde all'originale."));
}

// Reads exactly `size` bytes unless the file ends first; gives how many.
qint64 readFully(QFile& f, char* into, qint64 size)
{
    qint64 got = 0;
    while (got < size) {
        const qint64 n = f.read(into + got, size - got);
        if (n <= 0)
            break;
        got += n;
    }
    return got;
}

// Copies one file into the copy block by block: each block is hashed,
// written and read back from the copy while it is still in the processor's
// cache. The entry gets the hash of the original; the copy is good when
// every block read back is, byte for byte, the block that was hashed, so
// that its hash is the entry's without being worked out a second time.
void copyOne(const QString& from, const QString& dest, Entry& e, const QString& destFolder, char* block, Work& work)
{
    const QString shownName = nativePath(e.path);
    char* const back = block + kBlock;
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw readFailure(shownName, in);
#ifdef Q_OS_LINUX
    ::posix_fadvise(in.handle(), 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
    QFile out(dest);
    if (!out.open(QIODevice::ReadWrite | QIODevice::Truncate | QIODevice::Unbuffered))
        throw writeFailure(shownName, out, destFolder, 0);
    Sha256 hash;
    qint64 size = 0;
    for (;;) {
        if (work.stop)
            return;
        const qint64 n = in.read(block, kBlock);
        if (n < 0)
            throw readFailure(shownName, in);
        if (n == 0)
            break;
        hash.add(QByteArrayView(block, n));
        if (out.write(block, n) != n)
            throw writeFailure(shownName, out, destFolder, n);
        if (!out.seek(size) || readFully(out, back, n) != n)
            throw mismatch(shownName);
        if (readBackProbe())
            readBackProbe()(e.path, back, n);
        if (std::memcmp(block, back, size_t(n)) != 0)
            throw mismatch(shownName);
        size += n;
        work.done += 2 * n; // copied and read back
    }
    e.size = size;
    e.sha256 = hash.hexResult();
    if (out.size() != size)
        throw mismatch(shownName);
    // The original's time goes with it, so that the copy reads as the folder did.
    out.setFileTime(in.fileTime(QFileDevice::FileModificationTime), QFileDevice::FileModificationTime);
#ifdef Q_OS_LINUX
    // The disk starts writing it now, while the next files are copied.
    ::sync_file_range(out.handle(), 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
    out.close();
    if (out.error() != QFileDevice::NoError)
        throw writeFailure(shownName, out, destFolder, 0);
}

#ifdef Q_OS_UNIX
// Makes a folder's own entries (the names it holds) durable.
void syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
#endif

// Waits until everything written into `folder` is on the disk, so that the
// copy is whole before its name says so.
void makeDurable(const QString& folder, const QList<Entry>& entries)
{
    const QString root = withSlash(folder);
    const auto failed = [](const QString& why) {
        return Failure(lcBackup,
                       kCopyFailed + kBreak + QStringLiteral("La copia non è stata scritta sul disco: ") + why);
    };
#ifdef Q_OS_LINUX
    // One call for the whole file system the copy lies on.
    Q_UNUSED(entries);
    const int fd = ::open(QFile::encodeName(root).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        throw failed(qt_error_string(errno));
    const int r = ::syncfs(fd);
    const int why = errno;
    ::close(fd);
    if (r != 0)
        throw failed(qt_error_string(why));
#else
    QStringList names;
    for (const Entry& e : entries)
        names.append(e.path);
    names.append(QLatin1String(kManifest));
    for (const QString& n : names) {
        QFile f(root + n);
        if (!f.open(QIODevice::ReadWrite))
            throw failed(nativePath(n) + QStringLiteral(": ") + f.errorString());
#ifdef Q_OS_WIN
        if (::_commit(f.handle()) != 0) // FlushFileBuffers on the file's handle
#else
        if (::fsync(f.handle()) != 0)
#endif
            throw failed(nativePath(n) + QStringLiteral(": ") + qt_error_string(errno));
    }
#ifdef Q_OS_UNIX
    QSet<QString> folders{root};
    for (const QString& n : names)
        folders.insert(root + n.left(std::max<qsizetype>(0, n.lastIndexOf(u'/'))));
    for (const QString& f : folders)
        syncFolder(f);
#endif
#endif
}

QByteArray manifestText(const QList<Entry>& entries, Kind kind, const QDateTime& when)
{
    QString t;
    t += QStringLiteral("Copia di sicurezza di Pinakos\r\n");
    t += QStringLiteral("Tipo: ") + kindText(kind) + QStringLiteral("\r\n");
    t += QStringLiteral("Data: ") + when.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")) + QStringLiteral("\r\n");
    t += QStringLiteral("Ogni riga seguente: SHA-256, dimensione in byte, file (separati da una tabulazione).\r\n");
    t += QStringLiteral("\r\n");
    for (const Entry& e : entries)
        t += QString::fromLatin1(e.sha256) + u'\t' + QString::number(e.size) + u'\t' + e.path + QStringLiteral("\r\n");
    return t.toUtf8();
}

struct Manifest
{
    Kind kind = Kind::Manual;
    QList<Entry> entries;
};

std::optional<Manifest> parseManifest(const QString& copyFolder)
{
    QFile f(withSlash(copyFolder) + QLatin1String(kManifest));
    if (f.size() > (256 << 20) || !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString text = QString::fromUtf8(f.readAll());
    if (!text.startsWith(QStringLiteral("Copia di sicurezza di Pinakos")))
        return std::nullopt;
    static const QRegularExpression line(QStringLiteral("^([0-9a-f]{64})\\t(\\d+)\\t(.+)$"));
    Manifest m;
    for (QString l : text.split(u'\n')) {
        if (l.endsWith(u'\r'))
            l.chop(1);
        if (l.startsWith(QStringLiteral("Tipo: "))) {
            const QString k = l.mid(6);
            m.kind = k == kindText(Kind::Automatic)  ? Kind::Automatic
                : k == kindText(Kind::BeforeRestore) ? Kind::BeforeRestore
                                                     : Kind::Manual;
            continue;
        }
        const QRegularExpressionMatch match = line.match(l);
        if (!match.hasMatch())
            continue;
        const QString path = match.captured(3);
        // Nothing of a copy may point outside the program folder.
        if (path.startsWith(u'/') || path.contains(u'\\') || path.contains(u':')
            || path.split(u'/').contains(QStringLiteral("..")))
            continue;
        m.entries.append({path, match.captured(2).toLongLong(), match.captured(1).toLatin1()});
    }
    return m;
}

// "Pinakos-copia-2026-12-10-203446" or the same with "-2", "-3" behind.
std::optional<QDateTime> timeOfName(const QString& name)
{
    static const QRegularExpression re(QStringLiteral("^Pinakos-copia-(\\d{4}-\\d{2}-\\d{2}-\\d{6})(-\\d+)?$"));
    const QRegularExpressionMatch m = re.match(name);
    if (!m.hasMatch())
        return std::nullopt;
    const QDateTime t = QDateTime::fromString(m.captured(1), QStringLiteral("yyyy-MM-dd-HHmmss"));
    if (!t.isValid())
        return std::nullopt;
    return t;
}

int suffixOfName(const QString& name)
{
    const int dash = int(name.lastIndexOf(u'-'));
    const QString tail = name.mid(dash + 1);
    return tail.size() < 6 ? tail.toInt() : 1;
}

} // namespace

QString kindText(Kind kind)
{
    switch (kind) {
    case Kind::Manual:
        return QStringLiteral("manuale");
    case Kind::Automatic:
        return QStringLiteral("automatica");
    case Kind::BeforeRestore:
        return QStringLiteral("prima del ripristino");
    }
    return QString();
}

QString copyName(const QDateTime& when) { return kPrefix + when.toString(QStringLiteral("yyyy-MM-dd-HHmmss")); }

qint64 freeSpace(const QString& folder)
{
    if (probe())
        return probe()(folder);
    QStorageInfo info(folder);
    return info.isValid() ? info.bytesAvailable() : -1;
}

void setFreeSpaceProbe(std::function<qint64(const QString&)> p) { probe() = std::move(p); }

void setReadBackProbe(std::function<void(const QString&, char*, qint64)> p) { readBackProbe() = std::move(p); }

QList<Entry> filesToCopy(const QString& programFolder, const QString& skip)
{
    const QString root = withSlash(programFolder);
    QList<Entry> out;
    const QDir dir(root);
    for (const QFileInfo& fi : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name)) {
        const QString n = fi.fileName();
        if (fi.isFile() && (n.endsWith(u".art", Qt::CaseInsensitive) || n == kPassword || n == kSettings))
            out.append({n, fi.size(), {}});
    }
    for (const QString& sub : {kPhotos, kDocuments}) {
        if (!QFileInfo(root + sub).isDir() || inside(root + sub, skip))
            continue;
        QDirIterator it(root + sub, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString p = it.next();
            const QFileInfo fi = it.fileInfo();
            if (!fi.isFile() || inside(p, skip))
                continue;
            out.append({QDir::fromNativeSeparators(p).mid(QDir::fromNativeSeparators(root).size()), fi.size(), {}});
        }
    }
    sortArchivesLast(out);
    return out;
}

QString folderProblem(const QString& programFolder, const QString& backupFolder)
{
    const QString root = withSlash(programFolder);
    if (inside(backupFolder, root + kPhotos) || inside(backupFolder, root + kDocuments))
        return QStringLiteral("Attenzione: la cartella delle copie non può stare dentro la cartella delle foto o "
                              "dei documenti allegati, che ogni copia contiene.");
    return QString();
}

std::optional<Copy> makeCopy(const QString& programFolder, const QString& backupFolder, Kind kind,
                             const QDateTime& when, const Progress& progress)
{
    const QString root = withSlash(programFolder);
    const QString target = withSlash(backupFolder);
    if (backupFolder.isEmpty() || !QFileInfo(target).isDir())
        throw Failure(lcBackup,
                      kCopyFailed + kBreak + QStringLiteral("La cartella delle copie non è raggiungibile: ")
                          + nativePath(backupFolder));
    if (const QString problem = folderProblem(root, target); !problem.isEmpty())
        throw Failure(lcBackup, kCopyFailed + kBreak + problem);

    QList<Entry> entries = filesToCopy(root, target);
    qint64 total = 0;
    for (const Entry& e : entries)
        total += e.size;
    const qint64 free = freeSpace(target);
    if (free >= 0 && free < total + (1 << 20))
        throw Failure(lcBackup,
                      kCopyFailed + kBreak + QStringLiteral("Il disco della cartella delle copie è pieno: la copia ")
                          + QStringLiteral("richiede ") + sizeText(total) + QStringLiteral(", sono liberi ")
                          + sizeText(free) + u'.');

    // The final name: the time, or the time and a number when a copy of the
    // same second is already there.
    QString name = copyName(when);
    for (int n = 2; QFileInfo::exists(target + name); ++n)
        name = copyName(when) + u'-' + QString::number(n);
    const QString temp = target + u'.' + name + QStringLiteral(".in-corso");
    QDir(temp).removeRecursively(); // left over by an attempt that was cut off
    const qint64 work = total * 2; // copied, then read back
    if (!QDir().mkpath(temp))
        throw Failure(lcBackup,
                      kCopyFailed + kBreak + QStringLiteral("Non è possibile creare la cartella ") + nativePath(temp)
                          + u'.');

    struct Cleanup
    {
        QString folder;
        ~Cleanup()
        {
            if (!folder.isEmpty())
                QDir(folder).removeRecursively();
        }
    } cleanup{temp};

    // Every folder first, so that the copying threads only make files.
    for (const QString& sub : {kPhotos, kDocuments})
        if (QFileInfo(root + sub).isDir())
            QDir().mkpath(temp + u'/' + sub);
    QStringList folders;
    for (const Entry& e : entries)
        if (const int slash = int(e.path.lastIndexOf(u'/')); slash > 0)
            folders.append(e.path.left(slash));
    folders.removeDuplicates();
    for (const QString& f : folders)
        if (!QDir().mkpath(temp + u'/' + f))
            throw Failure(lcBackup,
                          kCopyFailed + kBreak + QStringLiteral("Non è possibile creare la cartella ")
                              + nativePath(temp + u'/' + f) + u'.');

    if (!report(progress, 0, work))
        return std::nullopt;
    {
        // The files are copied by a few threads at once, the largest first
        // so that the big archive does not run alone at the end; this
        // thread shows the progress and passes on Cancel.
        Work shared;
        shared.count = entries.size();
        Entry* const slots = entries.data();
        QThreadPool pool;
        pool.setMaxThreadCount(std::clamp(QThread::idealThreadCount(), 2, 4));
        // Whatever leaves this block, the threads stop before the folder goes.
        const struct Stop
        {
            Work& work;
            ~Stop() { work.stop = true; }
        } stopOnLeaving{shared};
        std::vector<qsizetype> order(size_t(entries.size()));
        std::iota(order.begin(), order.end(), qsizetype(0));
        std::stable_sort(order.begin(), order.end(),
                         [&](qsizetype a, qsizetype b) { return slots[a].size > slots[b].size; });
        for (const qsizetype i : order)
            pool.start([&shared, &root, &temp, &target, e = &slots[i]] {
                std::unique_ptr<char[]> buffer;
                std::exception_ptr failed;
                if (!shared.stop) {
                    try {
                        buffer = shared.takeBuffer();
                        copyOne(root + e->path, temp + u'/' + e->path, *e, target, buffer.get(), shared);
                    } catch (...) {
                        failed = std::current_exception();
                    }
                }
                shared.finish(std::move(buffer), failed);
            });
        bool cancelled = false;
        for (;;) {
            bool all = false;
            {
                std::unique_lock lock(shared.mutex);
                shared.changed.wait_for(lock, std::chrono::milliseconds(50),
                                        [&] { return shared.finished == shared.count || shared.failure; });
                if (shared.failure)
                    break;
                all = shared.finished == shared.count;
            }
            if (!report(progress, shared.done, work)) {
                cancelled = true;
                break;
            }
            if (all)
                break;
        }
        shared.stop = shared.stop || cancelled;
        pool.waitForDone();
        if (shared.failure)
            std::rethrow_exception(shared.failure);
        if (cancelled)
            return std::nullopt;
    }

    QSaveFile list(temp + u'/' + QLatin1String(kManifest));
    if (!list.open(QIODevice::WriteOnly) || list.write(manifestText(entries, kind, when)) < 0 || !list.commit())
        throw Failure(lcBackup,
                      kCopyFailed + kBreak + QStringLiteral("Non è possibile scrivere l'elenco ")
                          + QLatin1String(kManifest) + QStringLiteral(": ") + list.errorString());
    // The list read back says what was copied and checked, line by line.
    const std::optional<Manifest> back = parseManifest(temp);
    if (!back || back->entries.size() != entries.size()
        || !std::equal(entries.cbegin(), entries.cend(), back->entries.cbegin(), [](const Entry& a, const Entry& b) {
               return a.path == b.path && a.size == b.size && a.sha256 == b.sha256;
           }))
        throw Failure(lcBackup,
                      kCopyFailed + kBreak + QStringLiteral("L'elenco ") + QLatin1String(kManifest)
                          + QStringLiteral(" riletto dalla copia non è completo."));
    if (!report(progress, work, work))
        return std::nullopt;

    makeDurable(temp, entries);
    if (!QDir().rename(temp, target + name))
        throw Failure(lcBackup,
                      kCopyFailed + kBreak + QStringLiteral("Non è possibile dare il nome ") + name
                          + QStringLiteral(" alla copia."));
    cleanup.folder.clear();
#ifdef Q_OS_UNIX
    syncFolder(target); // the new name, durable too
#endif

    Copy c;
    c.folder = target + name;
    c.name = name;
    c.when = when;
    c.kind = kind;
    c.size = total;
    return c;
}

QList<Copy> listCopies(const QString& backupFolder)
{
    QList<Copy> out;
    if (backupFolder.isEmpty())
        return out;
    const QString root = withSlash(backupFolder);
    const QStringList names = QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& n : names) {
        const std::optional<QDateTime> t = timeOfName(n);
        if (!t)
            continue;
        const std::optional<Manifest> m = parseManifest(root + n);
        if (!m)
            continue; // removed meanwhile, or not one of ours
        Copy c;
        c.folder = root + n;
        c.name = n;
        c.when = *t;
        c.kind = m->kind;
        for (const Entry& e : m->entries)
            c.size += e.size;
        out.append(c);
    }
    std::stable_sort(out.begin(), out.end(), [](const Copy& a, const Copy& b) {
        if (a.when != b.when)
            return a.when > b.when;
        return suffixOfName(a.name) > suffixOfName(b.name);
    });
    return out;
}

QString sizeText(qint64 bytes)
{
    if (bytes < 1024)
        return QString::number(bytes) + QStringLiteral(" byte");
    static const char* units[] = {"KB", "MB", "GB", "TB"};
    double v = double(bytes);
    int u = -1;
    while (v >= 1024.0 && u < 3) {
        v /= 1024.0;
        ++u;
    }
    return QString::number(v, 'f', 1).replace(u'.', u',') + u' ' + QLatin1String(units[u]);
}

QString copyLine(const Copy& copy)
{
    return copy.when.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")) + QStringLiteral("   ") + kindText(copy.kind)
        + QStringLiteral("   ") + sizeText(copy.size);
}

QList<Entry> readManifest(const QString& copyFolder)
{
    if (!QFileInfo(copyFolder).isDir())
        throw Failure(lcBackup,
                      kRestoreFailed + kBreak + QStringLiteral("La copia scelta non esiste più: ")
                          + nativePath(copyFolder));
    const std::optional<Manifest> m = parseManifest(copyFolder);
    if (!m)
        throw Failure(lcBackup,
                      kRestoreFailed + kBreak + QStringLiteral("La copia scelta non ha un elenco ")
                          + QLatin1String(kManifest) + QStringLiteral(" leggibile."));
    return m->entries;
}

void checkCopy(const QString& copyFolder, const Progress& progress)
{
    const QList<Entry> entries = readManifest(copyFolder);
    qint64 total = 0, done = 0;
    for (const Entry& e : entries)
        total += e.size;
    for (const Entry& e : entries) {
        qint64 size = 0;
        const QByteArray h = Sha256::ofFile(withSlash(copyFolder) + e.path, &size);
        if (h != e.sha256 || size != e.size)
            throw Failure(lcBackup,
                          QStringLiteral("Attenzione: la copia scelta è danneggiata e non è stata ripristinata.")
                              + kBreak + QStringLiteral("File danneggiato: ") + nativePath(e.path));
        done += e.size;
        report(progress, done, total);
    }
}

int removeOldAutomatic(const QString& backupFolder, int keep)
{
    int kept = 0, removed = 0;
    for (const Copy& c : listCopies(backupFolder)) {
        if (c.kind != Kind::Automatic)
            continue;
        if (++kept <= keep)
            continue;
        if (QDir(c.folder).removeRecursively())
            ++removed;
    }
    return removed;
}

std::optional<Copy> restoreCopy(const QString& copyFolder, const QString& programFolder, const QString& backupFolder,
                                const QDateTime& when, const Progress& progress)
{
    QList<Entry> entries = readManifest(copyFolder);
    entries.erase(std::remove_if(entries.begin(), entries.end(), [](const Entry& e) { return e.path == kSettings; }),
                  entries.end());
    sortArchivesLast(entries);
    qint64 total = 0;
    for (const Entry& e : entries)
        total += e.size;
    // Three passes: the check, the copy of the present state (about the
    // same size), the restore itself.
    const qint64 work = total * 3;
    qint64 done = 0;
    const Progress phase = [&](qint64 d, qint64) { return report(progress, done + d, work); };

    checkCopy(copyFolder, phase);
    done += total;

    const std::optional<Copy> before =
        makeCopy(programFolder, backupFolder, Kind::BeforeRestore, when,
                 [&](qint64 d, qint64 t) { return report(progress, done + (t > 0 ? d * total / t : 0), work); });
    if (!before)
        return std::nullopt;
    done += total;

    const QString root = withSlash(programFolder);
    const QString from = withSlash(copyFolder);
    // Once files are being replaced, the message says where the state of
    // before is.
    try {
        QByteArray buffer(kChunk, Qt::Uninitialized);
        for (const Entry& e : entries) {
            const int slash = int(e.path.lastIndexOf(u'/'));
            if (slash > 0)
                QDir().mkpath(root + e.path.left(slash));
            QFile in(from + e.path);
            if (!in.open(QIODevice::ReadOnly))
                throw Failure(lcBackup,
                              QStringLiteral("Attenzione: la copia scelta è danneggiata e non è stata ripristinata.")
                                  + kBreak + QStringLiteral("File danneggiato: ") + nativePath(e.path));
            QSaveFile out(root + e.path);
            if (!out.open(QIODevice::WriteOnly))
                throw Failure(lcBackup,
                              kRestoreFailed + kBreak + QStringLiteral("Non è possibile scrivere il file ")
                                  + nativePath(e.path) + QStringLiteral(": ") + out.errorString());
            Sha256 hash;
            qint64 size = 0;
            for (;;) {
                const qint64 n = in.read(buffer.data(), buffer.size());
                if (n <= 0)
                    break;
                hash.add(QByteArrayView(buffer.constData(), n));
                if (out.write(buffer.constData(), n) != n)
                    throw Failure(lcBackup,
                                  kRestoreFailed + kBreak + QStringLiteral("Non è possibile scrivere il file ")
                                      + nativePath(e.path) + QStringLiteral(": ") + out.errorString());
                size += n;
                done += n;
                report(progress, done, work); // too late to stop halfway
            }
            if (size != e.size || hash.hexResult() != e.sha256) {
                out.cancelWriting();
                throw Failure(lcBackup,
                              QStringLiteral("Attenzione: la copia scelta è danneggiata e non è stata ripristinata "
                                             "del tutto.")
                                  + kBreak + QStringLiteral("File danneggiato: ") + nativePath(e.path));
            }
            if (!out.commit())
                throw Failure(lcBackup,
                              kRestoreFailed + kBreak + QStringLiteral("Non è possibile scrivere il file ")
                                  + nativePath(e.path) + QStringLiteral(": ") + out.errorString());
        }
    } catch (const Failure& f) {
        throw Failure(lcBackup,
                      f.message() + kBreak + QStringLiteral("Lo stato di prima del ripristino è nella copia ")
                          + before->name + u'.');
    }
    return before;
}

// ---------------------------------------------------------------- settings

QString settingsFile(const QString& programFolder) { return withSlash(programFolder) + kSettings; }

Settings loadSettings(const QString& programFolder)
{
    const QString file = settingsFile(programFolder);
    Settings s;
    s.folder = readIniValue(file, kSection, QStringLiteral("Cartella"));
    s.automatic = readIniValue(file, kSection, QStringLiteral("Automatica")) != QStringLiteral("0");
    s.stamp = readIniValue(file, kSection, QStringLiteral("Stato"));
    s.autoFailure = readIniValue(file, kSection, QStringLiteral("ErroreAutomatica"));
    s.autoFailure.replace(QStringLiteral("\\n"), QStringLiteral("\r\n"));
    return s;
}

void saveSettings(const QString& programFolder, const Settings& s)
{
    const QString file = settingsFile(programFolder);
    if (!QFileInfo::exists(file)) {
        // UTF-8 with its mark, so that any folder name keeps its letters.
        QSaveFile f(file);
        if (!f.open(QIODevice::WriteOnly) || f.write("\xEF\xBB\xBF[Copie]\r\n") < 0 || !f.commit())
            throw Failure(lcBackup,
                          QStringLiteral("Attenzione: non è possibile scrivere le impostazioni delle copie in ")
                              + nativePath(file) + QStringLiteral(": ") + f.errorString());
    }
    QString failure = s.autoFailure;
    failure.replace(QStringLiteral("\r\n"), QStringLiteral("\\n")).replace(u'\n', QStringLiteral("\\n"));
    writeIniValue(file, kSection, QStringLiteral("Cartella"), s.folder);
    writeIniValue(file, kSection, QStringLiteral("Automatica"),
                  s.automatic ? QStringLiteral("1") : QStringLiteral("0"));
    writeIniValue(file, kSection, QStringLiteral("Stato"), s.stamp);
    writeIniValue(file, kSection, QStringLiteral("ErroreAutomatica"), failure);
}

QString stateStamp(const QString& programFolder, const QString& skip)
{
    const QString root = withSlash(programFolder);
    Sha256 hash;
    for (const Entry& e : filesToCopy(root, skip)) {
        if (e.path == kSettings)
            continue;
        const QFileInfo fi(root + e.path);
        hash.add((e.path + u'\t' + QString::number(e.size) + u'\t'
                  + QString::number(fi.lastModified().toMSecsSinceEpoch()) + u'\n')
                     .toUtf8());
    }
    return QString::fromLatin1(hash.hexResult());
}

std::optional<Copy> copyNow(const QString& programFolder, Kind kind, const QDateTime& when, const Progress& progress)
{
    Settings s = loadSettings(programFolder);
    const QString stamp = stateStamp(programFolder, s.folder);
    std::optional<Copy> c = makeCopy(programFolder, s.folder, kind, when, progress);
    if (!c)
        return c;
    if (kind == Kind::Automatic)
        removeOldAutomatic(s.folder);
    s = loadSettings(programFolder);
    s.stamp = stamp;
    saveSettings(programFolder, s);
    return c;
}

bool automaticCopyDue(const QString& programFolder)
{
    const Settings s = loadSettings(programFolder);
    return s.automatic && !s.folder.isEmpty() && stateStamp(programFolder, s.folder) != s.stamp;
}

AutoResult automaticCopy(const QString& programFolder, const QDateTime& when, const Progress& progress)
{
    try {
        if (!automaticCopyDue(programFolder))
            return AutoResult::NotNeeded;
        try {
            if (!copyNow(programFolder, Kind::Automatic, when, progress))
                return AutoResult::NotNeeded;
            return AutoResult::Made;
        } catch (const Failure& f) {
            Settings s = loadSettings(programFolder);
            s.autoFailure = QStringLiteral("Attenzione: la copia automatica fatta alla chiusura del programma non è "
                                           "riuscita.")
                + kBreak + f.message();
            saveSettings(programFolder, s);
            return AutoResult::Failed;
        }
    } catch (...) {
        return AutoResult::Failed;
    }
}

QString takeAutomaticFailure(const QString& programFolder)
{
    Settings s = loadSettings(programFolder);
    const QString text = s.autoFailure;
    if (!text.isEmpty()) {
        s.autoFailure.clear();
        saveSettings(programFolder, s);
    }
    return text;
}

} // namespace pinakos::backup
