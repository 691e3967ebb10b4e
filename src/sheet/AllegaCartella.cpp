#include "sheet/AllegaCartella.h"

#include "app/Format.h"
#include "app/Layout.h"

// The window's frame; its contents come with the work on this window.
TfrmAllegaCartella::TfrmAllegaCartella(QWidget* parent) : GradientForm(parent)
{
    pinakos::applyFormatSettings();
    pinakos::setFixedFrame(this, QStringLiteral(" Allega file"), 634, 534);
    setGradient(pinakos::argb(0xFFEBE9E9), Qt::white);
    lblMemory = pinakos::makeHiddenLabel(panContainer, QStringLiteral("lblMemory"));
    QLineEdit** boxes[] = {&txtFile01, &txtFile02, &txtFile03, &txtDesc01, &txtDesc02, &txtDesc03};
    const char* names[] = {"txtFile01", "txtFile02", "txtFile03", "txtDesc01", "txtDesc02", "txtDesc03"};
    for (int i = 0; i < 6; ++i) {
        *boxes[i] = new QLineEdit(panContainer);
        (*boxes[i])->setObjectName(QString::fromLatin1(names[i]));
    }
}
