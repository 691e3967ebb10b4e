#pragma once
// The slideshow's walk through a catalog: one step per tick, the records in
// archive order, round after round.
#include <QString>

namespace pinakos {

// How long each slide stays, in milliseconds: 6000 unless changed here
// (tests shorten it); a value of 0 or less goes back to 6000.
int slideInterval();
void setSlideInterval(int milliseconds);

struct SlideStep
{
    enum class Kind {
        Empty, // the archive holds no record: the show ends
        Show, // the photo of record `position` comes next
        Reset, // past the last record: position 0, the picture stays
    };
    Kind kind;
    int position; // the new position: 1..n for Show, 0 otherwise
    // The position label's new text: empty, the number, or "0".
    QString label() const;
};

// One step from the position label's text (trimmed; empty counts as 0) over
// the archive at path, opened by the open-or-create rule and closed again.
// The record shown next is read, so a damaged archive fails here.
// Throws pinakos::Failure when the archive cannot be used.
SlideStep slideStep(const QString& archivePath, const QString& positionLabel);

} // namespace pinakos
