#include "FileSizeLimit.h"

#ifndef Q_OS_WIN
#include <csignal>
#include <sys/resource.h>
#endif

namespace pinakos::test {

#ifdef Q_OS_WIN

FileSizeLimit::FileSizeLimit(qint64) {}

FileSizeLimit::~FileSizeLimit() = default;

#else

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    struct rlimit old
    {};
    if (::getrlimit(RLIMIT_FSIZE, &old) != 0)
        return;
    m_oldCurrent = old.rlim_cur;
    m_oldMaximum = old.rlim_max;
    struct rlimit small = old;
    small.rlim_cur = rlim_t(bytes);
    m_oldHandler = ::signal(SIGXFSZ, SIG_IGN);
    m_active = ::setrlimit(RLIMIT_FSIZE, &small) == 0;
    if (!m_active)
        ::signal(SIGXFSZ, m_oldHandler);
}

FileSizeLimit::~FileSizeLimit()
{
    if (!m_active)
        return;
    struct rlimit old
    {};
    old.rlim_cur = rlim_t(m_oldCurrent);
    old.rlim_max = rlim_t(m_oldMaximum);
    ::setrlimit(RLIMIT_FSIZE, &old);
    ::signal(SIGXFSZ, m_oldHandler);
}

#endif

} // namespace pinakos::test
