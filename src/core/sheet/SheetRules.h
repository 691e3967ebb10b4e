#pragma once
// The sheet window's rules, without the window: what it shows, which fields a
// save needs, and which record a move goes to.
#include "store/SchedaOpera.h"

#include <QString>
#include <array>
#include <optional>

namespace pinakos {

// The three attached documents of a sheet: file names inside the documents
// folder and their descriptions.
struct Attachments
{
    std::array<QString, 3> files;
    std::array<QString, 3> descriptions;

    bool operator==(const Attachments&) const = default;
};

// What the sheet window shows besides its fifteen boxes: the open catalog,
// the record and its documents.
struct ShownSheet
{
    QString catalogPath; // full path of the open archive, trimmed
    QString catalogName; // trimmed
    int number = 0; // 1-based number of the record shown; 0 for a new sheet not yet saved
    Attachments attachments;

    bool operator==(const ShownSheet&) const = default;
};

// The first field a save needs that is blank (title, artist, value, in that
// order), with the warning that names it; nothing when all three are there.
struct MissingField
{
    Campo field;
    QString warning;
};
std::optional<MissingField> firstMissingField(const QString& title, const QString& artist, const QString& value);

// The four moves through the archive, and what one of them does from the
// record shown (0 for a new sheet) in an archive of `count` records.
enum class Move { First, Previous, Next, Last };
struct MoveResult
{
    enum class Kind {
        Stay, // nothing to do: already at that end
        Empty, // the archive holds no record: say so
        Show, // read and show record `record`
        Vanished, // the record shown is no longer in a shortened archive
    };
    Kind kind;
    int record = 0; // Show: the record to read
    bool clearNumber = false; // Empty: the shown number goes too
};
MoveResult moveFrom(Move move, int shown, int count);

} // namespace pinakos
