#include "output/SlideStep.h"

#include "base/Text.h"
#include "store/Archive.h"

namespace pinakos {

namespace {

constexpr int kDefaultInterval = 6000;
int g_interval = kDefaultInterval;

} // namespace

int slideInterval() { return g_interval; }

void setSlideInterval(int milliseconds) { g_interval = milliseconds > 0 ? milliseconds : kDefaultInterval; }

QString SlideStep::label() const
{
    switch (kind) {
    case Kind::Empty:
        return QString();
    case Kind::Show:
        return QString::number(position);
    case Kind::Reset:
        break;
    }
    return QStringLiteral("0");
}

SlideStep slideStep(const QString& archivePath, const QString& positionLabel)
{
    Archive a(trimmed(archivePath));
    bool ok = false;
    int position = trimmed(positionLabel).toInt(&ok);
    if (!ok || position < 0)
        position = 0;
    const int n = a.count();
    SlideStep step{SlideStep::Kind::Reset, 0};
    if (n == 0) {
        step.kind = SlideStep::Kind::Empty;
    } else if (position < n) {
        a.read(position + 1);
        step = SlideStep{SlideStep::Kind::Show, a.position()};
    }
    // A position at or past the end (the archive cut meanwhile) starts a new round.
    a.close();
    return step;
}

} // namespace pinakos
