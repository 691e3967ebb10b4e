#pragma once
#include <sys/resource.h>

namespace pinakos::test {

// While it lives, no file of this process grows beyond `bytes`: a write past
// the limit fails as it would on a full disk, even for root (the signal that
// would end the process is ignored meanwhile).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    // Whether the limit could be set.
    bool active() const { return m_active; }

private:
    struct rlimit m_old
    {};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};

} // namespace pinakos::test
