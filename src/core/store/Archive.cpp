#include "store/Archive.h"

#include "base/Failure.h"
#include "base/Log.h"

#include <QDir>
#include <QFileInfo>
#include <climits>
#include <cstring>
#include <vector>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <sys/file.h>
#endif

namespace pinakos {

namespace {

constexpr qint64 kSize = TSchedaOpera::Size;
// Records per read when the whole archive is read.
constexpr int kBlockRecords = 256;

QString describe(const QString& what, const QFile& f)
{
    return QStringLiteral("%1 (%2): %3").arg(what, QDir::toNativeSeparators(f.fileName()), f.errorString());
}

// An exclusive advisory lock on the whole file, held while the object lives.
class FileLock
{
public:
    explicit FileLock(QFile& f) : m_file(f)
    {
#ifdef Q_OS_WIN
        m_handle = reinterpret_cast<HANDLE>(_get_osfhandle(f.handle()));
        OVERLAPPED o = lockPlace();
        if (m_handle == INVALID_HANDLE_VALUE || !LockFileEx(m_handle, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &o))
            throw Failure(
                lcStore,
                QStringLiteral("Impossibile bloccare l'archivio (%1).").arg(QDir::toNativeSeparators(f.fileName())));
#else
        int rc;
        do
            rc = ::flock(f.handle(), LOCK_EX);
        while (rc != 0 && errno == EINTR);
        if (rc != 0)
            throw Failure(
                lcStore,
                QStringLiteral("Impossibile bloccare l'archivio (%1): %2")
                    .arg(QDir::toNativeSeparators(f.fileName()), QString::fromLocal8Bit(std::strerror(errno))));
#endif
    }
    ~FileLock()
    {
#ifdef Q_OS_WIN
        OVERLAPPED o = lockPlace();
        UnlockFileEx(m_handle, 0, 1, 0, &o);
#else
        ::flock(m_file.handle(), LOCK_UN);
#endif
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    QFile& m_file;
#ifdef Q_OS_WIN
    // Windows locks keep everyone else off the bytes they cover: lock one
    // byte far past the end of any archive, so that only appenders wait.
    static OVERLAPPED lockPlace()
    {
        OVERLAPPED o{};
        o.Offset = 0xFFFFFFFE;
        o.OffsetHigh = 0x7FFFFFFF;
        return o;
    }
    HANDLE m_handle;
#endif
};

} // namespace

QString archiveFailureMessage()
{
    return QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.") + QStringLiteral("\n\r\n\r")
        + QStringLiteral(
               "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
}

Archive::Archive(const QString& path)
{
    m_file.setFileName(path);
    if (path.isEmpty())
        throw Failure(lcStore, QStringLiteral("Nessun archivio indicato."));
    if (QFileInfo(path).isDir())
        throw Failure(
            lcStore,
            QStringLiteral("Al posto dell'archivio c'è una cartella (%1).").arg(QDir::toNativeSeparators(path)));

    constexpr auto rw = QIODevice::ReadWrite | QIODevice::Unbuffered;
    if (m_file.open(rw | QIODevice::ExistingOnly))
        return;
    // Only a missing file is created; an existing one that cannot be opened is a failure.
    if (QFileInfo::exists(path))
        throw Failure(lcStore, describe(QStringLiteral("Impossibile aprire l'archivio"), m_file));
    if (m_file.open(rw | QIODevice::NewOnly))
        return;
    // Someone else created it meanwhile: open theirs, once.
    if (QFileInfo::exists(path) && m_file.open(rw | QIODevice::ExistingOnly))
        return;
    throw Failure(lcStore, describe(QStringLiteral("Impossibile creare l'archivio"), m_file));
}

Archive::~Archive()
{
    if (m_file.isOpen())
        m_file.close();
}

int Archive::count() const
{
    const qint64 records = m_file.size() / kSize;
    return records > INT_MAX ? INT_MAX : int(records);
}

void Archive::checkNumber(int n) const
{
    if (n < 1 || n > count())
        throw Failure(lcStore, QStringLiteral("La scheda %1 non esiste nell'archivio.").arg(n));
}

void Archive::seekIndex(int index)
{
    if (!m_file.seek(index * kSize))
        throw Failure(lcStore, describe(QStringLiteral("Posizionamento non riuscito"), m_file));
}

// One positioning and one write of the whole record, passed on to the system at once.
void Archive::put(int index, const TSchedaOpera& r)
{
    seekIndex(index);
    if (m_file.write(r.data(), kSize) != kSize || !m_file.flush())
        throw Failure(lcStore, describe(QStringLiteral("Scrittura non riuscita"), m_file));
    m_position = index + 1;
}

qint64 Archive::readUpTo(char* to, qint64 size)
{
    qint64 got = 0;
    while (got < size) {
        const qint64 k = m_file.read(to + got, size - got);
        if (k < 0)
            throw Failure(lcStore, describe(QStringLiteral("Lettura non riuscita"), m_file));
        if (k == 0)
            break;
        got += k;
    }
    return got;
}

TSchedaOpera Archive::read(int n)
{
    checkNumber(n);
    seekIndex(n - 1);
    TSchedaOpera r;
    if (readUpTo(reinterpret_cast<char*>(r.bytes().data()), kSize) != kSize)
        throw Failure(lcStore, QStringLiteral("La scheda %1 non esiste più nell'archivio.").arg(n)); // cut meanwhile
    m_position = n;
    return r;
}

void Archive::write(int n, const TSchedaOpera& r)
{
    checkNumber(n);
    put(n - 1, r);
}

int Archive::append(const TSchedaOpera& r)
{
    FileLock lock(m_file);
    const int n = count();
    if (n == INT_MAX)
        throw Failure(lcStore, QStringLiteral("L'archivio è pieno."));
    put(n, r);
    return n + 1;
}

int Archive::appendAll(int count, const std::function<void(int i, TSchedaOpera& r)>& make)
{
    FileLock lock(m_file);
    const int n = this->count();
    if (count <= 0)
        return n + 1;
    if (count > INT_MAX - n)
        throw Failure(lcStore, QStringLiteral("L'archivio è pieno."));
    // The bytes of a partial record at the end, which the new records write over.
    const qint64 start = n * kSize;
    const qint64 oldSize = m_file.size();
    QByteArray tail;
    if (oldSize > start) {
        seekIndex(n);
        tail.resize(oldSize - start);
        if (readUpTo(tail.data(), tail.size()) != tail.size())
            throw Failure(lcStore, describe(QStringLiteral("Lettura non riuscita"), m_file));
    }
    try {
        seekIndex(n);
        std::vector<char> block(size_t(kBlockRecords * kSize));
        TSchedaOpera r;
        for (int done = 0; done < count;) {
            const int k = std::min(kBlockRecords, count - done);
            for (int i = 0; i < k; ++i) {
                r = TSchedaOpera();
                make(done + i, r);
                std::memcpy(block.data() + i * kSize, r.data(), size_t(kSize));
            }
            if (m_file.write(block.data(), k * kSize) != k * kSize)
                throw Failure(lcStore, describe(QStringLiteral("Scrittura non riuscita"), m_file));
            done += k;
        }
        if (!m_file.flush())
            throw Failure(lcStore, describe(QStringLiteral("Scrittura non riuscita"), m_file));
    } catch (...) {
        // Back to the old bytes: the file cut where the new records began, the partial tail written again.
        const bool restored = m_file.resize(start)
            && (tail.isEmpty() || (m_file.seek(start) && m_file.write(tail) == tail.size())) && m_file.flush();
        if (!restored)
            qCWarning(lcStore).noquote() << describe(QStringLiteral("Ripristino dell'archivio non riuscito"), m_file);
        throw;
    }
    m_position = n + count;
    return n + 1;
}

void Archive::scan(const std::function<bool(int n, const TSchedaOpera& r)>& fn)
{
    const int total = count();
    if (total == 0)
        return;
    seekIndex(0);
    std::vector<char> block(size_t(kBlockRecords * kSize));
    int n = 0;
    while (n < total) {
        const int want = std::min(kBlockRecords, total - n);
        // Whole records only, should the file have been cut meanwhile.
        const int records = int(readUpTo(block.data(), want * kSize) / kSize);
        for (int i = 0; i < records; ++i) {
            ++n;
            m_position = n;
            if (!fn(n, TSchedaOpera::fromBytes(block.data() + i * kSize)))
                return;
        }
        if (records < want)
            return;
    }
}

void Archive::close()
{
    if (!m_file.isOpen())
        return;
    m_file.unsetError();
    m_file.close();
    if (m_file.error() != QFileDevice::NoError)
        throw Failure(lcStore, describe(QStringLiteral("Chiusura non riuscita"), m_file));
}

} // namespace pinakos
