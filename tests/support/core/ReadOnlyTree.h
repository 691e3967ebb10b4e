#pragma once
// A folder made read-only for the fault tests, as an installation folder
// the user may not write to.
#include <QDirIterator>
#include <QFile>
#include <QString>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace pinakos::test {

// Makes a folder and everything in it read-only while it lives: write
// permission taken away and, for root (whom permissions do not stop), the
// file system's immutable flag set.
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
            if (::geteuid() == 0)
                m_active = setImmutable(p, true) || m_active;
        }
        if (::geteuid() != 0)
            m_active = true;
    }
    ~ReadOnlyTree()
    {
        for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
            if (::geteuid() == 0)
                setImmutable(it->first, false);
            QFile::setPermissions(it->first, it->second);
        }
    }
    ReadOnlyTree(const ReadOnlyTree&) = delete;
    ReadOnlyTree& operator=(const ReadOnlyTree&) = delete;
    // Whether writes are now refused (false where root cannot be stopped).
    bool active() const { return m_active; }

private:
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

    std::vector<std::pair<QString, QFile::Permissions>> m_entries;
    bool m_active = false;
};

} // namespace pinakos::test
