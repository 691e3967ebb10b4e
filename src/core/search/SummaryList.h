#pragma once
// The lines of a search or summary list, each with the number of the record
// it stands for, held compactly (one byte per character, all lines in one
// block) so that a whole large catalog fits in a few megabytes.

#include <QString>
#include <QStringList>
#include <string>
#include <string_view>
#include <vector>

namespace pinakos {

class SummaryList
{
public:
    // Adds the summary line of record n from its 2925 bytes.
    void add(int n, const char* record);
    // Adds a line given as text (characters outside Windows-1252 become "?").
    void addLine(int n, const QString& line);
    void clear();
    // Puts the lines in list order; equal lines keep archive order.
    void sort();

    int size() const { return int(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }
    QString line(int i) const;
    std::string_view bytes(int i) const;
    // The record that line i stands for.
    int record(int i) const { return m_entries[size_t(i)].record; }
    QStringList lines() const;
    // Whether line i, with A..Z lowered, holds `key` (lowered bytes).
    bool lineContains(int i, std::string_view key) const;

    // Bytes held for the lines, their places and numbers.
    size_t memoryUsed() const;

private:
    struct Entry
    {
        quint64 prefix; // orderPrefix of the line (while sorting, of a later part)
        size_t offset;
        int record;
        int length;
    };
    void addEntry(int n, size_t offset);
    void sortRange(size_t begin, size_t end, size_t depth);

    std::string m_text;
    std::vector<Entry> m_entries;
};

// Find in list: the typed key with A..Z lowered is sought in each line
// lowered the same way. A key other than `lastKey` is sought from the first
// line; the same key again from the line after `selected`, round to
// `selected` itself. With no line selected the first one is selected first.
// `lastKey` becomes the key.
struct FindOutcome
{
    enum Kind { EmptyList, Found, NotFound };
    Kind kind;
    int row; // the line to select afterwards (-1 only for an empty list)
};
FindOutcome findInList(const SummaryList& list, int selected, const QString& typed, QString& lastKey);

} // namespace pinakos
