#include "kit/WholeTextTip.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace pinakos {

namespace {

// Whether `text` fits in the part of the box that shows text.
bool fits(const QLineEdit* box, const QString& text)
{
    QStyleOptionFrame option;
    option.initFrom(box);
    option.rect = box->rect();
    option.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    const QRect inside =
        box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box).marginsRemoved(box->textMargins());
    // A line edit keeps two pixels at either side of its text.
    return box->fontMetrics().horizontalAdvance(text) <= inside.width() - 4;
}

void update(QLineEdit* box, const QString& text) { box->setToolTip(fits(box, text) ? QString() : text); }

} // namespace

void showWholeTextAsTip(QLineEdit* box)
{
    update(box, box->text());
    QObject::connect(box, &QLineEdit::textChanged, box, [box](const QString& text) { update(box, text); });
}

} // namespace pinakos
