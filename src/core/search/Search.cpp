#include "search/Search.h"

#include "base/Text.h"
#include "search/Summary.h"
#include "store/Archive.h"

#include <algorithm>

namespace pinakos {

namespace {

bool sameLine(std::string_view a, std::string_view b) { return trimmedBytes(a) == trimmedBytes(b); }

} // namespace

WorkFilter::WorkFilter(const std::array<QString, kFilterCount>& texts)
{
    for (int i = 0; i < kFilterCount; ++i) {
        const QString text = trimmed(texts[size_t(i)]);
        if (text.isEmpty())
            continue;
        ++m_filled;
        bool encodable = false;
        std::string needle = lineBytes(lowerAZ(text), &encodable);
        if (!encodable)
            m_impossible = true;
        const Slot s = slotOf(kFilterFields[size_t(i)]);
        m_tests.push_back(Test{s.offset, s.max, std::move(needle)});
    }
    std::stable_sort(m_tests.begin(), m_tests.end(), [](const Test& a, const Test& b) { return a.max < b.max; });
}

bool WorkFilter::matches(const char* record) const
{
    if (m_impossible)
        return false;
    for (const Test& t : m_tests)
        if (!containsLowered(slotBytes(record, Slot{t.offset, t.max}), t.needle,
                             size_t(TSchedaOpera::Size - t.offset - 1)))
            return false;
    return true;
}

bool isUnsold(const char* record)
{
    static const Slot s = slotOf(Campo::Segnala);
    return trimmedBytes(slotBytes(record, s)) == "No";
}

void collectSummaries(const QString& path, const std::function<bool(const char* record)>& keep, SummaryList& out)
{
    Archive archive(path);
    archive.scan([&](int n, const TSchedaOpera& r) {
        if (keep(r.data()))
            out.add(n, r.data());
        return true;
    });
    archive.close();
}

int openLine(const QString& path, int remembered, std::string_view line,
             const std::function<void(int n, const TSchedaOpera& record)>& show)
{
    Archive archive(path);
    std::string built;
    if (remembered >= 1 && remembered <= archive.count()) {
        const TSchedaOpera r = archive.read(remembered);
        appendSummary(r.data(), built);
        if (sameLine(built, line)) {
            archive.close();
            show(remembered, r);
            return 1;
        }
    }
    int shown = 0;
    archive.scan([&](int n, const TSchedaOpera& r) {
        built.clear();
        appendSummary(r.data(), built);
        if (sameLine(built, line)) {
            show(n, r);
            ++shown;
        }
        return true;
    });
    archive.close();
    return shown;
}

} // namespace pinakos
