#include "search/SummaryList.h"

#include "base/Text.h"
#include "search/Summary.h"

#include <algorithm>

namespace pinakos {

void SummaryList::addEntry(int n, size_t offset)
{
    const std::string_view line(m_text.data() + offset, m_text.size() - offset);
    m_entries.push_back(Entry{orderPrefix(line), offset, n, int(line.size())});
}

void SummaryList::add(int n, const char* record)
{
    const size_t offset = m_text.size();
    appendSummary(record, m_text);
    addEntry(n, offset);
}

void SummaryList::addLine(int n, const QString& line)
{
    const size_t offset = m_text.size();
    m_text += lineBytes(line);
    addEntry(n, offset);
}

void SummaryList::clear()
{
    m_text.clear();
    m_text.shrink_to_fit();
    m_entries.clear();
    m_entries.shrink_to_fit();
}

// Sorted eight characters at a time: by the order key of characters
// [depth, depth + 8), then each run of equal keys by the next eight, so that
// long common starts are read once per run instead of once per comparison.
// Lines that end inside an equal run are equal up to their length; the
// shorter comes first, then archive order.
void SummaryList::sortRange(size_t begin, size_t end, size_t depth)
{
    const char* text = m_text.data();
    auto line = [text](const Entry& e) { return std::string_view(text + e.offset, size_t(e.length)); };
    auto first = m_entries.begin() + qsizetype(begin), last = m_entries.begin() + qsizetype(end);
    if (depth > 0)
        for (auto e = first; e != last; ++e)
            e->prefix = orderPrefix(line(*e).substr(std::min(depth, size_t(e->length))));
    std::sort(first, last, [](const Entry& a, const Entry& b) { return a.prefix < b.prefix; });
    for (auto run = first; run != last;) {
        auto next = run + 1;
        bool continues = size_t(run->length) > depth + 8;
        while (next != last && next->prefix == run->prefix) {
            continues = continues || size_t(next->length) > depth + 8;
            ++next;
        }
        if (next - run > 1) {
            if (continues)
                sortRange(size_t(run - m_entries.begin()), size_t(next - m_entries.begin()), depth + 8);
            else
                std::sort(run, next, [](const Entry& a, const Entry& b) {
                    return a.length != b.length ? a.length < b.length : a.record < b.record;
                });
        }
        run = next;
    }
}

void SummaryList::sort()
{
    sortRange(0, m_entries.size(), 0);
    // Deeper keys were left in the entries: the first ones back, for a later sort.
    for (Entry& e : m_entries)
        e.prefix = orderPrefix(std::string_view(m_text.data() + e.offset, size_t(e.length)));
}

std::string_view SummaryList::bytes(int i) const
{
    const Entry& e = m_entries[size_t(i)];
    return std::string_view(m_text.data() + e.offset, size_t(e.length));
}

QString SummaryList::line(int i) const { return lineText(bytes(i)); }

QStringList SummaryList::lines() const
{
    QStringList out;
    out.reserve(size());
    for (int i = 0; i < size(); ++i)
        out.append(line(i));
    return out;
}

bool SummaryList::lineContains(int i, std::string_view key) const
{
    const Entry& e = m_entries[size_t(i)];
    return containsLowered(bytes(i), key, m_text.size() - e.offset);
}

size_t SummaryList::memoryUsed() const { return m_text.capacity() + m_entries.capacity() * sizeof(Entry); }

FindOutcome findInList(const SummaryList& list, int selected, const QString& typed, QString& lastKey)
{
    const int n = list.size();
    if (n == 0)
        return {FindOutcome::EmptyList, -1};
    const int current = (selected >= 0 && selected < n) ? selected : 0;

    const QString key = lowerAZ(typed);
    bool encodable = false;
    const std::string bytes = lineBytes(key, &encodable);
    // A key with a character no line can hold is found nowhere.
    const bool searchable = !key.isEmpty() && encodable;
    auto matches = [&](int i) { return list.lineContains(i, bytes); };

    int found = -1;
    if (searchable) {
        int start = current;
        if (key != lastKey) {
            start = 0;
            if (matches(0))
                found = 0;
        }
        for (int i = start; found < 0;) {
            i = (i + 1) % n;
            if (matches(i))
                found = i;
            if (i == start)
                break;
        }
    }
    lastKey = key;
    return found >= 0 ? FindOutcome{FindOutcome::Found, found} : FindOutcome{FindOutcome::NotFound, current};
}

} // namespace pinakos
