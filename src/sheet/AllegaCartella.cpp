#include "sheet/AllegaCartella.h"

#include "app/Format.h"

// The window's frame; its contents come with the work on this window.
TfrmAllegaCartella::TfrmAllegaCartella(QWidget* parent) : GradientForm(parent)
{
    pinakos::applyFormatSettings();
    pinakos::setFixedFrame(this, QStringLiteral(" Allega file"), 634, 534);
    setGradient(pinakos::argb(0xFFEBE9E9), Qt::white);
}
