#include "search/SummaryList.h"

#include "app/Text.h"
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

void SummaryList::sort()
{
    const char* text = m_text.data();
    std::sort(m_entries.begin(), m_entries.end(), [text](const Entry& a, const Entry& b) {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix;
        const int c = compareLines(std::string_view(text + a.offset, size_t(a.length)),
                                   std::string_view(text + b.offset, size_t(b.length)));
        return c != 0 ? c < 0 : a.record < b.record;
    });
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
    auto matches = [&](int i) { return containsLowered(list.bytes(i), bytes); };

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
