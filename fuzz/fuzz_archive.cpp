// The archive on a file of any length: the count drops trailing partial
// bytes; a scan in large blocks, across block boundaries, gives every record
// with the file's own bytes, as reading one record does; numbers outside the
// archive fail; a write changes only its record; an append writes over the
// trailing partial bytes and nothing else.
#include "FuzzCheck.h"
#include "base/Failure.h"
#include "store/Archive.h"

#include <QFile>
#include <cstring>

using namespace pinakos;

namespace {

constexpr qint64 kSize = TSchedaOpera::Size;

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        pinakos::fuzz::fail("archive not readable", __FILE__, __LINE__);
    return f.readAll();
}

bool sameRecord(const TSchedaOpera& r, const QByteArray& file, int n)
{
    return std::memcmp(r.data(), file.constData() + (n - 1) * kSize, kSize) == 0;
}

template <typename F>
bool fails(F&& f)
{
    try {
        f();
    } catch (const Failure&) {
        return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    pinakos::fuzz::startApplication();
    const QString path = pinakos::fuzz::scratchFolder() + QStringLiteral("Prova.art");

    // The file: the input after its first two bytes, repeated as the first
    // byte says (past 256 records, the scan's block, now and then), and cut
    // by as many bytes as the second byte says.
    const QByteArray pattern(reinterpret_cast<const char*>(data) + 2, qsizetype(size - 2));
    const int repeat = pattern.isEmpty() ? 0 : (data[0] % 8 == 0 ? int(257 * kSize / pattern.size()) + 1 : data[0] % 8);
    QByteArray content;
    content.reserve(pattern.size() * repeat);
    for (int i = 0; i < repeat; ++i)
        content += pattern;
    content.chop(std::min<qsizetype>(content.size(), data[1]));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(content) != content.size())
            pinakos::fuzz::fail("cannot write the archive", __FILE__, __LINE__);
    }

    Archive a(path);
    const int count = a.count();
    FUZZ_CHECK(count == content.size() / kSize);

    // The scan: 1..count in order, each with its bytes.
    int seen = 0;
    a.scan([&](int n, const TSchedaOpera& r) {
        FUZZ_CHECK(n == seen + 1);
        FUZZ_CHECK(sameRecord(r, content, n));
        FUZZ_CHECK(a.position() == n);
        seen = n;
        return true;
    });
    FUZZ_CHECK(seen == count);
    // A scan stopped early stops there.
    if (count > 1) {
        int last = 0;
        a.scan([&](int n, const TSchedaOpera&) {
            last = n;
            return n < 2;
        });
        FUZZ_CHECK(last == 2);
    }

    // Single reads, and numbers outside the archive.
    for (int n : {1, count / 2, count}) {
        if (n < 1 || n > count)
            continue;
        const TSchedaOpera r = a.read(n);
        FUZZ_CHECK(sameRecord(r, content, n));
        FUZZ_CHECK(a.position() == n);
    }
    FUZZ_CHECK(fails([&] { a.read(0); }));
    FUZZ_CHECK(fails([&] { a.read(count + 1); }));
    FUZZ_CHECK(fails([&] { a.read(-1); }));

    // A record of the input's own bytes, written over record n and appended.
    char raw[kSize] = {};
    std::memcpy(raw, data, std::min<size_t>(size, size_t(kSize)));
    raw[0] ^= 0x5A;
    const TSchedaOpera mine = TSchedaOpera::fromBytes(raw);
    QByteArray expected = content;
    if (count > 0) {
        const int n = 1 + data[0] % count;
        a.write(n, mine);
        FUZZ_CHECK(a.position() == n);
        expected.replace((n - 1) * kSize, kSize, QByteArray(raw, kSize));
    }
    FUZZ_CHECK(fails([&] { a.write(count + 1, mine); }));
    const int added = a.append(mine);
    FUZZ_CHECK(added == count + 1);
    FUZZ_CHECK(a.position() == added);
    FUZZ_CHECK(a.count() == count + 1);
    a.close();
    expected.truncate(count * kSize);
    expected += QByteArray(raw, kSize);
    FUZZ_CHECK(fileBytes(path) == expected);

    // Opened again, the archive reads what was written.
    Archive b(path);
    FUZZ_CHECK(b.count() == count + 1);
    FUZZ_CHECK(std::memcmp(b.read(count + 1).data(), raw, kSize) == 0);
    b.close();
    return 0;
}
