#pragma once
// Searching the archive: the ten field filters, the unsold rule, the whole-
// archive pass that lists the works found, and the way back from a list line
// to its record. All tests work on the record bytes as read.

#include "search/SummaryList.h"
#include "store/SchedaOpera.h"

#include <QString>
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pinakos {

constexpr int kFilterCount = 10;
// The searchable fields, in the order of the filter boxes.
constexpr std::array<Campo, kFilterCount> kFilterFields = {
    Campo::Capo,     Campo::Descrizione, Campo::Colore,  Campo::Tessuto,    Campo::Difetti,
    Campo::Servizio, Campo::Cliente,     Campo::CodFisc, Campo::Specifiche, Campo::Note,
};

// The filters of one search. A filter is filled when its text is not blank;
// its text is trimmed and sought with A..Z taken as a..z and no other
// folding. A record passes when every filled filter occurs in its field.
class WorkFilter
{
public:
    explicit WorkFilter(const std::array<QString, kFilterCount>& texts);
    int filled() const { return m_filled; }
    bool matches(const char* record) const;

private:
    struct Test
    {
        int offset; // of the field's length byte
        int max;
        std::string needle; // lowered Windows-1252 bytes
    };
    std::vector<Test> m_tests; // shortest fields first, so that misses cost least
    int m_filled = 0;
    bool m_impossible = false; // a filter holds a character no field can hold
};

// A work not yet sold: its sold mark, trimmed, is exactly "No".
bool isUnsold(const char* record);

// Reads the archive at `path` (opened by the open-or-create rule) from the
// first record to the last and adds to `out` the summary line of every
// record that `keep` accepts, in archive order. Failures throw
// pinakos::Failure; the lines added before a failure stay in `out`.
void collectSummaries(const QString& path, const std::function<bool(const char* record)>& keep, SummaryList& out);

// Shows the record that a list line stands for: record `remembered` when it
// still gives that line; otherwise (the archive changed meanwhile) every
// record whose line equals it, trimmed, in archive order, so that the last
// one stays shown. Gives the number of records shown. Failures throw.
int openLine(const QString& path, int remembered, std::string_view line,
             const std::function<void(int n, const TSchedaOpera& record)>& show);

} // namespace pinakos
