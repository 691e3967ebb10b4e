#pragma once
#include "Unavailable.h"

#include <QtGlobal>

namespace pinakos::test {

// While it lives, no file of this process grows beyond `bytes`: a write past
// the limit fails as it would on a full disk, even for root (the signal that
// would end the process is ignored meanwhile). Windows has no such limit:
// there the object is never active (see Unavailable.h).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    // Whether the limit could be set.
    bool active() const { return m_active; }
    // Whether this system has such a limit at all.
    static constexpr bool supported()
    {
#ifdef Q_OS_WIN
        return false;
#else
        return true;
#endif
    }

private:
    unsigned long long m_oldCurrent = 0;
    unsigned long long m_oldMaximum = 0;
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};

} // namespace pinakos::test

// Makes the limit, or ends the test: failed where the system has the limit
// and it could not be set, skipped with the reason where it has none.
#define PINAKOS_REQUIRE_ACTIVE_LIMIT(limit)                                                                            \
    do {                                                                                                               \
        if (!(limit).active()) {                                                                                       \
            if (pinakos::test::FileSizeLimit::supported())                                                             \
                QFAIL("the file size limit could not be set");                                                         \
            QSKIP(pinakos::test::kNoFileSizeLimit);                                                                    \
        }                                                                                                              \
    } while (false)
