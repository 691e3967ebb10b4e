#pragma once
// A folder made read-only for the fault tests, as an installation folder
// the user may not write to.
#include "Unavailable.h"

#include <QDirIterator>
#include <QFile>
#include <QString>
#include <utility>
#include <vector>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace pinakos::test {

// Whether this user can still make a file in folder (the try leaves nothing).
inline bool canCreateIn(const QString& folder)
{
    QFile probe(folder + QStringLiteral("/.pinakos-probe"));
    if (!probe.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    probe.close();
    probe.remove();
    return true;
}

// Whether this user can still write into file (opened to append, nothing written).
inline bool canWrite(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::WriteOnly | QIODevice::Append);
}

// Makes a folder and everything in it read-only while it lives: write
// permission taken away (on Windows the read-only attribute) and, for root
// (whom permissions do not stop), the file system's immutable flag set.
// Whether that stops this user is then tried: a new file in the folder.
class ReadOnlyTree
{
public:
    explicit ReadOnlyTree(const QString& folder)
    {
        QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        QStringList paths;
        while (it.hasNext())
            paths << it.next();
        paths << folder;
        for (const QString& p : paths) {
            m_entries.push_back({p, QFile::permissions(p)});
            QFile::setPermissions(
                p,
                QFile::permissions(p)
                    & ~(QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther));
#ifndef Q_OS_WIN
            if (::geteuid() == 0)
                setImmutable(p, true);
#endif
        }
        m_active = !canCreateIn(folder);
    }
    ~ReadOnlyTree()
    {
        for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
#ifndef Q_OS_WIN
            if (::geteuid() == 0)
                setImmutable(it->first, false);
#endif
            QFile::setPermissions(it->first, it->second);
        }
    }
    ReadOnlyTree(const ReadOnlyTree&) = delete;
    ReadOnlyTree& operator=(const ReadOnlyTree&) = delete;
    // Whether writes are now refused (false where this user writes anyway;
    // see Unavailable.h).
    bool active() const { return m_active; }

private:
#ifndef Q_OS_WIN
    static bool setImmutable(const QString& path, bool on)
    {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
        if (fd < 0)
            return false;
        int flags = 0;
        bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (ok) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return ok;
    }
#endif

    std::vector<std::pair<QString, QFile::Permissions>> m_entries;
    bool m_active = false;
};

} // namespace pinakos::test
