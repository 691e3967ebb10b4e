#include "FileSizeLimit.h"

#include <csignal>

namespace pinakos::test {

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    if (::getrlimit(RLIMIT_FSIZE, &m_old) != 0)
        return;
    struct rlimit small = m_old;
    small.rlim_cur = bytes;
    m_oldHandler = ::signal(SIGXFSZ, SIG_IGN);
    m_active = ::setrlimit(RLIMIT_FSIZE, &small) == 0;
    if (!m_active)
        ::signal(SIGXFSZ, m_oldHandler);
}

FileSizeLimit::~FileSizeLimit()
{
    if (!m_active)
        return;
    ::setrlimit(RLIMIT_FSIZE, &m_old);
    ::signal(SIGXFSZ, m_oldHandler);
}

} // namespace pinakos::test
